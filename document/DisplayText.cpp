#include "document/DisplayText.h"

namespace vxo {

QString elideForDisplay(const QString& text)
{
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

} // namespace vxo
