// The recorder pages of the Zeno, scar, Berry, Loschmidt, Moshinsky,
// Kapitza-Dirac and backflow experiments in one unshown window: each guided
// experiment is loaded (on the 256 x 256 grid where it asks for more), stepped
// and its summary and diagnostics row read back against the physics and the
// recorder the window keeps; pages of experiments that are not loaded show
// their hints.

#include "core/Numeric.h"
#include "WindowControls.h"
#include "common/MainWindowProbe.h"

#include "app/panels/RecorderPanelFigures.h"
#include "app/text/DiagnosticsRowLabels.h"
#include "app/text/PanelText.h"
#include "app/mainwindow/MainWindow.h"
#include "app/text/ValueFormatters.h"
#include "document/ExperimentCatalogue.h"
#include "experiments/QuantumZeno2D.h"
#include "experiments/ZenoRecorder.h"
#include "common/PlaneWaveGrating.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr int kZenoPreset = 36;
constexpr int kScarPreset = 37;
constexpr int kBerryPreset = 38;
constexpr int kLoschmidtPreset = 39;
constexpr int kMoshinskyPreset = 40;
constexpr int kKapitzaDiracPreset = 41;
constexpr int kBackflowPreset = 45;

std::string text(const MainWindow& window, const char* labelName)
{
    const auto* label = window.findChild<QLabel*>(QLatin1String(labelName));
    return label ? label->text().toStdString() : std::string("<no ") + labelName + ">";
}

// Section, parameter and value of one row of the diagnostics table.
std::string rowText(const MainWindow& window, int row)
{
    const auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    if (!table || row >= table->rowCount())
        return "<no row>";
    std::string joined;
    for (int column = 0; column < 3; ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        joined += (column ? " | " : "") + (item ? item->text().toStdString() : std::string("<no item>"));
    }
    return joined;
}

std::string rowLabels(int row)
{
    const DiagnosticsRowLabels& labels = diagnosticsRowLabels(row);
    return std::string(labels.section) + " | " + labels.parameter + " | ";
}

