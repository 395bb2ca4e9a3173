#include "app/mainwindow/BoundedLockFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cstdlib>

namespace vxo {

namespace {

// Between two looks at a lock someone else holds.
constexpr int kLockPollMs = 50;

// A symbolic link counts too: the lock would be made, read or removed
// through it, wherever it points.
bool standsNoFile(const QString& path)
{
    const QFileInfo entry(path);
    return entry.isSymLink() || (entry.exists() && !entry.isFile());
}

// Whether the lock's writer cannot be told alive or gone from here.
bool unjudged(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    return !lock.getLockInfo(&pid, &host, &application) || host != QSysInfo::machineHostName();
}

bool oldEnoughToBeStale(const QString& path)
{
    const QDateTime written = QFileInfo(path).lastModified();
    // Clocks of other hosts may run ahead: the age either way counts.
    return !written.isValid() ||
           std::abs(written.msecsTo(QDateTime::currentDateTime())) >= static_cast<qint64>(kUnjudgedLockStaleMs);
}

} // namespace

LockOutcome takeLockBefore(QLockFile& lock, const QString& path, const QDeadlineTimer& deadline)
{
    // A process of this host that has gone leaves a lock free at once,
    // however recent; a running one keeps it.
    lock.setStaleLockTime(0);
    for (;;) {
        if (standsNoFile(path))
            return LockOutcome::NotAFile;
        if (lock.tryLock(0))
            return LockOutcome::Taken;
        if (lock.error() != QLockFile::LockFailedError)
            return LockOutcome::NotMade;
        if (unjudged(lock) && oldEnoughToBeStale(path) && lock.removeStaleLockFile())
            continue;
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return LockOutcome::Held;
        QThread::msleep(static_cast<unsigned long>(left < 0 ? kLockPollMs : std::min<qint64>(kLockPollMs, left)));
    }
}

LockOutcome lockFreeBefore(const QString& path, const QDeadlineTimer& deadline)
{
    QLockFile lock(path);
    const LockOutcome outcome = takeLockBefore(lock, path, deadline);
    if (outcome == LockOutcome::Taken)
        lock.unlock();
    return outcome;
}

} // namespace vxo
