// The folder the current-parameters page is written into, in a temporary
// folder shared by every account (world-writable with the sticky bit, as the
// system's is). Two accounts are stood for by this process's user and a
// second id: whatever one account leaves at the other's folder name, each
// still gets a folder of its own, and never one reached through a link.

#include "app/PrivateTemporaryFolder.h"
#include "app/text/CurrentParametersPage.h"

#include "HelpPageBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace vxo {
namespace {

// The folder's own mode bits and owner, read without following a link.
struct Entry {
    bool exists = false;
    bool folder = false;
    uid_t owner = 0;
    mode_t access = 0;
};

Entry entryAt(const QString& path)
{
    struct stat status {};
    Entry entry;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return entry;
    return {true, S_ISDIR(status.st_mode), status.st_uid, static_cast<mode_t>(status.st_mode & 07777)};
}

TEST(PrivateTemporaryFolder, EachAccountGetsAFolderOfItsOwnWhateverTheOtherLeftAtItsName)
{
    const uid_t me = ::geteuid();
    const uid_t other = me + 1; // a second account; its folders are made by this process
    struct Case {
        const char* what;
        uid_t account;
        // What was left at the account's folder name before it asks.
        std::function<bool(const QString& name, const QString& elsewhere)> plant;
        bool takesTheName; // the folder is the one at the plain name
    };
    const Case cases[] = {
        {"nothing there", me, [](const QString&, const QString&) { return true; }, true},
        {"nothing there, second account", other, [](const QString&, const QString&) { return true; }, true},
        {"a folder of the first account at the second's name", other,
         [](const QString& name, const QString&) {
             return QDir().mkdir(name) &&
                    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
         },
         false},
        {"a link to a folder of the user's", me,
         [](const QString& name, const QString& elsewhere) { return QFile::link(elsewhere, name); }, false},
        {"a dangling link", me,
         [](const QString& name, const QString& elsewhere) {
             return QFile::link(QDir(elsewhere).filePath(QStringLiteral("absent")), name);
         },
         false},
        {"a file", me,
         [](const QString& name, const QString&) {
             QFile file(name);
             return file.open(QIODevice::WriteOnly) && file.write("left here") == 9;
         },
         false},
        {"a folder open to every account", me,
         [](const QString& name, const QString&) {
             return QDir().mkdir(name) && ::chmod(QFile::encodeName(name).constData(), 0777) == 0;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir shared;
        QTemporaryDir elsewhere;
        ASSERT_TRUE(shared.isValid() && elsewhere.isValid());
        ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
        const QString name = QDir(shared.path()).filePath(QStringLiteral("ondrivel-%1").arg(c.account));
        ASSERT_TRUE(c.plant(name, elsewhere.path()));
        const Entry planted = entryAt(name);

        const QString folder = privateTemporaryFolder(shared.path(), c.account);
        ASSERT_FALSE(folder.isEmpty()) << "no folder";
        EXPECT_EQ(folder == name, c.takesTheName) << folder.toStdString();
        const Entry made = entryAt(folder);
        EXPECT_TRUE(made.folder) << "not a real folder (a link?)";
        EXPECT_EQ(made.owner, me);
        EXPECT_EQ(made.access & 077, 0u) << "open to other accounts: " << std::oct << made.access;
        EXPECT_EQ(QFileInfo(folder).canonicalPath(), QFileInfo(shared.path()).canonicalFilePath())
            << "not in the shared folder";

        // The page goes into it; nothing goes where a link pointed, and what
        // was planted is left as it was.
        const QString page = QDir(folder).filePath(QStringLiteral("vxo_current_parameters.html"));
        ASSERT_TRUE(replaceFileWithText(page, QStringLiteral("<p>page</p>")));
        EXPECT_EQ(test::fileBytes(page), QByteArray("<p>page</p>"));
        EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
            << "written through a link";
        if (!c.takesTheName) {
            const Entry after = entryAt(name);
            EXPECT_EQ(after.exists, planted.exists);
            EXPECT_EQ(after.access, planted.access) << "what was left at the name was changed";
        }
        // Asked again, the same folder.
        EXPECT_EQ(privateTemporaryFolder(shared.path(), c.account), folder);
    }
}

// Both accounts open their page in one shared folder, one after the other:
// each writes its own, and neither can deny the other its page.
TEST(PrivateTemporaryFolder, TwoAccountsBothWriteTheirPageInOneSharedFolder)
{
    QTemporaryDir shared;
    ASSERT_TRUE(shared.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
    const uid_t accounts[] = {::geteuid(), ::geteuid() + 1};
    QStringList pages;
    for (const uid_t account : accounts) {
        const QString folder = privateTemporaryFolder(shared.path(), account);
        ASSERT_FALSE(folder.isEmpty()) << "account " << account;
        pages << QDir(folder).filePath(QStringLiteral("vxo_current_parameters.html"));
        ASSERT_TRUE(replaceFileWithText(pages.back(), QStringLiteral("account %1").arg(account)));
    }
    ASSERT_NE(pages[0], pages[1]);
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(test::fileBytes(pages[k]), QStringLiteral("account %1").arg(accounts[k]).toUtf8());
}

} // namespace
} // namespace vxo
