// The convergence table of the guided experiments' headline numbers: each
// experiment named on the command line is loaded into one unshown window and
// run three ways, at the program's step dt on its own grid, at dt / F (F = 8
// unless --factor says otherwise) on its own grid, and at dt on the next
// finer grid (the grid selector one entry down, or --finer N entries down,
// when there is one; not with --no-grid). Every step is one tick's steps, as the run timer makes them;
// the observation and the page are taken at the same physical times in all
// three runs (every step of the program's dt), so that what differs between
// the runs is the physics and not how often it was sampled.
//
// A headline is the number an experiment's analysis page is about, as the
// page shows it (a figure of its summary, a Diagnostics row, or the
// observable its guide sends the class to), at the time its guide names, or
// the largest or smallest value the page shows over an interval, or the time
// of that extreme.
//
// Printed per headline: the readings at dt and at dt / F and their relative
// difference, the infidelity 1 - |<psi_dt|psi_dt/F>|^2 of the two runs'
// states at the end of the run, and the finer grid's reading and difference.
//
// With --pages, each experiment is run once at dt on its own grid to its
// reading time and every analysis summary it shows is printed instead.
//
// With --set name=value (repeatable), the form's spin box `name` is set to
// `value` after each load, as a class editing the form before Apply would.
//
// With --sub-steps, the table of the split step's sub-step rule instead: for
// each experiment on the coarsest grid, its own and the finest, the
// sub-steps its propagator took at dt (fewest-most over the run; "Dirac" for
// the Dirac steps, which have none), the reference's step factor, the end
// of the window, the infidelity against a run at dt / (F n) (n the most
// sub-steps taken at dt, so that the reference's sub-steps are F times finer
// whatever the rule gives at its step), the largest relative difference of
// the stepped energy (the spectral energy of the Fourier step) while the
// reference holds its packet, measured from the potential's floor, and the
// norm at the end. The window ends at the latest headline time or at
// --until T, on the finest grid at --finest-until T when that is earlier.
//
// With --need N1,N2,... (a ladder of sub-step counts), what convergence
// needs instead: for each experiment on the finest grid (the selector's entry
// --grid K otherwise), the run at dt with the rule's count and with each
// count of the ladder forced, every one against one reference at dt / (F m),
// m the ladder's largest count, and the fewest count of the ladder whose infidelity
// and energy deviation are within kMostInfidelity and kMostEnergyDeviation.
// With --from T0 as well, every run takes the ladder's fewest sub-steps up to
// T0 and the reference then takes F m sub-steps at dt (the same steps as
// dt / (F m) while the potential holds still): a free flight that errs
// nowhere is not paid for at every count.
//
// Every tick takes its whole step: the test application's clock of the
// window's step budget stands still.
//
// Usage: vxo_convergence [--factor F] [--no-grid] [--finer N] [--pages] [--sub-steps] [--need N1,N2,...] [--grid K] [--from T0] [--until T] [--finest-until T]
//                        [--set name=value] preset index ...

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/PageFigures.h"

#include "app/mainwindow/MainWindow.h"
#include "experiments/ObservableSample.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::diagnosticsValue;
using test::figureAfter;
using test::labelText;

// Where a headline's figure is shown.
enum class Place {
    Summary,     // a page's summary label: `where` its object name, `part` the text the key is sought after
    Diagnostics, // a Diagnostics row: `where` its group, `part` its parameter
    Observable,  // the observables history's newest sample: `key` the observable's name
};

// How the figure is read.
enum class Reading {
    At,             // at `time`
    Largest,        // the largest shown between `from` and `time`
    Smallest,       // the smallest
    TimeOfLargest,  // the time of the largest
    TimeOfSmallest, // the time of the smallest
};

