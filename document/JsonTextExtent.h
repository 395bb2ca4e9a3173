#pragma once

// How much a JSON text holds, measured in one pass over its bytes without
// building anything. The toolkit's parser takes seconds and the memory of
// every value for a text of millions of values or a string of millions of
// characters, all within the file size limit; measured first, a text too
// large to be a document is refused before it is parsed. The pass reads any
// bytes: on a text that is not JSON it counts what it can, and the parser
// then names the fault.

#include <QByteArray>

#include <cstdint>

namespace vxo {

struct JsonTextExtent {
    std::int64_t values = 0;        // scalars, objects and arrays, at every depth
    std::int64_t longestString = 0; // characters as written (an escape counts as written), keys included
    std::int64_t controls = 0;      // members of the root's "controls" object
    std::int64_t sceneObjects = 0;  // entries of the root's "potentialScene" "objects" array
};

JsonTextExtent measureJsonText(const QByteArray& text);

} // namespace vxo
