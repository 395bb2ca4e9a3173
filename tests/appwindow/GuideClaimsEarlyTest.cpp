// The guides of the guided experiments 0 to 26 (free motion, barriers, slits,
// obstacles, traps and the double well's two-level protocols) against what
// the program shows at each preset's settings. Each claim is a number a
// guide quotes in both languages; how it is measured follows the guide's own
// "look at".

#include "GuideClaims.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/SquareBarrier1D.h"
#include "document/ExperimentCatalogue.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vxo::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A run's clock is a sum of steps and may fall a rounding short of a time
// that a guide names: the step at that time is the first one past this much
// before it.
constexpr double kClockSlack = 1e-3;

// The momentum and the width of the packet the window shown prepared (it
// must not have stepped), and the Mass m of its form.
double px(GuideRun& r) { return r.prepared().meanPx; }
double mass(GuideRun& r) { return r.spinBox("massSpinBox"); }
double sigma(GuideRun& r) { return r.prepared().sigmaX; }

// What the run shows at `time` of the observables history's newest sample.
template <typename Read>
std::function<double(GuideRun&)> observed(int preset, double time, Read read)
{
    return [preset, time, read](GuideRun& r) {
        r.at(preset, time);
        return read(r.window().observableHistory().newest());
    };
}

// How far the packet's centre has moved per unit time when the run reaches
// `time`, from where the run's first observation saw it.
std::function<double(GuideRun&)> travelledPerTime(int preset, double time)
{
    return [=](GuideRun& r) {
        const std::vector<ObservableSample>& seen = r.at(preset, time).observableHistory().samples();
        return (seen.back().meanX - seen.front().meanX) / (seen.back().time - seen.front().time);
    };
}

// A control of the form as Load leaves it.
std::function<double(GuideRun&)> setting(int preset, const char* spinBox)
{
    return [preset, spinBox](GuideRun& r) {
        r.asLoaded(preset);
        return r.spinBox(spinBox);
    };
}

// A number that follows from the preset as Load leaves it: `formula` of its
// form and of the packet it prepared (a kinetic energy from the packet's
// momentum, a diffraction angle from its wavelength and the slit's width).
std::function<double(GuideRun&)> fromLoad(int preset, std::function<double(GuideRun&)> formula)
{
    return [preset, formula](GuideRun& r) {
        r.asLoaded(preset);
        return formula(r);
    };
}

// The Scattering probabilities figure after `key` when the run pauses itself,
// with the form first changed by `edit` (none: the preset as loaded).
std::function<double(GuideRun&)> pausedFigure(int preset, const char* key,
                                              std::function<void(MainWindow&)> edit = nullptr)
{
    return [=](GuideRun& r) {
        const auto split = [](GuideRun& g) { return g.separated(); };
        if (!(edit ? r.until(preset, split, 60.0, edit) : r.paused(preset, 60.0)))
            return std::numeric_limits<double>::quiet_NaN();
        return figureAfter(r.diagnostics("Scattering", "Probabilities"), key);
    };
}

// The time at which the run pauses itself.
std::function<double(GuideRun&)> pauseTime(int preset)
{
    return [=](GuideRun& r) {
        return r.paused(preset, 60.0) && r.pausedItself() ? r.now() : std::numeric_limits<double>::quiet_NaN();
    };
}

// A figure of the plane-wave theory row with the form changed by `edit`.
std::function<double(GuideRun&)> planeWaveFigure(int preset, const char* key,
                                                 std::function<void(MainWindow&)> edit = nullptr)
{
    return [=](GuideRun& r) {
        if (edit)
            r.edited(preset, edit);
        else
            r.asLoaded(preset);
        return figureAfter(r.diagnostics("Tunneling", "Plane-wave theory"), key);
    };
}

std::function<void(MainWindow&)> set(const char* spinBox, double value)
{
    return [=](MainWindow& w) { setValue(w, spinBox, value); };
}

// The resonance the double-barrier page finds in its energy scan between
// `from` and `to`: the sweep's peak, and its full width at half maximum,
// where the half maximum is found by scans a thousandth wide on either flank
// (the peak of a scan on a flank is its end nearer the resonance).
struct Peak {
    double energy;
    double width;
};
Peak pageResonance(GuideRun& r, double from, double to)
{
    MainWindow& w = r.loaded(7);
    const auto sweepPeak = [&](double low, double high, const char* key) {
        setValue(w, "resonanceScanMinSpinBox", low);
        setValue(w, "resonanceScanMaxSpinBox", high);
        MainWindowProbe::refreshTick(w);
        const QString summary = r.label("resonanceSummaryLabel");
        return figureAfter(summary.mid(summary.indexOf(QLatin1String("sweep peak"))), key);
    };
    constexpr double kStep = 0.001; // the scan limits' last decimal
    const double energy = sweepPeak(from, to, "E=");
    const double top = sweepPeak(from, to, "T=");
    // T at `e` on the flank that runs from the peak out to `outside`.
    const auto flank = [&](double e, double outside) {
        return outside > energy ? sweepPeak(e, e + kStep, "T=") : sweepPeak(e - kStep, e, "T=");
    };
    const auto halfMaximum = [&](double outside) {
        double inside = energy;
        while (std::abs(outside - inside) > 1.5 * kStep) {
            const double middle = std::round(0.5 * (inside + outside) / kStep) * kStep;
            (flank(middle, outside) > top / 2 ? inside : outside) = middle;
        }
        return 0.5 * (inside + outside);
    };
    return {energy, halfMaximum(to) - halfMaximum(from)};
}

// The column of psi nearest x = `screen`.
std::uint64_t screenColumn(const ComplexField2D& psi, double screen)
{
    return std::uint64_t(std::lround(screen / psi.dx() + (psi.nx() - 1) / 2.0));
}

// What the disc of the obstacle preset does to its packet by t = 6 once its
// Radius is set to `radius`: the packet's Sigma Y, and the shares of the
// scattered wave (the run minus the free packet) that lie within 30 degrees
// of straight ahead and of straight back, seen from the disc's centre. The
// free packet is the prepared one moved by the free propagator
// exp(-i hbar k^2 t/(2m)) in Fourier space, which is how the run moves it
// wherever there is no potential. Kept per radius: the claims on one run
// read it once.
struct DiscScattering {
    double sigmaY;
    double shadow;
    double ahead;
    double back;
};

// How deep the disc's shadow is at t = 6: the density on the axis across
// x = 3 (the Cross-section, Vertical: vary Y, Fixed X 3) as a share of the
// brightest point across that line. The grid has no row on the axis: the two
// rows astride it.
double shadowDepth(const ComplexField2D& psi)
{
    constexpr double kAcross = 3.0;
    const std::uint64_t column = screenColumn(psi, kAcross);
    double brightest = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        brightest = std::max(brightest, double(std::norm(psi.at(column, j))));
    const double axis = 0.5 * (std::norm(psi.at(column, psi.ny() / 2 - 1)) + std::norm(psi.at(column, psi.ny() / 2)));
    return axis / brightest;
}

DiscScattering discScattering(GuideRun& r, double radius)
{
    static std::map<double, DiscScattering> found;
    if (found.count(radius))
        return found[radius];
    constexpr int kObstaclePreset = 5;
    constexpr double kTime = 6.0;
    ComplexField2D free;
    r.until(
        kObstaclePreset,
        [&free](GuideRun& g) {
            if (g.now() == 0.0)
                free = g.shown().waveField();
            return g.now() >= kTime - 1e-9;
        },
        kTime + 1.0, set("circleRadiusSpinBox", radius));
    const MainWindow& w = r.shown();
    const ComplexField2D& psi = w.waveField();
    const double hbar = w.schroedingerSolver().parameters().hbar, m = w.schroedingerSolver().parameters().mass;
    FFT2D::forward(free);
    for (std::uint64_t j = 0; j < free.ny(); ++j)
        for (std::uint64_t i = 0; i < free.nx(); ++i) {
            const double kx = fftWaveNumber(i, free.nx(), free.dx()), ky = fftWaveNumber(j, free.ny(), free.dy());
            free.at(i, j) *= Complex(std::polar(1.0, -hbar * (kx * kx + ky * ky) * r.now() / (2.0 * m)));
        }
    FFT2D::inverse(free);
    const double discX = control<QDoubleSpinBox>(w, "circleCenterXSpinBox")->value();
    const double discY = control<QDoubleSpinBox>(w, "circleCenterYSpinBox")->value();
    double all = 0.0, ahead = 0.0, back = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = (double(i) - (psi.nx() - 1) / 2.0) * psi.dx() - discX;
            const double y = (double(j) - (psi.ny() - 1) / 2.0) * psi.dy() - discY;
            const double scattered =
                std::norm(std::complex<double>(psi.at(i, j)) - std::complex<double>(free.at(i, j)));
            const double fromAhead = std::abs(std::atan2(y, x)) * 180.0 / kPi;
            all += scattered;
            ahead += fromAhead <= 30.0 ? scattered : 0.0;
            back += fromAhead >= 150.0 ? scattered : 0.0;
        }
    return found[radius] = {w.observableHistory().newest().sigmaY, shadowDepth(psi), ahead / all, back / all};
}

