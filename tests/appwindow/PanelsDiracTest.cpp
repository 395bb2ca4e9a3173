// The relativistic analysis pages of one unshown window: the Zitterbewegung
// and Klein recorder pages and the four stationary Klein references, checked
// against the Dirac kinematics and the transmission of a square barrier
// worked out here on their own.

#include "core/Numeric.h"
#include "common/MainWindowProbe.h"
#include "WindowControls.h"

#include "app/mainwindow/MainWindow.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/KleinScans.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/ScanPainting.h"

#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace vxo {
namespace {

using test::click;
using test::setValue;

// The word right after `key` (up to a blank or a slash), and its number
// (NaN for a missing key or "--").
QString wordAfter(const QString& text, const QString& key)
{
    const int at = text.indexOf(key);
    return at < 0 ? QString() : text.mid(at + key.size()).section(QRegularExpression(QStringLiteral("[\\s/]")), 0, 0);
}
double valueAfter(const QString& text, const char* key)
{
    bool ok = false;
    const double value = wordAfter(text, QLatin1String(key)).toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

double diracEnergy(double px, double py, double m, double c)
{
    return std::sqrt(c * c * (px * px + py * py) + m * m * c * c * c * c);
}

// Normal-incidence transmission of a Dirac plane wave of energy E through a
// square barrier. With the lower-to-upper spinor ratios g = c k / (E + mc^2)
// outside and g' = c q / (E - V0 + mc^2) inside, continuity of both
// components is the slab problem of a wave whose impedance changes by
// z = g' / g: T = 1 / (1 + (z - 1/z)^2 sin^2(q w / hbar) / 4).
double slabTransmission(double energy, double m, double c, double barrierHeight, double width)
{
    const double restEnergy = m * c * c;
    const double inside = energy - barrierHeight;
    const double k = std::sqrt(energy * energy - restEnergy * restEnergy) / c;
    const double q = std::sqrt(inside * inside - restEnergy * restEnergy) / c;
    const double z = (q / (inside + restEnergy)) / (k / (energy + restEnergy));
    const double s = std::sin(q * width);
    return 1.0 / (1.0 + 0.25 * (z - 1.0 / z) * (z - 1.0 / z) * s * s);
}

class PanelsDirac : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window.reset(); }

    static QString text(const char* label) { return test::control<QLabel>(*window, label)->text(); }
    static QString rowValue(int row)
    {
        const QTableWidgetItem* item = test::control<QTableWidget>(*window, "diagnosticsTable")->item(row, 2);
        return item ? item->text() : QString();
    }
    static void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            window->stepOnce();
    }
    static void aimKleinPacket(double momentum, double angleDegrees)
    {
        setValue(*window, "kleinPxSpinBox", momentum * std::cos(angleDegrees * kPi / 180.0));
        setValue(*window, "kleinPySpinBox", momentum * std::sin(angleDegrees * kPi / 180.0));
        click(*window, "kleinApplyButton");
    }
    static const KleinTunnelingConfig& klein() { return window->storedRecords().quantumKleinTunneling; }
    static double packetMaximum() { return window->recorder<DiracKleinRecorder>().maxRightProbability(); }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> PanelsDirac::window;

TEST_F(PanelsDirac, WithoutADiracModeEveryPageShowsItsHint)
{
    window->loadGuidedExperiment(0);
    const char* const pages[][3] = {
        {"zitterSummaryLabel", "Dirac/ZB recorder inactive: enabled=no  configured=no  samples=0", "55"},
        {"kleinSummaryLabel", "Dirac/Klein recorder inactive: enabled=no configured=no samples=0", "56"},
        {"kleinAngleScanSummaryLabel", "Load the Klein Transmission vs Incidence Angle preset.", ""},
        {"kleinHeightScanSummaryLabel", "Load the Klein Transmission vs Barrier Height preset.", ""},
        {"kleinMassScanSummaryLabel", "Load the Klein Transmission vs Mass preset.", ""},
        {"diracMasslessSummaryLabel", "Load the Massless Dirac / Graphene-like Klein Analogue preset.", ""},
    };
    for (const auto& page : pages) {
        EXPECT_EQ(text(page[0]).toStdString(), page[1]) << page[0];
        if (page[2][0] != '\0') {
            EXPECT_EQ(rowValue(std::stoi(page[2])).toStdString(), page[1]) << "row " << page[2];
        }
    }
}

