#include "plots/PlotPainting.h"
#include "plots/ScanPainting.h"

#include "PaintedTexts.h"
#include "PlotTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::kInf;
using test::kNaN;

using namespace plot;

// The element kinds of a path as a string: M for moveTo, L for lineTo.
std::string elementKinds(const QPainterPath& path)
{
    std::string kinds;
    for (int k = 0; k < path.elementCount(); ++k)
        kinds += path.elementAt(k).isMoveTo() ? 'M' : 'L';
    return kinds;
}

TEST(PlotPolylines, BreakOrBridgeGapsAndDropPointsThatAreNotFinite)
{
    // Entries: a value, or no value (nullopt); the point is (i, value).
    using Entries = std::vector<std::optional<double>>;
    struct Case {
        const char* name;
        Entries entries;
        const char* breaking;
        const char* bridging;
    };
    const std::vector<Case> cases{
        {"all valid", {1.0, 2.0, 3.0}, "MLL", "MLL"},
        {"gap inside", {1.0, 2.0, std::nullopt, 3.0, 4.0}, "MLML", "MLLL"},
        {"NaN inside", {1.0, 2.0, kNaN, 3.0, 4.0}, "MLML", "MLLL"},
        // Lone points between gaps draw nothing: the path keeps only the last moveTo.
        {"infinity inside", {1.0, kInf, 3.0, -kInf, 4.0}, "M", "MLL"},
        {"leading and trailing gaps", {std::nullopt, kNaN, 1.0, 2.0, std::nullopt}, "ML", "ML"},
        {"single point", {5.0}, "M", "M"},
        {"nothing valid", {kNaN, std::nullopt, kInf}, "", ""},
        {"empty", {}, "", ""},
    };
    for (const Case& c : cases) {
        const auto pointAt = [&](std::size_t i) -> std::optional<QPointF> {
            if (!c.entries[i])
                return std::nullopt;
            return QPointF(double(i), *c.entries[i]);
        };
        EXPECT_EQ(elementKinds(polylineBreakingAtGaps(c.entries.size(), pointAt)), c.breaking) << c.name;
        EXPECT_EQ(elementKinds(polylineBridgingGaps(c.entries.size(), pointAt)), c.bridging) << c.name;
    }
    // A point that is not finite in x is a gap as well.
    const QPainterPath path = polylineBreakingAtGaps(4, [](std::size_t i) { return QPointF(i == 1 ? kNaN : i, 0.0); });
    EXPECT_EQ(elementKinds(path), "ML");
    EXPECT_EQ(path.elementAt(0).x, 2.0);
}

TEST(PlotPolylines, SampledCurvesVisitEvenlySpacedTimes)
{
    const QPainterPath path = sampledPolyline(4, 1.0, 3.0, [](double t) { return QPointF(t, t * t); });
    ASSERT_EQ(path.elementCount(), 5);
    for (int i = 0; i <= 4; ++i) {
        const double t = 1.0 + 0.5 * i;
        EXPECT_DOUBLE_EQ(path.elementAt(i).x, t) << "i = " << i;
        EXPECT_DOUBLE_EQ(path.elementAt(i).y, t * t) << "i = " << i;
    }
    EXPECT_TRUE(sampledPolyline(0, 0.0, 1.0, [](double t) { return QPointF(t, t); }).isEmpty());
}

TEST(PlotClamps, EachKeepsItsOwnNanRule)
{
    struct Case {
        double value;
        double keep, upper, lower;
    };
    const std::vector<Case> cases{
        {0.25, 0.25, 0.25, 0.25}, {-3.0, 0.0, 0.0, 0.0},  {7.0, 1.0, 1.0, 1.0},
        {kInf, 1.0, 1.0, 1.0},    {-kInf, 0.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clampKeepNan(c.value, 0.0, 1.0), c.keep) << "value " << c.value;
        EXPECT_EQ(clampNanToUpper(c.value, 0.0, 1.0), c.upper) << "value " << c.value;
        EXPECT_EQ(clampNanToLower(c.value, 0.0, 1.0), c.lower) << "value " << c.value;
    }
    EXPECT_TRUE(std::isnan(clampKeepNan(kNaN, 0.0, 1.0))) << "kept for the path builder to drop";
    EXPECT_EQ(clampNanToUpper(kNaN, -1.0, 1.0), 1.0) << "populations draw a NaN at the top";
    EXPECT_EQ(clampNanToLower(kNaN, 0.0, 1.0), 0.0) << "the Klein scans draw a NaN at the bottom";
}

