#include "view/DisplayPreset.h"

namespace vxo {

DisplayPreset displayPresetValues(std::int32_t index)
{
    DisplayPreset preset;
    if (index == 0)
        return preset; // Scientific
    if (index == 1) {  // Presentation
        preset.exposureEv = 0.25;
        preset.postPreview = 3;
        preset.bloomStrength = 0.65;
        preset.toneMapOperator = 2;
        return preset;
    }
    // Cinematic
    preset.displayScale = 1;
    preset.exposureEv = -1.0;
    preset.gamma = 1.15;
    preset.postPreview = 3;
    preset.threshold = 0.62;
    preset.softKnee = 0.12;
    preset.blurSpread = 3.25;
    preset.bloomStrength = 1.8;
    preset.toneMapOperator = 2;
    return preset;
}

} // namespace vxo
