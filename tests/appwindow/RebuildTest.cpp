// The rebuild to t = 0: what every rebuild leaves behind, the initial state of
// each preparation type and its fallback, the absorbing layer, and what the
// forced appliers, a Dirac mode without its spinor and a failed gauge build
// must not break. Experiments are set up as a user does: a guided preset,
// then controls and buttons.

#include "core/Numeric.h"
#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "experiments/PresetScenes.h"

#include "app/mainwindow/MainWindow.h"
#include "core/MomentumSpace2D.h"
#include "core/PositionMoments.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentDocument.h"
#include "view/ContourExtraction.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

namespace vxo {
namespace {

using Type = InitialPreparationType;

class Rebuild : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window.reset(); }

    template <typename Widget>
    static Widget& form(const char* name)
    {
        auto* widget = window->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(name);
        return *widget;
    }
    // A control written the way the loaders write it: no handler runs.
    template <typename Widget, typename Value>
    static void setQuietly(const char* name, void (Widget::*setter)(Value), Value value)
    {
        Widget& widget = form<Widget>(name);
        const QSignalBlocker blocker(widget);
        (widget.*setter)(value);
    }
    static void click(const char* name) { form<QAbstractButton>(name).click(); }
    static void addRectangleToScene(double value, double x, double y)
    {
        form<QComboBox>("geometryComboBox").setCurrentIndex(static_cast<int>(PotentialObjectKind::Rectangle));
        form<QDoubleSpinBox>("rectangleV0SpinBox").setValue(value);
        form<QDoubleSpinBox>("rectangleCenterXSpinBox").setValue(x);
        form<QDoubleSpinBox>("rectangleCenterYSpinBox").setValue(y);
        click("addPotentialObjectButton");
    }

