#pragma once

#include <cstdint>

namespace vxo {

// A rectangle or circle drawn with the mouse in the viewport, in physical
// coordinates (origin at the grid centre, y up). Fields a shape does not use
// are 0.
struct PotentialEditorShape {
    std::uint32_t type = 0; // 0 rectangle, 1 circle
    float centerX = 0.0f;
    float centerY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float radius = 0.0f;

    static constexpr std::uint32_t kRectangle = 0;
    static constexpr std::uint32_t kCircle = 1;

    // Centre midway between the two corners; each side at least its minimum
    // (a negative minimum counts as 0), so a click still gives one cell.
    static PotentialEditorShape rectangleFromDrag(float x0, float y0, float x1, float y1, float minimumWidth,
                                                  float minimumHeight);
    // Centre at the press point (x0, y0), radius the drag length, at least the
    // minimum (a negative minimum counts as 0).
    static PotentialEditorShape circleFromDrag(float x0, float y0, float x1, float y1, float minimumRadius);

    // A circle needs a finite centre and a finite radius > 0; any other type a
    // finite centre and finite width and height > 0.
    static bool isValid(const PotentialEditorShape& shape);
};

} // namespace vxo
