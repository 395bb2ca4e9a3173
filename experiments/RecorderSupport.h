#pragma once

// Shared pieces of the bounded experiment recorders (and the observable history):
// a series keeps at most `capacity` samples, oldest first; after each append the
// oldest samples beyond the capacity are dropped from the front.

#include <cstddef>
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

// The configured flag of a recorder that keeps one (read through its
// isConfigured() accessor); plots use it to decide whether to draw.
template <typename Recorder>
bool recorderIsConfigured(const Recorder& recorder)
{
    return recorder.isConfigured();
}

} // namespace vxo
