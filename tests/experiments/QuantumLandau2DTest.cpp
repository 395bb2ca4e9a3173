#include "experiments/LandauRecorder.h"
#include "experiments/QuantumLandau2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace vxo;

namespace {

// Sign changes of psi along the positive x axis from the centre row.
int radialNodes(const ComplexField2D& field)
{
    const std::uint64_t j = field.ny() / 2;
    int nodes = 0;
    float previous = field.at(field.nx() / 2, j).real();
    for (std::uint64_t i = field.nx() / 2 + 1; i < field.nx(); ++i) {
        const float v = field.at(i, j).real();
        if (std::fabs(v) < 1e-6f)
            continue;
        if ((v > 0.0f) != (previous > 0.0f))
            ++nodes;
        previous = v;
    }
    return nodes;
}

// A cyclotron packet of radius R (b = 0.45, hbar = m = 1) prepared on the
// field, with the config and the symmetric-gauge links it was made with.
struct Cyclotron {
    LandauConfig config;
    GaugeLinkField2D links;
};

Cyclotron prepareCyclotron(ComplexField2D& field, double radius)
{
    Cyclotron c;
    c.config.enabled = true;
    c.config.orbitRadius = radius;
    EXPECT_TRUE(QuantumLandau2D::buildSymmetricGauge(field, c.config, c.links, nullptr));
    EXPECT_TRUE(QuantumLandau2D::prepareInitialState(field, c.config, 1.0, 1.0, nullptr));
    return c;
}

} // namespace

TEST(QuantumLandau2D, ReferenceQuantitiesOfThePresetField)
{
    LandauConfig config; // b = 0.45, the preset's field
    EXPECT_DOUBLE_EQ(QuantumLandau2D::cyclotronFrequency(config, 1.0, 1.0), 0.45);
    EXPECT_NEAR(QuantumLandau2D::magneticLength(config), 1.0 / std::sqrt(0.45), 1e-15);
    EXPECT_NEAR(QuantumLandau2D::magneticLength(config), 1.4907, 1e-4);
    EXPECT_DOUBLE_EQ(QuantumLandau2D::levelEnergy(config, 1.0, 1.0), 0.225);
    config.landauIndex = 3;
    config.fieldStrength = -0.45;
    EXPECT_DOUBLE_EQ(QuantumLandau2D::levelEnergy(config, 2.0, 1.0), 3.5 * 0.225);
    EXPECT_EQ(QuantumLandau2D::cyclotronFrequency(config, 0.0, 1.0), 0.0);
    config.fieldStrength = 0.0;
    EXPECT_EQ(QuantumLandau2D::magneticLength(config), 0.0);

    EXPECT_DOUBLE_EQ(laguerrePolynomial(-1, 3.0), 1.0);
    EXPECT_DOUBLE_EQ(laguerrePolynomial(1, 3.0), -2.0);
    // L_3(x) = (-x^3 + 9x^2 - 18x + 6) / 6
    EXPECT_NEAR(laguerrePolynomial(3, 1.5), (-3.375 + 20.25 - 27.0 + 6.0) / 6.0, 1e-14);
}

