#include "plots/AxisNumbers.h"

#include "plots/PlotTexts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vxo::plot {

namespace {

// Ticks closer to an end than this share of a step still count as on it.
constexpr double kEndSlack = 1e-6;
// A row of numbers wider than this is not asked for: the search for a step
// stops there whatever the range.
constexpr int kMostTicks = 200;

int ticksOfStep(double lo, double hi, double step, long long& first)
{
    first = static_cast<long long>(std::ceil(lo / step - kEndSlack));
    const long long last = static_cast<long long>(std::floor(hi / step + kEndSlack));
    return static_cast<int>(std::max(last - first + 1, 0LL));
}

} // namespace

AxisTicks roundTicks(double lo, double hi, int maxCount)
{
    AxisTicks ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || !std::isfinite(hi - lo) || maxCount < 1)
        return ticks;
    maxCount = std::min(maxCount, kMostTicks);
    // A range a few of the smallest doubles wide has no step of its own
    // (its share per value rounds to 0, whose logarithm no int holds).
    const double leastStep = (hi - lo) / maxCount;
    if (!(leastStep > 0.0))
        return ticks;
    // The smallest decade whose steps could give at most maxCount values,
    // then 1, 2, 2.5 and 5 of it and of the decades above until one does.
    int exponent = static_cast<int>(std::floor(std::log10(leastStep)));
    for (;; ++exponent) {
        for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            const double step = mantissa * std::pow(10.0, exponent);
            // A step too small to count multiples of at this distance from 0.
            if (!(step > 0.0) || !std::isfinite(step) || std::max(std::fabs(lo), std::fabs(hi)) / step > 1e15)
                return ticks;
            long long first = 0;
            const int count = ticksOfStep(lo, hi, step, first);
            if (count > maxCount)
                continue;
            for (int k = 0; k < count; ++k)
                ticks.values.push_back(static_cast<double>(first + k) * step);
            // 2.5 has a decimal more than its decade.
            ticks.decimals = std::max(0, (mantissa == 2.5 ? 1 : 0) - exponent);
            return ticks;
        }
    }
}

QString tickText(double value, int decimals)
{
    constexpr int kMostDecimals = 5;
    if (decimals > kMostDecimals)
        return QString::number(value, 'g', 3);
    const QString text = QString::number(value, 'f', decimals);
    // A negative value that rounds to zero prints as "-0.0".
    return text.toDouble() == 0.0 ? QString::number(0.0, 'f', decimals) : text;
}

AxisTicks verticalTicks(double lo, double hi, double height, const QFont& font)
{
    const double line = QFontMetricsF(font).height();
    return roundTicks(lo, hi, 1 + static_cast<int>(std::floor(atLeast(height, 0.0) / (1.5 * line))));
}

AxisTicks horizontalTicks(double lo, double hi, double width, const QFont& font)
{
    const QFontMetricsF metrics(font);
    // Fewer numbers while the widest of them with a blank beside it does not
    // fit between two ticks.
    int count = 1 + static_cast<int>(std::floor(atLeast(width, 0.0) / (2.0 * metrics.height())));
    for (; count >= 2; --count) {
        const AxisTicks ticks = roundTicks(lo, hi, count);
        if (ticks.values.size() < 2)
            return ticks;
        double widest = 0.0;
        for (const double v : ticks.values)
            widest = std::max(widest, metrics.horizontalAdvance(tickText(v, ticks.decimals)));
        const double spacing = width * (ticks.values[1] - ticks.values[0]) / (hi - lo);
        if (spacing >= widest + metrics.height())
            return ticks;
    }
    return roundTicks(lo, hi, 1);
}

void drawTickGrid(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& xTicks, const AxisMap& y,
                  const AxisTicks& yTicks, const QPen& pen)
{
    for (const double v : xTicks.values)
        drawVerticalLine(painter, pen, mapValue(x, v), panel.top(), panel.bottom());
    for (const double v : yTicks.values)
        drawHorizontalLine(painter, pen, panel.left(), panel.right(), mapValue(y, v));
}

void drawVerticalAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& y, const AxisTicks& ticks,
                             const QColor& colour, AxisSide side, double gap)
{
    const QFontMetricsF metrics(painter.font());
    const double row = metrics.height();
    const QPen tickPen = plotPen(colour);
    for (const double v : ticks.values) {
        const double at = mapValue(y, v);
        if (!std::isfinite(at))
            continue;
        const QString text = tickText(v, ticks.decimals);
        if (side == AxisSide::Left) {
            // A number wider than the margin starts at the widget's edge and
            // runs into the panel rather than being cut by the edge.
            const double room = atLeast(panel.left() - gap, 1.0);
            const double needed = metrics.horizontalAdvance(text);
            const QRectF box(0.0, at - row / 2.0, std::max(room, needed), row);
            drawTextBox(painter, box, (needed <= room ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text,
                        colour);
        } else {
            drawHorizontalLine(painter, tickPen, panel.right() - gap, panel.right(), at);
            const QRectF box(panel.right() + gap, at - row / 2.0, 200.0, row);
            drawTextBox(painter, box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text, colour);
        }
    }
}

void drawHorizontalAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& ticks,
                               const QColor& colour, double gap)
{
    const QFontMetricsF metrics(painter.font());
    const double row = metrics.height();
    // A number at an end of a panel that reaches the widget's edge is moved
    // in rather than cut by the edge, or left out where that would put it
    // on its neighbour.
    const double right = painter.window().width();
    double previousEnd = -std::numeric_limits<double>::infinity();
    for (const double v : ticks.values) {
        const double at = mapValue(x, v);
        if (!std::isfinite(at))
            continue;
        const QString text = tickText(v, ticks.decimals);
        const double width = metrics.horizontalAdvance(text) + 2.0;
        const double left = std::max(0.0, std::min(at - width / 2.0, right - width));
        if (left < previousEnd + 0.5 * row)
            continue;
        previousEnd = left + width;
        drawTextBox(painter, QRectF(left, panel.bottom() + gap, width, row),
                    Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text, colour);
    }
}

PanelLayout numberedPanelLayout() { return {QMarginsF(58.0, 24.0, 20.0, 44.0)}; }

void drawNumberedAxes(QPainter& painter, const QRectF& panel, const AxisMap& x, const AxisTicks& xTicks,
                      const AxisMap& y, const AxisTicks& yTicks, const QColor& colour, const QString& caption)
{
    constexpr double kGap = 3.0;
    const double row = QFontMetricsF(painter.font()).height();
    drawVerticalAxisNumbers(painter, panel, y, yTicks, colour, AxisSide::Left);
    drawHorizontalAxisNumbers(painter, panel, x, xTicks, colour, kGap);
    drawAxisCaption(painter, panel, caption, colour, kGap + row, row);
}

void drawHistoryGrid(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const NumberedAxis& left,
                     const QColor& gridColour)
{
    drawTickGrid(painter, panel, time.map, time.ticks, left.map, left.ticks, plotPen(gridColour));
    drawFrame(painter, panel, plotPen(QColor(kSinglePanel.frame)));
}

double drawHistoryNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const NumberedAxis& left,
                          const NumberedAxis& right)
{
    constexpr double kGap = 3.0;
    drawVerticalAxisNumbers(painter, panel, left.map, left.ticks, left.colour, AxisSide::Left);
    drawVerticalAxisNumbers(painter, panel, right.map, right.ticks, right.colour, AxisSide::Right);
    drawHorizontalAxisNumbers(painter, panel, time.map, time.ticks, time.colour, kGap);
    return panel.bottom() + kGap + QFontMetricsF(painter.font()).height();
}

CurveAxes drawCurveGrid(QPainter& painter, const QRectF& panel, double x0, double x1, double lo, double hi,
                        const QFont& font)
{
    constexpr double kLeastSpan = 1e-30;
    const QColor colour(kSinglePanel.axisText);
    const CurveAxes axes{
        {horizontalAxis(panel, x0, x1, kLeastSpan), horizontalTicks(x0, x1, panel.width(), font), colour},
        {verticalAxis(panel, lo, hi, kLeastSpan), verticalTicks(lo, hi, panel.height(), font), colour}};
    drawHistoryGrid(painter, panel, axes.x, axes.y);
    if (lo < 0.0 && hi > 0.0)
        drawHorizontalLine(painter, plotPen(QColor(kAxes.zeroLine), 1.0, Qt::DashLine), panel.left(), panel.right(),
                           mapValue(axes.y.map, 0.0));
    return axes;
}

void drawNumberedAxes(QPainter& painter, const QRectF& panel, const CurveAxes& axes, const QString& caption)
{
    drawNumberedAxes(painter, panel, axes.x.map, axes.x.ticks, axes.y.map, axes.y.ticks, axes.x.colour, caption);
}

