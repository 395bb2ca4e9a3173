#include "view/QuantumGLView.h"

#include "view/QuantumTextureFrame2D.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

// Mouse navigation (wheel zoom about the cursor, middle-drag pan, Home or a
// middle double click to reset) and the drawing of editor shapes.

namespace vxo {

// --- Editor -----------------------------------------------------------------

void QuantumGLView::setViewportEditEnabled(bool enabled)
{
    if (editor_.enabled == enabled)
        return;
    editor_.enabled = enabled;
    cancelDrag();
    // A pan in progress keeps its closed hand until it ends.
    if (!panning_)
        applyIdleCursor();
    scheduleRepaint();
}

void QuantumGLView::setEditTool(std::uint32_t tool)
{
    editor_.tool = tool;
    cancelDrag();
    scheduleRepaint();
}

void QuantumGLView::setShapeCommittedCallback(ShapeCommittedCallback callback)
{
    shapeCommitted_ = std::move(callback);
}

void QuantumGLView::cancelDrag() { editor_.dragging = false; }

void QuantumGLView::applyIdleCursor() { setCursor(editor_.enabled ? Qt::CrossCursor : Qt::ArrowCursor); }

// --- Navigation ---------------------------------------------------------------

void QuantumGLView::resetView()
{
    ViewNavigation& nav = geometry_.navigation;
    nav.zoom = 1.0f;
    nav.panX = 0.0f;
    nav.panY = 0.0f;
    panning_ = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    middleClickTimer_.invalidate();
    applyIdleCursor();
    scheduleRepaint();
}

void QuantumGLView::startPanning(const QPointF& position)
{
    panning_ = true;
    panAnchor_ = position;
    if (isVisible())
        grabMouse();
    setCursor(Qt::ClosedHandCursor);
}

void QuantumGLView::stopPanning()
{
    panning_ = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    applyIdleCursor();
}

namespace {

bool middleInvolved(const QMouseEvent* event)
{
    return event->button() == Qt::MiddleButton || (event->buttons() & Qt::MiddleButton);
}

double squaredDistance(const QPointF& a, const QPointF& b)
{
    const QPointF d = a - b;
    return d.x() * d.x() + d.y() * d.y();
}

double squaredDragDistance()
{
    const double d = QApplication::startDragDistance();
    return d * d;
}

} // namespace

void QuantumGLView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPointF position = event->localPos();

    if (middleInvolved(event)) {
        // A second middle press close in time and place is a double click even
        // when the toolkit does not report one.
        const bool doubleClick = middleClickTimer_.isValid() &&
                                 middleClickTimer_.elapsed() <= QApplication::doubleClickInterval() &&
                                 squaredDistance(position, lastMiddlePress_) <= squaredDragDistance();
        lastMiddlePress_ = position;
        middleClickTimer_.start();
        if (doubleClick) {
            resetView();
            event->accept();
            return;
        }
        const QRectF image = imageRect();
        if (!image.isEmpty() && image.contains(position)) {
            startPanning(position);
            event->accept();
            return;
        }
    }

    if (event->button() == Qt::LeftButton && editor_.enabled) {
        float x = 0.0f;
        float y = 0.0f;
        if (!widgetToWorld(position, x, y))
            return;
        editor_.dragging = true;
        editor_.dragStartX = editor_.dragCurrentX = x;
        editor_.dragStartY = editor_.dragCurrentY = y;
        event->accept();
        scheduleRepaint();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}

void QuantumGLView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = event->localPos();
    const bool middleHeld = (event->buttons() & Qt::MiddleButton) != 0;

    if (!panning_ && middleHeld) {
        const QRectF image = imageRect();
        if (!image.isEmpty() && image.contains(position)) {
            startPanning(position);
            event->accept();
            return;
        }
    }

    if (panning_) {
        // A drag is not the first half of a double click.
        if (middleClickTimer_.isValid() && squaredDistance(position, lastMiddlePress_) > squaredDragDistance())
            middleClickTimer_.invalidate();
        if (!middleHeld) {
            stopPanning();
            event->accept();
            return;
        }
        const QRectF image = imageRect();
        if (!image.isEmpty()) {
            const QPointF delta = position - panAnchor_;
            panAnchor_ = position;
            panByPixels(geometry_.navigation, image, delta.x(), delta.y());
            scheduleRepaint();
        }
        event->accept();
        return;
    }

    if (editor_.enabled && editor_.dragging) {
        float x = 0.0f;
        float y = 0.0f;
        if (widgetToWorld(position, x, y)) {
            editor_.dragCurrentX = x;
            editor_.dragCurrentY = y;
            scheduleRepaint();
        }
        event->accept();
        return;
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void QuantumGLView::mouseReleaseEvent(QMouseEvent* event)
{
    if (panning_ && (event->button() == Qt::MiddleButton || !(event->buttons() & Qt::MiddleButton))) {
        stopPanning();
        event->accept();
        return;
    }

    if (event->button() == Qt::LeftButton && editor_.dragging) {
        float x = 0.0f;
        float y = 0.0f;
        if (widgetToWorld(event->localPos(), x, y)) {
            editor_.dragCurrentX = x;
            editor_.dragCurrentY = y;
        }
        const float dx = geometry_.cellDx;
        const float dy = geometry_.cellDy;
        const PotentialEditorShape shape =
            editor_.tool == PotentialEditorShape::kCircle
                ? PotentialEditorShape::circleFromDrag(editor_.dragStartX, editor_.dragStartY, editor_.dragCurrentX,
                                                       editor_.dragCurrentY, std::max(dx, dy))
                : PotentialEditorShape::rectangleFromDrag(editor_.dragStartX, editor_.dragStartY, editor_.dragCurrentX,
                                                          editor_.dragCurrentY, dx, dy);
        editor_.dragging = false;
        event->accept();
        scheduleRepaint();
        if (PotentialEditorShape::isValid(shape) && shapeCommitted_)
            shapeCommitted_(shape);
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void QuantumGLView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (middleInvolved(event)) {
        resetView();
        event->accept();
        return;
    }
    QOpenGLWidget::mouseDoubleClickEvent(event);
}

void QuantumGLView::wheelEvent(QWheelEvent* event)
{
    const QRectF image = imageRect();
    const QPointF position = event->position();
    const int notches = event->angleDelta().y();
    if (image.isEmpty() || !image.contains(position) || QuantumTextureFrame2D::isIncomplete(frame_) || notches == 0) {
        QOpenGLWidget::wheelEvent(event);
        return;
    }
    const double u = (position.x() - image.left()) / image.width();
    const double v = (position.y() - image.top()) / image.height();
    const double factor = std::pow(kZoomPerNotch, notches / 120.0);
    if (zoomAboutImagePoint(geometry_.navigation, u, v, factor))
        scheduleRepaint();
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void QuantumGLView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home) {
        resetView();
        event->accept();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

} // namespace vxo
