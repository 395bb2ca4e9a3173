// The barrier pages of one unshown window: the legacy single barrier, the
// double barrier of the Potential Scene and the tunnelling rows, read from the
// diagnostics table and the resonance page and checked against plane-wave
// theory and region probabilities computed here from the live wave field.

#include "common/AppTestSupport.h"

#include "app/MainWindow.h"
#include "core/PotentialObject.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxo {
namespace {

using Complex = std::complex<double>;

constexpr int kGrid256 = 0;
constexpr int kSpeed16 = 6;
// Diagnostics rows of the barrier pages.
constexpr int kRegimeRow = 33;
constexpr int kTheoryRow = 34;
constexpr int kStateRow = 35;
constexpr int kProbabilitiesRow = 36;
constexpr int kResonanceRow = 37;
constexpr int kReferenceRow = 38;
// Rounding of a four-decimal figure plus single-precision sums.
constexpr double kFourDecimals = 1.5e-4;

template <typename Widget>
Widget& formWidget(const MainWindow& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("form widget missing: ") + name);
    return *found;
}

void setSpinQuietly(MainWindow& window, const char* name, double value)
{
    auto& box = formWidget<QDoubleSpinBox>(window, name);
    const QSignalBlocker blocker(box);
    box.setValue(value);
}

std::string text(const QString& value) { return value.toStdString(); }

// The number written right after `key` ("Ex=" -> 3.1250); NaN when absent.
double numberAfter(const QString& source, const QString& key)
{
    const QRegularExpression pattern(QRegularExpression::escape(key) +
                                     QStringLiteral("(-?[0-9]+(?:\\.[0-9]+)?(?:e[-+]?[0-9]+)?)"));
    const QRegularExpressionMatch match = pattern.match(source);
    return match.hasMatch() ? match.captured(1).toDouble() : std::numeric_limits<double>::quiet_NaN();
}

// Plane-wave transmission through piecewise constant potential steps, V = 0
// outside [edges.front(), edges.back()] and values[r] between edges[r] and
// edges[r + 1]. Each region carries A e^{ikx} + B e^{-ikx}; matching psi and
// psi' at every edge from the transmitted wave (1, 0) on the right back to
// the incident amplitude on the left gives T = 1 / |A_0|^2.
double layeredTransmission(double energy, const std::vector<double>& edges, const std::vector<double>& values,
                           double mass)
{
    std::vector<double> potentials{0.0};
    potentials.insert(potentials.end(), values.begin(), values.end());
    potentials.push_back(0.0);
    const auto wavenumber = [&](std::size_t region) {
        return std::sqrt(Complex(2.0 * mass * (energy - potentials[region]), 0.0));
    };
    const Complex i(0.0, 1.0);
    Complex a(1.0, 0.0), b(0.0, 0.0);
    for (std::size_t edge = edges.size(); edge-- > 0;) {
        const double x = edges[edge];
        const Complex kRight = wavenumber(edge + 1);
        const Complex kLeft = wavenumber(edge);
        const Complex value = a * std::exp(i * kRight * x) + b * std::exp(-i * kRight * x);
        const Complex slope = i * kRight * (a * std::exp(i * kRight * x) - b * std::exp(-i * kRight * x));
        a = 0.5 * (value + slope / (i * kLeft)) * std::exp(-i * kLeft * x);
        b = 0.5 * (value - slope / (i * kLeft)) * std::exp(i * kLeft * x);
    }
    return 1.0 / std::norm(a);
}

// The closed form of one square barrier (or well) of height v and width w.
double squareBarrierTransmission(double energy, double v, double w, double mass)
{
    if (v > energy) {
        const double s = std::sinh(std::sqrt(2.0 * mass * (v - energy)) * w);
        return 1.0 / (1.0 + v * v * s * s / (4.0 * energy * (v - energy)));
    }
    const double s = std::sin(std::sqrt(2.0 * mass * (energy - v)) * w);
    return 1.0 / (1.0 + v * v * s * s / (4.0 * energy * (energy - v)));
}

