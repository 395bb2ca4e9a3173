// What the form's controls do once the window has wired them: rebuilds,
// refreshes and display changes, the exclusion of the experiment modes, the
// Apply buttons, the sub-control enablers and the analysis page selector.

#include "common/AppTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vxo {
namespace {

class SignalWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window.reset(); }

    template <typename Widget = QWidget>
    static Widget* child(const std::string& name)
    {
        auto* found = window->findChild<Widget*>(QString::fromStdString(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // A running transport: a rebuild is the one reaction that stops it.
    static void play()
    {
        child<QAbstractButton>("playButton")->click();
        ASSERT_EQ(window->transportClock().state(), TransportState::Running);
    }

    static void setCheckedQuietly(const std::string& name, bool checked)
    {
        auto* box = child<QCheckBox>(name);
        const QSignalBlocker blocker(box);
        box->setChecked(checked);
    }

    static void setIndexQuietly(const std::string& name, int index)
    {
        auto* combo = child<QComboBox>(name);
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    }

    static bool isChecked(const std::string& name) { return child<QCheckBox>(name)->isChecked(); }

    // The change a user makes: one step of a spin box, the other of the first
    // two combo entries, a toggled box, a click.
    static void poke(QObject* control)
    {
        if (auto* box = qobject_cast<QDoubleSpinBox*>(control))
            box->setValue(box->value() + (box->value() < box->maximum() ? box->singleStep() : -box->singleStep()));
        else if (auto* box = qobject_cast<QSpinBox*>(control))
            box->setValue(box->value() + (box->value() < box->maximum() ? box->singleStep() : -box->singleStep()));
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
        else if (auto* check = qobject_cast<QCheckBox*>(control))
            check->toggle();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
    }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> SignalWiring::window;

const char* const kProtocols[] = {"quenchEnabledCheckBox",      "periodicDriveEnabledCheckBox",
                                  "linearSweepEnabledCheckBox", "ramseyEnabledCheckBox",
                                  "berryEnabledCheckBox",       "loschmidtEnabledCheckBox",
                                  "moshinskyEnabledCheckBox",   "kapitzaDiracEnabledCheckBox"};
const char* const kGauges[] = {"aharonovBohmEnabledCheckBox", "landauEnabledCheckBox", "hallEdgeEnabledCheckBox"};

// Rebuild and Stop both leave the run stopped, Pause paused; the rest keep it running.
enum class Effect { Rebuild, Refresh, CustomDisplay, Pause, Stop };

struct WiringRow {
    const char* control;
    Effect effect;
};

const WiringRow kWiring[] = {
    {"universeWidthSpinBox", Effect::Rebuild},
    {"universeHeightSpinBox", Effect::Rebuild},
    {"gridResolutionComboBox", Effect::Rebuild},
    {"boundaryModeComboBox", Effect::Rebuild},
    {"absorbingWidthSpinBox", Effect::Rebuild},
    {"absorbingStrengthSpinBox", Effect::Rebuild},
    {"experimentPresetComboBox", Effect::Refresh},
    {"spaceComboBox", Effect::Refresh},
    {"viewComboBox", Effect::Refresh},
    {"paletteComboBox", Effect::CustomDisplay},
    {"potentialOverlayCheckBox", Effect::Refresh},
    {"potentialOverlayOpacitySpinBox", Effect::Refresh},
    {"potentialContoursCheckBox", Effect::Refresh},
    {"potentialContourLevelsSpinBox", Effect::Refresh},
    {"probabilityContourSpacingComboBox", Effect::Refresh},
    {"probabilityContourOpacitySpinBox", Effect::Refresh},
    {"currentModeComboBox", Effect::Refresh},
    {"streamlineLengthSpinBox", Effect::Refresh},
    {"measurementVisibleCheckBox", Effect::Refresh},
    {"measurementPointSizeSpinBox", Effect::Refresh},
    {"detectorXSpinBox", Effect::Refresh},
    {"detectorBinsSpinBox", Effect::Refresh},
    {"detectorReferenceCheckBox", Effect::Refresh},
    {"crossSectionAxisComboBox", Effect::Refresh},
    {"crossSectionLineCheckBox", Effect::Refresh},
    {"timeSeriesQuantityComboBox", Effect::Refresh},
    {"resonanceScanPointsSpinBox", Effect::Refresh},
    {"displayScaleComboBox", Effect::CustomDisplay},
    {"exposureSpinBox", Effect::CustomDisplay},
    {"gammaSpinBox", Effect::CustomDisplay},
    {"displayResetButton", Effect::CustomDisplay},
    {"postPreviewComboBox", Effect::CustomDisplay},
    {"brightThresholdSpinBox", Effect::CustomDisplay},
    {"brightKneeSpinBox", Effect::CustomDisplay},
    {"blurSpreadSpinBox", Effect::CustomDisplay},
    {"bloomStrengthSpinBox", Effect::CustomDisplay},
    {"toneMapComboBox", Effect::CustomDisplay},
    {"quenchTimeSpinBox", Effect::Rebuild},
    {"periodicDriveParameterComboBox", Effect::Rebuild},
    {"linearSweepReturnDurationSpinBox", Effect::Rebuild},
    {"linearSweepReturnCheckBox", Effect::Rebuild},
    {"ramseyEchoPhaseSpinBox", Effect::Rebuild},
    {"ramseyEchoEnabledCheckBox", Effect::Rebuild},
    {"berryWindingComboBox", Effect::Rebuild},
    {"loschmidtMomentumErrorYSpinBox", Effect::Rebuild},
    {"moshinskyOpenTimeSpinBox", Effect::Rebuild},
    {"kapitzaDiracOrderSpinBox", Effect::Rebuild},
    {"aharonovBohmApplyButton", Effect::Rebuild},
    {"landauApplyButton", Effect::Rebuild},
    {"hallEdgeApplyButton", Effect::Rebuild},
    {"ramseyEnsembleSigmaSpinBox", Effect::Refresh},
    {"viewportEditToolComboBox", Effect::Refresh},
    {"rectangleV0SpinBox", Effect::Rebuild},
    {"barrierLengthSpinBox", Effect::Rebuild},
    {"radialSofteningSpinBox", Effect::Rebuild},
    {"centerXSpinBox", Effect::Rebuild},
    {"sigmaSpinBox", Effect::Rebuild},
    {"massSpinBox", Effect::Rebuild},
    {"resetButton", Effect::Rebuild},
    {"speedComboBox", Effect::Refresh},
    {"pauseButton", Effect::Pause},
    {"stopButton", Effect::Stop},
};

TEST_F(SignalWiring, EveryControlHasItsEffect)
{
    setCheckedQuietly("potentialSceneActiveCheckBox", false);
    auto* graphics = child<QComboBox>("graphicsPresetComboBox");
    for (const WiringRow& row : kWiring) {
        setIndexQuietly("graphicsPresetComboBox", 0);
        play();
        QObject* control = child<QObject>(row.control);
        ASSERT_NE(control, nullptr);
        poke(control);
        const TransportState expected = row.effect == Effect::Rebuild || row.effect == Effect::Stop
                                            ? TransportState::Stopped
                                        : row.effect == Effect::Pause ? TransportState::Paused
                                                                      : TransportState::Running;
        EXPECT_EQ(window->transportClock().state(), expected) << row.control << " left the run in the wrong state";
        EXPECT_EQ(graphics->currentIndex(), row.effect == Effect::CustomDisplay ? 3 : 0)
            << row.control << ": the graphics preset should read \"Custom\" exactly after a display change";
    }
    child<QAbstractButton>("stopButton")->click();
}

TEST_F(SignalWiring, TypedValuesRebuildPerKeystrokeExceptOnTheLargestGrid)
{
    // A rebuild at 1024 x 1024 takes a seventh of a second and more; there a
    // typed value counts once entered. Whatever set the grid, the box decides
    // when it takes the focus.
    const auto focus = [](QWidget* box) {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(box, &in);
    };
    const char* const rebuilding[] = {"universeWidthSpinBox", "centerXSpinBox",           "barrierV0SpinBox",
                                      "stadiumRadiusSpinBox", "kapitzaDiracOrderSpinBox", "ramseyOmegaSpinBox"};
    for (const int grid : {2, 0, 1}) {
        setIndexQuietly("gridResolutionComboBox", grid);
        for (const char* name : rebuilding) {
            auto* box = child<QAbstractSpinBox>(name);
            focus(box);
            EXPECT_EQ(box->keyboardTracking(), grid != 2) << name << " on grid entry " << grid;
        }
        auto* display = child<QAbstractSpinBox>("exposureSpinBox");
        focus(display);
        EXPECT_TRUE(display->keyboardTracking()) << "a display value only refreshes";
    }
}

TEST_F(SignalWiring, EachModeSwitchesOffWhatCannotRunWithIt)
{
    std::vector<std::string> modes(std::begin(kProtocols), std::end(kProtocols));
    modes.insert(modes.end(), std::begin(kGauges), std::end(kGauges));
    for (const char* name : {"backflowEnabledCheckBox", "zitterEnabledCheckBox", "kleinEnabledCheckBox"})
        modes.emplace_back(name);
    const auto isProtocol = [](const std::string& name) {
        return std::find(std::begin(kProtocols), std::end(kProtocols), name) != std::end(kProtocols);
    };
    const auto isGauge = [](const std::string& name) {
        return std::find(std::begin(kGauges), std::end(kGauges), name) != std::end(kGauges);
    };

    for (const std::string& mode : modes) {
        // Everything on at once, the scene and a geometry too, then the user
        // checks one mode.
        for (const std::string& other : modes)
            setCheckedQuietly(other, other != mode);
        setCheckedQuietly("potentialSceneActiveCheckBox", true);
        setCheckedQuietly("currentOverlayCheckBox", true);
        setIndexQuietly("geometryComboBox", 3);
        setIndexQuietly("boundaryModeComboBox", mode == "kleinEnabledCheckBox" ? 0 : 1);
        setIndexQuietly("viewComboBox", 1);
        child<QCheckBox>(mode)->setChecked(true);

        std::vector<std::string> survivors{mode};
        if (isProtocol(mode)) {
            // Nothing else: protocols exclude each other, gauge, backflow and Dirac modes.
        } else if (isGauge(mode)) {
        } else if (mode == "backflowEnabledCheckBox") {
            EXPECT_EQ(child<QComboBox>("boundaryModeComboBox")->currentIndex(), 0) << mode;
        } else {
            const bool zitter = mode == "zitterEnabledCheckBox";
            EXPECT_EQ(child<QComboBox>("boundaryModeComboBox")->currentIndex(), zitter ? 0 : 1) << mode;
            EXPECT_EQ(child<QComboBox>("viewComboBox")->currentIndex(), 0) << mode;
            EXPECT_FALSE(isChecked("currentOverlayCheckBox")) << mode;
            EXPECT_FALSE(child<QWidget>("currentModeComboBox")->isEnabled()) << mode << ": overlay controls follow";
            // A spinor has no single phase or component to show: the view
            // draws its density whatever the combo is set to.
            child<QComboBox>("viewComboBox")->setCurrentIndex(2);
            EXPECT_EQ(child<QuantumGLView>("quantumView")->display().viewMode, 0u) << mode;
        }
        if (!isProtocol(mode) && !isGauge(mode)) {
            EXPECT_FALSE(isChecked("potentialSceneActiveCheckBox")) << mode;
            EXPECT_EQ(child<QComboBox>("geometryComboBox")->currentIndex(), 0) << mode;
            EXPECT_EQ(child<QStackedWidget>("geometryParametersStackedWidget")->currentIndex(), 0)
                << mode << ": the page shows the geometry the combo names";
        }
        // The scene is empty: a protocol that acts on one of its objects
        // goes off again, the others stay.
        const bool actsOnTheScene =
            isProtocol(mode) && mode != "loschmidtEnabledCheckBox" && mode != "kapitzaDiracEnabledCheckBox";
        for (const std::string& other : modes)
            EXPECT_EQ(isChecked(other), other == mode && !actsOnTheScene) << "after checking " << mode << ": " << other;
    }
    for (const std::string& other : modes)
        setCheckedQuietly(other, false);
    setCheckedQuietly("potentialSceneActiveCheckBox", false);
}

TEST_F(SignalWiring, UncheckingBerryClearsItsStoredFlag)
{
    // With the scene off the Berry state cannot be prepared, so no rebuild
    // rewrites the stored record: only the toggle can clear it.
    constexpr int kBerryPreset = 38;
    for (const char* switchedOnInstead : {"", "quenchEnabledCheckBox"}) {
        window->loadGuidedExperiment(kBerryPreset);
        ASSERT_TRUE(isChecked("berryEnabledCheckBox"));
        child<QCheckBox>("potentialSceneActiveCheckBox")->setChecked(false);
        ASSERT_TRUE(window->storedRecords().quantumBerry.enabled);
        if (*switchedOnInstead)
            child<QCheckBox>(switchedOnInstead)->setChecked(true);
        else
            child<QCheckBox>("berryEnabledCheckBox")->setChecked(false);
        EXPECT_FALSE(isChecked("berryEnabledCheckBox"));
        EXPECT_FALSE(window->storedRecords().quantumBerry.enabled)
            << (*switchedOnInstead ? "switched off by another protocol" : "unchecked by hand");
    }
    child<QCheckBox>("quenchEnabledCheckBox")->setChecked(false);
}

TEST_F(SignalWiring, AProtocolSwitchedOnInADiracModeRebuildsWithoutIt)
{
    constexpr int kZitterbewegungPreset = 46;
    window->loadGuidedExperiment(kZitterbewegungPreset);
    ASSERT_TRUE(isChecked("zitterEnabledCheckBox"));
    EXPECT_EQ(window->observableHistory().size(), 0u) << "a Dirac run records no Schroedinger observation";
    child<QCheckBox>("loschmidtEnabledCheckBox")->setChecked(true);
    EXPECT_FALSE(isChecked("zitterEnabledCheckBox"));
    EXPECT_FALSE(window->storedRecords().quantumZitterbewegung.enabled);
    EXPECT_EQ(window->observableHistory().size(), 1u) << "the one rebuild must already run without the Dirac mode";
    child<QCheckBox>("loschmidtEnabledCheckBox")->setChecked(false);
}

TEST_F(SignalWiring, ApplyButtonsStoreTheirValuesAndRebuildOnlyTheirExperiment)
{
    window->loadGuidedExperiment(0);
    for (const auto& [button, spin, preset, page] :
         {std::tuple{"kickedRotorApplyButton", "kickedRotorPeriodSpinBox", 35, "kickedRotorTab"},
          std::tuple{"zenoApplyButton", "zenoMeasurementPeriodSpinBox", 36, "zenoTab"},
          std::tuple{"scarApplyButton", "scarBandSpinBox", 37, "scarsTab"}}) {
        auto* box = child<QDoubleSpinBox>(spin);
        for (const bool loaded : {false, true}) {
            window->loadGuidedExperiment(loaded ? preset : 0);
            play();
            poke(box);
            const double value = box->value();
            child<QAbstractButton>(button)->click();
            const ExperimentSettingsRecords& stored = window->storedRecords();
            const double kept = std::string(spin) == "kickedRotorPeriodSpinBox" ? stored.kickedRotor.kickPeriod
                                : std::string(spin) == "zenoMeasurementPeriodSpinBox"
                                    ? stored.quantumZeno.measurementPeriod
                                    : stored.quantumScar.orbitBandHalfWidth;
            EXPECT_EQ(kept, value) << button;
            EXPECT_EQ(window->transportClock().state(), loaded ? TransportState::Stopped : TransportState::Running)
                << button << (loaded ? " did not rebuild its experiment" : " rebuilt another experiment");
            if (loaded) {
                EXPECT_EQ(child<QStackedWidget>("analysisStackedWidget")->currentWidget()->objectName().toStdString(),
                          page);
            }
        }
    }
    child<QAbstractButton>("stopButton")->click();
}

TEST_F(SignalWiring, DisplayPresetsWriteTheirValues)
{
    struct Display {
        int palette, scale;
        double exposure, gamma;
        int preview;
        double threshold, knee, blur, bloom;
        int toneMap;
    };
    const Display presets[3] = {{0, 0, 0.0, 1.0, 0, 0.72, 0.08, 2.0, 0.0, 0},
                                {0, 0, 0.25, 1.0, 3, 0.72, 0.08, 2.0, 0.65, 2},
                                {0, 1, -1.0, 1.15, 3, 0.62, 0.12, 3.25, 1.8, 2}};
    auto* graphics = child<QComboBox>("graphicsPresetComboBox");
    for (const int index : {1, 0, 2}) {
        setIndexQuietly("paletteComboBox", 2);
        setIndexQuietly("graphicsPresetComboBox", 3);
        graphics->setCurrentIndex(index);
        const Display& d = presets[index];
        EXPECT_EQ(child<QComboBox>("paletteComboBox")->currentIndex(), d.palette) << "preset " << index;
        EXPECT_EQ(child<QComboBox>("displayScaleComboBox")->currentIndex(), d.scale) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("exposureSpinBox")->value(), d.exposure) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("gammaSpinBox")->value(), d.gamma) << "preset " << index;
        EXPECT_EQ(child<QComboBox>("postPreviewComboBox")->currentIndex(), d.preview) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("brightThresholdSpinBox")->value(), d.threshold) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("brightKneeSpinBox")->value(), d.knee) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("blurSpreadSpinBox")->value(), d.blur) << "preset " << index;
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("bloomStrengthSpinBox")->value(), d.bloom) << "preset " << index;
        EXPECT_EQ(child<QComboBox>("toneMapComboBox")->currentIndex(), d.toneMap) << "preset " << index;
        EXPECT_EQ(graphics->currentIndex(), index) << "writing a preset is not a change by hand";
    }
    // "Custom" names no values: the display stays as it was, also where it
    // differs from every preset.
    setIndexQuietly("paletteComboBox", 2);
    child<QDoubleSpinBox>("bloomStrengthSpinBox")->setValue(0.4);
    setIndexQuietly("graphicsPresetComboBox", 0);
    graphics->setCurrentIndex(3);
    EXPECT_EQ(child<QComboBox>("paletteComboBox")->currentIndex(), 2);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("bloomStrengthSpinBox")->value(), 0.4);
    // The display reset is the identity mapping: a linear scale, no exposure
    // shift and gamma 1, from a preset that has none of them.
    graphics->setCurrentIndex(2);
    child<QAbstractButton>("displayResetButton")->click();
    EXPECT_EQ(child<QComboBox>("displayScaleComboBox")->currentIndex(), 0);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("exposureSpinBox")->value(), 0.0);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("gammaSpinBox")->value(), 1.0);
    graphics->setCurrentIndex(0);
}

