#include "app/mainwindow/MainWindow.h"

#include "app/PrivateTemporaryFolder.h"

#include "app/text/CurrentParametersPage.h"
#include "app/form/FormIndices.h"
#include "app/HelpFolder.h"
#include "app/mainwindow/StatusDurations.h"
#include "app/text/ValueFormatters.h"
#include "document/ExperimentCatalogue.h"
#include "ui/MainWindowForm.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QUrl>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>

#include <unistd.h>

namespace vxo {

namespace {

// The rows of one section of the current-parameters page; numbers in general
// notation with the section's significant digits.
class ParameterRows {
public:
    void text(const QString& label, const QString& value) { rows_ += parameterRow(label, value); }
    void number(const QString& label, double value, int digits) { text(label, significantText(value, digits)); }
    void number(const QString& label, float value, int digits) { text(label, significantText(value, digits)); }
    const QString& html() const { return rows_; }

private:
    QString rows_;
};

// The experiment section's numbers: nine significant digits.
void addExperimentNumbers(ParameterRows& rows, std::initializer_list<std::pair<const char*, double>> values)
{
    for (const auto& [label, value] : values)
        rows.number(QString::fromLatin1(label), value, 9);
}

// The packet of a Dirac experiment: light speed, rest mass, width, centre y
// and momentum.
template <typename DiracSettings>
void addDiracPacketNumbers(ParameterRows& rows, const DiracSettings& settings)
{
    addExperimentNumbers(rows, {{"c", settings.lightSpeed},
                                {"m", settings.restMass},
                                {"sigma", settings.sigma},
                                {"center y", settings.centerY},
                                {"px", settings.momentumX},
                                {"py", settings.momentumY}});
}

} // namespace

void MainWindow::setupHelpMenu()
{
    auto* bar = qobject_cast<QMenuBar*>(menuWidget());
    if (bar == nullptr)
        return;

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    const auto addItem = [this](QMenu* menu, const QString& text, void (MainWindow::*open)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, open] { guarded([this, open] { (this->*open)(); }); });
    };

    addItem(help, QStringLiteral("VXO Help / Guida VXO"), &MainWindow::openHelpIndex);
    addItem(help, QStringLiteral("Getting Started / Come iniziare"), &MainWindow::openGettingStartedHelp);
    help->addSeparator();
    QMenu* experiment = help->addMenu(QStringLiteral("Current Experiment / Esperimento corrente"));
    addItem(experiment, QStringLiteral("Quick Physics Help / Guida rapida"), &MainWindow::showHelpDock);
    addItem(experiment, QStringLiteral("Detailed Physics / Fisica estesa"), &MainWindow::openExperimentPhysicsHelp);
    addItem(experiment, QStringLiteral("Model && Constraints"), &MainWindow::openConstraintsHelp);
    addItem(experiment, QStringLiteral("Current Parameters / Parametri correnti"),
            &MainWindow::openCurrentParametersHelp);
    help->addSeparator();
    addItem(help, QStringLiteral("Numerical Methods / Metodi numerici"), &MainWindow::openNumericsHelp);
    addItem(help, QStringLiteral("Conventions && Units / Convenzioni e unita'"), &MainWindow::openConventionsHelp);
    addItem(help, QStringLiteral("Glossary / Glossario"), &MainWindow::openGlossaryHelp);
    addItem(help, QStringLiteral("References / Riferimenti"), &MainWindow::openReferencesHelp);
    help->addSeparator();
    addItem(help, QStringLiteral("License / Licenza"), &MainWindow::openLicenseHelp);
    addItem(help, QStringLiteral("Third-Party Notices / Componenti di terze parti"), &MainWindow::openThirdPartyHelp);
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("About Ondrivel"));
    connect(about, &QAction::triggered, this, [this] {
        guarded([this] {
            QMessageBox::about(this, QStringLiteral("Ondrivel"),
                               QStringLiteral("<p><b>Ondrivel</b> %1</p><p>A desktop laboratory for two-dimensional "
                                              "quantum mechanics, made for teaching: guided experiments in which a "
                                              "wave packet evolves live on a grid, with analyses plotted against "
                                              "reference results.</p>")
                                   .arg(QCoreApplication::applicationVersion().toHtmlEscaped()));
        });
    });
}

