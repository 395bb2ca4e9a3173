#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/ProbabilityCurrent2D.h"
#include "view/ContourExtraction.h"
#include "view/OverlayGeometry.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace vxo {
namespace {

// A grid of nx x ny cells dx x dy and where it lands in a 400 x 400 view:
// the image has the domain's physical shape (nx dx : ny dy), fitted and
// centred, and spans the domain centred on the origin.
struct OverlayGrid {
    std::uint64_t nx, ny;
    float dx, dy;

    double ex() const { return static_cast<double>(nx) * dx; }
    double ey() const { return static_cast<double>(ny) * dy; }
    double width() const { return ex() >= ey() ? 400.0 : 400.0 * ex() / ey(); }
    double height() const { return ey() >= ex() ? 400.0 : 400.0 * ey() / ex(); }
    double left() const { return (400.0 - width()) / 2.0; }
    double top() const { return (400.0 - height()) / 2.0; }
    double px(double x) const { return left() + width() * (0.5 + x / (nx * dx)); }
    double py(double y) const { return top() + height() * (0.5 - y / (ny * dy)); }
    double cellX(std::uint64_t i) const { return (i - (nx - 1) / 2.0) * dx; }
    double cellY(std::uint64_t j) const { return (j - (ny - 1) / 2.0) * dy; }
};

// Wider than high and higher than wide, in cells and in physical size, so that
// a dx taken for a dy (or nx for ny) moves or cuts something on one of them.
constexpr OverlayGrid kWide{80, 64, 0.5f, 0.45f}; // 40 x 28.8, image 400 x 288 at y = 56
constexpr OverlayGrid kTall{64, 80, 0.45f, 0.5f}; // 28.8 x 40, image 288 x 400 at x = 56

// Painted overlays over a black scene, on kWide unless a test says otherwise.
class QuantumGLViewOverlays : public test::ShownViewTest {
protected:
    OverlayGrid grid = kWide;

    void prepareView() override
    {
        view->setCrossSectionLineVisible(false); // on by default; each test turns on what it draws
        useGrid(kWide);
    }

    void useGrid(const OverlayGrid& g)
    {
        grid = g;
        view->setFrame(ComplexField2D(g.nx, g.ny, g.dx, g.dy), PotentialField2D(), 0);
    }

    QImage render() { return test::renderedImage(*view); }

    // A current J = (jx, jy) on the grid wherever inside(x, y) holds, 0 elsewhere.
    ProbabilityCurrent2D current(float jx, float jy, const std::function<bool(double, double)>& inside) const
    {
        ProbabilityCurrent2D c;
        c.nx = grid.nx;
        c.ny = grid.ny;
        c.dx = grid.dx;
        c.dy = grid.dy;
        c.jx.assign(grid.nx * grid.ny, 0.0f);
        c.jy.assign(grid.nx * grid.ny, 0.0f);
        for (std::uint64_t j = 0; j < grid.ny; ++j)
            for (std::uint64_t i = 0; i < grid.nx; ++i)
                if (inside(grid.cellX(i), grid.cellY(j))) {
                    c.jx[j * grid.nx + i] = jx;
                    c.jy[j * grid.nx + i] = jy;
                }
        c.maxMagnitude = std::hypot(jx, jy);
        return c;
    }

    int px(double x) const { return static_cast<int>(std::lround(grid.px(x))); }
    int py(double y) const { return static_cast<int>(std::lround(grid.py(y))); }
    // Rounded: the float extents put an edge a hair off its whole pixel.
    int top() const { return static_cast<int>(std::lround(grid.top())); }
    int bottom() const { return static_cast<int>(std::lround(grid.top() + grid.height())); }
    int left() const { return static_cast<int>(std::lround(grid.left())); }
    int right() const { return static_cast<int>(std::lround(grid.left() + grid.width())); }

    // Pixels of a colour family inside a rectangle of the image.
    template <typename Test>
    static int count(const QImage& image, QRect area, Test test)
    {
        area = area.intersected(image.rect());
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (test(image.pixel(x, y)))
                    ++n;
        return n;
    }

    // The bounding box of the pixels of a colour family inside a rectangle.
    template <typename Test>
    static QRect box(const QImage& image, QRect area, Test test)
    {
        area = area.intersected(image.rect());
        QRect found;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (test(image.pixel(x, y)))
                    found |= QRect(x, y, 1, 1);
        return found;
    }

    // Rows from y down that a dashed vertical line at x lights: a line
    // starting at y with a whole dash (4 widths of 1.6 px) lights its first 6.
    template <typename Test>
    static int dashRows(const QImage& image, int x, int y, Test test)
    {
        int rows = 0;
        for (int r = y; r < y + 6; ++r)
            rows += count(image, QRect(x - 1, r, 3, 1), test) > 0 ? 1 : 0;
        return rows;
    }

