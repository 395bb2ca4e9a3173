// The analysis dock: the 34 pages of the analysis stack in their order (guided
// experiments and the saved window state address them by index), the pattern
// each page follows, and the scar filter energy that must carry the record's 0.

#include "FormTestSupport.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "plots/PlotLayouts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vxo::test {
namespace {

struct AnalysisPage {
    const char* page;
    const char* title;
    const char* tutor;   // nullptr: no tutor label
    const char* summary; // nullptr: no summary label
    const char* plot;
    int controls; // rows or groups of the page's own controls
};

// In stack order.
const std::vector<AnalysisPage>& analysisPages()
{
    static const std::vector<AnalysisPage> pages = {
        {"timeSeriesTab", "Time series", nullptr, nullptr, "timeSeriesPlotWidget", 1},
        {"resonanceTab", "Resonance", nullptr, "resonanceSummaryLabel", "resonancePlotWidget", 2},
        {"boundStatesTab", "Bound states", nullptr, "boundSummaryLabel", "boundStatePlotWidget", 4},
        {"doubleWellTab", "Double well", nullptr, "doubleWellSummaryLabel", "doubleWellPlotWidget", 0},
        {"quenchTab", "Quench", nullptr, "quenchSummaryLabel", "quenchPlotWidget", 0},
        {"periodicDriveTab", "Periodic drive", nullptr, "periodicDriveSummaryLabel", "periodicDrivePlotWidget", 0},
        {"rabiTab", "Rabi", nullptr, "rabiSummaryLabel", "rabiPlotWidget", 0},
        {"landauZenerTab", "Landau-Zener", nullptr, "landauZenerSummaryLabel", "landauZenerPlotWidget", 0},
        {"stueckelbergTab", "Stueckelberg", nullptr, "stueckelbergSummaryLabel", "stueckelbergPlotWidget", 0},
        {"ramseyTab", "Ramsey", nullptr, "ramseySummaryLabel", "ramseyPlotWidget", 1},
        {"blochTab", "Bloch", "blochTutorLabel", "blochSummaryLabel", "blochPlotWidget", 0},
        {"revivalsTab", "Revivals", "revivalTutorLabel", "revivalSummaryLabel", "revivalPlotWidget", 0},
        {"billiardsTab", "Billiards", "billiardTutorLabel", "billiardSummaryLabel", "billiardPlotWidget", 0},
        {"talbotTab", "Talbot", "talbotTutorLabel", "talbotSummaryLabel", "talbotPlotWidget", 0},
        {"bouncerTab", "Bouncer", "bouncerTutorLabel", "bouncerSummaryLabel", "bouncerPlotWidget", 0},
        {"vortexTab", "Vortex", "vortexTutorLabel", "vortexSummaryLabel", "vortexPlotWidget", 0},
        {"andersonTab", "Anderson", "andersonTutorLabel", "andersonSummaryLabel", "andersonPlotWidget", 0},
        {"kickedRotorTab", "Kicked Rotor", "kickedRotorTutorLabel", "kickedRotorSummaryLabel", "kickedRotorPlotWidget",
         1},
        {"zenoTab", "Zeno", "zenoTutorLabel", "zenoSummaryLabel", "zenoPlotWidget", 1},
        {"scarsTab", "Scars", "scarsTutorLabel", "scarSummaryLabel", "scarPlotWidget", 1},
        {"berryTab", "Berry Phase", "berryTutorLabel", "berrySummaryLabel", "berryPlotWidget", 0},
        {"loschmidtTab", "Loschmidt", "loschmidtTutorLabel", "loschmidtSummaryLabel", "loschmidtPlotWidget", 0},
        {"moshinskyTab", "Diffraction in Time", "moshinskyTutorLabel", "moshinskySummaryLabel", "moshinskyPlotWidget",
         0},
        {"kapitzaDiracTab", "Kapitza-Dirac", "kapitzaDiracTutorLabel", "kapitzaDiracSummaryLabel",
         "kapitzaDiracPlotWidget", 0},
        {"aharonovBohmTab", "Aharonov-Bohm", "aharonovBohmTutorLabel", "aharonovBohmSummaryLabel",
         "aharonovBohmPlotWidget", 0},
        {"landauTab", "Landau", "landauTutorLabel", "landauSummaryLabel", "landauPlotWidget", 0},
        {"hallEdgeTab", "Hall Edge", "hallEdgeTutorLabel", "hallEdgeSummaryLabel", "hallEdgePlotWidget", 0},
        {"backflowTab", "Backflow", "backflowTutorLabel", "backflowSummaryLabel", "backflowPlotWidget", 0},
        {"zitterTab", "Zitterbewegung", "zitterTutorLabel", "zitterSummaryLabel", "zitterPlotWidget", 0},
        {"kleinTab", "Klein Tunneling", "kleinTutorLabel", "kleinSummaryLabel", "kleinPlotWidget", 0},
        {"kleinAngleScanTab", "Klein Angle Scan", "kleinAngleScanTutorLabel", "kleinAngleScanSummaryLabel",
         "kleinAngleScanPlotWidget", 0},
        {"kleinHeightScanTab", "Klein V0 Scan", "kleinHeightScanTutorLabel", "kleinHeightScanSummaryLabel",
         "kleinHeightScanPlotWidget", 0},
        {"kleinMassScanTab", "Klein Mass Scan", "kleinMassScanTutorLabel", "kleinMassScanSummaryLabel",
         "kleinMassScanPlotWidget", 0},
        {"diracMasslessTab", "Massless Dirac", "diracMasslessTutorLabel", "diracMasslessSummaryLabel",
         "diracMasslessPlotWidget", 0},
    };
    return pages;
}

QString nameAt(QLayout* layout, int index)
{
    QLayoutItem* item = layout->itemAt(index);
    if (item == nullptr)
        return QStringLiteral("(none)");
    return item->widget() ? item->widget()->objectName() : item->layout() ? item->layout()->objectName() : "(spacer)";
}

TEST(FormAnalysisPagesTest, TheStackHoldsThirtyFourPagesInOrderEachFollowingThePagePattern)
{
    BareForm form;
    QStackedWidget* stack = form.ui.analysisStackedWidget;
    ASSERT_EQ(stack->count(), static_cast<int>(analysisPages().size()));
    ASSERT_EQ(stack->count(), 34);
    for (int i = 0; i < stack->count(); ++i) {
        const AnalysisPage& row = analysisPages()[i];
        QWidget* page = stack->widget(i);
        ASSERT_EQ(page->objectName().toStdString(), row.page) << "index " << i;
        EXPECT_EQ(page->windowTitle().toStdString(), row.title) << row.page << ": the selector lists this title";

        auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
        ASSERT_NE(layout, nullptr) << row.page;
        EXPECT_EQ(layout->objectName().toStdString(), std::string(row.page) + "Layout");
        // 4 px on every page: on a 768-line screen the dock cannot spare the
        // toolkit's 9 px around the figure.
        EXPECT_EQ(layout->contentsMargins(), QMargins(4, 4, 4, 4)) << row.page;

        // Tutor, own controls, summary, plot: top to bottom.
        const int expectedItems = (row.tutor ? 1 : 0) + row.controls + (row.summary ? 1 : 0) + 1;
        ASSERT_EQ(layout->count(), expectedItems) << row.page;
        if (row.tutor) {
            EXPECT_EQ(nameAt(layout, 0).toStdString(), row.tutor) << row.page;
            const auto* tutor = page->findChild<QLabel*>(row.tutor);
            ASSERT_NE(tutor, nullptr) << row.tutor;
            EXPECT_TRUE(tutor->wordWrap()) << row.tutor;
            EXPECT_EQ(tutor->textFormat(), Qt::AutoText) << row.tutor;
        }
        if (row.summary) {
            EXPECT_EQ(nameAt(layout, layout->count() - 2).toStdString(), row.summary) << row.page;
            const auto* summary = page->findChild<QLabel*>(row.summary);
            ASSERT_NE(summary, nullptr) << row.summary;
            // Wrapped, so that no summary widens its page past the dock.
            EXPECT_TRUE(summary->wordWrap()) << row.summary;
            // Every summary shows its figures in the value font but the Berry one.
            const bool consolas = (summary->font().resolve() & QFont::FamilyResolved) != 0;
            EXPECT_EQ(consolas, summary != form.ui.berrySummaryLabel) << row.summary;
            if (consolas) {
                EXPECT_EQ(summary->font().family(), "Consolas") << row.summary;
            }
        }
        QWidget* plot = page->findChild<QWidget*>(row.plot, Qt::FindDirectChildrenOnly);
        ASSERT_NE(plot, nullptr) << row.plot << " is not a child of " << row.page;
        EXPECT_EQ(layout->itemAt(layout->count() - 1)->widget(), plot) << row.plot << " is not the last item";
        EXPECT_EQ(plot->sizePolicy(), QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding)) << row.plot;
        // Never squeezed below one framed panel of about 100 px under its
        // title and over its axis labels, or two side by side; the page
        // scrolls instead, and above it the plot takes the height given.
        EXPECT_EQ(plot->minimumWidth(), 0) << row.plot;
        const std::string name = row.plot;
        const bool interference = name == "stueckelbergPlotWidget" || name == "ramseyPlotWidget";
        EXPECT_EQ(plot->minimumHeight(), interference ? 150 : plot::kLeastPlotHeight) << row.plot;
    }
    EXPECT_EQ(stack->currentIndex(), 0);
}

