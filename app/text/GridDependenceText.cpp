#include "app/text/GridDependenceText.h"

#include "app/text/PanelText.h"

namespace vxo {

QString gridDependenceText(double dx, double dy, const QString& onTheseCells, const QString& onFinerCells)
{
    return PanelText(QStringLiteral("on cells of %1 x %2 %3: on finer cells %4"))
        .fixed({dx, dy}, 3)
        .word(onTheseCells)
        .word(onFinerCells)
        .text();
}

} // namespace vxo
