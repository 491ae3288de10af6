#include "platform/VirtualClock.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(VirtualClock, RunsScheduledActionsInOrderAtTheirTime) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    QList<qint64> seen;
    clock.at(t0 + 20, [&] { seen.append(clock.nowUs() - t0); });
    clock.at(t0 + 10, [&] { seen.append(clock.nowUs() - t0); });
    clock.at(t0 + 50, [&] { seen.append(clock.nowUs() - t0); });
    clock.pumpUntil(t0 + 30);
    EXPECT_EQ(seen, (QList<qint64>{10, 20}));
    EXPECT_EQ(clock.nowUs(), t0 + 30);
    clock.settle(t0 + 60);
    EXPECT_EQ(seen.size(), 2) << "settle dispatches nothing";
    clock.advanceMs(0);
    EXPECT_EQ(seen, (QList<qint64>{10, 20, 60}));
    EXPECT_EQ(clock.waitedUs(), 60);
}

TEST(VirtualClock, NeverGoesBack) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    clock.pumpUntil(t0 - 100);
    clock.settle(t0 - 100);
    EXPECT_EQ(clock.nowUs(), t0);
}

} // namespace
