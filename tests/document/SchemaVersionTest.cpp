#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vxo {
namespace {

// The versioned root members and the schema that introduced each.
const std::vector<std::pair<const char*, int>>& rootMemberVersions()
{
    static const std::vector<std::pair<const char*, int>> members = {
        {"potentialScene", 2},
        {"initialPreparation", 4},
        {"measurementCollapse", 5},
        {"quantumQuench", 6},
        {"periodicDrive", 7},
        {"linearSweep", 8},
        {"ramseySequence", 10},
        {"ramseyEnsemble", 12},
        {"talbotInitialState", 13},
        {"vortexInitialState", 14},
        {"andersonInitialState", 15},
        {"kickedRotor", 16},
        {"kickedRotorInitialState", 16},
        {"quantumZeno", 17},
        {"quantumZenoInitialState", 17},
        {"quantumScar", 18},
        {"quantumBerry", 19},
        {"quantumLoschmidt", 20},
        {"moshinskyInitialState", 21},
        {"quantumMoshinsky", 21},
        {"kapitzaDiracInitialState", 22},
        {"quantumKapitzaDirac", 22},
        {"quantumAharonovBohm", 23},
        {"quantumLandau", 24},
        {"quantumHallEdge", 25},
        {"quantumBackflow", 26},
        {"quantumZitterbewegung", 27},
        {"quantumKleinTunneling", 28},
    };
    return members;
}

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

INSTANTIATE_TEST_SUITE_P(Versions1To28, SchemaVersion, ::testing::Range(1, 29));

} // namespace
} // namespace vxo
