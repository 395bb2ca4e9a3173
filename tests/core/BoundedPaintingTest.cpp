// Painters visit only the cells they can change, and the scene paints its
// objects straight into their sum: both give, bit for bit, what painting every
// cell and summing objects painted apart on a zeroed grid give.

#include "core/PotentialField2D.h"
#include "core/PotentialObject.h"
#include "core/PotentialScene.h"
#include "core/SoftenedRadialRows.h"
#include "experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using vxo::PotentialField2D;
using vxo::PotentialObject;
using vxo::PotentialObjectKind;
using vxo::PotentialScene;
using vxo::test::placedObject;

namespace {

// Cells of 0.07 x 0.11 on 320 x 192 cells: x in [-11.2, 11.2], y in [-10.56, 10.56].
PotentialField2D boundedGrid() { return PotentialField2D(320, 192, 0.07f, 0.11f); }

bool boundedSameBits(const PotentialField2D& a, const PotentialField2D& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Objects of every kind, well inside the grid, across its edges and beyond
// it, small and large, Gaussians of every strength (whose tails round to zero
// at different distances).
std::vector<PotentialObject> boundedObjectsOfEveryKind()
{
    std::vector<PotentialObject> objects;
    auto add = [&objects](PotentialObject o) { objects.push_back(o); };
    for (const float x : {0.13f, -10.9f, 30.0f}) {
        PotentialObject r = placedObject(PotentialObjectKind::Rectangle, 5.0f, x, -0.37f);
        r.width = 1.73f;
        r.height = 0.91f;
        add(r);
        PotentialObject c = placedObject(PotentialObjectKind::Circle, -2.5f, x, 10.3f);
        c.radius = 1.21f;
        add(c);
        PotentialObject b = placedObject(PotentialObjectKind::Barrier, 4.5f, x + 0.41f, 0.0f);
        b.length = 7.3f;
        b.thickness = 0.64f;
        add(b);
        PotentialObject s = placedObject(PotentialObjectKind::SingleSlit, 50.0f, x, 1.1f);
        s.wallWidth = 0.32f;
        s.slitHeight = 0.7f;
        add(s);
        PotentialObject d = placedObject(PotentialObjectKind::DoubleSlit, 50.0f, x - 0.3f, -0.9f);
        d.wallWidth = 0.32f;
        d.slitHeight = 0.7f;
        d.slitSeparation = 2.2f;
        add(d);
        PotentialObject w = placedObject(PotentialObjectKind::PolygonWedge, 7.0f, x, 3.3f);
        w.width = 2.9f;
        w.height = 1.7f;
        add(w);
        PotentialObject st = placedObject(PotentialObjectKind::StadiumExterior, 120.0f, x, -1.0f);
        st.width = 3.1f;
        st.radius = 2.3f;
        add(st);
        PotentialObject sr = placedObject(PotentialObjectKind::SoftenedRadial, -1.5f, x, 2.0f);
        sr.softening = 0.4f;
        add(sr);
        PotentialObject h = placedObject(PotentialObjectKind::Harmonic, 0.5f, x, 0.0f);
        h.curvatureX = 0.3f;
        h.curvatureY = -0.7f;
        add(h);
        PotentialObject l = placedObject(PotentialObjectKind::Linear, 1.0f, x, 0.0f);
        l.slopeX = 0.2f;
        l.slopeY = -0.4f;
        add(l);
        for (const float amplitude : {1e-30f, -6.0f, 3e38f}) {
            PotentialObject g = placedObject(PotentialObjectKind::Gaussian, amplitude, x, -4.0f);
            g.sigmaX = 0.35f;
            g.sigmaY = 0.8f;
            add(g);
        }
    }
    return objects;
}

std::string boundedDescribed(const PotentialObject& o)
{
    return "kind " + std::to_string(static_cast<int>(o.kind)) + " value " + std::to_string(o.value) + " at " +
           std::to_string(o.centerX);
}

TEST(BoundedPainting, EveryPainterAgreesWithPaintingEveryCell)
{
    // On zeros, where the faintest tail shows, and over a background with
    // content (assignment overwrites it, smooth fields add to it), in both
    // region modes.
    for (const auto mode : {PotentialField2D::RegionPainting::Assign, PotentialField2D::RegionPainting::Add}) {
        for (const PotentialObject& o : boundedObjectsOfEveryKind()) {
            for (const float slope : {0.0f, 0.25f}) {
                PotentialField2D bounded = boundedGrid();
                if (slope != 0.0f)
                    bounded.addLinear(0.0f, 0.0f, 1.0f, slope, 0.5f);
                PotentialField2D everyCell = bounded;
                everyCell.setPaintingEveryCell(true);
                bounded.setRegionPainting(mode);
                everyCell.setRegionPainting(mode);
                PotentialObject::applyTo(o, bounded);
                PotentialObject::applyTo(o, everyCell);
                EXPECT_TRUE(boundedSameBits(bounded, everyCell)) << boundedDescribed(o);
                EXPECT_EQ(bounded.revision(), everyCell.revision()) << boundedDescribed(o);
            }
        }
    }
}

// Adding a region's value gives what painting it on a zeroed grid and
// accumulating that grid gives, near the float limit included.
TEST(BoundedPainting, AddingARegionIsAccumulatingItPaintedApart)
{
    for (const float background : {0.0f, -3.5f, 3e38f, -3e38f}) {
        for (const float value : {2.0f, -0.0f, 3e38f, -3e38f}) {
            PotentialField2D apart = boundedGrid();
            apart.fill(background);
            PotentialField2D scratch = boundedGrid();
            scratch.addCircle(0.4f, -0.2f, 3.3f, value);
            apart.accumulate(scratch, 1.0f);

            PotentialField2D straight = boundedGrid();
            straight.fill(background);
            straight.setRegionPainting(PotentialField2D::RegionPainting::Add);
            straight.addCircle(0.4f, -0.2f, 3.3f, value);
            EXPECT_TRUE(boundedSameBits(apart, straight)) << "value " << value << " over " << background;
        }
    }
}

TEST(BoundedPainting, SceneBuiltStraightIsTheSceneBuiltOnAScratchGrid)
{
    PotentialScene scene;
    const std::vector<PotentialObject> objects = boundedObjectsOfEveryKind();
    for (const PotentialObject& o : objects)
        ASSERT_NE(scene.add(o), 0u) << boundedDescribed(o);
    PotentialObject off = objects.front();
    off.enabled = false;
    off.value = 1e3f;
    scene.add(off);

    PotentialField2D straight = boundedGrid();
    PotentialField2D reference = boundedGrid();
    reference.setPaintingEveryCell(true);
    const std::uint64_t before = straight.revision();
    scene.buildPotential(straight);
    scene.buildPotential(reference);
    EXPECT_TRUE(boundedSameBits(straight, reference));
    EXPECT_EQ(straight.revision(), before + 1 + objects.size()) << "one for the clear, one per object painted";
    EXPECT_EQ(straight.regionPainting(), PotentialField2D::RegionPainting::Assign) << "the field's own mode is kept";
    for (const float v : straight.values())
        ASSERT_TRUE(std::isfinite(v));
}

// Every instruction set the processor has computes each softened well's row
// as the double expression rounded once, bit for bit, tails of rows whose
// length is no multiple of the vector included, and flags a sum beyond the
// float range.
TEST(BoundedPainting, SoftenedRadialRowsAgreeOnEveryInstructionSet)
{
    constexpr std::size_t kRadialRowCells = 1027;
    std::vector<double> xp(kRadialRowCells);
    std::vector<float> row(kRadialRowCells);
    for (std::size_t i = 0; i < kRadialRowCells; ++i) {
        xp[i] = (static_cast<double>(i) - 600.3) * 0.037;
        row[i] = static_cast<float>(std::sin(0.1 * static_cast<double>(i)));
    }
    struct RadialWell {
        double g;
        double s2;
        double yp;
        bool beyond;
    };
    const RadialWell wells[] = {{-1.5, 0.25, 0.3, false}, {7.0, 1e-6, 0.0, false}, {3e38, 0.01, 0.2, true}};
    for (const auto path : {vxo::fft2d::KernelSet::Portable, vxo::fft2d::KernelSet::Sse2, vxo::fft2d::KernelSet::Avx2}) {
        if (!vxo::fft2d::isAvailable(path))
            continue;
        for (const RadialWell& w : wells) {
            std::vector<float> sum(kRadialRowCells);
            const int beyond =
                vxo::radial::sumRow(path, row.data(), xp.data(), w.yp, w.g, w.s2, kRadialRowCells, sum.data());
            EXPECT_EQ(beyond != 0, w.beyond) << "path " << static_cast<int>(path) << " g " << w.g;
            if (w.beyond)
                continue;
            for (std::size_t i = 0; i < kRadialRowCells; ++i) {
                const float expected = row[i] + static_cast<float>(w.g / std::sqrt(xp[i] * xp[i] + w.yp * w.yp + w.s2));
                ASSERT_EQ(std::memcmp(&sum[i], &expected, sizeof(float)), 0)
                    << "path " << static_cast<int>(path) << " g " << w.g << " cell " << i;
            }
        }
    }
}

} // namespace
