#pragma once

// Loading and atomic saving of experiment document files.

#include "document/ExperimentDocument.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace vxo {

// Files are read whole; larger ones are refused unread.
constexpr std::int64_t kMaximumExperimentFileBytes = 64LL * 1024 * 1024;

// What a document holds at most, checked before its text is parsed, so that
// a file within the size limit but built to be parsed for seconds is refused
// at once. Texts are counted as decoded, so an escape neither passes a limit
// nor trips it. A document's strings are names, types and ids: a long title
// fits many times over.
constexpr std::int64_t kMaximumDocumentTextCharacters = 4096;
// The form has some hundred controls.
constexpr std::int64_t kMaximumDocumentControls = 1024;
// A scene at its limit and every record, several times over.
constexpr std::int64_t kMaximumDocumentValues = 65536;
// A document nests four deep (the root, the scene, its objects, an object).
constexpr std::int64_t kMaximumDocumentNesting = 64;

// On success `document` is replaced by the file's content; on failure it is
// untouched and `error` holds one message. A path that exists but is no
// regular file (a folder, a FIFO, a device) is refused without being opened,
// so that loading never waits for a writer. Never throws.
bool loadExperimentFile(const QString& path, ExperimentDocument& document, QString& error);

// Writes the document as indented JSON through a save file that replaces the
// target only on commit. The text is read back with the document reader
// before anything is written, so a document the reader would refuse (too many
// scene objects, duplicate ids, numbers that JSON cannot hold, records the
// checks refuse, an enabled drive or shutter whose target object the scene
// does not hold, which would be read switched off) is never saved: the
// reader's message is returned and the target stays as it was. A folder at `path` is refused first, with a
// message that asks for another name; then a scene beyond the limit, with a
// message that names the limit. A write that
// fails names the system's cause (a full disk: "No space left on device").
// `error` is emptied first.
bool saveExperimentFile(const QString& path, const ExperimentDocument& document, QString& error);

// The content of a file as a document: the limits above, JSON parse, root
// object, document reader, with the same messages and guarantees as
// loadExperimentFile.
bool parseExperimentBytes(const QByteArray& bytes, ExperimentDocument& document, QString& error);
// How many texts have been handed to the JSON parser in this process: a text
// the limits refuse never is, whatever it would have cost.
std::uint64_t experimentTextsParsed();
// The content saveExperimentFile writes: the document as indented JSON.
QByteArray experimentDocumentBytes(const ExperimentDocument& document);

} // namespace vxo
