#include "core/PotentialPhaseTable.h"

#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <stdexcept>

namespace vxo {

bool PotentialPhaseTable::matches(const PotentialField2D& potential) const
{
    return !values_.empty() && identity_ == potential.identity() && revision_ == potential.revision()
        && grid_.matches(potential);
}

void PotentialPhaseTable::rebuild(const PotentialField2D& potential, double dt, double hbar)
{
    const double coefficient = -dt / (2.0 * hbar);
    std::vector<Complex> table(potential.size());
    const float* v = potential.data();
    UnitPhaseRun run;
    for (std::uint64_t c = 0; c < table.size(); ++c)
        table[c] = run.next(static_cast<double>(v[c]) * coefficient);
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
