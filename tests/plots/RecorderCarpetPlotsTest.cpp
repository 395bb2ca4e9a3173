#include "plots/PlotPages.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumAharonovBohmPlotWidget.h"
#include "plots/QuantumKapitzaDiracPlotWidget.h"
#include "plots/QuantumMoshinskyPlotWidget.h"

#include "experiments/AharonovBohmRecorder.h"
#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/MoshinskyRecorder.h"

#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"
#include "RecorderPlotSupport.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::kNaN;

// The ramps' colours from their defining formulas.
QColor moshinskyColour(double s)
{
    if (s < 0.55) {
        const double u = s / 0.55;
        return QColor(int(8 + 22 * u), int(18 + 155 * u), int(38 + 190 * u));
    }
    const double u = (s - 0.55) / 0.45;
    return QColor(int(30 + 225 * u), int(173 + 82 * u), int(228 + 27 * u));
}

QColor kapitzaDiracColour(double s)
{
    if (s < 0.35)
        return QColor(int(7 + 16 * s / 0.35), int(12 + 75 * s / 0.35), int(28 + 150 * s / 0.35));
    if (s < 0.72) {
        const double u = (s - 0.35) / 0.37;
        return QColor(int(23 + 28 * u), int(87 + 145 * u), int(178 + 58 * u));
    }
    const double u = (s - 0.72) / 0.28;
    return QColor(int(51 + 204 * u), int(232 + 23 * u), int(236 - 92 * u));
}

QColor aharonovBohmColour(double s)
{
    if (s < 0.5)
        return QColor(int(8 + 40 * s), int(12 + 180 * s), int(30 + 360 * s));
    const double u = 2.0 * (s - 0.5);
    return QColor(int(28 + 227 * u), int(102 + 130 * u), int(210 - 80 * u));
}

// --------------------------------------------------------------- Moshinsky

// 48 columns of 0.5 (x from -11.75 to 11.75) and 6 rows of 0.3; the shutter at
// x = 0, the detector at x = 6. Closed: density 1 on columns 4..19, left of
// the shutter. Open: density 0.25 f on columns 28..43, right of it.
constexpr std::uint64_t kColumns = 48;
constexpr double kLineDensity = 6 * 0.3; // one unit of density summed over the rows

ComplexField2D shutterField(bool open, double f)
{
    return test::densityField(kColumns, 6, 0.5f, 0.3f, [&](std::uint64_t i, std::uint64_t) {
        if (open)
            return i >= 28 && i <= 43 ? 0.25 * f : 0.0;
        return i >= 4 && i <= 19 ? 1.0 : 0.0;
    });
}

struct ShutterRun {
    double analysisEndTime;
    double openTime;
    std::vector<double> times;
};

// Records the run into the recorder; the open samples' density grows from
// f = 0.5 to f = 1 over the run.
void record(MoshinskyRecorder& recorder, const ShutterRun& run)
{
    MoshinskyConfig config;
    config.enabled = true;
    config.openTime = run.openTime;
    config.detectorX = 6.0;
    config.analysisEndTime = run.analysisEndTime;
    MoshinskyShutterGeometry shutter;
    shutter.valid = true;
    ASSERT_TRUE(recorder.configure(config, shutter, shutterField(false, 1.0)));
    const double opened = double(std::count_if(run.times.begin(), run.times.end(),
                                               [&](double t) { return QuantumMoshinsky2D::isOpenAt(config, t); }));
    double k = 0.0;
    for (const double t : run.times) {
        const bool open = QuantumMoshinsky2D::isOpenAt(config, t);
        ASSERT_TRUE(recorder.record(t, open, shutterField(open, open ? 0.5 + 0.5 * k++ / (opened - 1.0) : 0.0)));
    }
}

std::vector<double> evenTimes(double first, double step, int count)
{
    std::vector<double> times;
    for (int k = 0; k < count; ++k)
        times.push_back(first + step * k);
    return times;
}

// The runs of pixel columns of the carpet that a dashed vertical mark crosses
// from top to bottom.
std::vector<std::pair<int, int>> dashedColumnRuns(const QImage& image, const QRect& carpet)
{
    std::vector<std::pair<int, int>> dashed;
    for (int x = carpet.left(); x <= carpet.right(); ++x)
        if (test::brightnessSteps(image, QPoint(x, carpet.top()), QPoint(x, carpet.bottom())) > 20) {
            if (!dashed.empty() && dashed.back().second == x - 1)
                dashed.back().second = x;
            else
                dashed.emplace_back(x, x);
        }
    return dashed;
}

