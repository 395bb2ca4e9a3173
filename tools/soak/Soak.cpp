// The soak run: every guided experiment (or those named on the command line)
// loaded into one unshown window on its own grid and run for 2000 steps, one
// observation and one refresh every sixteen steps as at 16x. Reported per
// experiment:
//  - the first step at which psi, the spinor or an observation is not finite;
//  - the norm's drift beyond the absorbing layer's losses. The layer
//    multiplies psi by a real mask m after every step and every other part
//    of a step is unitary, so the norm the step would have kept is
//    sum |psi_after / m|^2 dA: its change over the step is drift, the
//    difference to sum |psi_after|^2 dA is the layer's loss;
//  - the largest drift of the stepped Hamiltonian's energy from its value
//    after loading, in percent (Dirac and magnetic runs included; for the
//    plain Fourier step it is the spectral energy), and beside it, for the
//    Schroedinger experiments without a magnetic field, the largest drift of
//    the energy the Fourier step conserves (SpectralEnergy2D), in percent of
//    its start;
//  - for the billiards, the stadium and the echo cavity, the smallest share
//    of the probability inside the walls (see insideShare) at the
//    observations;
//  - the resident memory after loading, after 200 steps and at the end.
// Exit status 1 when any experiment shows a non-finite value, a drift above
// 1e-4 (the watched Zeno state, rescaled by its measurements, aside), less
// than 0.999 of a walled experiment's probability inside its walls, more
// than 8 MiB of growth after its first 200 steps, or, in a closed experiment
// (a fixed potential, no drive, kick, measurement, reversal or absorbing
// layer), a spectral energy drift of 0.2% or more.
//
// Usage: vxo_soak [--steps N] [preset index ...]

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"

#include "app/mainwindow/MainWindow.h"
#include "core/SpectralEnergy2D.h"
#include "document/ExperimentCatalogue.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr double kDriftLimit = 1e-4;
constexpr double kInsideLimit = 0.999;
constexpr double kGrowthLimitMiB = 8.0;
constexpr double kSpectralDriftLimitPercent = 0.2;

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nan("");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return std::nan("");
}

bool finite(const ComplexField2D& field)
{
    for (std::uint64_t i = 0; i < field.size(); ++i)
        if (!std::isfinite(field.data()[i].real()) || !std::isfinite(field.data()[i].imag()))
            return false;
    return true;
}

bool finite(const ObservableSample& s)
{
    for (const double v : {s.time, s.meanX, s.meanY, s.sigmaX, s.sigmaY, s.norm, s.kineticEnergy, s.potentialEnergy,
                           s.totalEnergy, s.energyDriftPercent})
        if (!std::isfinite(v))
            return false;
    return true;
}

// sum |psi|^2 dA, and sum |psi / m|^2 dA with the layer's mask m when the
// layer acted on this step.
struct Norms {
    double kept = 0.0;
    double beforeLayer = 0.0;
};

Norms norms(const ComplexField2D& psi, const AbsorbingBoundary2D* layer)
{
    const std::vector<float>* mask = layer ? &layer->mask() : nullptr;
    if (mask && mask->size() != psi.size())
        mask = nullptr;
    Norms n;
    for (std::uint64_t i = 0; i < psi.size(); ++i) {
        const double p = std::norm(psi.data()[i]);
        n.kept += p;
        n.beforeLayer += mask ? p / (double((*mask)[i]) * double((*mask)[i])) : p;
    }
    const double area = double(psi.dx()) * double(psi.dy());
    n.kept *= area;
    n.beforeLayer *= area;
    return n;
}

// The share of sum |psi|^2 inside a cavity's walls. Low cells (the potential
// below the middle of its range) that connect to the grid's edge through low
// cells lie outside the walls; the other low cells are the cavity, and the
// cells within kSkin of it hold the evanescent tail that any wall of finite
// height has (a packet of energy 10 under a wall of 120 decays over 0.07).
// What lies further is what came through or over the walls.
constexpr double kSkin = 0.25;