TEST_F(SignalWiring, SubControlsFollowTheirSwitches)
{
    const auto enabled = [](const char* name) { return child<QWidget>(name)->isEnabled(); };
    // In line with their switches from construction on, before any toggle.
    const bool logarithmic = child<QComboBox>("probabilityContourSpacingComboBox")->currentIndex() == 1;
    const int currentMode = child<QComboBox>("currentModeComboBox")->currentIndex();
    const bool current = isChecked("currentOverlayCheckBox");
    EXPECT_EQ(enabled("potentialContourLevelsSpinBox"), isChecked("potentialContoursCheckBox"));
    EXPECT_EQ(enabled("probabilityContourDecadesSpinBox"), isChecked("probabilityContoursCheckBox") && logarithmic);
    EXPECT_EQ(enabled("currentScaleSpinBox"), current && currentMode != 1);
    EXPECT_EQ(enabled("streamlineLengthSpinBox"), current && currentMode != 0);
    EXPECT_EQ(enabled("ramseyEnsembleSigmaSpinBox"), isChecked("ramseyEnsembleEnabledCheckBox"));

    child<QCheckBox>("potentialContoursCheckBox")->setChecked(true);
    EXPECT_TRUE(enabled("potentialContourLevelsSpinBox") && enabled("potentialContourOpacityLabel"));
    child<QComboBox>("probabilityContourSpacingComboBox")->setCurrentIndex(0);
    EXPECT_FALSE(enabled("probabilityContourDecadesSpinBox")) << "decades mean nothing on a linear spacing";
    EXPECT_TRUE(enabled("probabilityContourLevelsSpinBox"));
    child<QCheckBox>("probabilityContoursCheckBox")->setChecked(false);
    EXPECT_FALSE(enabled("probabilityContourSpacingComboBox") || enabled("probabilityContourLevelsSpinBox"));
    for (const auto& [mode, vectors, streamlines] :
         {std::tuple{0, true, false}, std::tuple{1, false, true}, std::tuple{2, true, true}}) {
        child<QComboBox>("currentModeComboBox")->setCurrentIndex(mode);
        EXPECT_EQ(enabled("currentScaleSpinBox"), vectors) << "current mode " << mode;
        EXPECT_EQ(enabled("streamlineLengthLabel"), streamlines) << "current mode " << mode;
    }
    child<QCheckBox>("currentOverlayCheckBox")->setChecked(false);
    EXPECT_FALSE(enabled("currentModeComboBox") || enabled("currentScaleSpinBox") || enabled("currentSpacingLabel"));
    child<QCheckBox>("potentialOverlayCheckBox")->setChecked(false);
    EXPECT_FALSE(enabled("potentialOverlayOpacitySpinBox"));
    // Momentum space has one view and no potential to lay over it, nor
    // measurement hits, which are positions.
    const bool markers = isChecked("measurementVisibleCheckBox");
    for (const bool momentum : {true, false}) {
        child<QComboBox>("spaceComboBox")->setCurrentIndex(momentum ? 1 : 0);
        for (const char* name : {"viewLabel", "viewComboBox", "potentialOverlayLabel", "potentialOverlayCheckBox"})
            EXPECT_EQ(enabled(name), !momentum) << name << ", momentum space " << momentum;
        for (const bool shown : {true, false}) {
            child<QCheckBox>("measurementVisibleCheckBox")->setChecked(shown);
            EXPECT_EQ(child<QuantumGLView>("quantumView")->overlays().markersVisible, shown && !momentum)
                << "markers box " << shown << ", momentum space " << momentum;
        }
    }
    child<QCheckBox>("measurementVisibleCheckBox")->setChecked(markers);
    // Shapes are drawn in position space only; the space switch comes after the box.
    for (const bool edit : {true, false}) {
        child<QCheckBox>("viewportEditCheckBox")->setChecked(edit);
        for (const bool momentum : {true, false}) {
            child<QComboBox>("spaceComboBox")->setCurrentIndex(momentum ? 1 : 0);
            EXPECT_EQ(child<QuantumGLView>("quantumView")->editor().enabled, edit && !momentum)
                << "edit box " << edit << ", momentum space " << momentum;
        }
    }

    for (const auto& [box, dependents] :
         {std::pair{"linearSweepReturnCheckBox",
                    std::pair{"linearSweepHoldDurationSpinBox", "linearSweepReturnDurationSpinBox"}},
          std::pair{"ramseyEchoEnabledCheckBox", std::pair{"ramseyEchoDurationSpinBox", "ramseyEchoPhaseSpinBox"}},
          std::pair{"ramseyEnsembleEnabledCheckBox",
                    std::pair{"ramseyEnsembleSigmaSpinBox", "ramseyEnsembleMembersSpinBox"}}}) {
        for (const bool on : {true, false}) {
            child<QCheckBox>(box)->setChecked(on);
            EXPECT_EQ(enabled(dependents.first), on) << box;
            EXPECT_EQ(enabled(dependents.second), on) << box;
        }
    }
    child<QCheckBox>("potentialOverlayCheckBox")->setChecked(true);
    child<QCheckBox>("currentOverlayCheckBox")->setChecked(true);
    child<QCheckBox>("probabilityContoursCheckBox")->setChecked(true);
    child<QCheckBox>("potentialContoursCheckBox")->setChecked(false);
}

