#include "app/form/SharesWithFloors.h"

#include <cmath>
#include <cstddef>

namespace vxo {

std::vector<int> sharesWithFloors(int total, const std::vector<int>& weights, const std::vector<int>& floors)
{
    const std::size_t parts = weights.size();
    std::vector<bool> atFloor(parts, false);
    // What the parts not at their floor share, and their summed weight.
    const auto freeRoom = [&] {
        long long left = total;
        long long weight = 0;
        for (std::size_t i = 0; i < parts; ++i) {
            if (atFloor[i])
                left -= floors[i];
            else
                weight += weights[i];
        }
        return std::pair{static_cast<double>(left), static_cast<double>(weight)};
    };
    // Each pass fixes at their floors the parts whose share falls short of
    // it; a part fixed once stays fixed, so the passes end.
    for (bool fixedOne = true; fixedOne;) {
        fixedOne = false;
        const auto [left, weight] = freeRoom();
        for (std::size_t i = 0; i < parts && weight > 0; ++i) {
            if (!atFloor[i] && left * weights[i] / weight < floors[i]) {
                atFloor[i] = true;
                fixedOne = true;
            }
        }
    }
    const auto [left, weight] = freeRoom();
    std::vector<int> shares(parts, 0);
    int given = 0;
    std::size_t lastFree = parts;
    for (std::size_t i = 0; i < parts; ++i) {
        shares[i] = atFloor[i] ? floors[i] : static_cast<int>(std::floor(left * weights[i] / weight));
        if (!atFloor[i])
            lastFree = i;
        given += shares[i];
    }
    if (lastFree < parts)
        shares[lastFree] += total - given;
    return shares;
}

} // namespace vxo
