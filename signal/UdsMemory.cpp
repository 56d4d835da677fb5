#include "signal/UdsMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace kx {

bool FitsInMemory(std::uint64_t bytes)
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long page = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page <= 0)
        return true;
    return bytes / static_cast<std::uint64_t>(page) <= static_cast<std::uint64_t>(pages);
}

std::string TooLargeToReadText(const std::string &path, std::uint64_t points)
{
    return path + " is too large to read: its " + std::to_string(points) + " points do not fit in memory";
}

void PrefaultMemory(void *data, std::size_t bytes)
{
#if defined(__linux__)
    constexpr std::size_t kWorthIt = std::size_t{1} << 20;
    if (data == nullptr || bytes < kWorthIt) {
        return;
    }
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
    if (end <= begin) {
        return;
    }
    void *start = reinterpret_cast<void *>(begin);
    const std::size_t length = end - begin;
#if defined(MADV_HUGEPAGE)
    (void)::madvise(start, length, MADV_HUGEPAGE);
#endif
#if !defined(MADV_POPULATE_WRITE)
    constexpr int MADV_POPULATE_WRITE = 23; // Linux 5.14; older kernels refuse it harmlessly
#endif
    (void)::madvise(start, length, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace kx
