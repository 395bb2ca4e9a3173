#pragma once

#include "core/PotentialScene.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/InitialPreparation.h"

#include <cstdint>

namespace vxo {

// An indicative bridge from simulation units to one physical system: lengths
// scale by lengthUnit (L0, metres per unit) and times by timeUnit (T0,
// seconds per unit), so energies scale by hbar / T0 and angular frequencies
// by 1 / T0. The texts are static strings owned by the program.
struct RealWorldScaleMapping {
    bool valid = false;
    const char* system = "";
    const char* mapping = "";
    double lengthUnit = 0.0;
    double timeUnit = 0.0;
    const char* note = "";
};

// One guided experiment, complete and self-contained: its texts, the unit
// mapping, the value of every simulation control of the form, the Potential
// Scene, the initial preparation and, from its base, one settings record per
// experiment.
// The texts point to static, NUL-terminated 8-bit strings that are never
// freed, so copies and moved-from presets keep valid texts; the scene is the
// only owned member, and moving takes over its objects (the source is left
// with an empty object list).
struct ExperimentPreset : ExperimentSettingsRecords {
    const char* title = "";
    const char* summary = "";
    const char* guideHtmlItalian = "";
    const char* guideHtmlEnglish = "";
    RealWorldScaleMapping realWorldScale;

    double universeWidth = 40.96;
    double universeHeight = 40.96;
    std::uint32_t gridResolutionIndex = 1; // 0: 256, 1: 512, 2: 1024 points
    std::uint32_t boundaryModeIndex = 1;   // 0: periodic, 1: absorbing layer
    double absorbingWidthFraction = 0.15;
    double absorbingStrength = 8.0;
    double packetCenterX = -8.0;
    double packetCenterY = 0.0;
    double packetSigma = 1.0;
    double packetMomentumX = 2.5;
    double packetMomentumY = 0.0;
    double mass = 1.0;

    // The geometry page of the form and its fields: A is the rectangle or
    // wedge width, circle radius, barrier thickness or slit wall width; B the
    // rectangle or wedge height or barrier length; C the single-slit opening
    // or double-slit separation; D the double-slit opening.
    std::uint32_t geometryIndex = 0;
    double geometryV0 = 0.0;
    double geometryCenterX = 0.0;
    double geometryCenterY = 0.0;
    double geometrySizeA = 0.0;
    double geometrySizeB = 0.0;
    double geometrySizeC = 0.0;
    double geometrySizeD = 0.0;

    std::uint32_t graphicsPresetIndex = 0;
    std::uint32_t viewIndex = 0;
    std::uint32_t paletteIndex = 0;
    bool currentOverlay = false;
    std::uint32_t currentModeIndex = 1;
    bool sceneActive = false;
    PotentialScene scene;
    InitialPreparation initialPreparation;
    double measurementCollapseResolution = 0.65;

    ExperimentPreset() = default;
    ExperimentPreset(const ExperimentPreset&) = default;
    ExperimentPreset& operator=(const ExperimentPreset&) = default;
    ExperimentPreset(ExperimentPreset&&) noexcept = default;
    ExperimentPreset& operator=(ExperimentPreset&&) noexcept = default;
};

// Appends a rectangle of the given centre, size and value (every other
// parameter at the object defaults) to the preset's scene. Returns the id
// the scene gave it, 0 when the rectangle is not valid (scene unchanged).
std::uint64_t addRectangleObjectToPreset(ExperimentPreset& preset, double centerX, double centerY, double width,
                                         double height, double value);

// Fills the preset's unit mapping for its catalogue index. The time unit
// follows from the kinetic term, T0 = m_phys L0^2 / (m_sim hbar), with the
// preset's mass as m_sim (1.0 when it is not positive); the Dirac presets
// tie T0 to a velocity instead (L0 / c, or a fixed 10 fs for the effective
// Dirac velocity of 10^6 m/s). Indices outside the listed ones get the
// generic cold-atom mapping.
void applyRealWorldScale(std::uint32_t index, ExperimentPreset& preset);

} // namespace vxo
