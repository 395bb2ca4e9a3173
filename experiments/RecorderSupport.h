#pragma once

// Shared pieces of the bounded experiment recorders (and the observable history):
// a series keeps at most `capacity` samples, oldest first; after each append the
// oldest samples beyond the capacity are dropped from the front.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vxo {

// Erases the oldest size - capacity elements from the front, keeping the order of the rest.
template <typename T>
void trimToCapacity(std::vector<T>& samples, std::size_t capacity)
{
    if (samples.size() > capacity)
        samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(samples.size() - capacity));
}

// Appends the sample (moved in when the caller gives it up) and then trims to the capacity.
template <typename T>
void appendBounded(std::vector<T>& samples, T sample, std::size_t capacity)
{
    samples.push_back(std::move(sample));
    trimToCapacity(samples, capacity);
}

// Steps between two records of a recorder that keeps `capacity` samples and
// records from t = 0 every `baseStride` steps of `dt` up to `endTime`: the
// base stride, or the least multiple of it at which the whole window, its
// sample at t = 0 included, fits the capacity. A long window then keeps its
// start instead of dropping it for its end.
inline std::uint64_t windowStride(std::uint64_t baseStride, double endTime, double dt, std::uint64_t capacity)
{
    const std::uint64_t base = std::max<std::uint64_t>(baseStride, 1);
    if (!(dt > 0.0) || !(endTime > 0.0) || capacity < 2)
        return base;
    const double steps = std::floor(endTime / dt + 1e-9);
    const double multiple = std::ceil(steps / (static_cast<double>(base) * static_cast<double>(capacity - 1)) - 1e-9);
    return base * static_cast<std::uint64_t>(std::max(multiple, 1.0));
}

// The configured flag of a recorder that keeps one (read through its
// isConfigured() accessor); plots use it to decide whether to draw.
template <typename Recorder>
bool recorderIsConfigured(const Recorder& recorder)
{
    return recorder.isConfigured();
}

} // namespace vxo
