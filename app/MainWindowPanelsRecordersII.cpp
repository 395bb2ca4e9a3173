#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateZenoPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateScarsPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateBerryPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateLoschmidtPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateMoshinskyPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateKapitzaDiracPanel()
{
    // TODO(mainwindow): recorder panels II
}

void MainWindow::updateBackflowPanel()
{
    // TODO(mainwindow): recorder panels II
}

QString MainWindow::indicativeTimeText(double) const
{
    // TODO(mainwindow): recorder panels II
    return {};
}

} // namespace vxo
