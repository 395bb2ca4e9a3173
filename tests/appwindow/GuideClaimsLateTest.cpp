// The guides of the guided experiments 27 to 53 (lattices, boxes, billiards,
// combs, traps, rotors, measurements, echoes, shutters, gratings, fields and
// the Dirac barriers) against what the program shows at each preset's
// settings. Each claim is a number a guide quotes in both languages; how it
// is measured follows the guide's own "look at": the summary of the page it
// names, read at the time it names, or the form as Load leaves it.

#include "GuideClaims.h"
#include "tests/experiments/KleinTransferMatrix.h"

#include "app/panels/KleinReferencePages.h"
#include "core/PotentialScene.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentPreset.h"
#include "experiments/KleinBarrierReference.h"
#include "experiments/KleinScans.h"
#include "experiments/LandauRecorder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
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
        r.asLoaded(preset);
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
        r.asLoaded(preset);
        return formula(r);
    };
}

using Edit = std::function<void(MainWindow&)>;

// What a page shows once the guide's edit is made and the run has reached
// `time` with the ticks of the preset's speed.
Measure afterEditedRun(int preset, double time, Edit edit, const char* label, const char* key)
{
    return [=](GuideRun& r) {
        r.until(
            preset, [time](GuideRun& g) { return g.now() >= time - 1e-9; }, time + 1.0, edit);
        return figureAfter(r.label(label), key);
    };
}

// The same with the run taken to `fraction` of the period its page prints
// after the edit (under `periodKey`), as "half a period later" reads it.
Measure afterEditedPeriod(int preset, double fraction, Edit edit, const char* label, const char* periodKey,
                          const char* key)
{
    return [=](GuideRun& r) {
        // A page without the period stops the run at once and reads nothing.
        r.until(
            preset, [=](GuideRun& g) { return !(g.now() < fraction * figureAfter(g.label(label), periodKey) - 1e-9); },
            100.0, edit);
        return figureAfter(r.label(label), key);
    };
}

// What a page shows once the guide's "Try this" edit is made, before any step:
// the program's own figure for the edited settings.
Measure afterEdit(int preset, Edit edit, const char* label, const char* key)
{
    return [=](GuideRun& r) {
        r.edited(preset, edit);
        return figureAfter(r.label(label), key);
    };
}

// Controls set to the values the guide gives, then the button it presses
// (none: each of these controls rebuilds the run itself).
Edit typed(std::vector<std::pair<const char*, double>> values, const char* apply = nullptr)
{
    return [=](MainWindow& w) {
        for (const auto& [box, value] : values)
            setValue(w, box, value);
        if (apply)
            click(w, apply);
    };
}

// The first scene object of `kind` selected in the Potential Scene list, as a
// class selects it before editing it.
void selectSceneObject(MainWindow& w, PotentialObjectKind kind)
{
    auto* list = control<QListWidget>(w, "potentialSceneListWidget");
    for (const PotentialObject& object : w.scene().objects()) {
        if (object.kind != kind)
            continue;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->data(Qt::UserRole).toULongLong() == object.id)
                list->setCurrentRow(row);
        return;
    }
}

// A control of the first scene object of `kind` changed and Apply changes
// pressed, as the guide's "select the object, set ..., Apply changes".
Edit objectEdited(PotentialObjectKind kind, const char* spinBox, double value)
{
    return [=](MainWindow& w) {
        selectSceneObject(w, kind);
        setValue(w, spinBox, value);
        click(w, "updatePotentialObjectButton");
    };
}

// The direction the packet travels over its first time unit after the
// guide's edit, in degrees.
Measure pathDirection(int preset, std::function<void(MainWindow&)> edit)
{
    return [=](GuideRun& r) {
        r.until(
            preset, [](GuideRun& g) { return g.now() >= 1.0; }, 2.0, edit);
        const ObservableSample& first = r.window().observableHistory().samples().front();
        const ObservableSample& last = r.window().observableHistory().newest();
        return std::atan2(last.meanY - first.meanY, last.meanX - first.meanX) * 180.0 / kPi;
    };
}

// The value of the first scene object of `kind` as Load leaves the scene.
Measure sceneObject(int preset, PotentialObjectKind kind, double (*read)(const PotentialObject&))
{
    return [=](GuideRun& r) {
        for (const PotentialObject& object : r.asLoaded(preset).scene().objects())
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
// would find them. Kept per GuideRun so that the time and the value of one
// peak are read from one run. With `lowest`, the smallest value instead.
struct Peak {
    double time = std::nan("");
    double value = std::nan("");
};
Peak peakOf(GuideRun& r, int preset, double from, double to, const char* label, const char* key, bool lowest = false)
{
    static std::map<std::tuple<const void*, int, double, double, std::string, std::string, bool>, Peak> found;
    const auto id =
        std::make_tuple(static_cast<const void*>(&r), preset, from, to, std::string(label), std::string(key), lowest);
    if (found.count(id))
        return found[id];
    r.at(preset, from);
    Peak peak;
    while (r.now() < to) {
        const double before = r.now();
        r.window().stepOnce();
        const double value = figureAfter(r.label(label), key);
        if (std::isnan(peak.value) || (lowest ? value < peak.value : value > peak.value))
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

// The momentum of the packet the window shown prepared (it must not have
// stepped), and the Mass m of its form.
double px(GuideRun& r) { return r.prepared().meanPx; }
double py(GuideRun& r) { return r.prepared().meanPy; }
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

// The Landau tab set to the Landau eigenstate of index `n` and applied, as
// the guide's "Try this" has it.
MainWindow& landauEigenstateApplied(GuideRun& r, int n)
{
    MainWindow& w = r.loaded(43);
    auto* preparation = control<QComboBox>(w, "landauPreparationComboBox");
    preparation->setCurrentIndex(preparation->findText(QStringLiteral("Landau eigenstate")));
    control<QSpinBox>(w, "landauIndexSpinBox")->setValue(n);
    click(w, "landauApplyButton");
    return w;
}

// The Landau page a few steps after that.
Measure landauEigenstate(int n, const char* key)
{
    return [=](GuideRun& r) {
        MainWindow& w = landauEigenstateApplied(r, n);
        for (int i = 0; i < 20; ++i)
            w.stepOnce();
        const double value = figureAfter(r.label("landauSummaryLabel"), key);
        r.loaded(43);
        return value;
    };
}

// The lowest survival fidelity the page's recorder takes over its whole
// window, the curve its plot draws: a stationary state keeps it at 1
// throughout, where one that is not breathes away from it, however little
// it has moved a few steps in.
Measure landauLowestFidelity(int n)
{
    return [=](GuideRun& r) {
        MainWindow& w = landauEigenstateApplied(r, n);
        const double end = r.spinBox("landauAnalysisEndSpinBox");
        while (w.schroedingerSolver().time() < end)
            MainWindowProbe::stepTick(w);
        double lowest = 2.0;
        for (const LandauSample& sample : w.recorder<LandauRecorder>().samples())
            lowest = std::min(lowest, sample.fidelity);
        r.loaded(43);
        return lowest;
    };
}

// The Klein pages: their summaries and the stationary references they draw,
// computed by the program's own transfer matrix from the Klein tab's values
// as Load leaves them, edited as a guide's "Try this" edits them.
const char* const kKlein = "kleinSummaryLabel";
const char* const kAngleScan = "kleinAngleScanSummaryLabel";
const char* const kHeightScan = "kleinHeightScanSummaryLabel";
const char* const kMassScan = "kleinMassScanSummaryLabel";
const char* const kMassless = "diracMasslessSummaryLabel";

KleinTunnelingConfig kleinConfig(GuideRun& r, int preset)
{
    r.loaded(preset);
    return r.window().storedRecords().quantumKleinTunneling;
}
Measure kleinConfigValue(int preset, double KleinTunnelingConfig::*member)
{
    return [=](GuideRun& r) { return kleinConfig(r, preset).*member; };
}
// A point of the angle curve the Klein pages draw.
Measure kleinT(int preset, double angleDegrees)
{
    return [=](GuideRun& r) {
        const KleinAngleScanPoint point = kleinBarrierReference(kleinConfig(r, preset), angleDegrees, 1.0);
        return point.valid ? point.transmission : std::nan("");
    };
}
Measure kleinMassT(int preset, double restMass)
{
    return [=](GuideRun& r) {
        const KleinMassScanPoint point = kleinMassScanPoint(kleinConfig(r, preset), restMass, 1.0);
        return point.valid ? point.transmission : std::nan("");
    };
}
// The first point of the curve the mass page draws, where its scan starts,
// provided it is the curve of the preset's own energy: it must agree with the
// transfer matrix of that energy worked out here. As m goes to 0, T goes to 1
// at any energy, but how close it comes at m = 0.005 depends on the energy
// from the fifth decimal on: the curve of another energy gives NaN, and so does a
// curve that starts elsewhere.
Measure massCurveStart(int preset, double restMass)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        const KleinMassScan scan = buildKleinMassReference(c, 1.0);
        if (!scan.valid || scan.points.empty() || std::fabs(scan.points.front().restMass - restMass) > 1e-12)
            return std::nan("");
        const KleinMassScanPoint& first = scan.points.front();
        // The energy of the tab's packet, as the page's summary quotes it.
        const double light = r.spinBox("kleinLightSpeedSpinBox");
        const double energy = std::hypot(r.spinBox("kleinPxSpinBox") * light,
                                         r.spinBox("kleinMassSpinBox") * light * light);
        const double momentum = std::sqrt(energy * energy - std::pow(restMass * light * light, 2)) / light;
        const double reference =
            KleinTransferMatrix::solve(light, restMass, momentum, 0.0, r.spinBox("kleinBarrierHeightSpinBox"),
                                       r.spinBox("kleinBarrierWidthSpinBox"), 1.0)
                .transmission;
        return std::fabs(first.transmission - reference) < 1e-9 ? first.transmission : std::nan("");
    };
}
// The Klein tab's controls set as the guide says and Apply / Reset pressed.
Edit kleinTab(std::vector<std::pair<const char*, double>> values)
{
    return typed(std::move(values), "kleinApplyButton");
}
Edit kleinMomentum(double momentumX, double momentumY)
{
    return kleinTab({{"kleinPxSpinBox", momentumX}, {"kleinPySpinBox", momentumY}});
}

double kleinEnergyOf(const KleinTunnelingConfig& c)
{
    const double p2 = c.momentumX * c.momentumX + c.momentumY * c.momentumY;
    return std::sqrt(p2 * c.lightSpeed * c.lightSpeed + std::pow(c.restMass * c.lightSpeed * c.lightSpeed, 2));
}
// A face of the barrier: its centre and half its width.
Measure kleinFace(int preset, double side)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        return c.barrierCenterX + side * c.barrierWidth / 2.0;
    };
}
// When the packet's centre reaches the barrier at the group velocity c^2 p/E.
Measure kleinArrival(int preset)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        const double speed = c.lightSpeed * c.lightSpeed * c.momentumX / kleinEnergyOf(c);
        return (c.barrierCenterX - c.barrierWidth / 2.0 - c.centerX) / speed;
    };
}
// The packet's spread of directions, hbar/(2 sigma |p|), in degrees.
Measure angularSpread(int preset)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        return 1.0 / (2.0 * c.sigma * std::hypot(c.momentumX, c.momentumY)) * 180.0 / kPi;
    };
}
// The angle of incidence the Klein page reports once the guide's momentum is
// typed into the Klein tab and applied.
Measure kleinAngleTyped(int preset, double momentumX, double momentumY)
{
    return afterEdit(preset, kleinMomentum(momentumX, momentumY), kKlein, "angle=");
}
// The packet's maximum P_right that the preset's own page gives at the end
// of the recording, with the Klein tab's momentum typed in and applied.
Measure anglePacket(int preset, double momentumX, double momentumY)
{
    return [=](GuideRun& r) {
        r.asLoaded(preset);
        const double end = r.spinBox("kleinAnalysisEndSpinBox");
        return afterEditedRun(preset, end, kleinMomentum(momentumX, momentumY), preset == 53 ? kMassless : kAngleScan,
                              "packet max P_right=")(r);
    };
}
// The stationary T the Angle Scan page gives at that angle.
Measure kleinTTyped(int preset, double momentumX, double momentumY)
{
    return afterEdit(preset, kleinMomentum(momentumX, momentumY), kAngleScan, "plane-wave T=");
}
// The stationary T the V0 Scan page gives once Barrier V0, and Rest mass m
// when the guide changes it, are typed into the Klein tab and applied.
Measure heightScanT(int preset, double barrierHeight, double restMass = std::nan(""))
{
    std::vector<std::pair<const char*, double>> values = {{"kleinBarrierHeightSpinBox", barrierHeight}};
    if (!std::isnan(restMass))
        values.push_back({"kleinMassSpinBox", restMass});
    return afterEdit(preset, kleinTab(values), kHeightScan, "plane-wave T=");
}
// The height scan's lighter particle, with the momentum kept.
const Edit kLighterGap = kleinTab({{"kleinMassSpinBox", 0.2}});
// The deepest (or highest) point of the angle curve between two angles, its
// transmission or its angle, found on a tenth of a degree.
Measure angleScanExtremum(int preset, double from, double to, bool highest, bool wantAngle)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        double bestAngle = from;
        double best = highest ? -1.0 : 2.0;
        for (double angle = from; angle <= to + 1e-9; angle += 0.1) {
            const double t = kleinBarrierReference(c, angle, 1.0).transmission;
            if (highest ? t > best : t < best) {
                best = t;
                bestAngle = angle;
            }
        }
        return wantAngle ? bestAngle : best;
    };
}
// The lowest transmission of the height curve inside the evanescent gap.
Measure gapMinimum(int preset)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        const double energy = kleinEnergyOf(c);
        const double rest = c.restMass * c.lightSpeed * c.lightSpeed;
        double lowest = 2.0;
        for (int i = 0; i <= 200; ++i)
            lowest =
                std::min(lowest, kleinHeightScanPoint(c, energy - rest + 2.0 * rest * i / 200.0, 1.0).transmission);
        return lowest;
    };
}
// The largest transmission of the mass curve from `from` up to E/c^2.
Measure massScanLargest(int preset, double from)
{
    return [=](GuideRun& r) {
        const KleinTunnelingConfig c = kleinConfig(r, preset);
        const double heaviest = kleinEnergyOf(c) / (c.lightSpeed * c.lightSpeed);
        double largest = 0.0;
        for (double m = from; m < heaviest; m += 0.005) {
            const KleinMassScanPoint point = kleinMassScanPoint(c, m, 1.0);
            if (point.valid)
                largest = std::max(largest, point.transmission);
        }
        return largest;
    };
}
// The mass scan's packet value after the guide's "Try this": the rest mass
// and the momentum that keeps the energy typed into the Klein tab, applied,
// and the recording run to its end.
Measure massScanPacket(double restMass)
{
    return [=](GuideRun& r) {
        KleinTunnelingConfig adjusted;
        if (!kleinEqualEnergyConfig(kleinConfig(r, 52), restMass, adjusted))
            return std::nan("");
        return afterEditedRun(52, r.spinBox("kleinAnalysisEndSpinBox"),
                              kleinTab({{"kleinMassSpinBox", restMass}, {"kleinPxSpinBox", adjusted.momentumX}}),
                              kMassScan, "packet max P_right=")(r);
    };
}
// The momentum the Klein tab needs at `restMass` for the preset's energy.
Measure equalEnergyMomentum(int preset, double restMass)
{
    return [=](GuideRun& r) {
        KleinTunnelingConfig adjusted;
        return kleinEqualEnergyConfig(kleinConfig(r, preset), restMass, adjusted) ? adjusted.momentumX : std::nan("");
    };
}

const char* const kBloch = "blochSummaryLabel";
const char* const kRevival = "revivalSummaryLabel";
const char* const kBilliard = "billiardSummaryLabel";
const char* const kTalbot = "talbotSummaryLabel";

// The lowest, highest and mean value of a summary figure over the steps from
// `from` to `to`, as a class watching the page would see them. Kept per
// GuideRun, so that the claims on one stretch read it once.
struct Span {
    double lowest = 1e300;
    double highest = -1e300;
    double mean = std::nan("");
};
Measure spanOf(int preset, double from, double to, const char* label, const char* key, double Span::*part)
{
    return [=](GuideRun& r) {
        static std::map<std::tuple<const void*, int, double, double, std::string, std::string>, Span> found;
        const auto id =
            std::make_tuple(static_cast<const void*>(&r), preset, from, to, std::string(label), std::string(key));
        if (!found.count(id)) {
            r.at(preset, from);
            Span span;
            double sum = 0.0;
            int count = 0;
            while (r.now() < to) {
                const double before = r.now();
                r.window().stepOnce();
                const double value = figureAfter(r.label(label), key);
                span.lowest = std::min(span.lowest, value);
                span.highest = std::max(span.highest, value);
                sum += value;
                ++count;
                if (r.now() <= before)
                    break;
            }
            span.mean = count > 0 ? sum / count : std::nan("");
            found[id] = span;
        }
        return found[id].*part;
    };
}

// When the packet's centre turns: the time of the lowest (or highest) <x>
// the observables recorded between two times.
Measure historyTurn(int preset, double from, double to, bool highest)
{
    return [=](GuideRun& r) {
        r.at(preset, to);
        double best = highest ? -1e300 : 1e300;
        double when = std::nan("");
        for (const ObservableSample& s : r.window().observableHistory().samples())
            if (s.time >= from && s.time <= to && (highest ? s.meanX > best : s.meanX < best)) {
                best = s.meanX;
                when = s.time;
            }
        return when;
    };
}
// T_T = m a^2/(pi hbar) with the form's mass and the page's period.
double talbotTime(GuideRun& r) { return mass(r) * std::pow(figureAfter(r.label(kTalbot), "a="), 2) / kPi; }
Measure talbotValue(int preset, double TalbotInitialState::*member)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        return r.window().storedRecords().talbotInitialState.*member;
    };
}

const char* const kBouncer = "bouncerSummaryLabel";
const char* const kVortex = "vortexSummaryLabel";
const char* const kAnderson = "andersonSummaryLabel";
const char* const kZeno = "zenoSummaryLabel";

// The time of the lowest value of a summary figure over the steps from
// `from` to `to`.
Measure lowestTime(int preset, double from, double to, const char* label, const char* key)
{
    return [=](GuideRun& r) {
        r.at(preset, from);
        double lowest = 1e300;
        double when = std::nan("");
        while (r.now() < to) {
            const double before = r.now();
            r.window().stepOnce();
            const double value = figureAfter(r.label(label), key);
            if (value < lowest) {
                lowest = value;
                when = r.now();
            }
            if (r.now() <= before)
                break;
        }
        return when;
    };
}
// The first scene object of `kind` that `pick` accepts, read by `read`.
Measure sceneObjectWhere(int preset, PotentialObjectKind kind, bool (*pick)(const PotentialObject&),
                         double (*read)(const PotentialObject&))
{
    return [=](GuideRun& r) {
        for (const PotentialObject& object : r.asLoaded(preset).scene().objects())
            if (object.kind == kind && pick(object))
                return read(object);
        return std::nan("");
    };
}
// The depths of the Anderson wells of one lane (positive), as loaded.
std::vector<double> laneDepths(GuideRun& r, bool disordered)
{
    r.loaded(34);
    const AndersonInitialStateConfig& lanes = r.window().storedRecords().andersonInitialState;
    const double laneY = disordered ? lanes.disorderLaneY : lanes.cleanLaneY;
    std::vector<double> depths;
    for (const PotentialObject& object : r.window().scene().objects())
        if (object.kind == PotentialObjectKind::Gaussian && std::fabs(object.centerY - laneY) < 1e-6)
            depths.push_back(-double(object.value));
    return depths;
}
// The height of the bouncer's starting packet above its floor.
double dropHeight(GuideRun& r) { return r.prepared().meanY - figureAfter(r.label(kBouncer), "floor y="); }
double bouncerForce(GuideRun& r) { return figureAfter(r.label(kBouncer), "F="); }
// The ideal ball's speed at the floor, from its energy above the floor.
double floorSpeed(GuideRun& r)
{
    return std::sqrt(py(r) * py(r) / (mass(r) * mass(r)) + 2.0 * bouncerForce(r) * dropHeight(r) / mass(r));
}