    static PotentialField2D blankPotential()
    {
        const PotentialField2D& p = window->potentialField();
        return PotentialField2D(p.nx(), p.ny(), p.dx(), p.dy());
    }
    static std::string statusMessage() { return window->statusBar()->currentMessage().toStdString(); }
    // Cell of psi nearest to (x, y).
    static std::complex<float> psiAt(double x, double y)
    {
        const ComplexField2D& psi = window->waveField();
        const auto i = static_cast<std::uint64_t>(std::lround(x / psi.dx() + (psi.nx() - 1) / 2.0));
        const auto j = static_cast<std::uint64_t>(std::lround(y / psi.dy() + (psi.ny() - 1) / 2.0));
        return psi.at(i, j);
    }
    static double cellX(double x)
    {
        const ComplexField2D& psi = window->waveField();
        return (std::round(x / psi.dx() + (psi.nx() - 1) / 2.0) - (psi.nx() - 1) / 2.0) * psi.dx();
    }
    static double cellY(double y)
    {
        const ComplexField2D& psi = window->waveField();
        return (std::round(y / psi.dy() + (psi.ny() - 1) / 2.0) - (psi.ny() - 1) / 2.0) * psi.dy();
    }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> Rebuild::window;

TEST_F(Rebuild, StartsAStoppedRunAtTimeZeroFromThePacketAndTheScenePotential)
{
    // Quantum Tunneling runs on the single barrier geometry, Resonant
    // Tunneling on a scene of two barriers; both on 256 x 256 cells of
    // unequal sides here.
    for (const std::uint32_t index : {2u, 7u}) {
        const ExperimentPreset preset = makeExperimentPreset(index);
        setQuietly<QDoubleSpinBox, double>("resonanceScanMinSpinBox", &QDoubleSpinBox::setValue, 1.25);
        window->loadGuidedExperiment(static_cast<int>(index));
        setQuietly<QComboBox, int>("gridResolutionComboBox", &QComboBox::setCurrentIndex, 0);
        setQuietly<QDoubleSpinBox, double>("universeHeightSpinBox", &QDoubleSpinBox::setValue, 30.72);
        window->rebuildSimulation();
        for (int i = 0; i < 3; ++i)
            window->stepOnce();
        ASSERT_GT(window->schroedingerSolver().stepCount(), 0u) << "the steps did not run";
        window->rebuildSimulation();

        EXPECT_EQ(window->transportClock().state(), TransportState::Stopped) << preset.title;
        EXPECT_FALSE(form<QTimer>("runTimer").isActive()) << "the rebuild started the timer";
        EXPECT_EQ(window->schroedingerSolver().time(), 0.0);
        EXPECT_EQ(window->schroedingerSolver().stepCount(), 0u);
        ASSERT_EQ(window->observableHistory().size(), 1u) << "exactly the t = 0 observation";
        EXPECT_EQ(window->observableHistory().newest().time, 0.0);
        EXPECT_EQ(form<QLabel>("measurementTotalValueLabel").text(), QStringLiteral("0"));
        EXPECT_EQ(form<QLabel>("detectorFluxValueLabel").text(), QStringLiteral("0.000000"));

        const ComplexField2D& psi = window->waveField();
        ASSERT_TRUE(psi.nx() == 256 && psi.ny() == 256) << preset.title;
        EXPECT_FLOAT_EQ(psi.dx(), static_cast<float>(preset.universeWidth / 256.0));
        EXPECT_FLOAT_EQ(psi.dy(), static_cast<float>(30.72 / 256.0));
        const PositionMoments moments = computePositionMoments(psi);
        EXPECT_NEAR(moments.norm, 1.0, 1e-5) << preset.title;
        EXPECT_NEAR(moments.meanX, preset.packetCenterX, 1e-3) << preset.title;
        EXPECT_NEAR(moments.meanY, preset.packetCenterY, 1e-3) << preset.title;
        EXPECT_NEAR(moments.sigmaX, preset.packetSigma, 1e-3) << preset.title;

        PotentialField2D expected = blankPotential();
        if (preset.sceneActive) {
            window->scene().buildPotential(expected);
        } else {
            ASSERT_EQ(preset.geometryIndex, static_cast<std::uint32_t>(PotentialObjectKind::Barrier));
            PotentialObject::applyTo(test::barrierObject(static_cast<float>(preset.geometryV0), 0.0f, 0.0f,
                                                         static_cast<float>(preset.geometrySizeA),
                                                         static_cast<float>(preset.geometrySizeB)),
                                     expected);
        }
        EXPECT_EQ(window->potentialField().values(), expected.values()) << preset.title;

        // The cross-section's fixed coordinate spans the cell centres across
        // the cut, in steps of one cell; in momentum space one step of the
        // reciprocal grid, 2 pi hbar / (n d) along the fixed axis.
        const double hbar = window->schroedingerSolver().parameters().hbar;
        auto& position = form<QDoubleSpinBox>("crossSectionPositionSpinBox");
        for (const int axis : {0, 1}) {
            const bool horizontal = axis == 0;
            const double d = horizontal ? psi.dy() : psi.dx();
            const double n = static_cast<double>(horizontal ? psi.ny() : psi.nx());
            form<QComboBox>("crossSectionAxisComboBox").setCurrentIndex(axis);
            form<QComboBox>("spaceComboBox").setCurrentIndex(0);
            EXPECT_NEAR(position.maximum(), 0.5 * (n - 1.0) * d, 0.006) << preset.title << ", axis " << axis;
            EXPECT_NEAR(position.minimum(), -0.5 * (n - 1.0) * d, 0.006) << preset.title << ", axis " << axis;
            EXPECT_NEAR(position.singleStep(), d, 1e-6) << preset.title << ", axis " << axis;
            form<QComboBox>("spaceComboBox").setCurrentIndex(1);
            EXPECT_NEAR(position.singleStep(), 2.0 * kPi * hbar / (n * d), 1e-5) << preset.title << ", axis " << axis;
        }
        form<QComboBox>("spaceComboBox").setCurrentIndex(0);
        form<QComboBox>("crossSectionAxisComboBox").setCurrentIndex(0);

        // The potential's contours are traced while they are shown and dropped when hidden.
        auto& contours = form<QCheckBox>("potentialContoursCheckBox");
        const QuantumGLView& view = form<QuantumGLView>("quantumView");
        contours.setChecked(true);
        EXPECT_FALSE(view.potentialContours().segments.empty()) << preset.title;
        // Traced from this preset's potential, not kept from the one before.
        const PotentialContourSet traced =
            buildPotentialContours(window->potentialField(),
                                   static_cast<std::uint64_t>(form<QSpinBox>("potentialContourLevelsSpinBox").value()));
        EXPECT_EQ(view.potentialContours().segments.size(), traced.segments.size()) << preset.title;
        contours.setChecked(false);
        EXPECT_TRUE(view.potentialContours().segments.empty()) << preset.title;

        // The two barriers' scan starts afresh at 0.2 and runs up to just
        // below the lower barrier: above it the transmission is near one everywhere.
        if (preset.sceneActive) {
            double lower = 1e300;
            for (const PotentialObject& object : preset.scene.objects())
                lower = std::min(lower, static_cast<double>(object.value));
            EXPECT_DOUBLE_EQ(form<QDoubleSpinBox>("resonanceScanMinSpinBox").value(), 0.2);
            const double maximum = form<QDoubleSpinBox>("resonanceScanMaxSpinBox").value();
            EXPECT_LT(maximum, lower);
            EXPECT_GT(maximum, 0.95 * lower);
        }
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
        // The free packet inside the right-hand band, heading out.
        window->loadGuidedExperiment(0);
        setQuietly<QDoubleSpinBox, double>("centerXSpinBox", &QDoubleSpinBox::setValue, 17.0);
        setQuietly<QComboBox, int>("boundaryModeComboBox", &QComboBox::setCurrentIndex, c.boundaryMode);
        setQuietly<QCheckBox, bool>("backflowEnabledCheckBox", &QCheckBox::setChecked, c.backflow);
        window->rebuildSimulation();
        window->stepOnce();
        const double norm = computePositionMoments(window->waveField()).norm;
        if (c.absorbs)
            EXPECT_LT(norm, 0.995) << "mode " << c.boundaryMode << ": the layer took nothing";
        else
            EXPECT_NEAR(norm, 1.0, 1e-4) << "mode " << c.boundaryMode << ", backflow " << c.backflow;
    }
}

TEST_F(Rebuild, EachPreparationTypeProducesItsState)
{
    // Expectations from the preset's own records and scene.
    const auto uniformSigmaY = [] {
        const ComplexField2D& psi = window->waveField();
        const double ny = static_cast<double>(psi.ny());
        return psi.dy() * std::sqrt((ny * ny - 1.0) / 12.0);
    };
    struct Case {
        Type type;
        std::uint32_t preset;
        std::function<void(const ExperimentPreset&, const PositionMoments&)> check;
    };
    const std::vector<Case> cases = {
        {Type::Gaussian, 11,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanX, p.packetCenterX, 1e-3);
             EXPECT_NEAR(m.sigmaX, p.packetSigma, 1e-3);
         }},
        // Stationary states of a well along x are uniform along y.
        {Type::BoundEigenstate, 10,
         [&](const ExperimentPreset&, const PositionMoments& m) { EXPECT_NEAR(m.sigmaY, uniformSigmaY(), 1e-3); }},
        {Type::BoundSuperposition, 12,
         [&](const ExperimentPreset&, const PositionMoments& m) { EXPECT_NEAR(m.sigmaY, uniformSigmaY(), 1e-3); }},
        {Type::TalbotComb, 31,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanY, p.talbotInitialState.centerY, 1e-3);
             EXPECT_TRUE(window->recorder<TalbotRecorder>().isConfigured());
         }},
        // The phase winds once by the charge round the core.
        {Type::Vortex, 33,
         [](const ExperimentPreset& p, const PositionMoments&) {
             const VortexInitialState& v = p.vortexInitialState;
             double winding = 0.0;
             std::complex<double> previous = psiAt(v.coreX + 0.5 * v.envelopeSigma, v.coreY);
             for (int k = 1; k <= 32; ++k) {
                 const double angle = 6.283185307179586 * k / 32.0;
                 const std::complex<double> next = psiAt(v.coreX + 0.5 * v.envelopeSigma * std::cos(angle),
                                                         v.coreY + 0.5 * v.envelopeSigma * std::sin(angle));
                 winding += std::arg(next / previous);
                 previous = next;
             }
             EXPECT_NEAR(winding, 6.283185307179586 * v.charge, 1e-6);
             EXPECT_TRUE(window->recorder<VortexRecorder>().isConfigured());
         }},
        // Two equal lanes: the mean between them, sigma_y^2 = (half gap)^2 + sigma^2.
        {Type::AndersonDualLane, 34,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             const AndersonInitialStateConfig& a = p.andersonInitialState;
             const double halfGap = 0.5 * (a.cleanLaneY - a.disorderLaneY);
             EXPECT_NEAR(m.meanX, a.centerX, 1e-3);
             EXPECT_NEAR(m.meanY, 0.5 * (a.cleanLaneY + a.disorderLaneY), 1e-3);
             EXPECT_NEAR(m.sigmaY, std::sqrt(halfGap * halfGap + a.sigma * a.sigma), 1e-3);
             EXPECT_TRUE(window->recorder<AndersonRecorder>().isConfigured());
         }},
        // Mode n of the periodic box carries p = 2 pi n hbar / L.
        {Type::KickedRotor, 35,
         [](const ExperimentPreset& p, const PositionMoments&) {
             const double length = p.universeWidth;
             const double momentum = 6.283185307179586 * p.kickedRotorInitialState.initialMomentumMode / length;
             EXPECT_NEAR(MomentumSpace2D::compute(window->waveField(), 1.0).meanPx, momentum, 1e-6);
             EXPECT_TRUE(window->recorder<KickedRotorRecorder>().isConfigured());
         }},
        {Type::QuantumZeno, 36,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             const ZenoInitialStateConfig& z = p.quantumZenoInitialState;
             EXPECT_NEAR(m.meanX, z.centerX, 1e-3);
             EXPECT_NEAR(m.meanY, 0.5 * (z.controlLaneY + z.watchedLaneY), 1e-3);
             EXPECT_TRUE(window->recorder<ZenoRecorder>().isConfigured());
         }},
        {Type::BerryFirstExcited, 38,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             BerryTrap trap;
             ASSERT_TRUE(QuantumBerryPhase2D::analyzeTrap(p.scene, trap, nullptr));
             EXPECT_NEAR(m.meanX, trap.centerX, 1e-3);
             EXPECT_NEAR(m.meanY, trap.centerY, 1e-3);
             EXPECT_TRUE(window->recorder<BerryRecorder>().isConfigured());
         }},
        {Type::MoshinskyShutter, 40,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanY, p.moshinskyInitialState.centerY, 1e-3);
             EXPECT_LT(m.meanX, window->storedRecords().moshinskyInitialState.shutterX) << "not behind the shutter";
             // Moved off both axes, the shutter takes the state's edge along:
             // the erfc edge of width 0.18 leaves nothing a unit past it.
             ExperimentDocument document = window->captureExperimentDocument();
             PotentialObject shutter = document.potentialScene.objects().front();
             shutter.centerX = -2.5f;
             shutter.centerY = 1.5f;
             ASSERT_TRUE(document.potentialScene.update(shutter.id, shutter));
             QString error;
             ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
             EXPECT_DOUBLE_EQ(window->storedRecords().moshinskyInitialState.shutterX, -2.5);
             EXPECT_LT(std::abs(psiAt(-1.5, 0.0)), 1e-4f * std::abs(psiAt(-3.5, 0.0))) << "past the moved shutter";
         }},
        {Type::KapitzaDiracBeam, 41,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanX, p.kapitzaDiracInitialState.centerX, 1e-3);
             EXPECT_NEAR(m.meanY, p.kapitzaDiracInitialState.centerY, 1e-3);
         }},
        // The form's packet times exp(i F theta) about the solenoid.
        {Type::AharonovBohmBeam, 42,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanX, p.packetCenterX, 1e-3);
             const AharonovBohmConfig& ab = window->storedRecords().quantumAharonovBohm;
             const double x = cellX(p.packetCenterX);
             const double y = cellY(p.packetCenterY + 1.0);
             double theta = std::atan2(y - ab.solenoidY, x - ab.solenoidX);
             theta += theta < 0.0 ? 6.283185307179586 : 0.0;
             const double phase = std::arg(std::complex<double>(psiAt(x, y)));
             const double expected = p.packetMomentumX * x + p.packetMomentumY * y + ab.fluxQuanta * theta;
             EXPECT_NEAR(std::remainder(phase - expected, 6.283185307179586), 0.0, 1e-3);
             EXPECT_TRUE(window->recorder<AharonovBohmRecorder>().isConfigured());
         }},
        {Type::LandauMagneticState, 43,
         [](const ExperimentPreset&, const PositionMoments&) {
             EXPECT_TRUE(window->recorder<LandauRecorder>().isConfigured());
         }},
        {Type::QuantumHallEdgeState, 44,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanY, p.quantumHallEdge.launchY, 1e-3);
             EXPECT_TRUE(window->recorder<HallEdgeRecorder>().isConfigured());
         }},
        {Type::QuantumBackflowState, 45,
         [](const ExperimentPreset&, const PositionMoments&) {
             EXPECT_TRUE(window->recorder<BackflowRecorder>().isConfigured());
         }},
        // The spinor's own grid sits half a cell (of 256) off the cell centres.
        {Type::DiracZitterbewegungState, 46,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanX, p.quantumZitterbewegung.centerX + 0.5 * p.universeWidth / 256.0, 0.02);
             EXPECT_TRUE(window->recorder<DiracZitterbewegungRecorder>().isConfigured());
         }},
        {Type::DiracKleinTunnelingState, 47,
         [](const ExperimentPreset& p, const PositionMoments& m) {
             EXPECT_NEAR(m.meanX, p.quantumKleinTunneling.centerX, 1e-3);
             EXPECT_TRUE(window->recorder<DiracKleinRecorder>().isConfigured());
         }},
    };
    for (const Case& c : cases) {
        const ExperimentPreset preset = makeExperimentPreset(c.preset);
        SCOPED_TRACE(preset.title);
        ASSERT_EQ(preset.initialPreparation.type, c.type);
        window->loadGuidedExperiment(static_cast<int>(c.preset));
        const PositionMoments moments = computePositionMoments(window->waveField());
        EXPECT_NEAR(moments.norm, 1.0, 1e-4);
        const QStringList spread = form<QTableWidget>("diagnosticsTable").item(20, 2)->text().split(" / ");
        ASSERT_EQ(spread.size(), 2);
        EXPECT_NEAR(spread[0].toDouble(), moments.sigmaX, 5e-4) << "the spread row's sigmaX";
        EXPECT_NEAR(spread[1].toDouble(), moments.sigmaY, 5e-4) << "the spread row's sigmaY";
        c.check(preset, moments);
        const bool dirac = c.type == Type::DiracZitterbewegungState || c.type == Type::DiracKleinTunnelingState;
        EXPECT_EQ(window->spinorField().isEmpty(), !dirac) << "the spinor holds a field only when prepared";
        if (dirac) {
            EXPECT_NEAR(window->spinorField().norm(), 1.0, 1e-5);
            EXPECT_TRUE(window->observableHistory().empty()) << "a Dirac run records no observation";
        }
    }
}

