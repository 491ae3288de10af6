#include "platform/EventLoopClock.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Only what holds on any machine: a wait never ends early and the event loop runs during it.
TEST(EventLoopClock, AWaitDispatchesEventsAndTicksTimersAndNeverEndsEarly) {
    EventLoopClock clock;
    int fired = 0;
    int ticks = 0;
    QTimer::singleShot(5, [&] { ++fired; });
    auto timer = clock.createTimer([&] { ++ticks; });
    timer->start(5);
    const qint64 start = clock.nowUs();
    clock.pumpUntil(start + 30'000);
    clock.settle(start + 30'000);
    EXPECT_GE(clock.nowUs() - start, 30'000);
    EXPECT_EQ(fired, 1);
    EXPECT_GE(ticks, 1);
    timer->stop();
    EXPECT_FALSE(timer->isActive());
}

TEST(EventLoopClock, SettleReachesTheDeadlineAndPastDeadlinesReturnAtOnce) {
    EventLoopClock clock;
    const qint64 deadline = clock.nowUs() + 3'000;
    clock.pumpUntil(deadline);
    clock.settle(deadline);
    EXPECT_GE(clock.nowUs(), deadline);
    const qint64 before = clock.nowUs();
    clock.pumpUntil(before - 1'000'000);
    clock.settle(before - 1'000'000);
    EXPECT_LT(clock.nowUs() - before, 1'000'000);
}

} // namespace