    static bool cyan(QRgb p) { return qBlue(p) > 100 && qGreen(p) > 90 && qRed(p) * 4 < qGreen(p) * 3; }
    static bool yellow(QRgb p) { return qRed(p) > 120 && qGreen(p) > 90 && qBlue(p) * 2 < qRed(p); }
    static bool orange(QRgb p) { return qRed(p) > 120 && qGreen(p) * 10 < qRed(p) * 8 && qBlue(p) * 2 < qRed(p); }
    static bool lit(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 40; }
};

TEST_F(QuantumGLViewOverlays, ArrowsAppearOnlyWhereTheCurrentFlows)
{
    view->setCurrentMode(0);
    view->setCurrentField(current(1.0f, 0.0f, [](double x, double) { return x > 2.0; }));
    const QImage image = render();
    const int right = count(image, QRect(px(3.0), 0, 400, 400), cyan);
    const int left = count(image, QRect(0, 0, px(0.0), 400), cyan);
    EXPECT_GT(right, 200);
    EXPECT_EQ(left, 0);
    // Arrows point along +x: from each lit column the arrows extend rightwards,
    // so the far right of the image is reached but nothing lies left of the region's first arrow base.
    EXPECT_EQ(count(image, QRect(px(2.0) - 6, 0, 6, 400), cyan), 0);
    // Each arrow of the full current is 0.8 of the spacing (42 px) long, so a
    // row of them along x is broken into runs of that length.
    int longest = 0;
    for (int y = top(); y < bottom(); ++y) {
        int run = 0;
        for (int x = px(3.0); x < 400; ++x) {
            run = cyan(image.pixel(x, y)) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_NEAR(longest, 0.8 * 42, 3.0) << "arrow length in pixels";
    // The head lines, 0.22 of the arrow long at 27 degrees from the shaft,
    // make each lattice row of arrows a band 2 h sin 27 high plus the pen.
    int band = 0;
    for (int y = top(), run = 0; y < bottom(); ++y) {
        run = count(image, QRect(px(3.0), y, 400, 1), cyan) > 0 ? run + 1 : 0;
        band = std::max(band, run);
    }
    EXPECT_NEAR(band, 2.0 * 0.22 * 0.8 * 42 * std::sin(27.0 * kPi / 180.0) + 1.35, 2.0) << "arrow head width in pixels";

    view->setCurrentOverlayVisible(false);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), cyan), 0);
    view->setCurrentOverlayVisible(true);
    view->setCurrentMode(5); // unknown mode: nothing
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), cyan), 0);
}

TEST_F(QuantumGLViewOverlays, StreamlinesFollowTheCurrentInsideItsBand)
{
    view->setCurrentMode(1);
    view->setCurrentField(current(0.7f, 0.0f, [](double, double y) { return std::fabs(y) < 4.0; }));
    const QImage image = render();
    EXPECT_GT(count(image, QRect(0, py(3.0), 400, py(-3.0) - py(3.0)), cyan), 300);
    EXPECT_EQ(count(image, QRect(0, 0, 400, py(5.5)), cyan), 0);
    EXPECT_EQ(count(image, QRect(0, py(-5.5), 400, 400), cyan), 0);
    // The lines run along x: some row inside the band is lit across most of the image.
    int longest = 0;
    for (int y = py(3.0); y < py(-3.0); ++y)
        longest = std::max(longest, count(image, QRect(0, y, 400, 1), cyan));
    EXPECT_GT(longest, 300);
}

TEST_F(QuantumGLViewOverlays, DetectorBandHistogramAndReferenceCurve)
{
    view->setDetectorVisible(true);
    view->setDetector(10.0f, 1.0f, 8); // bins of 36 px over the 288 px high image
    QImage image = render();
    // The dashed centre line at x = 10 covers about half of the column.
    const int line = count(image, QRect(px(10.0) - 1, 0, 3, 400), cyan);
    EXPECT_GT(line, 150);
    EXPECT_EQ(count(image, QRect(0, 0, px(9.0), 400), cyan), 0);

    // Markers at y = 3 and 3.2 (bin 4 of 8 over [-14.4, 14.4]): a histogram bar
    // to the right of the line, none in the bins beside it.
    view->setMeasurementMarkersVisible(false);
    view->setMeasurementMarkers({{10.0f, 3.0f}, {10.0f, 3.2f}});
    image = render();
    const int bin = static_cast<int>(std::lround(grid.height() / 8.0));
    const QRect bar(px(10.0) + 6, bottom() - 5 * bin + 2, 70, bin - 4); // rows of bin 4
    EXPECT_GT(count(image, bar, lit), 1500);
    EXPECT_EQ(count(image, bar.translated(0, -bin), lit), 0) << "bin 5";
    EXPECT_EQ(count(image, bar.translated(0, bin), lit), 0) << "bin 3";

    // Reference curve: flux only in the upper rows reaches out at the top bins.
    std::vector<double> flux(64, 0.0);
    for (std::size_t r = 56; r < 64; ++r)
        flux[r] = 1.0;
    view->setDetectorDistribution(flux, true);
    image = render();
    EXPECT_GT(count(image, QRect(px(10.0) + 60, top(), 30, bin), yellow), 5);
    view->setDetectorDistribution(flux, false);
    image = render();
    EXPECT_EQ(count(image, QRect(px(10.0) + 60, top(), 30, bin), yellow), 0);
}

// A full histogram bar is a fifth of the image wide, at most 150 px, a bar of
// half the largest count half as long; each bar fills its bin but for a gap of
// 0.6 px, so the bars of 50 bins leave about 30 rows unlit. Without
// multisampling the painter fills the pixels whose centres a bar covers.
TEST_F(QuantumGLViewOverlays, HistogramBarsScaleWithTheImageAndFillTheirBins)
{
    struct Case {
        OverlayGrid grid;
        int viewWidth;
        double imageWidth, imageHeight;
    };
    // 1000 x 180 from a 100 x 18 domain in a 1000 x 400 view: a fifth would be 200 px.
    const OverlayGrid kLong{200, 40, 0.5f, 0.45f};
    for (const Case& c : {Case{kWide, 400, 400.0, 288.0}, Case{kLong, 1000, 1000.0, 180.0}}) {
        SCOPED_TRACE(c.viewWidth);
        view->resize(c.viewWidth, 400);
        useGrid(c.grid);
        const double ey = c.grid.ny * c.grid.dy;
        const int bins = 50; // bins of 5.76 and 3.6 px, off the pixel grid
        // One shot at the middle of every bin, two in the lowest: bars of half
        // the full width everywhere else.
        std::vector<MeasurementShot> shots{{0.0f, static_cast<float>(-ey / 2.0 + 0.5 * ey / bins)}};
        for (int k = 0; k < bins; ++k)
            shots.push_back({0.0f, static_cast<float>(-ey / 2.0 + (k + 0.5) * ey / bins)});
        view->setMeasurementMarkersVisible(false);
        view->setMeasurementMarkers(shots);
        view->setDetectorVisible(true);
        // The line at x = -10 lands on a whole pixel, the bars start 4 px right of it.
        const float detectorX = -0.1f * static_cast<float>(c.grid.nx * c.grid.dx);
        view->setDetector(detectorX, 0.01f, bins);
        const QImage image = render();
        const auto bar = [](QRgb p) { return qBlue(p) > 60 && qBlue(p) < 130 && qRed(p) < 60; };
        const double imageLeft = (c.viewWidth - c.imageWidth) / 2.0;
        const int baseX = static_cast<int>(std::lround(imageLeft + 0.4 * c.imageWidth)) + 4;
        const int imageTop = static_cast<int>(std::lround((400.0 - c.imageHeight) / 2.0));
        const double full = std::min(0.2 * c.imageWidth, 150.0);
        const double binHeight = c.imageHeight / bins;
        const int lowest = static_cast<int>(imageTop + c.imageHeight - binHeight / 2.0);
        const int middle = static_cast<int>(imageTop + c.imageHeight - 20.5 * binHeight);
        EXPECT_EQ(count(image, QRect(baseX - 3, lowest, 400, 1), bar), std::lround(full)) << "full bar";
        EXPECT_NEAR(count(image, QRect(baseX - 3, middle, 400, 1), bar), full / 2.0, 0.5) << "half bar";
        EXPECT_NEAR(count(image, QRect(baseX + 10, 0, 1, 400), bar), c.imageHeight - bins * 0.6, bins * 0.15)
            << "rows lit by the bars";
    }
}