// Probability fractions of the cells whose centre lies left of, inside
// (ends included) and right of [a, b].
struct Split {
    double left = 0.0;
    double middle = 0.0;
    double right = 0.0;
};

Split regionFractions(const ComplexField2D& psi, double a, double b)
{
    Split split;
    double total = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = (static_cast<double>(i) - (psi.nx() - 1) / 2.0) * psi.dx();
            const double p = std::norm(std::complex<double>(psi.at(i, j)));
            total += p;
            (x < a ? split.left : x > b ? split.right : split.middle) += p;
        }
    }
    split.left /= total;
    split.middle /= total;
    split.right /= total;
    return split;
}

// The double barrier's regions as absolute probabilities (sum |psi|^2 dx dy)
// and as fractions of the total.
struct DoubleBarrierSplit {
    double total = 0.0;
    double left = 0.0;
    double barriers = 0.0;
    double cavity = 0.0;
    double right = 0.0;
};

DoubleBarrierSplit doubleBarrierRegions(const ComplexField2D& psi, const std::vector<double>& edges)
{
    DoubleBarrierSplit split;
    const double cell = static_cast<double>(psi.dx()) * psi.dy();
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = (static_cast<double>(i) - (psi.nx() - 1) / 2.0) * psi.dx();
            const double p = std::norm(std::complex<double>(psi.at(i, j))) * cell;
            split.total += p;
            if (x < edges[0])
                split.left += p;
            else if (x <= edges[1] || (x >= edges[2] && x <= edges[3]))
                split.barriers += p;
            else if (x < edges[2])
                split.cavity += p;
            else
                split.right += p;
        }
    }
    return split;
}

class PanelsScatteringTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::appTestApplication();
        window_ = std::make_unique<MainWindow>(nullptr, false);
    }
    static void TearDownTestSuite() { window_.reset(); }

    MainWindow& window() { return *window_; }

    // A guided experiment moved to the 256-point grid with the given height
    // (cells of unequal sides), rebuilt.
    void loadOnSmallGrid(int preset, double height)
    {
        MainWindow& w = window();
        w.loadGuidedExperiment(preset);
        auto& grid = formWidget<QComboBox>(w, "gridResolutionComboBox");
        {
            const QSignalBlocker blocker(grid);
            grid.setCurrentIndex(kGrid256);
        }
        setSpinQuietly(w, "universeHeightSpinBox", height);
        w.rebuildSimulation();
    }

    QString row(int index) const
    {
        const QTableWidgetItem* item = formWidget<QTableWidget>(*window_, "diagnosticsTable").item(index, 2);
        return item ? item->text() : QString();
    }

    QString resonanceSummary() const { return formWidget<QLabel>(*window_, "resonanceSummaryLabel").text(); }

    void click(const char* name) { formWidget<QAbstractButton>(window(), name).click(); }

    // Plays at 16x until the transport leaves RUNNING or the time is up.
    bool playUntilPaused(int timeoutMs)
    {
        formWidget<QComboBox>(window(), "speedComboBox").setCurrentIndex(kSpeed16);
        click("playButton");
        QElapsedTimer clock;
        clock.start();
        while (window().transportClock().isRunning() && clock.elapsed() < timeoutMs)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        return !window().transportClock().isRunning();
    }

    void playFor(int milliseconds)
    {
        click("playButton");
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    static std::unique_ptr<MainWindow> window_;
};

std::unique_ptr<MainWindow> PanelsScatteringTest::window_;

