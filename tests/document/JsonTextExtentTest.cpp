#include "document/JsonTextExtent.h"

#include <gtest/gtest.h>

namespace vxo {
namespace {

// Counted by hand from each text: every scalar, object and array is a value;
// only the root's "controls" members and its "potentialScene" "objects"
// entries are counted as such; names are no values; strings and names are
// measured and recognised as decoded, escapes and multi-byte characters
// counting once, and a number or literal by its length.
TEST(JsonTextExtent, CountsValuesTheLongestStringControlsSceneObjectsAndNesting)
{
    struct Case {
        const char* what;
        QByteArray text;
        JsonTextExtent expected;
    };
    const Case cases[] = {
        {"scalars, arrays and objects", R"({"a": [1, "xy", true, null], "b": {}, "c": -2.5e3})", {8, 6, 0, 0, 2}},
        {"controls and scene objects",
         R"({"controls": {"p": 1, "q": "x\"y"}, "potentialScene": {"objects": [{"id": "1"}, {}], "active": true}})",
         {10, 14, 2, 2, 4}},
        {"the same names below the root",
         R"({"x": {"controls": {"a": 1}, "potentialScene": {"objects": [1]}}, "objects": [2]})",
         {9, 14, 0, 0, 4}},
        {"a root array", R"(["controls", {"controls": {"a": 1}}])", {5, 8, 0, 0, 3}},
        {"characters of several bytes", "{\"n\": \"\xc3\xa9t\xc3\xa9\"}", {2, 3, 0, 0, 1}},
        {"escaped characters, a surrogate pair among them",
         R"({"e": "\u00e9t\u00E9", "s": "\ud83d\ude00", "q": "x\"y\n"})",
         {4, 4, 0, 0, 1}},
        {"escaped names",
         R"({"contr\u006fls": {"a": 1, "b": 2}, "p\u006ftentialScene": {"\u006fbjects": [{}]}})",
         {7, 14, 2, 1, 4}},
        {"surrogate pairs at the ends of the trailing range", R"({"s": "\ud800\udc00\udbff\udfff"})", {2, 2, 0, 0, 1}},
        {"an escape that is no hex number", R"({"s": "\u12zq"})", {2, 5, 0, 0, 1}},
        {"a string cut short", R"({"name": "abc)", {2, 4, 0, 0, 1}},
        {"no JSON at all", "not json", {2, 4, 0, 0, 0}},
        {"brackets far deeper than any document", QByteArray(300, '[') + QByteArray(300, ']'), {300, 0, 0, 0, 300}},
    };
    for (const Case& c : cases) {
        const JsonTextExtent got = measureJsonText(c.text);
        EXPECT_EQ(got.values, c.expected.values) << c.what;
        EXPECT_EQ(got.longestString, c.expected.longestString) << c.what;
        EXPECT_EQ(got.controls, c.expected.controls) << c.what;
        EXPECT_EQ(got.sceneObjects, c.expected.sceneObjects) << c.what;
        EXPECT_EQ(got.deepestNesting, c.expected.deepestNesting) << c.what;
    }
}

} // namespace
} // namespace vxo
