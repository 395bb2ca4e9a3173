#include "document/CataloguePresets.h"

#include "document/CatalogueEntries.h"
#include "document/PresetGuides.h"

#include <algorithm>

namespace vxo {

namespace {

// ---------------------------------------------------------------------------
// Shared set-up

void setTexts(ExperimentPreset& preset, std::uint32_t index)
{
    const CatalogueEntry& entry = *catalogueEntry(index);
    preset.title = entry.title;
    preset.summary = entry.summary;
    preset.guideHtmlItalian = presetGuideItalian(index);
    preset.guideHtmlEnglish = presetGuideEnglish(index);
}

ExperimentPreset startPreset(std::uint32_t index)
{
    ExperimentPreset preset;
    setTexts(preset, index);
    return preset;
}

void setDomain(ExperimentPreset& preset, double width, double height, std::uint32_t gridResolutionIndex,
               std::uint32_t boundaryModeIndex)
{
    preset.universeWidth = width;
    preset.universeHeight = height;
    preset.gridResolutionIndex = gridResolutionIndex;
    preset.boundaryModeIndex = boundaryModeIndex;
    // The experiments' positions whose boxes span the universe stay inside a
    // smaller one, where their boxes show them as the preset holds them (the
    // Klein packet starts at x = -10 by default).
    const auto inside = [](double& position, double extent) {
        position = std::clamp(position, -0.5 * extent, 0.5 * extent);
    };
    inside(preset.quantumKleinTunneling.centerX, width);
    inside(preset.quantumKleinTunneling.barrierCenterX, width);
    inside(preset.quantumKleinTunneling.detectorX, width);
    inside(preset.quantumAharonovBohm.solenoidX, width);
    inside(preset.quantumAharonovBohm.solenoidY, height);
    inside(preset.quantumAharonovBohm.detectorX, width);
    inside(preset.quantumMoshinsky.detectorX, width);
}

void setAbsorbingLayer(ExperimentPreset& preset, double widthFraction, double strength)
{
    preset.absorbingWidthFraction = widthFraction;
    preset.absorbingStrength = strength;
}

void setPacket(ExperimentPreset& preset, double centerX, double centerY, double sigma, double momentumX,
               double momentumY)
{
    preset.packetCenterX = centerX;
    preset.packetCenterY = centerY;
    preset.packetSigma = sigma;
    preset.packetMomentumX = momentumX;
    preset.packetMomentumY = momentumY;
}

void setDisplay(ExperimentPreset& preset, std::uint32_t graphicsPresetIndex, bool currentOverlay,
                std::uint32_t currentModeIndex = 1)
{
    preset.graphicsPresetIndex = graphicsPresetIndex;
    preset.currentOverlay = currentOverlay;
    preset.currentModeIndex = currentModeIndex;
}

void setGeometry(ExperimentPreset& preset, std::uint32_t geometryIndex, double v0 = 0.0, double centerX = 0.0,
                 double centerY = 0.0, double sizeA = 0.0, double sizeB = 0.0, double sizeC = 0.0, double sizeD = 0.0)
{
    preset.geometryIndex = geometryIndex;
    preset.geometryV0 = v0;
    preset.geometryCenterX = centerX;
    preset.geometryCenterY = centerY;
    preset.geometrySizeA = sizeA;
    preset.geometrySizeB = sizeB;
    preset.geometrySizeC = sizeC;
    preset.geometrySizeD = sizeD;
}

void setPreparation(ExperimentPreset& preset, InitialPreparationType type, std::int32_t stateA = 0,
                    std::int32_t stateB = 3, double relativePhaseDegrees = 90.0)
{
    preset.initialPreparation.type = type;
    preset.initialPreparation.stateA = stateA;
    preset.initialPreparation.stateB = stateB;
    preset.initialPreparation.relativePhaseDegrees = relativePhaseDegrees;
}

// The common start of the experiment presets from 27 on: the 256-point grid,
// unit mass, no geometry page and the second graphics preset.
ExperimentPreset experimentPreset(std::uint32_t index, double width, double height, std::uint32_t boundaryModeIndex)
{
    ExperimentPreset preset = startPreset(index);
    setDomain(preset, width, height, 0, boundaryModeIndex);
    preset.mass = 1.0;
    setGeometry(preset, 0);
    preset.graphicsPresetIndex = 1;
    preset.paletteIndex = 0;
    return preset;
}

// Scene objects. Each goes through PotentialScene::add, so the ids follow
// the order of addition and drive records can keep the returned id.

PotentialObject sceneObject(PotentialObjectKind kind, double value, double centerX, double centerY)
{
    PotentialObject object;
    object.kind = kind;
    object.value = static_cast<float>(value);
    object.centerX = static_cast<float>(centerX);
    object.centerY = static_cast<float>(centerY);
    return object;
}

std::uint64_t addBarrier(ExperimentPreset& preset, double centerX, double centerY, double length, double thickness,
                         double value)
{
    PotentialObject barrier = sceneObject(PotentialObjectKind::Barrier, value, centerX, centerY);
    barrier.length = static_cast<float>(length);
    barrier.thickness = static_cast<float>(thickness);
    return preset.scene.add(barrier);
}

std::uint64_t addCircle(ExperimentPreset& preset, double centerX, double centerY, double radius, double value)
{
    PotentialObject circle = sceneObject(PotentialObjectKind::Circle, value, centerX, centerY);
    circle.radius = static_cast<float>(radius);
    return preset.scene.add(circle);
}

std::uint64_t addGaussian(ExperimentPreset& preset, double centerX, double centerY, double sigma, double amplitude)
{
    PotentialObject gaussian = sceneObject(PotentialObjectKind::Gaussian, amplitude, centerX, centerY);
    gaussian.sigmaX = static_cast<float>(sigma);
    gaussian.sigmaY = static_cast<float>(sigma);
    return preset.scene.add(gaussian);
}

// A trap 0.5 (kx x^2 + ky y^2) centred at the origin with zero offset.
std::uint64_t addHarmonicTrap(ExperimentPreset& preset, double curvatureX, double curvatureY)
{
    PotentialObject trap = sceneObject(PotentialObjectKind::Harmonic, 0.0, 0.0, 0.0);
    trap.curvatureX = static_cast<float>(curvatureX);
    trap.curvatureY = static_cast<float>(curvatureY);
    return preset.scene.add(trap);
}

// A uniform force field of zero offset: the bias or gravity of an experiment.
std::uint64_t addLinearField(ExperimentPreset& preset, double centerX, double centerY, double slopeX, double slopeY)
{
    PotentialObject field = sceneObject(PotentialObjectKind::Linear, 0.0, centerX, centerY);
    field.slopeX = static_cast<float>(slopeX);
    field.slopeY = static_cast<float>(slopeY);
    return preset.scene.add(field);
}

std::uint64_t addStadiumExterior(ExperimentPreset& preset, double straightLength, double radius, double value)
{
    PotentialObject stadium = sceneObject(PotentialObjectKind::StadiumExterior, value, 0.0, 0.0);
    stadium.width = static_cast<float>(straightLength);
    stadium.radius = static_cast<float>(radius);
    return preset.scene.add(stadium);
}

// Four walls of the given thickness around a centred inner region, added as
// left, bottom, right and top; the side walls span the full outer height.
void addClosedBox(ExperimentPreset& preset, double innerWidth, double innerHeight, double wall, double value)
{
    const double sideX = innerWidth / 2.0 + wall / 2.0;
    const double sideY = innerHeight / 2.0 + wall / 2.0;
    const double outerWidth = innerWidth + 2.0 * wall;
    const double outerHeight = innerHeight + 2.0 * wall;
    addRectangleObjectToPreset(preset, -sideX, 0.0, wall, outerHeight, value);
    addRectangleObjectToPreset(preset, 0.0, -sideY, outerWidth, wall, value);
    addRectangleObjectToPreset(preset, sideX, 0.0, wall, outerHeight, value);
    addRectangleObjectToPreset(preset, 0.0, sideY, outerWidth, wall, value);
}

// ---------------------------------------------------------------------------
// Double well (presets 12 to 26): outer walls of 5.0 and a central barrier of
// 0.8 whose two lowest states form the two-level system.

void setDoubleWellControls(ExperimentPreset& preset)
{
    setDomain(preset, 16.0, 16.0, 0, 0);
    setPacket(preset, 0.0, 0.0, 0.8, 0.0, 0.0);
    setGeometry(preset, 1);
    setDisplay(preset, 0, true, 1);
    preset.sceneActive = true;
}

// The central barrier is 0.75 wide: 12, 24 and 48 whole cells on the three
// grids, so each paints the same barrier. The splitting falls by about 3%
// per 0.06 of width: a width the grids cut differently would make the pair's
// splitting, and every drive tuned to it, depend on the grid.
void addDoubleWellWalls(ExperimentPreset& preset)
{
    addRectangleObjectToPreset(preset, -5.25, 0.0, 5.5, 16.0, 5.0);
    addRectangleObjectToPreset(preset, 0.0, 0.0, 0.75, 16.0, 0.8);
    addRectangleObjectToPreset(preset, 5.25, 0.0, 5.5, 16.0, 5.0);
}

// The double well with a Linear bias object (id 4) and the ground state as
// the initial state; returns the bias object's id, the target of the drives.
std::uint64_t setUpBiasedDoubleWell(ExperimentPreset& preset, double biasSlopeX)
{
    setDoubleWellControls(preset);
    addDoubleWellWalls(preset);
    const std::uint64_t biasId = addLinearField(preset, 0.0, 0.0, biasSlopeX, 0.0);
    setPreparation(preset, InitialPreparationType::BoundEigenstate, 0, 1, 90.0);
    return biasId;
}

// Splitting of the two lowest levels of the double well: the drive frequency
// of the Rabi resonance and of the Ramsey pulses.
constexpr double kDoubleWellSplitting = 0.305536;

ExperimentPreset drivenDoubleWell(bool rabiResonance)
{
    ExperimentPreset preset = startPreset(rabiResonance ? 17 : 16);
    PeriodicDrive& drive = preset.periodicDrive;
    drive.targetObjectId = setUpBiasedDoubleWell(preset, 0.0);
    drive.enabled = true;
    drive.parameter = SceneParameterSlopeX;
    drive.mean = 0.0;
    drive.amplitude = 0.1;
    drive.angularFrequency = rabiResonance ? kDoubleWellSplitting : 0.5;
    drive.phaseDegrees = 0.0;
    return preset;
}

ExperimentPreset landauZenerSweep(bool adiabatic)
{
    ExperimentPreset preset = startPreset(adiabatic ? 19 : 18);
    LinearSweep& sweep = preset.linearSweep;
    sweep.startValue = 0.35;
    sweep.endValue = -0.35;
    // The bias object starts at the sweep's start value.
    sweep.targetObjectId = setUpBiasedDoubleWell(preset, sweep.startValue);
    sweep.enabled = true;
    sweep.parameter = SceneParameterSlopeX;
    sweep.startTime = 0.0;
    sweep.duration = adiabatic ? 40.0 : 4.0;
    return preset;
}

// Two fast passages joined by a hold; the hold sets the Stueckelberg phase.
ExperimentPreset stueckelberg(std::uint32_t index, double holdDuration)
{
    ExperimentPreset preset = landauZenerSweep(false);
    setTexts(preset, index);
    preset.linearSweep.returnEnabled = true;
    preset.linearSweep.holdDuration = holdDuration;
    preset.linearSweep.returnDuration = 4.0;
    return preset;
}

ExperimentPreset ramsey(bool transferFringe)
{
    ExperimentPreset preset = startPreset(transferFringe ? 22 : 23);
    RamseySequence& sequence = preset.ramseySequence;
    sequence.targetObjectId = setUpBiasedDoubleWell(preset, 0.0);
    sequence.enabled = true;
    sequence.parameter = SceneParameterSlopeX;
    sequence.mean = 0.0;
    sequence.amplitude = 0.1;
    sequence.angularFrequency = kDoubleWellSplitting;
    sequence.pulseDuration = 14.35;
    sequence.freeEvolutionDuration = transferFringe ? 5.5 : 15.75;
    return preset;
}

void enableEchoPulse(RamseySequence& sequence)
{
    sequence.echoEnabled = true;
    sequence.echoPulseDuration = 25.75;
    sequence.echoPulsePhaseDegrees = 90.0;
}

ExperimentPreset hahnEcho()
{
    ExperimentPreset preset = ramsey(true);
    setTexts(preset, 24);
    enableEchoPulse(preset.ramseySequence);
    return preset;
}

// The detuning ensemble on the Ramsey return preset (25) or, refocused by the
// midpoint pi pulse, on the Ramsey transfer preset (26).
ExperimentPreset hahnEchoEnsemble(bool echo)
{
    ExperimentPreset preset = ramsey(echo);
    setTexts(preset, echo ? 26 : 25);
    if (echo) {
        enableEchoPulse(preset.ramseySequence);
        preset.ramseySequence.freeEvolutionDuration = 15.75;
    }
    preset.ramseyEnsemble.enabled = true;
    preset.ramseyEnsemble.detuningStdDev = 0.06;
    preset.ramseyEnsemble.memberCount = 41;
    return preset;
}

// ---------------------------------------------------------------------------
// Harmonic traps

ExperimentPreset drivenHarmonicTrap(bool resonance)
{
    ExperimentPreset preset = startPreset(resonance ? 15 : 14);
    setDomain(preset, 24.0, 20.0, 0, 0);
    setPacket(preset, 0.0, 0.0, 1.0, 0.0, 0.0);
    setGeometry(preset, 8);
    setDisplay(preset, 0, true, 0);
    preset.sceneActive = true;
    PeriodicDrive& drive = preset.periodicDrive;
    // Trap frequency sqrt(0.25 / m) = 0.5 for m = 1.
    drive.targetObjectId = addHarmonicTrap(preset, 0.25, 0.25);
    drive.enabled = true;
    drive.parameter = SceneParameterCenterX;
    drive.mean = 0.0;
    drive.amplitude = 0.7;
    drive.angularFrequency = resonance ? 0.5 : 0.8;
    drive.phaseDegrees = 0.0;
    return preset;
}

ExperimentPreset harmonicTrap()
{
    ExperimentPreset preset = startPreset(8);
    addHarmonicTrap(preset, 0.25, 0.25);
    setPacket(preset, -4.0, 0.0, 1.0, 0.0, 0.0);
    setGeometry(preset, 8);
    setDisplay(preset, 0, true, 0);
    preset.sceneActive = true;
    return preset;
}

ExperimentPreset quantumQuench()
{
    ExperimentPreset preset = startPreset(13);
    setDomain(preset, 20.0, 20.0, 0, 0);
    setPacket(preset, 0.0, 0.0, 1.0, 0.0, 0.0);
    setGeometry(preset, 8);
    setDisplay(preset, 0, true, 1);
    preset.sceneActive = true;
    QuantumQuench& quench = preset.quantumQuench;
    quench.targetObjectId = addHarmonicTrap(preset, 0.25, 0.25);
    quench.enabled = true;
    quench.parameter = SceneParameterCurvatureXY;
    quench.time = 2.0;
    quench.before = 0.25;
    quench.after = 1.0;
    return preset;
}

// ---------------------------------------------------------------------------
// Billiards: a hard box with an inner region of 18 x 14, with or without the
// central disk of the Sinai billiard.

ExperimentPreset billiard(bool sinai)
{
    ExperimentPreset preset = experimentPreset(sinai ? 30 : 29, 40.96, 40.96, 0);
    setPacket(preset, -6.0, -3.5, 0.7, 3.6, 2.4);
    setDisplay(preset, 1, false, 1);
    preset.sceneActive = true;
    addClosedBox(preset, 18.0, 14.0, 1.28, 120.0);
    if (sinai)
        addCircle(preset, 0.0, 0.0, 2.2, 120.0);
    return preset;
}

ExperimentPreset loschmidtEcho()
{
    ExperimentPreset preset = billiard(true);
    setTexts(preset, 39);
    preset.currentOverlay = true;
    preset.currentModeIndex = 1;
    preset.quantumLoschmidt.enabled = true;
    preset.quantumLoschmidt.reversalTime = 4.0;
    preset.quantumLoschmidt.momentumErrorX = 0.0;
    preset.quantumLoschmidt.momentumErrorY = 0.0;
    return preset;
}

// ---------------------------------------------------------------------------
// Scattering and bound states (presets 0 to 11)

ExperimentPreset freeWavePacket()
{
    ExperimentPreset preset = startPreset(0);
    setGeometry(preset, 0);
    setDisplay(preset, 0, true, 0);
    return preset;
}

ExperimentPreset barrierPreset(std::uint32_t index, double v0, std::uint32_t graphicsPresetIndex)
{
    ExperimentPreset preset = startPreset(index);
    setGeometry(preset, 3, v0, 0.0, 0.0, 0.64, 30.0);
    setDisplay(preset, graphicsPresetIndex, true, 0);
    return preset;
}

ExperimentPreset singleSlit()
{
    ExperimentPreset preset = startPreset(3);
    preset.packetSigma = 2.2;
    setGeometry(preset, 4, 8.0, 0.0, 0.0, 0.32, 0.0, 1.55);
    setDisplay(preset, 1, true, 1);
    return preset;
}

ExperimentPreset doubleSlit()
{
    ExperimentPreset preset = startPreset(4);
    preset.packetSigma = 3.0;
    // A wall of 50 lets about 0.2% of the packet through on its own; one of 8,
    // this thin, about 40%, whose broad wave would blur the two-slit fringes.
    // Openings of 0.72 are whole rows on the preset's grid and on the finer
    // one (9 and 18): narrower than half a wavelength, they pass about a fifth
    // more per 0.04 of height, so a height the grids cut differently would
    // make the share that passes depend on the grid.
    setGeometry(preset, 5, 50.0, 0.0, 0.0, 0.32, 0.0, 2.2, 0.72);
    setDisplay(preset, 2, true, 1);
    return preset;
}

ExperimentPreset circularObstacle()
{
    ExperimentPreset preset = startPreset(5);
    preset.packetSigma = 1.6;
    setGeometry(preset, 2, 8.0, 0.0, 0.0, 1.8);
    setDisplay(preset, 1, true, 1);
    return preset;
}

ExperimentPreset wedgeDiffraction()
{
    ExperimentPreset preset = startPreset(6);
    preset.packetSigma = 1.8;
    setGeometry(preset, 6, 8.0, -0.45, 0.0, 2.3, 4.4);
    setDisplay(preset, 2, true, 2);
    return preset;
}

ExperimentPreset resonantTunneling()
{
    ExperimentPreset preset = startPreset(7);
    addBarrier(preset, -1.2, 0.0, 30.0, 0.64, 4.5);
    addBarrier(preset, 1.2, 0.0, 30.0, 0.64, 4.5);
    preset.universeWidth = 81.92;
    preset.absorbingWidthFraction = 0.05;
    setPacket(preset, -12.0, 0.0, 2.4, 2.5, 0.0);
    preset.mass = 1.0;
    setGeometry(preset, 3, 4.5, -1.2, 0.0, 0.64, 30.0);
    setDisplay(preset, 1, true, 0);
    preset.sceneActive = true;
    return preset;
}

ExperimentPreset gaussianWell()
{
    ExperimentPreset preset = startPreset(9);
    addGaussian(preset, 0.0, 0.0, 3.0, -6.0);
    setPacket(preset, 0.0, 0.0, 1.15, 0.0, 0.0);
    setGeometry(preset, 7);
    setDisplay(preset, 1, true, 1);
    preset.sceneActive = true;
    return preset;
}

// Walls of 5.0 outside |x| <= 4 over the whole height: a finite well of
// width 8, invariant along y, sized in single precision from the preset's
// own universe.
ExperimentPreset finiteQuantumWell()
{
    ExperimentPreset preset = startPreset(10);
    const float halfWell = 4.0f;
    const float wallWidth = (static_cast<float>(preset.universeWidth) - 2.0f * halfWell) / 2.0f;
    const float wallHeight = static_cast<float>(preset.universeHeight);
    const float wallCenter = wallWidth / 2.0f + halfWell;
    addRectangleObjectToPreset(preset, -wallCenter, 0.0, wallWidth, wallHeight, 5.0);
    addRectangleObjectToPreset(preset, wallCenter, 0.0, wallWidth, wallHeight, 5.0);
    preset.boundaryModeIndex = 0;
    setPacket(preset, 0.0, 0.0, 1.4, 0.0, 0.0);
    setGeometry(preset, 1);
    setDisplay(preset, 0, false);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::BoundEigenstate, 1, 3, 90.0);
    return preset;
}

ExperimentPreset measurementCollapse()
{
    ExperimentPreset preset = startPreset(11);
    preset.boundaryModeIndex = 0;
    setPacket(preset, -5.0, 0.0, 2.4, 1.0, 0.0);
    setGeometry(preset, 0);
    setDisplay(preset, 0, true, 0);
    preset.measurementCollapseResolution = 0.65;
    return preset;
}

ExperimentPreset coherentDoubleWell()
{
    ExperimentPreset preset = startPreset(12);
    setDoubleWellControls(preset);
    preset.packetCenterX = -1.2;
    addDoubleWellWalls(preset);
    setPreparation(preset, InitialPreparationType::BoundSuperposition, 0, 1, 0.0);
    return preset;
}

// ---------------------------------------------------------------------------
// Experiments of their own (presets 27 to 45)

ExperimentPreset blochOscillations()
{
    ExperimentPreset preset = experimentPreset(27, 40.96, 40.96, 0);
    // Lattice period 2.56: 16 wells of depth 1.0 and width 1.28.
    for (int i = 0; i < 16; ++i)
        addRectangleObjectToPreset(preset, (i - 7.5) * 2.56, 0.0, 1.28, 42.0, -1.0);
    addLinearField(preset, 0.0, 0.0, 0.08, 0.0);
    setPacket(preset, 0.0, 0.0, 5.0, 0.0, 0.0);
    setDisplay(preset, 1, false);
    preset.sceneActive = true;
    return preset;
}

ExperimentPreset wavepacketRevivals()
{
    ExperimentPreset preset = experimentPreset(28, 40.96, 40.96, 0);
    addClosedBox(preset, 6.4, 6.4, 1.28, 120.0);
    setPacket(preset, -1.3, -0.8, 0.55, 2.6, 1.8);
    setDisplay(preset, 1, false);
    preset.sceneActive = true;
    return preset;
}

ExperimentPreset quantumTalbot()
{
    ExperimentPreset preset = experimentPreset(31, 40.96, 40.96, 0);
    setPacket(preset, 0.0, -8.0, 1.5, 0.0, 1.2);
    setDisplay(preset, 1, false);
    setPreparation(preset, InitialPreparationType::TalbotComb);
    TalbotInitialState& comb = preset.talbotInitialState;
    comb.period = 5.12;
    comb.toothSigma = 0.45;
    comb.offsetX = 0.0;
    comb.centerY = -8.0;
    comb.sigmaY = 1.5;
    comb.momentumY = 1.2;
    return preset;
}

ExperimentPreset quantumBouncer()
{
    ExperimentPreset preset = experimentPreset(32, 40.96, 40.96, 0);
    addRectangleObjectToPreset(preset, 0.0, -8.64, 40.96, 1.28, 150.0);
    addLinearField(preset, 0.0, -8.0, 0.0, 0.8);
    setPacket(preset, -4.0, 2.0, 0.75, 0.3, -0.3);
    setDisplay(preset, 1, true, 1);
    preset.sceneActive = true;
    return preset;
}

ExperimentPreset quantumVortex()
{
    ExperimentPreset preset = experimentPreset(33, 40.96, 40.96, 0);
    addHarmonicTrap(preset, 0.25, 0.25);
    setPacket(preset, 0.0, 0.0, 1.0, 0.0, 0.0);
    setGeometry(preset, 8);
    setDisplay(preset, 1, true, 2);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::Vortex);
    VortexInitialState& vortex = preset.vortexInitialState;
    vortex.envelopeSigma = 1.0;
    vortex.coreX = 1.0;
    vortex.coreY = 0.0;
    vortex.charge = 1;
    return preset;
}

