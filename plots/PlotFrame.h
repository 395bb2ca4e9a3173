#pragma once

#include "plots/PlotPalette.h"

#include <QFont>
#include <QMargins>
#include <QMarginsF>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

class QPainter;

// The frame of a plot and its axes: the paint's opening, the panels of the
// layouts (single, stacked and split panels, titled pages), grids, frames,
// pens, lines and discs, value-to-pixel maps, the NaN policies of the clamps,
// and the texts around a panel.
namespace vxo::plot {

namespace detail {
inline bool finitePoint(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
} // namespace detail

// ---------------------------------------------------------------- frame

// Opens a paint: Antialiasing (and TextAntialiasing when asked) on, the whole
// widget rectangle filled with the background.
void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing = true);

// value when it is above floor, else floor; a NaN becomes the floor. This is
// every "max(x, m)" and every "replaced by m when it is m or less" of the
// layouts and span divisors.
double atLeast(double value, double floor);

// The panel of a single-panel plot in a widget of size (w, h): the widget's
// rectangle less the margins, QRectF(m.left, m.top, atLeast(w - m.left -
// m.right, minimum.width), atLeast(h - m.top - m.bottom, minimum.height)).
// The margins (QMarginsF: left, top, right, bottom) hold the texts around the
// panel: the value labels on the left, the title above, the axis texts
// below. The defaults are the curve panel the time-series, cross-section and
// resonance plots share.
struct PanelLayout {
    QMarginsF margins{58.0, 24.0, 20.0, 38.0};
    QSizeF minimum{10.0, 10.0};
};
QRectF panelRect(const QSize& widgetSize, const PanelLayout& layout);
// Opens the paint of a single-panel plot: the background (beginPlot), then
// the layout's panel with its quarter grid in gridColour and its frame in
// kFrame (drawGridAndFrame). Returns the panel.
QRectF beginPanelPlot(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout,
                      const QColor& gridColour = kGrid);

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
// The horizontal axis over a carpet of equal columns whose centres run from
// firstCentre to lastCentre in steps of step: it spans the columns' outer
// edges, so a value stands over the middle of its column.
AxisMap columnCentresAxis(const QRectF& rect, double firstCentre, double lastCentre, double step, double minimumSpan);
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

// ---------------------------------------------------------------- texts

// text in colour inside box with the alignment flags.
void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour);
// text in colour in the box with the flags (drawTextBox), on a patch of the
// patch colour just large enough to hold it: a text drawn over curves stays
// legible. With Qt::TextWordWrap a text wider than the box goes on below or
// on both sides of it, as its alignment says. Returns the rectangle the text
// takes.
QRectF drawTextOnPatch(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour,
                       const QColor& patch);
// The height text takes in font, word-wrapped to width.
double wrappedTextHeight(const QFont& font, double width, const QString& text);
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
// The diffraction pages of the Kapitza-Dirac and Moshinsky experiments.
constexpr TitledPage kKapitzaDiracPage{qRgb(11, 16, 22), 7, 24, qRgb(224, 234, 242), 50, qRgb(150, 166, 180)};
constexpr TitledPage kMoshinskyPage{qRgb(11, 16, 22), 8, 24, qRgb(220, 232, 241), 52, qRgb(150, 166, 180)};
// The Zitterbewegung page.
constexpr TitledPage kZitterbewegungPage{qRgb(9, 13, 19), 6, 25, qRgb(228, 238, 246), 48, qRgb(145, 162, 178)};

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

