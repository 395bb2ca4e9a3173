// The Help menu: help pages found in a help folder and opened through the
// desktop (intercepted here, nothing is launched), their fallbacks and status
// messages, and the generated current-parameters page.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "app/text/ValueFormatters.h"
#include "document/ExperimentCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include <unistd.h>

namespace vxo {

// Stands in for the desktop's browser: records every local file it is asked
// to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url); }
};

namespace {

// The window's Help menu entry with this text, submenus included.
QAction* helpAction(const QMainWindow& window, const QString& text)
{
    const auto* menu = window.findChild<QMenu*>(QStringLiteral("menuHelp"));
    if (menu == nullptr)
        return nullptr;
    QList<QMenu*> menus = menu->findChildren<QMenu*>();
    menus.append(const_cast<QMenu*>(menu));
    for (const QMenu* searched : menus)
        for (QAction* action : searched->actions())
            if (action->text() == text)
                return action;
    return nullptr;
}

// A list as one text, one entry a line, for readable failures.
std::string lines(const QStringList& list) { return list.join(QLatin1Char('\n')).toStdString(); }

int presetIndexOf(const char* slug)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i)
        if (QLatin1String(presetSlug(i)) == QLatin1String(slug))
            return static_cast<int>(i);
    return -1;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The fixed pages: menu entry and page inside the language folder.
struct FixedPage {
    const char* entry;
    const char* page;
};
const FixedPage kFixedPages[] = {
    {"VXO Help / Guida VXO", "index.html"},
    {"Getting Started / Come iniziare", "getting_started.html"},
    {"Numerical Methods / Metodi numerici", "numerics/index.html"},
    {"Conventions && Units / Convenzioni e unita'", "conventions.html"},
    {"Glossary / Glossario", "glossary.html"},
    {"References / Riferimenti", "references.html"},
    {"License / Licenza", "license.html"},
    {"Third-Party Notices / Componenti di terze parti", "third_party.html"},
};

// One window, the working directory moved into a temporary folder and the
// desktop's file URLs intercepted for the time of one test.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        ASSERT_TRUE(workingDirectory.isValid());
        previousDirectory = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(workingDirectory.path()));
        window = std::make_unique<MainWindow>(nullptr, false);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
        QObject::connect(window->statusBar(), &QStatusBar::messageChanged, &browser, [this](const QString& message) {
            if (!message.isEmpty())
                messages.append(message);
        });
        languageTabs = window->findChild<QTabWidget*>(QStringLiteral("helpLanguageTabWidget"));
        library = window->findChild<QComboBox*>(QStringLiteral("experimentPresetComboBox"));
        helpDock = window->findChild<QDockWidget*>(QStringLiteral("helpDockWidget"));
        ASSERT_TRUE(languageTabs && library && helpDock);
    }

    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        window.reset();
        QDir::setCurrent(previousDirectory);
    }

    // Triggers a Help entry; afterwards browser.urls holds what the desktop
    // was asked to open and messages the status messages shown meanwhile.
    void trigger(const QString& entry)
    {
        browser.urls.clear();
        messages.clear();
        QAction* action = helpAction(*window, entry);
        ASSERT_NE(action, nullptr) << entry.toStdString() << " is not in the Help menu";
        action->trigger();
    }

    QString currentMessage() const { return window->statusBar()->currentMessage(); }

    QTemporaryDir workingDirectory;
    QString previousDirectory;
    std::unique_ptr<MainWindow> window;
    UrlRecorder browser;
    QStringList messages;
    QTabWidget* languageTabs = nullptr;
    QComboBox* library = nullptr;
    QDockWidget* helpDock = nullptr;
};