// The on-site energies of the disordered lane come from a fixed 32-bit linear
// congruential generator, so the disorder is the same in every build.
class DisorderSequence {
public:
    // Uniform in [0, 1).
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_) / 4294967296.0;
    }

private:
    std::uint32_t state_ = 0x31415926u;
};

ExperimentPreset andersonLocalization()
{
    ExperimentPreset preset = experimentPreset(34, 40.96, 20.48, 0);
    const double wellSigma = 0.45;
    const double wellDepth = -5.0;
    const double disorderStrength = 0.45; // relative spread of the disordered depths
    const double cleanLaneY = 4.0;
    const double disorderLaneY = -4.0;
    DisorderSequence disorder;
    // Clean and disordered well of each site in turn: odd ids clean, even ids disordered.
    for (int i = -11; i <= 11; ++i) {
        const double x = i * 1.6;
        addGaussian(preset, x, cleanLaneY, wellSigma, wellDepth);
        const double u = disorder.next();
        addGaussian(preset, x, disorderLaneY, wellSigma, wellDepth * (1.0 + disorderStrength * (2.0 * u - 1.0)));
    }
    setPacket(preset, 0.0, 0.0, 0.35, 0.0, 0.0);
    setDisplay(preset, 1, false, 1);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::AndersonDualLane);
    AndersonInitialStateConfig& lanes = preset.andersonInitialState;
    lanes.centerX = 0.0;
    lanes.cleanLaneY = cleanLaneY;
    lanes.disorderLaneY = disorderLaneY;
    lanes.sigma = 0.35;
    lanes.relativePhaseDegrees = 0.0;
    return preset;
}