// A plot lays its two panels one over the other on a tall page and side by
// side on a short, wide one: a tutor text names a part of the plot by what it
// shows, never as the upper or lower one (the rows and lanes of the viewport
// keep their places).
TEST(FormAnalysisPagesTest, TutorTextsNameThePlotsPartsByWhatTheyShowNotWhereTheyStand)
{
    BareForm form;
    const QRegularExpression placed(
        QStringLiteral(R"(\b(upper|lower|top|bottom|left|right)\s+(panel|panels|map|trace|traces|bars|plot|graph)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    int tutors = 0;
    for (const AnalysisPage& row : analysisPages()) {
        if (!row.tutor)
            continue;
        const auto* tutor = form.ui.analysisStackedWidget->findChild<QLabel*>(row.tutor);
        ASSERT_NE(tutor, nullptr) << row.tutor;
        ++tutors;
        const QRegularExpressionMatch match = placed.match(tutor->text());
        EXPECT_FALSE(match.hasMatch()) << row.tutor << " says \"" << match.captured().toStdString() << "\"";
    }
    EXPECT_EQ(tutors, 24);
}

TEST(FormAnalysisPagesTest, ScarFilterEnergyCarriesTheRecordsZeroThatStandsForThePacketEnergy)
{
    BareForm form;
    QDoubleSpinBox* energy = form.ui.scarEnergySpinBox;
    EXPECT_EQ(energy->decimals(), 2);
    EXPECT_DOUBLE_EQ(energy->maximum(), 100.0);
    EXPECT_DOUBLE_EQ(energy->singleStep(), 0.25);
    EXPECT_DOUBLE_EQ(energy->value(), 9.5);
    // A document writes the record into the box and captures it back.
    for (const double stored : {0.0, 0.05, 9.5, 100.0}) {
        energy->setValue(stored);
        EXPECT_DOUBLE_EQ(energy->value(), stored) << "a stored " << stored << " does not survive a round trip";
    }
    energy->setValue(0.0);
    EXPECT_TRUE(energy->text().contains("packet", Qt::CaseInsensitive))
        << "0 shows as " << energy->text().toStdString() << ", not as the packet's energy";
    energy->setValue(0.25);
    EXPECT_EQ(energy->text(), energy->locale().toString(0.25, 'f', 2)) << "only 0 stands for the packet's energy";
}

} // namespace
} // namespace vxo::test
