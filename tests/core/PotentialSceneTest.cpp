#include "core/PotentialField2D.h"
#include "core/PotentialObject.h"
#include "core/PotentialScene.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>
#include <limits>
#include <vector>

using vxo::PotentialField2D;
using vxo::PotentialObject;
using vxo::PotentialObjectKind;
using vxo::PotentialScene;

namespace {

using vxo::test::kFloatNaN;

const std::uint64_t kTop = std::numeric_limits<std::uint64_t>::max();

PotentialObject rectangle(float cx, float cy, float w, float h, float v, std::uint64_t id = 0)
{
    PotentialObject o;
    o.id = id;
    o.kind = PotentialObjectKind::Rectangle;
    o.centerX = cx;
    o.centerY = cy;
    o.width = w;
    o.height = h;
    o.value = v;
    return o;
}

PotentialObject ofKind(PotentialObjectKind kind, std::uint64_t id = 0)
{
    PotentialObject o;
    o.kind = kind;
    o.id = id;
    o.value = 1.0f;
    return o;
}

std::vector<std::uint64_t> idsOf(const PotentialScene& s)
{
    std::vector<std::uint64_t> ids;
    for (const PotentialObject& o : s.objects())
        ids.push_back(o.id);
    return ids;
}

} // namespace

TEST(PotentialObject, DefaultsAndValidityPerKind)
{
    const PotentialObject d;
    EXPECT_EQ(d.id, 0u);
    EXPECT_EQ(d.kind, PotentialObjectKind::Rectangle);
    EXPECT_TRUE(d.enabled);
    EXPECT_TRUE(PotentialObject::isValid(d));

    // Default parameters make every real kind valid; None and unknown kinds never are.
    for (std::uint32_t k = 1; k <= 11; ++k)
        EXPECT_TRUE(PotentialObject::isValid(ofKind(static_cast<PotentialObjectKind>(k)))) << k;
    EXPECT_FALSE(PotentialObject::isValid(ofKind(PotentialObjectKind::None)));
    EXPECT_FALSE(PotentialObject::isValid(ofKind(static_cast<PotentialObjectKind>(12))));

    // Every size a kind needs is checked on its own: any one of them at zero, or
    // any one curvature or slope not finite, makes the object invalid.
    using K = PotentialObjectKind;
    const std::pair<K, float PotentialObject::*> needed[] = {
        {K::Rectangle, &PotentialObject::width},
        {K::Rectangle, &PotentialObject::height},
        {K::Barrier, &PotentialObject::length},
        {K::Barrier, &PotentialObject::thickness},
        {K::SingleSlit, &PotentialObject::wallWidth},
        {K::SingleSlit, &PotentialObject::slitHeight},
        {K::DoubleSlit, &PotentialObject::wallWidth},
        {K::DoubleSlit, &PotentialObject::slitHeight},
        {K::DoubleSlit, &PotentialObject::slitSeparation},
        {K::PolygonWedge, &PotentialObject::width},
        {K::PolygonWedge, &PotentialObject::height},
        {K::Gaussian, &PotentialObject::sigmaX},
        {K::Gaussian, &PotentialObject::sigmaY},
        {K::StadiumExterior, &PotentialObject::width},
        {K::StadiumExterior, &PotentialObject::radius},
        {K::SoftenedRadial, &PotentialObject::softening},
        {K::Harmonic, &PotentialObject::curvatureX},
        {K::Harmonic, &PotentialObject::curvatureY},
        {K::Linear, &PotentialObject::slopeX},
        {K::Linear, &PotentialObject::slopeY},
    };
    for (std::size_t k = 0; k < std::size(needed); ++k) {
        PotentialObject o = ofKind(needed[k].first);
        const bool finiteOnly = needed[k].first == K::Harmonic || needed[k].first == K::Linear;
        o.*needed[k].second = finiteOnly ? kFloatNaN : 0.0f;
        EXPECT_FALSE(PotentialObject::isValid(o)) << "row " << k;
    }

    PotentialObject o = ofKind(PotentialObjectKind::Circle);
    o.radius = 0.0f;
    EXPECT_FALSE(PotentialObject::isValid(o));
    o = ofKind(PotentialObjectKind::Gaussian);
    o.centerX = kFloatNaN;
    EXPECT_FALSE(PotentialObject::isValid(o));
    o = ofKind(PotentialObjectKind::DoubleSlit);
    o.slitSeparation = -1.0f;
    EXPECT_FALSE(PotentialObject::isValid(o));
    // Only the kind's own parameters count.
    o = ofKind(PotentialObjectKind::Linear);
    o.width = -1.0f;
    o.slopeX = 0.0f;
    o.slopeY = 0.0f;
    EXPECT_TRUE(PotentialObject::isValid(o));
    o = ofKind(PotentialObjectKind::Harmonic);
    o.curvatureX = -2.0f;
    o.curvatureY = -0.5f;
    EXPECT_TRUE(PotentialObject::isValid(o));
    o.curvatureY = kFloatNaN;
    EXPECT_FALSE(PotentialObject::isValid(o));
}

