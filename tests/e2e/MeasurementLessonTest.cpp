// The measurement lesson: the guided single-system experiment on the coarse
// grid, ensembles of detections counted and compared with |psi|^2, repeated
// collapses of the same prepared state, and the collapsed packet set running.

#include "TeacherSession.h"

#include "core/PositionMoments.h"
#include "document/ExperimentCatalogue.h"
#include "view/QuantumGLView.h"

#include <QLabel>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vxo::e2e {
namespace {

constexpr int kMeasurementCollapse = 11;

std::vector<double> numbersIn(const QString& text)
{
    std::vector<double> numbers;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("-?\\d+\\.\\d+")).globalMatch(text);
    while (it.hasNext())
        numbers.push_back(it.next().captured(0).toDouble());
    return numbers;
}

QString labelText(const MainWindow& window, const char* name) { return control<QLabel>(window, name).text(); }

struct Spread {
    double mean = 0.0;
    double variance = 0.0;
};

template <typename Value>
Spread spreadOf(const std::vector<Value>& values)
{
    Spread s;
    for (const Value& v : values)
        s.mean += static_cast<double>(v);
    s.mean /= static_cast<double>(values.size());
    for (const Value& v : values)
        s.variance += std::pow(static_cast<double>(v) - s.mean, 2.0);
    s.variance /= static_cast<double>(values.size() - 1);
    return s;
}

class MeasurementLesson : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = teacherWindow();
        loadFromLibrary(*window, kMeasurementCollapse);
        choose(*window, "gridResolutionComboBox", 0);
        preset = makeExperimentPreset(kMeasurementCollapse);
        resolution = control<QDoubleSpinBox>(*window, "collapseResolutionSpinBox").value();
    }

    std::unique_ptr<MainWindow> window;
    ExperimentPreset preset;
    double resolution = 0.0;
};

// Shots drawn from |psi|^2 of a packet of spread s: their mean and variance
// are those of the density within the sampling error of N shots.
TEST_F(MeasurementLesson, EnsemblesAreCountedAndDistributedAsTheDensity)
{
    // Half a time unit of flight first: the density is no longer the
    // prepared one.
    click(*window, "playButton");
    ASSERT_TRUE(runEventsUntil([this] { return window->schroedingerSolver().stepCount() >= 25; }));
    click(*window, "pauseButton");
    const PositionMoments moments = computePositionMoments(window->waveField());

    choose(*window, "measurementModeComboBox", 0);
    choose(*window, "measurementShotsComboBox", 4);
    click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel").toStdString(), "10000");
    choose(*window, "measurementShotsComboBox", 2);
    click(*window, "measurePositionButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel").toStdString(), "10100");
    EXPECT_EQ(window->transportClock().state(), TransportState::Paused) << "an ensemble leaves the run as it was";

    const auto& view = control<QuantumGLView>(*window, "quantumView");
    const std::vector<MeasurementShot>& shots = view.measurementMarkers();
    ASSERT_EQ(shots.size(), 10100u);
    std::vector<float> xs, ys;
    for (const MeasurementShot& shot : shots) {
        xs.push_back(shot.x);
        ys.push_back(shot.y);
    }
    const double n = static_cast<double>(shots.size());
    const Spread x = spreadOf(xs);
    const Spread y = spreadOf(ys);
    // Four standard errors: of a mean sigma / sqrt(N), of a variance
    // sigma^2 sqrt(2 / N); shots sit on cell centres, which adds d^2 / 12.
    const double vx = moments.sigmaX * moments.sigmaX;
    const double vy = moments.sigmaY * moments.sigmaY;
    const double dx = window->waveField().dx();
    const double dy = window->waveField().dy();
    EXPECT_NEAR(x.mean, moments.meanX, 4.0 * moments.sigmaX / std::sqrt(n));
    EXPECT_NEAR(y.mean, moments.meanY, 4.0 * moments.sigmaY / std::sqrt(n));
    EXPECT_NEAR(x.variance, vx + dx * dx / 12.0, 4.0 * vx * std::sqrt(2.0 / n));
    EXPECT_NEAR(y.variance, vy + dy * dy / 12.0, 4.0 * vy * std::sqrt(2.0 / n));

    click(*window, "clearMeasurementsButton");
    EXPECT_EQ(labelText(*window, "measurementTotalValueLabel").toStdString(), "0");
    EXPECT_TRUE(view.measurementMarkers().empty());
}

