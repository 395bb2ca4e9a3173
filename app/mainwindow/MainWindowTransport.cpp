#include "app/mainwindow/MainWindow.h"

#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QTimer>

namespace vxo {

double MainWindow::speedFactor() const { return TransportClock::speedOfChoice(ui->speedComboBox->currentIndex()); }

void MainWindow::setRunning(bool running)
{
    // The pace of a run counts from its own first tick.
    runPace.forget();
    if (running) {
        // A run started after Stop begins again from t = 0; a stopped clock
        // that never moved has nothing to undo.
        if (transport.state() == TransportState::Stopped && solver.stepCount() != 0)
            rebuildSimulation();
        transport.run();
        updateTimerInterval();
        runTimer->start();
    } else {
        runTimer->stop();
        transport.pause();
    }
    updateTransportUi();
    updateDiagnostics();
}

void MainWindow::updateTimerInterval() { runTimer->setInterval(transport.tickInterval(TransportClock::kTickBaseMs)); }

void MainWindow::onStopClicked()
{
    runPace.forget();
    runTimer->stop();
    transport.stop();
    updateTransportUi();
    updateDiagnostics();
}

void MainWindow::onSpeedChanged()
{
    // Only the wall-clock pace changes: a running timer keeps running at the
    // new interval and dt stays as it is.
    transport.setSpeed(speedFactor());
    updateTimerInterval();
    updateTransportUi();
    updateDiagnostics();
}

} // namespace vxo
