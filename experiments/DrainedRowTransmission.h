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
//
// A slow packet, a long-lived level or fine cells make the line long and the
// run slow: the line's work, its cells times the sub-steps its solver takes,
// is bounded by kMostWork, past which the check ends unchecked instead of
// guessing. The run goes on in slices (`advance`), so that a window can
// spread it over its event loop and stay answering.

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace vxo {

struct RowPacket {
    double centerX = 0.0;
    double sigma = 1.0;
    double momentum = 0.0;
};

struct RowTransmission {
    bool valid = false;        // the line drained (or ran to kLongestRun) within its work
    bool overBudget = false;   // the line's work ran out first: nothing is known
    double transmission = 0.0; // share of the packet that passed the span
    double time = 0.0;         // when the run stopped
};

// A reading on these cells stands for the exact walls of the painted faces
// when the packet passes, on a line of the same cells, within this share of
// what the exact walls pass, however little that is: the walls' numbers then
// agree to within what the reading's own bookkeeping leaves open.
constexpr double kCellsAgreement = 0.02;
// Whether a check that drained says these cells carry walls whose packet T
// is `exact`.
inline bool cellsCarryTheWalls(const RowTransmission& cells, double exact)
{
    return cells.valid && std::abs(cells.transmission - exact) <= kCellsAgreement * exact;
}

class DrainedRowTransmission {
public:
    // Left in the span when the run counts it drained: below what four
    // decimals of a share can show.
    static constexpr double kDrainedShare = 1e-4;
    // The longest run, in the solver's time: a level that keeps the packet
    // longer is booked ahead by aheadShare from there.
    static constexpr double kLongestRun = 400.0;
    // The most work of one check, in cell sub-steps of its line (about 3 ns
    // each): a few seconds of one core, spread by the caller. The guided
    // pair's check takes a sixth of it on a 1024-cell row, a slow packet on
    // a universe a quarter as wide and 512 cells four fifths.
    static constexpr std::uint64_t kMostWork = std::uint64_t(1) << 30;

    // Sets the line up; nothing is run. Finished at once, invalid, for an
    // empty potential, a row outside it, an empty span, a packet that is not
    // finite or has no positive width, or parameters the solver refuses.
    // `mostWork` bounds the check's work (kMostWork unless a caller needs less).
    DrainedRowTransmission(const PotentialField2D& potential, std::uint64_t row, double from, double to,
                           const SplitStepParameters& parameters, const RowPacket& packet, double aheadShare,
                           std::uint64_t mostWork = kMostWork);

    // Runs whole steps until the check ends or `work` more cell sub-steps
    // have been spent (at least one step); true once the check has ended.
    bool advance(std::uint64_t work);
    bool finished() const { return finished_; }
    const RowTransmission& result() const { return result_; }
    // Cell sub-steps spent so far.
    std::uint64_t workDone() const { return workDone_; }

    // The whole check at once.
    static RowTransmission run(const PotentialField2D& potential, std::uint64_t row, double from, double to,
                               const SplitStepParameters& parameters, const RowPacket& packet, double aheadShare);

private:
    // Books the shares at a look; true once the line counts as drained.
    bool look(bool last);

    bool finished_ = false;
    RowTransmission result_;
    std::uint64_t workDone_ = 0;
    std::uint64_t mostWork_ = kMostWork;
    std::uint64_t steps_ = 0;
    std::uint64_t longest_ = 0;
    double from_ = 0.0;
    double to_ = 0.0;
    double dx_ = 0.0;
    double aheadShare_ = 0.0;
    double takenRight_ = 0.0;
    PotentialField2D line_;
    ComplexField2D psi_;
    std::vector<double> x_;
    std::vector<float> mask_;
    SplitStepFourierSolver2D solver_;
};

} // namespace vxo