using RecorderCarpetPlots = test::PlotTest;

TEST_F(RecorderCarpetPlots, MoshinskyRowsStandAtTheirTimesSoTheOpeningLineMeetsTheOpeningRow)
{
    std::vector<double> midRun = evenTimes(0.0, 0.2, 6); // closed up to t = 1
    for (const double t : evenTimes(1.05, 0.05, 10))     // open, densely sampled
        midRun.push_back(t);
    const std::vector<ShutterRun> runs{
        {4.0, 1.0, midRun},                       // during the run: tEnd = 4
        {5.19, 3.0, evenTimes(0.0, 0.0101, 600)}, // the oldest 80 samples dropped, tEnd = 6.05
    };
    const QSize size(640, 520);
    for (const ShutterRun& run : runs) {
        MoshinskyRecorder recorder(520);
        record(recorder, run);
        const std::vector<MoshinskySample>& samples = recorder.samples();
        QuantumMoshinskyPlotWidget& plot = makePlot<QuantumMoshinskyPlotWidget>();
        plot.setRecorder(&recorder);
        const QImage image = test::grabPlot(plot, size);

        const plot::SplitPanels panels = plot::splitPanels(size, QuantumMoshinskyPlotWidget::layout(plot.font(), 640));
        ASSERT_FALSE(plot::sideBySide(panels));
        const QRect carpet = plot::pixelPanel(panels.upper);
        const double tEnd = std::max(run.analysisEndTime, samples.back().time);
        const auto rowTop = [&](double t) { return carpet.top() + std::trunc(carpet.height() * t / tEnd); };
        const auto column = [&](int i) { return carpet.left() + carpet.width() * (i + 0.5) / 48.0; };
        const std::string name = "analysis end " + std::to_string(run.analysisEndTime);
        // The shutter's (x = 0) and the detector's (x = 6) dashed marks stand
        // at their x over the columns: the 48 cells of 0.5 span x from -12 to 12.
        const std::vector<std::pair<int, int>> dashed = dashedColumnRuns(image, carpet);
        ASSERT_EQ(dashed.size(), 2u) << name;
        for (const auto& [run, x] : {std::pair(dashed[0], 0.0), std::pair(dashed[1], 6.0)})
            EXPECT_NEAR(0.5 * (run.first + run.second + 1), carpet.left() + carpet.width() * (x + 12.0) / 24.0, 1.0)
                << name << ", mark of x = " << x;
        const auto opening = std::find_if(samples.begin(), samples.end(), [](auto& s) { return s.shutterOpen; });
        ASSERT_NE(opening, samples.begin()) << name;
        const double openRow = rowTop(opening->time);
        // The first open sample lies within a sampling step (0.05 of 4 time units at most) of the opening.
        ASSERT_LT(std::abs(openRow - (carpet.top() + carpet.height() * run.openTime / tEnd)),
                  1.0 + carpet.height() * 0.05 / 4.0)
            << name;
        // The dashed opening line itself stands at openTime / tEnd of the carpet:
        // its dashes step the brightness far more often than the 48 cells' edges do.
        const int lineRow = int(std::lround(carpet.top() + carpet.height() * run.openTime / tEnd));
        EXPECT_GT(test::dashStepsNearRow(image, lineRow, carpet.left(), carpet.right()), 60) << name;

        // Just below the opening line: the first open profile; above it (past
        // the dashed line itself): the closed one.
        const double firstOpenLevel = 0.5 * std::sqrt(opening->profile[30] / (0.25 * kLineDensity));
        EXPECT_TRUE(test::colourNear(image, QPointF(column(32), openRow + 1), moshinskyColour(firstOpenLevel), 0, 6))
            << name;
        EXPECT_TRUE(test::colourNear(image, QPointF(column(10), openRow + 1), moshinskyColour(0.0), 0, 6)) << name;
        EXPECT_TRUE(test::colourNear(image, QPointF(column(10), openRow - 6), moshinskyColour(1.0), 0, 6)) << name;
        EXPECT_TRUE(test::colourNear(image, QPointF(column(32), openRow - 6), moshinskyColour(0.0), 0, 6)) << name;
        // Times without a sample show the panel: after the newest sample
        // during a run, before the oldest kept one once samples were dropped.
        const double emptyTime = samples.front().time > 0.5 ? 0.2 * samples.front().time : 0.5 * (tEnd + 1.5);
        EXPECT_TRUE(test::colourNear(image, QPointF(column(32), rowTop(emptyTime)),
                                     QColor(plot::kInnerPanel.diffractionFill), 0, 2))
            << name;
        // The newest row reaches as far as one more step of the sampling (up to tEnd).
        const double newest = samples.back().time, step = newest - samples[samples.size() - 2].time;
        for (double y = rowTop(newest) + 1; y <= rowTop(std::min(newest + step, tEnd)); ++y)
            EXPECT_FALSE(
                test::colourNear(image, QPointF(column(32), y), QColor(plot::kInnerPanel.diffractionFill), 0, 2))
                << name << ", newest row at y = " << y;

        // The line density at the detector (inside the open beam) against
        // time, over a line of its times.
        const QRect density = plot::pixelPanel(panels.lower);
        const double iMax = 0.25 * kLineDensity;
        // The summary line stands in the detector panel's top left corner, on a 20 px line 6 px below its top.
        const QRectF summary = test::paintedText(test::paintedTexts(plot, size), QStringLiteral("samples=")).box;
        EXPECT_NEAR(summary.left(), density.left() + 8, 1.0) << name;
        EXPECT_NEAR(summary.center().y(), density.top() + 16, 1.5) << name;
        // The largest density, the newest (the beam brightens as it opens),
        // stands just under the summary, where it can be read.
        const QColor curve(plot::kDiffraction.moshinskyCurve);
        const auto x = [&](double t) { return density.left() + density.width() * t / tEnd; };
        const QRect largest = test::colourBoundingBox(
            image, QRect(int(x(samples.back().time)) - 1, density.top(), 2, density.height()), curve, 40);
        ASSERT_FALSE(largest.isEmpty()) << name;
        const double largestRow = largest.top() + 1.0; // the 2 px pen's centre
        EXPECT_GE(largestRow, summary.bottom()) << name << ": the largest density under the summary";
        EXPECT_LE(largestRow, summary.bottom() + 8.0) << name << ": just under it";
        for (auto s = opening + 1; s + 1 < samples.end(); s += 3) {
            const QPointF at(x(s->time),
                             density.bottom() - (density.bottom() - largestRow) * s->detectorDensity / iMax);
            EXPECT_TRUE(test::colourNear(image, at, curve)) << name << ", detector density at t = " << s->time;
        }
    }
}

