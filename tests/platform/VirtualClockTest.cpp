#include "platform/VirtualClock.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QStringList>

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

TEST(VirtualClock, WaitsDispatchPostedEventsAtTheMomentTheyArePosted) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    QObject receiver;
    QList<qint64> handled;
    const auto post = [&] {
        QMetaObject::invokeMethod(
            &receiver, [&] { handled.append(clock.nowUs() - t0); }, Qt::QueuedConnection);
    };
    post();
    clock.at(t0 + 700, post);
    clock.pumpUntil(t0 + 1000);
    EXPECT_EQ(handled, (QList<qint64>{0, 700}));
    post();
    clock.settle(t0 + 2000);
    EXPECT_EQ(handled.size(), 2) << "settle dispatches nothing";
}

TEST(VirtualClock, TimersTickOnVirtualTimeAndNeverInsideTheirOwnHandler) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    QList<qint64> ticks;
    std::unique_ptr<ClockTimer> timer;
    timer = clock.createTimer([&] {
        ticks.append((clock.nowUs() - t0) / 1000);
        if (ticks.size() == 2)
            clock.pumpUntil(clock.nowUs() + 250'000); // a long handler that waits itself
        if (ticks.size() == 4)
            timer->stop();
    });
    EXPECT_FALSE(timer->isActive());
    timer->start(100);
    EXPECT_TRUE(timer->isActive());
    clock.advanceMs(1000);
    // The overdue tick comes once the handler is done, the next an interval after that one.
    EXPECT_EQ(ticks, (QList<qint64>{100, 200, 450, 550}));
    EXPECT_FALSE(timer->isActive());
}

TEST(VirtualClock, ActionsAndTicksRunInTimeOrder) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    QStringList seen;
    auto timer = clock.createTimer([&] { seen.append(QStringLiteral("tick %1").arg((clock.nowUs() - t0) / 1000)); });
    timer->start(100);
    clock.at(t0 + 150'000, [&] { seen.append(QStringLiteral("action 150")); });
    clock.advanceMs(250);
    EXPECT_EQ(seen, (QStringList{"tick 100", "action 150", "tick 200"}));
    timer.reset();
    clock.advanceMs(1000);
    EXPECT_EQ(seen.size(), 3) << "a destroyed timer is gone from the clock";
}

// Thread work stands for another thread: a handler that blocks without dispatching holds it up
// no more than a real blocked event loop would hold up a real thread.
TEST(VirtualClock, ThreadWorkRunsAtItsTimeEvenInsideABlockingHandlerAndNeverNests) {
    VirtualClock clock;
    const qint64 t0 = clock.nowUs();
    QStringList seen;
    const auto stamp = [&](const char* what) {
        seen.append(QStringLiteral("%1 %2").arg(what).arg((clock.nowUs() - t0) / 1000));
    };
    const auto atMs = [&](qint64 ms) {
        return t0 + ms * 1000;
    };
    clock.onThread(atMs(20), [&] {
        stamp("work");
        clock.settle(clock.nowUs() + 50'000); // slow work: the next piece waits for it
    });
    clock.onThread(atMs(30), [&] { stamp("work"); });
    clock.onThread(atMs(100), [&] { stamp("work"); });
    auto timer = clock.createTimer([&] { stamp("tick"); });
    timer->start(100);
    clock.at(atMs(10), [&] {
        stamp("handler");
        clock.settle(clock.nowUs() + 200'000); // blocks without dispatching
    });
    clock.pumpUntil(atMs(300));
    EXPECT_EQ(seen, (QStringList{"handler 10", "work 20", "work 70", "work 100", "tick 210"}));
}

} // namespace
