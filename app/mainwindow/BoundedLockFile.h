#pragma once

// Taking a lock file without waiting past a bound. The toolkit's QLockFile
// waits as long as it is told for a lock it cannot judge: one written on
// another host (shared home folders), an empty or garbled one, and it opens
// whatever stands at the path to read it, so a FIFO there holds it for ever.
// Here a path that is no regular file is never opened nor waited on, and a
// lock that cannot be judged is taken for stale once it has stood for
// kUnjudgedLockStaleMs: no turn of this program lasts that long. A lock this
// host's live process holds is waited on up to the bound only.

#include <QDeadlineTimer>
#include <QLockFile>
#include <QString>

namespace vxo {

// A restore or a save holds its turn for a fraction of a second.
constexpr int kUnjudgedLockStaleMs = 1500;
// The longest a start, a close or a reset waits for the settings' locks, all
// of them together.
constexpr int kSettingsLockBoundMs = 2500;

enum class LockOutcome {
    Taken,    // the lock is held
    NotAFile, // a folder, FIFO, device or symbolic link stands at the path
    Held,     // another process still held it when the time was up
    NotMade,  // it cannot be made here at all (no folder, a read-only one)
};

// Takes `lock`, whose file is `path`, before `deadline`. A lock left by a
// process of this host that has ended is taken at once; one whose writer
// cannot be told (another host's, unreadable content) once it is
// kUnjudgedLockStaleMs old, by the file's time.
LockOutcome takeLockBefore(QLockFile& lock, const QString& path, const QDeadlineTimer& deadline);

// Whether the lock at `path`, which another part of the program takes itself
// and may wait on for ever (the toolkit's settings lock), is free for it: it
// is taken before `deadline`, a stale one removed, and given back at once.
LockOutcome lockFreeBefore(const QString& path, const QDeadlineTimer& deadline);

} // namespace vxo
