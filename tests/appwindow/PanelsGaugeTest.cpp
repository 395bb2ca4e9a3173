// The magnetic pages of one unshown window (Aharonov-Bohm, Landau levels,
// Hall edge): summaries and diagnostics rows after a few steps of their
// guided experiments, checked against the field theory and against moments
// of the live wave field computed here; and the recorder-state hints.

#include "common/AppTestSupport.h"

#include "app/MainWindow.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace vxo {
namespace {

constexpr int kGrid256 = 0;
constexpr int kAharonovBohmRow = 51;
constexpr int kLandauRow = 52;
constexpr int kHallEdgeRow = 53;
constexpr int kStepsTaken = 10; // the gauge recorders sample every 5 steps

template <typename Widget>
Widget& formWidget(const MainWindow& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("form widget missing: ") + name);
    return *found;
}

std::string text(const QString& value) { return value.toStdString(); }

double numberAfter(const QString& source, const QString& key)
{
    const QRegularExpression pattern(QRegularExpression::escape(key) +
                                     QStringLiteral("(-?[0-9]+(?:\\.[0-9]+)?(?:e[-+]?[0-9]+)?)"));
    const QRegularExpressionMatch match = pattern.match(source);
    return match.hasMatch() ? match.captured(1).toDouble() : std::numeric_limits<double>::quiet_NaN();
}

double cellX(const ComplexField2D& psi, std::uint64_t i) { return (i - (psi.nx() - 1) / 2.0) * psi.dx(); }
double cellY(const ComplexField2D& psi, std::uint64_t j) { return (j - (psi.ny() - 1) / 2.0) * psi.dy(); }
double density(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j)
{
    return std::norm(std::complex<double>(psi.at(i, j)));
}

// Norm sum |psi|^2 dx dy, centroid, and the share of the norm with y in [y0, y1].
struct Moments {
    double norm = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double stripShare = 0.0;
};

Moments momentsOf(const ComplexField2D& psi, double y0 = 0.0, double y1 = 0.0)
{
    Moments m;
    double sum = 0.0, strip = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double p = density(psi, i, j);
            sum += p;
            m.meanX += cellX(psi, i) * p;
            m.meanY += cellY(psi, j) * p;
            if (cellY(psi, j) >= y0 && cellY(psi, j) <= y1)
                strip += p;
        }
    }
    m.norm = sum * psi.dx() * psi.dy();
    m.meanX /= sum;
    m.meanY /= sum;
    m.stripShare = strip / sum;
    return m;
}

void expectRelative(double shown, double expected, double tolerance, const QString& where)
{
    EXPECT_NEAR(shown, expected, tolerance * std::max(std::abs(expected), 1e-300)) << text(where);
}

class PanelsGaugeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::appTestApplication();
        window_ = std::make_unique<MainWindow>(nullptr, false);
    }
    static void TearDownTestSuite() { window_.reset(); }

    MainWindow& window() { return *window_; }

    // The guided experiment on 40.96 x 30.72 over 256 x 256 cells, then
    // `edit` on the quiet form, then one rebuild.
    void load(int preset, const std::function<void(MainWindow&)>& edit)
    {
        MainWindow& w = window();
        w.loadGuidedExperiment(preset);
        auto& grid = formWidget<QComboBox>(w, "gridResolutionComboBox");
        const QSignalBlocker gridBlocker(grid);
        grid.setCurrentIndex(kGrid256);
        auto& height = formWidget<QDoubleSpinBox>(w, "universeHeightSpinBox");
        const QSignalBlocker heightBlocker(height);
        height.setValue(30.72);
        if (edit)
            edit(w);
        w.rebuildSimulation();
    }

    QString row(int index) const
    {
        const QTableWidgetItem* item = formWidget<QTableWidget>(*window_, "diagnosticsTable").item(index, 2);
        return item ? item->text() : QString();
    }
    QString label(const char* name) const { return formWidget<QLabel>(*window_, name).text(); }

    static std::unique_ptr<MainWindow> window_;
};

std::unique_ptr<MainWindow> PanelsGaugeTest::window_;

template <typename Box, typename Value>
void setQuietly(MainWindow& window, const char* name, Value value)
{
    auto& box = formWidget<Box>(window, name);
    const QSignalBlocker blocker(box);
    if constexpr (std::is_same_v<Box, QComboBox>)
        box.setCurrentIndex(value);
    else
        box.setValue(value);
}