namespace {
// How far a tick reaches into the panel from its edge.
constexpr double kTick = 4.0;

void drawBottomTicks(QPainter& painter, const QRectF& panel, const AxisMap& axis, const AxisTicks& ticks,
                     const QColor& colour)
{
    for (const double v : ticks.values)
        drawVerticalLine(painter, plotPen(colour), mapValue(axis, v), panel.bottom() - kTick, panel.bottom());
}
} // namespace

void drawTickedAxisNumbers(QPainter& painter, const QRectF& panel, const AxisMap& axis, const QColor& colour,
                           const QColor& frame, double gap)
{
    const AxisTicks ticks =
        horizontalTicks(axis.valueStart, axis.valueStart + axis.valueSpan, panel.width(), painter.font());
    drawBottomTicks(painter, panel, axis, ticks, frame);
    drawHorizontalAxisNumbers(painter, panel, axis, ticks, colour, gap);
}

// The ticks of an axis cover its map's whole range: a range below the
// least span is numbered as the map draws it.
NumberedAxis valueAxis(const QRectF& panel, double lo, double hi, const QFont& font, const QColor& colour)
{
    const AxisMap map = verticalAxis(panel, lo, hi, 1e-12);
    return {map, verticalTicks(map.valueStart, map.valueStart + map.valueSpan, panel.height(), font), colour};
}

NumberedAxis fractionAxis(const QRectF& panel, const QFont& font, const QColor& colour)
{
    return valueAxis(panel, 0.0, 1.0, font, colour);
}

NumberedAxis numbersBelow(NumberedAxis axis, double top, const QFont& font)
{
    const double half = QFontMetricsF(font).height() / 2.0;
    std::vector<double> kept;
    for (const double v : axis.ticks.values)
        if (mapValue(axis.map, v) - half >= top)
            kept.push_back(v);
    axis.ticks.values = kept;
    return axis;
}

NumberedAxis fractionAxis(const QRect& panel, const QFont& font, const QColor& colour)
{
    return {AxisMap{static_cast<double>(panel.bottom()), -static_cast<double>(panel.height()), 0.0, 1.0},
            verticalTicks(0.0, 1.0, panel.height(), font), colour};
}

StackedTexts withTimesUnder(StackedTexts texts, const StackedPanels& panels, const QFont& font, bool upperTimes,
                            double gap)
{
    const int row = static_cast<int>(std::ceil(gap + QFontMetricsF(font).height()));
    texts.lowerCaption.gap += row;
    if (upperTimes && sideBySide(panels))
        texts.upperCaption.gap += row;
    return texts;
}

NumberedAxis timeAxis(const QRectF& panel, double t0, double t1, const QFont& font, const QColor& colour)
{
    // A single time (a lone sample) spans nothing to number.
    const AxisMap map = horizontalAxis(panel, t0, t1, 1e-12);
    return {map,
            t1 > t0 ? horizontalTicks(map.valueStart, map.valueStart + map.valueSpan, panel.width(), font)
                    : AxisTicks{},
            colour};
}

void drawValueLines(QPainter& painter, const QRectF& panel, const NumberedAxis& axis, const QPen& pen)
{
    for (const double v : axis.ticks.values)
        drawHorizontalLine(painter, pen, panel.left(), panel.right(), mapValue(axis.map, v));
}

void drawValueNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& axis)
{
    drawVerticalAxisNumbers(painter, panel, axis.map, axis.ticks, axis.colour, AxisSide::Left);
}

double drawTimeNumbers(QPainter& painter, const QRectF& panel, const NumberedAxis& time, const QColor& tickColour,
                       const QString& caption, double gap)
{
    const double row = QFontMetricsF(painter.font()).height();
    drawBottomTicks(painter, panel, time.map, time.ticks, tickColour);
    drawHorizontalAxisNumbers(painter, panel, time.map, time.ticks, time.colour, gap);
    drawAxisCaption(painter, panel, caption, time.colour, gap + row, row);
    return panel.bottom() + gap + 2.0 * row;
}

double drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, const NumberedAxis& time,
                              const QColor& tickColour)
{
    return drawTimeNumbers(painter, panel, time, tickColour, QStringLiteral("simulation time"));
}

} // namespace vxo::plot
