#include "plots/QuantumResonancePlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <cmath>

namespace vxo {

using namespace plot;

QuantumResonancePlotWidget::QuantumResonancePlotWidget(QWidget* parent)
    : PlotWidget(parent), xAxisLabel_(QStringLiteral("energy Ex"))
{
}

void QuantumResonancePlotWidget::setCurve(const std::vector<TransmissionPoint>& curve) { keep(curve_, curve); }

void QuantumResonancePlotWidget::setXAxisLabel(const QString& label) { keep(xAxisLabel_, label); }

void QuantumResonancePlotWidget::setMarkerPoint(double x, double transmission)
{
    markerX_ = x;
    markerT_ = transmission;
    markerValid_ = std::isfinite(x) && std::isfinite(transmission);
    update();
}

void QuantumResonancePlotWidget::setPacketTransmission(bool valid, double value)
{
    packetTransmission_ = value;
    packetValid_ = valid && std::isfinite(value);
    update();
}

void QuantumResonancePlotWidget::clear()
{
    curve_.clear();
    markerValid_ = false;
    packetValid_ = false;
    update();
}

plot::PanelLayout QuantumResonancePlotWidget::layout() { return numberedPanelLayout(); }

void QuantumResonancePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout());
    const QColor axisText(kSinglePanel.axisText);
    const NumberedAxis transmissions = fractionAxis(p, font(), axisText);
    const bool scanned = curve_.size() >= 2 && curve_.front().abscissa < curve_.back().abscissa;
    // The scanned energies or widths, numbered once there is a scan.
    const NumberedAxis abscissas =
        scanned ? NumberedAxis{horizontalAxis(p, curve_.front().abscissa, curve_.back().abscissa, 1e-30),
                               horizontalTicks(curve_.front().abscissa, curve_.back().abscissa, p.width(), font()),
                               axisText}
                : NumberedAxis{};
    drawHistoryGrid(painter, p, abscissas, transmissions);
    drawValueNumbers(painter, p, transmissions);

    if (curve_.size() < 2) {
        drawCentredText(painter, p, QStringLiteral("Build a two-barrier Potential Scene to enable resonance analysis"),
                        QColor(kSinglePanel.placeholder));
        return;
    }
    const double x0 = curve_.front().abscissa;
    const double x1 = curve_.back().abscissa;
    if (!(x0 < x1))
        return;

    const AxisMap& x = abscissas.map;
    const auto y = [&](double t) { return populationY(p, t); };
    strokePath(painter,
               polylineBridgingGaps(curve_.size(),
                                    [&](std::size_t i) -> std::optional<QPointF> {
                                        const TransmissionPoint& point = curve_[i];
                                        if (!std::isfinite(point.abscissa) || !std::isfinite(point.transmission))
                                            return std::nullopt;
                                        return QPointF(mapValue(x, point.abscissa), y(point.transmission));
                                    }),
               plotPen(QColor(kCurves.leading), 2.0));

    const QColor marker = QColor(kMarkers.resonance);
    if (markerValid_ && x0 <= markerX_ && markerX_ <= x1) {
        const double mx = mapValue(x, markerX_);
        drawVerticalLine(painter, plotPen(marker, 1.5, Qt::DashLine), mx, p.top(), p.bottom());
        drawDisc(painter, QPointF(mx, y(markerT_)), 4.0, marker);
    }
    if (packetValid_) {
        const double py = y(packetTransmission_);
        drawHorizontalLine(painter, plotPen(QColor(kStationary.packetTransmission), 1.5, Qt::DashLine), p.left(),
                           p.right(), py);
        drawTextBox(painter, QRectF(p.right() - 180, py - 19, 176, 18), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("packet P_T = %1").arg(packetTransmission_, 0, 'f', 4),
                    QColor(kStationary.packetTransmissionLabel));
    }

    drawPanelTitle(painter, p, QStringLiteral("Double-barrier stationary transmission T"));
    drawNumberedAxes(painter, p, x, abscissas.ticks, transmissions.map, AxisTicks{}, axisText, xAxisLabel_);
}

} // namespace vxo
