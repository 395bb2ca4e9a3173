// The rebuild to t = 0: what every rebuild leaves behind, the initial state of
// each preparation type and its fallback, the absorbing layer, and what the
// forced appliers, a Dirac mode without its spinor and a failed gauge build
// must not break. Every case is a document on a 256 x 256 grid of 0.16 x 0.12
// cells.

#include "common/AppTestSupport.h"
#include "experiments/PresetScenes.h"

#include "app/MainWindow.h"
#include "core/MomentumSpace2D.h"
#include "core/PositionMoments.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vxo {
namespace {

using test::barrierObject;
using test::harmonicObject;
using test::rectangleObject;
using test::sceneOf;
using Type = InitialPreparationType;

constexpr double kWidth = 40.96;
constexpr double kHeight = 30.72;
constexpr double kPacketX = -3.0;
constexpr double kPacketY = 1.5;
constexpr double kPacketSigma = 1.2;

class Rebuild : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    static void TearDownTestSuite() { window.reset(); }

    // The window's document with a plain packet, every experiment off, no
    // scene, no geometry and the periodic boundary, changed by `edit`, applied.
    static void apply(const std::function<void(ExperimentDocument&)>& edit)
    {
        ExperimentDocument d = window->captureExperimentDocument();
        static_cast<ExperimentSettingsRecords&>(d) = ExperimentSettingsRecords{};
        d.potentialScene.clear();
        d.potentialSceneActive = false;
        d.initialPreparation = InitialPreparation{};
        const std::pair<const char*, QVariant> controls[] = {
            {"gridResolutionComboBox", 0},  {"universeWidthSpinBox", kWidth}, {"universeHeightSpinBox", kHeight},
            {"boundaryModeComboBox", 0},    {"geometryComboBox", 0},          {"centerXSpinBox", kPacketX},
            {"centerYSpinBox", kPacketY},   {"sigmaSpinBox", kPacketSigma},   {"momentumSpinBox", 1.0},
            {"momentumYSpinBox", 0.5},      {"massSpinBox", 1.0}};
        for (const auto& [name, value] : controls)
            d.controls[QLatin1String(name)] = value;
        edit(d);
        QString error;
        ASSERT_TRUE(window->applyExperimentDocument(d, error)) << error.toStdString();
    }

    template <typename Widget>
    static Widget& form(const char* name)
    {
        auto* widget = window->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(name);
        return *widget;
    }

