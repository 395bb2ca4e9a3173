// Loading the guided experiments of the library: every preset of the catalogue
// turns the form, the display, the run speed and the analysis page into the
// experiment and runs; the two loader faults (identity after the rebuild,
// unwired stadium page) stay mended.

#include "common/AppTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "document/PresetGuides.h"
#include "document/ExperimentCatalogue.h"
#include "view/DisplayPreset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using Expected = std::function<std::optional<double>(const ExperimentPreset&)>;

// A control of the form and the value the preset gives it (none: the preset
// leaves the control alone).
struct ControlRow {
    const char* name;
    Expected value;
};

#define PRESET(member) [](const ExperimentPreset& p) -> std::optional<double> { return double(p.member); }
// The geometry page of a preset without a scene; with a scene the page is the
// inspector of the scene's first object.
#define GEOMETRY(index, member)                                                                                        \
    [](const ExperimentPreset& p) -> std::optional<double> {                                                           \
        return p.scene.empty() && p.geometryIndex == (index) ? std::optional<double>(p.member) : std::nullopt;         \
    }

const ControlRow kControls[] = {
    {"universeWidthSpinBox", PRESET(universeWidth)},
    {"universeHeightSpinBox", PRESET(universeHeight)},
    {"gridResolutionComboBox", PRESET(gridResolutionIndex)},
    {"boundaryModeComboBox", PRESET(boundaryModeIndex)},
    {"absorbingWidthSpinBox", PRESET(absorbingWidthFraction)},
    {"absorbingStrengthSpinBox", PRESET(absorbingStrength)},
    {"centerXSpinBox", PRESET(packetCenterX)},
    {"centerYSpinBox", PRESET(packetCenterY)},
    {"sigmaSpinBox", PRESET(packetSigma)},
    {"momentumSpinBox", PRESET(packetMomentumX)},
    {"momentumYSpinBox", PRESET(packetMomentumY)},
    {"massSpinBox", PRESET(mass)},
    {"collapseResolutionSpinBox", PRESET(measurementCollapseResolution)},
    {"geometryComboBox",
     [](const ExperimentPreset& p) -> std::optional<double> {
         return p.scene.empty() ? double(p.geometryIndex) : double(p.scene.objects().front().kind);
     }},
    {"rectangleV0SpinBox", GEOMETRY(1, geometryV0)},
    {"rectangleCenterXSpinBox", GEOMETRY(1, geometryCenterX)},
    {"rectangleCenterYSpinBox", GEOMETRY(1, geometryCenterY)},
    {"rectangleWidthSpinBox", GEOMETRY(1, geometrySizeA)},
    {"rectangleHeightSpinBox", GEOMETRY(1, geometrySizeB)},
    {"circleV0SpinBox", GEOMETRY(2, geometryV0)},
    {"circleCenterXSpinBox", GEOMETRY(2, geometryCenterX)},
    {"circleCenterYSpinBox", GEOMETRY(2, geometryCenterY)},
    {"circleRadiusSpinBox", GEOMETRY(2, geometrySizeA)},
    {"barrierV0SpinBox", GEOMETRY(3, geometryV0)},
    {"barrierCenterXSpinBox", GEOMETRY(3, geometryCenterX)},
    {"barrierCenterYSpinBox", GEOMETRY(3, geometryCenterY)},
    {"barrierThicknessSpinBox", GEOMETRY(3, geometrySizeA)},
    {"barrierLengthSpinBox", GEOMETRY(3, geometrySizeB)},
    {"singleSlitV0SpinBox", GEOMETRY(4, geometryV0)},
    {"singleSlitCenterXSpinBox", GEOMETRY(4, geometryCenterX)},
    {"singleSlitCenterYSpinBox", GEOMETRY(4, geometryCenterY)},
    {"singleSlitWallWidthSpinBox", GEOMETRY(4, geometrySizeA)},
    {"singleSlitHeightSpinBox", GEOMETRY(4, geometrySizeC)},
    {"doubleSlitV0SpinBox", GEOMETRY(5, geometryV0)},
    {"doubleSlitCenterXSpinBox", GEOMETRY(5, geometryCenterX)},
    {"doubleSlitCenterYSpinBox", GEOMETRY(5, geometryCenterY)},
    {"doubleSlitWallWidthSpinBox", GEOMETRY(5, geometrySizeA)},
    {"doubleSlitSeparationSpinBox", GEOMETRY(5, geometrySizeC)},
    {"doubleSlitHeightSpinBox", GEOMETRY(5, geometrySizeD)},
    {"polygonV0SpinBox", GEOMETRY(6, geometryV0)},
    {"polygonCenterXSpinBox", GEOMETRY(6, geometryCenterX)},
    {"polygonCenterYSpinBox", GEOMETRY(6, geometryCenterY)},
    {"polygonWidthSpinBox", GEOMETRY(6, geometrySizeA)},
    {"polygonHeightSpinBox", GEOMETRY(6, geometrySizeB)},
    {"potentialSceneActiveCheckBox",
     [](const ExperimentPreset& p) -> std::optional<double> { return p.sceneActive && !p.scene.empty(); }},
    {"viewComboBox", PRESET(viewIndex)},
    {"paletteComboBox",
     [](const ExperimentPreset& p) -> std::optional<double> {
         // A named display preset brings its own palette.
         return p.graphicsPresetIndex <= 2 ? displayPresetValues(std::int32_t(p.graphicsPresetIndex)).palette
                                           : double(p.paletteIndex);
     }},
    {"currentOverlayCheckBox", PRESET(currentOverlay)},
    {"currentModeComboBox", PRESET(currentModeIndex)},
    {"graphicsPresetComboBox", PRESET(graphicsPresetIndex)},
    {"quenchEnabledCheckBox", PRESET(quantumQuench.enabled)},
    {"quenchParameterComboBox", PRESET(quantumQuench.parameter)},
    {"quenchTimeSpinBox", PRESET(quantumQuench.time)},
    {"quenchBeforeSpinBox", PRESET(quantumQuench.before)},
    {"quenchAfterSpinBox", PRESET(quantumQuench.after)},
    {"periodicDriveEnabledCheckBox", PRESET(periodicDrive.enabled)},
    {"periodicDriveParameterComboBox", PRESET(periodicDrive.parameter)},
    {"periodicDriveMeanSpinBox", PRESET(periodicDrive.mean)},
    {"periodicDriveAmplitudeSpinBox", PRESET(periodicDrive.amplitude)},
    {"periodicDriveOmegaSpinBox", PRESET(periodicDrive.angularFrequency)},
    {"periodicDrivePhaseSpinBox", PRESET(periodicDrive.phaseDegrees)},
    {"linearSweepEnabledCheckBox", PRESET(linearSweep.enabled)},
    {"linearSweepParameterComboBox", PRESET(linearSweep.parameter)},
    {"linearSweepStartValueSpinBox", PRESET(linearSweep.startValue)},
    {"linearSweepEndValueSpinBox", PRESET(linearSweep.endValue)},
    {"linearSweepStartTimeSpinBox", PRESET(linearSweep.startTime)},
    {"linearSweepDurationSpinBox", PRESET(linearSweep.duration)},
    {"linearSweepReturnCheckBox", PRESET(linearSweep.returnEnabled)},
    {"linearSweepHoldDurationSpinBox", PRESET(linearSweep.holdDuration)},
    {"linearSweepReturnDurationSpinBox", PRESET(linearSweep.returnDuration)},
    {"ramseyEnabledCheckBox", PRESET(ramseySequence.enabled)},
    {"ramseyParameterComboBox", PRESET(ramseySequence.parameter)},
    {"ramseyMeanSpinBox", PRESET(ramseySequence.mean)},
    {"ramseyAmplitudeSpinBox", PRESET(ramseySequence.amplitude)},
    {"ramseyOmegaSpinBox", PRESET(ramseySequence.angularFrequency)},
    {"ramseyFirstPhaseSpinBox", PRESET(ramseySequence.firstPhaseDegrees)},
    {"ramseySecondPhaseSpinBox", PRESET(ramseySequence.secondPhaseDegrees)},
    {"ramseyStartTimeSpinBox", PRESET(ramseySequence.startTime)},
    {"ramseyPulseDurationSpinBox", PRESET(ramseySequence.pulseDuration)},
    {"ramseyFreeDurationSpinBox", PRESET(ramseySequence.freeEvolutionDuration)},
    {"ramseyEchoEnabledCheckBox", PRESET(ramseySequence.echoEnabled)},
    {"ramseyEchoDurationSpinBox", PRESET(ramseySequence.echoPulseDuration)},
    {"ramseyEchoPhaseSpinBox", PRESET(ramseySequence.echoPulsePhaseDegrees)},
    {"ramseyEnsembleEnabledCheckBox", PRESET(ramseyEnsemble.enabled)},
    {"ramseyEnsembleSigmaSpinBox", PRESET(ramseyEnsemble.detuningStdDev)},
    {"ramseyEnsembleMembersSpinBox", PRESET(ramseyEnsemble.memberCount)},
    {"kickedRotorPeriodSpinBox", PRESET(kickedRotor.kickPeriod)},
    {"kickedRotorStrengthSpinBox", PRESET(kickedRotor.phaseStrength)},
    {"zenoMeasurementPeriodSpinBox", PRESET(quantumZeno.measurementPeriod)},
    {"scarBandSpinBox", PRESET(quantumScar.orbitBandHalfWidth)},
    {"scarEnergySpinBox", PRESET(quantumScar.referenceEnergy)},
    {"berryEnabledCheckBox", PRESET(quantumBerry.enabled)},
    {"berryAnisotropySpinBox", PRESET(quantumBerry.anisotropy)},
    {"berryStartTimeSpinBox", PRESET(quantumBerry.startTime)},
    {"berryDurationSpinBox", PRESET(quantumBerry.duration)},
    {"berryWindingComboBox",
     [](const ExperimentPreset& p) -> std::optional<double> { return p.quantumBerry.winding < 0 ? 1 : 0; }},
    {"loschmidtEnabledCheckBox", PRESET(quantumLoschmidt.enabled)},
    {"loschmidtTimeSpinBox", PRESET(quantumLoschmidt.reversalTime)},
    {"loschmidtMomentumErrorXSpinBox", PRESET(quantumLoschmidt.momentumErrorX)},
    {"loschmidtMomentumErrorYSpinBox", PRESET(quantumLoschmidt.momentumErrorY)},
    {"moshinskyEnabledCheckBox", PRESET(quantumMoshinsky.enabled)},
    {"moshinskyOpenTimeSpinBox", PRESET(quantumMoshinsky.openTime)},
    {"moshinskyDetectorXSpinBox", PRESET(quantumMoshinsky.detectorX)},
    {"moshinskyAnalysisEndTimeSpinBox", PRESET(quantumMoshinsky.analysisEndTime)},
    {"kapitzaDiracEnabledCheckBox", PRESET(quantumKapitzaDirac.enabled)},
    {"kapitzaDiracPeriodSpinBox", PRESET(quantumKapitzaDirac.latticePeriod)},
    {"kapitzaDiracDepthSpinBox", PRESET(quantumKapitzaDirac.latticeDepth)},
    {"kapitzaDiracPhaseSpinBox", PRESET(quantumKapitzaDirac.latticePhaseDegrees)},
    {"kapitzaDiracStartSpinBox", PRESET(quantumKapitzaDirac.pulseStartTime)},
    {"kapitzaDiracDurationSpinBox", PRESET(quantumKapitzaDirac.pulseDuration)},
    {"kapitzaDiracAnalysisEndSpinBox", PRESET(quantumKapitzaDirac.analysisEndTime)},
    {"kapitzaDiracOrderSpinBox", PRESET(quantumKapitzaDirac.maximumOrder)},
    {"aharonovBohmEnabledCheckBox", PRESET(quantumAharonovBohm.enabled)},
    {"aharonovBohmCenterXSpinBox", PRESET(quantumAharonovBohm.solenoidX)},
    {"aharonovBohmCenterYSpinBox", PRESET(quantumAharonovBohm.solenoidY)},
    {"aharonovBohmRadiusSpinBox", PRESET(quantumAharonovBohm.solenoidRadius)},
    {"aharonovBohmFluxSpinBox", PRESET(quantumAharonovBohm.fluxQuanta)},
    {"aharonovBohmBarrierSpinBox", PRESET(quantumAharonovBohm.barrierHeight)},
    {"aharonovBohmDetectorXSpinBox", PRESET(quantumAharonovBohm.detectorX)},
    {"aharonovBohmAnalysisEndSpinBox", PRESET(quantumAharonovBohm.analysisEndTime)},
    {"landauEnabledCheckBox", PRESET(quantumLandau.enabled)},
    {"landauFieldSpinBox", PRESET(quantumLandau.fieldStrength)},
    {"landauPreparationComboBox", PRESET(quantumLandau.preparationMode)},
    {"landauIndexSpinBox", PRESET(quantumLandau.landauIndex)},
    {"landauOrbitRadiusSpinBox", PRESET(quantumLandau.orbitRadius)},
    {"landauAnalysisEndSpinBox", PRESET(quantumLandau.analysisEndTime)},
    {"hallEdgeEnabledCheckBox", PRESET(quantumHallEdge.enabled)},
    {"hallEdgeFieldSpinBox", PRESET(quantumHallEdge.fieldStrength)},
    {"hallEdgeYSpinBox", PRESET(quantumHallEdge.edgeY)},
    {"hallEdgeWallSpinBox", PRESET(quantumHallEdge.wallHeight)},
    {"hallEdgeLaunchYSpinBox", PRESET(quantumHallEdge.launchY)},
    {"hallEdgeRadiusSpinBox", PRESET(quantumHallEdge.orbitRadius)},
    {"hallEdgeSigmaSpinBox", PRESET(quantumHallEdge.packetSigma)},
    {"hallEdgeBandSpinBox", PRESET(quantumHallEdge.edgeBand)},
    {"hallEdgeAnalysisEndSpinBox", PRESET(quantumHallEdge.analysisEndTime)},
    {"backflowEnabledCheckBox", PRESET(quantumBackflow.enabled)},
    {"backflowDetectorSpinBox", PRESET(quantumBackflow.detectorX)},
    {"backflowSlowKSpinBox", PRESET(quantumBackflow.slowWaveNumber)},
    {"backflowFastKSpinBox", PRESET(quantumBackflow.fastWaveNumber)},
    {"backflowKSigmaSpinBox", PRESET(quantumBackflow.momentumSigma)},
    {"backflowRatioSpinBox", PRESET(quantumBackflow.fastAmplitudeRatio)},
    {"backflowPhaseSpinBox", PRESET(quantumBackflow.relativePhaseDegrees)},
    {"backflowCenterXSpinBox", PRESET(quantumBackflow.initialCenterX)},
    {"backflowTransverseSigmaSpinBox", PRESET(quantumBackflow.transverseSigma)},
    {"backflowAnalysisEndSpinBox", PRESET(quantumBackflow.analysisEndTime)},
    {"zitterEnabledCheckBox", PRESET(quantumZitterbewegung.enabled)},
    {"zitterLightSpeedSpinBox", PRESET(quantumZitterbewegung.lightSpeed)},
    {"zitterMassSpinBox", PRESET(quantumZitterbewegung.restMass)},
    {"zitterCenterXSpinBox", PRESET(quantumZitterbewegung.centerX)},
    {"zitterCenterYSpinBox", PRESET(quantumZitterbewegung.centerY)},
    {"zitterSigmaSpinBox", PRESET(quantumZitterbewegung.sigma)},
    {"zitterMomentumXSpinBox", PRESET(quantumZitterbewegung.momentumX)},
    {"zitterMomentumYSpinBox", PRESET(quantumZitterbewegung.momentumY)},
    {"zitterPreparationComboBox", PRESET(quantumZitterbewegung.preparationMode)},
    {"zitterAnalysisEndSpinBox", PRESET(quantumZitterbewegung.analysisEndTime)},
    {"kleinEnabledCheckBox", PRESET(quantumKleinTunneling.enabled)},
    {"kleinLightSpeedSpinBox", PRESET(quantumKleinTunneling.lightSpeed)},
    {"kleinMassSpinBox", PRESET(quantumKleinTunneling.restMass)},
    {"kleinCenterXSpinBox", PRESET(quantumKleinTunneling.centerX)},
    {"kleinSigmaSpinBox", PRESET(quantumKleinTunneling.sigma)},
    {"kleinPxSpinBox", PRESET(quantumKleinTunneling.momentumX)},
    {"kleinPySpinBox", PRESET(quantumKleinTunneling.momentumY)},
    {"kleinBarrierCenterSpinBox", PRESET(quantumKleinTunneling.barrierCenterX)},
    {"kleinBarrierWidthSpinBox", PRESET(quantumKleinTunneling.barrierWidth)},
    {"kleinBarrierHeightSpinBox", PRESET(quantumKleinTunneling.barrierHeight)},
    {"kleinDetectorXSpinBox", PRESET(quantumKleinTunneling.detectorX)},
    {"kleinAnalysisEndSpinBox", PRESET(quantumKleinTunneling.analysisEndTime)},
};