// On cells twice as wide as high (16 columns of 1.0, 6 rows of 0.5: x from
// -8 to 8) the shutter's and the detector's marks stand at their x over the
// columns, which the cells' width places, not their height.
TEST_F(RecorderCarpetPlots, MoshinskyMarksStandAtTheirXOnCellsWiderThanHigh)
{
    const auto field = [](bool open) {
        return test::densityField(16, 6, 1.0f, 0.5f, [open](std::uint64_t i, std::uint64_t) {
            return (open ? i >= 10 : i <= 5) ? 1.0 : 0.0;
        });
    };
    MoshinskyConfig config;
    config.enabled = true;
    config.openTime = 1.0;
    config.detectorX = 5.0;
    config.analysisEndTime = 2.0;
    MoshinskyShutterGeometry shutter;
    shutter.valid = true;
    shutter.centerX = -2.0;
    MoshinskyRecorder recorder(64);
    ASSERT_TRUE(recorder.configure(config, shutter, field(false)));
    for (const double t : evenTimes(0.0, 0.1, 20))
        ASSERT_TRUE(recorder.record(t, QuantumMoshinsky2D::isOpenAt(config, t), field(t >= 1.0)));
    QuantumMoshinskyPlotWidget& plot = makePlot<QuantumMoshinskyPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(640, 520));
    const QRect carpet = plot::pixelPanel(
        plot::splitPanels(QSize(640, 520), QuantumMoshinskyPlotWidget::layout(plot.font(), 640)).upper);
    const std::vector<std::pair<int, int>> dashed = dashedColumnRuns(image, carpet);
    ASSERT_EQ(dashed.size(), 2u);
    for (const auto& [run, x] : {std::pair(dashed[0], -2.0), std::pair(dashed[1], 5.0)})
        EXPECT_NEAR(0.5 * (run.first + run.second + 1), carpet.left() + carpet.width() * (x + 8.0) / 16.0, 1.0)
            << "mark of x = " << x;
}

