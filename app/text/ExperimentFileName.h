#pragma once

#include <QString>

namespace vxo {

// A file base name for an experiment title: each of the nine characters that
// file systems refuse in names (\ / : * ? " < > |) becomes an underscore in
// its place, the result is trimmed, and an empty result (an empty title or
// blanks only) becomes "quantum_experiment".
QString experimentFileBaseName(QString title);

// The title a document takes from its file `path`: the file name up to its
// first dot, or, where that part shows nothing (empty, control or direction
// characters only), the whole file name, so that the window title still
// names the file.
QString experimentTitleOfFile(const QString& path);

} // namespace vxo
