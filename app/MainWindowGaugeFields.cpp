#include "app/MainWindow.h"

namespace vxo {

bool MainWindow::buildAharonovBohmField()
{
    // TODO(mainwindow): gauge field builds
    return false;
}

bool MainWindow::buildLandauGaugeField()
{
    // TODO(mainwindow): gauge field builds
    return false;
}

bool MainWindow::buildHallEdgeField()
{
    // TODO(mainwindow): gauge field builds
    return false;
}

const GaugeLinkField2D* MainWindow::linksInForce() const
{
    // TODO(mainwindow): gauge field builds
    return nullptr;
}

} // namespace vxo
