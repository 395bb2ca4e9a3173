#include "document/JsonTextExtent.h"

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

bool isStructural(char c) { return c == '{' || c == '}' || c == '[' || c == ']' || c == ',' || c == ':'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The role of a container opened as the value of `key` in `parent` (no
// parent: the root). Names written with escapes are not recognised; the
// count of all values still bounds them.
Role roleOf(const Frame* parent, bool object, const QByteArray& key)
{
    if (parent == nullptr)
        return object ? Role::Root : Role::Other;
    if (parent->role == Role::Root && object && key == "controls")
        return Role::Controls;
    if (parent->role == Role::Root && object && key == "potentialScene")
        return Role::Scene;
    if (parent->role == Role::Scene && !object && key == "objects")
        return Role::SceneObjects;
    return Role::Other;
}

} // namespace

JsonTextExtent measureJsonText(const QByteArray& text)
{
    JsonTextExtent extent;
    std::vector<Frame> open;
    QByteArray key;
    const char* const data = text.constData();
    const qsizetype size = text.size();
    // A value starts: counted, and as an entry of the container it is in.
    const auto value = [&] {
        ++extent.values;
        if (open.empty())
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
            if (!open.empty() && open.back().object)
                open.back().expectingKey = true;
            ++at;
        } else if (c == '{' || c == '[') {
            const bool object = c == '{';
            value();
            open.push_back({object, roleOf(open.empty() ? nullptr : &open.back(), object, key), object});
            ++at;
        } else if (c == '}' || c == ']') {
            if (!open.empty())
                open.pop_back();
            ++at;
        } else if (c == '"') {
            // Up to the closing quote; a backslash takes the byte after it.
            // Characters are counted by their first UTF-8 byte, escaped ones
            // too: as written.
            const qsizetype start = ++at;
            std::int64_t characters = 0;
            while (at < size && data[at] != '"') {
                const qsizetype step = data[at] == '\\' && at + 1 < size ? 2 : 1;
                for (qsizetype k = at; k < at + step; ++k)
                    characters += (static_cast<unsigned char>(data[k]) & 0xC0) != 0x80 ? 1 : 0;
                at += step;
            }
            if (characters > extent.longestString)
                extent.longestString = characters;
            const bool isKey = !open.empty() && open.back().object && open.back().expectingKey;
            if (isKey) {
                open.back().expectingKey = false;
                // Only short names are ever compared.
                constexpr qsizetype kLongestComparedName = 16;
                key = at - start <= kLongestComparedName ? QByteArray(data + start, at - start) : QByteArray();
            } else {
                value();
            }
            ++at;
        } else {
            // A number or a literal, up to the next separator.
            value();
            while (at < size && !isBlank(data[at]) && !isStructural(data[at]) && data[at] != '"')
                ++at;
        }
    }
    return extent;
}

} // namespace vxo
