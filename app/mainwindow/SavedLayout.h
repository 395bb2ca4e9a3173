#pragma once

// The window layout as the settings keep it between runs, guarded against a
// damaged file. The toolkit parses a saved dock state without checking it
// and can crash on a changed byte, at every start; so the state is kept with
// a checksum and handed back only when the two agree. A start that dies
// while restoring anyway leaves a mark behind, and the next start forgets
// the layout instead of dying again.

#include <QByteArray>

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
// does not match is left out. After a restore that never finished, both the
// geometry and the dock state are removed from the settings and nothing is
// returned.
SavedLayout loadSavedLayout(QSettings& group);

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