double insideShare(const ComplexField2D& psi, const PotentialField2D& potential)
{
    if (potential.size() != psi.size() || potential.empty())
        return std::nan("");
    const std::uint64_t nx = potential.nx(), ny = potential.ny();
    const float* v = potential.data();
    const auto [low, high] = std::minmax_element(v, v + potential.size());
    const float middle = float(0.5 * (double(*low) + double(*high)));
    // 0 wall, 1 low and not yet reached from the edge, 2 outside.
    std::vector<unsigned char> kind(potential.size());
    std::vector<std::uint64_t> open;
    for (std::uint64_t c = 0; c < kind.size(); ++c) {
        kind[c] = v[c] < middle ? 1 : 0;
        const std::uint64_t i = c % nx, j = c / nx;
        if (kind[c] == 1 && (i == 0 || j == 0 || i + 1 == nx || j + 1 == ny)) {
            kind[c] = 2;
            open.push_back(c);
        }
    }
    while (!open.empty()) {
        const std::uint64_t c = open.back();
        open.pop_back();
        const std::uint64_t i = c % nx, j = c / nx;
        for (const std::uint64_t n :
             {i > 0 ? c - 1 : c, i + 1 < nx ? c + 1 : c, j > 0 ? c - nx : c, j + 1 < ny ? c + nx : c})
            if (kind[n] == 1) {
                kind[n] = 2;
                open.push_back(n);
            }
    }
    // The cavity widened by the skin, along x and then along y.
    const auto reach = [](double skin, float step) { return std::int64_t(std::ceil(skin / double(step))); };
    const std::int64_t sx = reach(kSkin, potential.dx()), sy = reach(kSkin, potential.dy());
    std::vector<unsigned char> near(kind.size()), inside(kind.size());
    for (std::uint64_t c = 0; c < kind.size(); ++c) {
        const std::int64_t i = std::int64_t(c % nx);
        for (std::int64_t d = -sx; d <= sx && !near[c]; ++d)
            near[c] = i + d >= 0 && i + d < std::int64_t(nx) && kind[std::uint64_t(std::int64_t(c) + d)] == 1;
    }
    for (std::uint64_t c = 0; c < kind.size(); ++c) {
        const std::int64_t j = std::int64_t(c / nx);
        for (std::int64_t d = -sy; d <= sy && !inside[c]; ++d)
            inside[c] =
                j + d >= 0 && j + d < std::int64_t(ny) && near[std::uint64_t(std::int64_t(c) + d * std::int64_t(nx))];
    }
    double in = 0.0, total = 0.0;
    for (std::uint64_t c = 0; c < psi.size(); ++c) {
        const double p = std::norm(psi.data()[c]);
        total += p;
        in += inside[c] ? p : 0.0;
    }
    return total > 0.0 ? in / total : std::nan("");
}

struct Report {
    int preset = 0;
    std::string title;
    std::uint64_t grid = 0;
    bool layer = false;
    long nanStep = -1;
    double norm0 = 0.0;
    double normEnd = 0.0;
    double layerLoss = 0.0;
    double drift = 0.0;
    double largestDrift = 0.0;
    // The largest |<H> - H0| / |H0| of the run in percent, <H> of the
    // Hamiltonian being stepped and H0 its value after loading (a closed
    // system with a fixed Hamiltonian keeps it near 0; a drive, a kick, a
    // measurement or the layer moves it).
    double energyDrift = 0.0;
    double rssLoaded = 0.0;
    double rssWarm = 0.0;
    double rssEnd = 0.0;
    double seconds = 0.0;
    // The Zeno measurements rescale the watched state on purpose.
    bool measured = false;
    // A cavity of walls: its smallest share inside them.
    bool walled = false;
    double inside = 1.0;
    // The Fourier step's conserved energy: measured without a magnetic field
    // or a Dirac mode; judged when the experiment is closed.
    bool spectral = false;
    bool closed = false;
    double spectralDrift = 0.0; // percent
    std::uint32_t subSteps = 1;
    bool drifted() const { return !measured && largestDrift > kDriftLimit; }
    bool leaked() const { return walled && !(inside >= kInsideLimit); }
    bool energyDrifted() const { return closed && !(spectralDrift < kSpectralDriftLimitPercent); }
    bool flagged() const
    {
        return nanStep >= 0 || drifted() || leaked() || energyDrifted() || rssEnd - rssWarm > kGrowthLimitMiB;
    }
};