Measure vortexValue(int preset, double VortexInitialState::*member)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        return r.window().storedRecords().vortexInitialState.*member;
    };
}
Measure andersonValue(double AndersonInitialStateConfig::*member)
{
    return [=](GuideRun& r) {
        r.loaded(34);
        return r.window().storedRecords().andersonInitialState.*member;
    };
}
Measure zenoValue(double ZenoConfig::*member)
{
    return [=](GuideRun& r) {
        r.loaded(36);
        return r.window().storedRecords().quantumZeno.*member;
    };
}
// The Zeno lanes' walls: the back walls are the tall ones left of the
// packet, the escape barriers the low ones.
bool isBackWall(const PotentialObject& o) { return o.height > o.width && o.centerX < -1.0 && o.value > 100.0; }
bool isEscapeBarrier(const PotentialObject& o) { return o.height > o.width && o.value < 100.0; }
double centreX(const PotentialObject& o) { return o.centerX; }
double valueOf(const PotentialObject& o) { return o.value; }
double widthOf(const PotentialObject& o) { return o.width; }
const PotentialObject* zenoWall(GuideRun& r, bool (*pick)(const PotentialObject&))
{
    r.loaded(36);
    for (const PotentialObject& object : r.window().scene().objects())
        if (object.kind == PotentialObjectKind::Rectangle && pick(object))
            return &object;
    return nullptr;
}
// Plane-wave transmission through the escape barrier at the packet's energy.
Measure zenoTransmission()
{
    return [](GuideRun& r) {
        const PotentialObject* barrier = zenoWall(r, isEscapeBarrier);
        const double energy = px(r) * px(r) / (2.0 * mass(r));
        const double v0 = barrier->value;
        const double kappa = std::sqrt(2.0 * mass(r) * (v0 - energy));
        return 1.0 / (1.0 + v0 * v0 * std::pow(std::sinh(kappa * barrier->width), 2) / (4.0 * energy * (v0 - energy)));
    };
}
// The packet's first arrival at the escape barrier, or the time of a round
// trip to the back wall and back, at the speed px/m.
double zenoTravel(GuideRun& r, bool roundTrip)
{
    const PotentialObject barrier = *zenoWall(r, isEscapeBarrier);
    const PotentialObject back = *zenoWall(r, isBackWall);
    const double speed = px(r) / mass(r);
    const double face = barrier.centerX - barrier.width / 2.0;
    return roundTrip ? 2.0 * (face - (back.centerX + back.width / 2.0)) / speed : (face - r.prepared().meanX) / speed;
}

const char* const kScar = "scarSummaryLabel";
const char* const kBerry = "berrySummaryLabel";
const char* const kLoschmidt = "loschmidtSummaryLabel";

// The Loschmidt run of the guide's "Try this": Delta px 0.05 at the reversal
// time T, with the disc or without it (unticked in the scene). What it shows:
// the kick, the packet's width sigma_x at T and the coherent echo at 2T.
// Kept per run so that the claims on one run read it once.
struct KickedEcho {
    double kick = 0.0;
    double spread = 0.0;
    double echo = 0.0;
};
KickedEcho kickedEcho(GuideRun& r, double reversal, bool withDisc)
{
    static std::map<std::pair<double, bool>, KickedEcho> found;
    const auto id = std::make_pair(reversal, withDisc);
    if (found.count(id))
        return found[id];
    const auto edit = [=](MainWindow& w) {
        setValue(w, "loschmidtMomentumErrorXSpinBox", 0.05);
        setValue(w, "loschmidtTimeSpinBox", reversal);
        if (!withDisc) {
            selectSceneObject(w, PotentialObjectKind::Circle);
            click(w, "potentialObjectEnabledCheckBox");
        }
    };
    r.until(
        39, [=](GuideRun& g) { return g.now() >= reversal - 0.5; }, reversal, edit);
    MainWindow& w = r.window();
    KickedEcho run;
    run.kick = r.spinBox("loschmidtMomentumErrorXSpinBox");
    // The clock adds up steps in floating point: the step at T may read a hair below it.
    while (r.now() < reversal - 1e-4)
        w.stepOnce();
    run.spread = figureAfter(r.diagnostics("Observables", "sigmaX / sigmaY"), "");
    // The summary's "echo at 2T" line, written once the recording has passed 2T:
    // the coherent echo at its sample nearest 2T.
    while (std::isnan(run.echo = figureAfter(r.label(kLoschmidt), "coherent=")) && r.now() < 2.0 * reversal + 1.0)
        w.stepOnce();
    return found[id] = run;
}

// The inner size of a box of walls (the walls taller than wide bound x),
// from the scene as loaded.
double boxInner(GuideRun& r, bool alongX)
{
    double low = 1e300, high = -1e300, thickness = 0.0;
    for (const PotentialObject& wall : r.window().scene().objects())
        if (wall.kind == PotentialObjectKind::Rectangle && (wall.height > wall.width) == alongX) {
            const double centre = alongX ? wall.centerX : wall.centerY;
            low = std::min(low, centre);
            high = std::max(high, centre);
            thickness = alongX ? wall.width : wall.height;
        }
    return high - low - thickness;
}
// The largest value of a summary figure over the steps from `from` to `to`.
Measure highestValue(int preset, double from, double to, const char* label, const char* key)
{
    return [=](GuideRun& r) { return peakOf(r, preset, from, to, label, key).value; };
}
// The smallest.
Measure lowestValue(int preset, double from, double to, const char* label, const char* key)
{
    return [=](GuideRun& r) { return peakOf(r, preset, from, to, label, key, true).value; };
}
// A combo box offers an entry that starts with `text`: the number it names.
Measure comboOffers(int preset, const char* combo, const char* text)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        const auto* box = control<QComboBox>(r.window(), combo);
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i).startsWith(QLatin1String(text)))
                return QString(QLatin1String(text)).toDouble();
        return std::nan("");
    };
}
// The trap's stiffness k, the Harmonic object's curvature.
double berryStiffness(GuideRun& r)
{
    r.loaded(38);
    for (const PotentialObject& object : r.window().scene().objects())
        if (object.kind == PotentialObjectKind::Harmonic)
            return object.curvatureX;
    return std::nan("");
}

const char* const kMoshinsky = "moshinskySummaryLabel";
const char* const kKapitzaDirac = "kapitzaDiracSummaryLabel";
const char* const kHallEdge = "hallEdgeSummaryLabel";

// A field of one of the window's experiment records as Load leaves it.
template <typename Record>
Measure recordValue(int preset, Record ExperimentSettingsRecords::*record, double Record::*member)
{
    return [=](GuideRun& r) {
        r.loaded(preset);
        return r.window().storedRecords().*record.*member;
    };
}
// The x-marginal sum_y |psi|^2 dy at x, interpolated between columns as the
// page interpolates its detector line.
double marginalAt(const ComplexField2D& psi, double x)
{
    const double u = (x - gridCoordinateX(psi, 0)) / psi.dx();
    const std::uint64_t i = std::uint64_t(std::floor(u));
    const double f = u - double(i);
    double left = 0.0, right = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        left += std::norm(psi.data()[j * psi.nx() + i]);
        right += std::norm(psi.data()[j * psi.nx() + i + 1]);
    }
    return ((1.0 - f) * left + f * right) * psi.dy();
}
// The first maximum of the detector signal over the density the beam would
// bring there without diffraction: its initial profile moved on at p/m.
double knifeEdgeOvershoot(GuideRun& r)
{
    const Peak first = peakOf(r, 40, 1.5, 3.0, kMoshinsky, "I_det=");
    const MainWindow& w = r.loaded(40);
    const double speed = w.storedRecords().moshinskyInitialState.momentumX / mass(r);
    return first.value / marginalAt(w.waveField(), r.spinBox("moshinskyDetectorXSpinBox") - speed * first.time);
}
// The thin-grating share of order n, J_n(A)^2 in percent, for the pulse area
// A the page prints after the guide's edit (none: as loaded).
Measure thinGrating(int order, Edit edit = nullptr)
{
    return [=](GuideRun& r) {
        const Measure area =
            edit ? afterEdit(41, edit, kKapitzaDirac, "beta=") : summaryAt(41, 0.0, kKapitzaDirac, "beta=");
        return 100.0 * std::pow(std::cyl_bessel_j(order, area(r)), 2);
    };
}
// The guide's shorter pulse.
const Edit kShorterPulse = typed({{"kapitzaDiracDurationSpinBox", 0.15}});
double hallField(GuideRun& r) { return r.spinBox("hallEdgeFieldSpinBox"); }
double hallRadius(GuideRun& r) { return r.spinBox("hallEdgeRadiusSpinBox"); }
// The run with the guide's edit over one cyclotron period of its page: the
// lowest <y> of the orbit, or with `centre` the middle of its <y> range. The
// range is kept per GuideRun, so that both claims read one run.
Measure hallOrbit(Edit edit, bool centre)
{
    return [=](GuideRun& r) {
        static std::map<const void*, std::pair<double, double>> found;
        const void* id = &r;
        if (!found.count(id)) {
            r.until(
                44, [](GuideRun& g) { return !(g.now() < 2.0 * kPi / figureAfter(g.label(kHallEdge), "omega_c=")); },
                30.0, edit);
            double lowest = 1e300, highest = -1e300;
            for (const ObservableSample& s : r.window().observableHistory().samples()) {
                lowest = std::min(lowest, s.meanY);
                highest = std::max(highest, s.meanY);
            }
            found[id] = {lowest, highest};
        }
        const auto [lowest, highest] = found[id];
        return centre ? (lowest + highest) / 2.0 : lowest;
    };
}
// The launch and radius of the guide's circling orbit, clear of the wall.
const Edit kCircling =
    typed({{"hallEdgeLaunchYSpinBox", 1.5}, {"hallEdgeRadiusSpinBox", 2.0}}, "hallEdgeApplyButton");
// How far below the edge the centre of the launch orbit lies.
double hallCentreDepth(GuideRun& r)
{
    return r.spinBox("hallEdgeYSpinBox") - (r.spinBox("hallEdgeLaunchYSpinBox") - hallRadius(r));
}

const char* const kBackflow = "backflowSummaryLabel";
const char* const kZitter = "zitterSummaryLabel";

