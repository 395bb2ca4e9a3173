#include "document/JsonTextExtent.h"

#include <gtest/gtest.h>

namespace vxo {
namespace {

// Counted by hand from each text: every scalar, object and array is a value;
// only the root's "controls" members and its "potentialScene" "objects"
// entries are counted as such; names are no values; a string's characters
// are counted as written, escapes and multi-byte characters included.
TEST(JsonTextExtent, CountsValuesTheLongestStringControlsAndSceneObjects)
{
    struct Case {
        const char* what;
        const char* text;
        JsonTextExtent expected;
    };
    const Case cases[] = {
        {"scalars, arrays and objects", R"({"a": [1, "xy", true, null], "b": {}, "c": -2.5e3})", {8, 2, 0, 0}},
        {"controls and scene objects",
         R"({"controls": {"p": 1, "q": "x\"y"}, "potentialScene": {"objects": [{"id": "1"}, {}], "active": true}})",
         {10, 14, 2, 2}},
        {"the same names below the root",
         R"({"x": {"controls": {"a": 1}, "potentialScene": {"objects": [1]}}, "objects": [2]})",
         {9, 14, 0, 0}},
        {"a root array", R"(["controls", {"controls": {"a": 1}}])", {5, 8, 0, 0}},
        {"characters of several bytes", "{\"n\": \"\xc3\xa9t\xc3\xa9\"}", {2, 3, 0, 0}},
        {"a string cut short", R"({"name": "abc)", {2, 4, 0, 0}},
        {"no JSON at all", "not json", {2, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const JsonTextExtent got = measureJsonText(QByteArray(c.text));
        EXPECT_EQ(got.values, c.expected.values) << c.what;
        EXPECT_EQ(got.longestString, c.expected.longestString) << c.what;
        EXPECT_EQ(got.controls, c.expected.controls) << c.what;
        EXPECT_EQ(got.sceneObjects, c.expected.sceneObjects) << c.what;
    }
}

} // namespace
} // namespace vxo
