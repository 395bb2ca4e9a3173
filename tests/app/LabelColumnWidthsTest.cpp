// The diagnostics' section and parameter columns: their natural widths where
// the values keep their share, otherwise the rest shared between them in
// proportion, no column below its widest word nor above its natural width.

#include "app/form/DiagnosticsPresentation.h"

#include <gtest/gtest.h>

#include <string>

namespace vxo {
namespace {

TEST(LabelColumnWidths, NaturalWhereTheyFitElseSharedDownToTheWidestWord)
{
    struct Case {
        std::string what;
        int section, parameter, shortestSection, shortestParameter, available;
        double valueShare;
        int expectedSection, expectedParameter;
    };
    const Case cases[] = {
        {"both natural beside the values' share", 100, 150, 40, 50, 1000, 0.5, 100, 150},
        {"the rest shared in proportion", 200, 300, 40, 50, 600, 0.5, 120, 180},
        {"a larger value share leaves less", 200, 300, 40, 50, 600, 0.6, 96, 144},
        {"the shorter column kept at its widest word", 100, 900, 60, 50, 400, 0.5, 60, 140},
        {"words kept whole beyond the room", 100, 100, 80, 90, 200, 0.5, 80, 90},
        {"no room at all", 100, 100, 30, 40, 0, 0.5, 30, 40},
        {"a negative natural width counts as none", -5, 100, 0, 0, 1000, 0.5, 0, 100},
    };
    for (const Case& c : cases) {
        const LabelColumnWidths widths = labelColumnWidths(c.section, c.parameter, c.shortestSection,
                                                           c.shortestParameter, c.available, c.valueShare);
        EXPECT_EQ(widths.section, c.expectedSection) << c.what;
        EXPECT_EQ(widths.parameter, c.expectedParameter) << c.what;
    }
}

} // namespace
} // namespace vxo
