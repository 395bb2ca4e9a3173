#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace vxo {

// Allocator for std::vector whose storage starts on a cache-line boundary.
// The vector kernels load 16 or 32 bytes at a time; with the default
// allocator's 16-byte alignment, whether those loads straddle cache lines
// depended on where the heap happened to place a buffer, and so did the speed
// of the transforms from one run of the program to the next.
template <typename T, std::size_t Alignment = 64>
struct AlignedAllocator {
    using value_type = T;
    template <typename U>
    struct rebind {
        using other = AlignedAllocator<U, Alignment>;
    };

    AlignedAllocator() = default;
    template <typename U>
    AlignedAllocator(const AlignedAllocator<U, Alignment>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), std::align_val_t(Alignment))); }
    void deallocate(T* p, std::size_t) noexcept { ::operator delete(p, std::align_val_t(Alignment)); }

    template <typename U>
    bool operator==(const AlignedAllocator<U, Alignment>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const AlignedAllocator<U, Alignment>&) const noexcept
    {
        return false;
    }
};

template <typename T>
using AlignedVector = std::vector<T, AlignedAllocator<T>>;

} // namespace vxo
