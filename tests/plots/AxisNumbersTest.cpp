// The figures a guide has the class read off a plot can be read there: the
// plots number their axes with round values, and a value read at a curve's
// pixel through those numbers is the value the curve was drawn from. A
// centre of the packet that moves by rounding alone is drawn flat.

#include "plots/AxisNumbers.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumCrossSectionPlotWidget.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"

#include "AxisReading.h"
#include "HistoryPlotProbes.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "core/CrossSectionProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace vxo {
namespace {

using test::NumbersAt;

TEST(AxisNumbers, RoundTicksAreTheMultiplesOfTheSmallestRoundStepThatFits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double lo, hi;
        int most;
        std::vector<double> values;
        int decimals;
    };
    const std::vector<Case> cases{
        {0.0, 50.0, 11, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50}, 0},
        {0.0, 50.0, 10, {0, 10, 20, 30, 40, 50}, 0},
        // 2 would give 9 values, 2.5 gives 7.
        {-9.76, 9.76, 8, {-7.5, -5, -2.5, 0, 2.5, 5, 7.5}, 1},
        {0.0, 1.1, 12, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1}, 1},
        {1e-6, 3.2e-6, 3, {1e-6, 2e-6, 3e-6}, 6},
        {-2.1, 0.1, 3, {-2, -1, 0}, 0},
        // An end that misses a multiple by rounding alone keeps it.
        {0.1 + 0.2, 0.9, 7, {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}, 1},
        {1.0, 1.0, 5, {}, 0},
        {2.0, 1.0, 5, {}, 0},
        {nan, 1.0, 5, {}, 0},
        {0.0, inf, 5, {}, 0},
        {-1e308, 1e308, 5, {}, 0},
        {0.0, 1.0, 0, {}, 0},
        // Too narrow for any step: the smallest double shared among five.
        {0.0, std::numeric_limits<double>::denorm_min(), 5, {}, 0},
    };
    for (const Case& c : cases) {
        const plot::AxisTicks ticks = plot::roundTicks(c.lo, c.hi, c.most);
        ASSERT_EQ(ticks.values.size(), c.values.size()) << c.lo << " .. " << c.hi << " in " << c.most;
        for (std::size_t k = 0; k < c.values.size(); ++k)
            EXPECT_NEAR(ticks.values[k], c.values[k], 1e-9 * std::max(1.0, std::abs(c.values[k])))
                << c.lo << " .. " << c.hi << ", value " << k;
        if (!c.values.empty()) {
            EXPECT_EQ(ticks.decimals, c.decimals) << c.lo << " .. " << c.hi;
        }
    }
    // A range a few to a few hundred doubles wide far from zero, with room
    // for many numbers: no round value is written twice, however few the
    // doubles between its ends.
    for (const double at : {1.0, -3e-5, 7e10, 1e300}) {
        double hi = at;
        for (int doubles = 1; doubles <= 400; ++doubles) {
            hi = std::nextafter(hi, std::numeric_limits<double>::infinity());
            const plot::AxisTicks ticks = plot::roundTicks(at, hi, 50);
            for (std::size_t k = 1; k < ticks.values.size(); ++k)
                EXPECT_LT(ticks.values[k - 1], ticks.values[k]) << doubles << " doubles from " << at << ", value " << k;
        }
    }
    EXPECT_EQ(plot::tickText(-1e-4, 1), QStringLiteral("0.0")) << "no -0";
    EXPECT_EQ(plot::tickText(-7.5, 1), QStringLiteral("-7.5"));
    EXPECT_EQ(plot::tickText(2e-7, 7), QStringLiteral("2e-07")) << "many decimals in three digits";
}

// The centre of the ink of colour in the column x of panel: NaN without ink.
double inkRow(const QImage& image, const QRectF& panel, double x, const QColor& colour)
{
    const QRect ink = test::colourBoundingBox(
        image, QRect(int(std::lround(x)), int(panel.top()) + 2, 1, int(panel.height()) - 4), colour, 40);
    return ink.isEmpty() ? std::numeric_limits<double>::quiet_NaN() : ink.center().y() + 0.5;
}

// The column between from and to (pixels) where the ink of colour lies
// lowest, the middle of the columns within half a pixel of the lowest.
double lowestColumn(const QImage& image, const QRectF& panel, double from, double to, const QColor& colour)
{
    double lowest = -1.0;
    std::vector<std::pair<int, double>> rows;
    for (int x = int(from); x <= int(to); ++x) {
        const QRect ink =
            test::colourBoundingBox(image, QRect(x, int(panel.top()) + 2, 1, int(panel.height()) - 4), colour, 40);
        if (ink.isEmpty())
            continue;
        rows.emplace_back(x, ink.bottom());
        lowest = std::max(lowest, double(ink.bottom()));
    }
    double sum = 0.0;
    int count = 0;
    for (const auto& [x, row] : rows)
        if (row >= lowest - 0.5) {
            sum += x;
            ++count;
        }
    return count > 0 ? sum / count : std::numeric_limits<double>::quiet_NaN();
}

