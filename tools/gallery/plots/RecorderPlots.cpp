// The gallery of the recorder and Klein scan plots: each plot fed from a
// short real run of its experiment (or the real stationary scans) and written
// to the gallery's folder at a page size and a cramped size, for looking at
// them.

#include "plots/QuantumAharonovBohmPlotWidget.h"
#include "plots/QuantumBackflowPlotWidget.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumHallEdgePlotWidget.h"
#include "plots/QuantumKapitzaDiracPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/QuantumKleinHeightScanPlotWidget.h"
#include "plots/QuantumKleinMassScanPlotWidget.h"
#include "plots/QuantumKleinTunnelingPlotWidget.h"
#include "plots/QuantumLandauPlotWidget.h"
#include "plots/QuantumMoshinskyPlotWidget.h"
#include "plots/QuantumZitterbewegungPlotWidget.h"

#include "core/DiracSplitStepSolver2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/AharonovBohmRecorder.h"
#include "experiments/BackflowRecorder.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/HallEdgeRecorder.h"
#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/LandauRecorder.h"
#include "experiments/MoshinskyRecorder.h"
#include "tests/experiments/PresetScenes.h"

#include "GalleryFolder.h"
#include "PlotTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vxo {
namespace {

void save(QWidget& plot, const QString& name)
{
    for (const QSize& size : {QSize(980, 600), QSize(560, 420)})
        test::grabPlot(plot, size)
            .save(QString("%1/%2-%3x%4.png").arg(gallery::folder(), name).arg(size.width()).arg(size.height()));
}

// A run of steps + 1 sampling points: record() at step 0 and every `every`
// steps, advance() after each.
template <typename Record, typename Advance>
void run(int steps, int every, Record&& record, Advance&& advance)
{
    for (int step = 0; step <= steps; ++step) {
        if (step % every == 0)
            record(step);
        advance();
    }
}

SplitStepFourierSolver2D schroedinger(float dt)
{
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, dt});
    return solver;
}

using RecorderPlotGallery = test::PlotTest;

