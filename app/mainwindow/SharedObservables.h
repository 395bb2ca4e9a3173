#pragma once

#include "core/ComplexField2D.h"
#include "core/DensitySums2D.h"
#include "core/ProbabilityCurrent2D.h"

#include <cstdint>

namespace vxo {

// The observables of psi that several readers of one tick want: the density
// sums (norm, moments, region probabilities) and the probability current.
// The steps of a tick open a sharing window; the observation, the
// diagnostics, the panels and the views read the same results in it, and the
// refresh that ends the tick closes it. Outside a window every read computes
// afresh, since psi may change by means that no key sees. The counters record
// how many passes were made.
struct SharedObservables {
    // The state the window was opened for: psi's storage and grid, and the
    // solver clock after the tick's steps.
    struct Key {
        const Complex* data = nullptr;
        std::uint64_t nx = 0;
        std::uint64_t ny = 0;
        std::uint64_t step = 0;
        double time = 0.0;
        bool operator==(const Key& other) const
        {
            return data == other.data && nx == other.nx && ny == other.ny && step == other.step && time == other.time;
        }
    };

    bool open = false;
    Key key;
    bool densityReady = false;
    bool currentReady = false;
    DensitySums2D density;
    std::uint64_t densityPasses = 0;
    std::uint64_t currentPasses = 0;

    void openFor(const Key& state)
    {
        open = true;
        key = state;
        densityReady = false;
        currentReady = false;
    }
    void close()
    {
        open = false;
        densityReady = false;
        currentReady = false;
    }
    // True while a result computed in the window for `state` may be reused.
    bool sharing(const Key& state) const { return open && key == state; }
};

} // namespace vxo
