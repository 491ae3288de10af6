#include "keyer/EdgeQueue.h"
#include "keyer/Sidetone.h"
#include "keyer/ThreadKeyingEngine.h"
#include "platform/EventLoopClock.h"
#include "platform/RecordingSerialPort.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using Line = KeyingEdge::Line;

KeyingEdge key(qint64 dueUs, bool on) {
    return {dueUs, Line::Key, 1, on, on ? 1 : 0};
}

QStringList describe(EdgeQueue& queue) {
    QStringList out;
    while (!queue.empty()) {
        const auto edge = queue.takeDue(queue.frontDueUs());
        out << QStringLiteral("%1%2@%3")
                   .arg(edge->line == Line::Key ? 'K' : 'P')
                   .arg(edge->on ? '+' : '-')
                   .arg(edge->dueUs);
    }
    return out;
}

TEST(EdgeQueue, CancelKeepsTheEndOfTheMarkOnTheAirAndThePtt) {
    struct Case {
        const char* name;
        int taken; ///< edges made before the cancel
        QStringList left;
    };
    const Case cases[] = {{"during a mark", 2, {"K-@200", "P-@500"}}, {"in a gap", 3, {"P-@500"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EdgeQueue queue;
        queue.push({0, Line::Ptt, 2, true, 0});
        for (qint64 at : {100, 200, 250, 300, 350, 400})
            queue.push(key(at, at == 100 || at == 250 || at == 350));
        queue.push({500, Line::Ptt, 2, false, 0});
        for (int i = 0; i < c.taken; ++i)
            ASSERT_TRUE(queue.takeDue(queue.frontDueUs()));
        queue.cancel();
        EXPECT_EQ(describe(queue), c.left);
    }
}

TEST(EdgeQueue, AnEdgeLateByLessThanItsElementMovesAloneOneLaterMovesTheRest) {
    const struct {
        qint64 takenAtUs;
        QStringList rest;
    } cases[] = {{1000 + 59'000, {"K-@60000", "K+@120000"}}, {1000 + 61'000, {"K-@121000", "K+@181000"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.takenAtUs);
        EdgeQueue queue;
        queue.push(key(1000, true));
        queue.push(key(60'000, false));
        queue.push(key(120'000, true));
        const auto first = queue.takeDue(c.takenAtUs);
        ASSERT_TRUE(first);
        EXPECT_EQ(first->dueUs, 1000);
        EXPECT_EQ(describe(queue), c.rest);
    }
    EdgeQueue queue;
    queue.push(key(1000, true));
    EXPECT_FALSE(queue.takeDue(999)) << "nothing before it is due";
}

class CountingTone : public SidetoneOutput {
public:
    void SidetoneStart(int units) override { starts += units; }
    std::atomic<int> starts{0};
};

// On its own thread and the real clock; what is checked is which edges were made, never when.
class ThreadKeyingEngineTest : public ::testing::Test {
protected:
    ThreadKeyingEngineTest() { port.open(1); }
    /// Lets every edge due by atUs be made.
    void runUntil(qint64 atUs) {
        clock.settle(atUs);
        engine.finishDue();
    }
    QStringList dtr() const {
        QStringList out;
        for (const auto& c : port.changes())
            out << (c.on ? "+" : "-");
        return out;
    }

    EventLoopClock clock;
    RecordingSerialPort port{clock};
    CountingTone tone;
    ThreadKeyingEngine engine{clock, port, tone};
};

TEST_F(ThreadKeyingEngineTest, MakesEveryEdgeInOrderWithItsTone) {
    const qint64 t0 = clock.nowUs() + 5000;
    for (int i = 0; i < 6; ++i)
        engine.schedule(key(t0 + i * 3000, i % 2 == 0));
    runUntil(t0 + 5 * 3000);
    EXPECT_EQ(dtr(), (QStringList{"+", "-", "+", "-", "+", "-"}));
    EXPECT_EQ(tone.starts, 3);
    EXPECT_FALSE(engine.failed());
}

TEST_F(ThreadKeyingEngineTest, CancelStartsNoFurtherMark) {
    const qint64 t0 = clock.nowUs() + 200'000;
    for (int i = 0; i < 4; ++i)
        engine.schedule(key(t0 + i * 1000, i % 2 == 0));
    engine.cancel();
    runUntil(t0 + 3000);
    EXPECT_TRUE(port.changes().isEmpty());
}

TEST_F(ThreadKeyingEngineTest, AFailedLineChangeStopsTheRestAndIsReported) {
    const qint64 t0 = clock.nowUs() + 5000;
    port.failLineChanges(true);
    for (int i = 0; i < 4; ++i)
        engine.schedule(key(t0 + i * 1000, i % 2 == 0));
    runUntil(t0 + 3000);
    EXPECT_TRUE(engine.failed());
    EXPECT_EQ(tone.starts, 0) << "no tone for a mark that did not go out";
    port.failLineChanges(false);
    runUntil(t0 + 4000);
    EXPECT_TRUE(port.changes().isEmpty()) << "nothing queued was made after the failure";
    engine.clearFailure();
    EXPECT_FALSE(engine.failed());
}

} // namespace