// A widget too short for both panels keeps the carpet's 80 rows and frames
// the detector panel's 40 under it, 33 px lower, from y = 153.
TEST_F(RecorderCarpetPlots, MoshinskyDetectorPanelKeepsItsLeastRowsOnAShortWidget)
{
    MoshinskyRecorder recorder(520);
    record(recorder, {4.0, 1.0, evenTimes(0.0, 0.2, 12)});
    QuantumMoshinskyPlotWidget& plot = makePlot<QuantumMoshinskyPlotWidget>();
    plot.setRecorder(&recorder);
    for (const int height : {150, 230}) {
        const QImage image = test::grabPlot(plot, QSize(300, height));
        // Pixels of the panel's top edge, an antialiased line at y = 153: each
        // channel between the page's and the frame's, and not the page's.
        const QColor page(plot::kMoshinskyPage.background), frame(plot::kInnerPanel.moshinskyFrame);
        const auto between = [](int v, int a, int b) { return std::min(a, b) <= v && v <= std::max(a, b); };
        int edge = 0;
        for (int x = 62; x < 282; ++x) {
            const QColor c = image.pixelColor(x, std::min(153, height - 1));
            edge += c != page && between(c.red(), page.red(), frame.red()) &&
                            between(c.green(), page.green(), frame.green()) &&
                            between(c.blue(), page.blue(), frame.blue())
                        ? 1
                        : 0;
        }
        EXPECT_EQ(edge > 150, height > 153) << "widget height " << height << ": " << edge << " frame pixels";
    }
}

// -------------------------------------------------------------- Kapitza-Dirac

// A momentum record of bins of 0.5 centred on p = 0, with the given
// probabilities per bin (spread over its two rows).
MomentumSpace2D momentumRecord(const std::vector<double>& bins)
{
    MomentumSpace2D record;
    const std::uint64_t n = bins.size();
    record.field = test::densityField(n, 2, 0.5f, 0.75f, [&](std::uint64_t i, std::uint64_t) { return bins[i]; });
    for (std::uint64_t i = 0; i < n; ++i)
        record.pxAxis.push_back((double(i) - double(n / 2)) * 0.5);
    record.pyAxis = {-0.75, 0.0};
    return record;
}