// Barrier Scattering (legacy barrier V0 = 2 at x = 0, 0.64 thick) and
// Resonant Tunneling (two 4.5 barriers, 0.64 thick, centres -1.2 and 1.2);
// both packets have px = 2.5, m = 1, so Ex = 3.125.
TEST_F(PanelsScatteringTest, BarrierRunsPauseThemselvesOnceThePacketHasSeparated)
{
    struct Case {
        int preset;
        bool doubleBarrier;
        const char* before;
        const char* separated;
    };
    const Case cases[] = {
        {1, false, "BEFORE COLLISION", "SEPARATED / MEASUREMENT VALID"},
        {7, true, "DOUBLE BARRIER: BEFORE COLLISION", "DOUBLE BARRIER: SEPARATED / MEASUREMENT VALID"},
    };
    const double energyX = 3.125;
    const std::vector<double> doubleEdges{-1.52, -0.88, 0.88, 1.52};

    for (const Case& c : cases) {
        SCOPED_TRACE("preset " + std::to_string(c.preset));
        loadOnSmallGrid(c.preset, 30.72);
        MainWindow& w = window();
        EXPECT_EQ(text(row(kStateRow)), c.before);

        ASSERT_TRUE(playUntilPaused(120000)) << "the run never paused itself; row 35: " << text(row(kStateRow));
        EXPECT_EQ(w.transportClock().state(), TransportState::Paused);
        const double pausedAt = w.schroedingerSolver().time();
        EXPECT_GT(pausedAt, 2.0) << "separation is read only after t = 2";
        EXPECT_EQ(text(row(kStateRow)), c.separated);

        const QString probabilities = row(kProbabilitiesRow);
        const ComplexField2D& psi = w.waveField();
        double transmitted = 0.0;
        if (!c.doubleBarrier) {
            const Split split = regionFractions(psi, -0.68, 0.68);
            const double theory = squareBarrierTransmission(energyX, 2.0, 0.64, 1.0);
            EXPECT_LT(split.middle, 0.02) << "paused with the packet still at the barrier";
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_R=")), split.left, kFourDecimals)
                << text(probabilities);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_T=")), split.right, kFourDecimals);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_int=")), split.middle, kFourDecimals);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("theory T=")), theory, 1e-4);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("deltaT=")), split.right - theory, kFourDecimals);

            // The observation before the pause (one tick of 16 steps earlier)
            // still held the packet at the barrier, else the run would have
            // paused there.
            const std::vector<ObservableSample>& samples = w.observableHistory().samples();
            ASSERT_GE(samples.size(), 2u);
            const ObservableSample& previous = samples[samples.size() - 2];
            if (previous.time > 2.0) {
                EXPECT_GE(1.0 - previous.reflectedProbability - previous.transmittedProbability, 0.02 - 1e-9)
                    << "the pause came later than the first separated refresh (t = " << previous.time << ")";
            }
        } else {
            const DoubleBarrierSplit split = doubleBarrierRegions(psi, doubleEdges);
            const double theory = layeredTransmission(energyX, doubleEdges, {4.5, 0.0, 4.5}, 1.0);
            EXPECT_LT(split.barriers + split.cavity, 0.02) << "paused with probability left between the barriers";
            transmitted = numberAfter(probabilities, QStringLiteral("P_T="));
            EXPECT_NEAR(transmitted, split.right / split.total, kFourDecimals) << text(probabilities);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_R=")), split.left / split.total, kFourDecimals);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_cav=")), split.cavity / split.total,
                        kFourDecimals);
            EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("T1D=")), theory, 1e-4);
            EXPECT_TRUE(resonanceSummary().endsWith(QStringLiteral("| SEPARATED"))) << text(resonanceSummary());
        }

        // Play again: the run goes on, and the one pause of the run is spent.
        playFor(400);
        EXPECT_TRUE(w.transportClock().isRunning()) << "a resumed run paused a second time";
        EXPECT_GT(w.schroedingerSolver().time(), pausedAt);
        click("pauseButton");
        EXPECT_EQ(text(row(kStateRow)), c.separated);
        if (c.doubleBarrier) {
            EXPECT_EQ(numberAfter(row(kProbabilitiesRow), QStringLiteral("P_T=")), transmitted)
                << "the packet transmission taken at separation was overwritten";
        }
    }
}

