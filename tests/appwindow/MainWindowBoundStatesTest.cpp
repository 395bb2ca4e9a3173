// The bound-state panel on the finite well of the guided experiment
// "Finite Quantum Well (Bound States)": computed levels against the even and
// odd conditions of the square well, prepared eigenstates and the beating
// of a two-state superposition.

#include "core/Numeric.h"
#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"

#include "WindowControls.h"

#include "app/mainwindow/MainWindow.h"
#include "core/PositionMoments.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentDocument.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using test::click;
using test::control;
using test::setIndex;
using test::setValue;
using test::statusText;

constexpr std::uint32_t kFiniteWellPreset = 10;

// The well of the preset: V = 0 for |x| < a and V0 outside, walls across
// the whole height.
constexpr double kHalfWidth = 4.0;
constexpr double kDepth = 5.0;

// Level n (from 0) of the square well, hbar = 1: with k = sqrt(2 m E) and
// kappa = sqrt(2 m (V0 - E)), even levels solve k tan(k a) = kappa and odd
// levels -k cot(k a) = kappa, with k a in (n pi / 2, (n + 1) pi / 2). The
// left side rises through the interval while kappa falls: bisection.
double squareWellLevel(int n, double mass)
{
    const auto mismatch = [n, mass](double e) {
        const double k = std::sqrt(2.0 * mass * e);
        const double kappa = std::sqrt(2.0 * mass * (kDepth - e));
        const double side = n % 2 == 0 ? k * std::tan(k * kHalfWidth) : -k / std::tan(k * kHalfWidth);
        return side - kappa;
    };
    const auto energyOf = [mass](double ka) { return std::pow(ka / kHalfWidth, 2) / (2.0 * mass); };
    double low = energyOf(n * kPi / 2.0 + 1e-12);
    double high = std::min(energyOf((n + 1) * kPi / 2.0 - 1e-12), kDepth);
    for (int i = 0; i < 200; ++i) {
        const double middle = 0.5 * (low + high);
        (mismatch(middle) < 0.0 ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

// The number that ends a message with the given beginning; NaN for any
// other message.
double numberAfter(const std::string& text, const std::string& prefix)
{
    if (text.compare(0, prefix.size(), prefix) != 0)
        return std::nan("");
    return std::stod(text.substr(prefix.size()));
}

struct ListedState {
    int n = 0;
    double energy = 0.0;
    int nodes = 0;
};

std::vector<ListedState> listedStates(const QComboBox& combo)
{
    std::vector<ListedState> states;
    const QRegularExpression format(QStringLiteral("^n=(\\d+)   E=(-?\\d+\\.\\d{5})   nodes=(\\d+)$"));
    for (int i = 0; i < combo.count(); ++i) {
        const QRegularExpressionMatch match = format.match(combo.itemText(i));
        EXPECT_TRUE(match.hasMatch()) << combo.itemText(i).toStdString();
        states.push_back({match.captured(1).toInt(), match.captured(2).toDouble(), match.captured(3).toInt()});
    }
    return states;
}

// Sign changes of the real part along the middle row, ignoring samples
// below 1 % of the peak (the tails in the walls).
int nodesAlongMiddleRow(const ComplexField2D& psi)
{
    const std::uint64_t row = psi.ny() / 2;
    float peak = 0.0f;
    for (std::uint64_t i = 0; i < psi.nx(); ++i)
        peak = std::max(peak, std::abs(psi.at(i, row).real()));
    int nodes = 0;
    int sign = 0;
    for (std::uint64_t i = 0; i < psi.nx(); ++i) {
        const float value = psi.at(i, row).real();
        if (std::abs(value) < 0.01f * peak)
            continue;
        const int current = value > 0.0f ? 1 : -1;
        if (sign != 0 && current != sign)
            ++nodes;
        sign = current;
    }
    return nodes;
}

class MainWindowBoundStates : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        ASSERT_TRUE(isValidPresetIndex(kFiniteWellPreset));
        ASSERT_STREQ(makeExperimentPreset(kFiniteWellPreset).title, "Finite Quantum Well (Bound States)");
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window.reset(); }

    // The coarse grid with cells of unequal sides, for runs: the walls span
    // the whole height, so V stays a function of x alone.
    static void useCoarseGrid()
    {
        setIndex(*window, "gridResolutionComboBox", 0);
        setValue(*window, "universeHeightSpinBox", 30.72);
    }

    static QComboBox& selector(const char* name) { return *control<QComboBox>(*window, name); }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> MainWindowBoundStates::window;

TEST_F(MainWindowBoundStates, ComputedLevelsAreTheSquareWellsAndEachPreparesAStationaryState)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    click(*window, "boundComputeButton");
    const std::vector<ListedState> states = listedStates(selector("boundStateComboBox"));
    const int maxStates = control<QSpinBox>(*window, "boundMaxStatesSpinBox")->value();
    ASSERT_EQ(static_cast<int>(states.size()), maxStates) << "the well holds nine levels";
    EXPECT_EQ(statusText(*window), QStringLiteral("Computed %1 bound states below continuum E=%2")
                                       .arg(maxStates)
                                       .arg(kDepth, 0, 'f', 5)
                                       .toStdString());
    const double mass = control<QDoubleSpinBox>(*window, "massSpinBox")->value();
    for (int n = 0; n < maxStates; ++n) {
        const double exact = squareWellLevel(n, mass);
        EXPECT_EQ(states[n].n, n + 1);
        EXPECT_EQ(states[n].nodes, n) << "level " << n;
        EXPECT_NEAR(states[n].energy, exact, 1e-3 * exact) << "level " << n;
    }
    for (const char* name : {"boundSuperpositionAComboBox", "boundSuperpositionBComboBox"})
        EXPECT_EQ(listedStates(selector(name)).size(), states.size()) << name;
    EXPECT_EQ(selector("boundStateComboBox").currentIndex(), 1) << "the preset's eigenstate";
    EXPECT_EQ(selector("boundSuperpositionAComboBox").currentIndex(), 0);
    EXPECT_EQ(selector("boundSuperpositionBComboBox").currentIndex(), 3) << "the preset's pair, computed again";

    // The coarse grid lowers the levels by about 0.3 %; its states are
    // computed afresh before they are prepared.
    useCoarseGrid();
    click(*window, "boundComputeButton");
    setIndex(*window, "boundStateComboBox", 1);
    click(*window, "boundPrepareEigenButton");
    EXPECT_NEAR(numberAfter(statusText(*window), "Prepared bound eigenstate n=2 at E="), states[1].energy,
                5e-3 * states[1].energy)
        << statusText(*window);
    const ComplexField2D prepared = window->waveField();
    EXPECT_EQ(nodesAlongMiddleRow(prepared), 1);
    const PositionMoments moments = computePositionMoments(prepared);
    EXPECT_NEAR(moments.norm, 1.0, 1e-5);
    EXPECT_NEAR(moments.meanX, 0.0, 1e-3) << "an odd state of a symmetric well";

    // An eigenstate only turns its phase: the density stays put.
    for (int i = 0; i < 100; ++i)
        window->stepOnce();
    const ComplexField2D& evolved = window->waveField();
    double change = 0.0;
    double peak = 0.0;
    for (std::uint64_t k = 0; k < prepared.size(); ++k) {
        const double density = std::norm(prepared.data()[k]);
        change = std::max(change, std::abs(std::norm(evolved.data()[k]) - density));
        peak = std::max(peak, density);
    }
    EXPECT_LT(change, 3e-2 * peak);

    // States computed again, fewer than the prepared one's index: the page
    // names the highest state still listed, not one beyond the list.
    setIndex(*window, "boundStateComboBox", 4);
    click(*window, "boundPrepareEigenButton");
    ASSERT_EQ(nodesAlongMiddleRow(window->waveField()), 4) << statusText(*window);
    control<QSpinBox>(*window, "boundMaxStatesSpinBox")->setValue(3);
    click(*window, "boundComputeButton");
    ASSERT_EQ(listedStates(selector("boundStateComboBox")).size(), 3u);
    EXPECT_EQ(selector("boundStateComboBox").currentIndex(), 2);
    const QString summary = control<QLabel>(*window, "boundSummaryLabel")->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("preparation=eigenstate n=3"))) << summary.toStdString();
}

