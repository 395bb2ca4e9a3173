#pragma once

#include "plots/AxisNumbers.h"
#include "plots/PlotCurves.h"
#include "plots/PlotLayouts.h"
#include "plots/PlotTexts.h"

#include <QPainterPath>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace vxo {
struct LinearSweep;
} // namespace vxo

// The histories of recorded samples against time, for the plots of the
// observable history and of the driven two-level
// experiments (quench, periodic drive, Bloch, Rabi, Landau-Zener,
// Stueckelberg, Ramsey, double well): the samples that count are those whose
// block flag is set (every sample for a null flag); time ranges and curves
// run over them in vector order, populations are drawn on [0, 1] in a panel,
// a protocol's signal is drawn in a thin strip under the time panel, and the
// interference plots stack a history panel, a strip and a scan panel. The
// sample containers are any vector-like sequence; the sample type is read
// from the member pointers.
namespace vxo::plot {

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

namespace detail {
// While it lives, the painter is clipped to a history panel and a margin
// above and below it of half the widest curve pen, so that a curve along an
// edge is drawn whole.
class PanelClip {
public:
    PanelClip(QPainter& painter, const QRectF& panel);
    ~PanelClip();
    PanelClip(const PanelClip&) = delete;
    PanelClip& operator=(const PanelClip&) = delete;

private:
    QPainter& painter_;
};
} // namespace detail

// One curve of a history plot: the sample field, its pen and its vertical
// scale: a population on [0, 1] (populationY in the panel) when y is empty,
// else the axis y of its own (a width, a position, an energy).
template <typename Sample>
struct HistoryCurve {
    double Sample::*value;
    QPen pen;
    std::optional<AxisMap> y = std::nullopt;
};

// What a history panel shows while no sample counts: text centred on a patch
// of the background, over the grid.
void drawHistoryPlaceholder(QPainter& painter, const QRectF& panel, const QString& text);

// Strokes the curves in order through the counted samples, each at
// (x(time), its row), clipped to the panel. While no sample counts it draws
// the placeholder instead (drawHistoryPlaceholder; nothing for an empty one)
// and returns false.
template <typename Samples, typename Sample, std::size_t N>
bool drawHistoryCurves(QPainter& painter, const Samples& samples, SampleFlag<Sample> flag, double Sample::*time,
                       const AxisMap& x, const QRectF& panel, const HistoryCurve<Sample> (&curves)[N],
                       const QString& placeholder)
{
    if (!historyTimes(samples, flag, time, 0.0).first) {
        if (!placeholder.isEmpty())
            drawHistoryPlaceholder(painter, panel, placeholder);
        return false;
    }
    // A history out of time order or beyond its scale would run over the
    // texts around the panel: the curves stay on it, with room for a pen's
    // width above and below, where a population of 0 or 1 is drawn.
    const detail::PanelClip clip(painter, panel);
    for (const HistoryCurve<Sample>& curve : curves) {
        const auto row = [&](const Sample& s) {
            return curve.y ? mapValue(*curve.y, s.*(curve.value)) : populationY(panel, s.*(curve.value));
        };
        strokePath(painter, historyCurve(samples, flag, time, x, row), curve.pen);
    }
    return true;
}

// The axes of a history panel of populations: the times from the first
// counted sample (0 when none counts) to the end historyTimes gives for
// `end`, one unit on where that is not later, and the populations on
// [0, 1], both numbered in kSinglePanel.axisText.
struct PopulationAxes {
    NumberedAxis time;
    NumberedAxis populations;
    double start;
    double end;
};
// Those axes of the samples, with their grid and the panel's frame drawn
// (drawHistoryGrid).
template <typename Samples, typename Sample>
PopulationAxes drawPopulationGrid(QPainter& painter, const QRectF& panel, const QFont& font, const Samples& samples,
                                  SampleFlag<Sample> flag, double Sample::*time, double end)
{
    const HistoryTimes times = historyTimes(samples, flag, time, end);
    const double t0 = times.first.value_or(0.0);
    const double t1 = times.end > t0 ? times.end : t0 + 1.0;
    const QColor axisText(kSinglePanel.axisText);
    const PopulationAxes axes{timeAxis(panel, t0, t1, font, axisText), fractionAxis(panel, font, axisText), t0, t1};
    drawHistoryGrid(painter, panel, axes.time, axes.populations);
    return axes;
}

// The colours of a two-level prediction: the curves of the first and second
// population (translucent) and the mark at its characteristic time.
struct PredictionColours {
    QRgb first;
    QRgb second;
    QRgb mark;
};
// The prediction of a two-level exchange behind the measured curves of a
// population panel: over [t0, t1] at intervals + 1 times the pair
// (first, second) = populations(t), each at (x(t), populationY(panel, value))
// dashed 1.2 wide, then a dash-dotted line across the panel at markTime when
// it lies in [t0, t1].
template <typename Populations>
void drawTwoLevelPrediction(QPainter& painter, const QRectF& panel, const AxisMap& x, double t0, double t1,
                            int intervals, Populations&& populations, double markTime, const PredictionColours& colours)
{
    const auto curve = [&](bool second) {
        return sampledPolyline(intervals, t0, t1, [&](double t) {
            const std::pair<double, double> pair = populations(t);
            return QPointF(mapValue(x, t), populationY(panel, second ? pair.second : pair.first));
        });
    };
    strokePath(painter, curve(false), plotPen(QColor::fromRgba(colours.first), 1.2, Qt::DashLine));
    strokePath(painter, curve(true), plotPen(QColor::fromRgba(colours.second), 1.2, Qt::DashLine));
    if (t0 <= markTime && markTime <= t1)
        drawVerticalLine(painter, plotPen(QColor(colours.mark), 1.0, Qt::DashDotLine), mapValue(x, markTime),
                         panel.top(), panel.bottom());
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
// The five curves in that order; the placeholder while no sample's block is
// valid.
template <typename Samples, typename Sample>
void drawSweepPopulations(QPainter& painter, const Samples& samples, const SweepBlock<Sample>& block,
                          double Sample::*time, const AxisMap& x, const QRectF& panel, const QString& placeholder)
{
    drawHistoryCurves<Samples, Sample>(painter, samples, block.valid, time, x, panel,
                                       {{block.lower, sweepCurvePen(0)},
                                        {block.upper, sweepCurvePen(1)},
                                        {block.left, sweepCurvePen(2)},
                                        {block.right, sweepCurvePen(3)},
                                        {block.captured, sweepCurvePen(4)}},
                                       placeholder);
}
// Their legend entries "P(lower)", "P(upper)", "P(left)", "P(right)" (the
// captured weight has none), for drawLegendLine.
std::vector<LegendItem> sweepLegend();

// A panel's legend on a line outside it, where no curve reaches: the entries
// packed from the line's left end (drawLegendRow, top-aligned in 20-pixel
// boxes) and the caption right-aligned on the same line; with no entries the
// caption is centred.
void drawLegendLine(QPainter& painter, const QRectF& line, const std::vector<LegendItem>& entries,
                    const QString& caption = QString(), const QColor& captionColour = kSinglePanel.axisText);
// Under a history panel: the numbers of its scales (drawHistoryNumbers) and,
// on a 22-pixel line 2 pixels under its times, its legend captioned
// "simulation time" (drawLegendLine).
void drawHistoryLegend(QPainter& painter, const QRectF& panel, const std::vector<LegendItem>& entries,
                       const NumberedAxis& time, const NumberedAxis& left, const NumberedAxis& right = {});

// The protocol strip under a time panel: its frame in kAxes.stripFrame and a
// dashed zero line in kAxes.stripMidline through its vertical middle.
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

// The protocol's signal (protocolSignal) stroked over the strip in kTwoLevel.fringe.
template <typename ValueAt>
void drawProtocolSignal(QPainter& painter, const QRectF& strip, const AxisMap& x, int intervals, double t0, double t1,
                        double scale, double gain, ValueAt&& valueAt)
{
    strokePath(painter, protocolSignal(strip, x, intervals, t0, t1, scale, gain, valueAt),
               plotPen(QColor(kTwoLevel.fringe), 1.8));
}

// A linear sweep's bias on its strip: the strip (drawProtocolStrip) and,
// while the sweep is on, its value from t0 to t1 on `intervals` intervals
// (drawProtocolSignal), scaled to the larger of its two ends.
void drawSweepStrip(QPainter& painter, const QRectF& strip, const AxisMap& x, int intervals, double t0, double t1,
                    double gain, const LinearSweep& sweep);

// An interference page opened: the background, the layout's panels for the
// widget's size, and the history panel's grid at the round times and
// populations in kAxes.historyGrid with its frame in kSinglePanel.frame. The
// time axis, which the history panel and the strip share, runs from 0 to the
// protocol's end raised to every later counted sample time, or to 1 when that
// end is not above 0; the populations run over [0, 1]; both carry their round
// values for the widget's font.
struct InterferencePage {
    InterferencePanels panels;
    AxisMap time;
    NumberedAxis timeScale;
    NumberedAxis population;
};
InterferencePage beginInterferencePlot(QPainter& painter, const QRect& widgetRect, const QFont& font,
                                       const InterferenceLayout& layout, double end);
template <typename Samples, typename Sample>
InterferencePage beginInterferencePage(QPainter& painter, const QRect& widgetRect, const QFont& font,
                                       const InterferenceLayout& layout, const Samples& samples,
                                       SampleFlag<Sample> flag, double Sample::*time, double protocolEnd)
{
    const double end = historyTimes(samples, flag, time, protocolEnd).end;
    return beginInterferencePlot(painter, widgetRect, font, layout, end > 0.0 ? end : 1.0);
}

// A guide at time t on the shared time axis x, down through the history panel
// and the strip (a pulse boundary, a crossing).
void drawProtocolGuide(QPainter& painter, const InterferencePanels& panels, const AxisMap& x, double t,
                       const QPen& pen);
// The mark of the current scan value on the fringe: an outlined kTwoLevel.fringeCurrent disc.
void drawFringeMarker(QPainter& painter, const QPointF& at);
// Their labels in kSinglePanel.axisText: the round populations beside the
// history panel, the round times under the strip (in the strip's numbers
// band), "1.0" and "0.0" beside the scan, stripLabel at the strip's top + 5
// and scanLabel at the scan's middle - 9 (right-aligned in 52 x 18 boxes at
// x = 2), scanCaption centred on its line.
void drawInterferenceLabels(QPainter& painter, const InterferencePage& page, const QString& stripLabel,
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
