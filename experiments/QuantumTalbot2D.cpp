#include "experiments/QuantumTalbot2D.h"

#include "core/Numeric.h"
#include "experiments/GaussianEnvelope.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kPeriod = "Talbot period must be finite and positive.";
constexpr const char* kToothSigma = "Talbot tooth sigma must be positive and smaller than half the period.";
constexpr const char* kSigmaY = "Talbot longitudinal sigma must be finite and positive.";
constexpr const char* kFinite = "Talbot initial-state position and momentum values must be finite.";
constexpr const char* kEmptyField = "Talbot initial state requires a non-empty field.";
constexpr const char* kHbar = "Talbot initial state requires positive finite hbar.";
constexpr const char* kDomain = "Talbot comb period must divide the FFT domain width exactly.";
constexpr const char* kCells = "Talbot period must span an even integer number of grid cells.";
constexpr const char* kNormalisation = "Talbot initial-state normalization failed.";

constexpr double kWholeTolerance = 1e-5;

const char* stateFault(const TalbotInitialState& s)
{
    if (!isFinitePositive(s.period))
        return kPeriod;
    if (!isFinitePositive(s.toothSigma) || !(s.toothSigma < 0.5 * s.period))
        return kToothSigma;
    if (!isFinitePositive(s.sigmaY))
        return kSigmaY;
    if (!isFinite(s.offsetX) || !isFinite(s.centerY) || !isFinite(s.momentumY))
        return kFinite;
    return nullptr;
}

} // namespace

bool QuantumTalbot2D::validateInitialState(const TalbotInitialState& state, std::string* error)
{
    if (const char* fault = stateFault(state))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumTalbot2D::prepareInitialState(ComplexField2D& field, const TalbotInitialState& state, double hbar,
                                          std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (const char* fault = stateFault(state))
        return failAnalysisIfEmpty(error, fault);
    if (!isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kHbar);
    const double a = state.period;
    const double dx = field.dx();
    // The FFT domain is periodic: only a whole number of periods keeps the
    // comb free of a seam.
    const double periods = static_cast<double>(field.nx()) * dx / a;
    const double wholePeriods = std::floor(periods + 0.5);
    if (!(wholePeriods >= 2.0) || !(std::fabs(periods - wholePeriods) <= kWholeTolerance))
        return failAnalysisIfEmpty(error, kDomain);
    const double cells = a / dx;
    const double wholeCells = std::floor(cells + 0.5);
    if (!(wholeCells >= 4.0) || !(std::fabs(cells - wholeCells) <= kWholeTolerance) ||
        std::fmod(wholeCells, 2.0) != 0.0)
        return failAnalysisIfEmpty(error, kCells);

    // The comb profile along x is the same on every row.
    std::vector<double> comb(static_cast<std::size_t>(field.nx()));
    for (std::uint64_t i = 0; i < field.nx(); ++i) {
        double d = gridCoordinateX(field, i) - state.offsetX;
        d -= std::floor(d / a + 0.5) * a; // nearest tooth
        comb[static_cast<std::size_t>(i)] = gaussianEnvelope(d, state.toothSigma);
    }
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double envelope = gaussianEnvelope(y - state.centerY, state.sigmaY);
        const double phase = state.momentumY * y / hbar;
        const double c = std::cos(phase);
        const double s = std::sin(phase);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double amplitude = comb[static_cast<std::size_t>(i)] * envelope;
            field.at(i, j) = Complex(static_cast<float>(amplitude * c), static_cast<float>(amplitude * s));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

double QuantumTalbot2D::talbotTime(double period, double mass, double hbar)
{
    if (!isFinitePositive(period) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return 0.0;
    return mass * period * period / (kPi * hbar);
}

std::vector<float> QuantumTalbot2D::halfPeriodShift(const std::vector<float>& row, double period, double dx)
{
    if (row.empty() || !(period > 0.0) || !(dx > 0.0))
        return {};
    const double s = period / (2.0 * dx);
    const double m = std::floor(s + 0.5);
    if (!(std::fabs(s - m) <= kWholeTolerance))
        return {};
    const long long n = static_cast<long long>(row.size());
    const long long shift = static_cast<long long>(std::fmod(m, static_cast<double>(n)));
    std::vector<float> out(row.size());
    for (long long i = 0; i < n; ++i) {
        long long source = (i - shift) % n;
        if (source < 0)
            source += n;
        out[static_cast<std::size_t>(i)] = row[static_cast<std::size_t>(source)];
    }
    return out;
}

} // namespace vxo
