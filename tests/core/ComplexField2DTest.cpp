#include "core/ComplexField2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::test::messageOf;

TEST(ComplexField2D, DefaultAndEmptyFields)
{
    ComplexField2D f;
    EXPECT_TRUE(f.empty());
    EXPECT_EQ(f.nx(), 0u);
    EXPECT_EQ(f.dx(), 1.0f);
    EXPECT_EQ(f.norm(), 0.0);
    EXPECT_FALSE(f.normalize());

    ComplexField2D zeroWide(0, 8, 0.5f, 0.5f);
    EXPECT_TRUE(zeroWide.empty());
    EXPECT_EQ(vxo::gridCoordinateX(zeroWide, 3), 0.0);
    EXPECT_NE(vxo::gridCoordinateY(zeroWide, 0), 0.0);
}

TEST(ComplexField2D, StepChecksAndFailedResetKeepsState)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {0.0f, -1.0f, nan}) {
        EXPECT_EQ(messageOf([&] { ComplexField2D(4, 4, bad, 1.0f); }), "ComplexField2D: dx and dy must be positive");
        EXPECT_EQ(messageOf([&] { ComplexField2D(4, 4, 1.0f, bad); }), "ComplexField2D: dx and dy must be positive");
    }
    EXPECT_NO_THROW(ComplexField2D(2, 2, inf, 1.0f));

    ComplexField2D f(4, 2, 0.5f, 0.25f);
    f.fill(Complex(1.0f, 2.0f));
    EXPECT_THROW(f.reset(8, 8, -1.0f, 1.0f), std::invalid_argument);
    EXPECT_EQ(f.nx(), 4u);
    EXPECT_EQ(f.dy(), 0.25f);
    EXPECT_EQ(f.at(3, 1), Complex(1.0f, 2.0f));

    f.reset(4, 2, 0.5f, 0.25f);
    for (std::uint64_t k = 0; k < f.size(); ++k)
        EXPECT_EQ(f.data()[k], Complex(0.0f, 0.0f));
}

TEST(ComplexField2D, NormAndNormalize)
{
    ComplexField2D f(4, 4, 0.5f, 0.5f);
    f.fill(Complex(1.0f, 0.0f));
    EXPECT_DOUBLE_EQ(f.norm(), 4.0);
    ASSERT_TRUE(f.normalize());
    for (std::uint64_t k = 0; k < f.size(); ++k)
        EXPECT_EQ(f.data()[k], Complex(0.5f, 0.0f));
    EXPECT_DOUBLE_EQ(f.norm(), 1.0);

    ComplexField2D zero(3, 3, 1.0f, 1.0f);
    EXPECT_FALSE(zero.normalize());

    ComplexField2D huge(2, 1, 1.0f, 1.0f);
    huge.at(0, 0) = Complex(std::numeric_limits<float>::infinity(), 0.0f);
    huge.at(1, 0) = Complex(2.0f, 0.0f);
    EXPECT_FALSE(huge.normalize());
    EXPECT_EQ(huge.at(1, 0), Complex(2.0f, 0.0f));
}

TEST(ComplexField2D, RowMajorStorageAndCentredCoordinates)
{
    ComplexField2D f(512, 4, 0.0625f, 1.0f);
    EXPECT_EQ(vxo::gridCoordinateX(f, 0), -15.96875);
    EXPECT_EQ(vxo::gridCoordinateX(f, 511), 15.96875);
    EXPECT_EQ(vxo::gridCoordinateX(f, 256), 0.03125);
    EXPECT_EQ(vxo::gridCoordinateY(f, 0), -1.5);
    EXPECT_EQ(vxo::gridCoordinateY(f, 3), 1.5);

    f.at(7, 2) = Complex(3.0f, -1.0f);
    EXPECT_EQ(f.data()[2 * 512 + 7], Complex(3.0f, -1.0f));
}

// A field is finite and real only while every cell is, the first row and the
// last cell of a row that is no multiple of the vector width included.
TEST(ComplexField2D, AFieldIsFiniteAndRealOnlyWhileEveryCellIs)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        std::uint64_t cell;
        Complex value;
        bool finiteReal;
    };
    const Case cases[] = {
        {"a negative real value", 7, Complex(-2.5f, 0.0f), true},
        {"a negative zero imaginary part", 4, Complex(1.0f, -0.0f), true},
        {"the largest float", 0, Complex(std::numeric_limits<float>::max(), 0.0f), true},
        {"an imaginary part in the first cell", 0, Complex(1.0f, 1e-30f), false},
        {"an imaginary part in the last cell", 34, Complex(0.0f, -1.0f), false},
        {"an infinite value", 20, Complex(-inf, 0.0f), false},
        {"a NaN", 12, Complex(nan, 0.0f), false},
    };
    for (const Case& c : cases) {
        ComplexField2D f(7, 5, 0.3f, 0.45f);
        for (std::uint64_t i = 0; i < f.size(); ++i)
            f.data()[i] = Complex(0.1f * static_cast<float>(i), 0.0f);
        EXPECT_TRUE(f.isFiniteReal()) << c.name;
        f.data()[c.cell] = c.value;
        EXPECT_EQ(f.isFiniteReal(), c.finiteReal) << c.name;
    }
    EXPECT_TRUE(ComplexField2D().isFiniteReal()) << "an empty field";
}
