#pragma once

#include "experiments/QuantumResonance2D.h"

#include <vector>

namespace vxo {

class PotentialField2D;

// The potential a packet meets along the grid row nearest y, as painted: the
// cells whose centres lie in [xFrom, xTo], one layer per run of equal values,
// each cell dx long. Whatever rule painted the faces, the layers are the
// barriers the simulation has. Empty for an empty field or an empty span.
std::vector<PotentialLayer> paintedLayers(const PotentialField2D& potential, double y, double xFrom, double xTo);

// The layers split at the longest run of zero potential: what lies before it,
// its length, and what lies after it (the two barriers of a pair and their
// cavity). Without a zero run the cavity is 0 long and everything is before it.
struct LayeredCavity {
    std::vector<PotentialLayer> before;
    double width = 0.0;
    std::vector<PotentialLayer> after;

    // before, a zero layer of the given width, after.
    std::vector<PotentialLayer> withWidth(double width) const;
};
LayeredCavity splitAtCavity(const std::vector<PotentialLayer>& layers);

} // namespace vxo