ExperimentPreset kickedRotor()
{
    ExperimentPreset preset = experimentPreset(35, 20.48, 20.48, 0);
    // Confinement along y only; x is the rotor angle on the periodic domain.
    addHarmonicTrap(preset, 0.0, 0.494);
    setPacket(preset, 0.0, 0.0, 1.5, 0.0, 0.0);
    preset.mass = 0.1;
    setGeometry(preset, 8);
    setDisplay(preset, 1, false, 1);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::KickedRotor);
    preset.kickedRotor.enabled = true;
    preset.kickedRotor.firstKickTime = 0.2;
    preset.kickedRotor.kickPeriod = 1.0;
    preset.kickedRotor.phaseStrength = 6.0;
    preset.kickedRotorInitialState.yCenter = 0.0;
    preset.kickedRotorInitialState.ySigma = 1.5;
    preset.kickedRotorInitialState.initialMomentumMode = 0;
    return preset;
}

ExperimentPreset quantumZeno()
{
    ExperimentPreset preset = experimentPreset(36, 40.96, 20.48, 1);
    addRectangleObjectToPreset(preset, 0.0, 0.0, 40.96, 0.64, 120.0);  // lane divider
    addRectangleObjectToPreset(preset, 0.0, 9.76, 40.96, 0.48, 120.0); // outer walls
    addRectangleObjectToPreset(preset, 0.0, -9.76, 40.96, 0.48, 120.0);
    addRectangleObjectToPreset(preset, -9.0, 4.8, 0.64, 8.6, 120.0); // back walls
    addRectangleObjectToPreset(preset, -9.0, -4.8, 0.64, 8.6, 120.0);
    addRectangleObjectToPreset(preset, 0.0, 4.8, 0.8, 8.6, 4.0); // escape barriers
    addRectangleObjectToPreset(preset, 0.0, -4.8, 0.8, 8.6, 4.0);
    setAbsorbingLayer(preset, 0.12, 5.0);
    setPacket(preset, -5.5, 0.0, 0.8, 1.5, 0.0);
    setDisplay(preset, 1, false, 1);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::QuantumZeno);
    ZenoConfig& zeno = preset.quantumZeno;
    zeno.enabled = true;
    zeno.firstMeasurementTime = 0.4;
    zeno.measurementPeriod = 0.1;
    zeno.laneSplitY = 0.0;
    zeno.survivalBoundaryX = 0.4;
    zeno.edgeWidth = 0.32;
    ZenoInitialStateConfig& lanes = preset.quantumZenoInitialState;
    lanes.centerX = -5.5;
    lanes.controlLaneY = 4.8;
    lanes.watchedLaneY = -4.8;
    lanes.relativePhaseDegrees = 0.0;
    return preset;
}