TEST_F(HelpTest, MenuInOrderAndWithoutAHelpFolderEveryPageReportsItsPathInTheWorkingDirectory)
{
    const auto* menu = window->findChild<QMenu*>(QStringLiteral("menuHelp"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("&Help"));
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->menu() != nullptr)
            for (const QAction* inner : action->menu()->actions())
                entries << QStringLiteral("  ") + inner->text();
    }
    EXPECT_EQ(
        lines(entries),
        lines({"VXO Help / Guida VXO", "Getting Started / Come iniziare", "-",
               "Current Experiment / Esperimento corrente", "  Quick Physics Help / Guida rapida",
               "  Detailed Physics / Fisica estesa", "  Model && Constraints",
               "  Current Parameters / Parametri correnti", "-", "Numerical Methods / Metodi numerici",
               "Conventions && Units / Convenzioni e unita'", "Glossary / Glossario", "References / Riferimenti", "-",
               "License / Licenza", "Third-Party Notices / Componenti di terze parti", "-", "About Ondrivel"}));

    QString about;
    QTimer::singleShot(0, window.get(), [&about] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            about = box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    trigger(QStringLiteral("About Ondrivel"));
    EXPECT_TRUE(about.startsWith(QStringLiteral("Ondrivel|")) && about.contains(QStringLiteral("quantum mechanics")))
        << about.toStdString();

    const QDir program(QCoreApplication::applicationDirPath());
    for (const char* beside : {"help", "../help", "../../help", "../../../help"})
        ASSERT_FALSE(QFileInfo(program.filePath(QLatin1String(beside))).isDir())
            << "a help folder exists at " << program.filePath(QLatin1String(beside)).toStdString();
    const QString missingFolder = QDir(workingDirectory.path()).filePath(QStringLiteral("help"));
    for (int tab = 0; tab < 2; ++tab) {
        languageTabs->setCurrentIndex(tab);
        const QString language = tab == 1 ? QStringLiteral("en") : QStringLiteral("it");
        for (const FixedPage& fixed : kFixedPages) {
            trigger(QLatin1String(fixed.entry));
            const QString path = QStringLiteral("%1/%2/%3").arg(missingFolder, language, QLatin1String(fixed.page));
            EXPECT_EQ(currentMessage(), QStringLiteral("Help page not found: %1").arg(QDir::toNativeSeparators(path)))
                << fixed.entry << " in " << language.toStdString();
            EXPECT_TRUE(browser.urls.isEmpty()) << fixed.entry << " opened a missing page";
        }
    }
}

