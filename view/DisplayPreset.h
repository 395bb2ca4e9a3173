#pragma once

#include <cstdint>

namespace vxo {

// One named look of the viewport: the display settings the main window writes
// into its rendering controls when a graphics preset is chosen.
struct DisplayPreset {
    std::int32_t palette = 0;
    std::int32_t displayScale = 0;
    double exposureEv = 0.0;
    double gamma = 1.0;
    std::int32_t postPreview = 0;
    double threshold = 0.72;
    double softKnee = 0.08;
    double blurSpread = 2.0;
    double bloomStrength = 0.0;
    std::int32_t toneMapOperator = 0;
};

// 0 "Scientific" (plain palette image, no bloom, clip tone map), 1
// "Presentation" (a little brighter, soft bloom, filmic tone map), any other
// index "Cinematic" (logarithmic display, strong wide bloom, filmic tone map).
DisplayPreset displayPresetValues(std::int32_t index);

} // namespace vxo
