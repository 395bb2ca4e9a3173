#pragma once

// Wave numbers of the unshifted FFT order: index n of N stands for n when
// n <= N/2 (so the Nyquist index counts as positive) and for n - N otherwise,
// and the wave number of that index is k = 2 pi n' / (N d) on a grid of
// spacing d.

#include "core/Numeric.h"

#include <cstdint>

namespace vxo {

// Signed FFT index n' of index n on an axis of count cells.
inline double fftSignedIndex(std::uint64_t n, std::uint64_t count)
{
    return n <= count / 2 ? static_cast<double>(n) : static_cast<double>(n) - static_cast<double>(count);
}

// k = 2 pi n' / (count spacing).
inline double fftWaveNumber(std::uint64_t n, std::uint64_t count, double spacing)
{
    return 2.0 * kPi * fftSignedIndex(n, count) / (static_cast<double>(count) * spacing);
}

} // namespace vxo
