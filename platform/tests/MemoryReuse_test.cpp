#include "platform/MemoryReuse.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The setting must really reach the C library: a silent no-op costs every large
// selection a fresh set of pages.
TEST(MemoryReuse, TakesEffectOnGlibc)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer replaces the allocator";
#elif defined(__GLIBC__)
    EXPECT_TRUE(kxplatform::KeepFreedMemoryForReuse());
#else
    EXPECT_FALSE(kxplatform::KeepFreedMemoryForReuse());
#endif
}
