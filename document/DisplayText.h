#pragma once

// Text that comes from a document or a file name, bounded before it is shown.
// A document may hold a name of millions of characters: put into a window
// title, a label, a status line or a message as it is, it makes the window
// system refuse the request and the program end.

#include <QString>

namespace vxo {

// The longest text, in UTF-16 code units, that elideForDisplay returns.
constexpr int kDisplayTextLimit = 200;

// `text` without its control characters (a NUL would cut a window title
// short, a line break split it) and without the marks that embed, override or
// isolate writing direction (a right-to-left override would reverse whatever
// the program writes after it); then, when it is no longer than the limit,
// as it is, otherwise its beginning and its end joined by an ellipsis,
// kDisplayTextLimit code units in all, never splitting a surrogate pair. Both
// ends stay: a title's start and a path's file name.
QString elideForDisplay(const QString& text);

// Whether `text` shows nothing: it holds only white space, control
// characters and invisible format characters (direction marks and
// embeddings, zero-width spaces and joiners).
bool blankForDisplay(const QString& text);

// elideForDisplay's text between a first-strong isolate and its closing mark,
// so that its writing direction (a right-to-left name, a right-to-left mark)
// cannot reorder the program's own text around it.
QString isolateForDisplay(const QString& text);

} // namespace vxo
