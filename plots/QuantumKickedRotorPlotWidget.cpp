#include "plots/QuantumKickedRotorPlotWidget.h"

#include "experiments/KickedRotorRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

constexpr int kTitleLine = 20;

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

    // The panels start one line below the widget title, so that the carpet's
    // title has a line of its own.
    const int carpetHeight = std::max((height() - 98 - kTitleLine) * 3 / 5, 120);
    const int seriesHeight = std::max(height() - 98 - kTitleLine - carpetHeight, 90);
    const int panelWidth = std::max(width() - 76, 40);
    const QRect carpet(58, 28 + kTitleLine, panelWidth, carpetHeight);
    const QRect series(58, carpetHeight + 68 + kTitleLine, panelWidth, seriesHeight);

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
    drawPanelHeading(painter, carpet, QStringLiteral("Stroboscopic momentum carpet  P(n) after each kick"),
                     QColor(kRecorder.latticeText));
    drawPanelHeading(painter, series, QStringLiteral("Momentum diffusion: <n^2> quantum vs classical standard map"),
                     QColor(kRecorder.latticeText));

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
        drawTextBox(painter, band, Qt::AlignLeft, QStringLiteral("n=%1").arg(last.firstMode, 0, 'f', 0),
                    QColor(kRecorder.latticeText));
        drawTextBox(painter, band, Qt::AlignCenter, QStringLiteral("momentum mode n"), QColor(kRecorder.latticeText));
        drawTextBox(painter, band, Qt::AlignRight, QStringLiteral("n=%1").arg(lastMode, 0, 'f', 0),
                    QColor(kRecorder.latticeText));
        // The top row is the oldest kept kick, which is kick 0 only until the
        // recorder starts dropping its oldest samples.
        const QRectF rows(4, carpet.top(), 50, carpet.height());
        drawTextBox(painter, rows, Qt::AlignRight | Qt::AlignTop,
                    QStringLiteral("kick %1").arg(samples.front().kickCount), QColor(kRecorder.latticeText));
        drawTextBox(painter, rows, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("kick %1").arg(last.kickCount),
                    QColor(kRecorder.latticeText));
    }

    const double kicks = static_cast<double>(std::max<std::uint64_t>(last.kickCount, 1));
    double scale = 1.0;
    for (const KickedRotorSample& s : samples)
        scale = std::max({scale, s.meanSquareMode, s.classicalMeanSquareMode});
    drawSeries(painter, series, kicks, scale, false);
    drawSeries(painter, series, kicks, scale, true);
    const QRectF legend(series.adjusted(8, 6, -8, -6));
    // The classical line climbs to the panel's top right corner: the legend stands on patches.
    drawTextOnPatch(painter, legend, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("quantum <n^2>"),
                    QColor(kLattice.curve), QColor(kRecorder.latticeBackground));
    drawTextOnPatch(painter, legend, Qt::AlignRight | Qt::AlignTop, QStringLiteral("classical diffusion"),
                    QColor(kLattice.classical), QColor(kRecorder.latticeBackground));
    drawTextBox(painter, QRectF(4, series.top(), 50, series.height()), Qt::AlignRight | Qt::AlignTop,
                QString::number(scale, 'f', 0), QColor(kRecorder.latticeText));
    drawTextBox(painter, QRectF(series.left(), series.bottom() + 4, series.width(), 20), Qt::AlignCenter,
                QStringLiteral("number of kicks"), QColor(kRecorder.latticeText));
}

} // namespace vxo
