#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using test::settle;
using test::showAndWait;

// A 400 x 400 view of a 40 x 40 domain (256 cells of 0.15625): pixel (px, py)
// shows the physical point (px / 10 - 20, 20 - py / 10) at zoom 1.
class QuantumGLViewInteraction : public test::ShownViewTest {
protected:
    void prepareView() override
    {
        showFrame(256, 256, 0.15625f, 0.15625f);
        view->setShapeCommittedCallback([this](const PotentialEditorShape& s) { shapes.push_back(s); });
    }

    void showFrame(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
    {
        ComplexField2D psi(nx, ny, dx, dy);
        psi.fill(Complex(0.5f, 0.0f));
        view->setFrame(psi, PotentialField2D(), 0);
        settle(); // the paint uploads the textures, which gives the image rectangle
    }

    bool mouse(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, position, view->mapToGlobal(position.toPoint()), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &event);
        return event.isAccepted();
    }

    void leftDrag(QPointF from, QPointF to)
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2.0, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    bool wheel(QPointF position, int delta)
    {
        QWheelEvent event(position, view->mapToGlobal(position.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
        return event.isAccepted();
    }

    void middleClick(QPointF position)
    {
        mouse(QEvent::MouseButtonPress, position, Qt::MiddleButton, Qt::MiddleButton);
        mouse(QEvent::MouseButtonRelease, position, Qt::MiddleButton, Qt::NoButton);
    }

    const ViewNavigation& nav() const { return view->geometry().navigation; }

    std::vector<PotentialEditorShape> shapes;
};

TEST_F(QuantumGLViewInteraction, RectangleDragCommitsItsPhysicalShape)
{
    view->setViewportEditEnabled(true);
    leftDrag(QPointF(100.0, 100.0), QPointF(200.0, 180.0));
    ASSERT_EQ(shapes.size(), 1u);
    const PotentialEditorShape& r = shapes[0];
    EXPECT_EQ(r.type, 0u);
    EXPECT_NEAR(r.centerX, -5.0f, 1e-4f); // corners (-10, 10) and (0, 2)
    EXPECT_NEAR(r.centerY, 6.0f, 1e-4f);
    EXPECT_NEAR(r.width, 10.0f, 1e-4f);
    EXPECT_NEAR(r.height, 8.0f, 1e-4f);
    EXPECT_FALSE(view->editor().dragging);

    // The same drag while zoomed and panned maps through the zoom.
    ASSERT_TRUE(wheel(QPointF(300.0, 100.0), 5 * 120)); // zoom about (10, 10)
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
    ASSERT_TRUE(view->widgetToWorld(QPointF(100.0, 100.0), x0, y0));
    ASSERT_TRUE(view->widgetToWorld(QPointF(200.0, 180.0), x1, y1));
    leftDrag(QPointF(100.0, 100.0), QPointF(200.0, 180.0));
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_NEAR(shapes[1].centerX, (x0 + x1) / 2.0f, 1e-4f);
    EXPECT_NEAR(shapes[1].width, 10.0f / nav().zoom, 1e-3f);
    EXPECT_NEAR(shapes[1].height, 8.0f / nav().zoom, 1e-3f);
}

TEST_F(QuantumGLViewInteraction, CircleAndClickShapesKeepOneCell)
{
    view->setViewportEditEnabled(true);
    view->setEditTool(1);
    leftDrag(QPointF(220.0, 220.0), QPointF(250.0, 260.0));
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].type, 1u);
    EXPECT_NEAR(shapes[0].centerX, 2.0f, 1e-4f);
    EXPECT_NEAR(shapes[0].centerY, -2.0f, 1e-4f);
    EXPECT_NEAR(shapes[0].radius, 5.0f, 1e-4f); // (3, -4) from the press point

    // A click without movement: the minimum size of one cell, still a valid
    // shape; on cells 0.15625 x 0.2 (or 0.2 x 0.15625) a circle of the larger side.
    showFrame(200, 256, 0.2f, 0.15625f);
    leftDrag(QPointF(220.0, 220.0), QPointF(220.0, 220.0));
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_FLOAT_EQ(shapes[1].radius, 0.2f) << "wide cells";
    shapes.clear();
    showFrame(256, 200, 0.15625f, 0.2f);
    leftDrag(QPointF(220.0, 220.0), QPointF(220.0, 220.0));
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_FLOAT_EQ(shapes[0].radius, 0.2f) << "tall cells";
    shapes.clear();
    view->setEditTool(0);
    leftDrag(QPointF(220.0, 220.0), QPointF(220.5, 220.0));
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_FLOAT_EQ(shapes[0].width, 0.15625f);
    EXPECT_FLOAT_EQ(shapes[0].height, 0.2f);
}