TEST(PlotAxes, PutTheEndsOnTheRectangleEdgesAndFloorTheSpan)
{
    const QRectF rect(58.0, 24.0, 300.0, 140.0);
    const AxisMap x = horizontalAxis(rect, -2.0, 6.0, 1e-30);
    const AxisMap y = verticalAxis(rect, -1.0, 3.0, 1e-30);
    EXPECT_DOUBLE_EQ(mapValue(x, -2.0), rect.left());
    EXPECT_DOUBLE_EQ(mapValue(x, 6.0), rect.right());
    EXPECT_DOUBLE_EQ(mapValue(x, 0.0), rect.left() + 0.25 * rect.width());
    EXPECT_DOUBLE_EQ(mapValue(y, -1.0), rect.bottom()) << "the low value lies on the bottom edge";
    EXPECT_DOUBLE_EQ(mapValue(y, 3.0), rect.top());
    EXPECT_DOUBLE_EQ(mapValue(y, 0.0), rect.bottom() - 0.25 * rect.height());

    // Equal or reversed ends, or a span that is not a number, divide by the floor.
    for (const double end : {5.0, 4.0, kNaN}) {
        const AxisMap flat = horizontalAxis(rect, 5.0, end, 1e-12);
        EXPECT_EQ(flat.valueSpan, 1e-12) << "end " << end;
        EXPECT_DOUBLE_EQ(mapValue(flat, 5.0), rect.left()) << "end " << end;
    }
    EXPECT_EQ(atLeast(kNaN, 10.0), 10.0);
    const PanelLayout margins{QMarginsF(58, 24, 20, 38)};
    EXPECT_EQ(panelRect(QSize(50, 40), margins), QRectF(58, 24, 10, 10)) << "a shrunk plot keeps its minimum";
    EXPECT_EQ(panelRect(QSize(400, 300), margins), QRectF(58, 24, 322, 238));

    FiniteExtent extent;
    for (const double v : {kNaN, 3.0, -kInf, -2.0, kInf, 1.0})
        extendFinite(extent, v);
    EXPECT_EQ(extent.minimum, -2.0);
    EXPECT_EQ(extent.maximum, 3.0);
    EXPECT_EQ(extent.count, 3u);
}

// The reference colours of the plots' ramps.
// A widget that paints the value labels of one panel of the given height.
class ValueLabelsProbe : public QWidget {
public:
    explicit ValueLabelsProbe(double panelHeight, double left = 2.0, double width = 52.0)
        : panelHeight_(panelHeight), left_(left), width_(width)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        drawValueLabels(painter, QRectF(60, 30, 200, panelHeight_), QStringLiteral("top"), QStringLiteral("bottom"),
                        kSinglePanel.axisText, left_, width_);
    }

private:
    double panelHeight_, left_, width_;
};

TEST(PlotLayouts, PanelsKeepTheirMarginsAndFallBackToTheirFloors)
{
    const PanelLayout single{QMarginsF(40.0, 12.0, 16.0, 30.0), QSizeF(25.0, 15.0)};
    // 300 x 200: 300 - 40 - 16 wide, 200 - 12 - 30 high.
    EXPECT_EQ(panelRect(QSize(300, 200), single), QRectF(40, 12, 244, 158));
    EXPECT_EQ(panelRect(QSize(60, 50), single), QRectF(40, 12, 25, 15)) << "a shrunk plot keeps its floors";

    InterferenceLayout stacked;
    // Too narrow for two columns: one panel under the other however short.
    stacked.sideBySideColumn = 200.0;
    stacked.margins = QMarginsF(30.0, 10.0, 12.0, 16.0);
    stacked.minimumHistory = QSizeF(40.0, 50.0);
    stacked.strip = {6.0, 20.0};
    stacked.scan = {8.0, 24.0};
    stacked.scanNumbers = {3.0, 11.0};
    stacked.scanCaption = {1.0, 12.0};
    // 400 x 300: all 358 wide; the history takes what the strip, the scan,
    // the scan's numbers, their gaps and the margins leave: 300 - 98 = 202.
    const InterferencePanels wide = interferencePanels(QSize(400, 300), stacked);
    EXPECT_EQ(wide.history, QRectF(30, 10, 358, 202));
    EXPECT_EQ(wide.strip, QRectF(30, 218, 358, 20));
    EXPECT_EQ(wide.scan, QRectF(30, 246, 358, 24));
    EXPECT_EQ(wide.scanNumbers, QRectF(30, 273, 358, 11)) << "the scan's numbers under it";
    EXPECT_EQ(wide.scanCaption, QRectF(30, 285, 358, 12)) << "its caption under them";
    EXPECT_EQ(wide.scanNumbers.bottom() + stacked.margins.bottom(), 300.0)
        << "the scan's numbers end the bottom margin above the edge";
    // Under 148 px the history keeps its minimum while the 3 px under the
    // caption go, then shrinks to its least height.
    stacked.leastHistory = 30.0;
    const InterferencePanels shorter = interferencePanels(QSize(400, 146), stacked);
    EXPECT_EQ(shorter.history.height(), 50.0);
    EXPECT_EQ(shorter.scanCaption.bottom(), 145.0) << "the room under the caption goes first";
    const InterferencePanels squeezed = interferencePanels(QSize(400, 130), stacked);
    EXPECT_EQ(squeezed.history.height(), 35.0);
    EXPECT_EQ(squeezed.scanCaption.bottom(), 130.0) << "the caption stays inside the widget";
    const InterferencePanels small = interferencePanels(QSize(50, 60), stacked);
    EXPECT_EQ(small.history, QRectF(30, 10, 40, 30)) << "floors of the width and of the history";
    EXPECT_EQ(small.strip.top(), 46.0);
    EXPECT_EQ(small.scanNumbers.top(), small.scan.bottom() + 3.0);
    EXPECT_FALSE(sideBySide(squeezed));

    // Wide enough for two columns of 200 inside the margins, a widget too
    // short for the history's minimum sets the scan beside it: the history
    // over a thinner strip, its numbers and two rows of legend (the column is
    // narrow) on the left, the scan over its numbers and caption on the right.
    stacked.sideBySideStrip = {4.0, 12.0};
    stacked.stripLegend = {2.0, 10.0};
    stacked.twoRowLegendWidth = 300.0;
    stacked.sideBySideBottom = 2.0;
    const InterferencePanels beside = interferencePanels(QSize(600, 130), stacked);
    EXPECT_TRUE(sideBySide(beside));
    EXPECT_EQ(beside.history, QRectF(30, 10, 258, 130 - 10 - (4 + 12 + 2 + 16 + 2 + 20) - 2));
    EXPECT_EQ(beside.strip, QRectF(30, beside.history.bottom() + 4, 258, 12));
    EXPECT_EQ(beside.stripLegend.height(), 20.0) << "two rows in a column under 300";
    EXPECT_EQ(beside.scan, QRectF(330, 10, 258, 130 - 10 - (3 + 11 + 1 + 12) - 2));
    EXPECT_EQ(beside.scanCaption.bottom(), 128.0);
    EXPECT_EQ(beside.figure, QRectF(30, 10, 558, beside.history.height())) << "the title's span over both";
    EXPECT_FALSE(sideBySide(interferencePanels(QSize(600, 145), stacked))) << "tall enough for the history";
    EXPECT_FALSE(sideBySide(interferencePanels(QSize(483, 130), stacked))) << "too narrow for two columns";
}

