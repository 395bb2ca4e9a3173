#include "view/QuantumGLView.h"

#include "core/ComplexField2D.h"
#include "core/DetectorTemporalFlux2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/ProbabilityStreamlines2D.h"
#include "view/OverlayGeometry.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QFont>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

namespace vxo {

namespace {

// Two floats are the same setting unless they differ by more than this.
constexpr double kFloatTolerance = 1e-6;

// Upper bound first, then lower: a NaN argument becomes the upper bound.
float clampUpperFirst(float value, float lower, float upper)
{
    value = value <= upper ? value : upper;
    return value >= lower ? value : lower;
}

template <typename T>
T clampUpperFirst(T value, T lower, T upper)
{
    return std::max(std::min(value, upper), lower);
}

// A lower bound alone: a NaN argument becomes the bound.
float atLeast(float value, float lower) { return value >= lower ? value : lower; }

bool store(float& field, float value)
{
    if (std::fabs(static_cast<double>(field) - static_cast<double>(value)) <= kFloatTolerance)
        return false;
    field = value;
    return true;
}

template <typename T>
bool store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

GLint shaderEnum(std::uint32_t value)
{
    // Values beyond the int range fall back in the shaders like any unknown value.
    return value <= static_cast<std::uint32_t>(std::numeric_limits<GLint>::max()) ? static_cast<GLint>(value) : -1;
}

GLsizei textureExtent(std::uint64_t n)
{
    return static_cast<GLsizei>(std::min<std::uint64_t>(n, static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max())));
}

} // namespace

QuantumGLView::QuantumGLView(QWidget* parent)
    : QOpenGLWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("Mouse wheel: zoom around cursor | Middle-drag: pan | Home or middle double-click: reset view"));
}

QuantumGLView::~QuantumGLView()
{
    // The base class deletes the context after this destructor; the clean-up
    // hook must not run on a half-destroyed view.
    QObject::disconnect(contextConnection_);
    if (context()) {
        makeCurrent();
        releaseGlResources();
        doneCurrent();
    }
}

QSize QuantumGLView::sizeHint() const { return QSize(800, 600); }

QSize QuantumGLView::minimumSizeHint() const { return QSize(320, 240); }

void QuantumGLView::scheduleRepaint() { update(); }

// --- Display settings -------------------------------------------------------

void QuantumGLView::setPalette(std::uint32_t palette)
{
    if (store(display_.palette, palette))
        scheduleRepaint();
}

void QuantumGLView::setDisplayScale(std::uint32_t scale)
{
    if (store(display_.displayScale, scale))
        scheduleRepaint();
}

void QuantumGLView::setExposureEv(float ev)
{
    if (store(display_.exposureEv, ev))
        scheduleRepaint();
}

void QuantumGLView::setGamma(float gamma)
{
    if (store(display_.gamma, atLeast(gamma, 0.05f)))
        scheduleRepaint();
}

void QuantumGLView::setPostPreview(std::uint32_t stage)
{
    if (store(display_.postPreview, stage))
        scheduleRepaint();
}

void QuantumGLView::setBloomThreshold(float threshold)
{
    if (store(display_.brightThreshold, clampUpperFirst(threshold, 0.0f, 1.0f)))
        scheduleRepaint();
}

void QuantumGLView::setBloomSoftKnee(float knee)
{
    if (store(display_.softKnee, clampUpperFirst(knee, 0.0f, 0.5f)))
        scheduleRepaint();
}

void QuantumGLView::setBlurSpread(float spread)
{
    if (store(display_.blurSpread, clampUpperFirst(spread, 0.25f, 8.0f)))
        scheduleRepaint();
}

void QuantumGLView::setBloomStrength(float strength)
{
    if (store(display_.bloomStrength, clampUpperFirst(strength, 0.0f, 5.0f)))
        scheduleRepaint();
}

void QuantumGLView::setToneMapOperator(std::uint32_t op)
{
    if (store(display_.toneMapOperator, op))
        scheduleRepaint();
}

// --- Overlay settings and data ---------------------------------------------