// The Dirac packet's energy sqrt(p^2 c^2 + m^2 c^4) at rest mass `restMass`.
double zitterEnergy(GuideRun& r, double restMass)
{
    const double c = r.spinBox("zitterLightSpeedSpinBox");
    const double p = r.spinBox("zitterMomentumXSpinBox");
    return std::sqrt(p * p * c * c + std::pow(restMass * c * c, 2));
}
// The guide's heavier particle, applied on the Dirac / ZB tab.
const Edit kHeavierDirac = typed({{"zitterMassSpinBox", 1.0}}, "zitterApplyButton");
// The drift of an upper-component plane wave, c^4 m p / E^2.
double zitterDrift(GuideRun& r)
{
    const double c = r.spinBox("zitterLightSpeedSpinBox");
    const double m = r.spinBox("zitterMassSpinBox");
    return std::pow(c, 4) * m * r.spinBox("zitterMomentumXSpinBox") / std::pow(zitterEnergy(r, m), 2);
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
        {28, "(Sigma {0.55})", "(Sigma {0.55})", 0.005, preparedFigure(28, &PreparedPacket::sigmaX)},
        {28, "starts at ({-1.3}, -0.8) with momentum (2.6, 1.8)", "parte da ({-1.3}, -0.8) con impulso (2.6, 1.8)", 0.005,
         preparedFigure(28, &PreparedPacket::meanX)},
        {28, "starts at (-1.3, {-0.8}) with momentum (2.6, 1.8)", "parte da (-1.3, {-0.8}) con impulso (2.6, 1.8)", 0.005,
         preparedFigure(28, &PreparedPacket::meanY)},
        {28, "with momentum ({2.6}, 1.8)", "con impulso ({2.6}, 1.8)", 5e-4, preparedFigure(28, &PreparedPacket::meanPx)},
        {28, "with momentum (2.6, {1.8})", "con impulso (2.6, {1.8})", 5e-4, preparedFigure(28, &PreparedPacket::meanPy)},
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
        {28, "come back together at t = {55.1}, where the page puts its full-revival marker",
         "si ritrovano a t = {55.1}, dove la pagina mette il marcatore del revival completo", 0.05,
         peakTime(28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=")},
        {28, "near t = {55}, the original", "verso t = {55}, il pacchetto", 0.5,
         peakTime(28, 50.0, 60.0, "revivalSummaryLabel", "fidelity=")},
        {28, "back to {0.999} at t = 55.1", "di nuovo {0.999} a t = 55.1", 0.001,
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
         afterEdit(35, typed({{"kickedRotorStrengthSpinBox", 3.0}}, "kickedRotorApplyButton"), kRotor, "classical K=")},
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
        {42, "(Sigma {2.2}, px 4, wavelength 1.57)", "(Sigma {2.2}, px 4, lunghezza d'onda 1.57)", 0.005,
         preparedFigure(42, &PreparedPacket::sigmaX)},
        {42, "px {4}, wavelength", "px {4}, lunghezza", 5e-4, preparedFigure(42, &PreparedPacket::meanPx)},
        {42, "wavelength {1.57}", "lunghezza d'onda {1.57}", 0.005,
         afterLoad(42, [](GuideRun& r) { return 2.0 * kPi / px(r); })},
        {42, "comes from x = {-8}", "arriva da x = {-8}", 0.005, preparedFigure(42, &PreparedPacket::meanX)},
        {42, "relative phase 2 pi Phi/Phi0, here {180} degrees", "fase relativa 2&pi; Phi/Phi0, qui {180} gradi", 0.05,
         summaryAt(42, 0.0, kAharonovBohm, "AB phase=")},
        {42, "The cyan dashed line at x = {8} in the viewport is the Detector screen of the Measurement tab, which Load leaves on",
         "La linea tratteggiata ciano in x = {8} nel viewport e' il Detector screen della scheda Measurement, che Load lascia acceso",
         0.0,
         [](GuideRun&) {
             // A window of its own: no earlier lesson has touched its Measurement tab.
             MainWindow fresh(nullptr, false);
             fresh.loadGuidedExperiment(42);
             const bool shown = control<QCheckBox>(fresh, "detectorVisibleCheckBox")->isChecked() &&
                                control<QComboBox>(fresh, "measurementModeComboBox")->currentIndex() != 0;
             return shown ? control<QDoubleSpinBox>(fresh, "detectorXSpinBox")->value() : std::nan("");
         }},
        {42, "its own line at x = {7}", "propria linea in x = {7}", 0.0, formValue(42, "aharonovBohmDetectorXSpinBox")},
        {42, "The wall of {140} is finite", "La parete di {140} e' finita", 0.0, formValue(42, "aharonovBohmBarrierSpinBox")},
        {42, "detector line x = {7} against", "linea del rivelatore x = {7} contro", 0.0,
         formValue(42, "aharonovBohmDetectorXSpinBox")},
        {42, "recorded up to t = {5}", "registrata fino a t = {5}", 1e-3, summaryAt(42, 0.0, kAharonovBohm, " / ")},
        {42, "on the preset's cells of {0.16} the magnetic step", "sulle celle di {0.16} del preset", 5e-4,
         summaryAt(42, 0.0, kAharonovBohm, "on cells of ")},
        {42, "carries this packet {6.7}% slower than p/m", "porta questo pacchetto il {6.7}% piu' lento di p/m", 0.05,
         summaryAt(42, 0.0, kAharonovBohm, "the packet moves ")},
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
        {43, "centred at ({-5}, 0)", "centrato in ({-5}, 0)", 0.005, preparedFigure(43, &PreparedPacket::meanX)},
        {43, "centred at (-5, {0})", "centrato in (-5, {0})", 0.005, preparedFigure(43, &PreparedPacket::meanY)},
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
        // The period the guide names; the page's own return is claimed below.
        {43, "is back after {13.96}", "torna dopo {13.96}", 0.005,
         afterLoad(43, [](GuideRun& r) { return 2.0 * kPi / figureAfter(r.label(kLandau), "omega_c="); })},
        {43, "comes back to about {0.99} at the return", "torna a circa {0.99} al ritorno", 0.02,
         peakValue(43, 12.0, 15.0, kLandau, "fidelity=")},
        {43, "its peak, whose time the summary gives, comes at t = {14.24}",
         "il suo picco, di cui il riepilogo da' il tempo, arriva a t = {14.24}", 0.005,
         summaryAt(43, 15.0, kLandau, "at t=")},
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
        {43, "the fidelity stays at {1} and", "la fedelta' resta {1} e", 0.002, landauLowestFidelity(0)},
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

        // 47 Klein Tunneling: the Klein tab, the page's summary and the
        // stationary reference the Klein pages draw.
        {47, "(effective c = {1}, rest mass 0.05, Sigma 2.2, px = 1.5) starts at x = -10",
         "(c efficace = {1}, massa a riposo 0.05, Sigma 2.2, px = 1.5) parte da x = -10", 0.0,
         formValue(47, "kleinLightSpeedSpinBox")},
        {47, "rest mass {0.05}, Sigma", "massa a riposo {0.05}, Sigma", 0.0, formValue(47, "kleinMassSpinBox")},
        {47, "Sigma {2.2}, px = 1.5)", "Sigma {2.2}, px = 1.5)", 0.0, formValue(47, "kleinSigmaSpinBox")},
        {47, "Sigma 2.2, px = {1.5})", "Sigma 2.2, px = {1.5})", 0.0, formValue(47, "kleinPxSpinBox")},
        {47, "starts at x = {-10}", "parte da x = {-10}", 0.0, formValue(47, "kleinCenterXSpinBox")},
        {47, "height V0 = {3.2} and width 3, from x = -1.5 to 1.5", "altezza V0 = {3.2} e larghezza 3, da x = -1.5 a 1.5",
         0.0, formValue(47, "kleinBarrierHeightSpinBox")},
        {47, "height V0 = 3.2 and width {3}, from", "altezza V0 = 3.2 e larghezza {3}, da", 0.0,
         formValue(47, "kleinBarrierWidthSpinBox")},
        {47, "from x = {-1.5} to 1.5", "da x = {-1.5} a 1.5", 1e-9, kleinFace(47, -1.0)},
        {47, "from x = -1.5 to {1.5}", "da x = -1.5 a {1.5}", 1e-9, kleinFace(47, 1.0)},
        {47, "E = sqrt(p^2 c^2 + m^2 c^4) = {1.5008}", "E = sqrt(p^2 c^2 + m^2 c^4) = {1.5008}", 5e-5,
         summaryAt(47, 0.0, kKlein, "E=")},
        {47, "V0 exceeds E + m c^2 = {1.551}", "V0 supera E + m c^2 = {1.551}", 5e-4, summaryAt(47, 0.0, kKlein, "E+mc^2=")},
        {47, "q = sqrt((E - V0)^2 - m^2 c^4)/c = {1.70}", "q = sqrt((E - V0)^2 - m^2 c^4)/c = {1.70}", 0.005,
         afterLoad(47, [](GuideRun& r) { return std::sqrt(figureAfter(r.label(kKlein), "kx_inside^2=")); })},
        {47, "normal incidence is T = {0.997}", "normale e' T = {0.997}", 5e-4, summaryAt(47, 0.0, kAngleScan, "plane-wave T=")},
        {47, "reaches the barrier near t = {8.5}", "raggiunge la barriera verso t = {8.5}", 0.1, kleinArrival(47)},
        {47, "crosses the detector at x = {6}", "passa il rivelatore in x = {6}", 0.0, formValue(47, "kleinDetectorXSpinBox")},
        {47, "against time up to t = {16}", "contro il tempo fino a t = {16}", 0.0, formValue(47, "kleinAnalysisEndSpinBox")},
        {47, "the thresholds E - mc^2 = {1.451} and E + mc^2 = 1.551", "le soglie E - mc^2 = {1.451} e E + mc^2 = 1.551", 5e-4,
         summaryAt(47, 0.0, kKlein, "E-mc^2=")},
        {47, "E + mc^2 = {1.551}, the largest", "E + mc^2 = {1.551}, il massimo", 5e-4, summaryAt(47, 0.0, kKlein, "E+mc^2=")},
        {47, "keep |p| = {1.5} but tilt it", "tieni |p| = {1.5} ma inclinalo", 5e-4,
         afterLoad(47, [](GuideRun& r) { return figureAfter(r.label(kKlein), "|p|="); })},
        {47, "Momentum px {1.299} and Momentum py / angle 0.75 give 30 degrees",
         "Momentum px {1.299} e Momentum py / angle 0.75 danno 30 gradi", 0.0, typedInto(47, "kleinPxSpinBox", 1.299)},
        {47, "Momentum py / angle {0.75} give", "Momentum py / angle {0.75} danno", 0.0, typedInto(47, "kleinPySpinBox", 0.75)},
        {47, "give {30} degrees", "danno {30} gradi", 0.05, kleinAngleTyped(47, 1.299, 0.75)},
        // Each of the guide's edits read on the page it names, at the time it names.
        {47, "marks a stationary T of {0.41}", "segna una T stazionaria di {0.41}", 0.005, kleinTTyped(47, 1.299, 0.75)},
        {47, "at t = {16} the Klein Tunneling page", "a t = {16} la pagina Klein Tunneling", 0.0,
         formValue(47, "kleinAnalysisEndSpinBox")},
        {47, "reads max P_right {0.48} with", "legge max P_right {0.48} con", 0.005,
         afterEditedRun(47, 16.0, kleinMomentum(1.299, 0.75), kKlein, "max Pright=")},
        {47, "with {0.17} still inside", "con {0.17} ancora dentro", 0.005,
         afterEditedRun(47, 16.0, kleinMomentum(1.299, 0.75), kKlein, "Pbarrier=")},
        {47, "Analysis duration of {24} lets", "Analysis duration di {24} lo", 0.0,
         typedInto(47, "kleinAnalysisEndSpinBox", 24.0)},
        {47, "max P_right reaches {0.56}", "P_right arriva a {0.56}", 0.005,
         afterEditedRun(47, 24.0,
                        kleinTab({{"kleinPxSpinBox", 1.299}, {"kleinPySpinBox", 0.75}, {"kleinAnalysisEndSpinBox", 24.0}}),
                        kKlein, "max Pright=")},
        {47, "above the plane wave's {0.41}", "sopra lo {0.41} dell'onda piana", 0.005, kleinTTyped(47, 1.299, 0.75)},
        {47, "set Barrier V0 to {1.5}: the barrier", "porta Barrier V0 a {1.5}: ora", 0.0,
         typedInto(47, "kleinBarrierHeightSpinBox", 1.5)},
        {47, "between E - mc^2 and E + mc^2", "fra E - mc^2 ed E + mc^2", 0.0, nullptr},
        {47, "with m = {0.05} the decay", "con m = {0.05} la costante", 0.0, formValue(47, "kleinMassSpinBox")},
        {47, "at most m c/hbar = {0.05}", "al piu' m c/hbar = {0.05}", 5e-4,
         afterLoad(47, [](GuideRun& r) { return r.spinBox("kleinMassSpinBox") * r.spinBox("kleinLightSpeedSpinBox"); })},
        {47, "gives a stationary T of {0.978}", "da' una T stazionaria di {0.978}", 5e-4, heightScanT(47, 1.5)},
        {47, "at t = 16 max P_right is {0.74}", "a t = 16 max P_right e' {0.74}", 0.005,
         afterEditedRun(47, 16.0, kleinTab({{"kleinBarrierHeightSpinBox", 1.5}}), kKlein, "max Pright=")},
        {47, "and {0.24} has gone back", "e {0.24} e' tornato", 0.005,
         afterEditedRun(47, 16.0, kleinTab({{"kleinBarrierHeightSpinBox", 1.5}}), kKlein, "Pleft=")},
        {47, "hbar/(2 Sigma) = {0.23}", "hbar/(2 Sigma) = {0.23}", 0.005,
         afterLoad(47, [](GuideRun& r) { return 1.0 / (2.0 * r.spinBox("kleinSigmaSpinBox")); })},
        {47, "Packet sigma {3.3} with", "Packet sigma {3.3} con", 0.0, typedInto(47, "kleinSigmaSpinBox", 3.3)},
        {47, "Packet center X {-12} (and", "Packet center X {-12} (e", 0.0, typedInto(47, "kleinCenterXSpinBox", -12.0)},
        {47, "Analysis duration of {20}, as", "Analysis duration di {20}, perche'", 0.0,
         typedInto(47, "kleinAnalysisEndSpinBox", 20.0)},
        {47, "sends back only {0.15}", "rimanda indietro solo {0.15}", 0.005,
         afterEditedRun(47, 20.0,
                        kleinTab({{"kleinBarrierHeightSpinBox", 1.5}, {"kleinSigmaSpinBox", 3.3},
                                  {"kleinCenterXSpinBox", -12.0}, {"kleinAnalysisEndSpinBox", 20.0}}),
                        kKlein, "Pleft=")},

        // 48 Klein regime map.
        {48, "(c = {1}, m = 0.05, px = 1.5, E = 1.5008, Sigma 2.2)", "(c = {1}, m = 0.05, px = 1.5, E = 1.5008, Sigma 2.2)", 0.0,
         formValue(48, "kleinLightSpeedSpinBox")},
        {48, "(c = 1, m = {0.05}, px", "(c = 1, m = {0.05}, px", 0.0, formValue(48, "kleinMassSpinBox")},
        {48, "m = 0.05, px = {1.5}, E", "m = 0.05, px = {1.5}, E", 0.0, formValue(48, "kleinPxSpinBox")},
        {48, "px = 1.5, E = {1.5008}, Sigma", "px = 1.5, E = {1.5008}, Sigma", 5e-5, summaryAt(48, 0.0, kKlein, "E=")},
        {48, "E = 1.5008, Sigma {2.2})", "E = 1.5008, Sigma {2.2})", 0.0, formValue(48, "kleinSigmaSpinBox")},
        {48, "barrier of width {3}, but now with V0 = 1.5", "barriera larga {3}, ma ora con V0 = 1.5", 0.0,
         formValue(48, "kleinBarrierWidthSpinBox")},
        {48, "but now with V0 = {1.5}", "ma ora con V0 = {1.5}", 0.0, formValue(48, "kleinBarrierHeightSpinBox")},
        {48, "thresholds E - m c^2 = {1.451} and E + m c^2 = 1.551", "soglie E - m c^2 = {1.451} e E + m c^2 = 1.551", 5e-4,
         summaryAt(48, 0.0, kKlein, "E-mc^2=")},
        {48, "E - m c^2 = 1.451 and E + m c^2 = {1.551}", "E - m c^2 = 1.451 e E + m c^2 = {1.551}", 5e-4,
         summaryAt(48, 0.0, kKlein, "E+mc^2=")},
        {48, "For V0 below {1.451} the barrier region carries an ordinary positive-energy wave. Between the thresholds "
             "|E - V0| is smaller than m c^2",
         "Per V0 sotto {1.451} la regione della barriera porta un'onda ordinaria a energia positiva. Tra le soglie "
         "|E - V0| e' minore di m c^2",
         5e-4, summaryAt(48, 0.0, kKlein, "E-mc^2=")},
        {48, "Above {1.551} a negative-energy", "Sopra {1.551} si propaga", 5e-4, summaryAt(48, 0.0, kKlein, "E+mc^2=")},
        {48, "Here V0 = {1.5} lies in the gap", "Qui V0 = {1.5} sta nel divario", 0.0, formValue(48, "kleinBarrierHeightSpinBox")},
        {48, "at most m c/hbar = {0.05}, and over a width of 3", "al massimo m c/hbar = {0.05}, e su una larghezza di 3", 0.0,
         formValue(48, "kleinMassSpinBox")},
        {48, "over a width of {3} the wave", "su una larghezza di {3} l'onda", 0.0, formValue(48, "kleinBarrierWidthSpinBox")},
        {48, "the stationary transmission is still {0.978}", "la trasmissione stazionaria e' ancora {0.978}", 5e-4, summaryAt(48, 0.0, kHeightScan, "plane-wave T=")},
        {48, "{1.0} is positive-branch propagation (T = 0.996)", "{1.0} e' propagazione sul ramo positivo (T = 0.996)", 0.0,
         typedInto(48, "kleinBarrierHeightSpinBox", 1.0)},
        {48, "(T = {0.996}), 1.5 the gap", "(T = {0.996}), 1.5 il divario", 5e-4, heightScanT(48, 1.0)},
        {48, "1.5 the gap ({0.978}), 3.2 the Klein zone (0.997)", "1.5 il divario ({0.978}), 3.2 la zona di Klein (0.997)", 5e-4,
         heightScanT(48, 1.5)},
        {48, "{3.2} the Klein zone (0.997)", "{3.2} la zona di Klein (0.997)", 0.0, typedInto(48, "kleinBarrierHeightSpinBox", 3.2)},
        {48, "the Klein zone ({0.997})", "la zona di Klein ({0.997})", 5e-4, heightScanT(48, 3.2)},
        {48, "set Rest mass m to {0.3}, which", "porta Rest mass m a {0.3}, che", 0.0, typedInto(48, "kleinMassSpinBox", 0.3)},
        {48, "moves the thresholds to {1.23} and 1.83", "sposta le soglie a {1.23} e 1.83", 0.005,
         afterEdit(48, kleinTab({{"kleinMassSpinBox", 0.3}}), kKlein, "E-mc^2=")},
        {48, "to 1.23 and {1.83}", "a 1.23 e {1.83}", 0.005, afterEdit(48, kleinTab({{"kleinMassSpinBox", 0.3}}), kKlein, "E+mc^2=")},
        {48, "Now V0 = {1.0} gives T = 0.84", "Ora V0 = {1.0} da' T = 0.84", 0.0, typedInto(48, "kleinBarrierHeightSpinBox", 1.0)},
        {48, "gives T = {0.84}", "da' T = {0.84}", 0.005, heightScanT(48, 1.0, 0.3)},
        {48, "{1.5} and 1.8 (inside the gap) about 0.49 and 0.45", "{1.5} e 1.8 (dentro il divario) circa 0.49 e 0.45", 0.0,
         typedInto(48, "kleinBarrierHeightSpinBox", 1.5)},
        {48, "1.5 and {1.8} (inside", "1.5 e {1.8} (dentro", 0.0, typedInto(48, "kleinBarrierHeightSpinBox", 1.8)},
        {48, "about {0.49} and 0.45", "circa {0.49} e 0.45", 0.005, heightScanT(48, 1.5, 0.3)},
        {48, "about 0.49 and {0.45}", "circa 0.49 e {0.45}", 0.005, heightScanT(48, 1.8, 0.3)},
        {48, "{2.0} just inside the Klein zone 0.51", "{2.0} appena dentro la zona di Klein 0.51", 0.0,
         typedInto(48, "kleinBarrierHeightSpinBox", 2.0)},
        {48, "Klein zone {0.51} and", "zona di Klein {0.51} e", 0.005, heightScanT(48, 2.0, 0.3)},
        {48, "and {2.5} again 0.96", "e {2.5} di nuovo", 0.0, typedInto(48, "kleinBarrierHeightSpinBox", 2.5)},
        {48, "2.5 again {0.96}", "di nuovo {0.96}", 0.005, heightScanT(48, 2.5, 0.3)},

        // 49 Klein angular dependence.
        {49, "(V0 = {3.2}, width 3, m = 0.05)", "(V0 = {3.2}, larghezza 3, m = 0.05)", 0.0,
         formValue(49, "kleinBarrierHeightSpinBox")},
        {49, "(V0 = 3.2, width {3}, m = 0.05)", "(V0 = 3.2, larghezza {3}, m = 0.05)", 0.0,
         formValue(49, "kleinBarrierWidthSpinBox")},
        {49, "width 3, m = {0.05})", "larghezza 3, m = {0.05})", 0.0, formValue(49, "kleinMassSpinBox")},
        {49, "|p| = {1.5} and energy E = 1.5008", "|p| = {1.5} ed energia E = 1.5008", 5e-4, summaryAt(49, 0.0, kKlein, "|p|=")},
        {49, "and energy E = {1.5008}", "ed energia E = {1.5008}", 5e-4, summaryAt(49, 0.0, kKlein, "E=")},
        {49, "travels at {35} degrees: px = 1.229, py = 0.860", "viaggia a {35} gradi: px = 1.229, py = 0.860", 0.05,
         summaryAt(49, 0.0, kKlein, "angle=")},
        {49, "degrees: px = {1.229}, py", "gradi: px = {1.229}, py", 0.0, formValue(49, "kleinPxSpinBox")},
        {49, "py = {0.860}. It", "py = {0.860}. Parte", 0.0, formValue(49, "kleinPySpinBox")},
        {49, "It starts at ({-10}, -5.6) and reaches the barrier a little above y = 0",
         "Parte da ({-10}, -5.6) e raggiunge la barriera poco sopra y = 0", 0.0, formValue(49, "kleinCenterXSpinBox")},
        {49, "starts at (-10, {-5.6})", "Parte da (-10, {-5.6})", 0.0, kleinConfigValue(49, &KleinTunnelingConfig::centerY)},
        {49, "a little above y = {0}", "poco sopra y = {0}", 0.5,
         afterLoad(49,
                   [](GuideRun& r) {
                       const double toFace = r.spinBox("kleinBarrierCenterSpinBox") - r.spinBox("kleinBarrierWidthSpinBox") / 2.0 -
                                             r.spinBox("kleinCenterXSpinBox");
                       return r.window().storedRecords().quantumKleinTunneling.centerY + toFace * r.spinBox("kleinPySpinBox") / r.spinBox("kleinPxSpinBox");
                   })},
        {49, "so q_x^2 drops to {2.145}", "quindi q_x^2 scende a {2.145}", 0.005, summaryAt(49, 0.0, kKlein, "kx_inside^2=")},
        {49, "falls to T = {0.32}, against 0.997 at 0 degrees", "scende a T = {0.32}, contro 0.997 a 0 gradi", 0.005,
         summaryAt(49, 0.0, kAngleScan, "plane-wave T=")},
        {49, "against {0.997} at 0 degrees", "contro {0.997} a 0 gradi", 5e-4, kleinT(49, 0.0)},
        {49, "continues at {35} degrees", "prosegue a {35} gradi", 0.05, summaryAt(49, 0.0, kKlein, "angle=")},
        {49, "P_right at the end (t = 22) is about {0.47}, well above the plane-wave T = 0.32",
         "P_right alla fine (t = 22) vale circa {0.47}, ben sopra la T = 0.32", 0.02, summaryAt(49, 22.0, kKlein, "Pright=")},
        {49, "at the end (t = {22})", "alla fine (t = {22})", 0.0, formValue(49, "kleinAnalysisEndSpinBox")},
        {49, "some {9} degrees of angle", "circa {9} gradi di angolo", 0.5, angularSpread(49)},
        {49, "Keep px^2 + py^2 = {2.25}: 15 degrees (px 1.449, py 0.388) gives T = 0.80",
         "Tieni px^2 + py^2 = {2.25}: 15 gradi (px 1.449, py 0.388) danno T = 0.80", 5e-4,
         afterLoad(49, [](GuideRun& r) { return std::pow(figureAfter(r.label(kKlein), "|p|="), 2); })},
        {49, "{15} degrees (px 1.449, py 0.388)", "{15} gradi (px 1.449, py 0.388)", 0.05, kleinAngleTyped(49, 1.449, 0.388)},
        {49, "(px {1.449}, py 0.388)", "(px {1.449}, py 0.388)", 0.0, typedInto(49, "kleinPxSpinBox", 1.449)},
        {49, "(px 1.449, py {0.388})", "(px 1.449, py {0.388})", 0.0, typedInto(49, "kleinPySpinBox", 0.388)},
        {49, "gives T = {0.80}", "danno T = {0.80}", 0.005, kleinTTyped(49, 1.449, 0.388)},
        {49, "{45} degrees (px = py = 1.061) 0.24", "{45} gradi (px = py = 1.061) 0.24", 0.05, kleinAngleTyped(49, 1.061, 1.061)},
        {49, "(px = py = {1.061})", "(px = py = {1.061})", 0.0, typedInto(49, "kleinPxSpinBox", 1.061)},
        {49, "(px = py = 1.061) {0.24}", "(px = py = 1.061) {0.24}", 0.005, kleinTTyped(49, 1.061, 1.061)},
        {49, "{60} degrees (px 0.750, py 1.299) 0.66 again", "{60} gradi (px 0.750, py 1.299) di nuovo 0.66", 0.05,
         kleinAngleTyped(49, 0.750, 1.299)},
        {49, "(px {0.750}, py 1.299)", "(px {0.750}, py 1.299)", 0.0, typedInto(49, "kleinPxSpinBox", 0.75)},
        {49, "(px 0.750, py {1.299})", "(px 0.750, py {1.299})", 0.0, typedInto(49, "kleinPySpinBox", 1.299)},
        {49, "1.299) {0.66} again", "di nuovo {0.66}", 0.005, kleinTTyped(49, 0.750, 1.299)},

        // 50 Klein angle scan.
        {50, "Dirac packet with c = {1}, m = 0.05, |p| = 1.5 (E = 1.5008), Sigma 2.2",
         "pacchetto di Dirac con c = {1}, m = 0.05, |p| = 1.5 (E = 1.5008), Sigma 2.2", 0.0,
         formValue(50, "kleinLightSpeedSpinBox")},
        {50, "c = 1, m = {0.05}, |p|", "c = 1, m = {0.05}, |p|", 0.0, formValue(50, "kleinMassSpinBox")},
        {50, "|p| = {1.5} (E", "|p| = {1.5} (E", 5e-4, summaryAt(50, 0.0, kAngleScan, "|p|=")},
        {50, "(E = {1.5008}), Sigma", "(E = {1.5008}), Sigma", 5e-5, summaryAt(50, 0.0, kAngleScan, "E=")},
        {50, "), Sigma {2.2}, against", "), Sigma {2.2}, contro", 0.0, formValue(50, "kleinSigmaSpinBox")},
        {50, "barrier of height {3.2} and width 3, recorded up to t = 18",
         "barriera alta {3.2} e larga 3, registrato fino a t = 18", 0.0, formValue(50, "kleinBarrierHeightSpinBox")},
        {50, "height 3.2 and width {3}, recorded", "alta 3.2 e larga {3}, registrato", 0.0, formValue(50, "kleinBarrierWidthSpinBox")},
        {50, "recorded up to t = {18}", "registrato fino a t = {18}", 0.0, formValue(50, "kleinAnalysisEndSpinBox")},
        {50, "for angles from 0 to 70 degrees. It starts at {0.997} at 0 degrees",
         "per angoli da 0 a 70 gradi. Parte da {0.997} a 0 gradi", 5e-4, kleinT(50, 0.0)},
        {50, "falls through {0.90} at 10", "scende a {0.90} a 10", 0.005, kleinT(50, 10.0)},
        {50, "{0.66} at 20 and 0.41 at 30 degrees", "{0.66} a 20 e 0.41 a 30 gradi", 0.005, kleinT(50, 20.0)},
        {50, "and {0.41} at 30 degrees", "e {0.41} a 30 gradi", 0.005, kleinT(50, 30.0)},
        {50, "a minimum of about {0.24} near 46 degrees", "un minimo di circa {0.24} vicino a 46 gradi", 0.005,
         angleScanExtremum(50, 30.0, 55.0, false, false)},
        {50, "about 0.24 near {46} degrees", "circa 0.24 vicino a {46} gradi", 1.5, angleScanExtremum(50, 30.0, 55.0, false, true)},
        {50, "a resonance, T close to {1}, near 63 degrees", "una risonanza, con T quasi {1}, verso 63 gradi", 0.005,
         angleScanExtremum(50, 55.0, 70.0, true, false)},
        {50, "close to 1, near {63} degrees", "quasi 1, verso {63} gradi", 1.0, angleScanExtremum(50, 55.0, 70.0, true, true)},
        {50, "drops to {0.12} at 70 degrees", "scende a {0.12} a 70 gradi", 0.005, kleinT(50, 70.0)},
        {50, "(about {9} degrees in angle for Sigma 2.2)", "(circa {9} gradi di angolo per Sigma 2.2)", 0.5, angularSpread(50)},
        {50, "degrees in angle for Sigma {2.2})", "gradi di angolo per Sigma {2.2})", 0.0, formValue(50, "kleinSigmaSpinBox")},
        {50, "px = {1.5} cos(theta) and py = 1.5 sin(theta)", "px = {1.5} cos(theta) e py = 1.5 sin(theta)", 5e-4,
         summaryAt(50, 0.0, kAngleScan, "|p|=")},
        {50, "and py = {1.5} sin(theta)", "e py = {1.5} sin(theta)", 5e-4, summaryAt(50, 0.0, kAngleScan, "|p|=")},
        {50, "{20} degrees (1.410, 0.513)", "{20} gradi (1.410, 0.513)", 0.05, kleinAngleTyped(50, 1.410, 0.513)},
        {50, "20 degrees ({1.410}, 0.513)", "20 gradi ({1.410}, 0.513)", 0.0, typedInto(50, "kleinPxSpinBox", 1.410)},
        {50, "20 degrees (1.410, {0.513})", "20 gradi (1.410, {0.513})", 0.0, typedInto(50, "kleinPySpinBox", 0.513)},
        {50, "{30} degrees (1.299, 0.750)", "{30} gradi (1.299, 0.750)", 0.05, kleinAngleTyped(50, 1.299, 0.750)},
        {50, "30 degrees ({1.299}, 0.750)", "30 gradi ({1.299}, 0.750)", 0.0, typedInto(50, "kleinPxSpinBox", 1.299)},
        {50, "30 degrees (1.299, {0.750})", "30 gradi (1.299, {0.750})", 0.0, typedInto(50, "kleinPySpinBox", 0.75)},
        {50, "{45} degrees (1.061, 1.061)", "{45} gradi (1.061, 1.061)", 0.05, kleinAngleTyped(50, 1.061, 1.061)},
        {50, "45 degrees ({1.061}, 1.061)", "45 gradi ({1.061}, 1.061)", 0.0, typedInto(50, "kleinPxSpinBox", 1.061)},
        {50, "45 degrees (1.061, {1.061})", "45 gradi (1.061, {1.061})", 0.0, typedInto(50, "kleinPySpinBox", 1.061)},
        // The packet's point and the plane wave's curve at the three angles, told apart.
        {50, "reads about {0.73}, 0.53 and 0.23", "vale circa {0.73}, 0.53 e 0.23", 0.01, anglePacket(50, 1.410, 0.513)},
        {50, "0.73, {0.53} and", "0.73, {0.53} e", 0.01, anglePacket(50, 1.299, 0.750)},
        {50, "and {0.23}; the cyan", "e {0.23}; la curva", 0.01, anglePacket(50, 1.061, 1.061)},
        {50, "gives {0.66}, 0.41 and 0.24 at the same angles", "da' {0.66}, 0.41 e 0.24 agli stessi angoli", 0.005,
         kleinTTyped(50, 1.410, 0.513)},
        {50, "0.66, {0.41} and 0.24 at", "0.66, {0.41} e 0.24 agli", 0.005, kleinTTyped(50, 1.299, 0.750)},
        {50, "and {0.24} at the same angles", "e {0.24} agli stessi angoli", 0.005, kleinTTyped(50, 1.061, 1.061)},

        // 51 Klein height scan.
        {51, "A Dirac packet (c = {1}, m = 0.05, px = 1.5, E = 1.5008, Sigma 1.8) starts at x = -12",
         "Un pacchetto di Dirac (c = {1}, m = 0.05, px = 1.5, E = 1.5008, Sigma 1.8) parte da x = -12", 0.0,
         formValue(51, "kleinLightSpeedSpinBox")},
        {51, "(c = 1, m = {0.05}, px = 1.5", "(c = 1, m = {0.05}, px = 1.5", 0.0, formValue(51, "kleinMassSpinBox")},
        {51, "m = 0.05, px = {1.5}, E = 1.5008, Sigma 1.8", "m = 0.05, px = {1.5}, E = 1.5008, Sigma 1.8", 0.0,
         formValue(51, "kleinPxSpinBox")},
        {51, "px = 1.5, E = {1.5008}, Sigma 1.8", "px = 1.5, E = {1.5008}, Sigma 1.8", 5e-5, summaryAt(51, 0.0, kHeightScan, "E=")},
        {51, "E = 1.5008, Sigma {1.8}) starts", "E = 1.5008, Sigma {1.8}) parte", 0.0, formValue(51, "kleinSigmaSpinBox")},
        {51, "starts at x = {-12}", "parte da x = {-12}", 0.0, formValue(51, "kleinCenterXSpinBox")},
        {51, "width {9}, height V0 = 3.2, centred at x = 0, with the detector at x = 7",
         "larghezza {9}, altezza V0 = 3.2, centrata in x = 0, con il rivelatore in x = 7", 0.0,
         formValue(51, "kleinBarrierWidthSpinBox")},
        {51, "width 9, height V0 = {3.2}, centred", "larghezza 9, altezza V0 = {3.2}, centrata", 0.0,
         formValue(51, "kleinBarrierHeightSpinBox")},
        {51, "centred at x = {0}, with", "centrata in x = {0}, con", 0.0, formValue(51, "kleinBarrierCenterSpinBox")},
        {51, "the detector at x = {7}", "il rivelatore in x = {7}", 0.0, formValue(51, "kleinDetectorXSpinBox")},
        {51, "The recording runs to t = {26}", "La registrazione dura fino a t = {26}", 0.0, formValue(51, "kleinAnalysisEndSpinBox")},
        {51, "for V0 from 0 to 4, with three shaded regions: positive-branch propagation below E - m c^2 = {1.451}",
         "per V0 da 0 a 4, con tre regioni ombreggiate: propagazione sul ramo positivo sotto E - m c^2 = {1.451}", 5e-4,
         summaryAt(51, 0.0, kHeightScan, "E-mc^2=")},
        {51, "up to E + m c^2 = {1.551}", "fino a E + m c^2 = {1.551}", 5e-4, summaryAt(51, 0.0, kHeightScan, "E+mc^2=")},
        {51, "T stays close to {1} (0.999 at V0 = 3.2)", "T resta vicino a {1} (0.999 a V0 = 3.2)", 0.01,
         summaryAt(51, 0.0, kHeightScan, "plane-wave T=")},
        {51, "({0.999} at V0 = 3.2)", "({0.999} a V0 = 3.2)", 5e-4, summaryAt(51, 0.0, kHeightScan, "plane-wave T=")},
        {51, "(0.999 at V0 = {3.2})", "(0.999 a V0 = {3.2})", 0.0, formValue(51, "kleinBarrierHeightSpinBox")},
        {51, "but only to about {0.82}: with m = 0.05", "ma solo a circa {0.82}: con m = 0.05", 0.005, gapMinimum(51)},
        {51, "with m = {0.05} the decay constant inside is at most m c/hbar = 0.05",
         "con m = {0.05} la costante di decadimento dentro e' al massimo m c/hbar = 0.05", 0.0, formValue(51, "kleinMassSpinBox")},
        {51, "at most m c/hbar = {0.05}, too small", "al massimo m c/hbar = {0.05}, troppo piccola", 0.0,
         formValue(51, "kleinMassSpinBox")},
        {51, "even a barrier {9} wide", "anche una barriera larga {9}", 0.0, formValue(51, "kleinBarrierWidthSpinBox")},
        {51, "Set Barrier V0 to {1.5} (inside the gap), then 1.0", "Porta Barrier V0 a {1.5} (dentro il divario), poi a 1.0", 0.0,
         typedInto(51, "kleinBarrierHeightSpinBox", 1.5)},
        {51, "then {1.0} (ordinary propagation)", "poi a {1.0} (propagazione ordinaria)", 0.0,
         typedInto(51, "kleinBarrierHeightSpinBox", 1.0)},
        {51, "Set Rest mass m to {0.2}: E becomes 1.513", "Porta Rest mass m a {0.2}: E diventa 1.513", 0.0,
         typedInto(51, "kleinMassSpinBox", 0.2)},
        {51, "E becomes {1.513}", "E diventa {1.513}", 5e-4, afterEdit(51, kLighterGap, kHeightScan, "E=")},
        {51, "the gap widens to {1.31} - 1.71", "il divario si allarga a {1.31} - 1.71", 0.005, afterEdit(51, kLighterGap, kHeightScan, "E-mc^2=")},
        {51, "widens to 1.31 - {1.71} and", "si allarga a 1.31 - {1.71} e", 0.005, afterEdit(51, kLighterGap, kHeightScan, "E+mc^2=")},
        {51, "with T near {0.10} at V0 = 1.5 through this wide barrier, while V0 = 3.2 still gives 0.98",
         "con T vicino a {0.10} a V0 = 1.5 attraverso questa barriera larga, mentre V0 = 3.2 da' ancora 0.98", 0.01,
         heightScanT(51, 1.5, 0.2)},
        {51, "still gives {0.98}", "da' ancora {0.98}", 0.005, afterEdit(51, kLighterGap, kHeightScan, "plane-wave T=")},

        // 52 Klein mass scan.
        {52, "rest mass m = {0.4} with px = 1.447", "massa a riposo m = {0.4} con px = 1.447", 0.0, formValue(52, "kleinMassSpinBox")},
        {52, "with px = {1.447}, chosen", "con px = {1.447}, scelto", 0.0, formValue(52, "kleinPxSpinBox")},
        {52, "E = sqrt(p^2 c^2 + m^2 c^4) = {1.5013} is, to the three decimals of the tab, that of the other Klein experiments (1.5008)", "E = sqrt(p^2 c^2 + m^2 c^4) = {1.5013} sia, entro i tre decimali della scheda, quella degli altri esperimenti di Klein (1.5008)", 5e-4,
         summaryAt(52, 0.0, kMassScan, "Fixed total E=")},
        {52, "barrier of height {2.0} and width 9 (Sigma 1.8, start x = -12, detector x = 7)",
         "barriera alta {2.0} e larga 9 (Sigma 1.8, partenza x = -12, rivelatore x = 7)", 0.0,
         formValue(52, "kleinBarrierHeightSpinBox")},
        {52, "height 2.0 and width {9} (Sigma", "alta 2.0 e larga {9} (Sigma", 0.0, formValue(52, "kleinBarrierWidthSpinBox")},
        {52, "(Sigma {1.8}, start", "(Sigma {1.8}, partenza", 0.0, formValue(52, "kleinSigmaSpinBox")},
        {52, "start x = {-12}", "partenza x = {-12}", 0.0, formValue(52, "kleinCenterXSpinBox")},
        {52, "detector x = {7})", "rivelatore x = {7})", 0.0, formValue(52, "kleinDetectorXSpinBox")},
        {52, "so that E stays {1.5013}. Increasing m widens the gap 2 m c^2",
         "in modo che E resti {1.5013}. Aumentare m allarga il divario 2 m c^2", 5e-4,
         summaryAt(52, 0.0, kMassScan, "Fixed total E=")},
        {52, "m* = |V0 - E|/c^2 = {0.499}", "m* = |V0 - E|/c^2 = {0.499}", 5e-4, summaryAt(52, 0.0, kMassScan, "transition m*=")},
        {52, "through a barrier {9} wide", "attraverso una barriera larga {9}", 0.0, formValue(52, "kleinBarrierWidthSpinBox")},
        {52, "Towards m -&gt; 0 the gap closes and T approaches {1}", "Verso m -&gt; 0 il divario si chiude e T tende a {1}", 0.001,
         massCurveStart(52, 0.005)},
        {52, "T = {1.00} at m = 0.005", "T = {1.00} a m = 0.005", 0.005, massCurveStart(52, 0.005)},
        {52, "{0.98} at 0.05", "{0.98} a 0.05", 0.005, kleinMassT(52, 0.05)},
        {52, "{0.94} at 0.1", "{0.94} a 0.1", 0.005, kleinMassT(52, 0.1)},
        {52, "about {0.595} at the current m = 0.4", "circa {0.595} alla m = 0.4 attuale", 0.005,
         summaryAt(52, 0.0, kMassScan, "plane-wave T=")},
        {52, "at the current m = {0.4}", "alla m = {0.4} attuale", 0.0, formValue(52, "kleinMassSpinBox")},
        {52, "only {0.03} at 0.49", "solo {0.03} a 0.49", 0.005, kleinMassT(52, 0.49)},
        {52, "below {0.01} beyond 0.55", "sotto {0.01} oltre 0.55", 0.01, massScanLargest(52, 0.55)},
        {52, "at the current mass: about {0.22}, far below the curve", "alla massa attuale: circa {0.22}, molto sotto la curva",
         0.03, summaryAt(52, 26.0, kMassScan, "packet max P_right=")},
        {52, "the packet (Sigma 1.8) carries momenta spread by about hbar/(2 Sigma) = {0.28}",
         "pacchetto (Sigma 1.8) porta impulsi sparsi di circa hbar/(2 Sigma) = {0.28}", 0.005,
         afterLoad(52, [](GuideRun& r) { return 1.0 / (2.0 * r.spinBox("kleinSigmaSpinBox")); })},
        {52, "At m = {0.4} T(m) falls steeply", "A m = {0.4} la T(m) cade ripida", 0.0, formValue(52, "kleinMassSpinBox")},
        {52, "set Momentum px to sqrt({1.5013}^2 - m^2)", "porta Momentum px a sqrt({1.5013}^2 - m^2)", 5e-4,
         summaryAt(52, 0.0, kMassScan, "Fixed total E=")},
        {52, "m = {0.1} needs px 1.498", "m = {0.1} richiede px 1.498", 0.0, typedInto(52, "kleinMassSpinBox", 0.1)},
        {52, "m = 0.1 needs px {1.498}", "m = 0.1 richiede px {1.498}", 5e-4, equalEnergyMomentum(52, 0.1)},
        {52, "m = {0.2} needs 1.488", "m = {0.2} richiede 1.488", 0.0, typedInto(52, "kleinMassSpinBox", 0.2)},
        {52, "m = 0.2 needs {1.488}", "m = 0.2 richiede {1.488}", 5e-4, equalEnergyMomentum(52, 0.2)},
        {52, "m = {0.45} needs 1.432", "m = {0.45} richiede 1.432", 0.0, typedInto(52, "kleinMassSpinBox", 0.45)},
        {52, "m = 0.45 needs {1.432}", "m = 0.45 richiede {1.432}", 5e-4, equalEnergyMomentum(52, 0.45)},
        {52, "the red point reads about {0.60}, 0.48 and 0.16", "il punto rosso vale circa {0.60}, 0.48 e 0.16", 0.005,
         massScanPacket(0.1)},
        {52, "0.60, {0.48} and", "0.60, {0.48} e", 0.005, massScanPacket(0.2)},
        {52, "{0.16} against the curve's", "{0.16} contro", 0.005, massScanPacket(0.45)},
        {52, "against the curve's {0.94}, 0.81 and 0.12", "contro {0.94}, 0.81 e 0.12 della curva", 0.005, kleinMassT(52, 0.1)},
        {52, "{0.81} and 0.12. It", "{0.81} e 0.12 della", 0.005, kleinMassT(52, 0.2)},
        {52, "and {0.12}. It follows", "e {0.12} della curva", 0.005, kleinMassT(52, 0.45)},

        // 53 Massless Dirac.
        {53, "(c = {1}, px = 1.5, so E = 1.5, Sigma 3.0) starts at x = -10",
         "(c = {1}, px = 1.5, quindi E = 1.5, Sigma 3.0) parte da x = -10", 0.0, formValue(53, "kleinLightSpeedSpinBox")},
        {53, "px = {1.5}, so", "px = {1.5}, quindi", 0.0, formValue(53, "kleinPxSpinBox")},
        {53, "so E = {1.5}, Sigma", "quindi E = {1.5}, Sigma", 5e-4, summaryAt(53, 0.0, kMassless, "fixed E=")},
        {53, "Sigma {3.0}) starts", "Sigma {3.0}) parte", 0.0, formValue(53, "kleinSigmaSpinBox")},
        {53, "starts at x = {-10}", "parte da x = {-10}", 0.0, formValue(53, "kleinCenterXSpinBox")},
        {53, "barrier of height {3.2} and width 3.", "barriera alta {3.2} e larga 3.", 0.0, formValue(53, "kleinBarrierHeightSpinBox")},
        {53, "height 3.2 and width {3}.", "alta 3.2 e larga {3}.", 0.0, formValue(53, "kleinBarrierWidthSpinBox")},
        {53, "exactly T = {1} for any V0", "esattamente T = {1} per ogni V0", 1e-6, summaryAt(53, 0.0, kMassless, "T(m=0)=")},
        {53, "{0.91} at 10 degrees, 0.66 at 20, 0.41 at 30 and 0.26 at 40",
         "{0.91} a 10 gradi, 0.66 a 20, 0.41 a 30 e 0.26 a 40", 0.005, kleinT(53, 10.0)},
        {53, "{0.66} at 20, 0.41", "{0.66} a 20, 0.41", 0.005, kleinT(53, 20.0)},
        {53, "{0.41} at 30 and", "{0.41} a 30 e", 0.005, kleinT(53, 30.0)},
        {53, "{0.26} at 40.", "{0.26} a 40.", 0.005, kleinT(53, 40.0)},
        {53, "T(theta) for m = {0}; the violet", "T(theta) per m = {0}; la curva viola", 0.0, formValue(53, "kleinMassSpinBox")},
        {53, "a control with m = {0.8} at the same total energy (|p| = 1.27)",
         "un controllo con m = {0.8} alla stessa energia totale (|p| = 1.27)", 5e-4, summaryAt(53, 0.0, kMassless, "control m=")},
        {53, "(|p| = {1.27})", "(|p| = {1.27})", 0.005, summaryAt(53, 0.0, kMassless, "p_massive=")},
        {53, "transmits only {0.37} at normal", "trasmette solo {0.37} a incidenza", 0.005,
         summaryAt(53, 0.0, kMassless, "T(m=0.80)=")},
        {53, "set Rest mass m to {0.8} and Momentum px to 1.269 (same E)",
         "porta Rest mass m a {0.8} e Momentum px a 1.269 (stessa E)", 0.0, typedInto(53, "kleinMassSpinBox", 0.8)},
        {53, "Momentum px to {1.269} (same E)", "Momentum px a {1.269} (stessa E)", 5e-4, summaryAt(53, 0.0, kMassless, "p_massive=")},
        {53, "Back at m = {0}, tilt the momentum (px 1.299, py 0.75 for 30 degrees)",
         "Tornato a m = {0}, inclina l'impulso (px 1.299, py 0.75 per 30 gradi)", 0.0, formValue(53, "kleinMassSpinBox")},
        {53, "(px {1.299}, py 0.75", "(px {1.299}, py 0.75", 0.0, typedInto(53, "kleinPxSpinBox", 1.299)},
        {53, "py {0.75} for", "py {0.75} per", 0.0, typedInto(53, "kleinPySpinBox", 0.75)},
        {53, "0.75 for {30} degrees", "0.75 per {30} gradi", 0.05, kleinAngleTyped(53, 1.299, 0.75)},
        {53, "T at that angle drops to about {0.41} (T_massless", "della curva ciano a quell'angolo scende a circa {0.41} (T_massless", 0.005,
         afterEdit(53, kleinMomentum(1.299, 0.75), kMassless, "T_massless=")},
        {53, "the packet's maximum P_right, reads about {0.53}.", "il massimo di P_right del pacchetto, vale circa {0.53}.", 0.01,
         anglePacket(53, 1.299, 0.75)},

        // 27 Bloch oscillations: the Bloch page's summary and the centre's
        // path over the first Bloch period.
        {27, "rectangular wells of depth {1} and width 1.28", "buche rettangolari profonde {1} e larghe 1.28", 5e-4,
         summaryAt(27, 0.0, kBloch, "depth=")},
        {27, "wells of depth 1 and width {1.28}", "profonde 1 e larghe {1.28}", 5e-4,
         sceneObject(27, Kind::Rectangle, [](const PotentialObject& o) { return double(o.width); })},
        {27, "lattice of spacing a = {2.56}", "reticolo di passo a = {2.56}", 5e-4, summaryAt(27, 0.0, kBloch, "a=")},
        {27, "a Linear object with F X = {0.08} adds the potential 0.08 x", "un oggetto Linear con F X = {0.08} aggiunge il potenziale 0.08 x",
         5e-4, sceneObject(27, Kind::Linear, [](const PotentialObject& o) { return double(o.slopeX); })},
        {27, "constant force F = {-0.08} towards", "forza costante F = {-0.08} verso", 5e-4, summaryAt(27, 0.0, kBloch, "F=")},
        {27, "the Brillouin zone, 2 pi hbar/a. When p reaches the zone edge p_B = pi hbar/a = {1.23}",
         "zona di Brillouin, 2&pi;hbar/a. Quando p raggiunge il bordo della zona p_B = &pi;hbar/a = {1.23}", 0.005,
         summaryAt(27, 0.0, kBloch, "p_B=")},
        {27, "T_B = 2 pi hbar/(|F| a) = {30.7}", "T_B = 2&pi;hbar/(|F| a) = {30.7}", 0.05, summaryAt(27, 0.0, kBloch, "T_B=")},
        // The band the packet sweeps is the excursion times the force.
        {27, "about {0.48} wide", "larga circa {0.48}", 0.005,
         [](GuideRun& r) {
             r.at(27, 31.0);
             return figureAfter(r.label(kBloch), "span=") * std::fabs(figureAfter(r.label(kBloch), "F="));
         }},
        {27, "about 0.48/0.08 = {6} (some 2.3 lattice spacings)", "circa 0.48/0.08 = {6} (circa 2.3 passi del reticolo)", 0.5,
         summaryAt(27, 31.0, kBloch, "span=")},
        {27, "(some {2.3} lattice spacings)", "(circa {2.3} passi del reticolo)", 0.05,
         [](GuideRun& r) {
             r.at(27, 31.0);
             return figureAfter(r.label(kBloch), "span=") / figureAfter(r.label(kBloch), "a=");
         }},
        {27, "stops near t = {16}", "si ferma verso t = {16}", 0.5, historyTurn(27, 0.0, 25.0, false)},
        {27, "returns to its starting point near t = {32}", "torna al punto di partenza verso t = {32}", 0.5,
         historyTurn(27, 20.0, 40.0, true)},
        {27, "set F X to {0.16} and press Apply changes: T_B halves to 15.3", "porta F X a {0.16} e premi Apply changes: T_B si dimezza a 15.3",
         0.0, typedInto(27, "linearSlopeXSpinBox", 0.16)},
        {27, "T_B halves to {15.3}", "T_B si dimezza a {15.3}", 0.05,
         afterEdit(27, objectEdited(Kind::Linear, "linearSlopeXSpinBox", 0.16), kBloch, "T_B=")},
        // Half the new period on, the excursion so far.
        {27, "half a period later the centre has moved only about {3.4}",
         "mezzo periodo dopo il centro si e' spostato solo di circa {3.4}", 0.05,
         afterEditedPeriod(27, 0.5, objectEdited(Kind::Linear, "linearSlopeXSpinBox", 0.16), kBloch, "T_B=", "span=")},
        {27, "Set Sigma to {1}: a narrow", "Porta Sigma a {1}: un pacchetto", 0.0, typedInto(27, "sigmaSpinBox", 1.0)},
        {27, "but swings only about {3.4} far", "ma si sposta solo di circa {3.4}", 0.05,
         afterEditedRun(27, 31.0, [](MainWindow& w) { setValue(w, "sigmaSpinBox", 1.0); }, kBloch, "span=")},
        {27, "In the indicative Rb-87 mapping one time unit is about {55} microseconds",
         "Nella corrispondenza indicativa per Rb-87 un'unita' di tempo vale circa {55} microsecondi", 0.5,
         [](GuideRun&) { return timeUnit(27) * 1e6; }},
        {27, "so T_B is about {1.7} ms", "quindi T_B vale circa {1.7} ms", 0.05,
         afterLoad(27, [](GuideRun& r) { return figureAfter(r.label(kBloch), "T_B=") * timeUnit(27) * 1e3; })},

        // 29 Rectangular billiard: the Billiards and Revivals summaries.
        {29, "Four walls of height {120} enclose an 18 x 14 rectangle", "Quattro pareti alte {120} chiudono un rettangolo 18 x 14", 0.0,
         sceneObject(29, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {29, "enclose an {18} x 14 rectangle", "chiudono un rettangolo {18} x 14", 0.005, summaryAt(29, 0.0, kBilliard, "box=")},
        {29, "enclose an 18 x {14} rectangle", "chiudono un rettangolo 18 x {14}", 0.005, summaryAt(29, 0.0, kBilliard, " x ")},
        {29, "A packet (Sigma {0.7}) starts at (-6, -3.5) with momentum (3.6, 2.4)",
         "Un pacchetto (Sigma {0.7}) parte da (-6, -3.5) con impulso (3.6, 2.4)", 0.005, preparedFigure(29, &PreparedPacket::sigmaX)},
        {29, "starts at ({-6}, -3.5)", "parte da ({-6}, -3.5)", 0.005, preparedFigure(29, &PreparedPacket::meanX)},
        {29, "starts at (-6, {-3.5})", "parte da (-6, {-3.5})", 0.005, preparedFigure(29, &PreparedPacket::meanY)},
        {29, "with momentum ({3.6}, 2.4)", "con impulso ({3.6}, 2.4)", 5e-4, preparedFigure(29, &PreparedPacket::meanPx)},
        {29, "with momentum (3.6, {2.4})", "con impulso (3.6, {2.4})", 5e-4, preparedFigure(29, &PreparedPacket::meanPy)},
        {29, "speed {4.3}, kinetic energy about 9.4", "velocita' {4.3}, energia cinetica circa 9.4", 0.05,
         afterLoad(29, [](GuideRun& r) { return std::hypot(px(r), py(r)) / mass(r); })},
        {29, "kinetic energy about {9.4}", "energia cinetica circa {9.4}", 0.05,
         afterLoad(29, [](GuideRun& r) { return (px(r) * px(r) + py(r) * py(r)) / (2.0 * mass(r)); })},
        {29, "The revival times, 4 m L^2/(pi hbar) = {413} along x and 250 along y for infinite walls",
         "I tempi di revival, 4 m L^2/(&pi; hbar) = {413} lungo x e 250 lungo y per pareti infinite", 0.5,
         afterLoad(29, [](GuideRun& r) { return 4.0 * mass(r) * std::pow(figureAfter(r.label(kBilliard), "box="), 2) / kPi; })},
        {29, "413 along x and {250} along y", "413 lungo x e {250} lungo y", 0.5,
         afterLoad(29, [](GuideRun& r) { return 4.0 * mass(r) * std::pow(figureAfter(r.label(kBilliard), " x "), 2) / kPi; })},
        {29, "uses the levels of the box as painted, shows {417} and 259", "usa i livelli della scatola come e' dipinta, mostra {417} e 259",
         1.0, summaryAt(29, 0.0, kRevival, "T_rev,x="), "(the revival reference of the box as painted)"},
        {29, "shows 417 and {259})", "mostra 417 e {259})", 1.0, summaryAt(29, 0.0, kRevival, "T_rev,y="),
         "(the revival reference of the box as painted)"},
        {29, "after t = 20 it swings between about {0.15} and 0.7", "dopo t = 20 oscilla tra circa {0.15} e 0.7", 0.02,
         spanOf(29, 20.0, 40.0, kBilliard, "occupied=", &Span::lowest)},
        {29, "about 0.15 and {0.7} around", "circa 0.15 e {0.7} attorno", 0.03,
         spanOf(29, 20.0, 40.0, kBilliard, "occupied=", &Span::highest)},
        {29, "around a level of about {0.37} (its mean over t = 20 to 40)",
         "attorno a un livello di circa {0.37} (la sua media su t da 20 a 40)", 0.005,
         spanOf(29, 20.0, 40.0, kBilliard, "occupied=", &Span::mean)},
        {29, "using Speed {8}x", "con Speed {8}x", 0.0, speedOffered(29, 8.0)},
        {29, "Set Momentum py to {0}: the packet", "Porta Momentum py a {0}: il pacchetto", 0.0, typedInto(29, "momentumYSpinBox", 0.0)},
        {29, "Set Momentum px to {3.0} and py to 3.0: the trajectory runs at 45 degrees",
         "Porta Momentum px a {3.0} e py a 3.0: la traiettoria corre a 45 gradi", 0.0, typedInto(29, "momentumSpinBox", 3.0)},
        {29, "and py to {3.0}: the", "e py a {3.0}: la", 0.0, typedInto(29, "momentumYSpinBox", 3.0)},
        {29, "runs at {45} degrees", "corre a {45} gradi", 0.05, pathDirection(29, [](MainWindow& w) {
             setValue(w, "momentumSpinBox", 3.0);
             setValue(w, "momentumYSpinBox", 3.0);
         })},

        // 30 Sinai billiard.
        {30, "The {18} x 14 box of the rectangular billiard (walls 120) now holds a hard disc of radius 2.2 and height 120",
         "La scatola {18} x 14 del biliardo rettangolare (pareti 120) contiene ora al centro un disco duro di raggio 2.2 e altezza 120",
         0.005, summaryAt(30, 0.0, kBilliard, "box=")},
        {30, "The 18 x {14} box", "La scatola 18 x {14}", 0.005, summaryAt(30, 0.0, kBilliard, " x ")},
        {30, "(walls {120}) now", "(pareti {120}) contiene", 0.0,
         sceneObject(30, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {30, "disc of radius {2.2} and", "disco duro di raggio {2.2} e", 0.005, summaryAt(30, 0.0, kBilliard, "obstacle r=")},
        {30, "radius 2.2 and height {120}", "raggio 2.2 e altezza {120}", 0.0,
         sceneObject(30, Kind::Circle, [](const PotentialObject& o) { return double(o.value); })},
        {30, "Sigma {0.7} at (-6, -3.5), momentum (3.6, 2.4), kinetic energy about 9.4",
         "Sigma {0.7} in (-6, -3.5), impulso (3.6, 2.4), energia cinetica circa 9.4", 0.005, preparedFigure(30, &PreparedPacket::sigmaX)},
        {30, "Sigma 0.7 at ({-6}, -3.5)", "Sigma 0.7 in ({-6}, -3.5)", 0.005, preparedFigure(30, &PreparedPacket::meanX)},
        {30, "Sigma 0.7 at (-6, {-3.5})", "Sigma 0.7 in (-6, {-3.5})", 0.005, preparedFigure(30, &PreparedPacket::meanY)},
        {30, "momentum ({3.6}, 2.4), kinetic", "impulso ({3.6}, 2.4), energia", 5e-4, preparedFigure(30, &PreparedPacket::meanPx)},
        {30, "momentum (3.6, {2.4}), kinetic", "impulso (3.6, {2.4}), energia", 5e-4, preparedFigure(30, &PreparedPacket::meanPy)},
        {30, "kinetic energy about {9.4}.", "energia cinetica circa {9.4}.", 0.05,
         afterLoad(30, [](GuideRun& r) { return (px(r) * px(r) + py(r) * py(r)) / (2.0 * mass(r)); })},
        {30, "(18 x 14 minus pi x 2.2^2, about {237})", "(18 x 14 meno &pi; x 2.2^2, circa {237})", 0.5,
         afterLoad(30,
                   [](GuideRun& r) {
                       const QString s = r.label(kBilliard);
                       return figureAfter(s, "box=") * figureAfter(s, " x ") - kPi * std::pow(figureAfter(s, "obstacle r="), 2);
                   })},
        {30, "settles near {0.48} (its mean over t = 20 to 40)", "si assesta vicino a {0.48} (la sua media su t da 20 a 40)",
         0.005, spanOf(30, 20.0, 40.0, kBilliard, "occupied=", &Span::mean)},
        {30, "between about {0.45} and 0.52", "tra circa {0.45} e 0.52", 0.01,
         spanOf(30, 20.0, 40.0, kBilliard, "occupied=", &Span::lowest)},
        {30, "about 0.45 and {0.52}", "circa 0.45 e {0.52}", 0.01,
         spanOf(30, 20.0, 40.0, kBilliard, "occupied=", &Span::highest)},
        {30, "Set the disc radius to {1.0}", "Porta il raggio del disco a {1.0}", 0.0, typedInto(30, "circleRadiusSpinBox", 1.0)},
        {30, "(about {0.48} against 0.37)", "(circa {0.48} contro 0.37)", 0.005,
         spanOf(30, 20.0, 40.0, kBilliard, "occupied=", &Span::mean)},
        {30, "(about 0.48 against {0.37})", "(circa 0.48 contro {0.37})", 0.005,
         spanOf(29, 20.0, 40.0, kBilliard, "occupied=", &Span::mean)},

        // 31 Talbot: the Talbot page's summary and the correlations it prints.
        {31, "Gaussian teeth of width {0.45} repeated", "denti gaussiani di larghezza {0.45} ripetuti", 5e-4,
         summaryAt(31, 0.0, kTalbot, "tooth sigma=")},
        {31, "with period a = {5.12}", "con periodo a = {5.12}", 5e-4, summaryAt(31, 0.0, kTalbot, "a=")},
        {31, "starts at y = {-8} and moves upwards with p_y = 1.2", "parte da y = {-8} e sale con p_y = 1.2", 0.0,
         talbotValue(31, &TalbotInitialState::centerY)},
        {31, "moves upwards with p_y = {1.2}", "sale con p_y = {1.2}", 0.0, talbotValue(31, &TalbotInitialState::momentumY)},
        {31, "A periodic wave contains only the momenta p_n = 2 pi hbar n/a, with phases exp(-i p_n^2 t/(2 m hbar)). At the "
             "Talbot time T_T = m a^2/(pi hbar) = {8.34} all these phases are again multiples of 2 pi",
         "Un'onda periodica contiene solo gli impulsi p_n = 2&pi; hbar n/a, con fasi exp(-i p_n^2 t/(2 m hbar)). Al tempo di "
         "Talbot T_T = m a^2/(&pi; hbar) = {8.34} tutte queste fasi sono di nuovo multipli di 2&pi;",
         0.005, afterLoad(31, talbotTime)},
        {31, "At T_T/2 = {4.17} the odd", "A T_T/2 = {4.17} le armoniche", 0.005,
         afterLoad(31, [](GuideRun& r) { return talbotTime(r) / 2.0; })},
        {31, "shifted by a/2 = {2.56}. At T_T/4 = 2.09 two shifted copies overlap and the pattern shows period a/2",
         "spostato di a/2 = {2.56}. A T_T/4 = 2.09 due copie spostate si sovrappongono e la figura mostra periodo a/2", 5e-3,
         afterLoad(31, [](GuideRun& r) { return figureAfter(r.label(kTalbot), "a=") / 2.0; })},
        {31, "At T_T/4 = {2.09} two", "A T_T/4 = {2.09} due", 0.005,
         afterLoad(31, [](GuideRun& r) { return figureAfter(r.label(kTalbot), "T_T=") / 4.0; })},
        {31, "(by {10} during one Talbot time)", "(di {10} in un tempo di Talbot)", 0.3,
         [](GuideRun& r) {
             r.at(31, 0.0);
             const double start = r.window().observableHistory().newest().meanY;
             r.at(31, figureAfter(r.label(kTalbot), "T_T="));
             return r.window().observableHistory().newest().meanY - start;
         }},
        {31, "with the comb shifted by a/2 (magenta); they alternate near {1} at T_T and T_T/2",
         "con il pettine spostato di a/2 (magenta); si alternano vicino a {1} a T_T e a T_T/2", 0.01,
         peakValue(31, 7.0, 9.5, kTalbot, "corr(original)=")},
        {31, "Set Mass m to {2}: T_T doubles to 16.7", "Porta Mass m a {2}: T_T raddoppia a 16.7", 0.0, typedInto(31, "massSpinBox", 2.0)},
        {31, "T_T doubles to {16.7}", "T_T raddoppia a {16.7}", 0.05, afterEdit(31, typed({{"massSpinBox", 2.0}}), kTalbot, "T_T=")},
        {31, "Set Speed to {0.25}x around t = 2", "Porta Speed a {0.25}x attorno a t = 2", 0.0, speedOffered(31, 0.25)},
        {31, "Rb-87 grating mapping (a = {390} nm)", "per un reticolo di Rb-87 (a = {390} nm)", 1.0,
         afterLoad(31, [](GuideRun& r) { return figureAfter(r.label(kTalbot), "a=") * lengthUnit(31) * 1e9; })},
        {31, "the Talbot time is about {66} microseconds", "il tempo di Talbot vale circa {66} microsecondi", 0.5,
         afterLoad(31, [](GuideRun& r) { return figureAfter(r.label(kTalbot), "T_T=") * timeUnit(31) * 1e6; })},

        // 32 Quantum bouncer: the Bouncer page's summary and its ideal ball.
        {32, "A floor of height {150} has its top at y = -8", "Un pavimento alto {150} ha la sommita' a y = -8", 0.0,
         sceneObject(32, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {32, "has its top at y = {-8}, and", "ha la sommita' a y = {-8}, e", 0.005, summaryAt(32, 0.0, kBouncer, "floor y=")},
        {32, "a Linear object with F Y = {0.8} adds the potential 0.8 (y + 8)",
         "un oggetto Linear con F Y = {0.8} aggiunge il potenziale 0.8 (y + 8)", 5e-4,
         sceneObject(32, Kind::Linear, [](const PotentialObject& o) { return double(o.slopeY); })},
        {32, "a uniform force {0.8} downwards", "una forza uniforme {0.8} verso il basso", 5e-4, summaryAt(32, 0.0, kBouncer, "F=")},
        {32, "The packet (Sigma {0.75}) starts 10 units above the floor at (-4, 2) with momentum (0.3, -0.3)",
         "Il pacchetto (Sigma {0.75}) parte 10 unita' sopra il pavimento, in (-4, 2), con impulso (0.3, -0.3)", 0.005,
         preparedFigure(32, &PreparedPacket::sigmaX)},
        {32, "starts {10} units above", "parte {10} unita' sopra", 0.005, afterLoad(32, dropHeight)},
        {32, "at ({-4}, 2) with", "in ({-4}, 2), con", 0.005, preparedFigure(32, &PreparedPacket::meanX)},
        {32, "at (-4, {2}) with", "in (-4, {2}), con", 0.005, preparedFigure(32, &PreparedPacket::meanY)},
        {32, "with momentum ({0.3}, -0.3)", "con impulso ({0.3}, -0.3)", 5e-4, preparedFigure(32, &PreparedPacket::meanPx)},
        {32, "with momentum (0.3, {-0.3})", "con impulso (0.3, {-0.3})", 5e-4, preparedFigure(32, &PreparedPacket::meanPy)},
        {32, "ell = (hbar^2/(2 m F))^(1/3) = {0.855}", "ell = (hbar^2/(2 m F))^(1/3) = {0.855}", 5e-4,
         summaryAt(32, 0.0, kBouncer, "Airy ell=")},
        {32, "the lowest is {1.60}, with", "il piu' basso e' {1.60}, con", 0.005, summaryAt(32, 0.0, kBouncer, "E1=")},
        {32, "turning height of {2.0} above", "altezza classica di inversione di {2.0} sopra", 0.05,
         afterLoad(32, [](GuideRun& r) { return figureAfter(r.label(kBouncer), "E1=") / bouncerForce(r); })},
        {32, "The packet has about {8} units of energy", "Il pacchetto ha circa {8} unita' di energia", 0.5,
         afterLoad(32,
                   [](GuideRun& r) {
                       return (px(r) * px(r) + py(r) * py(r)) / (2.0 * mass(r)) + bouncerForce(r) * dropHeight(r);
                   })},
        {32, "falls for {4.6} time units", "cade per {4.6} unita' di tempo", 0.07, lowestTime(32, 0.0, 8.0, kBouncer, "classical y=")},
        {32, "hits the floor at speed {4.0}", "tocca il pavimento a velocita' {4.0}", 0.05, afterLoad(32, floorSpeed)},
        {32, "bounces with period {10.0}", "rimbalza con periodo {10.0}", 0.1,
         [](GuideRun& r) {
             const double first = lowestTime(32, 0.0, 8.0, kBouncer, "classical y=")(r);
             return lowestTime(32, 8.0, 18.0, kBouncer, "classical y=")(r) - first;
         }},
        {32, "about pi hbar/p = {0.8} apart", "distanti circa &pi; hbar/p = {0.8}", 0.05,
         afterLoad(32, [](GuideRun& r) { return kPi / (mass(r) * floorSpeed(r)); })},
        {32, "Set Center Y to {-4}: a drop of only 4", "Porta Center Y a {-4}: una caduta di soli 4", 0.0,
         typedInto(32, "centerYSpinBox", -4.0)},
        {32, "set F Y to {0.4} and", "porta F Y a {0.4} e", 0.0, typedInto(32, "linearSlopeYSpinBox", 0.4)},
        {32, "Airy length {1.08}", "lunghezza di Airy {1.08}", 0.005,
         afterEdit(32, objectEdited(Kind::Linear, "linearSlopeYSpinBox", 0.4), kBouncer, "Airy ell=")},

        // 33 Quantum vortex: the Vortex page's summary.
        {33, "(k = {0.25}, omega = 0.5, period 12.57)", "(k = {0.25}, &omega; = 0.5, periodo 12.57)", 0.0,
         sceneObject(33, Kind::Harmonic, [](const PotentialObject& o) { return double(o.curvatureX); })},
        {33, "omega = {0.5}, period", "&omega; = {0.5}, periodo", 5e-4, summaryAt(33, 0.0, kVortex, "omega=")},
        {33, "period {12.57})", "periodo {12.57})", 0.005, summaryAt(33, 0.0, kVortex, "T=")},
        {33, "envelope of width {1}, the", "inviluppo gaussiano di larghezza {1}, la", 0.0, vortexValue(33, &VortexInitialState::envelopeSigma)},
        {33, "multiplied by (x - {1}) + i y: a vortex of charge +1 whose core, a zero of psi, sits off axis at (1, 0)",
         "moltiplicato per (x - {1}) + i y: un vortice di carica +1 il cui nucleo, uno zero di psi, sta fuori asse in (1, 0)", 0.0,
         vortexValue(33, &VortexInitialState::coreX)},
        {33, "vortex of charge +{1} whose", "vortice di carica +{1} il cui", 0.0, summaryAt(33, 0.0, kVortex, "winding=")},
        {33, "off axis at (1, {0})", "fuori asse in (1, {0})", 0.0, vortexValue(33, &VortexInitialState::coreY)},
        {33, "on a circle of radius {1} (the page finds the core on the grid's cells, so its r wanders",
         "su un cerchio di raggio {1} (la pagina trova il nucleo sulle celle della griglia, quindi il suo r", 0.0,
         vortexValue(33, &VortexInitialState::coreX)},
        // Over one precession period.
        {33, "wanders between {0.905} and", "oscilla fra {0.905} e", 5e-4, lowestValue(33, 0.0, 12.6, kVortex, "r=")},
        {33, "and {1.073} as it goes round", "e {1.073} mentre gira", 5e-4, highestValue(33, 0.0, 12.6, kVortex, "r=")},
        {33, "flat at {0.665} (0.667, two thirds,", "piatto a {0.665} (0.667, due terzi,", 5e-4,
         summaryAt(33, 12.6, kVortex, "<Lz>/hbar=")},
        {33, "(0.667, two thirds, for the packet", "(0.667, due terzi, per il pacchetto", 5e-4,
         afterLoad(33,
                   [](GuideRun& r) {
                       const VortexInitialState& v = r.window().storedRecords().vortexInitialState;
                       const double spread = 2.0 * v.envelopeSigma * v.envelopeSigma;
                       return spread / (spread + v.coreX * v.coreX + v.coreY * v.coreY);
                   })},
        {33, "Set Mass m to {4}: omega halves to 0.25 and the precession period doubles to 25.1",
         "Porta Mass m a {4}: &omega; si dimezza a 0.25 e il periodo di precessione raddoppia a 25.1", 0.0,
         typedInto(33, "massSpinBox", 4.0)},
        {33, "omega halves to {0.25}", "si dimezza a {0.25}", 5e-4, afterEdit(33, typed({{"massSpinBox", 4.0}}), kVortex, "omega=")},
        {33, "period doubles to {25.1}", "raddoppia a {25.1}", 0.05, afterEdit(33, typed({{"massSpinBox", 4.0}}), kVortex, "T=")},

        // 34 Anderson localisation: the lanes as loaded and the Anderson page.
        {34, "Two rows of {23} Gaussian wells (width 0.45, spacing 1.6)", "Due file di {23} buche gaussiane (larghezza 0.45, passo 1.6)",
         0.0, summaryAt(34, 0.0, kAnderson, "sites=")},
        {34, "(width {0.45}, spacing", "(larghezza {0.45}, passo", 5e-4,
         sceneObject(34, Kind::Gaussian, [](const PotentialObject& o) { return double(o.sigmaX); })},
        {34, "spacing {1.6})", "passo {1.6})", 5e-4, summaryAt(34, 0.0, kAnderson, "a=")},
        {34, "at y = +{4}, is clean: every well has depth 5", "a y = +{4}, e' pulita: ogni buca ha profondita' 5", 0.0,
         andersonValue(&AndersonInitialStateConfig::cleanLaneY)},
        {34, "every well has depth {5}.", "ogni buca ha profondita' {5}.", 5e-4,
         afterLoad(34, [](GuideRun& r) { return std::fabs(figureAfter(r.label(kAnderson), "clean depth=")); })},
        {34, "at y = {-4}, is", "a y = {-4}, e'", 0.0, andersonValue(&AndersonInitialStateConfig::disorderLaneY)},
        {34, "within {5} +/- 45 percent", "entro {5} +/- 45 per cento", 5e-4,
         afterLoad(34, [](GuideRun& r) { return std::fabs(figureAfter(r.label(kAnderson), "clean depth=")); })},
        {34, "5 +/- {45} percent", "5 +/- {45} per cento", 1.0,
         [](GuideRun& r) {
             double widest = 0.0;
             for (const double depth : laneDepths(r, true))
                 widest = std::max(widest, std::fabs(depth / laneDepths(r, false).front() - 1.0));
             return 100.0 * widest;
         }},
        {34, "and the {23} drawn lie between 2.8 and 7.1", "e le {23} estratte stanno tra 2.8 e 7.1", 0.0,
         [](GuideRun& r) { return double(laneDepths(r, true).size()); }},
        {34, "lie between {2.8} and 7.1", "stanno tra {2.8} e 7.1", 0.05,
         [](GuideRun& r) {
             const std::vector<double> d = laneDepths(r, true);
             return *std::min_element(d.begin(), d.end());
         }},
        {34, "lie between 2.8 and {7.1}", "stanno tra 2.8 e {7.1}", 0.05,
         [](GuideRun& r) {
             const std::vector<double> d = laneDepths(r, true);
             return *std::max_element(d.begin(), d.end());
         }},
        {34, "Two identical packets (Sigma {0.35})", "Due pacchetti identici (Sigma {0.35})", 5e-4,
         summaryAt(34, 0.0, kAnderson, "sigmaX clean=")},
        {34, "then stops growing ({11.7} at t = 25)", "poi smette di crescere ({11.7} a t = 25)", 0.05,
         summaryAt(34, 25.0, kAnderson, "sigmaX clean=")},
        {34, "the magenta one saturates near {5}", "quella magenta si satura vicino a {5}", 0.5,
         summaryAt(34, 25.0, kAnderson, "disorder=")},
        {34, "Run at Speed {8}x", "Fai correre a Speed {8}x", 0.0, speedOffered(34, 8.0)},

        // 36 Quantum Zeno: the lanes as loaded, the Zeno page and the escape's
        // plane-wave transmission.
        {36, "A wall at y = {0} divides", "Una parete in y = {0} divide", 0.0, zenoValue(&ZenoConfig::laneSplitY)},
        {36, "(Sigma {0.8}, px 1.5, energy 1.125) starts at x = -5.5", "(Sigma {0.8}, px 1.5, energia 1.125) parte da x = -5.5", 0.005,
         preparedFigure(36, &PreparedPacket::sigmaX)},
        {36, "px {1.5}, energy", "px {1.5}, energia", 5e-4, preparedFigure(36, &PreparedPacket::meanPx)},
        {36, "energy {1.125})", "energia {1.125})", 5e-4, afterLoad(36, [](GuideRun& r) { return px(r) * px(r) / (2.0 * mass(r)); })},
        {36, "starts at x = {-5.5} between", "parte da x = {-5.5} tra", 0.005, preparedFigure(36, &PreparedPacket::meanX)},
        {36, "back wall at x = {-9} and", "parete di fondo in x = {-9} e", 0.0, sceneObjectWhere(36, Kind::Rectangle, isBackWall, centreX)},
        {36, "barrier of height {4} and width 0.8 at x = 0", "barriera di fuga alta {4} e larga 0.8 in x = 0", 0.0,
         sceneObjectWhere(36, Kind::Rectangle, isEscapeBarrier, valueOf)},
        {36, "height 4 and width {0.8} at", "alta 4 e larga {0.8} in", 5e-4, sceneObjectWhere(36, Kind::Rectangle, isEscapeBarrier, widthOf)},
        {36, "width 0.8 at x = {0}.", "larga 0.8 in x = {0}.", 0.0, sceneObjectWhere(36, Kind::Rectangle, isEscapeBarrier, centreX)},
        {36, "starting at t = {0.4} and then every 0.1", "a partire da t = {0.4} e poi ogni 0.1", 1e-3, summaryAt(36, 0.0, kZeno, "next=")},
        {36, "and then every {0.1}", "e poi ogni {0.1}", 1e-3, summaryAt(36, 0.0, kZeno, "measurement dt=")},
        {36, "still left of x = {0.4} and", "ancora a sinistra di x = {0.4} e", 0.0, zenoValue(&ZenoConfig::survivalBoundaryX)},
        {36, "plane-wave transmission is {0.07}", "un'onda piana e' {0.07}", 0.005, zenoTransmission()},
        {36, "(the first near t = {3.4}, then about every 11)", "(il primo verso t = {3.4}, poi circa ogni 11)", 0.05,
         [](GuideRun& r) { return zenoTravel(r, false); }},
        {36, "then about every {11})", "poi circa ogni {11})", 0.5, [](GuideRun& r) { return zenoTravel(r, true); }},
        {36, "at t = 30 the page reads control survival {0.47}", "a t = 30 la pagina legge sopravvivenza del controllo {0.47}", 0.005,
         summaryAt(36, 30.0, kZeno, "control survival=")},
        {36, "watched cumulative {0.56}, ratio", "cumulata osservata {0.56}, rapporto", 0.005,
         summaryAt(36, 30.0, kZeno, "watched cumulative=")},
        {36, "watched cumulative 0.56, ratio {1.20}", "cumulata osservata 0.56, rapporto {1.20}", 0.005,
         summaryAt(36, 30.0, kZeno, "ratio=")},
        {36, "Set Measurement dt to {1.0} and", "Porta Measurement dt a {1.0} e", 0.0, typedInto(36, "zenoMeasurementPeriodSpinBox", 1.0)},
        {36, "the control, ratio {1.06} at t = 30", "il controllo, rapporto {1.06} a t = 30", 0.005,
         afterEditedRun(36, 30.0, typed({{"zenoMeasurementPeriodSpinBox", 1.0}}, "zenoApplyButton"), kZeno, "ratio=")},
        {36, "At {5.0}, six tests in 30 time", "A {5.0}, sei prove in 30 unita'", 0.0, typedInto(36, "zenoMeasurementPeriodSpinBox", 5.0)},
        {36, "the ratio is {1.01}: the lanes", "il rapporto e' {1.01}: le corsie", 0.005,
         afterEditedRun(36, 30.0, typed({{"zenoMeasurementPeriodSpinBox", 5.0}}, "zenoApplyButton"), kZeno, "ratio=")},
        {36, "Set it to {0.04}: a little", "Portalo a {0.04}: un po'", 0.0, typedInto(36, "zenoMeasurementPeriodSpinBox", 0.04)},
        {36, "more protection, ratio {1.24}.", "di protezione, rapporto {1.24}.", 0.005,
         afterEditedRun(36, 30.0, typed({{"zenoMeasurementPeriodSpinBox", 0.04}}, "zenoApplyButton"), kZeno, "ratio=")},
        {36, "Set Layer width to {0.2}: both", "Porta Layer width a {0.2}: le due", 0.0, typedInto(36, "absorbingWidthSpinBox", 0.2)},
        {36, "the ratio stays {1.20}.", "rapporto resta {1.20}.", 0.005,
         afterEditedRun(36, 30.0, typed({{"absorbingWidthSpinBox", 0.2}}), kZeno, "ratio=")},

        // 37 Quantum scars: the Scars page's summary.
        {37, "A Stadium Exterior object (wall {120}) leaves a stadium of straight length 8 and cap radius 4.5",
         "Un oggetto Stadium Exterior (parete {120}) lascia libero uno stadio di tratto rettilineo 8 e raggio dei semicerchi 4.5", 0.05,
         summaryAt(37, 0.0, kScar, "Vwall=")},
        {37, "straight length {8} and", "tratto rettilineo {8} e", 0.005, summaryAt(37, 0.0, kScar, "stadium L=")},
        {37, "cap radius {4.5} at", "raggio dei semicerchi {4.5} al", 0.005, summaryAt(37, 0.0, kScar, "R=")},
        {37, "centre of a {24} x 16 universe", "centro di un universo {24} x 16", 0.0, formValue(37, "universeWidthSpinBox")},
        {37, "a 24 x {16} universe", "universo 24 x {16}", 0.0, formValue(37, "universeHeightSpinBox")},
        {37, "The packet (Sigma {0.7}) starts at (-3, 0) with px = 4", "Il pacchetto (Sigma {0.7}) parte da (-3, 0) con px = 4", 0.005,
         preparedFigure(37, &PreparedPacket::sigmaX)},
        {37, "starts at ({-3}, 0)", "parte da ({-3}, 0)", 0.005, preparedFigure(37, &PreparedPacket::meanX)},
        {37, "starts at (-3, {0})", "parte da (-3, {0})", 0.005, preparedFigure(37, &PreparedPacket::meanY)},
        {37, "with px = {4}, right", "con px = {4}, proprio", 5e-4, preparedFigure(37, &PreparedPacket::meanPx)},
        {37, "of length 2(2R + L) = {34} and period 34/4 = 8.5 at speed 4",
         "di lunghezza 2(2R + L) = {34} e periodo 34/4 = 8.5 a velocita' 4", 0.05,
         afterLoad(37,
                   [](GuideRun& r) {
                       return 2.0 * (2.0 * figureAfter(r.label(kScar), "R=") + figureAfter(r.label(kScar), "stadium L="));
                   })},
        {37, "period 34/4 = {8.5} at", "periodo 34/4 = {8.5} a", 0.005, summaryAt(37, 0.0, kScar, "Tclass=")},
        {37, "at speed {4}, is unstable", "a velocita' {4}, e' instabile", 0.0,
         afterLoad(37, [](GuideRun& r) { return px(r) / mass(r); })},
        {37, "at the energy E = {9.5} with", "all'energia E = {9.5} con", 5e-4, summaryAt(37, 0.0, kScar, "E filter=")},
        {37, "the band of half-width {0.8} around", "fascia di semiampiezza {0.8} attorno", 0.005, summaryAt(37, 0.0, kScar, "band +/- ")},
        {37, "divided by the band's share of the stadium area, {20} percent: 1 means no preference)",
         "divisa per la quota della fascia nell'area dello stadio, {20} per cento: 1 vuol dire nessuna preferenza)", 0.5,
         afterLoad(37,
                   [](GuideRun& r) {
                       const double length = figureAfter(r.label(kScar), "stadium L=");
                       const double radius = figureAfter(r.label(kScar), "R=");
                       const double band = figureAfter(r.label(kScar), "band +/- ");
                       return 100.0 * 2.0 * band * (length + 2.0 * radius) / (2.0 * radius * length + kPi * radius * radius);
                   })},
        {37, "The filtered enhancement is still about {2.4} at t = 20", "Il rinforzo filtrato vale ancora circa {2.4} a t = 20", 0.1,
         summaryAt(37, 20.0, kScar, "filtered=")},
        {37, "stays below about {0.05} once", "resta sotto circa {0.05} una volta", 0.01, highestValue(37, 2.0, 26.0, kScar, "fidelity=")},
        {37, "Change Filter energy E to {8.5}, the packet's own mean energy, or to 11",
         "Porta Filter energy E a {8.5}, l'energia media del pacchetto, oppure a 11", 0.0, typedInto(37, "scarEnergySpinBox", 8.5)},
        // The Total energy <H> of the Time series as Load leaves it.
        {37, "E to {8.5}, the packet's own mean energy", "E a {8.5}, l'energia media del pacchetto", 0.05,
         afterLoad(37, [](GuideRun& r) { return r.shown().observableHistory().newest().totalEnergy; })},
        {37, "or to {11}, and", "oppure a {11}, e", 0.0, typedInto(37, "scarEnergySpinBox", 11.0)},
        {37, "Set Orbit half-band to {0.4}", "Porta Orbit half-band a {0.4}", 0.0, typedInto(37, "scarBandSpinBox", 0.4)},
        {37, "with Center Y = {1.5}: the scar", "con Center Y = {1.5}: la cicatrice", 0.0, typedInto(37, "centerYSpinBox", 1.5)},

        // 38 Berry phase: the Berry page's summary over one loop.
        {38, "An isotropic harmonic trap (k = {1}) is", "Una trappola armonica isotropa (k = {1}) e'", 0.0, afterLoad(38, berryStiffness)},
        {38, "anisotropy a = {0.35}: the", "anisotropia a = {0.35}: le", 5e-4, summaryAt(38, 0.0, kBerry, "loop A=")},
        {38, "become k + 2a = {1.7} and k - 2a = 0.3", "diventano k + 2a = {1.7} e k - 2a", 5e-4,
         afterLoad(38, [](GuideRun& r) { return berryStiffness(r) + 2.0 * figureAfter(r.label(kBerry), "loop A="); })},
        {38, "k - 2a = {0.3} (omega+", "k - 2a = {0.3} (omega+", 5e-4,
         afterLoad(38, [](GuideRun& r) { return berryStiffness(r) - 2.0 * figureAfter(r.label(kBerry), "loop A="); })},
        {38, "(omega+ = {1.30}, omega- = 0.55)", "(omega+ = {1.30}, omega- = 0.55)", 0.005,
         afterLoad(38,
                   [](GuideRun& r) {
                       return std::sqrt((berryStiffness(r) + 2.0 * figureAfter(r.label(kBerry), "loop A=")) / mass(r));
                   })},
        {38, "omega- = {0.55})", "omega- = {0.55})", 0.005,
         afterLoad(38,
                   [](GuideRun& r) {
                       return std::sqrt((berryStiffness(r) - 2.0 * figureAfter(r.label(kBerry), "loop A=")) / mass(r));
                   })},
        {38, "During one loop of duration {240} the", "Durante un giro di durata {240} la", 0.05, summaryAt(38, 0.0, kBerry, "duration=")},
        {38, "hbar(omega+ - omega-) = {0.76}, and the adiabaticity ratio pi/(240 x 0.76) = 0.017",
         "hbar(omega+ - omega-) = {0.76}, e il rapporto di adiabaticita' &pi;/(240 x 0.76) = 0.017", 0.005,
         summaryAt(38, 0.0, kBerry, "doublet gap=")},
        {38, "pi/(240 x 0.76) = {0.017}", "&pi;/(240 x 0.76) = {0.017}", 5e-4, summaryAt(38, 0.0, kBerry, "axis-rate/gap=")},
        {38, "by {90} degrees at t = 120", "di {90} gradi a t = 120", 0.2, summaryAt(38, 120.0, kBerry, "trap axis=")},
        {38, "When the axes have turned by {180} degrees", "Quando gli assi hanno ruotato di {180} gradi", 0.1,
         summaryAt(38, 240.0, kBerry, "trap axis=")},
        {38, "by {180} degrees at t = 240", "di {180} gradi a t = 240", 0.1, summaryAt(38, 240.0, kBerry, "trap axis=")},
        {38, "Use Speed {8}x or 16x", "Usa Speed {8}x o 16x", 0.0, speedOffered(38, 8.0)},
        {38, "Use Speed 8x or {16}x", "Usa Speed 8x o {16}x", 0.0, speedOffered(38, 16.0)},
        {38, "({0.9998} at the end of the loop)", "({0.9998} alla fine del giro)", 2e-4, summaryAt(38, 240.0, kBerry, "return fidelity=")},
        {38, "it ends at about {-167} degrees", "finisce a circa {-167} gradi", 1.0, summaryAt(38, 240.0, kBerry, "geometric phase=")},
        {38, "{13} degrees from pi (modulo 2 pi)", "a {13} gradi da &pi; (modulo 2&pi;)", 1.0, summaryAt(38, 240.0, kBerry, "|error from pi|=")},
        {38, "Set Loop duration to {40} (ratio 0.10)", "Porta Loop duration a {40} (rapporto 0.10)", 0.0,
         typedInto(38, "berryDurationSpinBox", 40.0)},
        {38, "(ratio {0.10})", "(rapporto {0.10})", 0.005,
         afterEdit(38, typed({{"berryDurationSpinBox", 40.0}}), kBerry, "axis-rate/gap=")},
        {38, "Set Winding to {-1} (CW)", "Porta Winding a {-1} (CW)", 0.0, comboOffers(38, "berryWindingComboBox", "-1")},

        // 39 Loschmidt echo: the scene as loaded and the Loschmidt page.
        {39, "The Sinai billiard ({18} x 14 box and central disc of radius 2.2, walls 120)",
         "Il biliardo di Sinai (scatola {18} x 14 e disco centrale di raggio 2.2, pareti 120)", 0.005,
         afterLoad(39, [](GuideRun& r) { return boxInner(r, true); })},
        {39, "(18 x {14} box", "(scatola 18 x {14}", 0.005, afterLoad(39, [](GuideRun& r) { return boxInner(r, false); })},
        {39, "disc of radius {2.2}, walls", "disco centrale di raggio {2.2}, pareti", 5e-4,
         sceneObject(39, Kind::Circle, [](const PotentialObject& o) { return double(o.radius); })},
        {39, "walls {120}) with", "pareti {120}) con", 0.0,
         sceneObject(39, Kind::Rectangle, [](const PotentialObject& o) { return double(o.value); })},
        {39, "(Sigma {0.7}, momentum (3.6, 2.4))", "(Sigma {0.7}, impulso (3.6, 2.4))", 0.005, preparedFigure(39, &PreparedPacket::sigmaX)},
        {39, "momentum ({3.6}, 2.4))", "impulso ({3.6}, 2.4))", 5e-4, preparedFigure(39, &PreparedPacket::meanPx)},
        {39, "momentum (3.6, {2.4}))", "impulso (3.6, {2.4}))", 5e-4, preparedFigure(39, &PreparedPacket::meanPy)},
        {39, "Reversal time T = {4} the", "Reversal time T = {4} la", 1e-3, summaryAt(39, 0.0, kLoschmidt, "reversal T=")},
        {39, "at 2T = {8} the conjugate", "a 2T = {8} si ricostruisce", 1e-3,
         afterLoad(39, [](GuideRun& r) { return 2.0 * figureAfter(r.label(kLoschmidt), "reversal T="); })},
        {39, "at t = {4} nothing seems", "a t = {4} nella densita'", 1e-3, summaryAt(39, 0.0, kLoschmidt, "reversal T=")},
        {39, "compact packet at t = {8}.", "pacchetto compatto a t = {8}.", 0.1, peakTime(39, 6.0, 9.0, kLoschmidt, "coherent echo=")},
        {39, "with T and 2T marked; both come back close to {1} at 2T", "con T e 2T segnati; entrambe tornano vicino a {1} a 2T", 0.01,
         summaryAt(39, 8.0, kLoschmidt, "coherent echo=")},
        {39, "both come back close to 1", "entrambe tornano vicino a 1", 0.01, summaryAt(39, 8.0, kLoschmidt, "density echo=")},
        {39, "Set Reversal error Delta px to {0.05}: the reversal", "Porta Reversal error Delta px a {0.05}: l'inversione", 0.0,
         typedInto(39, "loschmidtMomentumErrorXSpinBox", 0.05)},
        // The kicked echo: the width at T and the echo at 2T of each run.
        {39, "the coherent echo at 2T is exactly |&lt;exp(i Delta px x/hbar)&gt;|^2 averaged over the density at T, close to "
             "exp(-(Delta px sigma_x/hbar)^2) for the packet's width sigma_x at T (Diagnostics row sigmaX / sigmaY). "
             "At T = {4}, sigma_x",
         "l'eco coerente a 2T e' esattamente |&lt;exp(i Delta px x/hbar)&gt;|^2 mediato sulla densita' al tempo T, vicino a "
         "exp(-(Delta px sigma_x/hbar)^2) per la larghezza sigma_x del pacchetto a T (riga sigmaX / sigmaY di "
         "Diagnostics). A T = {4}, sigma_x",
         0.0, formValue(39, "loschmidtTimeSpinBox")},
        {39, "sigma_x = {4.34} gives", "sigma_x = {4.34} da'", 0.005, [](GuideRun& r) { return kickedEcho(r, 4.0, true).spread; }},
        {39, "gives {0.954}, and", "da' {0.954}, e", 5e-4,
         [](GuideRun& r) {
             const KickedEcho run = kickedEcho(r, 4.0, true);
             return std::exp(-std::pow(run.kick * run.spread, 2));
         }},
        {39, "the page's echo at 2T reads {0.954}", "l'eco a 2T della pagina vale {0.954}", 5e-4,
         [](GuideRun& r) { return kickedEcho(r, 4.0, true).echo; }},
        {39, "Reversal time T ({8} or 12)", "Reversal time T piu' tardo ({8} o 12)", 0.0, typedInto(39, "loschmidtTimeSpinBox", 8.0)},
        {39, "(8 or {12}) the packet", "(8 o {12}) il pacchetto", 0.0, typedInto(39, "loschmidtTimeSpinBox", 12.0)},
        {39, "(sigma_x {5.38} and 5.28)", "(sigma_x {5.38} e 5.28)", 0.005, [](GuideRun& r) { return kickedEcho(r, 8.0, true).spread; }},
        {39, "and {5.28}) and", "e {5.28}) e", 0.005, [](GuideRun& r) { return kickedEcho(r, 12.0, true).spread; }},
        {39, "the echo reads {0.930} and 0.932", "l'eco vale {0.930} e", 5e-4, [](GuideRun& r) { return kickedEcho(r, 8.0, true).echo; }},
        {39, "and {0.932}, no lower", "{0.932}, non meno", 5e-4, [](GuideRun& r) { return kickedEcho(r, 12.0, true).echo; }},
        {39, "(sigma_x {1.81} at T = 4, echo 0.992)", "(sigma_x {1.81} a T = 4, eco 0.992)", 0.005,
         [](GuideRun& r) { return kickedEcho(r, 4.0, false).spread; }},
        {39, "echo {0.992})", "eco {0.992})", 5e-4, [](GuideRun& r) { return kickedEcho(r, 4.0, false).echo; }},

        // 40 Moshinsky shutter: the shutter tab and the detector signal the
        // page prints.
        {40, "A thin, tall barrier of height {120} at x = 0 is the shutter", "Una barriera sottile e alta, di altezza {120} in x = 0, fa da otturatore",
         0.0, sceneObjectWhere(40, Kind::Barrier, [](const PotentialObject&) { return true; }, valueOf)},
        {40, "of height 120 at x = {0} is", "di altezza 120 in x = {0}, fa", 0.0,
         recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::shutterX)},
        {40, "moving with momentum {3} (wavelength 2.09)", "con impulso {3} (lunghezza d'onda 2.09)", 0.0,
         recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::momentumX)},
        {40, "(wavelength {2.09})", "(lunghezza d'onda {2.09})", 0.005,
         [](GuideRun& r) { return 2.0 * kPi / recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::momentumX)(r); }},
        {40, "an envelope of width {8} centred at x = -8, transverse width 3.2", "un inviluppo di larghezza {8} centrato in x = -8, largo 3.2 in trasversale",
         0.0, recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::envelopeSigmaX)},
        {40, "centred at x = {-8}, transverse", "centrato in x = {-8}, largo", 0.0,
         recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::envelopeCenterX)},
        {40, "transverse width {3.2}, whose", "largo {3.2} in trasversale", 0.0,
         recordValue(40, &ExperimentSettingsRecords::moshinskyInitialState, &MoshinskyInitialStateConfig::transverseSigmaY)},
        {40, "At the Opening time {0} the", "All'Opening time {0} l'altezza", 0.0, formValue(40, "moshinskyOpenTimeSpinBox")},
        {40, "at t = m x/p = {1} for the detector at x = 3", "a t = m x/p = {1} per il rivelatore in x = 3", 0.01,
         afterLoad(40, [](GuideRun& r) { return mass(r) * r.spinBox("moshinskyDetectorXSpinBox") / px(r); })},
        {40, "for the detector at x = {3}, overshoots", "per il rivelatore in x = {3}, supera", 0.0,
         formValue(40, "moshinskyDetectorXSpinBox")},
        {40, "a first maximum near t = {2.1}, 1.31 times", "un primo massimo verso t = {2.1}, 1.31 volte", 0.05,
         peakTime(40, 1.5, 3.0, kMoshinsky, "I_det=")},
        {40, "{1.31} times the density the beam would bring there without diffraction",
         "{1.31} volte la densita' che il fascio porterebbe li' senza diffrazione", 0.005, knifeEdgeOvershoot},
        {40, "a second near t = {3.7}, then", "un secondo verso t = {3.7}, poi", 0.05, peakTime(40, 3.0, 4.6, kMoshinsky, "I_det=")},
        {40, "sqrt(pi hbar t/m)/v, some {0.6} here", "sqrt(&pi; hbar t/m)/v, qui circa {0.6}", 0.05,
         afterLoad(40,
                   [](GuideRun& r) {
                       const double speed = px(r) / mass(r);
                       const double arrival = r.spinBox("moshinskyDetectorXSpinBox") / speed;
                       return std::sqrt(kPi * arrival / mass(r)) / speed;
                   })},
        {40, "the detector signal I(xd, t) at x = {3}.", "il segnale del rivelatore I(xd, t) in x = {3}.", 0.005,
         summaryAt(40, 0.0, kMoshinsky, "detector x=")},
        {40, "Set Analysis detector X to {6}: the front arrives at t = 2", "Porta Analysis detector X a {6}: il fronte arriva a t = 2", 0.0,
         typedInto(40, "moshinskyDetectorXSpinBox", 6.0)},
        {40, "the front arrives at t = {2} and", "il fronte arriva a t = {2} e", 0.01,
         [](GuideRun& r) {
             const Measure detector = afterEdit(40, typed({{"moshinskyDetectorXSpinBox", 6.0}}), kMoshinsky, "detector x=");
             return mass(r) * detector(r) / px(r);
         }},
        {40, "Set Opening time to {1.0} to", "Porta Opening time a {1.0} per", 0.0, typedInto(40, "moshinskyOpenTimeSpinBox", 1.0)},

        // 41 Kapitza-Dirac: the light tab, the page's summary and the
        // thin-grating Bessel shares.
        {41, "(sigma {5} along x, 1.25 along y) starts at y = -6.5 moving upwards with p_y = 1.1",
         "(sigma {5} lungo x, 1.25 lungo y) parte da y = -6.5 e sale con p_y = 1.1", 0.0,
         recordValue(41, &ExperimentSettingsRecords::kapitzaDiracInitialState, &KapitzaDiracInitialStateConfig::sigmaX)},
        {41, "sigma 5 along x, {1.25} along y", "sigma 5 lungo x, {1.25} lungo y", 0.0,
         recordValue(41, &ExperimentSettingsRecords::kapitzaDiracInitialState, &KapitzaDiracInitialStateConfig::sigmaY)},
        {41, "starts at y = {-6.5} moving", "parte da y = {-6.5} e sale", 0.0,
         recordValue(41, &ExperimentSettingsRecords::kapitzaDiracInitialState, &KapitzaDiracInitialStateConfig::centerY)},
        {41, "upwards with p_y = {1.1}.", "sale con p_y = {1.1}.", 0.0,
         recordValue(41, &ExperimentSettingsRecords::kapitzaDiracInitialState, &KapitzaDiracInitialStateConfig::momentumY)},
        {41, "From t = {0} to 0.3 a standing light wave adds the potential V0 cos^2(pi x/a) with depth V0 = 16",
         "Da t = {0} a 0.3 un'onda luminosa stazionaria aggiunge il potenziale V0 cos^2(&pi; x/a) con profondita' V0 = 16", 0.0,
         formValue(41, "kapitzaDiracStartSpinBox")},
        {41, "From t = 0 to {0.3} a", "Da t = 0 a {0.3} un'onda", 1e-9,
         afterLoad(41, [](GuideRun& r) { return r.spinBox("kapitzaDiracStartSpinBox") + r.spinBox("kapitzaDiracDurationSpinBox"); })},
        {41, "with depth V0 = {16} and", "con profondita' V0 = {16} e", 0.0, formValue(41, "kapitzaDiracDepthSpinBox")},
        {41, "and period a = {4.096};", "e periodo a = {4.096};", 0.0, formValue(41, "kapitzaDiracPeriodSpinBox")},
        {41, "exp(-i (V0 tau/(2 hbar)) cos(2 pi x/a)), which transfers momentum only in multiples of the grating momentum G = 2 pi hbar/a = {1.53}",
         "exp(-i (V0 tau/(2 hbar)) cos(2&pi; x/a)), che trasferisce impulso solo in multipli dell'impulso del reticolo G = 2&pi; hbar/a = {1.53}",
         0.005, summaryAt(41, 0.0, kKapitzaDirac, "G=")},
        {41, "P_n = J_n^2(A) with the pulse area A = V0 tau/(2 hbar) = {2.4}. Since 2.4 is close",
         "P_n = J_n^2(A) con l'area dell'impulso A = V0 tau/(2 hbar) = {2.4}. Poiche' 2.4 e' vicino", 0.005,
         summaryAt(41, 0.0, kKapitzaDirac, "beta=")},
        {41, "the orders +/-1 get about {27} percent each", "gli ordini +/-1 ricevono circa {27} per cento ciascuno", 0.5, thinGrating(1)},
        {41, "+/-2 about {19} percent", "+/-2 circa {19} per cento", 0.5, thinGrating(2)},
        {41, "+/-3 about {4} percent", "+/-3 circa {4} per cento", 0.5, thinGrating(3)},
        {41, "G^2/(2m) is {1.18})", "G^2/(2m) e' {1.18})", 0.005,
         afterLoad(41, [](GuideRun& r) { return std::pow(figureAfter(r.label(kKapitzaDirac), "G="), 2) / (2.0 * mass(r)); })},
        // Right after the pulse (the first sample after it) and at the end of the recording.
        {41, "P0 = {0.006}, P(+-1) = 0.57 and P(+-2) = 0.36", "P0 = {0.006}, P(+-1) = 0.57 e P(+-2) = 0.36", 0.002,
         summaryAt(41, 0.4, kKapitzaDirac, "P0=")},
        {41, "P(+-1) = {0.57} and", "P(+-1) = {0.57} e", 0.01, summaryAt(41, 0.4, kKapitzaDirac, "P(+-1)=")},
        {41, "P(+-2) = {0.36}, each", "P(+-2) = {0.36}, ogni", 0.01, summaryAt(41, 0.4, kKapitzaDirac, "P(+-2)=")},
        {41, "P0 = {0.006}, P(+-1) = 0.57 and P(+-2) = 0.36", "P0 = {0.006}, P(+-1) = 0.57 e P(+-2) = 0.36", 0.002,
         summaryAt(41, 4.0, kKapitzaDirac, "P0=")},
        {41, "P(+-1) = {0.57} and", "P(+-1) = {0.57} e", 0.01, summaryAt(41, 4.0, kKapitzaDirac, "P(+-1)=")},
        {41, "P(+-2) = {0.36}, each", "P(+-2) = {0.36}, ogni", 0.01, summaryAt(41, 4.0, kKapitzaDirac, "P(+-2)=")},
        {41, "about {6} per order after 4 time units", "circa {6} per ordine dopo 4 unita' di tempo", 0.2,
         afterLoad(41, [](GuideRun& r) { return 4.0 * figureAfter(r.label(kKapitzaDirac), "G=") / mass(r); })},
        {41, "order populations for n = {-4} to 4", "ordini da n = {-4} a 4", 0.0,
         afterLoad(41, [](GuideRun& r) { return -double(r.intSpinBox("kapitzaDiracOrderSpinBox")); })},
        {41, "for n = -4 to {4}; the", "da n = -4 a {4}; la", 0.0,
         afterLoad(41, [](GuideRun& r) { return double(r.intSpinBox("kapitzaDiracOrderSpinBox")); })},
        {41, "Set Pulse duration to {0.15} (area 1.2)", "Porta Pulse duration a {0.15} (area 1.2)", 0.0,
         typedInto(41, "kapitzaDiracDurationSpinBox", 0.15)},
        {41, "(area {1.2})", "(area {1.2})", 0.005, afterEdit(41, kShorterPulse, kKapitzaDirac, "beta=")},
        // Right after the shorter pulse (the first sample after it), against the thin grating of its area.
        {41, "the summary shows P0 = {0.452}, P(+-1)", "il riepilogo mostra P0 = {0.452}, P(+-1)", 5e-4,
         afterEditedRun(41, 0.2, kShorterPulse, kKapitzaDirac, "P0=")},
        {41, "P(+-1) = {0.497} and P(+-2) = 0.050", "P(+-1) = {0.497} e P(+-2) = 0.050", 5e-4,
         afterEditedRun(41, 0.2, kShorterPulse, kKapitzaDirac, "P(+-1)=")},
        {41, "P(+-2) = {0.050}, close", "P(+-2) = {0.050}, vicine", 5e-4,
         afterEditedRun(41, 0.2, kShorterPulse, kKapitzaDirac, "P(+-2)=")},
        {41, "J_0^2(1.2) = {0.450} and", "J_0^2(1.2) = {0.450} e", 5e-4,
         [](GuideRun& r) { return thinGrating(0, kShorterPulse)(r) / 100.0; }},
        {41, "2 J_1^2(1.2) = {0.497}: the", "2 J_1^2(1.2) = {0.497}: l'impulso", 5e-4,
         [](GuideRun& r) { return 2.0 * thinGrating(1, kShorterPulse)(r) / 100.0; }},
        {41, "Set Lattice period a to {8.192}: G halves", "Porta Lattice period a a {8.192}: G si dimezza", 0.0,
         typedInto(41, "kapitzaDiracPeriodSpinBox", 8.192)},

        // 44 Quantum Hall edge: the Hall Edge tab and page.
        {44, "The uniform field b = {0.45} (omega_c = 0.45, period 13.96)", "Il campo uniforme b = {0.45} (omega_c = 0.45, periodo 13.96)", 0.0,
         formValue(44, "hallEdgeFieldSpinBox")},
        {44, "(omega_c = {0.45}, period", "(omega_c = {0.45}, periodo", 5e-4, summaryAt(44, 0.0, kHallEdge, "omega_c=")},
        {44, "period {13.96}) is", "periodo {13.96}) e'", 0.005,
         afterLoad(44, [](GuideRun& r) { return 2.0 * kPi / figureAfter(r.label(kHallEdge), "omega_c="); })},
        {44, "hard wall of height {120} that fills the region below the edge y = -8", "parete dura alta {120} che riempie la regione sotto il bordo y = -8",
         0.0, formValue(44, "hallEdgeWallSpinBox")},
        {44, "below the edge y = {-8}.", "sotto il bordo y = {-8}.", 0.0, formValue(44, "hallEdgeYSpinBox")},
        {44, "The packet (Sigma {1.1}) starts at (0, -5.3), 2.7 above the edge", "Il pacchetto (Sigma {1.1}) parte da (0, -5.3), 2.7 sopra il bordo",
         0.0, formValue(44, "hallEdgeSigmaSpinBox")},
        {44, "starts at ({0}, -5.3)", "parte da ({0}, -5.3)", 0.005, preparedFigure(44, &PreparedPacket::meanX)},
        {44, "starts at (0, {-5.3})", "parte da (0, {-5.3})", 0.0, formValue(44, "hallEdgeLaunchYSpinBox")},
        {44, "{2.7} above the edge", "{2.7} sopra il bordo", 1e-9,
         afterLoad(44, [](GuideRun& r) { return r.spinBox("hallEdgeLaunchYSpinBox") - r.spinBox("hallEdgeYSpinBox"); })},
        {44, "hbar b R = {1.89} along +x", "hbar b R = {1.89} lungo +x", 0.005,
         afterLoad(44, [](GuideRun& r) { return hallField(r) * hallRadius(r); })},
        {44, "orbit of radius R = {4.2}.", "ciclotrone di raggio R = {4.2}.", 0.0, formValue(44, "hallEdgeRadiusSpinBox")},
        {44, "around a centre at y = {-9.5}.", "attorno a un centro in y = {-9.5}.", 1e-9,
         afterLoad(44, [](GuideRun& r) { return r.spinBox("hallEdgeLaunchYSpinBox") - hallRadius(r); })},
        {44, "Each arc covers 2 sqrt(R^2 - 1.5^2) = {7.8} along x in about 5.4 time units",
         "Ogni arco copre 2 sqrt(R^2 - 1.5^2) = {7.8} lungo x in circa 5.4 unita' di tempo", 0.05,
         afterLoad(44, [](GuideRun& r) { return 2.0 * std::sqrt(std::pow(hallRadius(r), 2) - std::pow(hallCentreDepth(r), 2)); })},
        {44, "sqrt(R^2 - {1.5}^2)", "sqrt(R^2 - {1.5}^2)", 1e-9, afterLoad(44, hallCentreDepth)},
        {44, "in about {5.4} time units", "in circa {5.4} unita' di tempo", 0.05,
         afterLoad(44,
                   [](GuideRun& r) {
                       return 2.0 * std::acos(hallCentreDepth(r) / hallRadius(r)) / figureAfter(r.label(kHallEdge), "omega_c=");
                   })},
        {44, "a mean drift of about {1.46};", "una deriva media di circa {1.46};", 0.005,
         afterLoad(44,
                   [](GuideRun& r) {
                       const double chord = 2.0 * std::sqrt(std::pow(hallRadius(r), 2) - std::pow(hallCentreDepth(r), 2));
                       const double arc = 2.0 * std::acos(hallCentreDepth(r) / hallRadius(r));
                       return chord / (arc / figureAfter(r.label(kHallEdge), "omega_c="));
                   })},
        {44, "the page's drift reaches {11.5} at t = 8.", "la deriva della pagina raggiunge {11.5} a t = 8.", 0.2,
         summaryAt(44, 8.0, kHallEdge, "drift=")},
        {44, "the edge strip ({4} above the edge)", "striscia di bordo ({4} sopra il bordo)", 0.0, formValue(44, "hallEdgeBandSpinBox")},
        {44, "recorded up to t = {8}.", "registrate fino a t = {8}.", 0.0, formValue(44, "hallEdgeAnalysisEndSpinBox")},
        {44, "set b = qB / hbar to {-0.45} and", "porta b = qB / hbar a {-0.45} e", 0.0, typedInto(44, "hallEdgeFieldSpinBox", -0.45)},
        {44, "Orbit radius R to {2}: the orbit", "Orbit radius R a {2}: l'orbita", 0.0, typedInto(44, "hallEdgeRadiusSpinBox", 2.0)},
        {44, "Set Launch Y to {1.5} and Orbit radius R to 2: the orbit",
         "Porta Launch Y a {1.5} e Orbit radius R a 2: l'orbita", 0.0, typedInto(44, "hallEdgeLaunchYSpinBox", 1.5)},
        {44, "(centre at {-0.5}, lowest", "(centro a {-0.5}, punto", 0.05, hallOrbit(kCircling, true)},
        {44, "lowest point {-2.5})", "piu' basso {-2.5})", 0.05, hallOrbit(kCircling, false)},
        {44, "Set Wall V0 to {0}: without", "Porta Wall V0 a {0}: senza", 0.0, typedInto(44, "hallEdgeWallSpinBox", 0.0)},

        // 45 Quantum backflow: the Backflow tab and page.
        {45, "two bands centred at k = {0.35} (slow) and k = 1.3 (fast), each of width 0.3",
         "due bande centrate in k = {0.35} (lenta) e k = 1.3 (veloce), ciascuna larga 0.3", 0.0, formValue(45, "backflowSlowKSpinBox")},
        {45, "and k = {1.3} (fast)", "e k = {1.3} (veloce)", 0.0, formValue(45, "backflowFastKSpinBox")},
        {45, "each of width {0.3}, with", "ciascuna larga {0.3}, con", 0.0, formValue(45, "backflowKSigmaSpinBox")},
        {45, "amplitude ratio {0.52} and", "rapporto di ampiezza {0.52} e", 0.0, formValue(45, "backflowRatioSpinBox")},
        {45, "relative phase {180} degrees", "fase relativa {180} gradi", 0.0, formValue(45, "backflowPhaseSpinBox")},
        {45, "Every component with p_x &lt;= 0 is set exactly to zero, so P(p_x &gt; 0) = {1}.",
         "Ogni componente con p_x &lt;= 0 e' posta esattamente a zero, quindi P(p_x &gt; 0) = {1}.", 1e-6,
         summaryAt(45, 0.0, kBackflow, "P(p_x>0)=")},
        {45, "starts around x = {-1.8}; a", "parte attorno a x = {-1.8}; una", 0.0, formValue(45, "backflowCenterXSpinBox")},
        {45, "a detector line stands at x = {0}.", "una linea di rivelazione sta in x = {0}.", 0.0, formValue(45, "backflowDetectorSpinBox")},
        {45, "this packet sends back about {1.1} percent", "questo pacchetto ne rimanda indietro circa {1.1} per cento", 0.1,
         [](GuideRun& r) { return 100.0 * summaryAt(45, 4.0, kBackflow, "backward flux=")(r); }},
        {45, "watch those near x = {0} reverse", "guarda quelle vicino a x = {0} invertirsi", 0.0, formValue(45, "backflowDetectorSpinBox")},
        {45, "The recording covers {4} time units.", "La registrazione copre {4} unita' di tempo.", 0.0,
         formValue(45, "backflowAnalysisEndSpinBox")},
        {45, "set Relative phase (deg) to {0} and", "porta Relative phase (deg) a {0} e", 0.0, typedInto(45, "backflowPhaseSpinBox", 0.0)},
        {45, "Vary Fast amplitude ratio between {0.3} and 1", "Varia Fast amplitude ratio tra {0.3} e 1", 0.0,
         typedInto(45, "backflowRatioSpinBox", 0.3)},
        {45, "between 0.3 and {1} to", "tra 0.3 e {1} per", 0.0, typedInto(45, "backflowRatioSpinBox", 1.0)},

        // 46 Zitterbewegung: the Dirac / ZB tab and the page's summary.
        {46, "(effective c = {1}, rest mass m = 0.5, Sigma 3.5, px = 0.5) starts at x = -6",
         "(c efficace = {1}, massa a riposo m = 0.5, Sigma 3.5, px = 0.5) parte da x = -6", 0.0, formValue(46, "zitterLightSpeedSpinBox")},
        {46, "rest mass m = {0.5}, Sigma", "massa a riposo m = {0.5}, Sigma", 0.0, formValue(46, "zitterMassSpinBox")},
        {46, "Sigma {3.5}, px", "Sigma {3.5}, px", 0.0, formValue(46, "zitterSigmaSpinBox")},
        {46, "Sigma 3.5, px = {0.5})", "Sigma 3.5, px = {0.5})", 0.0, formValue(46, "zitterMomentumXSpinBox")},
        {46, "starts at x = {-6} with", "parte da x = {-6} con", 0.0, formValue(46, "zitterCenterXSpinBox")},
        {46, "it holds about {85} percent positive-energy", "contiene circa {85} per cento di componenti", 0.5,
         [](GuideRun& r) { return 100.0 * summaryAt(46, 0.0, kZitter, "P+=")(r); }},
        {46, "and {15} percent negative-energy components. The viewport shows the total density |upper|^2 + |lower|^2.",
         "e {15} per cento a energia negativa. Il viewport mostra la densita' totale |upper|^2 + |lower|^2.", 0.5,
         [](GuideRun& r) { return 100.0 * summaryAt(46, 0.0, kZitter, "P-=")(r); }},
        {46, "E = sqrt(p^2 c^2 + m^2 c^4) = {0.707}.", "E = sqrt(p^2 c^2 + m^2 c^4) = {0.707}.", 5e-4,
         [](GuideRun& r) { return summaryAt(46, 0.0, kZitter, "omega_ZB=")(r) / 2.0; }},
        {46, "frequency 2E/hbar = {1.41} (period 4.44)", "frequenza 2E/hbar = {1.41} (periodo 4.44)", 0.005, summaryAt(46, 0.0, kZitter, "omega_ZB=")},
        {46, "(period {4.44}), and", "(periodo {4.44}), e", 0.005, summaryAt(46, 0.0, kZitter, "T_ZB=")},
        {46, "swings between 0 and c around the drift c^4 m p/E^2 = {0.5}", "oscilla tra 0 e c attorno alla deriva c^4 m p/E^2 = {0.5}", 0.005,
         afterLoad(46, zitterDrift)},
        {46, "an amplitude of about {0.35};", "un'ampiezza di circa {0.35};", 0.005,
         afterLoad(46,
                   [](GuideRun& r) {
                       // The velocity swings between 0 and c: an amplitude c/2 at omega_ZB.
                       return r.spinBox("zitterLightSpeedSpinBox") / 2.0 / figureAfter(r.label(kZitter), "omega_ZB=");
                   })},
        {46, "peaks at about {0.31}.", "arriva al massimo a circa {0.31}.", 0.02, summaryAt(46, 12.0, kZitter, "max|detrendedX|=")},
        {46, "the packet drifts at about {0.67} (fit vx in the summary)", "il pacchetto deriva a circa {0.67} (fit vx nel riepilogo)",
         0.005,
         afterEditedRun(46, 12.0,
                        [](MainWindow& w) {
                            auto* preparation = control<QComboBox>(w, "zitterPreparationComboBox");
                            preparation->setCurrentIndex(preparation->findText(QStringLiteral("Positive-energy control")));
                            click(w, "zitterApplyButton");
                        },
                        kZitter, "fit vx=")},
        {46, "c^2 p/E = {0.71} holds for the central momentum", "c^2 p/E = {0.71} vale per il solo impulso centrale", 0.005,
         afterLoad(46,
                   [](GuideRun& r) {
                       const double c = r.spinBox("zitterLightSpeedSpinBox");
                       return c * c * r.spinBox("zitterMomentumXSpinBox") / (figureAfter(r.label(kZitter), "omega_ZB=") / 2.0);
                   })},
        {46, "Set Rest mass m to {1.0}: E = 1.12, period 2.81", "Porta Rest mass m a {1.0}: E = 1.12, periodo 2.81", 0.0,
         typedInto(46, "zitterMassSpinBox", 1.0)},
        {46, "E = {1.12}, period", "E = {1.12}, periodo", 0.005,
         [](GuideRun& r) { return afterEdit(46, kHeavierDirac, kZitter, "omega_ZB=")(r) / 2.0; }},
        {46, "period {2.81} and", "periodo {2.81} e", 0.005, afterEdit(46, kHeavierDirac, kZitter, "T_ZB=")},
        {46, "a frequency near 10^{21} per second", "una frequenza vicina a 10^{21} al secondo", 0.5,
         [](GuideRun& r) { return std::log10(summaryAt(46, 0.0, kZitter, "omega_ZB=")(r) / timeUnit(46)); }},
    };
    return claims;
}

// Every later guide: each of its numbers is some claim's.
std::vector<int> completeGuides()
{
    std::vector<int> presets;
    for (int preset = 27; preset <= 53; ++preset)
        presets.push_back(preset);
    return presets;
}

// The guides in groups that each take under half a minute on an idle
// machine, so that each stays well inside a few minutes on a busy one.
TEST(GuideClaimsLate, BlochAndRevivalGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 27, 28); }

TEST(GuideClaimsLate, RectangularBilliardGuideQuotesWhatTheProgramShows) { checkClaims(lateClaims(), 29, 29); }

TEST(GuideClaimsLate, SinaiBilliardGuideQuotesWhatTheProgramShows) { checkClaims(lateClaims(), 30, 30); }

TEST(GuideClaimsLate, TalbotAndBouncerGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 31, 32); }

