// Experiments that are switched on but do not run: an experiment that refuses
// a combination of its settings says why on its page and in Diagnostics for
// as long as it is off, after a box change as after a Load; a protocol whose
// target object is deleted or cleared goes off at once, says so, and is saved
// as the window shows it.

#include "WindowControls.h"

#include "common/MainWindowProbe.h"
#include "document/ExperimentFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::click;
using test::control;

class ExperimentsOff : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }
    static void TearDownTestSuite() { window.reset(); }

    static std::string label(const char* name) { return control<QLabel>(*window, name)->text().toStdString(); }
    static std::string row(int index)
    {
        const QTableWidgetItem* item = control<QTableWidget>(*window, "diagnosticsTable")->item(index, 2);
        return item ? item->text().toStdString() : std::string();
    }
    static bool ticked(const char* box) { return control<QCheckBox>(*window, box)->isChecked(); }
    static void deleteObject(std::uint64_t id)
    {
        QListWidget& list = *control<QListWidget>(*window, "potentialSceneListWidget");
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->data(Qt::UserRole).toULongLong() == id)
                list.setCurrentRow(i);
        ASSERT_EQ(list.currentItem()->data(Qt::UserRole).toULongLong(), id);
        click(*window, "deletePotentialObjectButton");
    }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> ExperimentsOff::window;

// What a record's own check says of it; empty when it passes.
template <typename Record>
std::string refusalOf(const Record& record, bool (*check)(const Record&, std::string*))
{
    std::string message;
    check(record, &message);
    return message;
}

TEST_F(ExperimentsOff, ARefusedCombinationSaysWhyOnItsPageAfterABoxChangeAndAfterLoad)
{
    // Each change is one the form allows and the experiment refuses; the
    // reason expected is the experiment's own check on what the window runs.
    struct Refusal {
        int preset;
        std::function<void()> change;
        const char* summary;
        int row; // -1: the page has no diagnostics row
        std::function<std::string()> reason;
    };
    const auto records = [] { return window->storedRecords(); };
    const std::vector<Refusal> refusals = {
        {44,
         [] {
             test::setValue(*window, "hallEdgeLaunchYSpinBox", 2.0);
             click(*window, "hallEdgeApplyButton");
         },
         "hallEdgeSummaryLabel", kHallEdgeRow,
         [&] { return refusalOf(records().quantumHallEdge, QuantumHallEdge2D::validateConfiguration); }},
        {47,
         [] {
             test::setValue(*window, "kleinDetectorXSpinBox", -2.0);
             click(*window, "kleinApplyButton");
         },
         "kleinSummaryLabel", kKleinRow,
         [&] { return refusalOf(records().quantumKleinTunneling, QuantumKleinTunneling2D::validateConfiguration); }},
        {43,
         [] {
             test::setValue(*window, "landauFieldSpinBox", 0.0);
             click(*window, "landauApplyButton");
         },
         "landauSummaryLabel", kLandauRow,
         [&] { return refusalOf(records().quantumLandau, QuantumLandau2D::validateConfiguration); }},
        // A box that rebuilds on its own: the analysis ends before the pulse does.
        {41, [] { test::setValue(*window, "kapitzaDiracAnalysisEndSpinBox", 0.1); }, "kapitzaDiracSummaryLabel",
         kKapitzaDiracRow,
         [&] {
             std::string text;
             QuantumKapitzaDirac2D::validatePulse(records().quantumKapitzaDirac, 1.0, &text);
             return text;
         }},
        // A scene edit: the lattice loses one of its sites.
        {34, [] { deleteObject(window->scene().objects().front().id); }, "andersonSummaryLabel", -1,
         [] {
             std::string text;
             AndersonLattice lattice;
             QuantumAnderson2D::analyzeScene(window->scene(), lattice, &text);
             return text;
         }},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.preset);
        window->loadGuidedExperiment(refusal.preset);
        refusal.change();
        const std::string reason = refusal.reason();
        ASSERT_FALSE(reason.empty()) << "the change is refused";
        const auto expectReasonShown = [&](const char* when) {
            EXPECT_NE(label(refusal.summary).find(reason), std::string::npos) << when << ": " << label(refusal.summary);
            if (refusal.row >= 0) {
                EXPECT_NE(row(refusal.row).find(reason), std::string::npos) << when << ": " << row(refusal.row);
            }
        };
        expectReasonShown("after the change");

        const QString path = folder.filePath(QStringLiteral("refused%1.vxo.json").arg(refusal.preset));
        QString error;
        ASSERT_TRUE(saveExperimentFile(path, window->captureExperimentDocument(), error)) << error.toStdString();
        window->loadGuidedExperiment(0);
        ASSERT_TRUE(MainWindowProbe::loadDocument(*window, path));
        expectReasonShown("after Load");
        // Still there once the run has moved on.
        window->stepOnce();
        expectReasonShown("after a step");
    }
}

