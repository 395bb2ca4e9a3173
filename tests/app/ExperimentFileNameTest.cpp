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

} // namespace
} // namespace vxo
