// The Wave Packet, Measurement and Rendering tabs as the user reads them:
// every field beside its own label, the groups in their scroll areas, and the
// read-out labels in their fonts.

#include "FormTestSupport.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <vector>

namespace vxo::test {
namespace {

// A field's label is named after the field: the stem with "Label".
QString labelNameFor(const QString& field)
{
    for (const char* suffix : {"ValueLabel", "SpinBox", "ComboBox", "CheckBox"})
        if (field.endsWith(QLatin1String(suffix)))
            return field.chopped(static_cast<int>(qstrlen(suffix))) + "Label";
    return QString();
}

TEST(FormControlTabsTest, EveryFieldSitsBesideItsOwnLabel)
{
    BareForm form;
    int rows = 0;
    for (QWidget* tab : {form.ui.wavePacketTab, form.ui.measurementTab, form.ui.renderingTab})
        for (const QFormLayout* layout : tab->findChildren<QFormLayout*>()) {
            for (int r = 0; r < layout->rowCount(); ++r) {
                if (layout->itemAt(r, QFormLayout::SpanningRole) != nullptr)
                    continue; // a hint, a button or a read-out across the group
                QLayoutItem* field = layout->itemAt(r, QFormLayout::FieldRole);
                QLayoutItem* caption = layout->itemAt(r, QFormLayout::LabelRole);
                ASSERT_TRUE(field != nullptr && field->widget() != nullptr)
                    << layout->objectName().toStdString() << " row " << r << " has no field";
                ASSERT_TRUE(caption != nullptr && caption->widget() != nullptr)
                    << layout->objectName().toStdString() << " row " << r << " has a field without a label";
                const QString name = field->widget()->objectName();
                EXPECT_EQ(caption->widget()->objectName().toStdString(), labelNameFor(name).toStdString())
                    << name.toStdString() << " sits beside " << caption->widget()->objectName().toStdString();
                ++rows;
            }
        }
    EXPECT_EQ(rows, 7 + 4 + 4 + 8 + 5 + 4 + 6 + 5 + 4 + 6) << "fields in the ten form layouts";
}

TEST(FormControlTabsTest, MeasurementAndRenderingGroupsStandInOrderInResizableScrollAreas)
{
    BareForm form;
    const struct {
        const QScrollArea* area;
        std::vector<const char*> groups;
        bool framed;
    } areas[] = {
        {form.ui.scrollArea,
         {"positionMeasurementGroupBox", "singleSystemCollapseGroupBox", "detectorScreenGroupBox"},
         true},
        {form.ui.renderingScrollArea,
         {"viewGroupBox", "potentialContoursGroupBox", "probabilityContoursGroupBox", "currentGroupBox",
          "presetGroupBox", "postProcessGroupBox"},
         false},
    };
    for (const auto& row : areas) {
        const std::string name = row.area->objectName().toStdString();
        EXPECT_TRUE(row.area->widgetResizable()) << name << ": the contents follow the area's width";
        EXPECT_EQ(row.area->frameShape() != QFrame::NoFrame, row.framed) << name;
        const QLayout* contents = row.area->widget()->layout();
        ASSERT_NE(contents, nullptr) << name;
        for (int i = 0; i < static_cast<int>(row.groups.size()); ++i) {
            const QWidget* group = contents->itemAt(i) ? contents->itemAt(i)->widget() : nullptr;
            ASSERT_TRUE(qobject_cast<const QGroupBox*>(group) != nullptr) << name << " item " << i;
            EXPECT_EQ(group->objectName().toStdString(), row.groups[i]) << name << " item " << i;
        }
    }
}

TEST(FormControlTabsTest, ReadOutLabelsShowTheirFont)
{
    BareForm form;
    const struct {
        const QLabel* label;
        bool consolas;
        bool bold;
    } labels[] = {
        {form.ui.energyValueLabel, true, true},
        {form.ui.measurementTotalValueLabel, true, true},
        {form.ui.collapseOutcomeValueLabel, true, true},
        {form.ui.collapsePositionSpreadValueLabel, true, false},
        {form.ui.collapseMomentumSpreadValueLabel, true, false},
        {form.ui.detectorFluxValueLabel, true, true},
        {form.ui.detectorTvdValueLabel, true, true},
        {form.ui.crossSectionActualValueLabel, true, false},
        {form.ui.timeSeriesSampleCountLabel, true, false},
        {form.ui.analysisPageTitleLabel, false, true},
    };
    for (const auto& row : labels) {
        const std::string name = row.label->objectName().toStdString();
        const QFont font = row.label->font();
        EXPECT_EQ((font.resolve() & QFont::FamilyResolved) != 0, row.consolas) << name;
        if (row.consolas) {
            EXPECT_EQ(font.family(), "Consolas") << name;
        }
        EXPECT_EQ(font.bold(), row.bold) << name;
    }
}

} // namespace
} // namespace vxo::test
