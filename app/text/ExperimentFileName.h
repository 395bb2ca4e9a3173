#pragma once

#include <QString>

namespace vxo {

// A file base name for an experiment title: each of the nine characters that
// file systems refuse in names (\ / : * ? " < > |) becomes an underscore in
// its place, the result is trimmed, and an empty result (an empty title or
// blanks only) becomes "quantum_experiment".
QString experimentFileBaseName(QString title);

} // namespace vxo