TEST(PotentialObject, DerivedCoordinatesMustStayFinite)
{
    // Each parameter is finite, but centerY + length/2 overflows single
    // precision: the painter would refuse the barrier halfway through a rebuild.
    PotentialObject barrier = ofKind(PotentialObjectKind::Barrier);
    barrier.centerY = 3e38f;
    barrier.length = 3e38f;
    EXPECT_FALSE(PotentialObject::isValid(barrier));
    barrier.length = 1.0f;
    EXPECT_TRUE(PotentialObject::isValid(barrier));

    PotentialObject wedge = ofKind(PotentialObjectKind::PolygonWedge);
    wedge.centerX = -3e38f;
    wedge.width = 3e38f;
    EXPECT_FALSE(PotentialObject::isValid(wedge));
    wedge.centerX = 0.0f;
    wedge.centerY = 3e38f;
    wedge.width = 1.0f;
    wedge.height = 3e38f;
    EXPECT_FALSE(PotentialObject::isValid(wedge));
    wedge.height = 1.0f;
    EXPECT_TRUE(PotentialObject::isValid(wedge));

    PotentialField2D f(4, 4, 1.0f, 1.0f);
    wedge.centerY = 0.0f;
    EXPECT_NO_THROW(PotentialObject::applyTo(wedge, f));
}

TEST(PotentialObject, ApplyToUsesTheKindsGeometry)
{
    // Barrier: vertical capsule of thickness 1 from (0.5, -2.4) to (0.5, 1.6)
    // on cells 0.5 x 0.4: every cell within 0.5 of that segment, and no other.
    // Its faces x = 0 and x = 1 and its end y = -2.4 run through cell
    // centres: a centre on a face counts as the point just beyond it towards
    // +x and +y, so the low face keeps its cells and the high face does not.
    PotentialObject barrier = ofKind(PotentialObjectKind::Barrier);
    barrier.centerX = 0.5f;
    barrier.centerY = -0.4f;
    barrier.length = 4.0f;
    barrier.thickness = 1.0f;
    barrier.value = 3.0f;
    PotentialField2D f(9, 13, 0.5f, 0.4f);
    PotentialObject::applyTo(barrier, f);
    for (std::uint64_t j = 0; j < 13; ++j)
        for (std::uint64_t i = 0; i < 9; ++i) {
            const double x = (i - 4.0) * 0.5;
            const double y = (j - 6.0) * 0.4;
            const double xs = x + 1e-5, ys = y + 0.7e-5;
            const double along = std::clamp(ys, -2.4, 1.6);
            const bool inside = std::hypot(xs - 0.5, ys - along) <= 0.5;
            EXPECT_EQ(f.valueAt(i, j), inside ? 3.0f : 0.0f) << i << ", " << j;
        }

    // Wedge 4 wide and 4.95 high about (0.6, -0.4), on cells 0.5 x 0.4: apex
    // at (-1.4, -0.4), base at x = 2.6 from y = -2.875 to 2.075, so every cell
    // with |y + 0.4| < (4.95/8)(x + 1.4) and x < 2.6, and no other (no cell
    // centre lies on an edge; the one at (2.5, 2.0) lies within 0.6 % of the
    // height inside the upper edge).
    PotentialObject wedge = ofKind(PotentialObjectKind::PolygonWedge);
    wedge.centerX = 0.6f;
    wedge.centerY = -0.4f;
    wedge.width = 4.0f;
    wedge.height = 4.95f;
    wedge.value = 2.0f;
    PotentialField2D w(11, 13, 0.5f, 0.4f);
    PotentialObject::applyTo(wedge, w);
    for (std::uint64_t j = 0; j < 13; ++j)
        for (std::uint64_t i = 0; i < 11; ++i) {
            const double x = (i - 5.0) * 0.5;
            const double y = (j - 6.0) * 0.4;
            const bool inside = std::abs(y + 0.4) < 4.95 / 8.0 * (x + 1.4) && x < 2.6;
            EXPECT_EQ(w.valueAt(i, j), inside ? 2.0f : 0.0f) << i << ", " << j;
        }

    PotentialField2D untouched(4, 4, 1.0f, 1.0f);
    PotentialObject::applyTo(ofKind(PotentialObjectKind::None), untouched);
    EXPECT_EQ(untouched.revision(), 1u);
}

