#include "Tavro/Platform/MemoryPressure.h"
#include "tests/Support/ResidentMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

using namespace tavro;

namespace {

TEST(MemoryPressureTest, FreedBlocksBetweenBlocksInUseLeaveTheProcess)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator, not the C library's, holds this process's heap";
#endif
    // Small blocks come from the heap, not from mappings of their own. One block in use in every
    // 32 KiB keeps the freed ones apart, as a long-running process leaves its heap: the allocator
    // gives back only a free run at the heap's end, or one of 64 KiB and more, by itself.
    constexpr int kBlocks = 16384;
    constexpr int kKeptEvery = 64;
    constexpr size_t kBlockSize = 512;
    std::vector<void*> blocks;
    for (int i = 0; i < kBlocks; ++i) {
        blocks.push_back(std::malloc(kBlockSize));
        std::memset(blocks.back(), 1, kBlockSize);
    }
    for (int i = 0; i < kBlocks; ++i) {
        if (i % kKeptEvery != 0)
            std::free(std::exchange(blocks[i], nullptr));
    }

    const double before = test::heldAnonymousKiB();
    MemoryPressure::relieve();
    const double after = test::heldAnonymousKiB();
    for (void* block : blocks)
        std::free(block);
    EXPECT_GT(before - after, double(kBlocks * kBlockSize / 1024 / 2)) << before << " KiB, then " << after << " KiB";
}

} // namespace
