// The sums that read a field on interleaved partial sums: against the same
// sums taken in long double cell by cell, and the vector paths against the
// portable ones to the bit.

#include "core/AngularMomentumRows.h"
#include "core/FFT2DKernels.h"
#include "core/OverlapSums2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

namespace vxo {
namespace {

bool sameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

std::vector<double> flat(const OverlapSums& s) { return {s.product.real(), s.product.imag(), s.normA, s.normB}; }

void expectNear(const std::vector<double>& got, const std::vector<long double>& want, std::size_t count)
{
    for (std::size_t n = 0; n < want.size(); ++n)
        EXPECT_NEAR(got[n], static_cast<double>(want[n]), 1e-13 * (1.0 + static_cast<double>(count))) << n;
}

TEST(OverlapSums2D, AreTheOverlapAndBothNormsOnEveryPath)
{
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this processor has no AVX2 path to compare";
    const ComplexField2D other = test::randomField(1031, 1, 0.1f, 0.1f, 17);
    test::forEachRowAroundTheVectorWidth(5, [&](const std::vector<Complex>& b, std::size_t count, bool poisoned) {
        const Complex* a = other.data();
        const auto sums = [&](auto accumulate) {
            overlapsum::Partials partial = {};
            accumulate(a, b.data(), count, partial);
            return flat(overlapsum::close(partial));
        };
        const std::vector<double> portable = sums(overlapsum::accumulatePortable);
        EXPECT_TRUE(sameBits(portable, sums(overlapsum::accumulateAvx2))) << count;
        EXPECT_TRUE(sameBits(portable, flat(overlapSums(a, b.data(), count)))) << count;
        if (poisoned)
            return;
        std::vector<long double> plain(4, 0.0L);
        for (std::size_t c = 0; c < count; ++c) {
            const std::complex<long double> va(a[c].real(), a[c].imag()), vb(b[c].real(), b[c].imag());
            const std::complex<long double> product = std::conj(va) * vb;
            plain[0] += product.real();
            plain[1] += product.imag();
            plain[2] += std::norm(va);
            plain[3] += std::norm(vb);
        }
        expectNear(portable, plain, count);
    });
    // Rows of a multiple of four cells read one after another into the same
    // partials give the bits of one pass over the field.
    const ComplexField2D a = test::randomField(12, 5, 0.3f, 0.2f, 3), b = test::randomField(12, 5, 0.3f, 0.2f, 4);
    overlapsum::Partials rows = {};
    for (std::uint64_t j = 0; j < a.ny(); ++j)
        overlapsum::accumulate(&a.at(0, j), &b.at(0, j), 12, rows);
    EXPECT_TRUE(sameBits(flat(overlapsum::close(rows)), flat(overlapSums(a.data(), b.data(), a.size()))));
}

// Rows of every length around the vector width (the tail after the vectors
// included), with their rows below and above and a lever arm per column.
TEST(AngularMomentumRows, AreTheMomentAndWeightOnEveryPath)
{
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this processor has no AVX2 path to compare";
    for (const std::size_t nx : {3u, 4u, 5u, 6u, 7u, 9u, 10u, 13u, 70u}) {
        const ComplexField2D rows = test::randomField(nx, 3, 0.25f, 0.5f, static_cast<unsigned>(nx));
        std::vector<double> arm(nx);
        for (std::size_t i = 0; i < nx; ++i)
            arm[i] = 0.3 * static_cast<double>(i) - 1.1;
        const angular::RowStencil s{&rows.at(0, 1), &rows.at(0, 0), &rows.at(0, 2), arm.data(), -0.7};
        const std::array<double, 2> portable = angular::rowSumsPortable(s, nx);
        const std::array<double, 2> vector = angular::rowSumsAvx2(s, nx);
        EXPECT_EQ(std::memcmp(portable.data(), vector.data(), sizeof portable), 0) << nx;
        std::vector<long double> plain(2, 0.0L);
        for (std::size_t i = 1; i + 1 < nx; ++i) {
            const auto at = [](const Complex* r, std::size_t k) {
                return std::complex<long double>(r[k].real(), r[k].imag());
            };
            const std::complex<long double> d = static_cast<long double>(arm[i]) * (at(s.above, i) - at(s.below, i)) -
                                                static_cast<long double>(s.yArm) * (at(s.row, i + 1) - at(s.row, i - 1));
            plain[0] += (std::conj(at(s.row, i)) * d).imag();
            plain[1] += std::norm(at(s.row, i));
        }
        expectNear({portable[0], portable[1]}, plain, nx);
    }
}

} // namespace
} // namespace vxo
