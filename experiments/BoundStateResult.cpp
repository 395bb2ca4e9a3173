#include "experiments/BoundStateResult.h"

#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vxo {

namespace {

constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

// Hashes the bytes of an unsigned word least significant first, so the value
// does not depend on the host's byte order.
template <typename Word>
void hashLittleEndian(std::uint64_t& state, Word word)
{
    for (std::size_t b = 0; b < sizeof(Word); ++b) {
        state ^= static_cast<std::uint64_t>((word >> (8 * b)) & 0xffu);
        state *= kFnvPrime;
    }
}

void hashFloat(std::uint64_t& state, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    hashLittleEndian(state, bits);
}

bool sameWithin(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(a)); }

} // namespace

std::uint64_t potentialGridFingerprint(const PotentialField2D& grid)
{
    std::uint64_t state = kFnvOffsetBasis;
    hashLittleEndian(state, grid.nx());
    hashLittleEndian(state, grid.ny());
    hashFloat(state, grid.dx());
    hashFloat(state, grid.dy());
    for (float value : grid.values())
        hashFloat(state, value);
    return state;
}

bool BoundStateResult::isValidFor(const PotentialField2D& grid, double massValue, double hbarValue) const
{
    return ok && potentialGridFingerprint(grid) == fingerprint && sameWithin(massValue, mass) &&
           sameWithin(hbarValue, hbar) && x.size() == grid.nx();
}

} // namespace vxo
