#include "view/QuantumTextureFrame2D.h"

#include "core/AmplitudeKernels.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

namespace vxo {
namespace {

TEST(QuantumTextureFrame2D, ArraysOfAKnownFieldMatchHandValues)
{
    ComplexField2D psi(2, 2, 0.5f, 0.25f);
    psi.at(0, 0) = Complex(3.0f, 4.0f);  // |psi|^2 = 25, phase atan2(4, 3)
    psi.at(1, 0) = Complex(-1.0f, 0.0f); // phase pi
    psi.at(0, 1) = Complex(0.0f, -2.0f); // phase -pi/2
    psi.at(1, 1) = Complex(0.0f, 0.0f);  // phase atan2(0, 0) = 0
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
    const PotentialField2D transposed(2, 4, 1.0f, 1.0f); // same number of cells
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

// The frame as first built, one cell at a time with std::atan2.
QuantumTextureFrame2D scalarFrame(const ComplexField2D& psi, const PotentialField2D& potential)
{
    QuantumTextureFrame2D f;
    f.width = psi.nx();
    f.height = psi.ny();
    for (std::uint64_t k = 0; k < psi.size(); ++k) {
        const float re = psi.data()[k].real();
        const float im = psi.data()[k].imag();
        const float p = im * im + re * re;
        f.probability.push_back(p);
        f.phase.push_back(std::atan2(im, re));
        f.potential.push_back(potential.empty() ? 0.0f : potential.data()[k]);
        if (p > f.maxProbability)
            f.maxProbability = p;
        if (std::fabs(f.potential.back()) > f.maxAbsPotential)
            f.maxAbsPotential = std::fabs(f.potential.back());
    }
    return f;
}

// The 8-bit channels of the scene shader's phase colour.
void phaseBytes(float phi, int (&rgb)[3])
{
    const double twoPi = 6.283185307179586;
    const double h = std::fmod(phi / twoPi + 1.0, 1.0);
    const double offsets[3] = {1.0, 2.0 / 3.0, 1.0 / 3.0};
    for (int c = 0; c < 3; ++c) {
        const double f = std::fmod(h + offsets[c], 1.0);
        rgb[c] = static_cast<int>(std::lround(255.0 * std::clamp(std::abs(f * 6.0 - 3.0) - 1.0, 0.0, 1.0)));
    }
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Random amplitudes over sixty decades, the signed zeros and axes, values
// just off the negative real axis (the cut at +-pi), |re| = |im|, the switch
// of the argument reduction at tan(pi/8), subnormals, infinities and NaNs.
ComplexField2D awkwardField(std::uint64_t nx, std::uint64_t ny)
{
    ComplexField2D psi(nx, ny, 0.3f, 0.2f);
    std::mt19937 rng(17);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> decades(-30.0f, 30.0f);
    for (std::uint64_t k = 0; k < psi.size(); ++k)
        psi.data()[k] = Complex(unit(rng) * std::pow(10.0f, decades(rng)), unit(rng) * std::pow(10.0f, decades(rng)));
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float tiny = std::numeric_limits<float>::denorm_min();
    const float t8 = 0.41421356f;
    const std::vector<Complex> special = {{0.0f, 0.0f},
                                          {-0.0f, 0.0f},
                                          {0.0f, -0.0f},
                                          {-0.0f, -0.0f},
                                          {-1.0f, 0.0f},
                                          {-1.0f, -0.0f},
                                          {0.0f, 2.0f},
                                          {-0.0f, -2.0f},
                                          {-3.0f, 1e-30f},
                                          {-3.0f, -1e-30f},
                                          {1.0f, 1.0f},
                                          {-1.0f, 1.0f},
                                          {1.0f, -1.0f},
                                          {-2.0f, -2.0f},
                                          {1.0f, t8},
                                          {1.0f, std::nextafter(t8, 1.0f)},
                                          {std::nextafter(t8, 0.0f), -1.0f},
                                          {-1.0f, -t8},
                                          {tiny, tiny},
                                          {-tiny, 3.0f * tiny},
                                          {1e-38f, -1e-45f},
                                          {inf, 1.0f},
                                          {1.0f, -inf},
                                          {inf, -inf},
                                          {-inf, inf},
                                          {nan, 1.0f},
                                          {1.0f, nan},
                                          {3e38f, 3e38f},
                                          {-3e38f, 1e-38f},
                                          {5.0f, -12.0f},
                                          {-0.6f, 0.8f},
                                          {0.8f, -0.6f}};
    // Spread over the vector bodies and the tail.
    for (std::size_t s = 0; s < special.size(); ++s)
        psi.data()[(s * 37) % psi.size()] = special[s];
    return psi;
}

// Densities and maxima bit for bit; phases within 1e-6 rad of atan2 (a few
// units in the last place, where one colour step is 1/243 rad) and so every
// channel of the phase colour within one unit; atan2 itself where a vector
// holds an infinity or a NaN.
TEST(QuantumTextureFrame2D, VectorisedFrameFollowsTheScalarFrame)
{
    const ComplexField2D psi = awkwardField(67, 45);
    PotentialField2D potential(67, 45, 0.3f, 0.2f);
    potential.addHarmonic(1.0f, -0.5f, -2.0f, 3.0f, 1.5f);
    potential.addRectangle(2.0f, 1.0f, 1.0f, 1.0f, -50.0f);
    const QuantumTextureFrame2D expected = scalarFrame(psi, potential);

    const auto compare = [&](const std::vector<float>& probability, const std::vector<float>& phase,
                             float maxProbability, const char* what) {
        ASSERT_EQ(probability.size(), psi.size()) << what;
        int worstChannel = 0;
        for (std::uint64_t k = 0; k < psi.size(); ++k) {
            ASSERT_TRUE(sameBits(probability[k], expected.probability[k])) << what << " cell " << k;
            if (std::isnan(expected.phase[k])) {
                EXPECT_TRUE(std::isnan(phase[k])) << what << " cell " << k;
                continue;
            }
            ASSERT_LE(std::abs(phase[k] - expected.phase[k]), 1e-6f)
                << what << " cell " << k << " psi " << psi.data()[k].real() << ", " << psi.data()[k].imag();
            int mine[3], theirs[3];
            phaseBytes(phase[k], mine);
            phaseBytes(expected.phase[k], theirs);
            for (int c = 0; c < 3; ++c)
                worstChannel = std::max(worstChannel, std::abs(mine[c] - theirs[c]));
        }
        EXPECT_LE(worstChannel, 1) << what;
        EXPECT_TRUE(sameBits(maxProbability, expected.maxProbability)) << what;
    };

    const QuantumTextureFrame2D frame = QuantumTextureFrame2D::fromField(psi, potential);
    compare(frame.probability, frame.phase, frame.maxProbability, "frame");
    EXPECT_EQ(std::memcmp(frame.potential.data(), expected.potential.data(), psi.size() * sizeof(float)), 0);
    EXPECT_EQ(frame.maxAbsPotential, expected.maxAbsPotential);

    namespace fft2d = vxo::fft2d;
    for (fft2d::KernelSet path : {fft2d::KernelSet::Portable, fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2}) {
        if (!fft2d::isAvailable(path))
            continue;
        std::vector<float> probability(psi.size()), phase(psi.size()), copy(psi.size());
        const float maxProbability =
            vxo::amplitude::densityAndPhase(path, psi.data(), psi.size(), probability.data(), phase.data());
        compare(probability, phase, maxProbability,
                path == fft2d::KernelSet::Portable ? "portable"
                : path == fft2d::KernelSet::Sse2   ? "sse2"
                                                   : "avx2");
        EXPECT_EQ(vxo::amplitude::copyWithMaxAbs(path, potential.data(), psi.size(), copy.data()),
                  expected.maxAbsPotential);
        EXPECT_EQ(std::memcmp(copy.data(), expected.potential.data(), psi.size() * sizeof(float)), 0);
    }
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

// A frame rebuilt in place carries the potential it is given now, whatever
// it held before: a changed potential, another one of the same revision
// number, none at all, or another grid.
TEST(QuantumTextureFrame2D, RebuiltFrameFollowsEveryChangeOfThePotential)
{
    const ComplexField2D psi = test::randomField(12, 7, 0.5f, 0.25f, 11);
    PotentialField2D first(12, 7, 0.5f, 0.25f);
    first.addRectangle(0.0f, 0.0f, 2.0f, 1.0f, 3.0f);
    PotentialField2D second(12, 7, 0.5f, 0.25f);
    second.addRectangle(0.0f, 0.0f, 2.0f, 1.0f, -6.0f);
    ASSERT_EQ(first.revision(), second.revision());
    PotentialField2D changed = first;
    changed.addGaussian(1.0f, 0.0f, 1.0f, 1.0f, 10.0f);
    const PotentialField2D none;
    const ComplexField2D wider = test::randomField(16, 7, 0.5f, 0.25f, 12);
    PotentialField2D widerPotential(16, 7, 0.5f, 0.25f);
    widerPotential.addRectangle(0.0f, 0.0f, 2.0f, 1.0f, 3.0f);

    struct Frame {
        const char* name;
        const ComplexField2D* field;
        const PotentialField2D* potential;
    };
    QuantumTextureFrame2D frame;
    for (const Frame& f : {Frame{"first", &psi, &first}, Frame{"first again", &psi, &first},
                           Frame{"same revision number", &psi, &second}, Frame{"no potential", &psi, &none},
                           Frame{"first after none", &psi, &first}, Frame{"changed copy", &psi, &changed},
                           Frame{"wider grid", &wider, &widerPotential}, Frame{"back", &psi, &first}}) {
        QuantumTextureFrame2D::assignFromField(*f.field, *f.potential, frame);
        const QuantumTextureFrame2D fresh = QuantumTextureFrame2D::fromField(*f.field, *f.potential);
        EXPECT_EQ(frame.potential, fresh.potential) << f.name;
        EXPECT_EQ(frame.maxAbsPotential, fresh.maxAbsPotential) << f.name;
        EXPECT_EQ(frame.probability, fresh.probability) << f.name;
        EXPECT_EQ(frame.maxProbability, fresh.maxProbability) << f.name;
    }
}

// Rebuilt over the same, unchanged potential (or again none), a frame does
// not write its potential array again: a mark left in it and in its maximum
// stays, while the density follows the new wave function.
TEST(QuantumTextureFrame2D, UnchangedPotentialIsNotCopiedAgain)
{
    const ComplexField2D psi = test::randomField(12, 7, 0.5f, 0.25f, 21);
    const ComplexField2D later = test::randomField(12, 7, 0.5f, 0.25f, 22);
    PotentialField2D barrier(12, 7, 0.5f, 0.25f);
    barrier.addRectangle(0.0f, 0.0f, 2.0f, 1.0f, 3.0f);
    PotentialField2D none;
    const float mark = -123.0f;
    for (const PotentialField2D* potential : {&barrier, &none}) {
        QuantumTextureFrame2D frame = QuantumTextureFrame2D::fromField(psi, *potential);
        std::fill(frame.potential.begin(), frame.potential.end(), mark);
        frame.maxAbsPotential = mark;
        QuantumTextureFrame2D::assignFromField(later, *potential, frame);
        EXPECT_EQ(frame.probability, QuantumTextureFrame2D::fromField(later, *potential).probability);
        EXPECT_EQ(frame.potential, std::vector<float>(psi.size(), mark)) << (potential == &none ? "none" : "barrier");
        EXPECT_EQ(frame.maxAbsPotential, mark);
    }
}

} // namespace
} // namespace vxo