// The faint band of the detector spans its thickness across the whole domain
// height, on grids wider and higher than long.
TEST_F(QuantumGLViewOverlays, DetectorBandSpansItsThicknessAndTheDomainHeight)
{
    // Band colour over black, fainter than the dashed line and its antialiased edge.
    const auto band = [](QRgb p) { return qBlue(p) > 15 && qBlue(p) < 60 && qRed(p) < 20; };
    for (const OverlayGrid& g : {kWide, kTall}) {
        SCOPED_TRACE(g.nx > g.ny ? "wide grid" : "tall grid");
        useGrid(g);
        view->setDetectorVisible(true);
        view->setDetector(-10.0f, 4.0f, 8);
        const QImage image = render();
        const int expectedWidth = static_cast<int>(std::lround(grid.px(2.0) - grid.px(-2.0)));
        const int middle = py(0.0) + 3;
        EXPECT_NEAR(count(image, QRect(0, middle, 400, 1), band), expectedWidth - 2, 3)
            << "band width in pixels for a thickness of 4";
        const int column = px(-10.0) + expectedWidth / 4;
        EXPECT_NEAR(count(image, QRect(column, 0, 1, 400), band), bottom() - top(), 2) << "band height in pixels";
        EXPECT_EQ(dashRows(image, px(-10.0), top(), cyan), 6) << "its dashed line starts at the domain top";
    }
}

// Arrows sit at the cell centres of the lattice and reach the first and last
// rows and columns, on grids wider and higher than long.
TEST_F(QuantumGLViewOverlays, ArrowsSitOnTheirCellsUpToEveryEdge)
{
    struct Case {
        OverlayGrid grid;
        std::uint64_t strideX, strideY;
    };
    // 12 px over cells of 5 px (2.4 cells) and of 4.5 px (2.67 cells): strides 2 and 3.
    for (const Case& c : {Case{kWide, 2, 3}, Case{kTall, 3, 2}}) {
        const OverlayGrid& g = c.grid;
        SCOPED_TRACE(g.nx > g.ny ? "wide grid" : "tall grid");
        useGrid(g);
        view->setCurrentMode(0);
        view->setCurrentSpacing(12);
        view->setCurrentField(current(1.0f, 0.0f, [](double, double) { return true; }));
        const QImage image = render();
        // Just right of the base: the last column's arrows run past the image's edge and are clipped there.
        const double shaft = 2.0;
        const double rowGap = grid.py(0.0) - grid.py(g.dy);
        int missing = 0;
        int between = 0;
        for (std::uint64_t j = 0; j < g.ny; j += c.strideY)
            for (std::uint64_t i = 0; i < g.nx; i += c.strideX) {
                const int x = static_cast<int>(grid.px(grid.cellX(i)) + shaft);
                const int y = static_cast<int>(std::floor(grid.py(grid.cellY(j))));
                if (count(image, QRect(x, y - 1, 1, 3), cyan) == 0)
                    ++missing;
                between += count(image, QRect(x, static_cast<int>(grid.py(grid.cellY(j)) - rowGap), 1, 1), cyan);
            }
        EXPECT_EQ(missing, 0) << "arrows missing at their cells";
        EXPECT_EQ(between, 0) << "arrows between the lattice rows";
    }
}

// Each streamline spans the streamline length in physical pixels of the
// smaller size: on both grids 0.09 per pixel rather than 0.1, 15 steps of 0.18
// each way, so 54 px across the wide grid's 10 px per unit and 60 px across the
// tall one's 11.1. It is centred on its seed, half a spacing inside the image.
TEST_F(QuantumGLViewOverlays, StreamlinesSpanTheirLengthInPixels)
{
    for (const OverlayGrid& g : {kWide, kTall}) {
        SCOPED_TRACE(g.nx > g.ny ? "wide grid" : "tall grid");
        useGrid(g);
        view->setCurrentMode(1);
        view->setCurrentSpacing(120);
        view->setStreamlineLength(60);
        view->setCurrentField(current(1.0f, 0.0f, [](double, double) { return true; }));
        const QImage image = render();
        const double unitsPerPixel = std::min(g.nx * g.dx / grid.width(), g.ny * g.dy / grid.height());
        const double across = 30 * 2.0 * unitsPerPixel * grid.width() / (g.nx * g.dx);
        // The first seed row lies at top() + 60, its first seed at left() + 60.
        int widest = 0;
        int first = 400;
        int last = -1;
        for (int y = top() + 58; y <= top() + 62; ++y) {
            widest = std::max(widest, count(image, QRect(left(), y, 120, 1), lit));
            for (int x = left(); x < left() + 120; ++x)
                if (lit(image.pixel(x, y))) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        }
        // The pen's square caps add half its width of 1.15 px at each end.
        EXPECT_NEAR(widest, across + 1.15, 1.5) << "pixels across, from " << first << " to " << last;
        EXPECT_NEAR((first + last + 1) / 2.0, grid.left() + 60.0, 1.5) << "centre of the first streamline";
    }
}

