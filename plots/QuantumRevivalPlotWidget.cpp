#include "plots/QuantumRevivalPlotWidget.h"

#include "experiments/RevivalRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

namespace {


// Dark blue through light blue to white at the row maximum.
const PowerRamp kCarpetRamp{{0.0, 1.0, 1.8}, {0.0, 1.0, 0.85}, {0.2, 1.2, 1.0}};

} // namespace

void QuantumRevivalPlotWidget::setRecorder(const RevivalRecorder* recorder, const RevivalBoxConfig& config, double mass,
                                           double hbar)
{
    mass_ = mass;
    hbar_ = hbar;
    RecordPlotWidget::setRecorder(recorder, config);
}

plot::SplitLayout QuantumRevivalPlotWidget::layout()
{
    plot::SplitLayout layout;
    layout.left = 64.0;
    layout.right = 24.0;
    layout.top = 30.0;
    layout.gap = 36.0;
    layout.bottom = 38.0;
    layout.share = 0.68;
    layout.minimumHeight = 80.0;
    layout.minimumWidth = 20.0;
    return layout;
}

void QuantumRevivalPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kRecorderBackground));

    const SplitPanels panels = splitPanels(size(), layout());
    const QRectF& carpet = panels.upper;
    const QRectF& curve = panels.lower;
    const QPen framePen = plotPen(QColor(kCarpetFrame));
    drawTitledPanels(
        painter, panels, framePen, QColor(kCarpetTitle),
        {QStringLiteral("Quantum carpet: x-marginal probability versus time"), 4.0, 20.0},
        {QStringLiteral("Wavefunction recurrence fidelity |<psi(0)|psi(t)>|^2"), carpet.bottom() + 8.0, 20.0});

    const ComplexField2D* initial = recorder_ ? &recorder_->initialState() : nullptr;
    if (!record_.valid || !recorder_ || recorder_->samples().empty() || initial->nx() < 2 ||
        !(initial->dx() > 0.0f)) {
        drawPanelPlaceholders(painter, panels, QColor(kCarpetPlaceholder),
                              QStringLiteral("Run the Wave-Packet Revivals preset to build the carpet"),
                              QStringLiteral("Four finite box walls are required"));
        return;
    }
    const std::vector<RevivalSample>& samples = recorder_->samples();

    const double xLeft = record_.interiorCenterX - record_.interiorWidth / 2.0;
    const double xRight = record_.interiorCenterX + record_.interiorWidth / 2.0;
    const CellRange columns = cellRange(xLeft, xRight, initial->dx(), initial->nx());
    const PowerRampTable ramp(kCarpetRamp);
    drawCarpet(painter,
               rowScaledCarpet(
                   static_cast<int>(samples.size()), static_cast<std::size_t>(columns.first), columns.count(), ramp,
                   [&](int r) -> const std::vector<float>& { return samples[static_cast<std::size_t>(r)].xMarginal; }),
               carpet);

    const double t0 = samples.front().time;
    const double t1 = samples.back().time;
    const AxisMap curveTime = horizontalAxis(curve, t0, t1, 1e-12);
    const AxisMap carpetTime = downwardAxis(carpet, t0, t1, 1e-12);
    const AxisMap unit = verticalAxis(curve, 0.0, 1.0, 1.0);
    drawInnerQuarterLines(painter, curve, framePen);

    const double revival = record_.revivalTimeX(mass_, hbar_);
    if (revival > 0.0) {
        for (int k = 1; k <= 4; ++k) {
            const double tk = k * 0.25 * revival;
            if (t0 <= tk && tk <= t1)
                drawTimeMarker(painter, carpet, carpetTime, plotPen(QColor(kCarpetTimeMarker), 1.0, Qt::DashLine),
                    curve, curveTime, plotPen(QColor(kCurveTimeMarker), 1.0, Qt::DashLine), tk);
        }
    }

    strokePath(painter, timeCurve(samples, curveTime, unit, clampedFraction(&RevivalSample::fidelity)),
               plotPen(QColor(kCarpetFidelity), 2.0));

    drawValueLabels(painter, curve, QStringLiteral("1.0"), QStringLiteral("0.0"), QColor(kCarpetLabel), 4.0, 54.0);
    drawAxisEndLabels(painter, carpet, QStringLiteral("x = %1").arg(xLeft, 0, 'f', 2),
                      QStringLiteral("x = %1").arg(xRight, 0, 'f', 2), QColor(kCarpetLabel), 100.0, 2.0);
    drawSimulationTimeAxis(painter, curve, t0, t1, QColor(kCarpetLabel), 90.0, 6.0);

    // Time runs down the carpet: the caption reads from bottom to top beside it.
    painter.save();
    painter.translate(14.0, carpet.center().y());
    painter.rotate(-90.0);
    drawCentredText(painter, QRectF(-carpet.height() / 2.0, -10.0, carpet.height(), 20.0), QStringLiteral("time ->"),
                    QColor(kCarpetLabel));
    painter.restore();
}

} // namespace vxo