#undef PRESET
#undef GEOMETRY

// The target combos of the enabled drive records name their objects.
struct TargetRow {
    const char* name;
    std::function<std::pair<bool, std::uint64_t>(const ExperimentPreset&)> target;
};
const TargetRow kTargets[] = {
    {"quenchTargetComboBox",
     [](const ExperimentPreset& p) { return std::pair(p.quantumQuench.enabled, p.quantumQuench.targetObjectId); }},
    {"periodicDriveTargetComboBox",
     [](const ExperimentPreset& p) { return std::pair(p.periodicDrive.enabled, p.periodicDrive.targetObjectId); }},
    {"linearSweepTargetComboBox",
     [](const ExperimentPreset& p) { return std::pair(p.linearSweep.enabled, p.linearSweep.targetObjectId); }},
    {"ramseyTargetComboBox",
     [](const ExperimentPreset& p) { return std::pair(p.ramseySequence.enabled, p.ramseySequence.targetObjectId); }},
    {"moshinskyTargetComboBox",
     [](const ExperimentPreset& p) {
         return std::pair(p.quantumMoshinsky.enabled, p.quantumMoshinsky.shutterObjectId);
     }},
};

// The strength box of each page, by object kind.
const char* const kStrengthBoxes[12] = {
    nullptr,
    "rectangleV0SpinBox",
    "circleV0SpinBox",
    "barrierV0SpinBox",
    "singleSlitV0SpinBox",
    "doubleSlitV0SpinBox",
    "polygonV0SpinBox",
    "gaussianAmplitudeSpinBox",
    "harmonicOffsetSpinBox",
    "linearOffsetSpinBox",
    "radialCouplingSpinBox",
    "stadiumV0SpinBox",
};

