#include "app/HelpFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vxo {

QString findHelpFolder(const QString& programDirectory, const QString& workingDirectory)
{
    const QDir program(programDirectory);
    const QString inWorkingDirectory = QDir(workingDirectory).filePath(QStringLiteral("help"));
    const QStringList candidates{
        program.filePath(QStringLiteral("help")),          inWorkingDirectory,
        program.filePath(QStringLiteral("../help")),       program.filePath(QStringLiteral("../../help")),
        program.filePath(QStringLiteral("../../../help")),
    };
    for (const QString& candidate : candidates) {
        const QFileInfo folder(candidate);
        if (!folder.isDir())
            continue;
        const QString canonical = folder.canonicalFilePath();
        return canonical.isEmpty() ? folder.absoluteFilePath() : canonical;
    }
    return inWorkingDirectory;
}

} // namespace vxo
