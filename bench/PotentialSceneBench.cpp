// A rebuild of a scene of 512 objects on 1024 x 1024 cells, as loading a large
// document or changing the grid does: the scene painted straight into its
// sum with each painter visiting only the cells it can change, beside the
// reference way in the same run (every object painted over every cell of a
// zeroed scratch grid, which is then accumulated; the fields agree bit for
// bit, see tests/core/BoundedPaintingTest.cpp). One scene per kind the large
// documents are made of, and one of all five mixed.

#include "core/PotentialField2D.h"
#include "core/PotentialObject.h"
#include "core/PotentialScene.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

namespace {

using vxo::PotentialObject;
using vxo::PotentialObjectKind;

constexpr std::uint64_t kCells = 1024;
constexpr float kWidth = 40.96f;
constexpr int kObjects = 512;

const PotentialObjectKind kKinds[] = {PotentialObjectKind::PolygonWedge, PotentialObjectKind::SoftenedRadial,
                                      PotentialObjectKind::DoubleSlit, PotentialObjectKind::StadiumExterior,
                                      PotentialObjectKind::Rectangle};
constexpr int kMixed = 5;

// 512 objects of one kind (or of the five in turn), each of a size a user
// draws, scattered over the box by a fixed generator.
vxo::PotentialScene sceneOf(int kindIndex)
{
    std::mt19937 generator(20261209u);
    std::uniform_real_distribution<float> position(-18.0f, 18.0f);
    std::uniform_real_distribution<float> size(0.5f, 3.0f);
    vxo::PotentialScene scene;
    for (int k = 0; k < kObjects; ++k) {
        PotentialObject o;
        o.kind = kKinds[kindIndex == kMixed ? k % 5 : kindIndex];
        o.value = 5.0f;
        o.centerX = position(generator);
        o.centerY = position(generator);
        o.width = size(generator);
        o.height = size(generator);
        o.radius = size(generator);
        o.wallWidth = 0.32f;
        o.slitHeight = 0.7f;
        o.slitSeparation = 2.2f;
        o.softening = 0.5f;
        scene.add(o);
    }
    return scene;
}

void rebuild(benchmark::State& state, bool everyCell)
{
    const auto kindIndex = static_cast<int>(state.range(0));
    const vxo::PotentialScene scene = sceneOf(kindIndex);
    const float d = kWidth / static_cast<float>(kCells);
    vxo::PotentialField2D field(kCells, kCells, d, d);
    field.setPaintingEveryCell(everyCell);
    for (auto _ : state) {
        scene.buildPotential(field);
        benchmark::DoNotOptimize(field.data());
    }
    static const char* const names[] = {"wedges",   "softened radials", "double slits",
                                        "stadiums", "rectangles",       "mixed"};
    state.SetLabel(names[kindIndex]);
}

void BM_SceneRebuild_Bounded(benchmark::State& state) { rebuild(state, false); }

void BM_SceneRebuild_EveryCell(benchmark::State& state) { rebuild(state, true); }

} // namespace

BENCHMARK(BM_SceneRebuild_Bounded)->DenseRange(0, kMixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneRebuild_EveryCell)->DenseRange(0, kMixed)->Unit(benchmark::kMillisecond)->Iterations(2);
