// Measurements of the wave function from the measurement tab: the
// single-system collapse onto the pointer's Gaussian, and ensembles of
// detections from the plane, a detector screen or the temporal detector.

#include "WindowControls.h"

#include "app/mainwindow/MainWindow.h"
#include "core/MomentumSpace2D.h"
#include "core/PositionMoments.h"
#include "view/QuantumGLView.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::click;
using test::control;
using test::setIndex;
using test::setValue;
using test::statusText;

std::string labelText(const MainWindow& window, const char* name)
{
    return control<QLabel>(window, name)->text().toStdString();
}

// The numbers of a readout, in order.
std::vector<double> numbersIn(const std::string& text)
{
    std::vector<double> numbers;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("-?\\d+\\.\\d+")).globalMatch(QString::fromStdString(text));
    while (it.hasNext())
        numbers.push_back(it.next().captured(0).toDouble());
    return numbers;
}

bool sameField(const ComplexField2D& a, const ComplexField2D& b)
{
    return a.nx() == b.nx() && a.ny() == b.ny() && std::equal(a.data(), a.data() + a.size(), b.data());
}

class MainWindowMeasurement : public ::testing::Test {
protected:
    static constexpr double kPacketSigma = 1.0;
    static constexpr double kPacketX = -5.0;

    void SetUp() override
    {
        // A free packet on a periodic grid.
        window = test::windowOnSmallGrid();
        setIndex(*window, "boundaryModeComboBox", 0);
        setIndex(*window, "geometryComboBox", 0);
        setValue(*window, "centerXSpinBox", kPacketX);
        setValue(*window, "centerYSpinBox", 0.0);
        setValue(*window, "sigmaSpinBox", kPacketSigma);
        setValue(*window, "momentumSpinBox", 2.5);
        setValue(*window, "collapseResolutionSpinBox", 0.65);
        click(*window, "resetButton");
        ASSERT_FALSE(window->waveField().empty());
        ASSERT_EQ(window->schroedingerSolver().time(), 0.0);
    }
    void TearDown() override { window.reset(); }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> MainWindowMeasurement::window;

// A Gaussian packet of width s0 seen through a Gaussian pointer of width sm
// is again a minimum-uncertainty Gaussian: position width s0 sm / sqrt(s0^2 +
// sm^2), centred at the precision-weighted mean of packet and reading,
// momentum width hbar / (2 width). Without probability there is nothing to
// collapse onto, and the state stays as it was.
TEST_F(MainWindowMeasurement, CollapseNarrowsThePacketToThePointerProductAndWidensItsMomentum)
{
    const double s0 = kPacketSigma;
    const double sm = control<QDoubleSpinBox>(*window, "collapseResolutionSpinBox")->value();
    const double hbar = window->schroedingerSolver().parameters().hbar;
    const PositionMoments before = computePositionMoments(window->waveField());
    ASSERT_NEAR(before.sigmaX, s0, 1e-3) << "the prepared packet";
    ASSERT_NEAR(before.sigmaY, s0, 1e-3);
    const std::uint64_t samples = window->observableHistory().size();

    click(*window, "collapsePositionButton");

    const double width = s0 * sm / std::sqrt(s0 * s0 + sm * sm);
    const PositionMoments after = computePositionMoments(window->waveField());
    const MomentumSpace2D momentum = MomentumSpace2D::compute(window->waveField(), hbar);
    EXPECT_NEAR(after.norm, 1.0, 1e-4);
    EXPECT_NEAR(after.sigmaX, width, 2e-3 * width);
    EXPECT_NEAR(after.sigmaY, width, 2e-3 * width);
    EXPECT_NEAR(momentum.sigmaPx, hbar / (2.0 * width), 2e-3 / width) << "before: " << hbar / (2.0 * s0);
    EXPECT_NEAR(momentum.sigmaPy, hbar / (2.0 * width), 2e-3 / width);
    EXPECT_NEAR(momentum.meanPx, 2.5, 1e-3) << "a real window keeps the mean momentum";

    const std::vector<double> reading = numbersIn(labelText(*window, "collapseOutcomeValueLabel"));
    ASSERT_EQ(reading.size(), 2u) << labelText(*window, "collapseOutcomeValueLabel");
    const double weight = s0 * s0 / (s0 * s0 + sm * sm);
    EXPECT_NEAR(after.meanX, kPacketX + weight * (reading[0] - kPacketX), 2e-3);
    EXPECT_NEAR(after.meanY, weight * reading[1], 2e-3);

    const std::vector<double> spreads = numbersIn(labelText(*window, "collapsePositionSpreadValueLabel"));
    const std::vector<double> momentumSpreads = numbersIn(labelText(*window, "collapseMomentumSpreadValueLabel"));
    ASSERT_EQ(spreads.size(), 4u);
    ASSERT_EQ(momentumSpreads.size(), 4u);
    const double expectedSpreads[] = {before.sigmaX, after.sigmaX, before.sigmaY, after.sigmaY};
    const double expectedMomentum[] = {hbar / (2.0 * s0), momentum.sigmaPx, hbar / (2.0 * s0), momentum.sigmaPy};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(spreads[k], expectedSpreads[k], 6e-4) << "position spread " << k;
        EXPECT_NEAR(momentumSpreads[k], expectedMomentum[k], 2e-3) << "momentum spread " << k;
    }
    EXPECT_EQ(window->observableHistory().size(), samples + 1) << "the collapsed state is recorded";
    EXPECT_EQ(window->observableHistory().samples().back().time, 0.0) << "at the unchanged time";
    EXPECT_EQ(statusText(*window), QStringLiteral("Single-system position measurement: psi collapsed near x=%1, "
                                                  "y=%2. Press Play to evolve the new state.")
                                       .arg(reading[0], 0, 'f', 3)
                                       .arg(reading[1], 0, 'f', 3)
                                       .toStdString());

