#include "view/QuantumGLShaders.h"

namespace vxo {

namespace {

// Four corners generated from the vertex index: no vertex buffer is needed.
// Zoom and pan enter only through the texture-coordinate transform.
const char* const kVertexShader = R"GLSL(#version 330 core
uniform vec2 uTexScale;
uniform vec2 uTexOffset;
out vec2 vTexCoord;
void main()
{
    vec2 corner;
    if (gl_VertexID == 0)
        corner = vec2(-1.0, -1.0);
    else if (gl_VertexID == 1)
        corner = vec2(1.0, -1.0);
    else if (gl_VertexID == 2)
        corner = vec2(-1.0, 1.0);
    else
        corner = vec2(1.0, 1.0);
    vec2 base = corner * 0.5 + 0.5;
    vTexCoord = uTexOffset + base * uTexScale;
    gl_Position = vec4(corner, 0.0, 1.0);
}
)GLSL";

// Maps |psi|^2 (or the phase) to an HDR colour:
//   n = clamp(p / max(pmax, 1e-20), 0, 1),
//   x = n 2^EV, optionally x = ln(1 + k x) / ln(1 + k) (about three decades at k = 1000),
//   d = clamp(x, 0, 1)^(1 / gamma),  amplitude = sqrt(d).
// The phase is interpolated as the unit phasor exp(i phi), never as a raw angle,
// so that +179 and -179 degrees average to 180, not 0.
const char* const kSceneShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uProbability;
uniform sampler2D uPhase;
uniform int uViewMode;
uniform int uPalette;
uniform float uMaxProbability;
uniform int uDisplayScale;
uniform float uExposureEv;
uniform float uGamma;
uniform float uLogStrength;

const float kTwoPi = 6.283185307179586;

vec3 scientificPalette(float t)
{
    const vec3 c0 = vec3(0.000, 0.000, 0.020);
    const vec3 c1 = vec3(0.020, 0.100, 0.350);
    const vec3 c2 = vec3(0.000, 0.550, 0.800);
    const vec3 c3 = vec3(0.300, 0.900, 0.650);
    const vec3 c4 = vec3(1.000, 0.850, 0.150);
    const vec3 c5 = vec3(1.000, 1.000, 1.000);
    t = clamp(t, 0.0, 1.0);
    if (t < 0.20)
        return mix(c0, c1, t / 0.20);
    if (t < 0.45)
        return mix(c1, c2, (t - 0.20) / 0.25);
    if (t < 0.70)
        return mix(c2, c3, (t - 0.45) / 0.25);
    if (t < 0.88)
        return mix(c3, c4, (t - 0.70) / 0.18);
    return mix(c4, c5, (t - 0.88) / 0.12);
}

vec3 viridisPalette(float t)
{
    const vec3 c0 = vec3(0.267, 0.005, 0.329);
    const vec3 c1 = vec3(0.230, 0.322, 0.546);
    const vec3 c2 = vec3(0.128, 0.567, 0.551);
    const vec3 c3 = vec3(0.369, 0.789, 0.383);
    const vec3 c4 = vec3(0.993, 0.906, 0.144);
    t = clamp(t, 0.0, 1.0);
    if (t < 0.25)
        return mix(c0, c1, t / 0.25);
    if (t < 0.50)
        return mix(c1, c2, (t - 0.25) / 0.25);
    if (t < 0.75)
        return mix(c2, c3, (t - 0.50) / 0.25);
    return mix(c3, c4, (t - 0.75) / 0.25);
}

vec3 paletteColor(float t)
{
    if (uPalette == 1)
        return viridisPalette(t);
    if (uPalette == 2) {
        float g = clamp(t, 0.0, 1.0);
        return vec3(g, g, g);
    }
    return scientificPalette(t);
}

// Zero phase is red; +pi and -pi give the same cyan.
vec3 phaseHue(float phi)
{
    float h = fract(phi / kTwoPi + 1.0);
    vec3 c = vec3(1.0, 2.0 / 3.0, 1.0 / 3.0);
    return clamp(abs(fract(h + c) * 6.0 - 3.0) - 1.0, 0.0, 1.0);
}

float samplePhase(vec2 uv)
{
    ivec2 size = textureSize(uPhase, 0);
    ivec2 last = max(size - ivec2(1), ivec2(0));
    vec2 q = uv * vec2(size) - 0.5;
    vec2 b = floor(q);
    vec2 f = fract(q);
    ivec2 i0 = ivec2(b);
    ivec2 i00 = clamp(i0, ivec2(0), last);
    ivec2 i10 = clamp(i0 + ivec2(1, 0), ivec2(0), last);
    ivec2 i01 = clamp(i0 + ivec2(0, 1), ivec2(0), last);
    ivec2 i11 = clamp(i0 + ivec2(1, 1), ivec2(0), last);
    float p00 = texelFetch(uPhase, i00, 0).r;
    float p10 = texelFetch(uPhase, i10, 0).r;
    float p01 = texelFetch(uPhase, i01, 0).r;
    float p11 = texelFetch(uPhase, i11, 0).r;
    vec2 z00 = vec2(cos(p00), sin(p00));
    vec2 z10 = vec2(cos(p10), sin(p10));
    vec2 z01 = vec2(cos(p01), sin(p01));
    vec2 z11 = vec2(cos(p11), sin(p11));
    vec2 z = mix(mix(z00, z10, f.x), mix(z01, z11, f.x), f.y);
    if (dot(z, z) < 1e-12)
        return p00;
    return atan(z.y, z.x);
}

float displayTransfer(float n)
{
    float x = max(n, 0.0) * exp2(uExposureEv);
    if (uDisplayScale == 1) {
        float k = max(uLogStrength, 1e-6);
        x = log(1.0 + k * x) / log(1.0 + k);
    }
    x = clamp(x, 0.0, 1.0);
    float g = max(uGamma, 1e-4);
    return pow(x, 1.0 / g);
}

void main()
{
    float p = max(texture(uProbability, vTexCoord).r, 0.0);
    float n = clamp(p / max(uMaxProbability, 1e-20), 0.0, 1.0);
    float d = displayTransfer(n);
    float amp = sqrt(d);
    vec3 rgb;
    if (uViewMode == 1) {
        float phi = samplePhase(vTexCoord);
        rgb = phaseHue(phi) * amp * smoothstep(1e-4, 5e-3, n);
    } else if (uViewMode == 2 || uViewMode == 3) {
        float phi = samplePhase(vTexCoord);
        float v = amp * (uViewMode == 2 ? cos(phi) : sin(phi));
        rgb = v >= 0.0 ? vec3(v, 0.0, 0.0) : vec3(0.0, 0.0, -v);
    } else {
        rgb = paletteColor(d);
    }
    fragColor = vec4(rgb, 1.0);
}
)GLSL";

