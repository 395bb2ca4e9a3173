// The double-well, quench, periodic-drive, Rabi, Landau-Zener, Stueckelberg
// and Ramsey pages of one unshown window, run on their guided presets. Every
// summary is matched against its format, decimals included, and its numbers
// against values worked out here: the double well's levels and dipole from
// a finer relaxation of the window's own potential row, the two-level
// dynamics by integrating the 2 x 2 Schroedinger equation, the driven and
// quenched harmonic trap from the classical motion of a coherent state.

#include "core/Numeric.h"
#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/PageFigures.h"

#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentDocument.h"
#include "experiments/BoundStateResult.h"
#include "experiments/BoundStates1D.h"
#include "experiments/QuantumLandauZener2D.h"
#include "plots/PlotHistories.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using Amplitudes = std::array<std::complex<double>, 2>;

// The window's spectrum relaxes in imaginary time with steps of 0.02, which
// raises the two lowest levels of the presets' double well by 7e-4 and
// 1.3e-3 above the grid's exact ones (which steps of 0.0025 reach within
// 1e-6): the levels are compared within 2e-3, what derives from the
// splitting or the dipole within half a percent.
constexpr double kLevelTolerance = 2e-3;
constexpr double kRelativeTolerance = 5e-3;

// The numbers of `text` when it has the shape of `format`, in order of
// appearance: "{k}" stands for a fixed-point number with k decimals ("{0}"
// an integer), "{w}" for words; everything else must match literally.
std::optional<std::vector<QString>> fieldsOf(const QString& text, const QString& format)
{
    QString pattern = QStringLiteral("^");
    const QRegularExpression token(QStringLiteral("\\{(\\d+|w)\\}"));
    int from = 0;
    for (auto match = token.globalMatch(format); match.hasNext();) {
        const QRegularExpressionMatch next = match.next();
        pattern += QRegularExpression::escape(format.mid(from, next.capturedStart() - from));
        const QString kind = next.captured(1);
        pattern += kind == QLatin1String("w")   ? QStringLiteral("(.+?)")
                   : kind == QLatin1String("0") ? QStringLiteral("(-?\\d+)")
                                                : QStringLiteral("(-?\\d+\\.\\d{%1})").arg(kind);
        from = next.capturedEnd();
    }
    pattern += QRegularExpression::escape(format.mid(from)) + QStringLiteral("$");
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    if (!match.hasMatch())
        return std::nullopt;
    std::vector<QString> fields;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i)
        fields.push_back(match.captured(i));
    return fields;
}

// The two lowest states of a well, relaxed with an imaginary-time step eight
// times finer than the window's own, and their dipole <0|x|1> with x
// measured from the centre.
struct LevelPair {
    double lower = 0.0;
    double upper = 0.0;
    double dipole = 0.0;
    std::vector<float> phi0; // sum phi^2 dx = 1 along the row
    std::vector<float> phi1;
};

LevelPair finePair(const PotentialField2D& well, double mass)
{
    BoundStateSettings settings;
    settings.mass = mass;
    settings.imaginaryTimeStep = 0.0025;
    settings.maxIterations = 40000;
    settings.maxStates = 2;
    const BoundStateResult result = BoundStates1D::compute(well, settings);
    if (!result.ok || result.states.size() < 2)
        return {};
    LevelPair pair{result.states[0].energy, result.states[1].energy, 0.0, result.states[0].phi, result.states[1].phi};
    const std::size_t n = pair.phi0.size();
    for (std::size_t i = 0; i < n; ++i)
        pair.dipole += pair.phi0[i] * (static_cast<double>(i) - (n - 1) / 2.0) * well.dx() * pair.phi1[i] * well.dx();
    return pair;
}

// The pair of the window's well without its Linear bias.
LevelPair unbiasedPair(const MainWindow& window, double mass)
{
    PotentialField2D well = window.potentialField();
    for (const PotentialObject& object : window.scene().objects())
        if (object.kind == PotentialObjectKind::Linear)
            well.addLinear(0.0f, 0.0f, 0.0f, -object.slopeX, 0.0f);
    return finePair(well, mass);
}

// Amplitudes of psi on the pair spread evenly over y: phi(x) / sqrt(ny dy).
Amplitudes projection(const ComplexField2D& psi, const LevelPair& pair)
{
    Amplitudes c{};
    const double weight = psi.dx() * psi.dy() / std::sqrt(psi.ny() * static_cast<double>(psi.dy()));
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const std::complex<double> value(psi.at(i, j));
            c[0] += pair.phi0[i] * weight * value;
            c[1] += pair.phi1[i] * weight * value;
        }
    return c;
}

// Adiabatic eigenvector of [[a, f], [f, c]]: (cos, sin) of half the angle
// atan2(-2f, c - a) for the lower level, perpendicular to it for the upper.
Amplitudes adiabaticState(double a, double c, double f, bool lower)
{
    const double theta = 0.5 * std::atan2(-2.0 * f, c - a);
    return lower ? Amplitudes{std::cos(theta), std::sin(theta)} : Amplitudes{-std::sin(theta), std::cos(theta)};
}

// i hbar dc/dt = [[E0, F(t) d], [F(t) d, E1]] c from t0 to t1 (RK4, hbar 1),
// energies measured from their mean.
Amplitudes propagate(Amplitudes c, const LevelPair& pair, const std::function<double(double)>& bias, double t0,
                     double t1)
{
    const double half = 0.5 * (pair.upper - pair.lower);
    const auto rate = [&](double t, const Amplitudes& a) -> Amplitudes {
        const double coupling = bias(t) * pair.dipole;
        const std::complex<double> minusI(0.0, -1.0);
        return {minusI * (-half * a[0] + coupling * a[1]), minusI * (coupling * a[0] + half * a[1])};
    };
    const int steps = static_cast<int>(std::ceil((t1 - t0) / 0.002));
    const double h = (t1 - t0) / steps;
    for (int s = 0; s < steps; ++s) {
        const double t = t0 + s * h;
        const auto shifted = [&](const Amplitudes& k, double f) {
            return Amplitudes{c[0] + f * k[0], c[1] + f * k[1]};
        };
        const Amplitudes k1 = rate(t, c), k2 = rate(t + h / 2, shifted(k1, h / 2)),
                         k3 = rate(t + h / 2, shifted(k2, h / 2)), k4 = rate(t + h, shifted(k3, h));
        for (int i = 0; i < 2; ++i)
            c[i] += h / 6.0 * (k1[i] + 2.0 * k2[i] + 2.0 * k3[i] + k4[i]);
    }
    return c;
}

double overlap(const Amplitudes& a, const Amplitudes& b)
{
    return std::norm(std::conj(a[0]) * b[0] + std::conj(a[1]) * b[1]);
}

// A sweep preset whose populations are read once its potential stands still.
struct StillSweep {
    int preset;
    bool unequalCells;
    const char* summary;
    const char* live; // the words after which the live populations follow
    double end;       // of the sweep, return included
};

class PanelsTwoLevelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window_ = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window_.reset(); }

    MainWindow& window() { return *window_; }

    template <typename Widget>
    Widget& widget(const char* name)
    {
        auto* found = window_->findChild<Widget*>(QLatin1String(name));
        if (!found)
            throw std::runtime_error(std::string("form widget missing: ") + name);
        return *found;
    }
    QString label(const char* name) { return widget<QLabel>(name).text(); }
    // What a two-level plot's empty page says instead of its hint (empty: the hint).
    QString emptyReasonOf(const QString& plotName)
    {
        QWidget* plot = window_->findChild<QWidget*>(plotName);
        if (auto* lz = dynamic_cast<QuantumLandauZenerPlotWidget*>(plot))
            return lz->emptyReason();
        if (auto* stueckelberg = dynamic_cast<QuantumStueckelbergPlotWidget*>(plot))
            return stueckelberg->emptyReason();
        if (auto* ramsey = dynamic_cast<QuantumRamseyPlotWidget*>(plot))
            return ramsey->emptyReason();
        return {};
    }
    QString row(int index)
    {
        const QTableWidgetItem* item = widget<QTableWidget>("diagnosticsTable").item(index, 2);
        return item ? item->text() : QString();
    }
    double mass() { return widget<QDoubleSpinBox>("massSpinBox").value(); }
    double now() { return window_->schroedingerSolver().time(); }
    void stepUntil(double t)
    {
        while (now() < t - 1e-9)
            window_->stepOnce();
    }
    // Ticks of sixteen steps, each observed and refreshed once.
    void tickUntil(double t)
    {
        MainWindowProbe::setSpeedIndex(*window_, 6);
        while (now() < t - 1e-9) {
            MainWindowProbe::stepTick(*window_);
            MainWindowProbe::observeTick(*window_);
            MainWindowProbe::refreshTick(*window_);
        }
    }
    void expectPopulationsHoldStill(const StillSweep& sweep);
    // The loaded preset on the coarse grid of a domain less high than wide,
    // where the cells are wider than high.
    void useCellsWiderThanHigh()
    {
        MainWindow& w = window();
        ExperimentDocument document = w.captureExperimentDocument();
        document.controls[QStringLiteral("gridResolutionComboBox")] = 0;
        document.controls[QStringLiteral("universeHeightSpinBox")] = 11.2;
        // Walls 12 high: they span the domain's 11.2, not its width of 16,
        // so a reference drawn on square cells would find no pair.
        for (PotentialObject wall : document.potentialScene.objects())
            if (wall.kind == PotentialObjectKind::Rectangle) {
                wall.height = 12.0f;
                ASSERT_TRUE(document.potentialScene.update(wall.id, wall));
            }
        QString error;
        ASSERT_TRUE(w.applyExperimentDocument(document, error)) << error.toStdString();
        ASSERT_GT(w.waveField().dx(), 1.2f * w.waveField().dy());
    }
    // The fields of a summary in the given format; the test stops when the
    // summary has another shape.
    std::vector<double> numbers(const QString& text, const QString& format)
    {
        const auto fields = fieldsOf(text, format);
        EXPECT_TRUE(fields.has_value()) << "summary:\n  " << text.toStdString() << "\nformat:\n  "
                                        << format.toStdString();
        std::vector<double> values;
        if (fields)
            for (const QString& field : *fields)
                values.push_back(field.toDouble());
        return values;
    }

    static std::unique_ptr<MainWindow> window_;
};

std::unique_ptr<MainWindow> PanelsTwoLevelTest::window_;

TEST_F(PanelsTwoLevelTest, PagesWithoutTheirExperimentShowTheirHints)
{
    window().loadGuidedExperiment(0);
    struct Page {
        const char* label;
        int row;
        const char* hint;
    };
    const Page pages[] = {
        {"doubleWellSummaryLabel", 41,
         "Coherent double-well analysis is inactive. Load the guided double-well experiment or build three "
         "symmetric rectangular barriers."},
        {"quenchSummaryLabel", -1, "Quench inactive. Enable a valid Potential Scene target to make H time-dependent."},
        {"periodicDriveSummaryLabel", -1, "Periodic drive inactive. Enable a valid Potential Scene target."},
        {"rabiSummaryLabel", 43,
         "Rabi analysis inactive. Use a symmetric double well, compute its two lowest states, and drive a Linear "
         "slope X parameter."},
        {"landauZenerSummaryLabel", 44,
         "Landau-Zener analysis inactive. Use a double well with a Linear slope X sweep through zero bias."},
        {"stueckelbergSummaryLabel", 45,
         "Stueckelberg analysis inactive. Enable Return passage on a double-well Linear slope X sweep through zero "
         "bias."},
        {"ramseySummaryLabel", 46,
         "Ramsey analysis inactive. Use a double well with a two-pulse Linear slope X sequence."},
    };
    window().stepOnce();
    for (const Page& page : pages) {
        EXPECT_EQ(label(page.label).toStdString(), page.hint) << page.label;
        if (page.row >= 0) {
            EXPECT_EQ(row(page.row).toStdString(), "inactive") << "row " << page.row;
        }
    }
    EXPECT_EQ(row(42).toStdString(), "inactive") << "double-well populations";
}

// The lowest pair of the double well on cells of unequal sides (the walls
// span the whole height, so the levels are those of the middle row).
TEST_F(PanelsTwoLevelTest, DoubleWellPanelShowsTheSplittingAndTheWellPopulations)
{
    MainWindow& w = window();
    w.loadGuidedExperiment(12);
    widget<QDoubleSpinBox>("universeHeightSpinBox").setValue(12.0);
    widget<QAbstractButton>("boundComputeButton").click();
    ASSERT_NE(w.waveField().dx(), w.waveField().dy());
    for (int i = 0; i < 10; ++i)
        w.stepOnce();

    const LevelPair pair = unbiasedPair(w, mass());
    const QString first = QStringLiteral("E1={5}  E2={5}  DeltaE={5}  Vbar={3}  transfer~{3}  return~{3}  {w}");
    const QString second = QStringLiteral("P_left={4}   P_bar={4}   P_right={4}   outside={4}");
    // The states were computed for the new height, but the run still starts
    // from the packet that replaced the pair at the rebuild: the page says so.
    QString text = label("doubleWellSummaryLabel");
    ASSERT_TRUE(text.startsWith(QStringLiteral("START REPLACED:"))) << text.toStdString();
    text = text.mid(text.indexOf(QStringLiteral(" | ")) + 3);
    const auto fields = fieldsOf(text, first + QStringLiteral("   |   ") + second);
    ASSERT_TRUE(fields.has_value()) << text.toStdString();
    const double splitting = pair.upper - pair.lower;
    EXPECT_NEAR((*fields)[0].toDouble(), pair.lower, kLevelTolerance) << "E1";
    EXPECT_NEAR((*fields)[1].toDouble(), pair.upper, kLevelTolerance) << "E2";
    EXPECT_NEAR((*fields)[2].toDouble(), splitting, kRelativeTolerance * splitting) << "DeltaE";
    EXPECT_NEAR((*fields)[3].toDouble(), 0.8, 1e-9) << "Vbar is the central barrier";
    EXPECT_NEAR((*fields)[4].toDouble(), kPi / splitting, kRelativeTolerance * kPi / splitting) << "transfer";
    EXPECT_NEAR((*fields)[5].toDouble(), 2.0 * kPi / splitting, kRelativeTolerance * 2.0 * kPi / splitting) << "return";
    EXPECT_EQ((*fields)[6].toStdString(), pair.upper < 0.8 ? "BELOW BARRIER" : "pair reaches/ exceeds barrier");
    EXPECT_TRUE(row(41).startsWith(QStringLiteral("E1="))) << row(41).toStdString();

    // The wells from the scene's walls and barrier: [-2.5, -0.375), [-0.375, 0.375], (0.375, 2.5].
    const ComplexField2D& psi = w.waveField();
    std::array<double, 4> part{}; // left, barrier, right, outside
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = (static_cast<double>(i) - (psi.nx() - 1) / 2.0) * psi.dx();
            const int region = x >= -2.5 && x < -0.375 ? 0 : std::abs(x) <= 0.375 ? 1 : x > 0.375 && x <= 2.5 ? 2 : 3;
            part[region] += std::norm(psi.at(i, j));
        }
    const double total = part[0] + part[1] + part[2] + part[3];
    const std::vector<double> fractions = numbers(row(42), second);
    ASSERT_EQ(fractions.size(), 4u);
    for (int region = 0; region < 4; ++region)
        EXPECT_NEAR(fractions[region], part[region] / total, 1e-4) << "region " << region;
    EXPECT_GT(fractions[0], fractions[2]) << "the packet starts in the left well";

    // A spectrum of another mass is stale; the populations stay, and the page
    // still says what the run started from.
    widget<QDoubleSpinBox>("massSpinBox").setValue(1.3);
    EXPECT_TRUE(label("doubleWellSummaryLabel").startsWith(QStringLiteral("START REPLACED:")));
    EXPECT_TRUE(label("doubleWellSummaryLabel")
                    .contains(QStringLiteral(" | Compute the lowest bound states to obtain DeltaE and the tunnelling "
                                             "period.   |   P_left=")))
        << label("doubleWellSummaryLabel").toStdString();
    EXPECT_EQ(row(41).toStdString(), "spectrum not computed / stale");
    EXPECT_TRUE(fieldsOf(row(42), second).has_value()) << row(42).toStdString();

    widget<QCheckBox>("potentialSceneActiveCheckBox").setChecked(false);
    EXPECT_TRUE(
        label("doubleWellSummaryLabel").startsWith(QStringLiteral("Coherent double-well analysis is inactive.")));
    EXPECT_EQ(row(41).toStdString(), "inactive");
    EXPECT_EQ(row(42).toStdString(), "inactive");
}