TEST(QuantumLandau2D, ValidationAndRefusals)
{
    // Every rule from both sides, on an enabled config; a disabled one may
    // have a weak field but not one beyond 4.
    using test::closedRange;
    using test::finiteOnly;
    using Rule = test::ValueRule<LandauConfig>;
    const std::string fieldRange = "Enabled Landau field strength magnitude must be in [0.02,4].";
    const std::string orbit = "Landau orbit radius or analysis time is invalid.";
    const std::string finite = "Landau parameters must be finite.";
    LandauConfig enabled;
    enabled.enabled = true;
    test::expectValueRules(
        QuantumLandau2D::validateConfiguration, enabled, test::magneticFieldRules<LandauConfig>(fieldRange),
        std::vector<Rule>{
            {"preparationMode",
             [](LandauConfig& c, double v) { c.preparationMode = std::uint32_t(v); },
             {0.0, 1.0},
             {2.0},
             "Landau preparation mode must be 0 or 1."},
            {"landauIndex",
             [](LandauConfig& c, double v) { c.landauIndex = std::uint32_t(v); },
             {0.0, 8.0},
             {9.0},
             "Landau index must be in [0,8]."},
            closedRange<LandauConfig>(
                "orbitRadius", [](LandauConfig& c, double v) { c.orbitRadius = v; }, 0.2, 15.0, orbit),
            closedRange<LandauConfig>(
                "analysisEndTime", [](LandauConfig& c, double v) { c.analysisEndTime = v; }, 0.1, 200.0, orbit),
            finiteOnly<LandauConfig>(
                "fieldStrength", [](LandauConfig& c, double v) { c.fieldStrength = v; }, finite),
            finiteOnly<LandauConfig>(
                "orbitRadius", [](LandauConfig& c, double v) { c.orbitRadius = v; }, finite),
            finiteOnly<LandauConfig>(
                "analysisEndTime", [](LandauConfig& c, double v) { c.analysisEndTime = v; }, finite),
        });

    LandauConfig config;
    // A weak field passes while disabled, but no gauge is built from it.
    LandauConfig weak = config;
    weak.fieldStrength = 0.01;
    EXPECT_TRUE(QuantumLandau2D::validateConfiguration(weak, nullptr));
    ComplexField2D field(16, 16, 0.5f, 0.5f);
    GaugeLinkField2D links;
    std::string error;
    EXPECT_FALSE(QuantumLandau2D::buildSymmetricGauge(field, weak, links, &error));
    EXPECT_EQ(error, "Landau gauge requires non-zero field strength.");
    error.clear();
    EXPECT_FALSE(QuantumLandau2D::prepareInitialState(field, config, 1.0, 0.0, &error));
    EXPECT_EQ(error, "Landau mass and hbar must be positive and finite.");
    ComplexField2D empty;
    error = "kept";
    EXPECT_FALSE(QuantumLandau2D::prepareInitialState(empty, config, 1.0, 1.0, &error));
    EXPECT_EQ(error, "kept");

    // The kinetic energy sums the interior cells only: a spike on the one
    // interior cell of 3 x 3 has (hbar^2 / 2m)(2 / dx^2 + 2 / dy^2) dx dy; a
    // ramp 1 + i + 2 j, whose second differences vanish inside, has none;
    // 2 x 3 and 3 x 2 have no interior.
    const double hbar = 0.8, mass = 1.3, dx = 0.5, dy = 0.4;
    const double spikeEnergy = hbar * hbar / (2.0 * mass) * (2.0 / (dx * dx) + 2.0 / (dy * dy)) * dx * dy;
    for (const auto& size : {std::make_pair(3u, 3u), std::make_pair(2u, 3u), std::make_pair(3u, 2u)}) {
        ComplexField2D spike(size.first, size.second, float(dx), float(dy));
        spike.at(1, 1) = Complex(1.0f, 0.0f);
        GaugeLinkField2D unit;
        unit.resize(size.first, size.second, float(dx), float(dy));
        const double energy = gaugeKineticEnergy(spike, unit, mass, hbar);
        const double expected = size.first == 3 && size.second == 3 ? spikeEnergy : 0.0;
        EXPECT_NEAR(energy, expected, 1e-6 * spikeEnergy) << size.first << " x " << size.second;
    }
    // A mass or hbar that is not positive, either one alone, gives no energy
    // (hbar^2 / 2m would be infinite, negative or undefined).
    {
        ComplexField2D spike(3, 3, float(dx), float(dy));
        spike.at(1, 1) = Complex(1.0f, 0.0f);
        GaugeLinkField2D unit;
        unit.resize(3, 3, float(dx), float(dy));
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (const auto& mh : {std::make_pair(0.0, hbar), std::make_pair(-mass, hbar), std::make_pair(nan, hbar),
                               std::make_pair(mass, 0.0), std::make_pair(mass, -hbar), std::make_pair(mass, nan)})
            EXPECT_EQ(gaugeKineticEnergy(spike, unit, mh.first, mh.second), 0.0)
                << "m = " << mh.first << ", hbar = " << mh.second;
    }
    ComplexField2D ramp(5, 4, float(dx), float(dy));
    for (std::uint64_t j = 0; j < ramp.ny(); ++j)
        for (std::uint64_t i = 0; i < ramp.nx(); ++i)
            ramp.at(i, j) = Complex(float(1 + i + 2 * j), 0.0f);
    GaugeLinkField2D unit;
    unit.resize(5, 4, float(dx), float(dy));
    EXPECT_EQ(gaugeKineticEnergy(ramp, unit, mass, hbar), 0.0);
}

