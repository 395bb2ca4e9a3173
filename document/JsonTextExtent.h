#pragma once

// How much a JSON text holds, measured in one pass over its bytes without
// building anything. The toolkit's parser takes seconds and the memory of
// every value for a text of millions of values or a string of millions of
// characters, all within the file size limit; measured first, a text too
// large to be a document is refused before it is parsed. The pass reads any
// bytes: on a text that is not JSON it counts what it can, and the parser
// then names the fault.
//
// Strings are measured as the parser decodes them: an escape is the one
// character it stands for ("\u00e9" is one character, as is a pair of
// escaped surrogates), and names are recognised by their decoded text
// ("contr\u006fls" is the controls object). Memory stays bounded however
// deep the text nests.

#include <QByteArray>

#include <cstdint>

namespace vxo {

struct JsonTextExtent {
    std::int64_t values = 0;         // scalars, objects and arrays, at every depth
    std::int64_t longestString = 0;  // decoded characters (code points), keys and numbers included
    std::int64_t controls = 0;       // members of the root's "controls" object
    std::int64_t sceneObjects = 0;   // entries of the root's "potentialScene" "objects" array
    std::int64_t deepestNesting = 0; // objects and arrays open at once, at most
};

JsonTextExtent measureJsonText(const QByteArray& text);

} // namespace vxo
