// The settings and the single geometry in the whole window: the stored copies
// behind the form, the order of the settings writers, the single geometry
// that stands in for a scene that is off or empty, and the scene object
// loaded back into the geometry page.

#include "common/AppTestSupport.h"
#include "common/GeometryPageRows.h"

#include "app/mainwindow/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace vxo {

// The window's settings and single-geometry operations, called directly.
struct SettingsProbe {
    MainWindow& window;

    void resetPotential(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
    {
        window.potential.reset(nx, ny, dx, dy);
    }
    std::uint64_t addToScene(const PotentialObject& object) { return window.potentialScene.add(object); }
    PotentialObject pageObject() const { return window.currentPotentialObject(); }
    void buildLegacyPotential() { window.buildLegacyPotential(); }
    void loadIntoPage(const PotentialObject& object) { window.loadObjectIntoGeometryInspector(object); }
    void applyRecords(const ExperimentSettingsRecords& records) { window.applySettingsRecords(records); }
    KleinTunnelingConfig klein() const { return window.formSettings<KleinTunnelingConfig>(); }
    ZitterbewegungConfig zitterbewegung() const { return window.formSettings<ZitterbewegungConfig>(); }
    LandauConfig landau() const { return window.formSettings<LandauConfig>(); }
};

namespace {

class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window = std::make_unique<MainWindow>(nullptr, false);
    }

    void TearDown() override { window.reset(); }

    static SettingsProbe probe() { return SettingsProbe{*window}; }

    template <typename Widget>
    static Widget* control(const char* name)
    {
        auto* found = window->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // The row's page selected and filled as a loader does, no handler running.
    static void showPage(const test::PageRow& row)
    {
        auto* selector = control<QComboBox>("geometryComboBox");
        const QSignalBlocker blockSelector(selector);
        selector->setCurrentIndex(row.index);
        control<QStackedWidget>("geometryParametersStackedWidget")->setCurrentIndex(row.index);
        for (const auto& [name, value] : row.values) {
            auto* box = control<QDoubleSpinBox>(name);
            const QSignalBlocker blockBox(box);
            box->setValue(value);
        }
    }

    static void setChecked(const char* name, bool checked)
    {
        auto* box = control<QCheckBox>(name);
        const QSignalBlocker blocker(box);
        box->setChecked(checked);
    }

    // The rows' painters, each on a zeroed grid like the window's, added up
    // in order as the scene adds its objects.
    static PotentialField2D painted(std::initializer_list<std::size_t> rows)
    {
        const PotentialField2D& in = window->potentialField();
        PotentialField2D sum(in.nx(), in.ny(), in.dx(), in.dy());
        for (const std::size_t index : rows) {
            PotentialField2D one(in.nx(), in.ny(), in.dx(), in.dy());
            test::pageRows()[index].paint(one);
            sum.accumulate(one, 1.0f);
        }
        return sum;
    }

    static std::size_t differingCells(const PotentialField2D& expected)
    {
        const PotentialField2D& actual = window->potentialField();
        std::size_t differing = 0;
        for (std::size_t k = 0; k < expected.size(); ++k)
            differing += actual.values()[k] != expected.values()[k] ? 1 : 0;
        return differing;
    }

    inline static std::unique_ptr<MainWindow> window;
};

TEST_F(SettingsWindow, TheSingleGeometryStandsInForASceneThatIsOffOrEmpty)
{
    ASSERT_TRUE(window->scene().empty());
    // 256 x 128 cells of 0.16 x 0.24, whatever grid the form asks for.
    probe().resetPotential(256, 128, 0.16f, 0.24f);
    setChecked("potentialSceneActiveCheckBox", false);
    for (const test::PageRow& row : test::pageRows()) {
        showPage(row);
        probe().buildLegacyPotential();
        EXPECT_EQ(differingCells(painted({static_cast<std::size_t>(row.index)})), 0u)
            << "cells differ from page " << row.index;
    }

    // The scene box alone does not make an empty scene the potential.
    setChecked("potentialSceneActiveCheckBox", true);
    showPage(test::pageRows()[3]);
    probe().buildLegacyPotential();
    EXPECT_EQ(differingCells(painted({3})), 0u) << "an empty scene replaced the page";

    // A circle and a Gaussian taken from their pages into the scene.
    for (const std::size_t index : {2u, 7u}) {
        showPage(test::pageRows()[index]);
        ASSERT_NE(probe().addToScene(probe().pageObject()), 0u) << "page " << index;
    }
    showPage(test::pageRows()[9]);
    probe().buildLegacyPotential();
    EXPECT_EQ(differingCells(painted({2, 7})), 0u) << "the scene in force";
    setChecked("potentialSceneActiveCheckBox", false);
    probe().buildLegacyPotential();
    EXPECT_EQ(differingCells(painted({9})), 0u) << "the page of a scene switched off";

    // A scene object goes back into its page, whichever page is showing.
    for (const PotentialObject& object : window->scene().objects()) {
        const std::size_t index = object.kind == PotentialObjectKind::Circle ? 2 : 7;
        probe().loadIntoPage(object);
        EXPECT_EQ(control<QComboBox>("geometryComboBox")->currentIndex(), static_cast<int>(index));
        EXPECT_EQ(control<QStackedWidget>("geometryParametersStackedWidget")->currentIndex(), static_cast<int>(index));
        for (const auto& [name, value] : test::pageRows()[index].values)
            EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(name)->value(), value) << name << " of object #" << object.id;
    }
}

TEST_F(SettingsWindow, WritersKeepTheStoredCopiesAndALaterEnabledRecordWins)
{
    ExperimentSettingsRecords records;
    records.quantumZitterbewegung.enabled = true;
    records.quantumKleinTunneling.enabled = true;
    records.quantumKleinTunneling.centerY = 1.75; // no control carries it
    records.quantumKleinTunneling.restMass = 0.125;
    records.quantumLandau.enabled = true;
    records.quantumLandau.orbitRadius = 6.25;
    records.quantumAharonovBohm.solenoidRadius = 10.0; // beyond its control's maximum 8
    probe().applyRecords(records);

    const ExperimentSettingsRecords& stored = window->storedRecords();
    EXPECT_EQ(stored.quantumKleinTunneling.centerY, 1.75);
    EXPECT_EQ(stored.quantumAharonovBohm.solenoidRadius, 10.0) << "stored as written";
    EXPECT_EQ(stored.quantumLandau.orbitRadius, 6.25);
    EXPECT_TRUE(stored.quantumZitterbewegung.enabled) << "the stored record is the one written";

    // Klein, written after Zitterbewegung, switched its box off; Landau,
    // written before both Dirac modes, was switched off by them.
    EXPECT_TRUE(probe().klein().enabled);
    EXPECT_FALSE(probe().zitterbewegung().enabled);
    EXPECT_FALSE(probe().landau().enabled);
    EXPECT_EQ(probe().klein().centerY, 1.75) << "the field without a control comes from the stored copy";
    EXPECT_EQ(probe().klein().restMass, 0.125);

    // A control edited by hand is read at once; the stored copy waits for
    // the next writer.
    auto* mass = control<QDoubleSpinBox>("kleinMassSpinBox");
    {
        const QSignalBlocker blocker(mass);
        mass->setValue(0.5);
    }
    EXPECT_EQ(probe().klein().restMass, 0.5);
    EXPECT_EQ(window->storedRecords().quantumKleinTunneling.restMass, 0.125);
    EXPECT_EQ(control<QDoubleSpinBox>("aharonovBohmRadiusSpinBox")->value(), 8.0);
}

} // namespace
} // namespace vxo
