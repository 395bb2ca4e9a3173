#include "core/GaugeLinkField2D.h"

#include "core/GridKey2D.h"

#include <atomic>

namespace vxo {

namespace {
std::atomic<std::uint64_t> nextStamp{1};
} // namespace

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
