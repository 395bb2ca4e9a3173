#pragma once

// The main window's form object, Ui_MainWindow (also Ui::MainWindow), which
// uic generates from ui/MainWindow.ui; that file is written by ui/form/.
// setupUi() builds the whole widget tree into a QMainWindow and connects only
// the five View actions to their docks. Call the two functions below once,
// after the application object exists and before the first setupForm().
#include "ui_MainWindow.h"

namespace vxo {

// Builds the whole form into window: form.setupUi(&window). uic writes
// setupUi inline in its header as one function of several thousand lines;
// calling it through here compiles it once instead of in every caller, which
// under the sanitizers takes a minute each time.
void setupForm(Ui_MainWindow& form, QMainWindow& window);

// Registers the embedded images under ":/VXO/images/". They live in a static
// library, whose resource initialiser the linker would otherwise drop. A
// second call does no harm.
void initFormResources();

// Gives the Windows families that the form names ("Consolas", "Courier New",
// "MS Shell Dlg 2") installed substitutes of similar metrics, so that the
// numeric read-outs stay monospaced where those families are missing. Where a
// named family is installed it is used as it is.
void registerFontSubstitutions();

} // namespace vxo