// Streamline seeds lie half a spacing apart from the image's left and top
// edges and a whole spacing apart from each other, short of the right and
// bottom edges: 32 px over 400 px puts the next seed exactly on the far edge,
// which gets none. Zoomed in, so that the edge shows current to trace, a
// current along that edge would show a seed there.
TEST_F(QuantumGLViewOverlays, StreamlineSeedsStopShortOfTheFarEdges)
{
    struct Case {
        OverlayGrid grid;
        float jx, jy;
        bool bottomEdge;
    };
    for (const Case& c : {Case{kWide, 0.0f, 1.0f, false}, Case{kTall, 1.0f, 0.0f, true}}) {
        SCOPED_TRACE(c.bottomEdge ? "bottom edge" : "right edge");
        useGrid(c.grid);
        view->setCurrentMode(1);
        view->setCurrentSpacing(32);
        view->setStreamlineLength(60);
        view->setCurrentField(current(c.jx, c.jy, [](double, double) { return true; }));
        view->resetView();
        render();
        const QPointF centre = view->imageRect().center();
        QWheelEvent wheel(centre, view->mapToGlobal(centre.toPoint()), QPoint(), QPoint(0, 600), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
        ASSERT_GT(view->geometry().navigation.zoom, 1.5f);
        const QImage image = render();
        const QRect lastSeeds =
            c.bottomEdge ? QRect(left(), bottom() - 33, 400, 2) : QRect(right() - 33, top(), 2, 400);
        const QRect edge = c.bottomEdge ? QRect(left(), bottom() - 2, 400, 2) : QRect(right() - 2, top(), 2, 400);
        EXPECT_GT(count(image, lastSeeds, lit), 100) << "streamlines of the last seeds";
        EXPECT_EQ(count(image, edge, lit), 0) << "streamlines on the far edge";
    }
}

TEST_F(QuantumGLViewOverlays, MarkersSitAtTheirMeasuredPositions)
{
    view->setMeasurementMarkerSize(10.0f);
    view->setMeasurementMarkers({{-10.0f, 5.0f}, {7.5f, -12.0f}});
    QImage image = render();
    EXPECT_TRUE(yellow(image.pixel(px(-10.0), py(5.0))));
    EXPECT_TRUE(yellow(image.pixel(px(7.5), py(-12.0))));
    EXPECT_EQ(count(image, QRect(0, 0, 400, 400), yellow),
              count(image, QRect(px(-10.0) - 6, py(5.0) - 6, 13, 13), yellow) +
                  count(image, QRect(px(7.5) - 6, py(-12.0) - 6, 13, 13), yellow));

    // A disc of the marker size (at most 12 px) inside a light outline 0.8 px
    // wide: about pi (6 + 0.4)^2 pixels lit, 2 pi 6 0.8 of them mostly outline
    // (blue well above the fill's).
    view->setMeasurementMarkerSize(20.0f);
    view->setMeasurementMarkers({{-10.0f, 4.956f}}); // a centre off the pixel grid
    image = render();
    const QRect box(px(-10.0) - 10, py(5.0) - 10, 21, 21);
    const double pi = 3.141592653589793;
    EXPECT_NEAR(count(image, box, lit), pi * 6.4 * 6.4, 6.0) << "disc area";
    EXPECT_NEAR(count(image, box, [](QRgb p) { return qBlue(p) > 110; }), 2.0 * pi * 6.0 * 0.8, 8.0) << "outline area";

    // Markers follow zoom: after zooming about a marker it stays under the cursor.
    view->clearMeasurementMarkers();
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0);
}

// Detections on the detector's line (arrival and screen shots all carry its
// x) stand on a dark strip of screen beside the line, spread across it at
// their heights, over the section line a lesson lays on the detector: each
// reads as a point of its own. A shot off the line stays where it was taken.
TEST_F(QuantumGLViewOverlays, DetectionsOnTheDetectorLineStandApartOnAStripBesideIt)
{
    view->setDetectorVisible(true);
    view->setDetector(10.0f, 0.32f, 8);
    view->setCrossSectionLineVisible(true);
    view->setCrossSectionLine(1, 10.0f);
    std::vector<MeasurementShot> shots;
    for (int k = 0; k <= 200; ++k)
        shots.push_back({10.0f, -10.0f + 0.1f * float(k)});
    shots.push_back({-10.0f, 5.0f});
    view->setMeasurementMarkerSize(3.0f);
    view->setMeasurementMarkers(shots);
    const QImage image = render();
    const QRect strip(px(10.0) - 60, top(), 56, bottom() - top()); // left of the line, clear of its ink
    int columns = 0;
    for (int x = strip.left(); x <= strip.right(); ++x)
        columns += count(image, QRect(x, strip.top(), 1, strip.height()), yellow) > 0 ? 1 : 0;
    EXPECT_GE(columns, 10) << "the detections spread across the strip";
    EXPECT_EQ(count(image, QRect(strip.left() - 100, top(), 100, bottom() - top()), yellow), 0)
        << "none far from the line";
    const QRect marks = box(image, strip, yellow);
    ASSERT_FALSE(marks.isEmpty()) << "no detection beside the line";
    EXPECT_NEAR(marks.top(), py(10.0), 3.0) << "the highest detection at its height";
    EXPECT_NEAR(marks.bottom(), py(-10.0), 3.0) << "the lowest at its";
    // Between the detections the strip is darker than the field's black
    // around it would show a mark: nothing but the marks is lit there.
    EXPECT_EQ(count(image, QRect(strip.left(), py(-12.0), strip.width(), 6), lit), 0) << "below the lowest";
    EXPECT_TRUE(yellow(image.pixel(px(-10.0), py(5.0)))) << "the shot off the line at its place";
    view->setDetectorVisible(false);
    EXPECT_EQ(count(render(), strip.adjusted(0, 0, -10, 0), yellow), 0)
        << "without the detector the shots stand on their line";
}

