#pragma once

namespace vxo {

// The six programs of the viewport, in the order they are built. Each links
// the common full-screen vertex shader with its own fragment shader.
enum class QuantumShaderStage {
    Scene = 0,
    BrightPass = 1,
    GaussianBlur = 2,
    Bloom = 3,
    ToneMap = 4,
    PotentialOverlay = 5,
};

constexpr int kQuantumShaderStageCount = 6;

// GLSL 330 core sources, held as text in the program.
const char* quantumVertexShaderSource();
const char* quantumFragmentShaderSource(QuantumShaderStage stage);

// The log prefix of a stage whose program fails to compile or link.
const char* quantumShaderLogPrefix(QuantumShaderStage stage);

} // namespace vxo
