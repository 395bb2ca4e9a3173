#include "document/ExperimentTitles.h"

#include <cstring>

namespace vxo {

namespace {

// The document's settings objects by their experiments. The linear sweep
// has no page of its own (its passages are read on the Landau-Zener and
// Stueckelberg pages) and is named as its Dynamics page names it.
// A name the program uses and the title the window shows for it.
struct Title {
    const char* name;
    const char* title;
};

const Title kObjectTitles[] = {
    {"quantumQuench", "Quench"},
    {"periodicDrive", "Periodic drive"},
    {"linearSweep", "Linear sweep"},
    {"ramseySequence", "Ramsey"},
    {"ramseyEnsemble", "Ramsey"},
    {"talbotInitialState", "Talbot"},
    {"vortexInitialState", "Vortex"},
    {"andersonInitialState", "Anderson"},
    {"kickedRotor", "Kicked Rotor"},
    {"kickedRotorInitialState", "Kicked Rotor"},
    {"quantumZeno", "Zeno"},
    {"quantumZenoInitialState", "Zeno"},
    {"quantumScar", "Scars"},
    {"quantumBerry", "Berry Phase"},
    {"quantumLoschmidt", "Loschmidt"},
    {"moshinskyInitialState", "Diffraction in Time"},
    {"quantumMoshinsky", "Diffraction in Time"},
    {"kapitzaDiracInitialState", "Kapitza-Dirac"},
    {"quantumKapitzaDirac", "Kapitza-Dirac"},
    {"quantumAharonovBohm", "Aharonov-Bohm"},
    {"quantumLandau", "Landau"},
    {"quantumHallEdge", "Hall Edge"},
    {"quantumBackflow", "Backflow"},
    {"quantumZitterbewegung", "Zitterbewegung"},
    {"quantumKleinTunneling", "Klein Tunneling"},
};

// The analyses whose messages name their class.
const Title kAnalysisTitles[] = {
    {"QuantumAnderson2D", "Anderson"},
    {"QuantumBackflow2D", "Backflow"},
    {"QuantumKickedRotor2D", "Kicked Rotor"},
    {"QuantumKleinTunneling2D", "Klein Tunneling"},
    {"QuantumVortex2D", "Vortex"},
    {"QuantumZitterbewegung2D", "Zitterbewegung"},
};

} // namespace

QString settingsObjectTitle(const char* object)
{
    for (const Title& entry : kObjectTitles) {
        if (std::strcmp(entry.name, object) == 0)
            return QLatin1String(entry.title);
    }
    return QLatin1String(object);
}

QString analysisMessageForWindow(const QString& message)
{
    for (const Title& entry : kAnalysisTitles) {
        const QString prefix = QLatin1String(entry.name) + QStringLiteral(": ");
        if (message.startsWith(prefix))
            return QLatin1String(entry.title) + QStringLiteral(": ") + message.mid(prefix.size());
    }
    return message;
}

} // namespace vxo
