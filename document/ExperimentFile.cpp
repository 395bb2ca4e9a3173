#include "document/ExperimentFile.h"

#include "document/ExperimentDocumentJson.h"
#include "document/JsonReading.h"
#include "document/JsonTextExtent.h"
#include "document/PotentialSceneJson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

#include <atomic>

namespace vxo {

namespace {

// Both values in one pass: a '%' in the path is not taken for a placeholder.
QString sizeLimitMessage(const QString& path)
{
    return QStringLiteral("Cannot read '%1': the file is larger than %2 MiB.")
        .arg(path, QString::number(kMaximumExperimentFileBytes / (1024 * 1024)));
}

// The message for a text that holds more than a document may; empty when it
// holds no more. The scene's count is named as the reader names it.
QString extentFault(const JsonTextExtent& extent)
{
    if (extent.longestString > kMaximumDocumentTextCharacters)
        return QStringLiteral("Experiment document contains a text longer than %1 characters.")
            .arg(kMaximumDocumentTextCharacters);
    if (extent.deepestNesting > kMaximumDocumentNesting)
        return QStringLiteral("Experiment document nests its values more than %1 levels deep.")
            .arg(kMaximumDocumentNesting);
    if (extent.controls > kMaximumDocumentControls)
        return QStringLiteral("Experiment document contains too many controls (%1); a document holds at most %2.")
            .arg(extent.controls)
            .arg(kMaximumDocumentControls);
    if (extent.sceneObjects > kMaximumSceneObjects)
        return QStringLiteral("Potential scene contains too many objects (%1).").arg(extent.sceneObjects);
    if (extent.values > kMaximumDocumentValues)
        return QStringLiteral("Experiment document contains too many values (%1); a document holds at most %2.")
            .arg(extent.values)
            .arg(kMaximumDocumentValues);
    return {};
}

std::atomic<std::uint64_t> textsParsed{0};

} // namespace

std::uint64_t experimentTextsParsed() { return textsParsed.load(); }

bool parseExperimentBytes(const QByteArray& bytes, ExperimentDocument& document, QString& error)
{
    const QString tooMuch = extentFault(measureJsonText(bytes));
    if (!tooMuch.isEmpty())
        return readFault(error, tooMuch);
    QJsonParseError parseError;
    ++textsParsed;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return readFault(error, QStringLiteral("JSON parse error at offset %1: %2")
                                    .arg(QString::number(parseError.offset), parseError.errorString()));
    }
    if (!json.isObject())
        return readFault(error, QStringLiteral("Experiment JSON root must be an object."));
    return parseExperimentDocument(json.object(), document, error);
}

QByteArray experimentDocumentBytes(const ExperimentDocument& document)
{
    return QJsonDocument(experimentDocumentToJson(document)).toJson(QJsonDocument::Indented);
}

bool loadExperimentFile(const QString& path, ExperimentDocument& document, QString& error)
{
    error.clear();
    // Opening a FIFO for reading waits for a writer, and a device may never
    // end: only regular files are opened. A missing file is left to open(),
    // which names the cause.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = QStringLiteral("Cannot open '%1': Not a regular file").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open '%1': %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaximumExperimentFileBytes) {
        error = sizeLimitMessage(path);
        return false;
    }
    // The file may grow meanwhile: read in blocks and stop once past the
    // limit.
    constexpr qint64 blockBytes = 1 << 16;
    QByteArray bytes;
    while (bytes.size() <= kMaximumExperimentFileBytes) {
        const QByteArray block = file.read(blockBytes);
        if (block.isEmpty())
            break;
        bytes.append(block);
    }
    if (bytes.size() > kMaximumExperimentFileBytes) {
        error = sizeLimitMessage(path);
        return false;
    }
    return parseExperimentBytes(bytes, document, error);
}

bool saveExperimentFile(const QString& path, const ExperimentDocument& document, QString& error)
{
    error.clear();
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Cannot save '%1': it is a folder. Choose another file name.").arg(path);
        return false;
    }
    // Named with the limit, which the reader's own message leaves out.
    if (document.potentialScene.size() > static_cast<std::uint64_t>(kMaximumSceneObjects)) {
        error = QStringLiteral("Potential scene contains too many objects (%1); a document holds at most %2.")
                    .arg(document.potentialScene.size())
                    .arg(kMaximumSceneObjects);
        return false;
    }
    const QByteArray bytes = experimentDocumentBytes(document);

    // What cannot be loaded back is not saved.
    ExperimentDocument check;
    if (!parseExperimentBytes(bytes, check, error))
        return false;
    // Nor what would come back switched off.
    if (!check.switchedOff.empty()) {
        const ExperimentDocument::SwitchedOffRecord& first = check.switchedOff.front();
        error = QStringLiteral("%1 cannot be saved switched on: %2.").arg(first.title, first.reason);
        return false;
    }

    // Unbuffered, so that every write reaches the file here and its failure
    // is seen before the commit, which would otherwise publish a short file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = QStringLiteral("Cannot open '%1' for writing: %2").arg(path, file.errorString());
        return false;
    }
    // A write that stops part way (a disk filling up) reports no error of its
    // own; writing the rest then fails with the system's cause, which the
    // message names.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            error = QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString());
            file.cancelWriting();
            return false;
        }
        written += count;
    }
    if (!file.commit()) {
        error = QStringLiteral("Cannot commit '%1': %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace vxo
