#include "DocumentTestSupport.h"
#include "common/SchemaMembers.h"

#include "document/ExperimentDocumentJson.h"
#include "document/SettingsRanges.h"

#include <gtest/gtest.h>

#include <map>

namespace vxo {
namespace {

using test::rootMemberVersions;

class SchemaVersion : public ::testing::TestWithParam<int> {
protected:
    // The non-default document as a file of this version: only the members
    // the version has, optionally with the newer ones present but unusable.
    QJsonObject fileOfVersion(bool withNewerMembers) const
    {
        QJsonObject root = experimentDocumentToJson(test::nonDefaultDocument(true));
        root.insert(QStringLiteral("schemaVersion"), GetParam());
        for (const auto& [key, version] : rootMemberVersions()) {
            if (version > GetParam()) {
                if (withNewerMembers)
                    root.insert(QLatin1String(key), QStringLiteral("not an object"));
                else
                    root.remove(QLatin1String(key));
            }
        }
        return root;
    }

    void expectUpgraded(const QJsonObject& file) const
    {
        ExperimentDocument loaded = test::sentinelDocument();
        QString error;
        ASSERT_TRUE(parseExperimentDocument(file, loaded, error)) << error.toStdString();
        EXPECT_EQ(loaded.schemaVersion, 28);
        EXPECT_EQ(loaded.name, test::nonDefaultDocument(true).name);
        EXPECT_EQ(loaded.controls.size(), 4);

        const QJsonObject written = experimentDocumentToJson(loaded);
        const QJsonObject expectedPresent = experimentDocumentToJson(test::nonDefaultDocument(true));
        const QJsonObject defaults = test::defaultMembersJson();
        for (const auto& [key, version] : rootMemberVersions()) {
            const QLatin1String member(key);
            if (version <= GetParam())
                EXPECT_EQ(written.value(member), expectedPresent.value(member)) << key << " read";
            else
                EXPECT_EQ(written.value(member), defaults.value(member)) << key << " at its default";
        }
    }
};

TEST_P(SchemaVersion, MinimalFileLoadsAndUpgradesTo28) { expectUpgraded(fileOfVersion(false)); }

TEST_P(SchemaVersion, MembersNewerThanTheFileAreNotLookedAt) { expectUpgraded(fileOfVersion(true)); }

TEST_P(SchemaVersion, EveryMemberOfTheVersionIsRequired)
{
    for (const auto& [key, version] : rootMemberVersions()) {
        if (version > GetParam())
            continue;
        QJsonObject file = fileOfVersion(false);
        file.remove(QLatin1String(key));
        ExperimentDocument loaded = test::sentinelDocument();
        QString error;
        EXPECT_FALSE(parseExperimentDocument(file, loaded, error)) << key;
        EXPECT_TRUE(error.contains(QStringLiteral("is missing a valid"))) << key << ": " << error.toStdString();
        EXPECT_EQ(loaded.name, QStringLiteral("sentinel"));
    }
}

// Members the version lacks take defaults that fit the file's own universe:
// on the narrowest universe the boxes offer, and on the widest, every value
// of the upgraded document lies in its box's range, so that no default is
// the reason a file is refused (the Klein packet starts 10 left of the
// centre of a default universe).
TEST_P(SchemaVersion, DefaultsFitTheFilesOwnUniverse)
{
    std::map<QString, int> versionOf;
    for (const auto& [key, version] : rootMemberVersions())
        versionOf[QLatin1String(key)] = version;
    for (const UniverseExtent universe : {UniverseExtent{10.24, 16.0}, UniverseExtent{81.92, 10.24}}) {
        SCOPED_TRACE(testing::Message() << universe.width << " x " << universe.height);
        ExperimentDocument held;
        held.controls.insert(QStringLiteral("universeWidthSpinBox"), universe.width);
        held.controls.insert(QStringLiteral("universeHeightSpinBox"), universe.height);
        QJsonObject file = experimentDocumentToJson(held);
        file.insert(QStringLiteral("schemaVersion"), GetParam());
        for (const auto& [key, version] : rootMemberVersions()) {
            if (version > GetParam())
                file.remove(QLatin1String(key));
        }
        // The members the file holds keep their positions at the centre,
        // where any universe has room for them.
        for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
            const bool position =
                row->span == SettingsRange::Span::UniverseX || row->span == SettingsRange::Span::UniverseY;
            if (position && file.contains(QLatin1String(row->object)))
                test::setPath(file, {row->object, row->field}, 0.0);
        }
        ExperimentDocument loaded;
        QString error;
        ASSERT_TRUE(parseExperimentDocument(file, loaded, error)) << error.toStdString();
        const QJsonObject upgraded = experimentDocumentToJson(loaded);
        int defaults = 0;
        for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
            if (versionOf.at(QLatin1String(row->object)) <= GetParam())
                continue;
            ++defaults;
            const double value = test::valueAt(upgraded, {row->object, row->field}).toDouble();
            EXPECT_EQ(row->outsideFault(value, universe).toStdString(), "");
        }
        EXPECT_EQ(defaults > 0, GetParam() < 28);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions1To28, SchemaVersion, ::testing::Range(1, 29));

} // namespace
} // namespace vxo
