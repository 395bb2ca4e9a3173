#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

class QPainter;

// Drawing shared by the analysis plot widgets. Every plot is a passive
// QWidget whose paintEvent rebuilds the whole picture from its stored data;
// the pieces they have in common live here as free functions so that each
// widget only states its own layout, colours, ranges and texts:
//   - frame: the paint's opening, layout clamps, quarter grids and frames;
//   - axes: linear value-to-pixel maps with a floor on the span, the extremes
//     of the finite values of a series;
//   - clamps: one function per NaN policy (a NaN kept for the path builder to
//     drop, drawn at the upper bound, or drawn at the lower bound);
//   - curves: polyline builders that either break the curve at a gap or
//     bridge it, and a sampler for curves computed from a function of time;
//   - texts: text boxes in one call with their colour, the usual label boxes
//     of a panel and the bold title font;
//   - carpets: colour ramps (power laws and piecewise-linear segments), the
//     carpet image built once per paint and drawn with smoothing off, and the
//     integer cell spans of carpets filled cell by cell.
// Pens keep the toolkit's square cap and bevel join except where a plot asks
// for the round ones (roundPlotPen). No function sets a font family: texts
// use the widget's font. Lines, discs and path points whose coordinates are not
// finite are left out, because QPainterPath refuses them with a log warning
// and the raster engine has no sensible place for them.
namespace vxo::plot {

// Colours of the single-panel plots (cross section, time series, resonance,
// history and population plots).
constexpr QRgb kBackground = qRgb(15, 18, 23);
constexpr QRgb kGrid = qRgb(78, 86, 96);
constexpr QRgb kFrame = qRgb(170, 180, 190);
constexpr QRgb kPlaceholder = qRgb(190, 195, 205);
constexpr QRgb kTitle = qRgb(210, 215, 222);
constexpr QRgb kAxisText = qRgb(160, 168, 178);
constexpr QRgb kZeroLine = qRgb(125, 130, 138);

// ---------------------------------------------------------------- frame

// Opens a paint: Antialiasing (and TextAntialiasing when asked) on, the whole
// widget rectangle filled with the background.
void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing = true);

// value when it is above floor, else floor; a NaN becomes the floor. This is
// every "max(x, m)" and every "replaced by m when it is m or less" of the
// layouts and span divisors.
double atLeast(double value, double floor);

// QRectF(left, top, max(w - widthMargin, minWidth), max(h - heightMargin,
// minHeight)) for a widget of size (w, h): the plot rectangle of the
// single-panel plots, e.g. plotRect(size(), 58, 24, 78, 62).
QRectF plotRect(const QSize& widgetSize, double left, double top, double widthMargin, double heightMargin,
                double minWidth = 10.0, double minHeight = 10.0);

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
void drawGridAndFrame(QPainter& painter, const QRectF& rect, const QColor& gridColour = kGrid,
                      const QColor& frameColour = kFrame);

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

// ---------------------------------------------------------------- axes

// A linear map from values to pixels: pixelStart + pixelSpan * (v - valueStart)
// / valueSpan. The factories floor the value span, so the map never divides
// by zero.
struct AxisMap {
    double pixelStart = 0.0;
    double pixelSpan = 1.0;
    double valueStart = 0.0;
    double valueSpan = 1.0;
};

// v0 at rect.left(), v0 + span at rect.right(), span = atLeast(v1 - v0, minimumSpan).
AxisMap horizontalAxis(const QRectF& rect, double v0, double v1, double minimumSpan);
// lo at rect.bottom(), lo + span at rect.top() (values grow upwards),
// span = atLeast(hi - lo, minimumSpan).
AxisMap verticalAxis(const QRectF& rect, double lo, double hi, double minimumSpan);
double mapValue(const AxisMap& axis, double value);

// Smallest and largest of the finite values seen, and how many there were
// (+inf, -inf and 0 before the first).
struct FiniteExtent {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    std::size_t count = 0;
};
// Widens the extent by value; NaN and infinities are ignored.
void extendFinite(FiniteExtent& extent, double value);

// ---------------------------------------------------------------- clamps

// One function per NaN policy, so that each plot keeps its own rule:
// [lo, hi] with a NaN kept as NaN (the path builders then drop the point).
double clampKeepNan(double value, double lo, double hi);
// [lo, hi] with the upper limit applied first, so a NaN lands on hi
// (populations, fidelities: "a value that is not a number counts as 1").
double clampNanToUpper(double value, double lo, double hi);
// [lo, hi] with a NaN on lo (the Klein scans: "counts as 0").
double clampNanToLower(double value, double lo, double hi);

// ---------------------------------------------------------------- curves