struct Headline {
    int preset;
    double time;
    Place place;
    const char* where;
    const char* part;
    const char* key;
    Reading reading = Reading::At;
    double from = 0.0;
    // The page's recorder samples every `stride` steps of the program's dt
    // (on the step count, so at dt / F on other instants): the figure is read
    // only on those steps, where both runs' pages show a sample of that
    // instant, the last of them up to `time` for a reading at a time.
    long stride = 1;
};

constexpr const char* kScattering = "Scattering";
constexpr const char* kProbabilities = "Probabilities";

// One headline per guided experiment (two where the page is about a value
// and the time it is reached), at the times the guides name.
const std::vector<Headline>& headlines()
{
    using P = Place;
    using R = Reading;
    static const std::vector<Headline> all = {
        {0, 4.0, P::Observable, "", "", "sigmaX"},
        {1, 7.0, P::Diagnostics, kScattering, kProbabilities, "P_T="},
        {2, 7.0, P::Diagnostics, kScattering, kProbabilities, "P_T="},
        {3, 8.0, P::Diagnostics, kScattering, kProbabilities, "P_right="},
        {4, 8.0, P::Diagnostics, kScattering, kProbabilities, "P_right="},
        {5, 6.0, P::Observable, "", "", "sigmaY"},
        {6, 6.0, P::Observable, "", "", "sigmaY"},
        {7, 17.0, P::Diagnostics, kScattering, kProbabilities, "P_T="},
        {8, 6.283185307179586, P::Observable, "", "", "meanX"},
        {9, 3.0, P::Observable, "", "", "sigmaX", R::Smallest},
        {9, 5.5, P::Observable, "", "", "sigmaX", R::TimeOfLargest, 3.0},
        {10, 6.36, P::Summary, "boundSummaryLabel", "selected", "E="},
        {11, 6.0, P::Observable, "", "", "sigmaX"},
        {12, 10.28, P::Summary, "doubleWellSummaryLabel", "", "P_right="},
        {13, 4.5, P::Observable, "", "", "sigmaX", R::TimeOfSmallest, 2.0},
        {14, 42.0, P::Summary, "periodicDriveSummaryLabel", "", "max|<x>|="},
        {15, 37.69911184307752, P::Observable, "", "", "meanX"},
        {16, 30.0, P::Summary, "rabiSummaryLabel", "captured", "max P2="},
        {17, 28.0, P::Summary, "rabiSummaryLabel", "captured", "max P2="},
        {18, 4.0, P::Summary, "landauZenerSummaryLabel", "", "Pleft-state="},
        {19, 40.0, P::Summary, "landauZenerSummaryLabel", "", "Pright-state="},
        {20, 14.0, P::Summary, "stueckelbergSummaryLabel", "live", "Plower="},
        {21, 17.0, P::Summary, "stueckelbergSummaryLabel", "live", "Plower="},
        {22, 34.22, P::Summary, "ramseySummaryLabel", "live", "P2="},
        {23, 44.46, P::Summary, "ramseySummaryLabel", "live", "P1="},
        {24, 59.96, P::Summary, "ramseySummaryLabel", "live", "P1="},
        {25, 44.46, P::Summary, "ramseySummaryLabel", "ensemble", "mean P1="},
        {26, 70.22, P::Summary, "ramseySummaryLabel", "live", "P1="},
        {27, 31.0, P::Summary, "blochSummaryLabel", "", "span="},
        {28, 16.0, P::Summary, "revivalSummaryLabel", "", "fidelity=", R::TimeOfLargest, 11.0},
        {28, 60.0, P::Summary, "revivalSummaryLabel", "", "fidelity=", R::TimeOfLargest, 50.0},
        {28, 60.0, P::Summary, "revivalSummaryLabel", "", "fidelity=", R::Largest, 50.0},
        {29, 20.0, P::Summary, "billiardSummaryLabel", "", "occupied="},
        {30, 20.0, P::Summary, "billiardSummaryLabel", "", "occupied="},
        {29, 40.0, P::Summary, "billiardSummaryLabel", "", "Aeff="},
        {30, 40.0, P::Summary, "billiardSummaryLabel", "", "Aeff="},
        {31, 9.5, P::Summary, "talbotSummaryLabel", "", "corr(original)=", R::TimeOfLargest, 7.0},
        {31, 9.5, P::Summary, "talbotSummaryLabel", "", "corr(original)=", R::Largest, 7.0},
        {32, 8.0, P::Summary, "bouncerSummaryLabel", "", "<y>="},
        {33, 12.6, P::Summary, "vortexSummaryLabel", "", "<Lz>/hbar="},
        {34, 25.0, P::Summary, "andersonSummaryLabel", "", "sigmaX clean="},
        {35, 49.5, P::Summary, "kickedRotorSummaryLabel", "", "quantum="},
        {36, 14.0, P::Summary, "zenoSummaryLabel", "", "watched cumulative="},
        {37, 20.0, P::Summary, "scarSummaryLabel", "", "filtered="},
        {38, 240.0, P::Summary, "berrySummaryLabel", "geometric", "phase=", R::At, 0.0, 8},
        {39, 8.0, P::Summary, "loschmidtSummaryLabel", "", "coherent echo=", R::At, 0.0, 4},
        {40, 3.0, P::Summary, "moshinskySummaryLabel", "", "I_det=", R::TimeOfLargest, 1.5, 2},
        {40, 3.0, P::Summary, "moshinskySummaryLabel", "", "I_det=", R::Largest, 1.5, 2},
        {40, 6.0, P::Summary, "moshinskySummaryLabel", "", "temporal peaks=", R::At, 0.0, 2},
        {41, 4.0, P::Summary, "kapitzaDiracSummaryLabel", "", "P(+-1)=", R::At, 0.0, 10},
        {42, 5.0, P::Summary, "aharonovBohmSummaryLabel", "", "center fringe=", R::At, 0.0, 5},
        {42, 5.0, P::Summary, "aharonovBohmSummaryLabel", "", "detector line=", R::At, 0.0, 5},
        {43, 15.0, P::Summary, "landauSummaryLabel", "", "fidelity=", R::TimeOfLargest, 12.0, 5},
        {43, 15.0, P::Summary, "landauSummaryLabel", "", "fidelity=", R::Largest, 12.0, 5},
        {44, 8.0, P::Summary, "hallEdgeSummaryLabel", "", "drift=", R::At, 0.0, 5},
        {45, 4.0, P::Summary, "backflowSummaryLabel", "", "backward flux=", R::At, 0.0, 2},
        {46, 12.0, P::Summary, "zitterSummaryLabel", "", "max|detrendedX|=", R::At, 0.0, 2},
        {47, 16.0, P::Summary, "kleinSummaryLabel", "", "Pright=", R::At, 0.0, 2},
        {48, 16.0, P::Summary, "kleinSummaryLabel", "", "Pright=", R::At, 0.0, 2},
        {49, 22.0, P::Summary, "kleinSummaryLabel", "", "Pright=", R::At, 0.0, 2},
        {50, 18.0, P::Summary, "kleinAngleScanSummaryLabel", "", "packet max P_right=", R::At, 0.0, 2},
        {51, 26.0, P::Summary, "kleinHeightScanSummaryLabel", "", "packet max P_right=", R::At, 0.0, 2},
        {52, 26.0, P::Summary, "kleinMassScanSummaryLabel", "", "packet max P_right=", R::At, 0.0, 2},
        {53, 16.0, P::Summary, "diracMasslessSummaryLabel", "", "packet max P_right=", R::At, 0.0, 2},
    };
    return all;
}

