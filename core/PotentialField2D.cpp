#include "core/PotentialField2D.h"

#include "core/CellDecisionPoint.h"
#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"
#include "core/Numeric.h"
#include "core/SoftenedRadialRows.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxo {

namespace {

// Serial numbers for identity(); 0 is never handed out.
std::atomic<std::uint64_t> nextIdentity{1};

std::uint64_t freshIdentity() { return nextIdentity.fetch_add(1, std::memory_order_relaxed); }

[[noreturn]] void fail(const char* operation, const std::string& fault)
{
    throw std::invalid_argument(std::string("PotentialField2D::") + operation + ": " + fault);
}

// An argument with the name the messages give it.
struct Named {
    float value;
    const char* name;
};

// Each argument must be finite; they are checked in the order given.
void requireFinite(const char* operation, std::initializer_list<Named> arguments)
{
    for (const Named& a : arguments) {
        if (!isFinite(a.value))
            fail(operation, std::string(a.name) + " must be finite");
    }
}

// Every size must be finite and positive; one message names them together.
void requirePositive(const char* operation, const char* sizes, std::initializer_list<float> values)
{
    for (float v : values) {
        if (!isFinitePositive(v))
            fail(operation, std::string(sizes) + " must be finite and positive");
    }
}

void requireSteps(float dx, float dy)
{
    if (!isFinitePositive(dx) || !isFinitePositive(dy))
        throw std::invalid_argument("PotentialField2D: dx and dy must be finite and positive");
}

double square(double v) { return v * v; }

constexpr float kLargest = std::numeric_limits<float>::max();
constexpr double kLargestDouble = std::numeric_limits<float>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// a + b in single precision, held at the largest finite float of its sign.
inline float heldSum(float a, float b) { return std::min(std::max(a + b, -kLargest), kLargest); }

// dst += scale * src over n cells in single precision; a sum beyond the
// float range is held at the largest finite float of its sign: overlapping
// walls near the limit stay walls rather than become infinite, which would
// turn every phase of the step into NaN. Such sums are rare, so a first pass
// looks for one (an int flag, which the compiler vectorises) and only then
// are the cells clamped.
void addHeld(float* dst, const float* src, std::uint64_t n, float scale)
{
    int beyond = 0;
    for (std::uint64_t c = 0; c < n; ++c)
        beyond |= !(std::fabs(dst[c] + scale * src[c]) <= kLargest);
    if (beyond == 0) {
        for (std::uint64_t c = 0; c < n; ++c)
            dst[c] += scale * src[c];
    } else {
        for (std::uint64_t c = 0; c < n; ++c) {
            const float term = std::clamp(scale * src[c], -kLargest, kLargest);
            dst[c] = std::clamp(dst[c] + term, -kLargest, kLargest);
        }
    }
}

// dst += value over n cells, held the same way.
void addHeld(float* dst, std::uint64_t n, float value)
{
    int beyond = 0;
    for (std::uint64_t c = 0; c < n; ++c)
        beyond |= !(std::fabs(dst[c] + value) <= kLargest);
    if (beyond == 0) {
        for (std::uint64_t c = 0; c < n; ++c)
            dst[c] += value;
    } else {
        for (std::uint64_t c = 0; c < n; ++c)
            dst[c] = heldSum(dst[c], value);
    }
}

} // namespace

PotentialField2D::PotentialField2D() : identity_(freshIdentity()) {}

PotentialField2D::PotentialField2D(std::uint64_t nx, std::uint64_t ny, float dx, float dy) : identity_(freshIdentity())
{
    reset(nx, ny, dx, dy);
}

PotentialField2D::PotentialField2D(const PotentialField2D& other)
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), values_(other.values_),
      revision_(other.revision_), identity_(freshIdentity()), regionPainting_(other.regionPainting_),
      paintingEveryCell_(other.paintingEveryCell_)
{
}

PotentialField2D::PotentialField2D(PotentialField2D&& other) noexcept
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), values_(std::move(other.values_)),
      revision_(other.revision_), identity_(freshIdentity()), regionPainting_(other.regionPainting_),
      paintingEveryCell_(other.paintingEveryCell_)
{
    other.becomeEmptyAfterMove();
}

