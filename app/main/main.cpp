#include "app/ApplicationSetup.h"
#include "app/mainwindow/MainWindow.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv)
{
    // The viewport's OpenGL context is created from the default format, so it
    // must be in place before the application object exists.
    QSurfaceFormat::setDefaultFormat(vxo::defaultSurfaceFormat());
    QApplication application(argc, argv);
    vxo::prepareApplication(application);

    vxo::MainWindow window(nullptr, true);
    window.show();
    return application.exec();
}