// Keeps what is brighter than the threshold, with a smooth knee of half-width K
// around it: mask = smoothstep(T - K, T + K, L), L the Rec. 709 luminance.
const char* const kBrightPassShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uScene;
uniform float uThreshold;
uniform float uSoftKnee;
void main()
{
    vec3 rgb = texture(uScene, vTexCoord).rgb;
    float luminance = dot(rgb, vec3(0.2126, 0.7152, 0.0722));
    float threshold = clamp(uThreshold, 0.0, 1.0);
    float knee = max(uSoftKnee, 0.0);
    float mask;
    if (knee <= 1e-7)
        mask = luminance >= threshold ? 1.0 : 0.0;
    else
        mask = smoothstep(threshold - knee, threshold + knee, luminance);
    fragColor = vec4(rgb * mask, 1.0);
}
)GLSL";

// One direction of a separable Gaussian: the nine-tap binomial-like kernel
// (0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216) folded into five
// bilinear fetches at offsets 0, +-1.384615 and +-3.230769 texels (times the
// spread), with unit gain.
const char* const kGaussianBlurShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uInput;
uniform int uHorizontal;
uniform float uSpread;
void main()
{
    vec2 texel = 1.0 / vec2(textureSize(uInput, 0));
    vec2 axis = uHorizontal != 0 ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    float s = clamp(uSpread, 0.25, 8.0);
    vec2 near = axis * 1.384615 * s;
    vec2 far = axis * 3.230769 * s;
    vec3 sum = 0.227027 * texture(uInput, vTexCoord).rgb
             + 0.316216 * (texture(uInput, vTexCoord + near).rgb + texture(uInput, vTexCoord - near).rgb)
             + 0.070270 * (texture(uInput, vTexCoord + far).rgb + texture(uInput, vTexCoord - far).rgb);
    fragColor = vec4(sum, 1.0);
}
)GLSL";

