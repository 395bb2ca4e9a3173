#include "plots/QuantumRevivalPlotWidget.h"

#include "experiments/RevivalRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

namespace {

// Dark blue through light blue to white at the row maximum.
const PowerRamp kCarpetRamp{{0.0, 1.0, 1.8}, {0.0, 1.0, 0.85}, {0.2, 1.2, 1.0}};

// The lower title on the line under the carpet's x labels, so that a narrow
// page does not print it over them.
const SplitPage kPage{
    kCarpetPageLook,
    {"Quantum carpet: x-marginal probability versus time", 4.0, 20.0},
    {"Wavefunction recurrence fidelity |<psi(0)|psi(t)>|^2", 16.0, 20.0},
    {"Run the Wave-Packet Revivals preset to build the carpet", "Four finite box walls are required"}};

} // namespace

void QuantumRevivalPlotWidget::setRecorder(const RevivalRecorder* recorder, const RevivalBoxConfig& config, double mass,
                                           double hbar)
{
    mass_ = mass;
    hbar_ = hbar;
    RecordPlotWidget::setRecorder(recorder, config);
}

void QuantumRevivalPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ComplexField2D* initial = recorder_ ? &recorder_->initialState() : nullptr;
    const std::optional<SplitPanels> panels = beginSplitPage(
        painter, rect(), layout(), kPage,
        record_.valid && recorder_ && !recorder_->samples().empty() && initial->nx() >= 2 && initial->dx() > 0.0f);
    if (!panels)
        return;
    const auto& [carpet, curve] = *panels;
    const std::vector<RevivalSample>& samples = recorder_->samples();

    const double xLeft = record_.interiorCenterX - record_.interiorWidth / 2.0;
    const double xRight = record_.interiorCenterX + record_.interiorWidth / 2.0;
    const CellRange columns = cellRange(xLeft, xRight, initial->dx(), initial->nx());
    drawProfileCarpet(painter, samples, &RevivalSample::xMarginal, static_cast<std::size_t>(columns.first),
                      columns.count(), kCarpetRamp, carpet);

    const double t0 = samples.front().time;
    const double t1 = samples.back().time;
    const CarpetTimeAxes axes = carpetTimeAxes(carpet, curve, t0, t1);
    const QColor label(kRecorder.label);
    const NumberedAxis fractions = fractionAxis(curve, font(), label);
    drawValueLines(painter, curve, fractions, plotPen(QColor(kRecorder.carpetFrame)));
    // The quarter, half, three-quarter and full revivals.
    drawQuarterPeriodMarkers(painter, carpet, curve, axes, t0, t1, record_.revivalTimeX(mass_, hbar_), 4, [](int) {
        return std::pair(plotPen(QColor(kAxes.carpetTimeMarker), 1.0, Qt::DashLine),
                         plotPen(QColor(kAxes.curveTimeMarker), 1.0, Qt::DashLine));
    });

    strokePath(painter, timeCurve(samples, axes.curveTime, axes.unit, clampedFraction(&RevivalSample::fidelity)),
               plotPen(QColor(kCurves.carpetFidelity), 2.0));

    drawValueNumbers(painter, curve, fractions);
    drawAxisEndLabels(painter, carpet, QStringLiteral("x = %1").arg(xLeft, 0, 'f', 2),
                      QStringLiteral("x = %1").arg(xRight, 0, 'f', 2), QColor(kRecorder.label), 100.0, 2.0);
    drawSimulationTimeAxis(painter, curve, timeAxis(curve, t0, t1, font(), label), QColor(kRecorder.carpetFrame));

    // Time runs down the carpet: the caption reads from bottom to top beside it.
    painter.save();
    painter.translate(14.0, carpet.center().y());
    painter.rotate(-90.0);
    drawCentredText(painter, QRectF(-carpet.height() / 2.0, -10.0, carpet.height(), 20.0), QStringLiteral("time ->"),
                    QColor(kRecorder.label));
    painter.restore();
}

} // namespace vxo
