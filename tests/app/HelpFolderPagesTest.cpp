// The help folder of the repository: the pages the Help menu opens exist in
// both languages and are found from a run in the repository root, and every
// page is well-formed, small, self-contained and links only to what exists.

#include "HelpPageBytes.h"
#include "app/HelpFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace vxo {
namespace {

using test::fileBytes;
using test::isValidUtf8;

// The pages of the Help menu's fixed entries, inside a language folder.
const char* const kMenuPages[] = {"index.html",       "getting_started.html", "conventions.html",
                                  "glossary.html",    "references.html",      "license.html",
                                  "third_party.html", "numerics/index.html",  "constraints/index.html"};

std::string text(const QString& value) { return value.toStdString(); }

// A set or list of names as one sorted line, for readable comparisons.
template <typename Names>
std::string sorted(const Names& names)
{
    QStringList list(names.begin(), names.end());
    list.sort();
    return list.join(QLatin1Char(' ')).toStdString();
}

// The source tree this test was built from: the build tree holding the test
// program names it in its CMakeCache.txt. Empty when none is found.
QString repositoryRoot()
{
    QDir directory = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absoluteDir();
    do {
        QFile cache(directory.filePath(QStringLiteral("CMakeCache.txt")));
        if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QByteArray key("CMAKE_HOME_DIRECTORY:INTERNAL=");
            while (!cache.atEnd()) {
                const QByteArray line = cache.readLine().trimmed();
                if (line.startsWith(key))
                    return QString::fromLocal8Bit(line.mid(key.size()));
            }
        }
    } while (directory.cdUp());
    return {};
}

// Parsed facts of one page.
struct Page {
    QString error;    // empty when the page is well-formed XML
    QString language; // lang of the root element
    QString title;
    QStringList links; // every href and src, in order
    QSet<QString> ids;
    QStringList forbidden; // elements that run or fetch something
    int sections = 0;      // h2 headings
};

Page readPage(const QByteArray& bytes)
{
    Page page;
    QXmlStreamReader reader(bytes);
    bool rootSeen = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = reader.name().toString().toLower();
        const QXmlStreamAttributes attributes = reader.attributes();
        if (!rootSeen) {
            rootSeen = true;
            page.language = attributes.value(QStringLiteral("lang")).toString();
            if (name != QLatin1String("html"))
                page.error = QStringLiteral("the root element is <%1>").arg(name);
        }
        for (const char* attribute : {"href", "src"})
            if (attributes.hasAttribute(QLatin1String(attribute)))
                page.links << attributes.value(QLatin1String(attribute)).toString();
        if (attributes.hasAttribute(QStringLiteral("id")))
            page.ids.insert(attributes.value(QStringLiteral("id")).toString());
        for (const char* active : {"script", "iframe", "object", "embed", "img", "audio", "video", "base"})
            if (name == QLatin1String(active))
                page.forbidden << name;
        if (name == QLatin1String("h2"))
            ++page.sections;
        if (name == QLatin1String("title"))
            page.title = reader.readElementText().trimmed();
    }
    if (reader.hasError())
        page.error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    return page;
}

// Every HTML page under the folder, by its path relative to the folder.
QMap<QString, QString> pagesUnder(const QDir& folder)
{
    QMap<QString, QString> pages;
    QDirIterator it(folder.path(), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        pages.insert(folder.relativeFilePath(path), path);
    }
    return pages;
}

class RepositoryHelpFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = repositoryRoot();
        ASSERT_FALSE(root.isEmpty()) << "no CMakeCache.txt above the test program names the source tree";
        help = QDir(QDir(root).filePath(QStringLiteral("help")));
        ASSERT_TRUE(QFileInfo(help.path()).isDir()) << "no help folder in the repository at " << text(help.path());
    }

    QString root;
    QDir help;
};

TEST_F(RepositoryHelpFolder, EveryMenuPageIsFoundFromARunInTheRepositoryRootInBothLanguages)
{
    // The program built anywhere (here: a folder with nothing near it, and
    // the test program's own folder) and started in the repository root.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString testProgramDirectory =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    const QString expected = QFileInfo(help.path()).canonicalFilePath();
    for (const QString& programDirectory : {elsewhere.path(), testProgramDirectory}) {
        const QString found = findHelpFolder(programDirectory, root);
        ASSERT_EQ(found, expected) << "program in " << text(programDirectory);
        for (const char* language : {"en", "it"})
            for (const char* page : kMenuPages) {
                const QFileInfo file(
                    QDir(found).filePath(QStringLiteral("%1/%2").arg(QLatin1String(language), QLatin1String(page))));
                EXPECT_TRUE(file.isFile()) << "missing " << text(file.filePath());
            }
    }
}

