// libFuzzer entry for the experiment-document reader, fed with file content.
// Besides surviving any input, a document the reader accepts must be saved
// as text that the reader accepts again and that saves to the same text:
// whatever loads can be saved and loaded without change.

#include "document/ExperimentDocument.h"
#include "document/ExperimentFile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool readDocument(const QByteArray& bytes, vxo::ExperimentDocument& document)
{
    QString error;
    const bool read = vxo::parseExperimentBytes(bytes, document, error);
    if (read != error.isEmpty())
        std::abort(); // exactly one message on failure, none on success
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    vxo::ExperimentDocument first;
    if (!readDocument(bytes, first))
        return 0;
    const QByteArray written = vxo::experimentDocumentBytes(first);
    vxo::ExperimentDocument second;
    if (!readDocument(written, second) || vxo::experimentDocumentBytes(second) != written)
        std::abort();
    return 0;
}
