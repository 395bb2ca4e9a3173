// The help folder search and the generated current-parameters page, without
// a window.

#include "HelpPageBytes.h"
#include "app/text/CurrentParametersPage.h"
#include "app/HelpFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextCodec>

#include <gtest/gtest.h>

namespace vxo {
namespace {

using test::fileBytes;
using test::isValidUtf8;

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(HelpFolder, FirstExistingDirectoryInSearchOrderElseHelpInTheWorkingDirectory)
{
    // The program sits three levels below the root, as a build tree inside
    // the sources does; the working directory is elsewhere.
    const QStringList candidates{"root/a/b/bin/help", "work/help", "root/a/b/help", "root/a/help", "root/help"};
    struct Case {
        const char* name;
        QStringList directories; // created as folders, relative to the temporary root
        QStringList files;       // created as plain files
        int expected;            // index into candidates; -1: "help" in the working directory
    };
    const Case cases[] = {
        {"nothing anywhere", {}, {}, -1},
        {"beside the program beats the working directory", {"root/a/b/bin/help", "work/help"}, {}, 0},
        {"a file named help beside the program is skipped", {"work/help"}, {"root/a/b/bin/help"}, 1},
        {"the working directory beats the parents", {"work/help", "root/a/b/help", "root/help"}, {}, 1},
        {"one level up", {"root/a/b/help", "root/a/help"}, {}, 2},
        {"two levels up", {"root/a/help", "root/help"}, {}, 3},
        {"three levels up", {"root/help"}, {}, 4},
        {"files only", {}, {"root/a/b/bin/help", "work/help", "root/help"}, -1},
    };
    for (const Case& c : cases) {
        QTemporaryDir temporary;
        ASSERT_TRUE(temporary.isValid());
        const QDir base(temporary.path());
        ASSERT_TRUE(base.mkpath(QStringLiteral("root/a/b/bin")) && base.mkpath(QStringLiteral("work")));
        for (const QString& directory : c.directories)
            ASSERT_TRUE(base.mkpath(directory)) << c.name;
        for (const QString& file : c.files)
            ASSERT_TRUE(writeBytes(base.filePath(file), "not a folder")) << c.name;

        const QString found = findHelpFolder(base.filePath(QStringLiteral("root/a/b/bin")), base.filePath("work"));
        const QString expected = c.expected < 0 ? base.filePath(QStringLiteral("work/help"))
                                                : QFileInfo(base.filePath(candidates[c.expected])).canonicalFilePath();
        EXPECT_EQ(found, expected) << c.name;
    }
}

TEST(CurrentParametersPage, NoteEscapingAndTheOptionalExperimentSection)
{
    // Row texts reach the page escaped, and a placeholder inside one stays
    // as it is, like the style sheet's percentages.
    const QString rows = parameterRow(QStringLiteral("a<b & c"), QStringLiteral("\"quoted\" %1 %2"));
    EXPECT_EQ(rows, QStringLiteral("<tr><th>a&lt;b &amp; c</th><td>&quot;quoted&quot; %1 %2</td></tr>"));
    const struct {
        bool english;
        const char* note;
    } cases[] = {
        {false, "<div class=\"note\">Snapshot dei parametri effettivamente attivi al momento della consultazione. "
                "Non sostituisce la pagina Model &amp; Constraints, che descrive ipotesi e limiti del modello.</div>"},
        {true, "<div class=\"note\">Snapshot of the parameters actually active when this page was generated. It "
               "does not replace Model &amp; Constraints, which describes assumptions and model limits.</div>"},
    };
    for (const auto& c : cases) {
        const QString page = currentParametersPage(c.english, rows, rows);
        EXPECT_TRUE(page.contains(QLatin1String(c.note))) << "english " << c.english;
        EXPECT_TRUE(page.contains(QStringLiteral("width:100%;margin:14px 0 24px"))) << "english " << c.english;
        EXPECT_EQ(page.count(rows), 2) << "english " << c.english;
        EXPECT_TRUE(page.endsWith(QStringLiteral("</table><h2>%1</h2><table>%2</table></body></html>")
                                      .arg(QLatin1String(c.english ? "Experiment-specific parameters"
                                                                   : "Parametri specifici dell esperimento"),
                                           rows)))
            << "english " << c.english;
        const QString setupOnly = currentParametersPage(c.english, rows, QString());
        EXPECT_EQ(setupOnly.count(QStringLiteral("<h2>")), 1) << "english " << c.english;
        EXPECT_TRUE(setupOnly.endsWith(QStringLiteral("<table>%1</table></body></html>").arg(rows)))
            << "english " << c.english;
    }
}

TEST(CurrentParametersPage, SinglePrecisionValuesAreWrittenAsTheDecimalTheyHold)
{
    const struct {
        float value;
        int digits;
        const char* text;
    } cases[] = {
        {40.96f, 8, "40.96"},          // a domain width typed into its box
        {40.96f / 1024.0f, 8, "0.04"}, // its grid spacing
        {0.02f, 8, "0.02"},
        {0.05f, 8, "0.05"},
        {1.26f, 10, "1.26"},
        {-7.25f, 8, "-7.25"},
        {0.0f, 8, "0"},
        {1e-7f, 8, "1e-07"},
        {1.0f / 3.0f, 8, "0.33333334"}, // no shorter text reads back as this float
        {1.0f / 3.0f, 4, "0.3333"},     // nor does any of four digits: the four asked for
        {16777216.0f, 8, "16777216"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(significantText(c.value, c.digits).toStdString(), c.text) << c.value << " with " << c.digits;
    // A double keeps its own digits.
    EXPECT_EQ(significantText(0.1 + 0.2, 17).toStdString(), "0.30000000000000004");
}

TEST(CurrentParametersPage, WritingReplacesWhatSitsAtThePathOrFailsLeavingNothing)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir folder(temporary.path());
    const QString path = folder.filePath(QStringLiteral("vxo_current_parameters.html"));
    const QString page = QStringLiteral("<p>\u0127 = 1, \u03c8(x, y), \u00c5ngstr\u00f6m</p>");

    // A dangling link: a write through it would create its target.
    const QString absent = folder.filePath(QStringLiteral("created-through-link.txt"));
    ASSERT_TRUE(QFile::link(absent, path));
    ASSERT_TRUE(replaceFileWithText(path, page));
    EXPECT_FALSE(QFileInfo::exists(absent)) << "something was created at the link's target";
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    const QByteArray written = fileBytes(path);
    EXPECT_TRUE(isValidUtf8(written));
    EXPECT_EQ(QString::fromUtf8(written), page);

    // Written again: the same file with the second text only.
    ASSERT_TRUE(replaceFileWithText(path, QStringLiteral("second")));
    EXPECT_EQ(fileBytes(path), QByteArray("second"));
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::System | QDir::Hidden),
              QStringList(QStringLiteral("vxo_current_parameters.html")))
        << "a temporary file was left behind";

    // A folder at the name cannot be replaced by a file; a missing folder
    // cannot hold one. Neither leaves a temporary file.
    const QString occupied = folder.filePath(QStringLiteral("occupied"));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("occupied")));
    EXPECT_FALSE(replaceFileWithText(occupied, page));
    EXPECT_TRUE(QFileInfo(occupied).isDir());
    EXPECT_FALSE(replaceFileWithText(folder.filePath(QStringLiteral("missing/page.html")), page));
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::System | QDir::Hidden),
              QStringList(QStringLiteral("vxo_current_parameters.html")));
}

} // namespace
} // namespace vxo
