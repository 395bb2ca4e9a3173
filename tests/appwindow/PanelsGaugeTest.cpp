// The magnetic pages of one unshown window (Aharonov-Bohm, Landau levels,
// Hall edge): summaries and diagnostics rows after a few steps of their
// guided experiments, checked against the field theory and against moments
// of the live wave field computed here; the diagnostics energies of these
// and of a Dirac run; and the recorder-state hints.

#include "PanelTestSupport.h"
#include "plots/PaintedTexts.h"
#include "plots/PlotWidget.h"

#include "common/QtTestSupport.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QImage>
#include <QRegularExpression>

#include <QSpinBox>

#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace vxo {
namespace {

using test::cellX;
using test::cellY;
using test::numberAfter;
using test::setQuietly;
using test::text;

constexpr int kAharonovBohmRow = 51;
constexpr int kLandauRow = 52;
constexpr int kHallEdgeRow = 53;
constexpr int kStepsTaken = 10; // the gauge recorders sample every 5 steps
// Cells of 0.16 x 0.12 over 40.96 x 30.72.
constexpr double kHeight = 30.72;

// What the pages read off the live field: the norm sum |psi|^2 dx dy, <x>,
// <y>, the share of the norm in the Hall edge strip -8 <= y <= -4, and on the
// Aharonov-Bohm detector column (nearest x = 7) sum |psi|^2 dy, its <y> and
// its <|y|> (the scale of the terms that cancel in <y>).
struct Readings {
    double norm = 0.0, meanX = 0.0, meanY = 0.0, edgeShare = 0.0, line = 0.0, lineMeanY = 0.0, lineMeanAbsY = 0.0;
};

Readings read(const ComplexField2D& psi)
{
    Readings r;
    const auto detector = static_cast<std::uint64_t>(std::lround(7.0 / psi.dx() + (psi.nx() - 1) / 2.0));
    double sum = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double p = std::norm(std::complex<double>(psi.at(i, j)));
            sum += p;
            r.meanX += cellX(psi, i) * p;
            r.meanY += cellY(psi, j) * p;
            r.edgeShare += cellY(psi, j) >= -8.0 && cellY(psi, j) <= -4.0 ? p : 0.0;
            r.line += i == detector ? p * psi.dy() : 0.0;
            r.lineMeanY += i == detector ? cellY(psi, j) * p * psi.dy() : 0.0;
            r.lineMeanAbsY += i == detector ? std::abs(cellY(psi, j)) * p * psi.dy() : 0.0;
        }
    }
    r.norm = sum * psi.dx() * psi.dy();
    r.meanX /= sum;
    r.meanY /= sum;
    r.edgeShare /= sum;
    r.lineMeanY /= r.line;
    r.lineMeanAbsY /= r.line;
    return r;
}

using PanelsGaugeTest = test::PanelTest;

