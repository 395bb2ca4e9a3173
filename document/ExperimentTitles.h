#pragma once

// The experiments as the window names them, for messages: the titles of
// their analysis pages. A teacher looks for "Klein Tunneling", not for the
// file's "quantumKleinTunneling" nor the analysis class's
// "QuantumKleinTunneling2D".

#include <QString>

namespace vxo {

// The experiment of a document's settings object ("Klein Tunneling" for
// "quantumKleinTunneling"); the object's own key for one it does not know.
QString settingsObjectTitle(const char* object);

// An analysis's message with the experiment named as the window names it:
// a leading "QuantumKleinTunneling2D: " becomes "Klein Tunneling: "; any
// other message as it is.
QString analysisMessageForWindow(const QString& message);

} // namespace vxo