// Values the form cannot hold, clamped to the control's range as the loader
// writes them: a Bloch packet wider than the packet page allows (its period
// is set by the lattice and the force, not by the width), the Dirac presets'
// packet mass, unused by the Dirac runs, which take the Klein rest mass, and
// the start of a switched-off Klein packet, whose box follows a universe
// smaller than its default position.
bool clampedByTheForm(const ExperimentPreset& preset, int index, const std::string& control)
{
    return (index == 27 && control == "sigmaSpinBox") || (index >= 47 && index <= 53 && control == "massSpinBox") ||
           (!preset.quantumKleinTunneling.enabled && control == "kleinCenterXSpinBox");
}

// Run speed entry each preset sets; -1 where the user's speed stays.
int expectedSpeedIndex(int preset)
{
    if (preset == 31 || preset == 45 || preset == 46)
        return 3;
    if ((preset >= 27 && preset <= 37) || (preset >= 40 && preset <= 42) || preset >= 47)
        return 4;
    if (preset == 39 || preset == 43 || preset == 44)
        return 5;
    if (preset == 38)
        return 6;
    return -1;
}

const char* const kAnalysisPages[34] = {
    "timeSeriesTab",    "resonanceTab",     "boundStatesTab",    "doubleWellTab",
    "quenchTab",        "periodicDriveTab", "rabiTab",           "landauZenerTab",
    "stueckelbergTab",  "ramseyTab",        "blochTab",          "revivalsTab",
    "billiardsTab",     "talbotTab",        "bouncerTab",        "vortexTab",
    "andersonTab",      "kickedRotorTab",   "zenoTab",           "scarsTab",
    "berryTab",         "loschmidtTab",     "moshinskyTab",      "kapitzaDiracTab",
    "aharonovBohmTab",  "landauTab",        "hallEdgeTab",       "backflowTab",
    "zitterTab",        "kleinTab",         "kleinAngleScanTab", "kleinHeightScanTab",
    "kleinMassScanTab", "diracMasslessTab",
};