// A grid change leaves the computed states stale, so the rebuild starts the
// run from the Gaussian packet instead of the bound state the preset
// prepared, on every preset that starts from one. Every page whose
// prediction assumes that state says so at once, before any Compute states
// and a step on, and the Rabi page blames the stale states, not the drive it
// kept; the Bound states page, where the start is chosen again, says it too.
TEST_F(PanelsTwoLevelTest, PredictionsForABoundStartSayWhenThePacketReplacedIt)
{
    const struct {
        int preset;
        const char* protocolPage; // the page of the preset's protocol, if any
    } presets[] = {
        {10, nullptr},
        {12, nullptr},
        {16, "rabiSummaryLabel"},
        {17, "rabiSummaryLabel"},
        {18, "landauZenerSummaryLabel"},
        {19, "landauZenerSummaryLabel"},
        {20, "stueckelbergSummaryLabel"},
        {21, "stueckelbergSummaryLabel"},
        {22, "ramseySummaryLabel"},
        {23, "ramseySummaryLabel"},
        {24, "ramseySummaryLabel"},
        {25, "ramseySummaryLabel"},
        {26, "ramseySummaryLabel"},
    };
    const QString replaced = QStringLiteral("START REPLACED:");
    // Another grid, or a universe wider than the one the walls were sized
    // for: either replaces the start, and a page whose protocol is loaded
    // never asks for it.
    const std::function<void()> changes[] = {
        [this] {
            auto& grid = widget<QComboBox>("gridResolutionComboBox");
            grid.setCurrentIndex(grid.currentIndex() == 1 ? 0 : 1);
        },
        [this] { widget<QDoubleSpinBox>("universeWidthSpinBox").setValue(20.48); },
    };
    for (const auto& change : changes)
        for (const auto& preset : presets) {
            SCOPED_TRACE("preset " + std::to_string(preset.preset));
            window().loadGuidedExperiment(preset.preset);
            std::vector<const char*> pages{"boundSummaryLabel"};
            if (preset.preset != 10)
                pages.push_back("doubleWellSummaryLabel");
            if (preset.protocolPage)
                pages.push_back(preset.protocolPage);
            for (const char* page : pages) {
                EXPECT_FALSE(label(page).contains(replaced)) << page << ": " << label(page).toStdString();
            }
            change();
            EXPECT_EQ(row(40).toStdString(), "Gaussian packet");
            for (int look = 0; look < 2; ++look) {
                for (const char* page : pages) {
                    EXPECT_TRUE(label(page).startsWith(replaced))
                        << page << (look ? " a step on: " : ": ") << label(page).toStdString();
                    EXPECT_FALSE(label(page).contains(QStringLiteral("inactive")))
                        << page << ": " << label(page).toStdString();
                }
                // A sweep or sequence plot with no pair says so rather than asking for its preset.
                if (preset.protocolPage && label(preset.protocolPage).contains(QStringLiteral("no pair of states"))) {
                    const QString plot = QString::fromLatin1(preset.protocolPage).replace("SummaryLabel", "PlotWidget");
                    EXPECT_FALSE(emptyReasonOf(plot).isEmpty()) << plot.toStdString();
                }
                if (preset.protocolPage && std::string(preset.protocolPage) == "rabiSummaryLabel") {
                    EXPECT_FALSE(label("rabiSummaryLabel").contains(QStringLiteral("not a valid")))
                        << label("rabiSummaryLabel").toStdString();
                    EXPECT_EQ(row(43).toStdString(), "states stale - recompute");
                }
                window().stepOnce();
            }
        }
    // The ground state computed and prepared again on the new grid, before a
    // pulse moves the well, is the start the prediction assumes.
    window().loadGuidedExperiment(22);
    widget<QComboBox>("gridResolutionComboBox").setCurrentIndex(1);
    widget<QAbstractButton>("boundComputeButton").click();
    EXPECT_TRUE(label("boundSummaryLabel").startsWith(replaced)) << "computed, not yet prepared";
    widget<QAbstractButton>("boundPrepareEigenButton").click();
    for (const char* page : {"ramseySummaryLabel", "doubleWellSummaryLabel", "boundSummaryLabel"}) {
        EXPECT_FALSE(label(page).contains(replaced)) << page << ": " << label(page).toStdString();
    }
    EXPECT_TRUE(row(40).startsWith(QStringLiteral("eigenstate"))) << row(40).toStdString();
}

// What a student reads on one screen: the preset's page and the whole
// Diagnostics table. A name (case and underscores aside, so P_left and Pleft
// are one) stands for one quantity: wherever it appears its figure is the
// same. The double barrier's plane wave at the mean energy and the packet's
// average, and the double well's wells and the pair's localised states, are
// told apart by their names; no percent sign is doubled.
TEST_F(PanelsTwoLevelTest, EachNameOnAScreenCarriesOneFigure)
{
    const struct {
        int preset;
        double time;
        const char* page;
        std::vector<const char*> apart; // names that must stand for different figures here
    } screens[] = {
        {7, 0.0, "resonanceSummaryLabel", {"double T=", "packet T="}},
        {18, 4.0, "landauZenerSummaryLabel", {"P_left=", "Pleft-state="}},
    };
    const char* const watched[] = {"T1D=",    "double T=", "packet T=", "theory T=",    "Pleft=",
                                   "P_left=", "Pright=",   "P_right=",  "Pleft-state=", "Pright-state="};
    for (const auto& screen : screens) {
        SCOPED_TRACE("preset " + std::to_string(screen.preset));
        window().loadGuidedExperiment(screen.preset);
        tickUntil(screen.time);
        QStringList texts{label(screen.page)};
        for (int r = 0; r < widget<QTableWidget>("diagnosticsTable").rowCount(); ++r)
            texts << row(r);
        // Every figure under each name, the name taken case and underscores aside.
        std::map<QString, std::vector<double>> figures;
        for (const char* name : watched) {
            const QRegularExpression pattern(QStringLiteral("(?<![A-Za-z_-])") +
                                             QRegularExpression::escape(QLatin1String(name)) +
                                             QStringLiteral("(-?\\d+\\.\\d+)"));
            for (const QString& text : texts) {
                for (auto match = pattern.globalMatch(text); match.hasNext();) {
                    figures[QString::fromLatin1(name).toLower().remove(QLatin1Char('_'))].push_back(
                        match.next().captured(1).toDouble());
                }
            }
        }
        for (const auto& [name, values] : figures) {
            const auto [low, high] = std::minmax_element(values.begin(), values.end());
            EXPECT_LT(*high - *low, 6e-4) << name.toStdString() << " reads " << *low << " and " << *high;
        }
        const QString first = QString::fromLatin1(screen.apart[0]).toLower().remove(QLatin1Char('_'));
        const QString second = QString::fromLatin1(screen.apart[1]).toLower().remove(QLatin1Char('_'));
        ASSERT_TRUE(figures.count(first) && figures.count(second)) << "both quantities are on the screen";
        EXPECT_GT(std::abs(figures[first].front() - figures[second].front()), 0.01) << "two quantities, two names";
        for (const QString& text : texts) {
            EXPECT_FALSE(text.contains(QStringLiteral("%%"))) << text.toStdString();
        }
    }
}

// A Gaussian of width 1 is the ground state of the trap k = 0.25 (omega
// 0.5): <H> = hbar omega. Tightening to k' leaves <T> = hbar omega / 2 and
// scales <V> = hbar omega / 2 by k' / k.
TEST_F(PanelsTwoLevelTest, QuenchPanelArmsThenRecordsTheEnergyJump)
{
    MainWindow& w = window();
    w.loadGuidedExperiment(13);
    EXPECT_EQ(label("quenchSummaryLabel").toStdString(),
              "ARMED | t_q=2.000 | harmonic kX+kY: 0.2500 -> 1.0000 | energy n/a");
    stepUntil(2.1);
    ASSERT_TRUE(w.quenchState().fired());
    const std::vector<double> energy =
        numbers(label("quenchSummaryLabel"),
                QStringLiteral("FIRED | t_q=2.000 | harmonic kX+kY: 0.2500 -> 1.0000 | energy {4} -> {4}  dE={4}"));
    ASSERT_EQ(energy.size(), 3u);
    const double omega = std::sqrt(0.25 / mass());
    EXPECT_NEAR(energy[0], omega, 5e-3) << "energy before";
    EXPECT_NEAR(energy[1], 0.5 * omega * (1.0 + 1.0 / 0.25), 5e-3) << "energy after";
    EXPECT_NEAR(energy[2], energy[1] - energy[0], 1.5e-4) << "dE";

    // The applier quenches nothing while the scene is off: no longer armed.
    QCheckBox& scene = widget<QCheckBox>("potentialSceneActiveCheckBox");
    scene.setChecked(false);
    w.stepOnce();
    EXPECT_FALSE(w.quenchState().active());
    EXPECT_EQ(label("quenchSummaryLabel").toStdString(),
              "Quench inactive. Enable a valid Potential Scene target to make H time-dependent.");
    scene.setChecked(true);
    EXPECT_TRUE(label("quenchSummaryLabel").startsWith(QStringLiteral("ARMED | "))) << "rebuilt to t = 0";
}