TEST(QuantumLandau2D, EigenstatesHaveTheLevelEnergies)
{
    ComplexField2D field(128, 112, 0.16f, 0.2f);
    LandauConfig config;
    config.enabled = true;
    config.preparationMode = 1;
    GaugeLinkField2D links;
    ASSERT_TRUE(QuantumLandau2D::buildSymmetricGauge(field, config, links, nullptr));
    // Links of the symmetric gauge: the plaquette flux b dx dy everywhere.
    const std::complex<float> plaquette =
        links.linkX(10, 20) * links.linkY(11, 20) * std::conj(links.linkX(10, 21)) * std::conj(links.linkY(10, 20));
    EXPECT_NEAR(std::arg(plaquette), -0.45 * 0.16 * 0.2, 1e-6);

    for (std::uint32_t n : {0u, 1u, 2u, 3u}) {
        config.landauIndex = n;
        ASSERT_TRUE(QuantumLandau2D::prepareInitialState(field, config, 1.0, 1.0, nullptr));
        EXPECT_NEAR(field.norm(), 1.0, 1e-5);
        const double energy = gaugeKineticEnergy(field, links, 1.0, 1.0) / field.norm();
        const double expected = QuantumLandau2D::levelEnergy(config, 1.0, 1.0);
        // Second differences at 0.16 and 0.2 against l_B = 1.49: a few parts in a thousand.
        EXPECT_NEAR(energy, expected, 0.01 * expected) << "n=" << n;
        EXPECT_EQ(radialNodes(field), static_cast<int>(n)) << "n=" << n;
    }

    // The energy is gauge invariant: psi -> exp(i chi) psi with every link
    // U(a -> b) -> exp(i chi(a)) U exp(-i chi(b)) leaves it as it was.
    const auto chi = [](std::uint64_t i, std::uint64_t j) { return 0.7 * std::sin(0.3 * i) * std::cos(0.2 * j); };
    const auto phase = [](double angle) { return Complex(float(std::cos(angle)), float(std::sin(angle))); };
    ComplexField2D moved = field;
    GaugeLinkField2D regauged = links;
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            moved.at(i, j) *= phase(chi(i, j));
            if (i + 1 < field.nx())
                regauged.setLinkX(i, j, phase(chi(i, j)) * links.linkX(i, j) * phase(-chi(i + 1, j)));
            if (j + 1 < field.ny())
                regauged.setLinkY(i, j, phase(chi(i, j)) * links.linkY(i, j) * phase(-chi(i, j + 1)));
        }
    const double before = gaugeKineticEnergy(field, links, 1.0, 1.0);
    EXPECT_NEAR(gaugeKineticEnergy(moved, regauged, 1.0, 1.0), before, 1e-4 * before);
    config.landauIndex = 0;
    ASSERT_TRUE(QuantumLandau2D::prepareInitialState(field, config, 1.0, 1.0, nullptr));
    // n = 0 is the Gaussian exp(-r^2 / (4 l_B^2)).
    const double x = gridCoordinateX(field, 80);
    const double y = gridCoordinateY(field, 70);
    const double ratio = field.at(80, 70).real() / field.at(64, 64).real();
    const double r2Centre = std::pow(gridCoordinateX(field, 64), 2) + std::pow(gridCoordinateY(field, 64), 2);
    EXPECT_NEAR(ratio, std::exp(-(x * x + y * y - r2Centre) * 0.45 / 4.0), 1e-5);
}

