#include "core/CrossSectionProfile.h"

#include "core/Numeric.h"

#include <cmath>

namespace vxo {

void CrossSectionProfile::append(Complex value, double at)
{
    const double re = value.real();
    const double im = value.imag();
    coordinate.push_back(at);
    density.push_back(re * re + im * im);
    real.push_back(re);
    imaginary.push_back(im);
    phase.push_back(std::atan2(im, re));
}

void CrossSectionProfile::reserve(std::size_t count)
{
    coordinate.reserve(count);
    density.reserve(count);
    real.reserve(count);
    imaginary.reserve(count);
    phase.reserve(count);
}

std::int64_t crossSectionIndex(double coordinate, std::uint64_t count, double spacing)
{
    if (count == 0 || !(spacing > 0.0))
        return 0;
    return static_cast<std::int64_t>(nearestCellIndex(coordinate, count, spacing, 0, count - 1));
}

CrossSectionProfile extractCrossSection(const ComplexField2D& psi, std::uint32_t axis, double coordinate)
{
    CrossSectionProfile profile;
    profile.axis = axis;
    profile.requestedCoordinate = coordinate;
    if (psi.empty() || psi.nx() == 0 || psi.ny() == 0 || !isFinite(coordinate))
        return profile;

    if (axis != 0) {
        const auto i = static_cast<std::uint64_t>(crossSectionIndex(coordinate, psi.nx(), psi.dx()));
        profile.snappedCoordinate = gridCoordinateX(psi, i);
        profile.reserve(psi.ny());
        for (std::uint64_t j = 0; j < psi.ny(); ++j)
            profile.append(psi.at(i, j), gridCoordinateY(psi, j));
    } else {
        const auto j = static_cast<std::uint64_t>(crossSectionIndex(coordinate, psi.ny(), psi.dy()));
        profile.snappedCoordinate = gridCoordinateY(psi, j);
        profile.reserve(psi.nx());
        for (std::uint64_t i = 0; i < psi.nx(); ++i)
            profile.append(psi.at(i, j), gridCoordinateX(psi, i));
    }
    return profile;
}

} // namespace vxo
