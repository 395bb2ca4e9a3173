#include "plots/QuantumTalbotPlotWidget.h"

#include "experiments/QuantumTalbot2D.h"
#include "experiments/TalbotRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

namespace {

const PowerRamp kCarpetRamp{{0.0, 1.0, 1.55}, {0.0, 1.0, 0.72}, {0.18, 1.25, 0.9}};

// The x labels and the legend take the line under the carpet (the legend
// two lines on a narrow page); the lower title sits on the line below them.
const SplitPage kPage{
    kCarpetPageLook,
    {"Talbot carpet: transverse x-marginal versus time", 4.0, 20.0},
    {"Self-image correlation: original / half-period shifted", 37.0, 18.0},
    {"Run the Quantum Talbot Self-Imaging preset", "The initial transverse comb builds its own x-time carpet"}};

// The pen of the k-th quarter-Talbot-time marker.
QPen markerPen(int k)
{
    if (k % 4 == 0)
        return plotPen(QColor(kMaps.talbotWhole), 1.5, Qt::DashLine); // the image returns
    if (k % 2 == 0)
        return plotPen(QColor(kMaps.talbotHalf), 1.0, Qt::DashLine); // the image returns shifted by a/2
    return plotPen(QColor(kMaps.talbotQuarter), 1.0, Qt::DashLine);
}

} // namespace

void QuantumTalbotPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<SplitPanels> panels =
        beginSplitPage(painter, rect(), layout(), kPage,
                       recorder_ && !recorder_->samples().empty() && !recorder_->referenceRow().empty() &&
                           recorder_->nx() >= 2 && recorder_->dx() > 0.0f);
    if (!panels)
        return;
    const auto& [carpet, curve] = *panels;
    const std::vector<TalbotSample>& samples = recorder_->samples();
    const int columns = static_cast<int>(recorder_->nx());

    drawProfileCarpet(painter, samples, &TalbotSample::xMarginal, 0, columns, kCarpetRamp, carpet);

    const double t0 = samples.front().time;
    const double t1 = samples.back().time;
    const CarpetTimeAxes axes = carpetTimeAxes(carpet, curve, t0, t1);
    const QColor label(kRecorder.label);
    const NumberedAxis fractions = fractionAxis(curve, font(), label);
    drawValueLines(painter, curve, fractions, plotPen(QColor(kRecorder.carpetFrame)));
    // Up to three Talbot times.
    drawQuarterPeriodMarkers(painter, carpet, curve, axes, t0, t1,
                             QuantumTalbot2D::talbotTime(recorder_->state().period, mass_, hbar_), 12,
                             [](int k) { return std::pair(markerPen(k), markerPen(k)); });

    strokePath(painter,
               timeCurve(samples, axes.curveTime, axes.unit, clampedFraction(&TalbotSample::correlationOriginal)),
               plotPen(QColor(kCurves.carpet), 2.1));
    strokePath(painter,
               timeCurve(samples, axes.curveTime, axes.unit, clampedFraction(&TalbotSample::correlationShifted)),
               plotPen(QColor(kMaps.talbotShifted), 1.9));

    const double gridWidth = static_cast<double>(recorder_->nx()) * static_cast<double>(recorder_->dx());
    drawValueNumbers(painter, curve, fractions);
    drawAxisEndLabels(painter, carpet, QStringLiteral("x = %1").arg(-gridWidth / 2.0, 0, 'f', 2),
                      QStringLiteral("x = %1").arg(gridWidth / 2.0, 0, 'f', 2), QColor(kRecorder.label), 120.0, 2.0);
    drawSimulationTimeAxis(painter, curve, timeAxis(curve, t0, t1, font(), label), QColor(kRecorder.carpetFrame));

    // Between the x labels at the carpet's ends; a carpet beside its curves
    // is too narrow for that and takes the legend on the lines under them.
    const bool beside = sideBySide(*panels);
    drawLegendRow(painter, carpet.left(), carpet.bottom() + (beside ? 20.0 : 2.0),
                  beside ? carpet.right() : carpet.right() - 76.0,
                  {{QStringLiteral("cyan: original image"), kCurves.carpet, beside ? 0.0 : 140.0, 170.0},
                   {QStringLiteral("magenta: shifted by a/2"), kMaps.talbotShifted, beside ? 180.0 : 310.0, 230.0}});
}

} // namespace vxo