TEST_F(HelpTest, PagesOfAFolderInTheWorkingDirectoryOpenInTheHelpTabsLanguage)
{
    const QDir program(QCoreApplication::applicationDirPath());
    ASSERT_FALSE(QFileInfo(program.filePath(QStringLiteral("help"))).isDir())
        << "a help folder beside the test program comes first";

    const QDir folder(QDir(workingDirectory.path()).filePath(QStringLiteral("help")));
    const int doubleSlit = presetIndexOf("double_slit");
    ASSERT_GE(doubleSlit, 0);
    const QString id = QLatin1String(presetSlug(static_cast<std::uint32_t>(library->currentIndex())));
    ASSERT_NE(id, QLatin1String("double_slit"));
    // Both languages have every fixed page. English has the experiment's
    // physics and constraints pages and no constraints index; Italian has
    // only the constraints index.
    for (const char* language : {"it", "en"})
        for (const FixedPage& fixed : kFixedPages)
            ASSERT_TRUE(writeBytes(
                folder.filePath(QStringLiteral("%1/%2").arg(QLatin1String(language), QLatin1String(fixed.page))),
                "<html></html>"));
    ASSERT_TRUE(writeBytes(folder.filePath(QStringLiteral("en/experiments/%1.html").arg(id)), "<html></html>"));
    ASSERT_TRUE(writeBytes(folder.filePath(QStringLiteral("en/constraints/%1.html").arg(id)), "<html></html>"));
    ASSERT_TRUE(writeBytes(folder.filePath(QStringLiteral("it/constraints/index.html")), "<html></html>"));
    const QString canonicalFolder = QFileInfo(folder.path()).canonicalFilePath();
    const auto urlOf = [&canonicalFolder](const QString& page) {
        return QUrl::fromLocalFile(QStringLiteral("%1/%2").arg(canonicalFolder, page));
    };

    for (int tab = 0; tab < 2; ++tab) {
        languageTabs->setCurrentIndex(tab);
        const QString language = tab == 1 ? QStringLiteral("en") : QStringLiteral("it");
        for (const FixedPage& fixed : kFixedPages) {
            trigger(QLatin1String(fixed.entry));
            EXPECT_EQ(browser.urls,
                      QList<QUrl>{urlOf(QStringLiteral("%1/%2").arg(language, QLatin1String(fixed.page)))})
                << fixed.entry << " in " << language.toStdString();
            EXPECT_TRUE(messages.isEmpty()) << fixed.entry << ": " << messages.join('\n').toStdString();
        }
    }

    // English: the experiment's own pages.
    languageTabs->setCurrentIndex(1);
    trigger(QStringLiteral("Detailed Physics / Fisica estesa"));
    EXPECT_EQ(browser.urls, QList<QUrl>{urlOf(QStringLiteral("en/experiments/%1.html").arg(id))});
    trigger(QStringLiteral("Model && Constraints"));
    EXPECT_EQ(browser.urls, QList<QUrl>{urlOf(QStringLiteral("en/constraints/%1.html").arg(id))});
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    // Italian: the constraints index with the note, the dock for physics.
    languageTabs->setCurrentIndex(0);
    trigger(QStringLiteral("Model && Constraints"));
    EXPECT_EQ(browser.urls, QList<QUrl>{urlOf(QStringLiteral("it/constraints/index.html"))});
    const QString dedicatedNote =
        QStringLiteral("Dedicated Model & Constraints page '%1' is not written yet; opened the constraints index.");
    EXPECT_EQ(lines(messages), lines({dedicatedNote.arg(id)}));
    helpDock->hide();
    trigger(QStringLiteral("Detailed Physics / Fisica estesa"));
    EXPECT_TRUE(browser.urls.isEmpty());
    EXPECT_TRUE(helpDock->isVisibleTo(window.get()));
    EXPECT_EQ(lines(messages), lines({QStringLiteral("Extended physics page '%1' is not written yet; showing the "
                                                     "contextual Physics Help dock.")
                                          .arg(id)}));

    // The identifier follows the library; English has no constraints index.
    library->setCurrentIndex(doubleSlit);
    languageTabs->setCurrentIndex(1);
    trigger(QStringLiteral("Model && Constraints"));
    EXPECT_TRUE(browser.urls.isEmpty());
    const QString missingIndex = canonicalFolder + QStringLiteral("/en/constraints/index.html");
    EXPECT_EQ(lines(messages),
              lines({QStringLiteral("Help page not found: %1").arg(QDir::toNativeSeparators(missingIndex)),
                     dedicatedNote.arg(QStringLiteral("double_slit"))}));
    // A folder standing where the index belongs is no page either.
    ASSERT_TRUE(QDir().mkpath(missingIndex));
    trigger(QStringLiteral("Model && Constraints"));
    EXPECT_TRUE(browser.urls.isEmpty()) << "a folder was opened as a page";
    EXPECT_EQ(lines(messages),
              lines({QStringLiteral("Help page not found: %1").arg(QDir::toNativeSeparators(missingIndex)),
                     dedicatedNote.arg(QStringLiteral("double_slit"))}));

    // Quick help raises the dock whatever the folder holds.
    helpDock->hide();
    trigger(QStringLiteral("Quick Physics Help / Guida rapida"));
    EXPECT_TRUE(helpDock->isVisibleTo(window.get()));
    EXPECT_TRUE(browser.urls.isEmpty());

    // A desktop that refuses the page.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "refuse");
    test::MessageCapture capture; // the toolkit warns about the handler it cannot call
    trigger(QStringLiteral("Glossary / Glossario"));
    const QString refused = canonicalFolder + QStringLiteral("/en/glossary.html");
    EXPECT_EQ(currentMessage(), QStringLiteral("Unable to open help page: %1").arg(QDir::toNativeSeparators(refused)));
}