TEST(PlotGrids, RuleEveryQuarterOfAnOblongPanel)
{
    test::plotTestApplication();
    const QRectF panel(30.0, 20.0, 320.0, 200.0);
    const QColor red(255, 0, 0);
    for (const bool inner : {false, true}) {
        QImage image(400, 260, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            if (inner)
                drawInnerQuarterLines(painter, panel, plotPen(red, 1.0));
            else
                drawQuarterGrid(painter, panel, plotPen(red, 1.0));
        }
        // Rows probed an eighth in, columns an eighth down: between the crossing lines.
        for (int i = 0; i <= 4; ++i) {
            const bool edge = i == 0 || i == 4;
            const double y = panel.top() + 0.25 * i * panel.height();
            const double x = panel.left() + 0.25 * i * panel.width();
            EXPECT_EQ(test::colourNear(image, QPointF(panel.left() + panel.width() / 8, y), red), !(inner && edge))
                << "row " << i << (inner ? " of the inner lines" : " of the grid");
            EXPECT_EQ(test::colourNear(image, QPointF(x, panel.top() + panel.height() / 8), red), !inner)
                << "column " << i;
            EXPECT_FALSE(
                test::colourNear(image, QPointF(panel.left() + panel.width() / 8, y + panel.height() / 8), red))
                << "nothing between rows " << i << " and " << i + 1;
        }
        EXPECT_EQ(test::countColourOutside(image, panel.adjusted(-1, -1, 1, 1).toRect(), red), 0)
            << "every line stays on the panel";
    }
}

TEST(PlotAxes, APanelShorterThanTwoLinesKeepsOnlyItsUpperValue)
{
    test::plotTestApplication();
    for (const auto& [height, both] : {std::pair{12.0, false}, std::pair{17.9, false}, std::pair{18.0, true},
                                       std::pair{18.1, true}, std::pair{90.0, true}}) {
        ValueLabelsProbe probe(height);
        std::vector<QString> texts;
        for (const test::PaintedText& t : test::paintedTexts(probe, QSize(300, 160)))
            texts.push_back(t.text);
        EXPECT_EQ(texts, both ? (std::vector<QString>{"top", "bottom"}) : (std::vector<QString>{"top"}))
            << "panel " << height << " px high";
    }
}

// A number as wide as the room up to the widget's left edge stays right-aligned
// there; a hair wider, it starts at its box's left edge instead.
TEST(PlotAxes, AValueWiderThanItsRoomStartsAtItsBoxInstead)
{
    test::plotTestApplication();
    ValueLabelsProbe roomy(90.0, 2.0, 80.0);
    const double advance = test::paintedText(test::paintedTexts(roomy, QSize(300, 160)), "top").box.width();
    ASSERT_GT(advance, 12.0);
    for (const auto& [spare, start] : {std::pair{0.0, 0.0}, std::pair{-0.25, 7.0}, std::pair{3.0, 3.0}}) {
        ValueLabelsProbe probe(90.0, 7.0, advance - 7.0 + spare);
        EXPECT_NEAR(test::paintedText(test::paintedTexts(probe, QSize(300, 160)), "top").box.left(), start, 0.01)
            << "room " << spare << " px beyond the text";
    }
}