TEST_F(Rebuild, AFailedPreparationFallsBackToThePacketAndSaysWhy)
{
    // The expected texts come from the builders and preparers themselves.
    const auto gaugeMessage = [](const char* format, bool landau) {
        std::string message;
        GaugeLinkField2D links;
        PotentialField2D scratch = blankPotential();
        const ExperimentSettingsRecords& r = window->storedRecords();
        const bool built =
            landau ? QuantumLandau2D::buildSymmetricGauge(window->waveField(), r.quantumLandau, links, &message)
                   : QuantumHallEdge2D::buildField(window->waveField(), r.quantumHallEdge, scratch, links, &message);
        EXPECT_FALSE(built);
        return QString::fromLatin1(format).arg(QString::fromStdString(message)).toStdString();
    };
    struct Case {
        std::uint32_t preset;
        std::function<void()> change; // then the experiment is applied again
        std::function<std::string()> message;
    };
    const std::vector<Case> cases = {
        {43, [] { form<QDoubleSpinBox>("landauFieldSpinBox").setValue(0.0); },
         [&] { return gaugeMessage("Landau gauge build failed: %1", true); }},
        {44, [] { form<QDoubleSpinBox>("hallEdgeFieldSpinBox").setValue(0.0); },
         [&] { return gaugeMessage("Hall edge build failed: %1", false); }},
        {43, [] { form<QCheckBox>("landauEnabledCheckBox").setChecked(false); }, [] { return std::string(); }},
        {47, [] { form<QDoubleSpinBox>("kleinDetectorXSpinBox").setValue(-15.0); },
         // Named as the window names the experiment, not by its analysis class.
         [] {
             return std::string("Klein Tunneling: the detector must lie beyond the barrier (detector X > "
                                "barrier center X + width / 2)");
         }},
    };
    for (const Case& c : cases) {
        const ExperimentPreset preset = makeExperimentPreset(c.preset);
        SCOPED_TRACE(preset.title);
        window->loadGuidedExperiment(static_cast<int>(c.preset));
        c.change();
        window->rebuildSimulation();

        const PositionMoments moments = computePositionMoments(window->waveField());
        EXPECT_NEAR(moments.norm, 1.0, 1e-5);
        EXPECT_NEAR(moments.meanX, preset.packetCenterX, 1e-3) << "not the form's packet";
        EXPECT_NEAR(moments.meanY, preset.packetCenterY, 1e-3) << "not the form's packet";
        EXPECT_NEAR(moments.sigmaX, preset.packetSigma, 1e-3) << "not the form's packet";
        EXPECT_TRUE(window->spinorField().isEmpty());
        const std::string message = c.message();
        if (!message.empty()) {
            EXPECT_EQ(statusMessage(), message);
        }
        // The failure is sticky: the next rebuild prepares the packet again.
        window->rebuildSimulation();
        EXPECT_NEAR(computePositionMoments(window->waveField()).meanX, preset.packetCenterX, 1e-3);
    }
}

