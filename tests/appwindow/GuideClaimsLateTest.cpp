// The guides of the guided experiments 27 to 53 (lattices, boxes, billiards,
// combs, traps, rotors, measurements, echoes, shutters, gratings, fields and
// the Dirac barriers) against what the program shows at each preset's
// settings. Each claim is a number a guide quotes in both languages; how it
// is measured follows the guide's own "look at": the summary of the page it
// names, read at the time it names, or the form as Load leaves it.

#include "GuideClaims.h"

#include "core/PotentialScene.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentPreset.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace vxo::test::late_guides {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHbarSI = 1.054571817e-34;
constexpr double kElementaryCharge = 1.602176634e-19;

using Measure = std::function<double(GuideRun&)>;

// A figure of a page's summary label at `time`.
Measure summaryAt(int preset, double time, const char* label, const char* key)
{
    return [=](GuideRun& r) {
        r.at(preset, time);
        return figureAfter(r.label(label), key);
    };
}

// A control of the form as Load leaves it.
Measure formValue(int preset, const char* spinBox)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        return r.spinBox(spinBox);
    };
}

// A value the guide asks the class to type: the control takes it as written
// (inside its range, with the digits it shows).
Measure typedInto(int preset, const char* spinBox, double value)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        auto* box = control<QDoubleSpinBox>(r.window(), spinBox);
        box->setValue(value);
        const double taken = box->value();
        r.loaded(preset);
        return taken;
    };
}

// A number that follows from the loaded form or page: `formula` after Load.
Measure afterLoad(int preset, std::function<double(GuideRun&)> formula)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        return formula(r);
    };
}

// The value of the first scene object of `kind` as Load leaves the scene.
Measure sceneObject(int preset, PotentialObjectKind kind, double (*read)(const PotentialObject&))
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        for (const PotentialObject& object : r.window().scene().objects())
            if (object.kind == kind)
                return read(object);
        return std::nan("");
    };
}

// A speed the speed selector offers ("4.00x" for the guide's 4x).
Measure speedOffered(int preset, double factor)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        const auto* speeds = control<QComboBox>(r.window(), "speedComboBox");
        for (int i = 0; i < speeds->count(); ++i) {
            const double offered = speeds->itemText(i).chopped(1).toDouble();
            if (offered == factor)
                return offered;
        }
        return std::nan("");
    };
}

// The largest value of a summary figure over the steps from `from` to `to`
// and the time of the step that showed it, as a class watching the page
// would find them. Kept per window so that the time and the value of one
// peak are read from one run.
struct Peak {
    double time = std::nan("");
    double value = -1e300;
};
Peak peakOf(GuideRun& r, int preset, double from, double to, const char* label, const char* key)
{
    static std::map<std::tuple<const void*, int, double, double, std::string, std::string>, Peak> found;
    const auto id =
        std::make_tuple(static_cast<const void*>(&r.window()), preset, from, to, std::string(label), std::string(key));
    if (found.count(id))
        return found[id];
    r.at(preset, from);
    Peak peak;
    while (r.now() < to) {
        const double before = r.now();
        r.window().stepOnce();
        const double value = figureAfter(r.label(label), key);
        if (value > peak.value)
            peak = {r.now(), value};
        if (r.now() <= before)
            break;
    }
    return found[id] = peak;
}
Measure peakTime(int preset, double from, double to, const char* label, const char* key)
{
    return [=](GuideRun& r) { return peakOf(r, preset, from, to, label, key).time; };
}
Measure peakValue(int preset, double from, double to, const char* label, const char* key)
{
    return [=](GuideRun& r) { return peakOf(r, preset, from, to, label, key).value; };
}

// The catalogue's indicative time unit of a preset, in seconds.
double timeUnit(int preset) { return makeExperimentPreset(std::uint32_t(preset)).realWorldScale.timeUnit; }
double lengthUnit(int preset) { return makeExperimentPreset(std::uint32_t(preset)).realWorldScale.lengthUnit; }

double px(GuideRun& r) { return r.spinBox("momentumSpinBox"); }
double py(GuideRun& r) { return r.spinBox("momentumYSpinBox"); }
double mass(GuideRun& r) { return r.spinBox("massSpinBox"); }

// The labels of the pages the guides send the class to.
const char* const kRotor = "kickedRotorSummaryLabel";
const char* const kAharonovBohm = "aharonovBohmSummaryLabel";
const char* const kLandau = "landauSummaryLabel";

