#pragma once

// The numbers a guide page quotes, read as a student reads them: the page's
// text without its markup, entities written out, and every figure that stands
// as a number of its own (not the 0 of "V0" or the 2 of "P_2"). An Italian
// decimal comma ("0,34") reads as a point; a comma followed by a space
// separates two numbers.

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace vxo::test {

// The page as text: tags dropped, the entities that carry a figure written
// out (a square is "^2", as the pages write it in plain ASCII), the others a
// space or their character.
inline std::string guideText(const std::string& html)
{
    struct Entity {
        const char* name;
        const char* text;
    };
    static const Entity kEntities[] = {{"&sup2;", "^2"}, {"&sup3;", "^3"}, {"&frac12;", "1/2"}, {"&amp;", "&"},
                                       {"&lt;", "<"},    {"&gt;", ">"},    {"&nbsp;", " "}};
    std::string text;
    text.reserve(html.size());
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            i = close == std::string::npos ? html.size() : close + 1;
            text += ' ';
            continue;
        }
        if (c == '&') {
            bool known = false;
            for (const Entity& e : kEntities) {
                if (html.compare(i, std::char_traits<char>::length(e.name), e.name) == 0) {
                    text += e.text;
                    i += std::char_traits<char>::length(e.name);
                    known = true;
                    break;
                }
            }
            if (known)
                continue;
            const std::size_t close = html.find(';', i);
            if (close != std::string::npos && close - i < 10) {
                text += ' ';
                i = close + 1;
                continue;
            }
        }
        text += c;
        ++i;
    }
    return text;
}

struct QuotedNumber {
    double value;
    std::string text;  // as written, decimal comma turned into a point, no sign
    std::size_t begin; // position in the text the number was read from
    std::size_t end;
};

// Every number of `text` in reading order. A minus sign belongs to the number
// when it follows a space, a bracket, '=' or '/' ("x = -8", "+/-30").
inline std::vector<QuotedNumber> quotedNumbers(const std::string& text)
{
    const auto digit = [&text](std::size_t i) { return i < text.size() && std::isdigit((unsigned char)text[i]); };
    const auto wordChar = [&text](std::size_t i) {
        const unsigned char c = (unsigned char)text[i];
        return std::isalnum(c) || c == '_' || c == '.';
    };
    std::vector<QuotedNumber> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (!digit(i) || (i > 0 && wordChar(i - 1))) {
            // Skip the rest of a word that carries digits (V0, P_2, 1e3).
            if (digit(i))
                while (i < text.size() && wordChar(i))
                    ++i;
            else
                ++i;
            continue;
        }
        std::size_t end = i;
        while (digit(end))
            ++end;
        if (end + 1 < text.size() && (text[end] == '.' || text[end] == ',') && digit(end + 1)) {
            end += 1;
            while (digit(end))
                ++end;
        }
        std::string written = text.substr(i, end - i);
        for (char& c : written)
            if (c == ',')
                c = '.';
        std::size_t begin = i;
        bool negative = false;
        if (i > 0 && text[i - 1] == '-' && (i == 1 || std::string(" (=/[").find(text[i - 2]) != std::string::npos)) {
            negative = true;
            begin = i - 1;
        }
        const double magnitude = std::strtod(written.c_str(), nullptr);
        numbers.push_back({negative ? -magnitude : magnitude, written, begin, end});
        i = end;
    }
    return numbers;
}

// The numbers of a page as a set of their written forms (signs aside: "-8"
// and "8" name the same start in two phrasings).
inline std::set<std::string> quotedNumberSet(const std::string& html)
{
    std::set<std::string> set;
    for (const QuotedNumber& n : quotedNumbers(guideText(html)))
        set.insert(n.text);
    return set;
}

} // namespace vxo::test