// A coherent state in a trap whose centre moves as A sin(omega t) keeps its
// shape; its centre follows x'' = -omega0^2 (x - A sin(omega t)) and its
// energy grows by the classical m v^2 / 2 + k (x - centre)^2 / 2.
TEST_F(PanelsTwoLevelTest, PeriodicDrivePanelFollowsTheClassicalMotionOfTheShakenTrap)
{
    struct Case {
        int preset;
        double omega;
    };
    for (const Case c : {Case{14, 0.8}, Case{15, 0.5}}) {
        MainWindow& w = window();
        w.loadGuidedExperiment(c.preset);
        tickUntil(3.0);
        const double t = now();
        const double k = 0.25, a = 0.7, m = mass(), omega0 = std::sqrt(k / m);

        double x = 0.0, v = 0.0, largest = 0.0, s = 0.0;
        const double h = 1e-4;
        const auto acceleration = [&](double at, double position) {
            return -k / m * (position - a * std::sin(c.omega * at));
        };
        for (const ObservableSample& sample : w.observableHistory().samples()) {
            for (; s < sample.time - 1e-12; s += h) { // velocity Verlet
                v += 0.5 * h * acceleration(s, x);
                x += h * v;
                v += 0.5 * h * acceleration(s + h, x);
            }
            largest = std::max(largest, std::abs(x));
        }
        const double gained = 0.5 * m * v * v + 0.5 * k * std::pow(x - a * std::sin(c.omega * t), 2);

        const std::vector<double> values =
            numbers(label("periodicDriveSummaryLabel"),
                    QStringLiteral("DRIVING | omega={4}  A={3}  current={3} | omega0={4}  omega/omega0={3} | "
                                   "max|<x>|={3}  dE={4}"));
        ASSERT_EQ(values.size(), 7u) << "preset " << c.preset;
        EXPECT_NEAR(values[0], c.omega, 1e-9);
        EXPECT_NEAR(values[1], a, 1e-9);
        EXPECT_NEAR(values[2], a * std::sin(c.omega * t), 6e-4) << "trap centre now";
        EXPECT_NEAR(values[3], omega0, 6e-5);
        EXPECT_NEAR(values[4], c.omega / omega0, 6e-4);
        EXPECT_NEAR(values[5], largest, 3e-3) << "preset " << c.preset;
        EXPECT_NEAR(values[6], gained, 3e-3) << "preset " << c.preset;
    }

    // A trap stiffer across the shaking than along it, and a heavier
    // particle: the resonance comes from the curvature along the driven axis
    // alone, and omega0 = sqrt(k / m), shaken along x or along y.
    for (const std::int32_t axis : {SceneParameterCenterX, SceneParameterCenterY}) {
        MainWindow& w = window();
        w.loadGuidedExperiment(14);
        ExperimentDocument document = w.captureExperimentDocument();
        document.controls[QStringLiteral("massSpinBox")] = 2.5;
        document.periodicDrive.parameter = axis;
        const bool alongX = axis == SceneParameterCenterX;
        double along = 0.0;
        for (const PotentialObject& object : document.potentialScene.objects()) {
            if (object.kind != PotentialObjectKind::Harmonic)
                continue;
            PotentialObject stiffer = object;
            along = alongX ? object.curvatureX : object.curvatureY;
            (alongX ? stiffer.curvatureY : stiffer.curvatureX) = 2.5f * static_cast<float>(along);
            ASSERT_TRUE(document.potentialScene.update(object.id, stiffer));
        }
        ASSERT_GT(along, 0.0) << "the preset has no harmonic trap";
        QString error;
        ASSERT_TRUE(w.applyExperimentDocument(document, error)) << error.toStdString();
        tickUntil(0.5);
        const std::vector<double> values =
            numbers(label("periodicDriveSummaryLabel"),
                    QStringLiteral("DRIVING | omega={4}  A={3}  current={3} | omega0={4}  omega/omega0={3} | "
                                   "max|<x>|={3}  dE={4}"));
        ASSERT_EQ(values.size(), 7u) << label("periodicDriveSummaryLabel").toStdString();
        ASSERT_DOUBLE_EQ(mass(), 2.5);
        EXPECT_NEAR(values[3], std::sqrt(along / 2.5), 6e-5) << "axis " << axis << " k " << along;
    }

    // Nothing drives the trap while the scene is off, nor when the drive
    // moves a parameter a harmonic trap does not have, which switches it off.
    const std::pair<std::function<void()>, const char*> breakings[] = {
        {[&] { widget<QCheckBox>("potentialSceneActiveCheckBox").setChecked(false); }, ""},
        {[&] { widget<QComboBox>("periodicDriveParameterComboBox").setCurrentIndex(SceneParameterSlopeX); },
         "Periodic drive is off: its target, object #1, has no \"Linear slope X\"\n"},
    };
    for (const auto& [breakDrive, why] : breakings) {
        window().loadGuidedExperiment(14);
        breakDrive();
        window().stepOnce();
        EXPECT_EQ(label("periodicDriveSummaryLabel").toStdString(),
                  std::string(why) + "Periodic drive inactive. Enable a valid Potential Scene target.");
    }
}

// The central barrier raised from 0.8 to 1.0 in the scene editor: the states
// computed for the old well are stale, and the Rabi page predicts nothing
// from them; computed again, its splitting is that of the new well, worked
// out here on a fine row.
TEST_F(PanelsTwoLevelTest, RabiPredictsNothingFromTheStatesOfAnEditedWell)
{
    MainWindow& w = window();
    w.loadGuidedExperiment(17);
    const double before = unbiasedPair(w, mass()).upper - unbiasedPair(w, mass()).lower;
    auto& list = widget<QListWidget>("potentialSceneListWidget");
    int central = -1;
    for (int item = 0; item < list.count(); ++item) {
        list.setCurrentRow(item);
        if (std::abs(widget<QDoubleSpinBox>("rectangleCenterXSpinBox").value()) < 1e-9 &&
            widget<QComboBox>("geometryComboBox").currentIndex() == static_cast<int>(PotentialObjectKind::Rectangle))
            central = item;
    }
    ASSERT_GE(central, 0) << "no wall at x = 0";
    list.setCurrentRow(central);
    ASSERT_NEAR(widget<QDoubleSpinBox>("rectangleV0SpinBox").value(), 0.8, 1e-9);
    widget<QDoubleSpinBox>("rectangleV0SpinBox").setValue(1.0);
    widget<QAbstractButton>("updatePotentialObjectButton").click();
    w.stepOnce();
    EXPECT_FALSE(label("rabiSummaryLabel").contains(QStringLiteral("omega12=")))
        << label("rabiSummaryLabel").toStdString();
    EXPECT_TRUE(label("rabiSummaryLabel").contains(QStringLiteral("another grid, mass or potential")));
    EXPECT_EQ(row(43).toStdString(), "states stale - recompute");

    w.loadGuidedExperiment(17);
    list.setCurrentRow(central);
    widget<QDoubleSpinBox>("rectangleV0SpinBox").setValue(1.0);
    widget<QAbstractButton>("updatePotentialObjectButton").click();
    widget<QAbstractButton>("boundComputeButton").click();
    const LevelPair pair = unbiasedPair(w, mass());
    const double splitting = pair.upper - pair.lower;
    ASSERT_LT(splitting, 0.95 * before) << "a higher central barrier splits the pair less";
    EXPECT_NEAR(test::figureAfter(label("rabiSummaryLabel"), "omega12="), splitting, kRelativeTolerance * splitting)
        << label("rabiSummaryLabel").toStdString();
}