TEST_F(PanelsDirac, ZitterbewegungSummaryFollowsTheDiracKinematics)
{
    window->loadGuidedExperiment(46);
    const ZitterbewegungConfig& settings = window->storedRecords().quantumZitterbewegung;
    const double c = settings.lightSpeed;
    const double m = settings.restMass;
    const double p = settings.momentumX;
    const double energy = diracEnergy(p, settings.momentumY, m, c);
    const double omega = 2.0 * energy; // the beat of the two branches, hbar 1
    // Upper component only: P- = (1 - mc^2 / E) / 2 and the weighted drift
    // c^4 m p / E^2; the positive-energy control: no P-, drift c^2 p / E.
    const struct {
        int preparation;
        const char* caption;
        double minusWeight;
        double drift;
    } cases[] = {
        {0, "mixed +/- energy", (1.0 - m * c * c / energy) / 2.0, c * c * c * c * m * p / (energy * energy)},
        {1, "positive-energy control", 0.0, c * c * p / energy},
    };
    for (const auto& expected : cases) {
        test::setIndex(*window, "zitterPreparationComboBox", expected.preparation);
        click(*window, "zitterApplyButton");
        steps(6);
        const QString summary = text("zitterSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_TRUE(summary.startsWith(QLatin1String(expected.caption))) << "preparation " << expected.preparation;
        EXPECT_EQ(valueAfter(summary, "samples="), window->recorder<DiracZitterbewegungRecorder>().samples().size());
        EXPECT_NEAR(valueAfter(summary, "t="), window->schroedingerSolver().time(), 5e-4);
        EXPECT_NEAR(valueAfter(summary, "omega_ZB="), omega, 1e-5);
        EXPECT_NEAR(valueAfter(summary, "T_ZB="), 2.0 * kPi / omega, 1e-5);
        EXPECT_NEAR(valueAfter(summary, "central-p estimate="), expected.drift, 1e-6);
        // <x> less its least-squares line through the recorded samples.
        const auto& zb = window->recorder<DiracZitterbewegungRecorder>().samples();
        double st = 0.0, stt = 0.0, sx = 0.0, stx = 0.0;
        for (const ZitterbewegungSample& s : zb) {
            st += s.time;
            stt += s.time * s.time;
            sx += s.meanX;
            stx += s.time * s.meanX;
        }
        const double n = static_cast<double>(zb.size()), slope = (n * stx - sx * st) / (n * stt - st * st);
        EXPECT_NEAR(valueAfter(summary, "fit vx="), slope, 1e-6);
        EXPECT_NEAR(valueAfter(summary, "detrendedX="),
                    zb.back().meanX - slope * zb.back().time - (sx - slope * st) / n, 1e-5);
        // c <sigma_x> and c <sigma_y> tremble apart; the page shows the first.
        ASSERT_GT(std::fabs(zb.back().velocityX - zb.back().velocityY), 1e-3);
        EXPECT_NEAR(valueAfter(summary, "<vx>="), zb.back().velocityX, 1e-5);
        // The packet's momentum spread moves the branch weights a little.
        EXPECT_NEAR(valueAfter(summary, "P-="), expected.minusWeight, 0.01);
        EXPECT_NEAR(valueAfter(rowValue(55), "omega="), omega, 1e-4) << rowValue(55).toStdString();
    }
}

// The drift a long window settles to: each momentum k of the packet carries
// the branch weights (1 +- mc^2/E)/2 at the velocities +-c^2 k/E, so it
// drifts at c^4 m kx / E(k)^2; averaged over the Gaussian's |psi(k)|^2,
// exp(-2 sigma^2 |k - p|^2), on a fine grid of k.
double settledDrift(const ZitterbewegungConfig& z)
{
    const double c = z.lightSpeed, m = z.restMass, spread = 6.0 / (2.0 * z.sigma);
    double weighted = 0.0, total = 0.0;
    for (int i = -200; i <= 200; ++i)
        for (int j = -200; j <= 200; ++j) {
            const double qx = spread * i / 200.0, qy = spread * j / 200.0;
            const double w = std::exp(-2.0 * z.sigma * z.sigma * (qx * qx + qy * qy));
            const double kx = z.momentumX + qx, ky = z.momentumY + qy;
            const double energy = diracEnergy(kx, ky, m, c);
            weighted += w * c * c * c * c * m * kx / (energy * energy);
            total += w;
        }
    return weighted / total;
}

// The Zitterbewegung window of `end` on a box `width` wide (256 cells a side,
// or 512 with `finer`, 40.96 high), run past its end (or up to `until`): the
// recorder's samples as the page read them.
std::vector<ZitterbewegungSample> zitterbewegungWindow(MainWindow& w, double width, double end, double until = -1.0,
                                                       bool finer = false)
{
    w.loadGuidedExperiment(46);
    test::setIndex(w, "gridResolutionComboBox", finer ? 1 : 0);
    setValue(w, "universeWidthSpinBox", width);
    setValue(w, "zitterAnalysisEndSpinBox", end);
    click(w, "zitterApplyButton");
    while (w.schroedingerSolver().time() < (until < 0.0 ? end + 0.1 : until))
        MainWindowProbe::stepTick(w);
    MainWindowProbe::refreshTick(w);
    return w.recorder<DiracZitterbewegungRecorder>().samples();
}

// The preset run through its own window reads every figure: its box is wide
// enough that the branches' ends do not meet across it.
TEST_F(PanelsDirac, ZitterbewegungPresetWindowEndsBeforeThePacketWraps)
{
    window->loadGuidedExperiment(46);
    const double end = window->storedRecords().quantumZitterbewegung.analysisEndTime;
    while (window->schroedingerSolver().time() < end + 0.1)
        MainWindowProbe::stepTick(*window);
    MainWindowProbe::refreshTick(*window);
    const QString summary = text("zitterSummaryLabel");
    EXPECT_FALSE(summary.contains(QLatin1String("WINDOW PAST ITS VALIDITY"))) << summary.toStdString();
    EXPECT_FALSE(summary.contains(QLatin1String("n/a"))) << summary.toStdString();
}

// A window of 20 (the box allows 100) reads the whole window, and where the
// packet's ends meet across the periodic box, the page says from when.
TEST_F(PanelsDirac, ZitterbewegungLongWindowKeepsItsStartAndSaysWhatWrappedRound)
{
    const char* const wrapNote = "WINDOW PAST ITS VALIDITY: from t=";
    // The preset's box: the ends do not meet by t = 20.
    zitterbewegungWindow(*window, 81.92, 12.0);
    const double trembling = valueAfter(text("zitterSummaryLabel"), "max|detrendedX|=");
    const std::vector<ZitterbewegungSample> wide = zitterbewegungWindow(*window, 81.92, 20.0);
    const QString summary = text("zitterSummaryLabel");
    ASSERT_FALSE(summary.contains(QLatin1String(wrapNote))) << summary.toStdString();
    EXPECT_NEAR(wide.front().time, 0.0, 1e-9) << "the window keeps its start";
    EXPECT_NEAR(valueAfter(summary, "max|detrendedX|="), trembling, 0.03) << summary.toStdString();
    EXPECT_NEAR(valueAfter(summary, "fit vx="), settledDrift(window->storedRecords().quantumZitterbewegung), 0.005)
        << summary.toStdString();

    // Half as wide a box: the branches' ends meet across it, and what crosses
    // comes back a box's width away, moving <x> by up to the box's width per
    // unit of probability. Before the mark <x> is the wide box's to within
    // the marked shift.
    const std::vector<ZitterbewegungSample> narrow = zitterbewegungWindow(*window, 40.96, 20.0);
    const QString wrapped = text("zitterSummaryLabel");
    SCOPED_TRACE(wrapped.toStdString());
    ASSERT_TRUE(wrapped.contains(QLatin1String(wrapNote)));
    const double marked = valueAfter(wrapped, wrapNote);
    const double share = wordAfter(wrapped, QStringLiteral("up to ")).chopped(1).toDouble() / 100.0; // "30.5%"
    EXPECT_NEAR(share, window->recorder<DiracZitterbewegungRecorder>().wrappedShareBound(), 1e-5)
        << "the share shown is the recorder's bound";
    ASSERT_EQ(narrow.size(), wide.size());
    for (std::size_t i = 0; i < narrow.size(); ++i) {
        const double shift = std::fabs(narrow[i].meanX - wide[i].meanX);
        if (narrow[i].time < marked - 1e-9) {
            EXPECT_LT(shift, window->recorder<DiracZitterbewegungRecorder>().markedCentroidShift())
                << "t=" << narrow[i].time;
        }
    }
    // Long past the mark, the shift a box's width per unit of wrapped
    // probability stands only roughly for what wrapped: the window the
    // centroid is taken in has followed a wrapped centroid.
    EXPECT_GE(1.05 * share, std::fabs(narrow.back().meanX - wide.back().meanX) / 40.96)
        << "the share bounds what wrapped";
}

// A window of 60 on a box 40.96 wide: the branches' ends meet across the
// periodic box, and the bound on what crossed passes the whole packet. The page says that the window outgrew the box, quotes no figure of
// the wrapped packet and no share above 100 %, and gives the fit as read
// before the mark, with the span and how far <x> may be off there. Against a
// box twice as wide, where nothing wraps, fitted here over the same span:
// the largest residual agrees to 3% of itself, and the drift within what
// that offset E can tilt a least-squares line over the span (3 E / T).
TEST_F(PanelsDirac, ZitterbewegungWindowPastTheBoxSaysSoInsteadOfAFigure)
{
    zitterbewegungWindow(*window, 40.96, 60.0);
    const QString summary = text("zitterSummaryLabel");
    SCOPED_TRACE(summary.toStdString());
    const int past = summary.indexOf(QStringLiteral("WINDOW PAST ITS VALIDITY"));
    ASSERT_GE(past, 0);
    for (const char* figure : {"<x>=n/a", "detrendedX=n/a"})
        EXPECT_TRUE(summary.left(past).contains(QLatin1String(figure))) << figure;
    const QString tail = summary.mid(past);
    if (tail.contains(QStringLiteral("up to "))) {
        EXPECT_LE(wordAfter(tail, QStringLiteral("up to ")).chopped(1).toDouble(), 100.0);
    } else {
        EXPECT_TRUE(tail.contains(QStringLiteral("all of it may have wrapped")));
    }
    const auto leadingNumber = [&tail](const char* key) {
        const QRegularExpressionMatch match =
            QRegularExpression(QRegularExpression::escape(QLatin1String(key)) + QStringLiteral("(\\d+\\.\\d+)"))
                .match(tail);
        return match.hasMatch() ? match.captured(1).toDouble() : std::nan("");
    };
    const double readTo = leadingNumber("the fit is that of t <= ");
    const double offBy = leadingNumber("off by at most ");
    ASSERT_GT(readTo, 5.0) << "the packet starts well inside the box";
    EXPECT_NEAR(offBy, window->recorder<DiracZitterbewegungRecorder>().markedCentroidShift(), 1e-4);
    const QString span = QStringLiteral(" (t<=%1)").arg(readTo, 0, 'f', 2);
    const double trembling = valueAfter(summary, "max|detrendedX|=");
    const double drift = valueAfter(summary, "fit vx=");
    for (const QString& figure : {QStringLiteral("max|detrendedX|="), QStringLiteral("fit vx=")})
        EXPECT_TRUE(summary.contains(figure + wordAfter(summary, figure) + span)) << figure.toStdString();
    EXPECT_NEAR(valueAfter(rowValue(55), "maxR="), trembling, 1e-4) << rowValue(55).toStdString();

    // The wide box on the same cells over the same span, its line fitted here.
    const std::vector<ZitterbewegungSample> wide = zitterbewegungWindow(*window, 81.92, 60.0, readTo + 0.05, true);
    double n = 0.0, st = 0.0, stt = 0.0, sx = 0.0, stx = 0.0;
    for (const ZitterbewegungSample& s : wide) {
        if (s.time > readTo + 1e-9)
            continue;
        n += 1.0;
        st += s.time;
        stt += s.time * s.time;
        sx += s.meanX;
        stx += s.time * s.meanX;
    }
    ASSERT_GE(n, 10.0);
    const double slope = (n * stx - sx * st) / (n * stt - st * st), intercept = (sx - slope * st) / n;
    double largest = 0.0;
    for (const ZitterbewegungSample& s : wide) {
        if (s.time <= readTo + 1e-9)
            largest = std::max(largest, std::fabs(s.meanX - slope * s.time - intercept));
    }
    EXPECT_NEAR(trembling, largest, 0.03 * largest);
    EXPECT_NEAR(drift, slope, 3.0 * offBy / readTo);
}

TEST_F(PanelsDirac, KleinSummaryNamesTheRegimeOfItsPreset)
{
    // Normal incidence over V0 = 3.2 and 1.5, then 35 degrees over 3.2.
    for (const int preset : {47, 48, 49}) {
        window->loadGuidedExperiment(preset);
        steps(4);
        const KleinTunnelingConfig& s = klein();
        const double restEnergy = s.restMass * s.lightSpeed * s.lightSpeed;
        const double energy = diracEnergy(s.momentumX, s.momentumY, s.restMass, s.lightSpeed);
        const double inside = energy - s.barrierHeight;
        const double qx2 =
            (inside * inside - restEnergy * restEnergy) / (s.lightSpeed * s.lightSpeed) - s.momentumY * s.momentumY;
        // Propagating above the barrier, on the negative branch below it
        // (Klein zone), else evanescent.
        const std::string regime = !(qx2 > 0.0 && restEnergy < std::fabs(inside)) ? "evanescent / tunneling"
                                   : inside > 0.0                                 ? "positive-branch propagation"
                                                                                  : "supercritical Klein";
        const QString summary = text("kleinSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_NEAR(valueAfter(summary, "  E="), energy, 1e-5) << "preset " << preset;
        // The ratio of the two printed values, each rounded (E is far from 1 here).
        EXPECT_NEAR(valueAfter(summary, "V0/E="), valueAfter(summary, "  V0=") / valueAfter(summary, "  E="), 6e-4);
        EXPECT_NEAR(valueAfter(summary, "angle="), std::atan2(s.momentumY, s.momentumX) * 180.0 / kPi, 0.005);
        EXPECT_NEAR(valueAfter(summary, "kx_inside^2="), qx2, 1e-5);
        // Recorded every second step: after four the last sample is the present.
        EXPECT_NEAR(valueAfter(summary, "t="), window->schroedingerSolver().time(), 5e-4);
        EXPECT_TRUE(summary.contains(QString::fromStdString("regime=" + regime + "  Klein zone=") +
                                     (regime == "supercritical Klein" ? "YES" : "no")));
        EXPECT_TRUE(rowValue(56).startsWith(QString::fromStdString(regime))) << rowValue(56).toStdString();
        // Early on the packet is all left of the barrier; the regions hold the norm.
        const double left = valueAfter(summary, "Pleft=");
        EXPECT_GT(left, 0.99);
        EXPECT_NEAR(left + valueAfter(summary, "Pbarrier=") + valueAfter(summary, "Pright="),
                    valueAfter(summary, "norm="), 5e-5);
    }
}

TEST_F(PanelsDirac, ReferencePagesGiveTheBarrierTransmissionAtNormalIncidence)
{
    window->loadGuidedExperiment(50);
    const KleinTunnelingConfig& s = klein();
    const double expected = slabTransmission(diracEnergy(s.momentumX, 0.0, s.restMass, s.lightSpeed), s.restMass,
                                             s.lightSpeed, s.barrierHeight, s.barrierWidth);
    // Before Play the packet value is the P_right of the t = 0 sample.
    for (const char* label :
         {"kleinAngleScanSummaryLabel", "kleinHeightScanSummaryLabel", "kleinMassScanSummaryLabel"}) {
        const QString summary = text(label);
        EXPECT_NEAR(valueAfter(summary, "plane-wave T="), expected, 2e-5) << label << ": " << summary.toStdString();
        EXPECT_NEAR(valueAfter(summary, "packet max P_right="), packetMaximum(), 5e-6) << summary.toStdString();
    }
    // A massive packet has no place on the massless comparison.
    EXPECT_EQ(wordAfter(text("diracMasslessSummaryLabel"), QStringLiteral("packet max P_right=")), "--");

    // Klein's paradox: a massless particle crosses at normal incidence; the
    // massive control of the same energy does not.
    window->loadGuidedExperiment(53);
    const QString massless = text("diracMasslessSummaryLabel");
    SCOPED_TRACE(massless.toStdString());
    EXPECT_NEAR(valueAfter(massless, "T(m=0)="), 1.0, 1e-6);
    EXPECT_NEAR(valueAfter(massless, "T(m=0.80)="),
                slabTransmission(klein().momentumX, 0.8, 1.0, klein().barrierHeight, klein().barrierWidth), 1e-6);
    EXPECT_NEAR(valueAfter(massless, "packet max P_right="), packetMaximum(), 5e-7);

    // A barrier whose right edge (15.95) lies past the last cell centre of a
    // domain 32 wide (15.9375), the detector drawn in to the domain's edge: the
    // configured recorder measures exactly nothing beyond the barrier, and
    // every page shows that zero, not "--".
    setValue(*window, "kleinBarrierCenterSpinBox", 10.0);
    setValue(*window, "kleinBarrierWidthSpinBox", 11.9);
    setValue(*window, "kleinDetectorXSpinBox", 17.0);
    click(*window, "kleinApplyButton");
    ExperimentDocument document = window->captureExperimentDocument();
    document.controls[QStringLiteral("universeWidthSpinBox")] = 32.0;
    document.quantumKleinTunneling.detectorX = 16.0;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    ASSERT_LT(gridCoordinateX(window->waveField(), window->waveField().nx() - 1),
              klein().barrierCenterX + klein().barrierWidth / 2.0);
    ASSERT_TRUE(window->recorder<DiracKleinRecorder>().isConfigured());
    ASSERT_EQ(packetMaximum(), 0.0);
    for (const char* label : {"kleinAngleScanSummaryLabel", "kleinHeightScanSummaryLabel", "kleinMassScanSummaryLabel",
                              "diracMasslessSummaryLabel"})
        EXPECT_EQ(valueAfter(text(label), "packet max P_right="), 0.0) << text(label).toStdString();

    // An effective c of 2: the preset's |p| = 1.5 gives E = c|p| = 3, below
    // the control's rest energy 0.8 c^2 = 3.2, so no massive particle of that
    // energy exists to compare with. At |p| = 3.5, E = 7, the control's
    // momentum is sqrt(E^2 - (mc^2)^2) / c and the barrier interior
    // propagates for both.
    {
        window->loadGuidedExperiment(53);
        setValue(*window, "kleinLightSpeedSpinBox", 2.0);
        click(*window, "kleinApplyButton");
        EXPECT_EQ(text("diracMasslessSummaryLabel").toStdString(),
                  "Massless Dirac fixed-energy comparison unavailable: no particle of the control's mass m=0.80 has "
                  "E=3.0000, below its rest energy mc^2=3.2000.");
        setValue(*window, "kleinPxSpinBox", 3.5);
        click(*window, "kleinApplyButton");
        const double c = 2.0;
        const double energy = 7.0;
        const double restEnergy = 0.8 * c * c;
        const QString fast = text("diracMasslessSummaryLabel");
        SCOPED_TRACE(fast.toStdString());
        EXPECT_NEAR(valueAfter(fast, "fixed E="), energy, 1e-6);
        EXPECT_NEAR(valueAfter(fast, "p_massive="), std::sqrt(energy * energy - restEnergy * restEnergy) / c, 1e-6);
        EXPECT_NEAR(valueAfter(fast, "mc^2/E(control)="), restEnergy / energy, 1e-4);
        EXPECT_NEAR(valueAfter(fast, "T(m=0)="), 1.0, 1e-6);
        EXPECT_NEAR(valueAfter(fast, "T(m=0.80)="),
                    slabTransmission(energy, 0.8, c, klein().barrierHeight, klein().barrierWidth), 1e-6);
        // A barrier as high as E leaves the massless wave no momentum inside:
        // a scan with points, not all of them valid, is not shown either.
        setValue(*window, "kleinBarrierHeightSpinBox", energy);
        click(*window, "kleinApplyButton");
        EXPECT_EQ(text("diracMasslessSummaryLabel").toStdString(),
                  "Massless Dirac fixed-energy comparison unavailable at V0 = E = 7.0000: inside the barrier the wave "
                  "has no energy left (E - V0 = 0), where the plane-wave reference is 0/0. Move V0 off E.");
        EXPECT_EQ(text("kleinAngleScanSummaryLabel").toStdString(), "Klein angular reference unavailable.");
    }
    // The preset itself (E = 1.5) with V0 = E, and a step of its box below.
    window->loadGuidedExperiment(53);
    const double energy = 1.5;
    const double step = test::control<QDoubleSpinBox>(*window, "kleinBarrierHeightSpinBox")->singleStep();
    for (const double height : {energy, energy - step}) {
        setValue(*window, "kleinBarrierHeightSpinBox", height);
        click(*window, "kleinApplyButton");
        const QString massless = text("diracMasslessSummaryLabel");
        EXPECT_EQ(massless.contains(QStringLiteral("unavailable at V0 = E = 1.5000")), height == energy)
            << massless.toStdString();
        EXPECT_EQ(massless.startsWith(QStringLiteral("EXACT massless reference")), height != energy)
            << massless.toStdString();
        // The empty plot does not ask for the preset that is loaded.
        EXPECT_EQ(test::control<QuantumDiracMasslessComparisonPlotWidget>(*window, "diracMasslessPlotWidget")
                      ->emptyReason()
                      .isEmpty(),
                  height != energy);
    }
}

TEST_F(PanelsDirac, PagesMarkTheMagnitudeOfTheIncidenceAngle)
{
    window->loadGuidedExperiment(50);
    auto* plot = test::control<QuantumKleinAngleScanPlotWidget>(*window, "kleinAngleScanPlotWidget");
    plot->setMinimumSize(720, 470);
    double mirrored = -1.0;
    // A packet aimed below the axis meets the barrier as its mirror image.
    for (const double angle : {30.0, -30.0}) {
        aimKleinPacket(1.5, angle);
        const double signedAngle = std::atan2(klein().momentumY, klein().momentumX) * 180.0 / kPi;
        const QString summary = text("kleinAngleScanSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_NEAR(valueAfter(summary, "current angle="), signedAngle, 0.005);
        const double transmission = valueAfter(summary, "plane-wave T=");
        EXPECT_GT(transmission, 0.05) << "angle " << angle;
        if (angle > 0.0) {
            mirrored = transmission;
        } else {
            EXPECT_EQ(transmission, mirrored) << "the mirrored packet crosses otherwise";
        }
        // The current-reference disc sits on the curve at |angle|.
        const QImage image = plot->grab().toImage();
        const QRect panel = plot::scanPanel(plot->size(), plot->scanLayout());
        const QColor seen = image.pixelColor(
            static_cast<int>(std::lround(panel.left() + panel.width() * std::fabs(signedAngle) / 70.0)),
            static_cast<int>(std::lround(panel.bottom() - panel.height() * transmission)));
        EXPECT_LT(std::abs(seen.red() - 255) + std::abs(seen.green() - 205) + std::abs(seen.blue() - 95), 40)
            << "no current marker at angle " << angle << ": " << seen.name().toStdString();
    }

    // Beyond the scanned 70 degrees the massless comparison evaluates its
    // point at the edge and still names the true angle.
    window->loadGuidedExperiment(53);
    aimKleinPacket(1.5, -75.0);
    const QString massless = text("diracMasslessSummaryLabel");
    SCOPED_TRACE(massless.toStdString());
    EXPECT_NEAR(valueAfter(massless, "current angle="), 75.0, 0.05);
    const DiracMasslessComparisonPoint edge = diracMasslessComparisonPoint(klein(), 0.8, 70.0, 1.0);
    ASSERT_TRUE(edge.valid);
    EXPECT_NEAR(valueAfter(massless, "T_massless="), edge.masslessTransmission, 1e-6);
    EXPECT_NEAR(valueAfter(massless, "T_massive="), edge.massiveTransmission, 1e-6);
}

TEST_F(PanelsDirac, WithoutAKleinPacketTheReferencesCarryNoPacketValue)
{
    window->loadGuidedExperiment(53);
    // The Klein mode on while the run prepares the form's Gaussian: nothing
    // configures the Klein recorder.
    ExperimentDocument document = window->captureExperimentDocument();
    document.initialPreparation.type = InitialPreparationType::Gaussian;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    ASSERT_TRUE(klein().enabled && !window->recorder<DiracKleinRecorder>().isConfigured());

    EXPECT_EQ(text("kleinSummaryLabel").toStdString(),
              "Dirac/Klein recorder inactive: enabled=yes configured=no samples=0");
    for (const char* label : {"kleinAngleScanSummaryLabel", "kleinHeightScanSummaryLabel", "kleinMassScanSummaryLabel",
                              "diracMasslessSummaryLabel"}) {
        const QString summary = text(label);
        EXPECT_TRUE(summary.contains(QLatin1String("T=")) || summary.contains(QLatin1String("T_massless=")))
            << label << " shows no curve: " << summary.toStdString();
        EXPECT_EQ(wordAfter(summary, QStringLiteral("packet max P_right=")), "--") << summary.toStdString();
    }

    // At c = 10 the slowest packet leaves no mass below 0.985 E / c^2 to scan.
    setValue(*window, "kleinLightSpeedSpinBox", 10.0);
    setValue(*window, "kleinMassSpinBox", 0.0);
    aimKleinPacket(0.05, 0.0);
    EXPECT_EQ(text("kleinMassScanSummaryLabel").toStdString(),
              "Klein mass reference unavailable: no kinematic scan interval.");
}

} // namespace
} // namespace vxo