TEST(PlotRamps, MatchTheirReferenceColours)
{
    struct PowerCase {
        const char* name;
        PowerRamp ramp;
        std::vector<std::pair<double, QRgb>> stops;
    };
    const std::vector<PowerCase> power{
        {"revival",
         {{0, 1, 1.8}, {0, 1, 0.85}, {0.2, 1.2, 1}},
         {{0.0, qRgb(0, 0, 51)},
          {0.25, qRgb(21, 78, 127)},
          {0.5, qRgb(73, 141, 204)},
          {0.75, qRgb(151, 199, 255)},
          {1.0, qRgb(255, 255, 255)}}},
        {"billiard",
         {{0, 1, 1.7}, {0, 1, 0.72}, {0.12, 1.25, 0.9}},
         {{0.0, qRgb(0, 0, 30)}, {0.25, qRgb(24, 93, 122)}, {0.5, qRgb(78, 154, 201)}, {0.75, qRgb(156, 207, 255)}}},
        {"bouncer",
         {{0, 1, 1.45}, {0, 1, 0.72}, {0.2, 1.18, 0.92}},
         {{0.0, qRgb(0, 0, 51)}, {0.25, qRgb(34, 93, 135)}, {0.5, qRgb(93, 154, 210)}, {0.75, qRgb(168, 207, 255)}}},
        {"scar",
         {{0, 1.35, 1.25}, {0.25, 1.15, 0.72}, {0.1, 0.85, 0.45}},
         {{0.0, qRgb(0, 63, 25)}, {1.0, qRgb(255, 255, 242)}}},
    };
    for (const PowerCase& c : power)
        for (const auto& [s, colour] : c.stops)
            EXPECT_EQ(powerRampColour(c.ramp, s), colour) << c.name << " at s = " << s;
    // A zero ratio of either sign (-0 / 2, 0 / -2) reads the ramp at level 0 from its table too.
    for (const PowerCase& c : power) {
        const PowerRampTable table(c.ramp);
        for (const auto& [value, maximum] :
             std::vector<std::pair<double, double>>{{0.0, 2.0}, {-0.0, 2.0}, {0.0, -2.0}})
            EXPECT_EQ(table.colour(value, maximum), powerRampColour(c.ramp, 0.0))
                << c.name << ", " << value << " / " << maximum;
    }

    const std::array<RampSegment, 3> diffraction{{
        {0.0, 0.35, {7, 12, 28}, {16, 75, 150}},
        {0.35, 0.37, {23, 87, 178}, {28, 145, 58}},
        {0.72, 0.28, {51, 232, 236}, {204, 23, -92}},
    }};
    const std::vector<std::pair<double, QRgb>> stops{
        {0.0, qRgb(7, 12, 28)}, {0.35, qRgb(23, 87, 178)}, {0.72, qRgb(51, 232, 236)}, {1.0, qRgb(255, 255, 144)}};
    for (const auto& [s, colour] : stops)
        EXPECT_EQ(segmentRampColour(diffraction, s), colour) << "s = " << s;
    EXPECT_EQ(segmentRampColour(diffraction, -0.5), qRgb(0, 0, 0)) << "channels stay inside [0, 255]";
    EXPECT_EQ(segmentRampColour(diffraction, kNaN), qRgb(7, 12, 28)) << "a NaN level reads 0";
    EXPECT_EQ(powerRampColour(power[0].ramp, kNaN), qRgb(0, 0, 51)) << "a NaN level reads 0";

    struct LevelCase {
        double value, maximum, level;
    };
    for (const LevelCase& c : std::vector<LevelCase>{{0.25, 1.0, 0.5},
                                                     {2.0, 8.0, 0.5},
                                                     {-1.0, 1.0, 0.0},
                                                     {3.0, 1.0, 1.0},
                                                     {kNaN, 1.0, 0.0},
                                                     {kInf, 1.0, 1.0},
                                                     {0.0, 0.0, 0.0}})
        EXPECT_DOUBLE_EQ(carpetLevel(c.value, c.maximum), c.level) << c.value << " of " << c.maximum;
}

TEST(PlotCarpets, CellSpansTileTheExtentWithOnePixelOverlap)
{
    for (const int extent : {1, 7, 100, 333})
        for (const std::size_t count : {1u, 3u, 7u, 150u}) {
            std::vector<int> covered(static_cast<std::size_t>(extent) + 1, 0);
            for (std::size_t k = 0; k < count; ++k) {
                const CellSpan forward = cellSpan(10, extent, k, count);
                const CellSpan backward = reversedCellSpan(10 + extent, extent, k, count);
                ASSERT_GE(forward.length, 1);
                EXPECT_EQ(backward.start, 2 * 10 + extent - (forward.start + forward.length - 1))
                    << "the reversed cells mirror the forward ones; extent " << extent << ", cell " << k;
                EXPECT_EQ(backward.length, forward.length);
                for (int p = forward.start; p < forward.start + forward.length; ++p)
                    if (p - 10 <= extent)
                        covered[static_cast<std::size_t>(p - 10)] = 1;
            }
            for (int p = 0; p <= extent; ++p)
                EXPECT_EQ(covered[static_cast<std::size_t>(p)], 1)
                    << "pixel " << p << " of extent " << extent << " in " << count << " cells";
        }
}

TEST(PlotCarpets, EachPixelTakesTheLastSpanThatCoversIt)
{
    // Spans covering pixels start .. start + length - 1, partly off either
    // side, some empty or negative: every pixel 0 .. extent is checked against
    // the spans one by one.
    std::mt19937 rng(45);
    std::uniform_int_distribution<int> start(-6, 40);
    std::uniform_int_distribution<int> length(-2, 9);
    for (const int extent : {0, 1, 17, 33})
        for (int round = 0; round < 40; ++round) {
            std::vector<CellSpan> spans(static_cast<std::size_t>(round % 7));
            for (CellSpan& span : spans)
                span = CellSpan{start(rng), length(rng)};
            const std::vector<int> cells = pixelCells(spans, extent);
            ASSERT_EQ(cells.size(), static_cast<std::size_t>(extent) + 1);
            for (int p = 0; p <= extent; ++p) {
                int expected = -1;
                for (std::size_t k = 0; k < spans.size(); ++k)
                    if (spans[k].start <= p && p < spans[k].start + spans[k].length)
                        expected = static_cast<int>(k);
                ASSERT_EQ(cells[static_cast<std::size_t>(p)], expected) << "pixel " << p << " of extent " << extent;
            }
        }
    // Equal parts tile the side with one pixel of overlap, the later part on top.
    EXPECT_EQ(pixelCells(equalCellSpans(6, 3), 6), (std::vector<int>{0, 0, 1, 1, 2, 2, 2}));
}