TEST_F(RecorderCarpetPlots, KapitzaDiracRowsUseTheNewestBinsAndStopAtTheCarpetEdge)
{
    KapitzaDiracConfig config;
    config.enabled = true;
    config.latticePeriod = 2.0 * M_PI / 1.2; // G = 1.2: order 3 lies past the newest axis's end at 3.5
    config.maximumOrder = 3;
    KapitzaDiracRecorder recorder(8);
    ASSERT_TRUE(recorder.configure(config, 1.0));
    // An older, wider record (32 bins from p = -8) with half its probability
    // at p = -4 (bin 8) and half at p = 0 (bin 16, past the newest 16 bins);
    // then the newest, 16 bins from p = -4, four fifths at p = 2 (bin 12,
    // order 2: within G / 2 of 2 G) and a fifth at p = -2 (bin 4, order -2).
    std::vector<double> older(32, 0.0), newest(16, 0.0);
    older[8] = older[16] = 1.0;
    newest[12] = 1.0;
    newest[4] = 0.25;
    recorder.record(momentumRecord(older), 0.2, true);
    recorder.record(momentumRecord(newest), 1.0, false);

    QuantumKapitzaDiracPlotWidget& plot = makePlot<QuantumKapitzaDiracPlotWidget>();
    plot.setRecorder(&recorder);
    const QSize size(660, 540);
    const QImage image = test::grabPlot(plot, size);
    // Stacked at this size: the carpet over two thirds of what title, gap and texts leave.
    const plot::SplitPanels panels =
        plot::splitPanels(size, QuantumKapitzaDiracPlotWidget::layout(plot::boldTitleFont(plot.font()), 660));
    ASSERT_FALSE(plot::sideBySide(panels));
    const QRect carpet = plot::pixelPanel(panels.upper), bars = plot::pixelPanel(panels.lower);
    ASSERT_EQ(carpet, QRect(62, 40, 580, 279));
    // A quarter into the bin, clear of the guides.
    const auto cell = [&](double bin, int row) {
        return QPointF(carpet.left() + carpet.width() * (bin + 0.25) / 16.0,
                       carpet.top() + carpet.height() * (row + 0.5) / 2.0);
    };
    // The largest bin of all is the newest one at 0.8.
    EXPECT_TRUE(test::colourNear(image, cell(8, 0), kapitzaDiracColour(std::sqrt(0.5 / 0.8)), 0, 6))
        << "an older bin is drawn at the newest bins' column of the same index";
    EXPECT_TRUE(test::colourNear(image, cell(12, 1), kapitzaDiracColour(1.0), 0, 6));
    EXPECT_TRUE(test::colourNear(image, cell(5, 1), kapitzaDiracColour(0.0), 0, 6));
    const QRect beyond(carpet.left() + carpet.width() + 2, carpet.top(), size.width() - carpet.right() - 3,
                       carpet.height());
    EXPECT_EQ(test::countColour(image, beyond, QColor(plot::kKapitzaDiracPage.background), 0),
              beyond.width() * beyond.height())
        << "bins past the newest bin count and the guide of order 3 (p = 3.6) stay off the page";

    // The order guides at n G on the newest bins' p axis, whose 16 columns
    // span -4.25 to 3.75 (bin centres -4 to 3.5).
    const double guide = carpet.left() + carpet.width() * (-1.2 + 4.25) / 8.0;
    // On a dash, its ink summed across the row centres on that x.
    const int guideRow = int(carpet.top() + 0.75 * carpet.height());
    const test::InkCentre dash = test::inkCentre(image, QRect(int(guide) - 3, guideRow, 7, 1), QColor(160, 130, 58),
                                                 [](const QPoint&) { return kapitzaDiracColour(0.0); });
    ASSERT_GT(dash.ink, 0.5) << "guide at p = -G";
    EXPECT_NEAR(dash.centre.x(), guide, 0.5) << "guide at p = -G";
    // Bars of orders -3..3 as high as their population over the largest one,
    // the full bar reaching 30 pixels below the top: measured up the middle
    // column of each slot.
    const double slot = bars.width() / 7.0;
    const QColor cyan(plot::kDiffraction.kapitzaDiracBars);
    const std::vector<double> populations{0.0, 0.2, 0.0, 0.0, 0.0, 0.8, 0.0};
    for (int k = 0; k < 7; ++k) {
        const QPoint base(int(bars.left() + (k + 0.5) * slot), bars.bottom() - 1);
        int height = 0;
        while (height < bars.height() && test::colourNear(image, base - QPoint(0, height), cyan, 0, 4))
            ++height;
        EXPECT_NEAR(height, (bars.height() - 30) * populations[std::size_t(k)] / 0.8, 1.5) << "order " << k - 3;
    }
    // The bar fills the middle 76 % of its slot, the gaps 12 % on each side.
    const double barLeft = bars.left() + (5.0 + 0.12) * slot, barRight = bars.left() + (5.0 + 0.88) * slot;
    for (const double y : {bars.bottom() - 5.0, bars.bottom() - 0.5 * bars.height()}) {
        EXPECT_TRUE(test::colourNear(image, QPointF(barLeft + 1.5, y), cyan, 0, 4));
        EXPECT_FALSE(test::colourNear(image, QPointF(barLeft - 1.5, y), cyan, 0, 4));
        EXPECT_TRUE(test::colourNear(image, QPointF(barRight - 1.5, y), cyan, 0, 4));
        EXPECT_FALSE(test::colourNear(image, QPointF(barRight + 1.5, y), cyan, 0, 4));
    }

    // Order numbers centred under their slots; the grating momentum 2 pi hbar / a read back.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
    int orders = 0;
    for (const test::PaintedText& t : texts) {
        bool isNumber = false;
        const int n = t.text.toInt(&isNumber);
        if (!isNumber || t.box.top() < bars.bottom())
            continue;
        ++orders;
        EXPECT_NEAR(t.box.center().x(), bars.left() + (n + 3 + 0.5) * slot, 1.0) << "order " << n;
    }
    EXPECT_EQ(orders, 7);
    const test::PaintedText summary = test::paintedText(texts, QStringLiteral("free expansion"));
    EXPECT_TRUE(summary.text.contains(QStringLiteral("G=1.2000")));
    // The summary stands inside the bars panel, under its top frame.
    EXPECT_TRUE(summary.box.top() > bars.top() && summary.box.bottom() < bars.bottom()) << summary.box.top();

    // Guides exactly on the first and last bins are drawn, over the middle of
    // their columns: 15 bins from p = -3.5 to 3.5, orders -+2 of G = 1.75.
    config.latticePeriod = 2.0 * M_PI / 1.75;
    config.maximumOrder = 2;
    KapitzaDiracRecorder ends(2);
    ASSERT_TRUE(ends.configure(config, 1.0));
    std::vector<double> middle(15, 0.0);
    middle[7] = 1.0;
    ends.record(momentumRecord(middle), 1.0, false);
    ASSERT_EQ(2.0 * ends.samples().back().gratingMomentum, 3.5)
        << "the outer guides must fall on the end bins to the bit";
    plot.setRecorder(&ends);
    const QImage endImage = test::grabPlot(plot, size);
    // Gold (red over blue) ink of a dashed guide in the pixel columns about an end bin's middle, on the navy carpet.
    for (const double bin : {0.0, 14.0}) {
        const int x = int(carpet.left() + carpet.width() * (bin + 0.5) / 15.0);
        int gold = 0;
        for (int y = carpet.top(); y <= carpet.bottom(); ++y)
            for (const int column : {x - 1, x, x + 1})
                gold += endImage.pixelColor(column, y).red() > endImage.pixelColor(column, y).blue() + 20;
        EXPECT_GT(gold, carpet.height() / 2) << "guide over end bin " << bin << " at x = " << x;
    }
}