// A single-panel plot as a class reads it: its picture, its panel and the
// numbers under, left and right of the panel.
struct ReadPlot {
    QImage image;
    QRectF panel;
    test::AxisReading under, left, right;
};
ReadPlot readPlot(QWidget& plot, const QSize& size, const plot::PanelLayout& layout)
{
    const QRectF panel = plot::panelRect(size, layout);
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
    return {test::grabPlot(plot, size), panel, test::readAxis(texts, panel, NumbersAt::Under),
            test::readAxis(texts, panel, NumbersAt::Left), test::readAxis(texts, panel, NumbersAt::Right)};
}

using AxisNumbersOnPlots = test::PlotTest;

// A horizontal axis carries as many round numbers as leave a blank of a line
// between neighbours, and never fewer than two where the coarsest pair of
// round values fits so in a panel two lines wide or wider, even where a
// third would crowd them.
TEST_F(AxisNumbersOnPlots, HorizontalAxesKeepABlankBetweenNumbersAndTwoWhereTwoFit)
{
    const QFont font = host().font();
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    const auto spaced = [&](const plot::AxisTicks& ticks, double lo, double hi, double width) {
        double widest = 0.0;
        for (const double v : ticks.values)
            widest = std::max(widest, metrics.horizontalAdvance(plot::tickText(v, ticks.decimals)));
        for (std::size_t k = 1; k < ticks.values.size(); ++k)
            if (width * (ticks.values[k] - ticks.values[k - 1]) / (hi - lo) < widest + line)
                return false;
        return true;
    };
    for (const auto& [lo, hi] : {std::pair{0.0, 1.0}, std::pair{0.0, 2.5}, std::pair{-0.4, 0.1}}) {
        const plot::AxisTicks pair = plot::roundTicks(lo, hi, 2);
        ASSERT_EQ(pair.values.size(), 2u) << lo << " .. " << hi;
        for (double lines = 2.0; lines <= 12.0; lines += 0.25) {
            const double width = lines * line;
            const plot::AxisTicks ticks = plot::horizontalTicks(lo, hi, width, font);
            ASSERT_FALSE(ticks.values.empty()) << lo << " .. " << hi << " on " << lines << " lines";
            EXPECT_TRUE(spaced(ticks, lo, hi, width)) << lo << " .. " << hi << " on " << lines << " lines";
            if (spaced(pair, lo, hi, width)) {
                EXPECT_GE(ticks.values.size(), 2u) << lo << " .. " << hi << " on " << lines << " lines";
            }
        }
    }
}

// The resonant drive of its guide: x(t) = (A/2)(sin(w t) - w t cos(w t)),
// A = 0.7, w = 0.5, swings by 6.6 at t = 37.7 and 8.7 at t = 50; the energy
// rises as t^2. A class reads both swings, and the energy, off the numbers.
TEST_F(AxisNumbersOnPlots, TheDrivenTrapsSwingIsReadOffItsNumbers)
{
    const auto x = [](double t) { return 0.35 * (std::sin(0.5 * t) - 0.5 * t * std::cos(0.5 * t)); };
    const auto energy = [](double t) { return 1.0 + 0.004 * t * t; };
    auto& plot = makePlot<QuantumDrivePlotWidget>();
    plot.setDriveParameters(0.0, 0.7, 0.5, 0.0);
    plot.setSamples(test::historyOf(501, 0.0, 0.1, [&](ObservableSample& s, double t) {
        s.meanX = x(t);
        s.sigmaX = 1.0;
        s.totalEnergy = energy(t);
    }));
    for (const QSize& size : {QSize(520, 240), QSize(760, 360)}) {
        const ReadPlot read = readPlot(plot, size, QuantumDrivePlotWidget::layout());
        const QRectF& p = read.panel;
        const QImage& image = read.image;
        const test::AxisReading& time = read.under;
        const test::AxisReading& position = read.left;
        const test::AxisReading& energies = read.right;
        ASSERT_GE(time.marks.size(), 3u) << size.width();
        ASSERT_GE(position.marks.size(), 3u) << size.width();
        ASSERT_GE(energies.marks.size(), 2u) << size.width();
        // A pixel of the panel is a tenth or so of a unit of position here.
        const double pixel = 2.0 * 1.12 * 8.72 / p.height();
        for (const double t : {37.7, 50.0}) {
            const double column = std::min(time.pixelOf(t), p.right() - 1.0);
            EXPECT_NEAR(position.valueAt(inkRow(image, p, column, QColor(plot::kCurves.leading))), x(t), 2.0 * pixel)
                << "swing at t = " << t << ", " << size.width() << " px wide";
        }
        const double column = time.pixelOf(25.0);
        EXPECT_NEAR(energies.valueAt(inkRow(image, p, column, QColor(plot::kCurves.energy))), energy(25.0),
                    2.0 * 1.2 * (energy(50.0) - 1.0) / p.height())
            << "energy at t = 25";
    }
}