    static unsigned preparationInForce()
    {
        return static_cast<unsigned>(window->captureExperimentDocument().initialPreparation.type);
    }
    static PotentialField2D blankPotential()
    {
        const PotentialField2D& p = window->potentialField();
        return PotentialField2D(p.nx(), p.ny(), p.dx(), p.dy());
    }
    static std::string statusMessage() { return window->statusBar()->currentMessage().toStdString(); }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> Rebuild::window;

TEST_F(Rebuild, StartsAStoppedRunAtTimeZeroFromThePacketAndTheScenePotential)
{
    const PotentialScene scene =
        sceneOf({rectangleObject(3.0f, 6.0f, -2.0f, 2.0f, 4.0f), harmonicObject(-4.0f, 3.0f, 0.05f, 0.02f)});
    const PotentialObject barrier = barrierObject(2.5f, 4.0f, 1.0f, 0.8f, 8.0f);
    for (const bool sceneActive : {true, false}) {
        apply([&](ExperimentDocument& d) {
            d.potentialScene = scene;
            d.potentialSceneActive = sceneActive;
            const std::pair<const char*, double> geometry[] = {
                {"barrierV0SpinBox", 2.5},     {"barrierCenterXSpinBox", 4.0},  {"barrierCenterYSpinBox", 1.0},
                {"barrierLengthSpinBox", 8.0}, {"barrierThicknessSpinBox", 0.8}};
            for (const auto& [name, value] : geometry)
                d.controls[QLatin1String(name)] = value;
            d.controls[QStringLiteral("geometryComboBox")] = 3;
        });
        for (int i = 0; i < 3; ++i)
            window->stepOnce();
        ASSERT_GT(window->schroedingerSolver().stepCount(), 0u) << "the steps did not run";
        window->rebuildSimulation();

        EXPECT_EQ(window->transportClock().state(), TransportState::Stopped);
        EXPECT_FALSE(form<QTimer>("runTimer").isActive()) << "the rebuild started the timer";
        EXPECT_EQ(window->schroedingerSolver().time(), 0.0);
        EXPECT_EQ(window->schroedingerSolver().stepCount(), 0u);
        ASSERT_EQ(window->observableHistory().size(), 1u) << "exactly the t = 0 observation";
        EXPECT_EQ(window->observableHistory().newest().time, 0.0);
        EXPECT_EQ(form<QLabel>("measurementTotalValueLabel").text(), QStringLiteral("0"));
        EXPECT_EQ(form<QLabel>("detectorFluxValueLabel").text(), QStringLiteral("0.000000"));

        const ComplexField2D& psi = window->waveField();
        ASSERT_TRUE(psi.nx() == 256 && psi.ny() == 256);
        EXPECT_FLOAT_EQ(psi.dx(), static_cast<float>(kWidth / 256.0));
        EXPECT_FLOAT_EQ(psi.dy(), static_cast<float>(kHeight / 256.0));
        const PositionMoments moments = computePositionMoments(psi);
        EXPECT_NEAR(moments.norm, 1.0, 1e-5);
        EXPECT_NEAR(moments.meanX, kPacketX, 1e-3);
        EXPECT_NEAR(moments.meanY, kPacketY, 1e-3);
        EXPECT_NEAR(moments.sigmaX, kPacketSigma, 1e-3);

        PotentialField2D expected = blankPotential();
        if (sceneActive)
            scene.buildPotential(expected);
        else
            PotentialObject::applyTo(barrier, expected);
        EXPECT_EQ(window->potentialField().values(), expected.values()) << "scene active " << sceneActive;
    }
}

TEST_F(Rebuild, AbsorbingLayerOnlyInCapModeAndNeverForBackflow)
{
    struct Case {
        int boundaryMode;
        bool backflow;
        bool absorbs;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, false, true}, Case{1, true, false}}) {
        // A packet inside the right-hand band, heading out.
        apply([&](ExperimentDocument& d) {
            d.controls[QStringLiteral("centerXSpinBox")] = 17.0;
            d.controls[QStringLiteral("boundaryModeComboBox")] = c.boundaryMode;
            d.quantumBackflow.enabled = c.backflow;
        });
        // Backflow selects the periodic boundary in the form; the rebuild must
        // leave the layer off even when the user selects it again.
        {
            const QSignalBlocker blocker(form<QComboBox>("boundaryModeComboBox"));
            form<QComboBox>("boundaryModeComboBox").setCurrentIndex(c.boundaryMode);
        }
        window->rebuildSimulation();
        window->stepOnce();
        const double norm = computePositionMoments(window->waveField()).norm;
        if (c.absorbs)
            EXPECT_LT(norm, 0.995) << "mode " << c.boundaryMode << ": the layer took nothing";
        else
            EXPECT_NEAR(norm, 1.0, 1e-4) << "mode " << c.boundaryMode << ", backflow " << c.backflow;
    }
}