// The coherent-tunnelling guide starts a pair in the left well with 0 or 180
// degrees between the states, as the signs the solver gave them require: the
// page shows the phase that did it, so preparing the pair again from the page
// gives the same state. Pairs of both sign choices are restored.
TEST_F(MainWindowBoundStates, LocalisedPairsShowThePhaseThatStartsThemOnTheLeft)
{
    const auto leftShare = [](const ComplexField2D& psi) {
        double left = 0.0, total = 0.0;
        for (std::uint64_t j = 0; j < psi.ny(); ++j)
            for (std::uint64_t i = 0; i < psi.nx(); ++i) {
                const double p = std::norm(psi.at(i, j));
                total += p;
                left += 2 * i + 1 < psi.nx() ? p : 0.0;
            }
        return left / total;
    };
    ASSERT_STREQ(makeExperimentPreset(12).title, "Coherent Tunneling (Double Well)");
    window->loadGuidedExperiment(12);
    const std::pair<int, int> pairs[] = {{0, 1}, {2, 3}, {0, 3}, {1, 2}};
    bool signs[2] = {false, false};
    for (const auto& [a, b] : pairs) {
        SCOPED_TRACE("pair " + std::to_string(a) + ", " + std::to_string(b));
        MainWindowProbe::restoreBoundPair(*window, a, b, true);
        const double restored = leftShare(window->waveField());
        const double shown = control<QDoubleSpinBox>(*window, "boundRelativePhaseSpinBox")->value();
        const bool flipped = std::abs(shown - 180.0) < 1e-9;
        ASSERT_TRUE(flipped || std::abs(shown) < 1e-9) << shown << " degrees is not a relative sign";
        signs[flipped] = true;
        click(*window, "boundPrepareSuperpositionButton");
        EXPECT_NEAR(leftShare(window->waveField()), restored, 1e-4) << "prepared again with " << shown << " degrees";
        setValue(*window, "boundRelativePhaseSpinBox", flipped ? 0.0 : 180.0);
        click(*window, "boundPrepareSuperpositionButton");
        EXPECT_LT(leftShare(window->waveField()), restored) << "the other sign starts more of the pair on the left";
    }
    ASSERT_TRUE(signs[0] && signs[1]) << "the pairs no longer need both signs: choose pairs that do";

    // A pair naming a state beyond those the well holds takes the highest one,
    // first or second.
    MainWindowProbe::restoreBoundPair(*window, 0, 30, false);
    const QComboBox& second = selector("boundSuperpositionBComboBox");
    ASSERT_GE(second.count(), 2);
    EXPECT_EQ(second.currentIndex(), second.count() - 1);
    EXPECT_TRUE(QString::fromStdString(statusText(*window))
                    .startsWith(QStringLiteral("Prepared coherent superposition n=1 + n=%1").arg(second.count())))
        << statusText(*window);
    MainWindowProbe::restoreBoundPair(*window, 30, 0, false);
    EXPECT_EQ(selector("boundSuperpositionAComboBox").currentIndex(), second.count() - 1);
    EXPECT_TRUE(QString::fromStdString(statusText(*window))
                    .startsWith(QStringLiteral("Prepared coherent superposition n=%1 + n=1").arg(second.count())))
        << statusText(*window);
}

