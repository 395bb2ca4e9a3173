#include "core/PotentialField2D.h"

#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"
#include "core/Numeric.h"

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

} // namespace

PotentialField2D::PotentialField2D() : identity_(freshIdentity()) {}

PotentialField2D::PotentialField2D(std::uint64_t nx, std::uint64_t ny, float dx, float dy) : identity_(freshIdentity())
{
    reset(nx, ny, dx, dy);
}

PotentialField2D::PotentialField2D(const PotentialField2D& other)
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), values_(other.values_),
      revision_(other.revision_), identity_(freshIdentity())
{
}

PotentialField2D::PotentialField2D(PotentialField2D&& other) noexcept
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), values_(std::move(other.values_)),
      revision_(other.revision_), identity_(freshIdentity())
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

void PotentialField2D::accumulate(const PotentialField2D& other, float scale)
{
    requireFinite("accumulate", {{scale, "scale"}});
    if (!GridKey2D::of(*this).matches(other))
        fail("accumulate", "grid mismatch");
    const float* src = other.values_.data();
    float* dst = values_.data();
    const std::uint64_t n = values_.size();
    // Sums beyond single precision are held at the largest finite value of
    // their sign: overlapping walls near the limit stay walls rather than
    // become infinite, which would turn every phase of the step into NaN.
    // Such sums are rare, so a first pass looks for one (an int flag, which
    // the compiler vectorises) and only then are the cells clamped.
    constexpr float largest = std::numeric_limits<float>::max();
    int beyond = 0;
    for (std::uint64_t c = 0; c < n; ++c)
        beyond |= !(std::fabs(dst[c] + scale * src[c]) <= largest);
    if (beyond == 0) {
        for (std::uint64_t c = 0; c < n; ++c)
            dst[c] += scale * src[c];
    } else {
        for (std::uint64_t c = 0; c < n; ++c) {
            const float term = std::clamp(scale * src[c], -largest, largest);
            dst[c] = std::clamp(dst[c] + term, -largest, largest);
        }
    }
    raiseRevision();
}

template <typename RowTest, typename CellTest>
void PotentialField2D::assignWhere(float value, RowTest rowSelected, CellTest cellSelected)
{
    for (std::uint64_t j = 0; j < ny_; ++j) {
        const double y = yAt(j);
        if (!rowSelected(y))
            continue;
        float* row = values_.data() + j * nx_;
        for (std::uint64_t i = 0; i < nx_; ++i) {
            if (cellSelected(xAt(i), y))
                row[i] = value;
        }
    }
    raiseRevision();
}

template <typename Function>
void PotentialField2D::addFunction(double centerX, double centerY, Function f)
{
    // The offsets along x once for all rows (the same values the cells would
    // compute); the row loop is then calls-free and runs on vector registers.
    std::vector<double> offsets(nx_);
    for (std::uint64_t i = 0; i < nx_; ++i)
        offsets[i] = xAt(i) - centerX;
    const double* xp = offsets.data();
    for (std::uint64_t j = 0; j < ny_; ++j) {
        const double yp = yAt(j) - centerY;
        float* row = values_.data() + j * nx_;
        for (std::uint64_t i = 0; i < nx_; ++i)
            row[i] += static_cast<float>(f(xp[i], yp));
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
        value, [&](double y) { return std::abs(y - cy) <= halfH; },
        [&](double x, double) { return std::abs(x - cx) <= halfW; });
}

void PotentialField2D::addCircle(float centerX, float centerY, float radius, float value)
{
    requireFinite("addCircle", {{centerX, "centerX"}, {centerY, "centerY"}, {value, "value"}});
    requirePositive("addCircle", "radius", {radius});
    const double cx = centerX;
    const double cy = centerY;
    const double r2 = square(radius);
    assignWhere(
        value, [&](double y) { return square(y - cy) <= r2; },
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
    const double reach2 = square(static_cast<double>(thickness) * 0.5);
    assignWhere(
        value, [](double) { return true; },
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
        value, [&](double y) { return std::abs(y - cy) > halfSlit; },
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
        value, [&](double y) { return !(std::abs(y - lowerY) <= halfSlit || std::abs(y - upperY) <= halfSlit); },
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
    assignWhere(
        value, [](double) { return true; }, [&](double x, double y) { return pointInPolygon(x, y, vertices, count); });
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
    assignWhere(
        value, [](double) { return true; },
        [&](double x, double y) {
            const double ax = std::abs(x - cx);
            const double yp = y - cy;
            const bool inside = ax <= halfStraight ? std::abs(yp) <= r : square(ax - halfStraight) + yp * yp <= r2;
            return !inside;
        });
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
    addFunction(centerX, centerY,
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
    addFunction(centerX, centerY,
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
    addFunction(centerX, centerY, [&](double xp, double yp) { return (fx * xp + v0) + fy * yp; });
}

void PotentialField2D::addQuadrupole(float centerX, float centerY, float q1, float q2)
{
    requireFinite("addQuadrupole", {{centerX, "centerX"}, {centerY, "centerY"}, {q1, "q1"}, {q2, "q2"}});
    const double a = q1;
    const double b = q2;
    addFunction(centerX, centerY, [&](double xp, double yp) { return a * (xp * xp - yp * yp) + 2.0 * b * xp * yp; });
}

void PotentialField2D::addSoftenedRadial(float centerX, float centerY, float coupling, float softening)
{
    requireFinite("addSoftenedRadial", {{centerX, "centerX"}, {centerY, "centerY"}, {coupling, "coupling"}});
    requirePositive("addSoftenedRadial", "softening", {softening});
    // Coulomb-like coupling / r with the singularity smoothed over the
    // softening length.
    const double g = coupling;
    const double s2 = square(softening);
    addFunction(centerX, centerY, [&](double xp, double yp) { return g / std::sqrt(xp * xp + yp * yp + s2); });
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
        for (std::uint64_t j = 0; j < ny_; ++j)
            values_[j * nx_ + i] += v;
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
