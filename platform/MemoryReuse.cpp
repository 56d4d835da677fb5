#include "platform/MemoryReuse.h"

#include <cstdlib> // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kxplatform {

namespace {

// Largest block the heap serves while freed memory is kept; 0 while the C library's own
// setting holds.
int g_heapBlockLimit = 0;
// Jobs that asked for mapped blocks and have not ended.
int g_mappedJobs = 0;

} // namespace

bool KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks up to 256 MiB come from the heap rather than their own mapping, and up to
    // 512 MiB of free heap stays with the process.
    const bool mapped = mallopt(M_MMAP_THRESHOLD, 256 << 20) == 1;
    const bool trimmed = mallopt(M_TRIM_THRESHOLD, 512 << 20) == 1;
    if (mapped)
        g_heapBlockLimit = 256 << 20;
    return mapped && trimmed;
#else
    return false;
#endif
}

MappedLargeBlocks::MappedLargeBlocks()
{
#if defined(__GLIBC__)
    if (g_mappedJobs++ == 0 && g_heapBlockLimit > 0)
        mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

MappedLargeBlocks::~MappedLargeBlocks()
{
#if defined(__GLIBC__)
    if (--g_mappedJobs > 0)
        return;
    if (g_heapBlockLimit > 0)
        mallopt(M_MMAP_THRESHOLD, g_heapBlockLimit);
    malloc_trim(0);
#endif
}

} // namespace kxplatform