// Switching the scene off and on refreshes the protocol pages' controls from
// the scene: a sub-control stays with its switch there too.
TEST_F(SignalWiring, ProtocolSubControlsKeepTheirSwitchesThroughASceneRefresh)
{
    const struct {
        int preset;
        const char* box;
        const char* dependent;
    } cases[] = {{23, "ramseyEchoEnabledCheckBox", "ramseyEchoPhaseSpinBox"},
                 {19, "linearSweepReturnCheckBox", "linearSweepReturnDurationSpinBox"}};
    for (const auto& c : cases) {
        window->loadGuidedExperiment(c.preset);
        ASSERT_FALSE(window->scene().empty()) << "preset " << c.preset;
        for (const bool on : {true, false}) {
            child<QCheckBox>(c.box)->setChecked(on);
            child<QCheckBox>("potentialSceneActiveCheckBox")->setChecked(false);
            child<QCheckBox>("potentialSceneActiveCheckBox")->setChecked(true);
            EXPECT_EQ(child<QWidget>(c.dependent)->isEnabled(), on) << c.box << (on ? " on" : " off");
        }
    }
}

TEST_F(SignalWiring, ViewportEditingPausesAndShowsThePotential)
{
    auto* view = child<QuantumGLView>("quantumView");
    auto* edit = child<QCheckBox>("viewportEditCheckBox");
    setIndexQuietly("spaceComboBox", 0);
    child<QCheckBox>("potentialOverlayCheckBox")->setChecked(false);
    play();
    edit->setChecked(true);
    EXPECT_EQ(window->transportClock().state(), TransportState::Paused);
    EXPECT_TRUE(isChecked("potentialOverlayCheckBox"));
    EXPECT_TRUE(child<QWidget>("potentialOverlayOpacitySpinBox")->isEnabled()) << "the overlay's own handler ran";
    EXPECT_TRUE(child<QWidget>("viewportEditToolComboBox")->isEnabled());
    EXPECT_TRUE(view->editor().enabled);
    child<QComboBox>("viewportEditToolComboBox")->setCurrentIndex(1);
    EXPECT_EQ(view->editor().tool, 1u);
    edit->setChecked(false);
    EXPECT_FALSE(view->editor().enabled);
    EXPECT_FALSE(child<QWidget>("viewportEditorHintLabel")->isEnabled());

    setIndexQuietly("spaceComboBox", 1);
    edit->setChecked(true);
    EXPECT_FALSE(view->editor().enabled) << "shapes cannot be drawn in momentum space";
    edit->setChecked(false);
    setIndexQuietly("spaceComboBox", 0);
    child<QComboBox>("viewportEditToolComboBox")->setCurrentIndex(0);
}

TEST_F(SignalWiring, TheAnalysisSelectorShowsEveryPageWithItsTitle)
{
    auto* selector = child<QComboBox>("analysisPageComboBox");
    auto* stack = child<QStackedWidget>("analysisStackedWidget");
    auto* tabs = child<QTabWidget>("analysisTabWidget");
    for (int i = stack->count() - 1; i >= 0; --i) {
        tabs->setCurrentIndex(tabs->count() - 1 - tabs->indexOf(child<QWidget>("experimentAnalysisTab")));
        selector->setCurrentIndex(i);
        ASSERT_EQ(stack->currentIndex(), i);
        const QWidget* page = stack->currentWidget();
        const QString title =
            page->windowTitle().trimmed().isEmpty() ? page->objectName() : page->windowTitle().trimmed();
        EXPECT_EQ(child<QLabel>("analysisPageTitleLabel")->text(),
                  QStringLiteral("Experiment Analysis - %1").arg(title))
            << "page " << i;
        EXPECT_EQ(tabs->currentWidget(), child<QWidget>("experimentAnalysisTab")) << "page " << i;
    }
}

} // namespace
} // namespace vxo