// On 0.25 x 0.5 cells that count 96 x 64 the domain is 24 x 32, shown 300 x
// 400 from x = 50 at 12.5 px per unit along both axes: a drag of so many pixels
// is the same length along x and y.
TEST_F(QuantumGLViewInteraction, DragsGiveTheirPhysicalSizeOnNonSquareCells)
{
    showFrame(96, 64, 0.25f, 0.5f);
    view->setViewportEditEnabled(true);
    const auto at = [](double x, double y) { return QPointF(200.0 + 12.5 * x, 200.0 - 12.5 * y); };
    leftDrag(at(-4.0, 6.0), at(4.0, -2.0));
    view->setEditTool(1);
    leftDrag(at(1.0, -3.0), at(7.0, -3.0));
    leftDrag(at(1.0, -3.0), at(1.0, 3.0));
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_NEAR(shapes[0].centerX, 0.0f, 1e-3f);
    EXPECT_NEAR(shapes[0].centerY, 2.0f, 1e-3f);
    EXPECT_NEAR(shapes[0].width, 8.0f, 1e-3f);
    EXPECT_NEAR(shapes[0].height, 8.0f, 1e-3f) << "a square drag gives a square";
    for (std::size_t k : {1u, 2u}) {
        EXPECT_NEAR(shapes[k].centerX, 1.0f, 1e-3f) << k;
        EXPECT_NEAR(shapes[k].centerY, -3.0f, 1e-3f) << k;
        EXPECT_NEAR(shapes[k].radius, 6.0f, 1e-3f) << (k == 1 ? "across" : "upwards");
    }
}

TEST_F(QuantumGLViewInteraction, NoShapeWithoutEditModeOrOutsideTheImage)
{
    leftDrag(QPointF(100.0, 100.0), QPointF(200.0, 180.0)); // editing off
    EXPECT_TRUE(shapes.empty());

    view->setViewportEditEnabled(true);
    showFrame(256, 128, 0.15625f, 0.15625f);               // image now 400 x 200 from y = 100
    leftDrag(QPointF(200.0, 50.0), QPointF(250.0, 150.0)); // press above the image
    EXPECT_TRUE(shapes.empty());

    // A tool change or leaving edit mode cancels a drag in progress.
    mouse(QEvent::MouseButtonPress, QPointF(100.0, 150.0), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(view->editor().dragging);
    view->setEditTool(0);
    EXPECT_FALSE(view->editor().dragging);
    mouse(QEvent::MouseButtonRelease, QPointF(150.0, 200.0), Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, QPointF(100.0, 150.0), Qt::LeftButton, Qt::LeftButton);
    view->setViewportEditEnabled(false);
    mouse(QEvent::MouseButtonRelease, QPointF(150.0, 200.0), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(shapes.empty());

    // A release outside the image keeps the last point inside.
    view->setViewportEditEnabled(true);
    mouse(QEvent::MouseButtonPress, QPointF(100.0, 150.0), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPointF(150.0, 200.0), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPointF(150.0, 390.0), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].height, 5.0f, 1e-4f);
    // Without a move in between that point is the press itself, (-10, 5) off
    // both axes: one cell there.
    mouse(QEvent::MouseButtonPress, QPointF(100.0, 150.0), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPointF(150.0, 390.0), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_NEAR(shapes[1].centerX, -10.0f, 1e-4f);
    EXPECT_NEAR(shapes[1].centerY, 5.0f, 1e-4f);
    EXPECT_FLOAT_EQ(shapes[1].width, 0.15625f);
    EXPECT_FLOAT_EQ(shapes[1].height, 0.15625f);
}

TEST_F(QuantumGLViewInteraction, WheelZoomsAboutTheCursorWithinItsLimits)
{
    float before[2];
    ASSERT_TRUE(view->widgetToWorld(QPointF(300.0, 100.0), before[0], before[1]));
    EXPECT_TRUE(wheel(QPointF(300.0, 100.0), 120));
    EXPECT_FLOAT_EQ(nav().zoom, 1.15f);
    float after[2];
    ASSERT_TRUE(view->widgetToWorld(QPointF(300.0, 100.0), after[0], after[1]));
    EXPECT_NEAR(after[0], before[0], 1e-4f);
    EXPECT_NEAR(after[1], before[1], 1e-4f);

    for (int k = 0; k < 40; ++k)
        wheel(QPointF(399.0, 200.0), 120);
    EXPECT_FLOAT_EQ(nav().zoom, 32.0f);
    EXPECT_LE(std::fabs(nav().panX), (40.0f - 40.0f / 32.0f) / 2.0f + 1e-5f);

    view->resetView();
    EXPECT_TRUE(wheel(QPointF(200.0, 200.0), -120)); // backward at zoom 1: accepted, no change
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f);
    EXPECT_FALSE(wheel(QPointF(200.0, 200.0), 0));

    // On the letterbox beside the image the wheel does nothing.
    showFrame(256, 160, 0.15625f, 0.125f); // 40 x 20, image 400 x 200 from y = 100
    EXPECT_FALSE(wheel(QPointF(200.0, 50.0), 120));
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f);

    // In a letterboxed image, wide or tall, the point under the cursor stays put.
    for (const auto& [nx, ny, dx, dy] :
         {std::tuple{256u, 160u, 0.15625f, 0.125f}, std::tuple{160u, 256u, 0.125f, 0.15625f}}) {
        showFrame(nx, ny, dx, dy); // image from y = 100 or from x = 100
        view->resetView();
        const QPointF cursor(260.0, 230.0);
        ASSERT_TRUE(view->widgetToWorld(cursor, before[0], before[1]));
        EXPECT_TRUE(wheel(cursor, 240));
        ASSERT_TRUE(view->widgetToWorld(cursor, after[0], after[1]));
        EXPECT_NEAR(after[0], before[0], 1e-4f) << nx << " x " << ny;
        EXPECT_NEAR(after[1], before[1], 1e-4f) << nx << " x " << ny;
    }
}