    // No control can empty the wave function; the test does it by hand.
    const std::string outcome = labelText(*window, "collapseOutcomeValueLabel");
    auto& psi = const_cast<ComplexField2D&>(window->waveField());
    std::fill(psi.data(), psi.data() + psi.size(), Complex{});
    const ComplexField2D vanished = psi;
    click(*window, "collapsePositionButton");
    EXPECT_EQ(statusText(*window), "Collapse unavailable: current wavefunction has negligible probability.");
    EXPECT_TRUE(sameField(window->waveField(), vanished));
    EXPECT_EQ(labelText(*window, "collapseOutcomeValueLabel"), outcome) << "the last collapse stays on show";
}

// Each axis of the collapse readouts is its own: the backflow state (two
// momenta along x, one wide Gaussian across) has other spreads in x than in
// y, before and after, and the panel and the diagnostics read back the
// moments of the state itself. The widest pointer keeps the state's own
// anisotropy whatever the random outcome.
TEST_F(MainWindowMeasurement, CollapseReadoutsKeepTheAxesApart)
{
    window->loadGuidedExperiment(45);
    setValue(*window, "collapseResolutionSpinBox", 5.0);
    const ComplexField2D& psi = window->waveField();
    const double hbar = window->schroedingerSolver().parameters().hbar;
    const PositionMoments p0 = computePositionMoments(psi);
    const MomentumSpace2D k0 = MomentumSpace2D::compute(psi, hbar);
    click(*window, "collapsePositionButton");
    const PositionMoments p1 = computePositionMoments(psi);
    const MomentumSpace2D k1 = MomentumSpace2D::compute(psi, hbar);
    const double expected[] = {p0.sigmaX,  p1.sigmaX,  p0.sigmaY,  p1.sigmaY,
                               k0.sigmaPx, k1.sigmaPx, k0.sigmaPy, k1.sigmaPy};
    for (int k : {0, 1, 4, 5})
        ASSERT_GT(std::abs(expected[k] - expected[k + 2]), 0.01) << "the state must tell the axes apart, " << k;

    const auto* table = control<QTableWidget>(*window, "diagnosticsTable");
    std::string row;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 2) && table->item(r, 2)->text().startsWith(QStringLiteral("sigmaX ")))
            row = table->item(r, 2)->text().toStdString();
    const std::vector<double> shown[] = {numbersIn(labelText(*window, "collapsePositionSpreadValueLabel") + " " +
                                                   labelText(*window, "collapseMomentumSpreadValueLabel")),
                                         numbersIn(row)};
    for (const std::vector<double>& numbers : shown) {
        ASSERT_EQ(numbers.size(), 8u) << "diagnostics: " << row;
        for (int k = 0; k < 8; ++k)
            EXPECT_NEAR(numbers[k], expected[k], 6e-4) << "spread " << k;
    }
}

