#include "document/DisplayText.h"

namespace vxo {

namespace {

// Embeddings and overrides (U+202A to U+202E) and isolates (U+2066 to
// U+2069): marks that open or close a directional run, and one left open or
// closed early by a document reaches into the text around it.
bool isDirectionalFormatting(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

QString withoutControls(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control && !isDirectionalFormatting(c))
            kept.append(c);
    return kept;
}

} // namespace

QString elideForDisplay(const QString& input)
{
    const QString text = withoutControls(input);
    if (text.size() <= kDisplayTextLimit)
        return text;
    const QChar ellipsis(0x2026);
    const int kept = kDisplayTextLimit - 1;
    int head = kept / 2;
    int tailStart = text.size() - (kept - head);
    // A cut between the two halves of a surrogate pair drops the pair, so
    // the result stays valid UTF-16 and within the limit.
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(tailStart).isLowSurrogate())
        ++tailStart;
    return text.left(head) + ellipsis + text.mid(tailStart);
}

bool blankForDisplay(const QString& text)
{
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (!c.isSpace() && category != QChar::Other_Control && category != QChar::Other_Format)
            return false;
    }
    return true;
}

QString isolateForDisplay(const QString& text)
{
    const QChar firstStrongIsolate(0x2068);
    const QChar popDirectionalIsolate(0x2069);
    return firstStrongIsolate + elideForDisplay(text) + popDirectionalIsolate;
}

} // namespace vxo
