#pragma once

#include <QPointF>

#include <cstddef>
#include <cstdint>

namespace vxo {

struct ProbabilityCurrent2D;
struct StreamlineParameters;

// Pixel geometry of the painted current overlay, kept apart from the painter
// so that it can be checked without a window.

// Cells between arrows along an axis of n cells shown over `pixels` widget
// pixels: about one arrow every `spacing` pixels at any zoom,
// max(1, round(spacing * n / max(zoom, 1) / max(pixels, 1))).
std::int64_t arrowLatticeStride(std::int32_t spacing, std::uint64_t n, double zoom, double pixels);

// One arrow of the current J = (jx, jy) at widget point `base`: length
// sqrt(min(|J| / max|J|, 1)) * fullLength along J (y up on screen, so the
// widget y is reversed), with two head strokes of length `head` at +-27
// degrees from the reversed direction.
struct CurrentArrow {
    QPointF base;
    QPointF tip;
    QPointF headLeft;
    QPointF headRight;
};

// False (nothing to draw) when |J| is not > 0 or below 1.8 % of max|J|.
bool currentArrow(const QPointF& base, float jx, float jy, float maxMagnitude, double fullLength, double head,
                  CurrentArrow& arrow);

// Streamline tracing for the overlay: steps of at least two screen pixels and
// 0.35 of the smaller cell, half the on-screen length in steps (at least 20),
// and a stop where |J| falls below 1.5 % of its maximum. unitsPerPixel is the
// physical size of one widget pixel (the smaller of the two axes).
StreamlineParameters streamlineParametersFor(const ProbabilityCurrent2D& current, double unitsPerPixel,
                                             std::int32_t streamlineLength);

// The strip of the detector screen on which the detections on its line are
// shown: detections all carry the line's x, so drawn where they are they pile
// up into one column under the line and the dashed rules over it. The strip
// lies left of the line (the arrival histogram takes its right), `gap`
// pixels from it and `width` pixels wide, whatever the zoom.
struct ScreenStrip {
    double gap = 0.0;
    double width = 0.0;
};
// The strip for markers of the given size in pixels: a few markers wide and
// never narrower than 16 pixels, 4 pixels from the line.
ScreenStrip screenStripFor(double markerSize);
// Where the index-th detection stands across the strip, as a fraction of its
// width from the line outwards, in [0, 1): the fractional parts of index times
// the golden ratio, spread evenly over the strip for any number of detections
// and the same at every paint.
double screenSpread(std::size_t index);

} // namespace vxo
