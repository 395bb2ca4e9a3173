// The geometry page as one potential object: each of the twelve pages paints
// what the core painter paints for its kind (on a grid of non-square cells),
// and an object loaded into the page selects its kind and shows its fields.

#include "BareFormSuite.h"

#include "app/GeometryPage.h"
#include "common/GeometryPageRows.h"
#include "core/PotentialField2D.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace vxo {
namespace {

const float PotentialObject::*const kFloatFields[] = {
    &PotentialObject::value,      &PotentialObject::centerX,    &PotentialObject::centerY,
    &PotentialObject::width,      &PotentialObject::height,     &PotentialObject::radius,
    &PotentialObject::length,     &PotentialObject::thickness,  &PotentialObject::wallWidth,
    &PotentialObject::slitHeight, &PotentialObject::slitSeparation, &PotentialObject::sigmaX,
    &PotentialObject::sigmaY,     &PotentialObject::curvatureX, &PotentialObject::curvatureY,
    &PotentialObject::slopeX,     &PotentialObject::slopeY,     &PotentialObject::softening};

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

    // 64 x 32 cells of 0.3 x 0.45.
    static PotentialField2D grid() { return PotentialField2D(64, 32, 0.3f, 0.45f); }
};

TEST_F(GeometryPageTest, EachPagePaintsWhatTheCorePainterOfItsKindPaints)
{
    for (const test::PageRow& row : test::pageRows()) {
        showRow(row);
        const PotentialObject object = readGeometryPage(*form);
        EXPECT_EQ(object.kind, static_cast<PotentialObjectKind>(row.index)) << "page " << row.index;
        EXPECT_EQ(object.id, 0u) << "page " << row.index;
        EXPECT_TRUE(object.enabled) << "page " << row.index;

        PotentialField2D painted = grid();
        PotentialObject::applyTo(object, painted);
        PotentialField2D expected = grid();
        row.paint(expected);
        std::size_t differing = 0;
        for (std::size_t k = 0; k < expected.size(); ++k)
            differing += painted.values()[k] != expected.values()[k] ? 1 : 0;
        EXPECT_EQ(differing, 0u) << "cells painted differently on page " << row.index;
        if (row.index != 0) {
            EXPECT_NE(expected.maxValue() - expected.minValue(), 0.0f) << "page " << row.index << " paints nothing";
        }
    }

    // "None" is an object the scene refuses: no strength and no size.
    form->geometryComboBox->setCurrentIndex(0);
    const PotentialObject none = readGeometryPage(*form);
    const PotentialObject defaults;
    EXPECT_EQ(none.value, 0.0f);
    EXPECT_EQ(none.width, 0.0f);
    EXPECT_EQ(none.height, 0.0f);
    for (const auto field : kFloatFields) {
        if (field != &PotentialObject::value && field != &PotentialObject::width &&
            field != &PotentialObject::height) {
            EXPECT_EQ(none.*field, defaults.*field) << "the other fields keep the default object's";
        }
    }
}

TEST_F(GeometryPageTest, ALoadedObjectSelectsItsPageAndShowsItsFields)
{
    int selectorSignals = 0;
    const QMetaObject::Connection counter =
        QObject::connect(form->geometryComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged),
                         window.get(), [&selectorSignals] { ++selectorSignals; });
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
