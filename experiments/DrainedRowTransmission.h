#pragma once

// What a packet passes of a barrier as the grid's cells carry it.
//
// The split-step solver sees a barrier as values on cell centres: a face is
// sharp to within a cell, and a coarse cell carries a packet's wave less
// faithfully than the exact (continuum) walls of the painted faces would. To
// tell how far that moves a packet's transmission, the same solver runs the
// same cells in one dimension: the grid row through the packet, its values
// between `from` and `to` (the barrier and its faces) on a line of the same
// spacing and cell centres, zero elsewhere, long enough to hold the packet's
// start and to let both outgoing parts die away in absorbing ends. The
// packet exp(-(x - x0)^2 / 4 sigma^2) exp(i p x / hbar), the x-profile of the
// Gaussian packets of the form, is stepped with the solver's own mass, hbar
// and dt until the span holds less than kDrainedShare of it (or until
// kLongestRun); what has passed the span is its transmission, and what the
// span still holds then is booked ahead by `aheadShare`.

#include "core/SplitStepFourierSolver2D.h"

#include <cstdint>

namespace vxo {

class PotentialField2D;

struct RowPacket {
    double centerX = 0.0;
    double sigma = 1.0;
    double momentum = 0.0;
};

struct RowTransmission {
    bool valid = false;
    double transmission = 0.0; // share of the packet that passed the span
    double time = 0.0;         // when the run stopped
};

class DrainedRowTransmission {
public:
    // Left in the span when the run counts it drained: below what four
    // decimals of a share can show.
    static constexpr double kDrainedShare = 1e-4;
    // The longest run, in the solver's time: a level that keeps the packet
    // longer is booked ahead by aheadShare from there.
    static constexpr double kLongestRun = 400.0;

    // Invalid (and nothing run) for an empty potential, a row outside it, an
    // empty span, a packet that is not finite or has no positive width, or
    // parameters the solver refuses.
    static RowTransmission run(const PotentialField2D& potential, std::uint64_t row, double from, double to,
                               const SplitStepParameters& parameters, const RowPacket& packet, double aheadShare);
};

} // namespace vxo
