#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vxo {

class PotentialField2D;

// One stationary state of a one-dimensional well.
struct BoundState {
    int n = 0;              // 1 for the first state found, 2 for the second, ...
    double energy = 0.0;    // <phi|H|phi>
    int nodes = 0;          // sign changes of phi(x), ignoring samples below 1.5 % of the peak
    std::vector<float> phi; // real, sum phi^2 dx = 1, largest-magnitude sample positive
};

// Outcome of BoundStates1D::compute together with what it was computed from:
// the grid's fingerprint, mass and hbar, so that a change of any of them marks
// the result stale.
struct BoundStateResult {
    bool ok = false;
    std::string message;
    double dx = 0.0;
    double mass = 1.0;
    double hbar = 1.0;
    double continuumThreshold = 0.0;
    std::uint64_t fingerprint = 0;
    std::vector<double> x;
    std::vector<double> potential;
    std::vector<BoundState> states;

    // ok, the same grid content (fingerprint), the same number of columns,
    // and mass and hbar equal within 1e-12 max(1, |value|).
    bool isValidFor(const PotentialField2D& grid, double mass, double hbar) const;
    // ok, the same spacing and middle row as the grid (what the states are
    // computed from), and mass and hbar as above: a grid painted again with
    // that row holds the same states, found in O(nx) without the whole
    // grid's fingerprint.
    bool isForRowOf(const PotentialField2D& grid, double mass, double hbar) const;
};

// 64-bit FNV-1a over the little-endian bytes of nx (u64), ny (u64), dx (f32),
// dy (f32) and then every value (f32, storage order). Compared only with values
// of the same function, never stored.
std::uint64_t potentialGridFingerprint(const PotentialField2D& grid);

} // namespace vxo