// A document whose states lie beyond those the well gives prepares and
// selects the highest one found, as a preset does.
TEST_F(MainWindowBoundStates, DocumentEigenstateBeyondTheSpectrumPreparesTheHighestFound)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    useCoarseGrid();
    ExperimentDocument document = window->captureExperimentDocument();
    document.initialPreparation.type = InitialPreparationType::BoundEigenstate;
    document.initialPreparation.stateA = 30;
    document.initialPreparation.stateB = 30;
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
    const int count = selector("boundStateComboBox").count();
    ASSERT_GE(count, 2);
    EXPECT_EQ(selector("boundStateComboBox").currentIndex(), count - 1);
    EXPECT_EQ(selector("boundSuperpositionBComboBox").currentIndex(), count - 1) << "the pair's second state";
    document.initialPreparation.stateB = 0;
    EXPECT_EQ(nodesAlongMiddleRow(window->waveField()), count - 1) << "the highest state found, prepared";

    // A state the well holds but the form's count leaves out: the count grows
    // to take it in, states numbered from 0 so n needs n + 1 of them. The count
    // the document's own experiment brings is learnt from state 0.
    auto* most = control<QSpinBox>(*window, "boundMaxStatesSpinBox");
    const auto applyWithState = [&](int state) {
        {
            const QSignalBlocker blocker(most);
            most->setValue(most->minimum());
        }
        document.initialPreparation.stateA = state;
        return window->applyExperimentDocument(document, error);
    };
    ASSERT_TRUE(applyWithState(0)) << error.toStdString();
    const int wanted = most->value();
    ASSERT_GT(count, wanted) << "the well holds too few states for this case";
    ASSERT_TRUE(applyWithState(wanted)) << error.toStdString();
    EXPECT_EQ(most->value(), wanted + 1);
    EXPECT_EQ(selector("boundStateComboBox").currentIndex(), wanted) << "state " << wanted;
}

