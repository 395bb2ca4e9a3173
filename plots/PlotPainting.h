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

// Both axes of a panel whose axes are both positions, on one scale (pixels
// per length unit), so that a circle of the plane is drawn round: the window
// [x0, x0 + sx] x [y0, y0 + sy], sx = atLeast(x1 - x0, minimumSpan) and sy
// likewise, as large as the panel allows and centred in it, y growing
// upwards. `window` is its pixel rectangle; the maps hold over the whole
// panel, so a point beyond the window lands in the panel's margin.
struct PlaneAxes {
    AxisMap x;
    AxisMap y;
    QRectF window;
};
PlaneAxes equalScaleAxes(const QRectF& panel, double x0, double x1, double y0, double y1, double minimumSpan);
QPointF mapPlane(const PlaneAxes& axes, double x, double y);

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
// runs out of it instead of being cut (here and in drawAxisEndLabels): to the
// left while it fits right of x = 0, else from the box's left edge into the
// panel. A panel under 18 pixels high shows the upper label alone.
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

// ---------------------------------------------------------------- histories
//
// Added for the plots of the observable history and of the driven two-level
// experiments (quench, periodic drive, Bloch, Rabi, Landau-Zener,
// Stueckelberg, Ramsey, double well): the samples that count are those whose
// block flag is set (every sample for a null flag); time ranges and curves
// run over them in vector order, populations are drawn on [0, 1] in a panel,
// a protocol's signal is drawn in a thin strip under the time panel, and the
// interference plots stack a history panel, a strip and a scan panel. The
// sample containers are any vector-like sequence; the sample type is read
// from the member pointers.

namespace detail {
template <typename T>
struct NotDeduced {
    using type = T;
};
} // namespace detail

// A member pointer to a sample's block flag; nullptr lets every sample count.
template <typename Sample>
using SampleFlag = typename detail::NotDeduced<bool Sample::*>::type;

template <typename Sample>
bool sampleCounts(const Sample& sample, SampleFlag<Sample> flag)
{
    return flag == nullptr || sample.*flag;
}

// first: the time of the first counted sample in vector order (empty when
// none counts); end: the given end raised to every later counted time (a
// time that is not a number raises nothing).
struct HistoryTimes {
    std::optional<double> first;
    double end = 0.0;
};
template <typename Samples, typename Sample>
HistoryTimes historyTimes(const Samples& samples, SampleFlag<Sample> flag, double Sample::*time, double end)
{
    HistoryTimes times{std::nullopt, end};
    for (const Sample& s : samples) {
        if (!sampleCounts(s, flag))
            continue;
        if (!times.first)
            times.first = s.*time;
        if (s.*time > times.end)
            times.end = s.*time;
    }
    return times;
}

// One point (mapValue(x, time), yOf(sample)) per counted sample, in vector
// order; the other samples and points that are not finite are bridged.
template <typename Samples, typename Sample, typename YOf>
QPainterPath historyCurve(const Samples& samples, SampleFlag<Sample> flag, double Sample::*time, const AxisMap& x,
                          YOf&& yOf)
{
    return polylineBridgingGaps(samples.size(), [&](std::size_t i) -> std::optional<QPointF> {
        const Sample& s = samples[i];
        if (!sampleCounts(s, flag))
            return std::nullopt;
        return QPointF(mapValue(x, s.*time), yOf(s));
    });
}

// The row of probability p in a panel whose bottom edge is 0 and top edge 1:
// panel.bottom() - panel.height() * clampNanToUpper(p, 0, 1) (a NaN draws at 1).
double populationY(const QRectF& panel, double p);

// One population curve of a history plot: the sample field and its pen.
template <typename Sample>
struct PopulationCurve {
    double Sample::*value;
    QPen pen;
};

// Strokes the curves in order through the counted samples, each at
// (x(time), populationY(panel, value)). False, nothing drawn, when no sample
// counts (the plot then shows its placeholder).
template <typename Samples, typename Sample, std::size_t N>
bool drawPopulationCurves(QPainter& painter, const Samples& samples, SampleFlag<Sample> flag, double Sample::*time,
                          const AxisMap& x, const QRectF& panel, const PopulationCurve<Sample> (&curves)[N])
{
    if (!historyTimes(samples, flag, time, 0.0).first)
        return false;
    for (const PopulationCurve<Sample>& curve : curves)
        strokePath(painter,
                   historyCurve(samples, flag, time, x,
                                [&](const Sample& s) { return populationY(panel, s.*(curve.value)); }),
                   curve.pen);
    return true;
}