// The control's value as a number: spin box value, combo index, check state.
std::optional<double> controlValue(const QObject* control, int& decimals)
{
    decimals = 0;
    if (const auto* box = qobject_cast<const QDoubleSpinBox*>(control)) {
        decimals = box->decimals();
        return box->value();
    }
    if (const auto* box = qobject_cast<const QSpinBox*>(control))
        return box->value();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->isChecked() ? 1.0 : 0.0;
    return std::nullopt;
}

// sum |psi|^2 dx dy, and the part of it within `margin` of the grid's edges.
std::pair<double, double> normAndEdgeProbability(const ComplexField2D& field, double margin)
{
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    const double dx = field.dx();
    const double dy = field.dy();
    const double halfWidth = 0.5 * double(nx) * dx - margin;
    const double halfHeight = 0.5 * double(ny) * dy - margin;
    double total = 0.0;
    double edge = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double y = (double(j) - 0.5 * double(ny - 1)) * dy;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double x = (double(i) - 0.5 * double(nx - 1)) * dx;
            const double p = std::norm(field.data()[j * nx + i]) * dx * dy;
            total += p;
            if (std::abs(x) > halfWidth || std::abs(y) > halfHeight)
                edge += p;
        }
    }
    return {total, edge};
}

bool allFinite(const ComplexField2D& field)
{
    const std::uint64_t count = field.nx() * field.ny();
    for (std::uint64_t i = 0; i < count; ++i)
        if (!std::isfinite(field.data()[i].real()) || !std::isfinite(field.data()[i].imag()))
            return false;
    return true;
}

