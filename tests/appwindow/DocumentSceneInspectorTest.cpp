// A document applied with the Potential Scene on: the geometry inspector
// shows the object highlighted in the scene list, not the object the pages
// showed when the document was saved, so "Apply changes" writes nothing new.

#include "common/AppTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "document/PotentialSceneJson.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>

namespace vxo {
namespace {

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
    auto* geometry = window.findChild<QComboBox*>("geometryComboBox");
    auto* list = window.findChild<QListWidget*>("potentialSceneListWidget");
    auto* radius = window.findChild<QDoubleSpinBox*>("circleRadiusSpinBox");
    auto* add = window.findChild<QPushButton*>("addPotentialObjectButton");
    auto* apply = window.findChild<QPushButton*>("updatePotentialObjectButton");
    ASSERT_TRUE(geometry && list && radius && add && apply) << "scene controls are missing";

    // The double barrier's scene (a wide domain on a square grid: dx = 2 dy)
    // with a circle added last, which is in the inspector when it is saved.
    window.loadGuidedExperiment(7);
    geometry->setCurrentIndex(int(PotentialObjectKind::Circle));
    radius->setValue(1.75);
    add->click();
    ASSERT_EQ(window.scene().objects().back().kind, PotentialObjectKind::Circle);
    ASSERT_NE(window.scene().objects().front().kind, PotentialObjectKind::Circle);
    const ExperimentDocument document = window.captureExperimentDocument();

    // After a free packet the list is empty: the applied scene highlights its first object.
    window.loadGuidedExperiment(0);
    QString error;
    ASSERT_TRUE(window.applyExperimentDocument(document, error)) << error.toStdString();
    ASSERT_NE(list->currentItem(), nullptr);
    const PotentialObject* shown = window.scene().find(list->currentItem()->data(Qt::UserRole).toULongLong());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(geometry->currentIndex(), int(shown->kind)) << "the inspector shows the saved object's kind";

    const std::string before = sceneFields(window.scene());
    apply->click();
    EXPECT_EQ(sceneFields(window.scene()), before) << "Apply changes without edits changed the scene";
}

} // namespace
} // namespace vxo
