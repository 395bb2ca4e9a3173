#pragma once

// The window layout as the settings keep it between runs, guarded against a
// damaged file. The toolkit parses a saved dock state without checking it
// and can crash on a changed byte, at every start; so the state is kept with
// a checksum and handed back only when the two agree and the state is whole
// (SavedDockState.h). A start that dies while restoring anyway leaves a mark
// behind, and the next start forgets the layout instead of dying again.
// Starts that share the settings file take turns, so that one start's mark
// is never taken for the crash of another that is still restoring.

#include <QByteArray>
#include <QLockFile>
#include <QStringList>

#include <memory>

class QSettings;

namespace vxo {

struct SavedLayout {
    QByteArray geometry;           // empty: nothing to restore
    QByteArray dockState;          // empty: missing, or damaged and left out
    bool dockStateRefused = false; // a saved state was left out as damaged
};

// Writes "geometry", "windowState" and the state's checksum into the group
// the settings are in, and clears a mark left by an unfinished restore.
void storeSavedLayout(QSettings& group, const QByteArray& geometry, const QByteArray& dockState);

// The saved layout of the group. A dock state whose checksum is missing or
// does not match, or that is not whole for a window of `dockNames` saved with
// `version`, is left out. After a restore that never finished, both the
// geometry and the dock state are removed from the settings and nothing is
// returned.
SavedLayout loadSavedLayout(QSettings& group, int version, const QStringList& dockNames);

// The settings file of the layout, for one start's restore, one save or one
// reset at a time. The settings are read as they are opened: they are
// opened only when their file is a regular file or not there yet, so a FIFO
// at its path cannot hold the start (nor a save) waiting for a writer, and a
// FIFO, folder or device found there is neither read nor replaced. Neither
// the turn nor the toolkit's own lock of the file is waited on past a bound
// of a couple of seconds.
class SavedLayoutFile {
public:
    SavedLayoutFile();
    ~SavedLayoutFile();
    SavedLayoutFile(const SavedLayoutFile&) = delete;
    SavedLayoutFile& operator=(const SavedLayoutFile&) = delete;

    // Null when the file is something else than a regular file, or when a
    // lock kept it closed (lockInTheWay()).
    QSettings* settings() const { return settings_.get(); }
    // The lock that kept the settings closed: no regular file stands at its
    // path, or another start of the program, still running, held it for
    // longer than the bound (BoundedLockFile.h). Empty otherwise.
    const QString& lockInTheWay() const { return lockInTheWay_; }

private:
    QLockFile turn_;
    QString lockInTheWay_;
    std::unique_ptr<QSettings> settings_;
};

// Marks the settings, on disk, while the toolkit restores a layout; the mark
// goes when the restore returns.
class SavedLayoutRestoring {
public:
    explicit SavedLayoutRestoring(QSettings& group);
    ~SavedLayoutRestoring();
    SavedLayoutRestoring(const SavedLayoutRestoring&) = delete;
    SavedLayoutRestoring& operator=(const SavedLayoutRestoring&) = delete;

private:
    QSettings& group_;
};

} // namespace vxo
