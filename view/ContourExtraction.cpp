#include "view/ContourExtraction.h"

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vxo {

namespace {

struct Point {
    double x;
    double y;
};

// One cell of the marching-squares lattice: corners A (bottom left), B (bottom
// right), C (top right), D (top left) with values a, b, c, d.
struct Cell {
    double xl, xr, yb, yt;
    double a, b, c, d;
};

// Linear crossing of `level` on the edge p -> q; equal ends (within epsilon)
// put the point at the middle of the edge.
Point edgePoint(Point p, double vp, Point q, double vq, double level, double epsilon)
{
    const double delta = vq - vp;
    double t = std::fabs(delta) > epsilon ? (level - vp) / delta : 0.5;
    t = std::clamp(t, 0.0, 1.0);
    return {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t};
}

// Emits the zero, one or two segments of one cell through emit(start, end).
template <typename Emit>
void marchCell(const Cell& cell, double level, double epsilon, Emit emit)
{
    const int code =
        (cell.a > level ? 1 : 0) + (cell.b > level ? 2 : 0) + (cell.c > level ? 4 : 0) + (cell.d > level ? 8 : 0);
    if (code == 0 || code == 15)
        return;
    const Point A{cell.xl, cell.yb};
    const Point B{cell.xr, cell.yb};
    const Point C{cell.xr, cell.yt};
    const Point D{cell.xl, cell.yt};
    const Point p0 = edgePoint(A, cell.a, B, cell.b, level, epsilon);
    const Point p1 = edgePoint(B, cell.b, C, cell.c, level, epsilon);
    const Point p2 = edgePoint(C, cell.c, D, cell.d, level, epsilon);
    const Point p3 = edgePoint(D, cell.d, A, cell.a, level, epsilon);
    // Saddles: a centre above the level joins the two high corners through the cell.
    const bool centreAbove = (cell.a + cell.b + cell.c + cell.d) * 0.25 > level;
    switch (code) {
    case 1:
    case 14:
        emit(p3, p0);
        break;
    case 2:
    case 13:
        emit(p0, p1);
        break;
    case 3:
    case 12:
        emit(p3, p1);
        break;
    case 4:
    case 11:
        emit(p1, p2);
        break;
    case 6:
    case 9:
        emit(p0, p2);
        break;
    case 7:
    case 8:
        emit(p3, p2);
        break;
    case 5:
        if (centreAbove) {
            emit(p3, p2);
            emit(p0, p1);
        } else {
            emit(p3, p0);
            emit(p2, p1);
        }
        break;
    case 10:
        if (centreAbove) {
            emit(p3, p0);
            emit(p2, p1);
        } else {
            emit(p3, p2);
            emit(p0, p1);
        }
        break;
    default:
        break;
    }
}

constexpr double kPotentialEpsilon = 1e-20;
constexpr double kProbabilityEpsilon = 1e-30;

// Indices 0, stride, 2 stride, ... below n - 1, then n - 1 itself: the corners
// of the sampled lattice along one axis.
std::vector<std::uint64_t> latticeIndices(std::uint64_t n, std::uint64_t stride)
{
    std::vector<std::uint64_t> indices;
    for (std::uint64_t k = 0; k < n - 1; k += stride)
        indices.push_back(k);
    indices.push_back(n - 1);
    return indices;
}

} // namespace

PotentialContourSet buildPotentialContours(const PotentialField2D& potential, std::uint64_t levelCount)
{
    PotentialContourSet set;
    const std::uint64_t nx = potential.nx();
    const std::uint64_t ny = potential.ny();
    if (potential.empty() || nx < 2 || ny < 2 || levelCount == 0)
        return set;

    const float vmin = potential.minValue();
    const float vmax = potential.maxValue();
    const float range = vmax - vmin;
    set.minimum = vmin;
    set.maximum = vmax;
    if (range <= 1e-12f)
        return set;

    const float tolerance = std::max(std::fabs(range) * 1e-6f, 1e-7f);
    bool binary = true;
    for (float v : potential.values()) {
        if (!(std::fabs(v - vmin) <= tolerance) && !(std::fabs(v - vmax) <= tolerance)) {
            binary = false;
            break;
        }
    }
    set.binary = binary;

    if (binary) {
        set.levels.push_back(vmin + 0.5f * range);
    } else {
        set.levels.reserve(levelCount);
        const float denominator = static_cast<float>(levelCount + 1);
        for (std::uint64_t k = 1; k <= levelCount; ++k)
            set.levels.push_back(vmin + static_cast<float>(k) / denominator * range);
    }

    for (float level : set.levels) {
        auto emit = [&set, level](Point s, Point e) {
            set.segments.push_back({static_cast<float>(s.x), static_cast<float>(s.y), static_cast<float>(e.x),
                                    static_cast<float>(e.y), level});
        };
        for (std::uint64_t j = 1; j < ny; ++j) {
            const double yb = potential.yAt(j - 1);
            const double yt = potential.yAt(j);
            for (std::uint64_t i = 1; i < nx; ++i) {
                const Cell cell{potential.xAt(i - 1),
                                potential.xAt(i),
                                yb,
                                yt,
                                potential.valueAt(i - 1, j - 1),
                                potential.valueAt(i, j - 1),
                                potential.valueAt(i, j),
                                potential.valueAt(i - 1, j)};
                marchCell(cell, level, kPotentialEpsilon, emit);
            }
        }
    }
    return set;
}

ProbabilityContourSet buildProbabilityContours(const ComplexField2D& psi, std::uint64_t levelCount,
                                               std::int32_t spacingMode, float decades, std::uint64_t targetCells)
{
    ProbabilityContourSet set;
    // Upper bound first, so a NaN request becomes the largest span.
    float clampedDecades = decades <= 12.0f ? decades : 12.0f;
    clampedDecades = clampedDecades >= 0.25f ? clampedDecades : 0.25f;
    set.spacingMode = spacingMode;
    set.decades = clampedDecades;
    set.stride = 1;

    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    if (psi.empty() || nx < 2 || ny < 2 || levelCount == 0)
        return set;

    float pmax = 0.0f;
    for (std::uint64_t k = 0; k < psi.size(); ++k) {
        const float p = std::norm(psi.data()[k]);
        if (p > pmax)
            pmax = p;
    }
    set.maxProbability = pmax;
    if (!(pmax > 1e-30f) || !std::isfinite(pmax))
        return set;

    const bool logarithmic = spacingMode == 1;
    const float denominator = static_cast<float>(levelCount + 1);
    set.levels.reserve(levelCount);
    for (std::uint64_t k = 1; k <= levelCount; ++k) {
        float f = static_cast<float>(k) / denominator;
        if (logarithmic)
            f = static_cast<float>(std::pow(10.0, -(1.0 - static_cast<double>(f)) * clampedDecades));
        set.levels.push_back(f * pmax);
    }

    const std::uint64_t target = std::max<std::uint64_t>(targetCells, 32);
    const std::uint64_t longest = std::max(nx, ny);
    const std::uint64_t stride = longest > target ? (longest + target - 1) / target : 1;
    set.stride = stride;

    // The lattice corners, their coordinates (rounded to float as stored) and
    // |psi|^2 there are the same for every level: sampled once.
    const std::vector<std::uint64_t> columns = latticeIndices(nx, stride);
    const std::vector<std::uint64_t> rows = latticeIndices(ny, stride);
    std::vector<double> xs(columns.size());
    std::vector<double> ys(rows.size());
    for (std::size_t c = 0; c < columns.size(); ++c)
        xs[c] = static_cast<float>(gridCoordinateX(psi, columns[c]));
    for (std::size_t r = 0; r < rows.size(); ++r)
        ys[r] = static_cast<float>(gridCoordinateY(psi, rows[r]));
    std::vector<float> density(columns.size() * rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < columns.size(); ++c)
            density[r * columns.size() + c] = std::norm(psi.at(columns[c], rows[r]));
    auto sample = [&density, &columns](std::size_t c, std::size_t r) { return density[r * columns.size() + c]; };

    // A level crosses a cell only when some corner lies above it and some
    // corner does not (a NaN corner is never above): lowest <= level <
    // highest with NaN read as -inf. The levels ascend, so each cell visits
    // only the levels in that span, and most cells (far from the packet,
    // or inside its top level) none at all. The segments of each level are
    // collected apart and joined level by level, in the order of a sweep of
    // every cell per level.
    const auto belowEveryLevel = [](float v) { return v == v ? v : -HUGE_VALF; };
    std::vector<std::vector<ProbabilityContourSegment>> byLevel(levelCount);
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        for (std::size_t c = 0; c + 1 < columns.size(); ++c) {
            const float a = sample(c, r);
            const float b = sample(c + 1, r);
            const float cc = sample(c + 1, r + 1);
            const float d = sample(c, r + 1);
            const float highest = std::max(std::max(belowEveryLevel(a), belowEveryLevel(b)),
                                           std::max(belowEveryLevel(cc), belowEveryLevel(d)));
            if (!(highest > set.levels.front()))
                continue;
            const float lowest = std::min(std::min(belowEveryLevel(a), belowEveryLevel(b)),
                                          std::min(belowEveryLevel(cc), belowEveryLevel(d)));
            if (lowest > set.levels.back())
                continue;
            const Cell cell{xs[c], xs[c + 1], ys[r], ys[r + 1], a, b, cc, d};
            for (auto e = static_cast<std::size_t>(std::lower_bound(set.levels.begin(), set.levels.end(), lowest) -
                                                   set.levels.begin());
                 e < levelCount && set.levels[e] < highest; ++e) {
                const float level = set.levels[e];
                const float fraction = static_cast<float>(e + 1) / denominator;
                std::vector<ProbabilityContourSegment>& out = byLevel[e];
                marchCell(cell, level, kProbabilityEpsilon, [&out, level, fraction](Point s, Point t) {
                    out.push_back({static_cast<float>(s.x), static_cast<float>(s.y), static_cast<float>(t.x),
                                   static_cast<float>(t.y), level, fraction});
                });
            }
        }
    }
    std::size_t total = 0;
    for (const auto& segments : byLevel)
        total += segments.size();
    set.segments.reserve(total);
    for (const auto& segments : byLevel)
        set.segments.insert(set.segments.end(), segments.begin(), segments.end());
    return set;
}

} // namespace vxo