// The block of a bias sweep through an avoided crossing: lower and upper
// adiabatic state, left and right localised state, captured weight.
template <typename Sample>
struct SweepBlock {
    bool Sample::*valid;
    double Sample::*lower;
    double Sample::*upper;
    double Sample::*left;
    double Sample::*right;
    double Sample::*captured;
};
// The pens of those five curves in the Landau-Zener and Stueckelberg plots,
// in that order (index 0 to 4).
QPen sweepCurvePen(int curve);
// The five curves in that order; false when no sample's block is valid.
template <typename Samples, typename Sample>
bool drawSweepPopulations(QPainter& painter, const Samples& samples, const SweepBlock<Sample>& block,
                          double Sample::*time, const AxisMap& x, const QRectF& panel)
{
    return drawPopulationCurves<Samples, Sample>(painter, samples, block.valid, time, x, panel,
                                                 {{block.lower, sweepCurvePen(0)},
                                                  {block.upper, sweepCurvePen(1)},
                                                  {block.left, sweepCurvePen(2)},
                                                  {block.right, sweepCurvePen(3)},
                                                  {block.captured, sweepCurvePen(4)}});
}
// Their legend "P(lower)", "P(upper)", "P(left)", "P(right)" at panel.top() + 4,
// the first two in boxes adiabaticWidth wide (the captured weight has none).
void drawSweepLegend(QPainter& painter, const QRectF& panel, double adiabaticWidth);

// One legend entry: text in colour, left-aligned (top of the box) in
// QRectF(panel.left() + offset, panel.top() + drop, width, 18).
struct LegendEntry {
    const char* text;
    QRgb colour;
    double offset;
    double width;
};
void drawLegend(QPainter& painter, const QRectF& panel, double drop, const LegendEntry* entries, std::size_t count);
template <std::size_t N>
void drawLegend(QPainter& painter, const QRectF& panel, double drop, const LegendEntry (&entries)[N])
{
    drawLegend(painter, panel, drop, entries, N);
}

// The protocol strip under a time panel: its frame in (80, 88, 98) and a
// dashed zero line in (105, 115, 125) through its vertical middle.
void drawProtocolStrip(QPainter& painter, const QRectF& strip);
// The protocol's signal over [t0, t1] at intervals + 1 times: v = value(t) /
// scale (the scale floored at 1e-12) limited to [-1, 1] (upper limit first),
// drawn at strip centre - strip.height() * gain * v.
template <typename ValueAt>
QPainterPath protocolSignal(const QRectF& strip, const AxisMap& x, int intervals, double t0, double t1, double scale,
                            double gain, ValueAt&& valueAt)
{
    const double s = atLeast(scale, 1e-12);
    const double middle = strip.center().y();
    return sampledPolyline(intervals, t0, t1, [&](double t) {
        return QPointF(mapValue(x, t), middle - strip.height() * gain * clampNanToUpper(valueAt(t) / s, -1.0, 1.0));
    });
}

// The stacked layout of the interference plots for a widget of size (w, h),
// with PW = max(w - 22, 68) - 58: history = QRectF(58, 28, PW, max(h - 190, 78)),
// strip = QRectF(58, history.bottom + 14, PW, 30), scan = QRectF(58,
// strip.bottom + 30, PW, 58).
struct InterferencePanels {
    QRectF history;
    QRectF strip;
    QRectF scan;
};
InterferencePanels interferencePanels(const QSize& widgetSize);
// Opens the paint of a stacked plot: the background, the layout for the
// widget's size, then the quarter grid of the history panel in (75, 84, 94)
// and its frame in kFrame.
InterferencePanels beginInterferencePlot(QPainter& painter, const QRect& widgetRect);
// The time axis that the history panel and the strip share: from 0 to the
// protocol's end raised to every later counted sample time, or to 1 when
// that end is not above 0.
template <typename Samples, typename Sample>
AxisMap interferenceTimeAxis(const InterferencePanels& panels, const Samples& samples, SampleFlag<Sample> flag,
                        double Sample::*time, double protocolEnd)
{
    const double end = historyTimes(samples, flag, time, protocolEnd).end;
    return horizontalAxis(panels.history, 0.0, end > 0.0 ? end : 1.0, 0.0);
}
// Their labels in kAxisText: "1.0" and "0.0" beside the history panel,
// stripLabel at the strip's top + 5 and scanLabel at the scan's middle - 9
// (right-aligned in 52 x 18 boxes at x = 2), scanCaption centred in
// QRectF(scan.left, scan.bottom + 2, scan.width, 18).
void drawInterferenceLabels(QPainter& painter, const InterferencePanels& panels, const QString& stripLabel,
                       const QString& scanLabel, const QString& scanCaption);

