#pragma once

#include <QObject>

class QBoxLayout;
class QEvent;
class QLayout;
class QWidget;

namespace vxo {

// Two rows of controls at the top of a page, side by side where the page is
// wide enough for both at their minimum widths, one over the other
// otherwise: on a short, wide analysis dock the row given back goes to the
// plot under them. Moves the two rows out of the page's layout into a box
// of their own at the same place, whose least width stays that of the rows
// one over the other (the page asks no more of its dock than before). A
// child of the page.
class SideBySideRows : public QObject {
public:
    SideBySideRows(QWidget* page, QLayout* first, QLayout* second);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The rows side by side where the page's width holds them.
    void arrange();

    QWidget* page_;
    QLayout* first_;
    QLayout* second_;
    QWidget* box_;
    QBoxLayout* rows_;
};

} // namespace vxo
