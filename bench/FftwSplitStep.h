#pragma once

// The solver's Strang split step on FFTW's transforms (single precision, one
// thread), the reference the split-step benchmark times the solver against.
// It takes the solver's own tables, offsets from one, and applies them with
// the solver's own cell products: potential half step, forward transform,
// kinetic phase, inverse transform, potential half step. FFTW leaves the
// inverse unscaled; the kinetic product takes the 1/N as well, in the same
// pass, and since N is a power of two that scaling is exact. The step is
// then the solver's arithmetic but for the rounding inside the transforms,
// so both keep the norm alike.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/SplitStepFourierSolver2D.h"

#include <fftw3.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace vxo::bench {

namespace detail {

// values[c] = scale offsetProduct(values[c], offsets[c]) on interleaved
// (re, im) pairs, products and sums rounded as offsetProduct rounds them.
__attribute__((always_inline)) inline void
scaledOffsetProducts(float* __restrict values, const float* __restrict offsets, std::size_t count, float scale)
{
    for (std::size_t c = 0; c < 2 * count; c += 2) {
        const float xr = values[c], xi = values[c + 1];
        const float fr = offsets[c], fi = offsets[c + 1];
        values[c] = scale * (xr + (fr * xr + (-fi) * xi));
        values[c + 1] = scale * (xi + (fr * xi + fi * xr));
    }
}

#if defined(__x86_64__)
// The same loop compiled for AVX2 (without FMA), taken where the solver's
// own products take AVX2.
__attribute__((target("avx2"))) inline void
scaledOffsetProductsAvx2(float* __restrict values, const float* __restrict offsets, std::size_t count, float scale)
{
    scaledOffsetProducts(values, offsets, count, scale);
}
#endif

} // namespace detail

class FftwSplitStep {
public:
    // Copies psi into FFTW's buffer and plans both transforms for its grid
    // with the given planner flag (FFTW_MEASURE for timing; the planner works
    // on a buffer of its own, psi is never touched). The solver's tables must
    // have been built for psi's grid and its potential must take one
    // sub-step: anything else throws std::invalid_argument.
    FftwSplitStep(const SplitStepFourierSolver2D& solver, const ComplexField2D& psi, unsigned planner)
        : nx_(psi.nx()), ny_(psi.ny()), count_(psi.size())
    {
        if (psi.empty() || !solver.kineticPhaseMatches(psi) || solver.potentialPhase().size() != count_)
            throw std::invalid_argument("FftwSplitStep: the solver's tables are not built for this field");
        if (solver.subSteps() != 1)
            throw std::invalid_argument("FftwSplitStep: the potential takes sub-steps");
        kinetic_ = solver.kineticPhase();
        potential_ = solver.potentialPhase();
        data_ = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * count_));
        // Rows of nx values, ny of them: FFTW's dimensions are slowest first.
        forward_ = fftwf_plan_dft_2d(int(ny_), int(nx_), data_, data_, FFTW_FORWARD, planner);
        inverse_ = fftwf_plan_dft_2d(int(ny_), int(nx_), data_, data_, FFTW_BACKWARD, planner);
        if (!data_ || !forward_ || !inverse_) {
            release();
            throw std::runtime_error("FftwSplitStep: FFTW could not plan the transforms");
        }
        // Planning overwrites the buffer.
        std::memcpy(data_, psi.data(), sizeof(fftwf_complex) * count_);
    }
    ~FftwSplitStep() { release(); }
    FftwSplitStep(const FftwSplitStep&) = delete;
    FftwSplitStep& operator=(const FftwSplitStep&) = delete;

    void step()
    {
        Complex* values = reinterpret_cast<Complex*>(data_);
        vxo::multiplyCells(values, potential_.data(), count_);
        fftwf_execute(forward_);
        scaledKineticProducts();
        fftwf_execute(inverse_);
        vxo::multiplyCells(values, potential_.data(), count_);
    }

    // The buffer's values, into psi (which must have the grid it was made from).
    void copyTo(ComplexField2D& psi) const
    {
        if (psi.size() != count_ || psi.nx() != nx_)
            throw std::invalid_argument("FftwSplitStep: the field has another grid");
        const Complex* values = reinterpret_cast<const Complex*>(data_);
        std::copy(values, values + count_, psi.data());
    }

    const fftwf_complex* data() const { return data_; }

private:
    void scaledKineticProducts()
    {
        float* values = reinterpret_cast<float*>(data_);
        const float* offsets = reinterpret_cast<const float*>(kinetic_.data());
        const float scale = 1.0f / static_cast<float>(count_);
#if defined(__x86_64__)
        if (fft2d::bestKernelSet() == fft2d::KernelSet::Avx2) {
            detail::scaledOffsetProductsAvx2(values, offsets, count_, scale);
            return;
        }
#endif
        detail::scaledOffsetProducts(values, offsets, count_, scale);
    }

    void release()
    {
        if (forward_)
            fftwf_destroy_plan(forward_);
        if (inverse_)
            fftwf_destroy_plan(inverse_);
        if (data_)
            fftwf_free(data_);
        forward_ = inverse_ = nullptr;
        data_ = nullptr;
    }

    std::size_t nx_ = 0;
    std::size_t ny_ = 0;
    std::size_t count_ = 0;
    std::vector<Complex> kinetic_;
    std::vector<Complex> potential_;
    fftwf_complex* data_ = nullptr;
    fftwf_plan forward_ = nullptr;
    fftwf_plan inverse_ = nullptr;
};

} // namespace vxo::bench
