#include "view/PotentialEditorShape.h"

#include "core/Numeric.h"

#include <cmath>

namespace vxo {

namespace {

// The side raised to its minimum; a negative (or NaN) minimum imposes nothing.
float atLeast(float value, float minimum)
{
    const float floor = minimum > 0.0f ? minimum : 0.0f;
    return floor > value ? floor : value;
}

} // namespace

PotentialEditorShape PotentialEditorShape::rectangleFromDrag(float x0, float y0, float x1, float y1, float minimumWidth,
                                                             float minimumHeight)
{
    PotentialEditorShape shape;
    shape.type = kRectangle;
    shape.centerX = static_cast<float>((static_cast<double>(x0) + x1) * 0.5);
    shape.centerY = static_cast<float>((static_cast<double>(y0) + y1) * 0.5);
    shape.width = atLeast(static_cast<float>(std::fabs(static_cast<double>(x1) - x0)), minimumWidth);
    shape.height = atLeast(static_cast<float>(std::fabs(static_cast<double>(y1) - y0)), minimumHeight);
    return shape;
}

PotentialEditorShape PotentialEditorShape::circleFromDrag(float x0, float y0, float x1, float y1, float minimumRadius)
{
    PotentialEditorShape shape;
    shape.type = kCircle;
    shape.centerX = x0;
    shape.centerY = y0;
    const double ddx = static_cast<double>(x1) - x0;
    const double ddy = static_cast<double>(y1) - y0;
    shape.radius = atLeast(static_cast<float>(std::sqrt(ddx * ddx + ddy * ddy)), minimumRadius);
    return shape;
}

bool PotentialEditorShape::isValid(const PotentialEditorShape& shape)
{
    if (!isFinite(shape.centerX) || !isFinite(shape.centerY))
        return false;
    if (shape.type == kCircle)
        return isFinitePositive(shape.radius);
    return isFinitePositive(shape.width) && isFinitePositive(shape.height);
}

} // namespace vxo
