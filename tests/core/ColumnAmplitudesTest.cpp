// The column sums of the amplitude against the same sums taken cell by cell,
// on non-square grids, and the vector row pass against the portable one.

#include "core/ColumnAmplitudes2D.h"
#include "core/FFT2DKernels.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace vxo {
namespace {

// Each column summed down its rows in order, components widened to double.
std::vector<std::complex<double>> plainColumns(const ComplexField2D& psi)
{
    std::vector<std::complex<double>> sums(psi.nx());
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i)
            sums[i] += std::complex<double>(psi.at(i, j).real(), psi.at(i, j).imag());
    return sums;
}

// One storage used for fields of several shapes in turn, the larger first:
// every column is the in-order sum of its cells, and nothing of an earlier
// field remains.
TEST(ColumnAmplitudes2D, EachColumnIsTheSumOfItsCellsWhateverTheGridBefore)
{
    struct Case {
        std::uint64_t nx, ny;
        float dx, dy;
    };
    ColumnAmplitudes2D sums;
    unsigned seed = 11;
    for (const Case c :
         {Case{130, 24, 0.2f, 0.35f}, Case{12, 70, 0.3f, 0.05f}, Case{1, 3, 0.5f, 0.25f}, Case{37, 1, 0.1f, 0.4f}}) {
        const std::string name = std::to_string(c.nx) + "x" + std::to_string(c.ny);
        const ComplexField2D psi = test::randomField(c.nx, c.ny, c.dx, c.dy, ++seed);
        sums.compute(psi);
        ASSERT_EQ(sums.columns().size(), c.nx) << name;
        EXPECT_EQ(sums.ny(), c.ny) << name;
        EXPECT_EQ(sums.dx(), static_cast<double>(c.dx)) << name;
        EXPECT_EQ(sums.dy(), static_cast<double>(c.dy)) << name;
        const std::vector<std::complex<double>> plain = plainColumns(psi);
        EXPECT_EQ(std::memcmp(sums.columns().data(), plain.data(), plain.size() * sizeof plain[0]), 0)
            << name << ": the columns are not the cells' sums in row order";
    }
    sums.compute(ComplexField2D());
    EXPECT_TRUE(sums.empty());
}

#if defined(__x86_64__)
// Rows of every length around the vector width, with and without non-finite
// values, added onto columns that already hold sums: the vector pass writes
// the same bits as the portable one.
TEST(ColumnAmplitudes2D, VectorRowPassMatchesThePortableOneBitForBit)
{
    ASSERT_TRUE(fft2d::isAvailable(fft2d::KernelSet::Avx2)) << "this processor has no AVX2 path to compare";
    test::forEachRowAroundTheVectorWidth(5, [](const std::vector<Complex>& row, std::size_t count, bool poisoned) {
        std::vector<std::complex<double>> portable(count, {0.25, -0.125});
        std::vector<std::complex<double>> vector(count, {0.25, -0.125});
        columnsum::accumulateRowPortable(row.data(), count, portable.data());
        columnsum::accumulateRowAvx2(row.data(), count, vector.data());
        EXPECT_TRUE(count == 0 ||
                    std::memcmp(portable.data(), vector.data(), count * sizeof(std::complex<double>)) == 0)
            << count << (poisoned ? " poisoned" : "");
    });
}
#endif

} // namespace
} // namespace vxo
