#include "core/GaugeLinkField2D.h"

#include "core/GridKey2D.h"

#include <atomic>
#include <utility>

namespace vxo {

namespace {
std::atomic<std::uint64_t> nextStamp{1};
} // namespace

GaugeLinkField2D::GaugeLinkField2D(GaugeLinkField2D&& other) noexcept
    : nx_(other.nx_), ny_(other.ny_), dx_(other.dx_), dy_(other.dy_), linksX_(std::move(other.linksX_)),
      linksY_(std::move(other.linksY_)), stamp_(other.stamp_)
{
    other.clear();
}

GaugeLinkField2D& GaugeLinkField2D::operator=(GaugeLinkField2D&& other) noexcept
{
    if (this == &other)
        return *this;
    nx_ = other.nx_;
    ny_ = other.ny_;
    dx_ = other.dx_;
    dy_ = other.dy_;
    linksX_ = std::move(other.linksX_);
    linksY_ = std::move(other.linksY_);
    stamp_ = other.stamp_;
    other.clear();
    return *this;
}

void GaugeLinkField2D::resize(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
{
    AlignedVector<Complex> x(nx * ny, Complex(1.0f, 0.0f));
    AlignedVector<Complex> y(nx * ny, Complex(1.0f, 0.0f));
    nx_ = nx;
    ny_ = ny;
    dx_ = dx;
    dy_ = dy;
    linksX_.swap(x);
    linksY_.swap(y);
    stamp_ = 0;
}

void GaugeLinkField2D::clear()
{
    nx_ = 0;
    ny_ = 0;
    linksX_.clear();
    linksY_.clear();
    stamp_ = 0;
}

std::uint64_t GaugeLinkField2D::stamp() const
{
    if (stamp_ == 0)
        stamp_ = nextStamp.fetch_add(1, std::memory_order_relaxed);
    return stamp_;
}

bool GaugeLinkField2D::matches(const ComplexField2D& field) const
{
    return nx_ != 0 && ny_ != 0 && !linksX_.empty() && !linksY_.empty() && GridKey2D::of(*this).matches(field);
}

} // namespace vxo