// Ten steps into each magnetic experiment (hbar = m = 1, b = +-0.45): the
// page shows the sample taken at this very step, so its moments are those of
// the live field, and its references are those of the field theory:
// omega_c = |b| hbar / m, l_B = 1 / sqrt|b|, E_n = (n + 1/2) hbar omega_c.
TEST_F(PanelsGaugeTest, GaugePagesSummariseTheirLastSample)
{
    struct Case {
        const char* name;
        int preset;
        std::function<void(MainWindow&)> edit;
        std::function<void(const QString& summary, const QString& row, const Moments& now, const Moments& start)>
            check;
    };
    const double b = 0.45;
    const double omegaC = b;
    const std::vector<Case> cases{
        {"Aharonov-Bohm, half a flux quantum", 42, nullptr,
         [&](const QString& summary, const QString& row, const Moments& now, const Moments&) {
             const ComplexField2D& psi = window().waveField();
             const auto column = static_cast<std::uint64_t>(std::lround(7.0 / psi.dx() + (psi.nx() - 1) / 2.0));
             double line = 0.0, lineY = 0.0;
             for (std::uint64_t j = 0; j < psi.ny(); ++j) {
                 line += density(psi, column, j) * psi.dy();
                 lineY += cellY(psi, j) * density(psi, column, j) * psi.dy();
             }
             EXPECT_TRUE(summary.contains(QStringLiteral("Phi/Phi0=0.500   AB phase=180.0 deg\n"))) << text(summary);
             EXPECT_TRUE(summary.contains(QStringLiteral(" / 5.00   "))) << "analysis end";
             expectRelative(numberAfter(summary, QStringLiteral("detector line=")), line, 1e-4, summary);
             expectRelative(numberAfter(summary, QStringLiteral("<y>det=")), lineY / line, 1e-3, summary);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("norm=")), now.norm, 2e-6) << text(summary);
             EXPECT_TRUE(row.startsWith(QStringLiteral("Phi/Phi0=0.500, phase=180.0 deg, center="))) << text(row);
         }},
        {"Landau, cyclotron packet", 43, nullptr,
         [&](const QString& summary, const QString& row, const Moments& now, const Moments&) {
             EXPECT_TRUE(summary.startsWith(QStringLiteral("cyclotron   samples=3   t=0.200 / 15.00   "
                                                           "omega_c=0.45000   lB=1.4907\n")))
                 << text(summary);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("<x,y>=(")), now.meanX, 1.5e-3);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral(",")), now.meanY, 1.5e-3);
             // A packet of width l_B with mechanical momentum b R: E = (bR)^2 / 2 + omega_c / 2.
             const double radius = 5.0;
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("   E=")), 0.5 * (b * radius) * (b * radius) + 0.5 * omegaC,
                         0.03 * 2.75625);
             EXPECT_EQ(numberAfter(summary, QStringLiteral("E_n=")), 0.225);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("norm=")), now.norm, 2e-6);
             EXPECT_TRUE(row.startsWith(QStringLiteral("b=0.450  omega=0.4500  E="))) << text(row);
         }},
        {"Landau, eigenstate n = 2", 43,
         [](MainWindow& w) {
             setQuietly<QComboBox>(w, "landauPreparationComboBox", 1);
             setQuietly<QSpinBox>(w, "landauIndexSpinBox", 2);
         },
         [&](const QString& summary, const QString&, const Moments&, const Moments&) {
             EXPECT_TRUE(summary.startsWith(QStringLiteral("Landau n=2   samples=3   "))) << text(summary);
             EXPECT_EQ(numberAfter(summary, QStringLiteral("E_n=")), 1.125);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("   E=")), 2.5 * omegaC, 0.03 * 1.125)
                 << "an eigenstate carries its level energy";
             EXPECT_GT(numberAfter(summary, QStringLiteral("fidelity=")), 0.99) << "an eigenstate stays put";
         }},
        {"Hall edge, b > 0", 44, nullptr,
         [&](const QString& summary, const QString& row, const Moments& now, const Moments& start) {
             EXPECT_TRUE(summary.startsWith(QStringLiteral("samples=3   t=0.200 / 8.00   b=0.450   omega_c=0.45000   "
                                                           "chirality=+X\n")))
                 << text(summary);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("<x,y>=(")), now.meanX, 1.5e-3);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("drift=")), now.meanX - start.meanX, 1.5e-3);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("P(edge)=")), now.stripShare, 1.5e-4);
             EXPECT_NEAR(numberAfter(summary, QStringLiteral("norm=")), now.norm, 2e-6);
             EXPECT_TRUE(row.startsWith(QStringLiteral("+X drift="))) << text(row);
             EXPECT_NEAR(numberAfter(row, QStringLiteral("Pedge=")), now.stripShare, 1.5e-3);
         }},
        {"Hall edge, b < 0", 44, [](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "hallEdgeFieldSpinBox", -0.45); },
         [&](const QString& summary, const QString& row, const Moments&, const Moments&) {
             EXPECT_TRUE(summary.contains(QStringLiteral("b=-0.450   omega_c=0.45000   chirality=-X\n")))
                 << text(summary);
             EXPECT_TRUE(row.startsWith(QStringLiteral("-X drift="))) << text(row);
         }},
    };

    const std::pair<const char*, int> pages[] = {
        {"aharonovBohmSummaryLabel", kAharonovBohmRow}, {"landauSummaryLabel", kLandauRow},
        {"hallEdgeSummaryLabel", kHallEdgeRow}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.preset, c.edit);
        MainWindow& w = window();
        const Moments start = momentsOf(w.waveField(), -8.0, -4.0);
        for (int n = 0; n < kStepsTaken; ++n)
            w.stepOnce();
        const Moments now = momentsOf(w.waveField(), -8.0, -4.0);
        const auto& page = pages[c.preset - 42];
        const QString summary = label(page.first);
        if (c.preset != 43)
            EXPECT_TRUE(summary.startsWith(QStringLiteral("samples=3   t=0.200 / "))) << text(summary);
        c.check(summary, row(page.second), now, start);
    }
}

// An inactive page names what is missing, in its label and in its row: on
// a free packet nothing is enabled; a magnetic experiment with b = 0 is
// enabled but its field cannot be built.
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
         aharonovBohmOff, "Landau recorder inactive: enabled=yes  gauge=no  configured=no  samples=0", hallEdgeOff},
        {"Hall edge with b = 0", 44, [](MainWindow& w) { setQuietly<QDoubleSpinBox>(w, "hallEdgeFieldSpinBox", 0.0); },
         aharonovBohmOff, landauOff, "Hall edge recorder inactive: enabled=yes  fields=no  configured=no  samples=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.preset, c.edit);
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