// The first dark point above the axis of a profile along y sampled on the
// rows of `psi`: the first minimum that the next maximum outshines by half
// again, so that a shoulder on the flank of a lobe is not taken for a dark
// fringe.
double firstDarkY(const std::vector<double>& profile, const ComplexField2D& psi)
{
    for (std::uint64_t j = psi.ny() / 2; j + 1 < psi.ny();) {
        while (j + 1 < psi.ny() && profile[j + 1] <= profile[j])
            ++j;
        const std::uint64_t dark = j;
        while (j + 1 < psi.ny() && profile[j + 1] >= profile[j])
            ++j;
        if (profile[j] > 1.5 * profile[dark])
            return (dark - (psi.ny() - 1) / 2.0) * psi.dy();
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The first dark point of |psi|^2 along y on the column nearest x = `screen`
// (the Cross-section Vertical: vary Y at Fixed X).
double firstDarkY(const ComplexField2D& psi, double screen)
{
    const std::uint64_t column = screenColumn(psi, screen);
    std::vector<double> profile(psi.ny());
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        profile[j] = std::norm(psi.at(column, j));
    return firstDarkY(profile, psi);
}

// The first dark direction, in degrees from the axis, that the wave passing
// a screen at x = `screen` leaves on it: |psi|^2 along the screen summed over
// the ticks of the run up to `time` (as the detector screen accumulates it),
// with the form first changed by `edit`.
std::function<double(GuideRun&)> darkDirectionOnScreen(int preset, double screen, double time,
                                                       std::function<void(MainWindow&)> edit = nullptr)
{
    return [=](GuideRun& r) {
        std::vector<double> profile;
        r.until(
            preset,
            [&](GuideRun& g) {
                const ComplexField2D& psi = g.window().waveField();
                profile.resize(psi.ny(), 0.0);
                for (std::uint64_t j = 0; j < psi.ny(); ++j)
                    profile[j] += std::norm(psi.at(screenColumn(psi, screen), j));
                return g.now() >= time - 1e-9;
            },
            time + 1.0, edit);
        return std::atan(firstDarkY(profile, r.window().waveField()) / screen) * 180.0 / kPi;
    };
}

// The single slit of height `height` in the wall made opaque as its guide
// makes it, 1.0 wide.
std::function<void(MainWindow&)> slitInOpaqueWall(double height)
{
    return [=](MainWindow& w) {
        setValue(w, "singleSlitWallWidthSpinBox", 1.0);
        setValue(w, "singleSlitHeightSpinBox", height);
    };
}

// The wavelength of the packet the window shown holds: 2 pi over the phase
// it gains per cell along x at its centre (the spacing of the wave fronts
// that View Phase arg(psi) draws).
double fieldWavelength(GuideRun& r)
{
    const ComplexField2D& psi = r.shown().waveField();
    const std::uint64_t i = screenColumn(psi, r.spinBox("centerXSpinBox"));
    const std::uint64_t j = std::uint64_t(std::lround(r.spinBox("centerYSpinBox") / psi.dy() + (psi.ny() - 1) / 2.0));
    const double phasePerCell =
        std::arg(std::complex<double>(psi.at(i + 1, j)) * std::conj(std::complex<double>(psi.at(i, j))));
    return 2.0 * kPi * psi.dx() / phasePerCell;
}

// The wavelength of the packet that Load prepares.
double loadedWavelength(GuideRun& r, int preset)
{
    r.asLoaded(preset);
    return fieldWavelength(r);
}

// The wavelength of the packet that Load prepares with Momentum px set to
// `momentum`.
std::function<double(GuideRun&)> packetWavelength(int preset, double momentum)
{
    return [=](GuideRun& r) {
        r.edited(preset, [=](MainWindow& window) { setValue(window, "momentumSpinBox", momentum); });
        return fieldWavelength(r);
    };
}

// A figure of the packet that Load prepares with Momentum px set to `momentum`.
std::function<double(GuideRun&)> editedPacket(int preset, double momentum, double PreparedPacket::*figure)
{
    return [=](GuideRun& r) {
        r.edited(preset, [=](MainWindow& window) { setValue(window, "momentumSpinBox", momentum); });
        return r.prepared().*figure;
    };
}

// The number after `key` in a summary's text, looked up after `section`
// (empty: from the start).
double sectionFigure(const QString& text, const char* section, const char* key)
{
    const int from = section[0] ? text.indexOf(QLatin1String(section)) : 0;
    return from < 0 ? std::numeric_limits<double>::quiet_NaN() : figureAfter(text.mid(from), key);
}

// A figure of a summary label at `time` (0: as Load leaves it): the number
// after `key`, looked up after `section` when the label quotes the key more
// than once ("live" for the run's own populations beside the two-level
// theory's).
std::function<double(GuideRun&)> summaryFigure(int preset, double time, const char* label, const char* section,
                                               const char* key)
{
    return [=](GuideRun& r) {
        r.at(preset, time);
        return sectionFigure(r.label(label), section, key);
    };
}

// The extreme of an observable over the run up to `time`, sampled at every
// observation the run records.
template <typename Read>
std::function<double(GuideRun&)> extremeUntil(int preset, double time, bool largest, Read read)
{
    return [=](GuideRun& r) {
        r.at(preset, time);
        double best = largest ? -1e300 : 1e300;
        for (const ObservableSample& s : r.window().observableHistory().samples())
            best = largest ? std::max(best, read(s)) : std::min(best, read(s));
        return best;
    };
}

// The time of the extreme of an observable over the samples from `from` to
// `to`.
template <typename Read>
double extremeTimeIn(const std::vector<ObservableSample>& samples, double from, double to, bool largest, Read read)
{
    double best = largest ? -1e300 : 1e300, when = std::numeric_limits<double>::quiet_NaN();
    for (const ObservableSample& s : samples) {
        if (s.time < from || s.time > to + kClockSlack)
            continue;
        if (largest ? read(s) > best : read(s) < best) {
            best = read(s);
            when = s.time;
        }
    }
    return when;
}

// The time of that extreme over the run from `from` to `to`.
template <typename Read>
std::function<double(GuideRun&)> extremeTime(int preset, double from, double to, bool largest, Read read)
{
    return [=](GuideRun& r) {
        return extremeTimeIn(r.at(preset, to).observableHistory().samples(), from, to, largest, read);
    };
}

// The plane-wave transmission of the thin wall at the packet's energy, as
// the program's own square-barrier reference gives it.
double wallTransmission(GuideRun& r, double width)
{
    const double e = px(r) * px(r) / (2.0 * mass(r));
    return SquareBarrier1D::compute(e, r.spinBox("singleSlitV0SpinBox"), width, mass(r), 1.0).transmission;
}

double degrees(double radians) { return radians * 180.0 / kPi; }

// The observables history of the preset run to `time` with the form first
// changed by `edit`.
const std::vector<ObservableSample>& editedRun(GuideRun& r, int preset, double time,
                                               const std::function<void(MainWindow&)>& edit)
{
    r.until(
        preset, [time](GuideRun& g) { return g.now() >= time - 1e-9; }, time + 1.0, edit);
    return r.window().observableHistory().samples();
}

// The observables at the step at `time` of the preset run with the form first
// changed by `edit`: whole ticks while the next one ends before `time`, then
// single steps.
const ObservableSample& editedAt(GuideRun& r, int preset, double time, const std::function<void(MainWindow&)>& edit)
{
    double last = -1.0, tick = 0.0;
    r.until(
        preset,
        [&](GuideRun& g) {
            tick = last < 0.0 ? 0.0 : g.now() - last;
            last = g.now();
            return g.now() + tick > time - kClockSlack;
        },
        time, edit);
    while (r.now() < time - kClockSlack)
        r.window().stepOnce();
    return r.window().observableHistory().newest();
}

// The trap preset run to t = 8 with Sigma set to 0.6: the packet breathes.
// Kept, so that the claims on its first half period and on its period read
// one run.
const std::vector<ObservableSample>& breathingInTheTrap(GuideRun& r)
{
    static std::vector<ObservableSample> history;
    if (history.empty())
        history = editedRun(r, 8, 8.0, set("sigmaSpinBox", 0.6));
    return history;
}

// The trap's angular frequency sqrt(k / m) from the loaded scene and form.
double trapOmega(GuideRun& r)
{
    return std::sqrt(double(r.asLoaded(8).scene().objects().front().curvatureX) / r.spinBox("massSpinBox"));
}

// The detuning ensemble's mean P1 that the Ramsey summary predicts, with the
// form first changed by `edit`.
double ensembleMeanP1(GuideRun& r, int preset, const std::function<void(MainWindow&)>& edit)
{
    r.edited(preset, edit);
    return sectionFigure(r.label("ramseySummaryLabel"), "ensemble", "mean P1=");
}

std::function<void(MainWindow&)> withoutEcho(double sigma)
{
    return [sigma](MainWindow& w) {
        control<QCheckBox>(w, "ramseyEchoEnabledCheckBox")->setChecked(false);
        setValue(w, "ramseyEnsembleSigmaSpinBox", sigma);
    };
}

// exp(-pi Delta^2/(2 hbar alpha)) from the gap and the rate alpha that the
// Landau-Zener page shows for the loaded sweep.
double landauZenerFormula(GuideRun& r, int preset)
{
    r.at(preset, 0.0);
    const QString summary = r.label("landauZenerSummaryLabel");
    const double gap = figureAfter(summary, "gap="), alpha = figureAfter(summary, "d(epsilon)/dt=");
    return std::exp(-kPi * gap * gap / (2.0 * alpha));
}

// The Landau-Zener probability the page predicts for the sweep with the
// form first changed by `edit`.
std::function<double(GuideRun&)> sweepPdiab(int preset, std::function<void(MainWindow&)> edit)
{
    return [=](GuideRun& r) {
        r.edited(preset, edit);
        return figureAfter(r.label("landauZenerSummaryLabel"), "Pdiab=");
    };
}

// The plane-wave T of the Barrier page's barrier at the packet's energy, as
// the guides print it: 1/(1 + V0^2 sin^2(q a)/(4E(E - V0))) above the barrier,
// with sinh and kappa = sqrt(2m(V0 - E)) below it.
double squareBarrierFormula(GuideRun& r)
{
    const double e = px(r) * px(r) / (2.0 * mass(r));
    const double v0 = r.spinBox("barrierV0SpinBox");
    const double a = r.spinBox("barrierThicknessSpinBox");
    const double s =
        e > v0 ? std::sin(std::sqrt(2.0 * mass(r) * (e - v0)) * a) : std::sinh(std::sqrt(2.0 * mass(r) * (v0 - e)) * a);
    return 1.0 / (1.0 + v0 * v0 * s * s / (4.0 * e * std::abs(e - v0)));
}

// The width sigma sqrt(1 + (hbar t/(2 m sigma^2))^2) of a free packet at `t`
// for the Sigma and the Mass of the form shown.
double spreadWidth(GuideRun& r, double t)
{
    const double s = sigma(r);
    return s * std::sqrt(1.0 + std::pow(t / (2.0 * mass(r) * s * s), 2.0));
}

// A figure of the Ramsey summary with the form first changed by `edit`.
std::function<double(GuideRun&)> ramseyFigureAfter(int preset, const char* section, const char* key,
                                                   std::function<void(MainWindow&)> edit)
{
    return [=](GuideRun& r) {
        r.edited(preset, edit);
        return sectionFigure(r.label("ramseySummaryLabel"), section, key);
    };
}

// The end of the loaded pulse sequence: two pulses, the free time and, with
// the echo on, the refocusing pulse.
std::function<double(GuideRun&)> ramseySequenceEnd(int preset)
{
    return [=](GuideRun& r) {
        r.at(preset, 0.0);
        const bool echo = control<QCheckBox>(r.window(), "ramseyEchoEnabledCheckBox")->isChecked();
        return 2.0 * r.spinBox("ramseyPulseDurationSpinBox") + r.spinBox("ramseyFreeDurationSpinBox") +
               (echo ? r.spinBox("ramseyEchoDurationSpinBox") : 0.0);
    };
}

// The transition frequency omega0 the Ramsey page computes for the loaded well.
double ramseyOmega0(GuideRun& r, int preset)
{
    r.at(preset, 0.0);
    return figureAfter(r.label("ramseySummaryLabel"), "omega12=");
}

// The time over which a member's detuning turns its phase against the
// nominal member's: the free time F and 2/pi of each pulse, F + 4 tau/pi.
double ramseyEffectiveTime(GuideRun& r)
{
    return r.spinBox("ramseyFreeDurationSpinBox") + 4.0 * r.spinBox("ramseyPulseDurationSpinBox") / kPi;
}

// The phase omega0 F of the free time, or with `withPulse` omega0 (tau + F)
// from the start of the first pulse to the start of the second, for the
// omega0 of the page and the loaded durations.
double ramseyPhase(GuideRun& r, int preset, bool withPulse)
{
    const double omega0 = ramseyOmega0(r, preset);
    return omega0 *
           (r.spinBox("ramseyFreeDurationSpinBox") + (withPulse ? r.spinBox("ramseyPulseDurationSpinBox") : 0.0));
}

// The gap at the end tilt, from the Stueckelberg phases of the two holds:
// during the hold the two branches are split by that gap alone.
double stueckelbergEndGap(GuideRun& r)
{
    const auto phaseAndHold = [&r](int preset) {
        r.at(preset, 0.0);
        return std::pair<double, double>(figureAfter(r.label("stueckelbergSummaryLabel"), "phase="),
                                         r.spinBox("linearSweepHoldDurationSpinBox"));
    };
    const auto constructive = phaseAndHold(20);
    const auto destructive = phaseAndHold(21);
    return (destructive.first - constructive.first) / (destructive.second - constructive.second);
}

// The hold near `guess` at which the two-level theory's final lower-branch
// population peaks or dips: the vertex of the parabola through the page's
// figures at the guess and a step either side, Hold at End set each time.
std::function<double(GuideRun&)> stueckelbergFringeExtremum(int preset, double guess)
{
    return [=](GuideRun& r) {
        constexpr double kStep = 0.3;
        double lower[3];
        for (int i = 0; i < 3; ++i) {
            r.edited(preset, set("linearSweepHoldDurationSpinBox", guess + (i - 1) * kStep));
            lower[i] = figureAfter(r.label("stueckelbergSummaryLabel"), "two-level model final Plower=");
        }
        return guess + kStep * (lower[0] - lower[2]) / (2.0 * (lower[0] - 2.0 * lower[1] + lower[2]));
    };
}

// The run's own best return: the live lower-branch population two time
// units after the return passage, for hold times `guess` and a step either
// side, and the vertex of the parabola through them (`value`: the live
// population at the hold itself instead).
std::function<double(GuideRun&)> stueckelbergRunReturn(int preset, double guess, bool value = false)
{
    return [=](GuideRun& r) {
        constexpr double kStep = 0.4;
        const auto liveLower = [&](double hold) {
            r.at(preset, 0.0);
            const double end =
                r.spinBox("linearSweepDurationSpinBox") + hold + r.spinBox("linearSweepReturnDurationSpinBox") + 2.0;
            if (!r.until(
                    preset, [end](GuideRun& g) { return g.now() >= end; }, end + 1.0,
                    set("linearSweepHoldDurationSpinBox", hold)))
                return std::numeric_limits<double>::quiet_NaN();
            return sectionFigure(r.label("stueckelbergSummaryLabel"), "live bias", "Plower=");
        };
        if (value)
            return liveLower(guess);
        double lower[3];
        for (int i = 0; i < 3; ++i)
            lower[i] = liveLower(guess + (i - 1) * kStep);
        return guess + kStep * (lower[0] - lower[2]) / (2.0 * (lower[0] - 2.0 * lower[1] + lower[2]));
    };
}

// Guide 12's try-this: the central barrier raised to 1.2 and the states
// computed again; the splitting the Double well page then gives.
double raisedCentralBarrierSplitting(GuideRun& r)
{
    MainWindow& w = r.loaded(12);
    control<QListWidget>(w, "potentialSceneListWidget")->setCurrentRow(1);
    setValue(w, "rectangleV0SpinBox", 1.2);
    click(w, "updatePotentialObjectButton");
    click(w, "boundComputeButton");
    MainWindowProbe::refreshTick(w);
    return figureAfter(r.label("doubleWellSummaryLabel"), "DeltaE=");
}

// The scene object `index` of the preset as Load leaves it.
const PotentialObject& loadedObject(GuideRun& r, int preset, std::size_t index)
{
    r.at(preset, 0.0);
    return r.window().scene().objects()[index];
}

// The energy of bound state `index` as the Bound states page lists it
// ("n=2   E=0.26455   nodes=1").
double listedBoundEnergy(GuideRun& r, int preset, int index)
{
    r.at(preset, 0.0);
    const auto* states = control<QComboBox>(r.window(), "boundStateComboBox");
    return index < states->count() ? figureAfter(states->itemText(index), "E=")
                                   : std::numeric_limits<double>::quiet_NaN();
}

// The curvature k = -A/sigma^2 at the bottom of the preset's Gaussian well:
// A exp(-x^2/(2 sigma^2)) = A - (A/(2 sigma^2)) x^2 + ...
double gaussianWellCurvature(GuideRun& r)
{
    const PotentialObject& well = loadedObject(r, 9, 0);
    return -double(well.value) / (double(well.sigmaX) * double(well.sigmaX));
}

// The inner edge of the finite well's left (0) or right (1) wall.
double finiteWellEdge(GuideRun& r, int side)
{
    const PotentialObject& wall = loadedObject(r, 10, std::size_t(side));
    return double(wall.centerX) + (side == 0 ? 0.5 : -0.5) * double(wall.width);
}

// Where the prepared state's density is least near the middle of the well:
// the node of an odd eigenstate, along the middle row.
double centralNodeX(GuideRun& r, int preset)
{
    r.at(preset, 0.0);
    const ComplexField2D& psi = r.window().waveField();
    const std::uint64_t row = psi.ny() / 2;
    const double middle = (psi.nx() - 1) / 2.0;
    double bestX = std::numeric_limits<double>::quiet_NaN(), least = 1e300;
    for (std::uint64_t i = 0; i < psi.nx(); ++i) {
        const double x = (double(i) - middle) * psi.dx();
        if (std::abs(x) < 2.0 && std::norm(psi.at(i, row)) < least) {
            least = std::norm(psi.at(i, row));
            bestX = x;
        }
    }
    return bestX;
}

// The collapse experiment's packet run to `time` and measured once with
// Measure & collapse; the measured run is kept while it is still there.
MainWindow& collapsedAt(GuideRun& r, double time)
{
    constexpr int kCollapsePreset = 11;
    const bool measured = r.label("collapsePositionSpreadValueLabel").contains(QLatin1String("->"));
    if (!measured || r.now() < time - 1e-9 || r.now() > time + 0.05) {
        r.loaded(kCollapsePreset);
        r.at(kCollapsePreset, time);
        control<QAbstractButton>(r.window(), "collapsePositionButton")->click();
        MainWindowProbe::refreshTick(r.window());
    }
    return r.window();
}

// The momentum spread the readout gives after one collapse at t = 3 with the
// Resolution set to `resolution` (the run is left for the claims that
// collapse it with the preset's own resolution).
double collapsedWithResolution(GuideRun& r, double resolution)
{
    constexpr int kCollapsePreset = 11;
    r.until(
        kCollapsePreset, [](GuideRun& g) { return g.now() >= 3.0 - 1e-9; }, 4.0,
        set("collapseResolutionSpinBox", resolution));
    click(r.window(), "collapsePositionButton");
    MainWindowProbe::refreshTick(r.window());
    const double spread = figureAfter(r.label("collapseMomentumSpreadValueLabel"), "-> ");
    r.loaded(kCollapsePreset);
    return spread;
}

// The spread after the collapse as its readout gives it ("sigmaX 2.481 -> 0.629").
double collapsedSpread(GuideRun& r, const char* readout)
{
    collapsedAt(r, 3.0);
    return figureAfter(r.label(readout), "-> ");
}

// The time the collapsed packet takes to double its width, run tick by tick.
double collapsedDoublingTime(GuideRun& r)
{
    MainWindow& w = collapsedAt(r, 3.0);
    const double start = r.now();
    const double narrow = figureAfter(r.label("collapsePositionSpreadValueLabel"), "-> ");
    do {
        MainWindowProbe::stepTick(w);
        MainWindowProbe::observeTick(w);
    } while (w.observableHistory().newest().sigmaX < 2.0 * narrow && r.now() < start + 10.0);
    return r.now() - start;
}

// The period of the packet's centre in the trap with Mass m set to `mass`:
// it starts at rest at a turning point, so its centre first crosses the trap
// centre a quarter period on (interpolated between samples). Kept per mass,
// so that the claims on one run read it once.
double swingPeriod(GuideRun& r, double mass)
{
    static std::map<double, double> found;
    if (found.count(mass))
        return found[mass];
    const std::vector<ObservableSample>& s = editedRun(r, 8, 10.0, set("massSpinBox", mass));
    double period = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 1; i < s.size() && std::isnan(period); ++i)
        if (s[i - 1].meanX < 0.0 && s[i].meanX >= 0.0) {
            const double step = s[i].time - s[i - 1].time, rise = s[i].meanX - s[i - 1].meanX;
            period = 4.0 * (s[i - 1].time - s[i - 1].meanX * step / rise);
        }
    return found[mass] = period;
}

// The quench preset run past a period of its breathing with After set to
// 0.0625, kept for the claims that read it.
const std::vector<ObservableSample>& softenedQuench(GuideRun& r)
{
    static std::vector<ObservableSample> history;
    if (history.empty())
        history = editedRun(r, 13, 2.0 + kPi / 0.5 + 0.5, set("quenchAfterSpinBox", 0.0625));
    return history;
}

// The breathing period pi/omega of that quench: sigma_x^2 swings as a cosine
// of 2 omega (t - t_q) from its value at the quench, so it crosses the middle
// of its range a quarter period after the quench.
double softenedBreathingPeriod(GuideRun& r)
{
    const std::vector<ObservableSample>& s = softenedQuench(r);
    const double quench = setting(13, "quenchTimeSpinBox")(r);
    double atQuench = std::numeric_limits<double>::quiet_NaN(), widest = 0.0;
    for (const ObservableSample& sample : s) {
        if (sample.time >= quench && std::isnan(atQuench))
            atQuench = sample.sigmaX;
        widest = std::max(widest, sample.sigmaX);
    }
    const double middle = (atQuench * atQuench + widest * widest) / 2.0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const double before = s[i - 1].sigmaX * s[i - 1].sigmaX, after = s[i].sigmaX * s[i].sigmaX;
        if (s[i - 1].time >= quench && before < middle && after >= middle)
            return 4.0 * (s[i - 1].time + (middle - before) * (s[i].time - s[i - 1].time) / (after - before) - quench);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The trap frequency the Periodic drive page quotes for the loaded preset.
double driveOmega0(GuideRun& r, int preset)
{
    r.at(preset, 0.0);
    return figureAfter(r.label("periodicDriveSummaryLabel"), "omega0=");
}

// The response factor A omega0^2/(omega0^2 - omega^2) of a shaken trap.
double shakenTrapResponse(GuideRun& r, int preset, double omega)
{
    const double omega0 = driveOmega0(r, preset);
    return r.spinBox("periodicDriveAmplitudeSpinBox") * omega0 * omega0 / (omega0 * omega0 - omega * omega);
}

// |x(t)| = |(A/2)(sin(omega0 t) - omega0 t cos(omega0 t))| of the trap driven at
// resonance after `periods` periods.
double resonantSwing(GuideRun& r, double periods)
{
    const double omega0 = driveOmega0(r, 15), t = periods * 2.0 * kPi / omega0;
    return std::abs(r.spinBox("periodicDriveAmplitudeSpinBox") / 2.0 *
                    (std::sin(omega0 * t) - omega0 * t * std::cos(omega0 * t)));
}

// The response factor A omega0^2/(omega0^2 - omega^2) = A/(1 - (omega/omega0)^2)
// from the figures the Periodic drive page shows once omega is set to `omega`.
double pageResponse(GuideRun& r, int preset, double omega)
{
    r.edited(preset, set("periodicDriveOmegaSpinBox", omega));
    const QString page = r.label("periodicDriveSummaryLabel");
    return figureAfter(page, "A=") / (1.0 - std::pow(figureAfter(page, "omega/omega0="), 2));
}

// The detuning omega - omega0 the Periodic drive page shows once omega is set
// to `omega`.
double pageDetuning(GuideRun& r, int preset, double omega)
{
    r.edited(preset, set("periodicDriveOmegaSpinBox", omega));
    const QString page = r.label("periodicDriveSummaryLabel");
    return figureAfter(page, "omega=") - figureAfter(page, "omega0=");
}

// The generalised Rabi frequency sqrt(detuning^2 + Omega_R^2) of the Rabi summary.
double rabiSummaryGeneralised(GuideRun& r, int preset)
{
    r.at(preset, 0.0);
    const QString text = r.label("rabiSummaryLabel");
    return std::hypot(figureAfter(text, "detuning="), figureAfter(text, "OmegaR="));
}

// What `read` gives of the preset's run at `time`, the claim before's run reused.
std::function<double(GuideRun&)> lookedAgain(int preset, double time, std::function<double(GuideRun&)> read)
{
    return [=](GuideRun& r) {
        r.at(preset, time);
        return read(r);
    };
}

// The widest the packet has been so far (Sigma X of the Time series).
double widestSoFar(GuideRun& r)
{
    double widest = 0.0;
    for (const ObservableSample& s : r.window().observableHistory().samples())
        widest = std::max(widest, s.sigmaX);
    return widest;
}

// A figure after `key` of a summary label as the window shows it now.
std::function<double(GuideRun&)> shownFigure(const char* label, const char* key)
{
    return [=](GuideRun& r) { return figureAfter(r.label(label), key); };
}

// The lowest or the highest of a Landau-Zener population over the ticks from
// `from` to `to`, of the preset as Load leaves it or as `edit` changes it:
// the curve the page's plot draws from the run's history, whose last value
// the summary shows at every tick (of the highest speed, past `from`). Kept per run, so that the claims on one
// stretch run it once.
std::function<double(GuideRun&)> sweepPageSpan(int preset, double from, double to, double ObservableSample::*population,
                                               bool highest, std::function<void(MainWindow&)> edit = nullptr)
{
    return [=](GuideRun& r) {
        static std::map<std::tuple<const void*, int, double>, std::vector<ObservableSample>> stretches;
        const auto id = std::make_tuple(static_cast<const void*>(&r), preset, from);
        if (!stretches.count(id)) {
            MainWindow& w = edit ? r.edited(preset, edit) : r.at(preset, from);
            // The page seen at 16x: a tick every 16 steps still draws each
            // swing with some twenty points.
            MainWindowProbe::setSpeedIndex(w, 6);
            while (w.schroedingerSolver().time() < to - 1e-9) {
                MainWindowProbe::stepTick(w);
                MainWindowProbe::observeTick(w);
            }
            std::vector<ObservableSample>& stretch = stretches[id];
            for (const ObservableSample& sample : w.observableHistory().samples())
                if (sample.landauZenerValid && sample.time >= from - 1e-9 && sample.time <= to + 1e-9)
                    stretch.push_back(sample);
            if (edit)
                r.loaded(preset);
        }
        double lowest = 1e300, largest = -1e300;
        for (const ObservableSample& sample : stretches[id]) {
            lowest = std::min(lowest, sample.*population);
            largest = std::max(largest, sample.*population);
        }
        return highest ? largest : lowest;
    };
}

const std::vector<GuideClaim>& earlyClaims()
{
    static const std::vector<GuideClaim> claims = {
        // 0 Free Wave Packet
        {0, "Sigma = {1} starts", "Sigma = {1} parte", 0.005, preparedFigure(0, &PreparedPacket::sigmaX)},
        {0, "x = {-8} with", "x = {-8} con", 0.005, preparedFigure(0, &PreparedPacket::meanX)},
        {0, "momentum px = {2.5}", "impulso px = {2.5}", 5e-4, preparedFigure(0, &PreparedPacket::meanPx)},
        {0, "(mass m = {1}, hbar", "(massa m = {1}, hbar", 0.0, setting(0, "massSpinBox")},
        {0, "hbar = 1)", "hbar = 1)", 0.0, nullptr},
        {0, "{40.96} x 40.96", "{40.96} x 40.96", 0.0, setting(0, "universeWidthSpinBox")},
        {0, "40.96 x {40.96}", "40.96 x {40.96}", 0.0, setting(0, "universeHeightSpinBox")},
        {0, "Ekin = px^2/(2m) = {3.125}", "Ekin = px^2/(2m) = {3.125}", 5e-4,
         fromLoad(0, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {0, "sigma(t) = sigma sqrt(1 + (hbar t/(2 m sigma^2))^2), that is {2.24} at t = 4",
         "sigma(t) = sigma sqrt(1 + (hbar t/(2 m sigma^2))^2), cioe' {2.24} a t = 4", 0.005,
         fromLoad(0, [](GuideRun& r) { return spreadWidth(r, 4.0); })},
        {0, "hbar/(2 sigma) = {0.5}", "hbar/(2 sigma) = {0.5}", 5e-4, preparedFigure(0, &PreparedPacket::sigmaPx)},
        {0, "2 pi hbar/px = {2.51}", "2 pi hbar/px = {2.51}", 0.005, [](GuideRun& r) { return loadedWavelength(r, 0); }},
        {0, "({3.125} from the motion", "({3.125} dal moto", 5e-4, fromLoad(0, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {0, "gives {4.12})", "{4.12})", 0.005, fromLoad(0, [](GuideRun& r) { return spreadWidth(r, 8.0); })},
        {0, "stays at {3.375} (3.125", "resta a {3.375} (3.125", 0.005, observed(0, 3.0, [](const ObservableSample& s) { return s.totalEnergy; })},
        {0, "plus {0.25} from", "piu' {0.25} dalla", 0.005,
         [](GuideRun& r) {
             const double motion = fromLoad(0, [](GuideRun& g) { return px(g) * px(g) / (2.0 * mass(g)); })(r);
             return r.at(0, 3.0).observableHistory().newest().totalEnergy - motion;
         }},
        {0, "px/m = {2.5}", "px/m = {2.5}", 0.01,
         travelledPerTime(0, 4.0)},
        {0, "{2.24} at t = 4", "{2.24} a t = 4", 0.006, observed(0, 4.0, [](const ObservableSample& s) { return s.sigmaX; })},
        {0, "slope {2.5}", "pendenza {2.5}", 0.01,
         travelledPerTime(0, 4.0)},
        {0, "p_x = {2.5} while", "p_x = {2.5} mentre", 5e-4, [](GuideRun& r) { return shownPacket(r.at(0, 4.0)).meanPx; }},
        // The run goes on from the claims at t = 4, a tenth of a time unit at a time.
        {0, "about t = {6} the front", "circa t = {6} il fronte", 0.7,
         [](GuideRun& r) {
             for (double t = 4.0; r.at(0, t).observableHistory().newest().norm >= 0.999 && t < 20.0; t += 0.1) {
             }
             return r.now();
         }},
        {0, "({3.5} at t = 8", "({3.5} a t = 8", 0.06, observed(0, 8.0, [](const ObservableSample& s) { return s.sigmaX; })},
        {0, "Sigma to {0.5}: the spreading rate hbar/(2 m sigma^2)", "Sigma a {0.5}: la velocita' di allargamento hbar/(2 m sigma^2)", 0.0, nullptr},
        {0, "the formula gives {2.06} at t = 2", "la formula da' {2.06} a t = 2", 0.005,
         [](GuideRun& r) {
             r.edited(0, set("sigmaSpinBox", 0.5));
             return spreadWidth(r, 2.0);
         }},
        {0, "{2.06} at t = 2, as Sigma X shows", "{2.06} a t = 2, come mostra Sigma X", 0.005,
         [](GuideRun& r) { return editedAt(r, 0, 2.0, set("sigmaSpinBox", 0.5)).sigmaX; }},
        {0, "Mass m to {2}: the packet", "Mass m a {2}: il pacchetto", 0.0, nullptr},

        // 1 Barrier Scattering (E > V0)
        {1, "(x = {-8}, Sigma 1", "(x = {-8}, Sigma 1", 0.005, preparedFigure(1, &PreparedPacket::meanX)},
        {1, "Sigma {1}, px 2.5", "Sigma {1}, px 2.5", 0.005, preparedFigure(1, &PreparedPacket::sigmaX)},
        {1, "px {2.5}, Ekin", "px {2.5}, Ekin", 5e-4, preparedFigure(1, &PreparedPacket::meanPx)},
        {1, "Ekin = {3.125})", "Ekin = {3.125})", 5e-4, fromLoad(1, [](GuideRun& r) { return px(r) * px(r) / 2.0 / mass(r); })},
        {1, "V0 = {2.0} and", "V0 = {2.0} e", 0.0, setting(1, "barrierV0SpinBox")},
        {1, "a = {0.64} at x = 0", "a = {0.64} in x = 0", 0.0, setting(1, "barrierThicknessSpinBox")},
        {1, "a = 0.64 at x = {0}", "a = 0.64 in x = {0}", 0.0, setting(1, "barrierCenterXSpinBox")},
        {1, "Ex = {3.125} &gt; V0", "Ex = {3.125} &gt; V0", 5e-4, fromLoad(1, [](GuideRun& r) { return px(r) * px(r) / 2.0 / mass(r); })},
        {1, "wavelength {2.51}", "lunghezza d'onda {2.51}", 0.005, [](GuideRun& r) { return loadedWavelength(r, 1); }},
        {1, "({1.26}) apart", "({1.26})", 0.005, [](GuideRun& r) { return loadedWavelength(r, 1) / 2.0; }},
        {1, "near t = {6.7}, the run pauses", "verso t = {6.7}, la corsa", 0.05, pauseTime(1)},
        {1, "T = 1/(1 + V0^2 sin^2(q a)/(4E(E - V0))) with q = sqrt(2m(E - V0))/hbar = 1.5, giving T = {0.840}",
         "T = 1/(1 + V0^2 sin^2(q a)/(4E(E - V0))) con q = sqrt(2m(E - V0))/hbar = 1.5, da cui T = {0.840}", 5e-4,
         fromLoad(1, squareBarrierFormula)},
        {1, "q = sqrt(2m(E - V0))/hbar = {1.5}", "q = sqrt(2m(E - V0))/hbar = {1.5}", 5e-4,
         fromLoad(1, [](GuideRun& r) { return std::sqrt(2 * mass(r) * (px(r) * px(r) / 2 / mass(r) - r.spinBox("barrierV0SpinBox"))); })},
        {1, "T = {0.840} and R", "T = {0.840} e R", 5e-4, planeWaveFigure(1, "T=")},
        {1, "R = {0.160}", "R = {0.160}", 5e-4, planeWaveFigure(1, "R=")},
        {1, "momenta 2.5 +/- {0.5}", "impulsi 2.5 +/- {0.5}", 5e-4, preparedFigure(1, &PreparedPacket::sigmaPx)},
        {1, "Probabilities row is {0.815}", "Probabilities vale {0.815}", 0.003, pausedFigure(1, "packet T="),
         "(the packet-averaged T of the painted barrier)"},
        {1, "P_T near {0.81}.", "P_T vicino a {0.81}.", 0.012, pausedFigure(1, "P_T=")},
        {1, "Thickness a to {2.08}: q a", "Thickness a a {2.08}: q a", 0.0, nullptr},
        {1, "(T = {1.000} in the Plane-wave", "(T = {1.000} nella riga Plane-wave", 5e-4,
         planeWaveFigure(1, "T=", set("barrierThicknessSpinBox", 2.08))},
        {1, "P_T stays near {0.71}", "P_T resta vicino a {0.71}", 0.005,
         pausedFigure(1, "P_T=", set("barrierThicknessSpinBox", 2.08))},
        {1, "V0 to 3.0: T drops to {0.637}", "V0 a 3.0: T scende a {0.637}", 5e-4,
         planeWaveFigure(1, "T=", set("barrierV0SpinBox", 3.0))},
        {1, "V0 above {3.125}", "V0 sopra {3.125}", 5e-4, fromLoad(1, [](GuideRun& r) { return px(r) * px(r) / 2.0 / mass(r); })},

        // 2 Quantum Tunneling (E < V0)
        {2, "(x = {-8}, Sigma 1", "(x = {-8}, Sigma 1", 0.005, preparedFigure(2, &PreparedPacket::meanX)},
        {2, "Sigma {1}, px 2.5", "Sigma {1}, px 2.5", 0.005, preparedFigure(2, &PreparedPacket::sigmaX)},
        {2, "px {2.5}, Ex", "px {2.5}, Ex", 5e-4, preparedFigure(2, &PreparedPacket::meanPx)},
        {2, "Ex = {3.125})", "Ex = {3.125})", 5e-4, fromLoad(2, [](GuideRun& r) { return px(r) * px(r) / 2.0 / mass(r); })},
        {2, "V0 = {4.5} and", "V0 = {4.5} e", 0.0, setting(2, "barrierV0SpinBox")},
        {2, "a = {0.64} at x = 0", "a = {0.64} in x = 0", 0.0, setting(2, "barrierThicknessSpinBox")},
        {2, "a = 0.64 at x = {0}", "a = 0.64 in x = {0}", 0.0, setting(2, "barrierCenterXSpinBox")},
        {2, "kappa = sqrt(2m(V0 - E))/hbar = {1.66}", "kappa = sqrt(2m(V0 - E))/hbar = {1.66}", 0.005,
         fromLoad(2, [](GuideRun& r) { return std::sqrt(2 * mass(r) * (r.spinBox("barrierV0SpinBox") - px(r) * px(r) / 2 / mass(r))); })},
        {2, "kappa a = {1.06}", "kappa a = {1.06}", 0.005,
         fromLoad(2, [](GuideRun& r) { return r.spinBox("barrierThicknessSpinBox") * std::sqrt(2 * mass(r) * (r.spinBox("barrierV0SpinBox") - px(r) * px(r) / 2 / mass(r))); })},
        {2, "T = 1/(1 + V0^2 sinh^2(kappa a)/(4E(V0 - E))) = {0.344}", "T = 1/(1 + V0^2 sinh^2(kappa a)/(4E(V0 - E))) = {0.344}", 5e-4, planeWaveFigure(2, "T=")},
        {2, "T = 1/(1 + V0^2 sinh^2(kappa a)/(4E(V0 - E))) = {0.344}", "T = 1/(1 + V0^2 sinh^2(kappa a)/(4E(V0 - E))) = {0.344}", 5e-4,
         fromLoad(2, squareBarrierFormula)},
        {2, "momentum spread {0.5} of the packet", "dispersione di impulso {0.5} del pacchetto", 5e-4, preparedFigure(2, &PreparedPacket::sigmaPx)},
        {2, "it is {0.360}, the packet T", "vale {0.360}, la packet T", 0.003, pausedFigure(2, "packet T="),
         "(the packet-averaged T of the painted barrier)"},
        {2, "near t = {6.2}, the run pauses", "verso t = {6.2}, la corsa", 0.05, pauseTime(2)},
        {2, "P_T (about {0.36})", "P_T (circa {0.36})", 0.005, pausedFigure(2, "P_T=")},
        {2, "returns to about {1} once", "torna a circa {1} quando", 0.01, observed(2, 7.0, [](const ObservableSample& s) { return s.reflectedProbability + s.transmittedProbability; })},
        {2, "T = {0.733} for 0.32", "T = {0.733} per 0.32", 5e-4, planeWaveFigure(2, "T=", set("barrierThicknessSpinBox", 0.32))},
        {2, "{0.133} for 0.96", "{0.133} per 0.96", 5e-4, planeWaveFigure(2, "T=", set("barrierThicknessSpinBox", 0.96))},
        {2, "only {0.048} for 1.28", "solo {0.048} per 1.28", 5e-4, planeWaveFigure(2, "T=", set("barrierThicknessSpinBox", 1.28))},
        {2, "about {0.18} at 0.96", "circa {0.18} a 0.96", 0.005, pausedFigure(2, "P_T=", set("barrierThicknessSpinBox", 0.96))},
        {2, "and {0.12} at 1.28", "e {0.12} a 1.28", 0.012, pausedFigure(2, "P_T=", set("barrierThicknessSpinBox", 1.28))},
        {2, "V0 to 6.5 lowers T to {0.134}", "V0 a 6.5 T scende a {0.134}", 5e-4, planeWaveFigure(2, "T=", set("barrierV0SpinBox", 6.5))},

        // 3 Single Slit Diffraction
        {3, "V0 = {8} (above", "V0 = {8} (sopra", 0.0, setting(3, "singleSlitV0SpinBox")},
        {3, "width {0.32} stands", "spessa {0.32} sta", 0.0, setting(3, "singleSlitWallWidthSpinBox")},
        {3, "height {1.55} centred", "alta {1.55} centrata", 0.0, setting(3, "singleSlitHeightSpinBox")},
        {3, "(Sigma {2.2}, px", "(Sigma {2.2}, px", 0.005, preparedFigure(3, &PreparedPacket::sigmaX)},
        {3, "about {41}% of a plane wave", "circa il {41}% di un'onda piana", 1.0,
         fromLoad(3, [](GuideRun& r) { return 100.0 * wallTransmission(r, r.spinBox("singleSlitWallWidthSpinBox")); })},
        {3, "Wall width to 1.0 (T = {0.007})", "Wall width a 1.0 (T = {0.007})", 5e-4,
         fromLoad(3, [](GuideRun& r) { return wallTransmission(r, 1.0); })},
        {3, "lambda/w = {1.62} is", "lambda/w = {1.62} e'", 0.005,
         [](GuideRun& r) { return loadedWavelength(r, 3) / r.spinBox("singleSlitHeightSpinBox"); }},
        {3, "Detector X = {8};", "Detector X = {8};", 0.0, setting(3, "detectorXSpinBox")},

        // 5 Circular Obstacle Scattering
        {5, "radius {1.8} and height", "raggio {1.8} e altezza", 1e-6, setting(5, "circleRadiusSpinBox")},
        {5, "V0 = {8} sits", "V0 = {8} sta", 0.0, setting(5, "circleV0SpinBox")},
        {5, "(Sigma {1.6}, px", "(Sigma {1.6}, px", 0.005, preparedFigure(5, &PreparedPacket::sigmaX)},
        {5, "k R = 2.5 x 1.8 = {4.5}", "k R = 2.5 x 1.8 = {4.5}", 1e-6,
         fromLoad(5, [](GuideRun& r) { return px(r) * r.spinBox("circleRadiusSpinBox"); })},
        {5, "Radius to 0.6 (k R = {1.5})", "Radius a 0.6 (k R = {1.5})", 1e-6,
         fromLoad(5, [](GuideRun& r) { return px(r) * 0.6; })},

        // 11 Measurement Collapse (Single System)
        {11, "(Sigma {2.4}, px 1.0)", "(Sigma {2.4}, px 1.0)", 0.005, preparedFigure(11, &PreparedPacket::sigmaX)},
        {11, "px {1.0}) starts", "px {1.0}) parte", 5e-4, preparedFigure(11, &PreparedPacket::meanPx)},
        {11, "x = {-5} in a periodic", "x = {-5} in un universo periodico", 0.005, preparedFigure(11, &PreparedPacket::meanX)},
        {11, "hbar/(2 sigma) = {0.21}", "hbar/(2 sigma) = {0.21}", 0.005, preparedFigure(11, &PreparedPacket::sigmaPx)},
        {11, "Resolution sigma_m = {0.65}", "Resolution sigma_m = {0.65}", 0.0, setting(11, "collapseResolutionSpinBox")},
        {11, "1/sqrt(1/2.4^2 + 1/0.65^2) = {0.63}", "1/sqrt(1/2.4^2 + 1/0.65^2) = {0.63}", 0.005,
         fromLoad(11, [](GuideRun& r) {
             const double m = r.spinBox("collapseResolutionSpinBox");
             return 1.0 / std::sqrt(1.0 / (sigma(r) * sigma(r)) + 1.0 / (m * m));
         })},
        {11, "instead of {20}.", "invece di {20}.", 0.5,
         fromLoad(11, [](GuideRun& r) { return 2.0 * std::sqrt(3.0) * mass(r) * sigma(r) * sigma(r); })},
        {11, "Resolution 0.2 localises harder and gives a momentum spread near {2.5};",
         "Resolution 0.2 localizza di piu' e da' una dispersione di impulso vicina a {2.5};", 0.05,
         [](GuideRun& r) { return collapsedWithResolution(r, 0.2); }},
        {11, "Resolution 5.0 hardly", "Resolution 5.0 disturba", 0.0, nullptr},
        {11, "drawn from |psi|^2, blurred", "estratta da |psi|^2, sfocata", 0.0, nullptr},
        {11, "= 0.63, and its momentum", "= 0.63, e la dispersione", 0.005,
         [](GuideRun& r) { return collapsedSpread(r, "collapsePositionSpreadValueLabel"); }},
        {11, "from 0.21 to about {0.8}", "da 0.21 a circa {0.8}", 0.03,
         [](GuideRun& r) { return collapsedSpread(r, "collapseMomentumSpreadValueLabel"); }},
        {11, "doubles in about {1.4} time units", "raddoppia in circa {1.4} unita'", 0.1, collapsedDoublingTime},

        {5, "px {2.5}, Ekin", "px {2.5}, Ekin", 5e-4, preparedFigure(5, &PreparedPacket::meanPx)},
        {5, "Ekin = {3.125} &lt; V0", "Ekin = {3.125} &lt; V0", 5e-4, fromLoad(5, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {5, "x = {-8}, so", "x = {-8}, quindi", 0.005, preparedFigure(5, &PreparedPacket::meanX)},
        {5, "(k R much larger than 1) and point-like scattering (k R much smaller than 1)",
         "(k R molto maggiore di 1) e la diffusione da un punto (k R molto minore di 1)", 0.0, nullptr},
        {5, "bending round the disc and crossing on the axis behind it",
         "si piegano attorno al disco e si incrociano sull'asse dietro di esso", 0.0, nullptr},
        {5, "Mean Y stays near {0}", "Mean Y resta vicino a {0}", 0.01, observed(5, 6.0, [](const ObservableSample& s) { return s.meanY; })},
        {5, "at t = 6 the Cross-section across x = 3 (Vertical: vary Y)",
         "a t = 6 il Cross-section attraverso x = 3 (Vertical: vary Y)", 0.0, nullptr},
        {5, "against {0.02} at Radius 1.8", "contro {0.02} con Radius 1.8", 0.005,
         [](GuideRun& r) { return shadowDepth(r.at(5, 6.0).waveField()); }},
        {5, "instead of {6.6}", "invece di {6.6}", 0.05, observed(5, 6.0, [](const ObservableSample& s) { return s.sigmaY; })},
        {5, "dips on the axis to {0.25} of its brightest", "scende sull'asse a {0.25} del suo massimo", 0.005,
         [](GuideRun& r) { return discScattering(r, 0.6).shadow; }},
        {5, "Sigma Y reads {4.3} instead", "Sigma Y vale {4.3} invece", 0.05,
         [](GuideRun& r) { return discScattering(r, 0.6).sigmaY; }},
        {5, "(the run minus the free packet)", "(la corsa meno il pacchetto libero)", 0.0, nullptr},
        {5, "{0.31} of it leaves within 30 degrees of straight ahead", "{0.31} di essa parte entro 30 gradi dalla direzione in avanti",
         0.005, [](GuideRun& r) { return discScattering(r, 0.6).ahead; }},
        {5, "and {0.10} within 30 degrees of straight back", "e {0.10} entro 30 gradi da quella all'indietro", 0.005,
         [](GuideRun& r) { return discScattering(r, 0.6).back; }},
        // A sixth of the circle.
        {5, "would put 0.17 in each", "ne metterebbe 0.17 in ciascuna", 0.0, nullptr},
        {5, "the m = 0 partial wave", "l'onda parziale m = 0", 0.0, nullptr},
        {5, "plus the m = +/-1 waves", "piu' le onde m = +/-1", 0.0, nullptr},
        {5, "Set it to 0.15: the m = +/-1 waves die out", "Portalo a 0.15: le onde m = +/-1 si spengono", 0.0, nullptr},
        {5, "nearly isotropic ({0.18} ahead, 0.15 back)", "quasi isotropa ({0.18} in avanti, 0.15 all'indietro)", 0.005,
         [](GuideRun& r) { return discScattering(r, 0.15).ahead; }},
        {5, "(0.18 ahead, {0.15} back)", "(0.18 in avanti, {0.15} all'indietro)", 0.005,
         [](GuideRun& r) { return discScattering(r, 0.15).back; }},
        {5, "Set it to 3.5", "Portalo a 3.5", 0.0, nullptr},
        {5, "Lower V0 to 2.0", "Abbassa V0 a 2.0", 0.0, nullptr},

        // 6 Wedge Diffraction
        {6, "Center X = {-0.45}", "Center X = {-0.45}", 1e-6, setting(6, "polygonCenterXSpinBox")},
        {6, "Width X {2.3}", "Width X {2.3}", 1e-6, setting(6, "polygonWidthSpinBox")},
        {6, "Height Y {4.4}", "Height Y {4.4}", 1e-6, setting(6, "polygonHeightSpinBox")},
        {6, "makes {43.7} degrees", "forma {43.7} gradi", 0.05,
         fromLoad(6, [](GuideRun& r) { return degrees(std::atan(r.spinBox("polygonHeightSpinBox") / 2 / r.spinBox("polygonWidthSpinBox"))); })},

        {6, "V0 = {8} (Polygon", "V0 = {8} (pagina Polygon", 0.0, setting(6, "polygonV0SpinBox")},
        {6, "apex at x = {-1.6}", "punta in x = {-1.6}", 1e-6,
         fromLoad(6, [](GuideRun& r) { return r.spinBox("polygonCenterXSpinBox") - r.spinBox("polygonWidthSpinBox") / 2; })},
        {6, "base stands at x = {0.7} from", "base sta in x = {0.7} da", 1e-6,
         fromLoad(6, [](GuideRun& r) { return r.spinBox("polygonCenterXSpinBox") + r.spinBox("polygonWidthSpinBox") / 2; })},
        {6, "from y = {-2.2} to 2.2", "da y = {-2.2} a 2.2", 1e-6,
         fromLoad(6, [](GuideRun& r) { return r.spinBox("polygonCenterYSpinBox") - r.spinBox("polygonHeightSpinBox") / 2; })},
        {6, "from y = -2.2 to {2.2}", "da y = -2.2 a {2.2}", 1e-6,
         fromLoad(6, [](GuideRun& r) { return r.spinBox("polygonCenterYSpinBox") + r.spinBox("polygonHeightSpinBox") / 2; })},
        {6, "Sigma {1.8} and", "Sigma {1.8} e", 0.005, preparedFigure(6, &PreparedPacket::sigmaX)},
        {6, "px {2.5}.", "px {2.5}.", 5e-4, preparedFigure(6, &PreparedPacket::meanPx)},
        {6, "twice 43.7 = {87} degrees", "due volte 43.7 = {87} gradi", 0.5,
         fromLoad(6, [](GuideRun& r) { return 2 * degrees(std::atan(r.spinBox("polygonHeightSpinBox") / 2 / r.spinBox("polygonWidthSpinBox"))); })},
        {6, "Mean Y stays near {0} because the wedge", "Mean Y resta vicino a {0} perche' il cuneo", 0.01,
         observed(6, 6.0, [](const ObservableSample& s) { return s.meanY; })},
        {6, "Width X to 4.6: the apex is sharper (faces at {25.6} degrees)",
         "Width X a 4.6: la punta e' piu' acuta (facce a {25.6} gradi)", 0.05,
         fromLoad(6, [](GuideRun& r) { return degrees(std::atan(r.spinBox("polygonHeightSpinBox") / 2 / 4.6)); })},
        {6, "leave near {51} degrees", "partono verso {51} gradi", 0.5,
         fromLoad(6, [](GuideRun& r) { return 2 * degrees(std::atan(r.spinBox("polygonHeightSpinBox") / 2 / 4.6)); })},
        {6, "Momentum px to 4 (wavelength {1.57})", "Momentum px a 4 (lunghezza d'onda {1.57})", 0.005, packetWavelength(6, 4.0)},
        {6, "Center Y to 1.0", "Center Y del cuneo a 1.0", 0.0, nullptr},

        // 8 Harmonic Trap (Coherent Motion)
        {8, "V = (k/2)(x^2 + y^2)", "V = (k/2)(x^2 + y^2)", 0.0, nullptr},
        {8, "k = {0.25} fills", "k = {0.25} riempie", 1e-6,
         [](GuideRun& r) { return double(r.asLoaded(8).scene().objects().front().curvatureX); }},
        {8, "m = {1} its", "m = {1} la", 0.0, setting(8, "massSpinBox")},
        {8, "sqrt(k/m) = {0.5}", "sqrt(k/m) = {0.5}", 1e-6, trapOmega},
        {8, "at x = {-4} with Sigma", "in x = {-4} con Sigma", 0.005, preparedFigure(8, &PreparedPacket::meanX)},
        {8, "Sigma {1}, exactly", "Sigma {1}, esattamente", 0.005, preparedFigure(8, &PreparedPacket::sigmaX)},
        {8, "Sigma {1}, exactly the ground-state width sqrt(hbar/(2 m omega))",
         "Sigma {1}, esattamente la larghezza dello stato fondamentale sqrt(hbar/(2 m omega))", 1e-6,
         [](GuideRun& r) {
             const double omega = trapOmega(r);
             return std::sqrt(1.0 / (2.0 * mass(r) * omega));
         }},
        {8, "hbar omega = {0.5} of", "hbar omega = {0.5} delle", 1e-6, trapOmega},
        {8, "2.5: {2.0} from", "2.5: {2.0} dallo", 0.002,
         [](GuideRun& r) { return r.at(8, 1.0).observableHistory().newest().totalEnergy - trapOmega(r); }},
        {8, "omega x 4 = {2} at", "omega x 4 = {2} al", 0.02,
         [](GuideRun& r) {
             const double x0 = r.at(8, kPi - 0.1).observableHistory().newest().meanX, t0 = r.now();
             const double x1 = r.at(8, kPi + 0.1).observableHistory().newest().meanX;
             return (x1 - x0) / (r.now() - t0);
         }},
        {8, "x = {+4} like", "x = {+4} come", 0.01, observed(8, 2 * kPi, [](const ObservableSample& s) { return s.meanX; })},
        {8, "it stays at {1}.", "resta a {1}.", 0.005,
         extremeUntil(8, 4 * kPi, true, [](const ObservableSample& s) { return s.sigmaX; })},
        {8, "stays at {2.5}: 2.0", "resta a {2.5}: 2.0", 0.002, observed(8, 4 * kPi, [](const ObservableSample& s) { return s.totalEnergy; })},
        {8, "between x = {-4} and", "fra x = {-4} e", 0.01, observed(8, 4 * kPi, [](const ObservableSample& s) { return s.meanX; })},
        {8, "period {12.57}; choose", "periodo {12.57}; scegli", 0.05,
         extremeTime(8, 8.0, 16.0, false, [](const ObservableSample& s) { return s.meanX; })},
        {8, "2 pi/omega = {12.57}.", "2 pi/omega = {12.57}.", 0.05,
         extremeTime(8, 8.0, 16.0, false, [](const ObservableSample& s) { return s.meanX; })},
        {8, "Momentum py to 2", "Momentum py a 2", 0.0, nullptr},
        {8, "orbit of radius {4}", "circolare di raggio {4}", 0.02,
         [](GuideRun& r) { return editedRun(r, 8, kPi, set("momentumYSpinBox", 2.0)).back().meanY; }},
        {8, "Sigma to 0.6", "Sigma a 0.6", 0.0, nullptr},
        {8, "between {0.6} and 1.67", "fra {0.6} e 1.67", 0.01,
         [](GuideRun& r) {
             double narrowest = 1e300;
             for (const ObservableSample& s : breathingInTheTrap(r))
                 if (s.time <= kPi)
                     narrowest = std::min(narrowest, s.sigmaX);
             return narrowest;
         }},
        {8, "and {1.67} at twice", "e {1.67} a frequenza", 0.02,
         [](GuideRun& r) {
             double widest = 0.0;
             for (const ObservableSample& s : breathingInTheTrap(r))
                 if (s.time <= kPi + kClockSlack)
                     widest = std::max(widest, s.sigmaX);
             return widest;
         }},
        {8, "period {6.28}, while", "periodo {6.28}, mentre", 0.05,
         [](GuideRun& r) {
             double narrowest = 1e300, when = 0.0;
             for (const ObservableSample& s : breathingInTheTrap(r))
                 if (s.time > 4.0 && s.sigmaX < narrowest) {
                     narrowest = s.sigmaX;
                     when = s.time;
                 }
             return when;
         }},
        {8, "Mass m to 4", "Mass m a 4", 0.0, nullptr},
        {8, "halves to {0.25}", "dimezza a {0.25}", 0.005,
         [](GuideRun& r) { return 2.0 * kPi / swingPeriod(r, 4.0); }},
        {8, "doubles to {25.1}.", "raddoppia a {25.1}.", 0.05, [](GuideRun& r) { return swingPeriod(r, 4.0); }},

        // 9 Gaussian Well (Breathing State)
        {9, "amplitude {-6} and width 3", "ampiezza {-6} e larghezza 3", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 9, 0).value); }},
        {9, "width {3} (sigma X", "larghezza {3} (sigma X", 1e-6, [](GuideRun& r) { return double(loadedObject(r, 9, 0).sigmaX); }},
        {9, "(sigma X = sigma Y = {3})", "(sigma X = sigma Y = {3})", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 9, 0).sigmaY); }},
        {9, "Sigma {1.15}.", "Sigma {1.15}.", 0.005, preparedFigure(9, &PreparedPacket::sigmaX)},
        {9, "V = {-6} + x^2/3", "V = {-6} + x^2/3", 1e-6, [](GuideRun& r) { return double(loadedObject(r, 9, 0).value); }},
        {9, "V = -6 + x^2/{3}", "V = -6 + x^2/{3}", 1e-6,
         [](GuideRun& r) {
             const PotentialObject& well = loadedObject(r, 9, 0);
             return -2.0 * double(well.sigmaX) * double(well.sigmaX) / double(well.value);
         }},
        {9, "k = {2}/3 and", "k = {2}/3 e", 1e-6, [](GuideRun& r) { return 3.0 * gaussianWellCurvature(r); }},
        {9, "omega = {0.82}, whose", "omega = {0.82}, il cui", 0.005,
         [](GuideRun& r) { return std::sqrt(gaussianWellCurvature(r) / mass(r)); }},
        {9, "width of about {0.78}. The", "larghezza di circa {0.78}. Il", 0.005,
         [](GuideRun& r) { return std::sqrt(1.0 / (2.0 * std::sqrt(gaussianWellCurvature(r) * mass(r)))); }},
        {9, "pi/omega = {3.85};", "pi/omega = {3.85};", 0.005,
         [](GuideRun& r) { return kPi / std::sqrt(gaussianWellCurvature(r) / mass(r)); }},
        {9, "Set Sigma to {0.78}: the packet", "Porta Sigma a {0.78}: il pacchetto", 0.005,
         [](GuideRun& r) { return std::sqrt(1.0 / (2.0 * std::sqrt(gaussianWellCurvature(r) * mass(r)))); }},
        {9, "Momentum px to 2: it", "Momentum px a 2: oscilla", 0.0, nullptr},
        {9, "Amplitude A to -2 on", "Amplitude A a -2 nella", 0.0, nullptr},
        {9, "packet energy, {-5.04}", "pacchetto, {-5.04}", 0.005, observed(9, 1.0, [](const ObservableSample& s) { return s.totalEnergy; })},
        {9, "between 1.15 and about {0.60}", "fra 1.15 e circa {0.60}", 0.01,
         extremeUntil(9, 3.0, false, [](const ObservableSample& s) { return s.sigmaX; })},
        {9, "longer, about {4.4}.", "piu' lungo, circa {4.4}.", 0.15,
         extremeTime(9, 3.0, 5.5, true, [](const ObservableSample& s) { return s.sigmaX; })},

        // 10 Finite Quantum Well (Bound States)
        {10, "rectangles of height {5} leave", "rettangoli alti {5} lasciano", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 10, 0).value); }},
        {10, "well of width {8} (from", "buca larga {8} (da", 1e-4,
         [](GuideRun& r) { return finiteWellEdge(r, 1) - finiteWellEdge(r, 0); }},
        {10, "(from x = {-4} to 4)", "(da x = {-4} a 4)", 1e-4, [](GuideRun& r) { return finiteWellEdge(r, 0); }},
        {10, "(from x = -4 to {4})", "(da x = -4 a {4})", 1e-4, [](GuideRun& r) { return finiteWellEdge(r, 1); }},
        {10, "one node at x = {0}.", "un nodo in x = {0}.", 0.05, [](GuideRun& r) { return centralNodeX(r, 10); }},
        {10, "levels (m = {1}) lie", "livelli legati (m = {1}) stanno", 0.0, setting(10, "massSpinBox")},
        {10, "E = {0.066}, 0.265", "E = {0.066}, 0.265", 5e-4, [](GuideRun& r) { return listedBoundEnergy(r, 10, 0); }},
        {10, "0.066, {0.265}, 0.594", "0.066, {0.265}, 0.594", 5e-4, summaryFigure(10, 0.0, "boundSummaryLabel", "selected", "E=")},
        {10, "0.265, {0.594}, 1.05", "0.265, {0.594}, 1.05", 5e-4, [](GuideRun& r) { return listedBoundEnergy(r, 10, 2); }},
        {10, "0.594, {1.05} and 1.64", "0.594, {1.05} e 1.64", 0.005, [](GuideRun& r) { return listedBoundEnergy(r, 10, 3); }},
        {10, "{1.64}, and there", "{1.64}, e ce", 0.005, [](GuideRun& r) { return listedBoundEnergy(r, 10, 4); }},
        {10, "continuum at {5} (the page", "continuo a {5} (la pagina", 1e-4, summaryFigure(10, 0.0, "boundSummaryLabel", "", "continuum=")},
        {10, "lowest {5}: Low states", "{5} piu' bassi: Low states", 0.0,
         fromLoad(10, [](GuideRun& r) { return double(r.intSpinBox("boundMaxStatesSpinBox")); })},
        {10, "n^2 pi^2 hbar^2/(2 m L^2) = {0.077} n^2", "n^2 pi^2 hbar^2/(2 m L^2) = {0.077} n^2", 5e-4,
         [](GuideRun& r) {
             const double width = finiteWellEdge(r, 1) - finiteWellEdge(r, 0);
             return kPi * kPi / (2.0 * mass(r) * width * width);
         }},
        {10, "(period 2 pi/{0.26455} = 23.75", "(periodo 2 pi/{0.26455} = 23.75", 5e-6,
         summaryFigure(10, 0.0, "boundSummaryLabel", "selected", "E=")},
        {10, "= {23.75} in the Phase", "= {23.75} nella vista", 0.005,
         [](GuideRun& r) { return 2.0 * kPi / summaryFigure(10, 0.0, "boundSummaryLabel", "selected", "E=")(r); }},
        {10, "state n has n - 1 nodes", "lo stato n ha n - 1 nodi", 0.0, nullptr},
        {10, "relative phase {90} degrees", "relativa {90} gradi", 0.0, setting(10, "boundRelativePhaseSpinBox")},
        {10, "beat period 2 pi hbar/(E4 - E1) = {6.36}", "battimento 2 pi hbar/(E4 - E1) = {6.36}", 0.005,
         [](GuideRun& r) { return 2.0 * kPi / (listedBoundEnergy(r, 10, 3) - listedBoundEnergy(r, 10, 0)); }},
        {10, "(E4 - E1) = {6.36}", "(E4 - E1) = {6.36}", 0.005, summaryFigure(10, 0.0, "boundSummaryLabel", "", "Tbeat=")},
        {10, "slowly, period {31.7};", "lentamente, periodo {31.7};", 0.05,
         [](GuideRun& r) { return 2.0 * kPi / (listedBoundEnergy(r, 10, 1) - listedBoundEnergy(r, 10, 0)); }},
        {10, "with period {11.9}.", "con periodo {11.9}.", 0.05,
         [](GuideRun& r) { return 2.0 * kPi / (listedBoundEnergy(r, 10, 2) - listedBoundEnergy(r, 10, 0)); }},
        {10, "goes up to {8}.", "arriva fino a {8}.", 0.0,
         fromLoad(10, [](GuideRun& r) { return double(control<QSpinBox>(r.window(), "boundMaxStatesSpinBox")->maximum()); })},

        // 12 Coherent Tunneling (Double Well)
        {12, "puts {88} percent", "mette l'{88} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "P_left=")(r); }},
        {12, "and {9} percent under", "e il {9} per cento sotto", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "P_bar=")(r); }},
        {12, "about {0.33} and 0.63", "circa {0.33} e 0.63", 0.005, summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "E1=")},
        {12, "about 0.33 and {0.63}", "circa 0.33 e {0.63}", 0.005, summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "E2=")},
        {12, "Delta E = {0.306}", "Delta E = {0.306}", 5e-4, summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "DeltaE=")},
        {12, "= {20.6}: after", "= {20.6}: dopo", 0.05, summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "return~")},
        {12, "T/2 = {10.3} the", "T/2 = {10.3} la", 0.05, summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "transfer~")},
        {12, "(P_right = {0.88})", "(P_right = {0.88})", 0.005, summaryFigure(12, 10.28, "doubleWellSummaryLabel", "", "P_right=")},

        {12, "{16} x 16", "{16} x 16", 0.0, setting(12, "universeWidthSpinBox")},
        {12, "16 x {16}", "16 x {16}", 0.0, setting(12, "universeHeightSpinBox")},
        {12, "walls of height {5} leave", "pareti alte {5} lasciano", 0.0,
         [](GuideRun& r) { return double(r.asLoaded(12).scene().objects().front().value); }},
        {12, "x = {-2.5} to 2.5", "x = {-2.5} a 2.5", 1e-6,
         [](GuideRun& r) {
             const PotentialObject& wall = r.asLoaded(12).scene().objects().front();
             return double(wall.centerX + wall.width / 2.0f);
         }},
        {12, "x = -2.5 to {2.5}", "x = -2.5 a {2.5}", 1e-6,
         [](GuideRun& r) {
             const PotentialObject& wall = r.asLoaded(12).scene().objects()[2];
             return double(wall.centerX - wall.width / 2.0f);
         }},
        {12, "height {0.8} and width", "alta {0.8} e larga", 1e-6, [](GuideRun& r) { return double(r.asLoaded(12).scene().objects()[1].value); }},
        {12, "width {0.75}. The", "larga {0.75}. Lo", 1e-6, [](GuideRun& r) { return double(r.asLoaded(12).scene().objects()[1].width); }},
        {12, "T = 2 pi hbar/Delta E = {20.6}", "T = 2 pi hbar/Delta E = {20.6}", 0.05,
         [](GuideRun& r) { return 2.0 * kPi / summaryFigure(12, 0.0, "doubleWellSummaryLabel", "", "DeltaE=")(r); }},
        {12, "P_left = cos^2(pi t/T)", "P_left = cos^2(pi t/T)", 0.0, nullptr},
        {12, "marker at T/2", "segno a T/2", 0.0, nullptr},
        {12, "set its V0 to 1.2, press Apply changes and then Compute states on the Bound states page",
         "porta il suo V0 a 1.2, premi Apply changes e poi Compute states nella pagina Bound states", 0.0, nullptr},
        {12, "shrinks to Delta E = {0.250}", "scende a Delta E = {0.250}", 5e-4, raisedCentralBarrierSplitting},
        {12, "period grows to {25.1}, because", "periodo sale a {25.1}, perche'", 0.05,
         [](GuideRun& r) { return 2.0 * kPi / raisedCentralBarrierSplitting(r); }},
        {12, "(START REPLACED on the pages)", "(START REPLACED nelle pagine)", 0.0, nullptr},

        // 13 Quantum Quench (Trap Stiffness)
        {13, "k = {0.25} (omega = 0.5)", "k = {0.25} (omega = 0.5)", 1e-6,
         [](GuideRun& r) { return double(r.asLoaded(13).scene().objects().front().curvatureX); }},
        {13, "(omega = {0.5}) holds", "(omega = {0.5}) contiene", 1e-6,
         [](GuideRun& r) { return std::sqrt(double(r.asLoaded(13).scene().objects().front().curvatureX) / mass(r)); }},
        {13, "Sigma {1}, energy", "Sigma {1}, energia", 0.005, preparedFigure(13, &PreparedPacket::sigmaX)},
        {13, "at t = {2} the parameter", "a t = {2} il parametro", 0.0, setting(13, "quenchTimeSpinBox")},
        {13, "jumps from {0.25} to 1.0,", "salta da {0.25} a 1.0,", 0.0, setting(13, "quenchBeforeSpinBox")},
        {13, "jumps from 0.25 to {1.0},", "salta da 0.25 a {1.0},", 0.0, setting(13, "quenchAfterSpinBox")},
        {13, "doubles omega to {1}.", "raddoppia omega a {1}.", 1e-9,
         fromLoad(13, [](GuideRun& r) { return std::sqrt(r.spinBox("quenchAfterSpinBox") / mass(r)); })},
        {13, "Until t = {2} nothing", "Fino a t = {2} nulla", 0.0, setting(13, "quenchTimeSpinBox")},
        {13, "ground energy is {1.0},", "energia fondamentale e' {1.0},", 1e-9,
         fromLoad(13, [](GuideRun& r) { return std::sqrt(r.spinBox("quenchAfterSpinBox") / mass(r)); })},
        {13, "width {0.71}, at", "fondamentale {0.71}, a", 0.005,
         fromLoad(13, [](GuideRun& r) { return std::sqrt(1.0 / (2.0 * mass(r) * std::sqrt(r.spinBox("quenchAfterSpinBox") / mass(r)))); })},
        {13, "t = {2} + pi/2", "t = {2} + pi/2", 0.0, setting(13, "quenchTimeSpinBox")},
        {13, "hbar omega = {0.5} for the", "hbar omega = {0.5} per le", 5e-4, observed(13, 1.0, [](const ObservableSample& s) { return s.totalEnergy; })},
        {13, "quadruples from {0.25} to 1.0,", "quadruplica da {0.25} a 1.0,", 5e-4,
         observed(13, 1.0, [](const ObservableSample& s) { return s.potentialEnergy; })},
        {13, "quadruples from 0.25 to {1.0},", "quadruplica da 0.25 a {1.0},", 0.005,
         observed(13, 2.02, [](const ObservableSample& s) { return s.potentialEnergy; })},
        {13, "from {0.5} to 1.25", "da {0.5} a 1.25", 5e-4, summaryFigure(13, 2.5, "quenchSummaryLabel", "energy", "energy ")},
        {13, "from 0.5 to {1.25}", "da 0.5 a {1.25}", 5e-4, summaryFigure(13, 2.5, "quenchSummaryLabel", "energy", "-> ")},
        {13, "energy {0.5000} -&gt;", "energy {0.5000} -&gt;", 5e-5, summaryFigure(13, 2.5, "quenchSummaryLabel", "energy", "energy ")},
        {13, "-&gt; {1.2500}.", "-&gt; {1.2500}.", 5e-5, summaryFigure(13, 2.5, "quenchSummaryLabel", "energy", "-> ")},
        {13, "excess {0.25} goes", "eccesso {0.25} va", 0.002,
         [](GuideRun& r) {
             return r.at(13, 3.0).observableHistory().newest().totalEnergy - std::sqrt(r.spinBox("quenchAfterSpinBox") / mass(r));
         }},
        {13, "between 1.0 and {0.5} around", "fra 1.0 e {0.5} attorno", 0.005,
         extremeUntil(13, 4.5, false, [](const ObservableSample& s) { return s.sigmaX; })},
        {13, "pi/2 = {3.57}", "pi/2 = {3.57}", 0.05, extremeTime(13, 2.0, 4.5, false, [](const ObservableSample& s) { return s.sigmaX; })},
        {13, "period pi = {3.14};", "periodo pi = {3.14};", 0.05,
         [](GuideRun& r) {
             const auto narrowest = [](const ObservableSample& s) { return s.sigmaX; };
             const std::vector<ObservableSample>& run = r.at(13, 8.0).observableHistory().samples();
             return extremeTimeIn(run, 5.5, 8.0, false, narrowest) - extremeTimeIn(run, 2.0, 4.5, false, narrowest);
         }},
        {13, "After to 0.0625 (omega = {0.25})", "After a 0.0625 (omega = {0.25})", 0.005,
         [](GuideRun& r) { return kPi / softenedBreathingPeriod(r); }},
        {13, "between 1 and {2} with period", "fra 1 e {2} con periodo", 0.05,
         [](GuideRun& r) {
             double widest = 0.0;
             for (const ObservableSample& s : softenedQuench(r))
                 widest = std::max(widest, s.sigmaX);
             return widest;
         }},
        {13, "with period {12.6}.", "con periodo {12.6}.", 0.05, softenedBreathingPeriod},
        {13, "Quench time to 6", "Quench time a 6", 0.0, nullptr},

        // 14 Driven Harmonic Trap (Off Resonance)
        {14, "trap with k = {0.25} (natural", "armonica con k = {0.25} (frequenza", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 14, 0).curvatureX); }},
        {14, "omega0 = {0.5}, period", "omega0 = {0.5}, periodo", 5e-5, [](GuideRun& r) { return driveOmega0(r, 14); }},
        {14, "period {12.57}) holds", "periodo {12.57}) contiene", 0.005, [](GuideRun& r) { return 2.0 * kPi / driveOmega0(r, 14); }},
        {14, "in a {24} x 20 periodic", "periodico {24} x 20.", 0.0, setting(14, "universeWidthSpinBox")},
        {14, "24 x {20} periodic", "24 x {20}. La", 0.0, setting(14, "universeHeightSpinBox")},
        {14, "Center X as {0.7} sin(omega t)", "Center X della trappola come {0.7} sin(omega t)", 0.0,
         setting(14, "periodicDriveAmplitudeSpinBox")},
        {14, "with omega = {0.8}, well", "con omega = {0.8}, ben", 0.0, setting(14, "periodicDriveOmegaSpinBox")},
        {14, "x(t) = A omega0^2/(omega0^2 - omega^2) [sin(omega t) - (omega/omega0) sin(omega0 t)]",
         "x(t) = A omega0^2/(omega0^2 - omega^2) [sin(omega t) - (omega/omega0) sin(omega0 t)]", 0.0, nullptr},
        {14, "response factor 0.7 x 0.25/(0.25 - 0.64) = {-0.45}", "risposta 0.7 x 0.25/(0.25 - 0.64) = {-0.45}", 0.005,
         [](GuideRun& r) { return shakenTrapResponse(r, 14, r.spinBox("periodicDriveOmegaSpinBox")); }},
        {14, "period 2 pi/(omega - omega0) = {21}", "periodo 2 pi/(omega - omega0) = {21}", 0.5,
         [](GuideRun& r) { return 2.0 * kPi / (r.spinBox("periodicDriveOmegaSpinBox") - driveOmega0(r, 14)); }},
        {14, "omega to 0.3, below", "omega a 0.3, sotto", 0.0, nullptr},
        {14, "response factor of {1.09}", "fattore di risposta {1.09}", 0.005, [](GuideRun& r) { return pageResponse(r, 14, 0.3); }},
        {14, "Amplitude to {1.4}: the response", "Amplitude a {1.4}: la risposta", 1e-9,
         fromLoad(14, [](GuideRun& r) { return 2.0 * r.spinBox("periodicDriveAmplitudeSpinBox"); })},
        {14, "Set omega to {0.5} to reach", "Porta omega a {0.5} per arrivare", 5e-5, [](GuideRun& r) { return driveOmega0(r, 14); }},
        {14, "exceeds about {1.2}", "supera mai circa {1.2}", 0.05,
         summaryFigure(14, 42.0, "periodicDriveSummaryLabel", "", "max|<x>|=")},
        {14, "never exceeds about {1.2}", "non supera mai circa {1.2}", 0.05,
         [](GuideRun& r) {
             const double omega0 = driveOmega0(r, 14), omega = r.spinBox("periodicDriveOmegaSpinBox");
             const double response = shakenTrapResponse(r, 14, omega);
             double largest = 0.0;
             for (double t = 0.0; t < 4.0 * kPi / (omega - omega0); t += 0.01)
                 largest = std::max(largest, std::abs(response * (std::sin(omega * t) - omega / omega0 * std::sin(omega0 * t))));
             return largest;
         }},
        {14, "so the width stays {1}.", "quindi la larghezza resta {1}.", 0.01, lookedAgain(14, 42.0, widestSoFar)},

        // 15 Driven Harmonic Trap (Resonance)
        {15, "(k = {0.25}, omega0 = 0.5)", "(k = {0.25}, omega0 = 0.5)", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 15, 0).curvatureX); }},
        {15, "omega0 = {0.5}) and", "omega0 = {0.5}) e", 5e-5, [](GuideRun& r) { return driveOmega0(r, 15); }},
        {15, "driven as {0.7} sin(0.5 t)", "muove come {0.7} sin(0.5 t)", 0.0, setting(15, "periodicDriveAmplitudeSpinBox")},
        {15, "0.7 sin({0.5} t)", "0.7 sin({0.5} t)", 0.0, setting(15, "periodicDriveOmegaSpinBox")},
        {15, "x(t) = (A/2)(sin(omega0 t) - omega0 t cos(omega0 t))", "x(t) = (A/2)(sin(omega0 t) - omega0 t cos(omega0 t))", 0.0, nullptr},
        {15, "A omega0 t/2 = {0.175} t", "A omega0 t/2 = {0.175} t", 5e-4,
         [](GuideRun& r) { return r.spinBox("periodicDriveAmplitudeSpinBox") * driveOmega0(r, 15) / 2.0; }},
        {15, "grows like t^2", "cresce come t^2", 0.0, nullptr},
        {15, "one period (t = {12.6})", "un periodo (t = {12.6})", 0.05, [](GuideRun& r) { return 2.0 * kPi / driveOmega0(r, 15); }},
        {15, "three (t = {37.7})", "tre (t = {37.7})", 0.05, [](GuideRun& r) { return 3.0 * 2.0 * kPi / driveOmega0(r, 15); }},
        {15, "four (t = {50})", "quattro (t = {50})", 0.5, [](GuideRun& r) { return 4.0 * 2.0 * kPi / driveOmega0(r, 15); }},
        {15, "the {24}-wide periodic", "periodica larga {24}", 0.0, setting(15, "universeWidthSpinBox")},
        {15, "omega 0.45 or 0.55", "omega 0.45 o 0.55", 0.0, nullptr},
        {15, "period 2 pi/{0.05} = 126", "periodo 2 pi/{0.05} = 126", 5e-4, [](GuideRun& r) { return pageDetuning(r, 15, 0.55); }},
        {15, "2 pi/0.05 = {126}", "2 pi/0.05 = {126}", 0.5, [](GuideRun& r) { return 2.0 * kPi / pageDetuning(r, 15, 0.55); }},
        {15, "Amplitude to {0.35}: the growth", "Amplitude a {0.35}: la", 1e-9,
         fromLoad(15, [](GuideRun& r) { return r.spinBox("periodicDriveAmplitudeSpinBox") / 2.0; })},
        {15, "Phase (deg) to 90", "Phase (deg) a 90", 0.0, nullptr},
        {15, "the packet swings by about {2.2}", "il pacchetto oscilla di circa {2.2}", 0.05,
         [](GuideRun& r) { return resonantSwing(r, 1.0); }},
        {15, "37.7) by {6.6}", "37.7) di {6.6}", 0.05, [](GuideRun& r) { return resonantSwing(r, 3.0); }},
        {15, "by about {2.2}, after", "di circa {2.2}, dopo", 0.05,
         [](GuideRun& r) { return std::abs(r.at(15, 4 * kPi).observableHistory().newest().meanX); }},
        {15, "by {6.6}, after", "di {6.6}, dopo", 0.05,
         [](GuideRun& r) { return std::abs(r.at(15, 12 * kPi).observableHistory().newest().meanX); }},
        {15, "unchanged width {1}: it", "larghezza invariata {1}: e'", 0.01, lookedAgain(15, 12 * kPi, widestSoFar)},
        {15, "Sigma X in Time series, {1} until then", "Sigma X in Time series, {1} fino ad allora", 0.01,
         lookedAgain(15, 12 * kPi, widestSoFar)},
        {15, "by almost {9}.", "di quasi {9}.", 0.3,
         [](GuideRun& r) { return std::abs(r.at(15, 16 * kPi).observableHistory().newest().meanX); }},

        // 16 Driven Double Well (Off Resonance)
        {16, "(walls {5}, central barrier 0.8) starts", "(pareti {5}, barriera centrale 0.8) parte", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 16, 0).value); }},
        {16, "central barrier {0.8}) starts", "centrale {0.8}) parte", 1e-6, [](GuideRun& r) { return double(loadedObject(r, 16, 1).value); }},
        {16, "F(t) = {0.1} sin(omega t)", "F(t) = {0.1} sin(omega t)", 0.0, setting(16, "periodicDriveAmplitudeSpinBox")},
        {16, "with omega = {0.5}.", "con omega = {0.5}.", 0.0, setting(16, "periodicDriveOmegaSpinBox")},
        {16, "omega0 = (E2 - E1)/hbar = {0.306}", "omega0 = (E2 - E1)/hbar = {0.306}", 5e-4,
         [](GuideRun& r) { return listedBoundEnergy(r, 16, 1) - listedBoundEnergy(r, 16, 0); }},
        {16, "/hbar = {0.306}, dipole", "/hbar = {0.306}, elemento", 5e-4, summaryFigure(16, 0.0, "rabiSummaryLabel", "", "omega12=")},
        {16, "|&lt;1|x|2&gt;| = {1.17}", "|&lt;1|x|2&gt;| = {1.17}", 0.005, summaryFigure(16, 0.0, "rabiSummaryLabel", "", "|x12|=")},
        {16, "A d/hbar = {0.117}", "A d/hbar = {0.117}", 5e-4, summaryFigure(16, 0.0, "rabiSummaryLabel", "", "OmegaR=")},
        {16, "omega0 = {0.194}", "omega0 = {0.194}", 5e-4, summaryFigure(16, 0.0, "rabiSummaryLabel", "", "detuning=")},
        {16, "sqrt(Delta^2 + Omega_R^2) = {0.227}", "sqrt(Delta^2 + Omega_R^2) = {0.227}", 5e-4,
         [](GuideRun& r) { return rabiSummaryGeneralised(r, 16); }},
        {16, "(period {27.7})", "(periodo {27.7})", 0.05, [](GuideRun& r) { return 2.0 * kPi / rabiSummaryGeneralised(r, 16); }},
        {16, "(Omega_R/Omega)^2 = {27} percent transfer", "(Omega_R/Omega)^2 = {27} per cento di trasferimento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(16, 0.0, "rabiSummaryLabel", "", "RWA max P2=")(r); }},
        {16, "(Omega_R/Omega)^2 = {27} percent transfer", "(Omega_R/Omega)^2 = {27} per cento di trasferimento", 0.5,
         [](GuideRun& r) {
             const double generalised = rabiSummaryGeneralised(r, 16);
             return 100.0 * std::pow(figureAfter(r.label("rabiSummaryLabel"), "OmegaR=") / generalised, 2.0);
         }},
        {16, "measured P(state 2) overshoots", "la P(state 2) misurata", 0.0, nullptr},
        {16, "Rabi: P(state 1), P(state 2) and", "Rabi: P(state 1), P(state 2) e", 0.0, nullptr},
        {16, "omega to {0.3055} to reach", "omega a {0.3055} per arrivare", 5e-5, summaryFigure(16, 0.0, "rabiSummaryLabel", "", "omega12=")},
        {16, "or to 0.35 to see", "oppure a 0.35 per", 0.0, nullptr},
        {16, "up to about {0.39}", "fino a circa {0.39}", 0.01, summaryFigure(16, 30.0, "rabiSummaryLabel", "captured", "max P2=")},

        // 17 Driven Double Well (Rabi Resonance)
        {17, "driven at omega = {0.305536}, the", "forzata a omega = {0.305536}, la", 0.0, setting(17, "periodicDriveOmegaSpinBox")},
        {17, "amplitude A = {0.1}.", "ampiezza A = {0.1}.", 0.0, setting(17, "periodicDriveAmplitudeSpinBox")},
        {17, "P2(t) = sin^2(Omega_R t/2)", "P2(t) = sin^2(Omega_R t/2)", 0.0, nullptr},
        {17, "A d/hbar = {0.117}: a pi", "A d/hbar = {0.117}: un", 5e-4, summaryFigure(17, 0.0, "rabiSummaryLabel", "", "OmegaR=")},
        {17, "turns state 1 into state 2", "porta lo stato 1 nello stato 2", 0.0, nullptr},
        {17, "pi/Omega_R = {27}", "pi/Omega_R = {27}", 0.5, summaryFigure(17, 0.0, "rabiSummaryLabel", "", "first max~")},
        {17, "pi/Omega_R = {27}", "pi/Omega_R = {27}", 0.5,
         [](GuideRun& r) { return kPi / summaryFigure(17, 0.0, "rabiSummaryLabel", "", "OmegaR=")(r); }},
        {17, "full Rabi cycle about {54}", "ciclo di Rabi completo circa {54}", 0.5,
         [](GuideRun& r) { return 2.0 * summaryFigure(17, 0.0, "rabiSummaryLabel", "", "first max~")(r); }},
        {17, "lies near {1.58}, far", "vicino a {1.58}, lontano", 0.005, [](GuideRun& r) { return listedBoundEnergy(r, 17, 2); }},
        {17, "(t about {13})", "(t circa {13})", 0.5,
         [](GuideRun& r) { return summaryFigure(17, 0.0, "rabiSummaryLabel", "", "first max~")(r) / 2.0; }},
        {17, "near t = {27}, where", "verso t = {27}, dove", 0.5, summaryFigure(17, 0.0, "rabiSummaryLabel", "", "first max~")},
        {17, "Rabi: P(state 2) rises", "Rabi: P(state 2) sale", 0.0, nullptr},
        {17, "returns to state 1.", "torna allo stato 1.", 0.0, nullptr},
        {17, "Amplitude to {0.05}: the Rabi", "Amplitude a {0.05}: la", 1e-9,
         fromLoad(17, [](GuideRun& r) { return r.spinBox("periodicDriveAmplitudeSpinBox") / 2.0; })},
        {17, "Double it to {0.2}:", "Raddoppiala a {0.2}:", 1e-9,
         fromLoad(17, [](GuideRun& r) { return 2.0 * r.spinBox("periodicDriveAmplitudeSpinBox"); })},
        {17, "to about {0.98}", "circa {0.98}", 0.01, summaryFigure(17, 28.0, "rabiSummaryLabel", "captured", "max P2=")},
        {17, "stays close to {1}.", "resta vicino a {1}.", 0.02,
         lookedAgain(17, 28.0, shownFigure("rabiSummaryLabel", "min captured="))},
        {17, "pi pulse takes about {54}.", "impulso pi dura circa {54}.", 0.5,
         [](GuideRun& r) {
             r.edited(17, set("periodicDriveAmplitudeSpinBox", 0.05));
             return figureAfter(r.label("rabiSummaryLabel"), "first max~");
         }},
        {17, "Move omega to {0.5} to return", "Riporta omega a {0.5} per tornare", 0.0, setting(16, "periodicDriveOmegaSpinBox")},

        // 18 Landau-Zener Sweep (Fast / Diabatic)
        {18, "(walls {5}, central barrier 0.8) is", "(pareti {5}, barriera centrale 0.8) e'", 1e-6,
         [](GuideRun& r) { return double(loadedObject(r, 18, 0).value); }},
        {18, "central barrier {0.8}) is", "centrale {0.8}) e'", 1e-6, [](GuideRun& r) { return double(loadedObject(r, 18, 1).value); }},
        {18, "from {+0.35} to -0.35", "da {+0.35} a -0.35", 0.0, setting(18, "linearSweepStartValueSpinBox")},
        {18, "from +0.35 to {-0.35}", "da +0.35 a {-0.35}", 0.0, setting(18, "linearSweepEndValueSpinBox")},
        {18, "Duration of {4}.", "Duration di {4}.", 0.0, setting(18, "linearSweepDurationSpinBox")},
        {18, "at t = {2} the left", "a t = {2} i livelli", 0.005, summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "crossing=")},
        {18, "gap Delta = {0.306}. The", "gap Delta = {0.306}. I", 5e-4, summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "gap=")},
        {18, "alpha = 2 |dF/dt| d = {0.41}", "alpha = 2 |dF/dt| d = {0.41}", 0.005,
         summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "d(epsilon)/dt=")},
        {18, "alpha = 2 |dF/dt| d = {0.41}", "alpha = 2 |dF/dt| d = {0.41}", 0.005,
         [](GuideRun& r) {
             const double d = summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "|x12|=")(r);
             return 2.0 * std::abs(r.spinBox("linearSweepEndValueSpinBox") - r.spinBox("linearSweepStartValueSpinBox")) /
                    r.spinBox("linearSweepDurationSpinBox") * d;
         }},
        {18, "(d = {1.17} is", "(d = {1.17} e'", 0.005, summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "|x12|=")},
        {18, "exp(-pi Delta^2/(2 hbar alpha)) = {0.70}", "exp(-pi Delta^2/(2 hbar alpha)) = {0.70}", 0.005,
         summaryFigure(18, 0.0, "landauZenerSummaryLabel", "", "Pdiab=")},
        {18, "exp(-pi Delta^2/(2 hbar alpha)) = {0.70}", "exp(-pi Delta^2/(2 hbar alpha)) = {0.70}", 0.005,
         [](GuideRun& r) { return landauZenerFormula(r, 18); }},
        {18, "sweep (t = {4}) the", "passaggio (t = {4}) il", 0.0, setting(18, "linearSweepDurationSpinBox")},
        {18, "not add up to 1:", "non sommano a 1:", 0.0, nullptr},
        {18, "Pleft-state = {0.74}", "Pleft-state = {0.74}", 0.005,
         summaryFigure(18, 4.0 - kClockSlack, "landauZenerSummaryLabel", "", "Pleft-state=")},
        {18, "Pright-state = {0.20}", "Pright-state = {0.20}", 0.005,
         lookedAgain(18, 4.0 - kClockSlack, shownFigure("landauZenerSummaryLabel", "Pright-state="))},
        {18, "(captured = {0.94})", "(captured = {0.94})", 0.01, lookedAgain(18, 4.0, shownFigure("landauZenerSummaryLabel", "captured="))},
        {18, "8 gives P_d = {0.49}", "8 da' P_d = {0.49}", 0.005, sweepPdiab(18, set("linearSweepDurationSpinBox", 8.0))},
        {18, "20 gives {0.17}", "20 da' {0.17}", 0.005, sweepPdiab(18, set("linearSweepDurationSpinBox", 20.0))},
        {18, "40 gives {0.03}", "40 da' {0.03}", 0.005, sweepPdiab(18, set("linearSweepDurationSpinBox", 40.0))},

        // 19 Landau-Zener Sweep (Adiabatic)
        {19, "from +{0.35} to -0.35 in a Duration of 40", "va da +{0.35} a -0.35 in una Duration di 40", 0.0,
         setting(19, "linearSweepStartValueSpinBox")},
        {19, "to {-0.35} in a Duration", "a {-0.35} in una Duration", 0.0, setting(19, "linearSweepEndValueSpinBox")},
        {19, "Duration of {40}, crossing", "Duration di {40}, e passa", 0.0, setting(19, "linearSweepDurationSpinBox")},
        {19, "crossing zero at t = {20}.", "passa per zero a t = {20}.", 0.005,
         summaryFigure(19, 0.0, "landauZenerSummaryLabel", "", "crossing=")},
        {19, "alpha = {0.041}", "alpha = {0.041}", 5e-4, summaryFigure(19, 0.0, "landauZenerSummaryLabel", "", "d(epsilon)/dt=")},
        {19, "P_d = exp(-pi Delta^2/(2 hbar alpha))", "P_d = exp(-pi Delta^2/(2 hbar alpha))", 0.0, nullptr},
        {19, "alpha)) = {0.03} with", "alpha)) = {0.03} con", 0.005, summaryFigure(19, 0.0, "landauZenerSummaryLabel", "", "Pdiab=")},
        {19, "alpha)) = {0.03} with", "alpha)) = {0.03} con", 0.005, [](GuideRun& r) { return landauZenerFormula(r, 19); }},
        {19, "the gap Delta = {0.306}", "il gap Delta = {0.306}", 5e-4, summaryFigure(19, 0.0, "landauZenerSummaryLabel", "", "gap=")},
        {19, "around t = {20} the probability", "verso t = {20} la probabilita'", 0.005,
         summaryFigure(19, 0.0, "landauZenerSummaryLabel", "", "crossing=")},
        {19, "when the sweep ends at t = {40} about", "quando il passaggio finisce, a t = {40}, circa", 0.005,
         fromLoad(19, [](GuideRun& r) {
             return r.spinBox("linearSweepStartTimeSpinBox") + r.spinBox("linearSweepDurationSpinBox");
         })},
        {19, "about {95} percent", "circa il {95} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(19, 40.0, "landauZenerSummaryLabel", "", "Pright-state=")(r); }},
        {19, "walls alone, reads {0.91} then", "buca di destra, vale allora {0.91})", 0.005,
         summaryFigure(19, 40.0, "doubleWellSummaryLabel", "", "P_right=")},
        {19, "population stays near {1} throughout", "resta vicina a {1} per tutto", 0.1,
         [](GuideRun& r) {
             r.at(19, 40.0);
             double lowest = 1.0;
             for (const ObservableSample& s : r.window().observableHistory().samples())
                 if (s.landauZenerValid)
                     lowest = std::min(lowest, s.landauZenerLower);
             return lowest;
         }},

        // The tilt held after the sweep: the share left in the upper state
        // beats with the lower one, less of it the slower the sweep.
        {19, "Plower stays at {0.98}, but", "Plower resta a {0.98}, ma", 0.005,
         sweepPageSpan(19, 40.0, 80.0, &ObservableSample::landauZenerLower, false)},
        {19, "Plower stays at {0.98}, but", "Plower resta a {0.98}, ma", 0.005,
         sweepPageSpan(19, 40.0, 80.0, &ObservableSample::landauZenerLower, true)},
        {19, "between about {0.84} and 0.98", "tra circa {0.84} e 0.98", 0.005,
         sweepPageSpan(19, 40.0, 80.0, &ObservableSample::landauZenerRight, false)},
        {19, "0.84 and {0.98}, because", "0.84 e {0.98}, perche'", 0.005, sweepPageSpan(19, 40.0, 80.0, &ObservableSample::landauZenerRight, true)},
        {19, "because the {0.02} left", "perche' lo {0.02} rimasto", 0.005,
         sweepPageSpan(19, 40.0, 80.0, &ObservableSample::landauZenerUpper, true)},
        {19, "A Duration of {80} leaves", "Una Duration di {80} ve", 0.0,
         [](GuideRun& r) {
             setValue(r.loaded(19), "linearSweepDurationSpinBox", 80.0);
             return r.spinBox("linearSweepDurationSpinBox");
         }},
        {19, "leaves at most {0.002} there", "lascia al piu' {0.002}", 5e-4,
         sweepPageSpan(19, 80.0, 120.0, &ObservableSample::landauZenerUpper, true, set("linearSweepDurationSpinBox", 80.0))},
        {19, "stays between {0.90} and 0.94", "resta allora tra {0.90} e 0.94", 0.005,
         sweepPageSpan(19, 80.0, 120.0, &ObservableSample::landauZenerRight, false, set("linearSweepDurationSpinBox", 80.0))},
        {19, "between 0.90 and {0.94}", "tra 0.90 e {0.94}", 0.005,
         sweepPageSpan(19, 80.0, 120.0, &ObservableSample::landauZenerRight, true, set("linearSweepDurationSpinBox", 80.0))},

        {19, "Duration to 10: P_d rises to about {0.41}", "Duration a 10: P_d sale a circa {0.41}", 0.005,
         sweepPdiab(19, set("linearSweepDurationSpinBox", 10.0))},
        {19, "End value -0.2 (keep the Start value at {0.35}", "End value -0.2 (lascia lo Start value a {0.35}", 0.0,
         setting(19, "linearSweepStartValueSpinBox")},
        {19, "P_d falls to about {0.011}", "P_d scende a circa {0.011}", 5e-4,
         sweepPdiab(19, set("linearSweepEndValueSpinBox", -0.2))},

        // 20 Landau-Zener-Stueckelberg (Constructive)
        {20, "sweep (+{0.35} to -0.35 in 4)", "rapido (da +{0.35} a -0.35 in 4)", 0.0, setting(20, "linearSweepStartValueSpinBox")},
        {20, "to {-0.35} in 4) is", "a {-0.35} in 4) e'", 0.0, setting(20, "linearSweepEndValueSpinBox")},
        {20, "-0.35 in {4}) is followed", "-0.35 in {4}) e' seguito", 0.0, setting(20, "linearSweepDurationSpinBox")},
        {20, "Hold at End of {4} and", "Hold at End di {4} e", 0.0, setting(20, "linearSweepHoldDurationSpinBox")},
        {20, "back to +{0.35} in 4", "torna a +{0.35} in 4", 0.0, setting(20, "linearSweepStartValueSpinBox")},
        {20, "+0.35 in {4}. The", "+0.35 in {4}. L'", 0.0, setting(20, "linearSweepReturnDurationSpinBox")},
        {20, "at t = {2} and t = 10", "a t = {2} e t = 10", 0.005, summaryFigure(20, 0.0, "stueckelbergSummaryLabel", "", "cross1=")},
        {20, "and t = {10}.", "e t = {10}.", 0.005, summaryFigure(20, 0.0, "stueckelbergSummaryLabel", "", "cross2=")},
        {20, "with P_d = {0.70} it", "con P_d = {0.70} divide", 0.005,
         summaryFigure(20, 0.0, "stueckelbergSummaryLabel", "", "single-pass Pdiab=")},
        {20, "time ({5.6} rad here)", "energia ({5.6} rad qui)", 0.05, summaryFigure(20, 0.0, "stueckelbergSummaryLabel", "", "phase=")},
        {20, "returns {98} percent", "riporti il {98} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(20, 0.0, "stueckelbergSummaryLabel", "two-level model final", "Plower=")(r); }},
        {20, "ends with {0.96} there", "finisce con {0.96} su", 0.01, summaryFigure(20, 14.0, "stueckelbergSummaryLabel", "live", "Plower=")},
        {20, "hold times 0 to 12", "attese da 0 a 12", 0.0, nullptr},
        {20, "period about {7.2}, set", "periodo di circa {7.2}, fissato", 0.1, [](GuideRun& r) { return 2.0 * kPi / stueckelbergEndGap(r); }},
        {20, "(2 pi/{0.87})", "(2 pi/{0.87})", 0.005, stueckelbergEndGap},
        {20, "maxima near {3.6} and 10.8", "massimi verso {3.6} e 10.8", 0.1, stueckelbergFringeExtremum(20, 3.6)},
        {20, "and {10.8}.", "e {10.8}.", 0.1, stueckelbergFringeExtremum(20, 10.8)},
        {20, "Set Hold at End to 7", "Porta Hold at End a 7", 0.0, nullptr},
        {20, "lengthen the Duration and the Return duration so that each passage is adiabatic: then the fringe almost "
             "disappears",
         "allunga la Duration e la Return duration in modo che ogni passaggio sia adiabatico: allora la frangia quasi "
         "scompare",
         0.0, nullptr},
        {20, "Set it to {3.6} for the best", "Portalo a {3.6} per il ritorno", 0.1, stueckelbergFringeExtremum(20, 3.6)},
        {20, "later, near {4.3}, with", "tardi, verso {4.3}, con", 0.1, stueckelbergRunReturn(20, 4.4)},
        {20, "live Plower about {0.97})", "Plower live circa {0.97})", 0.01, stueckelbergRunReturn(20, 4.3, true)},

        // 21 Landau-Zener-Stueckelberg (Destructive)
        {21, "sweep +{0.35} to -0.35 in 4, return", "rapido da +{0.35} a -0.35 in 4, ritorno", 0.0,
         setting(21, "linearSweepStartValueSpinBox")},
        {21, "to {-0.35} in 4, return", "a {-0.35} in 4, ritorno", 0.0, setting(21, "linearSweepEndValueSpinBox")},
        {21, "-0.35 in {4}, return in 4)", "-0.35 in {4}, ritorno in 4)", 0.0, setting(21, "linearSweepDurationSpinBox")},
        {21, "return in {4}) but", "ritorno in {4}) ma", 0.0, setting(21, "linearSweepReturnDurationSpinBox")},
        {21, "Hold at End of {7}, so", "Hold at End di {7}, quindi", 0.0, setting(21, "linearSweepHoldDurationSpinBox")},
        {21, "at t = {2} and t = 13", "a t = {2} e t = 13", 0.005, summaryFigure(21, 0.0, "stueckelbergSummaryLabel", "", "cross1=")},
        {21, "and t = {13}.", "e t = {13}.", 0.005, summaryFigure(21, 0.0, "stueckelbergSummaryLabel", "", "cross2=")},
        {21, "only {31} percent", "solo il {31} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(21, 0.0, "stueckelbergSummaryLabel", "two-level model final", "Plower=")(r); }},
        {21, "while {69} percent", "mentre il {69} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(21, 0.0, "stueckelbergSummaryLabel", "two-level model final", "Pupper=")(r); }},
        {21, "live Plower = {0.47}", "live Plower = {0.47}", 0.01, summaryFigure(21, 17.0, "stueckelbergSummaryLabel", "live", "Plower=")},
        {21, "Pupper = {0.39}", "Pupper = {0.39}", 0.01, summaryFigure(21, 17.0, "stueckelbergSummaryLabel", "live", "Pupper=")},
        {21, "live Pright-state = {0.59} at t = 17", "live Pright-state = {0.59} a t = 17", 0.01, summaryFigure(21, 17.0, "stueckelbergSummaryLabel", "live", "Pright-state=")},
        {21, "(captured = {0.86})", "(captured = {0.86})", 0.01, summaryFigure(21, 17.0, "stueckelbergSummaryLabel", "live", "captured=")},
        {21, "adds about {2.6} rad", "aggiunge circa {2.6} rad", 0.05,
         [](GuideRun& r) { return 3.0 * stueckelbergEndGap(r); }},
        {21, "end tilt, {0.87}, times the 3 extra", "finale, {0.87}, per le 3", 0.005, stueckelbergEndGap},
        {21, "times the {3} extra time units", "per le {3} unita' di tempo in piu'", 0.0,
         [](GuideRun& r) { return setting(21, "linearSweepHoldDurationSpinBox")(r) - setting(20, "linearSweepHoldDurationSpinBox")(r); }},
        {21, "near a hold of {7.2};", "un'attesa di {7.2};", 0.1, stueckelbergFringeExtremum(21, 7.2)},
        {21, "through 5, 6, 7, 8 and 9", "a 5, 6, 7, 8 e 9", 0.0, nullptr},

        // 22 Ramsey Interferometry (Transfer Fringe)
        {22, "amplitude {0.1} at the carrier", "ampiezza {0.1} alla portante", 0.0, setting(22, "ramseyAmplitudeSpinBox")},
        {22, "omega = {0.305536}, the transition", "omega = {0.305536}, la frequenza", 5e-7, [](GuideRun& r) { return ramseyOmega0(r, 22); }},
        {22, "Each pulse lasts {14.35}: at", "Ogni impulso dura {14.35}: con", 0.0, setting(22, "ramseyPulseDurationSpinBox")},
        {22, "it takes {14.35} to reach", "servono {14.35} per arrivare", 0.0, setting(22, "ramseyPulseDurationSpinBox")},
        {22, "pi/(2 Omega_R) = {13.42} of a pi/2 pulse", "pi/(2 Omega_R) = {13.42} di un impulso pi/2", 0.005,
         [](GuideRun& r) { return kPi / (2.0 * summaryFigure(22, 0.0, "ramseySummaryLabel", "", "OmegaR=")(r)); }},
        {22, "{13.42} of a pi/2 pulse (pi/2 ideal on the page)", "{13.42} di un impulso pi/2 dell'onda rotante (pi/2 ideal nella pagina)",
         0.005, summaryFigure(22, 0.0, "ramseySummaryLabel", "", "pi/2 ideal=")},
        {22, "(live P1 = {0.50} when the first pulse ends)", "(live P1 = {0.50} alla fine del primo impulso)", 0.01,
         [](GuideRun& r) {
             const double pulse = setting(22, "ramseyPulseDurationSpinBox")(r);
             return summaryFigure(22, pulse - kClockSlack, "ramseySummaryLabel", "live", "P1=")(r);
         }},
        {22, "omega0 (tau + F) = {6.06} rad", "omega0 (tau + F) = {6.06} rad", 0.005, [](GuideRun& r) { return ramseyPhase(r, 22, true); }},
        {22, "omega0 F = {1.68} rad", "omega0 F = {1.68} rad", 0.005, [](GuideRun& r) { return ramseyPhase(r, 22, false); }},
        {22, "Free evolution time of {5.5}.", "Free evolution time di {5.5}.", 0.0, setting(22, "ramseyFreeDurationSpinBox")},
        {22, "omega0 F = {1.68} rad", "omega0 F = {1.68} rad", 0.005, summaryFigure(22, 0.0, "ramseySummaryLabel", "", "phase=")},
        {22, "sequence, t = {34.2}, the", "sequenza, t = {34.2}, la", 0.005, ramseySequenceEnd(22)},
        {22, "in state 2 (two-level model final P2 = {1.000})", "nello stato 2 (two-level model final P2 = {1.000})", 5e-4,
         summaryFigure(22, 0.0, "ramseySummaryLabel", "two-level model final", "P2=")},
        {22, "free time from 0 to about 30", "tempo libero da 0 a circa 30", 0.0, nullptr},
        {22, "2 pi/omega0 = {20.6}", "2 pi/omega0 = {20.6}", 0.05, [](GuideRun& r) { return 2.0 * kPi / ramseyOmega0(r, 22); }},
        {22, "run has {0.96} there", "corsa simulata ne ha {0.96}", 0.01, summaryFigure(22, 34.22, "ramseySummaryLabel", "live", "P2=")},
        {22, "the extra {10.25} is half", "i {10.25} in piu' sono mezza", 0.005,
         [](GuideRun& r) { return 15.75 - setting(22, "ramseyFreeDurationSpinBox")(r); }},
        {22, "Free evolution time to 15.75", "Free evolution time a 15.75", 0.0, nullptr},
        {22, "returns to state {1} (next experiment)", "torna allo stato {1} (esperimento successivo)", 0.01,
         ramseyFigureAfter(22, "two-level model final", "P1=", set("ramseyFreeDurationSpinBox", 15.75))},
        {22, "Keep F = 5.5 and set Second pulse phase to 180 deg", "Tieni F = 5.5 e porta Second pulse phase a 180 deg", 0.0, nullptr},
        {22, "returns the system to state {1}.", "riporta anch'esso il sistema allo stato {1}.", 0.01,
         ramseyFigureAfter(22, "two-level model final", "P1=", set("ramseySecondPhaseSpinBox", 180.0))},

        // 23 Ramsey Interferometry (Return Fringe)
        {23, "two pulses of {14.35} at the carrier", "due impulsi di {14.35} alla portante", 0.0, setting(23, "ramseyPulseDurationSpinBox")},
        {23, "omega = {0.305536}, amplitude", "omega = {0.305536}, ampiezza", 5e-7, setting(23, "ramseyOmegaSpinBox")},
        {23, "amplitude {0.1}), but", "ampiezza {0.1}), ma", 0.0, setting(23, "ramseyAmplitudeSpinBox")},
        {23, "Free evolution time of {15.75}.", "Free evolution time di {15.75}.", 0.0, setting(23, "ramseyFreeDurationSpinBox")},
        {23, "ends at t = {44.45}.", "finisce a t = {44.45}.", 0.005, ramseySequenceEnd(23)},
        {23, "omega0 F = {4.81} rad", "omega0 F = {4.81} rad", 0.005, summaryFigure(23, 0.0, "ramseySummaryLabel", "", "phase=")},
        {23, "omega0 F = {4.81} rad", "omega0 F = {4.81} rad", 0.005, [](GuideRun& r) { return ramseyPhase(r, 23, false); }},
        {23, "omega0 (tau + F) = {9.20} rad", "omega0 (tau + F) = {9.20} rad", 0.005, [](GuideRun& r) { return ramseyPhase(r, 23, true); }},
        {23, "sensitive to the phase omega0 (tau + F)", "sensibile alla fase omega0 (tau + F)", 0.0, nullptr},
        {23, "pi/omega0 = {10.3};", "pi/omega0 = {10.3};", 0.05, [](GuideRun& r) { return kPi / ramseyOmega0(r, 23); }},
        {23, "back in state 1 (live P1 = {0.99})", "tornata nello stato 1 (live P1 = {0.99})", 0.01,
         summaryFigure(23, 44.46, "ramseySummaryLabel", "live", "P1=")},
        {23, "differ by {10.25}, close", "differiscono di {10.25}, vicino", 0.005,
         [](GuideRun& r) { return setting(23, "ramseyFreeDurationSpinBox")(r) - setting(22, "ramseyFreeDurationSpinBox")(r); }},
        {23, "by 2.5 at a time from 5.5 to 26", "a passi di 2.5 da 5.5 a 26", 0.0, nullptr},

        // 24 Hahn Echo (Phase Refocusing)
        {24, "two pulses of {14.35}, free time 5.5", "due impulsi di {14.35}, tempo libero 5.5", 0.0, setting(24, "ramseyPulseDurationSpinBox")},
        {24, "free time {5.5}) with", "tempo libero {5.5}) con", 0.0, setting(24, "ramseyFreeDurationSpinBox")},
        {24, "two halves of {2.75}, and", "due meta' di {2.75}, e", 0.005,
         [](GuideRun& r) { return setting(24, "ramseyFreeDurationSpinBox")(r) / 2.0; }},
        {24, "Echo pi duration {25.75} at Echo pi phase 90", "Echo pi duration {25.75} e Echo pi phase 90", 0.0, setting(24, "ramseyEchoDurationSpinBox")},
        {24, "Echo pi phase {90} deg", "Echo pi phase {90} deg", 0.0, setting(24, "ramseyEchoPhaseSpinBox")},
        {24, "ends at t = {59.95}.", "finisce a t = {59.95}.", 0.005, ramseySequenceEnd(24)},
        {24, "pulse 1, free 1/2, echo pi pulse, free 2/2, pulse 2", "pulse 1, free 1/2, echo pi pulse, free 2/2, pulse 2", 0.0, nullptr},
        {24, "depends on the free time but on the axes about which the three pulses turn the state",
         "dipende allora piu' dal tempo libero ma dagli assi attorno ai quali i tre impulsi ruotano lo stato", 0.0, nullptr},
        {24, "(a pi pulse exchanges the two populations, and here both are near one half)",
         "(un impulso pi scambia le due popolazioni, e qui sono entrambe vicine a meta')", 0.0, nullptr},
        {24, "back in state 1 (live P1 = {0.99})", "di nuovo nello stato 1 (live P1 = {0.99})", 0.01,
         summaryFigure(24, 59.96, "ramseySummaryLabel", "live", "P1=")},
        {24, "P1 rises to about {0.89} in between", "P1 sale a circa {0.89} (un impulso", 0.01,
         [](GuideRun& r) {
             r.at(24, 59.96);
             const double from = r.spinBox("ramseyPulseDurationSpinBox") + r.spinBox("ramseyFreeDurationSpinBox") / 2.0;
             const double to = from + r.spinBox("ramseyEchoDurationSpinBox");
             double highest = 0.0;
             for (const ObservableSample& s : r.window().observableHistory().samples())
                 if (s.ramseyValid && s.time >= from && s.time <= to)
                     highest = std::max(highest, s.ramseyPopulation1);
             return highest;
         }},
        {24, "almost flat near {0}, because", "quasi piatta vicino a {0}, perche'", 0.02,
         [](GuideRun& r) {
             double largest = 0.0;
             for (const double free : {2.5, 10.0, 15.0, 20.0, 25.0})
                 largest = std::max(largest, ramseyFigureAfter(24, "two-level model final", "P2=", set("ramseyFreeDurationSpinBox", free))(r));
             return largest;
         }},
        // Each pulse's carrier restarts: a pulse starting t0 after the first
        // turns about its phase less omega0 t0.
        {24, "90 deg - omega0 x {17.1} for the echo pulse and 0 deg - omega0 x 45.6",
         "90 deg - omega0 x {17.1} per l'impulso di eco e 0 deg - omega0 x 45.6", 0.05,
         [](GuideRun& r) { return setting(24, "ramseyPulseDurationSpinBox")(r) + setting(24, "ramseyFreeDurationSpinBox")(r) / 2.0; }},
        {24, "0 deg - omega0 x {45.6} for the second", "0 deg - omega0 x {45.6} per il secondo", 0.05,
         [](GuideRun& r) {
             return setting(24, "ramseyPulseDurationSpinBox")(r) + setting(24, "ramseyFreeDurationSpinBox")(r) +
                    setting(24, "ramseyEchoDurationSpinBox")(r);
         }},
        {24, "bring the state back to state {1}; one", "riportare lo stato nello stato {1}; un'unica", 0.01,
         ramseyFigureAfter(24, "two-level model final", "P1=", [](MainWindow&) {})},
        // The state that holds most of the probability at the end.
        {24, "would end it in state {2}.", "lo porterebbe nello stato {2}.", 0.0,
         [](GuideRun& r) {
             return 1.0 + std::round(ramseyFigureAfter(24, "two-level model final", "P2=", [](MainWindow& w) {
                                         setValue(w, "ramseyEchoPhaseSpinBox", 389.4);
                                         setValue(w, "ramseySecondPhaseSpinBox", 798.3);
                                     })(r));
         }},
        {24, "Echo pi phase {389.4} deg (90 + omega0 x 17.1 in degrees)", "Echo pi phase {389.4} deg (90 + omega0 x 17.1 in gradi)", 0.05,
         [](GuideRun& r) {
             const double start = setting(24, "ramseyPulseDurationSpinBox")(r) + setting(24, "ramseyFreeDurationSpinBox")(r) / 2.0;
             return setting(24, "ramseyEchoPhaseSpinBox")(r) + ramseyOmega0(r, 24) * start * 180.0 / kPi;
         }},
        {24, "Second pulse phase {798.3} deg (omega0 x 45.6)", "Second pulse phase {798.3} deg (omega0 x 45.6)", 0.05,
         [](GuideRun& r) {
             const double start = setting(24, "ramseyPulseDurationSpinBox")(r) + setting(24, "ramseyFreeDurationSpinBox")(r) +
                                  setting(24, "ramseyEchoDurationSpinBox")(r);
             return setting(24, "ramseySecondPhaseSpinBox")(r) + ramseyOmega0(r, 24) * start * 180.0 / kPi;
         }},
        {24, "ends in state 2 (two-level model final P2 = {0.94})", "finisce nello stato 2 (two-level model final P2 = {0.94})", 0.005,
         ramseyFigureAfter(24, "two-level model final", "P2=",
                           [](MainWindow& w) {
                               setValue(w, "ramseyEchoPhaseSpinBox", 389.4);
                               setValue(w, "ramseySecondPhaseSpinBox", 798.3);
                           })},
        {24, "Set Echo pi phase to 0 deg", "Porta Echo pi phase a 0 deg", 0.0, nullptr},
        {24, "ends in state 2 (two-level model final P2 = {0.986})", "finisce nello stato 2 (two-level model final P2 = {0.986})", 5e-4,
         ramseyFigureAfter(24, "two-level model final", "P2=", set("ramseyEchoPhaseSpinBox", 0.0))},

        // 25 Ramsey Ensemble (Inhomogeneous Broadening)
        {25, "two pulses of {14.35} at omega", "due impulsi di {14.35} a omega", 0.0, setting(25, "ramseyPulseDurationSpinBox")},
        {25, "omega = {0.305536}, free time", "omega = {0.305536}, tempo libero", 5e-7, setting(25, "ramseyOmegaSpinBox")},
        {25, "free time {15.75}) on one", "tempo libero {15.75}) su una", 0.0, setting(25, "ramseyFreeDurationSpinBox")},
        {25, "page: {41} virtual", "Ramsey: {41} sistemi", 0.0,
         [](GuideRun& r) {
             r.at(25, 0.0);
             return double(r.intSpinBox("ramseyEnsembleMembersSpinBox"));
         }},
        // The members' span of three standard deviations is the analysis's own, not a setting.
        {25, "detuning = {0.06} (members out to 3 standard deviations)", "detuning = {0.06} (membri fino a 3 deviazioni standard)", 0.0,
         setting(25, "ramseyEnsembleSigmaSpinBox")},
        {25, "T = F + 4 tau/pi = {34.0}", "T = F + 4 tau/pi = {34.0}", 0.05, fromLoad(25, ramseyEffectiveTime)},
        {25, "with weight 2/pi, each pulse of length tau = {14.35}", "con peso 2/pi, ogni impulso di durata tau = {14.35}", 0.0,
         setting(25, "ramseyPulseDurationSpinBox")},
        {25, "decays roughly as exp(-(sigma T)^2/2), and 1/2 + exp(-(sigma T)^2/2)/2 = {0.56}",
         "decade circa come exp(-(sigma T)^2/2), e 1/2 + exp(-(sigma T)^2/2)/2 = {0.56}", 0.005,
         fromLoad(25, [](GuideRun& r) {
             const double phaseSpread = r.spinBox("ramseyEnsembleSigmaSpinBox") * ramseyEffectiveTime(r);
             return 0.5 + 0.5 * std::exp(-phaseSpread * phaseSpread / 2.0);
         })},
        // The formula's figure against the ensemble's mean that the page computes member by member.
        {25, "= {0.56} is close to the mean P1 that the page shows", "= {0.56} e' vicino alla P1 media che mostra la pagina", 0.015,
         summaryFigure(25, 0.0, "ramseySummaryLabel", "ensemble", "mean P1=")},
        {25, "already lost part of its contrast at the shortest free times, because the detuning acts during the pulses too",
         "gia' perso parte del suo contrasto ai tempi liberi piu' brevi, perche' il disaccordo agisce anche durante gli impulsi",
         0.0, nullptr},
        // The nominal member's two-level theory; the run of the same sequence is claimed in guide 23.
        {25, "returns to state {1} almost", "torna quasi del tutto nello stato {1}", 0.02,
         summaryFigure(25, 0.0, "ramseySummaryLabel", "two-level model final", "P1=")},
        // The ensemble's figures are its two-level theory, shown from Load on.
        {25, "about {57} percent in state 1", "circa il {57} per cento nello stato 1", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(25, 0.0, "ramseySummaryLabel", "ensemble", "mean P1=")(r); }},
        {25, "and {43} percent in state 2, close to the featureless value 1/2",
         "e il {43} per cento nello stato 2, vicino al valore senza struttura 1/2", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(25, 0.0, "ramseySummaryLabel", "ensemble", "P2=")(r); }},
        {25, "flattens towards 1/2 as", "appiattisce verso 1/2 quando", 0.0, nullptr},

        {25, "sigma T = 0.06 x 34.0 = {2.04} rad", "sigma T = 0.06 x 34.0 = {2.04} rad", 0.006,
         fromLoad(25, [](GuideRun& r) { return r.spinBox("ramseyEnsembleSigmaSpinBox") * ramseyEffectiveTime(r); })},
        {25, "Set sigma detuning to 0.02", "Porta sigma detuning a 0.02", 0.0, nullptr},
        {25, "falls to {0.68} rad", "scende a {0.68} rad", 0.006, fromLoad(25, [](GuideRun& r) { return 0.02 * ramseyEffectiveTime(r); })},
        {25, "returns about {90} percent to state 1", "torna per circa il {90} per cento nello stato 1", 1.0,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 25, set("ramseyEnsembleSigmaSpinBox", 0.02)); }},
        {25, "Set it to 0.12", "Portalo a 0.12", 0.0, nullptr},
        {25, "Free evolution time to 5.5", "Free evolution time a 5.5", 0.0, nullptr},

        // 26 Hahn Echo Ensemble (Static Detuning Refocusing)
        {26, "ensemble of {41} members", "insieme di {41} membri", 0.0,
         [](GuideRun& r) {
             r.at(26, 0.0);
             return double(r.intSpinBox("ramseyEnsembleMembersSpinBox"));
         }},
        {26, "sigma detuning {0.06}, but", "sigma detuning {0.06}, ma", 0.0, setting(26, "ramseyEnsembleSigmaSpinBox")},
        {26, "free time of {15.75} is split", "tempo libero di {15.75} e' diviso", 0.0, setting(26, "ramseyFreeDurationSpinBox")},
        {26, "Echo pi pulse of {25.75} at phase 90", "Echo pi pulse di {25.75} con fase 90", 0.0, setting(26, "ramseyEchoDurationSpinBox")},
        {26, "at phase {90} deg", "con fase {90} deg", 0.0, setting(26, "ramseyEchoPhaseSpinBox")},
        {26, "Pulses of {14.35} at omega", "Impulsi di {14.35} a omega", 0.0, setting(26, "ramseyPulseDurationSpinBox")},
        {26, "omega = {0.305536} open", "omega = {0.305536} aprono", 5e-7, setting(26, "ramseyOmegaSpinBox")},
        {26, "ends at t = {70.2}.", "finisce a t = {70.2}.", 0.005, ramseySequenceEnd(26)},
        {26, "delta F/2", "delta F/2", 0.0, nullptr},
        {26, "ends with {99} percent in state 1 (two-level model final P1 = 0.986)",
         "finisce con il {99} per cento nello stato 1 (two-level model final P1 = 0.986)", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(26, 0.0, "ramseySummaryLabel", "two-level model final", "P1=")(r); }},
        {26, "(two-level model final P1 = {0.986})", "(two-level model final P1 = {0.986})", 5e-4, summaryFigure(26, 0.0, "ramseySummaryLabel", "two-level model final", "P1=")},
        // The ensemble's figure is its two-level theory, shown from Load on.
        {26, "keeps about {93} percent", "conserva circa il {93} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * summaryFigure(26, 0.0, "ramseySummaryLabel", "ensemble", "mean P1=")(r); }},
        {26, "pulse 1, free 1/2, echo pi pulse, free 2/2, pulse 2", "pulse 1, free 1/2, echo pi pulse, free 2/2, pulse 2", 0.0, nullptr},
        {26, "flattening to 1/2", "appiattirsi a 1/2", 0.0, nullptr},
        {26, "with {0.96} (live P1)", "con {0.96} (live P1)", 0.01, summaryFigure(26, 70.22, "ramseySummaryLabel", "live", "P1=")},
        {26, "against {57} percent for the same spread", "contro il {57} per cento della stessa", 0.5,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 26, withoutEcho(0.06)); }},
        {26, "raise sigma detuning to 0.12", "alza sigma detuning a 0.12", 0.0, nullptr},

        {3, "(above Ekin = {3.125})", "(sopra Ekin = {3.125})", 5e-4, fromLoad(3, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {3, "stands at x = {0} with", "sta in x = {0} con", 0.0, setting(3, "singleSlitCenterXSpinBox")},
        {3, "centred on y = {0}.", "centrata su y = {0}.", 0.0, setting(3, "singleSlitCenterYSpinBox")},
        {3, "px {2.5}, wavelength", "px {2.5}, lunghezza", 5e-4, preparedFigure(3, &PreparedPacket::meanPx)},
        {3, "2 pi hbar/px = {2.51})", "2 pi hbar/px = {2.51})", 0.005, [](GuideRun& r) { return loadedWavelength(r, 3); }},
        {3, "larger than 1,", "maggiore di 1,", 0.0, nullptr},
        {3, "(P_right = {0.60} at t = 8", "(P_right = {0.60} a t = 8", 0.005,
         [](GuideRun& r) {
             r.at(3, 8.0 - kClockSlack);
             return figureAfter(r.diagnostics("Scattering", "Probabilities"), "P_right=");
         }},
        {3, "on the screen at x = {8}, near", "sullo schermo in x = {8}, verso", 0.0, setting(3, "detectorXSpinBox")},
        {3, "near {28} degrees, are fringes", "verso {28} gradi, sono frange", 1.0, darkDirectionOnScreen(3, 8.0, 10.0)},
        {3, "Set Wall width to 1.0 and Slit height", "Porta Wall width a 1.0 e Slit height", 0.0, nullptr},
        {3, "with Wall width 1.0 they are gone", "con Wall width 1.0 spariscono", 0.0, nullptr},
        {3, "Slit height to 5.0: lambda/w = {0.50}", "Slit height a 5.0: lambda/w = {0.50}", 0.005,
         [](GuideRun& r) { return loadedWavelength(r, 3) / 5.0; }},
        {3, "near {32} degrees, close", "verso {32} gradi, vicino", 1.0, darkDirectionOnScreen(3, 8.0, 10.0, slitInOpaqueWall(5.0))},
        {3, "the {30} degrees of sin(theta) = lambda/w", "ai {30} gradi di sin(theta) = lambda/w", 0.5,
         [](GuideRun& r) { return degrees(std::asin(loadedWavelength(r, 3) / 5.0)); }},
        {3, "With 3.1 (lambda/w = {0.81})", "Con 3.1 (lambda/w = {0.81})", 0.005,
         [](GuideRun& r) { return loadedWavelength(r, 3) / 3.1; }},
        {3, "near {54} degrees, but none form", "verso {54} gradi, ma non se ne formano", 0.5,
         [](GuideRun& r) { return degrees(std::asin(loadedWavelength(r, 3) / 3.1)); }},
        {3, "Momentum px to 5 (wavelength {1.26})", "Momentum px a 5 (lunghezza d'onda {1.26})", 0.005, packetWavelength(3, 5.0)},
        {3, "the same lambda/w = {0.81} and again no dark line", "lo stesso lambda/w = {0.81} e di nuovo nessuna linea scura", 0.005,
         [](GuideRun& r) { return packetWavelength(3, 5.0)(r) / setting(3, "singleSlitHeightSpinBox")(r); }},
        {3, "V0 raised to 50", "V0 alzato a 50", 0.0, nullptr},
        {3, "opaque at Ekin = {12.5}.", "opaca con Ekin = {12.5}.", 1e-9, [](GuideRun& r) { return std::pow(editedPacket(3, 5.0, &PreparedPacket::meanPx)(r), 2) / (2.0 * mass(r)); }},

        // 4 Double Slit Interference
        {4, "(V0 = {50}, width 0.32)", "(V0 = {50}, spessore 0.32)", 0.0, setting(4, "doubleSlitV0SpinBox")},
        {4, "width {0.32}) at x = 0", "spessore {0.32}) in x = 0", 0.0, setting(4, "doubleSlitWallWidthSpinBox")},
        {4, "at x = {0} has", "in x = {0} ha", 0.0, setting(4, "doubleSlitCenterXSpinBox")},
        {4, "height {0.72} whose", "alte {0.72} con", 0.0, setting(4, "doubleSlitHeightSpinBox")},
        {4, "are {2.2} apart", "distanti {2.2} (Separation)", 0.0, setting(4, "doubleSlitSeparationSpinBox")},
        {4, "(Sigma {3.0}, px 2.5", "(Sigma {3.0}, px 2.5", 0.005, preparedFigure(4, &PreparedPacket::sigmaX)},
        {4, "px {2.5}, wavelength", "px {2.5}, lunghezza", 5e-4, preparedFigure(4, &PreparedPacket::meanPx)},
        {4, "wavelength {2.51}) covers", "lunghezza d'onda {2.51}) copre", 0.005, [](GuideRun& r) { return loadedWavelength(r, 4); }},
        {4, "lambda/d = {1.14} no", "lambda/d = {1.14} non", 0.005, [](GuideRun& r) { return loadedWavelength(r, 4) / r.spinBox("doubleSlitSeparationSpinBox"); }},
        {4, "lambda/(2d) = {0.57}", "lambda/(2d) = {0.57}", 0.005, [](GuideRun& r) { return loadedWavelength(r, 4) / 2.0 / r.spinBox("doubleSlitSeparationSpinBox"); }},
        {4, "dark lines near {35} degrees", "linee scure verso {35} gradi", 1.5,
         [](GuideRun& r) { return std::atan(firstDarkY(r.at(4, 8.0).waveField(), 8.0) / 8.0) * 180.0 / kPi; }},
        {4, "near y = +/-{5.6}", "verso y = +/-{5.6}", 0.4, [](GuideRun& r) { return firstDarkY(r.at(4, 8.0).waveField(), 8.0); }},
        {4, "Detector X = {8}", "Detector X = {8}", 0.0, setting(4, "detectorXSpinBox")},
        {4, "Fixed X {8}, and at t = 8", "Fixed X {8}, e a t = 8", 0.0, setting(4, "detectorXSpinBox")},
        {4, "about {0.2}% through", "circa lo {0.2}%", 0.1,
         [](GuideRun& r) {
             r.until(4, [](GuideRun& g) { return g.now() >= 8.0 - 1e-9; }, 20.0, set("doubleSlitHeightSpinBox", 0.0));
             return 100.0 * figureAfter(r.diagnostics("Scattering", "Probabilities"), "P_right=");
         }},
        {4, "sin(theta) = (n + 1/2) lambda/d", "sin(theta) = (n + 1/2) lambda/d", 0.0, nullptr},
        {4, "After t = 8 choose Shots {1000}", "Dopo t = 8 scegli Shots {1000}", 0.0,
         [](GuideRun& r) {
             auto* shots = control<QComboBox>(r.loaded(4), "measurementShotsComboBox");
             return shots->findText(QStringLiteral("1000")) >= 0 ? 1000.0 : 0.0;
         }},
        {4, "Separation to 5.0: lambda/d = {0.50}", "Separation a 5.0: lambda/d = {0.50}", 0.005,
         [](GuideRun& r) { return loadedWavelength(r, 4) / 5.0; }},
        {4, "at 0 and about +/-{30} degrees", "a 0 e a circa +/-{30} gradi", 0.5,
         [](GuideRun& r) { return degrees(std::asin(loadedWavelength(r, 4) / 5.0)); }},
        {4, "near +/-{14.6} degrees", "verso +/-{14.6} gradi", 0.5,
         darkDirectionOnScreen(4, 8.0, 10.0, set("doubleSlitSeparationSpinBox", 5.0))},
        {4, "screen at x = 8 the fringe spacing near the axis is about lambda L/d = {4}",
         "schermo in x = 8 la distanza fra le frange vicino all'asse e' circa lambda L/d = {4}", 0.1,
         [](GuideRun& r) { return loadedWavelength(r, 4) * r.spinBox("detectorXSpinBox") / 5.0; }},
        {4, "estimates: {8} from the slits", "lontano: a {8} dalle", 0.0, setting(4, "detectorXSpinBox")},
        {4, "Momentum px to 5 (wavelength {1.26})", "Momentum px a 5 (lunghezza d'onda {1.26})", 0.005, packetWavelength(4, 5.0)},
        {4, "Ekin = {12.5}. Lower", "Ekin = {12.5}. Abbassa", 1e-9, [](GuideRun& r) { return std::pow(editedPacket(4, 5.0, &PreparedPacket::meanPx)(r), 2) / (2.0 * mass(r)); }},
        {4, "Lower V0 to 8 and about {40}% of", "Abbassa V0 a 8 e circa il {40}% del", 2.0,
         fromLoad(4, [](GuideRun& r) {
             const double e = px(r) * px(r) / (2.0 * mass(r));
             return 100.0 * SquareBarrier1D::compute(e, 8.0, r.spinBox("doubleSlitWallWidthSpinBox"), mass(r), 1.0).transmission;
         })},
        {4, "seen 8 from the slits out to about {42} degrees", "vista a 8 dalle fenditure, fino a circa {42} gradi", 1.5,
         [](GuideRun& r) {
             r.until(4, [](GuideRun& g) { return g.now() >= 8.0 - 1e-9; }, 20.0, set("doubleSlitV0SpinBox", 8.0));
             return degrees(std::atan(firstDarkY(r.window().waveField(), 8.0) / 8.0));
         }},
        {4, "Mode Detector screen temporal flux", "Mode Detector screen temporal flux", 0.0, nullptr},
        {4, "press Sample arrivals", "premi Sample arrivals", 0.0, nullptr},
        {4, "is nearly flat here, because each opening is narrower than half a wavelength",
         "qui e' quasi piatto, perche' ogni apertura e' piu' stretta di mezza lunghezza d'onda", 0.0, nullptr},

        // 7 Resonant Tunneling (Double Barrier)
        {7, "height {4.5} and thickness", "alte {4.5} e spesse", 0.0, [](GuideRun& r) { r.asLoaded(7); return figureAfter(r.diagnostics("Resonance", "Double barrier"), "V1="); }},
        {7, "thickness {0.64} stand", "spesse {0.64} stanno", 0.0, [](GuideRun& r) { r.asLoaded(7); return figureAfter(r.diagnostics("Resonance", "Double barrier"), "a1="); }},
        {7, "width L = {1.76}", "larga L = {1.76}", 5e-4, [](GuideRun& r) { r.asLoaded(7); return figureAfter(r.diagnostics("Resonance", "Double barrier"), "L="); }},
        {7, "x = -1.2 and x = +{1.2}", "x = -1.2 e x = +{1.2}", 1e-6, [](GuideRun& r) { return double(r.asLoaded(7).scene().objects().back().centerX); }},
        {7, "at x = {-1.2}", "in x = {-1.2}", 1e-6, [](GuideRun& r) { return double(r.asLoaded(7).scene().objects().front().centerX); }},
        {7, "{81.92} wide", "largo {81.92}", 0.0, setting(7, "universeWidthSpinBox")},
        {7, "(Sigma {2.4}, px", "(Sigma {2.4}, px", 0.005, preparedFigure(7, &PreparedPacket::sigmaX)},
        {7, "px {2.5}, Ex", "px {2.5}, Ex", 5e-4, preparedFigure(7, &PreparedPacket::meanPx)},
        {7, "Ex = {3.125}) starts", "Ex = {3.125}) parte", 5e-4, fromLoad(7, [](GuideRun& r) { return px(r) * px(r) / 2.0 / mass(r); })},
        {7, "T = {0.344} at this", "T = {0.344} a questa", 5e-4, planeWaveFigure(7, "T1=")},
        {7, "T1 T2/(1 - R1 R2) = {0.21} (with R = 1 - T)", "T1 T2/(1 - R1 R2) = {0.21} (con R = 1 - T)", 0.005,
         [](GuideRun& r) {
             r.asLoaded(7);
             const QString row = r.diagnostics("Tunneling", "Plane-wave theory");
             const double t1 = figureAfter(row, "T1="), t2 = figureAfter(row, "T2=");
             return t1 * t2 / (1.0 - (1.0 - t1) * (1.0 - t2));
         }},
        {7, "peaks at Ex = {3.12} (the summary's sweep peak)", "ha il picco a Ex = {3.12} (il picco", 0.01, [](GuideRun& r) { r.asLoaded(7); return figureAfter(r.label("resonanceSummaryLabel"), "sweep peak: E="); }},
        {7, "double T = {0.999} in the row", "double T = {0.999} nella riga", 5e-4, planeWaveFigure(7, "double T=")},
        {7, "call packet T: {0.380}.", "chiamano packet T: {0.380}.", 5e-4, [](GuideRun& r) { r.asLoaded(7); return figureAfter(r.diagnostics("Resonance", "Cavity / reference"), "packet T="); }},
        {7, "about {2.4} here", "circa {2.4} qui", 0.1, [](GuideRun& r) { return 1.0 / pageResonance(r, 2.0, 4.4).width; }},
        {7, "about {0.41} wide", "larga circa {0.41}", 0.01, [](GuideRun& r) { return pageResonance(r, 2.0, 4.4).width; }},
        {7, "spread is about {0.5}", "pacchetto circa {0.5}", 0.05,
         fromLoad(7, [](GuideRun& r) { return px(r) / mass(r) * r.prepared().sigmaPx; })},
        {7, "Near t = {14.1} the run", "Verso t = {14.1} la corsa", 0.05, pauseTime(7)},
        {7, "P_T, about {0.375}", "P_T misurata, circa {0.375}", 0.0015, pausedFigure(7, "P_T=")},
        {7, "(cells of {0.16} slightly smooth", "(celle di {0.16} smussano", 1e-6, [](GuideRun& r) { return double(r.asLoaded(7).waveField().dx()); }},
        {7, "(the summary reads Ex = {0.81})", "(il riepilogo legge Ex = {0.81})", 0.005,
         [](GuideRun& r) {
             r.edited(7, set("momentumSpinBox", 1.27));
             return figureAfter(r.label("resonanceSummaryLabel"), "Ex=");
         }},
        {7, "to {1.27} (the summary reads", "a {1.27} (il riepilogo", 0.01,
         [](GuideRun& r) {
             const double energy = pageResonance(r, 0.3, 1.5).energy;
             return std::sqrt(2.0 * mass(r) * energy);
         }},
        {7, "only {0.04} wide", "solo {0.04}", 0.01, [](GuideRun& r) { return pageResonance(r, 0.3, 1.5).width; }},
        {7, "the stationary T is only {0.09}", "la T stazionaria vale solo {0.09}", 0.005,
         [](GuideRun& r) {
             r.edited(7, set("momentumSpinBox", 1.27));
             return figureAfter(r.diagnostics("Resonance", "Cavity / reference"), "packet T=");
         }},
        {7, "Sigma to {4}: the energy", "Sigma a {4}: la dispersione", 0.0, nullptr},
        {7, "about {26} time units (hbar/Gamma)", "circa {26} unita' di tempo (hbar/Gamma)", 1.0,
         [](GuideRun& r) { return 1.0 / pageResonance(r, 0.3, 1.5).width; }},
        {7, "near t = {39}, and the measured P_T", "verso t = {39}, e la P_T misurata", 0.5,
         [](GuideRun& r) {
             const auto split = [](GuideRun& g) { return g.separated(); };
             return r.until(7, split, 60.0, set("momentumSpinBox", 1.27)) ? r.now()
                                                                          : std::numeric_limits<double>::quiet_NaN();
         }},
        {26, "falls back to {57} percent", "ricade al {57} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 26, withoutEcho(0.06)); }},
        {26, "recovers about {82} percent", "recupera ancora circa l'{82} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 26, set("ramseyEnsembleSigmaSpinBox", 0.12)); }},
        {26, "down to about {52} percent", "a circa il {52} per cento", 0.5,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 26, withoutEcho(0.12)); }},
        {26, "0.02: about {98} percent", "0.02: circa il {98} per cento", 1.0,
         [](GuideRun& r) { return 100.0 * ensembleMeanP1(r, 26, set("ramseyEnsembleSigmaSpinBox", 0.02)); }},
    };
    return claims;
}

