#include "experiments/DrainedRowTransmission.h"

#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

// The absorbing ends: each a band of at least this length, and of several
// packet widths and wavelengths where those are longer, so that the mask
// rises slowly against the wave and reflects nothing the run could show.
constexpr double kShortestBand = 12.0;
constexpr double kBandWidths = 4.0;
constexpr double kBandWavelengths = 3.0;
// The mask's rate at the line's ends, per unit time: exp(-rate dt s^2) per
// step with s from 0 at the band's inner edge to 1 at the end.
constexpr double kAbsorptionRate = 8.0;
// The packet's Gaussian tail beyond this many widths is below the drained
// share: the line holds it whole.
constexpr double kPacketWidths = 6.0;
// Steps between two looks at the shares.
constexpr std::uint64_t kStepsPerLook = 50;

std::uint64_t powerOfTwoAtLeast(double cells)
{
    std::uint64_t n = 2;
    while (static_cast<double>(n) < cells)
        n *= 2;
    return n;
}

} // namespace

DrainedRowTransmission::DrainedRowTransmission(const PotentialField2D& potential, std::uint64_t row, double from,
                                               double to, const SplitStepParameters& parameters,
                                               const RowPacket& packet, double aheadShare, std::uint64_t mostWork)
    : mostWork_(mostWork), from_(from), to_(to),
      aheadShare_(std::clamp(isFinite(aheadShare) ? aheadShare : 0.5, 0.0, 1.0))
{
    finished_ = true;
    const std::uint64_t nx = potential.nx();
    if (potential.empty() || row >= potential.ny() || !isPowerOfTwo(nx) || !(to >= from) || !isFinite(from) ||
        !isFinite(to) || !isFinite(packet.centerX) || !isFinitePositive(packet.sigma) || !isFinite(packet.momentum))
        return;
    try {
        SplitStepFourierSolver2D::validateParameters(parameters);
    } catch (const std::invalid_argument&) {
        return;
    }
    dx_ = potential.dx();
    const double hbar = parameters.hbar;
    const double mass = parameters.mass;
    const double dt = parameters.dt;

    // A line centred as the grid is, of an even number of cells, shares its
    // cell centres with the row.
    const double speed = std::abs(packet.momentum) / mass;
    const double wavelength = speed > 0.0 ? 2.0 * kPi * hbar / std::abs(packet.momentum) : 0.0;
    const double band = std::max({kShortestBand, kBandWidths * packet.sigma, kBandWavelengths * wavelength});
    const double reach =
        std::max({std::abs(packet.centerX) + kPacketWidths * packet.sigma, std::abs(from), std::abs(to)}) +
        2.0 * packet.sigma;
    const std::uint64_t n = powerOfTwoAtLeast(2.0 * (reach + band) / dx_);
    const double halfLength = 0.5 * static_cast<double>(n) * dx_;
    // The span's cells, painted one by one: a cell's faces lie half a cell
    // from its centre, so each rectangle takes its own cell and no other.
    line_ = PotentialField2D(n, 1, potential.dx(), potential.dy());
    const std::int64_t shift = (static_cast<std::int64_t>(n) - static_cast<std::int64_t>(nx)) / 2;
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double x = cellCentre(i, nx, dx_);
        const float value = potential.valueAt(i, row);
        const std::int64_t target = static_cast<std::int64_t>(i) + shift;
        if (x < from || x > to || value == 0.0f || target < 0 || target >= static_cast<std::int64_t>(n))
            continue;
        line_.addRectangle(static_cast<float>(x), 0.0f, potential.dx(), potential.dy(), value);
    }

    psi_ = ComplexField2D(n, 1, potential.dx(), potential.dy());
    x_.assign(n, 0.0);
    mask_.assign(n, 1.0f);
    double norm = 0.0;
    std::vector<std::complex<double>> start(n);
    for (std::uint64_t i = 0; i < n; ++i) {
        x_[i] = cellCentre(i, n, dx_);
        const double offset = x_[i] - packet.centerX;
        start[i] = std::exp(-offset * offset / (4.0 * packet.sigma * packet.sigma)) *
                   std::polar(1.0, packet.momentum * x_[i] / hbar);
        norm += std::norm(start[i]) * dx_;
        const double depth = (std::abs(x_[i]) - (halfLength - band)) / band;
        if (depth > 0.0)
            mask_[i] = static_cast<float>(std::exp(-kAbsorptionRate * dt * depth * depth));
    }
    if (!isFinitePositive(norm))
        return;
    for (std::uint64_t i = 0; i < n; ++i) {
        const std::complex<double> value = start[i] / std::sqrt(norm);
        psi_.at(i, 0) = Complex(static_cast<float>(value.real()), static_cast<float>(value.imag()));
    }
    solver_.configure(parameters);
    longest_ = static_cast<std::uint64_t>(std::ceil(kLongestRun / dt));
    finished_ = false;
}

bool DrainedRowTransmission::advance(std::uint64_t work)
{
    const std::uint64_t budget = workDone_ + work;
    while (!finished_) {
        solver_.step(psi_, line_);
        ++steps_;
        workDone_ += psi_.size() * solver_.subSteps();
        const std::uint64_t n = psi_.size();
        for (std::uint64_t i = 0; i < n; ++i) {
            if (mask_[i] == 1.0f)
                continue;
            const double before = std::norm(psi_.at(i, 0));
            psi_.at(i, 0) *= mask_[i];
            if (x_[i] > 0.0)
                takenRight_ += (before - std::norm(psi_.at(i, 0))) * dx_;
        }
        if ((steps_ % kStepsPerLook == 0 || steps_ == longest_) && look(steps_ == longest_)) {
            finished_ = true;
            break;
        }
        if (workDone_ >= mostWork_) {
            result_.overBudget = true;
            result_.time = solver_.time();
            finished_ = true;
            break;
        }
        if (workDone_ >= budget)
            break;
    }
    return finished_;
}

bool DrainedRowTransmission::look(bool last)
{
    double left = 0.0, inside = 0.0, right = 0.0;
    for (std::uint64_t i = 0; i < psi_.size(); ++i) {
        const double p = std::norm(psi_.at(i, 0)) * dx_;
        (x_[i] < from_ ? left : x_[i] > to_ ? right : inside) += p;
    }
    // Drained: the span holds a trace, and what went back has reached the
    // absorbing end, so nothing is still on its way in.
    if (!(inside < kDrainedShare && left < kDrainedShare) && !last)
        return false;
    result_.valid = true;
    result_.transmission = std::clamp(takenRight_ + right + aheadShare_ * inside, 0.0, 1.0);
    result_.time = solver_.time();
    return true;
}

RowTransmission DrainedRowTransmission::run(const PotentialField2D& potential, std::uint64_t row, double from,
                                            double to, const SplitStepParameters& parameters, const RowPacket& packet,
                                            double aheadShare)
{
    DrainedRowTransmission check(potential, row, from, to, parameters, packet, aheadShare);
    check.advance(kMostWork);
    return check.result();
}

} // namespace vxo
