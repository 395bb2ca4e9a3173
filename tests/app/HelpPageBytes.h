#pragma once

// The bytes of a help page as the program would read them, and the strict
// UTF-8 check both help suites hold every page to.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextCodec>

namespace vxo::test {

// The file's bytes, empty when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Decodes strictly: false when any byte sequence is not UTF-8.
inline bool isValidUtf8(const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

} // namespace vxo::test
