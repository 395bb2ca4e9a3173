#pragma once

#include <cstdint>
#include <vector>

namespace vxo {

class ComplexField2D;
class PotentialField2D;

// Display data of one frame, one 32-bit float per grid cell in the field's
// row-major order (row 0, the smallest y, first, so it becomes the bottom row
// of an OpenGL texture):
//   probability = |psi|^2 = re^2 + im^2,  phase = atan2(im, re) in [-pi, pi],
//   potential = V (0 everywhere when no potential is given).
// The phase is evaluated on vector registers to within three units in the
// last place of single-precision atan2 (amplitude::densityAndPhase), far below
// one step of an 8-bit colour channel.
// The arrays are not normalised; the shaders divide by maxProbability and
// maxAbsPotential. Building a frame touches no OpenGL state.
struct QuantumTextureFrame2D {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::vector<float> probability;
    std::vector<float> phase;
    std::vector<float> potential;
    float maxProbability = 0.0f;
    float maxAbsPotential = 0.0f;
    // The potential the potential array was written from: its identity and
    // revision (0, 0 for none). A frame rebuilt over the same, unchanged
    // potential keeps the array and its maximum instead of copying them again.
    std::uint64_t potentialIdentity = 0;
    std::uint64_t potentialRevision = 0;

    // An empty wave function gives the default (incomplete) frame. A non-empty
    // potential must lie on the wave function's grid, else std::invalid_argument.
    static QuantumTextureFrame2D fromField(const ComplexField2D& psi, const PotentialField2D& potential);

    // The same frame written into `frame`, reusing its arrays' storage (the
    // view rebuilds its frame on every refresh); the potential array is
    // written only when the potential or the grid differs from the one it
    // holds. The grid check comes first: when it throws, `frame` is left as
    // it was.
    static void assignFromField(const ComplexField2D& psi, const PotentialField2D& potential,
                                QuantumTextureFrame2D& frame);

    // True unless width, height >= 1 and every array holds width * height values.
    static bool isIncomplete(const QuantumTextureFrame2D& frame);
};

} // namespace vxo
