#include "view/QuantumTextureFrame2D.h"

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace vxo {

QuantumTextureFrame2D QuantumTextureFrame2D::fromField(const ComplexField2D& psi, const PotentialField2D& potential)
{
    QuantumTextureFrame2D frame;
    assignFromField(psi, potential, frame);
    return frame;
}

void QuantumTextureFrame2D::assignFromField(const ComplexField2D& psi, const PotentialField2D& potential,
                                            QuantumTextureFrame2D& frame)
{
    const bool hasPotential = !potential.empty();
    if (!psi.empty() && hasPotential && !potential.matches(psi))
        throw std::invalid_argument("QuantumTextureFrame2D: potential grid does not match wavefunction grid");

    frame.maxProbability = 0.0f;
    frame.maxAbsPotential = 0.0f;
    if (psi.empty()) {
        frame.width = 0;
        frame.height = 0;
        frame.probability.clear();
        frame.phase.clear();
        frame.potential.clear();
        return;
    }
    const std::uint64_t cells = psi.nx() * psi.ny();
    frame.width = psi.nx();
    frame.height = psi.ny();
    // Every value is written below, so the arrays need no zero fill.
    frame.probability.resize(cells);
    frame.phase.resize(cells);
    frame.potential.resize(cells);

    const Complex* values = psi.data();
    const float* v = hasPotential ? potential.data() : nullptr;
    for (std::uint64_t k = 0; k < cells; ++k) {
        const float re = values[k].real();
        const float im = values[k].imag();
        const float p = im * im + re * re;
        frame.probability[k] = p;
        frame.phase[k] = std::atan2(im, re);
        frame.potential[k] = v ? v[k] : 0.0f;
        // Written as "greater than" so that a NaN cell never becomes the maximum.
        if (p > frame.maxProbability)
            frame.maxProbability = p;
        const float a = std::fabs(frame.potential[k]);
        if (a > frame.maxAbsPotential)
            frame.maxAbsPotential = a;
    }
}

bool QuantumTextureFrame2D::isIncomplete(const QuantumTextureFrame2D& frame)
{
    if (frame.width == 0 || frame.height == 0)
        return true;
    // A product that would wrap cannot be matched by any array.
    if (frame.width > UINT64_MAX / frame.height)
        return true;
    const std::uint64_t cells = frame.width * frame.height;
    return frame.probability.size() != cells || frame.phase.size() != cells || frame.potential.size() != cells;
}

} // namespace vxo