// <x>(t) of (phi_0 + phi_1) / sqrt 2 oscillates as cos(dE t / hbar): it
// first passes the centre a quarter of the beat period 2 pi / dE after the
// preparation.
TEST_F(MainWindowBoundStates, SuperpositionBeatsAtTheLevelSpacing)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    useCoarseGrid();
    // Two states make a superposition, one does not.
    auto* most = control<QSpinBox>(*window, "boundMaxStatesSpinBox");
    const int kept = most->value();
    for (const int count : {1, 2}) {
        most->setValue(count);
        click(*window, "boundComputeButton");
        ASSERT_EQ(listedStates(selector("boundStateComboBox")).size(), static_cast<std::size_t>(count));
        EXPECT_EQ(control<QAbstractButton>(*window, "boundPrepareSuperpositionButton")->isEnabled(), count == 2)
            << count << " states";
    }
    most->setValue(kept);
    click(*window, "boundComputeButton");
    setIndex(*window, "boundSuperpositionAComboBox", 0);
    setIndex(*window, "boundSuperpositionBComboBox", 1);
    setValue(*window, "boundRelativePhaseSpinBox", 0.0);
    click(*window, "boundPrepareSuperpositionButton");

    const double mass = control<QDoubleSpinBox>(*window, "massSpinBox")->value();
    const double period = 2.0 * kPi / (squareWellLevel(1, mass) - squareWellLevel(0, mass));
    EXPECT_NEAR(numberAfter(statusText(*window), "Prepared coherent superposition n=1 + n=2; beat period ~ "), period,
                5e-3 * period)
        << statusText(*window);
    // The page states the spacing and its beat period 2 pi hbar / dE.
    const std::string summary = control<QLabel>(*window, "boundSummaryLabel")->text().toStdString();
    const auto valueAfter = [&](const std::string& key) {
        const std::size_t at = summary.find(key);
        return at == std::string::npos ? std::nan("") : numberAfter(summary.substr(at), key);
    };
    EXPECT_NEAR(valueAfter("superposition dE="), 2.0 * kPi / period, 5e-3 * 2.0 * kPi / period) << summary;
    EXPECT_NEAR(valueAfter("Tbeat="), period, 5e-3 * period) << summary;

    ASSERT_EQ(window->observableHistory().size(), 1u);
    // Which side the packet starts on depends on the sign convention of the
    // odd state.
    const double x0 = window->observableHistory().samples().front().meanX;
    ASSERT_GT(std::abs(x0), 0.5) << "two states of opposite parity start off-centre";
    setIndex(*window, "speedComboBox", 6);
    const double dt = window->schroedingerSolver().parameters().dt;
    const int ticks = static_cast<int>(0.3 * period / (16.0 * dt)) + 1;
    for (int i = 0; i < ticks; ++i)
        window->onSimulationTick();

    const std::vector<ObservableSample>& samples = window->observableHistory().samples();
    std::size_t after = 1;
    while (after < samples.size() && samples[after].meanX * x0 > 0.0)
        ++after;
    ASSERT_LT(after, samples.size()) << "the packet did not reach the centre";
    const ObservableSample& a = samples[after - 1];
    const ObservableSample& b = samples[after];
    const double crossing = a.time + (b.time - a.time) * a.meanX / (a.meanX - b.meanX);
    EXPECT_NEAR(crossing, period / 4.0, 5e-3 * period);
}