// The strip lies left of the line and keeps clear of it by its gap: the
// detections stand between the gap and the strip's outer edge, and the dark
// band under them covers that stretch of the field over the whole domain
// height, leaving the field lit past its outer edge and over the line.
TEST_F(QuantumGLViewOverlays, TheDetectionsStripDarkensTheFieldLeftOfTheLineClearOfIt)
{
    const float markerSize = 3.0f;
    const ScreenStrip strip = screenStripFor(markerSize);
    view->setDetectorVisible(true);
    view->setDetector(10.0f, 0.32f, 8);
    std::vector<MeasurementShot> shots;
    for (int k = 0; k <= 40; ++k)
        shots.push_back({10.0f, -10.0f + 0.1f * float(k)}); // y in [-10, -6]
    view->setMeasurementMarkerSize(markerSize);
    view->setMeasurementMarkers(shots);
    const int line = px(10.0);
    const int inner = static_cast<int>(std::floor(grid.px(10.0) - strip.gap));
    const int outer = static_cast<int>(std::ceil(grid.px(10.0) - strip.gap - strip.width - markerSize));

    QImage image = render();
    const QRect detections(0, py(-6.0) - 3, 400, py(-10.0) - py(-6.0) + 7);
    const QRect marks = box(image, detections, yellow);
    ASSERT_FALSE(marks.isEmpty()) << "no detection drawn";
    EXPECT_LE(marks.right(), inner) << "a detection over the gap or the line";
    EXPECT_GE(marks.left(), outer) << "a detection past the strip";
    EXPECT_GE(marks.width(), strip.width / 2.0) << "the detections spread across the strip";

    // A uniform density lights the picture evenly; the band dims it.
    ComplexField2D psi(grid.nx, grid.ny, grid.dx, grid.dy);
    psi.fill(Complex(1.0f, 0.0f));
    view->setFrame(psi, PotentialField2D(), 0);
    image = render();
    const auto brightness = [&image](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return qRed(p) + qGreen(p) + qBlue(p);
    };
    const int row = py(5.0); // far above the detections
    const int field = brightness(px(-10.0), row);
    ASSERT_GT(field, 120) << "the field is lit";
    EXPECT_LT(brightness((inner + outer) / 2, row), field / 2) << "the strip's middle is dimmed";
    EXPECT_LT(brightness((inner + outer) / 2, top() + 2), field / 2) << "up to the domain's top";
    EXPECT_NEAR(brightness(outer - 8, row), field, field / 10) << "past the strip's outer edge";
    EXPECT_GE(brightness(line + 6, row), field * 9 / 10) << "right of the line";
}

// The solenoid of an enclosed flux: a bright ring of its radius about its
// centre, round on cells of unequal sides, the field's direction at the
// centre (a dot for a positive flux, a cross for a negative one), and
// nothing when hidden or without a radius.
TEST_F(QuantumGLViewOverlays, TheFluxTubeIsABrightRingWithTheFieldsDirectionInside)
{
    const auto violet = [](QRgb p) { return qBlue(p) > 170 && qRed(p) > 120 && qGreen(p) < qRed(p); };
    const auto bright = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 3 * 128; };
    for (const OverlayGrid& g : {kWide, kTall}) {
        SCOPED_TRACE(g.nx > g.ny ? "wide grid" : "tall grid");
        useGrid(g);
        view->setFluxTube(true, -5.0f, 3.0f, 2.0f, 0.5f);
        const QImage image = render();
        const double r = grid.px(-3.0) - grid.px(-5.0);
        for (int k = 0; k < 8; ++k) {
            const double a = k * 3.141592653589793 / 4.0;
            const QPointF at(grid.px(-5.0) + r * std::cos(a), grid.py(3.0) - r * std::sin(a));
            EXPECT_GT(count(image, QRect(at.toPoint() - QPoint(1, 1), QSize(3, 3)), violet), 0) << "ring at " << k;
        }
        const QRect ring = box(image, image.rect(), violet);
        EXPECT_NEAR(ring.width(), 2.0 * r, 4.0);
        EXPECT_NEAR(ring.height(), 2.0 * r, 4.0) << "round";
        const QPoint centre(px(-5.0), py(3.0));
        const auto around = [&](const QImage& im) {
            int n = 0;
            for (const QPoint& d : {QPoint(3, 0), QPoint(-3, 0), QPoint(0, 3), QPoint(0, -3)})
                n += bright(im.pixel(centre + d)) ? 1 : 0;
            return n;
        };
        EXPECT_TRUE(bright(image.pixel(centre))) << "the dot at the centre";
        EXPECT_EQ(around(image), 4) << "a dot fills the centre";
        view->setFluxTube(true, -5.0f, 3.0f, 2.0f, -0.5f);
        const QImage into = render();
        EXPECT_TRUE(bright(into.pixel(centre))) << "the cross at the centre";
        EXPECT_LE(around(into), 1) << "a cross leaves its sides open";
        // Its ink is what it adds to the tube without a flux, whose hatching
        // runs along one of its diagonals.
        view->setFluxTube(true, -5.0f, 3.0f, 2.0f, 0.0f);
        const QImage plain = render();
        const auto sum = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); };
        for (const QPoint& d : {QPoint(3, 3), QPoint(-3, 3), QPoint(3, -3), QPoint(-3, -3)}) {
            int inked = 0;
            for (int y = -1; y <= 1; ++y)
                for (int x = -1; x <= 1; ++x)
                    inked +=
                        sum(into.pixel(centre + d + QPoint(x, y))) > sum(plain.pixel(centre + d + QPoint(x, y))) + 60;
            EXPECT_GT(inked, 0) << "the cross reaches out along both diagonals, to " << d.x() << ", " << d.y();
        }
    }
    view->setFluxTube(false, -5.0f, 3.0f, 2.0f, 0.5f);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), violet), 0) << "hidden";
    view->setFluxTube(true, -5.0f, 3.0f, 0.0f, 0.5f);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), violet), 0) << "no radius";
}