// Every value of the form's spin boxes, combos, check boxes and tabs, and
// the run speed, by name; each combo's number of entries too, so that the
// bound-state selectors are compared by how many states they list.
using FormCapture = std::map<std::string, double>;
FormCapture captureForm(const MainWindow& w)
{
    FormCapture capture{{"run speed", w.transportClock().speed()}};
    for (const QWidget* widget : w.findChildren<QWidget*>()) {
        int decimals = 0;
        std::optional<double> value = controlValue(widget, decimals);
        if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
            value = tabs->currentIndex();
        if (value)
            capture[widget->objectName().toStdString()] = *value;
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            capture[widget->objectName().toStdString() + " entries"] = combo->count();
    }
    return capture;
}

std::string differences(const FormCapture& a, const FormCapture& b)
{
    std::string names;
    for (const auto& [name, value] : a)
        if (b.count(name) == 0 || b.at(name) != value)
            names += " " + name;
    return names;
}

// Every control but the user's own (library choice, help language) moved
// elsewhere with its signals blocked, as an earlier session might leave it.
void scrambleForm(MainWindow& w)
{
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        if (widget->objectName() == "experimentPresetComboBox" || widget->objectName() == "helpLanguageTabWidget")
            continue;
        const QSignalBlocker blocker(widget);
        if (auto* box = qobject_cast<QDoubleSpinBox*>(widget))
            box->setValue(box->minimum() + 0.377 * (box->maximum() - box->minimum()));
        else if (auto* box = qobject_cast<QSpinBox*>(widget))
            box->setValue(box->minimum() + (box->maximum() - box->minimum()) / 3);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex((combo->currentIndex() + 1) % std::max(combo->count(), 1));
        else if (auto* box = qobject_cast<QCheckBox*>(widget))
            box->setChecked(!box->isChecked());
        else if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            tabs->setCurrentIndex((tabs->currentIndex() + 1) % std::max(tabs->count(), 1));
    }
}

class GuidedLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window.reset(); }

    template <typename Widget>
    static Widget* child(const char* name)
    {
        auto* found = window->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> GuidedLoading::window;

TEST_F(GuidedLoading, EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore)
{
    auto* speed = child<QComboBox>("speedComboBox");
    auto* stack = child<QStackedWidget>("analysisStackedWidget");
    auto* title = child<QLabel>("analysisPageTitleLabel");
    ASSERT_TRUE(speed && stack && title);

    for (int index = 0; index < int(presetCount()); ++index) {
        const ExperimentPreset preset = makeExperimentPreset(std::uint32_t(index));
        // Each recorder experiment, from the first one (13) on, opens its analysis.
        auto* analysisDock = child<QDockWidget>("analysisDockWidget");
        if (index >= 13)
            analysisDock->hide();
        window->loadGuidedExperiment(index);
        const std::string where = "preset " + std::to_string(index) + " (" + preset.title + ")";
        const FormCapture afterPrevious = captureForm(*window);

        for (const ControlRow& row : kControls) {
            const std::optional<double> expected = row.value(preset);
            if (!expected)
                continue;
            const QObject* control = child<QObject>(row.name);
            int decimals = 0;
            const std::optional<double> actual = control ? controlValue(control, decimals) : std::nullopt;
            ASSERT_TRUE(actual) << row.name << " has no value";
            double want = *expected;
            if (clampedByTheForm(preset, index, row.name)) {
                const auto* box = qobject_cast<const QDoubleSpinBox*>(control);
                want = std::clamp(want, box->minimum(), box->maximum());
            }
            // The box rounds to its decimals (half a unit of the last digit).
            const double tolerance = 0.5 * std::pow(10.0, -decimals) + 1e-9;
            EXPECT_NEAR(*actual, want, decimals > 0 ? tolerance : 0.0) << where << ": " << row.name;
        }
        for (const TargetRow& row : kTargets) {
            const auto [enabled, id] = row.target(preset);
            if (!enabled)
                continue;
            const auto* combo = child<QComboBox>(row.name);
            ASSERT_NE(combo, nullptr);
            EXPECT_EQ(combo->currentData().toULongLong(), id) << where << ": " << row.name;
        }
        // The scene with the preset's ids (the drive records name them),
        // its first object in the inspector at full strength.
        const auto& objects = window->scene().objects();
        ASSERT_EQ(objects.size(), preset.scene.objects().size()) << where;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const PotentialObject& want = preset.scene.objects()[i];
            EXPECT_TRUE(objects[i].id == want.id && objects[i].kind == want.kind && objects[i].value == want.value &&
                        objects[i].centerX == want.centerX && objects[i].enabled == want.enabled)
                << where << ": scene object " << i;
        }
        EXPECT_EQ(window->scene().nextId(), preset.scene.nextId()) << where;
        EXPECT_NEAR(window->captureExperimentDocument().initialPreparation.relativePhaseDegrees,
                    child<QDoubleSpinBox>("boundRelativePhaseSpinBox")->value(), 0.05)
            << where << ": a save writes another relative phase than the one shown";
        if (!objects.empty()) {
            const auto kind = static_cast<std::size_t>(objects.front().kind);
            const auto* strength =
                kind < 12 && kStrengthBoxes[kind] ? child<QDoubleSpinBox>(kStrengthBoxes[kind]) : nullptr;
            ASSERT_NE(strength, nullptr) << where;
            EXPECT_NEAR(strength->value(), objects.front().value, 0.5 * std::pow(10.0, -strength->decimals()))
                << where << ": the inspector weakened the first object";
        }
        EXPECT_EQ(child<QComboBox>("spaceComboBox")->currentIndex(), index == 35 ? 1 : 0)
            << where << ": the kicked rotor alone is watched in momentum space";
        // A guide that says where the viewport opens names the space Load opens it in.
        const bool momentum = child<QComboBox>("spaceComboBox")->currentIndex() == 1;
        for (const QString& guide : {QString::fromUtf8(presetGuideEnglish(std::uint32_t(index))),
                                     QString::fromUtf8(presetGuideItalian(std::uint32_t(index)))}) {
            const bool saysMomentum = guide.contains(QLatin1String("opens in momentum space")) ||
                                      guide.contains(QLatin1String("si apre nello spazio degli impulsi"));
            const bool saysPosition = guide.contains(QLatin1String("opens in position space")) ||
                                      guide.contains(QLatin1String("si apre nello spazio delle posizioni"));
            EXPECT_FALSE(saysMomentum && !momentum) << where << ": the guide opens the viewport in momentum space";
            EXPECT_FALSE(saysPosition && momentum) << where << ": the guide opens the viewport in position space";
        }
        if (const int speedIndex = expectedSpeedIndex(index); speedIndex >= 0) {
            EXPECT_EQ(speed->currentIndex(), speedIndex) << where;
            EXPECT_DOUBLE_EQ(window->transportClock().speed(), TransportClock::speedOfChoice(speedIndex)) << where;
        }

        const char* page = kAnalysisPages[experimentPageForPreset(index)];
        EXPECT_EQ(stack->currentWidget()->objectName().toStdString(), page) << where;
        if (index >= 13) {
            EXPECT_FALSE(analysisDock->isHidden()) << where << ": the analysis dock stayed closed";
        }
        EXPECT_TRUE(title->text().startsWith(QStringLiteral("Experiment Analysis - "))) << where;
        EXPECT_EQ(window->statusBar()->currentMessage(),
                  QStringLiteral("Loaded guided experiment: %1").arg(QString::fromLatin1(preset.title)))
            << where;
        // The notice runs out: the status line of the stopped run comes back.
        window->statusBar()->clearMessage();
        EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QLatin1String("STOPPED | t=0.000 | step=0 |")))
            << where << ": " << window->statusBar()->currentMessage().toStdString();
        EXPECT_EQ(window->transportClock().state(), TransportState::Stopped) << where;
        EXPECT_EQ(window->schroedingerSolver().stepCount(), 0u) << where;

        // Twenty steps: finite, and the norm lost at most what lay within
        // reach of the absorbing layer (the fastest packets, c = 1 and
        // p = 8 at m = 1, cover less than 4 units in the 0.4 time units).
        const ComplexField2D& psi = window->waveField();
        ASSERT_FALSE(psi.empty()) << where;
        const double layer = preset.absorbingWidthFraction * std::max(preset.universeWidth, preset.universeHeight);
        const auto [norm0, reachable] = normAndEdgeProbability(psi, layer + 4.0);
        // Twenty steps in two ticks of the run timer: 16 at 16x, 4 at 4x.
        for (const int speedIndex : {6, 4}) {
            speed->setCurrentIndex(speedIndex);
            window->onSimulationTick();
        }
        EXPECT_EQ(window->schroedingerSolver().stepCount(), 20u) << where;
        ASSERT_TRUE(allFinite(window->waveField())) << where << ": NaN after 20 steps";
        if (!window->spinorField().isEmpty()) {
            EXPECT_TRUE(allFinite(window->spinorField().upper) && allFinite(window->spinorField().lower))
                << where << ": NaN in the spinor after 20 steps";
        }
        const double norm = normAndEdgeProbability(window->waveField(), 0.0).first;
        EXPECT_LE(norm, norm0 * (1.0 + 1e-3)) << where << ": the norm grew";
        EXPECT_GE(norm, norm0 - reachable - 1e-3 * norm0) << where << ": more lost than the layer could reach";

        // Loaded once after the previous preset and its run, once over a
        // form where every control differs: a load that kept anything of
        // what came before would not give the same form twice, and a new
        // window is just one more form it must not depend on.
        scrambleForm(*window);
        window->loadGuidedExperiment(index);
        const std::string changed = differences(afterPrevious, captureForm(*window));
        EXPECT_TRUE(changed.empty()) << where << ": loaded over another form, it differs in" << changed;
    }
}