// A page of the help folder in the language of the help dock's tab.
void MainWindow::openFixedHelpPage(const QString& page)
{
    openHelpPage(QStringLiteral("%1/%2").arg(helpLanguage(), page), false);
}

void MainWindow::openHelpIndex() { openFixedHelpPage(QStringLiteral("index.html")); }

void MainWindow::openGettingStartedHelp() { openFixedHelpPage(QStringLiteral("getting_started.html")); }

void MainWindow::openNumericsHelp() { openFixedHelpPage(QStringLiteral("numerics/index.html")); }

void MainWindow::openConventionsHelp() { openFixedHelpPage(QStringLiteral("conventions.html")); }

void MainWindow::openGlossaryHelp() { openFixedHelpPage(QStringLiteral("glossary.html")); }

void MainWindow::openReferencesHelp() { openFixedHelpPage(QStringLiteral("references.html")); }

void MainWindow::openLicenseHelp() { openFixedHelpPage(QStringLiteral("license.html")); }

void MainWindow::openThirdPartyHelp() { openFixedHelpPage(QStringLiteral("third_party.html")); }

QString MainWindow::findHelpDirectory() const
{
    return findHelpFolder(QCoreApplication::applicationDirPath(), QDir::currentPath());
}

void MainWindow::openHelpPage(const QString& relativePath, bool dockFallback)
{
    const QString fullPath = QDir(findHelpDirectory()).filePath(relativePath);
    const QFileInfo page(fullPath);
    if (page.exists() && page.isFile()) {
        const QString absolutePath = page.absoluteFilePath();
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(absolutePath)))
            showStatusMessage(
                QStringLiteral("Unable to open help page: %1").arg(QDir::toNativeSeparators(absolutePath)),
                kStatusHelpFailureMs);
        return;
    }
    if (dockFallback)
        showHelpDock();
    showStatusMessage(QStringLiteral("Help page not found: %1").arg(QDir::toNativeSeparators(fullPath)),
                      kStatusHelpFailureMs);
}

