#include "plots/QuantumTalbotPlotWidget.h"

#include "experiments/QuantumTalbot2D.h"
#include "experiments/TalbotRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

namespace {


const PowerRamp kCarpetRamp{{0.0, 1.0, 1.55}, {0.0, 1.0, 0.72}, {0.18, 1.25, 0.9}};

// The pen of the k-th quarter-Talbot-time marker.
QPen markerPen(int k)
{
    if (k % 4 == 0)
        return plotPen(QColor(kTalbotWhole), 1.5, Qt::DashLine); // the image returns
    if (k % 2 == 0)
        return plotPen(QColor(kTalbotHalf), 1.0, Qt::DashLine); // the image returns shifted by a/2
    return plotPen(QColor(kTalbotQuarter), 1.0, Qt::DashLine);
}

} // namespace

plot::SplitLayout QuantumTalbotPlotWidget::layout()
{
    plot::SplitLayout layout;
    layout.left = 64.0;
    layout.right = 24.0;
    layout.top = 30.0;
    layout.gap = 36.0;
    layout.bottom = 38.0;
    layout.share = 0.68;
    layout.minimumHeight = 100.0;
    layout.minimumWidth = 30.0;
    return layout;
}

void QuantumTalbotPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kRecorderBackground));

    const SplitPanels panels = splitPanels(size(), layout());
    const QRectF& carpet = panels.upper;
    const QRectF& curve = panels.lower;
    const QPen framePen = plotPen(QColor(kCarpetFrame));
    // The x labels and the legend take the line under the carpet; the lower title sits on the line below it.
    drawTitledPanels(
        painter, panels, framePen, QColor(kCarpetTitle),
        {QStringLiteral("Talbot carpet: transverse x-marginal versus time"), 4.0, 20.0},
        {QStringLiteral("Self-image correlation: original / half-period shifted"), carpet.bottom() + 18.0, 18.0});

    if (!recorder_ || recorder_->samples().empty() || recorder_->referenceRow().empty() || recorder_->nx() < 2 ||
        !(recorder_->dx() > 0.0f)) {
        drawPanelPlaceholders(painter, panels, QColor(kCarpetPlaceholder),
                              QStringLiteral("Run the Quantum Talbot Self-Imaging preset"),
                              QStringLiteral("The initial transverse comb builds its own x-time carpet"));
        return;
    }
    const std::vector<TalbotSample>& samples = recorder_->samples();
    const int columns = static_cast<int>(recorder_->nx());

    const PowerRampTable ramp(kCarpetRamp);
    drawCarpet(painter,
               rowScaledCarpet(
                   static_cast<int>(samples.size()), 0, columns, ramp,
                   [&](int r) -> const std::vector<float>& { return samples[static_cast<std::size_t>(r)].xMarginal; }),
               carpet);

    const double t0 = samples.front().time;
    const double t1 = samples.back().time;
    const AxisMap curveTime = horizontalAxis(curve, t0, t1, 1e-12);
    const AxisMap carpetTime = downwardAxis(carpet, t0, t1, 1e-12);
    const AxisMap unit = verticalAxis(curve, 0.0, 1.0, 1.0);
    drawInnerQuarterLines(painter, curve, framePen);

    const double talbot = QuantumTalbot2D::talbotTime(recorder_->state().period, mass_, hbar_);
    if (talbot > 0.0) {
        for (int k = 1; k <= 12; ++k) {
            const double tk = k * 0.25 * talbot;
            if (t0 <= tk && tk <= t1)
                drawTimeMarker(painter, carpet, carpetTime, markerPen(k), curve, curveTime, markerPen(k), tk);
        }
    }

    strokePath(painter, timeCurve(samples, curveTime, unit, clampedFraction(&TalbotSample::correlationOriginal)),
               plotPen(QColor(kCarpetCurve), 2.1));
    strokePath(painter, timeCurve(samples, curveTime, unit, clampedFraction(&TalbotSample::correlationShifted)),
               plotPen(QColor(kTalbotShifted), 1.9));

    const double gridWidth = static_cast<double>(recorder_->nx()) * static_cast<double>(recorder_->dx());
    drawValueLabels(painter, curve, QStringLiteral("1.0"), QStringLiteral("0.0"), QColor(kCarpetLabel), 4.0, 54.0);
    drawAxisEndLabels(painter, carpet, QStringLiteral("x = %1").arg(-gridWidth / 2.0, 0, 'f', 2),
                      QStringLiteral("x = %1").arg(gridWidth / 2.0, 0, 'f', 2), QColor(kCarpetLabel), 120.0, 2.0);
    drawSimulationTimeAxis(painter, curve, t0, t1, QColor(kCarpetLabel), 90.0, 6.0);

    const double legendTop = carpet.bottom() + 2.0;
    drawTextBox(painter, QRectF(carpet.left() + 140.0, legendTop, 170.0, 20.0), Qt::AlignLeft,
                QStringLiteral("cyan: original image"), QColor(kCarpetCurve));
    drawTextBox(painter, QRectF(carpet.left() + 310.0, legendTop, 230.0, 20.0), Qt::AlignLeft,
                QStringLiteral("magenta: shifted by a/2"), QColor(kTalbotShifted));
}

} // namespace vxo
