// The gallery of the recorder plots: each plot fed by a small real run of its
// experiment (split-step solver, the guided scenes, the recorders as the main
// window drives them) and written as <plot>.png in the gallery's folder, to
// be looked at.

#include "core/MomentumSpace2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/AndersonRecorder.h"
#include "experiments/BerryRecorder.h"
#include "experiments/BilliardRecorder.h"
#include "experiments/BouncerRecorder.h"
#include "experiments/KickedRotorRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/QuantumLoschmidt2D.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/QuantumTalbot2D.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/ScarRecorder.h"
#include "experiments/TalbotRecorder.h"
#include "experiments/VortexRecorder.h"
#include "experiments/ZenoRecorder.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumLoschmidtPlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"

#include "GalleryFolder.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"
#include "tests/experiments/PresetScenes.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

namespace vxo {
namespace {

using test::sceneOf;

class WavePacketPlotGallery : public test::PlotTest {
protected:
    // The plots inherit the page's font: the program's default of 9 points,
    // not the larger default of the offscreen platform.
    void SetUp() override
    {
        QFont font = host().font();
        font.setPointSizeF(9.0);
        host().setFont(font);
    }

    void save(QWidget& plot, const char* name, const QSize& size = QSize(760, 540))
    {
        const QString file = QStringLiteral("%1/%2.png").arg(gallery::folder(), QString::fromLatin1(name));
        EXPECT_TRUE(test::grabPlot(plot, size).save(file)) << name;
    }
};

// Runs the solver from psi over steps of dt in the potential, calling after(step) after each step.
template <typename After>
void run(ComplexField2D& psi, const PotentialField2D& potential, double dt, int steps, After&& after)
{
    SplitStepParameters parameters;
    parameters.dt = static_cast<float>(dt);
    SplitStepFourierSolver2D solver;
    solver.configure(parameters);
    for (int k = 1; k <= steps; ++k) {
        solver.step(psi, potential);
        after(k, solver.time());
    }
}

PotentialField2D potentialOf(const PotentialScene& scene, const ComplexField2D& psi)
{
    PotentialField2D potential(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    scene.buildPotential(potential);
    return potential;
}

TEST_F(WavePacketPlotGallery, CarpetPlots)
{
    {
        // Revivals in the guided box [-L/2, L/2]: the packet minus its mirror
        // images in the walls, on a periodic grid of twice the box, evolves
        // freely as it would between hard walls.
        RevivalBoxConfig box;
        ASSERT_TRUE(QuantumRevival2D::extractFromScene(sceneOf(test::revivalBoxObjects()), box, nullptr));
        const double length = box.interiorWidth;
        const double revival = box.revivalTimeX(1.0, 1.0);
        ComplexField2D psi =
            test::fieldOf(128, 128, float(2.0 * length / 128), float(2.0 * length / 128), [&](double x, double y) {
                const auto p = [](double x, double y) { return test::packetAmplitude(x, y, -1.2, 0.0, 0.55, 2.6); };
                return p(x, y) - p(length - x, y) - p(-length - x, y);
            });
        psi.normalize();
        RevivalRecorder recorder(1200);
        recorder.setInitialState(psi);
        recorder.record(0.0, psi);
        run(psi, PotentialField2D(128, 128, psi.dx(), psi.dy()), 1.1 * revival / 600, 600,
            [&](int, double t) { recorder.record(t, psi); });
        auto& plot = makePlot<QuantumRevivalPlotWidget>();
        plot.setRecorder(&recorder, box, 1.0, 1.0);
        save(plot, "revival");
    }
    {
        // The Talbot comb of the guided preset over 2.2 Talbot times.
        const TalbotInitialState state;
        ComplexField2D psi(256, 128, 0.16f, 0.16f);
        ASSERT_TRUE(QuantumTalbot2D::prepareInitialState(psi, state, 1.0, nullptr));
        TalbotRecorder recorder(1000);
        ASSERT_TRUE(recorder.configure(psi, state));
        recorder.record(0.0, psi);
        const double talbot = QuantumTalbot2D::talbotTime(state.period, 1.0, 1.0);
        run(psi, PotentialField2D(256, 128, 0.16f, 0.16f), 2.2 * talbot / 800, 800,
            [&](int, double t) { recorder.record(t, psi); });
        auto& plot = makePlot<QuantumTalbotPlotWidget>();
        plot.setRecorder(&recorder, 1.0, 1.0);
        save(plot, "talbot");
    }
    {
        // The guided bouncer: floor top at y = -8, force 0.8, a packet dropped from y = -2.
        BouncerConfig config;
        const PotentialScene scene = sceneOf(test::bouncerObjects());
        ASSERT_TRUE(QuantumBouncer2D::extractFromScene(scene, config, nullptr));
        ComplexField2D psi = test::fieldOf(
            64, 256, 0.64f, 0.08f, [](double x, double y) { return test::packetAmplitude(x, y, 0, -4.0, 0.7, 0); });
        psi.normalize();
        const PotentialField2D potential = potentialOf(scene, psi);
        BouncerRecorder recorder(1200);
        ASSERT_TRUE(recorder.configure(config, -4.0, 0.0));
        recorder.record(0.0, psi, 1.0, 1.0);
        run(psi, potential, 0.01, 2400, [&](int k, double t) {
            if (k % 4 == 0)
                recorder.record(t, psi, 1.0, 1.0);
        });
        auto& plot = makePlot<QuantumBouncerPlotWidget>();
        plot.setRecorder(&recorder, 1.0, 1.0);
        save(plot, "bouncer");
    }
}

TEST_F(WavePacketPlotGallery, BilliardAndScar)
{
    {
        // The guided Sinai billiard with a packet aimed off the scatterer.
        BilliardConfig config;
        const PotentialScene scene = sceneOf(test::billiardObjects(true));
        ASSERT_TRUE(QuantumBilliard2D::extractFromScene(scene, config, nullptr));
        ComplexField2D psi = test::fieldOf(128, 128, 0.32f, 0.32f, [](double x, double y) {
            return test::packetAmplitude(x, y, -5.0, 2.5, 0.9, 2.2) *
                   Complex(static_cast<float>(std::cos(0.9 * y)), static_cast<float>(std::sin(0.9 * y)));
        });
        psi.normalize();
        const PotentialField2D potential = potentialOf(scene, psi);
        BilliardRecorder recorder(1600);
        ASSERT_TRUE(recorder.setInitialState(psi, config));
        recorder.record(0.0, psi, config);
        run(psi, potential, 0.02, 1500, [&](int k, double t) {
            if (k % 3 == 0)
                recorder.record(t, psi, config);
        });
        auto& plot = makePlot<QuantumBilliardPlotWidget>();
        plot.setRecorder(&recorder, config);
        save(plot, "billiard");
    }
    {
        // The guided stadium (L = 8, R = 4.5) with a packet bouncing along the axis.
        PotentialObject stadiumObject = test::placedObject(PotentialObjectKind::StadiumExterior, 120.0f, 0.0f, 0.0f);
        stadiumObject.width = 8.0f;
        stadiumObject.radius = 4.5f;
        const PotentialScene scene = sceneOf({stadiumObject});
        StadiumGeometry stadium;
        ASSERT_TRUE(QuantumScar2D::analyzeScene(scene, stadium, nullptr));
        ComplexField2D psi = test::fieldOf(
            256, 128, 0.1f, 0.1f, [](double x, double y) { return test::packetAmplitude(x, y, -3.0, 0.0, 0.8, 3.0); });
        psi.normalize();
        const PotentialField2D potential = potentialOf(scene, psi);
        ScarConfig config;
        config.enabled = true;
        ScarRecorder recorder(1600);
        ASSERT_TRUE(recorder.configure(psi, stadium, config, 4.5, 1.0));
        recorder.record(0.0, psi);
        run(psi, potential, 0.005, 3000, [&](int k, double t) {
            if (k % 6 == 0)
                recorder.record(t, psi);
        });
        auto& plot = makePlot<QuantumScarPlotWidget>();
        plot.setRecorder(&recorder);
        save(plot, "scar");
    }
}

TEST_F(WavePacketPlotGallery, OrbitAndLatticePlots)
{
    {
        // The guided vortex: core at (1, 0) in the trap of curvature 0.25, one trap period.
        VortexTrap trap;
        const PotentialScene scene = sceneOf(test::vortexTrapObjects());
        ASSERT_TRUE(QuantumVortex2D::extractTrap(scene, trap, nullptr));
        const VortexInitialState state;
        ComplexField2D psi(128, 128, 0.16f, 0.16f);
        ASSERT_TRUE(QuantumVortex2D::prepareInitialState(psi, state, nullptr));
        const PotentialField2D potential = potentialOf(scene, psi);
        VortexRecorder recorder(1400);
        recorder.configure(state, trap);
        recorder.record(0.0, psi, 1.0);
        run(psi, potential, 0.02, 1300, [&](int k, double t) {
            if (k % 4 == 0)
                recorder.record(t, psi, 1.0);
        });
        auto& plot = makePlot<QuantumVortexPlotWidget>();
        plot.setRecorder(&recorder, 1.0, 1.0);
        save(plot, "vortex");
    }
    {
        // The guided Anderson lattice: 23 sites per lane, the lower lane disordered.
        std::vector<PotentialObject> objects;
        std::uint32_t s = 0x31415926u;
        for (int i = -11; i <= 11; ++i) {
            PotentialObject site = test::placedObject(PotentialObjectKind::Gaussian, -5.0f, float(i * 1.6), 4.0f);
            site.sigmaX = site.sigmaY = 0.45f;
            objects.push_back(site);
            s = s * 1664525u + 1013904223u;
            site.centerY = -4.0f;
            site.value = float(-5.0 * (1.0 + 0.45 * (2.0 * (double(s) / 4294967296.0) - 1.0)));
            objects.push_back(site);
        }
        const PotentialScene scene = sceneOf(objects);
        AndersonLattice lattice;
        ASSERT_TRUE(QuantumAnderson2D::analyzeScene(scene, lattice, nullptr));
        const AndersonInitialStateConfig config;
        ComplexField2D psi(256, 128, 0.16f, 0.16f);
        ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(psi, config, nullptr));
        const PotentialField2D potential = potentialOf(scene, psi);
        AndersonRecorder recorder(1200);
        recorder.configure(config, lattice);
        recorder.record(0.0, psi);
        run(psi, potential, 0.02, 1500, [&](int k, double t) {
            if (k % 10 == 0)
                recorder.record(t, psi);
        });
        auto& plot = makePlot<QuantumAndersonPlotWidget>();
        plot.setRecorder(&recorder, 1.0, 1.0);
        save(plot, "anderson");
    }
    {
        // The guided rotor: 128 columns of 0.16, mass 0.1, kick strength 6, period 1.
        KickedRotorConfig kick;
        kick.enabled = true;
        const KickedRotorInitialStateConfig initial;
        ComplexField2D psi(128, 16, 0.16f, 0.5f);
        ASSERT_TRUE(QuantumKickedRotor2D::prepareInitialState(psi, initial, nullptr));
        KickedRotorRecorder recorder(220);
        recorder.configure(kick, initial, QuantumKickedRotor2D::scaledKickPeriod(psi, kick, 0.1, 1.0));
        recorder.record(MomentumSpace2D::compute(psi, 1.0), 0, 0.0);
        SplitStepParameters parameters;
        parameters.mass = 0.1f;
        SplitStepFourierSolver2D solver;
        solver.configure(parameters);
        const PotentialField2D free(128, 16, 0.16f, 0.5f);
        std::uint64_t kicks = 0;
        while (kicks < 80) {
            QuantumKickedRotor2D::applyDueKicks(psi, kick, kicks, solver.time(), parameters.dt, [&](std::uint64_t n) {
                recorder.record(MomentumSpace2D::compute(psi, 1.0), n, solver.time());
            });
            solver.step(psi, free);
        }
        auto& plot = makePlot<QuantumKickedRotorPlotWidget>();
        plot.setRecorder(&recorder);
        save(plot, "kicked-rotor");
    }
    {
        // The guided escape with lower barriers (1.2 instead of 4), so that the
        // control lane escapes within the run: two lanes, the lower one
        // measured every 0.2 from t = 0.4.
        using test::rectangleObject;
        const PotentialScene scene = sceneOf(
            {rectangleObject(120.0f, 0.0f, 0.0f, 40.96f, 0.64f), rectangleObject(120.0f, 0.0f, 9.76f, 40.96f, 0.48f),
             rectangleObject(120.0f, 0.0f, -9.76f, 40.96f, 0.48f), rectangleObject(120.0f, -9.0f, 4.8f, 0.64f, 8.6f),
             rectangleObject(120.0f, -9.0f, -4.8f, 0.64f, 8.6f), rectangleObject(1.2f, 0.0f, 4.8f, 0.8f, 8.6f),
             rectangleObject(1.2f, 0.0f, -4.8f, 0.8f, 8.6f)});
        ComplexField2D psi(256, 128, 0.16f, 0.16f);
        const ZenoInitialStateConfig initial;
        ASSERT_TRUE(QuantumZeno2D::prepareInitialState(psi, initial, nullptr));
        ZenoConfig config;
        config.enabled = true;
        config.measurementPeriod = 0.2;
        const PotentialField2D potential = potentialOf(scene, psi);
        ZenoRecorder recorder(1800);
        recorder.configure(config, initial, psi);
        std::uint64_t count = 0;
        double product = 1.0;
        recorder.record(0.0, psi, count, product);
        SplitStepFourierSolver2D solver;
        solver.configure(SplitStepParameters{});
        for (int step = 1; step <= 500; ++step) {
            QuantumZeno2D::applyDueMeasurements(psi, config, count, product, solver.time(), 0.02);
            solver.step(psi, potential);
            if (step % 5 == 0)
                recorder.record(solver.time(), psi, count, product);
        }
        auto& plot = makePlot<QuantumZenoPlotWidget>();
        plot.setRecorder(&recorder, QuantumZeno2D::laneProfiles(psi, config));
        save(plot, "zeno");
    }
}

TEST_F(WavePacketPlotGallery, LoopAndEchoPlots)
{
    {
        // One slow Berry loop (k = 1, a = 0.35) on 32 x 32 cells of 0.5.
        const PotentialScene scene = sceneOf({test::harmonicObject(0.0f, 0.0f, 1.0f, 1.0f)});
        BerryTrap trap;
        ASSERT_TRUE(QuantumBerryPhase2D::analyzeTrap(scene, trap, nullptr));
        BerryConfig config;
        config.enabled = true;
        config.duration = 60.0;
        ComplexField2D psi(32, 32, 0.5f, 0.5f);
        PotentialField2D potential(32, 32, 0.5f, 0.5f);
        ASSERT_TRUE(QuantumBerryPhase2D::prepareInitialState(psi, trap, config, 1.0, 1.0));
        BerryRecorder recorder(400);
        ASSERT_TRUE(recorder.configure(psi, trap, config));
        SplitStepParameters parameters;
        SplitStepFourierSolver2D solver;
        solver.configure(parameters);
        // Stopped at 85 % of the loop, so that the current deformation shows off the start.
        while (solver.time() < 0.85 * config.duration) {
            QuantumBerryPhase2D::applyLoop(scene, trap, config, solver.time() + parameters.dt / 2.0, potential);
            solver.step(psi, potential);
            recorder.record(solver.time(), QuantumBerryPhase2D::trapAt(config, solver.time()), psi);
        }
        auto& plot = makePlot<QuantumBerryPhasePlotWidget>();
        plot.setRecorder(&recorder);
        save(plot, "berry-phase");
    }
    {
        // A packet among soft bumps, reversed at T = 4 with a small momentum error, run on past 2T.
        std::vector<PotentialObject> bumps;
        for (const auto& [x, y] : {std::pair<float, float>{2.0f, 1.0f}, {4.5f, -1.5f}, {0.5f, -2.5f}}) {
            PotentialObject bump = test::placedObject(PotentialObjectKind::Gaussian, 1.5f, x, y);
            bump.sigmaX = bump.sigmaY = 0.8f;
            bumps.push_back(bump);
        }
        const PotentialScene scene = sceneOf(bumps);
        ComplexField2D psi = test::fieldOf(
            128, 128, 0.2f, 0.2f, [](double x, double y) { return test::packetAmplitude(x, y, -3.0, 0.0, 0.9, 1.6); });
        psi.normalize();
        const PotentialField2D potential = potentialOf(scene, psi);
        LoschmidtConfig config;
        config.enabled = true;
        config.reversalTime = 4.0;
        config.momentumErrorX = 0.05;
        LoschmidtRecorder recorder(400);
        ASSERT_TRUE(recorder.configure(psi, config));
        recorder.record(0.0, psi, false);
        bool reversed = false;
        run(psi, potential, 0.02, 500, [&](int, double t) {
            if (!reversed && t >= config.reversalTime - 1e-9) {
                QuantumLoschmidt2D::applyReversal(psi, config, 1.0);
                reversed = true;
            }
            recorder.record(t, psi, reversed);
        });
        auto& plot = makePlot<QuantumLoschmidtPlotWidget>();
        plot.setRecorder(&recorder);
        save(plot, "loschmidt");
    }
}

} // namespace
} // namespace vxo
