#include "link/ViewReading.h"

#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

constexpr qint64 kAnswerMs = 5;

/// The reading against a companion that answers each "GET" 5 ms after it was asked.
class ViewReadingTest : public ::testing::Test {
protected:
    ViewReadingTest()
        : startUs(clock.nowUs()), reading(clock, {[this](int string) { asked(string); },
                                                  [this](bool enabled) {
                                                      gets.append(enabled);
                                                  }}) {}

    qint64 nowMs() const { return (clock.nowUs() - startUs) / 1000; }

    /// The first `strings` asks of rounds of 1 .. 13 one after the other.
    static QList<int> Rounds(int strings) {
        QList<int> expected;
        for (int i = 0; i < strings; ++i)
            expected.append(i % 13 + 1);
        return expected;
    }

    VirtualClock clock;
    const qint64 startUs;
    QList<int> asks;
    QList<qint64> askedAtMs;
    QList<bool> gets;    ///< every enabling of "Get", in order
    int unanswered = 0;  ///< the string the companion does not answer
    ViewReading reading; ///< last, since its actions use the members above

private:
    void asked(int string) {
        asks.append(string);
        askedAtMs.append(nowMs());
        if (string != unanswered)
            clock.at(clock.nowUs() + kAnswerMs * 1000, [this, string] { reading.answered(string); });
    }
};

TEST_F(ViewReadingTest, ARoundAsksEveryStringOnceInOrderThenEnablesGet) {
    reading.start();
    EXPECT_EQ(gets, QList<bool>({false}));
    EXPECT_TRUE(reading.timerRunning());
    EXPECT_TRUE(asks.isEmpty());

    clock.advanceMs(1000);
    EXPECT_EQ(asks, Rounds(13));
    // String 1 a millisecond after the start, each next one as the one before is answered.
    for (int i = 0; i < askedAtMs.size(); ++i)
        EXPECT_EQ(askedAtMs[i], 1 + kAnswerMs * i) << "string " << i + 1;
    EXPECT_EQ(gets, QList<bool>({false, true}));
    EXPECT_FALSE(reading.timerRunning());
}

TEST_F(ViewReadingTest, WithLoopTheNextRoundStarts300MsAfterString13) {
    reading.setLoop(true);
    EXPECT_TRUE(reading.loop());
    EXPECT_EQ(gets, QList<bool>({false}));
    const qint64 lastAnswerMs = 1 + kAnswerMs * 13;

    clock.advanceMs(lastAnswerMs);
    EXPECT_EQ(asks, Rounds(13));
    EXPECT_TRUE(reading.timerRunning());
    clock.advanceMs(299);
    EXPECT_EQ(asks.size(), 13);
    clock.advanceMs(1);
    EXPECT_EQ(asks, Rounds(14));
    EXPECT_EQ(askedAtMs.last(), lastAnswerMs + 300);

    // And so on without end, "Get" disabled all along.
    clock.advanceMs(10 * (300 + lastAnswerMs));
    ASSERT_GT(asks.size(), 13 * 10);
    EXPECT_EQ(asks, Rounds(int(asks.size())));
    EXPECT_EQ(gets, QList<bool>({false}));
}

TEST_F(ViewReadingTest, AMissingAnswerStopsTheRoundUntilLoopIsChecked) {
    unanswered = 5;
    reading.start();
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(5));
    EXPECT_EQ(gets, QList<bool>({false}));
    EXPECT_FALSE(reading.timerRunning());

    unanswered = 0;
    reading.setLoop(true);
    clock.advanceMs(1 + kAnswerMs * 13);
    EXPECT_EQ(asks.mid(5), Rounds(13));
    EXPECT_EQ(gets, QList<bool>({false, false}));
}

TEST_F(ViewReadingTest, AMissingAnswerInALoopKeepsGetDisabledUntilLoopIsUnchecked) {
    unanswered = 9;
    reading.setLoop(true);
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(9));
    EXPECT_EQ(gets, QList<bool>({false}));

    reading.setLoop(false);
    EXPECT_EQ(gets, QList<bool>({false, true}));
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(9));
}

TEST_F(ViewReadingTest, UncheckingLoopMidRoundLetsTheRoundFinishAndStartsNoOther) {
    reading.setLoop(true);
    clock.advanceMs(1 + kAnswerMs * 4);
    ASSERT_EQ(asks, Rounds(5));

    reading.setLoop(false);
    EXPECT_FALSE(reading.loop());
    EXPECT_EQ(gets, QList<bool>({false, true}));
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(13));
    EXPECT_EQ(gets, QList<bool>({false, true, true}));
    EXPECT_FALSE(reading.timerRunning());
}

TEST_F(ViewReadingTest, UncheckingLoopBetweenRoundsCancelsTheNextOne) {
    reading.setLoop(true);
    clock.advanceMs(1 + kAnswerMs * 13 + 100);
    ASSERT_TRUE(reading.timerRunning());

    reading.setLoop(false);
    EXPECT_FALSE(reading.timerRunning());
    EXPECT_EQ(gets, QList<bool>({false, true}));
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(13));
}

TEST_F(ViewReadingTest, StopEndsTheReading) {
    // Before string 1 is asked for, and in the pause between two rounds.
    reading.start();
    reading.stop();
    EXPECT_FALSE(reading.timerRunning());
    clock.advanceMs(1000);
    EXPECT_TRUE(asks.isEmpty());

    reading.setLoop(true);
    clock.advanceMs(1 + kAnswerMs * 13 + 100);
    ASSERT_EQ(asks, Rounds(13));
    reading.stop();
    EXPECT_FALSE(reading.timerRunning());
    clock.advanceMs(10'000);
    EXPECT_EQ(asks, Rounds(13));
}

TEST_F(ViewReadingTest, StartingAgainDoesNotHurryARoundThatIsDue) {
    reading.start();
    reading.start();
    reading.setLoop(true);
    clock.advanceMs(1 + kAnswerMs * 13 + 100);
    EXPECT_EQ(asks, Rounds(13));

    // An item list arriving in the pause.
    reading.start();
    clock.advanceMs(199);
    EXPECT_EQ(asks.size(), 13);
    clock.advanceMs(1);
    EXPECT_EQ(asks, Rounds(14));
}

TEST_F(ViewReadingTest, AnAnswerBeyondString13EndsTheRoundAsString13Does) {
    reading.answered(14);
    EXPECT_EQ(gets, QList<bool>({true}));
    EXPECT_FALSE(reading.timerRunning());

    reading.setLoop(true);
    reading.stop();
    reading.answered(99);
    EXPECT_TRUE(reading.timerRunning());
    clock.advanceMs(299);
    EXPECT_TRUE(asks.isEmpty());
    clock.advanceMs(1);
    EXPECT_EQ(asks, Rounds(1));
}

TEST_F(ViewReadingTest, AnAnswerForNoStringDoesNothing) {
    for (const bool loop : {false, true}) {
        SCOPED_TRACE(loop);
        reading.setLoop(loop);
        reading.stop();
        gets.clear();
        for (const int string : {0, -1})
            reading.answered(string);
        EXPECT_TRUE(gets.isEmpty());
        EXPECT_FALSE(reading.timerRunning());
    }
    clock.advanceMs(1000);
    EXPECT_TRUE(asks.isEmpty());
}

} // namespace