// The protocols that act on an object of the scene, each in a guided
// experiment where it is on.
struct SceneProtocol {
    int preset;
    const char* box;
    const char* summary; // its own page
    int row;             // its diagnostics row, -1 for none
    std::uint64_t target;
    bool namesTarget; // the loop's target is the scene's one trap, not a named object
    std::function<bool(const ExperimentDocument&)> saved;
};

const std::vector<SceneProtocol>& sceneProtocols()
{
    static const std::vector<SceneProtocol> protocols = {
        {13, "quenchEnabledCheckBox", "quenchSummaryLabel", -1, 1, true,
         [](const ExperimentDocument& d) { return d.quantumQuench.enabled; }},
        {16, "periodicDriveEnabledCheckBox", "periodicDriveSummaryLabel", kRabiRow, 4, true,
         [](const ExperimentDocument& d) { return d.periodicDrive.enabled; }},
        {18, "linearSweepEnabledCheckBox", "landauZenerSummaryLabel", kLandauZenerRow, 4, true,
         [](const ExperimentDocument& d) { return d.linearSweep.enabled; }},
        {22, "ramseyEnabledCheckBox", "ramseySummaryLabel", kRamseyRow, 4, true,
         [](const ExperimentDocument& d) { return d.ramseySequence.enabled; }},
        {38, "berryEnabledCheckBox", "berrySummaryLabel", kBerryRow, 1, false,
         [](const ExperimentDocument& d) { return d.quantumBerry.enabled; }},
        {40, "moshinskyEnabledCheckBox", "moshinskySummaryLabel", kMoshinskyRow, 1, true,
         [](const ExperimentDocument& d) { return d.quantumMoshinsky.enabled; }},
    };
    return protocols;
}

TEST_F(ExperimentsOff, AProtocolWhoseTargetIsDeletedOrClearedGoesOffAndSaysSo)
{
    for (const SceneProtocol& protocol : sceneProtocols()) {
        for (const bool clear : {false, true}) {
            SCOPED_TRACE(std::string(protocol.box) + (clear ? ", scene cleared" : ", target deleted"));
            window->loadGuidedExperiment(protocol.preset);
            ASSERT_TRUE(ticked(protocol.box));
            if (clear)
                click(*window, "clearPotentialSceneButton");
            else
                deleteObject(protocol.target);

            EXPECT_FALSE(ticked(protocol.box));
            EXPECT_FALSE(protocol.saved(window->captureExperimentDocument())) << "Save writes what the window shows";
            const std::string page = label(protocol.summary);
            EXPECT_NE(page.find(" is off: "), std::string::npos) << page;
            if (protocol.namesTarget && !clear) {
                EXPECT_NE(page.find("object #" + std::to_string(protocol.target)), std::string::npos) << page;
            }
            if (protocol.row >= 0) {
                EXPECT_NE(row(protocol.row).find(" is off: "), std::string::npos) << row(protocol.row);
            }
            EXPECT_NE(test::statusText(*window).find(" is off: "), std::string::npos) << test::statusText(*window);

            // Ticked again, it stays off for as long as nothing can carry it.
            control<QCheckBox>(*window, protocol.box)->setChecked(true);
            EXPECT_FALSE(ticked(protocol.box));
            EXPECT_NE(label(protocol.summary).find(" is off: "), std::string::npos);
        }
    }
}

TEST_F(ExperimentsOff, ADriveIsNeverMovedOntoAnObjectThatLacksItsParameter)
{
    // The driven double well's drive moves the slope of object #4; the
    // rectangle #1 has no slope.
    window->loadGuidedExperiment(16);
    QComboBox& target = *control<QComboBox>(*window, "periodicDriveTargetComboBox");
    target.setCurrentIndex(target.findData(QVariant::fromValue<quint64>(1)));
    EXPECT_FALSE(ticked("periodicDriveEnabledCheckBox"));
    const std::string page = label("rabiSummaryLabel");
    EXPECT_NE(page.find("its target, object #1, has no \"Linear slope X\""), std::string::npos) << page;
    EXPECT_EQ(row(kRabiRow).find("P2="), std::string::npos) << "no prediction of a drive that does not act";
    EXPECT_FALSE(window->captureExperimentDocument().periodicDrive.enabled);
}

} // namespace
} // namespace vxo
