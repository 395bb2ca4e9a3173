#include "core/FFT2D.h"

#include "core/FFT2DKernels.h"
#include "core/FFT2DPasses.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "core/VectorKernels.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <complex>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace vxo {

bool FFT2D::isPowerOfTwoGrid(std::uint64_t nx, std::uint64_t ny) { return isPowerOfTwo(nx) && isPowerOfTwo(ny); }

void FFT2D::forward(ComplexField2D& field) { transform(field, false); }

void FFT2D::inverse(ComplexField2D& field) { transform(field, true); }

void FFT2D::transform(ComplexField2D& field, bool inverse)
{
    if (field.empty())
        throw std::invalid_argument("FFT2D: field must not be empty");
    if (!isPowerOfTwoGrid(field.nx(), field.ny()))
        throw std::invalid_argument("FFT2D: width and height must be powers of two");
    fft2d::transformField(fft2d::bestKernelSet(), field.data(), field.nx(), field.ny(), inverse);
}

void FFT2D::transformLine(Complex* first, std::size_t n, std::size_t stride, bool inverse)
{
    if (n != 0 && !isPowerOfTwo(n))
        throw std::invalid_argument("FFT2D: width and height must be powers of two");
    fft2d::transformStridedLine(first, n, stride, inverse);
}

namespace fft2d {

bool isAvailable(KernelSet path)
{
    switch (path) {
    case KernelSet::Portable:
        return true;
#if defined(__x86_64__)
    case KernelSet::Sse2:
        return true;
    case KernelSet::Avx2:
        // Also checks that the operating system saves the AVX registers.
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
#endif
    default:
        return false;
    }
}

KernelSet bestKernelSet()
{
    // Asked once: the answer cannot change while the program runs.
    static const KernelSet best = isAvailable(KernelSet::Avx2)   ? KernelSet::Avx2
                                  : isAvailable(KernelSet::Sse2) ? KernelSet::Sse2
                                                                 : KernelSet::Portable;
    return best;
}

namespace {

// A twiddle near 0 or -pi (or near -+pi/2) has a larger part within a few
// units of one, whose single-precision values lie 2^-24 apart: they move
// |w|^2 in steps of 1.2e-7, and the other part, small, cannot make up the
// difference within a few of its units. A field whose spectrum sits at a few
// low wave numbers (a state at rest in a well) meets only these twiddles, so
// their own modulus errors, not their sum over the table, bias its transform
// (about -1e-8 per transform of a bound state). The point of the unit circle
// through the single-precision larger part is one of modulus one within a
// unit of the smaller part; it turns the twiddle by at most
// 2^-25 / |smaller part| (5e-6 rad at 1024 points), which a forward and an
// inverse transform undo together.
std::complex<double> onCircleThroughLargerPart(double re, double im)
{
    if (std::abs(re) >= std::abs(im)) {
        const double larger = static_cast<float>(re);
        return {larger, std::copysign(std::sqrt(std::max(0.0, 1.0 - larger * larger)), im)};
    }
    const double larger = static_cast<float>(im);
    return {std::copysign(std::sqrt(std::max(0.0, 1.0 - larger * larger)), re), larger};
}

// An inverse transform of a few frequencies (the split step's way back)
// meets each stage's twiddles all alike, in the stages picked by the bits of
// those frequencies: there the mean error of a stage counts. The twiddles
// of the stages up to this half-length lie near odd multiples of pi/8 and
// pi/4, where no pair comes within 3e-8 of modulus one; their errors also
// carry the stage's own sum, so that they take both signs, and the longer
// stages, with twiddles of every angle, cancel what that leaves on the paths.
constexpr std::size_t kBalancedStage = 8;

// Stage tables by log2 of the half-length, each built after all shorter ones,
// because its rounding carries their modulus errors.
struct StageTwiddleTables {
    static constexpr int kLevels = 8 * sizeof(std::size_t);
    std::mutex mutex;
    std::atomic<int> built{0};
    // The summed modulus errors (|w|^2 - 1) of the twiddles on the way to
    // each frequency of the next stage's sub-transforms (index k of 2h).
    std::vector<double> path{0.0};
    std::unique_ptr<Complex[]> forward[kLevels];
    std::unique_ptr<Complex[]> inverse[kLevels];

    void build(int level)
    {
        const std::size_t h = std::size_t{1} << level;
        // exp(-i pi / h), advanced in double precision from w = 1.
        const double theta = -kPi / static_cast<double>(h);
        const double c = std::cos(theta);
        const double sn = std::sin(theta);
        forward[level] = std::make_unique<Complex[]>(h);
        inverse[level] = std::make_unique<Complex[]>(h);
        // Two corrections, each needed: the aim through the larger part makes
        // the twiddles near 1 and -1, all that a state at rest meets, of
        // modulus one on their own (without it a ground state drifts by 1e-4
        // in 4000 steps); roundToUnit then cancels what is left along each
        // frequency's way through the stages.
        std::vector<std::complex<double>> exact(h);
        double re = 1.0, im = 0.0;
        for (std::size_t k = 0; k < h; ++k) {
            exact[k] = onCircleThroughLargerPart(re, im);
            const double nr = re * c - im * sn;
            const double ni = re * sn + im * c;
            re = nr;
            im = ni;
        }
        // Frequency k of a sub-transform of length 2h takes twiddle k mod h
        // of this stage, after the twiddles of its residues in the shorter
        // stages; a forward transform whose result has a few frequencies (a
        // state at rest in a well) loses to each stage about half the modulus
        // error of the twiddle on their way. So every twiddle carries the errors on the way to it, and
        // the errors along any one frequency's way, not only their sum over
        // the table, cancel.
        std::vector<double> next(2 * h);
        // The errors of this stage so far (short stages only).
        double stage = 0.0;
        for (std::size_t k = 0; k < h; ++k) {
            double error = 0.0;
            const double carried = path[k] + (h <= kBalancedStage ? stage : 0.0);
            const Complex w = roundToUnit(exact[k].real(), exact[k].imag(), carried, &error);
            next[k] = next[k + h] = path[k] + error;
            stage += error;
            forward[level][k] = w;
            inverse[level][k] = Complex(w.real(), -w.imag());
        }
        path.swap(next);
    }
};

} // namespace

const Complex* stageTwiddles(std::size_t h, bool inverse)
{
    static StageTwiddleTables tables;
    const int level = log2OfPowerOfTwo(h);
    if (level >= tables.built.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> lock(tables.mutex);
        int built = tables.built.load(std::memory_order_relaxed);
        for (; built <= level; ++built)
            tables.build(built);
        tables.built.store(built, std::memory_order_release);
    }
    return inverse ? tables.inverse[level].get() : tables.forward[level].get();
}

void transformField(KernelSet path, Complex* data, std::size_t nx, std::size_t ny, bool inverse)
{
    transformField(path, data, nx, ny, inverse, nullptr, nullptr);
}

void transformField(KernelSet path, Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                    const Complex* after)
{
    vectorKernels(path).transform(data, nx, ny, inverse, before, after);
}

void multiplyCells(KernelSet path, Complex* values, const Complex* factors, std::size_t count)
{
    vectorKernels(path).multiply(values, factors, count);
}

} // namespace fft2d

} // namespace vxo