ExperimentPreset quantumScars()
{
    ExperimentPreset preset = experimentPreset(37, 24.0, 16.0, 0);
    addStadiumExterior(preset, 8.0, 4.5, 120.0);
    setPacket(preset, -3.0, 0.0, 0.7, 4.0, 0.0);
    setGeometry(preset, 11);
    setDisplay(preset, 1, true, 0);
    preset.sceneActive = true;
    preset.quantumScar.enabled = true;
    preset.quantumScar.orbitBandHalfWidth = 0.8;
    preset.quantumScar.referenceEnergy = 9.5;
    return preset;
}

ExperimentPreset berryPhase()
{
    ExperimentPreset preset = startPreset(38);
    // The isotropic trap that the rotating quadrupole deforms.
    addHarmonicTrap(preset, 1.0, 1.0);
    setDomain(preset, 16.0, 16.0, 0, 0);
    setPacket(preset, 0.0, 0.0, 1.0, 0.0, 0.0);
    preset.mass = 1.0;
    setGeometry(preset, 8);
    preset.paletteIndex = 0;
    setDisplay(preset, 0, false, 1);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::BerryFirstExcited);
    BerryConfig& berry = preset.quantumBerry;
    berry.enabled = true;
    berry.anisotropy = 0.35;
    berry.startTime = 0.0;
    berry.duration = 240.0;
    berry.winding = 1;
    return preset;
}

