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
    if (psi.empty())
        return frame;
    const bool hasPotential = !potential.empty();
    if (hasPotential && !potential.matches(psi))
        throw std::invalid_argument("QuantumTextureFrame2D: potential grid does not match wavefunction grid");

    const std::uint64_t cells = psi.nx() * psi.ny();
    frame.width = psi.nx();
    frame.height = psi.ny();
    frame.probability.assign(cells, 0.0f);
    frame.phase.assign(cells, 0.0f);
    frame.potential.assign(cells, 0.0f);

    const Complex* values = psi.data();
    const float* v = hasPotential ? potential.data() : nullptr;
    for (std::uint64_t k = 0; k < cells; ++k) {
        const float re = values[k].real();
        const float im = values[k].imag();
        const float p = im * im + re * re;
        frame.probability[k] = p;
        frame.phase[k] = std::atan2(im, re);
        if (v)
            frame.potential[k] = v[k];
        // Written as "greater than" so that a NaN cell never becomes the maximum.
        if (p > frame.maxProbability)
            frame.maxProbability = p;
        const float a = std::fabs(frame.potential[k]);
        if (a > frame.maxAbsPotential)
            frame.maxAbsPotential = a;
    }
    return frame;
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
