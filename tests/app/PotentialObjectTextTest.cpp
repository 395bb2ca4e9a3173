#include "app/text/PotentialObjectText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vxo {
namespace {

PotentialObject objectOfKind(std::uint32_t kind, std::uint64_t id, float value, float x, float y, bool enabled)
{
    PotentialObject object;
    object.id = id;
    object.kind = static_cast<PotentialObjectKind>(kind);
    object.value = value;
    object.centerX = x;
    object.centerY = y;
    object.enabled = enabled;
    return object;
}

// One line per scene object: the list and the five target selectors show
// exactly this, so a wrong name or label misleads the choice of a target.
TEST(PotentialObjectText, NamesTheKindItsStrengthAndCentreAndMarksDisabledObjects)
{
    struct Case {
        std::uint32_t kind;
        const char* name;
        const char* label;
    };
    const Case cases[] = {
        {1, "Rectangle", "V0"},
        {2, "Circle", "V0"},
        {3, "Barrier", "V0"},
        {4, "Single Slit", "V0"},
        {5, "Double Slit", "V0"},
        {6, "Polygon", "V0"},
        {7, "Gaussian", "A"},
        {8, "Harmonic", "Voff"},
        {9, "Linear", "Voff"},
        {10, "Soft Radial", "g"},
        {11, "Stadium Exterior", "V0"},
        // Kinds without a shape: no name, the region label.
        {0, "", "V0"},
        {12, "", "V0"},
        {0xFFFFFFFFu, "", "V0"},
    };
    for (const Case& c : cases) {
        for (const bool enabled : {true, false}) {
            const std::string expected = "#17  " + std::string(c.name) + "   " + c.label + "=-4.25   (0.13, -10.24)" +
                                         (enabled ? "" : "   [OFF]");
            EXPECT_EQ(describePotentialObject(objectOfKind(c.kind, 17, -4.25f, 0.126f, -10.24f, enabled)).toStdString(),
                      expected)
                << "kind = " << c.kind << ", enabled = " << enabled;
        }
    }
}

TEST(PotentialObjectText, RoundsToTwoDecimalsAndPrintsLargeIdsInFull)
{
    EXPECT_EQ(describePotentialObject(objectOfKind(7, 2, -4.0f, 0.0f, 0.0f, false)).toStdString(),
              "#2  Gaussian   A=-4.00   (0.00, 0.00)   [OFF]");
    EXPECT_EQ(
        describePotentialObject(objectOfKind(2, 18446744073709551615ull, 120.0f, 0.004f, 35.996f, true)).toStdString(),
        "#18446744073709551615  Circle   V0=120.00   (0.00, 36.00)")
        << "an id keeps all 20 digits";
}

} // namespace
} // namespace vxo