TEST_F(RecorderPlotGallery, WritesEveryPlotFedFromARealRun)
{
    // Moshinsky shutter: the guided beam released at t = 1.
    MoshinskyRecorder moshinsky(520);
    {
        const PotentialScene scene = test::sceneOf({test::barrierObject(120.0f, 0.0f, 0.0f, 0.32f, 19.0f)});
        MoshinskyConfig config;
        config.enabled = true;
        config.shutterObjectId = 1;
        config.openTime = 1.0;
        config.detectorX = 3.0;
        MoshinskyShutterGeometry geometry;
        ASSERT_TRUE(QuantumMoshinsky2D::validateShutter(scene, config, &geometry, nullptr));
        ComplexField2D field(128, 64, 0.32f, 0.32f);
        MoshinskyInitialStateConfig beam;
        beam.enabled = true;
        ASSERT_TRUE(QuantumMoshinsky2D::prepareInitialState(field, beam, 1.0, nullptr));
        PotentialField2D potential(128, 64, 0.32f, 0.32f);
        ASSERT_TRUE(moshinsky.configure(config, geometry, field));
        SplitStepFourierSolver2D solver = schroedinger(0.02f);
        bool open = false;
        run(
            300, 2, [&](int) { moshinsky.record(solver.time(), open, field); },
            [&] {
                open = QuantumMoshinsky2D::applyShutter(scene, config, solver.time() + 0.01, potential).open;
                solver.step(field, potential);
            });
    }
    QuantumMoshinskyPlotWidget& moshinskyPlot = makePlot<QuantumMoshinskyPlotWidget>();
    moshinskyPlot.setRecorder(&moshinsky);
    save(moshinskyPlot, "moshinsky");

    // Kapitza-Dirac: the guided pulse from t = 0.4 and the free expansion after it.
    KapitzaDiracRecorder kapitzaDirac(220);
    {
        KapitzaDiracConfig config;
        config.enabled = true;
        config.pulseStartTime = 0.4;
        ComplexField2D field(256, 256, 0.16f, 0.16f);
        PotentialField2D potential(256, 256, 0.16f, 0.16f);
        ASSERT_TRUE(QuantumKapitzaDirac2D::prepareInitialState(field, KapitzaDiracInitialStateConfig{}, 1.0, nullptr));
        ASSERT_TRUE(kapitzaDirac.configure(config, 1.0));
        SplitStepFourierSolver2D solver = schroedinger(0.02f);
        const PotentialScene empty;
        bool active = false;
        run(
            150, 3, [&](int) { kapitzaDirac.record(MomentumSpace2D::compute(field, 1.0), solver.time(), active); },
            [&] {
                active = QuantumKapitzaDirac2D::applyPulse(empty, config, solver.time() + 0.01, potential).active;
                solver.step(field, potential);
            });
    }
    QuantumKapitzaDiracPlotWidget& kapitzaDiracPlot = makePlot<QuantumKapitzaDiracPlotWidget>();
    kapitzaDiracPlot.setRecorder(&kapitzaDirac);
    save(kapitzaDiracPlot, "kapitza-dirac");

    // Aharonov-Bohm: a packet past half a flux quantum.
    AharonovBohmRecorder aharonovBohm(320);
    {
        AharonovBohmConfig config;
        config.enabled = true;
        config.detectorX = 4.0;
        GaussianPacket2D packet;
        packet.x0 = -5.0f;
        packet.sigma = 1.5f;
        packet.px = 4.0f;
        ComplexField2D field(128, 128, 0.16f, 0.16f);
        GaussianPacket2D::prepare(field, packet);
        QuantumAharonovBohm2D::prepareInitialState(field, config);
        PotentialField2D potential;
        GaugeLinkField2D links;
        ASSERT_TRUE(QuantumAharonovBohm2D::buildField(field, config, potential, links, nullptr));
        ASSERT_TRUE(aharonovBohm.configure(field, config));
        SplitStepFourierSolver2D solver = schroedinger(0.02f);
        run(
            250, 5, [&](int) { aharonovBohm.record(solver.time(), field); },
            [&] { solver.stepWithGauge(field, potential, links); });
    }
    QuantumAharonovBohmPlotWidget& aharonovBohmPlot = makePlot<QuantumAharonovBohmPlotWidget>();
    aharonovBohmPlot.setRecorder(&aharonovBohm);
    save(aharonovBohmPlot, "aharonov-bohm");

    // Landau levels: most of a cyclotron period.
    LandauRecorder landau(420);
    {
        LandauConfig config;
        config.enabled = true;
        config.orbitRadius = 4.0;
        ComplexField2D field(128, 128, 0.2f, 0.2f);
        GaugeLinkField2D links;
        ASSERT_TRUE(QuantumLandau2D::buildSymmetricGauge(field, config, links, nullptr));
        ASSERT_TRUE(QuantumLandau2D::prepareInitialState(field, config, 1.0, 1.0, nullptr));
        ASSERT_TRUE(landau.configure(field, links, config, 1.0, 1.0));
        const PotentialField2D potential(128, 128, 0.2f, 0.2f);
        SplitStepFourierSolver2D solver = schroedinger(0.025f);
        run(
            480, 8, [&](int) { landau.record(solver.time(), field, links); },
            [&] { solver.stepWithGauge(field, potential, links); });
    }
    QuantumLandauPlotWidget& landauPlot = makePlot<QuantumLandauPlotWidget>();
    landauPlot.setRecorder(&landau);
    save(landauPlot, "landau");

    // Hall edge: the guided launch skipping along the wall.
    HallEdgeRecorder hallEdge(360);
    {
        HallEdgeConfig config;
        config.enabled = true;
        ComplexField2D field(128, 128, 0.16f, 0.16f);
        PotentialField2D potential;
        GaugeLinkField2D links;
        ASSERT_TRUE(QuantumHallEdge2D::buildField(field, config, potential, links, nullptr));
        ASSERT_TRUE(QuantumHallEdge2D::prepareInitialState(field, config, 1.0, 1.0, nullptr));
        ASSERT_TRUE(hallEdge.configure(field, config));
        SplitStepFourierSolver2D solver = schroedinger(0.02f);
        run(
            300, 5, [&](int) { hallEdge.record(solver.time(), field); },
            [&] { solver.stepWithGauge(field, potential, links); });
    }
    QuantumHallEdgePlotWidget& hallEdgePlot = makePlot<QuantumHallEdgePlotWidget>();
    hallEdgePlot.setRecorder(&hallEdge);
    save(hallEdgePlot, "hall-edge");

    // Backflow: the guided positive-momentum superposition.
    BackflowRecorder backflow(420);
    {
        BackflowConfig config;
        config.enabled = true;
        ComplexField2D field(256, 64, 0.16f, 0.16f);
        ASSERT_TRUE(QuantumBackflow2D::prepareInitialState(field, config, 1.0, nullptr));
        ASSERT_TRUE(backflow.configure(field, config, 1.0, 1.0));
        const PotentialField2D free(256, 64, 0.16f, 0.16f);
        SplitStepFourierSolver2D solver = schroedinger(0.02f);
        run(
            200, 2, [&](int) { backflow.record(solver.time(), field); }, [&] { solver.step(field, free); });
    }
    QuantumBackflowPlotWidget& backflowPlot = makePlot<QuantumBackflowPlotWidget>();
    backflowPlot.setRecorder(&backflow);
    save(backflowPlot, "backflow");

    // Zitterbewegung: the guided mixed-branch packet.
    DiracZitterbewegungRecorder zitter(640);
    {
        ZitterbewegungConfig config;
        config.enabled = true;
        DiracSpinor2D spinor;
        spinor.resize(128, 128, 0.32f, 0.32f);
        ASSERT_TRUE(QuantumZitterbewegung2D::prepareInitialState(spinor, config, 1.0, nullptr));
        ASSERT_TRUE(zitter.configure(spinor, config, 1.0));
        DiracSplitStepSolver2D dirac;
        dirac.configure(DiracParameters{1.0f, 0.1f, 1.0f, 0.5f});
        run(
            120, 1, [&](int step) { zitter.record(0.1 * step, spinor); }, [&] { dirac.stepFree(spinor); });
    }
    QuantumZitterbewegungPlotWidget& zitterPlot = makePlot<QuantumZitterbewegungPlotWidget>();
    zitterPlot.setRecorder(&zitter);
    save(zitterPlot, "zitterbewegung");

    // Klein tunnelling at an oblique angle, then the four scans beside it.
    KleinTunnelingConfig klein;
    klein.enabled = true;
    klein.momentumX = 1.5 * std::cos(0.3);
    klein.momentumY = 1.5 * std::sin(0.3);
    DiracKleinRecorder kleinRecorder(800);
    {
        DiracSpinor2D spinor;
        spinor.resize(512, 64, 0.08f, 0.32f);
        ASSERT_TRUE(QuantumKleinTunneling2D::prepareInitialState(spinor, klein, 1.0, nullptr));
        PotentialField2D potential(512, 64, 0.08f, 0.32f);
        ASSERT_TRUE(QuantumKleinTunneling2D::buildPotential(potential, klein, nullptr));
        ASSERT_TRUE(kleinRecorder.configure(spinor, klein));
        DiracSplitStepSolver2D dirac;
        dirac.configure(DiracParameters{1.0f, 0.04f, 1.0f, 0.05f});
        run(
            300, 2, [&](int step) { kleinRecorder.record(0.04 * step, spinor); },
            [&] { dirac.step(spinor, potential); });
    }
    QuantumKleinTunnelingPlotWidget& kleinPlot = makePlot<QuantumKleinTunnelingPlotWidget>();
    kleinPlot.setRecorder(&kleinRecorder);
    save(kleinPlot, "klein-tunneling");

    const double angle = std::abs(QuantumKleinTunneling2D::incidenceAngleDegrees(klein));
    const double packet = kleinRecorder.maxRightProbability();
    QuantumKleinAngleScanPlotWidget& anglePlot = makePlot<QuantumKleinAngleScanPlotWidget>();
    anglePlot.setScan(buildKleinAngleScan(klein, 0.0, 70.0, 71, 1.0), angle, packet);
    save(anglePlot, "klein-angle-scan");
    QuantumKleinHeightScanPlotWidget& heightPlot = makePlot<QuantumKleinHeightScanPlotWidget>();
    heightPlot.setScan(buildKleinHeightScan(klein, 0.0, 4.0, 241, 1.0), klein.barrierHeight, packet);
    save(heightPlot, "klein-height-scan");
    // A lower barrier brings the transition mass into the scanned range.
    KleinTunnelingConfig lowBarrier = klein;
    lowBarrier.barrierHeight = 2.4;
    QuantumKleinMassScanPlotWidget& massPlot = makePlot<QuantumKleinMassScanPlotWidget>();
    massPlot.setScan(buildKleinMassScan(lowBarrier, 0.005, 1.4, 181, 1.0), klein.restMass, -1.0);
    save(massPlot, "klein-mass-scan");
    QuantumDiracMasslessComparisonPlotWidget& masslessPlot = makePlot<QuantumDiracMasslessComparisonPlotWidget>();
    masslessPlot.setScan(buildDiracMasslessComparison(klein, 0.8, 0.0, 70.0, 141, 1.0), std::min(angle, 70.0), -1.0);
    save(masslessPlot, "dirac-massless");
}

} // namespace
} // namespace vxo