TEST_F(RepositoryHelpFolder, EveryPageIsWellFormedSmallSelfContainedAndLinksOnlyToWhatExists)
{
    const QMap<QString, QString> pages = pagesUnder(help);
    EXPECT_GE(pages.size(), 2 * static_cast<int>(std::size(kMenuPages)));
    const QString helpRoot = QFileInfo(help.path()).canonicalFilePath() + QLatin1Char('/');
    QMap<QString, Page> parsed; // by canonical path, for the anchors of links
    for (const QString& path : pages)
        parsed.insert(QFileInfo(path).canonicalFilePath(), readPage(fileBytes(path)));

    for (auto it = pages.cbegin(); it != pages.cend(); ++it) {
        const std::string name = text(it.key());
        const QByteArray bytes = fileBytes(it.value());
        EXPECT_LT(bytes.size(), 64 * 1024) << name;
        EXPECT_TRUE(isValidUtf8(bytes)) << name << " is not UTF-8";
        const Page& page = parsed[QFileInfo(it.value()).canonicalFilePath()];
        EXPECT_TRUE(page.error.isEmpty()) << name << " is not well-formed: " << text(page.error);
        EXPECT_EQ(page.language, it.key().section(QLatin1Char('/'), 0, 0)) << name << ": lang of the page";
        EXPECT_FALSE(page.title.isEmpty()) << name << " has no title";
        EXPECT_TRUE(page.forbidden.isEmpty()) << name << " holds " << text(page.forbidden.join(QLatin1Char(' ')));
        const QDir pageDirectory = QFileInfo(it.value()).absoluteDir();
        for (const QString& link : page.links) {
            if (!QUrl(link).isRelative() || link.startsWith(QLatin1Char('/'))) {
                ADD_FAILURE() << name << " links out of the help folder to " << text(link);
                continue;
            }
            const QString targetPath = link.section(QLatin1Char('#'), 0, 0);
            const QString fragment = link.section(QLatin1Char('#'), 1);
            const QFileInfo target(targetPath.isEmpty() ? it.value() : pageDirectory.filePath(targetPath));
            if (!target.isFile()) {
                ADD_FAILURE() << name << " links to a missing " << text(link);
                continue;
            }
            const QString canonical = target.canonicalFilePath();
            EXPECT_TRUE(canonical.startsWith(helpRoot)) << name << " links outside the help folder: " << text(link);
            if (!fragment.isEmpty()) {
                EXPECT_TRUE(parsed.value(canonical).ids.contains(fragment))
                    << name << " links to a missing anchor " << text(link);
            }
        }
    }

    // Style sheets pull nothing in from elsewhere.
    QDirIterator sheets(help.path(), {QStringLiteral("*.css")}, QDir::Files, QDirIterator::Subdirectories);
    while (sheets.hasNext()) {
        const QString sheet = QString::fromUtf8(fileBytes(sheets.next()));
        EXPECT_FALSE(sheet.contains(QStringLiteral("@import")) || sheet.contains(QStringLiteral("url(")))
            << text(sheets.filePath()) << " loads another resource";
    }
}

TEST_F(RepositoryHelpFolder, BothLanguagesHoldTheSamePagesSectionsAndAnchors)
{
    const QMap<QString, QString> english = pagesUnder(QDir(help.filePath(QStringLiteral("en"))));
    const QMap<QString, QString> italian = pagesUnder(QDir(help.filePath(QStringLiteral("it"))));
    EXPECT_EQ(sorted(english.keys()), sorted(italian.keys()));
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (!italian.contains(it.key()))
            continue;
        const Page en = readPage(fileBytes(it.value()));
        const Page it_ = readPage(fileBytes(italian.value(it.key())));
        EXPECT_EQ(en.sections, it_.sections) << text(it.key()) << ": sections";
        EXPECT_EQ(sorted(en.ids), sorted(it_.ids)) << text(it.key()) << ": anchors";
        EXPECT_EQ(en.links.size(), it_.links.size()) << text(it.key()) << ": links";
    }
}

} // namespace
} // namespace vxo
