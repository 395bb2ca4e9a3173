#pragma once

// A length shared among parts in proportion to their weights, no part below
// its floor: a part whose proportional share falls short gets its floor, and
// the others share what is left in proportion again. So a column of docks
// keeps the proportions it prefers while every dock keeps the height its
// contents need.

#include <vector>

namespace vxo {

// The shares of `total` (their sum is `total`, the last part taking the
// rounding) for parts of positive `weights`, each at least its floor. Where
// the floors alone exceed `total`, each part gets its floor. `weights` and
// `floors` have one entry per part.
std::vector<int> sharesWithFloors(int total, const std::vector<int>& weights, const std::vector<int>& floors);

} // namespace vxo