TEST(PlotCarpets, ImagesAreDrawnAsSharpBlocks)
{
    test::plotTestApplication();
    // A 2 x 2 checkerboard stretched onto 120 x 80 pixels with antialiasing on.
    const QRgb dark = qRgb(10, 20, 30);
    const QRgb light = qRgb(240, 200, 100);
    const QImage cells = carpetImage(2, 2, [&](int c, int r) { return (c + r) % 2 == 0 ? dark : light; });
    ASSERT_EQ(cells.format(), QImage::Format_RGB32);
    QImage canvas(200, 160, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        drawCarpet(painter, cells, QRectF(40, 40, 120, 80));
        EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
        EXPECT_FALSE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
    }
    // Every pixel of the target is one of the two cell colours: no blending
    // across the cell boundaries at x = 100 and y = 80.
    for (int y = 40; y < 120; ++y)
        for (int x = 40; x < 160; ++x) {
            const QRgb expected = ((x < 100) == (y < 80)) ? dark : light;
            ASSERT_EQ(canvas.pixel(x, y), expected) << "pixel " << x << ", " << y;
        }
    EXPECT_TRUE(carpetImage(0, 5, [](int, int) { return 0u; }).isNull());
}

TEST(PlotLayouts, AdaptersChangeOnlyTheNamedField)
{
    const std::vector<double SplitLayout::*> fields{
        &SplitLayout::left,          &SplitLayout::right,           &SplitLayout::top,
        &SplitLayout::gap,           &SplitLayout::bottom,          &SplitLayout::share,
        &SplitLayout::minimumHeight, &SplitLayout::minimumWidth,    &SplitLayout::sideBySidePanelWidth,
        &SplitLayout::sideBySideTop, &SplitLayout::sideBySideBottom};
    const SplitLayout base = tracePageLayout();
    const std::vector<std::pair<SplitLayout, double SplitLayout::*>> cases{
        {base.withLeft(7.5), &SplitLayout::left},
        {base.withRight(7.5), &SplitLayout::right},
        {base.withTop(7.5), &SplitLayout::top},
        {base.withGap(7.5), &SplitLayout::gap},
        {base.withBottom(7.5), &SplitLayout::bottom},
        {base.withShare(7.5), &SplitLayout::share},
        {base.withMinimumHeight(7.5), &SplitLayout::minimumHeight},
        {base.withMinimumWidth(7.5), &SplitLayout::minimumWidth},
        {base.withSideBySidePanelWidth(7.5), &SplitLayout::sideBySidePanelWidth},
        {base.withSideBySideTop(7.5), &SplitLayout::sideBySideTop},
        {base.withSideBySideBottom(7.5), &SplitLayout::sideBySideBottom}};
    for (std::size_t c = 0; c < cases.size(); ++c)
        for (std::size_t f = 0; f < fields.size(); ++f)
            EXPECT_EQ(cases[c].first.*fields[f], fields[f] == cases[c].second ? 7.5 : base.*fields[f])
                << "adapter " << c << ", field " << f;
}

TEST(PlotLayouts, StackedAndScanPanelsKeepTheirMarginsAndFloors)
{
    const StackedLayout stacked{QMargins(30, 10, 12, 150), QSize(40, 60), 20, 16, 50};
    // 400 x 300: the upper panel 400 - 42 wide and 300 - 160 high (bottom row
    // 149); the lower one 20 rows further down, 300 - 16 - 149 high.
    const StackedPanels wide = stackedPanels(QSize(400, 300), stacked);
    EXPECT_EQ(wide.upper, QRect(30, 10, 358, 140));
    EXPECT_EQ(wide.lower, QRect(30, 169, 358, 135));
    const StackedPanels small = stackedPanels(QSize(60, 100), stacked);
    EXPECT_EQ(small.upper, QRect(30, 10, 40, 60)) << "a shrunk page keeps the upper floors";
    EXPECT_EQ(small.lower, QRect(30, 89, 40, 50)) << "and the lower one, under the upper's floor";

    const ScanLayout scan = ScanLayout{}.withMargins(QMargins(62, 42, 18, 44));
    EXPECT_EQ(scanPanel(QSize(560, 420), scan), QRect(62, 42, 480, 334));
    EXPECT_EQ(scanPanel(QSize(150, 130), scan), QRect(62, 42, 120, 120)) << "a scan panel keeps 120 pixels a side";

    const std::vector<int ScanLayout::*> fields{
        &ScanLayout::transmissionLabelLeft, &ScanLayout::valueLabelWidth, &ScanLayout::legendGap,
        &ScanLayout::legendHeight,          &ScanLayout::summaryHeight,   &ScanLayout::bandNameDrop};
    const std::vector<ScanLayout> adapted{
        scan.withTransmissionLabelLeft(3), scan.withValueLabelWidth(3), scan.withLegendGap(3),
        scan.withLegendHeight(3),          scan.withSummaryHeight(3),   scan.withBandNameDrop(3)};
    for (std::size_t c = 0; c < adapted.size(); ++c) {
        EXPECT_EQ(adapted[c].margins, scan.margins) << "adapter " << c;
        for (std::size_t f = 0; f < fields.size(); ++f)
            EXPECT_EQ(adapted[c].*fields[f], f == c ? 3 : scan.*fields[f]) << "adapter " << c << ", field " << f;
    }
}