// On a short, wide page the carpet and the lower panel lie side by side, and
// each keeps its value labels in the margin left of it, not of the page.
TEST_F(RecorderCarpetPlots, SideBySideEachPanelKeepsItsValueLabelsBesideIt)
{
    const QSize size(700, 270);
    MoshinskyRecorder shutter(520);
    record(shutter, {4.0, 1.0, evenTimes(0.0, 0.2, 12)});
    QuantumMoshinskyPlotWidget& moshinsky = makePlot<QuantumMoshinskyPlotWidget>();
    moshinsky.setRecorder(&shutter);
    KapitzaDiracConfig config;
    config.enabled = true;
    KapitzaDiracRecorder orders(8);
    ASSERT_TRUE(orders.configure(config, 1.0));
    orders.record(momentumRecord({0.0, 0.5, 1.0, 0.5, 0.0, 0.25}), 1.0, false);
    QuantumKapitzaDiracPlotWidget& kapitzaDirac = makePlot<QuantumKapitzaDiracPlotWidget>();
    kapitzaDirac.setRecorder(&orders);
    const struct {
        const char* name;
        QWidget& plot;
        plot::SplitPanels panels;
        QString lowerLabel;
    } pages[] = {{"Moshinsky", moshinsky,
                  plot::splitPanels(size, QuantumMoshinskyPlotWidget::layout(moshinsky.font(), size.width())),
                  QStringLiteral("Imax")},
                 {"Kapitza-Dirac", kapitzaDirac,
                  plot::splitPanels(size, QuantumKapitzaDiracPlotWidget::layout(
                                              plot::boldTitleFont(kapitzaDirac.font()), size.width())),
                  QString()}};
    for (const auto& [name, plot, panels, lowerLabel] : pages) {
        ASSERT_TRUE(plot::sideBySide(panels)) << name;
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
        std::vector<std::pair<QRectF, QRectF>> labels{{test::paintedText(texts, QStringLiteral("t=0")).box, panels.upper}};
        if (!lowerLabel.isEmpty())
            labels.push_back({test::paintedText(texts, lowerLabel).box, panels.lower});
        // The bars' populations are numbered beside them.
        int numbers = 0;
        for (const test::PaintedText& t : texts) {
            bool number = false;
            t.text.toDouble(&number);
            if (number && t.box.center().y() >= panels.lower.top() - 10.0 &&
                t.box.center().y() <= panels.lower.bottom() + 10.0 && t.box.right() <= panels.lower.left() + 1.0 &&
                t.box.left() > panels.upper.right()) {
                labels.push_back({t.box, panels.lower});
                ++numbers;
            }
        }
        EXPECT_GE(numbers, lowerLabel.isEmpty() ? 2 : 0) << name;
        for (const auto& [box, panel] : labels)
            EXPECT_TRUE(box.right() <= panel.left() && box.left() >= panel.left() - 62.0)
                << name << ": a label from " << box.left() << " to " << box.right() << ", its panel from "
                << panel.left();
    }
}

// -------------------------------------------------------------- Aharonov-Bohm

