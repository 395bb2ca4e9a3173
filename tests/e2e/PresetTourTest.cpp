// Every guided experiment of the library, as a teacher goes through them in
// one sitting: chosen in the library, loaded with the Load button, put on the
// coarse grid where its physics allows, run for a few ticks at its own speed.
// Its analysis fills, nothing shown anywhere is a non-number, and the help dock
// carries its guide in both languages.

#include "TeacherSession.h"

#include "document/ExperimentCatalogue.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace vxo::e2e {
namespace {

std::size_t historyWhere(const MainWindow& w, bool ObservableSample::*valid)
{
    const auto& samples = w.observableHistory().samples();
    return static_cast<std::size_t>(
        std::count_if(samples.begin(), samples.end(), [valid](const ObservableSample& s) { return s.*valid; }));
}

template <typename Recorder>
std::size_t recorded(const MainWindow& w)
{
    return w.recorder<Recorder>().samples().size();
}

// What each analysis page plots, counted: observations for the pages that
// plot the history (those of the two-level blocks only where the block was
// measured), the samples of the experiment's recorder for the others.
struct Page {
    const char* name;
    std::function<std::size_t(const MainWindow&)> samples;
};

std::size_t history(const MainWindow& w) { return w.observableHistory().size(); }

const Page kPages[34] = {
    {"timeSeriesTab", history},
    {"resonanceTab", history},
    {"boundStatesTab", history},
    {"doubleWellTab", [](const MainWindow& w) { return historyWhere(w, &ObservableSample::doubleWellValid); }},
    {"quenchTab", history},
    {"periodicDriveTab", history},
    {"rabiTab", [](const MainWindow& w) { return historyWhere(w, &ObservableSample::rabiValid); }},
    {"landauZenerTab", [](const MainWindow& w) { return historyWhere(w, &ObservableSample::landauZenerValid); }},
    {"stueckelbergTab", [](const MainWindow& w) { return historyWhere(w, &ObservableSample::stueckelbergValid); }},
    {"ramseyTab", [](const MainWindow& w) { return historyWhere(w, &ObservableSample::ramseyValid); }},
    {"blochTab", history},
    {"revivalsTab", recorded<RevivalRecorder>},
    {"billiardsTab", recorded<BilliardRecorder>},
    {"talbotTab", recorded<TalbotRecorder>},
    {"bouncerTab", recorded<BouncerRecorder>},
    {"vortexTab", recorded<VortexRecorder>},
    {"andersonTab", recorded<AndersonRecorder>},
    {"kickedRotorTab", recorded<KickedRotorRecorder>},
    {"zenoTab", recorded<ZenoRecorder>},
    {"scarsTab", recorded<ScarRecorder>},
    {"berryTab", recorded<BerryRecorder>},
    {"loschmidtTab", recorded<LoschmidtRecorder>},
    {"moshinskyTab", recorded<MoshinskyRecorder>},
    {"kapitzaDiracTab", recorded<KapitzaDiracRecorder>},
    {"aharonovBohmTab", recorded<AharonovBohmRecorder>},
    {"landauTab", recorded<LandauRecorder>},
    {"hallEdgeTab", recorded<HallEdgeRecorder>},
    {"backflowTab", recorded<BackflowRecorder>},
    {"zitterTab", recorded<DiracZitterbewegungRecorder>},
    {"kleinTab", recorded<DiracKleinRecorder>},
    // The four reference scans run the Klein packet beside their scan.
    {"kleinAngleScanTab", recorded<DiracKleinRecorder>},
    {"kleinHeightScanTab", recorded<DiracKleinRecorder>},
    {"kleinMassScanTab", recorded<DiracKleinRecorder>},
    {"diracMasslessTab", recorded<DiracKleinRecorder>},
};

// The finite well's levels belong to its 512 grid: on another grid the saved
// eigenstate would give way to a plain packet. Every other experiment keeps
// its physics on 256 points across its box.
bool staysOnItsGrid(int preset) { return preset == 10; }

// The labels of a page that still show the hint of an inactive analysis:
// "Load the ... preset", "... recorder inactive: ...".
QStringList hintsShown(const QWidget& page)
{
    QStringList found;
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (label->isVisibleTo(&page) &&
            (label->text().startsWith(QLatin1String("Load ")) || label->text().contains(QLatin1String("inactive:"))))
            found << QStringLiteral("%1: %2").arg(label->objectName(), label->text());
    return found;
}

// The first line of a guide as the browser shows it.
QString firstLineOf(const char* html)
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(html));
    for (const QString& line : document.toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    return {};
}

