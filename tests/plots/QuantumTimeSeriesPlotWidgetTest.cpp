#include "plots/AxisNumbers.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"

#include "PlotRobustness.h"
#include "PlotTestSupport.h"
#include "experiments/ObservableSample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace vxo {
namespace {

const QColor kSeriesCurve(plot::kCurves.leading);
const QColor kSeriesPlaceholder(plot::kSinglePanel.placeholder);
const QSize kSeriesSize(460, 280);
const QRectF kSeriesPanel = plot::panelRect(kSeriesSize, QuantumTimeSeriesPlotWidget::layout());

using Setter = std::function<void(ObservableSample&, double)>;

// Every field a row may read, set to value, with both validity flags on.
void setEveryField(ObservableSample& s, double value)
{
    for (double* field :
         {&s.meanX, &s.meanY, &s.sigmaX, &s.sigmaY, &s.norm, &s.absorbedProbability, &s.reflectedProbability,
          &s.transmittedProbability, &s.kineticEnergy, &s.potentialEnergy, &s.totalEnergy, &s.energyDriftPercent,
          &s.leftWellProbability, &s.rightWellProbability, &s.barrierProbability})
        *field = value;
    s.scatteringValid = true;
    s.doubleWellValid = true;
}

// n samples at t = 0, 0.2, 0.4, ...; field k set by setter to value(k).
std::vector<ObservableSample> history(std::size_t n, const Setter& setter,
                                      const std::function<double(std::size_t)>& value)
{
    std::vector<ObservableSample> samples(n);
    for (std::size_t k = 0; k < n; ++k) {
        samples[k].time = 0.2 * double(k);
        setter(samples[k], value(k));
    }
    return samples;
}

// The pixel of sample k of n (times 0.2 k) at value v on the range [lo, hi].
QPointF pixelOf(std::size_t k, std::size_t n, double v, double lo, double hi)
{
    return QPointF(kSeriesPanel.left() + kSeriesPanel.width() * double(k) / double(n - 1),
                   kSeriesPanel.bottom() - kSeriesPanel.height() * (v - lo) / (hi - lo));
}

using TimeSeriesPlot = test::PlotTest;

TEST_F(TimeSeriesPlot, EachObservableDrawsItsOwnField)
{
    struct Row {
        int index;
        Setter set;
        bool probability;
    };
    const std::vector<Row> rows{
        {0, [](ObservableSample& s, double v) { s.meanX = v; }, false},
        {1, [](ObservableSample& s, double v) { s.meanY = v; }, false},
        {2, [](ObservableSample& s, double v) { s.sigmaX = v; }, false},
        {3, [](ObservableSample& s, double v) { s.sigmaY = v; }, false},
        {4, [](ObservableSample& s, double v) { s.norm = v; }, true},
        {5, [](ObservableSample& s, double v) { s.absorbedProbability = v; }, true},
        {6, [](ObservableSample& s, double v) { s.reflectedProbability = v; }, true},
        {7, [](ObservableSample& s, double v) { s.transmittedProbability = v; }, true},
        {8, [](ObservableSample& s, double v) { s.kineticEnergy = v; }, false},
        {9, [](ObservableSample& s, double v) { s.potentialEnergy = v; }, false},
        {10, [](ObservableSample& s, double v) { s.totalEnergy = v; }, false},
        {11, [](ObservableSample& s, double v) { s.energyDriftPercent = v; }, false},
        {12, [](ObservableSample& s, double v) { s.leftWellProbability = v; }, true},
        {13, [](ObservableSample& s, double v) { s.rightWellProbability = v; }, true},
    };
    constexpr std::size_t n = 41;
    const auto rising = [](std::size_t k) { return 0.1 + 0.8 * double(k) / double(n - 1); };
    const auto falling = [](std::size_t k) { return 0.9 - 0.8 * double(k) / double(n - 1); };
    for (const Row& row : rows) {
        // Every other field falls while the row's own field rises.
        std::vector<ObservableSample> samples = history(n, setEveryField, falling);
        for (std::size_t k = 0; k < n; ++k)
            row.set(samples[k], rising(k));
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setObservable(row.index);
        plot.setSamples(samples);
        const QImage image = test::grabPlot(plot, kSeriesSize);
        // Probabilities on [0, 1]; the rest on [0, 0.9] widened by 5 %.
        const double lo = row.probability ? 0.0 : -0.045;
        const double hi = row.probability ? 1.0 : 0.945;
        for (const std::size_t k : {6u, 12u, 28u, 34u}) {
            EXPECT_TRUE(test::colourNear(image, pixelOf(k, n, rising(k), lo, hi), kSeriesCurve))
                << "observable " << row.index << " misses its field at sample " << k;
            EXPECT_FALSE(test::colourNear(image, pixelOf(k, n, falling(k), lo, hi), kSeriesCurve))
                << "observable " << row.index << " draws another field at sample " << k;
        }
    }
}

TEST_F(TimeSeriesPlot, IndicesOutsideTheTableDrawTheFirstRow)
{
    const std::vector<ObservableSample> samples = history(
        30,
        [](ObservableSample& s, double v) {
            setEveryField(s, -v);
            s.meanX = v * v;
        },
        [](std::size_t k) { return 0.1 * double(k); });
    const auto render = [&](int index) {
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setSamples(samples);
        plot.setObservable(index);
        return test::grabPlot(plot, kSeriesSize);
    };
    const QImage first = render(0);
    for (const int index : {20, -1, 14})
        EXPECT_TRUE(render(index) == first) << "index " << index << " must draw <x> with its label";
}

TEST_F(TimeSeriesPlot, SamplesWithoutAValueBreakTheCurve)
{
    constexpr std::size_t n = 41;
    const auto ramp = [](std::size_t k) { return 0.1 + 0.8 * double(k) / double(n - 1); };
    struct Case {
        const char* name;
        int observable;
        std::function<void(std::vector<ObservableSample>&)> spoil;
        std::size_t gapFirst, gapLast; // the samples that draw nothing
    };
    const std::vector<Case> cases{
        {"P_T without scattering", 7,
         [](std::vector<ObservableSample>& s) {
             for (std::size_t k = 15; k <= 24; ++k)
                 s[k].scatteringValid = false;
         },
         15, 24},
        {"P_left well without double well", 12,
         [](std::vector<ObservableSample>& s) {
             for (std::size_t k = 10; k <= 13; ++k)
                 s[k].doubleWellValid = false;
         },
         10, 13},
        {"a NaN norm", 4, [](std::vector<ObservableSample>& s) { s[20].norm = std::nan(""); }, 20, 20},
        {"an infinite norm", 4,
         [](std::vector<ObservableSample>& s) { s[20].norm = std::numeric_limits<double>::infinity(); }, 20, 20},
    };
    for (const Case& c : cases) {
        std::vector<ObservableSample> samples = history(n, setEveryField, ramp);
        c.spoil(samples);
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setObservable(c.observable);
        plot.setSamples(samples);
        const QImage image = test::grabPlot(plot, kSeriesSize);
        // The straight line across the gap would pass through these points.
        for (std::size_t k = c.gapFirst; k <= c.gapLast; ++k)
            EXPECT_FALSE(test::colourNear(image, pixelOf(k, n, ramp(k), 0.0, 1.0), kSeriesCurve, 1))
                << c.name << ": the curve bridges sample " << k;
        EXPECT_TRUE(test::colourNear(image, pixelOf(c.gapFirst - 2, n, ramp(c.gapFirst - 2), 0.0, 1.0), kSeriesCurve))
            << c.name << ": curve missing before the gap";
        EXPECT_TRUE(test::colourNear(image, pixelOf(c.gapLast + 2, n, ramp(c.gapLast + 2), 0.0, 1.0), kSeriesCurve))
            << c.name << ": curve missing after the gap";
    }
}

TEST_F(TimeSeriesPlot, ChoosesThePlaceholderByTheData)
{
    const auto render = [&](int observable, const std::vector<ObservableSample>& samples) {
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setObservable(observable);
        plot.setSamples(samples);
        return test::grabPlot(plot, kSeriesSize);
    };
    const auto ramp = [](std::size_t k) { return 0.05 * double(k); };
    std::vector<ObservableSample> noScattering = history(
        12, [](ObservableSample& s, double v) { s.transmittedProbability = v; }, ramp);
    std::vector<ObservableSample> oneValid = noScattering;
    oneValid[5].scatteringValid = true;
    std::vector<ObservableSample> twoValid = oneValid;
    twoValid[6].scatteringValid = true;
    std::vector<ObservableSample> allAtZero = history(12, setEveryField, ramp);
    for (ObservableSample& s : allAtZero)
        s.time = 0.0;

    const QImage runText = render(0, {});
    const QImage noDataText = render(7, noScattering);
    const QRect panel = kSeriesPanel.toAlignedRect();
    ASSERT_GT(test::countColour(runText, panel, kSeriesPlaceholder, 0), 0);
    ASSERT_GT(test::countColour(noDataText, panel, kSeriesPlaceholder, 0), 0);
    EXPECT_FALSE(runText == noDataText) << "the two placeholders read differently";

    EXPECT_TRUE(render(0, history(1, setEveryField, ramp)) == runText) << "one sample is no history yet";
    EXPECT_TRUE(render(7, oneValid) == noDataText) << "one valid sample draws no curve";
    const QImage twoValidImage = render(7, twoValid);
    EXPECT_EQ(test::countColour(twoValidImage, panel, kSeriesPlaceholder, 0), 0) << "two valid samples are a curve";
    EXPECT_GT(test::countColour(twoValidImage, panel, kSeriesCurve), 0) << "two valid samples are a curve";
    const QImage frozen = render(0, allAtZero);
    EXPECT_EQ(test::countColour(frozen, panel, kSeriesPlaceholder, 0), 0) << "no time span: grid and frame only";
    EXPECT_EQ(test::countColour(frozen, frozen.rect(), kSeriesCurve), 0) << "no time span: no curve";
}

TEST_F(TimeSeriesPlot, RangesFollowTheProbabilityAndSignedRules)
{
    struct Case {
        const char* name;
        int observable;
        std::function<double(std::size_t)> value; // of sample k of 21
        double lo, hi;
    };
    const std::vector<Case> cases{
        {"norm near 1", 4, [](std::size_t k) { return 1.0 - 0.001 * double(k); }, 0.0, 1.0},
        {"norm rising to 1.2", 4, [](std::size_t k) { return 1.0 + 0.01 * double(k); }, 0.0, 1.2},
        {"constant total energy 5", 10, [](std::size_t) { return 5.0; }, -0.25, 5.25},
        {"zero centroid", 0, [](std::size_t) { return 0.0; }, -0.5, 0.5},
        {"negative centroid", 1, [](std::size_t k) { return -2.0 + 0.05 * double(k); }, -2.1, 0.1},
        {"drift around zero", 11, [](std::size_t k) { return double(k) - 10.0; }, -11.0, 11.0},
    };
    const std::size_t n = 21;
    for (const Case& c : cases) {
        const std::vector<ObservableSample> samples = history(n, setEveryField, c.value);
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setObservable(c.observable);
        plot.setSamples(samples);
        const QImage image = test::grabPlot(plot, kSeriesSize);
        // The numbers left of the panel stand on the rows of their values in
        // the range: a flat curve alone sits on the middle row whatever the
        // range is.
        int numbers = 0;
        for (const test::PaintedText& t : test::paintedTexts(plot, kSeriesSize)) {
            if (t.box.right() > kSeriesPanel.left() + 1.0)
                continue;
            const double v = t.text.toDouble();
            EXPECT_TRUE(c.lo <= v && v <= c.hi) << c.name << ": " << v;
            EXPECT_NEAR(t.box.center().y(), pixelOf(0, n, v, c.lo, c.hi).y(), 1.5) << c.name << ": " << v;
            ++numbers;
        }
        EXPECT_GE(numbers, 3) << c.name;
        for (const std::size_t k : {1u, 10u, 19u})
            EXPECT_TRUE(test::colourNear(image, pixelOf(k, n, c.value(k), c.lo, c.hi), kSeriesCurve))
                << c.name << ", sample " << k;
        // A signed range straddles zero and shows it as a dashed line (unless
        // the curve runs along it); a probability's range starts there and does not.
        const int zero = qRound(pixelOf(0, n, 0.0, c.lo, c.hi).y());
        const int steps =
            test::dashStepsNearRow(image, zero, int(kSeriesPanel.left()) + 4, int(kSeriesPanel.right()) - 4);
        if (c.value(0) != 0.0) {
            EXPECT_EQ(steps > 20, c.lo < 0.0) << c.name << ": " << steps << " steps along zero";
        }
        // A probability's zero is the frame's bottom edge, which stays solid:
        // only the grid lines of the times meeting it change its colour (in
        // and out, on each of the three rows), where even faint dashes would
        // change it often.
        if (c.lo == 0.0) {
            const int changes =
                test::changesNearRow(image, zero, int(kSeriesPanel.left()) + 4, int(kSeriesPanel.right()) - 4);
            const std::size_t lines =
                plot::horizontalTicks(0.0, 0.2 * double(n - 1), kSeriesPanel.width(), plot.font()).values.size();
            EXPECT_LE(changes, int(lines) * 2 * 3)
                << c.name << ": " << changes << " colour changes along the bottom edge";
        }
    }
}

} // namespace

