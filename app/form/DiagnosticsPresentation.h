#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QEvent;
class QModelIndex;
class QTableWidget;

namespace vxo {

// Widths of the section and parameter columns of a three-column table whose
// last column holds the values: their natural widths where they leave the
// values `valueShare` of `available`, otherwise that remainder shared in
// proportion to the natural widths, each no narrower than its widest word
// (`shortestSection`, `shortestParameter`: a label wraps between its words).
struct LabelColumnWidths {
    int section = 0;
    int parameter = 0;
};
LabelColumnWidths labelColumnWidths(int naturalSection, int naturalParameter, int shortestSection,
                                    int shortestParameter, int available, double valueShare);

// How the diagnostics table shows its rows, whatever writes them. Values and
// labels wrap between words, each row as tall as its lines; every cell's
// tooltip holds its row whole ("section / parameter", then the value). The
// section and parameter columns take their contents' width while the values
// keep their share, else they give way to it down to their widest word; the
// value column stretches over the rest, and a figure of kFigureCharacters
// characters in it beside the labels' widest words is the table's readable
// width (readableWidth: a narrower table, in a window too narrow for it,
// wraps its values), as kReadableRows rows of one line set its minimum
// height. The
// rows are shown in the order `order` gives (row indices, each once), asked
// again whenever a row for which `decidesOrder` holds gets a new value; the
// rows keep their indices. A child of the table.
class DiagnosticsPresentation : public QObject {
public:
    // The share of the table's width the values keep at least.
    static constexpr double kValueShare = 0.55;
    // The longest figure of a row kept on one line ("d(epsilon)/dt=0.40965").
    static constexpr int kFigureCharacters = 24;
    static constexpr int kReadableRows = 8;

    DiagnosticsPresentation(QTableWidget* table, std::function<std::vector<int>()> order,
                            std::function<bool(int)> decidesOrder);

    // Column widths, the table's readable width and minimum height, then
    // every row's height.
    void fit();
    // The narrowest the table shows its labels and a figure of
    // kFigureCharacters characters on one line each; 0 before the first fit().
    int readableWidth() const { return readableWidth_; }
    // The table's height that shows its first `rows` rows on show whole, with
    // their texts as they are now, where the table is `width` wide: the
    // header, the rows as tall as their wrapped lines at the column widths
    // fit() gives that width, and the frame.
    int heightForRows(int rows, int width) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The section and parameter columns' widths in a viewport `viewportWidth` wide.
    LabelColumnWidths labelWidthsFor(int viewportWidth) const;
    // The three columns' widths in a viewport `viewportWidth` wide with
    // these label columns.
    std::array<int, 3> columnWidthsIn(int viewportWidth, const LabelColumnWidths& labels) const;
    // The row's height with its texts wrapped in columns of `widths`.
    int rowHeightIn(int row, const std::array<int, 3>& widths) const;
    void cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles);
    // The row as tall as its wrapped lines, its tooltips its whole text.
    void fitRow(int row);
    void arrangeRows();

    QTableWidget* table_;
    // Kept apart: the table is not asked for it while it is being destroyed.
    QObject* viewport_;
    std::function<std::vector<int>()> order_;
    std::function<bool(int)> decidesOrder_;
    std::vector<int> shownOrder_;
    int readableWidth_ = 0;
};

} // namespace vxo
