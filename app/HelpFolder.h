#pragma once

#include <QString>

namespace vxo {

// The folder of the structured help pages. Candidates, first existing
// directory wins: "help" beside the program, "help" in the working directory,
// then "../help", "../../help" and "../../../help" from the program's
// directory (a build tree a few levels below the sources still finds the
// pages). The result is the folder's canonical path, or its absolute path when
// that is empty. A file named "help" is not a candidate. With no candidate the
// result is "help" in the working directory, which need not exist.
QString findHelpFolder(const QString& programDirectory, const QString& workingDirectory);

} // namespace vxo
