#include "view/QuantumTextureFrame2D.h"

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace vxo {
namespace {

TEST(QuantumTextureFrame2D, ArraysOfAKnownFieldMatchHandValues)
{
    ComplexField2D psi(2, 2, 0.5f, 0.25f);
    psi.at(0, 0) = Complex(3.0f, 4.0f);   // |psi|^2 = 25, phase atan2(4, 3)
    psi.at(1, 0) = Complex(-1.0f, 0.0f);  // phase pi
    psi.at(0, 1) = Complex(0.0f, -2.0f);  // phase -pi/2
    psi.at(1, 1) = Complex(0.0f, 0.0f);   // phase atan2(0, 0) = 0
    PotentialField2D potential(2, 2, 0.5f, 0.25f);
    potential.addRectangle(0.25f, 0.125f, 0.1f, 0.1f, -3.0f);  // cell (1, 1)
    potential.addRectangle(-0.25f, -0.125f, 0.1f, 0.1f, 2.0f); // cell (0, 0)

    const QuantumTextureFrame2D frame = QuantumTextureFrame2D::fromField(psi, potential);
    EXPECT_EQ(frame.width, 2u);
    EXPECT_EQ(frame.height, 2u);
    const std::vector<float> probability{25.0f, 1.0f, 4.0f, 0.0f};
    const std::vector<float> phase{std::atan2(4.0f, 3.0f), std::atan2(0.0f, -1.0f), std::atan2(-2.0f, 0.0f), 0.0f};
    const std::vector<float> v{2.0f, 0.0f, 0.0f, -3.0f};
    EXPECT_EQ(frame.probability, probability);
    EXPECT_EQ(frame.phase, phase);
    EXPECT_NEAR(frame.phase[1], 3.14159265f, 1e-6f);
    EXPECT_EQ(frame.potential, v);
    EXPECT_FLOAT_EQ(frame.maxProbability, 25.0f);
    EXPECT_FLOAT_EQ(frame.maxAbsPotential, 3.0f);
    EXPECT_FALSE(QuantumTextureFrame2D::isIncomplete(frame));
}

TEST(QuantumTextureFrame2D, SizesFollowTheGridAndAnEmptyPotentialGivesZeros)
{
    ComplexField2D psi(4, 2, 1.0f, 1.0f);
    psi.fill(Complex(0.0f, 1.0f));
    const QuantumTextureFrame2D frame = QuantumTextureFrame2D::fromField(psi, PotentialField2D());
    EXPECT_EQ(frame.width, 4u);
    EXPECT_EQ(frame.height, 2u);
    ASSERT_EQ(frame.probability.size(), 8u);
    ASSERT_EQ(frame.phase.size(), 8u);
    ASSERT_EQ(frame.potential.size(), 8u);
    for (float v : frame.potential)
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(frame.maxAbsPotential, 0.0f);
    EXPECT_FLOAT_EQ(frame.maxProbability, 1.0f);
    EXPECT_FLOAT_EQ(frame.phase[5], 1.5707964f);
}

TEST(QuantumTextureFrame2D, ZeroAndNonFiniteFieldsKeepSaneMaxima)
{
    ComplexField2D zero(3, 3, 1.0f, 1.0f);
    const QuantumTextureFrame2D z = QuantumTextureFrame2D::fromField(zero, PotentialField2D());
    EXPECT_EQ(z.maxProbability, 0.0f);
    for (float p : z.phase)
        EXPECT_EQ(p, 0.0f);

    ComplexField2D withNaN(2, 1, 1.0f, 1.0f);
    withNaN.at(0, 0) = Complex(std::numeric_limits<float>::quiet_NaN(), 0.0f);
    withNaN.at(1, 0) = Complex(0.5f, 0.0f);
    const QuantumTextureFrame2D n = QuantumTextureFrame2D::fromField(withNaN, PotentialField2D());
    EXPECT_FLOAT_EQ(n.maxProbability, 0.25f);
}

TEST(QuantumTextureFrame2D, PotentialOnAnotherGridIsRejectedWithItsMessage)
{
    const ComplexField2D psi(4, 2, 1.0f, 1.0f);
    const PotentialField2D transposed(2, 4, 1.0f, 1.0f);     // same number of cells
    const PotentialField2D otherSpacing(4, 2, 1.0f, 0.5f);
    for (const PotentialField2D* potential : {&transposed, &otherSpacing})
        EXPECT_EQ(test::messageOf([&] { QuantumTextureFrame2D::fromField(psi, *potential); }),
                  "QuantumTextureFrame2D: potential grid does not match wavefunction grid");
    // An empty wave function is not checked against the potential at all.
    EXPECT_NO_THROW(QuantumTextureFrame2D::fromField(ComplexField2D(), transposed));
}

// The view rebuilds its frame in place; what was there before must not leak
// into the new frame, and a rejected potential must leave it untouched.
TEST(QuantumTextureFrame2D, FrameRebuiltInPlaceEqualsAFreshOne)
{
    auto expectSame = [](const QuantumTextureFrame2D& a, const QuantumTextureFrame2D& b) {
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        EXPECT_EQ(a.probability, b.probability);
        EXPECT_EQ(a.phase, b.phase);
        EXPECT_EQ(a.potential, b.potential);
        EXPECT_EQ(a.maxProbability, b.maxProbability);
        EXPECT_EQ(a.maxAbsPotential, b.maxAbsPotential);
    };
    ComplexField2D large(4, 4, 1.0f, 1.0f);
    large.fill(Complex(3.0f, -1.0f));
    PotentialField2D barrier(4, 4, 1.0f, 1.0f);
    barrier.addRectangle(0.0f, 0.0f, 4.0f, 4.0f, -7.0f);
    QuantumTextureFrame2D frame = QuantumTextureFrame2D::fromField(large, barrier);

    ComplexField2D small(3, 2, 0.5f, 0.5f);
    small.at(2, 1) = Complex(0.0f, 0.5f);
    QuantumTextureFrame2D::assignFromField(small, PotentialField2D(), frame);
    expectSame(frame, QuantumTextureFrame2D::fromField(small, PotentialField2D()));

    const QuantumTextureFrame2D before = frame;
    EXPECT_THROW(QuantumTextureFrame2D::assignFromField(large, PotentialField2D(2, 2, 1.0f, 1.0f), frame),
                 std::invalid_argument);
    expectSame(frame, before);

    QuantumTextureFrame2D::assignFromField(ComplexField2D(), barrier, frame);
    expectSame(frame, QuantumTextureFrame2D());
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(frame));
}

TEST(QuantumTextureFrame2D, IncompleteFrames)
{
    const QuantumTextureFrame2D empty = QuantumTextureFrame2D::fromField(ComplexField2D(), PotentialField2D());
    EXPECT_EQ(empty.width, 0u);
    EXPECT_TRUE(empty.probability.empty());
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(empty));
    // No cells along either side is no frame, even with arrays that match the product.
    for (const auto& size : {std::make_pair(0u, 3u), std::make_pair(3u, 0u)}) {
        QuantumTextureFrame2D flat;
        flat.width = size.first;
        flat.height = size.second;
        EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(flat)) << size.first << " x " << size.second;
    }

    QuantumTextureFrame2D frame =
        QuantumTextureFrame2D::fromField(ComplexField2D(4, 4, 1.0f, 1.0f), PotentialField2D());
    EXPECT_FALSE(QuantumTextureFrame2D::isIncomplete(frame));
    QuantumTextureFrame2D shortPhase = frame;
    shortPhase.phase.resize(15);
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(shortPhase));
    QuantumTextureFrame2D shortPotential = frame;
    shortPotential.potential.resize(3);
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(shortPotential));
    QuantumTextureFrame2D huge = frame;
    huge.width = std::numeric_limits<std::uint64_t>::max() / 2 + 1; // width * 4 wraps to 0
    huge.probability.clear();
    huge.phase.clear();
    huge.potential.clear();
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(huge));
}

} // namespace
} // namespace vxo