ExperimentPreset moshinskyShutter()
{
    ExperimentPreset preset = experimentPreset(40, 40.96, 20.48, 1);
    const std::uint64_t shutterId = addBarrier(preset, 0.0, 0.0, 19.0, 0.32, 120.0);
    setAbsorbingLayer(preset, 0.12, 7.0);
    setPacket(preset, -8.0, 0.0, 3.2, 3.0, 0.0);
    setGeometry(preset, 3, 120.0, 0.0, 0.0, 0.32, 19.0);
    setDisplay(preset, 1, true, 1);
    preset.sceneActive = true;
    setPreparation(preset, InitialPreparationType::MoshinskyShutter);
    MoshinskyInitialStateConfig& state = preset.moshinskyInitialState;
    state.enabled = true;
    state.shutterX = 0.0;
    state.envelopeCenterX = -8.0;
    state.envelopeSigmaX = 8.0;
    state.centerY = 0.0;
    state.edgeWidth = 0.18;
    MoshinskyConfig& shutter = preset.quantumMoshinsky;
    shutter.enabled = true;
    shutter.shutterObjectId = shutterId;
    shutter.openTime = 0.0;
    shutter.detectorX = 3.0;
    shutter.analysisEndTime = 6.0;
    return preset;
}

ExperimentPreset kapitzaDirac()
{
    ExperimentPreset preset = experimentPreset(41, 40.96, 40.96, 1);
    setAbsorbingLayer(preset, 0.12, 7.0);
    setPacket(preset, 0.0, -6.5, 1.25, 0.0, 1.1);
    setDisplay(preset, 1, true, 1);
    setPreparation(preset, InitialPreparationType::KapitzaDiracBeam);
    KapitzaDiracInitialStateConfig& beam = preset.kapitzaDiracInitialState;
    beam.sigmaX = 5.0;
    beam.sigmaY = 1.25;
    beam.momentumX = 0.0;
    beam.momentumY = 1.1;
    KapitzaDiracConfig& light = preset.quantumKapitzaDirac;
    light.enabled = true;
    light.latticePeriod = 4.096;
    light.latticeDepth = 16.0;
    light.pulseDuration = 0.3;
    light.analysisEndTime = 4.0;
    light.maximumOrder = 4;
    return preset;
}