namespace detail {
inline bool finitePoint(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
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

// ---------------------------------------------------------------- texts

// text in colour inside box with the alignment flags.
void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour);
// text centred (Qt::AlignCenter) in rect: placeholders and centred titles.
void drawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour);
// A title band over a panel: centred in QRectF(panel.left(), top, panel.width(), height).
void drawPanelTitle(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour = kTitle,
                    double top = 2.0, double height = 20.0);
// The value labels left of a panel, right-aligned and vertically centred:
// upper in QRectF(left, panel.top() - 8, width, 18), lower in
// QRectF(left, panel.bottom() - 10, width, 18). A number wider than its box
// runs out of it instead of being cut (here and in drawAxisEndLabels).
void drawValueLabels(QPainter& painter, const QRectF& panel, const QString& upper, const QString& lower,
                     const QColor& colour = kAxisText, double left = 2.0, double width = 52.0);
// The ends of a horizontal axis under a panel: first left-aligned in
// QRectF(panel.left(), panel.bottom() + gap, boxWidth, 20), last
// right-aligned in QRectF(panel.right() - boxWidth, panel.bottom() + gap, boxWidth, 20).
void drawAxisEndLabels(QPainter& painter, const QRectF& panel, const QString& first, const QString& last,
                       const QColor& colour = kAxisText, double boxWidth = 80.0, double gap = 6.0);
// An axis caption centred in QRectF(panel.left(), panel.bottom() + gap, panel.width(), height).
void drawAxisCaption(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour = kAxisText,
                     double gap = 4.0, double height = 24.0);
// A copy of the widget's font with weight 75 (bold), for the bold titles.
QFont boldTitleFont(const QFont& widgetFont);

// ---------------------------------------------------------------- carpets

// The level of a carpet cell: s = sqrt(max(value / maximum, 0)) limited to
// [0, 1]. A NaN level reads 0 and an infinite one 1.
double carpetLevel(double value, double maximum);

// A colour channel 255 * min(1, offset + gain * s^exponent), truncated.
struct PowerChannel {
    double offset = 0.0;
    double gain = 1.0;
    double exponent = 1.0;
};
// The power-law ramps of the revival, billiard, Talbot, bouncer and scar
// images, e.g. {{0, 1, 1.8}, {0, 1, 0.85}, {0.2, 1.2, 1}}.
struct PowerRamp {
    PowerChannel red;
    PowerChannel green;
    PowerChannel blue;
};
// The opaque colour of level s (expected in [0, 1]; a NaN reads 0, and the
// channels are kept inside [0, 255]).
QRgb powerRampColour(const PowerRamp& ramp, double s);

// One segment of a piecewise-linear ramp: from level begin on,
// u = (s - begin) / width and channel c = base[c] + slope[c] * u, truncated.
struct RampSegment {
    double begin = 0.0;
    double width = 1.0;
    std::array<double, 3> base{};
    std::array<double, 3> slope{};
};
// The opaque colour of level s on the last segment whose begin is at most s
// (the first segment below all of them); segments are listed in ascending
// order of begin. A NaN reads 0; the channels are kept inside [0, 255].
QRgb segmentRampColour(const RampSegment* segments, std::size_t count, double s);
template <std::size_t N>
QRgb segmentRampColour(const std::array<RampSegment, N>& segments, double s)
{
    return segmentRampColour(segments.data(), N, s);
}

// The carpet image of one paint: columns x rows opaque pixels in
// QImage::Format_RGB32, pixel (column, row) = pixelAt(column, row) as QRgb.
// A null image when a side is not positive or the image cannot be allocated.
template <typename PixelAt>
QImage carpetImage(int columns, int rows, PixelAt&& pixelAt)
{
    if (columns <= 0 || rows <= 0)
        return QImage();
    QImage image(columns, rows, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int r = 0; r < rows; ++r) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int c = 0; c < columns; ++c)
            line[c] = pixelAt(c, r);
    }
    return image;
}

// Draws the whole image stretched onto target with SmoothPixmapTransform off,
// so that each cell is a sharp block whatever the scale, then turns
// Antialiasing on again. A null image draws nothing.
void drawCarpet(QPainter& painter, const QImage& image, const QRectF& target);

// Integer cells that tile extent pixels in count parts: part index starts at
// origin + trunc(extent * index / count) and runs to the next part's start
// inclusive (neighbours overlap by one pixel), length at least 1.
struct CellSpan {
    int start = 0;
    int length = 1;
};
CellSpan cellSpan(int origin, int extent, std::size_t index, std::size_t count);
// The same counted backwards from end (the last pixel): part 0 is the one at
// end, its top at end - trunc(extent * (index + 1) / count).
CellSpan reversedCellSpan(int end, int extent, std::size_t index, std::size_t count);

} // namespace vxo::plot
