#pragma once

// Recorders of the recorder plots, filled only through their public
// configure and record operations with prepared fields, and the pixel
// geometry the plots share. Used by the plot tests, the robustness sweep and
// the gallery.

#include "core/ComplexField2D.h"
#include "core/MomentumSpace2D.h"
#include "core/Numeric.h"
#include "experiments/QuantumAnderson2D.h"
#include "experiments/QuantumBilliard2D.h"
#include "experiments/QuantumBouncer2D.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/QuantumZeno2D.h"
#include "plots/PlotLayouts.h"

#include "PlotTestSupport.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace vxo::test {

// A field whose amplitude in cell (i, j) is amplitude(x, y) at the cell centre.
template <typename Amplitude>
ComplexField2D fieldOf(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Amplitude&& amplitude)
{
    ComplexField2D field(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            field.at(i, j) = amplitude(cellCentre(i, nx, dx), cellCentre(j, ny, dy));
    return field;
}

// A field whose probability |psi|^2 in cell (i, j) is density(i, j).
template <typename Density>
ComplexField2D densityField(std::uint64_t nx, std::uint64_t ny, float dx, float dy, Density&& density)
{
    ComplexField2D field(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            field.at(i, j) = Complex(static_cast<float>(std::sqrt(density(i, j))), 0.0f);
    return field;
}

// A Gaussian packet exp(-((x - x0)^2 + (y - y0)^2) / (4 s^2) + i k x), not normalised.
inline Complex packetAmplitude(double x, double y, double x0, double y0, double s, double k)
{
    const double envelope = std::exp(-((x - x0) * (x - x0) + (y - y0) * (y - y0)) / (4.0 * s * s));
    return Complex(static_cast<float>(envelope * std::cos(k * x)), static_cast<float>(envelope * std::sin(k * x)));
}

// A momentum distribution over columns of 0.5 (modes -n/2 .. n/2 - 1, two
// rows of 0.75), the probability of column i proportional to weights[i]; no field for
// no weights.
inline MomentumSpace2D momentumModes(const std::vector<double>& weights)
{
    MomentumSpace2D momentum;
    const std::uint64_t n = weights.size();
    if (n == 0)
        return momentum;
    momentum.field = densityField(n, 2, 0.5f, 0.75f, [&](std::uint64_t i, std::uint64_t) { return weights[i]; });
    for (std::uint64_t i = 0; i < n; ++i)
        momentum.pxAxis.push_back((double(i) - double(n / 2)) * 0.5);
    momentum.pyAxis = {-0.375, 0.375};
    momentum.hbar = 1.0;
    return momentum;
}

// An Anderson lattice with the clean row at y = 2.5 and the disordered one at -2.5.
inline AndersonLattice andersonLattice(std::vector<double> sites, double spacing)
{
    AndersonLattice lattice;
    lattice.valid = true;
    lattice.cleanRowY = 2.5;
    lattice.disorderedRowY = -2.5;
    lattice.spacing = spacing;
    lattice.siteX = std::move(sites);
    return lattice;
}

// A bouncer floor with its top at floorY under the force 0.5.
inline BouncerConfig bouncerFloor(double floorY)
{
    BouncerConfig config;
    config.valid = true;
    config.floorY = floorY;
    config.floorHeight = 100.0;
    config.force = 0.5;
    return config;
}

// A revival box of the given width about x = centre, 3 high.
inline RevivalBoxConfig revivalBox(double centre, double width)
{
    RevivalBoxConfig box;
    box.valid = true;
    box.interiorCenterX = centre;
    box.interiorWidth = width;
    box.interiorHeight = 3.0;
    return box;
}

// A billiard interior of the given width and height 6 about (0.25, -0.1),
// optionally with a scatterer of radius 1.5 at (2, 0.5).
inline BilliardConfig billiardConfig(double width, bool scatterer)
{
    BilliardConfig config;
    config.valid = true;
    config.interiorCenterX = 0.25;
    config.interiorCenterY = -0.1;
    config.interiorWidth = width;
    config.interiorHeight = 6.0;
    config.hasScatterer = scatterer;
    config.scattererX = 2.0;
    config.scattererY = 0.5;
    config.scattererRadius = 1.5;
    return config;
}

// A stadium of radius 3 with the given straight length about (centreX, -0.2).
inline StadiumGeometry stadiumGeometry(double centreX, double length)
{
    StadiumGeometry stadium;
    stadium.valid = true;
    stadium.centerX = centreX;
    stadium.centerY = -0.2;
    stadium.straightLength = length;
    stadium.radius = 3.0;
    stadium.wallHeight = 50.0;
    return stadium;
}

// Lane profiles of n points from x = origin in steps of dx: the control lane
// peaks at point 6, the watched lane (half as high) at point 4.
inline ZenoLaneProfiles laneProfiles(std::size_t n, double dx, double origin = -4.0)
{
    ZenoLaneProfiles profiles;
    profiles.originX = origin;
    profiles.dx = dx;
    for (std::size_t i = 0; i < n; ++i) {
        profiles.control.push_back(float(std::exp(-0.5 * (double(i) - 6.0) * (double(i) - 6.0))));
        profiles.watched.push_back(float(0.5 * std::exp(-0.5 * (double(i) - 4.0) * (double(i) - 4.0))));
    }
    return profiles;
}

// The pixel of cell (column, row) of a carpet of columns x rows cells drawn
// stretched onto target: its centre.
inline QPointF cellPixel(const QRectF& target, int column, int row, int columns, int rows)
{
    return QPointF(target.left() + target.width() * (column + 0.5) / columns,
                   target.top() + target.height() * (row + 0.5) / rows);
}

// The revival, Talbot and bouncer layout: a carpet on top of a curve panel,
// for a widget of size w x h, with the margins (left, right, below the carpet,
// the total vertical spare), the carpet's share and the minimums.
struct StackedPanels {
    QRectF upper;
    QRectF lower;
};
inline StackedPanels stackedPanels(double w, double h, double left, double right, double gap, double spare,
                                   double share, double minimumHeight, double minimumWidth)
{
    const double available = std::max(h - spare, minimumHeight);
    const QRectF upper(left, 30.0, std::max(w - left - right, minimumWidth), share * available);
    return {upper, QRectF(left, upper.bottom() + gap, upper.width(), available - share * available)};
}
// The same panels from a widget's named layout.
inline StackedPanels stackedPanels(double w, double h, const plot::SplitLayout& layout)
{
    const double available = std::max(h - layout.top - layout.gap - layout.bottom, layout.minimumHeight);
    const QRectF upper(layout.left, layout.top, std::max(w - layout.left - layout.right, layout.minimumWidth),
                       layout.share * available);
    return {upper,
            QRectF(layout.left, upper.bottom() + layout.gap, upper.width(), available - layout.share * available)};
}
// The vortex page's two panels side by side from its named layout: both
// side = share * max(h - heightMargin, minimumHeight) high, the orbit panel
// as wide as orbitShare of the widget (at least minimumOrbitWidth) but not
// wider than aspect * side, the momentum panel gap after it up to
// rightMargin short of the widget's edge (at least minimumMomentumWidth).
struct SidePanels {
    QRectF left;
    QRectF right;
};
template <typename Layout>
SidePanels sidePanels(double w, double h, const Layout& layout)
{
    const double side = layout.share * std::max(h - layout.heightMargin, layout.minimumHeight);
    const QRectF left(layout.left, layout.top,
                      std::min(std::max(layout.orbitShare * w, layout.minimumOrbitWidth), layout.aspect * side), side);
    return {left, QRectF(left.right() + layout.gap, layout.top,
                         std::max(w - left.right() - layout.rightMargin, layout.minimumMomentumWidth), side)};
}

// The centres of the straight lines of a colour over a uniform background
// inside region: vertical lines (x of columns) or horizontal ones (y of rows)
// in which at least a fifth of the pixels blend toward the colour (so dashed
// lines count); neighbouring columns or rows form one line.
inline std::vector<double> lineCentres(const QImage& image, const QRect& region, bool vertical,
                                       const QColor& background, const QColor& line)
{
    std::vector<double> centres;
    const int first = vertical ? region.left() : region.top();
    const int last = vertical ? region.right() : region.bottom();
    const int length = vertical ? region.height() : region.width();
    double weighted = 0.0;
    double weight = 0.0;
    for (int a = first; a <= last + 1; ++a) {
        int hits = 0;
        for (int b = 0; a <= last && b < length; ++b) {
            const QPoint at = vertical ? QPoint(a, region.top() + b) : QPoint(region.left() + b, a);
            hits += blendsToward(image.pixel(at), background, line) ? 1 : 0;
        }
        if (5 * hits >= length) {
            weighted += a * double(hits);
            weight += hits;
        } else if (weight > 0.0) {
            centres.push_back(weighted / weight + 0.5); // pixel a spans [a, a + 1)
            weighted = weight = 0.0;
        }
    }
    return centres;
}

// A colour channel of a power-law ramp as the plots state it:
// 255 * min(1, offset + gain * s^exponent), truncated.
inline int powerChannel(double s, double offset, double gain, double exponent)
{
    return static_cast<int>(255.0 * std::min(1.0, offset + gain * std::pow(s, exponent)));
}

} // namespace vxo::test
