#pragma once

#include "core/PositionMeasurement.h"
#include "core/ProbabilityCurrent2D.h"
#include "view/ContourExtraction.h"
#include "view/PotentialEditorShape.h"
#include "view/QuantumGLShaders.h"
#include "view/QuantumTextureFrame2D.h"
#include "view/QuantumViewState.h"

#include <QColor>
#include <QElapsedTimer>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLWidget>
#include <QPointF>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QOpenGLShaderProgram;

namespace vxo {

class ComplexField2D;
class PotentialField2D;

// The OpenGL 3.3 core viewport of the wave function. Each frame's |psi|^2,
// phase and potential become float textures; a scene pass maps them to colour
// into a half-float target, followed by a bright pass, a separable Gaussian
// blur, an additive bloom and a tone map that draws one chosen stage,
// letterboxed to the domain's physical aspect ratio (nx dx : ny dy, so that a
// length unit spans as many pixels along x as along y, on any cells); the
// painted overlays and the mouse go through the same image rectangle. A
// signed potential overlay and painted vector overlays (contours, current,
// flux tube, detector, section line, markers, editor preview) follow. The view holds no simulation state: the main window
// pushes settings, overlay data and the frame through the setters, each of
// which stores its value and schedules one common repaint. The implementation
// is split by concern: setters and frame (QuantumGLView.cpp), the OpenGL
// passes (QuantumGLViewPipeline.cpp), the painted overlays
// (QuantumGLViewOverlays.cpp), navigation and shape drawing
// (QuantumGLViewInteraction.cpp).
class QuantumGLView : public QOpenGLWidget, private QOpenGLFunctions_3_3_Core {
public:
    using ShapeCommittedCallback = std::function<void(const PotentialEditorShape&)>;

