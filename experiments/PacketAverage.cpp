#include "experiments/PacketAverage.h"

#include "core/Numeric.h"

#include <cmath>

namespace vxo {

namespace {
// The distribution is sampled over +-6 spreads, where its weight is below
// 1e-8, on enough points to resolve resonances a hundredth of a spread wide.
constexpr double kSpreads = 6.0;
constexpr int kSamples = 1201;
} // namespace

double gaussianMomentumSpread(double sigma, double hbar)
{
    return isFinitePositive(sigma) && isFinitePositive(hbar) ? hbar / (2.0 * sigma) : 0.0;
}

double packetAveragedTransmission(const std::function<double(double energy)>& transmission, double p0, double sigmaP,
                                  double mass)
{
    if (!isFinitePositive(mass) || !isFinite(p0))
        return 0.0;
    const auto atMomentum = [&](double p) { return p > 0.0 ? transmission(p * p / (2.0 * mass)) : 0.0; };
    if (!isFinitePositive(sigmaP))
        return atMomentum(p0);
    const double step = 2.0 * kSpreads * sigmaP / (kSamples - 1);
    double weights = 0.0, sum = 0.0;
    for (int k = 0; k < kSamples; ++k) {
        const double u = -kSpreads + step * k / sigmaP;
        const double w = std::exp(-0.5 * u * u);
        weights += w;
        sum += w * atMomentum(p0 + u * sigmaP);
    }
    return sum / weights;
}

} // namespace vxo
