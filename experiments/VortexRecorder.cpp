#include "experiments/VortexRecorder.h"

#include "core/Numeric.h"
#include "experiments/GridCoordinates.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <complex>

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
    // in real arithmetic.
    double numerator = 0.0;
    double denominator = 0.0;
    for (std::uint64_t j = 1; j + 1 < ny; ++j) {
        const double y = cellCentre(j, ny, dy) - centerY;
        const Complex* row = &field.at(0, j);
        const Complex* below = &field.at(0, j - 1);
        const Complex* above = &field.at(0, j + 1);
        for (std::uint64_t i = 1; i + 1 < nx; ++i) {
            const double x = cellCentre(i, nx, dx) - centerX;
            const double re = row[i].real();
            const double im = row[i].imag();
            const double dxRe = (static_cast<double>(row[i + 1].real()) - row[i - 1].real()) / (2.0 * dx);
            const double dxIm = (static_cast<double>(row[i + 1].imag()) - row[i - 1].imag()) / (2.0 * dx);
            const double dyRe = (static_cast<double>(above[i].real()) - below[i].real()) / (2.0 * dy);
            const double dyIm = (static_cast<double>(above[i].imag()) - below[i].imag()) / (2.0 * dy);
            const double dRe = x * dyRe - y * dxRe;
            const double dIm = x * dyIm - y * dxIm;
            numerator += hbar * (re * dIm - im * dRe) * dA;
            denominator += (re * re + im * im) * dA;
        }
    }
    if (!(denominator > 1e-30))
        return 0.0;
    return numerator / denominator;
}

} // namespace vxo