TEST_F(GuidedLoading, BlochOscillationsAfterDoubleSlitAreThoseOfANewWindow)
{
    // Double Slit counts arrivals at a screen; Bloch oscillations watch a
    // snapshot and must not draw the slit's arrival curve over the lattice.
    constexpr int kDoubleSlit = 4;
    constexpr int kBloch = 27;
    auto newWindow = std::make_unique<MainWindow>(nullptr, false);
    newWindow->loadGuidedExperiment(kBloch);
    const FormCapture fresh = captureForm(*newWindow);
    newWindow.reset();
    window->loadGuidedExperiment(kDoubleSlit);
    ASSERT_NE(child<QComboBox>("measurementModeComboBox")->currentIndex(), fresh.at("measurementModeComboBox"));
    window->loadGuidedExperiment(kBloch);
    EXPECT_EQ(differences(fresh, captureForm(*window)), "");
}

TEST_F(GuidedLoading, TheBilliardRecorderIsSetUpForTheExperimentBeingLoaded)
{
    // The recorder runs only for an experiment whose title names a billiard;
    // loaded from a free packet, the billiard must still be recognised.
    for (const int billiard : {29, 30}) {
        window->loadGuidedExperiment(0);
        window->loadGuidedExperiment(billiard);
        EXPECT_FALSE(window->recorder<BilliardRecorder>().initialState().empty())
            << "preset " << billiard << " was set up under the previous title";
    }
    window->loadGuidedExperiment(29);
    window->loadGuidedExperiment(0);
    EXPECT_TRUE(window->recorder<BilliardRecorder>().initialState().empty())
        << "the free packet kept the billiard recorder of the previous experiment";
}

