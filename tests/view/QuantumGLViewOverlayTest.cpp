#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "core/ProbabilityCurrent2D.h"
#include "view/ContourExtraction.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace vxo {
namespace {


// Painted overlays over a black scene: a 400 x 400 view of a 40 x 40 domain
// (64 cells of 0.625), so the physical point (x, y) is at pixel
// (200 + 10 x, 200 - 10 y).
class QuantumGLViewOverlays : public test::ShownViewTest {
protected:
    static constexpr std::uint64_t kCells = 64;
    static constexpr float kCell = 0.625f;

    void prepareView() override
    {
        view->setCrossSectionLineVisible(false); // on by default; each test turns on what it draws
        view->setFrame(ComplexField2D(kCells, kCells, kCell, kCell), PotentialField2D(), 0);
    }

    QImage render() { return test::renderedImage(*view); }

    // A current J = (jx, jy) wherever inside(x, y) holds, 0 elsewhere.
    static ProbabilityCurrent2D current(float jx, float jy, const std::function<bool(double, double)>& inside)
    {
        ProbabilityCurrent2D c;
        c.nx = c.ny = kCells;
        c.dx = c.dy = kCell;
        c.jx.assign(kCells * kCells, 0.0f);
        c.jy.assign(kCells * kCells, 0.0f);
        for (std::uint64_t j = 0; j < kCells; ++j)
            for (std::uint64_t i = 0; i < kCells; ++i) {
                const double x = (static_cast<double>(i) - 31.5) * kCell;
                const double y = (static_cast<double>(j) - 31.5) * kCell;
                if (inside(x, y)) {
                    c.jx[j * kCells + i] = jx;
                    c.jy[j * kCells + i] = jy;
                }
            }
        c.maxMagnitude = std::hypot(jx, jy);
        return c;
    }

    static int px(double x) { return static_cast<int>(std::lround(200.0 + 10.0 * x)); }
    static int py(double y) { return static_cast<int>(std::lround(200.0 - 10.0 * y)); }

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
    view->setDetector(10.0f, 1.0f, 8); // bins of 50 px, 20 px wide histogram... up to 80 px
    QImage image = render();
    // The dashed centre line at x = 10 covers about half of the column.
    const int line = count(image, QRect(px(10.0) - 1, 0, 3, 400), cyan);
    EXPECT_GT(line, 150);
    EXPECT_EQ(count(image, QRect(0, 0, px(9.0), 400), cyan), 0);

    // Markers at y = 12 (bin 6 of 8 over [-20, 20]): a histogram bar to the right of the line.
    view->setMeasurementMarkersVisible(false);
    view->setMeasurementMarkers({{10.0f, 12.0f}, {10.0f, 12.5f}});
    image = render();
    const QRect bar(px(10.0) + 6, 400 - 7 * 50 + 2, 70, 46); // rows of bin 6
    EXPECT_GT(count(image, bar, lit), 1500);
    EXPECT_EQ(count(image, QRect(px(10.0) + 6, 400 - 50 + 2, 70, 46), lit), 0); // bin 0 is empty

    // Reference curve: flux only in the upper rows reaches out at the top bins.
    std::vector<double> flux(64, 0.0);
    for (std::size_t r = 56; r < 64; ++r)
        flux[r] = 1.0;
    view->setDetectorDistribution(flux, true);
    image = render();
    EXPECT_GT(count(image, QRect(px(10.0) + 60, 0, 30, 50), yellow), 5);
    view->setDetectorDistribution(flux, false);
    image = render();
    EXPECT_EQ(count(image, QRect(px(10.0) + 60, 0, 30, 50), yellow), 0);
}

TEST_F(QuantumGLViewOverlays, MarkersSitAtTheirMeasuredPositions)
{
    view->setMeasurementMarkerSize(10.0f);
    view->setMeasurementMarkers({{-10.0f, 5.0f}, {7.5f, -12.0f}});
    QImage image = render();
    EXPECT_TRUE(yellow(image.pixel(px(-10.0), py(5.0))));
    EXPECT_TRUE(yellow(image.pixel(px(7.5), py(-12.0))));
    EXPECT_EQ(count(image, QRect(0, 0, 400, 400), yellow), count(image, QRect(px(-10.0) - 6, py(5.0) - 6, 13, 13), yellow)
                                                            + count(image, QRect(px(7.5) - 6, py(-12.0) - 6, 13, 13), yellow));

    // Markers follow zoom: after zooming about a marker it stays under the cursor.
    view->clearMeasurementMarkers();
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0);
}

TEST_F(QuantumGLViewOverlays, SectionLineAndContoursAreDrawnWhereTheyBelong)
{
    view->setCrossSectionLineVisible(true);
    view->setCrossSectionLine(0, 5.0f);
    QImage image = render();
    EXPECT_GT(count(image, QRect(60, py(5.0) - 1, 340, 3), orange), 150);
    // Its label box sits at the left end just above the line.
    EXPECT_GT(count(image, QRect(0, py(5.0) - 25, 70, 22), lit), 20);

    view->setCrossSectionLine(1, -8.0f);
    image = render();
    EXPECT_GT(count(image, QRect(px(-8.0) - 1, 30, 3, 370), orange), 150);
    EXPECT_EQ(count(image, QRect(px(-8.0) + 4, py(5.0) - 1, 400, 3), orange), 0); // the old line is gone

    view->setCrossSectionLineVisible(false);
    PotentialField2D v(kCells, kCells, kCell, kCell);
    v.addRectangle(0.0f, 0.0f, 10.0f, 10.0f, 3.0f);
    view->setPotentialOverlayVisible(false);
    view->setFrame(ComplexField2D(kCells, kCells, kCell, kCell), v, 0);
    view->setPotentialContours(buildPotentialContours(v, 4));
    image = render();
    // The outline lies between the last cells inside (|x| <= 4.6875) and the first outside.
    EXPECT_GT(count(image, QRect(px(-5.0) - 3, py(4.0), 7, py(-4.0) - py(4.0)), yellow), 60);
    EXPECT_EQ(count(image, QRect(px(-3.0), py(3.0), 60, 60), yellow), 0);
    view->setPotentialContourOpacity(0.0f);
    EXPECT_EQ(count(render(), QRect(0, 0, 400, 400), yellow), 0);
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
}

TEST_F(QuantumGLViewOverlays, EditorPreviewShowsTheShapeBeingDrawn)
{
    view->setViewportEditEnabled(true);
    render(); // the first paint gives the image rectangle the mouse maps through
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100.0, 100.0), QPointF(100.0, 100.0), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(200.0, 160.0), QPointF(200.0, 160.0), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    const QImage image = render();
    EXPECT_GT(count(image, QRect(98, 98, 5, 64), yellow), 20);   // left edge
    EXPECT_GT(count(image, QRect(98, 157, 104, 5), yellow), 40); // bottom edge
    EXPECT_EQ(count(image, QRect(210, 0, 190, 400), yellow), 0);
}

} // namespace
} // namespace vxo