// Resonant Tunneling before Play: the page's references against the
// transfer-matrix theory computed here, in both scan modes.
TEST_F(PanelsScatteringTest, ResonancePageComparesThePacketWithTheDoubleBarrierTheory)
{
    loadOnSmallGrid(7, 30.72);
    MainWindow& w = window();
    for (int n = 0; n < 3; ++n)
        w.stepOnce();

    const double energyX = 3.125;
    const std::vector<double> edges{-1.52, -0.88, 0.88, 1.52};
    const double doubleT = layeredTransmission(energyX, edges, {4.5, 0.0, 4.5}, 1.0);
    const double singleT = squareBarrierTransmission(energyX, 4.5, 0.64, 1.0);
    const DoubleBarrierSplit split = doubleBarrierRegions(w.waveField(), edges);

    for (const char* name : {"resonanceScanModeComboBox", "resonanceScanMinSpinBox", "resonanceScanMaxSpinBox",
                             "resonanceScanPointsSpinBox", "resonanceRefreshButton"})
        EXPECT_TRUE(formWidget<QWidget>(w, name).isEnabled()) << name << " is off with a double barrier";

    struct Mode {
        int index;
        const char* peakKey;
        double low;
        double high;
        int points;
    };
    // The energy range is the one the loader sets (0.2 to 0.98 x 4.5).
    const Mode modes[] = {{0, "sweep peak: E=", 0.2, 4.41, 601}, {1, "sweep peak: L=", 0.5, 3.0, 251}};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(std::string("scan mode ") + std::to_string(mode.index));
        if (mode.index == 1) {
            setSpinQuietly(w, "resonanceScanMinSpinBox", mode.low);
            setSpinQuietly(w, "resonanceScanMaxSpinBox", mode.high);
            auto& points = formWidget<QSpinBox>(w, "resonanceScanPointsSpinBox");
            const QSignalBlocker blocker(points);
            points.setValue(mode.points);
        }
        // A change of mode rescans.
        formWidget<QComboBox>(w, "resonanceScanModeComboBox").setCurrentIndex(mode.index);
        if (mode.index == 0)
            click("resonanceRefreshButton");

        double peakX = 0.0, peakT = 0.0;
        for (int k = 0; k < mode.points; ++k) {
            const double x = mode.low + (mode.high - mode.low) * k / (mode.points - 1);
            const double t = mode.index == 0
                                 ? layeredTransmission(x, edges, {4.5, 0.0, 4.5}, 1.0)
                                 : layeredTransmission(energyX, {-0.88 - 0.64, -0.88, -0.88 + x, -0.88 + x + 0.64},
                                                       {4.5, 0.0, 4.5}, 1.0);
            if (t > peakT) {
                peakT = t;
                peakX = x;
            }
        }
        const QString summary = resonanceSummary();
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("Ex=")), energyX, 1e-9) << text(summary);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("single T1=")), singleT, 1e-4);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral(" T2=")), singleT, 1e-4);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("double T1D=")), doubleT, 1e-4);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("| L=")), 1.76, 1e-9);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("P_cav=")), split.cavity / split.total, kFourDecimals);
        EXPECT_NEAR(numberAfter(summary, QString::fromLatin1(mode.peakKey)), peakX, 1e-4);
        EXPECT_NEAR(numberAfter(summary, QStringLiteral(", T=")), peakT, 1e-4);
        EXPECT_TRUE(summary.endsWith(QStringLiteral("| before collision"))) << text(summary);
        if (mode.index == 0)
            EXPECT_GT(peakT, 0.99) << "a symmetric double barrier is transparent at its resonance";
    }

    EXPECT_EQ(text(row(kRegimeRow)), "DOUBLE-BARRIER TUNNELING  Ex < V1,V2   Ex=3.1250");
    EXPECT_NEAR(numberAfter(row(kTheoryRow), QStringLiteral("double T=")), doubleT, 1e-4) << text(row(kTheoryRow));
    EXPECT_EQ(text(row(kResonanceRow)), "V1=4.500 a1=0.640   L=1.760   V2=4.500 a2=0.640");
    EXPECT_NEAR(numberAfter(row(kReferenceRow), QStringLiteral("T1D=")), doubleT, 1e-4);
    EXPECT_EQ(text(row(kStateRow)), "DOUBLE BARRIER: BEFORE COLLISION");
    EXPECT_NEAR(numberAfter(row(kProbabilitiesRow), QStringLiteral("P_left=")), split.left / split.total,
                kFourDecimals);
}