// The drive A sin(omega t) of the bias slope couples the pair through A d:
// Omega_R = A |d|, detuning omega - omega12, W = sqrt(detuning^2 + Omega_R^2),
// at most (Omega_R / W)^2 transferred, first after pi / W (hbar 1).
TEST_F(PanelsTwoLevelTest, RabiPanelPredictsTheDrivenPairFromItsSplittingAndDipole)
{
    // The second preset is searched again for the driven pair alone: two states are enough.
    for (const auto& [preset, lowStates] : {std::pair{16, 0}, std::pair{17, 2}}) {
        MainWindow& w = window();
        w.loadGuidedExperiment(preset);
        if (lowStates > 0) {
            widget<QSpinBox>("boundMaxStatesSpinBox").setValue(lowStates);
            widget<QAbstractButton>("boundComputeButton").click();
            ASSERT_EQ(widget<QComboBox>("boundStateComboBox").count(), lowStates);
        }
        const LevelPair pair = unbiasedPair(w, mass());
        const double omega = widget<QDoubleSpinBox>("periodicDriveOmegaSpinBox").value();
        tickUntil(10.0);

        const QString text = label("rabiSummaryLabel");
        const std::vector<double> values =
            numbers(text, QStringLiteral("omega12={5}  omega={5}  detuning={5}  |x12|={4}  OmegaR={5}  two-level "
                                         "model RWA max P2={3}  first max~{2}  (live outside pair={3}) | P1={3} "
                                         "P2={3} captured={3} | max P2={3}  min captured={3}"));
        ASSERT_EQ(values.size(), 13u) << "preset " << preset;
        const double splitting = pair.upper - pair.lower, rabi = 0.1 * std::abs(pair.dipole);
        const double detuning = omega - splitting, generalized = std::hypot(detuning, rabi);
        EXPECT_NEAR(values[0], splitting, kRelativeTolerance * splitting) << "omega12";
        EXPECT_NEAR(values[1], omega, 6e-6) << "omega";
        EXPECT_NEAR(values[2], detuning, kRelativeTolerance * splitting) << "detuning";
        EXPECT_NEAR(values[3], std::abs(pair.dipole), kRelativeTolerance * std::abs(pair.dipole)) << "|x12|";
        EXPECT_NEAR(values[4], rabi, kRelativeTolerance * rabi) << "Omega_R";
        EXPECT_NEAR(values[5], std::pow(rabi / generalized, 2), 5e-3) << "RWA maximum";
        EXPECT_NEAR(values[6], kPi / generalized, 0.01 * kPi / generalized) << "first maximum";

        const Amplitudes driven = propagate(
            {1.0, 0.0}, pair, [&](double t) { return 0.1 * std::sin(omega * t); }, 0.0, now());
        EXPECT_NEAR(values[8], std::norm(driven[0]), 0.02) << "live P1, preset " << preset;
        EXPECT_NEAR(values[9], std::norm(driven[1]), 0.02) << "live P2, preset " << preset;
        EXPECT_GT(values[10], 0.98) << "captured";
        EXPECT_NEAR(values[7], 1.0 - values[10], 1e-3) << "outside the pair";
        EXPECT_NEAR(values[11], values[9], 2e-3) << "P2 still rises before the first maximum";
        EXPECT_LE(values[12], values[10]) << "min captured";
        EXPECT_EQ(row(43), text);
        // The drive has moved the bias since the states were computed.
        EXPECT_EQ(row(41).toStdString(), "spectrum not computed / stale");
    }

    // A disc makes the potential vary along y: the states are still
    // computed and the drive on, but there is no double well to analyse.
    widget<QComboBox>("geometryComboBox").setCurrentIndex(2);
    widget<QAbstractButton>("addPotentialObjectButton").click();
    EXPECT_TRUE(label("rabiSummaryLabel").contains(QStringLiteral(" | Rabi analysis inactive.")))
        << label("rabiSummaryLabel").toStdString();
    EXPECT_EQ(row(43).toStdString(), "inactive");
}

// A sweep of the bias F from 0.35 to -0.35 over D crosses zero at D / 2; the
// diabatic energies part at alpha = 2 |dF/dt d| and a passage stays
// diabatic with exp(-pi Delta^2 / (2 hbar alpha)).
TEST_F(PanelsTwoLevelTest, LandauZenerPanelPredictsThePassageAndProjectsTheLiveField)
{
    // The fast sweep also on the coarse grid of a domain less high than wide,
    // where the cells are wider than high.
    struct Case {
        double duration;
        bool unequalCells;
    };
    for (const Case c : {Case{4.0, false}, Case{40.0, false}, Case{4.0, true}}) {
        const double duration = c.duration;
        SCOPED_TRACE(c.unequalCells ? "cells wider than high" : "the preset's grid");
        MainWindow& w = window();
        w.loadGuidedExperiment(duration < 10.0 ? 18 : 19);
        if (c.unequalCells) {
            ASSERT_NO_FATAL_FAILURE(useCellsWiderThanHigh());
        }
        const LevelPair pair = unbiasedPair(w, mass());
        tickUntil(1.5);
        const double t = now();

        const QString format = QStringLiteral(
            "gap={5}  |x12|={4}  d(epsilon)/dt={5}  crossing={2}  asymptotic LZ Pdiab={3}  Pad={3}  "
            "(live outside pair={3}) | bias={3} progress={1}% | Pleft-state={3} Pright-state={3}  Plower={3} "
            "Pupper={3} captured={3} | history lower={3} right={3} min captured={3}");
        const std::vector<double> values = numbers(label("landauZenerSummaryLabel"), format);
        ASSERT_EQ(values.size(), 17u) << "duration " << duration;
        const double gap = pair.upper - pair.lower, alpha = 2.0 * 0.7 / duration * std::abs(pair.dipole);
        const double diabatic = std::exp(-kPi * gap * gap / (2.0 * alpha));
        EXPECT_NEAR(values[0], gap, kRelativeTolerance * gap) << "gap";
        EXPECT_NEAR(values[1], std::abs(pair.dipole), kRelativeTolerance * std::abs(pair.dipole)) << "|x12|";
        EXPECT_NEAR(values[2], alpha, kRelativeTolerance * alpha) << "diabatic rate";
        EXPECT_NEAR(values[3], duration / 2.0, 6e-3) << "crossing";
        EXPECT_NEAR(values[4], diabatic, 0.01) << "P_diabatic, duration " << duration;
        EXPECT_NEAR(values[5], 1.0 - values[4], 1.5e-3) << "P_adiabatic";
        const auto bias = [&](double s) { return 0.35 - 0.7 * s / duration; };
        EXPECT_NEAR(values[7], bias(t), 6e-4) << "bias";
        EXPECT_NEAR(values[8], 100.0 * t / duration, 0.06) << "progress";

        // The live field on the instantaneous levels: the pair of the
        // potential the window is stepping, at the bias now.
        const Amplitudes live = projection(w.waveField(), finePair(w.potentialField(), mass()));
        EXPECT_NEAR(values[11], std::norm(live[0]), 0.01) << "P_lower";
        EXPECT_NEAR(values[12], std::norm(live[1]), 0.01) << "P_upper";
        EXPECT_NEAR(values[13], std::norm(live[0]) + std::norm(live[1]), 0.01) << "captured";
        EXPECT_NEAR(values[6], 1.0 - values[13], 1e-3) << "outside the pair";
        EXPECT_NEAR(values[9] + values[10], values[13], 2e-3) << "left and right share the captured weight";
        EXPECT_EQ(label("landauZenerSummaryLabel"), row(44));
        EXPECT_TRUE(label("stueckelbergSummaryLabel").startsWith(QStringLiteral("Stueckelberg analysis inactive.")))
            << "a sweep without return passage";

        // Without a history the history columns repeat the live values.
        widget<QAbstractButton>("clearTimeSeriesButton").click();
        MainWindowProbe::refreshTick(w);
        const auto fields = fieldsOf(label("landauZenerSummaryLabel"), format);
        ASSERT_TRUE(fields.has_value());
        EXPECT_EQ((*fields)[14], (*fields)[11]) << "history lower";
        EXPECT_EQ((*fields)[15], (*fields)[10]) << "history right";
        EXPECT_EQ((*fields)[16], (*fields)[13]) << "history min captured";
    }

    // The same sweep on the slope along y tilts the wells' floor, not their
    // bias: no passage through the crossing, no analysis.
    MainWindow& w = window();
    w.loadGuidedExperiment(18);
    ExperimentDocument document = w.captureExperimentDocument();
    ASSERT_TRUE(document.linearSweep.enabled && !document.linearSweep.returnEnabled);
    document.linearSweep.parameter = SceneParameterSlopeY;
    document.initialPreparation.type = InitialPreparationType::Gaussian; // the tilted wells keep no saved pair
    QString error;
    ASSERT_TRUE(w.applyExperimentDocument(document, error)) << error.toStdString();
    w.stepOnce();
    EXPECT_TRUE(label("landauZenerSummaryLabel").startsWith(QStringLiteral("Landau-Zener analysis inactive.")))
        << label("landauZenerSummaryLabel").toStdString();
    EXPECT_EQ(row(44).toStdString(), "inactive");
}

