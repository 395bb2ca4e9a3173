// Help while teaching: with a help folder supplied, every experiment of the
// library opens its own physics and constraints pages in the language of the
// help dock; with the folder taken away the same entries fall back to the
// guide in the dock and say what is missing, and they find the folder again
// once it is back.

#include "TeacherSession.h"

#include "document/ExperimentCatalogue.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>

namespace vxo::e2e {

// Stands in for the desktop's browser: keeps the pages it is asked to open.
class PageRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

QAction* helpEntry(const QMainWindow& window, const QString& text)
{
    for (const QMenu* menu : window.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
    return nullptr;
}

bool writePage(const QDir& folder, const QString& page)
{
    const QString path = folder.filePath(page);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("<html><body>page</body></html>") > 0;
}

TEST(HelpDuringALesson, EveryExperimentFindsItsPagesAndFallsBackToTheDockWithoutTheFolder)
{
    test::appTestApplication();
    const QDir program(QCoreApplication::applicationDirPath());
    for (const char* beside : {"help", "../help", "../../help", "../../../help"})
        ASSERT_FALSE(QFileInfo(program.filePath(QLatin1String(beside))).isDir())
            << "a help folder near the test program comes first: " << beside;

    QTemporaryDir classroom;
    ASSERT_TRUE(classroom.isValid());
    const QString previousDirectory = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(classroom.path()));
    struct Restore {
        QString directory;
        ~Restore()
        {
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
            QDir::setCurrent(directory);
        }
    } restore{previousDirectory};

    const QDir help(QDir(classroom.path()).filePath(QStringLiteral("help")));
    for (const char* language : {"it", "en"}) {
        ASSERT_TRUE(writePage(help, QStringLiteral("%1/index.html").arg(QLatin1String(language))));
        for (std::uint32_t i = 0; i < presetCount(); ++i) {
            const QString slug = QLatin1String(presetSlug(i));
            ASSERT_TRUE(writePage(help, QStringLiteral("%1/experiments/%2.html").arg(QLatin1String(language), slug)));
            ASSERT_TRUE(writePage(help, QStringLiteral("%1/constraints/%2.html").arg(QLatin1String(language), slug)));
        }
    }
    const QString folder = QFileInfo(help.path()).canonicalFilePath();

    const auto window = teacherWindow();
    PageRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    QAction* physics = helpEntry(*window, QStringLiteral("Detailed Physics / Fisica estesa"));
    QAction* constraints = helpEntry(*window, QStringLiteral("Model && Constraints"));
    QAction* index = helpEntry(*window, QStringLiteral("VXO Help / Guida VXO"));
    ASSERT_TRUE(physics && constraints && index);
    auto& languages = control<QTabWidget>(*window, "helpLanguageTabWidget");
    auto& dock = control<QDockWidget>(*window, "helpDockWidget");

    for (int i = 0; i < static_cast<int>(presetCount()); ++i) {
        choose(*window, "experimentPresetComboBox", i);
        const QString slug = QLatin1String(presetSlug(static_cast<std::uint32_t>(i)));
        for (int tab = 0; tab < 2; ++tab) {
            languages.setCurrentIndex(tab);
            const QString language = tab == 1 ? QStringLiteral("en") : QStringLiteral("it");
            browser.opened.clear();
            physics->trigger();
            constraints->trigger();
            const QList<QUrl> expected{
                QUrl::fromLocalFile(QStringLiteral("%1/%2/experiments/%3.html").arg(folder, language, slug)),
                QUrl::fromLocalFile(QStringLiteral("%1/%2/constraints/%3.html").arg(folder, language, slug))};
            EXPECT_EQ(browser.opened, expected) << slug.toStdString() << " in " << language.toStdString();
        }
    }

    // The folder taken away during the lesson.
    const QString away = QDir(classroom.path()).filePath(QStringLiteral("help-away"));
    ASSERT_TRUE(QDir().rename(help.path(), away));
    const int lastExperiment = static_cast<int>(presetCount()) - 1;
    loadFromLibrary(*window, lastExperiment);
    languages.setCurrentIndex(1);
    dock.hide();
    browser.opened.clear();
    physics->trigger();
    EXPECT_TRUE(browser.opened.isEmpty());
    EXPECT_TRUE(dock.isVisibleTo(window.get())) << "the guide in the dock stands in for the page";
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              QStringLiteral("Extended physics page '%1' is not written yet; showing the contextual Physics Help dock.")
                  .arg(QLatin1String(presetSlug(static_cast<std::uint32_t>(lastExperiment))))
                  .toStdString());
    index->trigger();
    EXPECT_TRUE(browser.opened.isEmpty());
    EXPECT_EQ(
        window->statusBar()->currentMessage(),
        QStringLiteral("Help page not found: %1")
            .arg(QDir::toNativeSeparators(QDir(classroom.path()).filePath(QStringLiteral("help/en/index.html")))));

    // And brought back.
    ASSERT_TRUE(QDir().rename(away, help.path()));
    index->trigger();
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("%1/en/index.html").arg(folder))});
}

} // namespace
} // namespace vxo::e2e

#include "HelpDuringALessonTest.moc"