// A scene of barriers that the page cannot partition, and the scene off.
TEST_F(PanelsScatteringTest, ResonancePageExplainsWhatItCannotAnalyse)
{
    MainWindow& w = window();
    loadOnSmallGrid(7, 30.72);
    // A third barrier from the inspector (the loader left it on the Barrier page).
    setSpinQuietly(w, "barrierCenterXSpinBox", 5.0);
    click("addPotentialObjectButton");
    ASSERT_EQ(w.scene().size(), 3u);

    const QString threeBarriers = resonanceSummary();
    EXPECT_EQ(text(threeBarriers), "Enable exactly two Barrier objects in Potential Scene.");
    EXPECT_EQ(text(row(kResonanceRow)), "inactive");
    EXPECT_EQ(row(kReferenceRow), threeBarriers);
    EXPECT_EQ(text(row(kStateRow)), "Potential Scene: no dedicated R/T partition");
    EXPECT_EQ(row(kProbabilitiesRow), threeBarriers);
    for (const char* name : {"resonanceScanModeComboBox", "resonanceScanMinSpinBox", "resonanceScanMaxSpinBox",
                             "resonanceScanPointsSpinBox", "resonanceRefreshButton"})
        EXPECT_FALSE(formWidget<QWidget>(w, name).isEnabled()) << name << " stays on without a double barrier";

    formWidget<QCheckBox>(w, "potentialSceneActiveCheckBox").setChecked(false);
    EXPECT_EQ(text(resonanceSummary()),
              "Potential Scene is OFF. Enable exactly two Barrier objects to analyse resonant tunneling.");
    EXPECT_EQ(text(row(kResonanceRow)), "inactive");
    EXPECT_EQ(row(kReferenceRow), resonanceSummary());
    EXPECT_FALSE(formWidget<QWidget>(w, "resonanceRefreshButton").isEnabled());
}

// A document may carry a Barrier object of negative strength: the page then
// shows the well's plane-wave transmission instead of failing every refresh.
TEST_F(PanelsScatteringTest, ResonancePageTakesAWellAmongTheBarriers)
{
    MainWindow& w = window();
    loadOnSmallGrid(7, 30.72);
    ExperimentDocument document = w.captureExperimentDocument();
    std::vector<PotentialObject> objects = w.scene().objects();
    ASSERT_EQ(objects.size(), 2u);
    objects[0].value = -2.0;
    document.potentialScene = PotentialScene();
    for (const PotentialObject& object : objects)
        ASSERT_NE(document.potentialScene.add(object), 0u);
    document.potentialSceneActive = true;

    QString error;
    ASSERT_TRUE(w.applyExperimentDocument(document, error)) << text(error);
    w.stepOnce();
    const QString summary = resonanceSummary();
    const double wellAt = objects[0].centerX;
    const double left = wellAt < 0.0 ? -2.0 : 4.5;
    const double right = wellAt < 0.0 ? 4.5 : -2.0;
    EXPECT_NEAR(numberAfter(summary, QStringLiteral("single T1=")), squareBarrierTransmission(3.125, left, 0.64, 1.0),
                1e-4)
        << text(summary);
    EXPECT_NEAR(numberAfter(summary, QStringLiteral(" T2=")), squareBarrierTransmission(3.125, right, 0.64, 1.0), 1e-4);
    EXPECT_NEAR(numberAfter(summary, QStringLiteral("double T1D=")),
                layeredTransmission(3.125, {-1.52, -0.88, 0.88, 1.52}, {left, 0.0, right}, 1.0), 1e-4);
    EXPECT_EQ(text(row(kRegimeRow)), "DOUBLE-BARRIER SCATTERING   Ex=3.1250");
}

