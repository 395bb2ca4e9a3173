#include "experiments/LandauRecorder.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/FieldProducts.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vxo {

LandauRecorder::LandauRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void LandauRecorder::reset()
{
    configured_ = false;
    config_ = LandauConfig{};
    reference_ = ComplexField2D{};
    referenceNorm_ = 0.0;
    mass_ = 1.0;
    hbar_ = 1.0;
    samples_.clear();
}

bool LandauRecorder::configure(const ComplexField2D& field, const GaugeLinkField2D& links, const LandauConfig& config,
                               double mass, double hbar)
{
    reset();
    if (field.empty() || !links.matches(field) || !QuantumLandau2D::validateConfiguration(config, nullptr) ||
        !isFinitePositive(mass) || !isFinitePositive(hbar))
        return false;
    config_ = config;
    reference_ = field;
    referenceNorm_ = field.norm();
    mass_ = mass;
    hbar_ = hbar;
    configured_ = true;
    return true;
}

void LandauRecorder::record(double t, const ComplexField2D& field, const GaugeLinkField2D& links)
{
    if (!configured_ || !links.matches(field))
        return;
    const double dA = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    double norm = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    double sumR2 = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double p = cellProbability(field.at(i, j), dA);
            norm += p;
            sumX += x * p;
            sumY += y * p;
            sumR2 += (x * x + y * y) * p;
        }
    }
    const double N = std::max(norm, 1e-18);

    LandauSample sample;
    sample.time = t;
    sample.norm = norm;
    sample.meanX = sumX / N;
    sample.meanY = sumY / N;
    sample.rmsRadius = std::sqrt(std::max(sumR2 / N, 0.0));
    if (reference_.nx() == field.nx() && reference_.ny() == field.ny()) {
        // |<psi|psi_0>| = |<psi_0|psi>|; the sum takes the reference's cell area.
        const double overlap = std::abs(innerProduct(field, reference_));
        sample.fidelity = overlap * overlap / std::max(referenceNorm_ * norm, 1e-18);
    }
    sample.energy = gaugeKineticEnergy(field, links, mass_, hbar_) / N;
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

} // namespace vxo
