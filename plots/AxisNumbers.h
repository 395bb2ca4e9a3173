#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotLayouts.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// The numbers of an axis that a class reads values from: round values (the
// multiples of 1, 2, 2.5 or 5 times a power of ten) as many as the panel has room
// for, each with a grid line across the panel or a tick on its edge, and
// written beside the panel.
namespace vxo::plot {

// The round values of an axis over [lo, hi] and the decimals they are
// written with.
struct AxisTicks {
    std::vector<double> values;
    int decimals = 0;
};

// The multiples of a step of 1, 2, 2.5 or 5 times a power of ten that lie in
// [lo, hi] (an end that misses a multiple by rounding alone counts), with the
// smallest such step that leaves at most maxCount of them; decimals is what
// the step needs. None when the range is empty or not finite, or maxCount < 1.
AxisTicks roundTicks(double lo, double hi, int maxCount);

// A value of the ticks in fixed notation with their decimals (a zero is
// written "0", never "-0"), or in three significant digits where more than
// five decimals would be needed.
QString tickText(double value, int decimals);

// The ticks of a vertical axis over [lo, hi] in a panel `height` pixels
// high, one per 1.5 lines of font at most, so that their numbers never touch.
AxisTicks verticalTicks(double lo, double hi, double height, const QFont& font);
// The ticks of a horizontal axis over [lo, hi] in a panel `width` pixels wide,
// as many as leave a blank of a line's height between neighbouring numbers.
AxisTicks horizontalTicks(double lo, double hi, double width, const QFont& font);

// Grid lines across the panel at the ticks: vertical ones at the values of
// xTicks on x, horizontal ones at those of yTicks on y.
void drawTickGrid(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& xTicks, const AxisMap& y,
                  const AxisTicks& yTicks, const QPen& pen);

// Which side of a panel a vertical axis's numbers stand on.
enum class AxisSide { Left, Right };
// The numbers of a vertical axis, each vertically centred on its row: on the
// left right-aligned so that they end gap pixels before the panel, on the
// right left-aligned gap pixels after it, there each with a tick of gap
// pixels inside the panel's edge in the numbers' colour (a second scale has
// no grid lines of its own).
void drawVerticalAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& y, const AxisTicks& ticks,
                             const QColor& colour, AxisSide side, double gap = 4.0);
// The numbers of a horizontal axis in the row gap pixels under the panel,
// each centred on its column.
void drawHorizontalAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& ticks,
                               const QColor& colour, double gap = 3.0);

// The panel of a single-panel curve plot whose axes carry numbers: the
// margins of the shared curve panel with room under it for a row of numbers
// above the axis caption.
PanelLayout numberedPanelLayout();

// The numbers of both axes of a curve panel in colour (drawVerticalAxisNumbers
// on the left, drawHorizontalAxisNumbers) and the horizontal axis's caption
// centred in the row under its numbers.
void drawNumberedAxes(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& xTicks,
                      const AxisMap& y, const AxisTicks& yTicks, const QColor& colour, const QString& caption);

// An axis of a panel with its ticks and the colour of its numbers.
struct NumberedAxis {
    AxisMap map;
    AxisTicks ticks;
    QColor colour;
};
// A history panel whose two curves each have a scale: the grid at the ticks
// of the time axis and of the left scale in gridColour, then the frame in
// kSinglePanel.frame.
void drawHistoryGrid(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const NumberedAxis& left,
                     const QColor& gridColour = kSinglePanel.grid);
// Its numbers: the left scale's on the left, the right scale's (if any) on
// the right (drawVerticalAxisNumbers), the times under the panel (3 pixels
// below it). Returns the bottom of the row of times, where the legend goes.
double drawHistoryNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const NumberedAxis& left,
                          const NumberedAxis& right = {});

// The round numbers of a horizontal axis from its start to its end under a
// panel without a grid of its own (a scan, a trace): each with a tick of 4
// pixels up from the panel's bottom edge in the frame's colour and its number
// centred under it in colour, in the row gap pixels below the panel.
void drawTickedAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& axis, const QColor& colour,
                           const QColor& frame, double gap);

// A panel's vertical axis over [lo, hi] (lo at the bottom edge, hi at the
// top) with its round values (verticalTicks); fractionAxis is that of a
// population, fidelity or correlation on [0, 1]. colour is that of its numbers.
NumberedAxis valueAxis(const QRectF& panel, double lo, double hi, const QFont& font, const QColor& colour);
NumberedAxis fractionAxis(const QRectF& panel, const QFont& font, const QColor& colour);
// The axis with only the ticks whose numbers, a line high and centred on
// their rows, start at or below top: where a text band lies over a panel.
NumberedAxis numbersBelow(NumberedAxis axis, double top, const QFont& font);
// The same on a pixel panel, where a fraction f stands at panel.bottom() -
// panel.height() * f (fractionRow, QRect's bottom).
NumberedAxis fractionAxis(const QRect& panel, const QFont& font, const QColor& colour);
// A panel's horizontal axis over [t0, t1] (horizontalAxis with a span of at
// least 1e-12) with its round values (horizontalTicks), none where t1 is not
// after t0.
NumberedAxis timeAxis(const QRectF& panel, double t0, double t1, const QFont& font, const QColor& colour);
// Both axes of a single-panel curve plot over [x0, x1] x [lo, hi] (each map
// with a span of at least 1e-30) with their round values and numbers in
// kSinglePanel.axisText.
struct CurveAxes {
    NumberedAxis x;
    NumberedAxis y;
};
// The axes drawn before the curve: the grid at the ticks of both and the
// frame (drawHistoryGrid) and, where 0 lies inside [lo, hi], a dashed zero
// line in kAxes.zeroLine.
CurveAxes drawCurveGrid(QPainter& painter, const QRectF& panel, double x0, double x1, double lo, double hi,
                        const QFont& font);
// Their numbers and the caption, drawn after it (drawNumberedAxes).
void drawNumberedAxes(QPainter& painter, const QRectF& panel, const CurveAxes& axes, const QString& caption);
// Lines across the panel at the round values of a vertical axis.
void drawValueLines(QPainter& painter, const QRectF& panel, const NumberedAxis& axis, const QPen& pen);
// The numbers of a vertical axis left of the panel (drawVerticalAxisNumbers).
void drawValueNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& axis);
// The time axis under a curve panel: each round time over a tick 4 pixels up
// from the panel's bottom edge in tickColour, its number in the row gap
// pixels under the panel, and caption centred in the row under the numbers.
// Returns the bottom of the caption's row.
double drawTimeNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const QColor& tickColour,
                       const QString& caption, double gap = 3.0);
// The texts of two stacked panels whose time panels carry their times under
// them (drawTickedAxisNumbers, gap pixels under the panel): the lower caption
// moved down by the times' row, and the upper one too where the panels lie
// side by side and the upper one is a time panel as well.
StackedTexts withTimesUnder(StackedTexts texts, const StackedPanels& panels, const QFont& font, bool upperTimes,
                            double gap = 3.0);
// The same captioned "simulation time".
double drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, const NumberedAxis& time,
                              const QColor& tickColour);

} // namespace vxo::plot