Report soak(MainWindow& window, int preset, long steps)
{
    Report r;
    r.preset = preset;
    const ExperimentPreset experiment = makeExperimentPreset(std::uint32_t(preset));
    r.title = experiment.title;
    r.measured =
        experiment.initialPreparation.type == InitialPreparationType::QuantumZeno && experiment.quantumZeno.enabled;
    QElapsedTimer clock;
    clock.start();
    window.loadGuidedExperiment(preset);
    // One step a tick, observed and refreshed every sixteen steps below.
    MainWindowProbe::setSpeedIndex(window, 2);
    r.rssLoaded = residentMiB();
    r.grid = window.waveField().nx();
    const AbsorbingBoundary2D& boundary = MainWindowProbe::absorbingLayer(window);
    const ExperimentSettingsRecords& records = window.storedRecords();
    // The free Dirac step never absorbs; every other step does when the layer is on.
    const bool zitterbewegung = records.quantumZitterbewegung.enabled;
    r.layer = boundary.isEnabled() && !zitterbewegung;
    r.walled = std::strstr(presetSlug(std::uint32_t(preset)), "billiard") != nullptr || records.quantumScar.enabled ||
               records.quantumLoschmidt.enabled;
    const AbsorbingBoundary2D* layer = r.layer ? &boundary : nullptr;
    const bool magnetic =
        records.quantumAharonovBohm.enabled || records.quantumLandau.enabled || records.quantumHallEdge.enabled;
    r.spectral = !magnetic && !zitterbewegung && !records.quantumKleinTunneling.enabled;
    const bool driven = records.quantumQuench.enabled || records.periodicDrive.enabled || records.linearSweep.enabled ||
                        records.ramseySequence.enabled || records.kickedRotor.enabled || records.quantumZeno.enabled ||
                        records.quantumBerry.enabled || records.quantumLoschmidt.enabled ||
                        records.quantumMoshinsky.enabled || records.quantumKapitzaDirac.enabled;
    r.closed = r.spectral && !r.layer && !driven;
    const SplitStepParameters& parameters = window.schroedingerSolver().parameters();
    const auto spectralEnergy = [&] {
        return SpectralEnergy2D::compute(window.waveField(), window.potentialField(), parameters.hbar, parameters.mass)
            .total;
    };
    const double spectral0 = r.spectral ? spectralEnergy() : 0.0;
    const std::uint64_t revision0 = window.potentialField().revision();

    const double energy0 = MainWindowProbe::steppedEnergy(window).total;
    double before = norms(window.waveField(), nullptr).kept;
    r.norm0 = before;
    for (long step = 1; step <= steps; ++step) {
        MainWindowProbe::stepTick(window);
        const Norms after = norms(window.waveField(), layer);
        r.layerLoss += after.beforeLayer - after.kept;
        r.drift += after.beforeLayer - before;
        r.largestDrift = std::max(r.largestDrift, std::abs(r.drift) / r.norm0);
        before = after.kept;
        if (step % 16 == 0 || step == steps) {
            MainWindowProbe::observeTick(window);
            MainWindowProbe::refreshTick(window);
            bool ok = finite(window.waveField()) && std::isfinite(after.kept);
            if (!window.spinorField().isEmpty())
                ok = ok && finite(window.spinorField().upper) && finite(window.spinorField().lower);
            if (!window.observableHistory().empty())
                ok = ok && finite(window.observableHistory().newest());
            const double energy = MainWindowProbe::steppedEnergy(window).total;
            ok = ok && std::isfinite(energy);
            if (std::abs(energy0) > 1e-12)
                r.energyDrift = std::max(r.energyDrift, std::abs(energy - energy0) * 100.0 / std::abs(energy0));
            if (r.spectral)
                r.spectralDrift =
                    std::max(r.spectralDrift, 100.0 * std::abs(spectralEnergy() - spectral0) / std::abs(spectral0));
            // A potential that changes on its own is not a closed system either.
            r.closed = r.closed && window.potentialField().revision() == revision0;
            const double share = r.walled ? insideShare(window.waveField(), window.potentialField()) : 1.0;
            if (!(share >= r.inside)) // a NaN share is kept and flagged
                r.inside = share;
            if (!ok && r.nanStep < 0)
                r.nanStep = step;
        }
        if (step == 200)
            r.rssWarm = residentMiB();
    }
    if (steps < 200)
        r.rssWarm = r.rssLoaded;
    r.normEnd = before;
    r.subSteps = window.schroedingerSolver().subSteps();
    r.rssEnd = residentMiB();
    r.seconds = clock.elapsed() / 1000.0;
    return r;
}

