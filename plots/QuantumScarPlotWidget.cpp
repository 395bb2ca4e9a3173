#include "plots/QuantumScarPlotWidget.h"

#include "core/Numeric.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/ScarRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

// Dark green through yellow to near white at the largest spectral weight.
const PowerRamp kSpectralRamp{{0.0, 1.35, 1.25}, {0.25, 1.15, 0.72}, {0.1, 0.85, 0.45}};

const SplitPage kPage{
    {kRecorder.carpetFrame, kRecorder.scarTitle, kRecorder.label},
    {"Finite-time spectral density |Phi_E(x,y)|^2 and axial periodic orbit", 5.0, 22.0},
    {"Orbit concentration: filtered projection / instantaneous psi; fidelity on right scale", 9.0, 22.0},
    {"Run the Quantum Scars stadium preset to accumulate spectral weight",
     "A value above 1 means excess probability near the classical axial orbit"}};

} // namespace

QPainterPath QuantumScarPlotWidget::stadiumPath(const QRectF& target, const StadiumGeometry& stadium)
{
    QPainterPath path;
    if (!stadium.valid)
        return path;
    const double cx = stadium.centerX;
    const double cy = stadium.centerY;
    const double halfLength = stadium.straightLength / 2.0;
    const double r = stadium.radius;
    const double sx = target.width() / std::max(stadium.straightLength + 2.0 * r, 1e-12);
    const double sy = target.height() / std::max(2.0 * r, 1e-12);
    const auto at = [&](double x, double y) {
        return QPointF(target.left() + (x - (cx - halfLength - r)) * sx, target.bottom() - (y - (cy - r)) * sy);
    };
    const auto arcBox = [&](double x) {
        const QPointF centre = at(x, cy);
        return QRectF(centre.x() - r * sx, centre.y() - r * sy, 2.0 * r * sx, 2.0 * r * sy);
    };
    // QPainterPath refuses coordinates that are not finite, with a warning.
    const QRectF box(at(cx - halfLength - r, cy + r), at(cx + halfLength + r, cy - r));
    if (!std::isfinite(box.left()) || !std::isfinite(box.top()) || !std::isfinite(box.width()) ||
        !std::isfinite(box.height()))
        return path;
    path.moveTo(at(cx - halfLength, cy + r));
    path.lineTo(at(cx + halfLength, cy + r));
    path.arcTo(arcBox(cx + halfLength), 90.0, -180.0);
    path.lineTo(at(cx - halfLength, cy - r));
    path.arcTo(arcBox(cx - halfLength), -90.0, -180.0);
    path.closeSubpath();
    return path;
}

void QuantumScarPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ComplexField2D* grid = recorder_ ? &recorder_->initialField() : nullptr;
    const std::optional<SplitPanels> panels =
        beginSplitPage(painter, rect(), layout(), kPage, hasSamples() && grid->nx() >= 2 && grid->ny() >= 2);
    if (!panels)
        return;
    const auto& [map, curve] = *panels;
    const std::vector<ScarSample>& samples = recorder_->samples();
    const StadiumGeometry& stadium = recorder_->stadium();
    const std::vector<float>& spectral = recorder_->spectralMap();
    const std::uint64_t nx = grid->nx();
    const std::uint64_t ny = grid->ny();

    // The stadium's box on one scale along both axes, centred in the map panel,
    // so that its end caps are half discs.
    const double reach = stadium.straightLength / 2.0 + stadium.radius;
    const QRectF box = equalScaleAxes(map, stadium.centerX - reach, stadium.centerX + reach,
                                      stadium.centerY - stadium.radius, stadium.centerY + stadium.radius, 1e-12)
                           .window;
    if (spectral.size() == nx * ny) {
        const CellRange columns = cellRange(stadium.centerX - reach, stadium.centerX + reach, grid->dx(), nx);
        const CellRange rows =
            cellRange(stadium.centerY - stadium.radius, stadium.centerY + stadium.radius, grid->dy(), ny);
        const PowerRampTable ramp(kSpectralRamp);
        // Image row 0 is the top grid row: y grows upwards on the screen.
        drawCarpet(painter,
                   carpetImage(columns.count(), rows.count(),
                               [&](int c, int r) {
                                   const std::uint64_t i = static_cast<std::uint64_t>(columns.first + c);
                                   const std::uint64_t j = static_cast<std::uint64_t>(rows.last - r);
                                   if (!QuantumScar2D::isCellInsideStadium(stadium, *grid, i, j))
                                       return kMaps.scarOutside;
                                   return ramp.colour(spectral[j * nx + i], 1.0);
                               }),
                   box);
    }
    strokePath(painter, stadiumPath(box, stadium), plotPen(QColor(kMaps.stadium), 1.5));
    drawHorizontalLine(painter, plotPen(QColor(kMaps.scarOrbit), 2.0, Qt::DashLine), box.left(), box.right(),
                       box.bottom() - box.height() / 2.0);
    drawTextInPanel(painter, QRectF(map.left() + 10.0, map.top() + 8.0, 260.0, 22.0), map, Qt::AlignLeft,
                    QStringLiteral("unstable axial periodic orbit"), QColor(kMaps.scarOrbitLabel),
                    QColor(kRecorder.background));

    const std::vector<LegendItem> legend{
        {QStringLiteral("cyan: filtered scar enhancement"), kCurves.carpet, 8.0, 260.0},
        {QStringLiteral("pink: instantaneous"), kMaps.scarInstantaneous, 270.0, 230.0},
        {QStringLiteral("yellow: fidelity"), kCurves.carpetFidelity, 500.0, 180.0}};
    // Stacked, the legend's one line stands inside the curves' top.
    const QRectF traces = curvesUnderLegend(painter, panels->lower, true, legend, QColor(kRecorder.carpetFrame),
                                            QColor(kRecorder.background));

    // Enhancements on the left scale (at least up to 2.7), the fidelity on the right one.
    double largest = 2.5;
    for (const ScarSample& s : samples)
        largest = std::max({largest, s.instantaneousEnhancement, s.filteredEnhancement});
    const double ymax = 1.08 * largest;
    const QColor label(kRecorder.label);
    const NumberedAxis times = timeAxis(traces, samples.front().time, samples.back().time, font(), label);
    const NumberedAxis enhancements = valueAxis(traces, 0.0, ymax, font(), label);
    const NumberedAxis fidelities = fractionAxis(traces, font(), QColor(kCurves.carpetFidelity));
    const AxisMap& time = times.map;
    const AxisMap& left = enhancements.map;
    const AxisMap& right = fidelities.map;
    const auto enhancement = [ymax](double v) { return clampKeepNan(v, 0.0, ymax); };

    const double unity = mapValue(left, 1.0);
    drawHorizontalLine(painter, plotPen(QColor(kAxes.scarUnity)), curve.left(), curve.right(), unity);
    strokePath(painter,
               timeCurve(samples, time, left, [&](const ScarSample& s) { return enhancement(s.filteredEnhancement); }),
               plotPen(QColor(kCurves.carpet), 2.3));
    strokePath(
        painter,
        timeCurve(samples, time, left, [&](const ScarSample& s) { return enhancement(s.instantaneousEnhancement); }),
        plotPen(QColor(kMaps.scarInstantaneous), 1.5));
    strokePath(painter, timeCurve(samples, time, right, clampedFraction(&ScarSample::fidelity)),
               plotPen(QColor(kCurves.carpetFidelity), 1.2, Qt::DashLine));

    drawValueNumbers(painter, traces, enhancements);
    drawVerticalAxisNumbers(painter, traces, right, fidelities.ticks, fidelities.colour, AxisSide::Right);
    drawSimulationTimeAxis(painter, curve, times, QColor(kRecorder.carpetFrame));
}

} // namespace vxo
