#pragma once

#include <QString>

class QWidget;
class Ui_MainWindow;

namespace vxo {

// A control of the main window's form as messages name it: where it is
// shown, then its label in quotes, as boxCaption writes them
// (Initial State: "Sigma"). Where it is shown: on a geometry page, that
// geometry as the geometry selector names it; else the titled group that
// holds it, or the tab or analysis page it is on. Its label: its form row's
// label, or the label named after it; without one, its object name.
QString controlCaption(const Ui_MainWindow& form, const QWidget& control);

} // namespace vxo
