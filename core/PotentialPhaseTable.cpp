#include "core/PotentialPhaseTable.h"

#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

bool PotentialPhaseTable::matches(const PotentialField2D& potential) const
{
    return !values_.empty() && identity_ == potential.identity() && revision_ == potential.revision()
        && grid_.matches(potential);
}

void PotentialPhaseTable::rebuild(const PotentialField2D& potential, double dt, double hbar,
                                  PotentialPhaseTable* whole)
{
    const double coefficient = -dt / (2.0 * hbar);
    std::vector<Complex> table(potential.size());
    std::vector<Complex> doubled(whole ? potential.size() : 0);
    const float* v = potential.data();
    UnitPhaseRun run, doubledRun;
    // Potentials are mostly regions of one value: a cell like the one before
    // it reuses its cosine and sine (the rounding still carries per cell).
    float last = 0.0f;
    double c = 1.0, s = 0.0;
    Complex* half = table.data();
    Complex* full = doubled.data();
    const std::uint64_t count = table.size();
    for (std::uint64_t cell = 0; cell < count; ++cell) {
        if (cell == 0 || !(v[cell] == last)) {
            last = v[cell];
            const double phase = static_cast<double>(last) * coefficient;
            c = std::cos(phase);
            s = std::sin(phase);
        }
        half[cell] = run.next(c, s);
        if (whole) // exp(2 i phase) by the double angle
            full[cell] = doubledRun.next(1.0 - 2.0 * s * s, 2.0 * s * c);
    }
    if (whole) {
        whole->identity_ = potential.identity();
        whole->revision_ = potential.revision();
        whole->grid_ = GridKey2D::of(potential);
        whole->values_.swap(doubled);
    }
    identity_ = potential.identity();
    revision_ = potential.revision();
    grid_ = GridKey2D::of(potential);
    values_.swap(table);
}

void PotentialPhaseTable::clear()
{
    identity_ = 0;
    revision_ = 0;
    grid_ = GridKey2D();
    values_.clear();
}

void PotentialPhaseTable::apply(ComplexField2D& field) const
{
    if (values_.size() != field.size())
        throw std::invalid_argument("PotentialPhaseTable: table and field differ in size");
    multiplyCells(field.data(), values_.data(), field.size());
}

} // namespace vxo