// The packet's width along y, sqrt(<y^2> - <y>^2).
double sigmaY(const ComplexField2D& psi)
{
    double norm = 0.0, first = 0.0, second = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        const double y = (j - (psi.ny() - 1) / 2.0) * psi.dy();
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double p = std::norm(psi.data()[j * psi.nx() + i]);
            norm += p;
            first += p * y;
            second += p * y * y;
        }
    }
    return std::sqrt(second / norm - std::pow(first / norm, 2));
}

// The revival box's inner side as its page prints it.
double revivalBox(GuideRun& r) { return figureAfter(r.label("revivalSummaryLabel"), "box "); }

// The Landau page after a Landau eigenstate of index `n` is prepared on the
// tab and applied, as the guide's "Try this" has it.
Measure landauEigenstate(int n, const char* key)
{
    return [=](GuideRun& r) {
        MainWindow& w = r.loaded(43);
        auto* preparation = control<QComboBox>(w, "landauPreparationComboBox");
        preparation->setCurrentIndex(preparation->findText(QStringLiteral("Landau eigenstate")));
        control<QSpinBox>(w, "landauIndexSpinBox")->setValue(n);
        click(w, "landauApplyButton");
        for (int i = 0; i < 20; ++i)
            w.stepOnce();
        const double value = figureAfter(r.label("landauSummaryLabel"), key);
        r.loaded(43);
        return value;
    };
}