// Ten steps into each magnetic experiment (hbar = m = 1, b = +-0.45, samples
// at steps 0, 5 and 10): the page shows the sample of this very step, so its
// figures are those of the live field, and its references those of the field
// theory: omega_c = |b| hbar / m, l_B = 1 / sqrt|b|, E_n = (n + 1/2) hbar omega_c.
TEST_F(PanelsGaugeTest, GaugePagesSummariseTheirLastSample)
{
    struct Check {
        const char* key;
        double expected;
        double tolerance;
    };
    struct Case {
        const char* name;
        int preset;
        std::function<void(MainWindow&)> edit;
        const char* page;
        int rowIndex;
        const char* summaryStart;
        const char* rowStart;
        std::function<std::vector<Check>(const Readings& now, const Readings& start)> checks;
    };
    const Case cases[] = {
        {"Aharonov-Bohm, half a flux quantum", 42, nullptr, "aharonovBohmSummaryLabel", kAharonovBohmRow,
         "samples=3   t=0.200 / 5.00   Phi/Phi0=0.500   AB phase=180.0 deg\ndetector line=",
         "Phi/Phi0=0.500, phase=180.0 deg, center=",
         [](const Readings& now, const Readings&) {
             return std::vector<Check>{
                 {"detector line=", now.line, 1e-4 * now.line},
                 // The symmetric column's <y> is what is left of terms of
                 // size <|y|> cancelling: single-precision sums agree to
                 // about 1e-8 of that, whichever order they add in.
                 {"<y>det=", now.lineMeanY, 1e-3 * std::abs(now.lineMeanY) + 1e-8 * now.lineMeanAbsY},
                 {"norm=", now.norm, 2e-6}};
         }},
        // A packet of width l_B with mechanical momentum b R = 2.25:
        // E = (bR)^2 / 2m + omega_c / 2 = 2.75625.
        {"Landau, cyclotron packet", 43, nullptr, "landauSummaryLabel", kLandauRow,
         "cyclotron   samples=3   t=0.200 / 15.00   omega_c=0.45000   lB=1.4907\n<x,y>=(", "b=0.450  omega=0.4500  E=",
         [](const Readings& now, const Readings&) {
             return std::vector<Check>{{"<x,y>=(", now.meanX, 1.5e-3},
                                       {"   E=", 2.75625, 0.08},
                                       {"E_n=", 0.225, 1e-9},
                                       {"norm=", now.norm, 2e-6}};
         }},
        {"Landau, eigenstate n = 2", 43,
         [](MainWindow& w) {
             setQuietly<QComboBox>(w, "landauPreparationComboBox", 1);
             setQuietly<QSpinBox>(w, "landauIndexSpinBox", 2);
         },
         "landauSummaryLabel", kLandauRow, "Landau n=2   samples=3   t=0.200 / 15.00   omega_c=0.45000   lB=1.4907\n",
         "b=0.450  omega=0.4500  E=",
         [](const Readings&, const Readings&) {
             // A stationary state of level 2 keeps its energy and itself.
             return std::vector<Check>{{"   E=", 1.125, 0.034}, {"E_n=", 1.125, 1e-9}, {"fidelity=", 1.0, 0.01}};
         }},
        {"Hall edge, b > 0", 44, nullptr, "hallEdgeSummaryLabel", kHallEdgeRow,
         "samples=3   t=0.200 / 8.00   b=0.450   omega_c=0.45000   chirality=+X\n<x,y>=(", "+X drift=",
         [](const Readings& now, const Readings& start) {
             return std::vector<Check>{{"<x,y>=(", now.meanX, 1.5e-3},
                                       {",", now.meanY, 1.5e-3}, // the first comma with a figure after it
                                       {"drift=", now.meanX - start.meanX, 1.5e-3},
                                       {"P(edge)=", now.edgeShare, 1.5e-4},
                                       {"norm=", now.norm, 2e-6}};
         }},
        {"Hall edge, b < 0", 44, [](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "hallEdgeFieldSpinBox", -0.45); },
         "hallEdgeSummaryLabel", kHallEdgeRow,
         "samples=3   t=0.200 / 8.00   b=-0.450   omega_c=0.45000   chirality=-X\n", "-X drift=",
         [](const Readings& now, const Readings&) {
             return std::vector<Check>{{"P(edge)=", now.edgeShare, 1.5e-4}};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadOnSmallGrid(c.preset, kHeight, c.edit);
        MainWindow& w = window();
        const Readings start = read(w.waveField());
        for (int n = 0; n < kStepsTaken; ++n)
            w.stepOnce();
        const Readings now = read(w.waveField());
        const QString summary = label(c.page);
        EXPECT_TRUE(summary.startsWith(QString::fromLatin1(c.summaryStart))) << text(summary);
        EXPECT_TRUE(row(c.rowIndex).startsWith(QString::fromLatin1(c.rowStart))) << text(row(c.rowIndex));
        for (const Check& check : c.checks(now, start))
            EXPECT_NEAR(numberAfter(summary, QString::fromLatin1(check.key)), check.expected, check.tolerance)
                << check.key << " in " << text(summary);
    }
}

// The Aharonov-Bohm page says how much slower than p/m the magnetic step
// carries the packet on the run's cells (0.16 x 0.12 here): its three-point
// kinetic term moves a plane wave of wave vector k at (hbar / m) (sin(kx dx)
// / dx, sin(ky dy) / dy), each component on its own axis's cells.
TEST_F(PanelsGaugeTest, TheAharonovBohmPageTellsHowMuchItsCellsSlowThePacket)
{
    for (const double momentumY : {0.0, 1.5}) {
        SCOPED_TRACE("py = " + std::to_string(momentumY));
        loadOnSmallGrid(42, kHeight,
                        [momentumY](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "momentumYSpinBox", momentumY); });
        MainWindow& w = window();
        w.stepOnce();
        const ComplexField2D& psi = w.waveField();
        ASSERT_NE(psi.dx(), psi.dy()) << "cells of unequal sides";
        const double hbar = w.schroedingerSolver().parameters().hbar;
        const double kx = test::control<QDoubleSpinBox>(w, "momentumSpinBox")->value() / hbar;
        const double ky = test::control<QDoubleSpinBox>(w, "momentumYSpinBox")->value() / hbar;
        ASSERT_GT(kx, 0.0);
        const double onCells = std::hypot(std::sin(kx * psi.dx()) / psi.dx(), std::sin(ky * psi.dy()) / psi.dy());
        const double slower = 100.0 * (1.0 - onCells / std::hypot(kx, ky));
        const QString summary = label("aharonovBohmSummaryLabel");
        EXPECT_NEAR(numberAfter(summary, QStringLiteral("the packet moves ")), slower, 0.05) << text(summary);
    }
}

