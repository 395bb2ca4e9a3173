#include "app/mainwindow/MainWindow.h"

namespace vxo {

namespace {

// The single geometry of the geometry page as a scene of its own: one object,
// or none for "None" (an object the scene refuses adds nothing). This is the
// potential the rebuild assembles while the Potential Scene is switched off.
PotentialScene singleGeometryScene(const PotentialObject& object)
{
    PotentialScene scene;
    scene.add(object);
    return scene;
}

} // namespace

// The appliers read their settings from the form on every call, so a
// protocol edited while paused takes effect at the next step; the quench,
// shutter and pulse state machines keep the rasterisation down to the
// instants at which their state changes.

void MainWindow::applyQuench(double t, bool force)
{
    if (appliers.quenchApplier.apply(protocolContext(t, force), formSettings<QuantumQuench>(), history, psi,
                                     steppedHamiltonian()))
        invalidatePotentialContours();
}

void MainWindow::applyPeriodicDrive(double t, bool force)
{
    if (appliers.periodicDriveApplier.apply(protocolContext(t, force), formSettings<PeriodicDrive>()))
        invalidatePotentialContours();
}

void MainWindow::applyLinearSweep(double t, bool force)
{
    if (appliers.linearSweepApplier.apply(protocolContext(t, force), formSettings<LinearSweep>()))
        invalidatePotentialContours();
}

void MainWindow::applyRamseySequence(double t, bool force)
{
    if (appliers.ramseyApplier.apply(protocolContext(t, force), formSettings<RamseySequence>()))
        invalidatePotentialContours();
}

void MainWindow::applyBerryLoop(double t, bool force)
{
    if (appliers.berryLoopApplier.apply(protocolContext(t, force), formSettings<BerryConfig>(), stored.quantumBerry,
                                        recorders.berryTrap))
        invalidatePotentialContours();
}

void MainWindow::applyMoshinskyShutter(double t, bool force)
{
    if (appliers.moshinskyShutterApplier.apply(protocolContext(t, force), formSettings<MoshinskyConfig>(),
                                               stored.quantumMoshinsky))
        invalidatePotentialContours();
}

void MainWindow::applyKapitzaDiracPulse(double t, bool force, double span)
{
    const KapitzaDiracConfig settings = formSettings<KapitzaDiracConfig>();
    const ProtocolContext context = protocolContext(t, force);
    // The pulse runs with the scene switched off as well. Its standing wave
    // is then added to the single geometry the rebuild drew, not to the
    // objects of the switched-off scene.
    const PotentialScene geometry =
        context.sceneUsable || !settings.enabled ? PotentialScene() : singleGeometryScene(currentPotentialObject());
    const ProtocolContext pulseContext{context.sceneUsable ? potentialScene : geometry, context.sceneUsable, t, force,
                                       potential};
    if (appliers.kapitzaDiracPulseApplier.apply(pulseContext, settings, solver.parameters().hbar,
                                                stored.quantumKapitzaDirac, span))
        invalidatePotentialContours();
}

ProtocolContext MainWindow::protocolContext(double t, bool force)
{
    return ProtocolContext{potentialScene, sceneUsable(), t, force, potential};
}

void MainWindow::invalidatePotentialContours() { potentialContourRevision = kNoCacheKey; }

} // namespace vxo
