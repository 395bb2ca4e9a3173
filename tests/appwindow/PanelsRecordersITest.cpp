// The recorder panels of the lattice, box, comb, bouncer, trap and rotor
// experiments. Each preset's summary carries numbers that physics fixes apart
// from the window (zone edge and Bloch period, revival and Talbot times, the
// participation area of a Gaussian, the Airy length and the Ehrenfest fall,
// the trap precession and the angular momentum of an off-axis vortex, the
// Bessel spread of one kick), and a page whose experiment is not loaded shows
// its hint over a cleared plot.

#include "core/Numeric.h"
#include "appwindow/WindowControls.h"
#include "app/text/DiagnosticsRowLabels.h"

#include "document/ExperimentCatalogue.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumBlochPlotWidget.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <complex>
#include <set>
#include <tuple>
#include <vector>

namespace vxo::test {
namespace {

// The number at the last "%" of `key` in `text`; every "%" of the key stands
// for a number, and the key must not continue a word ("T=" is not "t/T=").
double numberIn(const QString& text, const QString& key)
{
    const QString number = QStringLiteral("-?\\d+(?:\\.\\d+)?");
    const QStringList parts = key.split(QLatin1Char('%'));
    QString pattern = QStringLiteral("(?<![A-Za-z_/])") + QRegularExpression::escape(parts.front());
    for (int i = 1; i < parts.size(); ++i)
        pattern += (i + 1 == parts.size() ? QStringLiteral("(%1)").arg(number) : number) +
                   QRegularExpression::escape(parts[i]);
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : std::nan("");
}

std::vector<PotentialObject> objectsOf(const ExperimentPreset& preset, PotentialObjectKind kind)
{
    std::vector<PotentialObject> found;
    for (const PotentialObject& object : preset.scene.objects())
        if (object.kind == kind)
            found.push_back(object);
    return found;
}

// Inner size of a box of four equal walls: the walls taller than wide bound x.
double boxInterior(const ExperimentPreset& preset, bool alongX)
{
    std::vector<double> centres;
    double thickness = 0.0;
    for (const PotentialObject& wall : objectsOf(preset, PotentialObjectKind::Rectangle))
        if ((wall.height > wall.width) == alongX) {
            centres.push_back(alongX ? wall.centerX : wall.centerY);
            thickness = alongX ? wall.width : wall.height;
        }
    return *std::max_element(centres.begin(), centres.end()) - *std::min_element(centres.begin(), centres.end()) -
           thickness;
}

// |<a|b>|^2 / (<a|a> <b|b>); with a = b the norm times dx dy squared.
double overlap(const ComplexField2D& a, const ComplexField2D& b)
{
    std::complex<double> product;
    double normA = 0.0;
    double normB = 0.0;
    for (std::uint64_t i = 0; i < a.nx() * a.ny(); ++i) {
        product += std::conj(std::complex<double>(a.data()[i])) * std::complex<double>(b.data()[i]);
        normA += std::norm(a.data()[i]);
        normB += std::norm(b.data()[i]);
    }
    return std::norm(product) / (normA * normB);
}
double normOf(const ComplexField2D& field)
{
    double sum = 0.0;
    for (std::uint64_t i = 0; i < field.nx() * field.ny(); ++i)
        sum += std::norm(field.data()[i]);
    return sum * field.dx() * field.dy();
}

// What a case's formulas read: the preset, the window after the steps, the
// summary, and the solver's clock, mass and hbar.
struct State {
    const ExperimentPreset& preset;
    const MainWindow& window;
    const QString& summary;
    double t;
    double mass;
    double hbar;
    PotentialObject first(PotentialObjectKind kind) const { return objectsOf(preset, kind).at(0); }
};

struct Field {
    const char* key;
    double tolerance;
    double (*expected)(const State&);
};

struct SummaryCase {
    int preset;
    int steps;
    const char* label;
    const char* contains;
    std::vector<Field> fields;
    double height = 0.0;    // when > 0, the domain's new height before the steps
    double momentumY = 0.0; // the packet's momentum along y, set before the steps
};

using Kind = PotentialObjectKind;

double blochSpacing(const State& r)
{
    const std::vector<PotentialObject> wells = objectsOf(r.preset, Kind::Rectangle);
    return double(wells.at(1).centerX) - wells.at(0).centerX;
}
double blochPeriod(const State& r)
{
    return 2.0 * kPi * r.hbar / (std::fabs(r.first(Kind::Linear).slopeX) * blochSpacing(r));
}
// A box of walls of height V revives as an infinite well wider by the
// evanescent depth hbar / sqrt(2 m V) on each side: 4 m L'^2 / (pi hbar).
double revivalTime(const State& r, bool alongX)
{
    const double wall = r.first(Kind::Rectangle).value;
    const double width = boxInterior(r.preset, alongX) + 2.0 * r.hbar / std::sqrt(2.0 * r.mass * wall);
    return 4.0 * r.mass * width * width / (kPi * r.hbar);
}
double talbotTime(const State& r) { return r.mass * std::pow(r.preset.talbotInitialState.period, 2) / (kPi * r.hbar); }
double airyLength(const State& r) { return std::cbrt(r.hbar * r.hbar / (2.0 * r.mass * r.first(Kind::Linear).slopeY)); }
// Ehrenfest: in a uniform force the centre falls like a point mass until the floor.
double fallenHeight(const State& r)
{
    return r.preset.packetCenterY + r.preset.packetMomentumY * r.t / r.mass -
           r.first(Kind::Linear).slopeY * r.t * r.t / (2.0 * r.mass);
}
double trapOmega(const State& r) { return std::sqrt(r.first(Kind::Harmonic).curvatureX / r.mass); }
// The initial core (on the x axis) turned about the trap centre by omega t.
double idealCoreX(const State& r) { return r.preset.vortexInitialState.coreX * std::cos(trapOmega(r) * r.t); }
double idealCoreY(const State& r) { return r.preset.vortexInitialState.coreX * std::sin(trapOmega(r) * r.t); }
std::vector<double> laneValues(const State& r, double laneY)
{
    std::vector<double> values;
    for (const PotentialObject& site : objectsOf(r.preset, Kind::Gaussian))
        if (std::fabs(site.centerY - laneY) < 1e-6)
            values.push_back(site.value);
    return values;
}
double kickedTau(const State& r)
{
    return std::pow(2.0 * kPi / r.preset.universeWidth, 2) * r.hbar * r.preset.kickedRotor.kickPeriod / r.mass;
}
double halfKickSquared(const State& r) { return std::pow(r.preset.kickedRotor.phaseStrength, 2) / 2.0; }

// Fresh plot of the same class, size and font: what a cleared plot draws.
template <typename Plot>
QImage clearedRendering(const QWidget& plot)
{
    Plot fresh(nullptr);
    fresh.setFont(plot.font());
    fresh.resize(plot.size());
    return fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct Page {
    const char* label;
    const char* plot;
    const char* hint;
    QImage (*cleared)(const QWidget&);
};

const Page kPages[] = {
    {"blochSummaryLabel", "blochPlotWidget",
     "Load the Bloch Oscillations preset: periodic wells plus one constant Linear X force.",
     clearedRendering<QuantumBlochPlotWidget>},
    {"revivalSummaryLabel", "revivalPlotWidget",
     "Load the Wave-Packet Revivals preset: four finite box walls plus a localized packet.",
     clearedRendering<QuantumRevivalPlotWidget>},
    {"billiardSummaryLabel", "billiardPlotWidget", "Load a Rectangular or Sinai Billiard preset.",
     clearedRendering<QuantumBilliardPlotWidget>},
    {"talbotSummaryLabel", "talbotPlotWidget", "Load the Quantum Talbot Self-Imaging preset.",
     clearedRendering<QuantumTalbotPlotWidget>},
    {"bouncerSummaryLabel", "bouncerPlotWidget",
     "Load the Quantum Bouncer preset: one hard floor plus a positive Linear-Y slope.",
     clearedRendering<QuantumBouncerPlotWidget>},
    {"vortexSummaryLabel", "vortexPlotWidget",
     "Load the Quantum Vortex preset: off-axis vortex plus one isotropic harmonic trap.",
     clearedRendering<QuantumVortexPlotWidget>},
    {"andersonSummaryLabel", "andersonPlotWidget",
     "Load the Anderson Localization preset: upper clean lattice, lower disordered lattice.",
     clearedRendering<QuantumAndersonPlotWidget>},
    {"kickedRotorSummaryLabel", "kickedRotorPlotWidget",
     "Load the Quantum Kicked Rotor preset: periodic delta kicks plus free rotor evolution.",
     clearedRendering<QuantumKickedRotorPlotWidget>},
};

class RecorderPanelsTest : public ::testing::Test {
protected:
    void SetUp() override { window_ = windowOnSmallGrid().release(); }
    void TearDown() override
    {
        delete window_;
        window_ = nullptr;
    }

    static MainWindow& window() { return *window_; }
    static QString summary(const char* label) { return control<QLabel>(window(), label)->text(); }
    static void load(int preset, int steps)
    {
        window().loadGuidedExperiment(preset);
        for (int i = 0; i < steps; ++i)
            window().stepOnce();
    }

private:
    static MainWindow* window_;
};

MainWindow* RecorderPanelsTest::window_ = nullptr;

TEST_F(RecorderPanelsTest, OnlyTheLoadedExperimentsPagesLeaveTheirHint)
{
    // Page indices of kPages. A closed box is what the revival analysis
    // looks for, so the rectangular billiard also shows the revival summary.
    const std::pair<int, std::set<int>> kActive[] = {{0, {}},   {27, {0}}, {28, {1}}, {29, {1, 2}}, {30, {2}},
                                                     {31, {3}}, {32, {4}}, {33, {5}}, {34, {6}},    {35, {7}}};
    for (const auto& [preset, active] : kActive) {
        load(preset, 1);
        for (int page = 0; page < 8; ++page) {
            const Page& p = kPages[page];
            const bool shown = active.count(page) > 0;
            EXPECT_EQ(summary(p.label) == QLatin1String(p.hint), !shown)
                << "preset " << preset << ", " << p.label << ": " << summary(p.label).toStdString();
            QWidget& plot = *control<QWidget>(window(), p.plot);
            const QImage drawn = plot.grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(drawn == p.cleared(plot), !shown)
                << "preset " << preset << ", " << p.plot << (shown ? " draws no data" : " is not cleared");
        }
    }
}

TEST_F(RecorderPanelsTest, SummariesCarryTheNumbersOfThePhysics)
{
    const SummaryCase kCases[] = {
        {27, 25, "blochSummaryLabel", "BLOCH | wells=",
         {{"wells=%", 0.0, [](const State& r) { return double(objectsOf(r.preset, Kind::Rectangle).size()); }},
          {"a=%", 5e-4, blochSpacing},
          {"F=%", 5e-4, [](const State& r) { return -double(r.first(Kind::Linear).slopeX); }},
          {"p_B=%", 5e-4, [](const State& r) { return kPi * r.hbar / blochSpacing(r); }},
          {"T_B=%", 5e-4, blochPeriod},
          {"t/T_B=%", 5e-3, [](const State& r) { return r.t / blochPeriod(r); }},
          {"<x>=%", 5e-4, [](const State& r) { return r.window.observableHistory().newest().meanX; }},
          {"span=%", 5e-4,
           [](const State& r) {
               double lo = 1e300, hi = -1e300;
               for (const ObservableSample& s : r.window.observableHistory().samples())
                   lo = std::min(lo, s.meanX), hi = std::max(hi, s.meanX);
               return hi - lo;
           }}},
         0.0, 0.8}, // <y> climbs while <x> falls: the span is still measured along x
        // The preset's packet revives at t = 55.04 (the fidelity's peak, the
        // same at dt / 8 and on 512 x 512 cells); the infinite well's
        // 4 m L^2 / (pi hbar) = 52.15 misses it by 5%.
        {28, 20, "revivalSummaryLabel", "   Vwall=",
         {{"box %", 5e-3, [](const State& r) { return boxInterior(r.preset, true); }},
          {"box % x %", 5e-3, [](const State& r) { return boxInterior(r.preset, false); }},
          {"T_rev,x=%", 0.55, [](const State&) { return 55.04; }},
          {"T_rev,y=%", 0.55, [](const State&) { return 55.04; }},
          {"t=%", 5e-3, [](const State& r) { return r.t; }},
          {"fidelity=%", 5e-5,
           [](const State& r) {
               return overlap(r.window.recorder<RevivalRecorder>().initialState(), r.window.waveField());
           }}}},
        // The rectangular billiard's box is longer than high.
        {29, 0, "revivalSummaryLabel", "   Vwall=",
         {{"box %", 5e-3, [](const State& r) { return boxInterior(r.preset, true); }},
          {"box % x %", 5e-3, [](const State& r) { return boxInterior(r.preset, false); }},
          // Its walls are finite: 3% of the time covers the levels' own
          // curvature and the faces as painted.
          {"T_rev,x=%", 12.0, [](const State& r) { return revivalTime(r, true); }},
          {"T_rev,y=%", 7.5, [](const State& r) { return revivalTime(r, false); }}}},
        // At t = 0 the Gaussian's participation area is 4 pi sigma^2.
        {29, 0, "billiardSummaryLabel", "RECTANGLE | ",
         {{"obstacle r=%", 0.0, [](const State&) { return 0.0; }},
          {"Aeff=%", 0.01, [](const State& r) { return 4.0 * kPi * r.preset.packetSigma * r.preset.packetSigma; }},
          {"occupied=%", 1e-3,
           [](const State& r) {
               return 4.0 * kPi * std::pow(r.preset.packetSigma, 2) /
                      (boxInterior(r.preset, true) * boxInterior(r.preset, false));
           }},
          {"fidelity=%", 5e-5, [](const State&) { return 1.0; }}}},
        {30, 0, "billiardSummaryLabel", "SINAI | ",
         {{"obstacle r=%", 5e-3, [](const State& r) { return double(r.first(Kind::Circle).radius); }},
          {"occupied=%", 1e-3,
           [](const State& r) {
               const double free = boxInterior(r.preset, true) * boxInterior(r.preset, false) -
                                   kPi * std::pow(r.first(Kind::Circle).radius, 2);
               return 4.0 * kPi * std::pow(r.preset.packetSigma, 2) / free;
           }}}},
        // Half a Talbot time: the comb is back, shifted by half a period; its
        // teeth then touch the original ones only through their tails. The
        // domain is made lower than wide: the comb runs along x alone.
        {31, 209, "talbotSummaryLabel", " periods  a=",
         {{"% periods", 0.0,
           [](const State& r) { return std::round(r.preset.universeWidth / r.preset.talbotInitialState.period); }},
          {"T_T=%", 5e-5, talbotTime},
          {"t/T_T=%", 5e-4, [](const State& r) { return r.t / talbotTime(r); }},
          {"corr(shift a/2)=%", 2e-3, [](const State&) { return 1.0; }},
          {"corr(original)=%", 1e-3,
           [](const State& r) {
               const TalbotInitialState& comb = r.preset.talbotInitialState;
               return 2.0 * std::exp(-std::pow(comb.period / 2.0, 2) / (4.0 * comb.toothSigma * comb.toothSigma));
           }}},
         30.72},
        {32, 30, "bouncerSummaryLabel", "   floor y=",
         {{"floor y=%", 5e-3,
           [](const State& r) { return r.first(Kind::Rectangle).centerY + r.first(Kind::Rectangle).height / 2.0; }},
          {"Airy ell=%", 5e-4, airyLength},
          {"E1=%", 5e-4,
           [](const State& r) { return r.first(Kind::Linear).slopeY * airyLength(r) * 2.338107410459767; }},
          {"<y>=%", 2e-3, fallenHeight},
          {"classical y=%", 5e-4, fallenHeight},
          {"norm=%", 2e-6, [](const State& r) { return normOf(r.window.waveField()); }}}},
        // psi ~ g(r) (z - c) has <Lz> = hbar <r^2> / (<r^2> + |c|^2), <r^2> = 2 sigma^2.
        {33, 40, "vortexSummaryLabel", "charge=1 ",
         {{"omega=%", 5e-5, trapOmega},
          {"t/T=%", 5e-4, [](const State& r) { return r.t * trapOmega(r) / (2.0 * kPi); }},
          {"ideal=(%", 5e-4, idealCoreX},
          {"ideal=(%,%", 5e-4, idealCoreY},
          {"core=(%", 0.2, idealCoreX},
          {"core=(%,%", 0.2, idealCoreY},
          {"r=%", 2e-3,
           [](const State& r) {
               const PotentialObject& trap = r.first(Kind::Harmonic);
               return std::hypot(numberIn(r.summary, "core=(%") - trap.centerX,
                                 numberIn(r.summary, "core=(%,%") - trap.centerY);
           }},
          {"winding=%", 0.0, [](const State& r) { return double(r.preset.vortexInitialState.charge); }},
          {"<Lz>/hbar=%", 0.01,
           [](const State& r) {
               const double spread = 2.0 * std::pow(r.preset.vortexInitialState.envelopeSigma, 2);
               return spread / (spread + std::pow(r.preset.vortexInitialState.coreX, 2));
           }}}},
        // At t = 0 each lane's packet sits on one site: no decay to fit xi to.
        {34, 0, "andersonSummaryLabel", "xi=n/a",
         {{"sites=%", 0.0,
           [](const State& r) { return double(laneValues(r, r.preset.andersonInitialState.cleanLaneY).size()); }},
          {"clean depth=%", 5e-4,
           [](const State& r) { return laneValues(r, r.preset.andersonInitialState.cleanLaneY).at(0); }},
          {"disorder std=%", 5e-4,
           [](const State& r) {
               const std::vector<double> v = laneValues(r, r.preset.andersonInitialState.disorderLaneY);
               double mean = 0.0;
               double square = 0.0;
               for (double value : v) {
                   mean += value / v.size();
                   square += value * value / v.size();
               }
               return std::sqrt(square - mean * mean);
           }},
          {"sigmaX clean=%   disorder=%", 2e-3, [](const State& r) { return r.preset.andersonInitialState.sigma; }}}},
        {34, 25, "andersonSummaryLabel", "\nsite PR clean=",
         {{"disorder/clean=%", 3e-3,
           [](const State& r) {
               return numberIn(r.summary, "sigmaX clean=%   disorder=%") / numberIn(r.summary, "sigmaX clean=%");
           }},
          {"norm=%", 2e-6, [](const State& r) { return normOf(r.window.waveField()); }}}},
        {35, 0, "kickedRotorSummaryLabel", "kicks=0 ",
         {{"tau=%", 5e-5, kickedTau},
          {"classical K=%", 5e-4, [](const State& r) { return kickedTau(r) * r.preset.kickedRotor.phaseStrength; }},
          {"next=%", 5e-3, [](const State& r) { return r.preset.kickedRotor.firstKickTime; }}}},
        // One kick exp(-i k cos theta) from mode 0 gives P(n) = J_n(k)^2.
        {35, 11, "kickedRotorSummaryLabel", "kicks=1 ",
         {{"next=%", 5e-3,
           [](const State& r) { return r.preset.kickedRotor.firstKickTime + r.preset.kickedRotor.kickPeriod; }},
          {"quantum=%", 2e-3, halfKickSquared},
          {"classical=%", 1.0, halfKickSquared},
          {"PR=%", 0.02,
           [](const State& r) {
               double sum = 0.0;
               for (int n = 0; n <= 60; ++n)
                   sum += (n == 0 ? 1.0 : 2.0) * std::pow(std::cyl_bessel_j(n, r.preset.kickedRotor.phaseStrength), 4);
               return 1.0 / sum;
           }}}},
    };
    for (const SummaryCase& c : kCases) {
        load(c.preset, 0);
        if (c.height > 0.0) {
            setValue(window(), "universeHeightSpinBox", c.height);
            ASSERT_NE(window().waveField().dx(), window().waveField().dy()) << "preset " << c.preset;
        }
        if (c.momentumY != 0.0)
            setValue(window(), "momentumYSpinBox", c.momentumY);
        for (int i = 0; i < c.steps; ++i)
            window().stepOnce();
        const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(c.preset));
        const QString text = summary(c.label);
        const SplitStepParameters& parameters = window().schroedingerSolver().parameters();
        const State state{preset,          window(),       text, window().schroedingerSolver().time(),
                          parameters.mass, parameters.hbar};
        EXPECT_TRUE(text.contains(QLatin1String(c.contains))) << "preset " << c.preset << ": " << text.toStdString();
        for (const Field& field : c.fields)
            EXPECT_NEAR(numberIn(text, QLatin1String(field.key)), field.expected(state), field.tolerance)
                << "preset " << c.preset << ", " << field.key << " in " << text.toStdString();
    }
}

// The whole vortex experiment moved off the origin, by unequal shifts along x and y.
TEST_F(RecorderPanelsTest, AMovedVortexIsMeasuredFromItsTrapsCentre)
{
    const double shiftX = 1.5;
    const double shiftY = -2.5;
    load(33, 0);
    ExperimentDocument moved = window().captureExperimentDocument();
    std::vector<PotentialObject> objects = moved.potentialScene.objects();
    ASSERT_EQ(objects.size(), 1u);
    objects[0].centerX += shiftX;
    objects[0].centerY += shiftY;
    moved.potentialScene.replaceObjects(objects);
    VortexInitialState& vortex = moved.vortexInitialState;
    const double coreX = vortex.coreX + shiftX;
    const double coreY = vortex.coreY + shiftY;
    vortex.envelopeCenterX += shiftX;
    vortex.envelopeCenterY += shiftY;
    vortex.coreX = coreX;
    vortex.coreY = coreY;
    QString error;
    ASSERT_TRUE(window().applyExperimentDocument(moved, error)) << error.toStdString();
    const QString text = summary("vortexSummaryLabel");
    const auto at = [&text](const char* key) { return numberIn(text, QLatin1String(key)); };
    const PotentialObject& trap = objects[0];
    const double measured = std::hypot(at("core=(%") - trap.centerX, at("core=(%,%") - trap.centerY);
    struct Expected {
        const char* key;
        double value;
        double tolerance;
    };
    const Expected kFields[] = {
        {"ideal=(%", coreX, 5e-4}, {"ideal=(%,%", coreY, 5e-4},
        {"core=(%", coreX, 0.2},   {"core=(%,%", coreY, 0.2},
        {"r=%", measured, 2e-3},   {"r=%", std::hypot(coreX - trap.centerX, coreY - trap.centerY), 0.2},
    };
    for (const Expected& e : kFields)
        EXPECT_NEAR(at(e.key), e.value, e.tolerance) << e.key << " in " << text.toStdString();
}

// Kicks strike only the rotor's own state and only while they are switched on;
// the reference run is the same document with its first kick beyond the run.
// Where they strike, the energy row says that the drive changes the energy
// (a kick pumps it), never that the step lost it.
TEST_F(RecorderPanelsTest, KicksStrikeOnlyAnEnabledRotorPreparation)
{
    const auto energyRow = [] {
        const auto* table = test::control<QTableWidget>(window(), "diagnosticsTable");
        return table->item(kEnergyDriftRow, 1)->text() + QStringLiteral(" | ") +
               table->item(kEnergyDriftRow, 2)->text();
    };
    const auto run = [](InitialPreparationType type, bool enabled, double firstKick) {
        load(35, 0);
        ExperimentDocument d = window().captureExperimentDocument();
        d.initialPreparation.type = type;
        d.kickedRotor.enabled = enabled;
        d.kickedRotor.firstKickTime = firstKick;
        QString error;
        EXPECT_TRUE(window().applyExperimentDocument(d, error)) << error.toStdString();
        for (int i = 0; i < 11; ++i) // one kick falls within these steps
            window().stepOnce();
        return window().waveField();
    };
    const QRegularExpression changed(QStringLiteral("^Change from start \\| -?[0-9.]+ % \\(time-dependent H\\)$"));
    const QRegularExpression conserved(QStringLiteral("^Drift from start \\| -?[0-9.]+ %"));
    const std::tuple<InitialPreparationType, bool, bool> kRows[] = {
        {InitialPreparationType::KickedRotor, true, true},
        {InitialPreparationType::KickedRotor, false, false},
        {InitialPreparationType::Gaussian, true, false},
    };
    for (const auto& [type, enabled, kicked] : kRows) {
        const ComplexField2D reference = run(type, enabled, 1.0e6);
        const ComplexField2D psi = run(type, enabled, makeExperimentPreset(35).kickedRotor.firstKickTime);
        ASSERT_EQ(psi.size(), reference.size());
        double change = 0.0;
        for (std::uint64_t k = 0; k < psi.size(); ++k)
            change = std::max(change, double(std::abs(psi.data()[k] - reference.data()[k])));
        EXPECT_EQ(change > 1e-3, kicked) << int(type) << (enabled ? " on" : " off") << ": " << change;
        const QString row = energyRow();
        EXPECT_TRUE((kicked ? changed : conserved).match(row).hasMatch())
            << int(type) << (enabled ? " on" : " off") << ": " << row.toStdString();
    }
}

TEST_F(RecorderPanelsTest, PagesFallBackToTheirHintWhenTheSceneNoLongerFits)
{
    // Five wells make a lattice, four are too short to call periodic.
    QString error;
    for (const int wells : {5, 4}) {
        load(27, 0);
        ExperimentDocument lattice = window().captureExperimentDocument();
        std::vector<PotentialObject> objects = lattice.potentialScene.objects();
        objects.erase(objects.begin() + wells, objects.end() - 1);
        lattice.potentialScene.replaceObjects(objects);
        ASSERT_TRUE(window().applyExperimentDocument(lattice, error)) << error.toStdString();
        EXPECT_EQ(summary("blochSummaryLabel") == QLatin1String(kPages[0].hint), wells < 5) << wells << " wells";
    }

    load(27, 0);
    control<QCheckBox>(window(), "potentialSceneActiveCheckBox")->setChecked(false);
    EXPECT_EQ(summary("blochSummaryLabel"), QLatin1String(kPages[0].hint)) << "scene switched off";

    // A comb document that prepares another state leaves the Talbot page alone.
    load(31, 0);
    ExperimentDocument comb = window().captureExperimentDocument();
    comb.initialPreparation.type = InitialPreparationType::Gaussian;
    ASSERT_TRUE(window().applyExperimentDocument(comb, error)) << error.toStdString();
    window().stepOnce();
    EXPECT_EQ(summary("talbotSummaryLabel"), QLatin1String(kPages[3].hint)) << "document without the comb";

    // A bound-state search that finds nothing leaves the running rotor
    // experiment, its page and its document as they were.
    load(35, 11);
    click(window(), "boundComputeButton");
    ASSERT_EQ(control<QComboBox>(window(), "boundStateComboBox")->count(), 0) << "the search found states";
    window().stepOnce();
    EXPECT_EQ(window().captureExperimentDocument().initialPreparation.type, InitialPreparationType::KickedRotor);
    EXPECT_NE(summary("kickedRotorSummaryLabel"), QLatin1String(kPages[7].hint));
}

} // namespace
} // namespace vxo::test