// The lowest points a guide reads off a curve, where they lie and how low:
// the quench's width, breathing between 1 and 0.5 after the quench at t = 2,
// first lowest at t = 2 + pi/2; a section with dark points at y = +-5.6 (the
// double slit's screen) over a floor of 0.2.
TEST_F(AxisNumbersOnPlots, TheLowestPointsOfACurveAreReadOffItsNumbers)
{
    const double pi = 3.141592653589793;
    auto& quench = makePlot<QuantumQuenchPlotWidget>();
    quench.setMarkerTime(2.0);
    quench.setSamples(test::historyOf(401, 0.0, 0.02, [](ObservableSample& s, double t) {
        s.sigmaX = t < 2.0 ? 1.0 : 0.75 + 0.25 * std::cos(2.0 * (t - 2.0));
        s.totalEnergy = t < 2.0 ? 0.5 : 1.25;
    }));
    CrossSectionProfile pattern;
    pattern.axis = 1;
    for (int k = 0; k <= 400; ++k) {
        const double y = -20.0 + 0.1 * k;
        pattern.coordinate.push_back(y);
        pattern.density.push_back(0.2 + std::pow(std::cos(pi * y / 11.2), 2));
        pattern.real.push_back(0.0);
        pattern.imaginary.push_back(0.0);
        pattern.phase.push_back(0.0);
    }
    auto& section = makePlot<QuantumCrossSectionPlotWidget>();
    section.setSection(pattern);
    struct Case {
        const char* name;
        QWidget* plot;
        plot::PanelLayout layout;
        QColor curve;
        double at, halfWindow, tolerance, value;
    };
    const QColor sectionCurve(plot::kCurves.crossSection);
    const std::vector<Case> cases{
        {"quench", &quench, QuantumQuenchPlotWidget::layout(), QColor(plot::kCurves.leading), 2.0 + pi / 2.0, 0.6, 0.05,
         0.5},
        {"dark point below", &section, QuantumCrossSectionPlotWidget::layout(), sectionCurve, -5.6, 3.0, 0.15, 0.2},
        {"dark point above", &section, QuantumCrossSectionPlotWidget::layout(), sectionCurve, 5.6, 3.0, 0.15, 0.2},
    };
    for (const Case& c : cases) {
        const ReadPlot read = readPlot(*c.plot, QSize(600, 320), c.layout);
        ASSERT_GE(read.under.marks.size(), 4u) << c.name;
        ASSERT_GE(read.left.marks.size(), 3u) << c.name;
        const double column = lowestColumn(read.image, read.panel, read.under.pixelOf(c.at - c.halfWindow),
                                           read.under.pixelOf(c.at + c.halfWindow), c.curve);
        EXPECT_NEAR(read.under.valueAt(column), c.at, c.tolerance) << c.name << ": where";
        EXPECT_NEAR(read.left.valueAt(inkRow(read.image, read.panel, column, c.curve)), c.value, 0.03)
            << c.name << ": how low";
    }
}

