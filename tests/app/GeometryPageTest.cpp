// The geometry page as one potential object: "None" is an object the scene
// refuses, and an object loaded into the page selects its kind and shows its
// fields.

#include "BareFormSuite.h"

#include "app/form/GeometryPage.h"
#include "common/GeometryPageRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <iterator>

namespace vxo {
namespace {

const float PotentialObject::*const kFloatFields[] = {
    &PotentialObject::value,      &PotentialObject::centerX,        &PotentialObject::centerY,
    &PotentialObject::width,      &PotentialObject::height,         &PotentialObject::radius,
    &PotentialObject::length,     &PotentialObject::thickness,      &PotentialObject::wallWidth,
    &PotentialObject::slitHeight, &PotentialObject::slitSeparation, &PotentialObject::sigmaX,
    &PotentialObject::sigmaY,     &PotentialObject::curvatureX,     &PotentialObject::curvatureY,
    &PotentialObject::slopeX,     &PotentialObject::slopeY,         &PotentialObject::softening};

class GeometryPageTest : public test::BareFormSuite {
protected:
    static QDoubleSpinBox* box(const char* name)
    {
        auto* found = window->findChild<QDoubleSpinBox*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // Selects the row's page and fills it.
    static void showRow(const test::PageRow& row)
    {
        form->geometryComboBox->setCurrentIndex(row.index);
        for (const auto& [name, value] : row.values)
            box(name)->setValue(value);
    }
};

// The painted potential of every page is checked in the whole window.
TEST_F(GeometryPageTest, NoneReadsAsAnObjectTheSceneRefuses)
{
    form->geometryComboBox->setCurrentIndex(0);
    const PotentialObject none = readGeometryPage(*form);
    const PotentialObject defaults;
    EXPECT_EQ(none.kind, PotentialObjectKind::None);
    EXPECT_TRUE(none.enabled);
    EXPECT_FALSE(PotentialObject::isValid(none));
    for (std::size_t k = 0; k < std::size(kFloatFields); ++k) {
        const auto field = kFloatFields[k];
        const bool zeroed =
            field == &PotentialObject::value || field == &PotentialObject::width || field == &PotentialObject::height;
        EXPECT_EQ(none.*field, zeroed ? 0.0f : defaults.*field) << "field " << k << " of the object";
    }
}

TEST_F(GeometryPageTest, ALoadedObjectSelectsItsPageAndShowsItsFields)
{
    int selectorSignals = 0;
    const QMetaObject::Connection counter =
        QObject::connect(form->geometryComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), window.get(),
                         [&selectorSignals] { ++selectorSignals; });
    for (const test::PageRow& row : test::pageRows()) {
        if (row.index == 0)
            continue;
        showRow(row);
        PotentialObject object = readGeometryPage(*form);
        object.id = 5;
        object.enabled = false;

        // Leave the page elsewhere with other values, and a drawing tool the
        // load of a rectangle or circle must change.
        form->geometryComboBox->setCurrentIndex(row.index == 7 ? 8 : 7);
        for (const auto& [name, value] : row.values)
            box(name)->setValue(box(name)->minimum());
        const int tool = row.index == 1 ? 1 : 0;
        form->viewportEditToolComboBox->setCurrentIndex(tool);
        form->potentialObjectEnabledCheckBox->setChecked(true);

        selectorSignals = 0;
        ASSERT_TRUE(writeGeometryPage(*form, object)) << "page " << row.index;
        EXPECT_EQ(selectorSignals, 0) << "the geometry selector's handler ran for page " << row.index;
        EXPECT_EQ(form->geometryComboBox->currentIndex(), row.index);
        EXPECT_EQ(form->geometryParametersStackedWidget->currentIndex(), row.index);
        for (const auto& [name, value] : row.values)
            EXPECT_DOUBLE_EQ(box(name)->value(), value) << name;
        EXPECT_FALSE(form->potentialObjectEnabledCheckBox->isChecked()) << "page " << row.index;
        const int expectedTool = row.index == 1 ? 0 : row.index == 2 ? 1 : tool;
        EXPECT_EQ(form->viewportEditToolComboBox->currentIndex(), expectedTool) << "page " << row.index;

        const PotentialObject reread = readGeometryPage(*form);
        EXPECT_EQ(reread.kind, object.kind);
        for (const auto field : kFloatFields)
            EXPECT_EQ(reread.*field, object.*field) << "page " << row.index << " changed on reload";
    }

    // Kind None or a stored kind above 11 leave the whole page alone.
    form->geometryComboBox->setCurrentIndex(4);
    form->potentialObjectEnabledCheckBox->setChecked(true);
    for (const auto kind : {PotentialObjectKind::None, static_cast<PotentialObjectKind>(12)}) {
        PotentialObject object;
        object.kind = kind;
        object.enabled = false;
        EXPECT_FALSE(writeGeometryPage(*form, object)) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(form->geometryComboBox->currentIndex(), 4);
        EXPECT_TRUE(form->potentialObjectEnabledCheckBox->isChecked());
    }
    QObject::disconnect(counter);
}

} // namespace
} // namespace vxo
