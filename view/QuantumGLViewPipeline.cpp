#include "view/QuantumGLView.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

// The OpenGL side of the view: resources, texture upload and the passes from
// the data textures to the tone-mapped picture. The painted overlays follow
// in QuantumGLViewOverlays.cpp.

namespace vxo {

namespace {

GLint shaderEnum(std::uint32_t value)
{
    // Values beyond the int range fall back in the shaders like any unknown value.
    return value <= static_cast<std::uint32_t>(std::numeric_limits<GLint>::max()) ? static_cast<GLint>(value) : -1;
}

GLsizei textureExtent(std::uint64_t n)
{
    return static_cast<GLsizei>(
        std::min<std::uint64_t>(n, static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max())));
}

} // namespace

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
        const bool ok = built->addShaderFromSourceCode(QOpenGLShader::Vertex, quantumVertexShaderSource()) &&
                        built->addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShaderSource(stage)) &&
                        built->link();
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
    if (static_cast<std::uint64_t>(uploadedWidth_) != frame_.width ||
        static_cast<std::uint64_t>(uploadedHeight_) != frame_.height)
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

    const QSizeF shape = pictureShape(geometry_.navigation, uploadedWidth_, uploadedHeight_);
    const QSize image = letterboxSize(W, H, shape.width(), shape.height());
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
        ++renderTargetBuilds_;
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
    case 1:
        shown = hdrTextures_[BrightTarget];
        break;
    case 2:
        shown = hdrTextures_[BlurBTarget];
        break;
    case 3:
        shown = hdrTextures_[BloomTarget];
        break;
    default:
        break;
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
    if (overlays_.potentialOverlayVisible && overlays_.potentialOverlayOpacity > 0.0f && potentialTexture_ != 0 &&
        frame_.maxAbsPotential > 0.0f) {
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

} // namespace vxo