void MainWindow::showHelpDock()
{
    ui->helpDockWidget->show();
    ui->helpDockWidget->raise();
    ui->helpLanguageTabWidget->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openConstraintsHelp()
{
    const QString language = helpLanguage();
    const QString id = experimentHelpId();
    const QString page = QStringLiteral("%1/constraints/%2.html").arg(language, id);
    if (QFileInfo::exists(QDir(findHelpDirectory()).filePath(page))) {
        openHelpPage(page, false);
        return;
    }
    openHelpPage(QStringLiteral("%1/constraints/index.html").arg(language), false);
    showStatusMessage(QStringLiteral("Dedicated Model & Constraints page '%1' is not written yet; opened the "
                                     "constraints index.")
                          .arg(id),
                      kStatusHelpFailureMs);
}

void MainWindow::openExperimentPhysicsHelp()
{
    const QString id = experimentHelpId();
    const QString page = QStringLiteral("%1/experiments/%2.html").arg(helpLanguage(), id);
    if (QFileInfo::exists(QDir(findHelpDirectory()).filePath(page))) {
        openHelpPage(page, true);
        return;
    }
    showHelpDock();
    showStatusMessage(QStringLiteral("Extended physics page '%1' is not written yet; showing the contextual "
                                     "Physics Help dock.")
                          .arg(id),
                      kStatusHelpFailureMs);
}

QString MainWindow::helpLanguage() const
{
    return ui->helpLanguageTabWidget->currentIndex() == indexOf(HelpLanguageTab::English) ? QStringLiteral("en")
                                                                                          : QStringLiteral("it");
}

QString MainWindow::experimentHelpId() const
{
    // A negative index (an empty library) is outside the catalogue too.
    const int index = ui->experimentPresetComboBox->currentIndex();
    return QString::fromLatin1(index < 0 ? presetSlug(presetCount()) : presetSlug(static_cast<std::uint32_t>(index)));
}

QString MainWindow::buildCurrentParametersHtml() const
{
    const bool english = helpLanguage() == QLatin1String("en");
    const auto label = [english](const char* italian, const char* englishText) {
        return QString::fromLatin1(english ? englishText : italian);
    };

    const bool dirac = diracModeInForm();
    const bool gauge =
        stored.quantumAharonovBohm.enabled || stored.quantumLandau.enabled || stored.quantumHallEdge.enabled;
    const QString solverName = dirac   ? QStringLiteral("Dirac Split-Step (two-component spinor)")
                               : gauge ? QStringLiteral("Gauge-covariant Cayley/ADI (U(1) links)")
                                       : QStringLiteral("Split-Step FFT (Schrodinger)");
    const QString id = experimentHelpId();
    const SimulationDomain2D domain = currentSimulationDomain();
    const SplitStepParameters& schroedinger = solver.parameters();
    const DiracParameters& diracParameters = diracSolver.parameters();

    ParameterRows setup;
    setup.text(label("Esperimento", "Experiment"), ui->experimentPresetComboBox->currentText());
    setup.text(QStringLiteral("helpId"), id);
    setup.text(label("Solver attivo", "Active solver"), solverName);
    setup.text(label("Griglia", "Grid"),
               QStringLiteral("%1 x %2").arg(QString::number(domain.nx()), QString::number(domain.ny())));
    setup.text(label("Dominio", "Domain"),
               QStringLiteral("%1 x %2").arg(significantText(domain.width(), 8), significantText(domain.height(), 8)));
    setup.text(QStringLiteral("dx / dy"),
               QStringLiteral("%1 / %2").arg(significantText(domain.dx(), 8), significantText(domain.dy(), 8)));
    setup.text(QStringLiteral("Boundary"), ui->boundaryModeComboBox->currentText());
    setup.text(label("Geometria", "Geometry"), potentialSummaryText());
    setup.number(QStringLiteral("hbar"), dirac ? diracParameters.hbar : schroedinger.hbar, 8);
    setup.number(QStringLiteral("dt"), dirac ? diracParameters.dt : schroedinger.dt, 8);
    // The clock adds the single-precision step: its digits beyond single
    // precision are the step's rounding (63 steps of 0.02 make 1.259999972).
    setup.number(label("Tempo corrente", "Current time"), static_cast<float>(solver.time()), 10);
    setup.text(QStringLiteral("Step"), QString::number(solver.stepCount()));
    if (dirac) {
        setup.number(QStringLiteral("c"), diracParameters.c, 8);
        setup.number(QStringLiteral("m"), diracParameters.restMass, 8);
    } else {
        setup.number(QStringLiteral("m"), schroedinger.mass, 8);
    }
    if (currentScale.valid && currentScale.lengthUnit > 0.0 && currentScale.timeUnit > 0.0) {
        setup.text(label("Scala reale - riferimento", "Real-world scale - reference"),
                   QString::fromLatin1(currentScale.system));
        setup.text(label("Scala reale - base", "Real-world scale - basis"), QString::fromLatin1(currentScale.mapping));
        setup.text(QStringLiteral("L0"), formatLength(currentScale.lengthUnit));
        setup.text(QStringLiteral("T0"), formatTime(currentScale.timeUnit));
        setup.text(QStringLiteral("E0 ~ hbar/T0"), formatEnergyOfTimeUnit(currentScale.timeUnit));
        setup.text(QStringLiteral("E0/h"), formatFrequencyOfTimeUnit(currentScale.timeUnit));
    }
    if (isSelected(ui->boundaryModeComboBox, BoundaryIndex::Absorbing)) {
        setup.number(QStringLiteral("CAP width"), ui->absorbingWidthSpinBox->value(), 8);
        setup.number(QStringLiteral("CAP strength"), ui->absorbingStrengthSpinBox->value(), 8);
    }

    ParameterRows experiment;
    if (id == QLatin1String("free_wave_packet") || id == QLatin1String("double_slit"))
        addExperimentNumbers(experiment, {{"x0", ui->centerXSpinBox->value()},
                                          {"y0", ui->centerYSpinBox->value()},
                                          {"sigma", ui->sigmaSpinBox->value()},
                                          {"px", ui->momentumSpinBox->value()},
                                          {"py", ui->momentumYSpinBox->value()}});
    if (id == QLatin1String("double_slit"))
        addExperimentNumbers(experiment, {{"V0", ui->doubleSlitV0SpinBox->value()},
                                          {"slit separation", ui->doubleSlitSeparationSpinBox->value()},
                                          {"aperture", ui->doubleSlitHeightSpinBox->value()},
                                          {"wall width", ui->doubleSlitWallWidthSpinBox->value()}});
    if (id == QLatin1String("aharonov_bohm")) {
        const AharonovBohmConfig settings = formSettings<AharonovBohmConfig>();
        addExperimentNumbers(experiment, {{"Phi/Phi0", settings.fluxQuanta},
                                          {"solenoid radius", settings.solenoidRadius},
                                          {"core barrier", settings.barrierHeight},
                                          {"detector x", settings.detectorX},
                                          {"analysis end", settings.analysisEndTime}});
    }
    if (id == QLatin1String("quantum_hall_edge")) {
        const HallEdgeConfig settings = formSettings<HallEdgeConfig>();
        addExperimentNumbers(experiment, {{"b=qB/hbar", settings.fieldStrength},
                                          {"edge y", settings.edgeY},
                                          {"wall height", settings.wallHeight},
                                          {"launch y", settings.launchY},
                                          {"orbit radius", settings.orbitRadius},
                                          {"packet sigma", settings.packetSigma},
                                          {"edge band", settings.edgeBand}});
    }
    if (id == QLatin1String("zitterbewegung")) {
        const ZitterbewegungConfig settings = formSettings<ZitterbewegungConfig>();
        addDiracPacketNumbers(experiment, settings);
        addExperimentNumbers(experiment, {{"preparation mode", static_cast<double>(settings.preparationMode)},
                                          {"analysis end", settings.analysisEndTime}});
    }
    static const char* const kleinExperiments[] = {"klein_tunneling",
                                                   "klein_regime_map",
                                                   "klein_angular_dependence",
                                                   "klein_transmission_angle_scan",
                                                   "klein_transmission_height_scan",
                                                   "klein_mass_dependence",
                                                   "massless_dirac_graphene"};
    if (std::any_of(std::begin(kleinExperiments), std::end(kleinExperiments),
                    [&id](const char* slug) { return id == QLatin1String(slug); })) {
        const KleinTunnelingConfig settings = formSettings<KleinTunnelingConfig>();
        addDiracPacketNumbers(experiment, settings);
        addExperimentNumbers(experiment, {{"barrier center", settings.barrierCenterX},
                                          {"barrier width", settings.barrierWidth},
                                          {"V0", settings.barrierHeight},
                                          {"detector x", settings.detectorX},
                                          {"analysis end", settings.analysisEndTime}});
    }

    return currentParametersPage(english, setup.html(), experiment.html());
}

void MainWindow::openCurrentParametersHelp()
{
    const QString page = buildCurrentParametersHtml();
    if (page.isEmpty())
        return;
    QString temporary = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (temporary.isEmpty())
        temporary = QDir::tempPath();
    // In a folder of this user's own: in the shared one, a file another
    // account left at the page's name would deny the page to everyone else.
    const QString folder = privateTemporaryFolder(temporary, ::geteuid());
    const QString path = QDir(folder).filePath(QStringLiteral("vxo_current_parameters.html"));
    if (folder.isEmpty() || !replaceFileWithText(path, page)) {
        showStatusMessage(QStringLiteral("Unable to write current-parameters help page."), kStatusHelpFailureMs);
        return;
    }
    // A refusal of the desktop is silent: the page stays in the folder.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace vxo
