#include "app/form/DiagnosticsColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

enum Column { SectionColumn, ParameterColumn, ValueColumn };

} // namespace

LabelColumnWidths labelColumnWidths(int naturalSection, int naturalParameter, int available, double valueShare)
{
    const int section = std::max(0, naturalSection);
    const int parameter = std::max(0, naturalParameter);
    const int room = std::max(0, static_cast<int>(std::floor(available * (1.0 - valueShare))));
    if (section + parameter <= room)
        return {section, parameter};
    const int sectionWidth = static_cast<int>(static_cast<long long>(room) * section / (section + parameter));
    return {sectionWidth, room - sectionWidth};
}

DiagnosticsColumns::DiagnosticsColumns(QTableWidget* table)
    : QObject(table), table_(table), viewport_(table->viewport())
{
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(SectionColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ParameterColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    viewport_->installEventFilter(this);
    // Values change on every refresh; only a new label can change the widths.
    connect(table->model(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        if (topLeft.column() < ValueColumn)
            fit();
    });
    fit();
}

void DiagnosticsColumns::fit()
{
    // The contents' width, as the table measures it for its cells and header.
    const auto natural = [this](int column) {
        table_->resizeColumnToContents(column);
        return table_->columnWidth(column);
    };
    const LabelColumnWidths widths =
        labelColumnWidths(natural(SectionColumn), natural(ParameterColumn), table_->viewport()->width(), kValueShare);
    table_->setColumnWidth(SectionColumn, widths.section);
    table_->setColumnWidth(ParameterColumn, widths.parameter);
}

bool DiagnosticsColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == viewport_)
        fit();
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