// The level the bouncer's guide says its packet is built around: the Airy
// level nearest the packet's vertical energy above the floor, read from the
// run, with the zeros' asymptotic form |a_n|^(3/2) = 3 pi (4n - 1) / 8 (the
// page itself lists only the lowest levels).
TEST(GuideClaimsLate, BouncerPacketIsBuiltAroundTheLevelItsGuideNames)
{
    GuideRun r;
    r.asLoaded(32);
    const PreparedPacket packet = r.prepared();
    const double energy =
        (packet.meanPy * packet.meanPy + packet.sigmaPy * packet.sigmaPy) / (2.0 * mass(r)) +
        bouncerForce(r) * dropHeight(r);
    const double zero = energy / (bouncerForce(r) * figureAfter(r.label(kBouncer), "Airy ell="));
    const long nearest = std::lround((8.0 * std::pow(zero, 1.5) / (3.0 * kPi) + 1.0) / 4.0);
    const std::pair<const char*, const char*> ordinals[] = {
        {"eighth", "ottavo"}, {"ninth", "nono"}, {"tenth", "decimo"}};
    ASSERT_TRUE(nearest >= 8 && nearest <= 10) << nearest;
    const auto& [english, italian] = ordinals[nearest - 8];
    EXPECT_NE(std::string(presetGuideEnglish(32)).find(std::string("levels around the ") + english), std::string::npos);
    EXPECT_NE(std::string(presetGuideItalian(32)).find(std::string("attorno al ") + italian), std::string::npos);
}

