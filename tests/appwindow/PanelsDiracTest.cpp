// The relativistic analysis pages of one unshown window: the Zitterbewegung
// and Klein recorder pages and the four stationary Klein references, checked
// against the Dirac kinematics and the transmission of a square barrier
// worked out here on their own.

#include "WindowControls.h"
#include "common/MainWindowProbe.h"

#include "app/MainWindow.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/KleinBarrierReference.h"
#include "experiments/KleinScans.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::click;
using test::setIndex;
using test::setValue;

constexpr double kPi = 3.14159265358979323846;
constexpr int kZitterbewegungPreset = 46;
constexpr int kKleinNormalPreset = 47;
constexpr int kKleinAnglePreset = 50;
constexpr int kMasslessPreset = 53;

// The word written right after `key` in `text` (up to a blank or a slash).
QString wordAfter(const QString& text, const QString& key)
{
    const int at = text.indexOf(key);
    if (at < 0)
        return QString();
    return text.mid(at + key.size()).section(QRegularExpression(QStringLiteral("[\\s/]")), 0, 0);
}

// The number written right after `key`; NaN when the key is missing or
// followed by "--".
double valueAfter(const QString& text, const QString& key)
{
    bool ok = false;
    const double value = wordAfter(text, key).toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

// Normal-incidence transmission of a Dirac plane wave of energy E through a
// square barrier (V0, width w). With the lower-to-upper spinor ratios
// g = c k / (E + m c^2) outside and g' = c q / (E - V0 + m c^2) inside,
// continuity of both components is the slab problem of a wave whose
// "impedance" changes by z = g' / g:
//   T = 1 / (1 + (z - 1/z)^2 sin^2(q w / hbar) / 4).
// Propagating inside only (q^2 > 0).
double slabTransmission(double energy, double restMass, double lightSpeed, double barrierHeight, double width,
                        double hbar)
{
    const double c = lightSpeed;
    const double restEnergy = restMass * c * c;
    const double k = std::sqrt(energy * energy - restEnergy * restEnergy) / c;
    const double inside = energy - barrierHeight;
    const double q = std::sqrt(inside * inside - restEnergy * restEnergy) / c;
    const double z = (c * q / (inside + restEnergy)) / (c * k / (energy + restEnergy));
    const double s = std::sin(q * width / hbar);
    return 1.0 / (1.0 + 0.25 * (z - 1.0 / z) * (z - 1.0 / z) * s * s);
}

double diracEnergy(double px, double py, double restMass, double lightSpeed)
{
    const double restEnergy = restMass * lightSpeed * lightSpeed;
    return std::sqrt(lightSpeed * lightSpeed * (px * px + py * py) + restEnergy * restEnergy);
}

class PanelsDirac : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    static void TearDownTestSuite() { window.reset(); }

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
    // The Klein packet controls at |p| and the signed angle, applied.
    static void aimKleinPacket(double momentum, double angleDegrees)
    {
        setValue(*window, "kleinPxSpinBox", momentum * std::cos(angleDegrees * kPi / 180.0));
        setValue(*window, "kleinPySpinBox", momentum * std::sin(angleDegrees * kPi / 180.0));
        click(*window, "kleinApplyButton");
    }
    static const KleinTunnelingConfig& klein() { return window->storedRecords().quantumKleinTunneling; }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> PanelsDirac::window;

TEST_F(PanelsDirac, WithoutADiracModeEveryPageShowsItsHint)
{
    window->loadGuidedExperiment(0);
    const struct {
        const char* label;
        const char* hint;
        int row;
    } pages[] = {
        {"zitterSummaryLabel", "Dirac/ZB recorder inactive: enabled=no  configured=no  samples=0", 55},
        {"kleinSummaryLabel", "Dirac/Klein recorder inactive: enabled=no configured=no samples=0", 56},
        {"kleinAngleScanSummaryLabel", "Load the Klein Transmission vs Incidence Angle preset.", -1},
        {"kleinHeightScanSummaryLabel", "Load the Klein Transmission vs Barrier Height preset.", -1},
        {"kleinMassScanSummaryLabel", "Load the Klein Transmission vs Mass preset.", -1},
        {"diracMasslessSummaryLabel", "Load the Massless Dirac / Graphene-like Klein Analogue preset.", -1},
    };
    for (const auto& page : pages) {
        EXPECT_EQ(text(page.label).toStdString(), page.hint) << page.label;
        if (page.row >= 0) {
            EXPECT_EQ(rowValue(page.row).toStdString(), page.hint) << "row " << page.row;
        }
    }
}

TEST_F(PanelsDirac, ZitterbewegungSummaryFollowsTheDiracKinematics)
{
    window->loadGuidedExperiment(kZitterbewegungPreset);
    const ZitterbewegungConfig& settings = window->storedRecords().quantumZitterbewegung;
    const auto& recorder = window->recorder<DiracZitterbewegungRecorder>();
    const double c = settings.lightSpeed;
    const double m = settings.restMass;
    const double p = settings.momentumX;
    const double energy = diracEnergy(p, settings.momentumY, m, c);
    // The tremble comes from the beat of the two branches: 2E / hbar.
    const double omega = 2.0 * energy / window->schroedingerSolver().parameters().hbar;

    // Mixed packet: the upper component alone splits into the branches with
    // P- = (1 - m c^2 / E) / 2 at the central momentum, and drifts at the
    // weighted mean c^4 m p / E^2 of the branch velocities.
    // Positive-energy control: no P-, the group velocity c^2 p / E.
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
        setIndex(*window, "zitterPreparationComboBox", expected.preparation);
        click(*window, "zitterApplyButton");
        steps(6);
        const QString summary = text("zitterSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_TRUE(summary.startsWith(QLatin1String(expected.caption))) << "preparation " << expected.preparation;
        EXPECT_EQ(valueAfter(summary, QStringLiteral("samples=")), static_cast<double>(recorder.samples().size()));
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("t=")), window->schroedingerSolver().time(), 5e-4);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("omega_ZB=")), omega, 1e-5);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("T_ZB=")), 2.0 * kPi / omega, 1e-5);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("central-p estimate=")), expected.drift, 1e-6);
        // The packet's momentum spread moves the branch weights a little.
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("P-=")), expected.minusWeight, 0.01);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("P+=")) + valueAfter(summary, QStringLiteral("P-=")), 1.0, 2e-6);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("norm=")), 1.0, 1e-3);

        const QString row = rowValue(55);
        EXPECT_NEAR(valueAfter(row, QStringLiteral("omega=")), omega, 1e-4) << row.toStdString();
        EXPECT_NEAR(valueAfter(row, QStringLiteral("P-=")), valueAfter(summary, QStringLiteral("P-=")), 1e-4);
    }
}