// The Landau page reads F at the packet's return, sought from half a
// cyclotron period 2 pi m / (hbar |b|) on. A Landau state's fidelity drifts
// off 1 on the lattice: between half a period and a whole one the page
// shows the largest fidelity since the half, not the newest sample's.
TEST_F(PanelsGaugeTest, TheLandauPageSeeksTheReturnFromHalfACyclotronPeriod)
{
    loadOnSmallGrid(43, kHeight, [](MainWindow& w) {
        setQuietly<QComboBox>(w, "landauPreparationComboBox", 1);
        setQuietly<QSpinBox>(w, "landauIndexSpinBox", 2);
    });
    MainWindow& w = window();
    const double hbar = w.schroedingerSolver().parameters().hbar;
    const double mass = test::control<QDoubleSpinBox>(w, "massSpinBox")->value();
    const double b = test::control<QDoubleSpinBox>(w, "landauFieldSpinBox")->value();
    const double period = 2.0 * kPi * mass / (hbar * std::abs(b));
    while (w.schroedingerSolver().time() < 0.9 * period)
        w.stepOnce();
    const std::vector<LandauSample>& samples = w.recorder<LandauRecorder>().samples();
    ASSERT_FALSE(samples.empty());
    double sinceHalf = 0.0;
    for (const LandauSample& s : samples)
        if (s.time >= 0.5 * period)
            sinceHalf = std::max(sinceHalf, s.fidelity);
    // The summary writes six decimals: the drift is several of the last.
    ASSERT_GT(sinceHalf - samples.back().fidelity, 4e-6) << "the state's fidelity no longer drifts";
    const QString summary = label("landauSummaryLabel");
    EXPECT_NEAR(numberAfter(summary, QStringLiteral("fidelity=")), sinceHalf, 1.5e-6) << text(summary);
}

// The name=value figures of a page's texts: fields separated by two blanks
// or more, a comma or a line break, each named by what stands before its
// "=" and valued by the first number after it.
std::vector<std::pair<QString, double>> namedFigures(const QString& text)
{
    std::vector<std::pair<QString, double>> figures;
    for (const QString& field : text.split(QRegularExpression(QStringLiteral("\\s{2,}|,|\\n")))) {
        const int equals = field.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const double value = numberAfter(field, field.left(equals + 1));
        if (std::isfinite(value))
            figures.emplace_back(field.left(equals).trimmed(), value);
    }
    return figures;
}