ExperimentPreset aharonovBohm()
{
    ExperimentPreset preset = experimentPreset(42, 40.96, 40.96, 1);
    // Cells of 0.16, where the magnetic step's three-point kinetic term
    // carries the packet's k = 4 at sin(k dx) / (m dx), 6.7% slow: the page
    // passes it on. On cells of 0.08 (1.7% slow) the solenoid's wall asks for
    // three times the sub-steps, and one step takes longer than a tick.
    setAbsorbingLayer(preset, 0.12, 7.0);
    setPacket(preset, -8.0, 0.0, 2.2, 4.0, 0.0);
    setDisplay(preset, 1, false, 1);
    setPreparation(preset, InitialPreparationType::AharonovBohmBeam);
    AharonovBohmConfig& tube = preset.quantumAharonovBohm;
    tube.enabled = true;
    tube.solenoidX = 0.0;
    tube.solenoidY = 0.0;
    tube.solenoidRadius = 1.25;
    tube.fluxQuanta = 0.5;
    tube.barrierHeight = 140.0;
    tube.detectorX = 7.0;
    tube.analysisEndTime = 5.0;
    return preset;
}

ExperimentPreset landauCyclotron()
{
    ExperimentPreset preset = experimentPreset(43, 40.96, 40.96, 1);
    setPacket(preset, -5.0, 0.0, 1.5, 0.0, 1.125);
    setDisplay(preset, 1, false);
    setPreparation(preset, InitialPreparationType::LandauMagneticState);
    LandauConfig& landau = preset.quantumLandau;
    landau.enabled = true;
    landau.fieldStrength = 0.45;
    landau.preparationMode = 0;
    landau.orbitRadius = 5.0;
    landau.analysisEndTime = 15.0;
    return preset;
}