namespace test {
template <>
struct PlotFeeds<QuantumTimeSeriesPlotWidget> {
    static std::vector<PlotFeed<QuantumTimeSeriesPlotWidget>> all()
    {
        using Plot = QuantumTimeSeriesPlotWidget;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const double huge = std::numeric_limits<double>::max();
        const auto ramp = [](std::size_t k) { return std::sin(0.01 * double(k)); };
        const std::vector<ObservableSample> full = history(4096, setEveryField, ramp);
        std::vector<ObservableSample> spoiled = history(50, setEveryField, ramp);
        for (std::size_t k = 0; k < spoiled.size(); k += 3) {
            setEveryField(spoiled[k], k % 2 ? nan : inf);
            spoiled[k + 1].time = nan;
        }
        std::vector<ObservableSample> extremes =
            history(20, setEveryField, [huge](std::size_t k) { return k % 2 ? huge : -huge; });
        std::vector<ObservableSample> infiniteTime = history(20, setEveryField, ramp);
        infiniteTime.front().time = -inf;
        return {
            {"one sample", [](Plot& p) { p.setSamples(history(1, setEveryField, [](std::size_t) { return 1.0; })); }},
            {"a full history",
             [full](Plot& p) {
                 p.setSamples(full);
                 p.setObservable(7);
             }},
            {"NaN, infinities and NaN times",
             [spoiled](Plot& p) {
                 p.setSamples(spoiled);
                 p.setObservable(10);
             }},
            {"values at the double range",
             [extremes](Plot& p) {
                 p.setSamples(extremes);
                 p.setObservable(1);
             }},
            beyondLegibility<Plot>({"an infinite first time", [infiniteTime](Plot& p) { p.setSamples(infiniteTime); }}),
            {"an index far outside the table",
             [full](Plot& p) {
                 p.setSamples(full);
                 p.setObservable(1 << 30);
             }},
        };
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(TimeSeries, PlotRobustness, QuantumTimeSeriesPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(TimeSeries, PlotLegibility, QuantumTimeSeriesPlotWidget);
} // namespace test

} // namespace vxo
