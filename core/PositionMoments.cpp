#include "core/PositionMoments.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

PositionMoments computePositionMoments(const ComplexField2D& field)
{
    PositionMoments result;
    if (field.empty())
        return result;
    const double area = static_cast<double>(field.dy()) * static_cast<double>(field.dx());

    // Column centres once per call rather than once per cell and pass.
    std::vector<double> columnX(field.nx());
    for (std::uint64_t i = 0; i < field.nx(); ++i)
        columnX[i] = gridCoordinateX(field, i);

    double norm = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double p = cellProbability(field.at(i, j), area);
            norm += p;
            sumX += p * columnX[i];
            sumY += p * y;
        }
    }
    result.norm = norm;
    if (!isFinitePositive(norm))
        return result;
    result.meanX = sumX / norm;
    result.meanY = sumY / norm;

    // Second pass about the mean, which avoids the cancellation of <x^2> - <x>^2.
    double varX = 0.0;
    double varY = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double ry = gridCoordinateY(field, j) - result.meanY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double p = cellProbability(field.at(i, j), area);
            const double rx = columnX[i] - result.meanX;
            varX += p * (rx * rx);
            varY += p * (ry * ry);
        }
    }
    // std::max(NaN, 0) would keep the NaN; a NaN quotient must give 0.
    const double qx = varX / norm;
    const double qy = varY / norm;
    result.sigmaX = qx > 0.0 ? std::sqrt(qx) : 0.0;
    result.sigmaY = qy > 0.0 ? std::sqrt(qy) : 0.0;
    return result;
}

} // namespace vxo
