// A lesson prepared, run, saved through File > Save Experiment..., and given
// again another day through File > Load Experiment...: the run that follows
// is the same run, step for step.

#include "TeacherSession.h"

#include "common/TestSupport.h"
#include "document/ExperimentCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vxo::e2e {
namespace {

// Answers the next file dialog the window opens as a user would: notes what
// it offered, types `file` and accepts.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString file) : file_(std::move(file))
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->windowHandle() == nullptr || !dialog->windowHandle()->isExposed())
                return;
            timer_.stop();
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(file_);
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
        });
        timer_.start(5);
    }

    QString title;
    QStringList filters;
    QString proposed;

private:
    QString file_;
    QTimer timer_;
};

// What a run leaves to compare: every observation, the wave field and the
// spinor.
struct RunRecord {
    std::vector<ObservableSample> observations;
    ComplexField2D psi;
    DiracSpinor2D spinor;
};

RunRecord runTicks(MainWindow& window, int ticks)
{
    for (int k = 0; k < ticks; ++k)
        window.onSimulationTick();
    return {window.observableHistory().samples(), window.waveField(), window.spinorField()};
}

bool sameObservations(const std::vector<ObservableSample>& a, const std::vector<ObservableSample>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t n = 0; n < a.size(); ++n) {
        const ObservableSample& x = a[n];
        const ObservableSample& y = b[n];
        if (x.time != y.time || x.meanX != y.meanX || x.meanY != y.meanY || x.sigmaX != y.sigmaX || x.norm != y.norm ||
            x.totalEnergy != y.totalEnergy || x.rabiValid != y.rabiValid || x.rabiPopulation1 != y.rabiPopulation1 ||
            x.rabiPopulation2 != y.rabiPopulation2)
            return false;
    }
    return true;
}

struct Lesson {
    int preset;
    // The teacher's own change before saving; the run starts from Reset.
    std::function<void(MainWindow&)> adjust;
};

TEST(DocumentRoundTrip, ASavedLessonLoadedAgainRunsTheSameSteps)
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const auto window = teacherWindow();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto& saveAction = control<QAction>(*window, "actionSaveExperimentJson");
    auto& loadAction = control<QAction>(*window, "actionLoadExperimentJson");
    const QStringList filters{QStringLiteral("Ondrivel Experiment (*.vxo.json *.json)"),
                              QStringLiteral("JSON files (*.json)"), QStringLiteral("All files (*.*)")};

    const Lesson lessons[] = {
        // A periodic drive on a double well, started from its lower level.
        {17,
         [](MainWindow& w) {
             enter(w, "periodicDriveAmplitudeSpinBox",
                   control<QDoubleSpinBox>(w, "periodicDriveAmplitudeSpinBox").value() * 0.8);
         }},
        // Cyclotron motion through the gauge links, at a field of one's own.
        {43,
         [](MainWindow& w) {
             enter(w, "landauFieldSpinBox", control<QDoubleSpinBox>(w, "landauFieldSpinBox").value() * 1.25);
             click(w, "landauApplyButton");
         }},
        // A Dirac spinor at a barrier, with the barrier raised.
        {47,
         [](MainWindow& w) {
             enter(w, "kleinBarrierHeightSpinBox",
                   control<QDoubleSpinBox>(w, "kleinBarrierHeightSpinBox").value() + 0.25);
             click(w, "kleinApplyButton");
         }},
    };
    for (const Lesson& lesson : lessons) {
        const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(lesson.preset));
        SCOPED_TRACE(preset.title);
        loadFromLibrary(*window, lesson.preset);
        lesson.adjust(*window);
        click(*window, "resetButton");
        const RunRecord first = runTicks(*window, 6);
        ASSERT_GT(window->schroedingerSolver().stepCount(), 0u);

        // Saved under a name without an ending: the file gets ".vxo.json".
        const QString typed = folder.filePath(QStringLiteral("lesson%1").arg(lesson.preset));
        const QString written = typed + QStringLiteral(".vxo.json");
        {
            FileDialogAnswer answer(typed);
            saveAction.trigger();
            EXPECT_EQ(answer.title.toStdString(), "Save Quantum Experiment");
            EXPECT_EQ(answer.filters, filters);
            EXPECT_TRUE(answer.proposed.endsWith(QStringLiteral(".vxo.json"))) << answer.proposed.toStdString();
        }
        ASSERT_TRUE(QFileInfo::exists(written)) << written.toStdString();
        EXPECT_TRUE(window->windowTitle().contains(QFileInfo(typed).fileName())) << window->windowTitle().toStdString();

        // Another experiment in between, then the file.
        loadFromLibrary(*window, 0);
        {
            FileDialogAnswer answer(written);
            loadAction.trigger();
            EXPECT_EQ(answer.title.toStdString(), "Load Quantum Experiment");
            EXPECT_EQ(answer.filters, filters);
        }
        EXPECT_EQ(window->transportClock().state(), TransportState::Stopped);
        ASSERT_EQ(window->schroedingerSolver().stepCount(), 0u) << "the file was not loaded";
        const RunRecord second = runTicks(*window, 6);
        EXPECT_TRUE(sameObservations(first.observations, second.observations)) << "the observations differ";
        EXPECT_TRUE(test::bitIdentical(first.psi, second.psi)) << "the wave field differs";
        EXPECT_TRUE(test::bitIdentical(first.spinor.upper, second.spinor.upper) &&
                    test::bitIdentical(first.spinor.lower, second.spinor.lower))
            << "the spinor differs";
    }
}

} // namespace
} // namespace vxo::e2e