// A stacked layout keeps its panels one over the other down to the height at
// which the upper one keeps 120 pixels over the fixed lower one, and lays
// them side by side below that where two panels 160 across fit, under the
// summary's band and over its captions' band; it asks for its height so.
TEST(PlotLayouts, AStackedPageShortOfItsStackedHeightLaysItsPanelsSideBySideWhereTheWidthAllows)
{
    // Stacked 10 + 120 + 190 high; side by side from 2 x (30 + 12 + 160) across,
    // keeping readable panels.
    StackedLayout layout{QMargins(30, 10, 12, 190), QSize(40, 60), 20, 50, 50};
    layout.leastSideBySidePanel = static_cast<int>(kReadablePanel);
    const StackedPanels tall = stackedPanels(QSize(600, 320), layout);
    EXPECT_EQ(tall.upper, QRect(30, 10, 558, 120));
    EXPECT_EQ(tall.lower, QRect(30, 149, 558, 141)) << "the lower panel 50 - 20 over the bottom";
    const StackedPanels beside = stackedPanels(QSize(600, 319), layout);
    EXPECT_TRUE(sideBySide(beside));
    EXPECT_EQ(beside.upper, QRect(30, 44, 258, 223)) << "under the 34 px summary band, over the 52 px captions";
    EXPECT_EQ(beside.lower, QRect(330, 44, 258, 223));
    EXPECT_FALSE(sideBySide(stackedPanels(QSize(403, 319), layout))) << "too narrow for two panels";
    EXPECT_EQ(splitPageHeight(403, splitForm(layout)), 320);
    EXPECT_EQ(splitPageHeight(404, splitForm(layout)), 44 + 52 + 120);
    EXPECT_TRUE(beside.summaryShown);
    // A page that lets them go to 90 px gives up the summary band first,
    // then panel height, and asks for no more; the pages' own layouts let them
    // go to the short page's panel.
    EXPECT_EQ(StackedLayout{}.leastSideBySidePanel, kShortPagePanel);
    StackedLayout giving = layout;
    giving.leastSideBySidePanel = 90;
    EXPECT_EQ(stackedPanels(QSize(600, 216), giving).upper, QRect(30, 44, 258, 120)) << "the band kept";
    const StackedPanels shorter = stackedPanels(QSize(600, 215), giving);
    EXPECT_EQ(shorter.upper, QRect(30, 10, 258, 153)) << "the band given up";
    EXPECT_FALSE(shorter.summaryShown);
    EXPECT_EQ(stackedPanels(QSize(600, 100), giving).upper.height(), 90) << "the least panel";
    EXPECT_EQ(splitPageHeight(404, splitForm(giving)), 10 + 52 + 90);
    // A page that keeps readable panels keeps the band however short it is.
    const StackedPanels squeezed = stackedPanels(QSize(600, 100), layout);
    EXPECT_TRUE(squeezed.summaryShown);
    EXPECT_EQ(squeezed.upper, QRect(30, 44, 258, 120)) << "under the band, readable";
    // The Landau and Hall-edge pages give way down to the short page's panel.
    const StackedPanels orbit = stackedPanels(QSize(1200, 100), orbitOverTimeLayout());
    EXPECT_TRUE(sideBySide(orbit));
    EXPECT_FALSE(orbit.summaryShown);
    EXPECT_EQ(orbit.upper.height(), kShortPagePanel);
}

// Two panels lie one over the other where the widget is tall enough for both
// to keep 120 pixels, and side by side, each in its half with the same
// margins, where it is shorter but wide enough for two panels 120 across.
TEST(PlotLayouts, ASplitPageShortOfItsStackedHeightLaysItsPanelsSideBySideWhereTheWidthAllows)
{
    // 20 + 30 + 40 around the stacked panels, the lower one 0.4 of 300;
    // side by side down to readable panels.
    const SplitLayout layout = SplitLayout{}
                                   .withLeft(50.0)
                                   .withRight(10.0)
                                   .withTop(20.0)
                                   .withGap(30.0)
                                   .withBottom(40.0)
                                   .withShare(0.6)
                                   .withLeastSideBySidePanel(kReadablePanel);
    struct Case {
        QSize size;
        QRectF upper;
        QRectF lower;
        bool beside;
    };
    const Case cases[] = {
        {QSize(600, 300), QRectF(50, 20, 240, 240), QRectF(350, 20, 240, 240), true},
        {QSize(360, 389), QRectF(50, 20, 120, 329), QRectF(230, 20, 120, 329), true},
        {QSize(600, 390), QRectF(50, 20, 540, 180), QRectF(50, 230, 540, 120), false},
        {QSize(359, 300), QRectF(50, 20, 299, 126), QRectF(50, 176, 299, 84), false},
    };
    for (const Case& c : cases) {
        const SplitPanels panels = splitPanels(c.size, layout);
        EXPECT_EQ(panels.upper, c.upper) << c.size.width() << " x " << c.size.height();
        EXPECT_EQ(panels.lower, c.lower) << c.size.width() << " x " << c.size.height();
        EXPECT_EQ(sideBySide(panels), c.beside) << c.size.width() << " x " << c.size.height();
    }
    // The height asked for at a width: stacked below 360 across, side by side from there.
    EXPECT_EQ(splitPageHeight(359, layout), 390);
    EXPECT_EQ(splitPageHeight(360, layout), 180);
    // A gap wider than the bottom margin holds the left panel's axis texts beside.
    EXPECT_EQ(splitPanels(QSize(600, 300), layout.withGap(50.0)).lower, QRectF(350, 20, 240, 230));
    EXPECT_EQ(splitPageHeight(360, layout.withGap(50.0)), 190);
    EXPECT_EQ(splitPageHeight(300, layout.withMinimumHeight(400.0)), 490) << "the stacked floor holds";
    // By default panels side by side go down to the short page's panel.
    EXPECT_EQ(splitPageHeight(360, layout.withLeastSideBySidePanel(SplitLayout{}.leastSideBySidePanel)),
              20 + 40 + kShortPagePanel);
    // Panels whose texts need 200 px across stack below 2 x (60 + 200).
    EXPECT_FALSE(sideBySide(splitPanels(QSize(519, 300), layout.withSideBySidePanelWidth(200.0))));
    EXPECT_TRUE(sideBySide(splitPanels(QSize(520, 300), layout.withSideBySidePanelWidth(200.0))));
}