void printHeader()
{
    std::printf("%-3s %-52s %5s %5s %3s %9s %9s %10s %10s %10s %9s %10s %8s %7s %7s %7s %6s %7s %s\n", "#",
                "experiment", "grid", "layer", "sub", "norm0", "normEnd", "layerLoss", "drift", "maxDrift", "maxdE%",
                "spectrdE%", "inside", "rssLd", "rss200", "rssEnd", "grow", "sec", "finding");
}

void print(const Report& r)
{
    std::string finding;
    if (r.nanStep >= 0)
        finding += "NaN at step " + std::to_string(r.nanStep) + " ";
    if (r.drifted())
        finding += "norm drift ";
    else if (r.measured && r.largestDrift > kDriftLimit)
        finding += "(rescaled by the measurements) ";
    if (r.leaked())
        finding += "leaks through its walls ";
    if (r.energyDrifted())
        finding += "spectral energy drift ";
    if (r.rssEnd - r.rssWarm > kGrowthLimitMiB)
        finding += "memory growth ";
    char inside[16] = "-";
    if (r.walled)
        std::snprintf(inside, sizeof inside, "%.6f", r.inside);
    // The spectral drift of a closed experiment is marked with '*': it is judged.
    char spectral[24] = "-";
    if (r.spectral)
        std::snprintf(spectral, sizeof spectral, "%.3g%s", r.spectralDrift, r.closed ? "*" : "");
    std::printf(
        "%-3d %-52.52s %5llu %5s %3u %9.6f %9.6f %10.3e %10.3e %10.3e %9.3g %10s %8s %7.1f %7.1f %7.1f %6.1f %7.1f %s\n",
        r.preset, r.title.c_str(), static_cast<unsigned long long>(r.grid), r.layer ? "on" : "off", r.subSteps, r.norm0,
        r.normEnd, r.layerLoss, r.drift, r.largestDrift, r.energyDrift, spectral, inside, r.rssLoaded, r.rssWarm,
        r.rssEnd, r.rssEnd - r.rssWarm, r.seconds, finding.empty() ? "-" : finding.c_str());
    std::fflush(stdout);
}

} // namespace
} // namespace vxo

int main(int argc, char** argv)
{
    using namespace vxo;
    long steps = 2000;
    std::vector<int> presets;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc)
            steps = std::strtol(argv[++i], nullptr, 10);
        else
            presets.push_back(std::atoi(argv[i]));
    }
    if (presets.empty())
        for (std::uint32_t i = 0; i < presetCount(); ++i)
            presets.push_back(int(i));
    for (const int p : presets)
        if (p < 0 || p >= int(presetCount())) {
            std::fprintf(stderr, "no guided experiment %d (0 .. %u)\n", p, presetCount() - 1);
            return 2;
        }

    test::appTestApplication();
    MainWindow window(nullptr, false);
    std::printf("Soak: %ld steps per experiment, observed and refreshed every 16 steps; norms in units of the "
                "prepared state's, drift = change beyond the absorbing layer's losses; spectrdE%% = drift of the "
                "energy the Fourier step conserves, * where judged (closed, below %.1f%%); sub = sub-steps of a "
                "step at the end; memory in MiB.\n",
                steps, kSpectralDriftLimitPercent);
    printHeader();
    int flagged = 0;
    double firstLoaded = 0.0;
    for (std::size_t k = 0; k < presets.size(); ++k) {
        const Report r = soak(window, presets[k], steps);
        if (k == 0)
            firstLoaded = r.rssLoaded;
        print(r);
        flagged += r.flagged() ? 1 : 0;
    }
    // The first experiment once more: what the whole run kept.
    window.loadGuidedExperiment(presets.front());
    std::printf("Resident memory after loading experiment %d first: %.1f MiB, again at the end: %.1f MiB.\n",
                presets.front(), firstLoaded, residentMiB());
    std::printf("%d of %zu experiments with findings.\n", flagged, presets.size());
    return flagged == 0 ? 0 : 1;
}
