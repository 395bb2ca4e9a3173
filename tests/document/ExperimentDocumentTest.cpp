#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vxo {
namespace {

TEST(ExperimentDocument, NewDocumentHoldsTheDocumentedDefaults)
{
    const ExperimentDocument d;
    EXPECT_EQ(d.schemaVersion, 28);
    EXPECT_TRUE(d.name.isEmpty());
    EXPECT_TRUE(d.sourcePreset.isEmpty());
    EXPECT_TRUE(d.controls.isEmpty());
    EXPECT_FALSE(d.potentialSceneActive);
    EXPECT_TRUE(d.potentialScene.empty());
    EXPECT_EQ(d.potentialScene.nextId(), 1u);
    EXPECT_EQ(d.initialPreparation.type, InitialPreparationType::Gaussian);
    EXPECT_EQ(d.initialPreparation.stateA, 0);
    EXPECT_EQ(d.initialPreparation.stateB, 3);
    EXPECT_EQ(d.initialPreparation.relativePhaseDegrees, 90.0);
    EXPECT_EQ(d.measurementCollapseResolution, 0.65);

    // Every settings record of a new document as the settings tables give it.
    const QJsonObject written = experimentDocumentToJson(d);
    const QJsonObject defaults = test::defaultMembersJson();
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        EXPECT_EQ(written.value(it.key()), it.value()) << it.key().toStdString();
}

TEST(ExperimentDocument, CopyAssignmentReplacesMapsAndScenes)
{
    ExperimentDocument target = test::nonDefaultDocument(true);
    ExperimentDocument source;
    source.controls.insert(QStringLiteral("onlySpinBox"), QVariant(1.0));
    target = source;
    EXPECT_EQ(target.controls.size(), 1);
    EXPECT_TRUE(target.potentialScene.empty());
    EXPECT_EQ(target.potentialScene.nextId(), 1u);
    EXPECT_FALSE(target.quantumQuench.enabled);
}

class DocumentRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(DocumentRoundTrip, SaveThenLoadReproducesEveryField)
{
    const ExperimentDocument original = test::nonDefaultDocument(GetParam());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("round.vxo.json"));
    QString error;
    ASSERT_TRUE(saveExperimentFile(path, original, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());

    ExperimentDocument loaded;
    ASSERT_TRUE(loadExperimentFile(path, loaded, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());

    // Integer controls come back as doubles; everything else is unchanged.
    EXPECT_EQ(loaded.controls.value(QStringLiteral("gridSizeComboBox")).userType(), QMetaType::Double);
    EXPECT_EQ(loaded.controls.value(QStringLiteral("absorbingCheckBox")).userType(), QMetaType::Bool);
    EXPECT_EQ(loaded.controls.value(QStringLiteral("geometryComboBox")).userType(), QMetaType::QString);
    test::expectSameDocument(loaded, original);
}

INSTANTIATE_TEST_SUITE_P(BerryOrMoshinsky, DocumentRoundTrip, ::testing::Bool());

TEST(ExperimentDocumentWriter, AlwaysWritesSchema28WithEveryMember)
{
    ExperimentDocument d = test::nonDefaultDocument(true);
    d.schemaVersion = 5;
    const QJsonObject root = experimentDocumentToJson(d);
    EXPECT_EQ(root.value(QStringLiteral("format")).toString(), QStringLiteral("Ondrivel.Experiment2D"));
    EXPECT_EQ(root.value(QStringLiteral("schemaVersion")).toDouble(), 28.0);
    for (const QString& key : test::defaultMembersJson().keys())
        EXPECT_TRUE(root.value(key).isObject()) << key.toStdString();

    ExperimentDocument loaded;
    QString error;
    ASSERT_TRUE(parseExperimentDocument(root, loaded, error)) << error.toStdString();
    EXPECT_EQ(loaded.schemaVersion, 28);
    EXPECT_TRUE(loaded.quantumHallEdge.enabled);
}

TEST(ExperimentDocumentWriter, SceneObjectsCarryDecimalIdsAndTheExactFloatValues)
{
    ExperimentDocument d;
    PotentialObject o;
    o.id = 18446744073709551615ULL;
    o.kind = PotentialObjectKind::StadiumExterior;
    o.value = 0.1f;
    d.potentialScene.add(o);
    const QJsonObject root = experimentDocumentToJson(d);
    const QJsonObject object = test::valueAt(root, {"potentialScene", "objects", "0"}).toObject();
    EXPECT_EQ(object.value(QStringLiteral("id")).toString(), QStringLiteral("18446744073709551615"));
    EXPECT_EQ(object.value(QStringLiteral("type")).toString(), QStringLiteral("stadiumExterior"));
    EXPECT_EQ(object.value(QStringLiteral("value")).toDouble(), 0.10000000149011612);
    EXPECT_EQ(test::valueAt(root, {"potentialScene", "composition"}).toString(), QStringLiteral("additive"));
}

TEST(ExperimentDocumentWriter, InitialPreparationTypeOutsideTheNamesIsWrittenAsGaussian)
{
    ExperimentDocument d;
    d.initialPreparation.type = static_cast<InitialPreparationType>(17);
    EXPECT_EQ(test::valueAt(experimentDocumentToJson(d), {"initialPreparation", "type"}).toString(),
              QStringLiteral("gaussian"));
    d.initialPreparation.type = InitialPreparationType::DiracKleinTunnelingState;
    EXPECT_EQ(test::valueAt(experimentDocumentToJson(d), {"initialPreparation", "type"}).toString(),
              QStringLiteral("diracKleinTunnelingState"));
}

} // namespace
} // namespace vxo
