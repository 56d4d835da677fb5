#pragma once
// Large buffers of the UDS-1992 reader and writer: their pages are faulted in
// with one call (and as huge pages where the system allows) instead of one
// page fault per 4 KiB on first touch.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kx {

// Asks the system to back [data, data + bytes) with memory now. Small ranges
// and systems without the facility are left alone; it never fails.
void PrefaultMemory(void *data, std::size_t bytes);

// False when bytes exceed the machine's physical memory (a read of that size would fail
// or push the system into swap and out-of-memory kills).
bool FitsInMemory(std::uint64_t bytes);
// "<path> is too large to read: its <points> points do not fit in memory".
std::string TooLargeToReadText(const std::string &path, std::uint64_t points);

// std::allocator that prefaults what it allocates.
template <typename T>
struct PrefaultAllocator {
    using value_type = T;
    PrefaultAllocator() = default;
    template <typename U>
    PrefaultAllocator(const PrefaultAllocator<U> &)
    {}
    T *allocate(std::size_t n)
    {
        T *p = std::allocator<T>().allocate(n);
        PrefaultMemory(p, n * sizeof(T));
        return p;
    }
    void deallocate(T *p, std::size_t n) { std::allocator<T>().deallocate(p, n); }
    template <typename U>
    bool operator==(const PrefaultAllocator<U> &) const
    {
        return true;
    }
};

} // namespace kx