TEST(PresetTour, EveryExperimentFillsItsAnalysisWithNumbersAndShowsItsGuide)
{
    const auto window = teacherWindow();
    const auto& stack = control<QStackedWidget>(*window, "analysisStackedWidget");
    const auto& english = control<QTextBrowser>(*window, "helpEnglishBrowser");
    const auto& italian = control<QTextBrowser>(*window, "helpItalianBrowser");
    constexpr int kMinimumTicks = 3;
    constexpr int kMaximumTicks = 60;

    for (int index = 0; index < static_cast<int>(presetCount()); ++index) {
        const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(index));
        const std::string where = std::to_string(index) + " (" + preset.title + ")";
        loadFromLibrary(*window, index);
        if (preset.gridResolutionIndex != 0 && !staysOnItsGrid(index))
            choose(*window, "gridResolutionComboBox", 0);
        ASSERT_EQ(window->schroedingerSolver().stepCount(), 0u) << where << " was not loaded";
        const std::int32_t pageIndex = experimentPageForPreset(index);
        ASSERT_TRUE(pageIndex >= 0 && pageIndex < 34) << where;
        const Page& page = kPages[pageIndex];
        ASSERT_EQ(stack.currentWidget()->objectName().toStdString(), page.name) << where;
        const std::size_t before = page.samples(*window);

        // At the experiment's own speed until its page has two samples more
        // (the kicked rotor records once a kick).
        int ticks = 0;
        while ((ticks < kMinimumTicks || page.samples(*window) < before + 2) && ticks < kMaximumTicks) {
            window->onSimulationTick();
            ++ticks;
        }
        EXPECT_GE(page.samples(*window), before + 2) << where << ": " << page.name << " did not fill in "
                                                     << window->schroedingerSolver().stepCount() << " steps";
        ASSERT_TRUE(allFinite(window->waveField())) << where << ": NaN in psi";
        if (!window->spinorField().isEmpty()) {
            ASSERT_TRUE(allFinite(window->spinorField().upper) && allFinite(window->spinorField().lower))
                << where << ": NaN in the spinor";
        }
        for (const ObservableSample& sample : window->observableHistory().samples())
            ASSERT_TRUE(allFinite(sample)) << where << ": a non-finite observation at t = " << sample.time;
        EXPECT_TRUE(nonNumbersInDiagnostics(*window).isEmpty())
            << where << ":\n"
            << nonNumbersInDiagnostics(*window).join('\n').toStdString();
        EXPECT_TRUE(nonNumbersInLabels(*stack.currentWidget()).isEmpty())
            << where << ":\n"
            << nonNumbersInLabels(*stack.currentWidget()).join('\n').toStdString();
        EXPECT_TRUE(hintsShown(*stack.currentWidget()).isEmpty())
            << where << " still asks for its experiment:\n"
            << hintsShown(*stack.currentWidget()).join('\n').toStdString();

        const QString englishGuide = firstLineOf(preset.guideHtmlEnglish);
        const QString italianGuide = firstLineOf(preset.guideHtmlItalian);
        ASSERT_FALSE(englishGuide.isEmpty() || italianGuide.isEmpty()) << where << " has no guide";
        EXPECT_TRUE(english.toPlainText().contains(englishGuide)) << where << ": " << englishGuide.toStdString();
        EXPECT_TRUE(italian.toPlainText().contains(italianGuide)) << where << ": " << italianGuide.toStdString();
    }
}

} // namespace
} // namespace vxo::e2e
