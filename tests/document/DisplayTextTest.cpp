// Text from documents is bounded before it is shown: short text stays as it
// is, long text keeps its beginning and its end, and the result is valid text.

#include "document/DisplayText.h"

#include <gtest/gtest.h>

namespace vxo {
namespace {

TEST(DisplayText, LongTextKeepsBothEndsWithinTheLimit)
{
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two code units
    const QString longName =
        QStringLiteral("Beam ") + QString(16 * 1024 * 1024, QLatin1Char('x')) + QStringLiteral(" end");
    struct Case {
        const char* what;
        QString text;
    };
    const Case cases[] = {
        {"empty", QString()},
        {"short", QStringLiteral("Double slit")},
        {"exactly the limit", QString(kDisplayTextLimit, QLatin1Char('a'))},
        {"one beyond", QString(kDisplayTextLimit + 1, QLatin1Char('a'))},
        {"16 MiB", longName},
        // Pairs across every possible cut.
        {"pairs, even start", face.repeated(kDisplayTextLimit)},
        {"pairs, odd start", QStringLiteral("a") + face.repeated(kDisplayTextLimit)},
    };
    for (const Case& c : cases) {
        const QString shown = elideForDisplay(c.text);
        if (c.text.size() <= kDisplayTextLimit) {
            EXPECT_EQ(shown, c.text) << c.what;
            continue;
        }
        EXPECT_LE(shown.size(), kDisplayTextLimit) << c.what;
        EXPECT_GE(shown.size(), kDisplayTextLimit - 2) << c.what;
        const int cut = shown.indexOf(QChar(0x2026));
        ASSERT_GT(cut, 0) << c.what << ": no ellipsis";
        EXPECT_TRUE(c.text.startsWith(shown.left(cut))) << c.what;
        EXPECT_TRUE(c.text.endsWith(shown.mid(cut + 1))) << c.what;
        EXPECT_GT(cut, kDisplayTextLimit / 3) << c.what << ": the beginning is cut short";
        EXPECT_GT(shown.size() - cut, kDisplayTextLimit / 3) << c.what << ": the end is cut short";
        // Valid UTF-16 survives the round trip through UTF-8 unchanged.
        EXPECT_EQ(QString::fromUtf8(shown.toUtf8()), shown) << c.what << ": a surrogate pair was split";
    }
}

// A single emoji anywhere near either cut of a long name: the shortened name
// keeps it whole or drops it whole, never half of it.
TEST(DisplayText, AnEmojiAtEitherCutIsKeptOrDroppedWhole)
{
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString filler(kDisplayTextLimit, QLatin1Char('x'));
    for (int at = kDisplayTextLimit / 3; at < 2 * kDisplayTextLimit / 3; ++at) {
        for (const bool nearTheEnd : {false, true}) {
            const QString pad(at, QLatin1Char('a'));
            const QString name = nearTheEnd ? filler + face + pad : pad + face + filler;
            const QString shown = elideForDisplay(name);
            EXPECT_LE(shown.size(), kDisplayTextLimit) << at;
            EXPECT_EQ(QString::fromUtf8(shown.toUtf8()), shown)
                << "emoji " << at << (nearTheEnd ? " units before the end" : " units after the start") << " was split";
        }
    }
}

// A text shows nothing when it holds only white space, control characters
// and invisible format characters; one visible character anywhere shows.
TEST(DisplayText, BlankTextIsOnlySpacesControlsAndInvisibleMarks)
{
    struct Case {
        QString text;
        bool blank;
    };
    const Case cases[] = {
        {QString(), true},
        {QStringLiteral(" \t\n"), true},
        {QStringLiteral("\u0001\u0007\u007f"), true},
        {QStringLiteral("\u202e\u2066\u2069\u202c"), true},
        {QStringLiteral("\u200e\u200f\u061c\u200b\u200d\u00a0"), true},
        {QStringLiteral("\u202e\u0001x"), false},
        {QStringLiteral("\u200f\u05d0"), false},
        {QString::fromUtf8("\xF0\x9F\x98\x80"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(blankForDisplay(c.text), c.blank) << c.text.toStdString();
}

} // namespace
} // namespace vxo