TEST(PotentialObject, EveryOtherKindPaintsWithItsOwnParameters)
{
    // Every parameter distinct and the centre off both axes, on cells 0.3 x
    // 0.25: a parameter handed to the wrong place of its painter shows.
    PotentialObject o;
    o.value = 1.7f;
    o.centerX = 0.45f;
    o.centerY = -0.6f;
    o.width = 2.2f;
    o.height = 1.3f;
    o.radius = 0.9f;
    o.wallWidth = 0.35f;
    o.slitHeight = 0.55f;
    o.slitSeparation = 1.4f;
    o.sigmaX = 0.8f;
    o.sigmaY = 1.15f;
    o.curvatureX = 0.6f;
    o.curvatureY = -0.35f;
    o.slopeX = 0.25f;
    o.slopeY = -0.7f;
    o.softening = 0.4f;
    using K = PotentialObjectKind;
    using Painter = void (*)(const PotentialObject&, PotentialField2D&);
    const std::pair<K, Painter> kinds[] = {
        {K::Rectangle, [](const PotentialObject& p,
                          PotentialField2D& f) { f.addRectangle(p.centerX, p.centerY, p.width, p.height, p.value); }},
        {K::Circle,
         [](const PotentialObject& p, PotentialField2D& f) { f.addCircle(p.centerX, p.centerY, p.radius, p.value); }},
        {K::SingleSlit,
         [](const PotentialObject& p, PotentialField2D& f) {
             f.addSingleSlit(p.centerX, p.wallWidth, p.centerY, p.slitHeight, p.value);
         }},
        {K::DoubleSlit,
         [](const PotentialObject& p, PotentialField2D& f) {
             f.addDoubleSlit(p.centerX, p.wallWidth, p.centerY, p.slitSeparation, p.slitHeight, p.value);
         }},
        {K::Gaussian, [](const PotentialObject& p,
                         PotentialField2D& f) { f.addGaussian(p.centerX, p.centerY, p.sigmaX, p.sigmaY, p.value); }},
        {K::Harmonic,
         [](const PotentialObject& p, PotentialField2D& f) {
             f.addHarmonic(p.centerX, p.centerY, p.value, p.curvatureX, p.curvatureY);
         }},
        {K::Linear, [](const PotentialObject& p,
                       PotentialField2D& f) { f.addLinear(p.centerX, p.centerY, p.value, p.slopeX, p.slopeY); }},
        {K::SoftenedRadial,
         [](const PotentialObject& p, PotentialField2D& f) {
             f.addSoftenedRadial(p.centerX, p.centerY, p.value, p.softening);
         }},
        {K::StadiumExterior,
         [](const PotentialObject& p, PotentialField2D& f) {
             f.addStadiumExterior(p.centerX, p.centerY, p.width, p.radius, p.value);
         }},
    };
    for (const auto& [kind, paint] : kinds) {
        o.kind = kind;
        PotentialField2D expected(14, 11, 0.3f, 0.25f);
        paint(o, expected);
        PotentialField2D painted(14, 11, 0.3f, 0.25f);
        PotentialObject::applyTo(o, painted);
        EXPECT_NE(expected.maxValue(), expected.minValue()) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(painted.values(), expected.values()) << "kind " << static_cast<int>(kind);
    }
}