PotentialField2D& PotentialField2D::operator=(const PotentialField2D& other)
{
    if (this == &other)
        return *this;
    std::vector<float> values(other.values_);
    nx_ = other.nx_;
    ny_ = other.ny_;
    dx_ = other.dx_;
    dy_ = other.dy_;
    values_.swap(values);
    revision_ = other.revision_;
    regionPainting_ = other.regionPainting_;
    paintingEveryCell_ = other.paintingEveryCell_;
    // A new content under the old identity could meet a cache entry of the
    // same revision number, so the target becomes a new identity.
    identity_ = freshIdentity();
    return *this;
}

PotentialField2D& PotentialField2D::operator=(PotentialField2D&& other) noexcept
{
    if (this == &other)
        return *this;
    nx_ = other.nx_;
    ny_ = other.ny_;
    dx_ = other.dx_;
    dy_ = other.dy_;
    values_ = std::move(other.values_);
    revision_ = other.revision_;
    regionPainting_ = other.regionPainting_;
    paintingEveryCell_ = other.paintingEveryCell_;
    identity_ = freshIdentity();
    other.becomeEmptyAfterMove();
    return *this;
}

void PotentialField2D::becomeEmptyAfterMove()
{
    nx_ = 0;
    ny_ = 0;
    dx_ = 1.0f;
    dy_ = 1.0f;
    values_.clear();
    raiseRevision();
}