TEST_F(QuantumGLViewOverlays, SectionLineAndContoursAreDrawnWhereTheyBelong)
{
    // Lines run across the whole domain, on grids wider and higher than long.
    view->setCrossSectionLineVisible(true);
    for (const OverlayGrid& g : {kWide, kTall}) {
        SCOPED_TRACE(g.nx > g.ny ? "wide grid" : "tall grid");
        useGrid(g);
        view->setCrossSectionLine(1, 3.0f);
        QImage image = render();
        EXPECT_EQ(dashRows(image, px(3.0), top(), orange), 6) << "vertical line starting at the domain top";
        EXPECT_GT(count(image, QRect(px(3.0) - 1, bottom() - 12, 3, 12), orange), 0) << "at the bottom";
        EXPECT_GT(count(image, QRect(px(3.0) + 3, top() + 3, 40, 18), lit), 20) << "its label at the top";
        // A line on the left edge of the domain is still inside: it keeps its label.
        view->setCrossSectionLine(1, static_cast<float>(-0.5 * g.nx * g.dx));
        EXPECT_GT(count(render(), QRect(left() + 3, top() + 3, 40, 18), lit), 20) << "label of a line on the left edge";
        view->setCrossSectionLine(0, -3.0f);
        image = render();
        EXPECT_GT(count(image, QRect(left(), py(-3.0) - 1, 4, 3), orange), 0) << "horizontal line at the left";
        EXPECT_GT(count(image, QRect(right() - 12, py(-3.0) - 1, 12, 3), orange), 0) << "at the right";
    }
    useGrid(kWide);

    // A line just below the domain is outside the image: no label, whose box
    // would otherwise reach into the image's bottom rows.
    view->setCrossSectionLineVisible(true);
    view->setCrossSectionLine(0, -15.3f); // 9 px below the bottom edge
    EXPECT_EQ(count(render(), QRect(left(), bottom() - 14, 80, 14), lit), 0) << "no label below the image";
    // Nor for a vertical line just left of the image, whose label would start inside it.
    view->setCrossSectionLine(1, -20.3f); // 3 px left of the left edge
    EXPECT_EQ(count(render(), QRect(left(), top(), 80, 30), lit), 0) << "no label left of the image";

    view->setCrossSectionLine(0, 5.0f);
    QImage image = render();
    EXPECT_GT(count(image, QRect(60, py(5.0) - 1, 340, 3), orange), 150);
    // Its label box sits at the left end just above the line, its border 4 px inside the image.
    EXPECT_GT(count(image, QRect(0, py(5.0) - 25, 70, 22), lit), 20);
    EXPECT_GT(count(image, QRect(left() + 3, py(5.0) - 25, 3, 22), lit), 5);
    EXPECT_EQ(count(image, QRect(left(), py(5.0) - 25, 2, 22), lit), 0);
    // Its top border lies 3 px above the text's ascent, the text 6 px above the line.
    QFont font = view->font();
    font.setPixelSize(std::max(font.pixelSize(), 13));
    font.setWeight(63);
    const int boxTop = static_cast<int>(std::lround(py(5.0) - 6.0 - QFontMetricsF(font).ascent() - 3.0));
    EXPECT_GT(count(image, QRect(left() + 10, boxTop - 1, 30, 3), lit), 10) << "top border";
    EXPECT_EQ(count(image, QRect(left() + 10, boxTop - 6, 30, 4), lit), 0) << "above the box";

    view->setCrossSectionLine(1, -8.0f);
    image = render();
    EXPECT_GT(count(image, QRect(px(-8.0) - 1, 30, 3, 370), orange), 150);
    EXPECT_EQ(count(image, QRect(px(-8.0) + 4, py(5.0) - 1, 400, 3), orange), 0); // the old line is gone
    // Its label box, anchored 18 px below the image top, is the font's height and 6 px more.
    const int boxBottom = static_cast<int>(
        std::lround(top() + 18.0 - QFontMetricsF(font).ascent() - 3.0 + QFontMetricsF(font).height() + 6.0));
    EXPECT_GT(count(image, QRect(px(-8.0) + 10, boxBottom - 1, 20, 3), lit), 10) << "bottom border";
    EXPECT_EQ(count(image, QRect(px(-8.0) + 10, boxBottom + 3, 20, 4), lit), 0) << "below the box";
    // A horizontal line on the bottom edge is inside: its label stands above it.
    view->setCrossSectionLine(0, static_cast<float>(-0.5 * grid.ny * grid.dy));
    EXPECT_GT(count(render(), QRect(left() + 3, bottom() - 25, 40, 18), lit), 20)
        << "label of a line on the bottom edge";
    // So is one on the top edge: its label stands above it, outside the image,
    // but the box of a large font reaches below the line by its descent less 3 px.
    const QFont normal = view->font();
    QFont large = normal;
    large.setPixelSize(40);
    view->setFont(large);
    const QFontMetricsF largeMetrics(large);
    const double ey = grid.ny * grid.dy;
    const int largeBoxBottom =
        static_cast<int>(std::lround(top() - 6.0 - largeMetrics.ascent() - 3.0 + largeMetrics.height() + 6.0));
    ASSERT_GE(largeBoxBottom, top() + 4);
    view->setCrossSectionLine(0, static_cast<float>(0.5 * ey));
    EXPECT_GT(count(render(), QRect(left() + 10, largeBoxBottom - 1, 30, 3), lit), 10)
        << "label of a line on the top edge";
    view->setCrossSectionLine(0, static_cast<float>(0.5 * ey + 0.3)); // 3 px above the image
    EXPECT_EQ(count(render(), QRect(left() + 10, top() + 1, 30, largeBoxBottom - top() + 2), lit), 0)
        << "no label above the image";
    view->setFont(normal);

    // The rule compares a vertical line's x with the image's sides and a
    // horizontal line's y with its top and bottom, also where the image lies
    // lower than it is wide or further right than it is high.
    struct Narrow {
        QSize viewSize;
        OverlayGrid grid;
        std::uint32_t orientation;
        float coordinate;
    };
    for (const Narrow& n : {Narrow{QSize(120, 400), kWide, 1, 3.0f}, Narrow{QSize(400, 120), kTall, 0, -3.0f}}) {
        view->resize(n.viewSize);
        useGrid(n.grid);
        view->setCrossSectionLine(n.orientation, n.coordinate);
        image = render();
        const QRectF shown = view->imageRect();
        if (n.orientation == 1) {
            ASSERT_GT(shown.top(), shown.right());
            const int lineX = static_cast<int>(std::lround(view->worldToWidget(n.coordinate, 0.0f).x()));
            EXPECT_GT(count(image, QRect(lineX + 3, static_cast<int>(shown.top()) + 3, 40, 18), lit), 20)
                << "label of a vertical line in a narrow view";
        } else {
            ASSERT_GT(shown.left(), shown.bottom());
            const int lineY = static_cast<int>(std::lround(view->worldToWidget(0.0f, n.coordinate).y()));
            EXPECT_GT(count(image, QRect(static_cast<int>(shown.left()) + 3, lineY - 25, 40, 18), lit), 20)
                << "label of a horizontal line in a low view";
        }
    }
    view->resize(400, 400);
    useGrid(kWide);

    view->setCrossSectionLineVisible(false);
    PotentialField2D v(grid.nx, grid.ny, grid.dx, grid.dy);
    v.addRectangle(0.0f, 0.0f, 10.0f, 10.0f, 3.0f);
    view->setPotentialOverlayVisible(false);
    view->setFrame(ComplexField2D(grid.nx, grid.ny, grid.dx, grid.dy), v, 0);
    view->setPotentialContours(buildPotentialContours(v, 4));
    image = render();
    // The outline lies between the last cells inside (|x| <= 4.75, |y| <= 4.725) and the first outside.
    EXPECT_GT(count(image, QRect(px(-5.0) - 3, py(4.0), 7, py(-4.0) - py(4.0)), yellow), 60);
    EXPECT_EQ(count(image, QRect(px(-3.0), py(3.0), 60, 60), yellow), 0);
    view->setPotentialContourOpacity(0.0f);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0);
    view->setPotentialContourOpacity(1.0f);
    view->setPotentialContoursVisible(false);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0) << "hidden contours";
}