// A scan drawn in a population panel: one point (x(abscissa),
// populationY(panel, value)) per entry; points that are not finite are bridged.
template <typename Points, typename Point>
QPainterPath scanCurve(const Points& points, double Point::*abscissa, double Point::*value, const AxisMap& x,
                       const QRectF& panel)
{
    return polylineBridgingGaps(points.size(), [&](std::size_t i) {
        return QPointF(mapValue(x, points[i].*abscissa), populationY(panel, points[i].*value));
    });
}

} // namespace vxo::plot

// ================================================================ titled recorder and scan plots
// Added for the recorder plots of the time-diffraction, gauge and Dirac pages
// and the stationary Klein scans: the opening they share (title, placeholder),
// the time axis that stretches past the analysis end, carpets laid out cell by
// cell but drawn as one image, and the frame of a transmission scan.
#include <QRect>

#include <vector>

namespace vxo::plot {

// The look of a titled page: the background, the title's box
// QRect(12, titleTop, w - 24, titleHeight) and colour, and the placeholder's
// box QRect(20, placeholderTop, w - 40, h - placeholderTop - 20) and colour.
struct TitledPage {
    QRgb background;
    int titleTop;
    int titleHeight;
    QRgb titleColour;
    int placeholderTop;
    QRgb placeholderColour;
};
// The Klein pages: the tunnelling record and the four scans.
constexpr TitledPage kKleinPage{qRgb(9, 13, 19), 6, 25, qRgb(230, 238, 246), 45, qRgb(145, 162, 178)};
// The recorder pages of the Aharonov-Bohm, Landau, Hall-edge and backflow experiments.
constexpr TitledPage kGaugePage{qRgb(10, 14, 20), 7, 24, qRgb(225, 235, 244), 50, qRgb(150, 166, 180)};

// Opens the paint of a titled page: Antialiasing only, the widget filled
// with the background and the title in a bold copy of widgetFont,
// left-aligned and vertically centred. Without data the placeholder follows
// in widgetFont, centred and word-wrapped, and false is returned; with data
// widgetFont is set back and true is returned.
bool beginTitledPage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont, const TitledPage& page,
                     const QString& title, bool hasData, const QString& placeholder);

// The carpet over a lower panel of the Moshinsky and Kapitza-Dirac pages of
// size (w, h): QRect(62, 40, W, C) with L = h / 3, C = h - L - heightMargin
// and W = w - 80, each raised to its floor (120, minHeight, minWidth) when it
// is not above it.
QRect carpetOverLowerPanel(const QSize& widgetSize, int heightMargin, int minHeight, int minWidth);

// The two stacked panels of a recorder plot of size (w, h):
//   upper = QRect(left, top, max(w - widthMargin, minWidth), max(h - heightMargin, minHeight)),
//   lower = QRect(left, upper.bottom() + gap, upper.width(), max(h - lowerMargin - upper.bottom(), lowerMinHeight)),
// with QRect's bottom (top + height - 1).
struct StackedLayout {
    int left = 0;
    int top = 0;
    int widthMargin = 0;
    int minWidth = 0;
    int heightMargin = 0;
    int minHeight = 0;
    int gap = 0;
    int lowerMargin = 0;
    int lowerMinHeight = 0;
};
struct StackedPanels {
    QRect upper;
    QRect lower;
};
// The panels of the layout, each filled with fill and outlined with a 1-pixel frame.
StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill);
// A caption centred in QRect(panel.left(), panel.bottom() + gap, panel.width(), height).
void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour);
// A summary line left-aligned and vertically centred in
// QRect(panel.left() + 8, panel.top() + 5, panel.width() - 16, height), inside the panel's top.
void drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour);

// The end of a time axis that starts at 0: analysisEndTime, or lastTime when
// that is larger (a run past its analysis end stretches the axis), floored at
// 1e-12 so that it can divide.
double timeAxisEnd(double analysisEndTime, double lastTime);

