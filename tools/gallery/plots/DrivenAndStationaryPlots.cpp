// A gallery to look at. It feeds the resonance, bound-state, quench, drive, Bloch, Rabi,
// double-well, Landau-Zener, Stueckelberg and Ramsey plots with the analyses'
// own references and with histories of short real simulations of the guided
// experiments' set-ups, and writes each plot at two sizes as
// <plot>_<width>x<height>.png in the gallery's folder.

#include "plots/QuantumBlochPlotWidget.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumResonancePlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"

#include "core/GaussianPacket2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/ObservableHistory.h"
#include "experiments/ObservableSampler.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/TwoLevelSystem.h"

#include "GalleryFolder.h"
#include "PlotTestSupport.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vxo {
namespace {

// Steps psi through the scene as the main window does, the drive applied at
// the middle of each step, and observes every `every` steps.
std::vector<ObservableSample> simulate(ComplexField2D psi, const PotentialScene& scene, ObservationInputs inputs,
                                       double duration, int every,
                                       const std::function<void(double, PotentialField2D&)>& drive)
{
    PotentialField2D potential(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    const double dt = solver.parameters().dt;
    ObservableHistory history;
    inputs.scene = &scene;
    inputs.sceneActive = true;
    inputs.potential = &potential;
    const int steps = static_cast<int>(duration / dt);
    for (int n = 0; n <= steps; ++n) {
        if (n % every == 0) {
            drive(n * dt, potential);
            inputs.time = n * dt;
            history.push(ObservableSampler::observe(psi, history, inputs));
        }
        drive((n + 0.5) * dt, potential);
        solver.step(psi, potential);
    }
    return history.samples();
}

// The double well of the two-level presets on 256 x 16 cells of a 16 x 16
// universe (the potential is invariant along y), bias slope 0.
struct DoubleWellSetUp {
    PotentialScene scene = fixtures::doubleWellScene(true);
    BoundStateResult pair =
        BoundStates1D::compute(fixtures::rasterise(scene, 256, 16, 16.0, 16.0), fixtures::pairSettings());

    ComplexField2D field() const { return ComplexField2D(256, 16, 16.0f / 256, 1.0f); }
    ComplexField2D eigenstate(int n) const
    {
        ComplexField2D psi = field();
        BoundStates1D::prepareEigenstate(psi, pair, n);
        return psi;
    }
    // The lower adiabatic state of H(bias) in the pair.
    ComplexField2D adiabaticLower(double bias) const
    {
        double u = 0.0;
        double v = 0.0;
        const double d = QuantumDoubleWell2D::dipoleMatrixElement(pair, 0, 1);
        twoLevelAdiabaticBasis(pair.states[0].energy, pair.states[1].energy, d, bias, u, v);
        ComplexField2D psi = field();
        for (std::uint64_t j = 0; j < psi.ny(); ++j)
            for (std::uint64_t i = 0; i < psi.nx(); ++i)
                psi.at(i, j) = Complex(static_cast<float>(u * pair.states[0].phi[i] + v * pair.states[1].phi[i]), 0.0f);
        psi.normalize();
        return psi;
    }
    template <typename Drive, typename Apply>
    std::function<void(double, PotentialField2D&)> driven(const Drive& d, Apply apply) const
    {
        return [this, d, apply](double t, PotentialField2D& out) { apply(scene, d, t, out); };
    }
};

class Gallery {
public:
    // The offscreen platform's default font is 12 pt at 100 dpi, larger than
    // the 9 pt of the usual desktop; the plots inherit the host's font.
    Gallery(QWidget& host, double pointSize) : host_(host)
    {
        QFont font = host_.font();
        font.setPointSizeF(pointSize);
        host_.setFont(font);
    }
    void write(QWidget& plot, const QString& name, bool stacked = false)
    {
        for (const QSize size : {stacked ? QSize(640, 480) : QSize(640, 400), QSize(380, stacked ? 330 : 260)}) {
            const QString file =
                QStringLiteral("%1/%2_%3x%4.png")
                    .arg(gallery::folder(), name, QString::number(size.width()), QString::number(size.height()));
            EXPECT_TRUE(test::grabPlot(plot, size).save(file)) << file.toStdString();
        }
    }
    template <typename Widget>
    Widget& make()
    {
        return *new Widget(&host_);
    }

private:
    QWidget& host_;
};

using DrivenAndStationaryPlotGallery = test::PlotTest;

TEST_F(DrivenAndStationaryPlotGallery, WritesEveryPlotToTmp)
{
    Gallery gallery(host(), 9.0);

    // Resonant tunnelling: barriers 4.5 high, 0.64 thick at +-1.2; a packet of
    // momentum 2.5 from x = -12 on an 81.92-wide universe, measured at t = 8.
    {
        const PotentialScene scene = test::sceneOf(
            {fixtures::makeBarrier(4.5f, -1.2f, 0.64f, 30.0f), fixtures::makeBarrier(4.5f, 1.2f, 0.64f, 30.0f)});
        DoubleBarrierConfig config;
        ASSERT_TRUE(QuantumResonance2D::extractFromScene(scene, config, nullptr));
        ComplexField2D psi(1024, 16, 0.08f, 2.0f);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-12.0f, 0.0f, 2.4f, 2.5f, 0.0f});
        // The last sample holds the probability beyond the pair at t = 8.
        const auto still = [&](double, PotentialField2D& v) { scene.buildPotential(v); };
        const std::vector<ObservableSample> run = simulate(psi, scene, ObservationInputs{}, 8.0, 400, still);
        auto& plot = gallery.make<QuantumResonancePlotWidget>();
        plot.setXAxisLabel("longitudinal energy Ex");
        plot.setCurve(QuantumResonance2D::transmissionCurve(config, 0.2, 8.0, 400, 1.0, 1.0));
        plot.setMarkerPoint(
            3.125, QuantumResonance2D::transmission(3.125, 4.5, 0.64, config.cavityWidth, 4.5, 0.64, 1.0, 1.0));
        plot.setPacketTransmission(true, run.back().transmittedProbability);
        gallery.write(plot, "resonance");
    }

