#include "document/PresetGuides.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace vxo::test {

namespace {

constexpr std::uint32_t kGuideCount = 54;
constexpr std::size_t kMinimumBytes = 340;
constexpr std::size_t kMaximumBytes = 3052;

struct GuideLanguage {
    const char* name;
    const char* (*page)(std::uint32_t);
    const char* headingPrefix;
};

const std::vector<GuideLanguage>& languages()
{
    static const std::vector<GuideLanguage> all = {
        {"English", &presetGuideEnglish, "<h3>Guided experiment: "},
        {"Italian", &presetGuideItalian, "<h3>Esperimento guidato: "},
    };
    return all;
}

bool isLowerAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Walks the page as the help dock's rich-text reader would: every tag must be
// one of the few the guides use, carry no attributes, and close in the
// reverse order of opening. Returns an empty string or the first fault.
std::string tagStructureFault(const std::string& html)
{
    static const std::set<std::string> allowed = {"h3", "p", "b", "i", "ul", "li"};
    std::vector<std::string> open;
    std::size_t pos = 0;
    while ((pos = html.find_first_of("<>", pos)) != std::string::npos) {
        if (html[pos] == '>')
            return "stray '>' at byte " + std::to_string(pos);
        const std::size_t end = html.find_first_of("<>", pos + 1);
        if (end == std::string::npos || html[end] != '>')
            return "unterminated tag at byte " + std::to_string(pos);
        std::string name = html.substr(pos + 1, end - pos - 1);
        const bool closing = !name.empty() && name[0] == '/';
        if (closing)
            name.erase(0, 1);
        if (name.empty() || allowed.count(name) == 0)
            return "unexpected tag <" + html.substr(pos + 1, end - pos - 1) + ">";
        if (!closing) {
            open.push_back(name);
        } else {
            if (open.empty() || open.back() != name)
                return "</" + name + "> does not close the innermost open tag at byte " + std::to_string(pos);
            open.pop_back();
        }
        pos = end + 1;
    }
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return {};
}

// Every '&' must start a named or numeric entity such as "&gt;" or "&#39;".
std::string entityFault(const std::string& html)
{
    std::size_t pos = 0;
    while ((pos = html.find('&', pos)) != std::string::npos) {
        std::size_t k = pos + 1;
        if (k < html.size() && html[k] == '#')
            ++k;
        const std::size_t nameStart = k;
        while (k < html.size() && isLowerAsciiLetterOrDigit(html[k]))
            ++k;
        if (k == nameStart || k >= html.size() || html[k] != ';')
            return "bare '&' at byte " + std::to_string(pos);
        pos = k + 1;
    }
    return {};
}

} // namespace

TEST(PresetGuidesTest, TagCheckerRejectsMalformedMarkup)
{
    EXPECT_TRUE(tagStructureFault("<h3>T</h3><p><b>Lead.</b> text</p>").empty());
    EXPECT_FALSE(tagStructureFault("<p><b>Lead.</p></b>").empty());
    EXPECT_FALSE(tagStructureFault("<p>unclosed").empty());
    EXPECT_FALSE(tagStructureFault("<p>a < b</p>").empty());
    EXPECT_FALSE(tagStructureFault("<p>a > b</p>").empty());
    EXPECT_FALSE(tagStructureFault("<p class=x>styled</p>").empty());
    EXPECT_FALSE(tagStructureFault("<p>line<br></p>").empty());
    EXPECT_TRUE(entityFault("a &lt; b &amp;&amp; c &#39;").empty());
    EXPECT_FALSE(entityFault("Tom & Jerry").empty());
    EXPECT_FALSE(entityFault("&gt without semicolon").empty());
}

TEST(PresetGuidesTest, EveryPageOpensWithItsHeadingThenParagraphs)
{
    for (const GuideLanguage& language : languages()) {
        std::set<std::string> headings;
        for (std::uint32_t index = 0; index < kGuideCount; ++index) {
            SCOPED_TRACE(std::string(language.name) + " guide " + std::to_string(index));
            const std::string page = language.page(index);
            const std::string prefix = language.headingPrefix;
            ASSERT_EQ(page.compare(0, prefix.size(), prefix), 0);
            const std::size_t headingEnd = page.find("</h3>");
            ASSERT_NE(headingEnd, std::string::npos);
            const std::string name = page.substr(prefix.size(), headingEnd - prefix.size());
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(headings.insert(name).second) << "heading repeated: " << name;
            const std::size_t body = page.find_first_not_of(" \n", headingEnd + 5);
            ASSERT_NE(body, std::string::npos);
            EXPECT_EQ(page.compare(body, 3, "<p>"), 0);
            EXPECT_EQ(page.find("<h3>", 1), std::string::npos) << "a page holds one heading";
            const std::string closing = "</p>";
            const std::size_t last = page.find_last_not_of(" \n");
            ASSERT_GE(last + 1, closing.size());
            EXPECT_EQ(page.compare(last + 1 - closing.size(), closing.size(), closing), 0);
        }
    }
}

TEST(PresetGuidesTest, EveryPageIsWellFormedAsciiHtml)
{
    for (const GuideLanguage& language : languages()) {
        for (std::uint32_t index = 0; index < kGuideCount; ++index) {
            SCOPED_TRACE(std::string(language.name) + " guide " + std::to_string(index));
            const std::string page = language.page(index);
            EXPECT_EQ(tagStructureFault(page), "");
            EXPECT_EQ(entityFault(page), "");
            for (std::size_t k = 0; k < page.size(); ++k) {
                const unsigned char byte = static_cast<unsigned char>(page[k]);
                ASSERT_LT(byte, 0x80u) << "non-ASCII byte at " << k;
                const bool whiteSpace = byte == '\n' || byte == '\r' || byte == '\t';
                ASSERT_TRUE(byte >= 0x20u || whiteSpace) << "control byte at " << k;
            }
        }
    }
}

TEST(PresetGuidesTest, EveryPageHasALengthInRangeAndBoldLeadIns)
{
    for (const GuideLanguage& language : languages()) {
        for (std::uint32_t index = 0; index < kGuideCount; ++index) {
            SCOPED_TRACE(std::string(language.name) + " guide " + std::to_string(index));
            const std::string page = language.page(index);
            EXPECT_GE(page.size(), kMinimumBytes);
            EXPECT_LE(page.size(), kMaximumBytes);

            std::size_t paragraphs = 0;
            std::size_t leadIns = 0;
            for (std::size_t pos = page.find("<p>"); pos != std::string::npos; pos = page.find("<p>", pos + 3)) {
                ++paragraphs;
                if (page.compare(pos, 6, "<p><b>") == 0)
                    ++leadIns;
            }
            EXPECT_GE(paragraphs, 2u);
            EXPECT_GE(leadIns, 1u);
            // Nearly all paragraphs open with a bold lead-in.
            EXPECT_GE(2 * leadIns, paragraphs);
        }
    }
}

TEST(PresetGuidesTest, IndexOutsideTheCatalogueGivesAnEmptyPage)
{
    for (const GuideLanguage& language : languages()) {
        SCOPED_TRACE(language.name);
        for (const std::uint32_t index :
             {kGuideCount, kGuideCount + 1, 1000u, std::numeric_limits<std::uint32_t>::max()}) {
            const char* page = language.page(index);
            ASSERT_NE(page, nullptr);
            EXPECT_STREQ(page, "");
        }
        EXPECT_STRNE(language.page(kGuideCount - 1), "");
    }
}

} // namespace vxo::test
