#include "app/form/DiagnosticsPresentation.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QAbstractItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <array>
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

LabelColumnWidths DiagnosticsPresentation::labelWidthsFor(int viewportWidth) const
{
    // The contents' width, as the table measures it for its cells and header
    // when it resizes a column to its contents.
    const auto natural = [this](int column) {
        return std::max(static_cast<const QAbstractItemView*>(table_)->sizeHintForColumn(column),
                        table_->horizontalHeader()->sectionSizeHint(column));
    };
    const int margins = cellTextMargins(*table_);
    return labelColumnWidths(natural(SectionColumn), natural(ParameterColumn),
                             widestWord(*table_, SectionColumn) + margins,
                             widestWord(*table_, ParameterColumn) + margins, viewportWidth, kValueShare);
}

void DiagnosticsPresentation::fit()
{
    const LabelColumnWidths widths = labelWidthsFor(table_->viewport()->width());
    table_->setColumnWidth(SectionColumn, widths.section);
    table_->setColumnWidth(ParameterColumn, widths.parameter);
    const int margins = cellTextMargins(*table_);
    const int figure =
        QFontMetrics(table_->font()).horizontalAdvance(QString(kFigureCharacters, QLatin1Char('0'))) + margins;
    const int minimum = widestWord(*table_, SectionColumn) + widestWord(*table_, ParameterColumn) + 2 * margins +
                        figure + 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    readableWidth_ = minimum;
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

std::array<int, 3> DiagnosticsPresentation::columnWidthsIn(int viewportWidth, const LabelColumnWidths& labels) const
{
    // The value column stretches over what the header, within its frame,
    // leaves of the viewport.
    const int value = viewportWidth - 2 * table_->horizontalHeader()->frameWidth() - labels.section - labels.parameter;
    return {labels.section, labels.parameter, std::max(0, value)};
}

int DiagnosticsPresentation::rowHeightIn(int row, const std::array<int, 3>& widths) const
{
    // Each cell as the table's delegate measures it for a row sized to its
    // contents: its text wrapped within its column's width. No row is lower
    // than the rows' header lets a row be.
    QStyleOptionViewItem option;
    option.initFrom(table_);
    option.widget = table_;
    option.font = table_->font();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.features = table_->wordWrap() ? QStyleOptionViewItem::WrapText : QStyleOptionViewItem::None;
    int height = table_->verticalHeader()->minimumSectionSize();
    for (int column = 0; column < ColumnCount; ++column) {
        option.rect = QRect(0, 0, widths[static_cast<std::size_t>(column)], 1);
        const QModelIndex index = table_->model()->index(row, column);
        height = std::max(height, table_->itemDelegate(index)->sizeHint(option, index).height());
    }
    return height;
}

int DiagnosticsPresentation::heightForRows(int rows, int width) const
{
    // The viewport beside the vertical scroll bar: a table that shows only
    // some of its rows scrolls.
    const int frame = 2 * table_->frameWidth();
    const int viewportWidth = width - frame - table_->verticalScrollBar()->sizeHint().width();
    const std::array<int, 3> widths = columnWidthsIn(viewportWidth, labelWidthsFor(viewportWidth));
    int height = table_->horizontalHeader()->sizeHint().height() + frame;
    const QHeaderView* order = table_->verticalHeader();
    for (int visual = 0, counted = 0; visual < table_->rowCount() && counted < rows; ++visual) {
        const int row = order->logicalIndex(visual);
        if (!table_->isRowHidden(row)) {
            height += rowHeightIn(row, widths);
            ++counted;
        }
    }
    return height;
}

void DiagnosticsPresentation::fitRow(int row)
{
    // At the widths the columns have, the value column's as its stretch
    // will give it: the header widens it only on its next layout pass, after
    // this measure.
    const int height =
        rowHeightIn(row, columnWidthsIn(table_->viewport()->width(),
                                        {table_->columnWidth(SectionColumn), table_->columnWidth(ParameterColumn)}));
    if (table_->rowHeight(row) != height)
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
