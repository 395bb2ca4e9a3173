// The two languages of a guide teach the same lesson: every number one page
// quotes, the other quotes too, with the same digits.

#include "common/GuideNumbers.h"
#include "document/ExperimentCatalogue.h"
#include "document/PresetGuides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace vxo::test {
namespace {

struct ReadingCase {
    const char* html;
    std::vector<std::string> numbers;
};

TEST(GuideNumbers, AreReadAsAStudentReadsThePage)
{
    const ReadingCase cases[] = {
        // Digits inside a name are not quoted numbers; the heading's tag is not one either.
        {"<h3>Barrier (E &gt; V0)</h3><p>V0 = 4.5 and P_T = 0.37</p>", {"4.5", "0.37"}},
        // An Italian decimal comma is a point; a comma and a space separate two numbers.
        {"<p>T vale 0,344 in (-8, 0)</p>", {"0.344", "8", "0"}},
        // A square written as an entity is the same 2 an English page writes as ^2.
        {"<p>sigma&sup2; and sigma^2</p>", {"2", "2"}},
        // An entity without a figure leaves the numbers around it alone.
        {"<p>&lambda; &asymp; 2.51 at 35&deg;</p>", {"2.51", "35"}},
        // Trailing full stops end a sentence, not a number.
        {"<p>about 0.82.</p>", {"0.82"}},
    };
    for (const ReadingCase& c : cases) {
        std::vector<std::string> read;
        for (const QuotedNumber& n : quotedNumbers(guideText(c.html)))
            read.push_back(n.text);
        EXPECT_EQ(read, c.numbers) << c.html;
    }
    // The sign is the number's where a minus starts it, not where it joins words.
    const std::vector<QuotedNumber> signed_ = quotedNumbers("x = -8, +/-30 and 3-4");
    ASSERT_EQ(signed_.size(), 4u);
    EXPECT_EQ(signed_[0].value, -8.0);
    EXPECT_EQ(signed_[1].value, -30.0);
    EXPECT_EQ(signed_[3].value, 4.0);
}

class GuideLanguages : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(GuideLanguages, QuoteTheSameNumbers)
{
    const std::uint32_t index = GetParam();
    const std::set<std::string> english = quotedNumberSet(presetGuideEnglish(index));
    const std::set<std::string> italian = quotedNumberSet(presetGuideItalian(index));
    ASSERT_FALSE(english.empty()) << "guide " << index << " quotes no number";
    std::vector<std::string> onlyEnglish, onlyItalian;
    std::set_difference(english.begin(), english.end(), italian.begin(), italian.end(),
                        std::back_inserter(onlyEnglish));
    std::set_difference(italian.begin(), italian.end(), english.begin(), english.end(),
                        std::back_inserter(onlyItalian));
    const auto joined = [](const std::vector<std::string>& v) {
        std::string s;
        for (const std::string& n : v)
            s += (s.empty() ? "" : " ") + n;
        return s;
    };
    EXPECT_TRUE(onlyEnglish.empty() && onlyItalian.empty())
        << "guide " << index << ": only in English {" << joined(onlyEnglish) << "}, only in Italian {"
        << joined(onlyItalian) << "}";
}

INSTANTIATE_TEST_SUITE_P(EveryGuide, GuideLanguages, ::testing::Range(std::uint32_t{0}, presetCount()));

} // namespace
} // namespace vxo::test
