#include "core/Numeric.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"

#include "HistoryPlotProbes.h"
#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

namespace vxo {
namespace {

using test::colourNear;
using test::countColour;
using test::historyOf;
using test::kInf;
using test::kNaN;
using test::markedRows;
using test::panelPoint;

const QColor kFringePlaceholderText(plot::kSinglePanel.placeholder);
const QColor kSignal(plot::kTwoLevel.fringe);
const QColor kCurrent(plot::kTwoLevel.fringeCurrent);
const QColor kLower(plot::kTwoLevel.first);

bool shows(const QImage& image, const QRectF& where, const QColor& colour)
{
    return countColour(image, where.toRect(), colour, colour == kFringePlaceholderText ? 0 : 10) > 0;
}

// The sweep legend reads P(lower), P(upper), P(left), P(right) on one line.
void expectSweepLegendRow(QWidget& plot, const QSize& size)
{
    test::expectLegendRow(test::paintedTexts(plot, size), {"P(lower)", "P(upper)", "P(left)", "P(right)"});
}

// Omega = 0.5, transfer amplitude 0.8: pi pulse at 2 pi, period 4 pi.
RabiReference rabiReference()
{
    RabiReference r;
    r.valid = true;
    r.generalizedRabiFrequency = 0.5;
    r.transferAmplitude = 0.8;
    r.piPulseTime = 2.0 * kPi;
    r.rabiPeriod = 4.0 * kPi;
    return r;
}

// The population plots drawn over a prediction: how to make and feed one,
// its panel at 460 x 320, the predicted pair over one period with its mark,
// and the measured block.
struct PredictionPlot {
    const char* name;
    std::function<QWidget*(QWidget*)> make;
    std::function<void(QWidget&)> predict;
    std::function<void(QWidget&, const std::vector<ObservableSample>&)> feed;
    QRectF panel;
    double period;
    double mark;
    std::function<double(double)> second; // the first is 1 - second
    bool ObservableSample::*valid;
    double ObservableSample::*measuredFirst;
    double ObservableSample::*measuredSecond;
    QColor firstColour;
    QColor markColour;
};

template <typename Widget>
std::function<void(QWidget&, const std::vector<ObservableSample>&)> feeding()
{
    return [](QWidget& w, const std::vector<ObservableSample>& s) { static_cast<Widget&>(w).setSamples(s); };
}

const std::vector<PredictionPlot>& predictionPlots()
{
    static const std::vector<PredictionPlot> plots{
        {"Rabi", [](QWidget* host) { return new QuantumRabiPlotWidget(host); },
         [](QWidget& w) { static_cast<QuantumRabiPlotWidget&>(w).setTwoLevelReference(rabiReference()); },
         feeding<QuantumRabiPlotWidget>(), plot::panelRect(QSize(460, 320), QuantumRabiPlotWidget::layout()), 4.0 * kPi,
         2.0 * kPi, [](double t) { return 0.8 * std::pow(std::sin(t / 4.0), 2); }, &ObservableSample::rabiValid,
         &ObservableSample::rabiPopulation1, &ObservableSample::rabiPopulation2, QColor(plot::kTwoLevel.rabiFirst),
         QColor(plot::kPredictions.rabiPiPulse)},
        {"double well", [](QWidget* host) { return new QuantumDoubleWellPlotWidget(host); },
         [](QWidget& w) { static_cast<QuantumDoubleWellPlotWidget&>(w).setTunnellingPeriod(40.0); },
         feeding<QuantumDoubleWellPlotWidget>(),
         plot::panelRect(QSize(460, 320), QuantumDoubleWellPlotWidget::layout()), 40.0, 20.0,
         [](double t) { return std::pow(std::sin(kPi * t / 40.0), 2); }, &ObservableSample::doubleWellValid,
         &ObservableSample::leftWellProbability, &ObservableSample::rightWellProbability,
         QColor(plot::kCurves.leading), QColor(plot::kPredictions.wellHalf)},
    };
    return plots;
}

using TwoLevelPlot = test::PlotTest;

// A tunnelling period that is not positive predicts nothing: the plot then
// paints as one that was never given a period.
TEST_F(TwoLevelPlot, DoubleWellWithoutAPositivePeriodPaintsNoPrediction)
{
    const std::vector<ObservableSample> samples = historyOf(41, 0.0, 0.5, [](ObservableSample& s, double t) {
        s.doubleWellValid = true;
        s.leftWellProbability = 0.5 + 0.4 * std::cos(0.3 * t);
        s.rightWellProbability = 1.0 - s.leftWellProbability;
    });
    auto& plain = makePlot<QuantumDoubleWellPlotWidget>();
    plain.setSamples(samples);
    const QImage expected = test::grabPlot(plain, QSize(460, 320));
    for (const double period : {0.0, -3.0, -0.0}) {
        auto& plot = makePlot<QuantumDoubleWellPlotWidget>();
        plot.setSamples(samples);
        plot.setTunnellingPeriod(period);
        EXPECT_TRUE(test::grabPlot(plot, QSize(460, 320)) == expected) << "period " << period;
    }
}

TEST_F(TwoLevelPlot, PredictionBehindThePlaceholderThenMeasuredCurvesOnTheStretchedAxis)
{
    for (const PredictionPlot& c : predictionPlots()) {
        QWidget& plot = *c.make(&host());
        const QImage fresh = test::grabPlot(plot, QSize(460, 320));
        c.predict(plot);
        const QImage predicted = test::grabPlot(plot, QSize(460, 320));
        const QRectF middle(c.panel.center() - QPointF(100, 20), QSizeF(200, 40));
        EXPECT_TRUE(shows(fresh, middle, kFringePlaceholderText) && shows(predicted, middle, kFringePlaceholderText))
            << c.name;
        // Away from the placeholder's line, which stands on a patch of its own.
        for (const double u : {0.08, 0.4, 0.62, 0.9}) {
            const double t = u * c.period;
            for (const double p : {c.second(t), 1.0 - c.second(t)})
                EXPECT_TRUE(test::differsNear(predicted, fresh, panelPoint(c.panel, 0, c.period, 0, 1, t, p)))
                    << c.name << ": prediction " << p << " at t = " << t;
        }
        EXPECT_GT(markedRows(predicted, c.panel.center().x(), c.panel.top(), c.panel.bottom(), &fresh), 0.4) << c.name;
        // The population scale's ends stand just left of the frame, with no band as wide as a label between.
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(460, 320));
        for (const QString& end : {QStringLiteral("1.0"), QStringLiteral("0.0")}) {
            const QRectF box = test::paintedText(texts, end).box;
            EXPECT_LE(box.right(), c.panel.left()) << c.name << ": " << end.toStdString();
            EXPECT_LT(c.panel.left() - box.right(), box.width()) << c.name << ": " << end.toStdString();
        }

        // Valid samples from 0.1 to 1.5 periods except inside (0.5, 0.6),
        // where the values are bogus: the axis runs from the first valid
        // sample to the last, the curves bridge the gap, 1.4 lies on the top.
        const auto first = [&](double t) { return 0.55 + 0.3 * std::sin(6.0 * t / c.period); };
        const auto second = [&](double t) { return 0.3 - 0.2 * std::cos(5.0 * t / c.period); };
        std::vector<ObservableSample> samples = historyOf(151, 0.0, c.period / 100, [&](ObservableSample& s, double t) {
            const bool gap = t > 0.501 * c.period && t < 0.599 * c.period;
            s.*c.valid = t >= 0.099 * c.period && !gap;
            s.*c.measuredFirst = gap ? 0.02 : first(t);
            s.*c.measuredSecond = gap ? 0.98 : second(t);
        });
        samples[130].*c.measuredFirst = 1.4;
        c.feed(plot, samples);
        const QImage image = test::grabPlot(plot, QSize(460, 320));
        const auto at = [&](double u, double v) { return panelPoint(c.panel, 0.1, 1.5, 0, 1, u, v); };
        for (const double u : {0.23, 0.41, 0.87, 1.12}) {
            EXPECT_TRUE(colourNear(image, at(u, first(u * c.period)), c.firstColour)) << c.name << " at " << u;
            EXPECT_TRUE(colourNear(image, at(u, second(u * c.period)), QColor(plot::kTwoLevel.secondPopulation)))
                << c.name << " at " << u;
        }
        const double a = first(0.5 * c.period);
        const double b = first(0.6 * c.period);
        EXPECT_TRUE(colourNear(image, (at(0.5, a) + at(0.6, b)) / 2.0, c.firstColour)) << c.name << ": bridged";
        EXPECT_FALSE(colourNear(image, at(0.55, 0.02), c.firstColour, 2)) << c.name << ": gap drawn";
        EXPECT_TRUE(colourNear(image, at(1.3, 1.0), c.firstColour)) << c.name << ": top edge";
        EXPECT_GT(markedRows(image, at(c.mark / c.period, 0).x(), c.panel.top(), c.panel.bottom()), 0.4) << c.name;
        // None at the whole period, where a grid line may stand.
        EXPECT_EQ(test::countColour(image, QRect(int(at(1.0, 0).x()) - 1, int(c.panel.top()), 3, int(c.panel.height())),
                                    c.markColour, 12),
                  0)
            << c.name;
        EXPECT_FALSE(shows(image, c.panel, kFringePlaceholderText)) << c.name;
    }
}

TEST_F(TwoLevelPlot, ASingleSampleAtTheEndOfAPeriodOpensAUnitAxisAfterItWithThePredictionInPhase)
{
    // The axis would end at the first period, where the only sample stands:
    // it runs one time unit on from the sample instead, and the prediction
    // is drawn over that unit. After ten and a quarter periods, mid-swing,
    // a phase off by a percent would move the prediction by a tenth.
    for (const PredictionPlot& c : predictionPlots()) {
        for (const double start : {c.period, 10.25 * c.period}) {
            std::vector<ObservableSample> one(1);
            one[0].time = start;
            one[0].*c.valid = true;
            one[0].*c.measuredFirst = 0.35;
            one[0].*c.measuredSecond = 0.65;
            QWidget& bare = *c.make(&host());
            c.feed(bare, one);
            QWidget& plot = *c.make(&host());
            c.predict(plot);
            c.feed(plot, one);
            const QImage without = test::grabPlot(bare, QSize(460, 320));
            const QImage with = test::grabPlot(plot, QSize(460, 320));
            for (const double u : {0.2, 0.5, 0.8}) {
                const double t = start + u;
                for (const double p : {c.second(t), 1.0 - c.second(t)})
                    EXPECT_TRUE(test::differsNear(with, without, panelPoint(c.panel, start, start + 1.0, 0, 1, t, p)))
                        << c.name << ": prediction " << p << " at t = " << t;
            }
        }
    }
}

TEST_F(TwoLevelPlot, AnInvalidRabiReferenceNeitherDrawsNorStretchesTheAxis)
{
    // A reference marked invalid still carrying a period of 4 pi: the axis
    // of samples over [0, 0.5] runs to the default end 1, not to 4 pi.
    RabiReference stale = rabiReference();
    stale.valid = false;
    auto& plot = makePlot<QuantumRabiPlotWidget>();
    plot.setTwoLevelReference(stale);
    plot.setSamples(historyOf(11, 0.0, 0.05, [](ObservableSample& s, double) {
        s.rabiValid = true;
        s.rabiPopulation1 = 0.3;
        s.rabiPopulation2 = 0.6;
    }));
    const QImage image = test::grabPlot(plot, QSize(460, 320));
    const QRectF panel = plot::panelRect(QSize(460, 320), QuantumRabiPlotWidget::layout());
    EXPECT_TRUE(colourNear(image, panelPoint(panel, 0, 1, 0, 1, 0.45, 0.3), QColor(plot::kTwoLevel.rabiFirst)));
    EXPECT_FALSE(colourNear(image, panelPoint(panel, 0, 1, 0, 1, 0.75, 0.3), QColor(plot::kTwoLevel.rabiFirst), 2))
        << "the curve ends half way across";
}

// Bias 0.35 -> -0.35 over [0, 40], crossing zero at 20.
LinearSweep forwardSweep()
{
    LinearSweep sweep;
    sweep.enabled = true;
    return sweep;
}

LandauZenerReference crossingAt(double t)
{
    LandauZenerReference r;
    r.valid = true;
    r.crossingTime = t;
    return r;
}

using LandauZenerPlot = test::PlotTest;

TEST_F(LandauZenerPlot, CrossingMarkRunsThroughTheBiasStripAtTheCrossingTime)
{
    auto& plot = makePlot<QuantumLandauZenerPlotWidget>();
    const QRectF p = plot::panelRect(QSize(460, 340), QuantumLandauZenerPlotWidget::layout());
    const QRectF bias(p.left(), p.bottom() + 18, p.width(), 34); // the strip, 18 below
    const auto grab = [&] { return test::grabPlot(plot, QSize(460, 340)); };
    const auto crossingRows = [&](const QImage& with, const QImage& without, double t0) {
        return markedRows(with, panelPoint(p, t0, 40, 0, 1, 20.0, 0).x(), p.top(), bias.bottom(), &without);
    };
    plot.setSweep(forwardSweep());
    const QImage unmarked = grab();
    plot.setTwoLevelReference(crossingAt(50.0));
    EXPECT_TRUE(grab() == unmarked) << "a crossing after the axis is not marked";
    // At either end of the axis the frames hide the mark but for the gap above the strip.
    for (const double t : {0.0, 40.0}) {
        plot.setTwoLevelReference(crossingAt(t));
        const QImage image = grab();
        EXPECT_GT(markedRows(image, p.left() + p.width() * t / 40, p.bottom() + 2, bias.top() - 2, &unmarked), 0.4)
            << t;
    }
    plot.setTwoLevelReference(crossingAt(20.0));
    const QImage image = grab();
    EXPECT_GT(crossingRows(image, unmarked, 0.0), 0.4) << "from the top of the panel down through the strip";
    EXPECT_TRUE(shows(image, QRectF(140, 120, 200, 40), kFringePlaceholderText));
    expectSweepLegendRow(plot, QSize(460, 340));
    const test::PaintedText label =
        test::paintedText(test::paintedTexts(plot, QSize(460, 340)), QStringLiteral("bias"));
    EXPECT_NEAR(label.box.center().y(), bias.top() + 15, 1.5) << "the strip's name beside its upper half";
    EXPECT_NEAR(label.box.right(), 54, 1.0);
    for (const double t : {4.0, 13.0, 31.0, 37.0})
        EXPECT_TRUE(colourNear(image, QPointF(58 + 9.5 * t, bias.center().y() - 15.3 * (1 - t / 20)), kSignal)) << t;
    // A short plot, its panel at or above its least height, keeps the strip's name inside.
    for (const int height : {170, 200}) {
        const QRectF box = test::paintedText(test::paintedTexts(plot, QSize(460, height)), QStringLiteral("bias")).box;
        EXPECT_LT(box.bottom(), height) << height << " px high";
    }

    // A history from t = -5 moves the axis start; the bias holds its start
    // value before the sweep begins.
    plot.setTwoLevelReference(LandauZenerReference());
    plot.setSamples(historyOf(81, -5.0, 0.5, [](ObservableSample& s, double t) {
        s.landauZenerValid = true;
        s.landauZenerLower = 0.9 - 0.02 * t;
        s.landauZenerUpper = 0.15 + 0.015 * t;
        s.landauZenerLeft = 0.4 + 0.003 * t;
        s.landauZenerRight = 0.6 - 0.003 * t;
    }));
    const QImage measuredUnmarked = grab();
    // The localized populations are dashed 1.5 px lines in a translucent pen: on a dash,
    // their ink summed down a column over that of the fullest pixel is 1.5 px over the
    // cosine of their slope (measured from t = 11 to 14, clear of the grid at
    // round times and populations).
    const double slope = p.height() * 0.003 / (p.width() / 45.0);
    for (const auto& [start, rate, rgb] :
         {std::tuple{0.4, 0.003, plot::kTwoLevel.sweepLeft}, {0.6, -0.003, plot::kTwoLevel.sweepRight}}) {
        double fullest = 0.0, widest = 0.0;
        for (int x = int(p.left() + p.width() * 16 / 45); x < int(p.left() + p.width() * 19 / 45); ++x) {
            const double t = -5.0 + 45.0 * (x + 0.5 - p.left()) / p.width();
            const int y = int(panelPoint(p, -5, 40, 0, 1, t, start + rate * t).y());
            double column = 0.0;
            for (int row = y - 4; row <= y + 4; ++row) {
                const test::InkProjection k = test::inkProjection(measuredUnmarked.pixel(x, row),
                                                                  QColor(plot::kSinglePanel.background), QColor(rgb));
                fullest = std::max(fullest, k.pc / k.cc);
                column += std::max(0.0, k.pc / k.cc);
            }
            widest = std::max(widest, column);
        }
        EXPECT_NEAR(widest / fullest, 1.5 * std::sqrt(1.0 + slope * slope), 0.35) << "the dashed curve from " << start;
    }
    plot.setTwoLevelReference(crossingAt(20.0));
    const QImage measured = grab();
    for (const double t : {-2.0, 11.0, 27.0}) {
        EXPECT_TRUE(colourNear(measured, panelPoint(p, -5, 40, 0, 1, t, 0.9 - 0.02 * t), kLower)) << t;
        EXPECT_TRUE(
            colourNear(measured, panelPoint(p, -5, 40, 0, 1, t, 0.15 + 0.015 * t), QColor(plot::kTwoLevel.second)))
            << t;
    }
    EXPECT_TRUE(colourNear(measured, QPointF(58 + 380 * 2.0 / 45.0, bias.center().y() - 15.3), kSignal)) << "t = -3";
    EXPECT_GT(crossingRows(measured, measuredUnmarked, -5.0), 0.4);

    plot.reset();
    const QImage reset = grab();
    EXPECT_FALSE(shows(reset, reset.rect(), kSignal)) << "the default sweep is disabled";
    EXPECT_TRUE(shows(reset, QRectF(140, 120, 200, 40), kFringePlaceholderText));

    // A sweep from -2 ending at the axis start 0 leaves a unit axis; one
    // ending just after it spans to its end: a crossing midway is marked mid-panel.
    for (const auto& [duration, midway] : {std::pair{2.0, 0.5}, std::pair{2.5, 0.25}}) {
        LinearSweep early = forwardSweep();
        early.startTime = -2.0;
        early.duration = duration;
        plot.setSweep(early);
        const QImage bare = grab();
        plot.setTwoLevelReference(crossingAt(midway));
        EXPECT_GT(markedRows(grab(), p.center().x(), p.top(), p.bottom(), &bare), 0.4) << duration;
        plot.setTwoLevelReference(LandauZenerReference());
    }
}

// Out over [0, 20], hold, back over the next 20: zero bias at 10 and 30 + hold.
LinearSweep returnSweep(double hold)
{
    LinearSweep sweep = forwardSweep();
    sweep.duration = 20.0;
    sweep.returnEnabled = true;
    sweep.holdDuration = hold;
    sweep.returnDuration = 20.0;
    return sweep;
}

// Holds 0..10 with final P_lower = 0.5 + 0.4 cos(1.3 hold).
std::vector<StueckelbergFringePoint> holdFringe()
{
    std::vector<StueckelbergFringePoint> points;
    for (int k = 0; k <= 40; ++k)
        points.push_back({0.25 * k, 0.0, 0.5 + 0.4 * std::cos(0.325 * k), 0.0});
    return points;
}

StueckelbergReference doublePassage()
{
    StueckelbergReference r;
    r.valid = true;
    r.firstCrossingTime = 10.0;
    r.secondCrossingTime = 34.0;
    r.finalLowerPopulation = 0.3;
    return r;
}

// The stacked panels of an interference plot at 460 x 400, from its own layout.
template <typename Widget>
plot::InterferencePanels panelsAt460x400()
{
    return plot::interferencePanels(QSize(460, 400), Widget::layout());
}

using StueckelbergPlot = test::PlotTest;

TEST_F(StueckelbergPlot, HoldTimeFringeWithTheCurrentHoldAndBothCrossingsMarked)
{
    const plot::InterferencePanels panels = panelsAt460x400<QuantumStueckelbergPlotWidget>();
    const QRectF& history = panels.history;
    const QRectF& strip = panels.strip;
    const QRectF& scan = panels.scan;
    auto& plot = makePlot<QuantumStueckelbergPlotWidget>();
    const auto grab = [&] { return test::grabPlot(plot, QSize(460, 400)); };
    plot.setSweep(returnSweep(4.0));
    plot.setFringeScan(holdFringe());
    const QImage unmarked = grab();
    plot.setTwoLevelReference(doublePassage());
    const QImage image = grab();
    expectSweepLegendRow(plot, QSize(460, 400));
    for (const double hold : {0.6, 3.1, 5.4, 8.8})
        EXPECT_TRUE(colourNear(image, panelPoint(scan, 0, 10, 0, 1, hold, 0.5 + 0.4 * std::cos(1.3 * hold)), kLower))
            << "fringe at hold " << hold;
    EXPECT_TRUE(colourNear(image, panelPoint(scan, 0, 10, 0, 1, 4.0, 0.3), kCurrent, 1, 10)) << "current hold";
    const auto marked = [&](double t) {
        const double x = history.left() + history.width() * t / 44;
        return markedRows(image, x, history.top(), strip.bottom(), &unmarked);
    };
    EXPECT_GT(std::min(marked(10.0), marked(34.0)), 0.4) << "both crossings, down through the strip";
    EXPECT_EQ(marked(22.0), 0.0);
    // The bias: halfway out at 5, at the end value through the hold, halfway back at 39.
    for (const auto& [t, v] : {std::pair{5.0, 0.5}, std::pair{22.0, -1.0}, std::pair{39.0, 0.5}}) {
        const double x = history.left() + history.width() * t / 44;
        EXPECT_TRUE(colourNear(image, QPointF(x, strip.center().y() - strip.height() * 0.44 * v), kSignal)) << t;
    }

    // Holds just past either end of a scan over 1 .. 11 would map inside the
    // widget, beside the panel: neither is marked anywhere.
    std::vector<StueckelbergFringePoint> later = holdFringe();
    for (StueckelbergFringePoint& point : later)
        point.holdDuration += 1.0;
    plot.setFringeScan(later);
    for (const double hold : {0.8, 11.2}) {
        plot.setSweep(returnSweep(hold));
        const QImage outside = grab();
        EXPECT_FALSE(shows(outside, outside.rect(), kCurrent)) << "a hold of " << hold << " outside the scan";
    }
    for (const double hold : {1.0, 11.0}) {
        plot.setSweep(returnSweep(hold));
        EXPECT_TRUE(colourNear(grab(), panelPoint(scan, 1, 11, 0, 1, hold, 0.3), kCurrent, 1, 10))
            << "a hold of " << hold << " at an end of the scan";
    }
    plot.reset();
    const QImage reset = grab();
    EXPECT_TRUE(shows(reset, QRectF(140, 110, 200, 40), kFringePlaceholderText));
    EXPECT_TRUE(shows(reset, scan, QColor(plot::kTwoLevel.fringePlaceholder)));
    EXPECT_FALSE(shows(reset, reset.rect(), kSignal) || shows(reset, scan, kLower)) << "sweep disabled, scan empty";
    // One scanned hold is no fringe yet; two are a segment from 0.2 at hold 2 to 0.8 at hold 6.
    const std::vector<StueckelbergFringePoint> pair{{2.0, 0.0, 0.2, 0.0}, {6.0, 0.0, 0.8, 0.0}};
    for (const std::size_t count : {1u, 2u}) {
        plot.setFringeScan({pair.begin(), pair.begin() + static_cast<std::ptrdiff_t>(count)});
        const QImage scanned = grab();
        EXPECT_EQ(shows(scanned, scan, QColor(plot::kTwoLevel.fringePlaceholder)), count == 1) << count << " points";
        EXPECT_EQ(colourNear(scanned, panelPoint(scan, 2, 6, 0, 1, 4.7, 0.605), kLower), count == 2) << count;
    }
}

// The Ramsey sequence with echo: pulses of 14.35, free time 5.5 split around
// an echo pulse of 28.7, the drive 0.1 sin(0.305536 t') from each pulse's start.
RamseySequence echoSequence()
{
    RamseySequence sequence;
    sequence.enabled = true;
    sequence.echoEnabled = true;
    return sequence;
}

RamseyReference echoReference()
{
    RamseyReference r;
    r.valid = r.echoEnabled = true;
    r.firstPulseEnd = 14.35;
    r.echoStart = 17.1;
    r.echoEnd = 45.8;
    r.secondPulseStart = 48.55;
    r.secondPulseEnd = 62.9;
    r.finalPopulation2 = 0.7;
    return r;
}

// Free times 0..20 with final P2 = 0.5 + depth cos(0.3 F).
template <typename Point>
std::vector<Point> freeFringe(double depth)
{
    std::vector<Point> points;
    for (int k = 0; k <= 40; ++k) {
        Point p{};
        p.freeEvolutionDuration = 0.5 * k;
        if constexpr (std::is_same_v<Point, RamseyFringePoint>)
            p.population2 = 0.5 + depth * std::cos(0.15 * k);
        else
            p.averagePopulation2 = 0.5 + depth * std::cos(0.15 * k);
        points.push_back(p);
    }
    return points;
}

using RamseyPlot = test::PlotTest;

TEST_F(RamseyPlot, PulseStripStagesAndFringesStandAtTheirTimes)
{
    const plot::InterferencePanels panels = panelsAt460x400<QuantumRamseyPlotWidget>();
    const QRectF& history = panels.history;
    const QRectF& strip = panels.strip;
    const QRectF& scan = panels.scan;
    auto& plot = makePlot<QuantumRamseyPlotWidget>();
    const auto grab = [&] { return test::grabPlot(plot, QSize(460, 400)); };
    plot.setPulseSequence(echoSequence());
    const QImage unmarked = grab();
    plot.setTwoLevelReference(echoReference());
    plot.setFringeScan(freeFringe<RamseyFringePoint>(0.45));
    const double sigma = 0.137;
    plot.setEnsemble(RamseyEnsemble{true, sigma, 41}, RamseyEnsembleResult{true, 41, 0.06, 0.5, 0.3, 0, 0});
    plot.setEnsembleScan(freeFringe<RamseyEnsemblePoint>(0.2));
    const QImage image = grab();

    const auto x = [&](double t) { return history.left() + history.width() * t / 62.9; };
    for (const double t : {14.35, 17.1, 45.8, 48.55, 62.9})
        EXPECT_GT(markedRows(image, x(t), history.top(), strip.bottom(), &unmarked), 0.4) << "boundary at " << t;
    EXPECT_EQ(markedRows(image, x(30.0), history.top(), strip.bottom(), &unmarked), 0.0) << "inside the echo";
    // The drive: sin(omega t') inside the pulses, 0 in the free halves.
    const double w = 0.305536;
    for (const auto& [t, v] : {std::pair{5.0, std::sin(w * 5)},
                               {12.0, std::sin(w * 12)},
                               {16.0, 0.0},
                               {25.0, std::sin(w * 7.9)},
                               {47.0, 0.0},
                               {55.0, std::sin(w * 6.45)}})
        EXPECT_TRUE(colourNear(image, QPointF(x(t), strip.center().y() - strip.height() * 0.44 * v), kSignal))
            << "at " << t;

    // Fringes over free times 0..20, the current free time 5.5 marked on both.
    const auto at = [&](double free, double p) { return panelPoint(scan, 0, 20, 0, 1, free, p); };
    for (const double f : {2.0, 10.0}) {
        EXPECT_TRUE(colourNear(image, at(f, 0.5 + 0.45 * std::cos(0.3 * f)), QColor(plot::kTwoLevel.second))) << f;
        EXPECT_TRUE(colourNear(image, at(f, 0.5 + 0.2 * std::cos(0.3 * f)), kLower)) << f;
    }
    EXPECT_TRUE(colourNear(image, at(5.5, 0.7), kCurrent, 1, 10)) << "single-system marker";
    const QRect disc = test::colourBoundingBox(image, image.rect(), kCurrent, 10);
    EXPECT_NEAR(disc.width(), disc.height(), 1) << "the marker is a round disc";
    EXPECT_TRUE(colourNear(image, at(5.5, 0.3), kLower, 1, 10)) << "ensemble marker";
    const QRectF singleLegend(panels.scanLegend.left() + 6, panels.scanLegend.top(), 90, 16);
    EXPECT_TRUE(shows(image, singleLegend, QColor(plot::kTwoLevel.second)));
    // The state legend is one row, its second entry just after the first.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(460, 400));
    const QRectF first = test::paintedText(texts, QStringLiteral("P(state 1)")).box;
    const QRectF second = test::paintedText(texts, QStringLiteral("P(state 2)")).box;
    EXPECT_NEAR(second.top(), first.top(), 0.5);
    EXPECT_GT(second.left(), first.right());
    EXPECT_LT(second.left(), first.right() + 40.0) << "no hole between the entries";
    // The fringe legend, with the ensemble's spread, only while the ensemble fringe is drawn.
    for (const bool ensemble : {false, true}) {
        plot.setEnsembleScan(ensemble ? freeFringe<RamseyEnsemblePoint>(0.2) : std::vector<RamseyEnsemblePoint>{});
        const std::vector<test::PaintedText> legend = test::paintedTexts(plot, QSize(460, 400));
        for (const QString& entry :
             {QStringLiteral("single P2"), QStringLiteral("ensemble P2  sigma=") + QString::number(sigma, 'f', 3)})
            EXPECT_EQ(std::count_if(legend.begin(), legend.end(), [&](const auto& t) { return t.text == entry; }),
                      ensemble ? 1 : 0)
                << entry.toStdString() << (ensemble ? " with" : " without") << " the ensemble fringe";
    }
    // A free time just outside the scan is not marked, not even beside the
    // panel; either end itself is.
    for (const double free : {20.4, 20.0, 0.0, -0.4}) {
        RamseySequence sequence = echoSequence();
        sequence.freeEvolutionDuration = free;
        plot.setPulseSequence(sequence);
        const QImage moved = grab();
        const bool inside = free >= 0.0 && free <= 20.0;
        EXPECT_EQ(shows(moved, moved.rect(), kCurrent), inside) << "free time " << free;
        EXPECT_EQ(colourNear(moved, at(free, 0.7), kCurrent, 1, 10), inside) << "free time " << free;
    }
    plot.setPulseSequence(echoSequence());

    // The ensemble alone draws over its own range; an invalid reference
    // leaves boundaries and markers out.
    plot.setFringeScan({});
    plot.setTwoLevelReference(RamseyReference());
    const QImage alone = grab();
    EXPECT_TRUE(colourNear(alone, at(10.0, 0.5 + 0.2 * std::cos(3.0)), kLower));
    EXPECT_FALSE(shows(alone, scan, kCurrent));
    EXPECT_EQ(markedRows(alone, x(14.35), history.top(), strip.bottom(), &unmarked), 0.0);
    // Two ensemble points make a fringe, the straight line between them; one does not.
    const std::vector<RamseyEnsemblePoint> ends = freeFringe<RamseyEnsemblePoint>(0.2);
    for (const std::size_t count : {std::size_t(2), std::size_t(1)}) {
        plot.setEnsembleScan(count == 2 ? std::vector{ends.front(), ends.back()} : std::vector{ends.front()});
        const QImage few = grab();
        const double middle = 0.5 * (ends.front().averagePopulation2 + ends.back().averagePopulation2);
        EXPECT_EQ(shows(few, scan, QColor(plot::kTwoLevel.fringePlaceholder)), count < 2) << count << " points";
        EXPECT_EQ(colourNear(few, at(10.0, middle), kLower), count == 2) << count << " points";
    }

    plot.reset();
    const QImage reset = grab();
    EXPECT_TRUE(shows(reset, QRectF(140, 110, 200, 40), kFringePlaceholderText));
    EXPECT_TRUE(shows(reset, scan, QColor(plot::kTwoLevel.fringePlaceholder)));
    EXPECT_FALSE(shows(reset, reset.rect(), kSignal)) << "the default sequence is disabled";
}

} // namespace

