#include "view/DisplayPreset.h"

#include <gtest/gtest.h>

namespace vxo {
namespace {

void expectPreset(const DisplayPreset& p, int palette, int scale, double exposure, double gamma, int post,
                  double threshold, double knee, double spread, double bloom, int tone)
{
    EXPECT_EQ(p.palette, palette);
    EXPECT_EQ(p.displayScale, scale);
    EXPECT_EQ(p.exposureEv, exposure);
    EXPECT_EQ(p.gamma, gamma);
    EXPECT_EQ(p.postPreview, post);
    EXPECT_EQ(p.threshold, threshold);
    EXPECT_EQ(p.softKnee, knee);
    EXPECT_EQ(p.blurSpread, spread);
    EXPECT_EQ(p.bloomStrength, bloom);
    EXPECT_EQ(p.toneMapOperator, tone);
}

TEST(DisplayPreset, EachIndexGivesItsLook)
{
    {
        SCOPED_TRACE("Scientific");
        expectPreset(displayPresetValues(0), 0, 0, 0.0, 1.0, 0, 0.72, 0.08, 2.0, 0.0, 0);
    }
    {
        SCOPED_TRACE("Presentation");
        expectPreset(displayPresetValues(1), 0, 0, 0.25, 1.0, 3, 0.72, 0.08, 2.0, 0.65, 2);
    }
    for (int index : {2, 3, 7, -1}) {
        SCOPED_TRACE(index);
        expectPreset(displayPresetValues(index), 0, 1, -1.0, 1.15, 3, 0.62, 0.12, 3.25, 1.8, 2);
    }
}

} // namespace
} // namespace vxo
