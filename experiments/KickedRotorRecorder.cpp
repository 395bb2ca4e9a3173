#include "experiments/KickedRotorRecorder.h"

#include "core/Numeric.h"
#include "experiments/MomentumColumns.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

namespace {
constexpr int kEnsembleSize = 512;
} // namespace

KickedRotorRecorder::KickedRotorRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void KickedRotorRecorder::reset()
{
    configured_ = false;
    tau_ = 0.0;
    samples_.clear();
}

void KickedRotorRecorder::configure(const KickedRotorConfig& kickConfig,
                                    const KickedRotorInitialStateConfig& initialConfig, double scaledKickPeriod)
{
    reset();
    if (!kickConfig.enabled || !(scaledKickPeriod > 0.0) || !QuantumKickedRotor2D::validateKick(kickConfig, nullptr) ||
        !QuantumKickedRotor2D::validateInitialState(initialConfig, nullptr))
        return;
    kickConfig_ = kickConfig;
    initialConfig_ = initialConfig;
    tau_ = scaledKickPeriod;
    configured_ = true;
}

void KickedRotorRecorder::record(const MomentumSpace2D& momentumSpace, std::uint64_t kickCount, double time)
{
    if (!configured_ || (!samples_.empty() && samples_.back().kickCount == kickCount))
        return;
    appendBounded(samples_, makeSample(momentumSpace, kickCount, time), static_cast<std::size_t>(capacity_));
}

double KickedRotorRecorder::classicalMeanSquareMode(double phaseStrength, double tau, std::int32_t initialMode,
                                                    std::uint64_t kickCount)
{
    const double stochasticity = phaseStrength * tau;
    const double twoPi = 2.0 * kPi;
    double sum = 0.0;
    for (int member = 0; member < kEnsembleSize; ++member) {
        // Angles on the midpoints of N equal cells of (-pi, pi).
        double theta = (member + 0.5) * twoPi / kEnsembleSize - kPi;
        double p = static_cast<double>(initialMode) * tau;
        for (std::uint64_t kick = 0; kick < kickCount; ++kick) {
            p += stochasticity * std::sin(theta);
            theta = std::fmod(p + theta + kPi, twoPi);
            if (theta < 0.0)
                theta += twoPi;
            theta -= kPi;
        }
        const double mode = p / tau;
        sum += mode * mode;
    }
    return sum / kEnsembleSize;
}

KickedRotorSample KickedRotorRecorder::makeSample(const MomentumSpace2D& momentumSpace, std::uint64_t kickCount,
                                                  double time) const
{
    KickedRotorSample sample;
    sample.kickCount = kickCount;
    sample.time = time;
    const std::vector<double> columns = momentumColumnProbabilities(momentumSpace);
    if (columns.empty())
        return sample;
    if (!momentumColumnDistribution(columns, sample.totalProbability, sample.distribution))
        return sample;
    const std::uint64_t nx = columns.size();
    const double dpx = momentumSpace.field.dx();
    const double total = sample.totalProbability;

    double mean = 0.0, meanSquare = 0.0, squares = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double p = columns[i] / total;
        const double n = momentumSpace.pxAxis[i] / dpx;
        mean += p * n;
        meanSquare += p * n * n;
        squares += p * p;
    }
    sample.firstMode = momentumSpace.pxAxis[0] / dpx;
    sample.meanMode = mean;
    sample.meanSquareMode = meanSquare;
    sample.modeVariance = std::max(0.0, meanSquare - mean * mean);
    sample.participationRatio = squares > 0.0 ? 1.0 / squares : 0.0;

    if (tau_ > 0.0 && isFinite(tau_) && QuantumKickedRotor2D::validateKick(kickConfig_, nullptr) &&
        QuantumKickedRotor2D::validateInitialState(initialConfig_, nullptr))
        sample.classicalMeanSquareMode =
            classicalMeanSquareMode(kickConfig_.phaseStrength, tau_, initialConfig_.initialMomentumMode, kickCount);
    return sample;
}

} // namespace vxo
