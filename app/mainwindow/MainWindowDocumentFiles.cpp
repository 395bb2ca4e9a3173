#include "app/mainwindow/MainWindow.h"

#include "app/form/BoxRounding.h"
#include "app/form/ControlCaption.h"
#include "app/form/QuietControlWrites.h"
#include "app/mainwindow/StatusDurations.h"
#include "app/text/ExperimentFileName.h"
#include "document/DisplayText.h"
#include "document/ExperimentFile.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>

// Load and Save as the user meets them: the file dialogs, the note a load
// with something switched off or rounded ends with, and the file errors.

namespace vxo {

namespace {

const char* const kFileFilter = "Ondrivel Experiment (*.vxo.json *.json);;JSON files (*.json);;All files (*.*)";

// The width, in average characters, of a path in a file error's box.
constexpr int kShownPathCharacters = 64;

// The rounded values Load's note lists in its box; its details list them all.
constexpr int kRoundingsListed = 8;

} // namespace

void MainWindow::loadExperiment()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Quantum Experiment"), lastDocumentPath,
                                                      QLatin1String(kFileFilter));
    if (!path.isEmpty())
        loadExperimentFromPath(path);
}

bool MainWindow::loadExperimentFromPath(const QString& path)
{
    ExperimentDocument document;
    QString error;
    if (!loadExperimentFile(path, document, error)) {
        showDocumentFileError(QStringLiteral("Load Experiment"), withWindowCaptions(*ui, error), path);
        return false;
    }
    const QFileInfo file(path);
    // A nameless document is titled after its file, already for the rebuild;
    // so is one whose name shows nothing (control and direction characters).
    if (blankForDisplay(document.name))
        document.name = experimentTitleOfFile(path);

    std::vector<BoxRounding> roundings;
    const DocumentApplication applied = applyDocument(document, error, &roundings);
    if (applied == DocumentApplication::Refused) {
        showDocumentFileError(QStringLiteral("Load Experiment"), withWindowCaptions(*ui, error), path);
        return false;
    }
    // Also without its bound state the window holds the new document, so
    // Save must offer its file, not the previous one.
    lastDocumentPath = path;
    const int presetIndex = presetIndexOfTitle(document.sourcePreset);
    if (presetIndex >= 0) {
        setIndexQuietly(ui->experimentPresetComboBox, presetIndex);
        updateHelpTexts(presetIndex);
        bringGuideForward();
    }
    ui->experimentPresetDescriptionLabel->setText(
        QStringLiteral("Custom JSON experiment loaded from %1. Built-in presets remain read-only and unchanged.")
            .arg(elideForDisplay(file.fileName())));
    updateWindowTitle();
    updateDiagnostics();
    const QString loaded = QStringLiteral("Experiment configuration loaded: %1").arg(elideForDisplay(path));
    // Loaded, but for the bound state or a record the reader switched off,
    // or with values rounded to their boxes: said as a load, with what is
    // missing or changed.
    QStringList notes;
    if (applied == DocumentApplication::Partial)
        notes << QStringLiteral("Not restored: %1 The simulation starts from the Gaussian packet of the loaded "
                                "controls instead.")
                     .arg(error);
    for (const ExperimentDocument::SwitchedOffRecord& off : document.switchedOff)
        notes << QStringLiteral("Switched off: %1, because %2.").arg(off.title, off.reason);
    // A script may write every value with a digit too many: the box lists
    // the first few, its details all of them, so that it fits the screen.
    QString roundedDetails;
    if (!roundings.empty())
        notes << boxRoundingsNote(roundings, kRoundingsListed, roundedDetails);
    if (!notes.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Load Experiment"),
                        loaded + QStringLiteral("\n\n") + notes.join(QStringLiteral("\n\n")), QMessageBox::Ok, this);
        box.setDetailedText(roundedDetails);
        box.exec();
    }
    showStatusMessage(loaded, kStatusReportMs);
    return true;
}

void MainWindow::saveExperiment()
{
    const QString proposed =
        lastDocumentPath.isEmpty()
            ? experimentFileBaseName(ui->experimentPresetComboBox->currentText()) + QStringLiteral(".vxo.json")
            : lastDocumentPath;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Quantum Experiment"), proposed,
                                                      QLatin1String(kFileFilter));
    if (!path.isEmpty())
        saveExperimentToPath(path);
}

bool MainWindow::saveExperimentToPath(QString path)
{
    // A path that ends in a folder separator names no file: with the ending
    // it would become a hidden ".vxo.json" inside the folder.
    if (QFileInfo(path).fileName().isEmpty()) {
        showDocumentFileError(
            QStringLiteral("Save Experiment"),
            QStringLiteral("Cannot save '%1': it names a folder, not a file. Choose a file name.").arg(path), path);
        return false;
    }
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".vxo.json");
        // The dialog asked about the name as typed, not about the file with
        // its ending: that one is asked about here.
        // A folder by that name cannot be replaced: saving refuses it below,
        // unasked.
        const QFileInfo target(path);
        if ((target.exists() || target.isSymLink()) && !target.isDir() && !confirmReplacing(path))
            return false;
    }
    ExperimentDocument document = captureExperimentDocument();
    document.name = experimentTitleOfFile(path);
    QString error;
    if (!saveExperimentFile(path, document, error)) {
        showDocumentFileError(QStringLiteral("Save Experiment"), error, path);
        return false;
    }
    lastDocumentPath = path;
    experimentTitle = document.name;
    updateWindowTitle();
    updateDiagnostics();
    showStatusMessage(QStringLiteral("Experiment configuration saved: %1").arg(elideForDisplay(path)), kStatusReportMs);
    return true;
}

bool MainWindow::confirmReplacing(const QString& path)
{
    QMessageBox question(QMessageBox::Warning, QStringLiteral("Save Quantum Experiment"),
                         QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(elideForDisplay(QFileInfo(path).fileName())),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    question.exec();
    return question.clickedButton() == question.button(QMessageBox::Yes);
}

void MainWindow::showDocumentFileError(const QString& title, const QString& text, const QString& path)
{
    // A long path is one word the box can only break anywhere, line after
    // line, until the message runs off the screen; its start and its file
    // name say which file it is.
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
    const QString shown = box.fontMetrics().elidedText(elideForDisplay(path), Qt::ElideMiddle,
                                                       kShownPathCharacters * box.fontMetrics().averageCharWidth());
    if (!path.isEmpty() && shown != path && text.contains(path)) {
        box.setText(QString(text).replace(path, shown));
        box.setDetailedText(text);
    }
    box.exec();
}

} // namespace vxo
