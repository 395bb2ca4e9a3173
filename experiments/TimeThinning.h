#pragma once

// Time thinning of the event-driven recorders (Berry loop, Loschmidt echo,
// Moshinsky shutter): over a span of simulation time a recorder of capacity C
// keeps at most one sample per spacing span / max(C - 1, 1), so that a full
// series covers the whole span. Event samples (loop end, reversal, shutter
// change) are forced through by the caller.

#include <cstdint>
#include <vector>

namespace vxo {

// Smallest spacing, so that a vanishing span still lets time move on.
constexpr double kThinningSpacingFloor = 1e-9;
// Rounding slack of the comparison, so that steps landing exactly on the
// spacing are kept.
constexpr double kThinningSlack = 1e-12;

// max(span / max(capacity - 1, 1), 1e-9); the floor also replaces a NaN.
inline double thinningSpacing(double span, std::uint64_t capacity)
{
    const double slots = capacity > 1 ? static_cast<double>(capacity - 1) : 1.0;
    const double spacing = span / slots;
    return spacing > kThinningSpacingFloor ? spacing : kThinningSpacingFloor;
}

// True when a sample at t is to be skipped: it is not forced, a previous
// sample exists and t lies less than one spacing after it.
template <typename Sample>
bool isThinnedOut(const std::vector<Sample>& samples, double t, double span, std::uint64_t capacity, bool forced)
{
    if (forced || samples.empty())
        return false;
    return t - samples.back().time < thinningSpacing(span, capacity) - kThinningSlack;
}

} // namespace vxo