// The guides whose every number is a claim above.
const std::vector<int> kCompleteGuides = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                          14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26};

// The guides in groups that each take under half a minute on an idle
// machine, so that each stays well inside a few minutes on a busy one.
TEST(GuideClaimsEarly, FreePacketAndBarrierGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 0, 1); }

TEST(GuideClaimsEarly, TunnellingGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 2, 2); }

TEST(GuideClaimsEarly, SingleSlitGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 3, 3); }

TEST(GuideClaimsEarly, DoubleSlitGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 4, 4); }

TEST(GuideClaimsEarly, ObstacleAndWedgeGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 5, 6); }

TEST(GuideClaimsEarly, ResonantTunnellingGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 7, 7); }

TEST(GuideClaimsEarly, HarmonicTrapGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 8, 8); }

// The Gaussian and the finite well, the measured packet.
TEST(GuideClaimsEarly, WellAndMeasurementGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 9, 11); }

// The double well and the quench.
TEST(GuideClaimsEarly, DoubleWellAndQuenchGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 12, 13); }

// The driven trap off and at resonance, the driven double well off it.
TEST(GuideClaimsEarly, DrivenGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 14, 16); }

// The Rabi resonance and the fast sweep.
TEST(GuideClaimsEarly, RabiAndDiabaticSweepGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 17, 18); }