// Computing the states proposes the first and the third for a superposition
// as soon as there are three, whatever pair was prepared before; with fewer
// it keeps the pair's second state as far as the list reaches.
// On selectors that hold nothing yet (a document of the well without a
// bound preparation), with the pair the window keeps at (0, 3).
TEST_F(MainWindowBoundStates, ComputedStatesProposeTheThirdAsSoonAsThereAreThree)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    ExperimentDocument document = window->captureExperimentDocument();
    document.initialPreparation = InitialPreparation{};
    auto* most = control<QSpinBox>(*window, "boundMaxStatesSpinBox");
    for (const auto& [count, second] : {std::pair{2, 1}, {3, 2}, {5, 2}}) {
        QString error;
        ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
        ASSERT_EQ(selector("boundSuperpositionBComboBox").count(), 0);
        most->setValue(count);
        click(*window, "boundComputeButton");
        ASSERT_EQ(selector("boundSuperpositionBComboBox").count(), count);
        EXPECT_EQ(selector("boundSuperpositionAComboBox").currentIndex(), 0) << count << " states";
        EXPECT_EQ(selector("boundSuperpositionBComboBox").currentIndex(), second) << count << " states";
    }
}

// Computing the states of an unchanged well again keeps what the selectors
// hold: the preset's pair n = 1 and n = 4 beats at 2 pi / (E4 - E1), not
// at the beat of n = 3. A state the new spectrum lacks gives way.
TEST_F(MainWindowBoundStates, ComputingTheStatesAgainKeepsTheSelectedPair)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    const double mass = control<QDoubleSpinBox>(*window, "massSpinBox")->value();
    const QTableWidget& table = *control<QTableWidget>(*window, "diagnosticsTable");
    const auto beat = [&] {
        const QString row = table.item(40, 2)->text();
        return row.mid(row.indexOf(QLatin1String("Tbeat=")) + 6).toDouble();
    };
    const double expected = 2.0 * kPi / (squareWellLevel(3, mass) - squareWellLevel(0, mass));
    ASSERT_NEAR(beat(), expected, 2e-3 * expected) << "the preset prepares n = 1 with n = 4";
    for (int again = 0; again < 2; ++again) {
        click(*window, "boundComputeButton");
        EXPECT_EQ(selector("boundStateComboBox").currentIndex(), 1);
        EXPECT_EQ(selector("boundSuperpositionAComboBox").currentIndex(), 0);
        EXPECT_EQ(selector("boundSuperpositionBComboBox").currentIndex(), 3) << "computed " << again + 1 << " times";
        EXPECT_NEAR(beat(), expected, 2e-3 * expected);
    }

    setIndex(*window, "boundStateComboBox", 4);
    setIndex(*window, "boundSuperpositionAComboBox", 2);
    control<QSpinBox>(*window, "boundMaxStatesSpinBox")->setValue(4);
    click(*window, "boundComputeButton");
    EXPECT_EQ(selector("boundStateComboBox").currentIndex(), 1) << "n = 5 is gone: the prepared eigenstate";
    EXPECT_EQ(selector("boundSuperpositionAComboBox").currentIndex(), 2) << "n = 3 is still there";
    EXPECT_EQ(selector("boundSuperpositionBComboBox").currentIndex(), 3);
}