TEST_F(PanelsDirac, KleinSummaryNamesTheRegimeOfItsPreset)
{
    // Normal incidence over V0 = 3.2 and 1.5, then 35 degrees over 3.2.
    for (const int preset : {47, 48, 49}) {
        window->loadGuidedExperiment(preset);
        steps(4);
        const KleinTunnelingConfig& settings = klein();
        const double c = settings.lightSpeed;
        const double restEnergy = settings.restMass * c * c;
        const double energy = diracEnergy(settings.momentumX, settings.momentumY, settings.restMass, c);
        const double inside = energy - settings.barrierHeight;
        const double qx2 = (inside * inside - restEnergy * restEnergy) / (c * c) - settings.momentumY * settings.momentumY;
        // Propagating inside above the barrier, on the negative branch below
        // it (Klein zone), else evanescent.
        const bool propagating = qx2 > 0.0 && restEnergy < std::fabs(inside);
        const std::string regime = !propagating ? "evanescent / tunneling"
                                   : inside > 0.0 ? "positive-branch propagation"
                                                  : "supercritical Klein";
        const QString summary = text("kleinSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("  E=")), energy, 1e-5) << "preset " << preset;
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("V0/E=")), settings.barrierHeight / energy, 1e-3);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("angle=")),
                    std::atan2(settings.momentumY, settings.momentumX) * 180.0 / kPi, 0.005);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("kx_inside^2=")), qx2, 1e-5);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("E-mc^2=")), energy - restEnergy, 1e-5);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("E+mc^2=")), energy + restEnergy, 1e-5);
        EXPECT_TRUE(summary.contains(QString::fromStdString("regime=" + regime + "  Klein zone=")
                                     + (regime == "supercritical Klein" ? "YES" : "no")));
        EXPECT_TRUE(rowValue(56).startsWith(QString::fromStdString(regime))) << rowValue(56).toStdString();

        // Early on the packet is all left of the barrier, and the three
        // regions hold the whole norm.
        const double left = valueAfter(summary, QStringLiteral("Pleft="));
        EXPECT_GT(left, 0.99);
        EXPECT_NEAR(left + valueAfter(summary, QStringLiteral("Pbarrier=")) + valueAfter(summary, QStringLiteral("Pright=")),
                    valueAfter(summary, QStringLiteral("norm=")), 5e-5);
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("t=")), window->schroedingerSolver().time(), 5e-4);
    }
}