TEST(PotentialScene, IdentifiersInOrderOfAddition)
{
    PotentialScene s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.nextId(), 1u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle)), 1u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Gaussian)), 2u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Harmonic)), 3u);
    EXPECT_EQ(idsOf(s), (std::vector<std::uint64_t>{1, 2, 3}));
    EXPECT_EQ(s.size(), 3u);
    EXPECT_EQ(s.objects()[1].kind, PotentialObjectKind::Gaussian);

    PotentialScene stored;
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle, 7)), 7u);
    EXPECT_EQ(stored.nextId(), 8u);
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle)), 8u);
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle, 7)), 9u); // 7 is taken
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle, 3)), 3u); // free, below nextId
    EXPECT_EQ(stored.nextId(), 10u);
    EXPECT_EQ(idsOf(stored), (std::vector<std::uint64_t>{7, 8, 9, 3}));
    // A stored id equal to nextId moves it on as one above it does.
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle, 10)), 10u);
    EXPECT_EQ(stored.nextId(), 11u);

    stored.clear();
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(stored.nextId(), 1u);
    EXPECT_EQ(stored.add(ofKind(PotentialObjectKind::Circle, 0)), 1u);
}

TEST(PotentialScene, InvalidObjectsAreRefusedWithoutChange)
{
    PotentialScene s;
    s.add(ofKind(PotentialObjectKind::Linear));
    PotentialObject nanCentre = ofKind(PotentialObjectKind::Rectangle, 5);
    nanCentre.centerX = kFloatNaN;
    PotentialObject flatCircle = ofKind(PotentialObjectKind::Circle, 40);
    flatCircle.radius = 0.0f;
    PotentialObject hugeBarrier = ofKind(PotentialObjectKind::Barrier, 50);
    hugeBarrier.centerY = 3e38f;
    hugeBarrier.length = 3e38f;
    for (const PotentialObject& bad : {ofKind(PotentialObjectKind::None), ofKind(static_cast<PotentialObjectKind>(12)),
                                       nanCentre, flatCircle, hugeBarrier}) {
        EXPECT_EQ(s.add(bad), 0u);
        EXPECT_FALSE(s.update(1, bad));
    }
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.nextId(), 2u);
    EXPECT_EQ(s.find(1)->kind, PotentialObjectKind::Linear);
}

TEST(PotentialScene, FreshIdentifiersSkipIdsAlreadyPresent)
{
    // A stored id at the top of the range wraps nextId to 1, where ids 1 and 2
    // already live: the next fresh id must be 3, not a duplicate.
    PotentialScene s;
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle)), 1u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle, 2)), 2u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle, kTop)), kTop);
    EXPECT_EQ(s.nextId(), 1u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle)), 3u);
    EXPECT_EQ(s.nextId(), 4u);
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle, kTop)), 4u); // taken: fresh id
    EXPECT_EQ(idsOf(s), (std::vector<std::uint64_t>{1, 2, kTop, 3, 4}));

    // Handing out the largest id itself wraps nextId to 1; then 1 is taken.
    PotentialScene top;
    EXPECT_EQ(top.add(ofKind(PotentialObjectKind::Circle, 1)), 1u);
    EXPECT_EQ(top.add(ofKind(PotentialObjectKind::Circle, kTop - 1)), kTop - 1);
    EXPECT_EQ(top.nextId(), kTop);
    EXPECT_EQ(top.add(ofKind(PotentialObjectKind::Circle)), kTop);
    EXPECT_EQ(top.nextId(), 1u);
    EXPECT_EQ(top.add(ofKind(PotentialObjectKind::Circle)), 2u);
    EXPECT_EQ(top.nextId(), 3u);
}