// The vortex, Anderson's lanes and the kicked rotor.
TEST(GuideClaimsLate, VortexLaneAndKickedRotorGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 33, 35); }

// The Zeno guide's runs to t = 30: as loaded and at one measurement per unit
// time, then every 5.0 and 0.04 and under a wider layer.
TEST(GuideClaimsLate, ZenoGuideQuotesWhatTheProgramShowsAsLoadedAndAtASlowerRate)
{
    checkClaimsSplitAt(lateClaims(), 36, "At {5.0}", false);
}

TEST(GuideClaimsLate, ZenoGuideQuotesWhatTheProgramShowsAtOtherRatesAndLayers)
{
    checkClaimsSplitAt(lateClaims(), 36, "At {5.0}", true);
}

TEST(GuideClaimsLate, ScarGuideQuotesWhatTheProgramShows) { checkClaims(lateClaims(), 37, 37); }

TEST(GuideClaimsLate, BerryPhaseGuideQuotesWhatTheProgramShows) { checkClaims(lateClaims(), 38, 38); }

TEST(GuideClaimsLate, LoschmidtEchoGuideQuotesWhatTheProgramShows) { checkClaims(lateClaims(), 39, 39); }

// The shutter, the light grating, Aharonov-Bohm, Landau.
TEST(GuideClaimsLate, ShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 40, 43); }

TEST(GuideClaimsLate, HallEdgeBackflowAndZitterbewegungGuidesQuoteWhatTheProgramShows)
{
    checkClaims(lateClaims(), 44, 46);
}

// The Klein run, its regime map, its oblique incidence and the angle scan.
TEST(GuideClaimsLate, KleinRunMapAndAngleGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 47, 50); }

// The height and mass scans, and the massless Dirac run.
TEST(GuideClaimsLate, KleinScansAndMasslessDiracGuidesQuoteWhatTheProgramShows) { checkClaims(lateClaims(), 51, 53); }

TEST(GuideClaimsLate, EveryNumberOfTheCheckedGuidesIsClaimed) { checkCoverage(completeGuides(), lateClaims()); }

} // namespace vxo::test::late_guides