// The number written right after `key`; NaN when the key is missing.
double numberAfter(const std::string& text, const std::string& key)
{
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return std::numeric_limits<double>::quiet_NaN();
    return std::strtod(text.c_str() + at + key.size(), nullptr);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The real-world estimate of a duration under the preset's unit mapping.
std::string indicative(int preset, double duration)
{
    const double timeUnit = makeExperimentPreset(static_cast<std::uint32_t>(preset)).realWorldScale.timeUnit;
    return formatTime(duration * timeUnit).toStdString();
}

class RecorderPanelsII : public ::testing::Test {
protected:
    void SetUp() override { window = test::windowOnSmallGrid(); }
    void TearDown() override { window.reset(); }

    // The guided experiment, moved to the 256 x 256 grid (a rebuild) when it
    // brings a finer one.
    static void load(int preset)
    {
        window->loadGuidedExperiment(preset);
        if (auto* grid = window->findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
            grid && grid->currentIndex() != 0)
            grid->setCurrentIndex(0);
    }

    static void step(int count)
    {
        for (int i = 0; i < count; ++i)
            window->stepOnce();
    }

    static double time() { return window->schroedingerSolver().time(); }

    static void expectZenoRatioAlikeUnderEitherLayer(double period, double lowest, double highest);

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> RecorderPanelsII::window;

TEST_F(RecorderPanelsII, PagesOfExperimentsNotLoadedShowTheRecorderStateInPageAndRow)
{
    window->loadGuidedExperiment(0);
    step(1);
    struct Page {
        const char* label;
        int row; // -1: the page has no diagnostics row
        std::string hint;
    };
    const Page pages[] = {
        {"zenoSummaryLabel", -1, "Load the Quantum Zeno Effect / Watched Escape preset."},
        {"scarSummaryLabel", -1, "Load the Quantum Scars / Chaotic Stadium Billiard preset."},
        {"berrySummaryLabel", kBerryRow,
         "Berry recorder inactive: enabled=no  trap=no  configured=no  samples=0  t=0.020  prepMode=0\n"
         "Load Berry Phase / Geometric Phase, keep Dynamics > Berry enabled, then press Play."},
        {"loschmidtSummaryLabel", kLoschmidtRow,
         "Loschmidt recorder inactive: enabled=no  configured=no  samples=0  fired=no\n"
         "Load Loschmidt Echo / Quantum Time Reversal and press Play."},
        {"moshinskySummaryLabel", kMoshinskyRow,
         "Moshinsky recorder inactive: enabled=no  configured=no  samples=0\n"
         "Load Moshinsky Shutter / Diffraction in Time and press Play."},
        {"kapitzaDiracSummaryLabel", kKapitzaDiracRow,
         "Kapitza-Dirac recorder inactive: enabled=no  configured=no  samples=0\n"
         "Load Kapitza-Dirac Diffraction / Optical Standing Wave and press Play."},
        {"backflowSummaryLabel", kBackflowRow, "Backflow recorder inactive: enabled=no  configured=no  samples=0"},
    };
    for (const Page& page : pages) {
        EXPECT_EQ(text(*window, page.label), page.hint) << page.label;
        if (page.row >= 0) {
            EXPECT_EQ(rowText(*window, page.row), rowLabels(page.row) + page.hint) << page.label;
        }
    }

    // Switched on without a shutter in the scene: it goes off again and says why.
    auto* moshinsky = test::control<QCheckBox>(*window, "moshinskyEnabledCheckBox");
    ASSERT_NE(moshinsky, nullptr);
    moshinsky->setChecked(true);
    EXPECT_FALSE(moshinsky->isChecked());
    EXPECT_EQ(text(*window, "moshinskySummaryLabel"),
              "Diffraction in Time is off: the Potential Scene is empty\n"
              "Moshinsky recorder inactive: enabled=no  configured=no  samples=0\n"
              "Load Moshinsky Shutter / Diffraction in Time and press Play.");
}

TEST_F(RecorderPanelsII, ZenoPageCountsTheMeasurementsOfTheWatchedLane)
{
    load(kZenoPreset);
    const ZenoConfig& zeno = window->storedRecords().quantumZeno;
    // Before Play the page already reads the sample of the start.
    std::string summary = text(*window, "zenoSummaryLabel");
    EXPECT_TRUE(contains(summary, "measurement dt=0.100  (~" + indicative(kZenoPreset, 0.1) +
                                      " indicative)   count=0"
                                      "   next=0.40\n"))
        << summary;

    // Until t = 3.5 the packets reach the escape barriers. A measurement is
    // taken in the step that starts at most dt/2 before its time.
    step(175);
    summary = text(*window, "zenoSummaryLabel");
    const double dt = window->schroedingerSolver().parameters().dt;
    const double count = std::floor((time() - 0.5 * dt - zeno.firstMeasurementTime) / zeno.measurementPeriod) + 1.0;
    EXPECT_EQ(numberAfter(summary, "count="), count) << summary;
    EXPECT_NEAR(numberAfter(summary, "next="), zeno.firstMeasurementTime + count * zeno.measurementPeriod, 0.005)
        << summary;
    // The conditional probability belongs to the live watched lane.
    EXPECT_NEAR(numberAfter(summary, "conditional YES="), QuantumZeno2D::laneSurvival(window->waveField(), zeno, true),
                0.5e-5)
        << summary;
    EXPECT_NEAR(numberAfter(summary, "norm="), window->waveField().norm(), 1e-6) << summary;
    // Watching holds the packet back: more of it survives than of the control.
    const double control = numberAfter(summary, "control survival=");
    const double watched = numberAfter(summary, "watched cumulative=");
    EXPECT_LT(control, 0.95) << "the control packet has begun to escape\n" << summary;
    EXPECT_GT(watched, control + 0.02) << summary;
    EXPECT_NEAR(numberAfter(summary, "ratio="), watched / control, 0.006) << summary;
}

// The two lanes are booked alike: the absorbing layer, which reaches into both
// lanes at the top and bottom of the universe, takes from each and neither
// survival may hand that back, so what it takes cancels in their ratio, which
// is then the same for a wider layer. The watched lane's survival over the
// control's at t = 30, measured every `period`, with the layer as loaded
// (0.12) and wider (0.2); the ratio as loaded lies in [lowest, highest]. Each
// rate is a test of its own: each takes two runs to t = 30.
void RecorderPanelsII::expectZenoRatioAlikeUnderEitherLayer(double period, double lowest, double highest)
{
    const auto ratioAt30 = [period](double layerWidth) {
        load(kZenoPreset);
        setValue(*window, "absorbingWidthSpinBox", layerWidth);
        setValue(*window, "zenoMeasurementPeriodSpinBox", period);
        click(*window, "zenoApplyButton");
        while (time() < 30.0 - 1e-9) {
            MainWindowProbe::stepTick(*window);
            MainWindowProbe::observeTick(*window);
        }
        const ZenoSample& last = window->recorder<ZenoRecorder>().samples().back();
        EXPECT_LT(last.controlSurvival, 0.9) << "the control packet has escaped in part by t = 30";
        return last.measuredSurvival / last.controlSurvival;
    };
    const double asLoaded = ratioAt30(0.12);
    const double wider = ratioAt30(0.2);
    EXPECT_GE(asLoaded, lowest) << "measurement dt " << period;
    EXPECT_LE(asLoaded, highest) << "measurement dt " << period;
    EXPECT_NEAR(wider, asLoaded, 0.01) << "measurement dt " << period;
}

// Measurements every 5 time units, six in 30, cannot hold the packet back:
// the watched lane survives as the control does.
TEST_F(RecorderPanelsII, ZenoRatioOfRareMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes)
{
    expectZenoRatioAlikeUnderEitherLayer(5.0, 0.9, 1.1);
}

// Every 0.1, as loaded, the watched lane does keep more than the control.
TEST_F(RecorderPanelsII, ZenoRatioOfFrequentMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes)
{
    expectZenoRatioAlikeUnderEitherLayer(0.1, 1.1, 1.4);
}

// A split above every row empties the control lane, so the recorder refuses the
// geometry; then no measurement runs, not even one removing the whole packet.
TEST_F(RecorderPanelsII, ZenoRunWithARefusedRecorderTakesNoMeasurement)
{
    load(kZenoPreset);
    ExperimentDocument document = window->captureExperimentDocument();
    document.quantumZeno.laneSplitY = 1.0e3;
    document.quantumZeno.survivalBoundaryX = -1.0e3;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    const ZenoConfig& zeno = window->storedRecords().quantumZeno;
    ASSERT_TRUE(zeno.enabled && !window->recorder<ZenoRecorder>().isConfigured());
    const double norm = window->waveField().norm();
    step(static_cast<int>(std::ceil(2.0 * zeno.firstMeasurementTime / window->schroedingerSolver().parameters().dt)));
    EXPECT_NEAR(window->waveField().norm(), norm, 1e-4);
}

TEST_F(RecorderPanelsII, ScarPageShowsTheStadiumAndTheBouncingOrbitPeriod)
{
    load(kScarPreset);
    const int steps = 5;
    step(steps);
    const std::string summary = text(*window, "scarSummaryLabel");
    // The preset's stadium: straight length 8, radius 4.5, walls 120; a packet
    // of momentum 4 and mass 1 crosses the axis 2 (2R + L) in Tclass = 8.5.
    EXPECT_TRUE(contains(summary, "stadium L=8.00   R=4.50   Vwall=120.0   E filter=9.500   band +/- 0.80\n"))
        << summary;
    EXPECT_TRUE(contains(summary, "axial orbit Tclass=8.500  (~" + indicative(kScarPreset, 8.5) + " indicative)"))
        << summary;
    // One frame at the start and one per observation.
    EXPECT_EQ(numberAfter(summary, "frames="), steps + 1.0) << summary;
    EXPECT_NEAR(numberAfter(summary, "   t="), time(), 0.005) << summary;
    EXPECT_NEAR(numberAfter(summary, "norm="), window->waveField().norm(), 1e-6) << summary;

    // A heavier packet with a sideways kick: speed |p| / m = 5 / 2 = 2.5, so
    // Tclass = 2 (2 * 4.5 + 8) / 2.5 = 13.6.
    test::control<QDoubleSpinBox>(*window, "massSpinBox")->setValue(2.0);
    test::control<QDoubleSpinBox>(*window, "momentumYSpinBox")->setValue(3.0);
    step(1);
    const std::string heavy = text(*window, "scarSummaryLabel");
    EXPECT_TRUE(contains(heavy, "axial orbit Tclass=13.600  (~" + indicative(kScarPreset, 13.6) + " indicative)"))
        << heavy;
}

TEST_F(RecorderPanelsII, BerryPageFillsItsCountAndTimeLastAndReadsTheDoubletGap)
{
    load(kBerryPreset);
    step(16); // sampled every 8 steps, thinned to one sample per 0.2
    const std::string summary = text(*window, "berrySummaryLabel");
    const auto& samples = window->recorder<BerryRecorder>().samples();
    ASSERT_EQ(samples.size(), 2u) << summary;
    // The two placeholders that stand first are filled after the twelve others.
    EXPECT_EQ(summary.rfind("samples=2   t=0.320   loop A=0.350   winding=1   progress=0.1%   q=(", 0), 0u) << summary;
    EXPECT_GT(samples.back().axisAngle * 180.0 / kPi, 0.15) << "too early to tell radians from degrees";
    EXPECT_NEAR(numberAfter(summary, "trap axis="), samples.back().axisAngle * 180.0 / kPi, 0.05) << summary;

    // Principal curvatures k +- 2a of the deformed isotropic trap.
    const double k = window->scene().objects().front().curvatureX;
    const double a = window->storedRecords().quantumBerry.anisotropy;
    const double splitting = std::sqrt(k + 2.0 * a) - std::sqrt(k - 2.0 * a);
    EXPECT_NEAR(numberAfter(summary, "doublet gap="), splitting, 0.5e-5) << summary;
    EXPECT_NEAR(numberAfter(summary, "axis-rate/gap="), kPi / 240.0 / splitting, 0.5e-3 * kPi / 240.0 / splitting)
        << summary;
    EXPECT_TRUE(contains(summary, "duration=240.0 (~" + indicative(kBerryPreset, 240.0) + " indicative)\n")) << summary;

    // Early in a slow loop the state has hardly moved: no phase yet, full return.
    const double phase = numberAfter(summary, "geometric phase=");
    EXPECT_LT(std::fabs(phase), 1.0) << summary;
    EXPECT_NEAR(numberAfter(summary, "|error from pi|="), 180.0 - std::fabs(phase), 0.011) << summary;
    EXPECT_GT(numberAfter(summary, "return fidelity="), 0.999) << summary;
    const std::string row = rowText(*window, kBerryRow);
    EXPECT_EQ(row.rfind(rowLabels(kBerryRow) + "phase=", 0), 0u) << row;
    EXPECT_NEAR(numberAfter(row, "F="), samples.back().returnFidelity, 0.5e-5) << row;
}

// Steps of the run's own ticks until `until` holds, then one refresh.
template <typename Until>
void runUntil(MainWindow& w, Until until)
{
    while (!until())
        MainWindowProbe::stepTick(w);
    MainWindowProbe::refreshTick(w);
}

// The holonomy belongs to the closed loop: run on, the phase read from the
// return overlap and the transported one part by the dynamical phases of what
// the loop's finite speed excited, so the page keeps what it read at the end.
TEST_F(RecorderPanelsII, BerryPageKeepsTheReadingOfTheClosedLoop)
{
    load(kBerryPreset);
    test::setValue(*window, "berryDurationSpinBox", 40.0); // the guide's faster loop, which excites the most
    const auto& samples = window->recorder<BerryRecorder>().samples();
    runUntil(*window, [&] { return !samples.empty() && samples.back().progress >= 1.0; });
    const std::string closed = text(*window, "berrySummaryLabel");
    const double readAt = samples.back().time;
    runUntil(*window, [&] { return time() >= 80.0; });
    const std::string later = text(*window, "berrySummaryLabel");
    SCOPED_TRACE(later);
    for (const char* figure : {"samples=", "   t=", "progress=", "return fidelity=", "geometric phase="})
        EXPECT_EQ(numberAfter(later, figure), numberAfter(closed, figure)) << figure;
    EXPECT_TRUE(contains(later, "reading closed at t=" + PanelText::fixedText(readAt, 3).toStdString()));
    EXPECT_TRUE(contains(later, "goes on at t=" + PanelText::fixedText(time(), 3).toStdString()));
}

// Every page whose recorder stops at the end of its analysis window says,
// once the run has passed it, when its figures were read; they stay put.
TEST_F(RecorderPanelsII, PagesOfWindowsThatEndedSayWhenTheyWereRead)
{
    const struct {
        int preset;
        const char* end;
        const char* apply; // none: the box rebuilds by itself
        const char* page;
    } pages[] = {
        {40, "moshinskyAnalysisEndTimeSpinBox", nullptr, "moshinskySummaryLabel"},
        {41, "kapitzaDiracAnalysisEndSpinBox", nullptr, "kapitzaDiracSummaryLabel"},
        {42, "aharonovBohmAnalysisEndSpinBox", "aharonovBohmApplyButton", "aharonovBohmSummaryLabel"},
        {43, "landauAnalysisEndSpinBox", "landauApplyButton", "landauSummaryLabel"},
        {44, "hallEdgeAnalysisEndSpinBox", "hallEdgeApplyButton", "hallEdgeSummaryLabel"},
        {45, "backflowAnalysisEndSpinBox", "backflowApplyButton", "backflowSummaryLabel"},
        {46, "zitterAnalysisEndSpinBox", "zitterApplyButton", "zitterSummaryLabel"},
        {47, "kleinAnalysisEndSpinBox", "kleinApplyButton", "kleinSummaryLabel"},
    };
    const std::string closedAt = "reading closed at t=";
    for (const auto& page : pages) {
        SCOPED_TRACE(page.page);
        load(page.preset);
        test::setValue(*window, page.end, 1.0);
        if (page.apply)
            test::click(*window, page.apply);
        runUntil(*window, [] { return time() > 1.0; });
        const std::string ended = text(*window, page.page);
        const std::size_t note = ended.find(closedAt);
        ASSERT_NE(note, std::string::npos) << ended;
        EXPECT_LE(numberAfter(ended, closedAt), 1.0) << ended;
        runUntil(*window, [] { return time() > 1.5; });
        const std::string later = text(*window, page.page);
        EXPECT_EQ(later.substr(0, note + closedAt.size()), ended.substr(0, note + closedAt.size()));
        EXPECT_EQ(numberAfter(later, closedAt), numberAfter(ended, closedAt));
        EXPECT_NEAR(numberAfter(later, "goes on at t="), time(), 5e-4) << later;
    }
}

TEST_F(RecorderPanelsII, LoschmidtPageFollowsTheReversalToAnEchoOfOne)
{
    load(kLoschmidtPreset);
    // A reversal at T = 0.2 brings the echo endpoint 2T within 20 steps.
    test::setValue(*window, "loschmidtTimeSpinBox", 0.2);
    ASSERT_EQ(window->storedRecords().quantumLoschmidt.reversalTime, 0.2);
    const std::string boundary = test::control<QComboBox>(*window, "boundaryModeComboBox")->currentIndex() == 1
                                     ? "absorbing (exact echo broken)"
                                     : "closed / periodic FFT domain";

    struct Stage {
        int steps; // further steps before reading
        const char* stage;
        bool fired, endpoint;
    };
    const Stage stages[] = {
        {4, "FORWARD", false, false},
        {8, "REVERSED / RETURNING", true, false},
        // 20 steps of the single-precision dt end just short of 2T.
        {8, "REVERSED / RETURNING", true, false},
        {4, "ECHO ENDPOINT PASSED", true, true},
    };
    for (const Stage& s : stages) {
        step(s.steps);
        const std::string summary = text(*window, "loschmidtSummaryLabel");
        const std::string context = "t = " + std::to_string(time()) + "\n" + summary;
        EXPECT_EQ(summary.rfind(std::string(s.stage) + "   samples=", 0), 0u) << context;
        const std::string reversal = "reversal T=0.200 (~" + indicative(kLoschmidtPreset, 0.2) + " indicative)";
        EXPECT_TRUE(contains(summary, reversal + "   fired=" + (s.fired ? "yes" : "no"))) << context;
        EXPECT_TRUE(contains(summary, "reversal error Delta p=(0.000,0.000)")) << context;
        EXPECT_TRUE(contains(summary, "   boundary=" + boundary)) << context;
        const std::string row = rowText(*window, kLoschmidtRow);
        EXPECT_EQ(row.rfind(rowLabels(kLoschmidtRow) + s.stage + "  density=", 0), 0u) << row;
        if (!s.endpoint) {
            EXPECT_TRUE(contains(summary, "echo at 2T: not reached")) << context;
            continue;
        }
        // Conjugation reverses the time-symmetric split step exactly, so the
        // packet is back where it started at 2T.
        EXPECT_GT(numberAfter(summary, "echo at 2T: density="), 0.9999) << context;
        EXPECT_GT(numberAfter(summary, "   coherent="), 0.9999) << context;
    }

    // A later reversal, read well past 2T: the echo shown is the one of the
    // sample nearest 2T, though samples now lie a few steps apart there.
    load(kLoschmidtPreset);
    test::setValue(*window, "loschmidtTimeSpinBox", 2.4);
    // ... with a reversal that misses p by different amounts along x and y.
    test::setValue(*window, "loschmidtMomentumErrorXSpinBox", 0.25);
    test::setValue(*window, "loschmidtMomentumErrorYSpinBox", -0.125);
    step(260);
    const std::string summary = text(*window, "loschmidtSummaryLabel");
    EXPECT_TRUE(contains(summary, "reversal error Delta p=(0.250,-0.125)")) << summary;
    const auto& samples = window->recorder<LoschmidtRecorder>().samples();
    ASSERT_FALSE(samples.empty()) << summary;
    const LoschmidtSample& atEcho = *std::min_element(samples.begin(), samples.end(), [](const auto& a, const auto& b) {
        return std::abs(a.time - 4.8) < std::abs(b.time - 4.8);
    });
    EXPECT_NEAR(numberAfter(summary, "echo at 2T: density="), atEcho.densityEcho, 0.5e-6) << summary;
    EXPECT_NEAR(numberAfter(summary, "   coherent="), atEcho.fidelity, 0.5e-6) << summary;
}

TEST_F(RecorderPanelsII, MoshinskyPageReadsTheDetectorBehindTheOpenShutter)
{
    load(kMoshinskyPreset);
    step(10); // sampled every second step after the one at the start
    const std::string summary = text(*window, "moshinskySummaryLabel");
    const auto& samples = window->recorder<MoshinskyRecorder>().samples();
    ASSERT_EQ(samples.size(), 6u) << summary;
    // The preset opens the shutter at t = 0, so it is open for every t > 0.
    EXPECT_EQ(summary.rfind("OPEN / DIFFRACTING   samples=6   t=0.200 / 6.00\ndetector x=3.00   I_det=", 0), 0u)
        << summary;
    const MoshinskySample& last = samples.back();
    EXPECT_NEAR(numberAfter(summary, "I_det="), last.detectorDensity, 0.5e-6) << summary;
    EXPECT_NEAR(numberAfter(rowText(*window, kMoshinskyRow), "Pfront="), last.transmittedProbability, 0.5e-4);

    // Switched off, the page names the recorder's state, whatever it still holds.
    auto* enabled = test::control<QCheckBox>(*window, "moshinskyEnabledCheckBox");
    enabled->setChecked(false);
    const std::string off = text(*window, "moshinskySummaryLabel");
    EXPECT_EQ(off.rfind("Moshinsky recorder inactive: enabled=no  configured=", 0), 0u) << off;
    EXPECT_EQ(rowText(*window, kMoshinskyRow), rowLabels(kMoshinskyRow) + off);
    enabled->setChecked(true);
}

TEST_F(RecorderPanelsII, KapitzaDiracPageShowsThePulseAreaAndTheOrderPopulations)
{
    load(kKapitzaDiracPreset);
    const KapitzaDiracConfig light = window->storedRecords().quantumKapitzaDirac;
    // Grating momentum 2 pi hbar / a and pulse area V0 tau / (2 hbar).
    const double grating = 2.0 * kPi / light.latticePeriod;
    const double area = light.latticeDepth * light.pulseDuration / 2.0;

    for (const char* stage : {"LIGHT GRATING ON", "FREE SEPARATION"}) {
        step(10); // one sample per 10 steps; the pulse lasts 15
        const std::string summary = text(*window, "kapitzaDiracSummaryLabel");
        EXPECT_EQ(summary.rfind(std::string(stage) + "   samples=", 0), 0u) << summary;
        EXPECT_NEAR(numberAfter(summary, "G="), grating, 0.5e-5) << summary;
        EXPECT_NEAR(numberAfter(summary, "beta="), area, 0.5e-3) << summary;
    }
    // After the pulse: a thin phase grating of area beta puts J_n(beta)^2 into
    // order n (Raman-Nath); the finite pulse shifts the populations slightly.
    const std::string afterPulse = text(*window, "kapitzaDiracSummaryLabel");
    const double j1 = std::cyl_bessel_j(1.0, area);
    const double j2 = std::cyl_bessel_j(2.0, area);
    EXPECT_LT(numberAfter(afterPulse, "P0="), 0.02 + std::pow(std::cyl_bessel_j(0.0, area), 2)) << afterPulse;
    EXPECT_NEAR(numberAfter(afterPulse, "P(+-1)="), 2.0 * j1 * j1, 0.04) << afterPulse;
    EXPECT_NEAR(numberAfter(afterPulse, "P(+-2)="), 2.0 * j2 * j2, 0.04) << afterPulse;

    // With the orders -1..1 only, the second pair has no entries.
    auto* maximumOrder = test::control<QSpinBox>(*window, "kapitzaDiracOrderSpinBox");
    ASSERT_NE(maximumOrder, nullptr);
    maximumOrder->setValue(1);
    ASSERT_EQ(window->storedRecords().quantumKapitzaDirac.maximumOrder, 1);
    step(10);
    const std::string summary = text(*window, "kapitzaDiracSummaryLabel");
    EXPECT_TRUE(contains(summary, "P(+-2)=0.00000")) << summary;
    const std::string row = rowText(*window, kKapitzaDiracRow);
    EXPECT_TRUE(contains(row, "  P2=0.0000")) << row;
}

// The fast orders run into the absorbing layer long before the page's end
// time, but the momentum populations of a free packet are constants of
// motion: the page reads at t = 4 what it read right after the pulse.
TEST_F(RecorderPanelsII, KapitzaDiracOrdersAreThePacketsWhateverTheLayerTook)
{
    load(kKapitzaDiracPreset);
    const double end = window->storedRecords().quantumKapitzaDirac.analysisEndTime;
    const auto populations = [] {
        const std::string summary = text(*window, "kapitzaDiracSummaryLabel");
        return std::vector<double>{numberAfter(summary, "P0="), numberAfter(summary, "P(+-1)="),
                                   numberAfter(summary, "P(+-2)=")};
    };
    step(20); // the first sample after the pulse
    const std::vector<double> afterPulse = populations();
    while (time() < end - 1e-9)
        step(10);
    ASSERT_LT(window->waveField().norm(), 0.95) << "the layer must have taken the fast orders' share";
    const std::vector<double> atEnd = populations();
    for (std::size_t n = 0; n < afterPulse.size(); ++n)
        EXPECT_NEAR(atEnd[n], afterPulse[n], std::max(0.01 * afterPulse[n], 1e-4))
            << "orders +/-" << n << " at t = " << time() << ": " << text(*window, "kapitzaDiracSummaryLabel");
}

// Pulses that end inside a step (0.15, 0.31), and a weak one of 8 whose
// first orders, set free when the light comes on, run into the absorbing
// layer while it is still on: the page reads the populations of the exact
// dynamics of the beam in the light, computed here in the plane-wave basis
// over its momenta. With the light on for whole steps 0.15 read as 0.16
// (P0 0.399 for 0.452), and with the layer's take under the light lost the
// first orders of the long pulse read 4 % low.
TEST_F(RecorderPanelsII, KapitzaDiracPulsesGiveTheExactPopulationsWhateverTheirLengthAndTheLayerTook)
{
    const struct {
        double duration, depth, end;
    } pulses[] = {{0.15, 16.0, 0.6}, {0.31, 16.0, 0.6}, {8.0, 1.0, 8.4}};
    for (const auto& p : pulses) {
        SCOPED_TRACE("V0 " + std::to_string(p.depth) + " for " + std::to_string(p.duration));
        load(kKapitzaDiracPreset);
        const std::pair<const char*, double> settings[] = {{"universeHeightSpinBox", 30.72},
                                                           {"kapitzaDiracAnalysisEndSpinBox", p.end},
                                                           {"kapitzaDiracDurationSpinBox", p.duration},
                                                           {"kapitzaDiracDepthSpinBox", p.depth}};
        for (const auto& [name, value] : settings)
            test::control<QDoubleSpinBox>(*window, name)->setValue(value);
        double normAtLightsOut = 1.0;
        while (time() < p.end - 1e-9) {
            step(1);
            if (time() < p.duration)
                normAtLightsOut = window->waveField().norm();
        }
        const KapitzaDiracConfig& light = window->storedRecords().quantumKapitzaDirac;
        ASSERT_EQ(light.pulseDuration, p.duration);
        ASSERT_EQ(light.latticeDepth, p.depth);
        if (p.duration > 1.0) {
            ASSERT_LT(normAtLightsOut, 0.995) << "the layer must take a share while the light is on";
        }
        const double sigmaX = window->storedRecords().kapitzaDiracInitialState.sigmaX;
        const std::vector<double> exact =
            test::packetGratingPopulations(p.depth, p.duration, 2.0 * kPi / light.latticePeriod, 0.5 / sigmaX, 8);
        const std::string summary = text(*window, "kapitzaDiracSummaryLabel");
        EXPECT_NEAR(numberAfter(summary, "P0="), exact[8], 2e-3) << summary;
        EXPECT_NEAR(numberAfter(summary, "P(+-1)="), exact[7] + exact[9], 3e-3) << summary;
        EXPECT_NEAR(numberAfter(summary, "P(+-2)="), exact[6] + exact[10], 2e-3) << summary;
    }
}

// A uniform force F = G / 2 along x acts on the packet before, during and
// after the light: it shifts every momentum by -F t, so two time units after
// the pulse each order stands where the next one down stood (the populations
// of the orders are those of the packet, not of the light). The layer's
// take is not counted while a potential acts.
TEST_F(RecorderPanelsII, KapitzaDiracOrdersFollowAForceActingAfterThePulse)
{
    load(kKapitzaDiracPreset);
    const double g = 2.0 * kPi / window->storedRecords().quantumKapitzaDirac.latticePeriod;
    ExperimentDocument document = window->captureExperimentDocument();
    PotentialObject force;
    force.kind = PotentialObjectKind::Linear;
    force.slopeX = static_cast<float>(g / 2.0);
    document.potentialScene = PotentialScene();
    document.potentialScene.add(force);
    document.potentialSceneActive = true;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    const auto orders = [] { return window->recorder<KapitzaDiracRecorder>().samples().back().orderPopulations; };
    step(20);
    ASSERT_NEAR(time(), 0.4, 1e-6);
    const std::vector<double> afterPulse = orders();
    step(100);
    const std::vector<double> later = orders();
    ASSERT_EQ(later.size(), 9u);
    for (std::size_t n = 1; n < later.size(); ++n)
        EXPECT_NEAR(later[n - 1], afterPulse[n], 0.01) << "order " << int(n) - 4 << " moved one order down";
}

TEST_F(RecorderPanelsII, BackflowPageCatchesAPositiveMomentumStateFlowingBack)
{
    load(kBackflowPreset);
    step(10); // sampled every second step after the one at the start
    const BackflowRecorder& recorder = window->recorder<BackflowRecorder>();
    std::string summary = text(*window, "backflowSummaryLabel");
    ASSERT_EQ(recorder.samples().size(), 6u) << summary;
    EXPECT_EQ(summary.rfind("samples=6   t=0.200 / 4.00   P(p_x>0)=", 0), 0u) << summary;
    // The state is built from positive wave numbers only, and first flows forward.
    EXPECT_GT(numberAfter(summary, "P(p_x>0)="), 0.999999) << summary;
    EXPECT_GT(recorder.samples().back().flux, 0.0) << summary;
    EXPECT_TRUE(contains(summary, "   forward (+X)")) << summary;

    const double end = window->storedRecords().quantumBackflow.analysisEndTime;
    while (time() < end && recorder.samples().back().flux >= 0.0)
        step(2);
    summary = text(*window, "backflowSummaryLabel");
    const BackflowSample& last = recorder.samples().back();
    ASSERT_LT(last.flux, 0.0) << "no backflow before the end of the analysis\n" << summary;
    EXPECT_TRUE(contains(summary, "   BACKFLOW (-X)")) << summary;
    EXPECT_NEAR(numberAfter(summary, "J="), last.flux, 1e-5 * std::fabs(last.flux)) << summary;
    EXPECT_NEAR(numberAfter(summary, "Pleft="), last.probabilityLeft, 0.5e-6) << summary;
    // The flow has just turned: some probability has already gone back.
    const double backward = numberAfter(summary, "backward flux=");
    EXPECT_GT(backward, 0.0) << summary;
    EXPECT_NEAR(backward, recorder.maximumBackwardFlux(), 1e-5 * backward) << summary;

    const std::string row = rowText(*window, kBackflowRow);
    EXPECT_EQ(row.rfind(rowLabels(kBackflowRow) + "P+1.000000  Jmin=", 0), 0u) << row;
    EXPECT_NEAR(numberAfter(row, "B="), backward, 1e-4 * backward) << row;
}

TEST_F(RecorderPanelsII, WithoutARealWorldMappingTheIndicativeTimesReadNotAvailable)
{
    load(kLoschmidtPreset);
    ASSERT_TRUE(contains(text(*window, "loschmidtSummaryLabel"),
                         "reversal T=4.000 (~" + indicative(kLoschmidtPreset, 4.0) + " indicative)"));
    // A document that names no preset of the library brings no mapping.
    ExperimentDocument document = window->captureExperimentDocument();
    document.sourcePreset.clear();
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    const std::string summary = text(*window, "loschmidtSummaryLabel");
    EXPECT_TRUE(contains(summary, "reversal T=4.000 (~n/a indicative)")) << summary;
}

// The preset's detector signal over its whole analysis: the fringes counted
// are the same whether the recorder's samples are read all or every second
// one (its ripple, of period 0.11, aliased into 11 maxima at one stride and
// more at another).
TEST_F(RecorderPanelsII, MoshinskyFringesDoNotDependOnTheSampling)
{
    load(kMoshinskyPreset);
    step(300);
    const std::vector<MoshinskySample>& samples = window->recorder<MoshinskyRecorder>().samples();
    ASSERT_GT(samples.size(), 100u);
    std::vector<MoshinskySample> sparse;
    for (std::size_t i = 0; i < samples.size(); i += 2)
        sparse.push_back(samples[i]);
    const double shown = numberAfter(text(*window, "moshinskySummaryLabel"), "temporal peaks=");
    EXPECT_EQ(shown, double(temporalPeakCount(samples, 0.0)));
    EXPECT_EQ(temporalPeakCount(sparse, 0.0), temporalPeakCount(samples, 0.0));
    EXPECT_GE(shown, 2.0) << "the opened shutter rings in time";
    EXPECT_LE(shown, 4.0) << "fringes, not the ripple";
}

} // namespace
} // namespace vxo