// The prepared eigenstate of the finite well stands while a drive shakes
// one wall up and down; once the wall no longer spans the height the well
// has no spectrum along x. Computing the states then fails, and the
// preparation falls back to the packet: a document saved next must not
// claim an eigenstate no spectrum can give.
TEST_F(MainWindowBoundStates, AFailedComputationWithAStatePreparedFallsBackToThePacket)
{
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    ASSERT_EQ(window->captureExperimentDocument().initialPreparation.type, InitialPreparationType::BoundEigenstate);
    // Centre y of the first wall, 0 + 2 sin(t): where it stands at t = 0.
    setIndex(*window, "periodicDriveTargetComboBox", 0);
    setIndex(*window, "periodicDriveParameterComboBox", 2);
    setValue(*window, "periodicDriveMeanSpinBox", 0.0);
    setValue(*window, "periodicDriveAmplitudeSpinBox", 2.0);
    setValue(*window, "periodicDriveOmegaSpinBox", 1.0);
    setValue(*window, "periodicDrivePhaseSpinBox", 0.0);
    control<QCheckBox>(*window, "periodicDriveEnabledCheckBox")->setChecked(true);
    ASSERT_EQ(window->captureExperimentDocument().initialPreparation.type, InitialPreparationType::BoundEigenstate)
        << "the drive at t = 0 leaves the well the states were computed for";
    for (int i = 0; i < 40; ++i)
        window->stepOnce();

    click(*window, "boundComputeButton");
    ASSERT_EQ(statusText(*window), "Potential is not invariant in Y. Use a well extended across Y for this 1D "
                                   "bound-state analysis.");
    EXPECT_EQ(window->captureExperimentDocument().initialPreparation.type, InitialPreparationType::Gaussian);
    const QTableWidget& table = *control<QTableWidget>(*window, "diagnosticsTable");
    EXPECT_EQ(table.item(40, 2)->text().toStdString(), "Gaussian packet");
}

// What the bound-state page shows: the three selectors (entries, choice,
// enabled), both preparation buttons, the summary and the two diagnostics rows.
QStringList boundPage(const MainWindow& w)
{
    QStringList shown;
    for (const char* name : {"boundStateComboBox", "boundSuperpositionAComboBox", "boundSuperpositionBComboBox"}) {
        const QComboBox& combo = *control<QComboBox>(w, name);
        QStringList entries;
        for (int i = 0; i < combo.count(); ++i)
            entries << combo.itemText(i);
        shown << QStringLiteral("%1: [%2] at %3, enabled %4")
                     .arg(QLatin1String(name), entries.join(QStringLiteral(" | ")))
                     .arg(combo.currentIndex())
                     .arg(combo.isEnabled());
    }
    for (const char* name : {"boundPrepareEigenButton", "boundPrepareSuperpositionButton"})
        shown << QStringLiteral("%1 enabled %2")
                     .arg(QLatin1String(name))
                     .arg(control<QAbstractButton>(w, name)->isEnabled());
    shown << control<QLabel>(w, "boundSummaryLabel")->text();
    const auto* table = control<QTableWidget>(w, "diagnosticsTable");
    for (const int row : {39, 40})
        shown << (table->item(row, 2) ? table->item(row, 2)->text() : QStringLiteral("(no row %1)").arg(row));
    return shown;
}

// States computed for one experiment describe its well only: any other
// experiment loaded after it starts with the page of a new window.
TEST_F(MainWindowBoundStates, AGuidedLoadLeavesThePageAsANewWindowHasIt)
{
    const QStringList fresh = boundPage(*window);
    for (const int other : {0, 17, 35}) {
        SCOPED_TRACE("preset " + std::to_string(other));
        window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
        click(*window, "boundComputeButton");
        ASSERT_GT(selector("boundStateComboBox").count(), 0);
        window->loadGuidedExperiment(other);
        auto newWindow = std::make_unique<MainWindow>(nullptr, false);
        newWindow->loadGuidedExperiment(other);
        EXPECT_EQ(boundPage(*window).join('\n').toStdString(), boundPage(*newWindow).join('\n').toStdString());
    }
    EXPECT_EQ(boundPage(*window).mid(0, 3), fresh.mid(0, 3)) << "no states listed";
}

