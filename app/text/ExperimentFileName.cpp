#include "app/text/ExperimentFileName.h"

#include "document/DisplayText.h"

#include <QFileInfo>

namespace vxo {

QString experimentFileBaseName(QString title)
{
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar& character : title) {
        if (refused.contains(character))
            character = QLatin1Char('_');
    }
    title = title.trimmed();
    return title.isEmpty() ? QStringLiteral("quantum_experiment") : title;
}

QString experimentTitleOfFile(const QString& path)
{
    const QFileInfo file(path);
    const QString base = file.baseName();
    return blankForDisplay(base) ? file.fileName() : base;
}

} // namespace vxo