// Additive bloom; values above 1 survive in the half-float target and are
// compressed only by the tone map.
const char* const kBloomShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uScene;
uniform sampler2D uBlurredHighlights;
uniform float uStrength;
void main()
{
    vec3 scene = texture(uScene, vTexCoord).rgb;
    vec3 glow = texture(uBlurredHighlights, vTexCoord).rgb;
    fragColor = vec4(scene + glow * clamp(uStrength, 0.0, 5.0), 1.0);
}
)GLSL";

// 0 clip, 1 Reinhard x / (1 + x), 2 the ACES filmic fit
// x (2.51 x + 0.03) / (x (2.43 x + 0.59) + 0.14).
const char* const kToneMapShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uTexture;
uniform int uToneMapOperator;
void main()
{
    vec3 x = max(texture(uTexture, vTexCoord).rgb, vec3(0.0));
    vec3 mapped;
    if (uToneMapOperator == 1)
        mapped = x / (1.0 + x);
    else if (uToneMapOperator == 2)
        mapped = clamp(x * (2.51 * x + 0.03) / (x * (2.43 * x + 0.59) + 0.14), 0.0, 1.0);
    else
        mapped = clamp(x, 0.0, 1.0);
    fragColor = vec4(mapped, 1.0);
}
)GLSL";

// Grey for barriers (V >= 0), faint blue for wells; the alpha follows
// sqrt(|V| / max|V|) so that a smooth potential does not veil the picture.
const char* const kPotentialOverlayShader = R"GLSL(#version 330 core
in vec2 vTexCoord;
out vec4 fragColor;
uniform sampler2D uPotential;
uniform float uMaxAbsPotential;
uniform float uOverlayOpacity;
void main()
{
    float v = texture(uPotential, vTexCoord).r;
    float magnitude = abs(v);
    if (magnitude <= max(1e-7, uMaxAbsPotential * 1e-6))
        discard;
    float m = clamp(magnitude / max(uMaxAbsPotential, 1e-7), 0.0, 1.0);
    vec3 rgb = v >= 0.0 ? vec3(72.0 / 255.0) : vec3(0.08, 0.24, 0.46);
    float alpha = clamp(uOverlayOpacity, 0.0, 1.0) * sqrt(m) * (v >= 0.0 ? 1.0 : 0.35);
    fragColor = vec4(rgb, alpha);
}
)GLSL";

} // namespace

const char* quantumVertexShaderSource() { return kVertexShader; }

const char* quantumFragmentShaderSource(QuantumShaderStage stage)
{
    switch (stage) {
    case QuantumShaderStage::Scene:
        return kSceneShader;
    case QuantumShaderStage::BrightPass:
        return kBrightPassShader;
    case QuantumShaderStage::GaussianBlur:
        return kGaussianBlurShader;
    case QuantumShaderStage::Bloom:
        return kBloomShader;
    case QuantumShaderStage::ToneMap:
        return kToneMapShader;
    case QuantumShaderStage::PotentialOverlay:
        return kPotentialOverlayShader;
    }
    return kSceneShader;
}

const char* quantumShaderLogPrefix(QuantumShaderStage stage)
{
    switch (stage) {
    case QuantumShaderStage::Scene:
        return "QuantumGLView scene shader:";
    case QuantumShaderStage::BrightPass:
        return "QuantumGLView bright-pass shader:";
    case QuantumShaderStage::GaussianBlur:
        return "QuantumGLView Gaussian-blur shader:";
    case QuantumShaderStage::Bloom:
        return "QuantumGLView bloom shader:";
    case QuantumShaderStage::ToneMap:
        return "QuantumGLView tone-map shader:";
    case QuantumShaderStage::PotentialOverlay:
        return "QuantumGLView potential-overlay shader:";
    }
    return "QuantumGLView scene shader:";
}

} // namespace vxo
