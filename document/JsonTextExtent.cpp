#include "document/JsonTextExtent.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vxo {

namespace {

// The containers whose entries are counted, by where they stand.
enum class Role { Root, Controls, Scene, SceneObjects, Other };

struct Frame {
    bool object;
    Role role;
    bool expectingKey; // in an object: the next string is a member's name
};

// Containers nested deeper than this are counted but not followed, so that a
// text of millions of brackets costs no memory; every document lies far
// above it, and a text that nests so deep is refused for its nesting. Below
// it, names and values are told apart only approximately (every string is
// taken for a value).
constexpr std::size_t kFollowedNesting = 256;

// Only short names are ever compared.
constexpr qsizetype kLongestComparedName = 16;

bool isStructural(char c) { return c == '{' || c == '}' || c == '[' || c == ']' || c == ',' || c == ':'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One string, from just after its opening quote to just after its closing
// one (or the end of the text): its characters as the parser decodes them
// and, while it is short, its decoded text. A character outside ASCII
// stands in the text as a byte no compared name holds.
struct DecodedString {
    std::int64_t characters = 0;
    char text[kLongestComparedName] = {};
    qsizetype length = 0; // beyond kLongestComparedName: too long to compare

    bool is(const char* name) const
    {
        const auto size = static_cast<qsizetype>(std::strlen(name));
        return length == size && std::memcmp(text, name, static_cast<std::size_t>(size)) == 0;
    }
};

// The role of a container opened as the value of `key` in `parent` (no
// parent: the root).
Role roleOf(const Frame* parent, bool object, const DecodedString& key)
{
    if (parent == nullptr)
        return object ? Role::Root : Role::Other;
    if (parent->role == Role::Root && object && key.is("controls"))
        return Role::Controls;
    if (parent->role == Role::Root && object && key.is("potentialScene"))
        return Role::Scene;
    if (parent->role == Role::Scene && !object && key.is("objects"))
        return Role::SceneObjects;
    return Role::Other;
}

qsizetype decodeString(const char* data, qsizetype size, qsizetype at, DecodedString& decoded)
{
    constexpr char kForeign = '\x01';
    const auto append = [&decoded](char c) {
        if (decoded.length < kLongestComparedName)
            decoded.text[decoded.length] = c;
        ++decoded.length;
    };
    while (at < size && data[at] != '"') {
        const char c = data[at];
        if (c != '\\') {
            // A character of several bytes counts once, by its first byte.
            const bool first = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            decoded.characters += first ? 1 : 0;
            if (first)
                append(static_cast<unsigned char>(c) < 0x80 ? c : kForeign);
            ++at;
            continue;
        }
        if (at + 1 >= size) {
            ++at;
            break;
        }
        const char escaped = data[at + 1];
        int unit = -1;
        if (escaped == 'u' && at + 5 < size) {
            unit = 0;
            for (qsizetype k = at + 2; k < at + 6 && unit >= 0; ++k) {
                const int digit = hexValue(data[k]);
                unit = digit < 0 ? -1 : unit * 16 + digit;
            }
        }
        if (unit >= 0) {
            // The second half of an escaped surrogate pair completes the
            // character its first half began.
            const bool trailingHalf = unit >= 0xDC00 && unit <= 0xDFFF;
            decoded.characters += trailingHalf ? 0 : 1;
            if (!trailingHalf)
                append(unit < 0x80 ? static_cast<char>(unit) : kForeign);
            at += 6;
        } else {
            // "\n", "\"" and the like: one character. A malformed escape is
            // the parser's to name.
            ++decoded.characters;
            append(escaped == '"' || escaped == '\\' || escaped == '/' ? escaped : kForeign);
            at += 2;
        }
    }
    return at < size ? at + 1 : size;
}

} // namespace

JsonTextExtent measureJsonText(const QByteArray& text)
{
    JsonTextExtent extent;
    std::vector<Frame> open;
    std::int64_t unfollowed = 0; // containers open below the followed depth
    DecodedString key;
    const char* const data = text.constData();
    const qsizetype size = text.size();
    const auto followed = [&] { return unfollowed == 0 && !open.empty(); };
    // A value starts: counted, and as an entry of the container it is in.
    const auto value = [&] {
        ++extent.values;
        if (!followed())
            return;
        if (open.back().role == Role::Controls)
            ++extent.controls;
        else if (open.back().role == Role::SceneObjects)
            ++extent.sceneObjects;
    };
    for (qsizetype at = 0; at < size;) {
        const char c = data[at];
        if (isBlank(c) || c == ':') {
            ++at;
        } else if (c == ',') {
            if (followed() && open.back().object)
                open.back().expectingKey = true;
            ++at;
        } else if (c == '{' || c == '[') {
            const bool object = c == '{';
            value();
            if (unfollowed == 0 && open.size() < kFollowedNesting)
                open.push_back({object, roleOf(open.empty() ? nullptr : &open.back(), object, key), object});
            else
                ++unfollowed;
            extent.deepestNesting =
                std::max(extent.deepestNesting, static_cast<std::int64_t>(open.size()) + unfollowed);
            ++at;
        } else if (c == '}' || c == ']') {
            if (unfollowed > 0)
                --unfollowed;
            else if (!open.empty())
                open.pop_back();
            ++at;
        } else if (c == '"') {
            DecodedString decoded;
            at = decodeString(data, size, at + 1, decoded);
            extent.longestString = std::max(extent.longestString, decoded.characters);
            const bool isKey = followed() && open.back().object && open.back().expectingKey;
            if (isKey) {
                open.back().expectingKey = false;
                key = decoded;
            } else {
                value();
            }
        } else {
            // A number or a literal, up to the next separator; its length
            // counts as a string's would, or the parser would spend a second
            // on a number of millions of digits.
            value();
            const qsizetype start = at;
            while (at < size && !isBlank(data[at]) && !isStructural(data[at]) && data[at] != '"')
                ++at;
            extent.longestString = std::max(extent.longestString, static_cast<std::int64_t>(at - start));
        }
    }
    return extent;
}

} // namespace vxo
