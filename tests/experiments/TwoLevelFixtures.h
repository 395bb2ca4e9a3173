#pragma once

// Scenes and bound-state bases of the guided bound-state and double-well
// experiments, shared by the analysis tests. The bases are computed once per
// test program.

#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "experiments/BoundStates1D.h"
#include "experiments/DriveProtocols.h"
#include "tests/experiments/PresetScenes.h"

#include <cmath>
#include <vector>

namespace vxo::fixtures {

// The walls, bias and barriers of these scenes all sit on the x axis.
inline PotentialObject makeRectangle(float value, float centerX, float width, float height)
{
    return test::rectangleObject(value, centerX, 0.0f, width, height);
}

inline PotentialObject makeLinear(float slopeX) { return test::linearObject(0.0f, 0.0f, slopeX, 0.0f); }

inline PotentialObject makeBarrier(float value, float centerX, float thickness, float length = 40.0f)
{
    return test::barrierObject(value, centerX, 0.0f, thickness, length);
}

// Finite quantum well of the bound-state experiment: width 8, depth 5, walls
// filling the rest of a 40.96-wide universe.
inline PotentialScene finiteWellScene()
{
    const float universe = 40.96f;
    const float width = (universe - 8.0f) / 2.0f;
    const float centre = width / 2.0f + 4.0f;
    return test::sceneOf({makeRectangle(5.0f, -centre, width, universe), makeRectangle(5.0f, centre, width, universe)});
}

// Id of the Linear bias object that doubleWellScene(true) adds last.
constexpr std::uint64_t kBiasObjectId = 4;

// Coherent-tunnelling double well (16 x 16 universe): walls of 5 outside
// |x| = 2.5, a central barrier of 0.8 and width 0.7; optionally the Linear
// bias object of the driven variants (id kBiasObjectId).
inline PotentialScene doubleWellScene(bool withBias)
{
    std::vector<PotentialObject> objects = {makeRectangle(5.0f, -5.25f, 5.5f, 16.0f),
                                            makeRectangle(0.8f, 0.0f, 0.7f, 16.0f),
                                            makeRectangle(5.0f, 5.25f, 5.5f, 16.0f)};
    if (withBias)
        objects.push_back(makeLinear(0.0f));
    return test::sceneOf(objects);
}

// An enabled drive record of the kind on the bias slope of that well (slopeX
// of object kBiasObjectId), every other field at its default.
template <typename Drive>
Drive biasSlopeDrive()
{
    Drive drive;
    drive.enabled = true;
    drive.targetObjectId = kBiasObjectId;
    drive.parameter = SceneParameterSlopeX;
    return drive;
}

inline PotentialField2D rasterise(const PotentialScene& scene, std::uint64_t nx, std::uint64_t ny, double width,
                                  double height)
{
    PotentialField2D field(nx, ny, static_cast<float>(width / static_cast<double>(nx)),
                           static_cast<float>(height / static_cast<double>(ny)));
    scene.buildPotential(field);
    return field;
}

// The settings the two-level preparations use.
inline BoundStateSettings pairSettings()
{
    BoundStateSettings settings;
    settings.maxIterations = 2800;
    settings.maxStates = 2;
    return settings;
}

// Lowest pair of the unbiased double well on 256 x 128 cells of 0.0625 x 0.125.
inline const BoundStateResult& doubleWellPair()
{
    static const BoundStateResult result =
        BoundStates1D::compute(rasterise(doubleWellScene(true), 256, 128, 16.0, 16.0), pairSettings());
    return result;
}

} // namespace vxo::fixtures