TEST_F(RecorderCarpetPlots, AharonovBohmColumnsAreSamplesWithTheLowestRowAtTheBottom)
{
    AharonovBohmConfig config;
    config.enabled = true;
    AharonovBohmRecorder recorder(320);
    // 12 rows of 0.25: sample k lights row 2 + 3k at density 1 over 0.04 elsewhere.
    const auto field = [](int k) {
        return test::densityField(16, 12, 0.4f, 0.25f, [k](std::uint64_t, std::uint64_t j) {
            return j == std::uint64_t(2 + 3 * k) ? 1.0 : 0.04;
        });
    };
    ASSERT_TRUE(recorder.configure(field(0), config));
    for (int k = 0; k < 4; ++k)
        recorder.record(0.8 * k, field(k));

    QuantumAharonovBohmPlotWidget& plot = makePlot<QuantumAharonovBohmPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(600, 560));
    const QRect carpet(64, 40, 518, 560 - 250);
    const QRect curve(64, carpet.bottom() + 34, 518, 560 - 80 - carpet.bottom());
    for (int k = 0; k < 4; ++k) {
        const double x = carpet.left() + carpet.width() * (k + 0.5) / 4.0;
        const auto row = [&](int j) { return QPointF(x, carpet.bottom() - carpet.height() * (j + 0.5) / 12.0); };
        EXPECT_TRUE(test::colourNear(image, row(2 + 3 * k), aharonovBohmColour(1.0), 0, 6)) << "sample " << k;
        EXPECT_TRUE(test::colourNear(image, row(1 + 3 * k), aharonovBohmColour(0.2), 0, 6)) << "sample " << k;
    }
    // The central fringe (rows 4 to 8) against time over 0..5, in
    // proportion to its largest value, which stands under the summary.
    const std::vector<AharonovBohmSample>& samples = recorder.samples();
    double central = 0.0;
    for (const AharonovBohmSample& s : samples)
        central = std::max(central, s.centralProbability);
    const QRectF summary =
        test::paintedText(test::paintedTexts(plot, QSize(600, 560)), QStringLiteral("Phi/Phi0=")).box;
    const auto drawnAt = [&](double t) {
        const int x = int(std::lround(curve.left() + curve.width() * t / 5.0));
        const QRect ink = test::colourBoundingBox(image, QRect(x, curve.top() + 1, 1, curve.height() - 2),
                                                  QColor(plot::kGauge.trajectory), 40);
        return ink.isEmpty() ? -1.0 : curve.bottom() - (ink.center().y() + 0.5);
    };
    // Each sample probed a hair inside the curve's ends, within 4 px (the pen and the slope there).
    const auto probe = [&](const AharonovBohmSample& s) {
        return drawnAt(std::min(std::max(s.time, 0.02), samples.back().time - 0.02));
    };
    double highest = 0.0;
    for (const AharonovBohmSample& s : samples)
        if (s.centralProbability == central)
            highest = probe(s);
    ASSERT_GT(highest, 0.0);
    EXPECT_GT(curve.bottom() - highest, summary.bottom()) << "the largest value under the summary";
    for (const AharonovBohmSample& s : samples)
        EXPECT_NEAR(probe(s), highest * s.centralProbability / central, 4.0) << "t = " << s.time;
}

TEST_F(RecorderCarpetPlots, ShowThePlaceholderForMissingUnconfiguredOrEmptyRecorders)
{
    MoshinskyRecorder moshinsky(520);
    KapitzaDiracRecorder kapitzaDirac(8);
    AharonovBohmRecorder aharonovBohm(320);
    QuantumMoshinskyPlotWidget& a = makePlot<QuantumMoshinskyPlotWidget>();
    QuantumKapitzaDiracPlotWidget& b = makePlot<QuantumKapitzaDiracPlotWidget>();
    QuantumAharonovBohmPlotWidget& c = makePlot<QuantumAharonovBohmPlotWidget>();
    const QColor placeholder(plot::kGaugePage.placeholderColour);
    for (const bool attached : {false, true}) {
        if (attached) {
            EXPECT_TRUE(test::repaintsAfter(a, [&] { a.setRecorder(&moshinsky); })) << "a setter repaints";
            b.setRecorder(&kapitzaDirac);
            c.setRecorder(&aharonovBohm);
        }
        for (QWidget* plot : std::vector<QWidget*>{&a, &b, &c}) {
            const QImage image = test::grabPlot(*plot, QSize(500, 400));
            EXPECT_GT(test::countColour(image, QRect(100, 150, 300, 100), placeholder, 0), 0)
                << plot->metaObject()->className() << (attached ? " with an unconfigured recorder" : "");
        }
    }
}

} // namespace