// A spectrum computed while a protocol had moved the potential does not fit
// the potential that the preparation's rebuild makes at t = 0: the rebuild
// prepares the Gaussian packet, and the buttons must not claim otherwise.
TEST_F(MainWindowBoundStates, ButtonsSayWhenTheRebuildCouldNotPrepareTheState)
{
    constexpr std::uint32_t kDrivenDoubleWellPreset = 17;
    ASSERT_STREQ(makeExperimentPreset(kDrivenDoubleWellPreset).title, "Driven Double Well (Rabi Resonance)");
    window->loadGuidedExperiment(static_cast<int>(kDrivenDoubleWellPreset));
    const std::vector<float> atStart = window->potentialField().values();
    for (int i = 0; i < 50; ++i)
        window->stepOnce();
    ASSERT_NE(window->potentialField().values(), atStart) << "the drive has moved the bias";

    const std::string refusal = "The bound state could not be prepared: the computed states do not fit the rebuilt "
                                "potential, so the Gaussian packet was prepared. Press Compute states again.";
    click(*window, "boundComputeButton");
    setIndex(*window, "boundStateComboBox", 0);
    click(*window, "boundPrepareEigenButton");
    EXPECT_EQ(statusText(*window), refusal);
    const double packetSigma = control<QDoubleSpinBox>(*window, "sigmaSpinBox")->value();
    EXPECT_NEAR(computePositionMoments(window->waveField()).sigmaY, packetSigma, 1e-3)
        << "the form's packet, not a state spread along the well";

    for (int i = 0; i < 50; ++i)
        window->stepOnce();
    click(*window, "boundComputeButton");
    setIndex(*window, "boundSuperpositionAComboBox", 0);
    setIndex(*window, "boundSuperpositionBComboBox", 1);
    click(*window, "boundPrepareSuperpositionButton");
    EXPECT_EQ(statusText(*window), refusal);

    // Computed at t = 0, the states fit, and the buttons report the state.
    click(*window, "resetButton");
    click(*window, "boundComputeButton");
    click(*window, "boundPrepareEigenButton");
    EXPECT_FALSE(std::isnan(numberAfter(statusText(*window), "Prepared bound eigenstate n=1 at E=")))
        << statusText(*window);
    EXPECT_GT(computePositionMoments(window->waveField()).sigmaY, 3.0 * packetSigma);
}

// The rebuild calibrates the two-level references of the biased double well
// from its two lowest states: each experiment starts in the ground state of
// its well at the protocol's starting bias, which the calibrated two-level
// model must see as its lower state.
TEST_F(MainWindowBoundStates, RebuildCalibratesTheSweepAndRamseyReferences)
{
    struct Case {
        std::uint32_t preset;
        const char* title;
        bool landauZener;
        bool stueckelberg;
        bool ramsey;
        const char* page; // the analysis page a document of the preset opens on
    };
    const Case cases[] = {
        {18, "Landau-Zener Sweep (Fast / Diabatic)", true, false, false, "landauZenerTab"},
        {20, "Landau-Zener-Stueckelberg (Constructive)", false, true, false, "stueckelbergTab"},
        {22, "Ramsey Interferometry (Transfer Fringe)", false, false, true, "ramseyTab"},
    };
    // Each on the preset's square domain, then as a document on the coarse
    // grid of a domain less high than wide (still lower than the walls).
    for (const bool coarse : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(coarse ? "coarse grid of a lower domain" : "the preset's grid");
            ASSERT_STREQ(makeExperimentPreset(c.preset).title, c.title);
            window->loadGuidedExperiment(static_cast<int>(c.preset));
            if (coarse) {
                ExperimentDocument document = window->captureExperimentDocument();
                document.controls[QStringLiteral("gridResolutionComboBox")] = 0;
                document.controls[QStringLiteral("universeHeightSpinBox")] = 11.2;
                QString error;
                ASSERT_TRUE(window->applyExperimentDocument(document, error)) << error.toStdString();
                ASSERT_NE(window->waveField().dx(), window->waveField().dy());
                const auto* pages = control<QStackedWidget>(*window, "analysisStackedWidget");
                EXPECT_EQ(pages->currentWidget()->objectName().toStdString(), c.page);
            }
            ASSERT_FALSE(window->observableHistory().samples().empty()) << c.title;
            const ObservableSample& start = window->observableHistory().samples().front();
            EXPECT_EQ(start.landauZenerValid, c.landauZener) << c.title;
            EXPECT_EQ(start.stueckelbergValid, c.stueckelberg) << c.title;
            EXPECT_EQ(start.ramseyValid, c.ramsey) << c.title;
            if (c.landauZener) {
                EXPECT_GT(start.landauZenerLower, 0.95) << c.title;
            }
            if (c.stueckelberg) {
                EXPECT_GT(start.stueckelbergLower, 0.95) << c.title;
            }
            if (c.ramsey) {
                EXPECT_GT(start.ramseyPopulation1, 0.95) << c.title;
            }
        }

    // The same wells out of force are no two-level experiment: the spectrum's page.
    window->loadGuidedExperiment(18);
    ExperimentDocument inactive = window->captureExperimentDocument();
    inactive.potentialSceneActive = false;
    inactive.controls[QStringLiteral("geometryComboBox")] = 8; // a harmonic trough along y in force
    inactive.controls[QStringLiteral("harmonicKySpinBox")] = 0.0;
    auto* pages = control<QStackedWidget>(*window, "analysisStackedWidget");
    pages->setCurrentWidget(control<QWidget>(*window, "boundStatesTab"));
    QString error;
    ASSERT_TRUE(window->applyExperimentDocument(inactive, error)) << error.toStdString();
    EXPECT_EQ(pages->currentWidget()->objectName().toStdString(), "boundStatesTab");
    // Nor is a scene in force that holds no double well.
    window->loadGuidedExperiment(static_cast<int>(kFiniteWellPreset));
    ASSERT_TRUE(window->applyExperimentDocument(window->captureExperimentDocument(), error)) << error.toStdString();
    EXPECT_EQ(pages->currentWidget()->objectName().toStdString(), "boundStatesTab") << "the finite well";

    // A sweep of the slope along y is no bias of the two wells: no reference.
    window->loadGuidedExperiment(18);
    setIndex(*window, "linearSweepParameterComboBox", 7);
    EXPECT_FALSE(window->observableHistory().samples().front().landauZenerValid);
}

} // namespace
} // namespace vxo