// The two stacked panels of a recorder plot of size (w, h). The upper panel
// is the widget less the margins `upper` (QMargins: left, top, right,
// bottom; the bottom margin holds the lower panel), each side raised to
// upperMinimum; the lower panel lies gap below it, as wide, and
// h - lowerMargin - upper.bottom() high, raised to lowerMinHeight:
//   upper = QRect(m.left, m.top, max(w - m.left - m.right, upperMinimum.width),
//                 max(h - m.top - m.bottom, upperMinimum.height)),
//   lower = QRect(m.left, upper.bottom() + gap, upper.width(),
//                 max(h - lowerMargin - upper.bottom(), lowerMinHeight)),
// with QRect's bottom (top + height - 1).
struct StackedLayout {
    QMargins upper;
    QSize upperMinimum;
    int gap = 0;
    int lowerMargin = 0;
    int lowerMinHeight = 0;
};
struct StackedPanels {
    QRect upper;
    QRect lower;
};
// The panels of the layout in a widget of the given size.
StackedPanels stackedPanels(const QSize& widgetSize, const StackedLayout& layout);
// The same panels, each filled with fill and outlined with a 1-pixel frame.
StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill);
// The layout of the Landau and Hall-edge pages: the trajectory in the plane
// over a panel of its traces against time.
StackedLayout orbitOverTimeLayout();
// Opens the paint of a gauge page (Aharonov-Bohm, backflow, Hall edge,
// Landau): beginTitledPage with kGaugePage, then with data the two stacked
// panels of the layout filled with kStackedPanel and framed in kStackedFrame.
// Without data only the placeholder is drawn and nullopt is returned.
std::optional<StackedPanels> beginGaugePage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont,
                                            const QString& title, bool hasData, const QString& placeholder,
                                            const StackedLayout& layout);
// A caption centred in QRect(panel.left(), panel.bottom() + gap, panel.width(), height).
void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour);
// A summary line left-aligned and vertically centred in
// QRect(panel.left() + 8, panel.top() + 5, panel.width() - 16, height), inside
// the panel's top, on a patch of the panel's fill (drawTextOnPatch): wrapped
// onto further lines where the panel is narrower than the line.
void drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour,
                      const QColor& patch);

// The end of a time axis that starts at 0: analysisEndTime, or lastTime when
// that is larger (a run past its analysis end stretches the axis), floored at
// 1e-12 so that it can divide.
double timeAxisEnd(double analysisEndTime, double lastTime);

// v0 at rect.top(), v0 + span at rect.bottom() (values grow downwards, as
// time does in the carpets), span = atLeast(v1 - v0, minimumSpan).
AxisMap downwardAxis(const QRectF& rect, double v0, double v1, double minimumSpan);

// lround(x) as a pixel coordinate; NaN when x is not finite or too large for a
// pixel, so that the drawing functions above leave the line out.
double roundedPixel(double x);