// A carpet whose cells are laid out as if filled one by one in order (later
// cells over earlier ones, overlapping by one pixel) is drawn as one image at
// pixel resolution. pixelCells gives, for each pixel offset 0..extent along
// one side, the index of the last span (offsets from the side's origin) that
// covers it, -1 where none does; spans with a non-positive length cover
// nothing.
std::vector<int> pixelCells(const std::vector<CellSpan>& spans, int extent);
// The spans of count equal parts of extent: cellSpan(0, extent, k, count).
std::vector<CellSpan> equalCellSpans(int extent, std::size_t count);
// Draws the carpet of columns x rows lookups at (left, top), one image pixel
// per widget pixel: pixel (c, r) takes cellColour(columns[c], rows[r]) when
// both lookups found a cell and background otherwise. cellColour returns the
// QRgb of a cell, or background where the cell holds no value.
template <typename CellColour>
void drawCellCarpet(QPainter& painter, int left, int top, const std::vector<int>& columns, const std::vector<int>& rows,
                    QRgb background, CellColour&& cellColour)
{
    const QImage image
        = carpetImage(static_cast<int>(columns.size()), static_cast<int>(rows.size()), [&](int c, int r) {
              const int column = columns[static_cast<std::size_t>(c)];
              const int row = rows[static_cast<std::size_t>(r)];
              return column < 0 || row < 0 ? background : cellColour(column, row);
          });
    drawCarpet(painter, image, QRectF(left, top, image.width(), image.height()));
}

// The colour of entry index of a carpet row or column on the ramp at
// carpetLevel(value, maximum); missing past the end of the profile.
template <std::size_t N>
QRgb profileCellColour(const std::vector<float>& profile, int index, double maximum,
                       const std::array<RampSegment, N>& ramp, QRgb missing)
{
    if (index < 0 || static_cast<std::size_t>(index) >= profile.size())
        return missing;
    return segmentRampColour(ramp, carpetLevel(profile[static_cast<std::size_t>(index)], maximum));
}

// One point of a stationary transmission scan: whether it was solved, the
// scanned value (angle, height, mass) and its transmission.
struct ScanPoint {
    bool valid = false;
    double value = 0.0;
    double transmission = 0.0;
};

// The panel of a transmission scan and its horizontal map: value v0 at
// panel.left(), v0 + max(v1 - v0, 1e-12) at panel.left() + panel.width().
struct ScanFrame {
    QRect panel;
    AxisMap x;
};
// The panel QRect(left, top, max(w - widthMargin, 120), max(h - heightMargin,
// 120)) of a widget of size (w, h), filled and outlined in the scan colours.
ScanFrame drawScanFrame(QPainter& painter, const QSize& widgetSize, int left, int top, int widthMargin,
                        int heightMargin, double v0, double v1);
// The pixel of transmission t: panel.bottom() - panel.height() * t with t
// limited to [0, 1] and a NaN counted as 0 (QRect's bottom, top + height - 1).
double scanTransmissionY(const QRect& panel, double transmission);
// Horizontal lines at T = 0, 0.2, ..., 1 (rounded to whole pixels) with their
// numbers right-aligned in 50-pixel boxes from labelLeft.
void drawTransmissionGrid(QPainter& painter, const QRect& panel, int labelLeft);
// A vertical grid line at x rounded to a whole pixel, with label centred in a
// box labelWidth wide under the panel (a wider label is not clipped).
void drawScanGridLine(QPainter& painter, const QRect& panel, double x, const QString& label, int labelWidth);
// A band over the panel's height from xa to xb, without outline.
void fillScanBand(QPainter& painter, const QRect& panel, double xa, double xb, const QColor& colour);
// A dashed yellow threshold line at x rounded to a whole pixel.
void drawScanThreshold(QPainter& painter, const QRect& panel, double x, double width);
// The name of a band from xa to xb in a box 20 high at top, inset on both
// sides; positions and widths truncated to whole pixels, never below 0 wide.
// A name wider than a band that is not empty is not clipped; an empty band's
// box of width 0 clips it away.
void drawScanBandName(QPainter& painter, double xa, double xb, int top, int inset, const QString& name);
// The curve through the valid points in order; an invalid point breaks it.
QPainterPath scanCurve(const std::vector<ScanPoint>& points, const ScanFrame& frame);
// The transmission at value, interpolated linearly over the first pair of
// consecutive valid points whose second value is at least value; the first
// point's transmission when no pair qualifies (0 without points).
double scanTransmissionAt(const std::vector<ScanPoint>& points, double value);
// Marks current on the curve when it lies within [v0, v1] of the frame: a
// dashed yellow line, a yellow dot at the interpolated transmission and, for
// 0 <= packetMaxPRight <= 1.05, a red dot at the packet's value.
void drawScanMarker(QPainter& painter, const ScanFrame& frame, const std::vector<ScanPoint>& points, double v0,
                    double v1, double current, double packetMaxPRight);