double observable(const ObservableSample& s, const char* name)
{
    struct Named {
        const char* name;
        double ObservableSample::*member;
    };
    static const Named kObservables[] = {{"meanX", &ObservableSample::meanX},
                                         {"meanY", &ObservableSample::meanY},
                                         {"sigmaX", &ObservableSample::sigmaX},
                                         {"sigmaY", &ObservableSample::sigmaY},
                                         {"totalEnergy", &ObservableSample::totalEnergy}};
    for (const Named& n : kObservables)
        if (std::strcmp(n.name, name) == 0)
            return s.*n.member;
    return std::numeric_limits<double>::quiet_NaN();
}

// The figure as the window shows it now.
double shown(const MainWindow& w, const Headline& h)
{
    switch (h.place) {
    case Place::Summary: {
        const QString text = labelText(w, h.where);
        const int from = h.part[0] ? text.indexOf(QLatin1String(h.part)) : 0;
        return from < 0 ? std::numeric_limits<double>::quiet_NaN() : figureAfter(text.mid(from), h.key);
    }
    case Place::Diagnostics:
        return figureAfter(diagnosticsValue(w, h.where, h.part), h.key);
    case Place::Observable:
        return w.observableHistory().empty() ? std::numeric_limits<double>::quiet_NaN()
                                             : observable(w.observableHistory().newest(), h.key);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// A headline's reading as a run goes on: updated at every step of the
// program's dt inside its interval.
struct Watch {
    const Headline* headline;
    double value = std::numeric_limits<double>::quiet_NaN();
    double best = std::numeric_limits<double>::quiet_NaN();
    double bestTime = std::numeric_limits<double>::quiet_NaN();

    bool extreme() const { return headline->reading != Reading::At; }
    bool largest() const
    {
        return headline->reading == Reading::Largest || headline->reading == Reading::TimeOfLargest;
    }
    void see(double t, double figure)
    {
        if (std::isnan(figure))
            return;
        if (std::isnan(best) || (largest() ? figure > best : figure < best)) {
            best = figure;
            bestTime = t;
        }
    }
    double result() const
    {
        switch (headline->reading) {
        case Reading::At:
            return value;
        case Reading::Largest:
        case Reading::Smallest:
            return best;
        case Reading::TimeOfLargest:
        case Reading::TimeOfSmallest:
            return bestTime;
        }
        return value;
    }
};

// The state a run ends with: the wave function, or both spinor components.
struct FinalState {
    std::vector<std::complex<double>> values;
};

FinalState finalState(const MainWindow& w)
{
    FinalState state;
    const bool dirac = w.spinorField().upper.nx() == w.waveField().nx() && w.spinorField().upper.nx() > 0 &&
                       w.spinorField().upper.ny() == w.waveField().ny();
    for (const ComplexField2D* field :
         dirac ? std::vector<const ComplexField2D*>{&w.spinorField().upper, &w.spinorField().lower}
               : std::vector<const ComplexField2D*>{&w.waveField()})
        for (std::uint64_t k = 0; k < field->nx() * field->ny(); ++k)
            state.values.push_back(std::complex<double>(field->data()[k]));
    return state;
}

// 1 - |<a|b>|^2 / (<a|a> <b|b>).
double infidelity(const FinalState& a, const FinalState& b)
{
    if (a.values.size() != b.values.size() || a.values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::complex<double> overlap = 0.0;
    double na = 0.0, nb = 0.0;
    for (std::size_t k = 0; k < a.values.size(); ++k) {
        overlap += std::conj(a.values[k]) * b.values[k];
        na += std::norm(a.values[k]);
        nb += std::norm(b.values[k]);
    }
    return 1.0 - std::norm(overlap) / (na * nb);
}

constexpr int kOneStepPerTick = 2;
// The grid selector's entries: 256, 512 and 1024 points a side.
constexpr int kCoarsestGrid = 0;
constexpr int kMiddleGrid = 1;
constexpr int kFinestGrid = 2;

// The form's edits of --set: a spin box's object name and its value.
struct FormEdit {
    std::string spinBox;
    double value;
};
std::vector<FormEdit> formEdits;

// The step of a new window. A rebuild keeps the solver's dt, so the step a
// finer run set would carry over into the next run: every run starts from
// this one.
float programDt = 0.0f;

// The energy of the stepped Hamiltonian (the spectral energy of the Fourier
// step) and the norm, every kEnergyStride steps of the program's dt.
constexpr long kEnergyStride = 5;
struct EnergyTrace {
    std::vector<double> energy;
    std::vector<double> norm;
    // The potential's floor then, from which the energy is measured.
    std::vector<double> floor;
};

struct RunResult {
    bool available = true;
    std::vector<double> values;
    FinalState state;
    double dt = 0.0;
    double end = 0.0;
    int gridPoints = 0;
    // The most and fewest sub-steps the propagator took over the run (0: a
    // Dirac step, which has none).
    std::uint32_t mostSubSteps = 0;
    std::uint32_t fewestSubSteps = 0;
    EnergyTrace trace;
};

// Which grid a run takes: its own, the entry `step` below its own, or the
// selector's entry `index`.
struct GridChoice {
    int step = 0;
    int index = -1;
};

// Loads the preset on the chosen grid, runs it at dt / factor to the latest
// of its headlines' times (to `until` when that is earlier) and reads each
// headline (unless told not to: the pages' refresh is the costliest part of
// a run on the finest grid).
// A count every run takes up to a time (none: `steps` 0).
struct SharedStart {
    long steps = 0;
    std::uint32_t subSteps = 0;
};

// `forced` sub-steps a step when not 0, the rule's count otherwise; the
// shared start's before.
RunResult run(MainWindow& w, int preset, int factor, GridChoice choice, const std::vector<const Headline*>& own,
              double until = std::numeric_limits<double>::infinity(), bool readHeadlines = true,
              std::uint32_t forced = 0, SharedStart start = {})
{
    RunResult result;
    MainWindowProbe::forceSubSteps(w, start.steps > 0 ? start.subSteps : forced);
    w.loadGuidedExperiment(preset);
    auto* grid = w.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    if (choice.step > 0 || choice.index >= 0) {
        const int wanted = choice.index >= 0 ? choice.index : (grid ? grid->currentIndex() + choice.step : -1);
        if (!grid || wanted >= grid->count()) {
            result.available = false;
            return result;
        }
        grid->setCurrentIndex(wanted);
    }
    for (const FormEdit& edit : formEdits)
        if (auto* box = w.findChild<QDoubleSpinBox*>(QString::fromStdString(edit.spinBox)))
            box->setValue(edit.value);
    w.rebuildSimulation();
    // One step a tick (the 1x entry of the speed selector), whatever the
    // experiment's own speed.
    MainWindowProbe::setSpeedIndex(w, kOneStepPerTick);
    const float dt = programDt;
    result.dt = dt;
    MainWindowProbe::setTimeStep(w, dt / float(factor));
    result.gridPoints = int(w.waveField().nx());
    std::vector<Watch> watches;
    long lastStep = 0;
    for (const Headline* h : own) {
        if (readHeadlines)
            watches.push_back({h});
        lastStep = std::max(lastStep, std::lround(h->time / dt));
    }
    if (std::isfinite(until))
        lastStep = std::min(lastStep, long(std::floor(until / dt + 0.5)));
    result.end = lastStep * double(dt);
    const auto traceEnergy = [&] {
        const EnergyObservables2D e = MainWindowProbe::steppedEnergy(w);
        result.trace.energy.push_back(e.total);
        result.trace.norm.push_back(e.norm);
        result.trace.floor.push_back(w.potentialField().empty() ? 0.0 : w.potentialField().minValue());
    };
    const auto countSubSteps = [&] {
        const std::uint32_t n = MainWindowProbe::subStepsInForce(w);
        result.mostSubSteps = std::max(result.mostSubSteps, n);
        result.fewestSubSteps = result.fewestSubSteps == 0 ? n : std::min(result.fewestSubSteps, n);
    };
    traceEnergy();
    for (long step = 1; step <= lastStep; ++step) {
        if (step == start.steps + 1)
            MainWindowProbe::forceSubSteps(w, forced);
        for (int sub = 0; sub < factor; ++sub) {
            MainWindowProbe::stepTick(w);
            countSubSteps();
        }
        MainWindowProbe::observeTick(w);
        if (step % kEnergyStride == 0)
            traceEnergy();
        bool refreshed = false;
        for (Watch& watch : watches) {
            const Headline& h = *watch.headline;
            const long end = std::lround(h.time / dt);
            const long first = watch.extreme() ? std::lround(h.from / dt) : end - h.stride + 1;
            if (step < first || step > end || step % h.stride != 0)
                continue;
            if (!refreshed && h.place != Place::Observable) {
                MainWindowProbe::refreshTick(w);
                refreshed = true;
            }
            const double figure = shown(w, h);
            if (watch.extreme())
                watch.see(step * double(dt), figure);
            else
                watch.value = figure;
        }
    }
    MainWindowProbe::refreshTick(w);
    for (const Watch& watch : watches)
        result.values.push_back(watch.result());
    result.state = finalState(w);
    return result;
}

const char* readingName(Reading r)
{
    switch (r) {
    case Reading::At:
        return "";
    case Reading::Largest:
        return "max ";
    case Reading::Smallest:
        return "min ";
    case Reading::TimeOfLargest:
        return "t(max) ";
    case Reading::TimeOfSmallest:
        return "t(min) ";
    }
    return "";
}

std::string headlineName(const Headline& h)
{
    std::string name = readingName(h.reading);
    name += h.key;
    if (h.reading != Reading::At) {
        char interval[48];
        std::snprintf(interval, sizeof interval, " in [%g,%g]", h.from, h.time);
        name += interval;
    }
    return name;
}

double percent(double value, double reference) { return (value - reference) / std::abs(reference) * 100.0; }

// A run still holds its packet while the absorbing layer has taken less than
// this share of the norm.
constexpr double kNotYetAbsorbed = 0.99;

// The largest difference of the stepped energy between a run and its
// reference over the instants both sampled while the reference still held
// its packet, relative to the reference's energy then above the potential's
// floor (the energy itself depends on where the potential has its zero: a
// tilted double well puts it near 0); the instant of the last such sample.
struct EnergyDeviation {
    double relative = 0.0;
    double until = 0.0;
};

EnergyDeviation energyDeviation(const EnergyTrace& run, const EnergyTrace& reference, double dt)
{
    EnergyDeviation d;
    const std::size_t n = std::min(run.energy.size(), reference.energy.size());
    for (std::size_t k = 0; k < n && reference.norm[k] >= kNotYetAbsorbed * reference.norm[0]; ++k) {
        const double aboveFloor = std::abs(reference.energy[k] - reference.floor[k]);
        d.relative = std::max(d.relative, std::abs(run.energy[k] - reference.energy[k]) / aboveFloor);
        d.until = double(k) * kEnergyStride * dt;
    }
    return d;
}

// The rule's row of one preset on one grid: the sub-steps the propagator
// took at the program's dt, the infidelity against a run whose sub-steps are
// `factor` times finer at the end of the window, and the largest relative
// difference of the stepped energy while the packet is held. The finer run
// steps dt / (factor n), n the most sub-steps the run at dt took, so that
// the sub-step rule cannot take as many sub-steps at both steps.
void printSubStepRow(MainWindow& w, int preset, GridChoice grid, int factor, double until,
                     const std::vector<const Headline*>& own)
{
    const RunResult base = run(w, preset, 1, grid, own, until, false);
    if (!base.available)
        return;
    const int finer = factor * int(std::max(1u, base.mostSubSteps));
    const RunResult fine = run(w, preset, finer, grid, own, until, false);
    const EnergyDeviation energy = energyDeviation(base.trace, fine.trace, base.dt);
    char counts[32];
    if (base.mostSubSteps == 0)
        std::snprintf(counts, sizeof counts, "Dirac");
    else if (base.fewestSubSteps == base.mostSubSteps)
        std::snprintf(counts, sizeof counts, "%u", base.mostSubSteps);
    else
        std::snprintf(counts, sizeof counts, "%u-%u", base.fewestSubSteps, base.mostSubSteps);
    std::printf("| %2d | %4d | %7s | %4d | %7.2f | %.2e | %.3f%% (to t=%.2f) | %.3f |\n", preset, base.gridPoints,
                counts, finer, base.end, infidelity(base.state, fine.state), energy.relative * 100.0, energy.until,
                base.trace.norm.empty() ? 0.0 : base.trace.norm.back());
    std::fflush(stdout);
}

// The bounds a converged run keeps against its reference.
constexpr double kMostInfidelity = 3e-4;
constexpr double kMostEnergyDeviation = 5e-3;

// What convergence needs: each forced count's row against one reference F
// times finer than the largest, and the rule's row against the same.
void printNeededSubSteps(MainWindow& w, int preset, GridChoice grid, int factor, double until, double from,
                         const std::vector<std::uint32_t>& ladder, const std::vector<const Headline*>& own)
{
    const SharedStart start{std::lround(from / programDt), *std::min_element(ladder.begin(), ladder.end())};
    // The rule's count from its first step when every run shares a start.
    const RunResult counted = run(w, preset, 1, grid, own, start.steps > 0 ? double(programDt) : until, false);
    if (!counted.available || counted.mostSubSteps == 0)
        return;
    const RunResult ruled =
        start.steps > 0 ? run(w, preset, 1, grid, own, until, false, counted.mostSubSteps, start) : counted;
    const std::uint32_t most = *std::max_element(ladder.begin(), ladder.end());
    const RunResult reference = start.steps > 0 ? run(w, preset, 1, grid, own, until, false, factor * most, start)
                                                : run(w, preset, factor * int(most), grid, own, until, false);
    std::uint32_t fewest = 0;
    const auto row = [&](const RunResult& r, const char* kind, std::uint32_t n) {
        const EnergyDeviation energy = energyDeviation(r.trace, reference.trace, r.dt);
        const double lost = infidelity(r.state, reference.state);
        const bool within = lost <= kMostInfidelity && energy.relative <= kMostEnergyDeviation;
        if (within && kind[0] == 'f' && (fewest == 0 || n < fewest))
            fewest = n;
        std::printf("| %2d | %4d | %-6s | %4u | %5d | %7.2f | %.2e | %.3f%% (to t=%.2f) | %s |\n", preset, r.gridPoints,
                    kind, n, factor * int(most), r.end, lost, energy.relative * 100.0, energy.until,
                    within ? "within" : "OUT");
        std::fflush(stdout);
    };
    row(ruled, "rule", ruled.mostSubSteps);
    for (const std::uint32_t n : ladder)
        row(run(w, preset, 1, grid, own, until, false, n, start), "forced", n);
    std::printf("| %2d | fewest forced count within the bounds: %u (rule %u) |\n", preset, fewest, ruled.mostSubSteps);
    std::fflush(stdout);
}

// Every summary the page shows, and the probabilities row.
void printPages(const MainWindow& w, int preset)
{
    std::printf("== %d at t = %.3f\n", preset, w.schroedingerSolver().time());
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (label->objectName().endsWith(QLatin1String("SummaryLabel")) && !label->text().isEmpty())
            std::printf("  %s: %s\n", label->objectName().toStdString().c_str(),
                        label->text().left(400).toStdString().c_str());
    std::printf("  Probabilities: %s\n", diagnosticsValue(w, kScattering, kProbabilities).toStdString().c_str());
    std::fflush(stdout);
}

} // namespace
} // namespace vxo

int main(int argc, char** argv)
{
    using namespace vxo;
    int factor = 8;
    bool grids = true;
    int gridSteps = 1;
    bool pages = false;
    bool subStepRule = false;
    double until = std::numeric_limits<double>::infinity();
    double finestUntil = std::numeric_limits<double>::infinity();
    std::vector<std::uint32_t> ladder;
    int neededGrid = kFinestGrid;
    double sharedUntil = 0.0;
    std::vector<int> presets;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--factor") == 0 && i + 1 < argc)
            factor = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--no-grid") == 0)
            grids = false;
        else if (std::strcmp(argv[i], "--finer") == 0 && i + 1 < argc)
            gridSteps = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--pages") == 0)
            pages = true;
        else if (std::strcmp(argv[i], "--sub-steps") == 0)
            subStepRule = true;
        else if (std::strcmp(argv[i], "--need") == 0 && i + 1 < argc) {
            for (char* n = std::strtok(argv[++i], ","); n; n = std::strtok(nullptr, ","))
                ladder.push_back(std::uint32_t(std::max(1, std::atoi(n))));
        } else if (std::strcmp(argv[i], "--from") == 0 && i + 1 < argc)
            sharedUntil = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--grid") == 0 && i + 1 < argc)
            neededGrid = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--until") == 0 && i + 1 < argc)
            until = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--finest-until") == 0 && i + 1 < argc)
            finestUntil = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--set") == 0 && i + 1 < argc) {
            const std::string edit = argv[++i];
            const std::size_t equals = edit.find('=');
            formEdits.push_back({edit.substr(0, equals), std::atof(edit.c_str() + equals + 1)});
        } else
            presets.push_back(std::atoi(argv[i]));
    }
    test::appTestApplication();
    MainWindow window(nullptr, false);
    programDt = window.schroedingerSolver().parameters().dt;
    int unknown = 0;
    for (const int p : presets) {
        std::vector<const Headline*> own;
        for (const Headline& h : headlines())
            if (h.preset == p)
                own.push_back(&h);
        if (own.empty()) {
            std::printf("%2d  (no headline defined)\n", p);
            ++unknown;
            continue;
        }
        if (!ladder.empty()) {
            printNeededSubSteps(window, p, GridChoice{0, neededGrid}, factor, until, sharedUntil, ladder, own);
            continue;
        }
        if (subStepRule) {
            window.loadGuidedExperiment(p);
            const int ownGrid = window.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"))->currentIndex();
            for (int grid = kCoarsestGrid; grid <= kFinestGrid; ++grid)
                if (grid != kMiddleGrid || ownGrid == kMiddleGrid)
                    printSubStepRow(window, p, GridChoice{0, grid}, factor,
                                    grid == kFinestGrid ? std::min(until, finestUntil) : until, own);
            continue;
        }
        if (pages) {
            run(window, p, 1, {}, own);
            printPages(window, p);
            continue;
        }
        const RunResult base = run(window, p, 1, {}, own);
        const RunResult fine = run(window, p, factor, {}, own);
        const double lost = infidelity(base.state, fine.state);
        RunResult finer;
        finer.available = false;
        if (grids)
            finer = run(window, p, 1, GridChoice{gridSteps}, own);
        for (std::size_t k = 0; k < own.size(); ++k) {
            const Headline& h = *own[k];
            std::printf("| %2d | %-40s | %7.3f | %.4g | %-11.6g | %-11.6g | %+7.2f%% | %.2e |", p,
                        headlineName(h).c_str(), h.time, base.dt, base.values[k], fine.values[k],
                        percent(fine.values[k], base.values[k]), lost);
            if (finer.available)
                std::printf(" %.4g | %-11.6g | %+7.2f%% |\n", finer.dt, finer.values[k],
                            percent(finer.values[k], base.values[k]));
            else
                std::printf(" n/a | | |\n");
            std::fflush(stdout);
        }
    }
    return unknown > 0 ? 1 : 0;
}