TEST_F(Rebuild, EachPreparationTypeProducesItsStateAndAFailureFallsBackToThePacket)
{
    // Ground state of V = (x - 1)^2 / 2 (m = hbar = 1): |phi|^2 has sigma sqrt(1/2);
    // along y the eigenstate is uniform over 256 rows.
    const double groundSigma = std::sqrt(0.5);
    const double uniformSigmaY = kHeight / 256.0 * std::sqrt((256.0 * 256.0 - 1.0) / 12.0);
    const auto oscillator = [](ExperimentDocument& d) {
        d.potentialScene = sceneOf({harmonicObject(1.0f, 0.0f, 1.0f, 0.0f)});
        d.potentialSceneActive = true;
    };
    const auto fails = [](const char* message) { return std::optional<std::string>(message); };

    struct Case {
        const char* name;
        Type type;
        std::function<void(ExperimentDocument&)> setup;
        bool prepared;
        std::optional<double> meanX, meanY, sigmaX, sigmaY;
        std::optional<std::string> message = std::nullopt; // of a failure
        std::function<void()> extra = {};
    };
    const std::optional<double> any;
    const std::vector<Case> cases = {
        {"gaussian", Type::Gaussian, [](ExperimentDocument&) {}, true, kPacketX, kPacketY, kPacketSigma, any},
        {"bound eigenstate", Type::BoundEigenstate, oscillator, true, 1.0, any, groundSigma, uniformSigmaY},
        {"bound superposition", Type::BoundSuperposition,
         [&](ExperimentDocument& d) {
             oscillator(d);
             d.initialPreparation.stateB = 1;
             d.initialPreparation.relativePhaseDegrees = 0.0;
         },
         // (phi0 + phi1) / sqrt 2 sits <0|x|1> = sigma0 off the centre.
         true, any, any, any, uniformSigmaY, std::nullopt,
         [&] { EXPECT_NEAR(std::abs(computePositionMoments(window->waveField()).meanX - 1.0), groundSigma, 0.02); }},
        {"Talbot comb", Type::TalbotComb, [](ExperimentDocument& d) { d.talbotInitialState.centerY = 5.0; }, true, any,
         5.0, any, any},
        {"vortex", Type::Vortex,
         [](ExperimentDocument& d) {
             d.vortexInitialState = {3.0, -2.0, 1.5, 3.0, -2.0, 1};
         },
         true, 3.0, -2.0, any, any},
        // Two equal lanes 8 apart: sigma_y^2 = 4^2 + sigma^2.
        {"Anderson lanes", Type::AndersonDualLane,
         [](ExperimentDocument& d) { d.andersonInitialState = {2.0, 5.0, -3.0, 0.35, 0.0}; }, true, 2.0, 1.0, any,
         std::sqrt(16.0 + 0.35 * 0.35)},
        {"kicked rotor", Type::KickedRotor,
         [](ExperimentDocument& d) { d.kickedRotorInitialState = {2.0, 1.5, 3}; }, true, any, 2.0, any, any,
         std::nullopt,
         [] {
             // Mode 3 of the periodic box carries p = 2 pi 3 hbar / L.
             EXPECT_NEAR(MomentumSpace2D::compute(window->waveField(), 1.0).meanPx, 6.283185307179586 * 3.0 / kWidth,
                         1e-6);
         }},
        {"kicked rotor mode beyond the grid", Type::KickedRotor,
         [](ExperimentDocument& d) { d.kickedRotorInitialState.initialMomentumMode = 200; }, false, kPacketX, kPacketY,
         kPacketSigma, any, fails("QuantumKickedRotor2D: initial momentum mode is out of range")},
        {"Zeno lanes", Type::QuantumZeno, [](ExperimentDocument& d) { d.quantumZenoInitialState.centerX = -4.0; },
         true, -4.0, 0.0, any, any},
        {"Berry first excited", Type::BerryFirstExcited,
         [](ExperimentDocument& d) {
             d.potentialScene = sceneOf({harmonicObject(2.0f, 1.0f, 1.0f, 1.0f)});
             d.potentialSceneActive = true;
             d.quantumBerry.enabled = true;
         },
         true, 2.0, 1.0, any, any, std::nullopt,
         [] { EXPECT_TRUE(window->recorder<BerryRecorder>().isConfigured()); }},
        {"Moshinsky envelope", Type::MoshinskyShutter,
         [](ExperimentDocument& d) {
             d.moshinskyInitialState.enabled = true;
             d.moshinskyInitialState.centerY = 2.0;
         },
         true, any, 2.0, any, any},
        {"Kapitza-Dirac beam", Type::KapitzaDiracBeam,
         [](ExperimentDocument& d) { d.kapitzaDiracInitialState.centerX = 1.5; }, true, 1.5, -6.5, any, any},
        {"Aharonov-Bohm beam", Type::AharonovBohmBeam,
         [](ExperimentDocument& d) { d.quantumAharonovBohm.enabled = true; }, true, kPacketX, kPacketY, kPacketSigma,
         any, std::nullopt, [] { EXPECT_TRUE(window->recorder<AharonovBohmRecorder>().isConfigured()); }},
        {"Aharonov-Bohm beam without its field", Type::AharonovBohmBeam, [](ExperimentDocument&) {}, false, kPacketX,
         kPacketY, kPacketSigma, any},
        {"Landau state", Type::LandauMagneticState, [](ExperimentDocument& d) { d.quantumLandau.enabled = true; },
         true, any, any, any, any, std::nullopt,
         [] { EXPECT_TRUE(window->recorder<LandauRecorder>().isConfigured()); }},
        {"Landau state without a field", Type::LandauMagneticState,
         [](ExperimentDocument& d) {
             d.quantumLandau.enabled = true;
             d.quantumLandau.fieldStrength = 0.0;
         },
         false, kPacketX, kPacketY, kPacketSigma, any,
         fails("Landau gauge build failed: Enabled Landau field strength magnitude must be in [0.02,4].")},
        {"Hall-edge packet", Type::QuantumHallEdgeState,
         [](ExperimentDocument& d) {
             d.quantumHallEdge.enabled = true;
             d.quantumHallEdge.launchY = -5.0;
         },
         true, any, -5.0, any, any, std::nullopt,
         [] { EXPECT_TRUE(window->recorder<HallEdgeRecorder>().isConfigured()); }},
        {"backflow superposition", Type::QuantumBackflowState,
         [](ExperimentDocument& d) {
             d.quantumBackflow.enabled = true;
             d.quantumBackflow.initialCenterX = -1.5;
         },
         true, -1.5, 0.0, any, any},
        {"Zitterbewegung spinor", Type::DiracZitterbewegungState,
         [](ExperimentDocument& d) { d.quantumZitterbewegung.enabled = true; }, true, -6.0, 0.0, any, any,
         std::nullopt, [] { EXPECT_TRUE(window->recorder<DiracZitterbewegungRecorder>().isConfigured()); }},
        {"Zitterbewegung spinor refused", Type::DiracZitterbewegungState,
         [](ExperimentDocument& d) {
             d.quantumZitterbewegung.enabled = true;
             d.quantumZitterbewegung.restMass = 0.01;
         },
         false, kPacketX, kPacketY, kPacketSigma, any, fails("QuantumZitterbewegung2D: invalid configuration")},
        {"Klein spinor", Type::DiracKleinTunnelingState,
         [](ExperimentDocument& d) { d.quantumKleinTunneling.enabled = true; }, true, -10.0, 0.0, any, any,
         std::nullopt, [] { EXPECT_TRUE(window->recorder<DiracKleinRecorder>().isConfigured()); }},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        apply([&](ExperimentDocument& d) {
            d.initialPreparation.type = c.type;
            c.setup(d);
        });
        // The document's closing refresh writes the status line over any
        // message: a rebuild of its own shows what failed.
        window->rebuildSimulation();

        EXPECT_EQ(preparationInForce(), static_cast<unsigned>(c.prepared ? c.type : Type::Gaussian));
        const PositionMoments moments = computePositionMoments(window->waveField());
        EXPECT_NEAR(moments.norm, 1.0, 1e-4);
        // Some experiments place their packets half a cell off the cell centres.
        const std::pair<std::optional<double>, double> checks[] = {
            {c.meanX, moments.meanX}, {c.meanY, moments.meanY}, {c.sigmaX, moments.sigmaX}, {c.sigmaY, moments.sigmaY}};
        for (int k = 0; k < 4; ++k) {
            if (checks[k].first) {
                EXPECT_NEAR(checks[k].second, *checks[k].first, 0.1) << "moment " << k << " (x, y, sigma x, sigma y)";
            }
        }
        if (c.message) {
            EXPECT_EQ(statusMessage(), *c.message);
        }
        const bool spinor = c.prepared && (c.type == Type::DiracZitterbewegungState ||
                                           c.type == Type::DiracKleinTunnelingState);
        EXPECT_EQ(window->spinorField().isEmpty(), !spinor) << "the spinor holds a field only when prepared";
        if (spinor) {
            EXPECT_NEAR(window->spinorField().norm(), 1.0, 1e-5);
            EXPECT_TRUE(window->observableHistory().empty()) << "a Dirac run records no observation";
        }
        if (c.extra)
            c.extra();
    }
}

