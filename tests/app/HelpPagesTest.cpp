// The help folder search and the generated current-parameters page, without
// a window.

#include "app/CurrentParametersPage.h"
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

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Decodes strictly: false when any byte sequence is not UTF-8.
bool isValidUtf8(const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
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

TEST(HelpFolder, ResultIsCanonicalThroughLinksAndDotDot)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir base(temporary.path());
    ASSERT_TRUE(base.mkpath(QStringLiteral("pages/en")) && base.mkpath(QStringLiteral("bin")) &&
                base.mkpath(QStringLiteral("work")));
    ASSERT_TRUE(QFile::link(base.filePath(QStringLiteral("pages")), base.filePath(QStringLiteral("work/help"))));
    const QString canonicalPages = QFileInfo(base.filePath(QStringLiteral("pages"))).canonicalFilePath();
    EXPECT_EQ(findHelpFolder(base.filePath("bin"), base.filePath("work")), canonicalPages)
        << "a linked help folder is reported at its real place";

    ASSERT_TRUE(base.mkpath(QStringLiteral("help")));
    EXPECT_EQ(findHelpFolder(base.filePath("bin"), base.filePath("elsewhere")),
              QFileInfo(base.filePath("help")).canonicalFilePath())
        << "\"../help\" from the program comes back without the \"..\"";
}

TEST(CurrentParametersPage, TemplateLanguageSectionsAndEscaping)
{
    const QString rows = parameterRow(QStringLiteral("Experiment"), QStringLiteral("Barrier Scattering (E > V0)")) +
                         parameterRow(QStringLiteral("a<b & c"), QStringLiteral("\"quoted\" %1 %2"));
    EXPECT_EQ(parameterRow(QStringLiteral("x & y"), QStringLiteral("<b>1</b>")),
              QStringLiteral("<tr><th>x &amp; y</th><td>&lt;b&gt;1&lt;/b&gt;</td></tr>"));

    struct Case {
        bool english;
        const char* title;
        const char* setupHeading;
        const char* experimentHeading;
        const char* notePrefix;
    };
    const Case cases[] = {
        {false, "VXO - Parametri correnti", "Setup numerico corrente", "Parametri specifici dell esperimento",
         "Snapshot dei parametri effettivamente attivi"},
        {true, "VXO - Current Parameters", "Current numerical setup", "Experiment-specific parameters",
         "Snapshot of the parameters actually active"},
    };
    for (const Case& c : cases) {
        const QString experimentRows = parameterRow(QStringLiteral("x0"), significantText(-7.25, 9));
        const QString page = currentParametersPage(c.english, rows, experimentRows);
        const QString language = c.english ? QStringLiteral("english") : QStringLiteral("italian");
        EXPECT_TRUE(page.startsWith(QStringLiteral("<!doctype html><html><head><meta charset=\"utf-8\"><title>")))
            << language.toStdString();
        EXPECT_TRUE(page.endsWith(QStringLiteral("</body></html>"))) << language.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<title>%1</title>").arg(QLatin1String(c.title))))
            << language.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<h1>%1</h1>").arg(QLatin1String(c.title)))) << language.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<div class=\"note\">%1").arg(QLatin1String(c.notePrefix))))
            << language.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Model &amp; Constraints"))) << "the note's ampersand is escaped";
        EXPECT_TRUE(page.contains(QStringLiteral("<h2>%1</h2><table>%2</table><h2>%3</h2><table>%4</table></body>")
                                      .arg(QLatin1String(c.setupHeading), rows, QLatin1String(c.experimentHeading),
                                           experimentRows)))
            << language.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("width:100%;"))) << "the style sheet is not taken for placeholders";

        const QString withoutExperiment = currentParametersPage(c.english, rows, QString());
        EXPECT_EQ(withoutExperiment.count(QStringLiteral("<h2>")), 1) << language.toStdString();
        EXPECT_FALSE(withoutExperiment.contains(QLatin1String(c.experimentHeading))) << language.toStdString();
        EXPECT_TRUE(withoutExperiment.endsWith(QStringLiteral("</table></body></html>"))) << language.toStdString();
    }
    const QString page = currentParametersPage(true, rows, QString());
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Barrier Scattering (E &gt; V0)</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<th>a&lt;b &amp; c</th><td>&quot;quoted&quot; %1 %2</td>")))
        << "a placeholder inside a value stays as it is";
}

TEST(CurrentParametersPage, WritingReplacesWhateverSitsAtThePathAndNeverWritesThroughALink)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir folder(temporary.path());
    const QString path = folder.filePath(QStringLiteral("vxo_current_parameters.html"));
    const QString page = QStringLiteral("<p>\u0127 = 1, \u03c8(x, y), \u00c5ngstr\u00f6m</p>");

    // A link planted at the page's name, pointing at a file of the user's.
    const QString victim = folder.filePath(QStringLiteral("victim.txt"));
    ASSERT_TRUE(writeBytes(victim, "precious"));
    ASSERT_TRUE(QFile::link(victim, path));
    ASSERT_TRUE(replaceFileWithText(path, page));
    EXPECT_EQ(fileBytes(victim), QByteArray("precious")) << "the link's target is untouched";
    EXPECT_FALSE(QFileInfo(path).isSymLink()) << "the link itself is replaced";
    const QByteArray written = fileBytes(path);
    EXPECT_TRUE(isValidUtf8(written));
    EXPECT_EQ(QString::fromUtf8(written), page);

    // A dangling link (its target would be created by a write through it).
    const QString absent = folder.filePath(QStringLiteral("created-through-link.txt"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(absent, path));
    ASSERT_TRUE(replaceFileWithText(path, page));
    EXPECT_FALSE(QFileInfo::exists(absent)) << "nothing is created at a dangling link's target";
    EXPECT_EQ(QString::fromUtf8(fileBytes(path)), page);

    // Written twice: the same file, the second text only, no leftovers.
    ASSERT_TRUE(replaceFileWithText(path, QStringLiteral("second")));
    EXPECT_EQ(fileBytes(path), QByteArray("second"));
    const QStringList entries = folder.entryList(QDir::Files | QDir::System | QDir::Hidden);
    EXPECT_EQ(entries, QStringList({QStringLiteral("victim.txt"), QStringLiteral("vxo_current_parameters.html")}))
        << entries.join(QStringLiteral(", ")).toStdString();
}

TEST(CurrentParametersPage, WritingFailsWithoutLeavingAnythingWhereItCannotReplace)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir folder(temporary.path());

    // A folder at the page's name cannot be replaced by a file.
    const QString occupied = folder.filePath(QStringLiteral("vxo_current_parameters.html"));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("vxo_current_parameters.html")));
    EXPECT_FALSE(replaceFileWithText(occupied, QStringLiteral("page")));
    EXPECT_TRUE(QFileInfo(occupied).isDir());

    // A folder that does not exist.
    EXPECT_FALSE(replaceFileWithText(folder.filePath(QStringLiteral("missing/page.html")), QStringLiteral("page")));

    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList())
        << "no temporary file is left behind";
}

} // namespace
} // namespace vxo