// Through the run of the Aharonov-Bohm experiment, well after the packet
// has passed the detector line, every name on its page (the summary, the
// plot's summary and the Diagnostics row) stands for one value: the figures
// read where the packet passed the line are not named like those of the
// newest sample.
TEST_F(PanelsGaugeTest, TheAharonovBohmPageNamesEachValueOnce)
{
    loadOnSmallGrid(42, kHeight);
    MainWindow& w = window();
    while (w.schroedingerSolver().time() < 5.0 - 1e-9)
        MainWindowProbe::stepTick(w);
    MainWindowProbe::observeTick(w);
    MainWindowProbe::refreshTick(w);
    auto* plot = w.findChild<PlotWidget*>(QStringLiteral("aharonovBohmPlotWidget"));
    ASSERT_NE(plot, nullptr);
    // Tall enough for the panels stacked with their figures over them (a
    // shorter plot leaves its figures to the page's summary).
    plot->setMinimumHeight(plot->stackedHeight());
    QString painted;
    for (const test::PaintedText& t : test::paintedTexts(*plot, QSize(plot->width(), plot->stackedHeight())))
        painted += t.text + QStringLiteral("\n");
    std::map<QString, std::vector<double>> values;
    for (const QString& text : {label("aharonovBohmSummaryLabel"), row(kAharonovBohmRow), painted})
        for (const auto& [name, value] : namedFigures(text))
            values[name].push_back(value);
    ASSERT_GE(values.size(), 8u) << text(painted);
    for (const auto& [name, seen] : values)
        for (const double v : seen)
            EXPECT_NEAR(v, seen.front(), 1e-3 * std::abs(seen.front()) + 1e-9)
                << text(name) << " names two values on the page";
    // The run has passed the line: the newest sample is not where it passed.
    ASSERT_TRUE(values.count(QStringLiteral("center fringe")));
    ASSERT_TRUE(values.count(QStringLiteral("center now")));
    EXPECT_GT(std::abs(values[QStringLiteral("center now")].front() - values[QStringLiteral("center fringe")].front()),
              1e-3 * values[QStringLiteral("center fringe")].front());
}

// The solenoid stands out of the field in the viewport: at its centre and on
// its rim the picture is far brighter than the dark field around it (the
// overlays that would cross it, contours and the section line, set aside).
TEST_F(PanelsGaugeTest, TheSolenoidStandsOutOfTheViewport)
{
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    MainWindow& w = window();
    w.resize(1366, 960);
    ASSERT_TRUE(test::showAndWait(w));
    w.loadGuidedExperiment(42);
    for (const char* overlay : {"probabilityContoursCheckBox", "crossSectionLineCheckBox"})
        test::control<QAbstractButton>(w, overlay)->setChecked(false);
    test::settle();
    auto* view = w.findChild<QuantumGLView*>(QStringLiteral("quantumView"));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isGlReady()) << test::kNeedsDisplay;
    const QImage image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const double scale = image.width() / double(view->width()); // device pixels per widget pixel
    const auto brightness = [&](float x, float y) {
        const QPointF at = view->worldToWidget(x, y) * scale;
        int best = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb p = image.pixel(int(at.x()) + dx, int(at.y()) + dy);
                best = std::max(best, (qRed(p) + qGreen(p) + qBlue(p)) / 3);
            }
        return best;
    };
    const double radius = test::control<QDoubleSpinBox>(w, "aharonovBohmRadiusSpinBox")->value();
    const int field = brightness(0.0f, -6.0f); // the dark field beside the solenoid, far from the packet
    EXPECT_GT(brightness(0.0f, 0.0f) - field, 128) << "the solenoid's centre";
    for (const auto& [x, y] : {std::pair(1.0, 0.0), std::pair(0.0, 1.0), std::pair(-1.0, 0.0), std::pair(0.0, -1.0)})
        EXPECT_GT(brightness(float(radius * x), float(radius * y)) - field, 128) << "its rim at " << x << ", " << y;
}