namespace vxo {
namespace {

// The Ramsey block of the rebuild's first sample: it projects the prepared
// state on the calibrated pair of the well.
std::vector<double> ramseyStart(const MainWindow& w)
{
    const ObservableSample& start = w.observableHistory().samples().front();
    return {start.ramseyPopulation1, start.ramseyPopulation2, start.ramseyCaptured};
}

// One control changed as the user changes it, then Reset.
std::vector<double> ramseyStartAfter(MainWindow& w, const char* name, double value)
{
    setValue(w, name, value);
    click(w, "resetButton");
    return ramseyStart(w);
}

// A Reset reuses the double well's spectrum only while the well, the mass
// and hbar are those it was computed for: after a change of the bias or the
// mass, the calibration is that of a window that never saw the old one.
TEST_F(MainWindowBoundStates, AResetReusesTheWellsSpectrumOnlyForTheSameWell)
{
    constexpr int kRamseyPreset = 22;
    const struct Case {
        const char* control;
        double value;
    } cases[] = {{"ramseyMeanSpinBox", 0.004}, {"massSpinBox", 1.25}};
    for (const Case& c : cases) {
        window->loadGuidedExperiment(kRamseyPreset);
        setIndex(*window, "gridResolutionComboBox", 0);
        click(*window, "resetButton");
        const std::vector<double> before = ramseyStart(*window);
        ASSERT_TRUE(window->observableHistory().samples().front().ramseyValid) << c.control;
        click(*window, "resetButton");
        EXPECT_EQ(ramseyStart(*window), before) << c.control << ": Reset alone";
        const std::vector<double> changed = ramseyStartAfter(*window, c.control, c.value);
        EXPECT_NE(changed, before) << c.control << " must move the calibration";

        // The same experiment as a document, in a window that calibrates it
        // once.
        MainWindow fresh(nullptr, false);
        QString error;
        ASSERT_TRUE(fresh.applyExperimentDocument(window->captureExperimentDocument(), error)) << error.toStdString();
        EXPECT_EQ(ramseyStart(fresh), changed) << c.control;
    }
}

} // namespace
} // namespace vxo
