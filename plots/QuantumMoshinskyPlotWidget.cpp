#include "plots/QuantumMoshinskyPlotWidget.h"

#include "experiments/MoshinskyRecorder.h"
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

// From deep blue through cyan to white.
constexpr std::array<RampSegment, 2> kDensityRamp{{
    {0.0, 0.55, {8, 18, 38}, {22, 155, 190}},
    {0.55, 0.45, {30, 173, 228}, {225, 82, 27}},
}};

// Rows of the carpet on the time scale 0..tEnd: sample r covers its recording
// time up to the next sample's (the newest one as long as the spacing before
// it, a lone sample up to tEnd), so a row sits at its own time whatever the
// spacing, the thinning or the samples dropped before it.
std::vector<CellSpan> rowsByTime(const std::vector<MoshinskySample>& samples, int extent, double tEnd)
{
    const auto offset = [&](double t) {
        const double f = clampKeepNan(t / tEnd, 0.0, 1.0);
        return std::isnan(f) ? -1 : static_cast<int>(extent * f);
    };
    const std::size_t n = samples.size();
    std::vector<CellSpan> rows(n, CellSpan{0, 0});
    for (std::size_t r = 0; r < n; ++r) {
        const double t = samples[r].time;
        double next = tEnd;
        if (r + 1 < n)
            next = samples[r + 1].time;
        else if (n > 1)
            next = std::min(t + (t - samples[r - 1].time), tEnd);
        const int start = offset(t);
        const int end = offset(next);
        if (start >= 0)
            rows[r] = CellSpan{start, std::max(end - start + 1, 1)};
    }
    return rows;
}

const QString kCarpetCaption = QStringLiteral("x   |   gold=shutter   red=detector");
const QString kSignalCaption = QStringLiteral("time  -  detector line density I(xd,t)");

// The carpet's caption under it; the signal's times under it, its caption
// under those.
constexpr double kCaptionGap = 4.0;
constexpr double kNumbersGap = 3.0;
// The rows the carpet keeps on the shortest widget, and its share of the
// panels' height.
constexpr double kLeastCarpet = 80.0;
constexpr double kCarpetShare = 0.63;

// The line the signal's times take in font.
int numbersRow(const QFont& font) { return static_cast<int>(std::ceil(QFontMetricsF(font).height())); }

} // namespace

SplitLayout QuantumMoshinskyPlotWidget::layout(const QFont& font, int width)
{
    // Under the signal: its times, a 20 px line of caption and 5 px to spare.
    const double signalTexts = kNumbersGap + numbersRow(font);
    const SplitLayout stacked = SplitLayout{}
                                    .withLeft(62.0)
                                    .withRight(18.0)
                                    .withTop(40.0)
                                    .withGap(33.0)
                                    .withBottom(signalTexts + 25.0)
                                    .withShare(kCarpetShare)
                                    .withMinimumHeight(kLeastCarpet / kCarpetShare)
                                    .withMinimumWidth(10.0)
                                    .withSideBySidePanelWidth(160.0);
    const double panel = width / 2.0 - stacked.left - stacked.right;
    return stacked.withSideBySideBottom(
        std::max({stacked.bottom, kCaptionGap + wrappedTextHeight(font, panel, kCarpetCaption) + 2.0,
                  signalTexts + wrappedTextHeight(font, panel, kSignalCaption) + 2.0}));
}

void QuantumMoshinskyPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hasData = hasSamples();
    if (!beginTitledPage(painter, rect(), font(), kMoshinskyPage, "Moshinsky shutter - diffraction in time", hasData,
                         "Load Moshinsky Shutter / Diffraction in Time and press Play"))
        return;
    const std::vector<MoshinskySample>& samples = recorder_->samples();
    const MoshinskySample& last = samples.back();
    const MoshinskyConfig& config = recorder_->config();
    const std::uint64_t nx = recorder_->nx();

    const SplitPanels panels = splitPanels(size(), layout(font(), width()));
    const QRect carpet = pixelPanel(panels.upper);
    const QRect density = pixelPanel(panels.lower);
    const QPen framePen = plotPen(QColor(kInnerPanel.moshinskyFrame));
    drawFilledFrame(painter, carpet, framePen, QColor(kInnerPanel.diffractionFill));
    drawFilledFrame(painter, density, framePen, QColor(kInnerPanel.diffractionFill));

    double pMax = 0.0;
    double iMax = 0.0;
    for (const MoshinskySample& s : samples) {
        for (const float v : s.profile)
            pMax = v > pMax ? v : pMax;
        iMax = s.detectorDensity > iMax ? s.detectorDensity : iMax;
    }
    pMax = std::max(pMax, 1e-12);
    iMax = std::max(iMax, 1e-12);
    const double tEnd = timeAxisEnd(config.analysisEndTime, last.time);
    // A mark stands over the middle of its cell's column.
    const AxisMap xAxis = columnCentresAxis(QRectF(carpet), recorder_->gridX(0), recorder_->gridX(nx == 0 ? 0 : nx - 1),
                                            static_cast<double>(recorder_->dx()), 1e-12);

    if (nx != 0) {
        const std::vector<int> columns =
            pixelCells(equalCellSpans(carpet.width(), static_cast<std::size_t>(nx)), carpet.width());
        const std::vector<int> rows = pixelCells(rowsByTime(samples, carpet.height(), tEnd), carpet.height());
        drawCellCarpet(painter, carpet.left(), carpet.top(), columns, rows, kInnerPanel.diffractionFill,
                       [&](int c, int r) {
                           return profileCellColour(samples[static_cast<std::size_t>(r)].profile, c, pMax, kDensityRamp,
                                                    kInnerPanel.diffractionFill);
                       });
    }

    const auto carpetMark = [&](double x, const QColor& colour) {
        drawVerticalLine(painter, plotPen(colour, 1.3, Qt::DashLine), mapValue(xAxis, x), carpet.top(),
                         carpet.bottom());
    };
    carpetMark(recorder_->geometry().centerX, QColor(kDiffraction.moshinskyShutter));
    carpetMark(config.detectorX, QColor(kDiffraction.moshinskyDetector));
    drawHorizontalLine(painter, plotPen(QColor::fromRgba(kOverlays.moshinskyFront), 1.0, Qt::DashLine), carpet.left(),
                       carpet.right(), carpet.top() + carpet.height() * config.openTime / tEnd);

    const int rightMiddle = Qt::AlignRight | Qt::AlignVCenter;
    drawTextBox(painter, QRect(carpet.left() - 58, carpet.top(), 52, 20), rightMiddle, "t=0",
                QColor(kInnerPanel.diffractionTexts));
    drawTextBox(painter, QRect(carpet.left() - 58, carpet.bottom() - 20, 52, 20), rightMiddle,
                QString::number(tEnd, 'f', 2), QColor(kInnerPanel.diffractionTexts));
    drawPanelCaption(painter, carpet, static_cast<int>(kCaptionGap), 20, kCarpetCaption,
                     QColor(kInnerPanel.diffractionTexts));

    const AxisMap tAxis = horizontalAxis(QRectF(density), 0.0, tEnd, 1e-12);
    // The summary, wrapped between its fields where the panel is narrower;
    // the signal's maxima stand under it, where they can be read, in the
    // upper half of the panel at most.
    const QString summary =
        QString("samples=%1  t=%2  I_det=%3  P(x>shutter)=%4")
            .arg(QString::number(samples.size()), QString::number(last.time, 'f', 3),
                 QString::number(last.detectorDensity, 'g', 5), QString::number(last.transmittedProbability, 'f', 4));
    constexpr int kSummaryLine = 20;
    const double summaryBottom =
        density.top() + 5.0 + std::max<double>(kSummaryLine, wrappedTextHeight(font(), density.width() - 16, summary));
    const double iMaxRow =
        density.top() + std::min(std::max(28.0, summaryBottom - density.top() + 3.0), 0.5 * density.height());
    strokePath(painter,
               timeCurve(samples, tAxis,
                         [&](const MoshinskySample& s) {
                             return density.bottom() - (density.bottom() - iMaxRow) * s.detectorDensity / iMax;
                         }),
               plotPen(QColor(kDiffraction.moshinskyCurve), 2.0));
    drawVerticalLine(painter, plotPen(QColor::fromRgba(kOverlays.moshinskyTimeGuide), 1.0, Qt::DashLine),
                     mapValue(tAxis, config.openTime), density.top(), density.bottom());

    const QColor texts(kInnerPanel.diffractionTexts);
    drawTextBox(painter, QRectF(density.left() - 58.0, iMaxRow - 10.0, 52.0, 20.0), rightMiddle, "Imax", texts);
    // The times under the signal, its caption under them.
    drawTickedAxisNumbers(painter, QRectF(density), tAxis, texts, QColor(kInnerPanel.moshinskyFrame), kNumbersGap);
    drawPanelCaption(painter, density, static_cast<int>(kNumbersGap) + numbersRow(font()), 20, kSignalCaption, texts);
    drawPanelSummary(painter, density, kSummaryLine, summary, QColor(kInnerPanel.diffractionSummary),
                     QColor(kInnerPanel.diffractionFill));
}

} // namespace vxo