TEST(LandauRecorder, CyclotronPacketCirclesAtItsRadius)
{
    // 25.6 x 25.6 on 256 x 128 cells of 0.1 x 0.2.
    ComplexField2D field(256, 128, 0.1f, 0.2f);
    const auto [config, links] = prepareCyclotron(field, 4.0);

    LandauRecorder recorder(4);
    recorder.record(0.0, field, links);
    EXPECT_TRUE(recorder.samples().empty());
    ASSERT_TRUE(recorder.configure(field, links, config, 1.0, 1.0));
    recorder.record(0.0, field, links);
    ASSERT_EQ(recorder.samples().size(), 1u);
    const LandauSample first = recorder.samples().front();
    EXPECT_NEAR(first.fidelity, 1.0, 1e-5);
    EXPECT_NEAR(first.meanX, -4.0, 1e-3);
    // Kinetic energy of the orbit (hbar b R)^2 / 2m plus the zero-point 0.225,
    // less the second-difference error of about (k dx)^2 / 12 at k = 1.8.
    EXPECT_NEAR(first.energy, 0.5 * std::pow(0.45 * 4.0, 2) + 0.225, 0.04);

    // A quarter period later (omega_c = 0.45) the centre has turned about
    // the origin by 90 degrees: launched upwards from (-R, 0), clockwise for b > 0.
    PotentialField2D potential(256, 128, 0.1f, 0.2f);
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.025f});
    const double quarter = 0.5 * kPi / 0.45;
    const int steps = static_cast<int>(std::lround(quarter / 0.025));
    for (int s = 0; s < steps; ++s)
        solver.stepWithGauge(field, potential, links);
    recorder.record(solver.time(), field, links);
    const LandauSample& later = recorder.samples().back();
    EXPECT_NEAR(later.meanX, 0.0, 0.25);
    EXPECT_NEAR(later.meanY, 4.0, 0.25);
    EXPECT_NEAR(later.rmsRadius, first.rmsRadius, 0.1);
    EXPECT_NEAR(later.energy, first.energy, 0.02);
    EXPECT_LT(later.fidelity, 0.1);

    GaugeLinkField2D other;
    recorder.record(5.0, field, other);
    EXPECT_EQ(recorder.samples().size(), 2u);
}

// The sample's means, energy and fidelity are per unit norm, the norm held
// at 1e-18 or above: a state of norm 4e-18 is the prepared one scaled and
// reads as such; one of norm 2.5e-19 reads scaled by its norm / 1e-18.
TEST(LandauRecorder, NormFloorOfTheSampleRatios)
{
    ComplexField2D prepared(128, 96, 0.2f, 0.25f);
    const auto [config, links] = prepareCyclotron(prepared, 3.0);
    LandauRecorder recorder(4);
    ASSERT_TRUE(recorder.configure(prepared, links, config, 1.0, 1.0));
    recorder.record(0.0, prepared, links);
    const LandauSample whole = recorder.samples().back();
    ASSERT_NEAR(whole.meanX, -3.0, 1e-3);

    for (const auto& [norm, scale] : {std::pair{4e-18, 1.0}, {2.5e-19, 0.25}}) {
        ComplexField2D faint = prepared;
        const float factor = static_cast<float>(std::sqrt(norm / prepared.norm()));
        for (std::uint64_t c = 0; c < faint.size(); ++c)
            faint.data()[c] *= factor;
        recorder.record(1.0, faint, links);
        const LandauSample& s = recorder.samples().back();
        EXPECT_NEAR(s.norm, norm, 1e-5 * norm) << "norm " << norm;
        EXPECT_NEAR(s.meanX, whole.meanX * scale, 1e-4 * std::abs(whole.meanX)) << "norm " << norm;
        EXPECT_NEAR(s.energy, whole.energy * scale, 1e-4 * whole.energy) << "norm " << norm;
        EXPECT_NEAR(s.fidelity, scale, 1e-4) << "norm " << norm;
    }
}