// Once a sweep has ended the potential stands still, and the weight of the
// state on any of its eigenstates is a constant of the motion: captured and
// the lower and upper populations must hold still (to the printed digits)
// and equal the state's projection on the lowest pair of the potential as the
// window steps it, relaxed here independently on a finer imaginary-time step.
void PanelsTwoLevelTest::expectPopulationsHoldStill(const StillSweep& c)
{
    SCOPED_TRACE(testing::Message() << "preset " << c.preset << (c.unequalCells ? ", cells wider than high" : ""));
    MainWindow& w = window();
    w.loadGuidedExperiment(c.preset);
    if (c.unequalCells) {
        ASSERT_NO_FATAL_FAILURE(useCellsWiderThanHigh());
    }
    const auto figure = [&](const char* key) {
        const QString text = label(c.summary);
        const int live = text.indexOf(QLatin1String(c.live));
        const int at = text.indexOf(QLatin1String(key), live);
        EXPECT_TRUE(live >= 0 && at >= 0) << key << " in " << text.toStdString();
        return text.mid(at + static_cast<int>(std::strlen(key))).section(QLatin1Char(' '), 0, 0).toDouble();
    };
    tickUntil(c.end + 0.1);
    const double captured = figure("captured="), lower = figure("Plower="), upper = figure("Pupper=");
    const Amplitudes live = projection(w.waveField(), finePair(w.potentialField(), mass()));
    EXPECT_NEAR(lower, std::norm(live[0]), 2e-3) << "lower at " << now();
    EXPECT_NEAR(upper, std::norm(live[1]), 2e-3) << "upper at " << now();
    EXPECT_NEAR(captured, std::norm(live[0]) + std::norm(live[1]), 2e-3) << "captured at " << now();
    // Half the beat of the pair with the next level, which swung the weight
    // on the unbiased pair by a quarter.
    for (int k = 1; k <= 4; ++k) {
        tickUntil(c.end + 0.1 + 1.2 * k);
        EXPECT_NEAR(figure("captured="), captured, 1.5e-3) << "at " << now();
        EXPECT_NEAR(figure("Plower="), lower, 1.5e-3) << "at " << now();
        EXPECT_NEAR(figure("Pupper="), upper, 1.5e-3) << "at " << now();
    }
}

// The fast sweep, on the preset's grid and on cells wider than high.
TEST_F(PanelsTwoLevelTest, LandauZenerPopulationsHoldStillOnceThePotentialDoes)
{
    for (const bool unequalCells : {false, true})
        expectPopulationsHoldStill({18, unequalCells, "landauZenerSummaryLabel", "progress=", 4.0});
}

// The double passage after its return.
TEST_F(PanelsTwoLevelTest, StueckelbergPopulationsHoldStillOnceThePotentialDoes)
{
    expectPopulationsHoldStill({21, false, "stueckelbergSummaryLabel", "live bias=", 15.0});
}

// The observation and the pages of a tick read psi's projection on a pair
// from one pass over psi, and the sweep's pair of the stepped potential is
// relaxed only in the ticks whose painting moved the row it is computed from
// (the ramps out and back), never in the hold or once the sweep is over,
// however often the appliers paint the same potential again. A preset
// without a two-level page makes no such pass.
TEST_F(PanelsTwoLevelTest, ATickProjectsOnceAndRelaxesTheSweepPairAtMostWhenItsRowMoves)
{
    MainWindow& w = window();
    struct Case {
        int preset;
        std::uint64_t passesPerTick;
        double until; // the sweep's end (return included) and some
    };
    // The default experiment, the Rabi drive, the sweep with return and the
    // Ramsey sequence.
    for (const Case c : {Case{0, 0, 1.0}, Case{17, 1, 1.0}, Case{20, 1, 14.5}, Case{22, 1, 1.0}}) {
        w.loadGuidedExperiment(c.preset);
        MainWindowProbe::setSpeedIndex(w, 4);
        const TwoLevelState& state = MainWindowProbe::twoLevelState(w);
        const auto middleRow = [&w] {
            const PotentialField2D& v = w.potentialField();
            std::vector<float> row(v.nx());
            for (std::uint64_t i = 0; i < v.nx(); ++i)
                row[i] = v.valueAt(i, v.ny() / 2);
            return row;
        };
        int movedTicks = 0, stillTicks = 0;
        while (now() < c.until) {
            const std::vector<float> rowBefore = middleRow();
            const std::uint64_t passes = MainWindowProbe::columnPasses(w);
            const std::uint64_t relaxations = state.steppedPairRelaxations;
            MainWindowProbe::stepTick(w);
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
            const std::string at = "preset " + std::to_string(c.preset) + " at t = " + std::to_string(now());
            EXPECT_EQ(MainWindowProbe::columnPasses(w) - passes, c.passesPerTick) << at;
            if (c.preset != 20)
                continue;
            const bool moved = middleRow() != rowBefore;
            ++(moved ? movedTicks : stillTicks);
            EXPECT_LE(state.steppedPairRelaxations - relaxations, moved ? 1u : 0u) << at;
        }
        if (c.preset == 20) {
            EXPECT_GT(movedTicks, 0) << "the ramps";
            EXPECT_GT(stillTicks, 0) << "the hold and the end";
        }
    }
}

// A sweep a hundred times slower than the guided one moves the row at every
// tick by far less than the populations' three decimals see: its pair is
// relaxed on a few ticks only, and the readings stay within half a unit of
// the last decimal of those on the converged pair of each tick's row.
TEST_F(PanelsTwoLevelTest, ASlowSweepRelaxesItsPairOnlyWhenThePopulationsCouldShowIt)
{
    MainWindow& w = window();
    for (const int preset : {18, 20}) {
        w.loadGuidedExperiment(preset);
        widget<QDoubleSpinBox>("linearSweepDurationSpinBox").setValue(400.0);
        MainWindowProbe::setSpeedIndex(w, 2);
        const TwoLevelState& state = MainWindowProbe::twoLevelState(w);
        const LandauZenerReference& reference =
            preset == 18 ? state.landauZenerReference : state.stueckelbergReference.landauZener;
        ASSERT_TRUE(reference.valid) << preset;
        BoundStateSettings converged;
        converged.maxStates = 2;
        converged.maxIterations = 2800;
        const std::uint64_t relaxationsBefore = state.steppedPairRelaxations;
        const int ticks = 60;
        for (int tick = 0; tick < ticks; ++tick) {
            MainWindowProbe::stepTick(w);
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
            if (tick % 6 != 5)
                continue;
            const PotentialField2D& v = w.potentialField();
            const BoundStateResult pair = BoundStates1D::compute(v.row(v.ny() / 2), converged);
            ASSERT_TRUE(pair.ok);
            const SweepPopulations exact = QuantumLandauZener2D::steppedPopulations(w.waveField(), pair, reference);
            const ObservableSample& read = w.observableHistory().newest();
            const std::string at = "preset " + std::to_string(preset) + " tick " + std::to_string(tick);
            const bool back = preset == 20;
            EXPECT_NEAR(back ? read.stueckelbergLower : read.landauZenerLower, exact.lowerPopulation, 5e-4) << at;
            EXPECT_NEAR(back ? read.stueckelbergUpper : read.landauZenerUpper, exact.upperPopulation, 5e-4) << at;
            EXPECT_NEAR(back ? read.stueckelbergLeft : read.landauZenerLeft, exact.leftPopulation, 5e-4) << at;
            EXPECT_NEAR(back ? read.stueckelbergRight : read.landauZenerRight, exact.rightPopulation, 5e-4) << at;
            EXPECT_NEAR(back ? read.stueckelbergCaptured : read.landauZenerCaptured, exact.captured, 5e-4) << at;
        }
        EXPECT_LE(state.steppedPairRelaxations - relaxationsBefore, static_cast<std::uint64_t>(ticks / 3)) << preset;
    }
}

