#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotLayouts.h"
#include "plots/PlotTexts.h"

#include <QPainterPath>

#include <optional>
#include <utility>
#include <vector>

// Curves and their gaps: polylines that break a curve at a missing or
// non-finite point or bridge it, curves sampled from a function of time, the
// curves of recorded samples against time (the histories of the driven
// two-level plots are in PlotHistories.h).
namespace vxo::plot {

namespace detail {
inline std::optional<QPointF> asOptionalPoint(const QPointF& p) { return p; }
inline std::optional<QPointF> asOptionalPoint(const std::optional<QPointF>& p) { return p; }

template <typename PointAt>
QPainterPath polyline(std::size_t count, PointAt& pointAt, bool breakAtGaps)
{
    QPainterPath path;
    bool open = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<QPointF> p = asOptionalPoint(pointAt(i));
        if (!p || !finitePoint(*p)) {
            open = open && !breakAtGaps;
            continue;
        }
        if (open)
            path.lineTo(*p);
        else
            path.moveTo(*p);
        open = true;
    }
    return path;
}
} // namespace detail

// A curve through entries 0..count-1 in order. pointAt(i) returns the
// entry's QPointF, or a std::optional<QPointF> that is empty when the entry
// has no value (its validity flag is clear). An entry without value or with
// a coordinate that is not finite is a gap. Here a gap ends the current
// piece: the next point starts a new subpath with moveTo (the time series,
// the Berry phase, the Klein scans). A lone point between two gaps draws
// nothing.
template <typename PointAt>
QPainterPath polylineBreakingAtGaps(std::size_t count, PointAt&& pointAt)
{
    return detail::polyline(count, pointAt, true);
}

// The same, but a gap is bridged: the line runs on from the last point
// before it to the first point after it (the resonance curve, the
// population plots, and every curve with no rule of its own for values that
// are not finite).
template <typename PointAt>
QPainterPath polylineBridgingGaps(std::size_t count, PointAt&& pointAt)
{
    return detail::polyline(count, pointAt, false);
}

// A curve computed from a function of time: intervals + 1 points at
// t_i = t0 + i * (t1 - t0) / intervals, pointAt(t_i) giving each point; gaps
// are bridged. No points for intervals < 1.
template <typename PointAtTime>
QPainterPath sampledPolyline(int intervals, double t0, double t1, PointAtTime&& pointAt)
{
    if (intervals < 1)
        return QPainterPath();
    return polylineBridgingGaps(static_cast<std::size_t>(intervals) + 1, [&](std::size_t i) {
        return pointAt(t0 + static_cast<double>(i) * (t1 - t0) / static_cast<double>(intervals));
    });
}

// Strokes the path with pen and no brush.
void strokePath(QPainter& painter, const QPainterPath& path, const QPen& pen);

// The curve of a recorder's samples against time, through every sample in
// order: sample i at (mapValue(time, samples[i].time), rowOf(samples[i])),
// rowOf giving the pixel row (for traces scaled in a panel of their own); a
// point that is not finite is a gap, bridged.
template <typename Sample, typename RowOf>
QPainterPath timeCurve(const std::vector<Sample>& samples, const AxisMap& time, RowOf&& rowOf)
{
    return polylineBridgingGaps(
        samples.size(), [&](std::size_t i) { return QPointF(mapValue(time, samples[i].time), rowOf(samples[i])); });
}

// The same with the row mapped from a value: sample i at row mapValue(value,
// valueOf(samples[i])).
template <typename Sample, typename ValueOf>
QPainterPath timeCurve(const std::vector<Sample>& samples, const AxisMap& time, const AxisMap& value, ValueOf&& valueOf)
{
    return timeCurve(samples, time, [&](const Sample& sample) { return mapValue(value, valueOf(sample)); });
}

// The valueOf of timeCurve for a fraction, fidelity or correlation drawn on
// a [0, 1] scale: the sample's member clamped to [0, 1], a NaN kept (a gap).
template <typename Sample>
auto clampedFraction(double Sample::*member)
{
    return [member](const Sample& sample) { return clampKeepNan(sample.*member, 0.0, 1.0); };
}
} // namespace vxo::plot
