#include "plots/QuantumZitterbewegungPlotWidget.h"

#include "experiments/DiracZitterbewegungRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {
const char* const kPositionCaption = "cyan: <x(t)>   yellow: linear-detrended x(t) (magnified)";
const char* const kVelocityCaption = "green: <v_x>=c<sigma_x>   violet dashed: fitted secular drift";
} // namespace

StackedLayout QuantumZitterbewegungPlotWidget::layout(const QFont& font, int width)
{
    // Taller caption bands than the gauge pages', the summary on a taller
    // line.
    // The times under the lower panel over its caption (and beside it under the upper one too).
    StackedLayout layout{
        QMargins(64, 42, 18, 220 + kTimesRow), QSize(150, 150), 30, 58 + kTimesRow, 115, {{3, 21}, {3, 21}, 24}};
    // Side by side, the band under the panels holds the captions on the
    // lines their panels' width gives them (four on the narrowest page)
    // instead of the stacked page's one-line band.
    const SplitLayout form = splitForm(layout);
    const double panelWidth = atLeast(width / 2.0 - form.left - form.right, form.minimumWidth);
    const double captions = std::max(wrappedTextHeight(font, panelWidth, QString::fromLatin1(kPositionCaption)),
                                     wrappedTextHeight(font, panelWidth, QString::fromLatin1(kVelocityCaption)));
    layout.sideBySideBottom =
        layout.lowerMargin - layout.gap - layout.texts.lowerCaption.height + static_cast<int>(std::ceil(captions));
    // Its summary label carries every figure of the band over the panels.
    layout.leastSideBySidePanel = kShortPagePanel;
    return layout;
}

void QuantumZitterbewegungPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!beginPage(painter, kZitterbewegungPage,
                   "Zitterbewegung - free Dirac packet: drift plus interference trembling",
                   "Load Zitterbewegung / Dirac Wave Packet and press Play"))
        return;
    const std::vector<ZitterbewegungSample>& samples = recorder_->samples();
    const ZitterbewegungConfig& config = recorder_->config();

    const StackedLayout shape = layout(font(), width());
    const StackedPanels panels =
        drawStackedPanels(painter, size(), shape, QColor(kInnerPanel.scanFrame), QColor(kInnerPanel.fill));
    const QRect& pos = panels.upper;
    const QRect& vel = panels.lower;

    // The trembling is magnified to the largest residual the recorder read:
    // past the box's validity that of the samples before the wrap, so a
    // wrapped centroid runs off the panel instead of flattening the trembling.
    double xMin = samples.front().meanX;
    double xMax = xMin;
    double velocityMax = 1e-6;
    for (const ZitterbewegungSample& s : samples) {
        xMin = s.meanX < xMin ? s.meanX : xMin;
        xMax = s.meanX > xMax ? s.meanX : xMax;
        velocityMax = std::abs(s.velocityX) > velocityMax ? std::abs(s.velocityX) : velocityMax;
    }
    const double residualMax = atLeast(recorder_->maxAbsDetrendedX(), 1e-6);
    const double pad = atLeast(0.08 * (xMax - xMin + 1e-9), 0.2);
    const QString residualName = recorder_->pastValidity()
                                     ? QString("max |residual x| (t<=%1)")
                                           .arg(QString::number(atLeast(recorder_->readingEndTime(), 0.0), 'f', 2))
                                     : QString("max |residual x|");
    const QString summary =
        QString("%1   P+=%2   P-=%3   omega_ZB=%4   %5=%6")
            .arg(config.preparationMode == ZitterbewegungConfig::kMixedBranches ? "mixed +/- energy"
                                                                                : "positive-energy control",
                 QString::number(recorder_->positiveEnergyWeight(), 'f', 6),
                 QString::number(recorder_->negativeEnergyWeight(), 'f', 6),
                 QString::number(QuantumZitterbewegung2D::angularFrequency(config, recorder_->hbar()), 'f', 4),
                 residualName, QString::number(recorder_->maxAbsDetrendedX(), 'f', 4));
    // The position's traces under the summary inside the panel's top:
    // upwards from the panel's last pixel row (QRect's bottom).
    const double top = stackedSummaryBottom(panels, pos, shape.texts, font(), summary);
    const QRect traces(pos.left(), static_cast<int>(std::ceil(top)), pos.width(),
                       std::max(pos.bottom() - static_cast<int>(std::ceil(top)) + 1, 1));
    const double lo = xMin - pad;
    const double hi = xMax + pad;
    const AxisMap xAxis{double(traces.bottom()), -double(traces.height()), lo, atLeast(hi - lo, 1e-12)};
    // One time span in both panels, each along its own width (side by side they do not share an x).
    const double tEnd = timeAxisEnd(config.analysisEndTime, samples.back().time);
    const AxisMap tAxis = horizontalAxis(QRectF(pos), 0.0, tEnd, 1e-12);
    const AxisMap velTime = horizontalAxis(QRectF(vel), 0.0, tEnd, 1e-12);

    // Both oscillating traces are centred and magnified so that their largest
    // excursion reaches 0.45 / 1.15 of the panel's height: a value v stands
    // at the centre row less 0.45 h v / (1.15 largest).
    const auto magnified = [](const QRect& panel, double largest) {
        return AxisMap{double(panel.center().y()), -0.45 * panel.height(), 0.0, 1.15 * largest};
    };
    const AxisMap trembling = magnified(traces, residualMax);
    const AxisMap velocity = magnified(vel, velocityMax);
    strokePath(painter, timeCurve(samples, tAxis, xAxis, [](const ZitterbewegungSample& s) { return s.meanX; }),
               plotPen(QColor(kDirac.zitterbewegungMean), 2.1));
    painter.save();
    painter.setClipRect(traces);
    strokePath(painter,
               timeCurve(samples, tAxis, trembling, [](const ZitterbewegungSample& s) { return s.detrendedX; }),
               plotPen(QColor(kDirac.trembling), 1.9));
    painter.restore();
    drawHorizontalLine(painter, plotPen(QColor(kAxes.zitterbewegungZero), 1.0, Qt::DashLine), pos.left(), pos.right(),
                       traces.center().y());

    strokePath(painter,
               timeCurve(samples, velTime, velocity, [](const ZitterbewegungSample& s) { return s.velocityX; }),
               plotPen(QColor(kDirac.velocity), 2.1));
    drawHorizontalLine(painter, plotPen(QColor(kDirac.drift), 1.2, Qt::DashLine), vel.left(), vel.right(),
                       mapValue(velocity, recorder_->fittedDriftVelocityX()));

    // The centre's numbers in its colour; the times under the lower panel,
    // and under the upper one too beside it.
    const QColor caption(kInnerPanel.zitterbewegungCaption);
    const QColor frame(kInnerPanel.scanFrame);
    drawValueNumbers(
        painter, QRectF(pos),
        NumberedAxis{xAxis, verticalTicks(lo, hi, traces.height(), font()), QColor(kDirac.zitterbewegungMean)});
    // The velocity's numbers in its colour, on its magnified scale, over the
    // values its panel's top and bottom rows stand for.
    const double velocityEdge = 0.5 * vel.height() * velocity.valueSpan / (-velocity.pixelSpan);
    drawValueNumbers(painter, QRectF(vel),
                     NumberedAxis{velocity, verticalTicks(-velocityEdge, velocityEdge, vel.height(), font()),
                                  QColor(kDirac.velocity)});
    drawTickedAxisNumbers(painter, QRectF(vel), velTime, caption, frame, 3.0);
    if (sideBySide(panels))
        drawTickedAxisNumbers(painter, QRectF(pos), tAxis, caption, frame, 3.0);
    drawStackedTexts(painter, panels, withTimesUnder(shape.texts, panels, font(), true), kPositionCaption,
                     kVelocityCaption, summary, QColor(kInnerPanel.zitterbewegungCaption),
                     QColor(kInnerPanel.scanSummary), QColor(kInnerPanel.fill));
}

} // namespace vxo
