#include "app/form/DiagnosticsPresentation.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vxo {

namespace {

enum Column { SectionColumn, ParameterColumn, ValueColumn, ColumnCount };

// The widest word of a column's texts, in the table's font.
int widestWord(const QTableWidget& table, int column)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QFontMetrics metrics(table.font());
    int widest = 0;
    for (int row = 0; row < table.rowCount(); ++row)
        if (const QTableWidgetItem* item = table.item(row, column))
            for (const QString& word : item->text().split(blanks, Qt::SkipEmptyParts))
                widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// The room a cell leaves around its text, left and right together, as the
// item views lay a cell out.
int cellTextMargins(const QTableWidget& table)
{
    return 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1);
}

} // namespace

LabelColumnWidths labelColumnWidths(int naturalSection, int naturalParameter, int shortestSection,
                                    int shortestParameter, int available, double valueShare)
{
    const int section = std::max(0, naturalSection);
    const int parameter = std::max(0, naturalParameter);
    const int room = std::max(0, static_cast<int>(std::floor(available * (1.0 - valueShare))));
    if (section + parameter <= room)
        return {section, parameter};
    const int sectionShare = static_cast<int>(static_cast<long long>(room) * section / (section + parameter));
    const int sectionWidth = std::min(section, std::max(sectionShare, shortestSection));
    const int parameterWidth = std::min(parameter, std::max(room - sectionWidth, shortestParameter));
    return {sectionWidth, parameterWidth};
}

DiagnosticsPresentation::DiagnosticsPresentation(QTableWidget* table, std::function<std::vector<int>()> order,
                                                 std::function<bool(int)> decidesOrder)
    : QObject(table), table_(table), viewport_(table->viewport()), order_(std::move(order)),
      decidesOrder_(std::move(decidesOrder))
{
    // A value longer than its cell goes on over further lines rather than
    // being cut: the figures a guide names stay readable in a narrow dock.
    table->setWordWrap(true);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(SectionColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ParameterColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    viewport_->installEventFilter(this);
    connect(table->model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles) {
                cellsChanged(topLeft, bottomRight, roles);
            });
    fit();
    arrangeRows();
}

void DiagnosticsPresentation::fit()
{
    // The contents' width, as the table measures it for its cells and header.
    const auto natural = [this](int column) {
        table_->resizeColumnToContents(column);
        return table_->columnWidth(column);
    };
    const int margins = cellTextMargins(*table_);
    const int shortestSection = widestWord(*table_, SectionColumn) + margins;
    const int shortestParameter = widestWord(*table_, ParameterColumn) + margins;
    const LabelColumnWidths widths =
        labelColumnWidths(natural(SectionColumn), natural(ParameterColumn), shortestSection, shortestParameter,
                          table_->viewport()->width(), kValueShare);
    table_->setColumnWidth(SectionColumn, widths.section);
    table_->setColumnWidth(ParameterColumn, widths.parameter);
    const int figure =
        QFontMetrics(table_->font()).horizontalAdvance(QString(kFigureCharacters, QLatin1Char('0'))) + margins;
    const int minimum = shortestSection + shortestParameter + figure + 2 * table_->frameWidth() +
                        table_->verticalScrollBar()->sizeHint().width();
    if (table_->minimumWidth() != minimum)
        table_->setMinimumWidth(minimum);
    int line = std::numeric_limits<int>::max();
    for (int row = 0; row < table_->rowCount(); ++row) {
        fitRow(row);
        line = std::min(line, table_->rowHeight(row));
    }
    // The lowest row holds one line.
    if (table_->rowCount() > 0) {
        const int rows =
            table_->horizontalHeader()->sizeHint().height() + kReadableRows * line + 2 * table_->frameWidth();
        if (table_->minimumHeight() != rows)
            table_->setMinimumHeight(rows);
    }
}

void DiagnosticsPresentation::fitRow(int row)
{
    // The table's own measure of the row at its column widths (public as an
    // item view's).
    const int height = static_cast<const QAbstractItemView*>(table_)->sizeHintForRow(row);
    if (height > 0 && table_->rowHeight(row) != height)
        table_->setRowHeight(row, height);
    QString texts[ColumnCount];
    for (int column = 0; column < ColumnCount; ++column)
        if (const QTableWidgetItem* item = table_->item(row, column))
            texts[column] = item->text();
    const QString whole =
        QStringLiteral("%1 / %2\n%3").arg(texts[SectionColumn], texts[ParameterColumn], texts[ValueColumn]);
    for (int column = 0; column < ColumnCount; ++column)
        if (QTableWidgetItem* item = table_->item(row, column); item && item->toolTip() != whole)
            item->setToolTip(whole);
}

void DiagnosticsPresentation::cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                           const QVector<int>& roles)
{
    // The tooltips written here come back as changes of their own role.
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
        return;
    // A new label can change the column widths and with them every row.
    if (topLeft.column() < ValueColumn) {
        fit();
    } else {
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
            fitRow(row);
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (decidesOrder_(row)) {
            arrangeRows();
            break;
        }
    }
}

void DiagnosticsPresentation::arrangeRows()
{
    const std::vector<int> order = order_();
    if (order == shownOrder_ || static_cast<int>(order.size()) != table_->rowCount())
        return;
    QHeaderView* rows = table_->verticalHeader();
    for (int visual = 0; visual < static_cast<int>(order.size()); ++visual) {
        const int from = rows->visualIndex(order[static_cast<std::size_t>(visual)]);
        if (from != visual)
            rows->moveSection(from, visual);
    }
    shownOrder_ = order;
}

bool DiagnosticsPresentation::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == viewport_)
        fit();
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
