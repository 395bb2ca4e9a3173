#include "plots/QuantumAharonovBohmPlotWidget.h"

#include "experiments/AharonovBohmRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// Dark blue through blue to warm yellow.
constexpr std::array<RampSegment, 2> kFringeRamp{{
    {0.0, 0.5, {8, 12, 30}, {20, 90, 180}},
    {0.5, 0.5, {28, 102, 210}, {227, 130, -80}},
}};

} // namespace

namespace {
const char* const kCarpetCaption = "time  -  detector density profile rho(xd,y,t)";
const char* const kFringeCaption = "time  -  central fringe intensity";
// Under the carpet its caption; under the fringe its times, then its caption.
constexpr int kCarpetCaptionGap = 4;
constexpr int kTimesGap = 3;
constexpr int kFringeCaptionGap = 4;
} // namespace

StackedLayout QuantumAharonovBohmPlotWidget::layout()
{
    // The fringe's times under it over its caption.
    StackedLayout layout{QMargins(64, 40, 18, 192 + kTimesRow), QSize(10, 100), 34, 62 + kTimesRow, 90};
    layout.sideBySideBottom += kTimesRow;
    return layout;
}

StackedLayout QuantumAharonovBohmPlotWidget::layout(const QFont& font, int width)
{
    const int times = kTimesGap + static_cast<int>(std::ceil(QFontMetricsF(font).height())) + kFringeCaptionGap;
    return withCaptionsUnder(layout(), font, width, {kCarpetCaption, kCarpetCaptionGap}, {kFringeCaption, times});
}

void QuantumAharonovBohmPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<StackedPanels> panels =
        beginGaugePage(painter, rect(), font(), "Aharonov-Bohm - detector interference vs enclosed flux", hasSamples(),
                       "Load Aharonov-Bohm Effect / Magnetic Flux and press Play", layout(font(), width()));
    if (!panels)
        return;
    const QRect& carpet = panels->upper;
    const QRect& curve = panels->lower;
    const std::vector<AharonovBohmSample>& samples = recorder_->samples();
    const AharonovBohmSample& last = samples.back();
    const AharonovBohmConfig& config = recorder_->config();

    double densityMax = 1e-15;
    double centralMax = 1e-15;
    for (const AharonovBohmSample& s : samples) {
        for (const float v : s.profile)
            densityMax = v > densityMax ? v : densityMax;
        centralMax = s.centralProbability > centralMax ? s.centralProbability : centralMax;
    }

    const std::size_t rowCount = static_cast<std::size_t>(recorder_->rows());
    if (rowCount != 0) {
        // Row 0, the lowest y, at the bottom: the rows are laid out from the
        // bottom edge upwards, one pixel above the top edge included.
        std::vector<CellSpan> rowSpans(rowCount);
        const int base = carpet.bottom() - carpet.height();
        for (std::size_t j = 0; j < rowCount; ++j) {
            const CellSpan span = reversedCellSpan(carpet.bottom(), carpet.height(), j, rowCount);
            rowSpans[j] = CellSpan{span.start - base, span.length};
        }
        const std::vector<int> columns = pixelCells(equalCellSpans(carpet.width(), samples.size()), carpet.width());
        const std::vector<int> rows = pixelCells(rowSpans, carpet.height());
        drawCellCarpet(painter, carpet.left(), base, columns, rows, kInnerPanel.fill, [&](int i, int j) {
            return profileCellColour(samples[static_cast<std::size_t>(i)].profile, j, densityMax, kFringeRamp,
                                     kInnerPanel.fill);
        });
    }

    const QString summary =
        QString("Phi/Phi0=%1   AB phase=%2 deg   center now=%3   line now=%4   norm=%5")
            .arg(QString::number(config.fluxQuanta, 'f', 3), QString::number(360.0 * config.fluxQuanta, 'f', 1),
                 QString::number(last.centralProbability, 'g', 5), QString::number(last.detectorProbability, 'g', 5),
                 QString::number(last.norm, 'f', 6));
    // The fringe's largest intensity stands under the summary inside the
    // panel's top (stacked panels), where the curve can be read, in the upper
    // half of the panel at most.
    const double peakRow = std::min(stackedSummaryBottom(*panels, curve, layout().texts, font(), summary),
                                    curve.top() + 0.5 * curve.height());
    const AxisMap tAxis = horizontalAxis(QRectF(curve), 0.0, timeAxisEnd(config.analysisEndTime, last.time), 1e-12);
    strokePath(painter,
               timeCurve(samples, tAxis,
                         [&](const AharonovBohmSample& s) {
                             return curve.bottom() - (curve.bottom() - peakRow) * s.centralProbability / centralMax;
                         }),
               plotPen(QColor(kGauge.trajectory), 2.0));

    const int rightMiddle = Qt::AlignRight | Qt::AlignVCenter;
    drawTextBox(painter, QRect(4, carpet.top(), 54, 20), rightMiddle, "+y", QColor(kInnerPanel.gaugeCaption));
    drawTextBox(painter, QRect(4, carpet.bottom() - 20, 54, 20), rightMiddle, "-y", QColor(kInnerPanel.gaugeCaption));
    drawPanelCaption(painter, carpet, kCarpetCaptionGap, 20, kCarpetCaption, QColor(kInnerPanel.gaugeCaption));
    // The times under the fringe's curve, its caption under them.
    drawTickedAxisNumbers(painter, QRectF(curve), tAxis, QColor(kInnerPanel.gaugeCaption),
                          QColor(kInnerPanel.stackedFrame), kTimesGap);
    drawPanelCaption(painter, curve,
                     kTimesGap + static_cast<int>(std::ceil(QFontMetricsF(font()).height())) + kFringeCaptionGap, 20,
                     kFringeCaption, QColor(kInnerPanel.gaugeCaption));
    drawStackedSummary(painter, *panels, curve, layout().texts, summary, QColor(kInnerPanel.stackedSummary),
                       QColor(kInnerPanel.fill));
}

} // namespace vxo