// The section line is a thin dashed rule over the density: across it, where
// a dash lies, its ink (the red it adds over the black scene, against its
// brightest pixel's) adds up to one pixel at least and two at most,
// horizontal or vertical; along it dashes and gaps alternate.
TEST_F(QuantumGLViewOverlays, SectionLineIsAThinDashedRule)
{
    view->setCrossSectionLineVisible(true);
    for (const std::uint32_t orientation : {0u, 1u}) {
        SCOPED_TRACE(orientation == 0 ? "horizontal" : "vertical");
        const float coordinate = orientation == 0 ? 5.0f : -8.0f;
        view->setCrossSectionLine(orientation, coordinate);
        const QImage image = render();
        const int across = orientation == 0 ? py(coordinate) : px(coordinate);
        // Along the line, away from its label at the start.
        const int from = orientation == 0 ? left() + 120 : top() + 60;
        const int to = orientation == 0 ? right() - 10 : bottom() - 10;
        int brightest = 0;
        for (int a = from; a <= to; ++a)
            for (int c = across - 4; c <= across + 4; ++c)
                brightest = std::max(brightest, qRed(orientation == 0 ? image.pixel(a, c) : image.pixel(c, a)));
        ASSERT_GT(brightest, 150) << "the line is drawn";
        double widest = 0.0;
        int dashes = 0;
        bool inDash = false;
        for (int a = from; a <= to; ++a) {
            double ink = 0.0;
            for (int c = across - 4; c <= across + 4; ++c)
                ink += qRed(orientation == 0 ? image.pixel(a, c) : image.pixel(c, a)) / double(brightest);
            widest = std::max(widest, ink);
            const bool lit = ink > 0.5;
            dashes += lit && !inDash ? 1 : 0;
            inDash = lit;
        }
        EXPECT_GE(widest, 1.0);
        EXPECT_LE(widest, 2.0 + 1e-9);
        // Dashes a few pixels long: many along the span, each shorter than a tenth of it.
        EXPECT_GT(dashes, (to - from) / 20) << "dashes along " << to - from << " px";
    }
}

// Cells that make the grid look wide (96 x 64) on a tall domain (0.25 x 0.5
// cells: 24 x 32): the picture takes the domain's shape, 300 x 400 from x = 50,
// a length unit 12.5 px along both axes, and everything drawn over it lands on
// its physical coordinates.
constexpr OverlayGrid kCountsWideDomainTall{96, 64, 0.25f, 0.5f};

