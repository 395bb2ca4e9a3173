#pragma once

#include "core/ColumnAmplitudes2D.h"
#include "core/ComplexField2D.h"
#include "core/DensitySums2D.h"
#include "core/EnergyObservables2D.h"
#include "core/ProbabilityCurrent2D.h"

#include <cstdint>

namespace vxo {

// The observables of psi that several readers of one tick want: the density
// sums (norm, moments, region probabilities), the column sums of the
// amplitude (every two-level projection) and the probability current, with,
// while the magnetic step runs, the covariant energies that come from the
// same pass as its current.
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
    bool columnsReady = false;
    bool currentReady = false;
    DensitySums2D density;
    ColumnAmplitudes2D columns;
    // Valid from the current's pass while gauge links are in force.
    bool covariantEnergiesRead = false;
    EnergyObservables2D covariantEnergies;
    std::uint64_t densityPasses = 0;
    std::uint64_t columnPasses = 0;
    std::uint64_t currentPasses = 0;

    void openFor(const Key& state)
    {
        open = true;
        key = state;
        densityReady = false;
        columnsReady = false;
        currentReady = false;
        covariantEnergiesRead = false;
    }
    void close()
    {
        open = false;
        densityReady = false;
        columnsReady = false;
        currentReady = false;
        covariantEnergiesRead = false;
    }
    // True while a result computed in the window for `state` may be reused.
    bool sharing(const Key& state) const { return open && key == state; }
    // Runs `compute` (one pass over psi, counted in passes) unless a result
    // for `state` is ready in the window; ready tells whether it may be kept.
    template <typename Compute>
    void reuseOrCompute(bool& ready, std::uint64_t& passes, const Key& state, Compute compute)
    {
        if (ready && sharing(state))
            return;
        compute();
        ++passes;
        ready = sharing(state);
    }
};

} // namespace vxo
