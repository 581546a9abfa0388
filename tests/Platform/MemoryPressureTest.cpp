#include "Tavro/Platform/MemoryPressure.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

using namespace tavro;

namespace {

// The anonymous memory this process holds (RssAnon), in KiB.
long residentAnonymousKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').first().toLong();
    }
    return -1;
}

TEST(MemoryPressureTest, FreedBlocksBetweenBlocksInUseLeaveTheProcess)
{
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

    const long before = residentAnonymousKiB();
    MemoryPressure::relieve();
    const long after = residentAnonymousKiB();
    for (void* block : blocks)
        std::free(block);
    EXPECT_GT(before - after, long(kBlocks * kBlockSize / 1024 / 2)) << before << " KiB, then " << after << " KiB";
}

} // namespace
