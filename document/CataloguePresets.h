#pragma once

#include "document/ExperimentPreset.h"

#include <cstdint>

namespace vxo {

// Builds the guided experiment of a catalogue index (below kCatalogueSize)
// from the default preset: texts, controls, scene objects (ids 1, 2, 3 ...
// in order of addition) and settings records. The real-world mapping is
// left to the caller.
ExperimentPreset buildCataloguePreset(std::uint32_t index);

} // namespace vxo
