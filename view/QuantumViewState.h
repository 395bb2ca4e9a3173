#pragma once

#include "view/ViewportMapping.h"

#include <cstdint>

namespace vxo {

// Plain settings of the viewport, grouped as the main window's refresh pushes
// them. The defaults are the view's look before the first refresh.

struct QuantumDisplaySettings {
    std::uint32_t viewMode = 0;     // 0 |psi|^2, 1 phase, 2 Re psi, 3 Im psi
    std::uint32_t palette = 0;      // 0 scientific, 1 viridis-like, 2 grayscale
    std::uint32_t displayScale = 0; // 0 linear, 1 logarithmic
    float exposureEv = 0.0f;
    float gamma = 1.0f;
    std::uint32_t postPreview = 0; // 0 scene, 1 bright pass, 2 blurred highlights, 3 bloom
    float brightThreshold = 0.72f;
    float softKnee = 0.08f;
    float blurSpread = 2.0f;
    float bloomStrength = 1.25f;
    std::uint32_t toneMapOperator = 2; // 0 clip, 1 Reinhard, 2 ACES filmic
};

struct QuantumOverlaySettings {
    bool potentialOverlayVisible = true;
    float potentialOverlayOpacity = 1.0f;

    bool potentialContoursVisible = true;
    float potentialContourOpacity = 0.8f;
    float potentialContourWidth = 1.35f;

    bool probabilityContoursVisible = true;
    float probabilityContourOpacity = 0.82f;
    float probabilityContourWidth = 1.1f;

    bool currentVisible = true;
    static constexpr std::uint32_t kCurrentVectors = 0;
    static constexpr std::uint32_t kCurrentStreamlines = 1;
    static constexpr std::uint32_t kCurrentVectorsAndStreamlines = 2;
    std::uint32_t currentMode = kCurrentStreamlines;
    std::int32_t currentSpacing = 42;    // seed spacing, pixels
    float currentScale = 1.0f;           // arrow scale
    std::int32_t streamlineLength = 240; // pixels

    bool markersVisible = true;
    float markerSize = 3.0f; // pixels

    bool detectorVisible = false;
    float detectorX = 8.0f;          // physical
    float detectorThickness = 0.32f; // physical
    std::int32_t detectorBins = 64;
    bool detectorReferenceVisible = true;

    // The solenoid of a magnetic flux tube: centre and radius (physical) and
    // the flux it encloses in flux quanta.
    bool fluxTubeVisible = false;
    float fluxTubeX = 0.0f;
    float fluxTubeY = 0.0f;
    float fluxTubeRadius = 0.0f;
    float fluxQuanta = 0.0f;

    bool sectionVisible = true;
    std::uint32_t sectionOrientation = 0; // 0 horizontal line at y = coordinate, else vertical
    float sectionCoordinate = 0.0f;
};

struct QuantumEditorState {
    bool enabled = false;
    bool dragging = false;
    std::uint32_t tool = 0; // 1 circle, anything else rectangle
    float dragStartX = 0.0f;
    float dragStartY = 0.0f;
    float dragCurrentX = 0.0f;
    float dragCurrentY = 0.0f;
};

// Physical size of the last frame and the navigation over it.
struct QuantumViewGeometry {
    float worldExtentX = 0.0f; // dx * nx
    float worldExtentY = 0.0f; // dy * ny
    float cellDx = 0.0f;
    float cellDy = 0.0f;
    ViewNavigation navigation;
};

} // namespace vxo
