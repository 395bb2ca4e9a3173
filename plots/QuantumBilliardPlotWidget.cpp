#include "plots/QuantumBilliardPlotWidget.h"

#include "experiments/BilliardRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

const PowerRamp kDensityRamp{{0.0, 1.0, 1.7}, {0.0, 1.0, 0.72}, {0.12, 1.25, 0.9}};

// The legend takes the lines under the map (two on a narrow page); the lower
// title sits on the line below them.
const SplitPage kPage{kCarpetPageLook,
                      {"Time-averaged probability density inside the billiard", 4.0, 20.0},
                      {"Spatial filling / recurrence / scatterer encounter", 37.0, 18.0},
                      {"Run a Quantum Billiard preset to accumulate the occupation map",
                       "Four box walls are required; Sinai adds one circular scatterer"}};

} // namespace

void QuantumBilliardPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ComplexField2D* initial = recorder_ ? &recorder_->initialState() : nullptr;
    const std::optional<SplitPanels> panels = beginSplitPage(
        painter, rect(), layout(), kPage,
        record_.valid && recorder_ && !recorder_->samples().empty() && initial->nx() >= 2 && initial->ny() >= 2);
    if (!panels)
        return;
    const auto& [map, curve] = *panels;
    const std::vector<BilliardSample>& samples = recorder_->samples();
    const std::vector<float>& density = recorder_->meanDensity();
    const std::uint64_t nx = initial->nx();
    const std::uint64_t ny = initial->ny();

    const double xLeft = record_.interiorCenterX - record_.interiorWidth / 2.0;
    const double xRight = record_.interiorCenterX + record_.interiorWidth / 2.0;
    const double yBottom = record_.interiorCenterY - record_.interiorHeight / 2.0;
    const double yTop = record_.interiorCenterY + record_.interiorHeight / 2.0;
    // The interior on one scale along both axes, centred in the map panel:
    // a square box stays square and the scatterer round.
    const PlaneAxes plane = equalScaleAxes(map, xLeft, xRight, yBottom, yTop, 1e-12);
    if (density.size() == nx * ny) {
        const CellRange columns = cellRange(xLeft, xRight, initial->dx(), nx);
        const CellRange rows = cellRange(yBottom, yTop, initial->dy(), ny);
        const auto densityAt = [&](int i, int j) {
            return static_cast<double>(density[static_cast<std::size_t>(j) * nx + static_cast<std::size_t>(i)]);
        };
        // One maximum for the whole map: the density is compared across the billiard.
        double maximum = 0.0;
        for (int j = rows.first; j <= rows.last; ++j)
            for (int i = columns.first; i <= columns.last; ++i)
                maximum = std::max(maximum, densityAt(i, j));
        maximum = atLeast(maximum, 1e-30);
        const PowerRampTable ramp(kDensityRamp);
        // Image row 0 is the top grid row: y grows upwards on the screen.
        drawCarpet(painter,
                   carpetImage(
                       columns.count(), rows.count(),
                       [&](int c, int r) { return ramp.colour(densityAt(columns.first + c, rows.last - r), maximum); }),
                   plane.window);
    }

    if (record_.hasScatterer) {
        // The disc stays on the map, however the record places it.
        painter.save();
        painter.setClipRect(map);
        const double radius = plane.window.width() * record_.scattererRadius / plane.x.valueSpan;
        drawOutlinedDisc(painter, mapPlane(plane, record_.scattererX, record_.scattererY), radius, radius,
                         QColor::fromRgba(kOverlays.billiardScatterer), plotPen(QColor(kMarkers.wall), 1.3));
        painter.restore();
    }

    std::vector<LegendItem> legend{{QStringLiteral("cyan: occupied fraction"), kCurves.carpet, 0.0, 160.0},
                                   {QStringLiteral("yellow: fidelity"), kCurves.carpetFidelity, 165.0, 150.0}};
    if (record_.hasScatterer)
        legend.push_back({QStringLiteral("pink: 4x obstacle-shell probability"), kMaps.billiardShell, 315.0, 240.0});
    // Beside the map, the curves carry their legend in a band over them;
    // under it, the lines under the map.
    const bool beside = sideBySide(*panels);
    const QRectF traces = beside ? curvesUnderLegend(painter, curve, true, legend, QColor(kRecorder.carpetFrame),
                                                     QColor(kRecorder.background))
                                 : curve;
    if (!beside)
        drawLegendRow(painter, std::min(map.left(), curve.left()), map.bottom() + 2.0, width() - 4.0, legend);

    const QColor label(kRecorder.label);
    const NumberedAxis times = timeAxis(traces, samples.front().time, samples.back().time, font(), label);
    const NumberedAxis fractions = fractionAxis(traces, font(), label);
    const AxisMap& time = times.map;
    const AxisMap& unit = fractions.map;
    drawValueLines(painter, traces, fractions, plotPen(QColor(kRecorder.carpetFrame)));
    strokePath(painter, timeCurve(samples, time, unit, clampedFraction(&BilliardSample::occupiedFraction)),
               plotPen(QColor(kCurves.carpet), 2.2));
    strokePath(painter, timeCurve(samples, time, unit, clampedFraction(&BilliardSample::fidelity)),
               plotPen(QColor(kCurves.carpetFidelity), 1.7));
    if (record_.hasScatterer)
        strokePath(painter,
                   timeCurve(samples, time, unit,
                             [](const BilliardSample& s) {
                                 return clampKeepNan(std::min(4.0 * s.shellProbability, 1.0), 0.0, 1.0);
                             }),
                   plotPen(QColor(kMaps.billiardShell), 1.5));

    drawValueNumbers(painter, traces, fractions);
    drawSimulationTimeAxis(painter, curve, times, QColor(kRecorder.carpetFrame));
}

} // namespace vxo
