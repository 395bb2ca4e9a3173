#pragma once

#include "plots/PlotPalette.h"

#include <QPen>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <cmath>

class QPainter;

// The opening of a paint and what every panel is drawn with: grids, frames,
// pens, straight lines, discs and the pixel rounding.
namespace vxo::plot {

namespace detail {
inline bool finitePoint(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
} // namespace detail

// Opens a paint: Antialiasing (and TextAntialiasing when asked) on, the whole
// widget rectangle filled with the background.
void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing = true);

// value when it is above floor, else floor; a NaN becomes the floor. This is
// every "max(x, m)" and every "replaced by m when it is m or less" of the
// layouts and span divisors.
double atLeast(double value, double floor);

// The quarter grid: for i = 0..4 a vertical line at left + width * i / 4 and
// a horizontal line at top + height * i / 4, each across the rectangle (the
// outermost ones lie on the frame).
void drawQuarterGrid(QPainter& painter, const QRectF& rect, const QPen& pen);
// Only the inner horizontal quarter lines (i = 1, 2, 3) of a curve panel.
void drawInnerQuarterLines(QPainter& painter, const QRectF& rect, const QPen& pen);
// The rectangle's outline, no fill.
void drawFrame(QPainter& painter, const QRectF& rect, const QPen& pen);
// The rectangle filled with brush and outlined with pen (the dark panels of
// the recorder plots).
void drawFilledFrame(QPainter& painter, const QRectF& rect, const QPen& pen, const QColor& brush);
// Quarter grid in gridColour, then the frame in frameColour, both width 1.
void drawGridAndFrame(QPainter& painter, const QRectF& rect, const QColor& gridColour = kSinglePanel.grid,
                      const QColor& frameColour = kSinglePanel.frame);

// Solid, dashed or dotted pen with the toolkit's square cap and bevel join.
QPen plotPen(const QColor& colour, double width = 1.0, Qt::PenStyle style = Qt::SolidLine);
// The same with round cap and round join.
QPen roundPlotPen(const QColor& colour, double width = 1.0, Qt::PenStyle style = Qt::SolidLine);

// Straight lines in the given pen; nothing is drawn when a coordinate is not
// finite.
void drawHorizontalLine(QPainter& painter, const QPen& pen, double left, double right, double y);
void drawVerticalLine(QPainter& painter, const QPen& pen, double x, double top, double bottom);
void drawSegment(QPainter& painter, const QPen& pen, const QPointF& from, const QPointF& to);

// A filled disc (or ellipse with two radii) without outline; the brush is
// set back to none afterwards. Nothing is drawn for a centre that is not finite.
void drawDisc(QPainter& painter, const QPointF& centre, double radius, const QColor& fill);
// The same outlined with pen.
void drawOutlinedDisc(QPainter& painter, const QPointF& centre, double radiusX, double radiusY, const QColor& fill,
                      const QPen& outline);

// lround(x) as a pixel coordinate; NaN when x is not finite or too large for a
// pixel, so that the drawing functions above leave the line out.
double roundedPixel(double x);

} // namespace vxo::plot
