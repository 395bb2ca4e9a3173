#pragma once

// Scars in the chaotic stadium billiard: a rectangle of straight length L
// closed by two half discs of radius R, area A = pi R^2 + 2 R L. Probability
// gathered in the band |y - y_c| <= h around the axis (the bouncing orbit
// along the long axis, of period 2 (2 R + L) / v) is compared with the band's
// share of the area:
//   enhancement = (P_band / P_stadium) / (A_band / A),
//   A_band = 2 h L + 2 (h sqrt(R^2 - h^2) + R^2 asin(h / R)),  h = min(R, w).
// The energy-filtered state Phi_E = sum_t psi(t) e^(i E t / hbar) w_t picks out
// the eigenstates near E, where scars show.

#include "core/CellDecisionPoint.h"
#include "core/ComplexField2D.h"
#include "core/InterleavedSums.h"
#include "core/PotentialScene.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <string>

namespace vxo {

struct ScarConfig {
    bool enabled = false;
    double orbitBandHalfWidth = 0.75; // 0 < w <= 20
    double referenceEnergy = 0.0;     // 0 <= E <= 10000; 0: the packet's energy
};

struct StadiumGeometry {
    bool valid = false;
    double centerX = 0.0;
    double centerY = 0.0;
    double straightLength = 0.0; // L, the object's width
    double radius = 0.0;         // R
    double wallHeight = 0.0;     // the object's value
};

class QuantumScar2D {
public:
    // Exactly one enabled object, a Stadium Exterior of positive height,
    // length and radius. The geometry is reset and the message cleared first.
    static bool analyzeScene(const PotentialScene& scene, StadiumGeometry& stadium, std::string* error);

    static double stadiumArea(const StadiumGeometry& stadium);
    // 2 (2 R + L) / speed; 0 for a speed that is not positive or an invalid stadium.
    static double axialOrbitPeriod(const StadiumGeometry& stadium, double speed);
    static bool isInsideStadium(const StadiumGeometry& stadium, double x, double y);
    // Cell (i, j) of the field's grid lies inside: decided where the painter
    // decides, so the inside cells are the ones the exterior leaves unpainted.
    static bool isCellInsideStadium(const StadiumGeometry& stadium, const ComplexField2D& grid, std::uint64_t i,
                                    std::uint64_t j)
    {
        return isInsideStadium(stadium, cellDecisionX(grid, i), cellDecisionY(grid, j));
    }
    // The cells i of row j inside the stadium, first <= i < last (first ==
    // last for none): the stadium is convex, so they are one run, found from
    // the cell nearest its axis by bisection on either side.
    static std::pair<std::uint64_t, std::uint64_t> insideRun(const StadiumGeometry& stadium, const ComplexField2D& grid,
                                                             std::uint64_t j);
    static double orbitBandEnhancement(double bandProbability, double totalProbability, const StadiumGeometry& stadium,
                                       double halfWidth);
    // The enhancement of |psi|^2 over the cells inside the stadium.
    static double instantaneousEnhancement(const ComplexField2D& field, const StadiumGeometry& stadium,
                                           double halfWidth);
    // Band and total of density(k) over the cells k = j nx + i of the grid
    // that lie inside the stadium, turned into the band enhancement. Each
    // row's inside run is summed on interleaved partial sums
    // (core/InterleavedSums.h), then added to the total and the band.
    template <typename Density>
    static double densityEnhancement(const ComplexField2D& grid, const StadiumGeometry& stadium, double halfWidth,
                                     Density density);
    // Every row j of the grid in order, with its run of inside cells
    // [first, last) and whether the row lies in the orbit's band:
    // visit(j, first, last, inBand).
    template <typename Visit>
    static void forEachInsideRun(const ComplexField2D& grid, const StadiumGeometry& stadium, double halfWidth,
                                 Visit visit);
    // Both fields non-empty with equal nx, ny and dx, dy within 1e-9.
    static bool sameGrid(const ComplexField2D& a, const ComplexField2D& b);

    // The message is cleared first; one message on failure.
    static bool validateConfiguration(const ScarConfig& config, std::string* error);
};

template <typename Visit>
void QuantumScar2D::forEachInsideRun(const ComplexField2D& grid, const StadiumGeometry& stadium, double halfWidth,
                                     Visit visit)
{
    // The band's rows are decided where the stadium's cells are.
    for (std::uint64_t j = 0; j < grid.ny(); ++j) {
        const double y = cellDecisionY(grid, j);
        const bool inBand = std::fabs(y - stadium.centerY) <= halfWidth;
        const auto [first, last] = insideRun(stadium, grid, j);
        visit(j, first, last, inBand);
    }
}

template <typename Density>
double QuantumScar2D::densityEnhancement(const ComplexField2D& grid, const StadiumGeometry& stadium, double halfWidth,
                                         Density density)
{
    double total = 0.0;
    double band = 0.0;
    forEachInsideRun(grid, stadium, halfWidth,
                     [&](std::uint64_t j, std::uint64_t first, std::uint64_t last, bool inBand) {
                         const std::uint64_t start = j * grid.nx() + first;
                         const double run = interleavedSums<1>(last - first, [&](std::size_t c) {
                             return std::array<double, 1>{density(start + c)};
                         })[0];
                         total += run;
                         if (inBand)
                             band += run;
                     });
    return orbitBandEnhancement(band, total, stadium, halfWidth);
}

} // namespace vxo