TEST_F(QuantumGLViewInteraction, WheelAndMouseFallThroughWithoutAnImage)
{
    auto blank = std::make_unique<QuantumGLView>();
    blank->resize(200, 200);
    ASSERT_TRUE(showAndWait(*blank));
    QWheelEvent event(QPointF(100.0, 100.0), QPointF(100.0, 100.0), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(blank.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_FLOAT_EQ(blank->geometry().navigation.zoom, 1.0f);
    blank->setViewportEditEnabled(true);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100.0, 100.0), QPointF(100.0, 100.0), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(blank.get(), &press);
    EXPECT_FALSE(blank->editor().dragging);
}

TEST_F(QuantumGLViewInteraction, MiddleDragPansTheViewWithTheCursor)
{
    ASSERT_TRUE(wheel(QPointF(200.0, 200.0), 595)); // zoom close to 2 about the centre
    const float zoom = nav().zoom;
    ASSERT_NEAR(zoom, 2.0f, 0.01f);
    EXPECT_TRUE(mouse(QEvent::MouseButtonPress, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::MiddleButton));
    EXPECT_TRUE(view->isPanning());
    EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
    mouse(QEvent::MouseMove, QPointF(250.0, 200.0), Qt::NoButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(300.0, 200.0), Qt::NoButton, Qt::MiddleButton);
    EXPECT_NEAR(nav().panX, -100.0f * (40.0f / zoom) / 400.0f, 1e-4f);
    EXPECT_NEAR(nav().panY, 0.0f, 1e-6f);

    // Edit mode switched on mid-pan keeps the closed hand until the pan ends.
    view->setViewportEditEnabled(true);
    EXPECT_EQ(view->cursor().shape(), Qt::ClosedHandCursor);
    mouse(QEvent::MouseMove, QPointF(300.0, 600.0), Qt::NoButton, Qt::MiddleButton);
    EXPECT_NEAR(nav().panY, (40.0f - 40.0f / zoom) / 2.0f, 1e-4f); // clamped
    mouse(QEvent::MouseButtonRelease, QPointF(300.0, 600.0), Qt::MiddleButton, Qt::NoButton);
    EXPECT_FALSE(view->isPanning());
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // A pan whose middle release went elsewhere ends at the next release of
    // another button with nothing held.
    view->setViewportEditEnabled(false);
    mouse(QEvent::MouseButtonPress, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::MiddleButton);
    ASSERT_TRUE(view->isPanning());
    mouse(QEvent::MouseButtonRelease, QPointF(210.0, 200.0), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view->isPanning());

    // Home during a pan ends it and lets the mouse go (a press away from the
    // last one, so not a double click).
    mouse(QEvent::MouseButtonPress, QPointF(300.0, 120.0), Qt::MiddleButton, Qt::MiddleButton);
    ASSERT_TRUE(view->isPanning());
    EXPECT_EQ(QWidget::mouseGrabber(), view.get());
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &home);
    EXPECT_FALSE(view->isPanning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    mouse(QEvent::MouseButtonRelease, QPointF(300.0, 120.0), Qt::MiddleButton, Qt::NoButton);

    // A press on the letterbox beside the image does not pan; with the button
    // held, the pan starts once the cursor reaches the image, not before.
    showFrame(256, 160, 0.15625f, 0.125f); // 40 x 20, image 400 x 200 from y = 100
    mouse(QEvent::MouseButtonPress, QPointF(200.0, 50.0), Qt::MiddleButton, Qt::MiddleButton);
    EXPECT_FALSE(view->isPanning());
    EXPECT_TRUE(mouse(QEvent::MouseMove, QPointF(200.0, 150.0), Qt::NoButton, Qt::MiddleButton));
    EXPECT_TRUE(view->isPanning()) << "held middle button entering the image";
    mouse(QEvent::MouseButtonRelease, QPointF(200.0, 150.0), Qt::MiddleButton, Qt::NoButton);
    EXPECT_FALSE(view->isPanning());
    mouse(QEvent::MouseButtonPress, QPointF(200.0, 50.0), Qt::MiddleButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(200.0, 80.0), Qt::NoButton, Qt::MiddleButton);
    EXPECT_FALSE(view->isPanning()) << "held middle button over the letterbox";
    mouse(QEvent::MouseButtonRelease, QPointF(200.0, 80.0), Qt::MiddleButton, Qt::NoButton);

    // A left press and release while the middle button still holds the pan
    // belong to the pan: edit mode draws no shape from them.
    view->setViewportEditEnabled(true);
    mouse(QEvent::MouseButtonPress, QPointF(150.0, 200.0), Qt::MiddleButton, Qt::MiddleButton);
    ASSERT_TRUE(view->isPanning());
    mouse(QEvent::MouseButtonPress, QPointF(250.0, 250.0), Qt::LeftButton, Qt::LeftButton | Qt::MiddleButton);
    EXPECT_FALSE(view->editor().dragging) << "left press with the middle button held";
    mouse(QEvent::MouseButtonRelease, QPointF(300.0, 260.0), Qt::LeftButton, Qt::MiddleButton);
    EXPECT_TRUE(shapes.empty()) << "a shape drawn during a middle pan";
    EXPECT_TRUE(view->isPanning()) << "the middle button is still held";
    mouse(QEvent::MouseButtonRelease, QPointF(300.0, 260.0), Qt::MiddleButton, Qt::NoButton);
}

TEST_F(QuantumGLViewInteraction, MiddleDoubleClickAndHomeResetTheView)
{
    wheel(QPointF(300.0, 100.0), 360);
    ASSERT_GT(nav().zoom, 1.4f);
    // A second press soon after and within the drag distance is a double click.
    const double near = 0.6 * QApplication::startDragDistance();
    middleClick(QPointF(200.0, 200.0));
    middleClick(QPointF(200.0 + near, 200.0 + near));
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f);
    EXPECT_FLOAT_EQ(nav().panX, 0.0f);
    EXPECT_FALSE(view->isPanning());

    // A left double click leaves the view alone.
    wheel(QPointF(300.0, 100.0), 360);
    const float kept = nav().zoom;
    QMouseEvent leftDouble(QEvent::MouseButtonDblClick, QPointF(200.0, 200.0), QPointF(200.0, 200.0), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &leftDouble);
    EXPECT_FLOAT_EQ(nav().zoom, kept);
    view->resetView();

    // The drag distance itself is still close, along x or along y; a pixel
    // across beyond it is not (whole pixels, so the squared distances are exact).
    // Each pair starts far from the one before, so that it begins afresh.
    const int drag = QApplication::startDragDistance();
    const struct {
        QPointF offset;
        bool close;
    } pairs[] = {
        {QPointF(drag, 0), true}, {QPointF(0, drag), true}, {QPointF(drag, 1), false}, {QPointF(1, drag), false}};
    double baseX = 60.0;
    for (const auto& pair : pairs) {
        wheel(QPointF(300.0, 100.0), 360);
        const float zoomed = nav().zoom;
        ASSERT_GT(zoomed, 1.4f);
        middleClick(QPointF(baseX, 200.0));
        middleClick(QPointF(baseX, 200.0) + pair.offset);
        EXPECT_FLOAT_EQ(nav().zoom, pair.close ? 1.0f : zoomed)
            << "presses " << pair.offset.x() << ", " << pair.offset.y() << " apart";
        view->resetView();
        baseX += 8.0 * drag;
    }

    // Quick presses far apart, along x or along y, are two clicks.
    wheel(QPointF(300.0, 100.0), 360);
    const float zoomed = nav().zoom;
    middleClick(QPointF(200.0, 200.0));
    middleClick(QPointF(260.0, 200.0));
    EXPECT_FLOAT_EQ(nav().zoom, zoomed) << "apart along x";
    middleClick(QPointF(260.0, 260.0));
    EXPECT_FLOAT_EQ(nav().zoom, zoomed) << "apart along y";
    view->resetView();

    // A drag between the presses is not the first half of a double click.
    wheel(QPointF(300.0, 100.0), 360);
    const float zoom = nav().zoom;
    mouse(QEvent::MouseButtonPress, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(260.0, 200.0), Qt::NoButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(200.0, 200.0), Qt::NoButton, Qt::MiddleButton);
    mouse(QEvent::MouseButtonRelease, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::NoButton);
    middleClick(QPointF(200.0, 200.0));
    EXPECT_FLOAT_EQ(nav().zoom, zoom);
    // A held press that wanders no further than the drag distance still is.
    middleClick(QPointF(300.0, 300.0)); // a click elsewhere first, whose pair this is not
    mouse(QEvent::MouseButtonPress, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(200.0 + drag, 200.0), Qt::NoButton, Qt::MiddleButton);
    mouse(QEvent::MouseMove, QPointF(200.0, 200.0), Qt::NoButton, Qt::MiddleButton);
    mouse(QEvent::MouseButtonRelease, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::NoButton);
    middleClick(QPointF(200.0, 200.0));
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f) << "a wander of the drag distance";

    // The toolkit's own double-click event and the Home key reset as well.
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(200.0, 200.0), QPointF(200.0, 200.0), Qt::MiddleButton,
                            Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &doubleClick);
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f);
    mouse(QEvent::MouseButtonRelease, QPointF(200.0, 200.0), Qt::MiddleButton, Qt::NoButton);
    wheel(QPointF(300.0, 100.0), 360);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &home);
    EXPECT_FLOAT_EQ(nav().zoom, 1.0f);
}

