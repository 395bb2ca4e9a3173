#include "view/PotentialEditorShape.h"

#include <gtest/gtest.h>

#include <limits>

namespace vxo {
namespace {

TEST(PotentialEditorShape, RectangleFromADragKeepsItsMinimumSize)
{
    const PotentialEditorShape r = PotentialEditorShape::rectangleFromDrag(1.0f, 1.0f, 1.01f, 3.0f, 0.1f, 0.1f);
    EXPECT_EQ(r.type, 0u);
    EXPECT_FLOAT_EQ(r.centerX, 1.005f);
    EXPECT_FLOAT_EQ(r.centerY, 2.0f);
    EXPECT_FLOAT_EQ(r.width, 0.1f);
    EXPECT_FLOAT_EQ(r.height, 2.0f);
    EXPECT_EQ(r.radius, 0.0f);
    EXPECT_TRUE(PotentialEditorShape::isValid(r));

    // Dragged right to left and top to bottom: the same rectangle.
    const PotentialEditorShape back = PotentialEditorShape::rectangleFromDrag(3.0f, 2.0f, -1.0f, -4.0f, 0.1f, 0.1f);
    EXPECT_FLOAT_EQ(back.centerX, 1.0f);
    EXPECT_FLOAT_EQ(back.centerY, -1.0f);
    EXPECT_FLOAT_EQ(back.width, 4.0f);
    EXPECT_FLOAT_EQ(back.height, 6.0f);

    // A negative minimum imposes nothing, so a click makes an invalid (empty) rectangle.
    const PotentialEditorShape click = PotentialEditorShape::rectangleFromDrag(2.0f, 2.0f, 2.0f, 2.0f, -1.0f, -1.0f);
    EXPECT_EQ(click.width, 0.0f);
    EXPECT_FALSE(PotentialEditorShape::isValid(click));
}

TEST(PotentialEditorShape, CircleIsCentredOnThePressPoint)
{
    const PotentialEditorShape c = PotentialEditorShape::circleFromDrag(1.0f, -2.0f, 4.0f, 2.0f, 0.2f);
    EXPECT_EQ(c.type, 1u);
    EXPECT_FLOAT_EQ(c.centerX, 1.0f);
    EXPECT_FLOAT_EQ(c.centerY, -2.0f);
    EXPECT_FLOAT_EQ(c.radius, 5.0f);
    EXPECT_EQ(c.width, 0.0f);
    EXPECT_EQ(c.height, 0.0f);

    const PotentialEditorShape dot = PotentialEditorShape::circleFromDrag(1.0f, 1.0f, 1.0f, 1.0f, 0.2f);
    EXPECT_FLOAT_EQ(dot.radius, 0.2f);
    EXPECT_TRUE(PotentialEditorShape::isValid(dot));
    EXPECT_FALSE(PotentialEditorShape::isValid(PotentialEditorShape::circleFromDrag(1.0f, 1.0f, 1.0f, 1.0f, -3.0f)));
}

TEST(PotentialEditorShape, ValidityNeedsFiniteCentreAndPositiveSize)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        PotentialEditorShape shape;
        bool valid;
    };
    const Case cases[] = {
        {{0, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f}, true},
        {{0, nan, 0.0f, 1.0f, 1.0f, 0.0f}, false},
        {{0, 0.0f, inf, 1.0f, 1.0f, 0.0f}, false},
        {{0, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f}, false},
        {{0, 0.0f, 0.0f, 1.0f, inf, 0.0f}, false},
        {{0, 0.0f, 0.0f, 1.0f, 1.0f, nan}, true},  // a rectangle ignores the radius
        {{7, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f}, true}, // any other type is a rectangle
        {{1, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f}, true},
        {{1, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f}, false}, // a circle needs its radius
        {{1, 0.0f, 0.0f, 0.0f, 0.0f, -0.5f}, false},
        {{1, 0.0f, 0.0f, 0.0f, 0.0f, nan}, false},
        {{1, inf, 0.0f, 0.0f, 0.0f, 0.5f}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PotentialEditorShape::isValid(c.shape), c.valid)
            << c.shape.type << " " << c.shape.centerX << " " << c.shape.width << " " << c.shape.radius;
}

} // namespace
} // namespace vxo