// The collapse is an event inside the run: Play after it evolves the
// collapsed state, also when the run had been stopped at t > 0.
TEST_F(MainWindowMeasurement, CollapsedStateSurvivesTheNextPlay)
{
    for (int i = 0; i < 3; ++i)
        window->stepOnce();
    click(*window, "stopButton");
    ASSERT_EQ(window->transportClock().state(), TransportState::Stopped);
    const double stoppedAt = window->schroedingerSolver().time();
    ASSERT_GT(stoppedAt, 0.0);

    click(*window, "collapsePositionButton");
    EXPECT_EQ(window->transportClock().state(), TransportState::Paused) << "the collapse leaves the run paused";
    const ComplexField2D collapsed = window->waveField();
    EXPECT_LT(computePositionMoments(collapsed).sigmaX, 0.7 * kPacketSigma);

    click(*window, "playButton");
    EXPECT_EQ(window->transportClock().state(), TransportState::Running);
    EXPECT_EQ(window->schroedingerSolver().time(), stoppedAt) << "Play rebuilt the collapsed state away";
    EXPECT_TRUE(sameField(window->waveField(), collapsed));
    click(*window, "pauseButton");

    // A collapse while running pauses the run and records at the same time.
    click(*window, "playButton");
    const std::uint64_t samples = window->observableHistory().size();
    click(*window, "collapsePositionButton");
    EXPECT_EQ(window->transportClock().state(), TransportState::Paused);
    EXPECT_EQ(window->observableHistory().size(), samples + 1);
    EXPECT_EQ(window->observableHistory().samples().back().time, stoppedAt);
}

