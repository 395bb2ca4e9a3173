#include "core/SoftenedRadialRows.h"

#include <cmath>
#include <limits>

namespace vxo::radial {

int sumRowPortable(const float* row, const double* xp, double yp, double g, double s2, std::size_t count, float* sum)
{
    constexpr float largest = std::numeric_limits<float>::max();
    int beyond = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum[i] = row[i] + static_cast<float>(g / std::sqrt(xp[i] * xp[i] + yp * yp + s2));
        beyond |= !(std::fabs(sum[i]) <= largest);
    }
    return beyond;
}

int sumRow(fft2d::KernelSet path, const float* row, const double* xp, double yp, double g, double s2, std::size_t count,
           float* sum)
{
#if defined(__x86_64__)
    if (path == fft2d::KernelSet::Avx2)
        return sumRowAvx2(row, xp, yp, g, s2, count, sum);
#endif
    (void)path;
    return sumRowPortable(row, xp, yp, g, s2, count, sum);
}

} // namespace vxo::radial
