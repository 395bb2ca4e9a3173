#pragma once

#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class PotentialField2D;

// The potential half step of a split-step propagator, exp(-i V dt / (2 hbar))
// per cell, computed in double and kept in single precision as its offset
// from one (roundOffsetCarried, applied by offsetProduct), together
// with the key of the potential it was built from: the potential's identity,
// its revision and its grid. A solver rebuilds the table only when the key no
// longer matches, so a step evaluates no transcendental function while the
// potential stays as it is.
class PotentialPhaseTable {
public:
    // A table has been built from this very potential at its present revision.
    bool matches(const PotentialField2D& potential) const;
    // Replaces table and key; either both change or, should the allocation
    // fail, neither does. whole, when not null, receives the table of the
    // whole dt, exp(-i V dt / hbar), with the same key (changed together).
    void rebuild(const PotentialField2D& potential, double dt, double hbar, PotentialPhaseTable* whole = nullptr);
    void clear();
    // For a potential repainted with the very values the table was built
    // from: a table keyed to this potential at revision `from` is keyed to
    // its present revision instead, unchanged. Any other table is left as is.
    void adoptRevision(const PotentialField2D& potential, std::uint64_t from);
    std::uint64_t revision() const { return revision_; }

    // field[c] *= 1 + table[c] over every cell. A table with another number of
    // cells than the field throws std::invalid_argument instead of being read
    // out of bounds.
    void apply(ComplexField2D& field) const;

    std::uint64_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }
    const std::vector<Complex>& values() const { return values_; }

private:
    std::uint64_t identity_ = 0;
    std::uint64_t revision_ = 0;
    GridKey2D grid_;
    std::vector<Complex> values_;
};

} // namespace vxo