// The sweep out (0.35 to -0.35 over 4), a hold and the sweep back pass the
// crossing at 2 and at 6 + hold; between them the paths gather
// phi = int sqrt(Delta^2 + (2 d F)^2) dt, and the hold decides the final
// populations.
TEST_F(PanelsTwoLevelTest, StueckelbergPanelPredictsBothPassagesAndTheirInterference)
{
    for (const double hold : {4.0, 7.0}) {
        MainWindow& w = window();
        w.loadGuidedExperiment(hold < 5.0 ? 20 : 21);
        const LevelPair pair = unbiasedPair(w, mass());
        tickUntil(1.0);
        const double t = now(), total = 8.0 + hold;

        const std::vector<double> values =
            numbers(label("stueckelbergSummaryLabel"),
                    QStringLiteral(
                        "cross1={2} cross2={2} | hold={2} phase={3} rad ({3} cycles) | single-pass "
                        "Pdiab={3} | two-level model final Plower={3} Pupper={3} (live outside pair={3}) | live "
                        "bias={3} progress={1}% Plower={3} Pupper={3} Pleft-state={3} Pright-state={3} captured={3} | "
                        "history lower={3} upper={3} min captured={3}"));
        ASSERT_EQ(values.size(), 19u) << "hold " << hold;
        const auto bias = [&](double s) {
            return s < 4.0          ? 0.35 - 0.175 * s
                   : s < 4.0 + hold ? -0.35
                   : s < total      ? -0.35 + 0.175 * (s - 4.0 - hold)
                                    : 0.35;
        };
        const double gap = pair.upper - pair.lower, second = 6.0 + hold;
        double phase = 0.0;
        for (int i = 0; i < 20000; ++i) {
            const double s = 2.0 + (i + 0.5) * (second - 2.0) / 20000;
            phase += std::hypot(gap, 2.0 * pair.dipole * bias(s)) * (second - 2.0) / 20000;
        }
        EXPECT_NEAR(values[0], 2.0, 6e-3) << "first crossing";
        EXPECT_NEAR(values[1], second, 6e-3) << "second crossing";
        EXPECT_NEAR(values[2], hold, 1e-9);
        EXPECT_NEAR(values[3], phase, kRelativeTolerance * phase) << "Stueckelberg phase, hold " << hold;
        EXPECT_NEAR(values[4], values[3] / (2.0 * kPi), 1e-3) << "cycles";
        const double alpha = 2.0 * 0.175 * std::abs(pair.dipole);
        EXPECT_NEAR(values[5], std::exp(-kPi * gap * gap / (2.0 * alpha)), 0.01) << "single passage";
        const Amplitudes end =
            propagate(adiabaticState(pair.lower, pair.upper, 0.35 * pair.dipole, true), pair, bias, 0.0, total);
        EXPECT_NEAR(values[6], overlap(adiabaticState(pair.lower, pair.upper, 0.35 * pair.dipole, true), end), 0.03)
            << "final P_lower, hold " << hold;
        EXPECT_NEAR(values[7], overlap(adiabaticState(pair.lower, pair.upper, 0.35 * pair.dipole, false), end), 0.03)
            << "final P_upper, hold " << hold;
        EXPECT_NEAR(values[8], 1.0 - values[15], 1e-3) << "outside the pair";
        EXPECT_NEAR(values[9], bias(t), 6e-4) << "bias";
        EXPECT_NEAR(values[10], 100.0 * t / total, 0.06) << "progress";
        EXPECT_EQ(label("stueckelbergSummaryLabel"), row(45));
        EXPECT_TRUE(label("landauZenerSummaryLabel").startsWith(QStringLiteral("Landau-Zener analysis inactive.")))
            << "a sweep with return passage";
    }
}

// Pulses A sin(omega t') of the bias slope around a free time F (split by a
// pi pulse for the echo) turn the precession omega12 F into populations.
TEST_F(PanelsTwoLevelTest, RamseyPanelPredictsTheSequenceAndItsEnsemble)
{
    struct Case {
        int preset;
        double free;
        double echo; // duration of the echo pulse, 0 without
        bool ensemble;
        const char* echoText;
    };
    const Case cases[] = {
        {22, 5.5, 0.0, false, "Ramsey / echo OFF"},
        {23, 15.75, 0.0, false, "Ramsey / echo OFF"},
        {24, 5.5, 25.75, false, "Hahn echo ON (pi=25.75, phase=90.0 deg)"},
        {25, 15.75, 0.0, true, "Ramsey / echo OFF"},
        {26, 15.75, 25.75, true, "Hahn echo ON (pi=25.75, phase=90.0 deg)"},
    };
    const QString format =
        QStringLiteral("{w} | {w} | omega12={6} omega={6} | |x12|={4} OmegaR={5} | pi/2 ideal={2} actual={2} | "
                       "free={2} phase={3} rad ({3} cycles) | two-level model final P1={3} P2={3} (live outside "
                       "pair={3}) | live P1={3} P2={3} captured={3} | history P1={3} P2={3} min captured={3}");
    const QString ensembleTail =
        QStringLiteral(" | ensemble(static) sigma={4} N={0} mean P1={3} P2={3} fringe contrast={3} [analysis only]");
    for (const Case& c : cases) {
        MainWindow& w = window();
        w.loadGuidedExperiment(c.preset);
        const LevelPair pair = unbiasedPair(w, mass());
        tickUntil(1.0);

        const QString text = label("ramseySummaryLabel");
        const auto fields = fieldsOf(text, c.ensemble ? format + ensembleTail : format);
        ASSERT_TRUE(fields.has_value()) << text.toStdString();
        std::vector<double> values;
        for (const QString& field : *fields)
            values.push_back(field.toDouble());
        const double splitting = pair.upper - pair.lower, rabi = 0.1 * std::abs(pair.dipole);
        EXPECT_EQ((*fields)[0].toStdString(), "pulse 1") << "preset " << c.preset;
        EXPECT_EQ((*fields)[1].toStdString(), c.echoText);
        EXPECT_NEAR(values[2], splitting, kRelativeTolerance * splitting) << "omega12";
        EXPECT_NEAR(values[3], 0.305536, 1e-9) << "omega";
        EXPECT_NEAR(values[4], std::abs(pair.dipole), kRelativeTolerance * std::abs(pair.dipole)) << "|x12|";
        EXPECT_NEAR(values[5], rabi, kRelativeTolerance * rabi) << "Omega_R";
        EXPECT_NEAR(values[6], kPi / (2.0 * rabi), kRelativeTolerance * kPi / (2.0 * rabi)) << "ideal pi/2 pulse";
        EXPECT_NEAR(values[7], 14.35, 1e-9);
        EXPECT_NEAR(values[8], c.free, 1e-9);
        EXPECT_NEAR(values[9], splitting * c.free, kRelativeTolerance * splitting * c.free) << "free precession";
        EXPECT_NEAR(values[10], values[9] / (2.0 * kPi), 1e-3) << "cycles";

        const double pulse = 14.35, omega = 0.305536;
        const double echoStart = pulse + 0.5 * c.free, secondStart = pulse + c.free + c.echo;
        const auto bias = [&](double s) {
            if (s < pulse)
                return 0.1 * std::sin(omega * s);
            if (c.echo > 0.0 && s >= echoStart && s < echoStart + c.echo)
                return 0.1 * std::sin(omega * (s - echoStart) + kPi / 2.0);
            return s >= secondStart ? 0.1 * std::sin(omega * (s - secondStart)) : 0.0;
        };
        const Amplitudes end = propagate({1.0, 0.0}, pair, bias, 0.0, secondStart + pulse);
        EXPECT_NEAR(values[11], std::norm(end[0]), 0.03) << "final P1, preset " << c.preset;
        EXPECT_NEAR(values[12], std::norm(end[1]), 0.03) << "final P2, preset " << c.preset;
        EXPECT_NEAR(values[13], 1.0 - values[16], 1e-3) << "outside the pair";
        if (c.ensemble) {
            EXPECT_NEAR(values[20], 0.06, 1e-9) << "sigma";
            EXPECT_EQ((*fields)[21].toStdString(), "41") << "members";
            EXPECT_NEAR(values[22] + values[23], 1.0, 2e-3) << "mean populations";
            EXPECT_GE(values[24], 0.0);
            EXPECT_LE(values[24], 1.0);
        }
        EXPECT_EQ(text, row(46));
    }

    // A changed ensemble is drawn at once, not at the next step.
    widget<QSpinBox>("ramseyEnsembleMembersSpinBox").setValue(21);
    EXPECT_TRUE(label("ramseySummaryLabel").contains(QStringLiteral(" N=21 ")))
        << label("ramseySummaryLabel").toStdString();
    widget<QDoubleSpinBox>("ramseyStartTimeSpinBox").setValue(5.0);
    EXPECT_TRUE(label("ramseySummaryLabel").startsWith(QStringLiteral("before | Hahn echo ON")))
        << label("ramseySummaryLabel").toStdString();

    // A disc in the scene makes the potential vary along y: the sequence is
    // still valid, but there is no two-level basis to analyse it in, and the
    // page says so instead of asking for the sequence it has.
    widget<QComboBox>("geometryComboBox").setCurrentIndex(2);
    widget<QAbstractButton>("addPotentialObjectButton").click();
    EXPECT_TRUE(label("ramseySummaryLabel")
                    .endsWith(QStringLiteral("Ramsey reference unavailable: the unbiased double well has no pair of "
                                             "states on this grid and universe with this potential and mass. Compute "
                                             "states to see what it holds.")))
        << label("ramseySummaryLabel").toStdString();
    EXPECT_EQ(row(46).toStdString(), "no pair of states");
}