TEST(PotentialScene, UpdateRemoveAndFind)
{
    PotentialScene s;
    const std::uint64_t a = s.add(rectangle(0, 0, 1, 1, 1));
    const std::uint64_t b = s.add(ofKind(PotentialObjectKind::Circle));
    const std::uint64_t c = s.add(ofKind(PotentialObjectKind::Gaussian));

    EXPECT_FALSE(s.update(99, rectangle(0, 0, 1, 1, 1)));
    PotentialObject invalid = rectangle(0, 0, -1, 1, 8, b);
    EXPECT_FALSE(s.update(b, invalid));
    EXPECT_EQ(s.find(b)->kind, PotentialObjectKind::Circle);

    // A different kind and a different id in the new object: the kind is
    // taken, the stored id kept.
    PotentialObject linear = ofKind(PotentialObjectKind::Linear, 77);
    linear.enabled = false;
    linear.slopeX = 0.5f;
    EXPECT_TRUE(s.update(b, linear));
    const PotentialObject* updated = s.find(b);
    ASSERT_NE(updated, nullptr);
    EXPECT_EQ(updated->id, b);
    EXPECT_EQ(updated->kind, PotentialObjectKind::Linear);
    EXPECT_FALSE(updated->enabled);
    EXPECT_EQ(updated->slopeX, 0.5f);
    EXPECT_EQ(s.find(77), nullptr);

    EXPECT_FALSE(s.remove(99));
    EXPECT_TRUE(s.remove(b));
    EXPECT_EQ(idsOf(s), (std::vector<std::uint64_t>{a, c}));
    EXPECT_EQ(s.find(b), nullptr);
    EXPECT_FALSE(s.remove(b));
    EXPECT_EQ(s.add(ofKind(PotentialObjectKind::Circle)), 4u); // removal does not lower nextId

    const PotentialScene& view = s;
    ASSERT_NE(view.find(c), nullptr);
    EXPECT_EQ(view.find(c)->kind, PotentialObjectKind::Gaussian);
}

TEST(PotentialScene, ReplaceObjectsKeepsStoredIdsAndRefusesInvalidOnes)
{
    PotentialScene s;
    s.add(ofKind(PotentialObjectKind::Circle));
    PotentialObject broken = ofKind(PotentialObjectKind::Barrier, 12);
    broken.centerY = 3e38f;
    broken.length = 3e38f;

    EXPECT_TRUE(s.replaceObjects({ofKind(PotentialObjectKind::Gaussian, 5), ofKind(PotentialObjectKind::Linear, 2),
                                  ofKind(PotentialObjectKind::Circle, 0)}));
    EXPECT_EQ(idsOf(s), (std::vector<std::uint64_t>{5, 2, 6}));
    EXPECT_EQ(s.nextId(), 7u);

    EXPECT_FALSE(
        s.replaceObjects({ofKind(PotentialObjectKind::Gaussian, 4), broken, ofKind(PotentialObjectKind::Linear, 4)}));
    EXPECT_EQ(idsOf(s), (std::vector<std::uint64_t>{4, 5}));
}

TEST(PotentialScene, BuildPotentialAddsEnabledObjects)
{
    PotentialField2D f(4, 4, 0.5f, 0.5f); // centres +-0.25, +-0.75
    f.fill(7.0f);
    PotentialScene s;
    std::uint64_t revision = f.revision();
    s.buildPotential(f);
    EXPECT_EQ(f.revision(), revision + 1);
    EXPECT_EQ(f.minValue(), 0.0f);
    EXPECT_EQ(f.maxValue(), 0.0f);

    PotentialObject off = rectangle(0, 0, 1, 1, 5);
    off.enabled = false;
    s.add(off);
    revision = f.revision();
    s.buildPotential(f);
    EXPECT_EQ(f.revision(), revision + 1);
    EXPECT_EQ(f.maxValue(), 0.0f);

    // Two overlapping rectangles: the region values add where they overlap.
    // Columns x = -0.75..0.25 and -0.25..0.75, rows y = +-0.25 (no face on a
    // cell centre).
    s.add(rectangle(-0.25f, 0.0f, 1.4f, 0.9f, 5.0f));
    s.add(rectangle(0.25f, 0.0f, 1.4f, 0.9f, 5.0f));
    revision = f.revision();
    s.buildPotential(f);
    EXPECT_EQ(f.revision(), revision + 3);
    for (std::uint64_t j = 0; j < 4; ++j) {
        const bool row = j == 1 || j == 2;
        EXPECT_EQ(f.valueAt(0, j), row ? 5.0f : 0.0f);
        EXPECT_EQ(f.valueAt(1, j), row ? 10.0f : 0.0f);
        EXPECT_EQ(f.valueAt(2, j), row ? 10.0f : 0.0f);
        EXPECT_EQ(f.valueAt(3, j), row ? 5.0f : 0.0f);
    }
}