TEST_F(PanelsDirac, ReferencePagesGiveTheBarrierTransmissionAtNormalIncidence)
{
    window->loadGuidedExperiment(kKleinAnglePreset);
    const KleinTunnelingConfig& settings = klein();
    const double hbar = 1.0;
    const double energy = diracEnergy(settings.momentumX, 0.0, settings.restMass, settings.lightSpeed);
    const double expected = slabTransmission(energy, settings.restMass, settings.lightSpeed, settings.barrierHeight,
                                             settings.barrierWidth, hbar);
    // Before Play the recorder holds its t = 0 sample: the packet value is
    // its P_right, next to nothing.
    const double packet = window->recorder<DiracKleinRecorder>().maxRightProbability();
    ASSERT_LT(packet, 1e-3);
    const struct {
        const char* label;
        const char* transmissionKey;
        const char* packetKey;
    } pages[] = {
        {"kleinAngleScanSummaryLabel", "plane-wave T=", "packet max P_right="},
        {"kleinHeightScanSummaryLabel", "plane-wave T=", "packet max P_right="},
        {"kleinMassScanSummaryLabel", "plane-wave T=", "packet max P_right="},
    };
    for (const auto& page : pages) {
        const QString summary = text(page.label);
        EXPECT_NEAR(valueAfter(summary, QLatin1String(page.transmissionKey)), expected, 2e-5)
            << page.label << ": " << summary.toStdString();
        EXPECT_NEAR(valueAfter(summary, QLatin1String(page.packetKey)), packet, 5e-6) << summary.toStdString();
    }
    // The massive packet has no place on the massless comparison.
    EXPECT_EQ(wordAfter(text("diracMasslessSummaryLabel"), QStringLiteral("packet max P_right=")), "--");

    // A massless particle crosses any barrier at normal incidence (Klein's
    // paradox); the massive control of the same energy does not.
    window->loadGuidedExperiment(kMasslessPreset);
    const QString massless = text("diracMasslessSummaryLabel");
    SCOPED_TRACE(massless.toStdString());
    const double controlMass = 0.8;
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("T(m=0)=")), 1.0, 1e-6);
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("T(m=0.80)=")),
                slabTransmission(klein().momentumX * klein().lightSpeed, controlMass, klein().lightSpeed,
                                 klein().barrierHeight, klein().barrierWidth, hbar),
                1e-6);
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("packet max P_right=")),
                window->recorder<DiracKleinRecorder>().maxRightProbability(), 5e-7);
}

TEST_F(PanelsDirac, ThePacketReachesThePlaneWaveTransmission)
{
    window->loadGuidedExperiment(kKleinNormalPreset);
    // Long enough for the whole packet to leave the barrier, short of the
    // absorbing layer.
    setValue(*window, "kleinAnalysisEndSpinBox", 22.0);
    click(*window, "kleinApplyButton");
    const KleinTunnelingConfig& settings = klein();
    MainWindowProbe::setSpeedIndex(*window, 6);
    while (window->schroedingerSolver().time() < settings.analysisEndTime) {
        MainWindowProbe::stepTick(*window);
        MainWindowProbe::observeTick(*window);
    }
    window->stepOnce();

    // The packet's Gaussian exp(-r^2 / (4 sigma^2)) holds momenta spread by
    // hbar / (2 sigma) on each axis; each crosses at its own plane-wave T.
    const double spread = 1.0 / (2.0 * settings.sigma);
    double weighted = 0.0;
    double weights = 0.0;
    for (int i = -20; i <= 20; ++i) {
        for (int j = -20; j <= 20; ++j) {
            KleinTunnelingConfig wave = settings;
            wave.momentumX = settings.momentumX + 0.2 * i * spread;
            wave.momentumY = settings.momentumY + 0.2 * j * spread;
            const double angle = std::fabs(std::atan2(wave.momentumY, wave.momentumX) * 180.0 / kPi);
            const KleinAngleScanPoint point = kleinBarrierReference(wave, angle, 1.0);
            const double weight = std::exp(-0.02 * (i * i + j * j));
            weighted += weight * point.transmission;
            weights += weight;
        }
    }
    const QString summary = text("kleinSummaryLabel");
    EXPECT_NEAR(valueAfter(summary, QStringLiteral("max Pright=")), weighted / weights, 0.01) << summary.toStdString();
    EXPECT_NEAR(valueAfter(text("kleinAngleScanSummaryLabel"), QStringLiteral("packet max P_right=")),
                window->recorder<DiracKleinRecorder>().maxRightProbability(), 5e-6);
}

