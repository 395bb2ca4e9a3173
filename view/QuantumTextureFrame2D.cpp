#include "view/QuantumTextureFrame2D.h"

#include "core/AmplitudeKernels.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <algorithm>
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
    if (psi.empty()) {
        frame.width = 0;
        frame.height = 0;
        frame.probability.clear();
        frame.phase.clear();
        frame.potential.clear();
        frame.maxAbsPotential = 0.0f;
        frame.potentialIdentity = 0;
        frame.potentialRevision = 0;
        return;
    }
    const std::uint64_t cells = psi.nx() * psi.ny();
    // The potential changes only with its revision; the grid, with the frame's size.
    const std::uint64_t identity = hasPotential ? potential.identity() : 0;
    const std::uint64_t revision = hasPotential ? potential.revision() : 0;
    const bool potentialKept = frame.width == psi.nx() && frame.height == psi.ny() && frame.potential.size() == cells &&
                               frame.potentialIdentity == identity && frame.potentialRevision == revision &&
                               (identity != 0 || !hasPotential);
    frame.width = psi.nx();
    frame.height = psi.ny();
    // Every value is written below, so the arrays need no zero fill.
    frame.probability.resize(cells);
    frame.phase.resize(cells);

    // Density, phase and potential on the processor's widest vectors.
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    frame.maxProbability =
        amplitude::densityAndPhase(path, psi.data(), cells, frame.probability.data(), frame.phase.data());
    if (potentialKept)
        return;
    frame.potential.resize(cells);
    frame.potentialIdentity = identity;
    frame.potentialRevision = revision;
    if (hasPotential) {
        frame.maxAbsPotential = amplitude::copyWithMaxAbs(path, potential.data(), cells, frame.potential.data());
    } else {
        frame.maxAbsPotential = 0.0f;
        std::fill(frame.potential.begin(), frame.potential.end(), 0.0f);
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