void QuantumGLView::setPotentialOverlayVisible(bool visible)
{
    if (store(overlays_.potentialOverlayVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setPotentialOverlayOpacity(float opacity)
{
    if (store(overlays_.potentialOverlayOpacity, clampUpperFirst(opacity, 0.0f, 1.0f)))
        scheduleRepaint();
}

void QuantumGLView::setPotentialContoursVisible(bool visible)
{
    if (store(overlays_.potentialContoursVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setPotentialContourOpacity(float opacity)
{
    if (store(overlays_.potentialContourOpacity, clampUpperFirst(opacity, 0.0f, 1.0f)))
        scheduleRepaint();
}

void QuantumGLView::setPotentialContourWidth(float width)
{
    if (store(overlays_.potentialContourWidth, clampUpperFirst(width, 0.5f, 4.0f)))
        scheduleRepaint();
}

void QuantumGLView::setPotentialContours(const PotentialContourSet& contours)
{
    potentialContours_ = contours;
    scheduleRepaint();
}

void QuantumGLView::clearPotentialContours()
{
    potentialContours_ = PotentialContourSet();
    scheduleRepaint();
}

void QuantumGLView::setProbabilityContoursVisible(bool visible)
{
    if (store(overlays_.probabilityContoursVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setProbabilityContourOpacity(float opacity)
{
    if (store(overlays_.probabilityContourOpacity, clampUpperFirst(opacity, 0.0f, 1.0f)))
        scheduleRepaint();
}

void QuantumGLView::setProbabilityContourWidth(float width)
{
    if (store(overlays_.probabilityContourWidth, clampUpperFirst(width, 0.5f, 4.0f)))
        scheduleRepaint();
}

void QuantumGLView::setProbabilityContours(const ProbabilityContourSet& contours)
{
    probabilityContours_ = contours;
    scheduleRepaint();
}

void QuantumGLView::clearProbabilityContours()
{
    probabilityContours_ = ProbabilityContourSet();
    scheduleRepaint();
}

void QuantumGLView::setCurrentOverlayVisible(bool visible)
{
    if (store(overlays_.currentVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setCurrentMode(std::uint32_t mode)
{
    if (store(overlays_.currentMode, mode))
        scheduleRepaint();
}

void QuantumGLView::setCurrentSpacing(std::int32_t pixels)
{
    if (store(overlays_.currentSpacing, clampUpperFirst<std::int32_t>(pixels, 12, 120)))
        scheduleRepaint();
}

void QuantumGLView::setCurrentScale(float scale)
{
    if (store(overlays_.currentScale, clampUpperFirst(scale, 0.1f, 5.0f)))
        scheduleRepaint();
}

void QuantumGLView::setStreamlineLength(std::int32_t pixels)
{
    if (store(overlays_.streamlineLength, clampUpperFirst<std::int32_t>(pixels, 60, 800)))
        scheduleRepaint();
}

void QuantumGLView::setCurrentField(const ProbabilityCurrent2D& current)
{
    current_ = current;
    scheduleRepaint();
}

void QuantumGLView::clearCurrentField()
{
    current_ = ProbabilityCurrent2D();
    scheduleRepaint();
}

void QuantumGLView::setMeasurementMarkersVisible(bool visible)
{
    if (store(overlays_.markersVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setMeasurementMarkerSize(float pixels)
{
    if (store(overlays_.markerSize, clampUpperFirst(pixels, 1.0f, 12.0f)))
        scheduleRepaint();
}

void QuantumGLView::setMeasurementMarkers(const std::vector<MeasurementShot>& markers)
{
    markers_ = markers;
    scheduleRepaint();
}

void QuantumGLView::clearMeasurementMarkers()
{
    markers_.clear();
    scheduleRepaint();
}

void QuantumGLView::setDetectorVisible(bool visible)
{
    if (store(overlays_.detectorVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setDetector(float x, float thickness, std::int32_t bins)
{
    overlays_.detectorX = x;
    overlays_.detectorThickness = atLeast(thickness, 0.01f);
    overlays_.detectorBins = clampUpperFirst<std::int32_t>(bins, 8, 256);
    scheduleRepaint();
}

void QuantumGLView::setDetectorDistribution(const std::vector<double>& rowFlux, bool referenceVisible)
{
    detectorFlux_ = rowFlux;
    overlays_.detectorReferenceVisible = referenceVisible;
    scheduleRepaint();
}

void QuantumGLView::clearDetectorDistribution()
{
    detectorFlux_.clear();
    scheduleRepaint();
}

void QuantumGLView::setCrossSectionLineVisible(bool visible)
{
    if (store(overlays_.sectionVisible, visible))
        scheduleRepaint();
}

void QuantumGLView::setCrossSectionLine(std::uint32_t orientation, float coordinate)
{
    overlays_.sectionOrientation = orientation;
    overlays_.sectionCoordinate = coordinate;
    scheduleRepaint();
}

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

// --- Frame ------------------------------------------------------------------

void QuantumGLView::setFrame(const ComplexField2D& psi, const PotentialField2D& potential, std::uint32_t viewMode)
{
    // Rebuilt in place on every refresh: the arrays keep their storage. A grid
    // mismatch throws before anything is written.
    QuantumTextureFrame2D::assignFromField(psi, potential, frame_);
    display_.viewMode = viewMode;

    geometry_.worldExtentX = psi.dx() * static_cast<float>(psi.nx());
    geometry_.worldExtentY = psi.dy() * static_cast<float>(psi.ny());
    // Written so that a NaN extent (an infinite step times 0 cells) counts as 0.
    const float ex = geometry_.worldExtentX > 0.0f ? geometry_.worldExtentX : 0.0f;
    const float ey = geometry_.worldExtentY > 0.0f ? geometry_.worldExtentY : 0.0f;
    ViewNavigation& nav = geometry_.navigation;
    const bool sameSize = std::fabs(static_cast<double>(ex) - nav.viewExtentX) <= kFloatTolerance
                          && std::fabs(static_cast<double>(ey) - nav.viewExtentY) <= kFloatTolerance;
    nav.viewExtentX = ex;
    nav.viewExtentY = ey;
    if (sameSize) {
        vxo::clampPan(nav);
    } else {
        nav.zoom = 1.0f;
        nav.panX = 0.0f;
        nav.panY = 0.0f;
    }
    geometry_.cellDx = psi.dx();
    geometry_.cellDy = psi.dy();
    texturesDirty_ = true;
    scheduleRepaint();
}

// --- Navigation ---------------------------------------------------------------

QRectF QuantumGLView::imageRect() const
{
    return fittedImageRect(uploadedWidth_, uploadedHeight_, width(), height());
}

bool QuantumGLView::widgetToWorld(const QPointF& point, float& x, float& y) const
{
    double wx = 0.0;
    double wy = 0.0;
    if (!vxo::widgetToWorld(imageRect(), geometry_.navigation, point, wx, wy))
        return false;
    x = static_cast<float>(wx);
    y = static_cast<float>(wy);
    return true;
}

QPointF QuantumGLView::worldToWidget(float x, float y) const
{
    return vxo::worldToWidget(imageRect(), geometry_.navigation, x, y);
}

void QuantumGLView::widgetToTexture(double u, double v, float& x, float& y) const
{
    double wx = 0.0;
    double wy = 0.0;
    imageToWorld(geometry_.navigation, u, v, wx, wy);
    x = static_cast<float>(wx);
    y = static_cast<float>(wy);
}

void QuantumGLView::clampPan() { vxo::clampPan(geometry_.navigation); }

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
        const bool doubleClick = middleClickTimer_.isValid()
                                 && middleClickTimer_.elapsed() <= QApplication::doubleClickInterval()
                                 && squaredDistance(position, lastMiddlePress_) <= squaredDragDistance();
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
                : PotentialEditorShape::rectangleFromDrag(editor_.dragStartX, editor_.dragStartY,
                                                          editor_.dragCurrentX, editor_.dragCurrentY, dx, dy);
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

// --- OpenGL -------------------------------------------------------------------

const char* QuantumGLView::fragmentShaderSource(QuantumShaderStage stage) const
{
    return quantumFragmentShaderSource(stage);
}

QOpenGLShaderProgram& QuantumGLView::program(QuantumShaderStage stage)
{
    return *programs_[static_cast<std::size_t>(stage)];
}

void QuantumGLView::initializeGL()
{
    // A re-parented widget runs this again with a new context: the names and
    // sizes of the old one mean nothing there, and keeping the uploaded size
    // would update textures that have no storage (a black view).
    QObject::disconnect(contextConnection_);
    programs_ = {};
    vertexArray_ = 0;
    probabilityTexture_ = phaseTexture_ = potentialTexture_ = 0;
    hdrFramebuffers_.fill(0);
    hdrTextures_.fill(0);
    hdrWidth_ = hdrHeight_ = 0;
    uploadedWidth_ = uploadedHeight_ = 0;
    functionsResolved_ = false;
    glReady_ = false;

    // Free our objects while the context that owns them is still alive.
    contextConnection_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this]() {
        makeCurrent();
        releaseGlResources();
        doneCurrent();
    });

    if (!initializeOpenGLFunctions()) {
        qWarning("QuantumGLView: OpenGL 3.3 core functions are unavailable");
        return;
    }
    functionsResolved_ = true;

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    glGenVertexArrays(1, &vertexArray_);
    createDataTexture(probabilityTexture_, GL_LINEAR);
    // Phase is interpolated as a phasor in the shader; potential edges stay sharp.
    createDataTexture(phaseTexture_, GL_NEAREST);
    createDataTexture(potentialTexture_, GL_NEAREST);

    glReady_ = createShaderPrograms();
    texturesDirty_ = true;
}

void QuantumGLView::createDataTexture(GLuint& texture, GLenum filter)
{
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool QuantumGLView::createShaderPrograms()
{
    for (int s = 0; s < kQuantumShaderStageCount; ++s) {
        const auto stage = static_cast<QuantumShaderStage>(s);
        auto built = std::make_unique<QOpenGLShaderProgram>();
        const bool ok = built->addShaderFromSourceCode(QOpenGLShader::Vertex, quantumVertexShaderSource())
                        && built->addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShaderSource(stage))
                        && built->link();
        if (!ok) {
            qWarning().noquote() << quantumShaderLogPrefix(stage) << built->log();
            programs_[static_cast<std::size_t>(s)] = std::move(built);
            return false;
        }
        programs_[static_cast<std::size_t>(s)] = std::move(built);
    }
    return true;
}

bool QuantumGLView::createHdrTarget(GLuint& framebuffer, GLuint& texture, int width, int height)
{
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);

    glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    glBindTexture(GL_TEXTURE_2D, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        qWarning().noquote() << QStringLiteral("QuantumGLView: incomplete HDR framebuffer 0x%1").arg(status, 0, 16);
        return false;
    }
    return true;
}

void QuantumGLView::destroyHdrTargets()
{
    for (int k = 0; k < kHdrTargetCount; ++k) {
        if (hdrFramebuffers_[k] != 0)
            glDeleteFramebuffers(1, &hdrFramebuffers_[k]);
        if (hdrTextures_[k] != 0)
            glDeleteTextures(1, &hdrTextures_[k]);
        hdrFramebuffers_[k] = 0;
        hdrTextures_[k] = 0;
    }
    hdrWidth_ = 0;
    hdrHeight_ = 0;
}

void QuantumGLView::releaseGlResources()
{
    if (functionsResolved_) {
        destroyHdrTargets();
        if (vertexArray_ != 0)
            glDeleteVertexArrays(1, &vertexArray_);
        for (GLuint* texture : {&probabilityTexture_, &phaseTexture_, &potentialTexture_}) {
            if (*texture != 0)
                glDeleteTextures(1, texture);
            *texture = 0;
        }
        vertexArray_ = 0;
    }
    for (auto& built : programs_) {
        if (built)
            built->removeAllShaders();
    }
    programs_ = {};
    uploadedWidth_ = uploadedHeight_ = 0;
    texturesDirty_ = true;
    glReady_ = false;
}

void QuantumGLView::resizeGL(int, int) {}

void QuantumGLView::uploadTextures(GLuint texture, int unit, const std::vector<float>& values)
{
    if (values.empty())
        return;
    const GLsizei w = textureExtent(frame_.width);
    const GLsizei h = textureExtent(frame_.height);
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (static_cast<std::uint64_t>(uploadedWidth_) != frame_.width
        || static_cast<std::uint64_t>(uploadedHeight_) != frame_.height)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, w, h, 0, GL_RED, GL_FLOAT, values.data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RED, GL_FLOAT, values.data());
}

void QuantumGLView::setTextureTransformUniforms(QOpenGLShaderProgram& shader, bool zoomed)
{
    const TextureTransform t = zoomed ? zoomedTextureTransform(geometry_.navigation) : TextureTransform();
    shader.setUniformValue("uTexScale", t.scaleX, t.scaleY);
    shader.setUniformValue("uTexOffset", t.offsetX, t.offsetY);
}

void QuantumGLView::drawFullScreenQuad()
{
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}

void QuantumGLView::runBlurPass(GLuint input, GLuint target, bool horizontal)
{
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, static_cast<GLsizei>(hdrWidth_), static_cast<GLsizei>(hdrHeight_));
    glClear(GL_COLOR_BUFFER_BIT);
    QOpenGLShaderProgram& blur = program(QuantumShaderStage::GaussianBlur);
    blur.bind();
    setTextureTransformUniforms(blur, false);
    blur.setUniformValue("uInput", 0);
    blur.setUniformValue("uHorizontal", horizontal ? 1 : 0);
    blur.setUniformValue("uSpread", display_.blurSpread);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, input);
    drawFullScreenQuad();
}

void QuantumGLView::paintGL()
{
    // Nothing may escape into the toolkit's paint: a failure leaves this frame
    // as far as it got.
    try {
        renderFrame();
    } catch (...) {
    }
}

void QuantumGLView::renderFrame()
{
    if (!glReady_) {
        if (QOpenGLContext* current = QOpenGLContext::currentContext()) {
            QOpenGLFunctions* basic = current->functions();
            basic->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            basic->glClear(GL_COLOR_BUFFER_BIT);
        }
        return;
    }

    // State a previous painter may have left behind.
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    const qreal ratio = devicePixelRatioF();
    const int W = std::max(1, static_cast<int>(std::lround(width() * ratio)));
    const int H = std::max(1, static_cast<int>(std::lround(height() * ratio)));
    const GLuint screen = defaultFramebufferObject();
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    glViewport(0, 0, W, H);
    glClear(GL_COLOR_BUFFER_BIT);

    if (QuantumTextureFrame2D::isIncomplete(frame_))
        return;

    if (texturesDirty_) {
        uploadTextures(probabilityTexture_, 0, frame_.probability);
        uploadTextures(phaseTexture_, 1, frame_.phase);
        uploadTextures(potentialTexture_, 2, frame_.potential);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        // Back to the default: the painter's glyph cache uploads rows padded to 4 bytes.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        uploadedWidth_ = static_cast<std::uint32_t>(textureExtent(frame_.width));
        uploadedHeight_ = static_cast<std::uint32_t>(textureExtent(frame_.height));
        texturesDirty_ = false;
    }

    const QSize image = letterboxSize(W, H, uploadedWidth_, uploadedHeight_);
    const int w = image.width();
    const int h = image.height();

    bool targetsReady = hdrWidth_ == static_cast<std::uint32_t>(w) && hdrHeight_ == static_cast<std::uint32_t>(h);
    for (int k = 0; k < kHdrTargetCount && targetsReady; ++k)
        targetsReady = hdrFramebuffers_[k] != 0 && hdrTextures_[k] != 0;
    if (!targetsReady) {
        destroyHdrTargets();
        for (int k = 0; k < kHdrTargetCount; ++k) {
            if (!createHdrTarget(hdrFramebuffers_[k], hdrTextures_[k], w, h)) {
                destroyHdrTargets();
                return;
            }
        }
        hdrWidth_ = static_cast<std::uint32_t>(w);
        hdrHeight_ = static_cast<std::uint32_t>(h);
    }

    // Scene: data textures -> colour, with zoom and pan applied to the lookup.
    glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffers_[SceneTarget]);
    glViewport(0, 0, w, h);
    glClear(GL_COLOR_BUFFER_BIT);
    QOpenGLShaderProgram& scene = program(QuantumShaderStage::Scene);
    scene.bind();
    setTextureTransformUniforms(scene, true);
    scene.setUniformValue("uProbability", 0);
    scene.setUniformValue("uPhase", 1);
    scene.setUniformValue("uViewMode", shaderEnum(display_.viewMode));
    scene.setUniformValue("uPalette", shaderEnum(display_.palette));
    scene.setUniformValue("uMaxProbability", frame_.maxProbability);
    scene.setUniformValue("uDisplayScale", shaderEnum(display_.displayScale));
    scene.setUniformValue("uExposureEv", display_.exposureEv);
    scene.setUniformValue("uGamma", display_.gamma);
    scene.setUniformValue("uLogStrength", 1000.0f);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, probabilityTexture_);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, phaseTexture_);
    drawFullScreenQuad();
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);

    // Bright pass.
    glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffers_[BrightTarget]);
    glClear(GL_COLOR_BUFFER_BIT);
    QOpenGLShaderProgram& bright = program(QuantumShaderStage::BrightPass);
    bright.bind();
    setTextureTransformUniforms(bright, false);
    bright.setUniformValue("uScene", 0);
    bright.setUniformValue("uThreshold", display_.brightThreshold);
    bright.setUniformValue("uSoftKnee", display_.softKnee);
    glBindTexture(GL_TEXTURE_2D, hdrTextures_[SceneTarget]);
    drawFullScreenQuad();

    // Separable blur of the highlights: horizontal into A, vertical into B.
    runBlurPass(hdrTextures_[BrightTarget], hdrFramebuffers_[BlurATarget], true);
    runBlurPass(hdrTextures_[BlurATarget], hdrFramebuffers_[BlurBTarget], false);

    // Bloom composite.
    glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffers_[BloomTarget]);
    glViewport(0, 0, w, h);
    glClear(GL_COLOR_BUFFER_BIT);
    QOpenGLShaderProgram& bloom = program(QuantumShaderStage::Bloom);
    bloom.bind();
    setTextureTransformUniforms(bloom, false);
    bloom.setUniformValue("uScene", 0);
    bloom.setUniformValue("uBlurredHighlights", 1);
    bloom.setUniformValue("uStrength", display_.bloomStrength);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, hdrTextures_[SceneTarget]);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, hdrTextures_[BlurBTarget]);
    drawFullScreenQuad();
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);

    GLuint shown = hdrTextures_[SceneTarget];
    switch (display_.postPreview) {
    case 1: shown = hdrTextures_[BrightTarget]; break;
    case 2: shown = hdrTextures_[BlurBTarget]; break;
    case 3: shown = hdrTextures_[BloomTarget]; break;
    default: break;
    }

    // Tone map the chosen stage into the letterbox of the widget.
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    glViewport(0, 0, W, H);
    glClear(GL_COLOR_BUFFER_BIT);
    const QRect letterbox = letterboxViewport(W, H, image);
    glViewport(letterbox.x(), letterbox.y(), letterbox.width(), letterbox.height());
    QOpenGLShaderProgram& tone = program(QuantumShaderStage::ToneMap);
    tone.bind();
    setTextureTransformUniforms(tone, false);
    tone.setUniformValue("uTexture", 0);
    tone.setUniformValue("uToneMapOperator", shaderEnum(display_.toneMapOperator));
    glBindTexture(GL_TEXTURE_2D, shown);
    drawFullScreenQuad();
    glBindTexture(GL_TEXTURE_2D, 0);

    // Potential overlay on top of the tone-mapped picture, outside the HDR chain.
    if (overlays_.potentialOverlayVisible && overlays_.potentialOverlayOpacity > 0.0f && potentialTexture_ != 0
        && frame_.maxAbsPotential > 0.0f) {
        QOpenGLShaderProgram& overlay = program(QuantumShaderStage::PotentialOverlay);
        overlay.bind();
        setTextureTransformUniforms(overlay, true);
        overlay.setUniformValue("uPotential", 0);
        overlay.setUniformValue("uMaxAbsPotential", frame_.maxAbsPotential);
        overlay.setUniformValue("uOverlayOpacity", overlays_.potentialOverlayOpacity);
        glBindTexture(GL_TEXTURE_2D, potentialTexture_);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        drawFullScreenQuad();
        glDisable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glUseProgram(0);
    glViewport(0, 0, W, H);

    drawPainterOverlays();
}

// --- Painted overlays -----------------------------------------------------------

namespace {

// A painter on the view, clipped to the image and antialiased.
void preparePainter(QPainter& painter, const QRectF& image)
{
    painter.setClipRect(image);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

QColor withOpacity(QColor color, float opacity)
{
    color.setAlphaF(clampUpperFirst(opacity, 0.0f, 1.0f));
    return color;
}

QPen dashedPen(const QColor& color, double width)
{
    QPen pen(color, width);
    pen.setStyle(Qt::DashLine);
    return pen;
}

} // namespace

void QuantumGLView::drawPainterOverlays()
{
    drawPotentialContours();
    drawProbabilityContours();
    const bool currentShown = overlays_.currentVisible && !current_.isEmpty() && current_.maxMagnitude > 0.0f
                              && geometry_.worldExtentX > 0.0f && geometry_.worldExtentY > 0.0f;
    if (currentShown) {
        if (overlays_.currentMode == 1 || overlays_.currentMode == 2)
            drawCurrentStreamlines();
        if (overlays_.currentMode == 0 || overlays_.currentMode == 2)
            drawCurrentVectors();
    }
    drawDetectorOverlay();
    drawMeasurementMarkers();
    drawSectionLine();
    drawEditorShapePreview();
}

QColor QuantumGLView::probabilityContourColor(float t)
{
    struct Stop {
        double position;
        int r, g, b;
    };
    static constexpr Stop kStops[] = {{0.0, 30, 65, 255},   {0.2, 0, 175, 255},   {0.42, 80, 235, 210},
                                      {0.62, 230, 70, 230}, {0.8, 255, 170, 40}, {1.0, 255, 255, 235}};
    const double x = clampUpperFirst(t, 0.0f, 1.0f);
    int k = 5;
    for (int s = 1; s <= 5; ++s) {
        if (x <= kStops[s].position) {
            k = s;
            break;
        }
    }
    const Stop& a = kStops[k - 1];
    const Stop& b = kStops[k];
    const double f = std::clamp((x - a.position) / std::max(b.position - a.position, 1e-12), 0.0, 1.0);
    auto channel = [f](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * f)); };
    return QColor(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), 255);
}

void QuantumGLView::drawPotentialContours()
{
    if (!overlays_.potentialContoursVisible || potentialContours_.segments.empty() || !(geometry_.worldExtentX > 0.0f)
        || !(geometry_.worldExtentY > 0.0f) || !(overlays_.potentialContourOpacity > 0.0f))
        return;
    const QRectF image = imageRect();
    const ViewNavigation& nav = geometry_.navigation;
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(QPen(withOpacity(QColor(255, 205, 80), overlays_.potentialContourOpacity),
                        overlays_.potentialContourWidth));
    painter.setBrush(Qt::NoBrush);
    QVector<QLineF> lines;
    lines.reserve(static_cast<int>(std::min<std::size_t>(potentialContours_.segments.size(), INT_MAX)));
    for (const PotentialContourSegment& s : potentialContours_.segments)
        lines.append(QLineF(vxo::worldToWidget(image, nav, s.x0, s.y0), vxo::worldToWidget(image, nav, s.x1, s.y1)));
    painter.drawLines(lines);
}

void QuantumGLView::drawProbabilityContours()
{
    if (!overlays_.probabilityContoursVisible || probabilityContours_.segments.empty()
        || !(geometry_.worldExtentX > 0.0f) || !(geometry_.worldExtentY > 0.0f)
        || !(overlays_.probabilityContourOpacity > 0.0f))
        return;
    const QRectF image = imageRect();
    const ViewNavigation& nav = geometry_.navigation;
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setBrush(Qt::NoBrush);
    const auto& segments = probabilityContours_.segments;
    // One pen per level: segments arrive grouped level by level.
    QVector<QLineF> lines;
    std::size_t k = 0;
    while (k < segments.size()) {
        const float level = segments[k].level;
        painter.setPen(QPen(withOpacity(probabilityContourColor(segments[k].colorFraction),
                                        overlays_.probabilityContourOpacity),
                            overlays_.probabilityContourWidth));
        lines.clear();
        // The first segment of a group is always taken: a NaN level equals nothing,
        // not even itself, and must not stall the loop.
        do {
            lines.append(QLineF(vxo::worldToWidget(image, nav, segments[k].x0, segments[k].y0),
                                vxo::worldToWidget(image, nav, segments[k].x1, segments[k].y1)));
            ++k;
        } while (k < segments.size() && segments[k].level == level);
        painter.drawLines(lines);
    }
}

void QuantumGLView::drawCurrentStreamlines()
{
    const QRectF image = imageRect();
    if (image.isEmpty())
        return;
    const ViewNavigation& nav = geometry_.navigation;
    const double zoom = nav.zoom > 0.0f ? nav.zoom : 1.0f;
    const double px = nav.viewExtentX / zoom / std::max(image.width(), 1.0);
    const double py = nav.viewExtentY / zoom / std::max(image.height(), 1.0);
    const StreamlineParameters parameters =
        streamlineParametersFor(current_, std::min(px, py), overlays_.streamlineLength);
    if (!isFinitePositive(parameters.stepLength))
        return;

    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(QPen(QColor(90, 225, 255, 160), 1.15));
    painter.setBrush(Qt::NoBrush);
    const double s = std::max(overlays_.currentSpacing, 18);
    for (double y = image.top() + s / 2.0; y < image.bottom(); y += s) {
        for (double x = image.left() + s / 2.0; x < image.right(); x += s) {
            float wx = 0.0f;
            float wy = 0.0f;
            if (!widgetToWorld(QPointF(x, y), wx, wy))
                continue;
            const std::vector<StreamlinePoint> line = ProbabilityStreamlines2D::trace(current_, wx, wy, parameters);
            if (line.size() < 3)
                continue;
            QPainterPath path(vxo::worldToWidget(image, nav, line.front().x, line.front().y));
            for (std::size_t p = 1; p < line.size(); ++p)
                path.lineTo(vxo::worldToWidget(image, nav, line[p].x, line[p].y));
            painter.drawPath(path);
        }
    }
}

void QuantumGLView::drawCurrentVectors()
{
    const QRectF image = imageRect();
    if (image.isEmpty())
        return;
    const ViewNavigation& nav = geometry_.navigation;
    const std::int32_t spacing = overlays_.currentSpacing;
    const double arrowLength = spacing * 0.8 * overlays_.currentScale;
    const double head = std::max(0.22 * arrowLength, 3.0);
    const std::uint64_t nx = current_.nx;
    const std::uint64_t ny = current_.ny;
    const std::int64_t strideX = arrowLatticeStride(spacing, nx, nav.zoom, image.width());
    const std::int64_t strideY = arrowLatticeStride(spacing, ny, nav.zoom, image.height());
    const IndexRange columns = visibleLatticeRange(nav.panX, nav.viewExtentX, nav.zoom, current_.dx, nx, strideX);
    const IndexRange rows = visibleLatticeRange(nav.panY, nav.viewExtentY, nav.zoom, current_.dy, ny, strideY);
    if (columns.empty() || rows.empty())
        return;

    QPainter painter(this);
    preparePainter(painter, image);
    const QColor colour(145, 245, 255, 225);
    painter.setPen(QPen(colour, 1.35));
    painter.setBrush(colour);
    const double cx = centreOffset(nx);
    const double cy = centreOffset(ny);
    QVector<QLineF> lines;
    for (std::int64_t j = rows.first; j <= rows.last; j += strideY) {
        for (std::int64_t i = columns.first; i <= columns.last; i += strideX) {
            const std::size_t k = static_cast<std::size_t>(j) * nx + static_cast<std::size_t>(i);
            const QPointF base =
                vxo::worldToWidget(image, nav, static_cast<float>((static_cast<double>(i) - cx) * current_.dx),
                                   static_cast<float>((static_cast<double>(j) - cy) * current_.dy));
            CurrentArrow arrow;
            if (!currentArrow(base, current_.jx[k], current_.jy[k], current_.maxMagnitude, arrowLength, head, arrow))
                continue;
            lines.append(QLineF(arrow.base, arrow.tip));
            lines.append(QLineF(arrow.tip, arrow.headLeft));
            lines.append(QLineF(arrow.tip, arrow.headRight));
        }
    }
    painter.drawLines(lines);
}

void QuantumGLView::drawDetectorOverlay()
{
    const float ex = geometry_.worldExtentX;
    const float ey = geometry_.worldExtentY;
    if (!overlays_.detectorVisible || !(ex > 0.0f) || !(ey > 0.0f))
        return;
    const QRectF image = imageRect();
    QPainter painter(this);
    preparePainter(painter, image);

    const float x = overlays_.detectorX;
    const float half = overlays_.detectorThickness / 2.0f;
    const QPointF top = worldToWidget(x, ey / 2.0f);
    const QPointF bottom = worldToWidget(x, -ey / 2.0f);
    const double e0 = worldToWidget(x - half, 0.0f).x();
    const double e1 = worldToWidget(x + half, 0.0f).x();
    const double x0 = std::min(e0, e1);
    const double x1 = std::max(e0, e1);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 205, 255, 28));
    painter.drawRect(QRectF(x0, top.y(), std::max(x1 - x0, 1.0), bottom.y() - top.y()).normalized());

    painter.setPen(dashedPen(QColor(120, 225, 255, 220), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(top, bottom);

    const std::int32_t bins = overlays_.detectorBins;
    if (bins < 1)
        return;
    const double histogramWidth = std::min(0.2 * image.width(), 150.0);
    const double binHeight = image.height() / bins;
    const double baseX = top.x() + 4.0;

    if (!markers_.empty()) {
        const std::vector<std::uint64_t> counts =
            histogramShots(markers_, -ey / 2.0f, ey / 2.0f, static_cast<std::uint64_t>(bins));
        const std::uint64_t most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
        if (most > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(100, 220, 255, 88));
            for (std::size_t k = 0; k < counts.size(); ++k) {
                if (counts[k] == 0)
                    continue;
                const double w = static_cast<double>(counts[k]) / static_cast<double>(most) * histogramWidth;
                painter.drawRect(QRectF(baseX, image.bottom() - (static_cast<double>(k) + 1.0) * binHeight, w,
                                        std::max(binHeight - 0.6, 1.0)));
            }
        }
    }

    if (overlays_.detectorReferenceVisible && !detectorFlux_.empty()) {
        const std::vector<double> reference =
            DetectorTemporalFlux2D::normalizedDistribution(detectorFlux_, static_cast<std::uint64_t>(bins));
        const double largest = reference.empty() ? 0.0 : *std::max_element(reference.begin(), reference.end());
        if (largest > 0.0) {
            QPolygonF curve;
            for (std::size_t k = 0; k < reference.size(); ++k)
                curve << QPointF(baseX + reference[k] / largest * histogramWidth,
                                 image.bottom() - (static_cast<double>(k) + 0.5) * binHeight);
            painter.setPen(QPen(QColor(255, 220, 80, 245), 2.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(curve);
        }
    }
}

void QuantumGLView::drawMeasurementMarkers()
{
    if (!overlays_.markersVisible || markers_.empty() || !(geometry_.worldExtentX > 0.0f)
        || !(geometry_.worldExtentY > 0.0f))
        return;
    QPainter painter(this);
    preparePainter(painter, imageRect());
    painter.setPen(QPen(QColor(255, 245, 170, 230), 0.8));
    painter.setBrush(QColor(255, 210, 80, 215));
    const double radius = overlays_.markerSize / 2.0;
    for (const MeasurementShot& shot : markers_)
        painter.drawEllipse(worldToWidget(shot.x, shot.y), radius, radius);
}

void QuantumGLView::drawSectionLine()
{
    const float ex = geometry_.worldExtentX;
    const float ey = geometry_.worldExtentY;
    if (!overlays_.sectionVisible || !(ex > 0.0f) || !(ey > 0.0f))
        return;
    const QRectF image = imageRect();
    QPainter painter(this);
    preparePainter(painter, image);
    painter.setPen(dashedPen(QColor(255, 170, 70, 225), 1.6));
    painter.setBrush(Qt::NoBrush);

    const float c = overlays_.sectionCoordinate;
    const bool horizontal = overlays_.sectionOrientation == 0;
    QPointF from;
    QPointF to;
    QString label;
    if (horizontal) {
        from = worldToWidget(-ex / 2.0f, c);
        to = worldToWidget(ex / 2.0f, c);
        label = QStringLiteral("Y=%1").arg(static_cast<double>(c), 0, 'f', 2);
    } else {
        from = worldToWidget(c, ey / 2.0f);
        to = worldToWidget(c, -ey / 2.0f);
        label = QStringLiteral("X=%1").arg(static_cast<double>(c), 0, 'f', 2);
    }
    painter.drawLine(from, to);

    const bool inside = horizontal ? (image.top() <= from.y() && from.y() <= image.bottom())
                                   : (image.left() <= from.x() && from.x() <= image.right());
    if (!inside)
        return;
    const QPointF anchor = horizontal ? QPointF(image.left() + 8.0, from.y() - 6.0)
                                      : QPointF(from.x() + 6.0, image.top() + 18.0);
    QFont font = painter.font();
    font.setPixelSize(std::max(font.pixelSize(), 13));
    font.setWeight(63);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QRectF box(anchor.x() - 4.0, anchor.y() - metrics.ascent() - 3.0, metrics.horizontalAdvance(label) + 8.0,
                     metrics.height() + 6.0);
    painter.setPen(QPen(QColor(255, 210, 135, 150), 1.0));
    painter.setBrush(QColor(0, 0, 0, 190));
    painter.drawRoundedRect(box, 4.0, 4.0, Qt::AbsoluteSize);
    painter.setPen(QColor(255, 218, 145));
    painter.drawText(anchor, label);
}

void QuantumGLView::drawEditorShapePreview()
{
    if (!editor_.enabled || !editor_.dragging)
        return;
    QPainter painter(this);
    preparePainter(painter, imageRect());
    painter.setPen(dashedPen(QColor(255, 220, 80, 230), 2.0));
    painter.setBrush(QColor(255, 220, 80, 35));
    const QPointF p0 = worldToWidget(editor_.dragStartX, editor_.dragStartY);
    const QPointF p1 = worldToWidget(editor_.dragCurrentX, editor_.dragCurrentY);
    if (editor_.tool == PotentialEditorShape::kCircle) {
        const double r = std::hypot(p1.x() - p0.x(), p1.y() - p0.y());
        painter.drawEllipse(p0, r, r);
    } else {
        painter.drawRect(QRectF(p0, p1).normalized());
    }
}

} // namespace vxo
