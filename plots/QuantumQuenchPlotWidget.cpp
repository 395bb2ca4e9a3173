#include "plots/QuantumQuenchPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

void QuantumQuenchPlotWidget::setMarkerTime(double time) { keep(markerTime_, time); }

void QuantumQuenchPlotWidget::clear()
{
    samples_.clear();
    markerTime_ = -1.0;
    update();
}

// The right margin holds the energy's numbers, the bottom one the times over
// the legend.
plot::PanelLayout QuantumQuenchPlotWidget::layout() { return {QMarginsF(58.0, 26.0, 48.0, 46.0)}; }

void QuantumQuenchPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout());

    // Four time units past the quench show the response before the history does.
    const double tMax =
        historyTimes(samples_, nullptr, &ObservableSample::time, markerTime_ > 0.0 ? markerTime_ + 4.0 : 1.0).end;
    const AxisMap x = horizontalAxis(p, 0.0, tMax, 0.0);

    FiniteExtent widths;
    FiniteExtent energies;
    for (const ObservableSample& s : samples_) {
        extendFinite(widths, s.sigmaX);
        extendFinite(energies, s.totalEnergy);
    }
    double sMin = widths.minimum;
    double sMax = widths.maximum;
    if (!(sMax > sMin)) {
        sMin = 0.0;
        sMax = std::max(sMax, 1.0);
    }
    const double sSpan = std::max(sMax - sMin, 1e-6);
    const double widthLow = std::max(sMin - 0.1 * sSpan, 0.0);
    const AxisMap widthScale = verticalAxis(p, widthLow, sMax + 0.1 * sSpan, 0.0);

    double hMin = energies.count > 0 ? energies.minimum : 0.0;
    double hMax = energies.count > 0 ? energies.maximum : 0.0;
    if (!(hMax > hMin)) {
        hMin -= 0.5;
        hMax += 0.5;
    }
    const double hSpan = std::max(hMax - hMin, 1e-6);
    const AxisMap energyScale = verticalAxis(p, hMin - 0.1 * hSpan, hMax + 0.1 * hSpan, 0.0);

    // Each scale's numbers only beside its curve.
    const NumberedAxis timeNumbers{x, horizontalTicks(0.0, tMax, p.width(), font()), QColor(kSinglePanel.axisText)};
    const NumberedAxis widthNumbers{
        widthScale, widths.count > 0 ? verticalTicks(widthLow, sMax + 0.1 * sSpan, p.height(), font()) : AxisTicks{},
        QColor(kCurves.leading)};
    const NumberedAxis energyNumbers{
        energyScale,
        energies.count > 0 ? verticalTicks(hMin - 0.1 * hSpan, hMax + 0.1 * hSpan, p.height(), font()) : AxisTicks{},
        QColor(kCurves.energy)};
    drawHistoryGrid(painter, p, timeNumbers, widthNumbers);

    const QColor marker = QColor(kMarkers.quench);
    if (markerTime_ >= 0.0 && markerTime_ <= tMax) {
        const double mx = mapValue(x, markerTime_);
        drawVerticalLine(painter, plotPen(marker, 1.5, Qt::DashLine), mx, p.top(), p.bottom());
    }

    const bool measured =
        drawHistoryCurves(painter, samples_, nullptr, &ObservableSample::time, x, p,
                          {{&ObservableSample::sigmaX, plotPen(QColor(kCurves.leading), 2.2), widthScale},
                           {&ObservableSample::totalEnergy, plotPen(QColor(kCurves.energy), 1.8), energyScale}},
                          QString());
    if (!measured)
        drawCentredText(painter, p, QStringLiteral("Load Quantum Quench and press Play"),
                        QColor(kSinglePanel.placeholder));
    if (markerTime_ >= 0.0 && markerTime_ <= tMax) {
        // Over the curves on a patch; left of the line while the quench is
        // too recent for the label to fit after it.
        const double mx = mapValue(x, markerTime_);
        const QString label = QStringLiteral("quench");
        const bool after = mx + 4 + QFontMetricsF(painter.font()).horizontalAdvance(label) <= p.right();
        drawTextOnPatch(painter, QRectF(after ? mx + 4 : mx - 84, p.top() + 2, 80, 18),
                        after ? Qt::AlignLeft : Qt::AlignRight, label, marker, QColor(kSinglePanel.background));
    }

    drawPanelTitle(painter, p, QStringLiteral("Quantum quench: width and total energy"));
    drawHistoryLegend(painter, p,
                      {{QStringLiteral("sigmaX"), kCurves.leading}, {QStringLiteral("<H>"), kCurves.energy}},
                      timeNumbers, widthNumbers, energyNumbers);
}

} // namespace vxo
