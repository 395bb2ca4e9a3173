#include "experiments/VortexRecorder.h"

#include "core/AngularMomentumRows.h"
#include "core/Numeric.h"
#include "experiments/GridCoordinates.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <complex>
#include <vector>

namespace vxo {

VortexRecorder::VortexRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 32)) {}

void VortexRecorder::reset()
{
    configured_ = false;
    state_ = VortexInitialState{};
    trap_ = VortexTrap{};
    samples_.clear();
}

void VortexRecorder::configure(const VortexInitialState& state, const VortexTrap& trap)
{
    reset();
    if (!trap.found || !QuantumVortex2D::validateConfig(state, nullptr))
        return;
    state_ = state;
    trap_ = trap;
    configured_ = true;
}

void VortexRecorder::record(double t, const ComplexField2D& field, double hbar)
{
    if (!configured_ || field.empty() || !isFinite(t))
        return;
    const VortexCore core = QuantumVortex2D::findCore(field, state_, trap_);
    VortexSample sample;
    sample.time = t;
    sample.found = core.found;
    sample.x = core.x;
    sample.y = core.y;
    sample.winding = core.winding;
    sample.coreDensity = core.coreDensity;
    sample.angularMomentum = angularMomentum(field, hbar, trap_.centerX, trap_.centerY);
    sample.norm = field.norm();
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

double VortexRecorder::angularMomentum(const ComplexField2D& field, double hbar, double centerX, double centerY)
{
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    if (nx < 3 || ny < 3 || !isFinitePositive(hbar))
        return 0.0;
    const double dx = field.dx();
    const double dy = field.dy();
    const double dA = dx * dy;
    // Re(conj(psi) (-i hbar) D) = hbar Im(conj(psi) D), D = x dpsi/dy - y dpsi/dx,
    // in real arithmetic. The central differences' 1/(2 dx) and 1/(2 dy) go
    // into the lever arms (x / (2 dy) per column, y / (2 dx) per row), and
    // hbar dA multiplies the sums once: a cell then costs no division. The
    // rows' sums are core/AngularMomentumRows.h's.
    const double halfPerDx = 0.5 / dx;
    const double halfPerDy = 0.5 / dy;
    thread_local std::vector<double> xArm;
    xArm.resize(static_cast<std::size_t>(nx));
    for (std::uint64_t i = 0; i < nx; ++i)
        xArm[i] = (cellCentre(i, nx, dx) - centerX) * halfPerDy;
    double numerator = 0.0;
    double denominator = 0.0;
    for (std::uint64_t j = 1; j + 1 < ny; ++j) {
        const angular::RowStencil row{&field.at(0, j), &field.at(0, j - 1), &field.at(0, j + 1), xArm.data(),
                                      (cellCentre(j, ny, dy) - centerY) * halfPerDx};
        const std::array<double, 2> sums = angular::rowSums(row, static_cast<std::size_t>(nx));
        numerator += sums[0];
        denominator += sums[1];
    }
    numerator *= hbar * dA;
    denominator *= dA;
    if (!(denominator > 1e-30))
        return 0.0;
    return numerator / denominator;
}

} // namespace vxo