    // Finite well of depth 5 and width 8, third state selected.
    {
        BoundStateSettings settings;
        const BoundStateResult result =
            BoundStates1D::compute(fixtures::rasterise(fixtures::finiteWellScene(), 256, 32, 40.96, 40.96), settings);
        ASSERT_TRUE(result.ok) << result.message;
        auto& plot = gallery.make<QuantumBoundStatePlotWidget>();
        plot.setResult(result, 2);
        gallery.write(plot, "bound_states");
    }

    // Quantum quench: trap curvature 0.25 -> 1 at t = 2 on a 20 x 20 universe.
    {
        const PotentialScene scene = test::sceneOf({test::harmonicObject(0.0f, 0.0f, 0.25f, 0.25f)});
        QuantumQuench quench;
        quench.enabled = true;
        quench.targetObjectId = 1;
        ComplexField2D psi(128, 64, 20.0f / 128, 20.0f / 64);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 1.0f, 0.0f, 0.0f});
        auto& plot = gallery.make<QuantumQuenchPlotWidget>();
        plot.setSamples(simulate(psi, scene, ObservationInputs{}, 14.0, 2,
                                 [&](double t, PotentialField2D& v) { applyQuench(scene, quench, t, v); }));
        plot.setMarkerTime(quench.time);
        gallery.write(plot, "quench");
    }

    // Driven harmonic trap on resonance: centre 0.7 sin(0.5 t).
    {
        const PotentialScene scene = test::sceneOf({test::harmonicObject(0.0f, 0.0f, 0.25f, 0.25f)});
        PeriodicDrive drive;
        drive.enabled = true;
        drive.targetObjectId = 1;
        drive.amplitude = 0.7;
        drive.angularFrequency = 0.5;
        ComplexField2D psi(128, 64, 24.0f / 128, 20.0f / 64);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 1.0f, 0.0f, 0.0f});
        auto& plot = gallery.make<QuantumDrivePlotWidget>();
        plot.setDriveParameters(drive.mean, drive.amplitude, drive.angularFrequency, drive.phaseDegrees);
        plot.setSamples(simulate(psi, scene, ObservationInputs{}, 30.0, 2,
                                 [&](double t, PotentialField2D& v) { applyPeriodicDrive(scene, drive, t, v); }));
        gallery.write(plot, "periodic_drive");
    }

    // Bloch oscillations: 16 wells spaced by 2.56 under slopeX 0.08, a broad
    // packet at rest, over two Bloch periods.
    {
        const PotentialScene scene = test::sceneOf(test::blochLatticeObjects());
        BlochLatticeConfig lattice;
        ASSERT_TRUE(QuantumBloch2D::extractFromScene(scene, lattice, nullptr));
        ComplexField2D psi(512, 16, 40.96f / 512, 2.56f);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 5.0f, 0.0f, 0.0f});
        auto& plot = gallery.make<QuantumBlochPlotWidget>();
        const double period = QuantumBloch2D::blochPeriod(lattice, 1.0);
        plot.setData(simulate(psi, scene, ObservationInputs{}, 2.2 * period, 5,
                              [&](double, PotentialField2D& v) { scene.buildPotential(v); }),
                     lattice, 0.0, 1.0);
        gallery.write(plot, "bloch");
    }

    const DoubleWellSetUp well;
    ASSERT_TRUE(well.pair.ok) << well.pair.message;

    // Coherent tunnelling from the left well.
    {
        ComplexField2D psi = well.field();
        const double phase = QuantumDoubleWell2D::localizingPhase(well.pair, 0, 1);
        BoundStates1D::prepareSuperposition(psi, well.pair, 0, 1, phase);
        const double period = QuantumDoubleWell2D::twoLevelParameters(well.pair, 0, 1, 1.0).tunnellingPeriod;
        auto& plot = gallery.make<QuantumDoubleWellPlotWidget>();
        plot.setTunnellingPeriod(period);
        plot.setSamples(simulate(psi, well.scene, ObservationInputs{}, 1.4 * period, 5,
                                 [&](double, PotentialField2D& v) { well.scene.buildPotential(v); }));
        gallery.write(plot, "double_well");
    }

    // Rabi resonance: the bias slope driven at the splitting, amplitude 0.1.
    {
        PeriodicDrive drive = fixtures::biasSlopeDrive<PeriodicDrive>();
        drive.amplitude = 0.1;
        drive.angularFrequency = 0.305536;
        const RabiReference reference = QuantumRabi2D::compute(well.pair, drive, 0, 1, 1.0);
        ObservationInputs inputs;
        inputs.periodicDrive = &drive;
        inputs.boundStates = &well.pair;
        auto& plot = gallery.make<QuantumRabiPlotWidget>();
        plot.setTwoLevelReference(reference);
        plot.setSamples(simulate(well.eigenstate(0), well.scene, inputs, 1.3 * reference.rabiPeriod, 5,
                                 well.driven(drive, applyPeriodicDrive)));
        gallery.write(plot, "rabi");
    }

    // An adiabatic Landau-Zener sweep 0.35 -> -0.35 over 40, then the
    // Stueckelberg double passage: fast passages of 4 out and back joined by
    // a hold of 3.
    for (const bool back : {false, true}) {
        LinearSweep sweep = fixtures::biasSlopeDrive<LinearSweep>();
        sweep.duration = back ? 4.0 : 40.0;
        sweep.returnEnabled = back;
        sweep.holdDuration = 3.0;
        const LandauZenerReference single = QuantumLandauZener2D::predict(well.pair, sweep, 0, 1, 1.0);
        const StueckelbergReference twice = QuantumStueckelberg2D::reference(well.pair, sweep, 0, 1, 1.0);
        ObservationInputs inputs;
        inputs.linearSweep = &sweep;
        inputs.sweepStates = &well.pair;
        inputs.landauZener = &single;
        inputs.stueckelberg = &twice;
        const std::vector<ObservableSample> samples =
            simulate(well.adiabaticLower(sweep.startValue), well.scene, inputs, back ? 16.0 : 48.0, back ? 2 : 5,
                     well.driven(sweep, applyLinearSweep));
        if (back) {
            auto& plot = gallery.make<QuantumStueckelbergPlotWidget>();
            plot.setTwoLevelReference(twice);
            plot.setSweep(sweep);
            plot.setFringeScan(QuantumStueckelberg2D::holdTimeScan(well.pair, sweep, 0.0, 12.0, 121, 0, 1, 1.0));
            plot.setSamples(samples);
            gallery.write(plot, "stueckelberg", true);
        } else {
            auto& plot = gallery.make<QuantumLandauZenerPlotWidget>();
            plot.setTwoLevelReference(single);
            plot.setSweep(sweep);
            plot.setSamples(samples);
            gallery.write(plot, "landau_zener", true);
        }
    }

    // Ramsey fringes with the detuning ensemble (free time 5.5), then the Hahn
    // echo that refocuses them: pulses of 14.35 at the splitting, free time
    // 15.75 split by an echo pulse of 25.75.
    for (const bool echo : {false, true}) {
        RamseySequence sequence = fixtures::biasSlopeDrive<RamseySequence>();
        if (echo) {
            sequence.freeEvolutionDuration = 15.75;
            sequence.echoEnabled = true;
            sequence.echoPulseDuration = 25.75;
            sequence.echoPulsePhaseDegrees = 90.0;
        }
        const RamseyEnsemble ensemble{true, 0.06, 41};
        const RamseyReference reference = QuantumRamsey2D::reference(well.pair, sequence, 0, 1, 1.0);
        ObservationInputs inputs;
        inputs.ramseySequence = &sequence;
        inputs.ramseyStates = &well.pair;
        inputs.ramseyReference = &reference;
        auto& plot = gallery.make<QuantumRamseyPlotWidget>();
        plot.setTwoLevelReference(reference);
        plot.setPulseSequence(sequence);
        plot.setFringeScan(QuantumRamsey2D::fringeScan(well.pair, sequence, 0.0, 40.0, 161, 0, 1, 1.0));
        plot.setEnsemble(ensemble, QuantumRamsey2D::ensembleResult(well.pair, sequence, ensemble, 0, 1, 1.0));
        plot.setEnsembleScan(QuantumRamsey2D::ensembleScan(well.pair, sequence, ensemble, 0.0, 40.0, 81, 0, 1, 1.0));
        plot.setSamples(simulate(well.eigenstate(0), well.scene, inputs, ramseyTotalDuration(sequence) + 4.0, 5,
                                 well.driven(sequence, applyRamseySequence)));
        gallery.write(plot, echo ? "hahn_echo" : "ramsey", true);
    }
}

} // namespace
} // namespace vxo
