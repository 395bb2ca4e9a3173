#include "plots/QuantumKickedRotorPlotWidget.h"

#include "experiments/KickedRotorRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// Deep blue through cyan and yellow-orange to white at the largest P(n).
const std::array<RampSegment, 4> kModeRamp{{
    {0.0, 0.25, {8, 25, 45}, {0, 80, 150}},
    {0.25, 0.3, {15, 105, 210}, {30, 120, 0}},
    {0.55, 0.25, {45, 225, 210}, {205, -40, -150}},
    {0.8, 0.2, {250, 185, 60}, {0, 70, 195}},
}};

} // namespace

void QuantumKickedRotorPlotWidget::drawSeries(QPainter& painter, const QRect& panel, double kicks, double scale,
                                              bool classical) const
{
    const std::vector<KickedRotorSample>& samples = recorder_->samples();
    strokePath(
        painter,
        polylineBridgingGaps(
            samples.size(),
            [&](std::size_t i) {
                const double value = classical ? samples[i].classicalMeanSquareMode : samples[i].meanSquareMode;
                return QPointF(panel.left() + (static_cast<double>(samples[i].kickCount) / kicks) * panel.width(),
                               panel.bottom() - (value / scale) * panel.height());
            }),
        classical ? plotPen(QColor(kLattice.classical), 1.6, Qt::DashLine) : plotPen(QColor(kLattice.curve), 2.2));
}

void QuantumKickedRotorPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginLatticePage(painter, rect(),
                     QStringLiteral("Quantum kicked rotor: diffusion in momentum, then dynamical localization"), 3);

    const QString carpetHeading = QStringLiteral("Stroboscopic momentum carpet  P(n) after each kick");
    const QString seriesHeading = QStringLiteral("Momentum diffusion: <n^2> quantum vs classical standard map");
    const HeadedPanels headed = headedPanels(size(), layout(), font(), carpetHeading, seriesHeading);
    const SplitPanels& panels = headed.panels;
    const QRect carpet = pixelPanel(panels.upper);
    const QRect series = pixelPanel(panels.lower);

    if (!hasSamples()) {
        drawCentredText(painter, QRectF(rect()), QStringLiteral("Run the Quantum Kicked Rotor preset"),
                        QColor(kRecorder.latticeText));
        return;
    }
    const std::vector<KickedRotorSample>& samples = recorder_->samples();
    const KickedRotorSample& last = samples.back();
    const QPen framePen = plotPen(QColor(kRecorder.rotorFrame));
    drawFrame(painter, QRectF(carpet), framePen);
    drawFrame(painter, QRectF(series), framePen);
    drawPanelHeadings(painter, headed, carpetHeading, seriesHeading, QColor(kRecorder.latticeText));

    std::size_t modes = 0;
    double pmax = 0.0;
    for (const KickedRotorSample& s : samples) {
        modes = std::max(modes, s.distribution.size());
        for (const float p : s.distribution)
            pmax = std::max(pmax, static_cast<double>(p));
    }
    pmax = atLeast(pmax, 1e-12);
    if (modes > 0) {
        // One cell per sample and mode; a row shorter than the widest keeps the background.
        drawCarpet(painter,
                   carpetImage(static_cast<int>(modes), static_cast<int>(samples.size()),
                               [&](int i, int k) {
                                   const std::vector<float>& distribution =
                                       samples[static_cast<std::size_t>(k)].distribution;
                                   if (static_cast<std::size_t>(i) >= distribution.size())
                                       return kRecorder.latticeBackground;
                                   const double v = std::sqrt(distribution[static_cast<std::size_t>(i)] / pmax);
                                   return segmentRampColour(kModeRamp, clampNanToUpper(v, 0.0, 1.0));
                               }),
                   QRectF(carpet));
        const QRectF band(carpet.left(), carpet.bottom() + 3, carpet.width(), 20);
        const double lastMode = last.firstMode + static_cast<double>(modes - 1) * last.modeStep;
        const QString firstName = QStringLiteral("n=%1").arg(last.firstMode, 0, 'f', 0);
        const QString lastName = QStringLiteral("n=%1").arg(lastMode, 0, 'f', 0);
        const QString caption = QStringLiteral("momentum mode n");
        drawTextBox(painter, band, Qt::AlignLeft, firstName, QColor(kRecorder.latticeText));
        drawTextBox(painter, band, Qt::AlignRight, lastName, QColor(kRecorder.latticeText));
        // The caption stands centred between the range's ends where it
        // clears both by a word's space, on the line under them otherwise.
        const QFontMetricsF metrics(painter.font());
        const double space = metrics.horizontalAdvance(QStringLiteral("  "));
        const double ends = std::max(metrics.horizontalAdvance(firstName), metrics.horizontalAdvance(lastName)) + space;
        const bool between = 2.0 * ends + metrics.horizontalAdvance(caption) <= band.width();
        drawTextBox(painter, between ? band : band.translated(0.0, 18.0), Qt::AlignCenter, caption,
                    QColor(kRecorder.latticeText));
        // The top row is the oldest kept kick, which is kick 0 only until the
        // recorder starts dropping its oldest samples.
        const QRectF rows(carpet.left() - 54, carpet.top(), 50, carpet.height());
        drawTextBox(painter, rows, Qt::AlignRight | Qt::AlignTop,
                    QStringLiteral("kick %1").arg(samples.front().kickCount), QColor(kRecorder.latticeText));
        drawTextBox(painter, rows, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("kick %1").arg(last.kickCount),
                    QColor(kRecorder.latticeText));
    }

    const double kicks = static_cast<double>(std::max<std::uint64_t>(last.kickCount, 1));
    double scale = 1.0;
    for (const KickedRotorSample& s : samples)
        scale = std::max({scale, s.meanSquareMode, s.classicalMeanSquareMode});
    // The legend stands in a band above the curves, which climb to the
    // panel's top right; the kicks and <n^2> at round values.
    const QString quantumName = QStringLiteral("quantum <n^2>");
    const QString classicalName = QStringLiteral("classical diffusion");
    const QRect curves = pixelPanel(
        curvesUnderLegend(painter, QRectF(series), true,
                          {{quantumName, kLattice.curve, 8.0, 0.0}, {classicalName, kLattice.classical, 8.0, 0.0}},
                          QColor(kRecorder.rotorFrame), QColor(kRecorder.latticeBackground)));
    const QColor text(kRecorder.latticeText);
    const NumberedAxis spreads{
        AxisMap{static_cast<double>(curves.bottom()), -static_cast<double>(curves.height()), 0.0, scale},
        verticalTicks(0.0, scale, curves.height(), font()), text};
    const NumberedAxis kickNumbers{
        AxisMap{static_cast<double>(curves.left()), static_cast<double>(curves.width()), 0.0, kicks},
        horizontalTicks(0.0, kicks, curves.width(), font()), text};
    drawValueLines(painter, QRectF(curves), spreads, plotPen(QColor(kRecorder.rotorFrame), 1.0, Qt::DotLine));
    drawSeries(painter, curves, kicks, scale, false);
    drawSeries(painter, curves, kicks, scale, true);
    drawValueNumbers(painter, QRectF(curves), spreads);
    drawTimeNumbers(painter, QRectF(series), kickNumbers, QColor(kRecorder.rotorFrame),
                    QStringLiteral("number of kicks"));
}

} // namespace vxo