namespace test {

// Each plot's history states, then its protocol and reference records at
// values that are not finite or extreme.
template <>
struct PlotFeeds<QuantumRabiPlotWidget> {
    static std::vector<PlotFeed<QuantumRabiPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumRabiPlotWidget>([](QuantumRabiPlotWidget& w, const auto& s) {
            w.setTwoLevelReference(rabiReference());
            w.setSamples(s);
        });
        const RabiReference odd{true, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1e300, 1.0, kNaN, kInf};
        feeds.push_back({"odd reference", [odd](QuantumRabiPlotWidget& w) { w.setTwoLevelReference(odd); }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumDoubleWellPlotWidget> {
    static std::vector<PlotFeed<QuantumDoubleWellPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumDoubleWellPlotWidget>([](QuantumDoubleWellPlotWidget& w, const auto& s) {
            w.setTunnellingPeriod(12.0);
            w.setSamples(s);
        });
        for (const double period : {1e-300, kInf, kNaN, -3.0})
            feeds.push_back({"period", [period](QuantumDoubleWellPlotWidget& w) { w.setTunnellingPeriod(period); }});
        return feeds;
    }
};

const LinearSweep kWildSweep{true, 4, SceneParameterSlopeX, kNaN, 1e300, -1e300, kInf, true, kNaN, 1e300};

template <>
struct PlotFeeds<QuantumLandauZenerPlotWidget> {
    static std::vector<PlotFeed<QuantumLandauZenerPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumLandauZenerPlotWidget>([](QuantumLandauZenerPlotWidget& w, const auto& s) {
            w.setSweep(forwardSweep());
            w.setTwoLevelReference(crossingAt(20.0));
            w.setSamples(s);
        });
        feeds.push_back({"wild", [](QuantumLandauZenerPlotWidget& w) {
                             w.setSweep(kWildSweep);
                             w.setTwoLevelReference(crossingAt(-1e300));
                         }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumStueckelbergPlotWidget> {
    static std::vector<PlotFeed<QuantumStueckelbergPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumStueckelbergPlotWidget>([](QuantumStueckelbergPlotWidget& w, const auto& s) {
            w.setTwoLevelReference(doublePassage());
            w.setSweep(returnSweep(4.0));
            w.setFringeScan(holdFringe());
            w.setSamples(s);
        });
        feeds.push_back({"wild", [](QuantumStueckelbergPlotWidget& w) {
                             w.setTwoLevelReference(StueckelbergReference{true, {}, -1e300, kNaN, 0.0, kInf, 0.0});
                             w.setSweep(kWildSweep);
                             w.setFringeScan({{kNaN, 0, kInf, 0}, {1e300, 0, -1, 0}, {-1e300, 0, kNaN, 0}});
                         }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumRamseyPlotWidget> {
    static std::vector<PlotFeed<QuantumRamseyPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumRamseyPlotWidget>([](QuantumRamseyPlotWidget& w, const auto& s) {
            w.setTwoLevelReference(echoReference());
            w.setPulseSequence(echoSequence());
            w.setFringeScan(freeFringe<RamseyFringePoint>(0.45));
            w.setEnsembleScan(freeFringe<RamseyEnsemblePoint>(0.2));
            w.setEnsemble(RamseyEnsemble{true, 0.06, 41}, RamseyEnsembleResult{true, 41, 0.06, 0.5, 0.5, 0, 0});
            w.setSamples(s);
        });
        const RamseySequence wild{true, 4, SceneParameterSlopeX, 0, kNaN, 1e300, 0, 0, -1e300, 1e300, kInf, true,
                                  kNaN, 0};
        const RamseySequence silent{true, 4, SceneParameterSlopeX, 0, 0, 0.3, 0, 0, 0, 14, 5, true, 28, 0};
        for (const RamseySequence& sequence : {wild, silent})
            feeds.push_back({"sequence", [sequence](QuantumRamseyPlotWidget& w) {
                                 w.setTwoLevelReference(echoReference());
                                 w.setPulseSequence(sequence);
                                 w.setFringeScan({{kNaN, 0, 0, kInf}, {1e300, 0, 0, -1}});
                                 w.setEnsembleScan({{-1e300, 0, kNaN}, {kInf, 0, 2.0}});
                             }});
        return feeds;
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Rabi, PlotRobustness, QuantumRabiPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Rabi, PlotLegibility, QuantumRabiPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(DoubleWell, PlotRobustness, QuantumDoubleWellPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(DoubleWell, PlotLegibility, QuantumDoubleWellPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(LandauZener, PlotRobustness, QuantumLandauZenerPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(LandauZener, PlotLegibility, QuantumLandauZenerPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Stueckelberg, PlotRobustness, QuantumStueckelbergPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Stueckelberg, PlotLegibility, QuantumStueckelbergPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Ramsey, PlotRobustness, QuantumRamseyPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Ramsey, PlotLegibility, QuantumRamseyPlotWidget);

} // namespace test
} // namespace vxo
