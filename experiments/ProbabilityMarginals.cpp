#include "experiments/ProbabilityMarginals.h"

namespace vxo {

namespace {

double density(const Complex& v)
{
    const double re = v.real();
    const double im = v.imag();
    return re * re + im * im;
}

} // namespace

std::vector<float> probabilityMarginalX(const ComplexField2D& field)
{
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    if (field.empty())
        return {};
    std::vector<double> sums(nx, 0.0);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            sums[i] += density(field.at(i, j));
    const double dy = field.dy();
    std::vector<float> profile(nx);
    for (std::uint64_t i = 0; i < nx; ++i)
        profile[i] = static_cast<float>(sums[i] * dy);
    return profile;
}

std::vector<float> probabilityMarginalY(const ComplexField2D& field)
{
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    if (field.empty())
        return {};
    const double dx = field.dx();
    std::vector<float> profile(ny);
    for (std::uint64_t j = 0; j < ny; ++j) {
        double sum = 0.0;
        for (std::uint64_t i = 0; i < nx; ++i)
            sum += density(field.at(i, j));
        profile[j] = static_cast<float>(sum * dx);
    }
    return profile;
}

} // namespace vxo
