#include "app/MainWindow.h"

namespace vxo {

void MainWindow::setupHelpMenu()
{
    // TODO(mainwindow): help menu and help pages
}

QString MainWindow::findHelpDirectory() const
{
    // TODO(mainwindow): help menu and help pages
    return {};
}

void MainWindow::openHelpPage(const QString&, bool)
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::showHelpDock()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openConstraintsHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openExperimentPhysicsHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openHelpIndex()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openGettingStartedHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openConventionsHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openGlossaryHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openReferencesHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openLicenseHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openThirdPartyHelp()
{
    // TODO(mainwindow): help menu and help pages
}

void MainWindow::openNumericsHelp()
{
    // TODO(mainwindow): help menu and help pages
}

QString MainWindow::helpLanguage() const
{
    // TODO(mainwindow): help menu and help pages
    return {};
}

QString MainWindow::experimentHelpId() const
{
    // TODO(mainwindow): help menu and help pages
    return {};
}

QString MainWindow::buildCurrentParametersHtml() const
{
    // TODO(mainwindow): help menu and help pages
    return {};
}

void MainWindow::openCurrentParametersHelp()
{
    // TODO(mainwindow): help menu and help pages
}

} // namespace vxo