TEST(GuideClaimsEarly, AdiabaticSweepGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 19, 19); }

TEST(GuideClaimsEarly, StueckelbergGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 20, 21); }

TEST(GuideClaimsEarly, RamseyTransferGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 22, 22); }

TEST(GuideClaimsEarly, RamseyReturnGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 23, 23); }

TEST(GuideClaimsEarly, HahnEchoGuideQuotesWhatTheProgramShows) { checkClaims(earlyClaims(), 24, 24); }

TEST(GuideClaimsEarly, EnsembleGuidesQuoteWhatTheProgramShows) { checkClaims(earlyClaims(), 25, 26); }

TEST(GuideClaimsEarly, EveryNumberOfTheCheckedGuidesIsClaimed) { checkCoverage(kCompleteGuides, earlyClaims()); }

// Words of a guide that name a control, against the text the control shows
// on the preset as Load leaves it (a label's or a button's text, a combo
// box's current item), once `choice` is chosen in the combo box `chooser`.
struct ControlWords {
    int preset;
    const char* english;
    const char* italian;
    const char* control;
    const char* shown;
    const char* chooser = nullptr;
    const char* choice = nullptr;
};

QString shownText(const MainWindow& window, const char* name)
{
    const auto* object = window.findChild<QWidget*>(QLatin1String(name));
    if (const auto* label = qobject_cast<const QLabel*>(object))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(object))
        return button->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(object))
        return combo->currentText();
    return QStringLiteral("(no such control)");
}

