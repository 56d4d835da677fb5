#include "platform/MemoryReuse.h"

#include <cstdlib> // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kxplatform {

bool KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks up to 256 MiB come from the heap rather than their own mapping, and up to
    // 512 MiB of free heap stays with the process.
    const bool mapped = mallopt(M_MMAP_THRESHOLD, 256 << 20) == 1;
    const bool trimmed = mallopt(M_TRIM_THRESHOLD, 512 << 20) == 1;
    return mapped && trimmed;
#else
    return false;
#endif
}

} // namespace kxplatform
