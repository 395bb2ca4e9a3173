#pragma once

// The fixed catalogue of guided experiments, indexed 0 .. presetCount() - 1.
// Presets are built in code from scratch on every request; each index also
// has a stable slug (for help and constraint page names) and the analysis
// page that the guided loader opens.

#include "document/ExperimentPreset.h"

#include <cstdint>

namespace vxo {

std::uint32_t presetCount();
bool isValidPresetIndex(std::uint32_t index);

// Resets `out` to the default preset first; throws std::out_of_range
// ("Experiment preset index out of range") for an index past the catalogue,
// leaving `out` at the defaults. Otherwise `out` receives the preset with its
// real-world unit mapping filled in.
void makeExperimentPreset(ExperimentPreset& out, std::uint32_t index);
ExperimentPreset makeExperimentPreset(std::uint32_t index);

// "unknown_experiment" outside the catalogue.
const char* presetSlug(std::uint32_t index);
// The analysis page 0 .. 33, or 34 outside the catalogue.
std::int32_t experimentPageForPreset(std::int32_t index);

} // namespace vxo
