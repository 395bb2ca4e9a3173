#pragma once

#include "ui/MainWindowForm.h"

#include <QMainWindow>
#include <QString>

namespace vxo::test {

// The application, the form's images and its font substitutions, made ready
// before any widget exists, as the program's start-up does.
struct FormEnvironment {
    FormEnvironment();
};

// A plain QMainWindow with the bare form set up on it, before any main-window
// code runs.
class BareForm : private FormEnvironment {
public:
    BareForm();

    // The object of that name in the form (the window itself included), or
    // nullptr when there is none or it is not a T.
    template <typename T = QObject>
    T* find(const QString& name)
    {
        if (name == window.objectName())
            return qobject_cast<T*>(&window);
        return window.findChild<T*>(name);
    }

    QMainWindow window;
    Ui_MainWindow ui;
};

} // namespace vxo::test
