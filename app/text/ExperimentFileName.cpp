#include "app/text/ExperimentFileName.h"

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

} // namespace vxo