// A copy of layout with one field set to value: what the layouts' withX()
// return.
template <typename Layout, typename Value>
Layout withField(Layout layout, Value Layout::*field, const Value& value)
{
    layout.*field = value;
    return layout;
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
struct SplitLayout {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double gap = 0.0;
    double bottom = 0.0;
    double share = 0.5;
    double minimumHeight = 0.0;
    double minimumWidth = 0.0;

    // The same layout with one field changed: a page that adapts its
    // family's layout names only what it changes.
    SplitLayout withLeft(double value) const { return withField(*this, &SplitLayout::left, value); }
    SplitLayout withRight(double value) const { return withField(*this, &SplitLayout::right, value); }
    SplitLayout withTop(double value) const { return withField(*this, &SplitLayout::top, value); }
    SplitLayout withBottom(double value) const { return withField(*this, &SplitLayout::bottom, value); }
    SplitLayout withGap(double value) const { return withField(*this, &SplitLayout::gap, value); }
    SplitLayout withShare(double value) const { return withField(*this, &SplitLayout::share, value); }
    SplitLayout withMinimumHeight(double value) const { return withField(*this, &SplitLayout::minimumHeight, value); }
    SplitLayout withMinimumWidth(double value) const { return withField(*this, &SplitLayout::minimumWidth, value); }
};
SplitPanels splitPanels(const QSize& widgetSize, const SplitLayout& layout);
// The layouts of the two families of two-panel pages, which each page adapts
// where it needs: the carpet and map pages (revival, Talbot, bouncer,
// billiard), a tall carpet over its curves with a margin for the value labels
// on the left, and the loop and echo pages (Berry phase, Loschmidt echo,
// scar), two panels of about equal height with room for a scale on the right.
SplitLayout carpetPageLayout();
SplitLayout tracePageLayout();

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
void drawPanelPlaceholders(QPainter& painter, const SplitPanels& panels, const QColor& colour, const QString& upperText,
                           const QString& lowerText);

// The colours of the frames, titles and placeholders of a two-panel recorder
// page, and those of the two families.
struct SplitPageLook {
    QRgb frame;
    QRgb title;
    QRgb placeholder;
};
constexpr SplitPageLook kCarpetPageLook{kCarpetFrame, kCarpetTitle, kCarpetPlaceholder};
constexpr SplitPageLook kTracePageLook{kTraceFrame, kTraceTitle, kTracePlaceholder};
// A text for each of the two panels.
struct PanelTexts {
    QString upper;
    QString lower;
};
// What a two-panel recorder page shows before its data: its look, the two
// panel titles (the lower title's top counted from the upper panel's bottom,
// as it sits under the upper panel's labels) and the placeholder texts.
struct SplitPage {
    SplitPageLook look;
    PanelTitle upperTitle;
    PanelTitle lowerTitle;
    PanelTexts placeholders;
};
// Opens the paint of a two-panel recorder page: beginPlot with the recorder
// background, then the panels of layout in the widget framed and titled.
// With data it returns the panels to draw in; without, it draws the
// placeholders and returns nothing.
std::optional<SplitPanels> beginSplitPage(QPainter& painter, const QRect& widgetRect, const SplitLayout& layout,
                                          const SplitPage& page, bool hasData);

// A time marker of a carpet and its curve panel: a vertical line across the
// curve panel at time t on its horizontal time axis, then a horizontal line
// across the carpet at time t on its downward time axis.
void drawTimeMarker(QPainter& painter, const QRectF& carpet, const AxisMap& carpetTime, const QPen& carpetPen,
                    const QRectF& curve, const AxisMap& curveTime, const QPen& curvePen, double t);

// The time axes of a carpet over its curve panel from t0 to t1: downwards
// over the carpet, rightwards over the curve panel, whose values run from 0
// at its bottom to 1 at its top.
struct CarpetTimeAxes {
    AxisMap carpetTime;
    AxisMap curveTime;
    AxisMap unit;
};
CarpetTimeAxes carpetTimeAxes(const QRectF& carpet, const QRectF& curve, double t0, double t1);

// The time markers (drawTimeMarker) at the quarter periods k T / 4, k = 1 ..
// quarters, that lie in [t0, t1]; none when T is not positive. pens(k) gives
// the k-th marker's carpet and curve pens as a std::pair.
template <typename Pens>
void drawQuarterPeriodMarkers(QPainter& painter, const QRectF& carpet, const QRectF& curve, const CarpetTimeAxes& axes,
                              double t0, double t1, double period, int quarters, Pens&& pens)
{
    if (!(period > 0.0))
        return;
    for (int k = 1; k <= quarters; ++k) {
        const double tk = k * 0.25 * period;
        if (t0 <= tk && tk <= t1) {
            const auto [carpetPen, curvePen] = pens(k);
            drawTimeMarker(painter, carpet, axes.carpetTime, carpetPen, curve, axes.curveTime, curvePen, tk);
        }
    }
}

// One item of a legend row: its text in its colour, left-aligned in a box
// width wide, starting offset right of the row's left end.
struct LegendItem {
    QString text;
    QRgb colour;
    double offset;
    double width;
};
// A legend row: each entry in QRectF(left + offset, top, width, 20), moved
// right where the entry before it would run into it. An entry that would
// reach past right moves up to 12 pixels after the entry before it, and if
// it still does, starts a further row 18 pixels lower, at the first entry's
// offset. With a valid patch colour each entry stands on a patch of
// it (drawTextOnPatch), legible over curves. Returns the last row's bottom.
double drawLegendRow(QPainter& painter, double left, double top, double right, const std::vector<LegendItem>& entries,
                     const QColor& patch = QColor());

// Opens the paint of a lattice page (kicked rotor, Zeno): beginPlot with the
// lattice background, then the page's title centred in QRectF(8, titleTop,
// w - 16, 20) in the lattice text colour.
void beginLatticePage(QPainter& painter, const QRect& widgetRect, const QString& title, double titleTop);
// A panel's heading on the line above it: text left-aligned in
// QRectF(panel.left(), panel.top() - 20, panel.width(), 18).
void drawPanelHeading(QPainter& painter, const QRect& panel, const QString& text, const QColor& colour);

// The time axis under a curve panel: t0 and t1 with one decimal at its ends
// (drawAxisEndLabels with boxWidth and gap) and "simulation time" centred in
// the band 4 below it (drawAxisCaption).
void drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, double t0, double t1, const QColor& colour,
                            double boxWidth, double gap);
} // namespace vxo::plot
