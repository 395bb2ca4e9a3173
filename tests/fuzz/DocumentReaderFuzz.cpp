// libFuzzer entry for the experiment-document reader. Besides surviving any
// input, a document the reader accepts must be written back as JSON that the
// reader accepts again and that writes out to the same text: whatever loads
// can be saved and loaded without change.

#include "document/ExperimentDocument.h"
#include "document/ExperimentDocumentJson.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool readDocument(const QByteArray& bytes, vxo::ExperimentDocument& document)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !json.isObject())
        return false;
    QString error;
    const bool read = vxo::parseExperimentDocument(json.object(), document, error);
    if (read != error.isEmpty())
        std::abort(); // exactly one message on failure, none on success
    return read;
}

QByteArray writeDocument(const vxo::ExperimentDocument& document)
{
    return QJsonDocument(vxo::experimentDocumentToJson(document)).toJson(QJsonDocument::Indented);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    vxo::ExperimentDocument first;
    if (!readDocument(bytes, first))
        return 0;
    const QByteArray written = writeDocument(first);
    vxo::ExperimentDocument second;
    if (!readDocument(written, second) || writeDocument(second) != written)
        std::abort();
    return 0;
}