TEST_F(QuantumGLViewInteraction, NewFramesKeepTheViewUnlessTheDomainChanges)
{
    showFrame(256, 192, 0.15625f, 0.15625f); // 40 x 30, image 400 x 300 from y = 50
    wheel(QPointF(300.0, 100.0), 360);
    const ViewNavigation zoomed = nav();
    ASSERT_GT(zoomed.zoom, 1.4f);
    ASSERT_NE(zoomed.panX, 0.0f);
    showFrame(256, 192, 0.15625f, 0.15625f);
    EXPECT_FLOAT_EQ(nav().zoom, zoomed.zoom);
    EXPECT_FLOAT_EQ(nav().panX, zoomed.panX);
    EXPECT_FLOAT_EQ(nav().panY, zoomed.panY);
    showFrame(128, 96, 0.3125f, 0.3125f); // other cells, same physical size
    EXPECT_FLOAT_EQ(nav().zoom, zoomed.zoom);
    // Another width, or another height alone, is another domain.
    for (const auto& [dx, dy] : {std::pair{0.2f, 0.3125f}, std::pair{0.3125f, 0.4f}}) {
        showFrame(128, 96, 0.3125f, 0.3125f);
        wheel(QPointF(300.0, 100.0), 360);
        ASSERT_GT(nav().zoom, 1.4f);
        showFrame(128, 96, dx, dy);
        EXPECT_FLOAT_EQ(nav().zoom, 1.0f) << dx << " x " << dy;
        EXPECT_FLOAT_EQ(nav().panX, 0.0f);
        EXPECT_FLOAT_EQ(nav().panY, 0.0f);
    }
}

} // namespace
} // namespace vxo