TEST(GuideClaimsEarly, ControlsTheGuidesNameShowTheirWords)
{
    const ControlWords rows[] = {
        {2, "keeps Display scale at Linear", "lascia Display scale su Linear", "displayScaleLabel", "Display scale"},
        {2, "keeps Display scale at Linear", "lascia Display scale su Linear", "displayScaleComboBox", "Linear"},
        {2, "whose Level spacing is Logarithmic", "con Level spacing Logarithmic", "probabilityContourSpacingLabel",
         "Level spacing"},
        {2, "whose Level spacing is Logarithmic", "con Level spacing Logarithmic", "probabilityContourSpacingComboBox",
         "Logarithmic"},
        {4, "choose Section Vertical: vary Y and Fixed X", "scegli Section Vertical: vary Y e Fixed X",
         "crossSectionAxisLabel", "Section"},
        {4, "choose Section Vertical: vary Y and Fixed X", "scegli Section Vertical: vary Y e Fixed X",
         "crossSectionPositionLabel", "Fixed X", "crossSectionAxisComboBox", "Vertical: vary Y"},
        {5, "Cross-section across x = 3 (Vertical: vary Y)", "Cross-section attraverso x = 3 (Vertical: vary Y)",
         "crossSectionAxisComboBox", "Vertical: vary Y", "crossSectionAxisComboBox", "Vertical: vary Y"},
        {12, "then Compute states on the Bound states page", "poi Compute states nella pagina Bound states",
         "boundComputeButton", "Compute states"},
        {12, "press Prepare superposition on the Bound states page", "premi Prepare superposition nella pagina Bound",
         "boundPrepareSuperpositionButton", "Prepare superposition"},
        {20, "the Duration and the Return duration", "la Duration e la Return duration",
         "linearSweepReturnDurationLabel", "Return duration"},
        {21, "A change of the Return duration", "cambiare la Return duration", "linearSweepReturnDurationLabel",
         "Return duration"},
        {24, "with Echo pi duration 25.75", "con Echo pi duration 25.75", "ramseyEchoDurationLabel",
         "Echo pi duration"},
        {24, "at Echo pi phase 90 deg", "e Echo pi phase 90 deg", "ramseyEchoPhaseLabel", "Echo pi phase"},
        {24, "Second pulse phase 798.3", "Second pulse phase 798.3", "ramseySecondPhaseLabel", "Second pulse phase"},
    };
    GuideRun run;
    for (const ControlWords& row : rows) {
        SCOPED_TRACE(row.english);
        EXPECT_NE(std::string(presetGuideEnglish(std::uint32_t(row.preset))).find(row.english), std::string::npos)
            << "not in the English page";
        EXPECT_NE(std::string(presetGuideItalian(std::uint32_t(row.preset))).find(row.italian), std::string::npos)
            << "not in the Italian page";
        MainWindow& w = run.loaded(row.preset);
        if (row.chooser) {
            auto* chooser = control<QComboBox>(w, row.chooser);
            ASSERT_GE(chooser->findText(QLatin1String(row.choice)), 0) << row.chooser << " offers no " << row.choice;
            chooser->setCurrentIndex(chooser->findText(QLatin1String(row.choice)));
        }
        EXPECT_EQ(shownText(w, row.control).toStdString(), row.shown) << row.control;
    }
}

} // namespace
} // namespace vxo::test
