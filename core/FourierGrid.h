#pragma once

// Wave numbers of the unshifted FFT order: index n of N stands for n when
// n <= N/2 (so the Nyquist index counts as positive) and for n - N otherwise,
// and the wave number of that index is k = 2 pi n' / (N d) on a grid of
// spacing d.
//
// The centred order lists the same bins by ascending frequency for display:
// position k holds bin (k + N/2) mod N, and there the Nyquist bin comes first,
// counted as negative (bin m stands for m when m < N/2, for m - N otherwise).

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

// FFT bin shown at position k of the centred order.
inline std::uint64_t fftCentredBin(std::uint64_t k, std::uint64_t count) { return (k + count / 2) % count; }

// Signed index of the bin at position k of the centred order (Nyquist negative).
inline double fftCentredSignedIndex(std::uint64_t k, std::uint64_t count)
{
    const std::uint64_t m = fftCentredBin(k, count);
    return m < count / 2 ? static_cast<double>(m) : static_cast<double>(m) - static_cast<double>(count);
}

} // namespace vxo
