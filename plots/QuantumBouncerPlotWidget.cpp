#include "plots/QuantumBouncerPlotWidget.h"

#include "experiments/BouncerRecorder.h"
#include "experiments/QuantumBouncer2D.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

constexpr std::uint32_t kLevels = 8;

const PowerRamp kCarpetRamp{{0.0, 1.0, 1.45}, {0.0, 1.0, 0.72}, {0.2, 1.18, 0.92}};

const SplitPage kPage{
    kCarpetPageLook,
    {"Quantum bouncer carpet: vertical probability versus time", 4.0, 20.0},
    {"Quantum <y> (cyan) versus ideal elastic classical bounce (orange)", 17.0, 20.0},
    {"Run the Quantum Bouncer / Airy Dynamics preset", "A Linear-Y force and one hard floor are required"}};

} // namespace

void QuantumBouncerPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<SplitPanels> panels =
        beginSplitPage(painter, rect(), layout(), kPage,
                       hasSamples() && recorder_->profileRows() >= 2 && recorder_->profileDy() > 0.0f);
    if (!panels)
        return;
    const auto& [carpet, curve] = *panels;
    const std::vector<BouncerSample>& samples = recorder_->samples();
    const BouncerConfig& config = recorder_->config();
    const double floorY = config.floorY;
    const auto levelHeight = [&](std::uint32_t n) { return QuantumBouncer2D::levelHeight(n, config, mass_, hbar_); };

    // From just below the floor to above the eighth level and the start.
    const double yLow = floorY - 0.35;
    const double yHigh = std::max({levelHeight(kLevels - 1) + 1.0, recorder_->initialY() + 4.0, floorY + 4.0});
    CellRange rows = cellRange(yLow, yHigh, recorder_->profileDy(), recorder_->profileRows());
    rows.last = std::max(rows.last, rows.first + 1); // at least two columns, the second maybe beyond the grid
    drawProfileCarpet(painter, samples, &BouncerSample::yMarginal, static_cast<std::size_t>(rows.first), rows.count(),
                      kCarpetRamp, carpet);

    const AxisMap heightAxis = horizontalAxis(carpet, yLow, yHigh, 1e-12);
    drawVerticalLine(painter, plotPen(QColor(kMarkers.wall), 1.4), mapValue(heightAxis, floorY), carpet.top(),
                     carpet.bottom());
    const QColor levelColour = QColor::fromRgba(kOverlays.bouncerLevel);
    for (std::uint32_t n = 0; n < kLevels; ++n) {
        const double h = levelHeight(n);
        if (!(yLow <= h && h <= yHigh))
            continue;
        const double x = mapValue(heightAxis, h);
        drawVerticalLine(painter, plotPen(levelColour, 1.0, Qt::DashLine), x, carpet.top(), carpet.bottom());
        drawTextBox(painter, QRectF(x + 2.0, carpet.top() + 2.0, 30.0, 16.0), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::number(n + 1), levelColour);
    }

    const QColor label(kRecorder.label);
    const NumberedAxis times = timeAxis(curve, samples.front().time, samples.back().time, font(), label);
    // The heights of <y> from the floor to the carpet's top, numbered on their own scale.
    const NumberedAxis heights = valueAxis(curve, floorY, yHigh, font(), label);
    const AxisMap& time = times.map;
    const AxisMap unit = verticalAxis(curve, 0.0, 1.0, 1.0);
    drawValueLines(painter, curve, heights, plotPen(QColor(kRecorder.carpetFrame)));
    // Heights from the floor (bottom edge) to yHigh (top edge), clamped to the panel.
    const double range = atLeast(yHigh - floorY, 1e-12);
    const auto aboveFloor = [&](double y) { return clampKeepNan((y - floorY) / range, 0.0, 1.0); };
    strokePath(painter, timeCurve(samples, time, unit, [&](const BouncerSample& s) { return aboveFloor(s.meanY); }),
               plotPen(QColor(kCurves.carpet), 2.2));
    strokePath(painter,
               timeCurve(samples, time, unit,
                         [&](const BouncerSample& s) {
                             return aboveFloor(QuantumBouncer2D::classicalHeight(
                                 s.time, config, mass_, recorder_->initialY(), recorder_->initialMomentumY()));
                         }),
               plotPen(QColor(kMaps.bouncerClassical), 1.6, Qt::DashLine));

    const double labelTop = carpet.bottom() + 3.0;
    drawTextBox(painter, QRectF(carpet.left(), labelTop, 100.0, 18.0), Qt::AlignLeft,
                QStringLiteral("floor %1").arg(floorY, 0, 'f', 1), QColor(kRecorder.label));
    drawTextBox(painter, QRectF(carpet.right() - 100.0, labelTop, 100.0, 18.0), Qt::AlignRight,
                QStringLiteral("y %1").arg(yHigh, 0, 'f', 1), QColor(kRecorder.label));
    drawValueNumbers(painter, curve, heights);
    drawSimulationTimeAxis(painter, curve, times, QColor(kRecorder.carpetFrame));
}

} // namespace vxo
