#include "app/mainwindow/SavedLayout.h"

#include "app/mainwindow/SavedDockState.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

namespace vxo {

namespace {

const QString kGeometryKey = QStringLiteral("geometry");
const QString kDockStateKey = QStringLiteral("windowState");
const QString kChecksumKey = QStringLiteral("windowStateChecksum");
const QString kRestoringKey = QStringLiteral("windowStateRestoring");

// SHA-256: a damaged state cannot pass by chance, whatever bytes changed.
QString checksumOf(const QByteArray& state)
{
    return QString::fromLatin1(QCryptographicHash::hash(state, QCryptographicHash::Sha256).toHex());
}

// Where the toolkit keeps the application's settings on this platform,
// named without opening them.
QString settingsFileName()
{
    return QStringLiteral("%1/%2/%3.conf")
        .arg(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
             QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

// A restore takes a fraction of a second; a start that keeps its turn far
// longer is stopped, and the layout is then left alone.
constexpr int kTurnWaitMs = 20000;

} // namespace

void storeSavedLayout(QSettings& group, const QByteArray& geometry, const QByteArray& dockState)
{
    group.setValue(kGeometryKey, geometry);
    group.setValue(kDockStateKey, dockState);
    group.setValue(kChecksumKey, checksumOf(dockState));
    group.remove(kRestoringKey);
}

SavedLayout loadSavedLayout(QSettings& group, int version, const QStringList& dockNames)
{
    if (group.contains(kRestoringKey)) {
        for (const QString& key : {kGeometryKey, kDockStateKey, kChecksumKey, kRestoringKey})
            group.remove(key);
        group.sync();
        return {};
    }
    SavedLayout layout;
    layout.geometry = group.value(kGeometryKey).toByteArray();
    const QByteArray state = group.value(kDockStateKey).toByteArray();
    if (state.isEmpty())
        return layout;
    if (group.value(kChecksumKey).toString() == checksumOf(state) && savedDockStateIsWhole(state, version, dockNames))
        layout.dockState = state;
    else
        layout.dockStateRefused = true;
    return layout;
}

SavedLayoutFile::SavedLayoutFile() : turn_(settingsFileName() + QStringLiteral(".restoring.lock"))
{
    // The turn of a start that died in it is free once its process has
    // gone (the lock names the process and the boot), however recent; a
    // running start keeps it, however long it takes.
    turn_.setStaleLockTime(0);
    // A lock that cannot even be made (no folder yet, a read-only one) means
    // no other start can be restoring from here either.
    if (!turn_.tryLock(kTurnWaitMs) && turn_.error() == QLockFile::LockFailedError)
        return;
    const QString fileName = settingsFileName();
    const QFileInfo file(fileName);
    if (file.exists() && !file.isFile())
        return;
    settings_ = std::make_unique<QSettings>(fileName, QSettings::NativeFormat);
}

// The settings are written before the turn ends.
SavedLayoutFile::~SavedLayoutFile() = default;

SavedLayoutRestoring::SavedLayoutRestoring(QSettings& group) : group_(group)
{
    group_.setValue(kRestoringKey, true);
    group_.sync();
}

SavedLayoutRestoring::~SavedLayoutRestoring()
{
    group_.remove(kRestoringKey);
    group_.sync();
}

} // namespace vxo