// Each two-level reference names the idealisation it is (the two-level
// model, under the rotating-wave approximation for the drive; the asymptotic
// Landau-Zener formula) and shows beside it the weight the live field holds
// outside the lowest pair: 1 - P_lower - P_upper as the row reads them, and
// as the field projected here on the pair reads (the pair relaxed from the
// potential now for the sweeps, from the unbiased well for the drive and
// the pulses), at the end of each sweep and sequence.
TEST_F(PanelsTwoLevelTest, TwoLevelReferencesSayWhatTheyIdealiseAndWhatLeavesThePair)
{
    const struct {
        int preset;
        const char* summary;
        int row;
        double time;
        std::vector<const char*> names; // the first one shares its group with the outside weight
        const char* live;               // the words the pair's live populations follow
        const char* lower;
        const char* upper;
        bool instantaneousPair;
    } cases[] = {
        {16, "rabiSummaryLabel", 43, 10.0, {"two-level model RWA max P2="}, "| P1=", "P1=", "P2=", false},
        {18,
         "landauZenerSummaryLabel",
         44,
         4.1,
         {"asymptotic LZ Pdiab="},
         "| Pleft-state=",
         "Plower=",
         "Pupper=",
         true},
        {21,
         "stueckelbergSummaryLabel",
         45,
         15.1,
         {"two-level model final Plower=", "single-pass Pdiab="},
         "| live bias=",
         "Plower=",
         "Pupper=",
         true},
        {22, "ramseySummaryLabel", 46, 34.3, {"two-level model final P1="}, "| live P1=", "P1=", "P2=", false},
    };
    const QString outsideKey = QStringLiteral("(live outside pair=");
    for (const auto& c : cases) {
        SCOPED_TRACE("preset " + std::to_string(c.preset));
        MainWindow& w = window();
        w.loadGuidedExperiment(c.preset);
        const LevelPair unbiased = unbiasedPair(w, mass());
        tickUntil(c.time);
        const QString text = label(c.summary);
        EXPECT_EQ(text, row(c.row));
        for (const char* name : c.names)
            EXPECT_TRUE(text.contains(QLatin1String(name))) << name << " in " << text.toStdString();
        const QStringList groups = text.split(QStringLiteral(" | "));
        const auto beside = std::find_if(groups.begin(), groups.end(), [&](const QString& group) {
            return group.contains(QLatin1String(c.names.front()));
        });
        ASSERT_NE(beside, groups.end()) << text.toStdString();
        EXPECT_TRUE(beside->contains(outsideKey)) << "beside the reference: " << beside->toStdString();

        const auto figureAfter = [&text](int from, const QString& key) {
            const QRegularExpressionMatch figure =
                QRegularExpression(QRegularExpression::escape(key) + QStringLiteral("(\\d+\\.\\d+)")).match(text, from);
            return figure.hasMatch() ? figure.captured(1).toDouble() : std::nan("");
        };
        const int live = text.indexOf(QLatin1String(c.live));
        ASSERT_GE(live, 0) << text.toStdString();
        const double outside = figureAfter(0, outsideKey);
        const double lower = figureAfter(live, QLatin1String(c.lower));
        const double upper = figureAfter(live, QLatin1String(c.upper));
        EXPECT_NEAR(outside, 1.0 - lower - upper, 1.5e-3) << text.toStdString();
        const Amplitudes field =
            projection(w.waveField(), c.instantaneousPair ? finePair(w.potentialField(), mass()) : unbiased);
        EXPECT_NEAR(outside, 1.0 - std::norm(field[0]) - std::norm(field[1]), 0.01) << "at t = " << now();
    }
}

// A return sweep drives the Stueckelberg page, a single sweep the
// Landau-Zener page, and only on the slope along x, the bias of the wells:
// any other parameter leaves both pages on their hints.
TEST_F(PanelsTwoLevelTest, SweepsOfAnotherParameterLeaveTheSweepPagesInactive)
{
    for (const int preset : {18, 20}) {
        for (int parameter = SceneParameterValue; parameter <= SceneParameterSlopeY; ++parameter) {
            SCOPED_TRACE("preset " + std::to_string(preset) + ", parameter " + std::to_string(parameter));
            MainWindow& w = window();
            w.loadGuidedExperiment(preset);
            widget<QComboBox>("linearSweepParameterComboBox").setCurrentIndex(parameter);
            for (int step = 0; step < 5; ++step)
                w.stepOnce();
            const bool returns = preset == 20, drives = parameter == SceneParameterSlopeX;
            // A parameter the Linear object has not switches the sweep off, and the pages say so.
            const bool has = drives || parameter == SceneParameterSlopeY || parameter <= SceneParameterCenterY;
            const QString off = has ? QString() : QStringLiteral("Linear sweep is off: ");
            EXPECT_EQ(label("stueckelbergSummaryLabel")
                          .startsWith(off + (has ? QStringLiteral("Stueckelberg analysis inactive.") : QString())),
                      !(drives && returns));
            EXPECT_EQ(row(45).startsWith(has ? QStringLiteral("inactive") : off), !(drives && returns));
            EXPECT_EQ(label("landauZenerSummaryLabel")
                          .startsWith(off + (has ? QStringLiteral("Landau-Zener analysis inactive.") : QString())),
                      !(drives && !returns));
            EXPECT_EQ(row(44).startsWith(has ? QStringLiteral("inactive") : off), !(drives && !returns));
            EXPECT_EQ(widget<QCheckBox>("linearSweepEnabledCheckBox").isChecked(), has);
        }
    }
}

// The fringe scans run well past the setting in use: the Ramsey free time F
// from 0 to 1.5 F + 5, at least to 30, the Stueckelberg hold H from 0 to
// 1.5 H + 2, at least to 12; the setting's marker sits at its share of the
// scan panel.
TEST_F(PanelsTwoLevelTest, FringeScansReachWellPastTheSettingInUse)
{
    const struct {
        int preset;
        const char* box;
        const char* summary;
        const char* key;
        const char* plot;
        plot::InterferenceLayout layout;
        double value;
        double scanEnd;
    } cases[] = {{23, "ramseyFreeDurationSpinBox", "ramseySummaryLabel", "free", "ramseyPlotWidget",
                  QuantumRamseyPlotWidget::layout(), 5.5, 30.0},
                 {23, "ramseyFreeDurationSpinBox", "ramseySummaryLabel", "free", "ramseyPlotWidget",
                  QuantumRamseyPlotWidget::layout(), 20.0, 35.0},
                 {23, "ramseyFreeDurationSpinBox", "ramseySummaryLabel", "free", "ramseyPlotWidget",
                  QuantumRamseyPlotWidget::layout(), 36.0, 59.0},
                 {21, "linearSweepHoldDurationSpinBox", "stueckelbergSummaryLabel", "hold", "stueckelbergPlotWidget",
                  QuantumStueckelbergPlotWidget::layout(), 7.0, 12.5},
                 {21, "linearSweepHoldDurationSpinBox", "stueckelbergSummaryLabel", "hold", "stueckelbergPlotWidget",
                  QuantumStueckelbergPlotWidget::layout(), 20.0, 32.0}};
    for (const auto& c : cases) {
        MainWindow& w = window();
        w.loadGuidedExperiment(c.preset);
        widget<QDoubleSpinBox>(c.box).setValue(c.value);
        w.rebuildSimulation();
        ASSERT_TRUE(label(c.summary).contains(QStringLiteral("%1=%2 ").arg(c.key).arg(c.value, 0, 'f', 2)))
            << label(c.summary).toStdString();

        QWidget& plot = widget<QWidget>(c.plot);
        plot.resize(460, 320);
        const QImage image = plot.grab().toImage();
        const QRectF scan = plot::interferencePanels(plot.size(), c.layout).scan;
        const QColor marker(plot::kTwoLevel.fringeCurrent);
        double sum = 0.0;
        int count = 0;
        for (int y = static_cast<int>(scan.top()); y <= static_cast<int>(scan.bottom()); ++y)
            for (int x = static_cast<int>(scan.left()); x <= static_cast<int>(scan.right()); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.red() - marker.red()) + std::abs(pixel.green() - marker.green()) +
                        std::abs(pixel.blue() - marker.blue()) <
                    12) {
                    sum += x + 0.5;
                    ++count;
                }
            }
        ASSERT_GT(count, 0) << "no marker of the setting in use, " << c.key << " = " << c.value;
        EXPECT_NEAR(sum / count, scan.left() + scan.width() * c.value / c.scanEnd, 1.5) << c.key << " = " << c.value;
    }
}

} // namespace
} // namespace vxo
