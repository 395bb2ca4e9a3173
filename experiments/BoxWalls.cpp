#include "experiments/BoxWalls.h"

#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

WallOrientation wallOrientation(const PotentialObject& wall)
{
    if (wall.height > wall.width)
        return WallOrientation::Vertical;
    if (wall.width > wall.height)
        return WallOrientation::Horizontal;
    return WallOrientation::Undecided;
}

bool sortWall(const PotentialObject& wall, std::vector<PotentialObject>& vertical,
              std::vector<PotentialObject>& horizontal)
{
    switch (wallOrientation(wall)) {
    case WallOrientation::Vertical:
        vertical.push_back(wall);
        return true;
    case WallOrientation::Horizontal:
        horizontal.push_back(wall);
        return true;
    case WallOrientation::Undecided:
        break;
    }
    return false;
}

BoxWalls BoxWalls::arrange(const PotentialObject& verticalA, const PotentialObject& verticalB,
                           const PotentialObject& horizontalA, const PotentialObject& horizontalB)
{
    BoxWalls box;
    // Ties keep the scene order, like a stable sort of two elements.
    const bool swapVertical = verticalB.centerX < verticalA.centerX;
    box.left = swapVertical ? verticalB : verticalA;
    box.right = swapVertical ? verticalA : verticalB;
    const bool swapHorizontal = horizontalB.centerY < horizontalA.centerY;
    box.bottom = swapHorizontal ? horizontalB : horizontalA;
    box.top = swapHorizontal ? horizontalA : horizontalB;

    box.innerLeft = static_cast<double>(box.left.centerX) + 0.5 * static_cast<double>(box.left.width);
    box.innerRight = static_cast<double>(box.right.centerX) - 0.5 * static_cast<double>(box.right.width);
    box.innerBottom = static_cast<double>(box.bottom.centerY) + 0.5 * static_cast<double>(box.bottom.height);
    box.innerTop = static_cast<double>(box.top.centerY) - 0.5 * static_cast<double>(box.top.height);
    return box;
}

bool BoxWalls::wallsCentredOnInterior() const
{
    const double toleranceY = std::max(std::fabs(interiorHeight()), 1.0) * kSceneSizeTolerance;
    const double toleranceX = std::max(std::fabs(interiorWidth()), 1.0) * kSceneSizeTolerance;
    const double cx = interiorCenterX();
    const double cy = interiorCenterY();
    return std::fabs(left.centerY - cy) <= toleranceY && std::fabs(right.centerY - cy) <= toleranceY &&
           std::fabs(bottom.centerX - cx) <= toleranceX && std::fabs(top.centerX - cx) <= toleranceX;
}

} // namespace vxo
