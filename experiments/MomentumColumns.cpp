#include "experiments/MomentumColumns.h"

#include <complex>

namespace vxo {

std::vector<double> momentumColumnProbabilities(const MomentumSpace2D& momentumSpace)
{
    const ComplexField2D& phi = momentumSpace.field;
    const double dpx = phi.dx();
    const double dpy = phi.dy();
    if (phi.empty() || momentumSpace.pxAxis.size() != phi.nx() || momentumSpace.pyAxis.empty() || !(dpx > 0.0)
        || !(dpy > 0.0))
        return {};
    const std::uint64_t nx = phi.nx();
    std::vector<double> columns(nx, 0.0);
    for (std::uint64_t j = 0; j < phi.ny(); ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            columns[i] += std::norm(std::complex<double>(phi.at(i, j)));
    for (double& c : columns)
        c *= dpx * dpy;
    return columns;
}

} // namespace vxo
