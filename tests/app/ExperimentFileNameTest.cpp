// The file base name proposed for an experiment title.

#include "app/text/ExperimentFileName.h"

#include <gtest/gtest.h>

namespace vxo {
namespace {

TEST(ExperimentFileName, ReplacesTheNineRefusedCharactersInPlaceAndTrims)
{
    struct Case {
        QString title;
        QString expected;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("quantum_experiment")},
        {QStringLiteral("   \t "), QStringLiteral("quantum_experiment")},
        {QStringLiteral("A/B: test"), QStringLiteral("A_B_ test")},
        {QStringLiteral("???"), QStringLiteral("___")},
        {QStringLiteral("\\/:*?\"<>|"), QStringLiteral("_________")},
        // Spaces inside stay; trimming comes after the replacement, so a
        // replaced character at an end is kept as an underscore.
        {QStringLiteral("  Double Slit (Detector) "), QStringLiteral("Double Slit (Detector)")},
        {QStringLiteral(" |edge| "), QStringLiteral("_edge_")},
        // Look-alikes and other punctuation are not in the set.
        {QStringLiteral("a.b,c;d'e%1"), QStringLiteral("a.b,c;d'e%1")},
        {QString::fromUtf8("Zitterbewegung \xE2\x88\x95 Dirac"),
         QString::fromUtf8("Zitterbewegung \xE2\x88\x95 Dirac")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(experimentFileBaseName(c.title).toStdString(), c.expected.toStdString())
            << "title \"" << c.title.toStdString() << "\"";
    }
}

// The file name up to its first dot, unless that part shows nothing: then
// the whole file name, whose ending at least shows.
TEST(ExperimentFileName, ADocumentIsTitledAfterItsFile)
{
    struct Case {
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("/lessons/beam.vxo.json"), QStringLiteral("beam")},
        {QStringLiteral("run"), QStringLiteral("run")},
        {QStringLiteral("/lessons/ two slits .json"), QStringLiteral(" two slits ")},
        {QStringLiteral("/lessons/\u0001\u0002.vxo.json"), QStringLiteral("\u0001\u0002.vxo.json")},
        {QStringLiteral("/lessons/\u202e\u200b.json"), QStringLiteral("\u202e\u200b.json")},
        {QStringLiteral("/lessons/.vxo.json"), QStringLiteral(".vxo.json")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(experimentTitleOfFile(c.path).toStdString(), c.expected.toStdString()) << c.path.toStdString();
}

} // namespace
} // namespace vxo