namespace test {

// Recorders that live as long as the sweep: configured with samples that
// carry values that are not finite, with a single sample, and configured but
// empty.
struct CarpetRecorders {
    MoshinskyRecorder moshinsky{520};
    MoshinskyRecorder moshinskyOne{520};
    MoshinskyRecorder moshinskyEmpty{520};
    KapitzaDiracRecorder kapitzaDirac{8};
    KapitzaDiracRecorder kapitzaDiracOne{8};
    AharonovBohmRecorder aharonovBohm{320};
    AharonovBohmRecorder aharonovBohmOne{320};

    CarpetRecorders()
    {
        MoshinskyConfig config;
        config.enabled = true;
        config.analysisEndTime = 6.0;
        MoshinskyShutterGeometry shutter;
        shutter.valid = true;
        const ComplexField2D wild = densityField(kColumns, 6, 0.5f, 0.3f, [](std::uint64_t i, std::uint64_t) {
            return i % 3 == 0 ? kNaN : i % 3 == 1 ? 1e30 : 0.0;
        });
        for (MoshinskyRecorder* r : {&moshinsky, &moshinskyOne, &moshinskyEmpty})
            r->configure(config, shutter, shutterField(false, 1.0));
        moshinsky.record(0.0, false, shutterField(false, 1.0));
        moshinsky.record(0.5, true, wild);
        moshinsky.record(9.0, true, shutterField(true, 1.0));
        moshinskyOne.record(2.0, true, shutterField(true, 1.0));

        KapitzaDiracConfig pulse;
        pulse.enabled = true;
        kapitzaDirac.configure(pulse, 1.0);
        kapitzaDiracOne.configure(pulse, 1.0);
        kapitzaDirac.record(momentumRecord({0.0, 1.0, kNaN, 1e30, 0.0, 2.0, 0.0, 0.0}), 0.1, true);
        kapitzaDirac.record(momentumRecord({}), 0.2, false);
        kapitzaDirac.record(momentumRecord({0.5, 0.5}), 9.0, false);
        kapitzaDiracOne.record(momentumRecord({0.0, 0.0, 1.0, 0.0}), 0.0, false);

        AharonovBohmConfig ab;
        ab.enabled = true;
        const ComplexField2D rows = densityField(
            4, 12, 0.4f, 0.25f, [](std::uint64_t, std::uint64_t j) { return j % 4 == 0 ? kNaN : double(j); });
        aharonovBohm.configure(rows, ab);
        aharonovBohmOne.configure(rows, ab);
        aharonovBohm.record(0.0, rows);
        aharonovBohm.record(kNaN, rows);
        aharonovBohm.record(1e9, rows);
        aharonovBohmOne.record(1.0, rows);
    }
};

const CarpetRecorders& carpetRecorders()
{
    static const CarpetRecorders recorders;
    return recorders;
}

template <>
struct PlotFeeds<QuantumMoshinskyPlotWidget> {
    static std::vector<PlotFeed<QuantumMoshinskyPlotWidget>> all()
    {
        const CarpetRecorders& r = carpetRecorders();
        return recorderFeeds<QuantumMoshinskyPlotWidget, MoshinskyRecorder>(
            {{"wild samples", &r.moshinsky}, {"one sample", &r.moshinskyOne}, {"empty", &r.moshinskyEmpty}});
    }
};

template <>
struct PlotFeeds<QuantumKapitzaDiracPlotWidget> {
    static std::vector<PlotFeed<QuantumKapitzaDiracPlotWidget>> all()
    {
        const CarpetRecorders& r = carpetRecorders();
        return recorderFeeds<QuantumKapitzaDiracPlotWidget, KapitzaDiracRecorder>(
            {{"wild samples", &r.kapitzaDirac}, {"one sample", &r.kapitzaDiracOne}});
    }
};

template <>
struct PlotFeeds<QuantumAharonovBohmPlotWidget> {
    static std::vector<PlotFeed<QuantumAharonovBohmPlotWidget>> all()
    {
        const CarpetRecorders& r = carpetRecorders();
        return recorderFeeds<QuantumAharonovBohmPlotWidget, AharonovBohmRecorder>(
            {{"wild samples", &r.aharonovBohm}, {"one sample", &r.aharonovBohmOne}});
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Moshinsky, PlotRobustness, QuantumMoshinskyPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Moshinsky, PlotLegibility, QuantumMoshinskyPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KapitzaDirac, PlotRobustness, QuantumKapitzaDiracPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KapitzaDirac, PlotLegibility, QuantumKapitzaDiracPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(AharonovBohm, PlotRobustness, QuantumAharonovBohmPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(AharonovBohm, PlotLegibility, QuantumAharonovBohmPlotWidget);

} // namespace test
} // namespace vxo