TEST(PlotLayouts, ASplitPageShowsItsPlaceholdersOnlyWithoutData)
{
    test::plotTestApplication();
    // Panels that need 200 px across each to stand side by side stack at 400 px.
    const SplitLayout layout =
        SplitLayout{}.withLeft(30).withRight(20).withTop(30).withGap(40).withBottom(30).withSideBySidePanelWidth(200);
    const SplitPage page{{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                         {"upper", 4.0, 20.0},
                         {"lower", 12.0, 20.0},
                         {"no data above", "no data below"}};
    for (const bool hasData : {false, true}) {
        QImage image(400, 300, QImage::Format_RGB32);
        std::optional<SplitPanels> panels;
        {
            QPainter painter(&image);
            panels = beginSplitPage(painter, image.rect(), layout, page, hasData);
        }
        // Panels of 350 x 100 at (30, 30) and (30, 170); the lower title 12 below the upper panel.
        const QRect upper(31, 31, 348, 98);
        EXPECT_EQ(panels.has_value(), hasData);
        if (panels) {
            EXPECT_EQ(panels->lower, QRectF(30, 170, 350, 100));
        }
        EXPECT_EQ(test::countColour(image, upper, QColor(0, 0, 255)) > 0, !hasData) << "hasData " << hasData;
        EXPECT_GT(test::countColour(image, QRect(30, 142, 350, 20), QColor(0, 255, 0)), 0) << "the lower title";
        // The antialiased frame on y = 30 shares its red between rows 29 and 30.
        EXPECT_GT(qRed(image.pixel(200, 29)) + qRed(image.pixel(200, 30)), 200) << "the upper frame";
        EXPECT_TRUE(test::colourNear(image, QPointF(5, 290), QColor(kRecorder.background), 0, 0));
    }
    // Side by side, 700 px across, the lower title stands level with the upper one over its panel.
    QImage wide(700, 300, QImage::Format_RGB32);
    {
        QPainter painter(&wide);
        beginSplitPage(painter, wide.rect(), layout, page, true);
    }
    EXPECT_GT(test::countColour(wide, QRect(380, 4, 300, 20), QColor(0, 255, 0)), 0) << "the lower title beside";
    EXPECT_EQ(test::countColour(wide, QRect(30, 30, 640, 270), QColor(0, 255, 0)), 0) << "no title under the panels";
}

TEST(PlotTimeMarkers, StandAtTheQuarterPeriodsWithinTheRun)
{
    test::plotTestApplication();
    const QRectF carpet(20, 20, 200, 120);
    const QRectF curve(20, 180, 200, 80);
    const QColor red(255, 0, 0);
    const QColor green(0, 255, 0);
    for (const double period : {4.0, 0.0}) {
        QImage image(260, 280, QImage::Format_RGB32);
        image.fill(Qt::black);
        std::vector<int> drawn;
        {
            QPainter painter(&image);
            drawQuarterPeriodMarkers(painter, carpet, curve, carpetTimeAxes(carpet, curve, 0.5, 6.5), 0.5, 6.5, period,
                                     12, [&](int k) {
                                         drawn.push_back(k);
                                         return std::pair(plotPen(red), plotPen(green));
                                     });
        }
        // T / 4 = 1: the markers at t = 1 .. 6 are inside [0.5, 6.5], t = 7 .. 12 beyond it.
        const std::vector<int> expected = period > 0 ? std::vector<int>{1, 2, 3, 4, 5, 6} : std::vector<int>{};
        EXPECT_EQ(drawn, expected) << "T " << period;
        for (int t = 1; t <= 6; ++t) {
            const double y = carpet.top() + carpet.height() * (t - 0.5) / 6.0;
            const double x = curve.left() + curve.width() * (t - 0.5) / 6.0;
            EXPECT_EQ(test::colourNear(image, QPointF(120, y), red), period > 0) << "carpet row at t = " << t;
            EXPECT_EQ(test::colourNear(image, QPointF(x, 220), green), period > 0) << "curve column at t = " << t;
        }
    }
}

TEST(PlotCarpets, ProfileCarpetsScaleEachRowOfTheNamedProfile)
{
    test::plotTestApplication();
    struct Sample {
        std::vector<float> decoy;
        std::vector<float> profile;
    };
    const std::vector<Sample> samples{{{9, 9, 9}, {100, 1, 4}}, {{1, 1, 1}, {0, 9, 0}}};
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        // Grey 255 * sqrt(v / row maximum) over entries 1 and 2.
        drawProfileCarpet(painter, samples, &Sample::profile, 1, 2, PowerRamp{{0, 1, 1}, {0, 1, 1}, {0, 1, 1}},
                          QRectF(0, 0, 2, 2));
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(127, 127, 127)) << "sqrt(1 / 4) of the first row";
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255)) << "the second row has its own maximum";
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(PlotTexts, LegendRowsAndPanelHeadingsStayInTheirBoxes)
{
    test::plotTestApplication();
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        drawLegendRow(painter, 30.0, 100.0, 400.0,
                      {{QStringLiteral("red ±"), qRgb(255, 0, 0), 10.0, 80.0},
                       {QStringLiteral("green"), qRgb(0, 255, 0), 200.0, 80.0}});
        drawPanelHeading(painter, QRect(50, 40, 300, 50), QStringLiteral("heading"), QColor(0, 0, 255));
        // A summary far longer than its panel is wide goes on below, inside the panel.
        drawPanelSummary(painter, QRect(60, 140, 200, 50), 20, QStringLiteral("MMMM MMMM MMMM MMMM MMMM MMMM"),
                         QColor(255, 255, 0), QColor(0, 0, 0));
        // An entry wider than its whole row wraps inside it, the next one on a row under it.
        drawLegendRow(painter, 290.0, 20.0, 390.0,
                      {{QStringLiteral("MMMM MMMM MMMM"), qRgb(0, 255, 255), 0.0, 60.0},
                       {QStringLiteral("M"), qRgb(255, 0, 255), 0.0, 20.0}});
    }
    const auto rowsOf = [&image](const QColor& colour) {
        std::pair<int, int> rows{image.height(), -1};
        for (int y = 0; y < image.height(); ++y)
            if (test::countColour(image, QRect(0, y, image.width(), 1), colour) > 0)
                rows = {std::min(rows.first, y), std::max(rows.second, y)};
        return rows;
    };
    const QColor wrapped(0, 255, 255);
    EXPECT_EQ(test::countColourOutside(image, QRect(290, 20, 100, 60), wrapped), 0)
        << "the wrapped entry keeps to its row";
    EXPECT_GT(rowsOf(wrapped).second - rowsOf(wrapped).first, 20) << "on more than one line";
    EXPECT_GT(rowsOf(QColor(255, 0, 255)).first, rowsOf(wrapped).second) << "the next entry under it";
    // Boxes: (40, 100, 80, 20), (230, 100, 80, 20) and the heading's (50, 20, 300, 18); the
    // summary 8 pixels inside the left and right edges of its panel, from 5 below its top.
    const struct {
        QRect box;
        QColor colour;
    } cases[] = {{QRect(40, 100, 80, 20), QColor(255, 0, 0)},
                 {QRect(230, 100, 80, 20), QColor(0, 255, 0)},
                 {QRect(50, 20, 300, 18), QColor(0, 0, 255)},
                 {QRect(68, 145, 184, 45), QColor(255, 255, 0)}};
    for (const auto& c : cases) {
        EXPECT_GT(test::countColour(image, c.box, c.colour), 0) << c.colour.name().toStdString();
        EXPECT_EQ(test::countColourOutside(image, c.box, c.colour), 0) << c.colour.name().toStdString();
    }
    EXPECT_GT(test::countColour(image, QRect(68, 166, 184, 24), QColor(255, 255, 0)), 0)
        << "the long summary goes on on a second line";
}