TEST_F(Rebuild, ForcedQuenchKeepsWhatWasPaintedOverTheScene)
{
    // The quench is off and the scene on: the rebuild's call of the quench at
    // t = 0 must not put the bare scene back over the solenoid disc, the Hall
    // wall or the Klein barrier.
    const PotentialScene scene = sceneOf({rectangleObject(4.0f, 12.0f, 9.0f, 2.0f, 2.0f)});
    struct Case {
        const char* name;
        std::function<void(ExperimentDocument&)> setup;
        std::function<void(PotentialField2D&)> paint;
    };
    const std::vector<Case> cases = {
        {"Aharonov-Bohm disc", [](ExperimentDocument& d) { d.quantumAharonovBohm.enabled = true; },
         [&](PotentialField2D& expected) {
             GaugeLinkField2D links;
             scene.buildPotential(expected);
             QuantumAharonovBohm2D::buildField(window->waveField(), window->storedRecords().quantumAharonovBohm,
                                               expected, links, nullptr);
         }},
        {"Hall wall", [](ExperimentDocument& d) { d.quantumHallEdge.enabled = true; },
         [&](PotentialField2D& expected) {
             GaugeLinkField2D links;
             scene.buildPotential(expected);
             QuantumHallEdge2D::buildField(window->waveField(), window->storedRecords().quantumHallEdge, expected,
                                           links, nullptr);
         }},
        {"Klein barrier",
         [](ExperimentDocument& d) {
             d.quantumKleinTunneling.enabled = true;
             d.quantumKleinTunneling.barrierHeight = 6.0;
         },
         [](PotentialField2D& expected) {
             QuantumKleinTunneling2D::buildPotential(expected, window->storedRecords().quantumKleinTunneling, nullptr);
         }},
    };
    for (const Case& c : cases) {
        apply([&](ExperimentDocument& d) {
            d.potentialScene = scene;
            d.potentialSceneActive = true;
            c.setup(d);
        });
        // Klein switches the scene off; the user may switch it on again.
        {
            const QSignalBlocker blocker(form<QCheckBox>("potentialSceneActiveCheckBox"));
            form<QCheckBox>("potentialSceneActiveCheckBox").setChecked(true);
        }
        window->rebuildSimulation();

        PotentialField2D expected = blankPotential();
        c.paint(expected);
        EXPECT_GT(expected.maxValue(), 4.0f) << c.name << ": nothing was painted over the scene";
        EXPECT_EQ(window->potentialField().values(), expected.values()) << c.name << " is gone";
    }
}

