#pragma once

#include "app/form/BoxRounding.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/SettingsRanges.h"

#include <QString>

#include <optional>
#include <vector>

class Ui_MainWindow;

namespace vxo {

// The main window's form as the working copy of the experiment settings
// records. Each record has one table of field and control pairs; the reader
// walks it in one direction, the writer in the other, so the two cannot
// disagree about which control carries which field.
//
// Reading: a double spin box gives its value, an integer spin box its
// integer, a check box its state, a plain combo its current index, a target
// combo the object id held by its current item (0 without one). The drive
// parameter is clamped to the eight scene parameters 0..7; the Berry winding
// is -1 for index 1 ("-1 (CW)") and +1 otherwise. A drive record reads as
// enabled only with its box, the scene box and a target; Berry only with its
// box and the scene box. Fields without a control keep the value of `base`.
//
// Writing: each control is written with its signals blocked, so no change
// handler runs; the widgets clamp and round to their ranges. A target combo,
// already filled from the scene, selects the record's object when it lists
// it. Controls that hang on a flag (sweep return, Ramsey echo, ensemble)
// follow it. An enabled record then switches off the experiments that cannot
// run beside it (boxes unchecked, combos to index 0, signals blocked). The
// stored copy and the target fill are the caller's.
//
// Defined for the eighteen records a writer exists for: the four drive
// records, RamseyEnsemble, KickedRotorConfig, ZenoConfig, ScarConfig and the
// ten experiment configs from BerryConfig to KleinTunnelingConfig.
template <typename Record>
Record readSettingsFromForm(const Ui_MainWindow& form, Record base);

template <typename Record>
void writeSettingsIntoForm(const Ui_MainWindow& form, const Record& record);

// Why the first field of the records that has a box (in the order of the
// eighteen records and their tables) lies outside its box's range of the
// settings range table in `universe` (a count no whole number), so that
// writing it in would clamp it; empty when none does.
QString settingsFormFault(const Ui_MainWindow& form, const ExperimentSettingsRecords& records,
                          const std::optional<UniverseExtent>& universe);

// Rounds each field of the records that has a box to the box's decimals, as
// writing it in would, and returns what was rounded beyond rounding noise,
// in the order of settingsFormFault.
std::vector<BoxRounding> roundSettingsForBoxes(const Ui_MainWindow& form, ExperimentSettingsRecords& records);

} // namespace vxo