TEST_F(MainWindowMeasurement, EnsembleHitsAccumulateAndScreenHitsFollowTheDensityOnTheScreen)
{
    const QuantumGLView& view = *control<QuantumGLView>(*window, "quantumView");
    setIndex(*window, "measurementModeComboBox", 0);
    setIndex(*window, "measurementShotsComboBox", 2);
    click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "100");
    EXPECT_EQ(statusText(*window), "Position measurement: 100 shots sampled from current |psi|^2.");
    click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "200");
    EXPECT_EQ(view.measurementMarkers().size(), 200u);
    EXPECT_EQ(window->transportClock().state(), TransportState::Stopped) << "an ensemble leaves the state alone";

    setIndex(*window, "measurementShotsComboBox", 4);
    for (int batch = 0; batch < 5; ++batch)
        click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "50000");
    ASSERT_EQ(view.measurementMarkers().size(), 50000u);

    click(*window, "clearMeasurementsButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "0");
    EXPECT_TRUE(view.measurementMarkers().empty());

    // Shots on a detector screen come from the density in the band of
    // columns about the screen, row by row.
    const double screenX = -4.2;
    const double thickness = 0.4;
    setIndex(*window, "measurementModeComboBox", 1);
    setValue(*window, "detectorXSpinBox", screenX);
    setValue(*window, "detectorThicknessSpinBox", thickness);
    setIndex(*window, "measurementShotsComboBox", 4);
    click(*window, "measurePositionButton");
    EXPECT_EQ(statusText(*window), "Detector screen: 10000 shots sampled at x=-4.20 from the current snapshot.");
    const std::vector<MeasurementShot>& hits = view.measurementMarkers();
    ASSERT_EQ(hits.size(), 10000u);

    const ComplexField2D& psi = window->waveField();
    const double x0 = -0.5 * static_cast<double>(psi.nx() - 1) * psi.dx();
    const double y0 = -0.5 * static_cast<double>(psi.ny() - 1) * psi.dy();
    std::vector<double> expected(psi.ny(), 0.0);
    double total = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i)
            if (std::abs(x0 + i * psi.dx() - screenX) <= thickness / 2.0) {
                expected[j] += std::norm(psi.at(i, j));
                total += std::norm(psi.at(i, j));
            }
    ASSERT_GT(total, 0.0);
    std::vector<double> observed(psi.ny(), 0.0);
    for (const MeasurementShot& hit : hits) {
        EXPECT_FLOAT_EQ(hit.x, static_cast<float>(screenX)) << "every hit lies on the screen";
        observed[static_cast<std::size_t>(std::lround((hit.y - y0) / psi.dy()))] += 1.0 / hits.size();
    }
    double distance = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        distance += 0.5 * std::abs(observed[j] - expected[j] / total);
    // About 0.03 is expected from 10000 shots over the packet's rows.
    EXPECT_LT(distance, 0.07);
}

// The temporal detector draws arrivals from the flux accumulated while the
// packet crossed the line; before any crossing it has nothing to give. The
// other modes gather no flux while the packet crosses the same line.
TEST_F(MainWindowMeasurement, TemporalDetectorHitsFollowTheAccumulatedFlux)
{
    setValue(*window, "detectorXSpinBox", -1.0);
    setValue(*window, "detectorThicknessSpinBox", 0.32);
    setIndex(*window, "speedComboBox", 6);
    for (int mode : {1, 0}) {
        setIndex(*window, "measurementModeComboBox", mode);
        click(*window, "resetButton");
        for (int i = 0; i < 13; ++i)
            window->onSimulationTick();
        EXPECT_EQ(labelText(*window, "detectorFluxValueLabel"), "0.000000") << "mode " << mode;
    }
    setIndex(*window, "speedComboBox", 2);
    setIndex(*window, "measurementModeComboBox", 2);
    setIndex(*window, "measurementShotsComboBox", 4);
    click(*window, "resetButton");
    click(*window, "measurePositionButton");
    EXPECT_EQ(statusText(*window), "Temporal detector has no accumulated forward flux yet. Run the simulation until "
                                   "the wave reaches the detector.");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "0");

    // The packet's centre passes x = -1 after 1.6 time units; 13 ticks of 16
    // steps let its bulk through.
    setIndex(*window, "speedComboBox", 6);
    for (int i = 0; i < 13; ++i)
        window->onSimulationTick();
    setIndex(*window, "speedComboBox", 2);
    click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel"), "10000");
    const QuantumGLView& view = *control<QuantumGLView>(*window, "quantumView");
    ASSERT_EQ(view.measurementMarkers().size(), 10000u);
    const auto bins = static_cast<std::uint64_t>(control<QSpinBox>(*window, "detectorBinsSpinBox")->value());
    const DetectorShotComparison comparison = DetectorTemporalFlux2D::compareShots(
        view.detectorDistribution(), window->waveField().dy(), view.measurementMarkers(), bins);
    ASSERT_TRUE(comparison.expectedValid && comparison.observedValid);
    EXPECT_LT(comparison.distance, 0.05);
    EXPECT_EQ(labelText(*window, "detectorTvdValueLabel"), QString::number(comparison.distance, 'f', 4).toStdString());
}

} // namespace
} // namespace vxo
