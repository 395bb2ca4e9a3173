#pragma once

// The versioned root members of an experiment file and the schema that
// introduced each, in file order.

#include <utility>
#include <vector>

namespace vxo::test {

inline const std::vector<std::pair<const char*, int>>& rootMemberVersions()
{
    static const std::vector<std::pair<const char*, int>> members = {
        {"potentialScene", 2},
        {"initialPreparation", 4},
        {"measurementCollapse", 5},
        {"quantumQuench", 6},
        {"periodicDrive", 7},
        {"linearSweep", 8},
        {"ramseySequence", 10},
        {"ramseyEnsemble", 12},
        {"talbotInitialState", 13},
        {"vortexInitialState", 14},
        {"andersonInitialState", 15},
        {"kickedRotor", 16},
        {"kickedRotorInitialState", 16},
        {"quantumZeno", 17},
        {"quantumZenoInitialState", 17},
        {"quantumScar", 18},
        {"quantumBerry", 19},
        {"quantumLoschmidt", 20},
        {"moshinskyInitialState", 21},
        {"quantumMoshinsky", 21},
        {"kapitzaDiracInitialState", 22},
        {"quantumKapitzaDirac", 22},
        {"quantumAharonovBohm", 23},
        {"quantumLandau", 24},
        {"quantumHallEdge", 25},
        {"quantumBackflow", 26},
        {"quantumZitterbewegung", 27},
        {"quantumKleinTunneling", 28},
    };
    return members;
}

} // namespace vxo::test
