#pragma once

#include <array>
#include <cstddef>

namespace vxo {

// When the probability still between the outer faces of a barrier pair can
// be booked as reflected or transmitted.
//
// Once the packet has gone, what the pair holds is of two kinds. Probability
// caught in a quasi-bound level of the cavity leaks out at the level's rate,
// exp(-Gamma t / hbar), through each wall in a fixed proportion: it can be
// booked ahead by the walls' shares. Off resonance most of what the pair
// holds is the transient of the reflected packet, whose decay is not
// exponential and which goes back mostly the way it came: booked by the
// walls' shares it would count half of itself as transmitted. So the pair
// is read once it is drained (what it holds cannot move either share
// noticeably) or once it leaks as one level: over two consecutive windows
// each side has only gained, and the content has decayed at one rate.
//
// The windows last two round trips of the cavity at the packet's speed (at
// least the packet's passage, sigma / v): beats between neighbouring levels
// repeat every round trip, and a packet's Gaussian tail decays at a rate
// that grows with time, so neither passes for one level's leak.

// Shares of the whole packet at one time: left of the pair, between its
// outer faces (barriers and cavity), right of it.
struct PairShares {
    double time = 0.0;
    double left = 0.0;
    double inside = 0.0;
    double right = 0.0;
};

enum class PairReadiness {
    NotYet,  // the content is neither small enough nor a level's leak
    Drained, // too little is left to move a share
    Leaking, // one quasi-bound level leaks: book it by the walls' shares
};

// The share of a leaking level that leaves through the right wall, from the
// two walls' plane-wave transmissions T1 (left) and T2 (right) at the level's
// energy. A level decays by R1 R2 per round trip; what hits wall i leaves
// with T_i, and in the decaying mode the intensity meeting the left wall is
// sqrt(R2 / R1) times that meeting the right one, so the right wall takes
// T2 sqrt(R1) / (T2 sqrt(R1) + T1 sqrt(R2)): 1/2 for equal walls. Walls that
// transmit nothing give 1/2; transmissions are clamped to [0, 1].
double leakThroughRight(double leftT, double rightT);

class CavityLeakWatch {
public:
    // Forgets every sample.
    void reset() { count_ = 0; }

    // What the pair allows at `now` (shares of the whole packet), with
    // `throughRight` the share of its content that the walls would send
    // right and `window` the length of each decay window (one that is not
    // finite and positive never reads a leak). Keeps `now` as a window's end
    // when it is the first sample seen of a new window (windows start at the
    // multiples of their length).
    PairReadiness observe(const PairShares& now, double throughRight, double window);

private:
    // The three kept samples span two windows of one level's leak.
    bool leaksAsOneLevel() const;

    std::array<PairShares, 3> kept_{};
    std::size_t count_ = 0; // samples in kept_, the newest last
};

} // namespace vxo
