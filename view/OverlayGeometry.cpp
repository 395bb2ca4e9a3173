#include "view/OverlayGeometry.h"

#include "core/ProbabilityCurrent2D.h"
#include "core/ProbabilityStreamlines2D.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {
constexpr double kHeadCos = 0.8910065241883679;  // cos 27 degrees
constexpr double kHeadSin = 0.45399049973954675; // sin 27 degrees
constexpr double kArrowCutoff = 0.018;
} // namespace

std::int64_t arrowLatticeStride(std::int32_t spacing, std::uint64_t n, double zoom, double pixels)
{
    const double cells =
        static_cast<double>(spacing) * static_cast<double>(n) / std::max(zoom, 1.0) / std::max(pixels, 1.0);
    const double rounded = std::round(cells);
    return rounded >= 1.0 ? static_cast<std::int64_t>(rounded) : 1;
}

bool currentArrow(const QPointF& base, float jx, float jy, float maxMagnitude, double fullLength, double head,
                  CurrentArrow& arrow)
{
    const double m = std::sqrt(static_cast<double>(jx) * jx + static_cast<double>(jy) * jy);
    if (!(m > 0.0) || !(maxMagnitude > 0.0f))
        return false;
    const double relative = m / maxMagnitude;
    if (relative < kArrowCutoff)
        return false;
    const double ux = jx / m;
    const double uy = jy / m;
    const double length = std::sqrt(std::min(relative, 1.0)) * fullLength;
    arrow.base = base;
    arrow.tip = QPointF(base.x() + length * ux, base.y() - length * uy);
    arrow.headLeft = arrow.tip + head * QPointF(-ux * kHeadCos - uy * kHeadSin, uy * kHeadCos - ux * kHeadSin);
    arrow.headRight = arrow.tip + head * QPointF(-ux * kHeadCos + uy * kHeadSin, uy * kHeadCos + ux * kHeadSin);
    return true;
}

StreamlineParameters streamlineParametersFor(const ProbabilityCurrent2D& current, double unitsPerPixel,
                                             std::int32_t streamlineLength)
{
    StreamlineParameters parameters;
    const double cell = std::min(current.dx, current.dy);
    parameters.stepLength = static_cast<float>(std::max(0.35 * cell, 2.0 * unitsPerPixel));
    parameters.maxSteps = static_cast<std::uint64_t>(std::max(streamlineLength / 2, 20));
    parameters.minRelativeMagnitude = 0.015f;
    return parameters;
}

ScreenStrip screenStripFor(double markerSize)
{
    constexpr double kGap = 4.0;
    constexpr double kNarrowest = 16.0;
    constexpr double kMarkersAcross = 5.0;
    const double across = std::isfinite(markerSize) ? kMarkersAcross * markerSize : 0.0;
    return ScreenStrip{kGap, std::max(kNarrowest, across)};
}

double screenSpread(std::size_t index)
{
    constexpr double kGoldenFraction = 0.6180339887498949;
    const double turns = static_cast<double>(index + 1) * kGoldenFraction;
    return turns - std::floor(turns);
}

} // namespace vxo