void PotentialField2D::reset(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
{
    requireSteps(dx, dy);
    std::vector<float> values(nx * ny, 0.0f);
    nx_ = nx;
    ny_ = ny;
    dx_ = dx;
    dy_ = dy;
    values_.swap(values);
    raiseRevision();
}

double PotentialField2D::xAt(std::uint64_t i) const { return cellCentre(i, nx_, dx_); }

double PotentialField2D::yAt(std::uint64_t j) const { return cellCentre(j, ny_, dy_); }

bool PotentialField2D::matches(const ComplexField2D& field) const { return GridKey2D::of(*this).matches(field); }

const PotentialField2D::Extent& PotentialField2D::extent() const
{
    if (extent_.valid && extent_.identity == identity_ && extent_.revision == revision_)
        return extent_;
    Extent extent;
    if (!values_.empty()) {
        // The comparisons of std::min_element and std::max_element: the first
        // smallest and the first largest value.
        float lo = values_.front();
        float hi = values_.front();
        for (const float v : values_) {
            if (v < lo)
                lo = v;
            if (hi < v)
                hi = v;
        }
        extent.minimum = lo;
        extent.maximum = hi;
    }
    extent.valid = true;
    extent.identity = identity_;
    extent.revision = revision_;
    extent_ = extent;
    return extent_;
}

float PotentialField2D::minValue() const { return extent().minimum; }

float PotentialField2D::maxValue() const { return extent().maximum; }

void PotentialField2D::clear()
{
    std::fill(values_.begin(), values_.end(), 0.0f);
    raiseRevision();
}

void PotentialField2D::fill(float value)
{
    std::fill(values_.begin(), values_.end(), value);
    raiseRevision();
}

PotentialField2D PotentialField2D::row(std::uint64_t j) const
{
    if (j >= ny_)
        return PotentialField2D();
    PotentialField2D one(nx_, 1, dx_, dy_);
    std::copy(values_.begin() + static_cast<std::ptrdiff_t>(j * nx_),
              values_.begin() + static_cast<std::ptrdiff_t>((j + 1) * nx_), one.values_.begin());
    return one;
}

void PotentialField2D::accumulate(const PotentialField2D& other, float scale)
{
    requireFinite("accumulate", {{scale, "scale"}});
    if (!GridKey2D::of(*this).matches(other))
        fail("accumulate", "grid mismatch");
    addHeld(values_.data(), other.values_.data(), values_.size(), scale);
    raiseRevision();
}

PotentialField2D::CellRange PotentialField2D::cellsAround(double xLow, double xHigh, double yLow, double yHigh) const
{
    if (paintingEveryCell_)
        return everyCell();
    // Decision point of cell i: (i - (n - 1) / 2 + nudge) spacing; the range
    // is widened by a cell on each side, so rounding here never drops a cell
    // the exact test would select.
    const auto span = [](double low, double high, std::uint64_t n, double spacing, double nudge) {
        const double offset = centreOffset(n) - nudge;
        const double first = std::floor(low / spacing + offset) - 1.0;
        const double last = std::ceil(high / spacing + offset) + 2.0;
        const double count = static_cast<double>(n);
        return std::make_pair(static_cast<std::uint64_t>(std::clamp(first, 0.0, count)),
                              static_cast<std::uint64_t>(std::clamp(last, 0.0, count)));
    };
    const auto [i0, i1] = span(xLow, xHigh, nx_, dx_, kFaceNudgeX);
    const auto [j0, j1] = span(yLow, yHigh, ny_, dy_, kFaceNudgeY);
    if (i0 >= i1 || j0 >= j1)
        return CellRange{};
    return CellRange{i0, i1, j0, j1};
}

template <typename RowTest, typename CellTest>
void PotentialField2D::assignWhere(float value, const CellRange& cells, RowTest rowSelected, CellTest cellSelected)
{
    const bool adding = regionPainting_ == RegionPainting::Add;
    for (std::uint64_t j = cells.j0; j < cells.j1; ++j) {
        const double y = cellDecisionY(*this, j);
        if (!rowSelected(y))
            continue;
        float* row = values_.data() + j * nx_;
        for (std::uint64_t i = cells.i0; i < cells.i1; ++i) {
            if (cellSelected(cellDecisionX(*this, i), y))
                row[i] = adding ? heldSum(row[i], value) : value;
        }
    }
    raiseRevision();
}

void PotentialField2D::paintSpan(float value, std::uint64_t j, std::uint64_t first, std::uint64_t last)
{
    float* row = values_.data() + j * nx_;
    if (regionPainting_ == RegionPainting::Assign) {
        std::fill(row + first, row + last, value);
        return;
    }
    addHeld(row + first, last - first, value);
}

template <typename Function>
void PotentialField2D::addFunction(double centerX, double centerY, const CellRange& cells, Function f)
{
    addFunction(centerX, centerY, cells, f,
                [&f](const float* row, const double* xp, double yp, std::uint64_t count, float* sum) {
                    int beyond = 0;
                    for (std::uint64_t i = 0; i < count; ++i) {
                        sum[i] = row[i] + static_cast<float>(f(xp[i], yp));
                        beyond |= !(std::fabs(sum[i]) <= kLargest);
                    }
                    return beyond;
                });
}

template <typename Function, typename RowSum>
void PotentialField2D::addFunction(double centerX, double centerY, const CellRange& cells, Function f, RowSum sumRow)
{
    // The offsets along x once for all rows (the same values the cells would
    // compute); the row loop is then calls-free and runs on vector registers.
    const std::uint64_t width = cells.i1 - cells.i0;
    std::vector<double> offsets(width);
    for (std::uint64_t i = 0; i < width; ++i)
        offsets[i] = xAt(cells.i0 + i) - centerX;
    const double* xp = offsets.data();
    // A term or a sum beyond the float range is held at the largest float of
    // its sign: a steep trap or a tall bump on a filled grid stays a finite
    // wall instead of an infinity that turns the step's phases into NaN. Such
    // rows are rare, so a row is first summed aside with a flag (both run on
    // vector registers) and summed again with the bounds only when flagged.
    std::vector<float> sums(width);
    float* sum = sums.data();
    for (std::uint64_t j = cells.j0; j < cells.j1; ++j) {
        const double yp = yAt(j) - centerY;
        float* row = values_.data() + j * nx_ + cells.i0;
        if (sumRow(row, xp, yp, width, sum) == 0) {
            std::copy(sum, sum + width, row);
            continue;
        }
        for (std::uint64_t i = 0; i < width; ++i) {
            const double term = std::min(std::max(f(xp[i], yp), -kLargestDouble), kLargestDouble);
            row[i] = heldSum(row[i], static_cast<float>(term));
        }
    }
    raiseRevision();
}

void PotentialField2D::addRectangle(float centerX, float centerY, float width, float height, float value)
{
    requireFinite("addRectangle", {{centerX, "centerX"}, {centerY, "centerY"}, {value, "value"}});
    requirePositive("addRectangle", "width and height", {width, height});
    const double cx = centerX;
    const double cy = centerY;
    const double halfW = static_cast<double>(width) * 0.5;
    const double halfH = static_cast<double>(height) * 0.5;
    assignWhere(
        value, cellsAround(cx - halfW, cx + halfW, cy - halfH, cy + halfH),
        [&](double y) { return std::abs(y - cy) <= halfH; },
        [&](double x, double) { return std::abs(x - cx) <= halfW; });
}

void PotentialField2D::addCircle(float centerX, float centerY, float radius, float value)
{
    requireFinite("addCircle", {{centerX, "centerX"}, {centerY, "centerY"}, {value, "value"}});
    requirePositive("addCircle", "radius", {radius});
    const double cx = centerX;
    const double cy = centerY;
    const double r = radius;
    const double r2 = square(radius);
    assignWhere(
        value, cellsAround(cx - r, cx + r, cy - r, cy + r), [&](double y) { return square(y - cy) <= r2; },
        [&](double x, double y) { return square(x - cx) + square(y - cy) <= r2; });
}

void PotentialField2D::addBarrier(float x1, float y1, float x2, float y2, float thickness, float value)
{
    requireFinite("addBarrier", {{x1, "x1"}, {y1, "y1"}, {x2, "x2"}, {y2, "y2"}, {value, "value"}});
    requirePositive("addBarrier", "thickness", {thickness});
    // A capsule: cells within thickness/2 of the segment. The nearest point of
    // the segment is the projection clamped to [0, 1]; a segment shorter than
    // about one double epsilon is treated as its first end (a disc).
    const double ax = x1;
    const double ay = y1;
    const double ex = static_cast<double>(x2) - ax;
    const double ey = static_cast<double>(y2) - ay;
    const double length2 = ex * ex + ey * ey;
    const bool segment = length2 > 2.220446049250313e-16;
    const double reach = static_cast<double>(thickness) * 0.5;
    const double reach2 = square(reach);
    const CellRange cells = cellsAround(std::min(ax, ax + ex) - reach, std::max(ax, ax + ex) + reach,
                                        std::min(ay, ay + ey) - reach, std::max(ay, ay + ey) + reach);
    assignWhere(
        value, cells, [](double) { return true; },
        [&](double x, double y) {
            double px = ax;
            double py = ay;
            if (segment) {
                double t = ((y - ay) * ey + (x - ax) * ex) / length2;
                t = std::min(t, 1.0);
                if (!(t > 0.0))
                    t = 0.0;
                px = ax + t * ex;
                py = ay + t * ey;
            }
            return reach2 >= square(x - px) + square(y - py);
        });
}

void PotentialField2D::addSingleSlit(float centerX, float wallWidth, float slitCenterY, float slitHeight, float value)
{
    requireFinite("addSingleSlit", {{centerX, "centerX"}, {slitCenterY, "slitCenterY"}, {value, "value"}});
    requirePositive("addSingleSlit", "dimensions", {wallWidth, slitHeight});
    const double cx = centerX;
    const double cy = slitCenterY;
    const double halfWall = static_cast<double>(wallWidth) * 0.5;
    const double halfSlit = static_cast<double>(slitHeight) * 0.5;
    assignWhere(
        value, cellsAround(cx - halfWall, cx + halfWall, -kInfinity, kInfinity),
        [&](double y) { return std::abs(y - cy) > halfSlit; },
        [&](double x, double) { return std::abs(x - cx) <= halfWall; });
}

void PotentialField2D::addDoubleSlit(float centerX, float wallWidth, float slitCenterY, float slitSeparation,
                                     float slitHeight, float value)
{
    requireFinite("addDoubleSlit", {{centerX, "centerX"}, {slitCenterY, "slitCenterY"}, {value, "value"}});
    requirePositive("addDoubleSlit", "dimensions", {wallWidth, slitSeparation, slitHeight});
    const double cx = centerX;
    const double halfSeparation = static_cast<double>(slitSeparation) * 0.5;
    const double lowerY = static_cast<double>(slitCenterY) - halfSeparation;
    const double upperY = static_cast<double>(slitCenterY) + halfSeparation;
    const double halfWall = static_cast<double>(wallWidth) * 0.5;
    const double halfSlit = static_cast<double>(slitHeight) * 0.5;
    assignWhere(
        value, cellsAround(cx - halfWall, cx + halfWall, -kInfinity, kInfinity),
        [&](double y) { return !(std::abs(y - lowerY) <= halfSlit || std::abs(y - upperY) <= halfSlit); },
        [&](double x, double) { return std::abs(x - cx) <= halfWall; });
}

void PotentialField2D::addPolygon(const std::vector<Vertex>& vertices, float value)
{
    addPolygon(vertices.data(), vertices.size(), value);
}

void PotentialField2D::addPolygon(const Vertex* vertices, std::uint64_t count, float value)
{
    requireFinite("addPolygon", {{value, "value"}});
    if (count < 3)
        fail("addPolygon", "at least three vertices are required");
    for (std::uint64_t k = 0; k < count; ++k) {
        if (!isFinite(vertices[k].first) || !isFinite(vertices[k].second))
            fail("addPolygon", "vertices must be finite");
    }
    double xLow = kInfinity, xHigh = -kInfinity, yLow = kInfinity, yHigh = -kInfinity;
    for (std::uint64_t k = 0; k < count; ++k) {
        xLow = std::min(xLow, static_cast<double>(vertices[k].first));
        xHigh = std::max(xHigh, static_cast<double>(vertices[k].first));
        yLow = std::min(yLow, static_cast<double>(vertices[k].second));
        yHigh = std::max(yHigh, static_cast<double>(vertices[k].second));
    }
    assignWhere(
        value, cellsAround(xLow, xHigh, yLow, yHigh), [](double) { return true; },
        [&](double x, double y) { return pointInPolygon(x, y, vertices, count); });
}

void PotentialField2D::addStadiumExterior(float centerX, float centerY, float width, float radius, float value)
{
    requireFinite("addStadiumExterior", {{centerX, "centerX"}, {centerY, "centerY"}, {value, "value"}});
    requirePositive("addStadiumExterior", "dimensions", {width, radius});
    // The stadium: a straight part |x'| <= width/2, |y'| <= radius capped by
    // two half-discs of the given radius centred on x' = +-width/2.
    const double cx = centerX;
    const double cy = centerY;
    const double halfStraight = static_cast<double>(width) * 0.5;
    const double r = radius;
    const double r2 = r * r;
    const auto outside = [&](double x, double y) {
        const double ax = std::abs(x - cx);
        const double yp = y - cy;
        const bool inside = ax <= halfStraight ? std::abs(yp) <= r : square(ax - halfStraight) + yp * yp <= r2;
        return !inside;
    };
    // Beyond the stadium's box every cell is outside: those are painted
    // without a test, and the test decides within the box.
    const CellRange box = cellsAround(cx - halfStraight - r, cx + halfStraight + r, cy - r, cy + r);
    for (std::uint64_t j = 0; j < ny_; ++j) {
        if (j < box.j0 || j >= box.j1) {
            paintSpan(value, j, 0, nx_);
            continue;
        }
        paintSpan(value, j, 0, box.i0);
        paintSpan(value, j, box.i1, nx_);
    }
    assignWhere(
        value, box, [](double) { return true; }, outside);
}

void PotentialField2D::addGaussian(float centerX, float centerY, float sigmaX, float sigmaY, float amplitude)
{
    requireFinite("addGaussian", {{centerX, "centerX"}, {centerY, "centerY"}, {amplitude, "amplitude"}});
    requirePositive("addGaussian", "sigmas", {sigmaX, sigmaY});
    const double sx = sigmaX;
    const double sy = sigmaY;
    const double a = amplitude;
    const double first = 1.0 / ((sx + sx) * sx);
    const double second = 1.0 / ((sy + sy) * sy);
    // Beyond q = ln|a| + 150 ln 2 the term a exp(-q) is below half the
    // smallest single-precision value and rounds to zero; one more unit of q
    // keeps the double's own rounding clear of that line. No cell outside the
    // ellipse q <= cut would change.
    const double cut = std::max(std::log(std::abs(a)) + 150.0 * std::log(2.0) + 1.0, 0.0);
    const double reachX = std::sqrt(cut / first);
    const double reachY = std::sqrt(cut / second);
    const double cx = centerX;
    const double cy = centerY;
    addFunction(cx, cy, cellsAround(cx - reachX, cx + reachX, cy - reachY, cy + reachY),
                [&](double xp, double yp) { return std::exp(-(xp * xp * first + yp * yp * second)) * a; });
}

void PotentialField2D::addHarmonic(float centerX, float centerY, float offset, float curvatureX, float curvatureY)
{
    requireFinite("addHarmonic", {{centerX, "centerX"},
                                  {centerY, "centerY"},
                                  {offset, "offset"},
                                  {curvatureX, "curvatureX"},
                                  {curvatureY, "curvatureY"}});
    const double v0 = offset;
    const double kx = curvatureX;
    const double ky = curvatureY;
    addFunction(centerX, centerY, everyCell(),
                [&](double xp, double yp) { return (0.5 * kx * (xp * xp) + v0) + 0.5 * ky * (yp * yp); });
}

void PotentialField2D::addLinear(float centerX, float centerY, float offset, float slopeX, float slopeY)
{
    requireFinite(
        "addLinear",
        {{centerX, "centerX"}, {centerY, "centerY"}, {offset, "offset"}, {slopeX, "slopeX"}, {slopeY, "slopeY"}});
    const double v0 = offset;
    const double fx = slopeX;
    const double fy = slopeY;
    addFunction(centerX, centerY, everyCell(), [&](double xp, double yp) { return (fx * xp + v0) + fy * yp; });
}

void PotentialField2D::addQuadrupole(float centerX, float centerY, float q1, float q2)
{
    requireFinite("addQuadrupole", {{centerX, "centerX"}, {centerY, "centerY"}, {q1, "q1"}, {q2, "q2"}});
    const double a = q1;
    const double b = q2;
    addFunction(centerX, centerY, everyCell(),
                [&](double xp, double yp) { return a * (xp * xp - yp * yp) + 2.0 * b * xp * yp; });
}

void PotentialField2D::addSoftenedRadial(float centerX, float centerY, float coupling, float softening)
{
    requireFinite("addSoftenedRadial", {{centerX, "centerX"}, {centerY, "centerY"}, {coupling, "coupling"}});
    requirePositive("addSoftenedRadial", "softening", {softening});
    // Coulomb-like coupling / r with the singularity smoothed over the
    // softening length.
    const double g = coupling;
    const double s2 = square(softening);
    // The tail falls as 1/r and never rounds away on a grid: every cell, on
    // the widest vectors the processor has.
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    addFunction(
        centerX, centerY, everyCell(), [&](double xp, double yp) { return g / std::sqrt(xp * xp + yp * yp + s2); },
        [&](const float* row, const double* xp, double yp, std::uint64_t count, float* sum) {
            return radial::sumRow(path, row, xp, yp, g, s2, count, sum);
        });
}

void PotentialField2D::addStandingWaveX(float period, float depth, float phase)
{
    requirePositive("addStandingWaveX", "period", {period});
    requireFinite("addStandingWaveX", {{depth, "depth"}, {phase, "phase"}});
    // depth cos^2(k x + phi/2) with k = pi / period: intensity of two
    // counter-propagating beams, lattice constant = period.
    const double k = kPi / static_cast<double>(period);
    const double shift = static_cast<double>(phase) * 0.5 * kPi / 180.0;
    const double d = depth;
    for (std::uint64_t i = 0; i < nx_; ++i) {
        const double c = std::cos(xAt(i) * k + shift);
        const float v = static_cast<float>(d * c * c);
        for (std::uint64_t j = 0; j < ny_; ++j) {
            float& cell = values_[j * nx_ + i];
            cell = heldSum(cell, v);
        }
    }
    raiseRevision();
}

bool pointInPolygon(double x, double y, const PotentialField2D::Vertex* vertices, std::uint64_t count)
{
    bool inside = false;
    for (std::uint64_t i = 0, p = count - 1; i < count; p = i++) {
        const double xi = vertices[i].first;
        const double yi = vertices[i].second;
        const double xp = vertices[p].first;
        const double yp = vertices[p].second;
        if ((yi > y) != (yp > y) && x < (xp - xi) * (y - yi) / (yp - yi) + xi)
            inside = !inside;
    }
    return inside;
}

bool pointInPolygon(double x, double y, const std::vector<PotentialField2D::Vertex>& vertices)
{
    return pointInPolygon(x, y, vertices.data(), vertices.size());
}

} // namespace vxo
