// The convergence table of the guided experiments' headline numbers: each
// experiment named on the command line is loaded into one unshown window and
// run to its reading time three ways, at the program's step dt on its own
// grid, at dt / F (F = 8 unless --factor says otherwise) on its own grid, and
// at dt on the next finer grid (the grid selector one entry down, when there
// is one), and its analysis page's headline number is read at the same
// physical time in each. Every step is one tick's steps and observation, as
// the run timer makes them; the page is refreshed at the end.
//
// Printed per experiment: the headline's name, the three readings and the
// relative differences of the finer step and of the finer grid to the
// program's run.
//
// With --pages, each experiment is run once at dt on its own grid and its
// analysis page's summary and its diagnostics rows 33 to 38 and 49 to 52 are
// printed instead.
//
// Usage: vxo_convergence [--factor F] [--no-grid] [--pages] preset index ...

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"

#include "app/mainwindow/MainWindow.h"
#include "core/Numeric.h"
#include "document/ExperimentCatalogue.h"
#include "experiments/AharonovBohmRecorder.h"
#include "experiments/LandauRecorder.h"
#include "experiments/MoshinskyRecorder.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/RevivalRecorder.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vxo {
namespace {

// The number written right after `key` in a text; NaN when the key is missing.
double numberAfter(const QString& text, const char* key)
{
    const int at = text.indexOf(QLatin1String(key));
    if (at < 0)
        return std::nan("");
    const std::string rest = text.mid(at + int(std::strlen(key))).toStdString();
    char* end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    return end == rest.c_str() ? std::nan("") : value;
}

QString labelText(const MainWindow& w, const char* name)
{
    const auto* label = w.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QString();
}

// Share of the probability right of x.
double shareRightOf(const ComplexField2D& psi, double x)
{
    double right = 0.0, total = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double p = std::norm(std::complex<double>(psi.at(i, j)));
            total += p;
            if (cellCentre(i, psi.nx(), psi.dx()) > x)
                right += p;
        }
    return total > 0.0 ? right / total : 0.0;
}

// What has passed a barrier at the origin, of what has left the interaction
// region |x| <= h.
double transmittedShare(const ComplexField2D& psi, double h)
{
    const double right = shareRightOf(psi, h);
    const double left = 1.0 - shareRightOf(psi, -h);
    return right / (right + left);
}

constexpr int kOneStepPerTick = 2;
constexpr int kRevivalPreset = 28;

// The revival's fidelity peak, followed at every step of the program's dt
// after t = 45: the window's recorder keeps its newest 1200 ticks, which at a
// finer step no longer reach back to the revival.
struct RevivalPeak {
    double time = 0.0;
    double fidelity = -1.0;
} revivalPeak;

void followRevival(const MainWindow& w)
{
    const double t = w.schroedingerSolver().time();
    if (t < 45.0)
        return;
    const double f = overlapProbability(w.recorder<RevivalRecorder>().initialState(), w.waveField());
    if (f > revivalPeak.fidelity)
        revivalPeak = {t, f};
}

// One headline: the time at which it is read and how.
struct Headline {
    int preset;
    const char* name;
    double time;
    std::function<double(const MainWindow&)> read;
};

const std::vector<Headline>& headlines()
{
    static const std::vector<Headline> all = {
        {1, "P_T/(P_R+P_T) t=7", 7.0, [](const MainWindow& w) { return transmittedShare(w.waveField(), 0.68); }},
        {2, "P_T/(P_R+P_T) t=7", 7.0, [](const MainWindow& w) { return transmittedShare(w.waveField(), 0.68); }},
        {4, "share behind the wall t=6", 6.0, [](const MainWindow& w) { return shareRightOf(w.waveField(), 0.16); }},
        {7, "P_T/(P_R+P_T) t=17", 17.0, [](const MainWindow& w) { return transmittedShare(w.waveField(), 1.52); }},
        {28, "fidelity peak time", 60.0, [](const MainWindow&) { return revivalPeak.time; }},
        {28, "fidelity peak", 60.0, [](const MainWindow&) { return revivalPeak.fidelity; }},
        {40, "temporal peaks t=6", 6.0,
         [](const MainWindow& w) { return numberAfter(labelText(w, "moshinskySummaryLabel"), "temporal peaks="); }},
        {40, "largest I_det t=6", 6.0,
         [](const MainWindow& w) {
             double best = 0.0;
             for (const MoshinskySample& s : w.recorder<MoshinskyRecorder>().samples())
                 best = std::max(best, s.detectorDensity);
             return best;
         }},
        {42, "center fringe t=5", 5.0,
         [](const MainWindow& w) { return numberAfter(labelText(w, "aharonovBohmSummaryLabel"), "center fringe="); }},
        {42, "detector line t=5", 5.0,
         [](const MainWindow& w) { return numberAfter(labelText(w, "aharonovBohmSummaryLabel"), "detector line="); }},
        {43, "F t=15", 15.0,
         [](const MainWindow& w) { return numberAfter(labelText(w, "landauSummaryLabel"), "fidelity="); }},
    };
    return all;
}