    explicit QuantumGLView(QWidget* parent = nullptr);
    ~QuantumGLView() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Display. Out-of-range numbers are clamped (upper bound first, so NaN
    // becomes the upper bound); a float counts as changed beyond 1e-6.
    void setPalette(std::uint32_t palette);
    void setDisplayScale(std::uint32_t scale);
    void setExposureEv(float ev);
    void setGamma(float gamma);
    void setPostPreview(std::uint32_t stage);
    void setBloomThreshold(float threshold);
    void setBloomSoftKnee(float knee);
    void setBlurSpread(float spread);
    void setBloomStrength(float strength);
    void setToneMapOperator(std::uint32_t op);

    void setPotentialOverlayVisible(bool visible);
    void setPotentialOverlayOpacity(float opacity);

    void setPotentialContoursVisible(bool visible);
    void setPotentialContourOpacity(float opacity);
    void setPotentialContourWidth(float width);
    void setPotentialContours(const PotentialContourSet& contours);
    void clearPotentialContours();

    void setProbabilityContoursVisible(bool visible);
    void setProbabilityContourOpacity(float opacity);
    void setProbabilityContourWidth(float width);
    void setProbabilityContours(const ProbabilityContourSet& contours);
    void clearProbabilityContours();

    void setCurrentOverlayVisible(bool visible);
    void setCurrentMode(std::uint32_t mode);
    void setCurrentSpacing(std::int32_t pixels);
    void setCurrentScale(float scale);
    void setStreamlineLength(std::int32_t pixels);
    void setCurrentField(const ProbabilityCurrent2D& current);
    void clearCurrentField();

    void setMeasurementMarkersVisible(bool visible);
    void setMeasurementMarkerSize(float pixels);
    void setMeasurementMarkers(const std::vector<MeasurementShot>& markers);
    void clearMeasurementMarkers();

    void setDetectorVisible(bool visible);
    void setDetector(float x, float thickness, std::int32_t bins);
    void setDetectorDistribution(const std::vector<double>& rowFlux, bool referenceVisible);
    void clearDetectorDistribution();

    // The solenoid of an enclosed magnetic flux, drawn over the field: a
    // ring of the tube's radius, hatched, with the field's direction through
    // the screen at its centre (a dot for a positive flux, out of the screen;
    // a cross for a negative one). A radius that is not positive draws nothing.
    void setFluxTube(bool visible, float x, float y, float radius, float fluxQuanta);

    void setCrossSectionLineVisible(bool visible);
    void setCrossSectionLine(std::uint32_t orientation, float coordinate);

    void setViewportEditEnabled(bool enabled);
    void setEditTool(std::uint32_t tool);
    void setShapeCommittedCallback(ShapeCommittedCallback callback);

    // Builds the texture frame (a potential on another grid throws
    // std::invalid_argument and changes nothing). A frame of another physical
    // size resets zoom and pan; one of the same size keeps them.
    void setFrame(const ComplexField2D& psi, const PotentialField2D& potential, std::uint32_t viewMode);

    // Zoom 1, pan (0, 0), no pan in progress.
    void resetView();

    // Navigation between widget pixels and physical coordinates.
    QRectF imageRect() const;
    bool widgetToWorld(const QPointF& point, float& x, float& y) const;
    QPointF worldToWidget(float x, float y) const;
    void widgetToTexture(double u, double v, float& x, float& y) const;
    void clampPan();

    // Colour ramp of the probability contours for a fraction t in [0, 1].
    static QColor probabilityContourColor(float t);

    const QuantumTextureFrame2D& frame() const { return frame_; }
    const QuantumDisplaySettings& display() const { return display_; }
    const QuantumOverlaySettings& overlays() const { return overlays_; }
    const QuantumEditorState& editor() const { return editor_; }
    const QuantumViewGeometry& geometry() const { return geometry_; }
    const PotentialContourSet& potentialContours() const { return potentialContours_; }
    const ProbabilityContourSet& probabilityContours() const { return probabilityContours_; }
    const ProbabilityCurrent2D& currentField() const { return current_; }
    const std::vector<MeasurementShot>& measurementMarkers() const { return markers_; }
    const std::vector<double>& detectorDistribution() const { return detectorFlux_; }
    bool isPanning() const { return panning_; }
    bool isGlReady() const { return glReady_; }
    // How often the five render targets have been built: once for each new
    // image size in device pixels, never for a repaint of the same size.
    std::uint64_t renderTargetBuilds() const { return renderTargetBuilds_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

    // The fragment source of one stage; a derived view may substitute one.
    virtual const char* fragmentShaderSource(QuantumShaderStage stage) const;

private:
    static constexpr int kHdrTargetCount = 5;
    enum HdrTarget { SceneTarget = 0, BrightTarget = 1, BlurATarget = 2, BlurBTarget = 3, BloomTarget = 4 };

    void scheduleRepaint();
    bool createShaderPrograms();
    void createDataTexture(GLuint& texture, GLenum filter);
    bool createHdrTarget(GLuint& framebuffer, GLuint& texture, int width, int height);
    void destroyHdrTargets();
    void releaseGlResources();
    void uploadTextures(GLuint texture, int unit, const std::vector<float>& values);
    void runBlurPass(GLuint input, GLuint target, bool horizontal);
    void setTextureTransformUniforms(QOpenGLShaderProgram& program, bool zoomed);
    QOpenGLShaderProgram& program(QuantumShaderStage stage);
    void renderFrame();
    void drawFullScreenQuad();

    void drawPainterOverlays();
    void drawPotentialContours();
    void drawProbabilityContours();
    void drawCurrentStreamlines();
    void drawCurrentVectors();
    void drawFluxTube();
    void drawDetectorOverlay();
    void drawMeasurementMarkers();
    // A detection on the visible detector's line (screen and arrival shots
    // carry its x): drawn on the screen's strip beside the line.
    bool onDetectorLine(const MeasurementShot& shot) const;
    void drawSectionLine();
    void drawEditorShapePreview();

    void startPanning(const QPointF& position);
    void stopPanning();
    void cancelDrag();
    void applyIdleCursor();

    QuantumTextureFrame2D frame_;
    QuantumDisplaySettings display_;
    QuantumOverlaySettings overlays_;
    PotentialContourSet potentialContours_;
    ProbabilityContourSet probabilityContours_;
    ProbabilityCurrent2D current_;
    std::vector<MeasurementShot> markers_;
    std::vector<double> detectorFlux_;
    QuantumEditorState editor_;
    ShapeCommittedCallback shapeCommitted_;
    QuantumViewGeometry geometry_;

    bool panning_ = false;
    QPointF panAnchor_;
    QElapsedTimer middleClickTimer_;
    QPointF lastMiddlePress_;

    std::array<std::unique_ptr<QOpenGLShaderProgram>, kQuantumShaderStageCount> programs_;
    GLuint vertexArray_ = 0;
    GLuint probabilityTexture_ = 0;
    GLuint phaseTexture_ = 0;
    GLuint potentialTexture_ = 0;
    std::array<GLuint, kHdrTargetCount> hdrFramebuffers_{};
    std::array<GLuint, kHdrTargetCount> hdrTextures_{};
    std::uint32_t hdrWidth_ = 0;
    std::uint32_t hdrHeight_ = 0;
    std::uint64_t renderTargetBuilds_ = 0;
    std::uint32_t uploadedWidth_ = 0;
    std::uint32_t uploadedHeight_ = 0;
    bool texturesDirty_ = false;
    bool functionsResolved_ = false;
    bool glReady_ = false;
    QMetaObject::Connection contextConnection_;
};

} // namespace vxo