ExperimentPreset quantumHallEdge()
{
    ExperimentPreset preset = experimentPreset(44, 40.96, 40.96, 1);
    setPacket(preset, 0.0, -5.3, 1.1, 3.0825, 0.0);
    setDisplay(preset, 1, true, 1);
    setPreparation(preset, InitialPreparationType::QuantumHallEdgeState);
    HallEdgeConfig& edge = preset.quantumHallEdge;
    edge.enabled = true;
    edge.fieldStrength = 0.45;
    edge.edgeY = -8.0;
    edge.wallHeight = 120.0;
    edge.launchY = -5.3;
    edge.orbitRadius = 4.2;
    edge.packetSigma = 1.1;
    edge.edgeBand = 4.0;
    edge.analysisEndTime = 8.0;
    return preset;
}

ExperimentPreset quantumBackflow()
{
    ExperimentPreset preset = experimentPreset(45, 40.96, 40.96, 0);
    setPacket(preset, -1.8, 0.0, 2.5, 0.8, 0.0);
    setDisplay(preset, 1, true, 0);
    setPreparation(preset, InitialPreparationType::QuantumBackflowState);
    BackflowConfig& backflow = preset.quantumBackflow;
    backflow.enabled = true;
    backflow.detectorX = 0.0;
    backflow.slowWaveNumber = 0.35;
    backflow.fastWaveNumber = 1.3;
    backflow.momentumSigma = 0.3;
    backflow.fastAmplitudeRatio = 0.52;
    backflow.relativePhaseDegrees = 180.0;
    backflow.initialCenterX = -1.8;
    backflow.transverseSigma = 2.5;
    backflow.analysisEndTime = 4.0;
    return preset;
}

// ---------------------------------------------------------------------------
// Dirac presets (46 to 53): the packet controls mirror the Dirac packet.

struct DiracPacket {
    double centerX;
    double centerY;
    double sigma;
    double momentumX;
    double momentumY;
};

ExperimentPreset diracPreset(std::uint32_t index, std::uint32_t boundaryModeIndex, const DiracPacket& packet,
                             double mass)
{
    ExperimentPreset preset = experimentPreset(index, 40.96, 40.96, boundaryModeIndex);
    setPacket(preset, packet.centerX, packet.centerY, packet.sigma, packet.momentumX, packet.momentumY);
    preset.mass = mass;
    setDisplay(preset, 1, false);
    return preset;
}

// Enables a Dirac experiment whose packet, of the given rest mass at light
// speed 1, is the one the packet controls show.
template <typename DiracConfig>
void enableDiracPacket(DiracConfig& dirac, const DiracPacket& packet, double restMass)
{
    dirac.enabled = true;
    dirac.lightSpeed = 1.0;
    dirac.restMass = restMass;
    dirac.centerX = packet.centerX;
    dirac.centerY = packet.centerY;
    dirac.sigma = packet.sigma;
    dirac.momentumX = packet.momentumX;
    dirac.momentumY = packet.momentumY;
}

ExperimentPreset zitterbewegung()
{
    const DiracPacket packet{-6.0, 0.0, 3.5, 0.5, 0.0};
    const double restMass = 0.5;
    ExperimentPreset preset = diracPreset(46, 0, packet, restMass);
    // The two energy branches run apart, and on a box 40.96 wide their ends
    // meet across the periodic edge near t = 6. Twice that width keeps the
    // whole window of 12 clear of the wrap; along y nothing the page reads
    // wraps.
    preset.universeWidth = 81.92;
    setPreparation(preset, InitialPreparationType::DiracZitterbewegungState);
    ZitterbewegungConfig& dirac = preset.quantumZitterbewegung;
    enableDiracPacket(dirac, packet, restMass);
    dirac.preparationMode = 0;
    dirac.analysisEndTime = 12.0;
    return preset;
}

