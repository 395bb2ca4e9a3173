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
    // A byte at a time, several milliseconds on the finest grid, and asked
    // for again at every check of a pair against the window's potential: the
    // last few hashes are kept with the (identity, revision) of the field
    // they were taken of, a pair that no other content of any field has.
    struct Kept {
        bool valid = false;
        std::uint64_t identity = 0;
        std::uint64_t revision = 0;
        std::uint64_t fingerprint = 0;
    };
    constexpr std::size_t kKept = 4;
    thread_local Kept kept[kKept];
    thread_local std::size_t nextKept = 0;
    for (const Kept& k : kept)
        if (k.valid && k.identity == grid.identity() && k.revision == grid.revision())
            return k.fingerprint;

    std::uint64_t state = kFnvOffsetBasis;
    hashLittleEndian(state, grid.nx());
    hashLittleEndian(state, grid.ny());
    hashFloat(state, grid.dx());
    hashFloat(state, grid.dy());
    for (float value : grid.values())
        hashFloat(state, value);
    kept[nextKept] = {true, grid.identity(), grid.revision(), state};
    nextKept = (nextKept + 1) % kKept;
    return state;
}

bool BoundStateResult::isValidFor(const PotentialField2D& grid, double massValue, double hbarValue) const
{
    // The row the states were computed from is checked first: a grid whose
    // row has moved (a drive, a sweep) is told apart in O(nx), before its
    // whole fingerprint is taken.
    return isForRowOf(grid, massValue, hbarValue) && x.size() == grid.nx() &&
           potentialGridFingerprint(grid) == fingerprint;
}

bool BoundStateResult::isForRowOf(const PotentialField2D& grid, double massValue, double hbarValue) const
{
    if (!ok || grid.empty() || potential.size() != grid.nx() || dx != static_cast<double>(grid.dx()) ||
        !sameWithin(massValue, mass) || !sameWithin(hbarValue, hbar))
        return false;
    const std::uint64_t middle = grid.ny() / 2;
    for (std::uint64_t i = 0; i < grid.nx(); ++i)
        if (potential[i] != static_cast<double>(grid.valueAt(i, middle)))
            return false;
    return true;
}

} // namespace vxo