TEST_F(GuidedLoading, GeometryPagesRebuildOnlyWhileTheSceneIsOff)
{
    // The stadium page was left unwired; with the scene off it is the potential.
    const char* const stadium[] = {"stadiumV0SpinBox", "stadiumCenterXSpinBox", "stadiumCenterYSpinBox",
                                   "stadiumStraightSpinBox", "stadiumRadiusSpinBox"};
    window->loadGuidedExperiment(0);
    child<QComboBox>("geometryComboBox")->setCurrentIndex(11);
    ASSERT_FALSE(child<QCheckBox>("potentialSceneActiveCheckBox")->isChecked());
    for (const char* name : stadium) {
        child<QPushButton>("playButton")->click();
        ASSERT_EQ(window->transportClock().state(), TransportState::Running);
        auto* box = child<QDoubleSpinBox>(name);
        box->setValue(box->value() + box->singleStep());
        EXPECT_EQ(window->transportClock().state(), TransportState::Stopped) << name << " did not rebuild";
    }
    // With the scene on the page only inspects the selected object.
    constexpr int kDoubleBarrierPreset = 7;
    window->loadGuidedExperiment(kDoubleBarrierPreset);
    ASSERT_TRUE(child<QCheckBox>("potentialSceneActiveCheckBox")->isChecked());
    for (const char* name : {"barrierV0SpinBox", "rectangleWidthSpinBox", stadium[4]}) {
        child<QPushButton>("playButton")->click();
        auto* box = child<QDoubleSpinBox>(name);
        box->setValue(box->value() - box->singleStep());
        EXPECT_EQ(window->transportClock().state(), TransportState::Running) << name << " rebuilt an active scene";
    }
    child<QPushButton>("stopButton")->click();
}

TEST_F(GuidedLoading, InvalidIndicesChangeNothing)
{
    window->loadGuidedExperiment(38);
    const QString message = window->statusBar()->currentMessage();
    auto* width = child<QDoubleSpinBox>("universeWidthSpinBox");
    const double before = width->value();
    for (const int index : {-1, 54, 1000}) {
        window->loadGuidedExperiment(index);
        EXPECT_EQ(width->value(), before) << "index " << index;
        EXPECT_EQ(window->statusBar()->currentMessage(), message) << "index " << index;
    }
    // Preset 0 sets no speed: it starts at a new window's 1x, not at the 16x
    // of the Berry phase loaded before it.
    window->loadGuidedExperiment(0);
    EXPECT_EQ(child<QComboBox>("speedComboBox")->currentIndex(), 2);
    EXPECT_DOUBLE_EQ(window->transportClock().speed(), 1.0);
}

} // namespace
} // namespace vxo
