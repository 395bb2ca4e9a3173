#pragma once

#include <QObject>

class QComboBox;
class QEvent;
class QLabel;
class QTabWidget;
class QWidget;

namespace vxo {

// Puts the page chooser of a tab (and the page title before it, where the
// tab bar leaves room for it whole) into the top-right corner of the tab
// widget, beside the tabs: the row they took over the pages goes to the
// page's figure. A child of the tab widget.
class PageChooserCorner : public QObject {
public:
    PageChooserCorner(QTabWidget* tabs, QLabel* title, QComboBox* chooser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the title where the corner can hold it beside the tabs, whole.
    void showTitleWhereItFits();

    QTabWidget* tabs_;
    QLabel* title_;
    QComboBox* chooser_;
    QWidget* corner_;
};

} // namespace vxo
