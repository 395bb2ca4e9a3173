#include "app/PrivateTemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace vxo {

namespace {

// A folder only `owner` can enter or change: lstat does not follow a link, so
// a link at the name is refused whatever it points to.
bool isPrivateFolderOf(const QByteArray& path, uid_t owner)
{
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0)
        return false;
    constexpr mode_t kOthersAccess = S_IRWXG | S_IRWXO;
    return S_ISDIR(status.st_mode) && status.st_uid == owner && (status.st_mode & kOthersAccess) == 0;
}

} // namespace

QString privateTemporaryFolder(const QString& temporaryRoot, uid_t owner)
{
    // The folder this run has made, per root and owner.
    static QHash<QString, QString> made;
    const QString root = QDir(temporaryRoot).absolutePath();
    const QString named = QDir(root).filePath(QStringLiteral("ondrivel-%1").arg(owner));
    if (const auto earlier = made.constFind(named); earlier != made.constEnd()) {
        // Still the folder made then, not removed and replaced since.
        if (isPrivateFolderOf(QFile::encodeName(*earlier), ::geteuid()))
            return *earlier;
        made.remove(named);
    }

    // A folder this call makes is new and private by construction (mode
    // 0700, the umask can only take rights away); one that exists already
    // must prove it.
    const QByteArray path = QFile::encodeName(named);
    if (::mkdir(path.constData(), S_IRWXU) == 0) {
        made.insert(named, named);
        return named;
    }
    if (errno != EEXIST)
        return {};
    if (isPrivateFolderOf(path, owner))
        return named;

    // The name is someone else's, or no private folder: a fresh folder made
    // by mkdtemp, whose name no one can have taken.
    QByteArray pattern = path + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    const QString fresh = QFile::decodeName(pattern);
    made.insert(named, fresh);
    return fresh;
}

} // namespace vxo