// Pixel of the angle page's current-reference disc for a packet at
// |angle| with transmission T, on a painted page of `size`.
QPoint angleMarkerPixel(const QSize& size, double angleDegrees, double transmission)
{
    const QRect panel(62, 46, std::max(size.width() - 84, 120), std::max(size.height() - 100, 120));
    return QPoint(static_cast<int>(std::lround(panel.left() + panel.width() * angleDegrees / 70.0)),
                  static_cast<int>(std::lround(panel.bottom() - panel.height() * transmission)));
}

TEST_F(PanelsDirac, PagesMarkTheMagnitudeOfTheIncidenceAngle)
{
    window->loadGuidedExperiment(kKleinAnglePreset);
    const double momentum = 1.5;
    auto* plot = test::control<QWidget>(*window, "kleinAngleScanPlotWidget");
    const QColor current(255, 205, 95);
    double mirrored = -1.0;
    // A packet aimed below the axis meets the barrier as its mirror image.
    for (const double angle : {30.0, -30.0}) {
        aimKleinPacket(momentum, angle);
        const double signedAngle = std::atan2(klein().momentumY, klein().momentumX) * 180.0 / kPi;
        const QString summary = text("kleinAngleScanSummaryLabel");
        SCOPED_TRACE(summary.toStdString());
        EXPECT_NEAR(valueAfter(summary, QStringLiteral("current angle=")), signedAngle, 0.005);
        const double transmission = valueAfter(summary, QStringLiteral("plane-wave T="));
        EXPECT_GT(transmission, 0.05) << "angle " << angle;
        if (angle > 0.0) {
            mirrored = transmission;
        } else {
            EXPECT_EQ(transmission, mirrored) << "the mirrored packet has another transmission";
        }

        plot->setMinimumSize(720, 470);
        const QImage image = plot->grab().toImage();
        const QPoint pixel = angleMarkerPixel(image.size(), std::fabs(signedAngle), transmission);
        const QColor seen = image.pixelColor(pixel);
        EXPECT_LT(std::abs(seen.red() - current.red()) + std::abs(seen.green() - current.green())
                      + std::abs(seen.blue() - current.blue()),
                  40)
            << "no current marker at angle " << angle << ": " << seen.name().toStdString();
    }

    // Beyond the scanned 70 degrees the massless comparison evaluates its
    // point at the edge and still names the true angle.
    window->loadGuidedExperiment(kMasslessPreset);
    aimKleinPacket(momentum, -75.0);
    const QString massless = text("diracMasslessSummaryLabel");
    SCOPED_TRACE(massless.toStdString());
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("current angle=")), 75.0, 0.05);
    const DiracMasslessComparisonPoint edge = diracMasslessComparisonPoint(klein(), 0.8, 70.0, 1.0);
    ASSERT_TRUE(edge.valid);
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("T_massless=")), edge.masslessTransmission, 1e-6);
    EXPECT_NEAR(valueAfter(massless, QStringLiteral("T_massive=")), edge.massiveTransmission, 1e-6);
}

TEST_F(PanelsDirac, WithoutAKleinPacketTheReferencesCarryNoPacketValue)
{
    window->loadGuidedExperiment(kMasslessPreset);
    // The Klein mode on while the run prepares the form's Gaussian packet:
    // nothing configures the Klein recorder.
    ExperimentDocument document = window->captureExperimentDocument();
    document.initialPreparation.type = InitialPreparationType::Gaussian;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    ASSERT_TRUE(klein().enabled);
    ASSERT_FALSE(window->recorder<DiracKleinRecorder>().isConfigured());

    EXPECT_EQ(text("kleinSummaryLabel").toStdString(),
              "Dirac/Klein recorder inactive: enabled=yes configured=no samples=0");
    for (const char* label : {"kleinAngleScanSummaryLabel", "kleinHeightScanSummaryLabel",
                              "kleinMassScanSummaryLabel", "diracMasslessSummaryLabel"}) {
        const QString summary = text(label);
        EXPECT_TRUE(summary.contains(QLatin1String("plane-wave T=")) || summary.contains(QLatin1String("T_massless=")))
            << label << " shows no curve: " << summary.toStdString();
        EXPECT_EQ(wordAfter(summary, QStringLiteral("packet max P_right=")), "--") << summary.toStdString();
    }

    // At c = 10 the slowest packet's energy leaves no mass below E / c^2
    // worth scanning.
    setValue(*window, "kleinLightSpeedSpinBox", 10.0);
    setValue(*window, "kleinMassSpinBox", 0.0);
    setValue(*window, "kleinPxSpinBox", 0.05);
    setValue(*window, "kleinPySpinBox", 0.0);
    click(*window, "kleinApplyButton");
    EXPECT_EQ(text("kleinMassScanSummaryLabel").toStdString(),
              "Klein mass reference unavailable: no kinematic scan interval.");
}

} // namespace
} // namespace vxo
