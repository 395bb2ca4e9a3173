#include "plots/QuantumKapitzaDiracPlotWidget.h"

#include "experiments/KapitzaDiracRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// Navy through blue and cyan to pale yellow.
constexpr std::array<RampSegment, 3> kMomentumRamp{{
    {0.0, 0.35, {7, 12, 28}, {16, 75, 150}},
    {0.35, 0.37, {23, 87, 178}, {28, 145, 58}},
    {0.72, 0.28, {51, 232, 236}, {204, 23, -92}},
}};

const QString kCarpetCaption = QStringLiteral("p_x   -   gold guides: n G,   G=2 pi hbar / a");

// The band under the bars: the order numbers 3 px under them, their caption
// under those.
constexpr double kOrdersBand = 44.0;
// The caption's gap under the carpet.
constexpr double kCaptionGap = 4.0;

} // namespace

SplitLayout QuantumKapitzaDiracPlotWidget::layout(const QFont& font, int width)
{
    const SplitLayout stacked = SplitLayout{}
                                    .withLeft(62.0)
                                    .withRight(18.0)
                                    .withTop(40.0)
                                    .withGap(37.0)
                                    .withBottom(kOrdersBand)
                                    .withShare(2.0 / 3.0)
                                    .withMinimumHeight(240.0)
                                    .withMinimumWidth(20.0)
                                    .withSideBySidePanelWidth(160.0);
    const double panel = width / 2.0 - stacked.left - stacked.right;
    return stacked.withSideBySideBottom(
        std::max(kOrdersBand, kCaptionGap + wrappedTextHeight(font, panel, kCarpetCaption) + 2.0));
}

std::optional<SplitLayout> QuantumKapitzaDiracPlotWidget::splitLayoutAt(int width) const
{
    return layout(boldTitleFont(font()), width);
}

void QuantumKapitzaDiracPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!beginPage(painter, kKapitzaDiracPage, "Kapitza-Dirac diffraction - momentum orders from a light grating",
                   "Load Kapitza-Dirac Diffraction and press Play"))
        return;
    // The bold title font stays for every text but the placeholder.
    painter.setFont(boldTitleFont(font()));
    const std::vector<KapitzaDiracSample>& samples = recorder_->samples();
    const KapitzaDiracSample& last = samples.back();
    const KapitzaDiracConfig& config = recorder_->config();

    const SplitPanels panels = splitPanels(size(), layout(painter.font(), width()));
    const QRect carpet = pixelPanel(panels.upper);
    const QRect bars = pixelPanel(panels.lower);
    const QPen framePen = plotPen(QColor(kInnerPanel.kapitzaDiracFrame));
    drawFilledFrame(painter, carpet, framePen, QColor(kInnerPanel.diffractionFill));
    drawFilledFrame(painter, bars, framePen, QColor(kInnerPanel.diffractionFill));

    double pMax = 1e-12;
    for (const KapitzaDiracSample& s : samples)
        for (const float v : s.distribution)
            pMax = v > pMax ? v : pMax;
    const std::size_t bins = last.distribution.size();
    const double p0 = last.pxOrigin;
    const double p1 = p0 + (static_cast<double>(bins) - 1.0) * last.dpx;

    if (bins != 0) {
        // Every row is laid out on the newest sample's bins: an older sample
        // with more bins is cut at the carpet's right edge.
        const std::vector<int> columns = pixelCells(equalCellSpans(carpet.width(), bins), carpet.width());
        const std::vector<int> rows = pixelCells(equalCellSpans(carpet.height(), samples.size()), carpet.height());
        drawCellCarpet(painter, carpet.left(), carpet.top(), columns, rows, kInnerPanel.diffractionFill,
                       [&](int c, int r) {
                           return profileCellColour(samples[static_cast<std::size_t>(r)].distribution, c, pMax,
                                                    kMomentumRamp, kInnerPanel.diffractionFill);
                       });

        // A guide stands over the middle of its bin's column.
        const AxisMap pAxis = columnCentresAxis(QRectF(carpet), p0, p1, last.dpx, 1e-12);
        const QPen guidePen = plotPen(QColor::fromRgba(kOverlays.kapitzaDiracGuide), 1.0, Qt::DashLine);
        for (int n = -config.maximumOrder; n <= config.maximumOrder; ++n) {
            const double p = n * last.gratingMomentum;
            if (p0 <= p && p <= p1)
                drawVerticalLine(painter, guidePen, mapValue(pAxis, p), carpet.top(), carpet.bottom());
        }
        drawPanelCaption(painter, carpet, static_cast<int>(kCaptionGap), 20, kCarpetCaption,
                         QColor(kInnerPanel.diffractionTexts));
        const int rightMiddle = Qt::AlignRight | Qt::AlignVCenter;
        const int labels = carpet.left() - 58;
        drawTextBox(painter, QRect(labels, carpet.top(), 52, 20), rightMiddle, "t=0",
                    QColor(kInnerPanel.diffractionTexts));
        drawTextBox(painter, QRect(labels, carpet.bottom() - 20, 52, 20), rightMiddle,
                    QString::number(last.time, 'f', 2), QColor(kInnerPanel.diffractionTexts));
    }

    QString phase = "free expansion";
    if (last.pulseActive)
        phase = "LIGHT PULSE ON";
    else if (last.time < config.pulseStartTime + config.pulseDuration)
        phase = "before pulse";
    const QString status =
        QString("%1   samples=%2   t=%3   G=%4   pulse area beta=%5")
            .arg(phase, QString::number(samples.size()), QString::number(last.time, 'f', 3),
                 QString::number(last.gratingMomentum, 'f', 4),
                 QString::number(QuantumKapitzaDirac2D::pulseArea(config, recorder_->hbar()), 'f', 3));
    // A status line wider than the panel wraps between its fields, and the
    // tallest bar stands under it (30 px under the panel's top under one line).
    const QRectF statusBox =
        drawPanelSummary(painter, bars, 20, breakBetweenFields(painter.font(), bars.width() - 16, status),
                         QColor(kInnerPanel.diffractionSummary), QColor(kInnerPanel.diffractionFill));
    const double barsTop = std::max(bars.top() + 30.0, statusBox.bottom() + 5.0);

    const std::vector<double>& populations = last.orderPopulations;
    if (!populations.empty()) {
        double qMax = 1e-12;
        for (const double q : populations)
            qMax = q > qMax ? q : qMax;
        // The populations numbered at round values beside the bars, each
        // with a line across them: a population q stands (bottom - barsTop)
        // * q / qMax above the bars' baseline.
        const double reach = bars.top() + bars.height() - barsTop;
        const NumberedAxis scale{AxisMap{static_cast<double>(bars.bottom()), -reach, 0.0, qMax},
                                 verticalTicks(0.0, qMax, reach, painter.font()), QColor(kInnerPanel.diffractionTexts)};
        drawValueLines(painter, QRectF(bars), scale, plotPen(QColor(kInnerPanel.kapitzaDiracFrame)));
        drawValueNumbers(painter, QRectF(bars), scale);
        const double slot = bars.width() / static_cast<double>(populations.size());
        for (std::size_t k = 0; k < populations.size(); ++k) {
            const double h = (bars.top() + bars.height() - barsTop) * populations[k] / qMax;
            const double left = bars.left() + k * slot;
            if (std::isfinite(h))
                painter.fillRect(QRectF(left + 0.12 * slot, bars.bottom() - h, 0.76 * slot, h),
                                 QColor(kDiffraction.kapitzaDiracBars));
            drawTextBox(painter, QRectF(left, bars.bottom() + 3, slot, 20), Qt::AlignCenter,
                        QString::number(static_cast<long long>(k) - config.maximumOrder),
                        QColor(kInnerPanel.kapitzaDiracOrders));
        }
        drawTextBox(painter, QRect(bars.left(), bars.bottom() + 22, bars.width(), 20), Qt::AlignCenter,
                    "diffraction order n", QColor(kInnerPanel.diffractionTexts));
    }
}

} // namespace vxo
