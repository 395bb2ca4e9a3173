// The geometry page as one potential object: each of the twelve pages paints
// what the core painter paints for its kind (on a grid of non-square cells),
// and an object loaded into the page selects its kind and shows its fields.

#include "BareFormSuite.h"

#include "app/GeometryPage.h"
#include "core/PotentialField2D.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using Vertex = PotentialField2D::Vertex;

const float PotentialObject::*const kFloatFields[] = {
    &PotentialObject::value,      &PotentialObject::centerX,    &PotentialObject::centerY,
    &PotentialObject::width,      &PotentialObject::height,     &PotentialObject::radius,
    &PotentialObject::length,     &PotentialObject::thickness,  &PotentialObject::wallWidth,
    &PotentialObject::slitHeight, &PotentialObject::slitSeparation, &PotentialObject::sigmaX,
    &PotentialObject::sigmaY,     &PotentialObject::curvatureX, &PotentialObject::curvatureY,
    &PotentialObject::slopeX,     &PotentialObject::slopeY,     &PotentialObject::softening};

// One page: its values by spin box and the painter call its kind makes, with
// the arguments worked out by hand.
struct PageRow {
    int index;
    std::vector<std::pair<const char*, double>> values;
    std::function<void(PotentialField2D&)> paint;
};

const std::vector<PageRow>& pageRows()
{
    static const std::vector<PageRow> rows = {
        {0, {}, [](PotentialField2D&) {}},
        {1,
         {{"rectangleV0SpinBox", 6.5}, {"rectangleCenterXSpinBox", 1.2}, {"rectangleCenterYSpinBox", -0.8},
          {"rectangleWidthSpinBox", 3.3}, {"rectangleHeightSpinBox", 1.7}},
         [](PotentialField2D& f) { f.addRectangle(1.2f, -0.8f, 3.3f, 1.7f, 6.5f); }},
        {2,
         {{"circleV0SpinBox", 7.25}, {"circleCenterXSpinBox", -1.1}, {"circleCenterYSpinBox", 0.9},
          {"circleRadiusSpinBox", 1.85}},
         [](PotentialField2D& f) { f.addCircle(-1.1f, 0.9f, 1.85f, 7.25f); }},
        // A vertical segment from y = 0.5 - 2.25 to y = 0.5 + 2.25.
        {3,
         {{"barrierV0SpinBox", 4.5}, {"barrierCenterXSpinBox", 0.3}, {"barrierCenterYSpinBox", 0.5},
          {"barrierLengthSpinBox", 4.5}, {"barrierThicknessSpinBox", 0.64}},
         [](PotentialField2D& f) { f.addBarrier(0.3f, -1.75f, 0.3f, 2.75f, 0.64f, 4.5f); }},
        {4,
         {{"singleSlitV0SpinBox", 8.25}, {"singleSlitCenterXSpinBox", 0.6}, {"singleSlitCenterYSpinBox", -0.7},
          {"singleSlitWallWidthSpinBox", 0.44}, {"singleSlitHeightSpinBox", 1.35}},
         [](PotentialField2D& f) { f.addSingleSlit(0.6f, 0.44f, -0.7f, 1.35f, 8.25f); }},
        {5,
         {{"doubleSlitV0SpinBox", 9.5}, {"doubleSlitCenterXSpinBox", -0.9}, {"doubleSlitCenterYSpinBox", 0.4},
          {"doubleSlitWallWidthSpinBox", 0.36}, {"doubleSlitSeparationSpinBox", 2.6},
          {"doubleSlitHeightSpinBox", 0.85}},
         [](PotentialField2D& f) { f.addDoubleSlit(-0.9f, 0.36f, 0.4f, 2.6f, 0.85f, 9.5f); }},
        // Tip on the left, base on the right.
        {6,
         {{"polygonV0SpinBox", 5.75}, {"polygonCenterXSpinBox", -0.45}, {"polygonCenterYSpinBox", 0.0},
          {"polygonWidthSpinBox", 2.3}, {"polygonHeightSpinBox", 4.4}},
         [](PotentialField2D& f) {
             f.addPolygon(std::vector<Vertex>{{-1.6f, 0.0f}, {0.7f, -2.2f}, {0.7f, 2.2f}}, 5.75f);
         }},
        {7,
         {{"gaussianAmplitudeSpinBox", -4.25}, {"gaussianCenterXSpinBox", 1.5}, {"gaussianCenterYSpinBox", -0.75},
          {"gaussianSigmaXSpinBox", 2.25}, {"gaussianSigmaYSpinBox", 1.125}},
         [](PotentialField2D& f) { f.addGaussian(1.5f, -0.75f, 2.25f, 1.125f, -4.25f); }},
        {8,
         {{"harmonicOffsetSpinBox", 0.5}, {"harmonicCenterXSpinBox", -1.25}, {"harmonicCenterYSpinBox", 0.75},
          {"harmonicKxSpinBox", 0.42}, {"harmonicKySpinBox", 0.18}},
         [](PotentialField2D& f) { f.addHarmonic(-1.25f, 0.75f, 0.5f, 0.42f, 0.18f); }},
        {9,
         {{"linearOffsetSpinBox", -1.5}, {"linearCenterXSpinBox", 0.5}, {"linearCenterYSpinBox", 1.0},
          {"linearSlopeXSpinBox", 0.35}, {"linearSlopeYSpinBox", -0.15}},
         [](PotentialField2D& f) { f.addLinear(0.5f, 1.0f, -1.5f, 0.35f, -0.15f); }},
        {10,
         {{"radialCouplingSpinBox", -3.5}, {"radialCenterXSpinBox", 0.75}, {"radialCenterYSpinBox", -0.25},
          {"radialSofteningSpinBox", 0.65}},
         [](PotentialField2D& f) { f.addSoftenedRadial(0.75f, -0.25f, -3.5f, 0.65f); }},
        {11,
         {{"stadiumV0SpinBox", 120.5}, {"stadiumCenterXSpinBox", 0.3}, {"stadiumCenterYSpinBox", -0.45},
          {"stadiumStraightSpinBox", 6.5}, {"stadiumRadiusSpinBox", 2.75}},
         [](PotentialField2D& f) { f.addStadiumExterior(0.3f, -0.45f, 6.5f, 2.75f, 120.5f); }},
    };
    return rows;
}

class GeometryPageTest : public test::BareFormSuite {
protected:
    static QDoubleSpinBox* box(const char* name)
    {
        auto* found = window->findChild<QDoubleSpinBox*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // Selects the row's page and fills it.
    static void showRow(const PageRow& row)
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
    for (const PageRow& row : pageRows()) {
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
    for (const PageRow& row : pageRows()) {
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