// The interference scans of their guides: a fringe whose minimum lies at a
// hold of 7.2 (Stueckelberg) or a free time of 15.75 (Ramsey) is read there
// off the scan's numbers, and its depth off the 1.0 and 0.0 beside it.
TEST_F(AxisNumbersOnPlots, TheFringeMinimaAreReadOffTheScansNumbers)
{
    const double pi = 3.141592653589793;
    struct Case {
        const char* name;
        QWidget* plot;
        plot::InterferenceLayout layout;
        double minimum;
        QColor colour;
    };
    auto& stueckelberg = makePlot<QuantumStueckelbergPlotWidget>();
    std::vector<StueckelbergFringePoint> holds;
    for (int k = 0; k <= 120; ++k) {
        const double hold = 0.1 * k;
        holds.push_back({hold, 0.0, 0.55 + 0.4 * std::cos(2.0 * pi * (hold - 3.6) / 7.2), 0.0});
    }
    stueckelberg.setFringeScan(holds);
    auto& ramsey = makePlot<QuantumRamseyPlotWidget>();
    std::vector<RamseyFringePoint> frees;
    for (int k = 0; k <= 150; ++k) {
        const double free = 0.2 * k;
        RamseyFringePoint point{};
        point.freeEvolutionDuration = free;
        point.population2 = 0.55 + 0.4 * std::cos(2.0 * pi * (free - 5.5) / 20.5);
        frees.push_back(point);
    }
    ramsey.setFringeScan(frees);
    const std::vector<Case> cases{
        {"Stueckelberg", &stueckelberg, QuantumStueckelbergPlotWidget::layout(), 7.2, QColor(plot::kTwoLevel.first)},
        {"Ramsey", &ramsey, QuantumRamseyPlotWidget::layout(), 15.75, QColor(plot::kTwoLevel.second)},
    };
    for (const Case& c : cases) {
        for (const QSize& size : {QSize(520, 310), QSize(760, 460)}) {
            const QRectF scan = plot::interferencePanels(size, c.layout).scan;
            const std::vector<test::PaintedText> texts = test::paintedTexts(*c.plot, size);
            const test::AxisReading along = test::readAxis(texts, scan, NumbersAt::Under);
            const test::AxisReading population = test::readAxis(texts, scan, NumbersAt::Left);
            ASSERT_GE(along.marks.size(), 4u) << c.name;
            ASSERT_EQ(population.marks.size(), 2u) << c.name << ": 1.0 and 0.0 beside the scan";
            const QImage image = test::grabPlot(*c.plot, size);
            // Its one minimum within a quarter of its abscissa either way,
            // less than half the fringe's period (7.2 or 20.5).
            const double quarter = c.minimum / 4.0;
            const double column = lowestColumn(image, scan, along.pixelOf(c.minimum - quarter),
                                               along.pixelOf(c.minimum + quarter), c.colour);
            const double perPixel = along.valueAt(scan.left() + 1.0) - along.valueAt(scan.left());
            EXPECT_NEAR(along.valueAt(column), c.minimum, std::max(0.1, 2.0 * perPixel))
                << c.name << ": the fringe's minimum, " << size.width() << " px wide";
            EXPECT_NEAR(population.valueAt(inkRow(image, scan, column, c.colour)), 0.15, 0.05)
                << c.name << ": its depth";
        }
    }
}

// A centre that stays put to within rounding (the Gaussian well's <x>, of
// order 1e-5 while the packet breathes between widths 1.15 and 0.6) is drawn
// flat on its zero; a centre that moves by half the packet's narrowest width
// fills a good part of the panel.
TEST_F(AxisNumbersOnPlots, ACentreThatMovesByRoundingAloneIsDrawnFlat)
{
    struct Case {
        const char* name;
        int observable;
        std::function<void(ObservableSample&, double)> fill;
        double leastShare, mostShare; // of the panel's height the curve spans
    };
    const std::vector<Case> cases{
        // The first samples carry no width yet (not a number, none, less than
        // none): they set no scale.
        {"<x> of rounding noise", 0,
         [](ObservableSample& s, double t) {
             s.meanX = 1.6e-5 * std::sin(3.0 * t) - 3e-6;
             s.sigmaX = t == 0.0   ? std::numeric_limits<double>::quiet_NaN()
                        : t < 0.03 ? 0.0
                        : t < 0.05 ? -1.0
                                   : 1.15 - 0.55 * std::pow(std::sin(t), 2);
         },
         0.0, 0.03},
        {"<y> of rounding noise", 1,
         [](ObservableSample& s, double t) {
             s.meanY = 2e-6 * std::cos(5.0 * t);
             s.sigmaY = 0.8;
         },
         0.0, 0.03},
        // The packet spreads from width 1 to 4: the narrowest width counts.
        {"<x> swinging by half the narrowest width", 0,
         [](ObservableSample& s, double t) {
             s.meanX = 0.5 * std::sin(t);
             s.sigmaX = 1.0 + 0.5 * t;
         },
         0.4, 0.6},
    };
    for (const Case& c : cases) {
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setObservable(c.observable);
        plot.setSamples(test::historyOf(301, 0.0, 0.02, c.fill));
        const ReadPlot read = readPlot(plot, QSize(560, 300), QuantumTimeSeriesPlotWidget::layout());
        const QRect ink = test::colourBoundingBox(read.image, read.panel.adjusted(2, 2, -2, -2).toRect(),
                                                  QColor(plot::kCurves.leading), 40);
        ASSERT_FALSE(ink.isEmpty()) << c.name;
        const double share = std::max(ink.height() - 3.0, 0.0) / read.panel.height(); // less the pen's width
        EXPECT_GE(share, c.leastShare) << c.name;
        EXPECT_LE(share, c.mostShare) << c.name;
        EXPECT_NEAR(read.left.valueAt(ink.center().y() + 0.5), 0.0, 0.03) << c.name << ": read at the curve's middle";
    }
}

} // namespace
} // namespace vxo