TEST_F(QuantumGLViewOverlays, SceneCirclesAreRoundAndOverlaysLandOnTheirCoordinates)
{
    useGrid(kCountsWideDomainTall);
    render(); // the first paint uploads the frame, which gives the image rectangle
    ASSERT_NEAR(view->imageRect().left(), 50.0, 1e-3);
    ASSERT_NEAR(view->imageRect().width(), 300.0, 1e-3);

    // A circle of radius 6 at (-3, 4): its potential overlay and its contour
    // light a square box of 2 * 6 * 12.5 = 150 px about its centre.
    PotentialField2D v(grid.nx, grid.ny, grid.dx, grid.dy);
    v.addCircle(-3.0f, 4.0f, 6.0f, 2.0f);
    view->setFrame(ComplexField2D(grid.nx, grid.ny, grid.dx, grid.dy), v, 0);
    for (bool contour : {false, true}) {
        SCOPED_TRACE(contour ? "contour" : "potential overlay");
        view->setPotentialOverlayVisible(!contour);
        if (contour)
            view->setPotentialContours(buildPotentialContours(v, 4));
        const QRect box = test::litBoundingBox(render(), 60);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_LE(std::abs(box.width() - box.height()), 1) << "round, not " << box.width() << " x " << box.height();
        EXPECT_NEAR(box.width(), 150.0, 6.0);
        EXPECT_NEAR(box.center().x(), grid.px(-3.0), 1.5);
        EXPECT_NEAR(box.center().y(), grid.py(4.0), 1.5);
    }
    view->setPotentialOverlayVisible(false);
    view->clearPotentialContours();

    // The section line (vertical at x = 6, then horizontal at y = -8), the
    // detector line at x = -6 and a shot at (3, 8).
    view->setCrossSectionLineVisible(true);
    view->setCrossSectionLine(1, 6.0f);
    EXPECT_GT(count(render(), QRect(274, 100, 3, 300), orange), 100) << "x = 6 at 50 + 12.5 * 18 = 275";
    view->setCrossSectionLine(0, -8.0f);
    EXPECT_GT(count(render(), QRect(100, 299, 200, 3), orange), 60) << "y = -8 at 12.5 * 24 = 300";
    view->setCrossSectionLineVisible(false);
    view->setDetectorVisible(true);
    view->setDetector(-6.0f, 0.01f, 8);
    const QImage detector = render();
    EXPECT_GT(count(detector, QRect(124, 0, 3, 400), cyan), 150) << "x = -6 at 50 + 12.5 * 6 = 125";
    EXPECT_EQ(count(detector, QRect(0, 0, 122, 400), cyan), 0);
    view->setDetectorVisible(false);
    view->setMeasurementMarkerSize(6.0f);
    view->setMeasurementMarkers({{3.0f, 8.0f}});
    const QRect shot = test::litBoundingBox(render(), 200);
    EXPECT_NEAR(shot.center().x(), 237.5, 1.0) << "x = 3 at 50 + 12.5 * 15";
    EXPECT_NEAR(shot.center().y(), 100.0, 1.0) << "y = 8 at 12.5 * 8";
}

TEST_F(QuantumGLViewOverlays, ProbabilityContoursTakeTheColourOfTheirLevel)
{
    // Horizontal segments at y = 5 (fraction 0.42) and y = -5, -10 with a NaN
    // level: a level equal to nothing must still be drawn, and drawn once.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ProbabilityContourSet set;
    set.levels = {0.1f};
    set.segments = {{-15.0f, 5.0f, 15.0f, 5.0f, 0.1f, 0.42f},
                    {-15.0f, -5.0f, 15.0f, -5.0f, nan, 0.1f},
                    {-15.0f, -10.0f, 15.0f, -10.0f, nan, 0.1f}};
    view->setProbabilityContourOpacity(1.0f);
    view->setProbabilityContourWidth(3.0f);
    view->setProbabilityContours(set);
    const QImage image = render();
    auto near = [](QRgb p, int r, int g, int b) {
        return std::abs(qRed(p) - r) <= 3 && std::abs(qGreen(p) - g) <= 3 && std::abs(qBlue(p) - b) <= 3;
    };
    EXPECT_TRUE(near(image.pixel(px(0.0), py(5.0)), 80, 235, 210));
    EXPECT_TRUE(near(image.pixel(px(0.0), py(-5.0)), 15, 120, 255));
    EXPECT_TRUE(near(image.pixel(px(0.0), py(-10.0)), 15, 120, 255));
    EXPECT_EQ(count(image, QRect(0, py(0.0) - 20, 400, 40), lit), 0);
    view->setProbabilityContoursVisible(false);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), lit), 0) << "hidden contours";
}

TEST_F(QuantumGLViewOverlays, EditorPreviewShowsTheShapeBeingDrawn)
{
    view->setViewportEditEnabled(true);
    render(); // the first paint gives the image rectangle the mouse maps through
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100.0, 100.0), QPointF(100.0, 100.0), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &press);
    // Before any move the preview is the pressed point alone.
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), count(render(), QRect(96, 96, 9, 9), yellow))
        << "preview right after the press";
    QMouseEvent move(QEvent::MouseMove, QPointF(200.0, 160.0), QPointF(200.0, 160.0), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    const QImage image = render();
    EXPECT_GT(count(image, QRect(98, 98, 5, 64), yellow), 20);   // left edge
    EXPECT_GT(count(image, QRect(98, 157, 104, 5), yellow), 40); // bottom edge
    EXPECT_EQ(count(image, QRect(210, 0, 190, 400), yellow), 0);

    // A circle about the press point through the cursor: 50 px from (200, 200) to (230, 240).
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(200.0, 160.0), QPointF(200.0, 160.0), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &release);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0) << "preview after the release";
    view->setEditTool(1);
    QMouseEvent centre(QEvent::MouseButtonPress, QPointF(200.0, 200.0), QPointF(200.0, 200.0), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &centre);
    QMouseEvent through(QEvent::MouseMove, QPointF(230.0, 240.0), QPointF(230.0, 240.0), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(view.get(), &through);
    const QImage circle = render();
    int ring = 0, beyond = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const double r = std::hypot(x - 200.0, y - 200.0);
            if (yellow(circle.pixel(x, y)))
                (std::fabs(r - 50.0) <= 3.0 ? ring : beyond) += 1;
        }
    EXPECT_GT(ring, 100) << "on the circle";
    EXPECT_EQ(beyond, 0) << "off the circle";
}

} // namespace
} // namespace vxo