struct KleinBarrier {
    double width;
    double height;
    double detectorX;
    double analysisEndTime;
};

// The packet mass control equals the Dirac rest mass except in the massless
// preset, whose packet control keeps the massive control value.
ExperimentPreset kleinPreset(std::uint32_t index, const DiracPacket& packet, double packetMass, double restMass,
                             const KleinBarrier& barrier)
{
    ExperimentPreset preset = diracPreset(index, 1, packet, packetMass);
    setAbsorbingLayer(preset, 0.12, 5.0);
    setPreparation(preset, InitialPreparationType::DiracKleinTunnelingState);
    KleinTunnelingConfig& klein = preset.quantumKleinTunneling;
    enableDiracPacket(klein, packet, restMass);
    klein.barrierCenterX = 0.0;
    klein.barrierWidth = barrier.width;
    klein.barrierHeight = barrier.height;
    klein.detectorX = barrier.detectorX;
    klein.analysisEndTime = barrier.analysisEndTime;
    return preset;
}

ExperimentPreset kleinCatalogueEntry(std::uint32_t index)
{
    const DiracPacket normalIncidence{-10.0, 0.0, 2.2, 1.5, 0.0};
    // |p| = 1.5 at 35 degrees, launched below the axis so that it meets the
    // barrier near the centre.
    const DiracPacket obliqueIncidence{-10.0, -5.6, 2.2, 1.228728066433, 0.860364654527};
    const DiracPacket longBarrierPacket{-12.0, 0.0, 1.8, 1.5, 0.0};
    // At m = 0.4 the same total energy sqrt(p^2 + m^2) as the m = 0.05 packets at p = 1.5.
    const DiracPacket massScanPacket{-12.0, 0.0, 1.8, 1.446547614149, 0.0};
    const DiracPacket masslessPacket{-10.0, 0.0, 3.0, 1.5, 0.0};
    switch (index) {
    case 47:
        return kleinPreset(47, normalIncidence, 0.05, 0.05, {3.0, 3.2, 6.0, 16.0});
    case 48:
        return kleinPreset(48, normalIncidence, 0.05, 0.05, {3.0, 1.5, 6.0, 16.0});
    case 49:
        return kleinPreset(49, obliqueIncidence, 0.05, 0.05, {3.0, 3.2, 6.0, 22.0});
    case 50:
        return kleinPreset(50, normalIncidence, 0.05, 0.05, {3.0, 3.2, 6.0, 18.0});
    case 51:
        return kleinPreset(51, longBarrierPacket, 0.05, 0.05, {9.0, 3.2, 7.0, 26.0});
    case 52:
        return kleinPreset(52, massScanPacket, 0.4, 0.4, {9.0, 2.0, 7.0, 26.0});
    default:
        return kleinPreset(53, masslessPacket, 0.05, 0.0, {3.0, 3.2, 6.0, 20.0});
    }
}

} // namespace

ExperimentPreset buildCataloguePreset(std::uint32_t index)
{
    switch (index) {
    case 0:
        return freeWavePacket();
    case 1:
        return barrierPreset(1, 2.0, 0);
    case 2:
        return barrierPreset(2, 4.5, 1);
    case 3:
        return singleSlit();
    case 4:
        return doubleSlit();
    case 5:
        return circularObstacle();
    case 6:
        return wedgeDiffraction();
    case 7:
        return resonantTunneling();
    case 8:
        return harmonicTrap();
    case 9:
        return gaussianWell();
    case 10:
        return finiteQuantumWell();
    case 11:
        return measurementCollapse();
    case 12:
        return coherentDoubleWell();
    case 13:
        return quantumQuench();
    case 14:
        return drivenHarmonicTrap(false);
    case 15:
        return drivenHarmonicTrap(true);
    case 16:
        return drivenDoubleWell(false);
    case 17:
        return drivenDoubleWell(true);
    case 18:
        return landauZenerSweep(false);
    case 19:
        return landauZenerSweep(true);
    case 20:
        return stueckelberg(20, 4.0);
    case 21:
        return stueckelberg(21, 7.0);
    case 22:
        return ramsey(true);
    case 23:
        return ramsey(false);
    case 24:
        return hahnEcho();
    case 25:
        return hahnEchoEnsemble(false);
    case 26:
        return hahnEchoEnsemble(true);
    case 27:
        return blochOscillations();
    case 28:
        return wavepacketRevivals();
    case 29:
        return billiard(false);
    case 30:
        return billiard(true);
    case 31:
        return quantumTalbot();
    case 32:
        return quantumBouncer();
    case 33:
        return quantumVortex();
    case 34:
        return andersonLocalization();
    case 35:
        return kickedRotor();
    case 36:
        return quantumZeno();
    case 37:
        return quantumScars();
    case 38:
        return berryPhase();
    case 39:
        return loschmidtEcho();
    case 40:
        return moshinskyShutter();
    case 41:
        return kapitzaDirac();
    case 42:
        return aharonovBohm();
    case 43:
        return landauCyclotron();
    case 44:
        return quantumHallEdge();
    case 45:
        return quantumBackflow();
    case 46:
        return zitterbewegung();
    default:
        return kleinCatalogueEntry(index);
    }
}

} // namespace vxo
