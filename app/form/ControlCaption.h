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

struct SettingsRange;

// A settings record's box as messages name it: as the window shows it where
// the form holds the row's control, else by experiment and label
// (Berry Phase: "Winding").
QString settingsBoxCaption(const Ui_MainWindow& form, const SettingsRange& row);

// A message of the document reader with every settings box it names by
// experiment and label named as the window shows it instead.
QString withWindowCaptions(const Ui_MainWindow& form, const QString& message);

} // namespace vxo
