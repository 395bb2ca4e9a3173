#include "experiments/MomentumColumns.h"

#include "core/Numeric.h"

#include <algorithm>
#include <complex>

namespace vxo {

std::vector<double> momentumColumnProbabilities(const MomentumSpace2D& momentumSpace)
{
    const ComplexField2D& phi = momentumSpace.field;
    const double dpx = phi.dx();
    const double dpy = phi.dy();
    if (phi.empty() || momentumSpace.pxAxis.size() != phi.nx() || momentumSpace.pyAxis.empty() || !(dpx > 0.0) ||
        !(dpy > 0.0))
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

bool momentumColumnDistribution(const std::vector<double>& columns, double& total, std::vector<float>& distribution)
{
    total = 0.0;
    for (double c : columns)
        total += c;
    distribution.resize(columns.size());
    const bool normalised = total > 0.0 && isFinite(total);
    std::transform(columns.begin(), columns.end(), distribution.begin(),
                   [&](double c) { return static_cast<float>(normalised ? c / total : c); });
    return normalised;
}

} // namespace vxo
