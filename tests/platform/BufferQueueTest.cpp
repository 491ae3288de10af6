#include "platform/BufferQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

/// Stereo frames whose left and right samples are both the given values.
std::vector<qint16> frames(std::initializer_list<int> values) {
    std::vector<qint16> out;
    for (int v : values) {
        out.push_back(qint16(v));
        out.push_back(qint16(v));
    }
    return out;
}

/// Runs one callback of n frames over output that holds garbage, as a real stream's would.
std::vector<qint16> fill(BufferQueue& queue, int n, double now = 0, double frameSeconds = 0.001) {
    std::vector<qint16> out(size_t(n) * 2, qint16(0x5555));
    queue.fill(out.data(), n, now, frameSeconds);
    return out;
}

TEST(BufferQueue, PlaysBuffersWholeInOrderAcrossCallbacksThenSilence) {
    BufferQueue queue;
    const auto a = frames({1, 2, 3});
    const auto b = frames({4, 5});
    ASSERT_TRUE(queue.push(a.data(), 3, 0));
    ASSERT_TRUE(queue.push(b.data(), 2, 0));
    EXPECT_EQ(fill(queue, 2), frames({1, 2}));
    EXPECT_EQ(fill(queue, 2), frames({3, 4}));
    EXPECT_EQ(fill(queue, 4), frames({5, 0, 0, 0}));
    EXPECT_EQ(fill(queue, 3), frames({0, 0, 0}));
}

TEST(BufferQueue, BufferQueuedDuringSilenceStartsAtTheNextCallback) {
    BufferQueue queue;
    const auto a = frames({7, 8});
    EXPECT_EQ(fill(queue, 2), frames({0, 0}));
    ASSERT_TRUE(queue.push(a.data(), 2, 0));
    EXPECT_EQ(fill(queue, 3), frames({7, 8, 0}));
}

TEST(BufferQueue, FullOrEmptyBuffersAreRefused) {
    BufferQueue queue;
    const auto a = frames({1});
    EXPECT_FALSE(queue.push(a.data(), 0, 0));
    EXPECT_FALSE(queue.push(a.data(), -4, 0));
    for (unsigned i = 0; i < BufferQueue::kCapacity; ++i)
        ASSERT_TRUE(queue.push(a.data(), 1, 0)) << i;
    EXPECT_FALSE(queue.push(a.data(), 1, 0));
    fill(queue, 1);
    EXPECT_TRUE(queue.push(a.data(), 1, 0));
}

// The ring's indices run on past its size many times over a long session.
TEST(BufferQueue, KeepsOrderAcrossManyWrapsOfTheRing) {
    BufferQueue queue;
    std::vector<std::vector<qint16>> buffers;
    for (int i = 0; i < 5; ++i)
        buffers.push_back(frames({i + 1}));
    for (int round = 0; round < 100; ++round) {
        for (const auto& buffer : buffers)
            ASSERT_TRUE(queue.push(buffer.data(), 1, 0));
        ASSERT_EQ(fill(queue, 6), frames({1, 2, 3, 4, 5, 0})) << round;
    }
}

TEST(BufferQueue, ClearDropsWhatWaitsAndWhatPlays) {
    BufferQueue queue;
    const auto a = frames({1, 2, 3});
    const auto b = frames({4});
    queue.push(a.data(), 3, 0);
    queue.push(b.data(), 1, 0);
    fill(queue, 1);
    queue.clear();
    EXPECT_EQ(fill(queue, 2), frames({0, 0}));
    ASSERT_TRUE(queue.push(b.data(), 1, 0));
    EXPECT_EQ(fill(queue, 2), frames({4, 0}));
}

TEST(BufferQueue, WaitRunsFromThePushToTheBuffersFirstFrame) {
    BufferQueue queue;
    EXPECT_LT(queue.lastWaitSeconds(), 0);
    const auto a = frames({1, 2, 3});
    const auto b = frames({4});
    queue.push(a.data(), 3, 10.000);
    queue.push(b.data(), 1, 10.001);
    // The callback at 10.004 starts a; the one at 10.006 plays a's last frame, then b.
    fill(queue, 2, 10.004);
    EXPECT_NEAR(queue.lastWaitSeconds(), 0.004, 1e-9);
    fill(queue, 2, 10.006);
    EXPECT_NEAR(queue.lastWaitSeconds(), 0.006, 1e-9);
}

TEST(BufferQueue, DrainedOnceEveryBufferHasEndedInTheOutput) {
    BufferQueue queue;
    EXPECT_TRUE(queue.drained(0));
    const auto a = frames({1, 2, 3});
    const auto b = frames({4});
    ASSERT_TRUE(queue.push(a.data(), 3, 0));
    EXPECT_FALSE(queue.drained(1e9)) << "nothing has played";
    fill(queue, 2, 10.000);
    EXPECT_FALSE(queue.drained(1e9)) << "a's last frame waits";
    // a's last frame is the first of the callback at 10.002 and ends a frame later.
    fill(queue, 2, 10.002);
    EXPECT_FALSE(queue.drained(10.0029));
    EXPECT_TRUE(queue.drained(10.0031));

    ASSERT_TRUE(queue.push(b.data(), 1, 10.004));
    EXPECT_FALSE(queue.drained(1e9));
    fill(queue, 3, 10.005);
    EXPECT_FALSE(queue.drained(10.0055));
    EXPECT_TRUE(queue.drained(10.0061));
}

TEST(BufferQueue, DrainedWaitsForTheLastOfSeveralBuffers) {
    BufferQueue queue;
    const auto a = frames({1});
    const auto b = frames({2, 3});
    queue.push(a.data(), 1, 0);
    queue.push(b.data(), 2, 0);
    fill(queue, 2, 1.0);
    EXPECT_FALSE(queue.drained(1e9)) << "a has ended, b has not";
    fill(queue, 2, 1.002);
    EXPECT_FALSE(queue.drained(1.0029));
    EXPECT_TRUE(queue.drained(1.0031));
}

TEST(BufferQueue, ClearLeavesNothingToDrain) {
    BufferQueue queue;
    const auto a = frames({1, 2, 3});
    queue.push(a.data(), 3, 0);
    queue.push(a.data(), 3, 0);
    fill(queue, 1, 5.0);
    queue.clear();
    EXPECT_TRUE(queue.drained(0)) << "the time of a buffer that played before the clear no longer counts";
    queue.push(a.data(), 3, 0);
    EXPECT_FALSE(queue.drained(1e9));
}

TEST(BufferQueue, DrainedKeepsCountAcrossManyWrapsOfTheRing) {
    BufferQueue queue;
    const auto a = frames({1, 2});
    double now = 0;
    for (int round = 0; round < 100; ++round) {
        for (unsigned i = 0; i < BufferQueue::kCapacity; ++i)
            ASSERT_TRUE(queue.push(a.data(), 2, now));
        fill(queue, int(BufferQueue::kCapacity), now);
        now += BufferQueue::kCapacity * 0.001;
        ASSERT_FALSE(queue.drained(1e9)) << round;
        fill(queue, int(BufferQueue::kCapacity) + 1, now);
        now += (BufferQueue::kCapacity + 1) * 0.001;
        ASSERT_TRUE(queue.drained(now)) << round;
    }
}

} // namespace
