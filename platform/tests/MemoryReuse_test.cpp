#include "platform/MemoryReuse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include <unistd.h>

#if !defined(__SANITIZE_ADDRESS__) && defined(__GLIBC__)
namespace {

// Resident size of this process in bytes.
long Resident()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

constexpr std::size_t kBlock = 4u << 20;
constexpr long kMiB = 1 << 20;

// Allocates count blocks of 4 MiB, touches every page and frees them again.
void UseBlocks(int count, long &peak)
{
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < count; ++i) {
        blocks.emplace_back(new char[kBlock]);
        std::memset(blocks.back().get(), i + 1, kBlock);
    }
    volatile char sum = 0;
    for (const auto &block : blocks)
        sum = char(sum + block[kBlock - 1]);
    peak = Resident();
}

} // namespace
#endif

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

// A job's large blocks leave the process when it ends, nested jobs included; afterwards
// freed memory is kept for reuse again.
TEST(MemoryReuse, AJobGivesItsLargeBlocksBack)
{
#if defined(__SANITIZE_ADDRESS__) || !defined(__GLIBC__)
    GTEST_SKIP() << "needs the C library's own allocator";
#else
    ASSERT_TRUE(kxplatform::KeepFreedMemoryForReuse());
    const long before = Resident();
    long peak = 0;
    {
        const kxplatform::MappedLargeBlocks job;
        {
            const kxplatform::MappedLargeBlocks inner;
        }
        UseBlocks(32, peak);
    }
    EXPECT_GT(peak, before + 100 * kMiB);
    EXPECT_LT(Resident(), before + 16 * kMiB);

    UseBlocks(16, peak);
    EXPECT_GT(Resident(), before + 48 * kMiB);
#endif
}
