#include "plots/QuantumTimeSeriesPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// One observable: its label, the field it reads, the flag that must be set
// for a sample to count (none: always), whether it is a probability, and for
// a centre of the packet its width along the same axis (none otherwise).
struct ObservableRow {
    const char* label;
    double ObservableSample::*field;
    bool ObservableSample::*validity;
    bool probability;
    double ObservableSample::*width = nullptr;
};

const std::array<ObservableRow, 14> kObservables{{
    {"<x>", &ObservableSample::meanX, nullptr, false, &ObservableSample::sigmaX},
    {"<y>", &ObservableSample::meanY, nullptr, false, &ObservableSample::sigmaY},
    {"sigma x", &ObservableSample::sigmaX, nullptr, false},
    {"sigma y", &ObservableSample::sigmaY, nullptr, false},
    {"norm", &ObservableSample::norm, nullptr, true},
    {"absorbed P", &ObservableSample::absorbedProbability, nullptr, true},
    {"P_R", &ObservableSample::reflectedProbability, &ObservableSample::scatteringValid, true},
    {"P_T", &ObservableSample::transmittedProbability, &ObservableSample::scatteringValid, true},
    {"<T>", &ObservableSample::kineticEnergy, nullptr, false},
    {"<V>", &ObservableSample::potentialEnergy, nullptr, false},
    {"<H>", &ObservableSample::totalEnergy, nullptr, false},
    {"energy drift (%)", &ObservableSample::energyDriftPercent, nullptr, false},
    {"P_left well", &ObservableSample::leftWellProbability, &ObservableSample::doubleWellValid, true},
    {"P_right well", &ObservableSample::rightWellProbability, &ObservableSample::doubleWellValid, true},
}};

const ObservableRow& rowOf(int observable)
{
    const bool inTable = observable >= 0 && observable < static_cast<int>(kObservables.size());
    return kObservables[inTable ? static_cast<std::size_t>(observable) : 0];
}

const QColor kCurveColour = QColor(kCurves.leading);

} // namespace

QuantumTimeSeriesPlotWidget::QuantumTimeSeriesPlotWidget(QWidget* parent) : HistoryPlotWidget(parent) {}

void QuantumTimeSeriesPlotWidget::setObservable(int observable) { keep(observable_, observable); }

QString QuantumTimeSeriesPlotWidget::observableLabel() const { return QString::fromLatin1(rowOf(observable_).label); }

bool QuantumTimeSeriesPlotWidget::sampleValue(const ObservableSample& sample, double& value) const
{
    const ObservableRow& row = rowOf(observable_);
    if (row.validity != nullptr && !(sample.*row.validity))
        return false;
    value = sample.*row.field;
    return true;
}

PanelLayout QuantumTimeSeriesPlotWidget::layout() { return numberedPanelLayout(); }

double QuantumTimeSeriesPlotWidget::narrowestWidth() const
{
    const ObservableRow& row = rowOf(observable_);
    if (row.width == nullptr)
        return 0.0;
    double narrowest = 0.0;
    for (const ObservableSample& sample : samples_) {
        const double width = sample.*row.width;
        if (std::isfinite(width) && width > 0.0 && (narrowest == 0.0 || width < narrowest))
            narrowest = width;
    }
    return narrowest;
}

void QuantumTimeSeriesPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF panel = beginPanelPage(painter, rect(), layout());
    const auto placeholder = [&](const QString& text) {
        drawGridAndFrame(painter, panel);
        if (!text.isEmpty())
            drawCentredText(painter, panel, text, QColor(kSinglePanel.placeholder));
    };

    if (samples_.size() < 2) {
        placeholder(QStringLiteral("Run the simulation to build time history"));
        return;
    }
    const double t0 = samples_.front().time;
    const double t1 = samples_.back().time;
    if (!(t1 > t0)) {
        placeholder(QString());
        return;
    }

    FiniteExtent extent;
    for (const ObservableSample& sample : samples_) {
        double value = 0.0;
        if (sampleValue(sample, value))
            extendFinite(extent, value);
    }
    if (extent.count < 2) {
        placeholder(QStringLiteral("No data for this observable in the current experiment"));
        return;
    }

    double lo = 0.0;
    double hi = 1.0;
    if (rowOf(observable_).probability) {
        hi = std::max(extent.maximum, 1.0);
    } else {
        lo = std::min(extent.minimum, 0.0);
        hi = std::max(extent.maximum, 0.0);
        // A centre that moves by rounding alone would fill the axis with its
        // noise: the axis spans at least the packet's narrowest width on
        // either side, the distance over which a move of the centre shows
        // in the density at all.
        const double width = narrowestWidth();
        if (hi - lo < 2.0 * width) {
            const double middle = 0.5 * (lo + hi);
            lo = middle - width;
            hi = middle + width;
        }
        const double pad = hi > lo ? 0.05 * (hi - lo) : 0.5 * std::max(std::abs(hi), 1.0);
        lo -= pad;
        hi += pad;
    }
    const CurveAxes axes = drawCurveGrid(painter, panel, t0, t1, lo, hi, font());
    const AxisMap& x = axes.x.map;
    const AxisMap& y = axes.y.map;
    // A sample without a value, or with one that is not finite, ends the piece.
    const QPainterPath curve = polylineBreakingAtGaps(samples_.size(), [&](std::size_t i) -> std::optional<QPointF> {
        double value = 0.0;
        if (!sampleValue(samples_[i], value))
            return std::nullopt;
        return QPointF(mapValue(x, samples_[i].time), mapValue(y, value));
    });
    // A probability a little below 0 (rounding) or a value the range leaves
    // out stays in the panel instead of striking through the axis texts.
    painter.save();
    painter.setClipRect(panel.adjusted(-1.0, -1.0, 1.0, 1.0));
    strokePath(painter, curve, plotPen(kCurveColour, 2.0));
    painter.restore();

    drawPanelTitle(painter, panel, QStringLiteral("%1 versus simulation time").arg(observableLabel()));
    drawNumberedAxes(painter, panel, axes, QStringLiteral("simulation time"));
}

} // namespace vxo