// Each object holds a legal single-precision strength, but the objects add
// up beyond the float range, or a steep trap's own values leave it. The
// built potential stays finite: an infinite V turns the split step's phases
// into NaN everywhere.
TEST(PotentialScene, SumsBeyondSinglePrecisionStayFinite)
{
    const float largest = std::numeric_limits<float>::max();
    const auto trap = [](float curvature) {
        PotentialObject o = ofKind(PotentialObjectKind::Harmonic);
        o.value = 0.0f;
        o.curvatureX = curvature;
        o.curvatureY = curvature;
        return o;
    };
    // Grid 6 x 4, centres x = +-0.25, +-0.75, +-1.25 and y = +-0.3, +-0.9: the
    // unit rectangle covers the four central cells, the 9 x 9 one all.
    const float centreTrap = static_cast<float>(0.5 * 3e38 * (0.25 * 0.25 + 0.3 * 0.3)); // k r^2 / 2
    struct Case {
        const char* what;
        std::vector<PotentialObject> objects;
        float centre; // at x = -0.25, y = -0.3
        float corner; // at x = -1.25, y = -0.9
    };
    const Case cases[] = {
        {"walls above the limit",
         {rectangle(0, 0, 1, 1, 3e38f), rectangle(0, 0, 1, 1, 3e38f), rectangle(0, 0, 9, 9, 2e38f)},
         largest,
         2e38f},
        {"wells below the limit", {rectangle(0, 0, 1, 1, -3e38f), rectangle(0, 0, 9, 9, -3e38f)}, -largest, -3e38f},
        // k r^2 / 2 leaves the float range towards the corners.
        {"a steep trap", {trap(3e38f)}, centreTrap, largest},
        {"opposite steep traps", {trap(3e38f), trap(-3e38f)}, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        PotentialScene s;
        for (const PotentialObject& o : c.objects)
            ASSERT_NE(s.add(o), 0u) << c.what;
        PotentialField2D f(6, 4, 0.5f, 0.6f);
        s.buildPotential(f);
        for (const float v : f.values())
            ASSERT_TRUE(std::isfinite(v)) << c.what;
        EXPECT_FLOAT_EQ(f.valueAt(2, 1), c.centre) << c.what;
        EXPECT_EQ(f.valueAt(0, 0), c.corner) << c.what;
    }
}

TEST(PotentialScene, BuildPotentialNeverStopsHalfway)
{
    PotentialScene s;
    s.add(rectangle(0, 0, 10, 10, 1));
    const std::uint64_t barrierId = s.add(ofKind(PotentialObjectKind::Barrier));
    s.add(rectangle(0, 0, 10, 10, 2));
    // Objects can be edited in place through find(); one that became invalid
    // is skipped instead of throwing between two accumulations.
    PotentialObject* barrier = s.find(barrierId);
    ASSERT_NE(barrier, nullptr);
    barrier->centerY = 3e38f;
    barrier->length = 3e38f;

    PotentialField2D f(4, 4, 1.0f, 1.0f);
    const std::uint64_t revision = f.revision();
    EXPECT_NO_THROW(s.buildPotential(f));
    EXPECT_EQ(f.minValue(), 3.0f);
    EXPECT_EQ(f.maxValue(), 3.0f);
    EXPECT_EQ(f.revision(), revision + 3);

    PotentialField2D noValues;
    s.buildPotential(noValues);
    EXPECT_TRUE(noValues.empty());
    EXPECT_EQ(noValues.revision(), 1u);
}
