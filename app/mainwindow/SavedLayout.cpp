#include "app/mainwindow/SavedLayout.h"

#include "app/mainwindow/BoundedLockFile.h"
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

// The lock by which starts take turns with the settings.
QString turnLockName() { return settingsFileName() + QStringLiteral(".restoring.lock"); }

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

SavedLayoutFile::SavedLayoutFile() : turn_(turnLockName())
{
    const QString fileName = settingsFileName();
    const QDeadlineTimer deadline(kSettingsLockBoundMs);
    // A lock that cannot even be made (no folder yet, a read-only one) means
    // no other start can be restoring from here either.
    const LockOutcome turn = takeLockBefore(turn_, turnLockName(), deadline);
    if (turn == LockOutcome::NotAFile || turn == LockOutcome::Held) {
        lockInTheWay_ = turnLockName();
        return;
    }
    const QFileInfo file(fileName);
    if (file.exists() && !file.isFile())
        return;
    // The toolkit takes its own lock beside the file to write it and waits
    // for it without end: the settings are opened only when that lock is
    // free for it.
    const QString settingsLock = fileName + QStringLiteral(".lock");
    const LockOutcome written = lockFreeBefore(settingsLock, deadline);
    if (written == LockOutcome::NotAFile || written == LockOutcome::Held) {
        lockInTheWay_ = settingsLock;
        return;
    }
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