// The legend centred under the panel (gap below it, height given; a longer
// legend is not clipped) and the summary at the top left inside it
// (summaryHeight high).
void drawScanTexts(QPainter& painter, const QRect& panel, int legendGap, int legendHeight, const QString& legend,
                   int summaryHeight, const QString& summary);

} // namespace vxo::plot

// ---------------------------------------------------------------- recorder carpets and time panels
// Added for the recorder plots (revival, billiard, Talbot, bouncer, scar,
// kicked rotor, Anderson, Zeno, Berry phase, Loschmidt echo): their carpets
// reach a million cells, so the power-law colours come from a step table
// instead of three pow calls per cell; carpets of recorded profiles are scaled
// row by row; carpets and curve panels share one time axis and its markers.

#include <cstdint>
#include <vector>

namespace vxo::plot {

// Colours of the recorder plots. The background of the two-panel plots
// (revival, billiard, Talbot, bouncer, vortex, scar, Berry phase, Loschmidt
// echo) and of the lattice plots (Anderson, kicked rotor, Zeno):
constexpr QRgb kRecorderBackground = qRgb(14, 17, 22);
constexpr QRgb kLatticeBackground = qRgb(13, 17, 23);
// the carpet and map plots (revival, billiard, Talbot, bouncer, vortex; the
// scar plot shares their frame and label colours):
constexpr QRgb kCarpetFrame = qRgb(72, 80, 90);
constexpr QRgb kCarpetTitle = qRgb(214, 220, 228);
constexpr QRgb kCarpetPlaceholder = qRgb(220, 228, 238);
constexpr QRgb kCarpetLabel = qRgb(215, 224, 234);
// the loop and echo plots (Berry phase, Loschmidt echo):
constexpr QRgb kTraceFrame = qRgb(70, 79, 91);
constexpr QRgb kTraceTitle = qRgb(226, 232, 240);
constexpr QRgb kTracePlaceholder = qRgb(205, 214, 224);
constexpr QRgb kTraceStatus = qRgb(215, 223, 232);
constexpr QRgb kTraceAxis = qRgb(202, 211, 221);

// v0 at rect.top(), v0 + span at rect.bottom() (values grow downwards, as
// time does in the carpets), span = atLeast(v1 - v0, minimumSpan).
AxisMap downwardAxis(const QRectF& rect, double v0, double v1, double minimumSpan);

// lround(x) as a pixel coordinate; NaN when x is not finite or too large for a
// pixel, so that the drawing functions above leave the line out.
double roundedPixel(double x);

// The grid cells whose centres lie in [lo, hi] on an axis of cells of the
// given spacing centred on the origin (cell k at (k - (cells - 1) / 2) *
// spacing): first = ceil(lo / spacing + (cells - 1) / 2) clamped to
// [0, cells - 1], last = floor(hi / spacing + (cells - 1) / 2) clamped to
// [first, cells - 1]. A range beyond the grid keeps its nearest edge cell.
// Requires cells >= 1.
struct CellRange {
    int first = 0;
    int last = 0;
    int count() const { return last - first + 1; }
};
CellRange cellRange(double lo, double hi, double spacing, std::uint64_t cells);

// The colours of a power-law ramp whose gains are positive, as a function of
// a cell value and the maximum that scales it: colour(value, maximum) equals
// powerRampColour(ramp, carpetLevel(value, maximum)) exactly. Each channel is
// a non-decreasing step function of the ratio value / maximum with at most 255
// steps. The table holds the smallest ratio of every step (found by bisection
// when the table is built, a fraction of a millisecond), the colour between
// consecutive steps, and an index over the binary exponent and leading
// mantissa bits of the ratio, so that a cell costs a division, an index and
// usually one comparison.
class PowerRampTable {
public:
    explicit PowerRampTable(const PowerRamp& ramp);
    QRgb colour(double value, double maximum) const;

private:
    QRgb atZero_ = 0;
    QRgb atOne_ = 0;
    std::vector<double> steps_;        // every channel's step ratios, ascending
    std::vector<QRgb> colours_;        // colours_[m]: the colour of ratios with m steps at or below them
    std::vector<std::uint16_t> index_; // steps at or below the first ratio of each index bucket
};

// The carpet of recorded profiles with time running downwards: image row r
// shows the profile rowAt(r) (a std::vector<float>) from entry first on,
// columns entries wide. Each row is scaled by its own maximum, the largest of
// those entries that the row has (from 0, at least 1e-30); an entry the row
// does not have reads 0.
template <typename RowAt>
QImage rowScaledCarpet(int rows, std::size_t first, int columns, const PowerRampTable& table, RowAt&& rowAt)
{
    if (rows <= 0 || columns <= 0)
        return QImage();
    std::vector<double> maxima(static_cast<std::size_t>(rows), 0.0);
    for (int r = 0; r < rows; ++r) {
        const auto& row = rowAt(r);
        double maximum = 0.0;
        for (std::size_t i = first; i < row.size() && i < first + static_cast<std::size_t>(columns); ++i)
            if (static_cast<double>(row[i]) > maximum) // a NaN entry is passed over
                maximum = static_cast<double>(row[i]);
        maxima[static_cast<std::size_t>(r)] = atLeast(maximum, 1e-30);
    }
    return carpetImage(columns, rows, [&](int c, int r) {
        const auto& row = rowAt(r);
        const std::size_t i = first + static_cast<std::size_t>(c);
        return table.colour(i < row.size() ? static_cast<double>(row[i]) : 0.0, maxima[static_cast<std::size_t>(r)]);
    });
}

// The curve of a recorder's samples against time, through every sample in
// order: sample i at (mapValue(time, samples[i].time), mapValue(value,
// valueOf(samples[i]))); a point that is not finite is a gap, bridged.
template <typename Sample, typename ValueOf>
QPainterPath timeCurve(const std::vector<Sample>& samples, const AxisMap& time, const AxisMap& value, ValueOf&& valueOf)
{
    return polylineBridgingGaps(samples.size(), [&](std::size_t i) {
        return QPointF(mapValue(time, samples[i].time), mapValue(value, valueOf(samples[i])));
    });
}

// The valueOf of timeCurve for a fraction, fidelity or correlation drawn on
// a [0, 1] scale: the sample's member clamped to [0, 1], a NaN kept (a gap).
template <typename Sample>
auto clampedFraction(double Sample::*member)
{
    return [member](const Sample& sample) { return clampKeepNan(sample.*member, 0.0, 1.0); };
}

// Two panels one above the other, as the recorder plots lay them out in a
// widget of the given size: the available height A = atLeast(height - top -
// gap - bottom, minimumHeight) is shared as upper = (left, top, atLeast(width -
// left - right, minimumWidth), share * A) and lower = (left, upper.bottom +
// gap, upper.width, A - share * A).
struct SplitPanels {
    QRectF upper;
    QRectF lower;
};
SplitPanels splitPanels(const QSize& widgetSize, double left, double right, double top, double gap, double bottom,
                            double share, double minimumHeight, double minimumWidth);

// A panel title: text centred in the band (panel.left, top, panel.width, height).
struct PanelTitle {
    QString text;
    double top = 0.0;
    double height = 20.0;
};
// The opening of a two-panel plot: both outlines in framePen, then each
// panel's title in titleColour.
void drawTitledPanels(QPainter& painter, const SplitPanels& panels, const QPen& framePen, const QColor& titleColour,
                      const PanelTitle& upperTitle, const PanelTitle& lowerTitle);
// The placeholder texts of a two-panel plot, each centred in its panel.
void drawPanelPlaceholders(QPainter& painter, const SplitPanels& panels, const QColor& colour,
                           const QString& upperText, const QString& lowerText);

// A time marker of a carpet and its curve panel: a vertical line across the
// curve panel at time t on its horizontal time axis, then a horizontal line
// across the carpet at time t on its downward time axis.
void drawTimeMarker(QPainter& painter, const QRectF& carpet, const AxisMap& carpetTime, const QPen& carpetPen,
                    const QRectF& curve, const AxisMap& curveTime, const QPen& curvePen, double t);

// The time axis under a curve panel: t0 and t1 with one decimal at its ends
// (drawAxisEndLabels with boxWidth and gap) and "simulation time" centred in
// the band 4 below it (drawAxisCaption).
void drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, double t0, double t1, const QColor& colour,
                            double boxWidth, double gap);

} // namespace vxo::plot
