#pragma once

#include "core/ComplexField2D.h"
#include "core/EnergyObservables2D.h"

#include <cstdint>

namespace vxo {

// The spinor's energies as Diagnostics shows them, kept with the state they
// were read from. A reading costs two transforms of the whole grid and a
// Dirac run records no observation to take them from, so they are read only
// while the table is in sight, and again only when the spinor, its
// potential or the Hamiltonian has moved since. A rebuild, which prepares a
// new spinor at the same time and step, drops the reading.
struct DiracEnergyReading {
    struct Key {
        const Complex* upper = nullptr;
        const Complex* lower = nullptr;
        std::uint64_t nx = 0;
        std::uint64_t ny = 0;
        std::uint64_t step = 0;
        double time = 0.0;
        // The potential's (identity, revision); both 0 for the free step.
        std::uint64_t potentialIdentity = 0;
        std::uint64_t potentialRevision = 0;
        double hbar = 0.0;
        double lightSpeed = 0.0;
        double restMass = 0.0;
        bool operator==(const Key& o) const
        {
            return upper == o.upper && lower == o.lower && nx == o.nx && ny == o.ny && step == o.step &&
                   time == o.time && potentialIdentity == o.potentialIdentity &&
                   potentialRevision == o.potentialRevision && hbar == o.hbar && lightSpeed == o.lightSpeed &&
                   restMass == o.restMass;
        }
    };

    bool valid = false;
    Key key;
    EnergyObservables2D energies;
    std::uint64_t evaluations = 0; // readings taken since the window opened

    void invalidate() { valid = false; }
};

} // namespace vxo
