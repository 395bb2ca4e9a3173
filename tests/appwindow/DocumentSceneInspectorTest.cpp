// A document applied with the Potential Scene on: the geometry inspector
// shows the object highlighted in the scene list, whatever object the pages
// showed when the document was saved, so "Apply changes" writes nothing new.

#include "common/AppTestSupport.h"

#include "app/MainWindow.h"
#include "document/PotentialSceneJson.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>

namespace vxo {
namespace {

template <typename Widget>
Widget* child(const MainWindow& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name << " is missing";
    return found;
}

// Every field of every object, as a document stores them.
std::string sceneFields(const PotentialScene& scene)
{
    QJsonArray fields;
    for (const PotentialObject& object : scene.objects())
        fields.append(writePotentialSceneObject(object));
    return QJsonDocument(fields).toJson(QJsonDocument::Compact).toStdString();
}

TEST(DocumentSceneInspector, ShowsTheHighlightedObjectAndApplyingItChangesNothing)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    // The double barrier: a wide domain on a square grid, so dx = 2 dy.
    constexpr int kDoubleBarrierPreset = 7;
    window.loadGuidedExperiment(kDoubleBarrierPreset);
    auto* geometry = child<QComboBox>(window, "geometryComboBox");
    auto* list = child<QListWidget>(window, "potentialSceneListWidget");
    auto* sceneOn = child<QCheckBox>(window, "potentialSceneActiveCheckBox");
    ASSERT_TRUE(geometry && list && sceneOn);
    ASSERT_TRUE(sceneOn->isChecked());
    ASSERT_GE(window.scene().size(), 2u);

    // A circle added last is the object in the inspector when it is saved;
    // the barriers come before it in the list.
    geometry->setCurrentIndex(int(PotentialObjectKind::Circle));
    child<QDoubleSpinBox>(window, "circleRadiusSpinBox")->setValue(1.75);
    child<QDoubleSpinBox>(window, "circleCenterXSpinBox")->setValue(-6.5);
    child<QPushButton>(window, "addPotentialObjectButton")->click();
    ASSERT_EQ(window.scene().objects().back().kind, PotentialObjectKind::Circle);
    ASSERT_NE(window.scene().objects().front().kind, PotentialObjectKind::Circle);
    const ExperimentDocument document = window.captureExperimentDocument();
    ASSERT_EQ(document.controls.value(QStringLiteral("geometryComboBox")).toInt(),
              int(PotentialObjectKind::Circle));

    // A free packet empties the list, so the applied scene highlights its first object.
    window.loadGuidedExperiment(0);
    QString error;
    ASSERT_TRUE(window.applyExperimentDocument(document, error)) << error.toStdString();
    ASSERT_TRUE(sceneOn->isChecked());
    ASSERT_NE(list->currentItem(), nullptr);
    const std::uint64_t highlighted = list->currentItem()->data(Qt::UserRole).toULongLong();
    const PotentialObject* shown = window.scene().find(highlighted);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(geometry->currentIndex(), int(shown->kind))
        << "the inspector shows the kind of the object saved in the pages, not of the highlighted one";

    const std::string before = sceneFields(window.scene());
    child<QPushButton>(window, "updatePotentialObjectButton")->click();
    EXPECT_EQ(sceneFields(window.scene()), before) << "Apply changes without edits changed the scene";
}

} // namespace
} // namespace vxo