// The rows of a parameters table as "label=value" pairs, in order.
QStringList tableRows(const QString& page, const QString& heading)
{
    const QString start = QStringLiteral("<h2>%1</h2><table>").arg(heading);
    const int from = page.indexOf(start);
    if (from < 0)
        return {};
    const int to = page.indexOf(QStringLiteral("</table>"), from);
    QString table = page.mid(from + start.size(), to - from - start.size());
    QStringList rows;
    for (const QString& row : table.split(QStringLiteral("</td></tr>"), Qt::SkipEmptyParts)) {
        QString pair = row;
        pair.remove(QStringLiteral("<tr><th>"));
        rows << pair.replace(QStringLiteral("</th><td>"), QStringLiteral("="));
    }
    return rows;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

TEST_F(HelpTest, CurrentParametersPageIsWrittenOverAPlantedLinkAndOpened)
{
    // A temporary location of this test's own, with a link planted at the
    // page's name that points at a file of the user's.
    QTemporaryDir temporaryLocation;
    QTemporaryDir userFiles;
    ASSERT_TRUE(temporaryLocation.isValid() && userFiles.isValid());
    const QByteArray previousTmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporaryLocation.path().toLocal8Bit());
    struct RestoreTmpdir {
        QByteArray value;
        ~RestoreTmpdir() { value.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", value); }
    } restore{previousTmpdir};
    ASSERT_EQ(QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).canonicalPath(),
              QDir(temporaryLocation.path()).canonicalPath());
    // The page lives in the user's own folder of the temporary location; a
    // file another account left at the page's name in the shared folder
    // itself is no obstacle and stays as it was.
    const QDir temporary(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
    const QString privateFolder = temporary.filePath(QStringLiteral("ondrivel-%1").arg(::geteuid()));
    ASSERT_TRUE(QDir().mkdir(privateFolder));
    ASSERT_TRUE(QFile::setPermissions(privateFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString pagePath = QDir(privateFolder).filePath(QStringLiteral("vxo_current_parameters.html"));
    const QString leftByAnother = temporary.filePath(QStringLiteral("vxo_current_parameters.html"));
    ASSERT_TRUE(writeBytes(leftByAnother, "another account's page"));
    const QString victim = QDir(userFiles.path()).filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(writeBytes(victim, "the user's notes"));
    ASSERT_TRUE(QFile::link(victim, pagePath));

    // The unit mapping is the one of the experiment selected at start-up.
    const RealWorldScaleMapping scale =
        makeExperimentPreset(static_cast<std::uint32_t>(library->currentIndex())).realWorldScale;
    ASSERT_TRUE(scale.valid && scale.lengthUnit > 0.0 && scale.timeUnit > 0.0);

    const auto set = [this](const char* name, double value) {
        auto* box = window->findChild<QDoubleSpinBox*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        const QSignalBlocker blocker(box);
        box->setValue(value);
    };
    const auto select = [this](const char* name, int index) {
        auto* combo = window->findChild<QComboBox*>(QLatin1String(name));
        ASSERT_NE(combo, nullptr) << name;
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    };
    library->setCurrentIndex(presetIndexOf("double_slit"));
    select("gridResolutionComboBox", 0);
    select("boundaryModeComboBox", 1);
    set("universeWidthSpinBox", 32.0);
    set("universeHeightSpinBox", 20.5);
    set("absorbingWidthSpinBox", 0.2);
    set("absorbingStrengthSpinBox", 12.5);
    set("centerXSpinBox", -7.25);
    set("centerYSpinBox", 1.5);
    set("sigmaSpinBox", 1.75);
    set("momentumSpinBox", 3.75);
    set("momentumYSpinBox", -0.5);
    set("doubleSlitV0SpinBox", 12.5);
    set("doubleSlitSeparationSpinBox", 3.04);
    set("doubleSlitHeightSpinBox", 0.96);
    set("doubleSlitWallWidthSpinBox", 0.4);

    languageTabs->setCurrentIndex(0);
    trigger(QStringLiteral("Current Parameters / Parametri correnti"));
    EXPECT_EQ(browser.urls, QList<QUrl>{QUrl::fromLocalFile(pagePath)});
    EXPECT_EQ(fileBytes(victim), QByteArray("the user's notes")) << "the page was written through the planted link";
    EXPECT_FALSE(QFileInfo(pagePath).isSymLink()) << "the planted link is still there";
    EXPECT_EQ(fileBytes(leftByAnother), QByteArray("another account's page"));
    const QByteArray italianBytes = fileBytes(pagePath);
    EXPECT_TRUE(isValidUtf8(italianBytes));
    const QString italian = QString::fromUtf8(italianBytes);
    EXPECT_TRUE(italian.contains(QStringLiteral("<title>VXO - Parametri correnti</title>")));

    const QStringList setup = tableRows(italian, QStringLiteral("Setup numerico corrente"));
    const QStringList expectedSetup{
        QStringLiteral("Esperimento=%1").arg(library->currentText().toHtmlEscaped()),
        QStringLiteral("helpId=double_slit"),
        QStringLiteral("Solver attivo=Split-Step FFT (Schrodinger)"),
        QStringLiteral("Griglia=256 x 256"),
        QStringLiteral("Dominio=32 x 20.5"),
        QStringLiteral("dx / dy=0.125 / 0.080078125"),
        QStringLiteral("Boundary=Absorbing layer (CAP)"),
    };
    EXPECT_EQ(lines(setup.mid(0, expectedSetup.size())), lines(expectedSetup));
    for (const QString& row :
         {QStringLiteral("hbar=1"), QStringLiteral("dt=0.02"), QStringLiteral("Tempo corrente=0"),
          QStringLiteral("Step=0"), QStringLiteral("m=1"),
          QStringLiteral("Scala reale - riferimento=%1").arg(QString::fromLatin1(scale.system).toHtmlEscaped()),
          QStringLiteral("Scala reale - base=%1").arg(QString::fromLatin1(scale.mapping).toHtmlEscaped()),
          QStringLiteral("L0=%1").arg(formatLength(scale.lengthUnit)),
          QStringLiteral("T0=%1").arg(formatTime(scale.timeUnit)),
          QStringLiteral("E0 ~ hbar/T0=%1").arg(formatEnergyOfTimeUnit(scale.timeUnit)),
          QStringLiteral("E0/h=%1").arg(formatFrequencyOfTimeUnit(scale.timeUnit)), QStringLiteral("CAP width=0.2"),
          QStringLiteral("CAP strength=12.5")})
        EXPECT_TRUE(setup.contains(row)) << row.toStdString() << " missing from\n" << setup.join('\n').toStdString();
    EXPECT_TRUE(setup.filter(QStringLiteral("Geometria=")).size() == 1) << setup.join('\n').toStdString();

    EXPECT_EQ(lines(tableRows(italian, QStringLiteral("Parametri specifici dell esperimento"))),
              lines({"x0=-7.25", "y0=1.5", "sigma=1.75", "px=3.75", "py=-0.5", "V0=12.5", "slit separation=3.04",
                     "aperture=0.96", "wall width=0.4"}));

    // English, another experiment, periodic boundary, a Dirac mode in the
    // form: the same file is overwritten.
    const int barrier = presetIndexOf("barrier_scattering");
    ASSERT_GE(barrier, 0);
    library->setCurrentIndex(barrier);
    select("boundaryModeComboBox", 0);
    auto* zitter = window->findChild<QCheckBox*>(QStringLiteral("zitterEnabledCheckBox"));
    ASSERT_NE(zitter, nullptr);
    {
        const QSignalBlocker blocker(zitter);
        zitter->setChecked(true);
    }
    languageTabs->setCurrentIndex(1);
    trigger(QStringLiteral("Current Parameters / Parametri correnti"));
    EXPECT_EQ(browser.urls, QList<QUrl>{QUrl::fromLocalFile(pagePath)});
    EXPECT_EQ(fileBytes(victim), QByteArray("the user's notes"));
    const QString english = QString::fromUtf8(fileBytes(pagePath));
    EXPECT_TRUE(english.contains(QStringLiteral("<title>VXO - Current Parameters</title>")));
    EXPECT_FALSE(english.contains(QStringLiteral("Parametri"))) << "Italian left in the English page";
    const QStringList englishSetup = tableRows(english, QStringLiteral("Current numerical setup"));
    EXPECT_EQ(englishSetup.value(0), QStringLiteral("Experiment=Barrier Scattering (E &gt; V0)"))
        << "the library text is escaped";
    EXPECT_TRUE(englishSetup.contains(QStringLiteral("Active solver=Dirac Split-Step (two-component spinor)")))
        << englishSetup.join('\n').toStdString();
    EXPECT_EQ(englishSetup.filter(QRegularExpression(QStringLiteral("^(c|m)="))).size(), 2)
        << "the Dirac solver's light speed and rest mass";
    EXPECT_TRUE(englishSetup.filter(QStringLiteral("CAP ")).isEmpty()) << "no absorbing layer rows when periodic";
    EXPECT_TRUE(englishSetup.contains(QStringLiteral("L0=%1").arg(formatLength(scale.lengthUnit))));
    EXPECT_FALSE(english.contains(QStringLiteral("Experiment-specific parameters")))
        << "barrier scattering has no rows of its own";

    // Which experiments list parameters of their own, and which.
    const QStringList dirac{"c", "m", "sigma", "center y", "px", "py"};
    const QStringList klein =
        dirac + QStringList{"barrier center", "barrier width", "V0", "detector x", "analysis end"};
    const struct {
        const char* slug;
        QStringList labels;
    } experiments[] = {
        {"free_wave_packet", {"x0", "y0", "sigma", "px", "py"}},
        {"aharonov_bohm", {"Phi/Phi0", "solenoid radius", "core barrier", "detector x", "analysis end"}},
        {"quantum_hall_edge",
         {"b=qB/hbar", "edge y", "wall height", "launch y", "orbit radius", "packet sigma", "edge band"}},
        {"zitterbewegung", dirac + QStringList{"preparation mode", "analysis end"}},
        {"klein_tunneling", klein},
        {"klein_regime_map", klein},
        {"klein_angular_dependence", klein},
        {"klein_transmission_angle_scan", klein},
        {"klein_transmission_height_scan", klein},
        {"klein_mass_dependence", klein},
        {"massless_dirac_graphene", klein},
        {"harmonic_trap", {}},
    };
    for (const auto& experiment : experiments) {
        const int index = presetIndexOf(experiment.slug);
        ASSERT_GE(index, 0) << experiment.slug;
        library->setCurrentIndex(index);
        trigger(QStringLiteral("Current Parameters / Parametri correnti"));
        QStringList labels;
        for (const QString& row :
             tableRows(QString::fromUtf8(fileBytes(pagePath)), QStringLiteral("Experiment-specific parameters")))
            labels << row.section(QLatin1Char('='), 0, -2); // a label may hold '=', a number never
        EXPECT_EQ(lines(labels), lines(experiment.labels)) << experiment.slug;
    }

    // Each gauge experiment alone switches the solver to the link-based one.
    const QString gaugeSolver = QStringLiteral("Active solver=Gauge-covariant Cayley/ADI (U(1) links)");
    const QString fftSolver = QStringLiteral("Active solver=Split-Step FFT (Schrodinger)");
    for (const auto& [slug, solverRow] : {std::pair{"aharonov_bohm", gaugeSolver},
                                          {"landau_cyclotron", gaugeSolver},
                                          {"quantum_hall_edge", gaugeSolver},
                                          {"free_wave_packet", fftSolver}}) {
        const int index = presetIndexOf(slug);
        library->setCurrentIndex(index);
        window->loadGuidedExperiment(index);
        trigger(QStringLiteral("Current Parameters / Parametri correnti"));
        const QStringList rows =
            tableRows(QString::fromUtf8(fileBytes(pagePath)), QStringLiteral("Current numerical setup"));
        EXPECT_TRUE(rows.contains(solverRow)) << slug << '\n' << rows.join('\n').toStdString();
    }

    // Values the solvers hold in single precision are written as the form
    // holds them, whatever their widening to double would print.
    const auto setupRows = [&] {
        trigger(QStringLiteral("Current Parameters / Parametri correnti"));
        return tableRows(QString::fromUtf8(fileBytes(pagePath)), QStringLiteral("Current numerical setup"));
    };
    const int freePacket = presetIndexOf("free_wave_packet");
    library->setCurrentIndex(freePacket);
    window->loadGuidedExperiment(freePacket);
    select("gridResolutionComboBox", 0);
    set("universeWidthSpinBox", 10.24);
    set("universeHeightSpinBox", 40.96);
    set("massSpinBox", 1.26);
    window->rebuildSimulation();
    for (int step = 0; step < 63; ++step)
        window->stepOnce();
    const QStringList rows = setupRows();
    for (const char* row :
         {"Domain=10.24 x 40.96", "dx / dy=0.04 / 0.16", "m=1.26", "dt=0.02", "Current time=1.26", "Step=63"})
        EXPECT_TRUE(rows.contains(QLatin1String(row))) << row << " missing from\n" << rows.join('\n').toStdString();
    const int kleinPreset = presetIndexOf("klein_tunneling");
    library->setCurrentIndex(kleinPreset);
    window->loadGuidedExperiment(kleinPreset);
    const QStringList diracRows = setupRows();
    for (const auto& [label, box] : {std::pair{"c", "kleinLightSpeedSpinBox"}, {"m", "kleinMassSpinBox"}}) {
        const QString shown = QString::number(window->findChild<QDoubleSpinBox*>(QLatin1String(box))->value());
        EXPECT_TRUE(diracRows.contains(QStringLiteral("%1=%2").arg(QLatin1String(label), shown)))
            << label << "=" << shown.toStdString() << " missing from\n"
            << diracRows.join('\n').toStdString();
    }
}

} // namespace
} // namespace vxo

#include "HelpTest.moc"