// Qt still sets a left-aligned, unclipped text in a box of NaN width; a box
// with any edge not finite has no place on the page.
TEST(PlotTexts, ABoxWithAnyEdgeNotFinitePaintsNothing)
{
    test::plotTestApplication();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip;
    const struct {
        const char* name;
        QRectF box;
        bool painted;
    } cases[] = {{"finite", QRectF(20, 30, 90, 20), true},        {"NaN left", QRectF(kNaN, 30, 90, 20), false},
                 {"NaN top", QRectF(20, kNaN, 90, 20), false},    {"NaN width", QRectF(20, 30, kNaN, 20), false},
                 {"NaN height", QRectF(20, 30, 90, kNaN), false}, {"infinite width", QRectF(20, 30, kInf, 20), false}};
    for (const auto& c : cases) {
        QImage image(200, 80, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            drawTextBox(painter, c.box, flags, QStringLiteral("label 12"), QColor(255, 255, 0));
        }
        EXPECT_EQ(test::countColour(image, image.rect(), QColor(0, 0, 0), 0) < 200 * 80, c.painted) << c.name;
    }
}

// Qt warns about an ellipse with a radius that is not a number and paints
// none with an infinite one: either radius alone voids the disc.
TEST(PlotDiscs, AnEllipseWithEitherRadiusNotFinitePaintsNothingSilently)
{
    test::plotTestApplication();
    const struct {
        const char* name;
        double radiusX, radiusY;
    } cases[] = {{"finite", 7.5, 2.5},
                 {"NaN x", kNaN, 2.5},
                 {"NaN y", 7.5, kNaN},
                 {"infinite x", -kInf, 2.5},
                 {"infinite y", 7.5, kInf}};
    for (const auto& c : cases) {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
        const test::MessageCapture capture;
        {
            QPainter painter(&image);
            drawOutlinedDisc(painter, QPointF(30, 20), c.radiusX, c.radiusY, QColor(0, 255, 0), QPen(Qt::red));
        }
        const QRect painted = test::colourBoundingBox(image, image.rect(), QColor(0, 0, 0), 0, false);
        const bool finite = std::isfinite(c.radiusX) && std::isfinite(c.radiusY);
        EXPECT_EQ(painted.isEmpty(), !finite) << c.name;
        if (finite) {
            EXPECT_EQ(painted.size(), QSize(int(2 * c.radiusX) + 1, int(2 * c.radiusY) + 1))
                << c.name << ": the diameters and one pen";
        }
        EXPECT_TRUE(capture.messages().isEmpty()) << c.name << ": " << capture.messages().join(" | ").toStdString();
    }
}

} // namespace

} // namespace vxo
