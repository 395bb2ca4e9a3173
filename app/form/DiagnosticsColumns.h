#pragma once

#include <QObject>

class QEvent;
class QTableWidget;

namespace vxo {

// Widths of the section and parameter columns of a three-column table whose
// last column holds the values: their natural widths where they leave the
// values `valueShare` of `available`, otherwise that remainder shared in
// proportion to the natural widths.
struct LabelColumnWidths {
    int section = 0;
    int parameter = 0;
};
LabelColumnWidths labelColumnWidths(int naturalSection, int naturalParameter, int available, double valueShare);

// Keeps the value column of the diagnostics table readable in a narrow dock:
// the section and parameter columns take their contents' width while the
// values keep their share, else they give way (elided) to it; the value
// column stretches over the rest. Refits when the table is resized or a label
// cell changes. A child of the table.
class DiagnosticsColumns : public QObject {
public:
    // The share of the table's width the values keep at least.
    static constexpr double kValueShare = 0.45;

    explicit DiagnosticsColumns(QTableWidget* table);

    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* table_;
    // Kept apart: the table is not asked for it while it is being destroyed.
    QObject* viewport_;
};

} // namespace vxo
