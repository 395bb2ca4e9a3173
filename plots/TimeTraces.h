#pragma once

#include "plots/PlotCurves.h"
#include "plots/PlotAxes.h"

#include <QPainter>
#include <QPen>

#include <cstddef>
#include <vector>

namespace vxo::plot {

// Strokes the trace of a recorder's samples against time in pen: sample i at
// (mapValue(time, samples[i].time), yOf(samples[i])), yOf giving the pixel
// row, through every sample in order; a point that is not finite is bridged.
template <typename Sample, typename YOf>
void strokeTimeTrace(QPainter& painter, const std::vector<Sample>& samples, const AxisMap& time, YOf&& yOf,
                     const QPen& pen)
{
    strokePath(
        painter,
        polylineBridgingGaps(samples.size(),
                             [&](std::size_t i) { return QPointF(mapValue(time, samples[i].time), yOf(samples[i])); }),
        pen);
}

} // namespace vxo::plot