TEST_F(Rebuild, ForcedQuenchKeepsWhatWasPaintedOverTheScene)
{
    // The quench is off and the scene on: the rebuild's quench call at t = 0
    // must not put the bare scene back over the solenoid disc, the Hall wall
    // or the Klein barrier.
    struct Case {
        std::uint32_t preset;
        std::function<void(PotentialField2D&)> paint;
    };
    const ExperimentSettingsRecords& records = window->storedRecords();
    GaugeLinkField2D links;
    const std::vector<Case> cases = {
        {42,
         [&](PotentialField2D& expected) {
             window->scene().buildPotential(expected);
             QuantumAharonovBohm2D::buildField(window->waveField(), records.quantumAharonovBohm, expected, links,
                                               nullptr);
         }},
        {44,
         [&](PotentialField2D& expected) {
             window->scene().buildPotential(expected);
             QuantumHallEdge2D::buildField(window->waveField(), records.quantumHallEdge, expected, links, nullptr);
         }},
        {47,
         [&](PotentialField2D& expected) {
             QuantumKleinTunneling2D::buildPotential(expected, records.quantumKleinTunneling, nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(makeExperimentPreset(c.preset).title);
        window->loadGuidedExperiment(static_cast<int>(c.preset));
        addRectangleToScene(1.5, 12.0, 9.0);
        ASSERT_TRUE(form<QCheckBox>("potentialSceneActiveCheckBox").isChecked());
        ASSERT_EQ(window->scene().size(), 1u);

        PotentialField2D expected = blankPotential();
        c.paint(expected);
        EXPECT_GT(expected.maxValue(), 1.5f) << "nothing was painted over the scene";
        EXPECT_EQ(window->potentialField().values(), expected.values()) << "what was painted over the scene is gone";
    }
}

// The Aharonov-Bohm links depend on the grid and the solenoid alone: a Reset
// takes them from the last build, and a new flux, radius or grid writes them
// anew. Either way they and the disc are what a build on the window's grid
// writes, bit for bit.
TEST_F(Rebuild, AharonovBohmLinksAreThoseOfTheSolenoidOnTheGridAfterEveryRebuild)
{
    window->loadGuidedExperiment(42);
    const struct Step {
        const char* what;
        std::function<void()> change;
    } steps[] = {{"the load", [] {}},
                 {"a Reset", [] { click("resetButton"); }},
                 {"a new flux", [] { form<QDoubleSpinBox>("aharonovBohmFluxSpinBox").setValue(0.25); }},
                 {"a new radius", [] { form<QDoubleSpinBox>("aharonovBohmRadiusSpinBox").setValue(0.9); }},
                 {"the finer grid", [] { form<QComboBox>("gridResolutionComboBox").setCurrentIndex(1); }},
                 {"a Reset", [] { click("resetButton"); }}};
    for (const Step& step : steps) {
        step.change();
        window->rebuildSimulation();
        const GaugeLinkField2D* links = MainWindowProbe::linksInForce(*window);
        ASSERT_NE(links, nullptr) << step.what;
        GaugeLinkField2D built;
        PotentialField2D disc;
        ASSERT_TRUE(QuantumAharonovBohm2D::buildField(window->waveField(), window->storedRecords().quantumAharonovBohm,
                                                      disc, built, nullptr));
        ASSERT_TRUE(links->matches(window->waveField())) << step.what;
        const std::size_t count = built.nx() * built.ny();
        EXPECT_TRUE(std::equal(built.linksXData(), built.linksXData() + count, links->linksXData()) &&
                    std::equal(built.linksYData(), built.linksYData() + count, links->linksYData()))
            << step.what;
        EXPECT_EQ(window->potentialField().values(), disc.values()) << step.what;
    }
}

TEST_F(Rebuild, AResetOfTheSameBoxAndPacketSolvesNoLevelsAgain)
{
    window->loadGuidedExperiment(28);
    form<QComboBox>("gridResolutionComboBox").setCurrentIndex(0);
    const RevivalBoxConfig loaded = MainWindowProbe::revivalBox(*window);
    ASSERT_GT(loaded.levelRevivalTimeX, 0.0);
    ASSERT_GT(loaded.levelRevivalTimeY, 0.0);
    const std::uint64_t solves = MainWindowProbe::revivalLevelSolves(*window);
    click("resetButton");
    click("resetButton");
    EXPECT_EQ(MainWindowProbe::revivalLevelSolves(*window), solves) << "a Reset solved the same levels again";
    EXPECT_EQ(MainWindowProbe::revivalBox(*window).levelRevivalTimeX, loaded.levelRevivalTimeX);
    EXPECT_EQ(MainWindowProbe::revivalBox(*window).levelRevivalTimeY, loaded.levelRevivalTimeY);
    // A new momentum along x changes the packet on the line along x alone.
    QDoubleSpinBox& momentum = form<QDoubleSpinBox>("momentumSpinBox");
    momentum.setValue(momentum.value() + 0.5);
    EXPECT_EQ(MainWindowProbe::revivalLevelSolves(*window), solves + 1);
    EXPECT_EQ(MainWindowProbe::revivalBox(*window).levelRevivalTimeY, loaded.levelRevivalTimeY);
}

TEST_F(Rebuild, TwoLevelScansAreComputedOnceForEachChangeOfTheirInputsAndNotAgainByAReset)
{
    const struct Case {
        int preset;
        const char* setting;
    } cases[] = {{20, "linearSweepHoldDurationSpinBox"}, {25, "ramseyEnsembleSigmaSpinBox"}};
    const TwoLevelState& state = MainWindowProbe::twoLevelState(*window);
    for (const Case& c : cases) {
        window->loadGuidedExperiment(c.preset);
        form<QComboBox>("gridResolutionComboBox").setCurrentIndex(0);
        const auto scans = [&state] {
            return std::make_tuple(state.stueckelbergHoldScan.size(), state.ramseyFringeScan.size(),
                                   state.ramseyEnsembleScan.size(), state.ramseyEnsemble.averagePopulation2);
        };
        const auto loaded = scans();
        ASSERT_GT(std::get<0>(loaded) + std::get<1>(loaded), 0u) << c.preset;
        const std::uint64_t computed = state.keptScans.computed;
        click("resetButton");
        click("resetButton");
        EXPECT_EQ(state.keptScans.computed, computed) << c.preset << ": a Reset computed a scan again";
        EXPECT_EQ(scans(), loaded) << c.preset;
        QDoubleSpinBox& setting = form<QDoubleSpinBox>(c.setting);
        setting.setValue(setting.value() + setting.singleStep());
        click("resetButton");
        EXPECT_EQ(state.keptScans.computed, computed + 1) << c.preset << ": " << c.setting;
    }
}

TEST_F(Rebuild, QuenchFiredAtTimeZeroTakesNoEnergyFromThePreviousRun)
{
    window->loadGuidedExperiment(13);
    setQuietly<QDoubleSpinBox, double>("quenchTimeSpinBox", &QDoubleSpinBox::setValue, 0.0);
    window->rebuildSimulation();
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
    // Klein stays enabled while its spinor cannot be prepared, either because
    // the preparation refuses the settings or because another state is asked
    // for.
    const std::vector<std::function<void()>> unprepared = {
        [] { form<QDoubleSpinBox>("kleinDetectorXSpinBox").setValue(-15.0); },
        [] { form<QCheckBox>("zitterEnabledCheckBox").setChecked(true); }, // asks for preparation 15
    };
    for (std::size_t k = 0; k < unprepared.size(); ++k) {
        window->loadGuidedExperiment(47);
        unprepared[k]();
        setQuietly<QCheckBox, bool>("kleinEnabledCheckBox", &QCheckBox::setChecked, true);
        setQuietly<QCheckBox, bool>("zitterEnabledCheckBox", &QCheckBox::setChecked, false);
        window->rebuildSimulation();
        ASSERT_TRUE(window->storedRecords().quantumKleinTunneling.enabled) << "case " << k;
        ASSERT_TRUE(window->spinorField().isEmpty()) << "case " << k << ": an unprepared spinor holds a field";

        window->stepOnce();
        EXPECT_NEAR(computePositionMoments(window->waveField()).norm, 1.0, 1e-4)
            << "case " << k << ": the first step wiped the packet";
        EXPECT_NEAR(window->schroedingerSolver().time(), window->schroedingerSolver().parameters().dt, 1e-9);
    }
}

} // namespace
} // namespace vxo
