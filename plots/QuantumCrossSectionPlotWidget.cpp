#include "plots/QuantumCrossSectionPlotWidget.h"

#include "core/Numeric.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <cmath>

namespace vxo {

using namespace plot;

namespace {

const QColor kCurveColour = QColor(kCurves.crossSection);

} // namespace

QuantumCrossSectionPlotWidget::QuantumCrossSectionPlotWidget(QWidget* parent) : PlotWidget(parent) {}

void QuantumCrossSectionPlotWidget::setSection(const CrossSectionProfile& section) { keep(section_, section); }

void QuantumCrossSectionPlotWidget::setDisplayMode(int mode) { keep(displayMode_, mode); }

void QuantumCrossSectionPlotWidget::setMomentumSpace(bool momentumSpace)
{
    if (momentumSpace_ == momentumSpace)
        return;
    momentumSpace_ = momentumSpace;
    update();
}

const std::vector<double>& QuantumCrossSectionPlotWidget::curveValues() const
{
    switch (displayMode_) {
    case 1:
        return section_.real;
    case 2:
        return section_.imaginary;
    case 3:
        return section_.phase;
    default:
        return section_.density;
    }
}

void QuantumCrossSectionPlotWidget::valueRange(double& lo, double& hi) const
{
    const std::vector<double>& values = curveValues();
    if (values.empty()) {
        lo = 0.0;
        hi = 1.0;
        return;
    }
    if (displayMode_ == 3) {
        lo = -kPi;
        hi = kPi;
        return;
    }
    FiniteExtent extent;
    for (const double v : values)
        extendFinite(extent, v);
    // A section without a single finite value is ranged like one of zeros.
    lo = extent.count > 0 ? extent.minimum : 0.0;
    hi = extent.count > 0 ? extent.maximum : 0.0;
    if (displayMode_ == 1 || displayMode_ == 2) {
        lo = std::min(lo, 0.0);
        hi = std::max(hi, 0.0);
    } else {
        lo = 0.0;
    }
    if (!(hi > lo)) {
        const double pad = 0.5 * std::max(std::abs(hi), 1.0);
        lo -= pad;
        hi += pad;
    }
}

PanelLayout QuantumCrossSectionPlotWidget::layout() { return numberedPanelLayout(); }

void QuantumCrossSectionPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF panel = beginPanelPage(painter, rect(), layout());

    const std::vector<double>& coordinates = section_.coordinate;
    const std::vector<double>& values = curveValues();
    if (coordinates.empty() || values.size() != coordinates.size() || values.size() < 2) {
        drawGridAndFrame(painter, panel);
        if (coordinates.empty())
            drawCentredText(painter, panel, QStringLiteral("No cross-section data"), QColor(kSinglePanel.placeholder));
        return;
    }

    const double xmin = coordinates.front();
    const double xmax = coordinates.back();
    double lo = 0.0;
    double hi = 1.0;
    valueRange(lo, hi);
    const CurveAxes axes = drawCurveGrid(painter, panel, xmin, xmax, lo, hi, font());
    const AxisMap& x = axes.x.map;
    const AxisMap& y = axes.y.map;
    const QPainterPath curve = polylineBridgingGaps(
        values.size(), [&](std::size_t i) { return QPointF(mapValue(x, coordinates[i]), mapValue(y, values[i])); });
    strokePath(painter, curve, plotPen(kCurveColour, 2.0));

    QString label;
    switch (displayMode_) {
    case 1:
        label = QStringLiteral("Re(psi)");
        break;
    case 2:
        label = QStringLiteral("Im(psi)");
        break;
    case 3:
        label = QStringLiteral("phase / rad");
        break;
    default:
        label = momentumSpace_ ? QStringLiteral("|psi_tilde|^2") : QStringLiteral("|psi|^2");
        break;
    }
    drawPanelTitle(painter, panel,
                   QStringLiteral("%1   section=%2").arg(label, QString::number(section_.snappedCoordinate, 'f', 3)));
    const bool alongX = section_.axis == 0;
    const QString caption = momentumSpace_ ? (alongX ? QStringLiteral("p_x") : QStringLiteral("p_y"))
                                           : (alongX ? QStringLiteral("x") : QStringLiteral("y"));
    drawNumberedAxes(painter, panel, axes, caption);
}

} // namespace vxo