// Loads the preset (on the grid entry `gridStep` below its own), runs it at
// dt / factor to `time` and reads every headline of it.
std::vector<double> run(MainWindow& w, int preset, int factor, int gridStep, double time, bool& gridAvailable)
{
    w.loadGuidedExperiment(preset);
    auto* grid = w.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    gridAvailable = true;
    if (gridStep > 0) {
        if (!grid || grid->currentIndex() + gridStep >= grid->count()) {
            gridAvailable = false;
            return {};
        }
        grid->setCurrentIndex(grid->currentIndex() + gridStep);
    }
    w.rebuildSimulation();
    // One step a tick (the 1x entry of the speed selector), whatever the
    // experiment's own speed.
    MainWindowProbe::setSpeedIndex(w, kOneStepPerTick);
    const float dt = w.schroedingerSolver().parameters().dt;
    MainWindowProbe::setTimeStep(w, dt / float(factor));
    const long steps = std::lround(time / dt) * factor;
    revivalPeak = RevivalPeak{};
    for (long s = 0; s < steps; ++s) {
        MainWindowProbe::stepTick(w);
        MainWindowProbe::observeTick(w);
        if (preset == kRevivalPreset && (s + 1) % factor == 0)
            followRevival(w);
    }
    MainWindowProbe::refreshTick(w);
    std::vector<double> values;
    for (const Headline& h : headlines())
        if (h.preset == preset)
            values.push_back(h.read(w));
    return values;
}

// The page's summary labels and the analysis rows of the diagnostics table.
void printPage(const MainWindow& w, int preset)
{
    std::printf("== %d at t = %.3f\n", preset, w.schroedingerSolver().time());
    for (const char* name : {"resonanceSummaryLabel", "revivalSummaryLabel", "moshinskySummaryLabel",
                             "aharonovBohmSummaryLabel", "landauSummaryLabel"})
        if (labelText(w, name).size() > 0 && !labelText(w, name).contains(QLatin1String("inactive")) &&
            !labelText(w, name).startsWith(QLatin1String("Load")) &&
            !labelText(w, name).startsWith(QLatin1String("Potential Scene is OFF")))
            std::printf("  %s: %s\n", name, labelText(w, name).toStdString().c_str());
    const auto* table = w.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    for (const int row : {33, 34, 35, 36, 37, 38, 49, 51, 52, 61, 64}) {
        const QTableWidgetItem* item = table ? table->item(row, 2) : nullptr;
        std::printf("  row %d: %s\n", row, item ? item->text().toStdString().c_str() : "");
    }
    std::fflush(stdout);
}

} // namespace
} // namespace vxo

int main(int argc, char** argv)
{
    using namespace vxo;
    int factor = 8;
    bool grids = true;
    bool pages = false;
    std::vector<int> presets;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--factor") == 0 && i + 1 < argc)
            factor = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--no-grid") == 0)
            grids = false;
        else if (std::strcmp(argv[i], "--pages") == 0)
            pages = true;
        else
            presets.push_back(std::atoi(argv[i]));
    }
    test::appTestApplication();
    MainWindow window(nullptr, false);
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
        bool available = true;
        if (pages) {
            run(window, p, 1, 0, own.front()->time, available);
            printPage(window, p);
            continue;
        }
        const std::vector<double> base = run(window, p, 1, 0, own.front()->time, available);
        const std::vector<double> fine = run(window, p, factor, 0, own.front()->time, available);
        std::vector<double> finer;
        bool finerGrid = false;
        if (grids)
            finer = run(window, p, 1, 1, own.front()->time, finerGrid);
        for (std::size_t k = 0; k < own.size(); ++k) {
            const double dStep = (fine[k] - base[k]) / base[k] * 100.0;
            if (finerGrid) {
                const double dGrid = (finer[k] - base[k]) / base[k] * 100.0;
                std::printf("%2d  %-28s dt: %-12.6g dt/%d: %-12.6g (%+.2f%%)  finer grid: %-12.6g (%+.2f%%)\n", p,
                            own[k]->name, base[k], factor, fine[k], dStep, finer[k], dGrid);
            } else {
                std::printf("%2d  %-28s dt: %-12.6g dt/%d: %-12.6g (%+.2f%%)  finer grid: n/a\n", p, own[k]->name,
                            base[k], factor, fine[k], dStep);
            }
            std::fflush(stdout);
        }
    }
    return unknown > 0 ? 1 : 0;
}