// A reading is a position drawn from |psi|^2 plus the pointer's noise of
// deviation sigma_m: over many collapses of the same prepared packet the
// readings scatter about its centre with variance s^2 + sigma_m^2 per axis.
TEST_F(MeasurementLesson, RepeatedCollapsesOfOneStateScatterAsDensityAndPointerTogether)
{
    constexpr int kCollapses = 120;
    std::vector<double> readingsX, readingsY;
    for (int k = 0; k < kCollapses; ++k) {
        click(*window, "resetButton");
        click(*window, "collapsePositionButton");
        const std::vector<double> reading = numbersIn(labelText(*window, "collapseOutcomeValueLabel"));
        ASSERT_EQ(reading.size(), 2u) << labelText(*window, "collapseOutcomeValueLabel").toStdString();
        readingsX.push_back(reading[0]);
        readingsY.push_back(reading[1]);
    }
    const double variance = preset.packetSigma * preset.packetSigma + resolution * resolution;
    const double n = kCollapses;
    const Spread x = spreadOf(readingsX);
    const Spread y = spreadOf(readingsY);
    EXPECT_NEAR(x.mean, preset.packetCenterX, 4.0 * std::sqrt(variance / n));
    EXPECT_NEAR(y.mean, preset.packetCenterY, 4.0 * std::sqrt(variance / n));
    EXPECT_NEAR(x.variance, variance, 4.0 * variance * std::sqrt(2.0 / n));
    EXPECT_NEAR(y.variance, variance, 4.0 * variance * std::sqrt(2.0 / n));
}

// Collapsed at t = 0 the packet is again a minimum-uncertainty Gaussian, of
// spread w = s sigma_m / sqrt(s^2 + sigma_m^2) about c = x0 + s^2 (r - x0) /
// (s^2 + sigma_m^2); played on, it keeps the momentum p and spreads as
// w sqrt(1 + (hbar t / (2 m w^2))^2).
TEST_F(MeasurementLesson, TheCollapsedPacketRunsOnAsANarrowFreePacket)
{
    click(*window, "collapsePositionButton");
    const std::vector<double> reading = numbersIn(labelText(*window, "collapseOutcomeValueLabel"));
    ASSERT_EQ(reading.size(), 2u);
    const double s2 = preset.packetSigma * preset.packetSigma;
    const double m2 = resolution * resolution;
    const double w = std::sqrt(s2 * m2 / (s2 + m2));
    const double cx = preset.packetCenterX + s2 * (reading[0] - preset.packetCenterX) / (s2 + m2);
    const double cy = preset.packetCenterY + s2 * (reading[1] - preset.packetCenterY) / (s2 + m2);
    const double m = preset.mass;
    const double hbar = window->schroedingerSolver().parameters().hbar;
    const std::size_t collapsedAt = window->observableHistory().size() - 1;

    click(*window, "playButton");
    ASSERT_TRUE(runEventsUntil([this] { return window->schroedingerSolver().stepCount() >= 50; }));
    click(*window, "pauseButton");
    const std::vector<ObservableSample>& samples = window->observableHistory().samples();
    ASSERT_GE(samples.size(), collapsedAt + 51);
    for (std::size_t k = collapsedAt; k < samples.size(); ++k) {
        const ObservableSample& sample = samples[k];
        const double t = sample.time;
        const double width = w * std::sqrt(1.0 + std::pow(hbar * t / (2.0 * m * w * w), 2.0));
        EXPECT_NEAR(sample.meanX, cx + preset.packetMomentumX * t / m, 3e-3) << "t = " << t;
        EXPECT_NEAR(sample.meanY, cy + preset.packetMomentumY * t / m, 3e-3) << "t = " << t;
        EXPECT_NEAR(sample.sigmaX, width, 3e-3 * width) << "t = " << t;
        EXPECT_NEAR(sample.sigmaY, width, 3e-3 * width) << "t = " << t;
        EXPECT_NEAR(sample.norm, 1.0, 1e-4) << "t = " << t;
    }
}

} // namespace
} // namespace vxo::e2e
