#include "view/OverlayGeometry.h"
#include "view/ViewportMapping.h"

#include "core/ProbabilityCurrent2D.h"
#include "core/ProbabilityStreamlines2D.h"
#include "view/QuantumGLView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace vxo {
namespace {

ViewNavigation navigation(float ex, float ey, float zoom, float panX, float panY)
{
    ViewNavigation n;
    n.viewExtentX = ex;
    n.viewExtentY = ey;
    n.zoom = zoom;
    n.panX = panX;
    n.panY = panY;
    return n;
}

TEST(ViewportMapping, ImageRectangleAndLetterbox)
{
    EXPECT_EQ(drawnImageRect(256, 128, 800.0, 600.0, 1.0), QRectF(0.0, 100.0, 800.0, 400.0));
    EXPECT_EQ(drawnImageRect(128, 256, 800.0, 600.0, 1.0), QRectF(250.0, 0.0, 300.0, 600.0));
    // No image without a texture or a widget area, on either axis.
    for (const QRectF& none : {drawnImageRect(0, 128, 800.0, 600.0, 1.0), drawnImageRect(128, 0, 800.0, 600.0, 1.0),
                               drawnImageRect(64, 32, 0.0, 600.0, 1.0), drawnImageRect(64, 32, 800.0, 0.0, 1.0)})
        EXPECT_EQ(none, QRectF());
    // One texel along an axis is a texture.
    EXPECT_EQ(drawnImageRect(1, 8, 800.0, 600.0, 1.0), QRectF(362.0, 0.0, 75.0, 600.0));
    EXPECT_EQ(drawnImageRect(8, 1, 800.0, 600.0, 1.0), QRectF(0.0, 250.0, 800.0, 100.0));
    // Where the picture's margins are odd it lies on whole pixels: a margin
    // of 101 pixels gives 50 on the left (the render pass's integer halving)
    // and, counted from the bottom as OpenGL counts, 50 below and 51 above.
    EXPECT_EQ(drawnImageRect(1, 1, 401.0, 300.0, 1.0), QRectF(50.0, 0.0, 300.0, 300.0));
    EXPECT_EQ(drawnImageRect(1, 1, 300.0, 401.0, 1.0), QRectF(0.0, 51.0, 300.0, 300.0));
    // At a device pixel ratio the device pixels are divided by it: a
    // 301 x 200 widget at 1.5 is 452 x 300 device pixels, the square
    // 300 x 300 at x = 76.
    EXPECT_EQ(drawnImageRect(1, 1, 301.0, 200.0, 1.5), QRectF(76.0 / 1.5, 0.0, 200.0, 200.0));
    // Bands above and below on such a screen: a 200 x 303 widget at 1.5 is
    // 300 x 455 device pixels (454.5 rounded); the square 300 x 300 leaves
    // 155 rows, 77 below and 78 above, 52 logical pixels from the top. A
    // 2:1 picture in 400 x 303 at 2 is 800 x 400 of 800 x 606, 103 above.
    EXPECT_EQ(drawnImageRect(1, 1, 200.0, 303.0, 1.5), QRectF(0.0, 52.0, 200.0, 200.0));
    EXPECT_EQ(drawnImageRect(2, 1, 400.0, 303.0, 2.0), QRectF(0.0, 51.5, 400.0, 200.0));

    // A 256 x 128 frame in an 800 x 600 widget: 800 x 400 targets, viewport (0, 100, 800, 400).
    const QSize image = letterboxSize(800, 600, 256, 128);
    EXPECT_EQ(image, QSize(800, 400));
    EXPECT_EQ(letterboxViewport(800, 600, image), QRect(0, 100, 800, 400));
    // Rounded device sizes never reach 0.
    EXPECT_EQ(letterboxSize(800, 600, 100000, 1), QSize(800, 1));
    EXPECT_EQ(letterboxSize(3, 1000, 1, 3), QSize(3, 9));
    // Without a texel along either axis the whole device is the target.
    for (auto [w, h] : {std::pair<std::uint64_t, std::uint64_t>{0, 128}, {256, 0}, {0, 0}})
        EXPECT_EQ(letterboxSize(800, 600, w, h), QSize(800, 600)) << "texture " << w << " x " << h;

    // The picture has the domain's shape, 96 cells of 0.25 by 64 of 0.5 being 24 x 32;
    // the texel counts stand in only for a domain without extent on an axis.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(pictureShape(navigation(24.0f, 32.0f, 2.0f, 1.0f, 1.0f), 96, 64), QSizeF(24.0, 32.0));
    for (float ey : {0.0f, -3.0f, nan})
        EXPECT_EQ(pictureShape(navigation(24.0f, ey, 1.0f, 0.0f, 0.0f), 96, 64), QSizeF(96.0, 64.0)) << ey;
    EXPECT_TRUE(pictureShape(navigation(24.0f, 32.0f, 1.0f, 0.0f, 0.0f), 0, 64).isEmpty()) << "no texture yet";
    // One texel along an axis is a picture (a single column or row of cells), not a missing texture.
    for (auto [w, h] : {std::pair<std::uint64_t, std::uint64_t>{1, 64}, {96, 1}, {1, 1}}) {
        EXPECT_EQ(pictureShape(navigation(0.25f * w, 0.5f * h, 1.0f, 0.0f, 0.0f), w, h), QSizeF(0.25 * w, 0.5 * h))
            << "texture " << w << " x " << h;
        EXPECT_EQ(pictureShape(navigation(0.25f * w, 0.0f, 1.0f, 0.0f, 0.0f), w, h), QSizeF(w, h))
            << "texture " << w << " x " << h << " without extent";
    }
    EXPECT_EQ(drawnImageRect(24.0, 32.0, 400.0, 400.0, 1.0), QRectF(50.0, 0.0, 300.0, 400.0));
}

TEST(ViewportMapping, TextureTransformFollowsZoomAndPan)
{
    TextureTransform t = zoomedTextureTransform(navigation(40.0f, 20.0f, 2.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(t.scaleX, 0.5f);
    EXPECT_FLOAT_EQ(t.scaleY, 0.5f);
    EXPECT_FLOAT_EQ(t.offsetX, 0.25f);
    EXPECT_FLOAT_EQ(t.offsetY, 0.25f);

    t = zoomedTextureTransform(navigation(40.0f, 20.0f, 4.0f, 10.0f, -5.0f));
    EXPECT_FLOAT_EQ(t.offsetX, 10.0f / 40.0f + 0.5f - 0.125f);
    EXPECT_FLOAT_EQ(t.offsetY, -5.0f / 20.0f + 0.5f - 0.125f);

    t = zoomedTextureTransform(navigation(0.0f, 0.0f, 0.0f, 3.0f, 3.0f));
    EXPECT_FLOAT_EQ(t.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(t.offsetX, 0.0f);
    // An axis without extent has no offset, whatever the other one has.
    t = zoomedTextureTransform(navigation(40.0f, 0.0f, 2.0f, 10.0f, 3.0f));
    EXPECT_FLOAT_EQ(t.offsetX, 10.0f / 40.0f + 0.5f - 0.25f);
    EXPECT_FLOAT_EQ(t.offsetY, 0.0f);
    t = zoomedTextureTransform(navigation(0.0f, 20.0f, 2.0f, 3.0f, -5.0f));
    EXPECT_FLOAT_EQ(t.offsetX, 0.0f);
    EXPECT_FLOAT_EQ(t.offsetY, -5.0f / 20.0f + 0.5f - 0.25f);
}

TEST(ViewportMapping, WorldAndWidgetPointsRoundTripAtAnyZoomAndPan)
{
    const QRectF image(100.0, 50.0, 400.0, 200.0);
    for (const ViewNavigation& nav :
         {navigation(32.0f, 16.0f, 1.0f, 0.0f, 0.0f), navigation(32.0f, 16.0f, 2.0f, 4.0f, -2.0f),
          navigation(32.0f, 16.0f, 7.5f, -13.0f, 6.0f), navigation(32.0f, 16.0f, 32.0f, 15.0f, 7.5f)}) {
        for (const QPointF world :
             {QPointF(0.0, 0.0), QPointF(nav.panX + 0.3, nav.panY - 0.2), QPointF(nav.panX - 0.4, nav.panY + 0.1)}) {
            const QPointF pixel = worldToWidget(image, nav, world.x(), world.y());
            double x = 0.0;
            double y = 0.0;
            if (!image.contains(pixel))
                continue;
            ASSERT_TRUE(widgetToWorld(image, nav, pixel, x, y));
            EXPECT_NEAR(x, world.x(), 1e-9) << "zoom " << nav.zoom;
            EXPECT_NEAR(y, world.y(), 1e-9) << "zoom " << nav.zoom;
        }
        // The image centre shows the pan point; y grows upwards on screen.
        const QPointF centre = worldToWidget(image, nav, nav.panX, nav.panY);
        EXPECT_NEAR(centre.x(), 300.0, 1e-9);
        EXPECT_NEAR(centre.y(), 150.0, 1e-9);
        EXPECT_LT(worldToWidget(image, nav, nav.panX, nav.panY + 0.1).y(), 150.0);
    }

    const ViewNavigation nav = navigation(32.0f, 16.0f, 1.0f, 0.0f, 0.0f);
    double x = 0.0;
    double y = 0.0;
    EXPECT_TRUE(widgetToWorld(image, nav, QPointF(100.0, 250.0), x, y)); // the corners count as inside
    EXPECT_NEAR(x, -16.0, 1e-12);
    EXPECT_NEAR(y, -8.0, 1e-12);
    EXPECT_TRUE(widgetToWorld(image, nav, image.topRight(), x, y));
    EXPECT_NEAR(x, 16.0, 1e-12);
    EXPECT_NEAR(y, 8.0, 1e-12);
    EXPECT_FALSE(widgetToWorld(image, nav, QPointF(99.5, 100.0), x, y));
    EXPECT_FALSE(widgetToWorld(QRectF(), nav, QPointF(200.0, 100.0), x, y));
    // Without an extent on either axis there is no mapping, either way.
    for (const ViewNavigation& flat :
         {navigation(0.0f, 16.0f, 1.0f, 0.0f, 0.0f), navigation(32.0f, 0.0f, 1.0f, 0.0f, 0.0f)}) {
        EXPECT_FALSE(widgetToWorld(image, flat, QPointF(200.0, 100.0), x, y));
        EXPECT_EQ(worldToWidget(image, flat, 1.0, 1.0), QPointF(0.0, 0.0));
    }
    EXPECT_EQ(worldToWidget(QRectF(), nav, 1.0, 1.0), QPointF(0.0, 0.0));
    // An infinite zoom shows no span on either axis: every point maps to the image centre.
    const ViewNavigation infinite = navigation(32.0f, 16.0f, std::numeric_limits<float>::infinity(), 2.0f, 1.0f);
    EXPECT_EQ(worldToWidget(image, infinite, 5.0, -3.0), image.center());
}

TEST(ViewportMapping, ZoomAboutTheCursorKeepsItsPointFixed)
{
    // A domain of 40 x 28.8 in an image of 400 x 320.
    const QRectF image(0.0, 0.0, 400.0, 320.0);
    ViewNavigation nav = navigation(40.0f, 28.8f, 1.0f, 0.0f, 0.0f);

    // One notch forward at the centre: zoom 1.15, pan stays 0.
    EXPECT_TRUE(zoomAboutImagePoint(nav, 0.5, 0.5, kZoomPerNotch));
    EXPECT_FLOAT_EQ(nav.zoom, 1.15f);
    EXPECT_FLOAT_EQ(nav.panX, 0.0f);
    EXPECT_FLOAT_EQ(nav.panY, 0.0f);

    // Several notches at points off centre: the point under the cursor stays put.
    for (const QPointF cursor : {QPointF(300.0, 120.0), QPointF(399.0, 200.0), QPointF(150.0, 300.0)}) {
        double before[2];
        ASSERT_TRUE(widgetToWorld(image, nav, cursor, before[0], before[1]));
        ASSERT_TRUE(zoomAboutImagePoint(nav, cursor.x() / 400.0, cursor.y() / 320.0, std::pow(kZoomPerNotch, 3)));
        double after[2];
        ASSERT_TRUE(widgetToWorld(image, nav, cursor, after[0], after[1]));
        EXPECT_NEAR(after[0], before[0], 1e-5);
        EXPECT_NEAR(after[1], before[1], 1e-5);
    }

    // A cursor beyond the image zooms about the nearest edge point: from zoom
    // 2 showing y in [-12.2, 2.2], zooming by 1.5 keeps y = 2.2 at the top.
    ViewNavigation outside = navigation(40.0f, 28.8f, 2.0f, 0.0f, -5.0f);
    ViewNavigation edge = outside;
    ASSERT_TRUE(zoomAboutImagePoint(outside, 1.5, -0.5, 1.5));
    ASSERT_TRUE(zoomAboutImagePoint(edge, 1.0, 0.0, 1.5));
    EXPECT_FLOAT_EQ(outside.panX, edge.panX);
    EXPECT_FLOAT_EQ(outside.panY, edge.panY);
    EXPECT_NEAR(outside.panY, 2.2 - 28.8 / 3.0 / 2.0, 1e-5);

    // A zoom that moves by more than 1e-6 is a change, by no more it is not.
    ViewNavigation fine = navigation(40.0f, 28.8f, 1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(zoomAboutImagePoint(fine, 0.5, 0.5, 1.0 + 0.9e-6));
    EXPECT_TRUE(zoomAboutImagePoint(fine, 0.5, 0.5, 1.0 + 1.6e-6));
    EXPECT_GT(fine.zoom, 1.0f);

    // Limits: never beyond 32, never below 1; no change reports false.
    for (int k = 0; k < 60; ++k)
        zoomAboutImagePoint(nav, 0.9, 0.1, kZoomPerNotch);
    EXPECT_FLOAT_EQ(nav.zoom, kMaximumZoom);
    EXPECT_FALSE(zoomAboutImagePoint(nav, 0.9, 0.1, kZoomPerNotch));
    ViewNavigation unzoomed = navigation(40.0f, 40.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(zoomAboutImagePoint(unzoomed, 0.2, 0.2, 1.0 / kZoomPerNotch));
    EXPECT_FLOAT_EQ(unzoomed.zoom, 1.0f);
    EXPECT_FALSE(zoomAboutImagePoint(unzoomed, 0.2, 0.2, 0.0));
    EXPECT_FALSE(zoomAboutImagePoint(unzoomed, 0.2, 0.2, std::numeric_limits<double>::quiet_NaN()));
    // A factor that is not positive changes nothing, whatever the zoom.
    ViewNavigation zoomed = navigation(40.0f, 28.8f, 4.0f, 1.0f, -1.0f);
    EXPECT_FALSE(zoomAboutImagePoint(zoomed, 0.2, 0.2, 0.0));
    EXPECT_FLOAT_EQ(zoomed.zoom, 4.0f);
    EXPECT_FLOAT_EQ(zoomed.panX, 1.0f);
    for (ViewNavigation flat : {navigation(0.0f, 28.8f, 1.0f, 0.0f, 0.0f), navigation(40.0f, 0.0f, 1.0f, 0.0f, 0.0f)})
        EXPECT_FALSE(zoomAboutImagePoint(flat, 0.2, 0.2, 2.0)) << flat.viewExtentX << " x " << flat.viewExtentY;
}

TEST(ViewportMapping, PanFollowsTheCursorAndStaysInsideTheZoomedExtent)
{
    // 100 px right over a 400 px image, extent 40, zoom 2: pan x moves by -5;
    // 40 px down over 320 px showing 14.4 of the extent 28.8: pan y by +1.8.
    const QRectF image(0.0, 0.0, 400.0, 320.0);
    ViewNavigation nav = navigation(40.0f, 28.8f, 2.0f, 0.0f, 0.0f);
    panByPixels(nav, image, 100.0, 0.0);
    EXPECT_FLOAT_EQ(nav.panX, -5.0f);
    panByPixels(nav, image, 0.0, 40.0); // dragging down shows what lies above
    EXPECT_FLOAT_EQ(nav.panY, 1.8f);
    panByPixels(nav, image, 300.0, -1000.0);
    EXPECT_FLOAT_EQ(nav.panX, -10.0f); // (40 - 40 / 2) / 2
    EXPECT_FLOAT_EQ(nav.panY, -7.2f);  // (28.8 - 28.8 / 2) / 2

    ViewNavigation flat = navigation(40.0f, 40.0f, 1.0f, 3.0f, -3.0f);
    clampPan(flat);
    EXPECT_FLOAT_EQ(flat.panX, 0.0f);
    EXPECT_FLOAT_EQ(flat.panY, 0.0f);
    // Without an extent on either axis alone the view goes back to zoom 1 and no pan.
    for (ViewNavigation none : {navigation(0.0f, 40.0f, 4.0f, 3.0f, 3.0f), navigation(40.0f, 0.0f, 4.0f, 3.0f, 3.0f)}) {
        clampPan(none);
        EXPECT_FLOAT_EQ(none.zoom, 1.0f) << none.viewExtentX << " x " << none.viewExtentY;
        EXPECT_FLOAT_EQ(none.panX, 0.0f) << none.viewExtentX << " x " << none.viewExtentY;
        EXPECT_FLOAT_EQ(none.panY, 0.0f) << none.viewExtentX << " x " << none.viewExtentY;
    }
}

TEST(ViewportMapping, ArrowLatticeIsAnchoredAndCutAtTheGridEdges)
{
    // A 256-row grid shown 512 px high with spacing 42: an arrow every 21 rows.
    EXPECT_EQ(arrowLatticeStride(42, 256, 1.0, 512.0), 21);
    EXPECT_EQ(arrowLatticeStride(42, 256, 4.0, 512.0), 5);
    EXPECT_EQ(arrowLatticeStride(12, 64, 32.0, 800.0), 1);
    EXPECT_EQ(arrowLatticeStride(42, 256, 0.0, 0.0), 10752); // zoom and pixels floored at 1

    // Whole grid at zoom 1: 0 .. n - 1, first index a multiple of the stride.
    IndexRange all = visibleLatticeRange(0.0, 25.6, 1.0, 0.1, 256, 21);
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.last, 255);
    // A window hanging over the left edge starts at 0, not at a wrapped huge index.
    IndexRange left = visibleLatticeRange(-12.0, 25.6, 4.0, 0.1, 256, 5);
    EXPECT_EQ(left.first, 0);
    EXPECT_EQ(left.last, static_cast<std::int64_t>(std::ceil((-12.0 + 3.2) / 0.1 + 127.5)));
    // Inside: rounded up to the stride.
    IndexRange middle = visibleLatticeRange(1.0, 25.6, 4.0, 0.1, 256, 7);
    const auto lo = static_cast<std::int64_t>(std::floor((1.0 - 3.2) / 0.1 + 127.5));
    EXPECT_EQ(middle.first, (lo + 6) / 7 * 7);
    EXPECT_EQ(middle.first % 7, 0);
    // With a stride of 1 the range is the window's own cells: y from -3.18 to 3.22.
    IndexRange window = visibleLatticeRange(0.02, 25.6, 4.0, 0.1, 256, 1);
    EXPECT_EQ(window.first, 95); // floor(-31.8 + 127.5)
    EXPECT_EQ(window.last, 160); // ceil(32.2 + 127.5)
    // A window entirely beyond the grid is empty.
    EXPECT_TRUE(visibleLatticeRange(100.0, 25.6, 4.0, 0.1, 256, 1).empty());
    EXPECT_TRUE(visibleLatticeRange(-100.0, 25.6, 4.0, 0.1, 256, 1).empty());
    EXPECT_TRUE(visibleLatticeRange(0.0, 25.6, 1.0, 0.1, 0, 1).empty());
}

TEST(OverlayGeometry, ArrowLengthFollowsTheSquareRootOfTheRelativeCurrent)
{
    const QPointF base(100.0, 100.0);
    CurrentArrow arrow;
    // Relative to a maximum of 2, not 1, so that a product is not taken for the quotient.
    EXPECT_FALSE(currentArrow(base, 0.034f, 0.0f, 2.0f, 40.0, 8.8, arrow)); // 1.7 % is not drawn
    EXPECT_TRUE(currentArrow(base, 0.0362f, 0.0f, 2.0f, 40.0, 8.8, arrow)); // 1.81 % is
    EXPECT_FALSE(currentArrow(base, 0.0f, 0.0f, 1.0f, 40.0, 8.8, arrow));
    EXPECT_FALSE(currentArrow(base, 1.0f, 0.0f, 0.0f, 40.0, 8.8, arrow)); // no maximum to scale by

    ASSERT_TRUE(currentArrow(base, 1.0f, 0.0f, 1.0f, 40.0, 8.8, arrow));
    EXPECT_NEAR(arrow.tip.x(), 140.0, 1e-9);
    EXPECT_NEAR(arrow.tip.y(), 100.0, 1e-9);
    // A horizontal arrow's head strokes lie one above, one below its shaft.
    EXPECT_NEAR(arrow.headLeft.y(), 100.0 - 8.8 * std::sin(27.0 * 3.141592653589793 / 180.0), 1e-9);
    EXPECT_NEAR(arrow.headRight.y(), 100.0 + 8.8 * std::sin(27.0 * 3.141592653589793 / 180.0), 1e-9);
    // 25 % of the maximum 2: half length, upwards and obliquely (screen y grows downwards).
    for (const auto& [jx, jy, tipX, tipY] :
         {std::tuple{0.0f, 0.5f, 100.0, 80.0}, std::tuple{0.3f, 0.4f, 112.0, 84.0}}) {
        ASSERT_TRUE(currentArrow(base, jx, jy, 2.0f, 40.0, 8.8, arrow));
        EXPECT_NEAR(arrow.tip.x(), tipX, 1e-5) << "jx = " << jx;
        EXPECT_NEAR(arrow.tip.y(), tipY, 1e-5) << "jx = " << jx;
        // The head strokes point back at +-27 degrees from the shaft, one on each side.
        const QPointF back = (base - arrow.tip) / 20.0;
        double sides = 1.0;
        for (const QPointF head : {arrow.headLeft, arrow.headRight}) {
            const QPointF d = head - arrow.tip;
            EXPECT_NEAR(std::hypot(d.x(), d.y()), 8.8, 1e-5) << "jx = " << jx;
            const double along = (d.x() * back.x() + d.y() * back.y()) / 8.8;
            const double across = (back.x() * d.y() - back.y() * d.x()) / 8.8;
            EXPECT_NEAR(std::atan2(std::fabs(across), along) * 180.0 / 3.141592653589793, 27.0, 1e-4) << "jx = " << jx;
            sides *= across;
        }
        EXPECT_LT(sides, 0.0) << "jx = " << jx;
    }
    // Beyond the maximum the length saturates.
    ASSERT_TRUE(currentArrow(base, -3.0f, 0.0f, 1.0f, 40.0, 8.8, arrow));
    EXPECT_NEAR(arrow.tip.x(), 60.0, 1e-9);
}

// The strip the detections on the detector's line stand on keeps its gap
// from the line at every marker size, is never narrower than its least
// width, and widens with the markers so that several stand across it.
TEST(OverlayGeometry, TheDetectionsStripIsSeveralMarkersWideAtAnySize)
{
    const ScreenStrip least = screenStripFor(0.0);
    EXPECT_GT(least.width, 0.0);
    EXPECT_GT(least.gap, 0.0);
    double narrower = 0.0;
    for (const double marker : {1.0, 2.0, 3.0, 6.0, 10.0, 16.0, 24.0}) {
        const ScreenStrip strip = screenStripFor(marker);
        EXPECT_EQ(strip.gap, least.gap) << "marker " << marker;
        EXPECT_GE(strip.width, least.width) << "marker " << marker;
        EXPECT_GE(strip.width, narrower) << "marker " << marker;
        EXPECT_GE(strip.width, 3.0 * marker) << "marker " << marker;
        narrower = strip.width;
    }
    EXPECT_EQ(screenStripFor(std::numeric_limits<double>::infinity()).width, least.width) << "no size";
}

TEST(OverlayGeometry, StreamlineParametersScaleWithTheScreen)
{
    // The smaller cell sets the least step, whichever axis has it.
    for (const auto& cells : {std::make_pair(0.2f, 0.1f), std::make_pair(0.1f, 0.2f)}) {
        ProbabilityCurrent2D current;
        current.dx = cells.first;
        current.dy = cells.second;
        StreamlineParameters p = streamlineParametersFor(current, 0.01, 240);
        EXPECT_FLOAT_EQ(p.stepLength, 0.035f) << cells.first << " x " << cells.second;
        EXPECT_EQ(p.maxSteps, 120u);
        EXPECT_FLOAT_EQ(p.minRelativeMagnitude, 0.015f);
        p = streamlineParametersFor(current, 0.05, 25);
        EXPECT_FLOAT_EQ(p.stepLength, 0.1f);
        EXPECT_EQ(p.maxSteps, 20u);
    }
}

TEST(OverlayGeometry, ProbabilityContourColourRamp)
{
    EXPECT_EQ(QuantumGLView::probabilityContourColor(0.42f), QColor(80, 235, 210));
    EXPECT_EQ(QuantumGLView::probabilityContourColor(0.1f), QColor(15, 120, 255));
    EXPECT_EQ(QuantumGLView::probabilityContourColor(0.0f), QColor(30, 65, 255));
    EXPECT_EQ(QuantumGLView::probabilityContourColor(-2.0f), QColor(30, 65, 255));
    EXPECT_EQ(QuantumGLView::probabilityContourColor(1.0f), QColor(255, 255, 235));
    EXPECT_EQ(QuantumGLView::probabilityContourColor(0.7f), QColor(241, 114, 146));
}

} // namespace
} // namespace vxo
