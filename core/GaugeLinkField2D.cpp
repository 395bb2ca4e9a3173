#include "core/GaugeLinkField2D.h"

#include "core/GridKey2D.h"

namespace vxo {

void GaugeLinkField2D::resize(std::uint64_t nx, std::uint64_t ny, float dx, float dy)
{
    std::vector<Complex> x(nx * ny, Complex(1.0f, 0.0f));
    std::vector<Complex> y(nx * ny, Complex(1.0f, 0.0f));
    nx_ = nx;
    ny_ = ny;
    dx_ = dx;
    dy_ = dy;
    linksX_.swap(x);
    linksY_.swap(y);
}

void GaugeLinkField2D::clear()
{
    nx_ = 0;
    ny_ = 0;
    linksX_.clear();
    linksY_.clear();
}

bool GaugeLinkField2D::matches(const ComplexField2D& field) const
{
    return nx_ != 0 && ny_ != 0 && !linksX_.empty() && !linksY_.empty() && GridKey2D::of(*this).matches(field);
}

} // namespace vxo