TEST_F(Rebuild, QuenchFiredAtTimeZeroTakesNoEnergyFromThePreviousRun)
{
    apply([](ExperimentDocument& d) {
        d.potentialScene = sceneOf({rectangleObject(1.0f, 8.0f, 0.0f, 2.0f, 6.0f)});
        d.potentialSceneActive = true;
        d.quantumQuench = {true, d.potentialScene.objects().front().id, 0, 0.0, 1.0, 6.0};
    });
    ASSERT_TRUE(window->quenchState().fired()) << "a quench at t = 0 fires in the rebuild";
    for (int i = 0; i < 3; ++i)
        window->stepOnce();
    ASSERT_NE(window->observableHistory().newest().totalEnergy, 0.0);

    window->rebuildSimulation();
    EXPECT_TRUE(window->quenchState().fired());
    EXPECT_EQ(window->quenchState().energyBefore(), 0.0) << "the energy before came from the previous run";
    EXPECT_FALSE(window->quenchState().energyAfterValid());
}

TEST_F(Rebuild, DiracModeWithoutItsSpinorStepsThePacket)
{
    for (const Type type : {Type::Gaussian, Type::DiracKleinTunnelingState}) {
        // Klein enabled, its spinor not prepared: a document that asks for the
        // packet, or a spinor the preparation refuses.
        apply([&](ExperimentDocument& d) {
            d.quantumKleinTunneling.enabled = true;
            d.quantumKleinTunneling.detectorX = -5.0; // in front of the barrier
            d.initialPreparation.type = type;
        });
        ASSERT_TRUE(window->spinorField().isEmpty()) << "an unprepared spinor holds a field";
        window->stepOnce();
        EXPECT_NEAR(computePositionMoments(window->waveField()).norm, 1.0, 1e-4) << "the first step wiped the packet";
        EXPECT_NEAR(window->schroedingerSolver().time(), 0.02, 1e-9);
    }
}

} // namespace
} // namespace vxo
