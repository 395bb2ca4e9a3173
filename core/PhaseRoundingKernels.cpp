// The plain C++ carried rounding of phase-factor offsets, and the choice of
// the AVX2 copy where the processor has it.

#include "core/PhaseRoundingKernels.h"

#include "core/PhaseFactors.h"

namespace vxo::phase {

void roundOffsetCarriedRunsPortable(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    for (std::size_t k = 0; k < count; ++k)
        out[k] = roundOffsetCarried(d[k], s[k], carried[k % kCarriedRuns]);
}

void roundOffsetCarriedRuns(fft2d::Path path, const double* d, const double* s, std::size_t count, double* carried,
                            Complex* out)
{
#if defined(__x86_64__)
    if (path == fft2d::Path::Avx2) {
        roundOffsetCarriedRunsAvx2(d, s, count, carried, out);
        return;
    }
#endif
    roundOffsetCarriedRunsPortable(d, s, count, carried, out);
}

} // namespace vxo::phase