// The single-barrier rows, written by the rebuild: the regime follows the
// longitudinal energy Ex = px^2 / 2m, not the whole kinetic energy.
TEST_F(PanelsScatteringTest, TunnelingRowsReportTheSingleBarrierRegime)
{
    struct Case {
        int preset;
        double height;
        double momentumY;
        const char* regime;
    };
    // Ex = 3.125 throughout; with py = 1, Ekin = 3.625.
    const Case cases[] = {
        {1, 2.0, 0.0, "ABOVE BARRIER  Ex >= V0"},
        {2, 4.5, 0.0, "TUNNELING  Ex < V0"},
        {1, 3.5, 1.0, "TUNNELING  Ex < V0"},
    };
    MainWindow& w = window();
    for (const Case& c : cases) {
        SCOPED_TRACE("preset " + std::to_string(c.preset) + ", V0 " + std::to_string(c.height));
        w.loadGuidedExperiment(c.preset);
        setSpinQuietly(w, "barrierV0SpinBox", c.height);
        setSpinQuietly(w, "momentumYSpinBox", c.momentumY);
        w.rebuildSimulation();
        const double energy = 3.125;
        const double kinetic = 3.125 + 0.5 * c.momentumY * c.momentumY;
        const QString expected = QStringLiteral("%1   Ex=%2   Ekin=%3   V0=%4   Ex/V0=%5   a=0.640")
                                     .arg(QString::fromLatin1(c.regime))
                                     .arg(energy, 0, 'f', 4)
                                     .arg(kinetic, 0, 'f', 4)
                                     .arg(c.height, 0, 'f', 3)
                                     .arg(energy / c.height, 0, 'f', 3);
        EXPECT_EQ(text(row(kRegimeRow)), text(expected));
        const double t = squareBarrierTransmission(energy, c.height, 0.64, 1.0);
        EXPECT_NEAR(numberAfter(row(kTheoryRow), QStringLiteral("T=")), t, 1e-4) << text(row(kTheoryRow));
        EXPECT_NEAR(numberAfter(row(kTheoryRow), QStringLiteral("R=")), 1.0 - t, 1e-4);
    }

    formWidget<QComboBox>(w, "geometryComboBox").setCurrentIndex(0);
    EXPECT_EQ(text(row(kRegimeRow)), "Select Barrier to enable tunneling analysis");
    EXPECT_EQ(text(row(kTheoryRow)), "n/a");
    // Gaussian Well: a scene that is no double barrier, so no panel takes the rows over.
    w.loadGuidedExperiment(9);
    EXPECT_EQ(text(row(kRegimeRow)), "Potential Scene: single-barrier analytic reference disabled");
    EXPECT_EQ(text(row(kTheoryRow)), "n/a");
}

// Away from the Barrier geometry the page monitors three x regions around
// the barrier centre, of half width max(a / 2 + 0.36, 0.6).
TEST_F(PanelsScatteringTest, OtherGeometriesMonitorThreeRegionsAroundTheBarrierPlace)
{
    MainWindow& w = window();
    loadOnSmallGrid(0, 30.72);
    setSpinQuietly(w, "barrierCenterXSpinBox", -7.0);
    const double thicknesses[] = {0.4, 1.2};
    for (double thickness : thicknesses) {
        SCOPED_TRACE("thickness " + std::to_string(thickness));
        setSpinQuietly(w, "barrierThicknessSpinBox", thickness);
        w.stepOnce();
        const double half = std::max(0.5 * thickness + 0.36, 0.6);
        const Split split = regionFractions(w.waveField(), -7.0 - half, -7.0 + half);
        EXPECT_EQ(text(row(kStateRow)), "X-region monitor");
        const QString probabilities = row(kProbabilitiesRow);
        EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_left=")), split.left, kFourDecimals)
            << text(probabilities);
        EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_center=")), split.middle, kFourDecimals);
        EXPECT_NEAR(numberAfter(probabilities, QStringLiteral("P_right=")), split.right, kFourDecimals);
    }
}

} // namespace
} // namespace vxo