const std::vector<GuideClaim>& lateClaims()
{
    using Kind = PotentialObjectKind;
    static const std::vector<GuideClaim> claims = {
        // 28 Wave-Packet Revivals: the fidelity the summary prints, watched
        // around the quarter and the full revival.
        {28, "Four walls of height {120}", "Quattro pareti alte {120}", 0.0,
         sceneObject(28, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {28, "inner side L = {6.4}", "interno di lato L = {6.4}", 0.005, afterLoad(28, revivalBox)},
        {28, "(Sigma {0.55})", "(Sigma {0.55})", 0.0, formValue(28, "sigmaSpinBox")},
        {28, "starts at ({-1.3}, -0.8) with momentum (2.6, 1.8)", "parte da ({-1.3}, -0.8) con impulso (2.6, 1.8)", 0.0,
         formValue(28, "centerXSpinBox")},
        {28, "starts at (-1.3, {-0.8}) with momentum (2.6, 1.8)", "parte da (-1.3, {-0.8}) con impulso (2.6, 1.8)", 0.0,
         formValue(28, "centerYSpinBox")},
        {28, "with momentum ({2.6}, 1.8)", "con impulso ({2.6}, 1.8)", 0.0, formValue(28, "momentumSpinBox")},
        {28, "with momentum (2.6, {1.8})", "con impulso (2.6, {1.8})", 0.0, formValue(28, "momentumYSpinBox")},
        {28, "kinetic energy, about {5}", "energia cinetica, circa {5}", 0.5,
         afterLoad(28, [](GuideRun& r) { return (px(r) * px(r) + py(r) * py(r)) / (2.0 * mass(r)); })},
        {28, "E_n = n^2 pi^2 hbar^2/(2 m L^2), are all integer multiples of E_1, so every phase returns together "
             "after T_rev = 4 m L^2/(pi hbar) = {52.2}",
         "E_n = n^2 &pi;^2 hbar^2/(2 m L^2), sono tutti multipli interi di E_1, quindi tutte le fasi tornano "
         "insieme dopo T_rev = 4 m L^2/(&pi; hbar) = {52.2}",
         0.05, afterLoad(28, [](GuideRun& r) { return 4.0 * mass(r) * std::pow(revivalBox(r), 2) / kPi; })},
        {28, "The walls of this box are {120} high", "Le pareti di questa scatola sono alte {120}", 0.0,
         sceneObject(28, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {28, "at a quarter ({13.8})", "a un quarto ({13.8})", 0.05,
         peakTime(28, 11.0, 16.0, "revivalSummaryLabel", "fidelity=")},
        {28, "|&lt;psi(0)|psi(t)&gt;|^2 that the summary prints: about {0.25}",
         "|&lt;psi(0)|psi(t)&gt;|^2 che il riepilogo stampa: circa {0.25}", 0.03,
         peakValue(28, 11.0, 16.0, "revivalSummaryLabel", "fidelity=")},
        {28, "classical periods 2L/v of {4.9} along x and 7.1 along y", "periodi classici 2L/v di {4.9} lungo x e 7.1 lungo y",
         0.05, afterLoad(28, [](GuideRun& r) { return 2.0 * revivalBox(r) * mass(r) / px(r); })},
        {28, "2L/v of 4.9 along x and {7.1} along y", "2L/v di 4.9 lungo x e {7.1} lungo y", 0.05,
         afterLoad(28, [](GuideRun& r) { return 2.0 * revivalBox(r) * mass(r) / py(r); })},
        {28, "close to {0} at half", "quasi {0} a meta'", 0.05,
         [](GuideRun& r) {
             const double half = peakOf(r, 28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=").time / 2.0;
             r.at(28, half);
             return figureAfter(r.label("revivalSummaryLabel"), "fidelity=");
         }},
        {28, "come back together at t = {55.0}", "si ritrovano a t = {55.0}", 0.1,
         peakTime(28, 50.0, 60.0, "revivalSummaryLabel", "fidelity="),
         "(the page's marker moves there with the mended revival reference)"},
        {28, "near t = {55}, the original", "verso t = {55}, il pacchetto", 0.5,
         peakTime(28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=")},
        {28, "back to {0.99} at t = 55.0", "di nuovo {0.99} a t = 55.0", 0.02,
         peakValue(28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=")},
        {28, "Use Speed {4}x or 8x", "Usa Speed {4}x o 8x", 0.0, speedOffered(28, 4.0)},
        {28, "Use Speed 4x or {8}x", "Usa Speed 4x o {8}x", 0.0, speedOffered(28, 8.0)},
        {28, "Set Mass m to {2}", "Porta Mass m a {2}", 0.0, typedInto(28, "massSpinBox", 2.0)},
        {28, "Set Sigma to {0.35}", "Porta Sigma a {0.35}", 0.0, typedInto(28, "sigmaSpinBox", 0.35)},
        {28, "Rb-87 mapping the full revival takes about {75} ms", "Rb-87 il revival completo dura circa {75} ms", 1.0,
         [](GuideRun& r) {
             return peakOf(r, 28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=").time * timeUnit(28) * 1e3;
         }},
        // 35 Kicked Rotor: the page's summary after the kicks the guide counts
        // (kicks at 0.2, 1.2, ...: fifty of them by t = 49.5).
        {35, "The periodic x direction, L = {20.48}, is the angle of a rotor, theta = 2 pi x/L",
         "La direzione x periodica, L = {20.48}, e' l'angolo di un rotore, theta = 2&pi; x/L", 0.0,
         formValue(35, "universeWidthSpinBox")},
        {35, "(curvature {0.494}, mass 0.1)", "(curvatura {0.494}, massa 0.1)", 5e-4,
         sceneObject(35, Kind::Harmonic, [](const PotentialObject& o) { return double(o.curvatureY); })},
        {35, "(curvature 0.494, mass {0.1})", "(curvatura 0.494, massa {0.1})", 0.0, formValue(35, "massSpinBox")},
        {35, "ground state of width {1.5}", "stato fondamentale di larghezza {1.5}", 0.05,
         afterLoad(35, [](GuideRun& r) { return sigmaY(r.window().waveField()); })},
        {35, "momentum mode n = {0}", "modo di impulso n = {0}", 1e-3,
         afterLoad(35, [](GuideRun& r) { return std::sqrt(figureAfter(r.label(kRotor), "quantum=")); })},
        {35, "From t = {0.2}, every T = 1", "Dal tempo {0.2}, ogni T = 1", 1e-3, summaryAt(35, 0.0, kRotor, "next=")},
        {35, "every T = {1}, an instantaneous", "ogni T = {1}, un calcio", 1e-3, summaryAt(35, 0.0, kRotor, "T=")},
        {35, "exp(-i k cos(theta)) with k = {6}", "exp(-i k cos(theta)) con k = {6}", 1e-3,
         summaryAt(35, 0.0, kRotor, "k=")},
        {35, "tau = (2 pi/L)^2 hbar T/m = {0.94}", "tau = (2&pi;/L)^2 hbar T/m = {0.94}", 0.005,
         summaryAt(35, 0.0, kRotor, "tau=")},
        {35, "K = k tau = {5.6}, well above", "K = k tau = {5.6}, ben sopra", 0.05,
         summaryAt(35, 0.0, kRotor, "classical K=")},
        {35, "&lt;n^2&gt; grows by k^2/2 = {18} per kick", "&lt;n^2&gt; cresce di k^2/2 = {18} per calcio", 0.01,
         afterLoad(35, [](GuideRun& r) { return std::pow(figureAfter(r.label(kRotor), "k="), 2) / 2.0; })},
        {35, "at K = {5.6} the correlations", "a K = {5.6} le correlazioni", 0.05, summaryAt(35, 0.0, kRotor, "classical K=")},
        {35, "raise the rate to about {25} per kick", "alzano il ritmo a circa {25} per calcio", 1.0,
         [](GuideRun& r) {
             const double after10 = summaryAt(35, 9.5, kRotor, "classical=")(r);
             return (summaryAt(35, 49.5, kRotor, "classical=")(r) - after10) / 40.0;
         }},
        {35, "After {50} kicks the classical &lt;n^2&gt;", "Dopo {50} calci il &lt;n^2&gt; classico", 0.0, summaryAt(35, 49.5, kRotor, "kicks=")},
        {35, "the classical &lt;n^2&gt; passes {1200}", "classico supera {1200}", 100.0,
         summaryAt(35, 49.5, kRotor, "classical=")},
        {35, "the quantum one stays near {150}", "quello quantistico resta vicino a {150}", 30.0,
         summaryAt(35, 49.5, kRotor, "quantum=")},
        {35, "Set Kick k=K/hbar to {3}", "Porta Kick k=K/hbar a {3}", 0.0, typedInto(35, "kickedRotorStrengthSpinBox", 3.0)},
        {35, "K = {2.8}, slower diffusion", "K = {2.8}, diffusione", 0.05,
         afterLoad(35, [](GuideRun& r) { return 3.0 * figureAfter(r.label(kRotor), "tau="); })},
        {35, "Set Kick period T to {0.5}", "Porta Kick period T a {0.5}", 0.0, typedInto(35, "kickedRotorPeriodSpinBox", 0.5)},
        {35, "about {0.75} microseconds", "circa {0.75} microsecondi", 0.005,
         [](GuideRun&) { return timeUnit(35) * 1e6; }},

        // 42 Aharonov-Bohm: the A-B tab and the page's summary.
        {42, "solenoid of radius {1.25}", "solenoide di raggio {1.25}", 0.0, formValue(42, "aharonovBohmRadiusSpinBox")},
        {42, "potential of {140}, far above", "potenziale di {140}, molto sopra", 0.0,
         formValue(42, "aharonovBohmBarrierSpinBox")},
        {42, "the packet energy of {8}", "l'energia del pacchetto, {8}", 0.01,
         afterLoad(42, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {42, "Phi = {0.5} Phi0 (Phi0 = 2 pi hbar/q); outside B = 0", "Phi = {0.5} Phi0 (Phi0 = 2&pi; hbar/q); fuori B = 0",
         1e-3, summaryAt(42, 0.0, kAharonovBohm, "Phi/Phi0=")},
        {42, "(Sigma {2.2}, px 4, wavelength 1.57)", "(Sigma {2.2}, px 4, lunghezza d'onda 1.57)", 0.0,
         formValue(42, "sigmaSpinBox")},
        {42, "px {4}, wavelength", "px {4}, lunghezza", 0.0, formValue(42, "momentumSpinBox")},
        {42, "wavelength {1.57}", "lunghezza d'onda {1.57}", 0.005,
         afterLoad(42, [](GuideRun& r) { return 2.0 * kPi / px(r); })},
        {42, "comes from x = {-8}", "arriva da x = {-8}", 0.0, formValue(42, "centerXSpinBox")},
        {42, "relative phase 2 pi Phi/Phi0, here {180} degrees", "fase relativa 2&pi; Phi/Phi0, qui {180} gradi", 0.05,
         summaryAt(42, 0.0, kAharonovBohm, "AB phase=")},
        {42, "viewport at x = {8} is the screen of the Detector tab", "viewport in x = {8} e' lo schermo della scheda Detector",
         0.0, formValue(42, "detectorXSpinBox")},
        {42, "its own line at x = {7}", "propria linea in x = {7}", 0.0, formValue(42, "aharonovBohmDetectorXSpinBox")},
        {42, "The wall of {140} is finite", "La parete di {140} e' finita", 0.0, formValue(42, "aharonovBohmBarrierSpinBox")},
        {42, "detector line x = {7} against", "linea del rivelatore x = {7} contro", 0.0,
         formValue(42, "aharonovBohmDetectorXSpinBox")},
        {42, "recorded up to t = {5}", "registrata fino a t = {5}", 1e-3, summaryAt(42, 0.0, kAharonovBohm, " / ")},
        {42, "Flux Phi/Phi0 to {0} and press", "Flux Phi/Phi0 a {0} e premi", 0.0,
         typedInto(42, "aharonovBohmFluxSpinBox", 0.0)},
        {42, "Set it to {1.0}: the pattern is the same as at 0", "Portalo a {1.0}: la figura e' la stessa che a 0", 0.0,
         typedInto(42, "aharonovBohmFluxSpinBox", 1.0)},
        {42, "Set it to {0.25}", "Portalo a {0.25}", 0.0, typedInto(42, "aharonovBohmFluxSpinBox", 0.25)},

        // 43 Landau levels: the Landau page's summary, the fidelity watched
        // around the return.
        {43, "b = qB/hbar = {0.45} fills", "b = qB/hbar = {0.45} riempie", 0.0, formValue(43, "landauFieldSpinBox")},
        {43, "With m = {1} the cyclotron", "Con m = {1} la frequenza", 0.0, formValue(43, "massSpinBox")},
        {43, "omega_c = hbar b/m = {0.45} (period 13.96)", "omega_c = hbar b/m = {0.45} (periodo 13.96)", 5e-4,
         summaryAt(43, 0.0, kLandau, "omega_c=")},
        {43, "(period {13.96})", "(periodo {13.96})", 0.005,
         afterLoad(43, [](GuideRun& r) { return 2.0 * kPi / figureAfter(r.label(kLandau), "omega_c="); })},
        {43, "l_B = 1/sqrt(b) = {1.49}", "l_B = 1/sqrt(b) = {1.49}", 0.005, summaryAt(43, 0.0, kLandau, "lB=")},
        {43, "E_n = (n + 1/2) hbar omega_c = {0.225}, 0.675, 1.125", "E_n = (n + 1/2) hbar omega_c = {0.225}, 0.675, 1.125",
         5e-4, summaryAt(43, 0.0, kLandau, "E_n=")},
        {43, "E_n = (n + 1/2) hbar omega_c = 0.225, {0.675}, 1.125", "E_n = (n + 1/2) hbar omega_c = 0.225, {0.675}, 1.125",
         5e-4, afterLoad(43, [](GuideRun& r) { return 1.5 * figureAfter(r.label(kLandau), "omega_c="); })},
        {43, "E_n = (n + 1/2) hbar omega_c = 0.225, 0.675, {1.125}", "E_n = (n + 1/2) hbar omega_c = 0.225, 0.675, {1.125}",
         5e-4, afterLoad(43, [](GuideRun& r) { return 2.5 * figureAfter(r.label(kLandau), "omega_c="); })},
        {43, "centred at ({-5}, 0)", "centrato in ({-5}, 0)", 0.0, formValue(43, "centerXSpinBox")},
        {43, "centred at (-5, {0})", "centrato in (-5, {0})", 0.0, formValue(43, "centerYSpinBox")},
        {43, "hbar b R = {2.25} along +y for an orbit of radius R = 5",
         "hbar b R = {2.25} lungo +y per un'orbita di raggio R = 5", 5e-4,
         afterLoad(43, [](GuideRun& r) { return r.spinBox("landauFieldSpinBox") * r.spinBox("landauOrbitRadiusSpinBox"); })},
        {43, "orbit of radius R = {5} around", "orbita di raggio R = {5} attorno", 0.0,
         formValue(43, "landauOrbitRadiusSpinBox")},
        {43, "on a circle of radius {5} and is back after 13.96", "su un cerchio di raggio {5} e torna dopo 13.96", 0.05,
         [](GuideRun& r) {
             r.at(43, 7.0);
             const ObservableSample& s = r.window().observableHistory().newest();
             return std::hypot(s.meanX, s.meanY);
         }},
        {43, "is back after {13.96}", "torna dopo {13.96}", 0.3, peakTime(43, 12.0, 15.0, kLandau, "fidelity=")},
        {43, "comes back to about {0.99} at the return", "torna a circa {0.99} al ritorno", 0.02,
         peakValue(43, 12.0, 15.0, kLandau, "fidelity=")},
        {43, "its peak on the page comes at t = {14.2}", "il suo picco nella pagina arriva a t = {14.2}", 0.1,
         peakTime(43, 12.0, 15.0, kLandau, "fidelity=")},
        {43, "(hbar b R)^2/(2m) + hbar omega_c/2 = {2.76}", "(hbar b R)^2/(2m) + hbar omega_c/2 = {2.76}", 0.005,
         afterLoad(43,
                   [](GuideRun& r) {
                       const double b = r.spinBox("landauFieldSpinBox");
                       return (std::pow(b * r.spinBox("landauOrbitRadiusSpinBox"), 2) + b) / (2.0 * mass(r));
                   })},
        {43, "the summary shows E = {2.72}, constant", "il riepilogo mostra E = {2.72}, costante", 0.005,
         summaryAt(43, 15.0, kLandau, "E=")},
        {43, "covers {15} time units", "copre {15} unita'", 1e-3, summaryAt(43, 0.0, kLandau, " / ")},
        {43, "Landau index n = {0} and press Apply / Reset: the state is stationary, the fidelity stays at 1 and the energy is 0.225",
         "Landau index n = {0} e premi Apply / Reset: lo stato e' stazionario, la fedelta' resta 1 e l'energia e' 0.225", 0.0,
         landauEigenstate(0, "Landau n=")},
        {43, "the fidelity stays at {1} and", "la fedelta' resta {1} e", 0.01, landauEigenstate(0, "fidelity=")},
        {43, "and the energy is {0.225}", "e l'energia e' {0.225}", 5e-4, landauEigenstate(0, "E=")},
        {43, "With n = {1} and n = 2 the levels are 0.675 and 1.125", "Con n = {1} e n = 2 i livelli sono 0.675 e 1.125", 0.0,
         landauEigenstate(1, "Landau n=")},
        {43, "With n = 1 and n = {2}", "Con n = 1 e n = {2}", 0.0, landauEigenstate(2, "Landau n=")},
        {43, "the levels are {0.675}", "i livelli sono {0.675}", 5e-4, landauEigenstate(1, "E_n=")},
        {43, "the summary shows {0.673} and 1.121", "il riepilogo mostra {0.673} e 1.121", 0.002, landauEigenstate(1, "E=")},
        {43, "the summary shows 0.673 and {1.121}", "il riepilogo mostra 0.673 e {1.121}", 0.002, landauEigenstate(2, "E=")},
        {43, "the levels are 0.675 and {1.125}", "i livelli sono 0.675 e {1.125}", 5e-4, landauEigenstate(2, "E_n=")},
        {43, "b = qB / hbar to {-0.45}", "b = qB / hbar a {-0.45}", 0.0, typedInto(43, "landauFieldSpinBox", -0.45)},
        {43, "Cyclotron radius R to {3}", "Cyclotron radius R a {3}", 0.0, typedInto(43, "landauOrbitRadiusSpinBox", 3.0)},
        {43, "one time unit is {1.45} ps", "un'unita' di tempo vale {1.45} ps", 0.005,
         [](GuideRun&) { return timeUnit(43) * 1e12; }},
        {43, "b = 0.45 corresponds to about {0.12} T", "b = 0.45 corrisponde a circa {0.12} T", 0.005,
         afterLoad(43,
                   [](GuideRun& r) {
                       return r.spinBox("landauFieldSpinBox") * kHbarSI /
                              (kElementaryCharge * std::pow(lengthUnit(43), 2));
                   })},
    };
    return claims;
}

// The guides whose every number is a claim above.
const std::vector<int> kCompleteGuides = {28, 35, 42, 43};

TEST(GuideClaimsLate, EveryQuotedNumberIsWhatTheProgramShows)
{
    GuideRun run;
    for (const GuideClaim& claim : lateClaims()) {
        SCOPED_TRACE(claim.english);
        checkClaim(run, claim);
    }
}

TEST(GuideClaimsLate, EveryNumberOfTheCheckedGuidesIsClaimed) { checkCoverage(kCompleteGuides, lateClaims()); }

} // namespace vxo::test::late_guides