// The diagnostics energies are those of the Hamiltonian being stepped: in a
// magnetic field the kinetic energy of the mechanical momentum, which the
// Landau page computes on its own path, and in a Klein run the Dirac energy.
TEST_F(PanelsGaugeTest, DiagnosticsEnergiesAreThoseOfTheSteppedHamiltonian)
{
    constexpr int kKineticRow = 61, kPotentialRow = 62, kTotalRow = 63, kDriftRow = 64;
    struct Case {
        const char* name;
        int preset;
        std::function<double()> expectedKinetic;
        double tolerance;
    };
    const Case cases[] = {
        {"Landau cyclotron packet: the page's E", 43,
         [] { return numberAfter(label("landauSummaryLabel"), QStringLiteral("   E=")); }, 2e-6},
        // Launched with mechanical speed |b| R = 1.89, width 1.1 (hbar = m = 1):
        // <T> = (k^2 + 1 / (2 sigma^2) + b^2 sigma^2 / 2) / 2 = 2.0539, less
        // the stencil's <k^4> d^2 / 24 = 0.02 on these cells.
        {"Hall edge packet: its mechanical energy", 44, [] { return 2.034; }, 0.02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadOnSmallGrid(c.preset, kHeight); // the prepared packet, before the wall acts on it
        const double kinetic = row(kKineticRow).toDouble();
        EXPECT_NEAR(kinetic, c.expectedKinetic(), c.tolerance) << text(row(kKineticRow));
        EXPECT_NEAR(label("energyValueLabel").toDouble(), kinetic, 5e-5) << "the packet's Ekin";
        EXPECT_NEAR(row(kTotalRow).toDouble(), kinetic + row(kPotentialRow).toDouble(), 2e-6);
    }

    // A Klein packet of |p| = 1.5 and m = 0.05 is a positive-energy packet:
    // <H> is its plane-wave energy E, raised slightly by its momentum spread.
    // No observation is recorded in a Dirac run, so there is no drift. The
    // spinor's energies are read for a table in sight.
    SCOPED_TRACE("Klein packet");
    window().show();
    auto* diagnostics = window().findChild<QWidget*>(QStringLiteral("diagnosticsDockWidget"));
    ASSERT_NE(diagnostics, nullptr);
    diagnostics->show();
    diagnostics->raise();
    ASSERT_TRUE(test::waitUntil([] { return test::control<QTableWidget>(window(), "diagnosticsTable")->isVisible(); }));
    loadOnSmallGrid(47, kHeight);
    const double prepared = row(kKineticRow).toDouble();
    EXPECT_NEAR(label("energyValueLabel").toDouble(), prepared, 5e-5) << "the packet's Ekin";
    window().stepOnce();
    const double planeWave = numberAfter(label("kleinSummaryLabel"), QStringLiteral("  E="));
    EXPECT_NEAR(planeWave, std::sqrt(1.5 * 1.5 + 0.05 * 0.05), 1e-5);
    const double total = row(kTotalRow).toDouble();
    EXPECT_GE(total, planeWave - 1e-6) << text(row(kTotalRow));
    EXPECT_LE(total, 1.02 * planeWave) << text(row(kTotalRow));
    EXPECT_NEAR(total, row(kKineticRow).toDouble() + row(kPotentialRow).toDouble(), 2e-6);
    EXPECT_EQ(text(row(kDriftRow)), "n/a");
    window().hide();
}

// An inactive page names what is missing, in its label and in its row: on
// a free packet nothing is enabled; a magnetic experiment with b = 0 is
// enabled but its field cannot be built, and its own check says why.
TEST_F(PanelsGaugeTest, InactivePagesShowTheirRecorderState)
{
    struct Case {
        const char* name;
        int preset;
        std::function<void(MainWindow&)> edit;
        const char* aharonovBohm;
        const char* landau;
        const char* hallEdge;
    };
    const char* const aharonovBohmOff =
        "Aharonov-Bohm recorder inactive: enabled=no  fields=no  configured=no  samples=0\n"
        "Load Aharonov-Bohm Effect / Magnetic Flux, Reset and press Play.";
    const char* const landauOff = "Landau recorder inactive: enabled=no  gauge=no  configured=no  samples=0";
    const char* const hallEdgeOff = "Hall edge recorder inactive: enabled=no  fields=no  configured=no  samples=0";
    const Case cases[] = {
        {"free packet", 0, nullptr, aharonovBohmOff, landauOff, hallEdgeOff},
        {"Landau with b = 0", 43, [](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "landauFieldSpinBox", 0.0); },
         aharonovBohmOff,
         "Landau is off: Enabled Landau field strength magnitude must be in [0.02,4].\n"
         "Landau recorder inactive: enabled=yes  gauge=no  configured=no  samples=0",
         hallEdgeOff},
        {"Hall edge with b = 0", 44, [](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "hallEdgeFieldSpinBox", 0.0); },
         aharonovBohmOff, landauOff,
         "Hall Edge is off: Enabled Hall field magnitude must be in [0.02,4].\n"
         "Hall edge recorder inactive: enabled=yes  fields=no  configured=no  samples=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadOnSmallGrid(c.preset, kHeight, c.edit);
        window().stepOnce();
        const std::tuple<const char*, int, const char*> pages[] = {
            {"aharonovBohmSummaryLabel", kAharonovBohmRow, c.aharonovBohm},
            {"landauSummaryLabel", kLandauRow, c.landau},
            {"hallEdgeSummaryLabel", kHallEdgeRow, c.hallEdge}};
        for (const auto& [name, rowIndex, hint] : pages) {
            EXPECT_EQ(text(label(name)), hint) << name;
            EXPECT_EQ(text(row(rowIndex)), hint) << "row " << rowIndex;
        }
    }
}

} // namespace
} // namespace vxo
