#include "view/QuantumGLView.h"

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "view/ViewSettingRules.h"

#include <QOpenGLShaderProgram>
#include <QWidget>

#include <cmath>
#include <utility>

// The view's construction, its setters and the frame. The OpenGL passes live
// in QuantumGLViewPipeline.cpp, the painted overlays in
// QuantumGLViewOverlays.cpp, mouse navigation and shape drawing in
// QuantumGLViewInteraction.cpp.

namespace vxo {

namespace {

// Two floats are the same setting unless they differ by more than this.
constexpr double kFloatTolerance = 1e-6;

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

} // namespace

QuantumGLView::QuantumGLView(QWidget* parent) : QOpenGLWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(
        QStringLiteral("Mouse wheel: zoom around cursor | Middle-drag: pan | Home or middle double-click: reset view"));
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

void QuantumGLView::setFluxTube(bool visible, float x, float y, float radius, float fluxQuanta)
{
    overlays_.fluxTubeVisible = visible;
    overlays_.fluxTubeX = x;
    overlays_.fluxTubeY = y;
    overlays_.fluxTubeRadius = radius;
    overlays_.fluxQuanta = fluxQuanta;
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
    const bool sameSize = std::fabs(static_cast<double>(ex) - nav.viewExtentX) <= kFloatTolerance &&
                          std::fabs(static_cast<double>(ey) - nav.viewExtentY) <= kFloatTolerance;
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
    const QSizeF shape = pictureShape(geometry_.navigation, uploadedWidth_, uploadedHeight_);
    return fittedImageRect(shape.width(), shape.height(), width(), height());
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

} // namespace vxo
