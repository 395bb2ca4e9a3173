#pragma once

// Sums over the cells of a field, taken on four interleaved partial sums:
// the terms of cell c go to partial c mod 4, and each sum is closed as
// (p0 + p1) + (p2 + p3). One running sum makes every addition wait for the
// one before (the latency of an addition per cell); four independent ones let
// the processor add side by side. The order is fixed by the cells alone, so a
// sum taken by two callers over the same cells has the same bits.

#include <array>
#include <cstddef>

namespace vxo {

// The N sums of terms(c) over c in [0, count): terms(c) returns the cell's N
// terms as std::array<double, N>.
template <std::size_t N, class Terms>
std::array<double, N> interleavedSums(std::size_t count, Terms&& terms)
{
    constexpr std::size_t kLanes = 4;
    std::array<std::array<double, kLanes>, N> partial{};
    std::size_t c = 0;
    for (; c + kLanes <= count; c += kLanes) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            const std::array<double, N> t = terms(c + lane);
            for (std::size_t n = 0; n < N; ++n)
                partial[n][lane] += t[n];
        }
    }
    for (; c < count; ++c) {
        const std::array<double, N> t = terms(c);
        for (std::size_t n = 0; n < N; ++n)
            partial[n][c % kLanes] += t[n];
    }
    std::array<double, N> total{};
    for (std::size_t n = 0; n < N; ++n)
        total[n] = (partial[n][0] + partial[n][1]) + (partial[n][2] + partial[n][3]);
    return total;
}

} // namespace vxo
