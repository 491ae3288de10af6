#include "voice/VoiceCq.h"

#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/VirtualKeyingEngine.h"
#include "platform/EventLoopClock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingAudioOut.h"
#include "platform/RecordingSerialPort.h"
#include "platform/VirtualClock.h"
#include "settings/Settings.h"
#include "voice/VoicePlayer.h"

#include <QFile>
#include <QTemporaryDir>

#include "voice/WaveBytes.h"

#include <gtest/gtest.h>

namespace {

class RecordingHost : public VoiceCqHost {
public:
    void showRunning(bool running) override { events << (running ? "running" : "idle"); }
    void showTransmitting(bool on) override { transmitting = on; }
    void showEnd(bool shown) override {
        if (shown && !endShown)
            events << "End";
        endShown = shown;
    }
    void setBarText(Bar bar, const QString& text) override { texts[int(bar)] = text; }
    void setBarRange(Bar bar, int maximum) override { ranges[int(bar)] = maximum; }
    void setBarValue(Bar, int) override {}
    QRect stopIconScreenRect() const override { return QRect(100, 100, 16, 16); }
    void cannotPlay(const QString& message) override { events << "cannot play: " + message; }

    QStringList events;
    QString texts[3];
    int ranges[3] = {};
    bool transmitting = false;
    bool endShown = false;
};

/// The voice CQ on the virtual clock: KEY on DTR, PTT on RTS with a 50 ms lead, CQ_Sec 6.
class VoiceCqTest : public ::testing::Test {
protected:
    VoiceCqTest() {
        settings.SIG = 1;
        settings.SIG_STANDBY = 2;
        settings.DELAY = 5;
        settings.CQ_Sec = 6;
        settings.CQ_Limit = 10;
    }

    /// The periods of one line between its changes: "+2500" up 2500 ms, "-5700" down.
    QStringList periods(RecordingSerialPort::Line line) const {
        QStringList out;
        bool level = false;
        qint64 since = -1;
        for (const auto& c : port.changes()) {
            if (c.line != line || c.on == level)
                continue;
            if (since >= 0)
                out << QStringLiteral("%1%2").arg(level ? '+' : '-').arg((c.atUs - since) / 1000);
            level = c.on;
            since = c.atUs;
        }
        return out;
    }
    /// Moments (ms from the start) the line went up.
    QList<qint64> rises(RecordingSerialPort::Line line) const {
        QList<qint64> out;
        bool level = false;
        for (const auto& c : port.changes()) {
            if (c.line == line && c.on != level && c.on)
                out << (c.atUs - startUs) / 1000;
            if (c.line == line)
                level = c.on;
        }
        return out;
    }
    void run(int ms, int on, int off, bool repeat) {
        startUs = clock.nowUs();
        cq.run(WriteWave(dir, ms), ms, on, off, repeat);
    }
    void pressAt(qint64 ms, int key, bool down) {
        clock.at(startUs + ms * 1000, [this, key, down] { keys.setKeyDown(key, down); });
    }

    QTemporaryDir dir;
    Settings settings;
    VirtualClock clock;
    ManualKeyState keys;
    RecordingSerialPort port{clock};
    RecordingMessageBoxes boxes;
    KeyingLines lines{port, settings, boxes};
    RecordingAudioOut audio;
    SidetoneGenerator sidetone{audio, settings, ToneShape{}, -1};
    VirtualKeyingEngine engine{clock, port, sidetone};
    VoicePlayer player{audio, -1};
    RecordingHost host;
    VoiceCq cq{settings, host, {clock, keys, lines, engine, player}};
    qint64 startUs = 0;
};

TEST_F(VoiceCqTest, AThreeSecondFileWithItsCutsKeysTwoAndAHalfSeconds) {
    run(3000, 3, 2, false);
    EXPECT_EQ(host.texts[int(VoiceCqHost::Bar::Transmit)], QStringLiteral("TX ( 2.500 Sec )"));
    EXPECT_EQ(host.texts[int(VoiceCqHost::Bar::Watch)], QStringLiteral("Watch ( 6 - 0.3 Sec )"));
    EXPECT_EQ(host.ranges[int(VoiceCqHost::Bar::Watch)], 5700);
    EXPECT_EQ(host.texts[int(VoiceCqHost::Bar::Count)], QStringLiteral("Count (  1 / 1  Times )"));
    EXPECT_EQ(rises(RecordingSerialPort::Line::Rts), QList<qint64>{300}) << "PTT once the on cut has played";
    EXPECT_EQ(rises(RecordingSerialPort::Line::Dtr), QList<qint64>{350}) << "KEY the PTT lead later";
    EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), QStringList{"+2500"});
    EXPECT_EQ(periods(RecordingSerialPort::Line::Rts), QStringList{"+2550"});
    EXPECT_FALSE(port.dtr());
    EXPECT_FALSE(port.rts());
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(host.events, (QStringList{"running", "idle"}));
}

TEST_F(VoiceCqTest, CutsThatLeaveNothingDoNothing) {
    run(500, 3, 2, false);
    EXPECT_TRUE(port.changes().isEmpty());
    EXPECT_TRUE(audio.calls().isEmpty());
    EXPECT_TRUE(host.events.isEmpty());
}

TEST_F(VoiceCqTest, RepeatCallsCqLimitTimesWithTheWatchPauseBetween) {
    settings.CQ_Limit = 3;
    run(3000, 3, 2, true);
    EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), (QStringList{"+2500", "-6050", "+2500", "-6050", "+2500"}))
        << "5700 ms watch, 300 ms on cut, 50 ms lead";
    EXPECT_EQ(host.texts[int(VoiceCqHost::Bar::Count)], QStringLiteral("Count (  3 / 3  Times )"));
}

TEST_F(VoiceCqTest, CtrlAndADigitEndTheVoiceCqAfterTheCallOrAtOnceInThePause) {
    struct Case {
        const char* name;
        qint64 pressMs;
        QStringList keyPeriods;
    };
    const Case cases[] = {
        {"during a call", 1000, {"+2500"}},
        {"during the watch pause", 4000, {"+2500"}},
    };
    for (const Case& c : cases) {
        port.clear();
        host.events.clear();
        startUs = clock.nowUs();
        pressAt(c.pressMs, Qt::Key_Control, true);
        pressAt(c.pressMs, Qt::Key_2, true);
        pressAt(c.pressMs + 100, Qt::Key_Control, false);
        pressAt(c.pressMs + 8000, Qt::Key_2, false);
        cq.run(WriteWave(dir, 3000), 3000, 3, 2, true);
        EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), c.keyPeriods) << c.name;
        EXPECT_EQ(host.events, (QStringList{"running", "End", "idle"})) << c.name;
        EXPECT_GE(clock.nowUs() - startUs, (c.pressMs + 8000) * 1000) << c.name << ": held until 2 is up";
    }
}

TEST_F(VoiceCqTest, TheCtrlAndDigitThatStartedItAreNoStopUntilPressedAgain) {
    settings.CQ_Limit = 3;
    startUs = clock.nowUs();
    keys.setKeyDown(Qt::Key_Control, true);
    keys.setKeyDown(Qt::Key_1, true);
    pressAt(200, Qt::Key_1, false);
    pressAt(250, Qt::Key_Control, false);
    pressAt(9000, Qt::Key_Control, true);
    pressAt(9000, Qt::Key_1, true);
    pressAt(9100, Qt::Key_1, false);
    cq.run(WriteWave(dir, 3000), 3000, 3, 2, true);
    EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), (QStringList{"+2500", "-6050", "+2500"}))
        << "held from the start it lets the calls go on; pressed again in the second call it ends them";
    EXPECT_EQ(host.events, (QStringList{"running", "End", "idle"}));
}

TEST_F(VoiceCqTest, EscapeDuringACallDropsTheLinesAtOnce) {
    startUs = clock.nowUs();
    pressAt(1500, Qt::Key_Escape, true);
    pressAt(4000, Qt::Key_Escape, false);
    cq.run(WriteWave(dir, 3000), 3000, 3, 2, true);
    EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), QStringList{"+1150"});
    ASSERT_FALSE(port.changes().isEmpty());
    EXPECT_EQ((port.changes().last().atUs - startUs) / 1000, 1500) << "the lines dropped when Escape went down";
    EXPECT_GE(clock.nowUs() - startUs, 4000 * 1000) << "and the dialog waited for it to come up";
    EXPECT_FALSE(player.playing());
}

TEST_F(VoiceCqTest, OnAClockThatHandsBackEarlyTheWaitsStillDispatchEvents) {
    // The real clock returns from a wait this long before its deadline; a wait whose steps were
    // shorter would spin without ever seeing Escape go down.
    clock.setPumpLeadUs(EventLoopClock::kEventLoopLeadUs);
    startUs = clock.nowUs();
    pressAt(1500, Qt::Key_Escape, true);
    pressAt(4000, Qt::Key_Escape, false);
    cq.run(WriteWave(dir, 3000), 3000, 3, 2, true);
    ASSERT_EQ(periods(RecordingSerialPort::Line::Dtr).size(), 1);
    EXPECT_NEAR((port.changes().last().atUs - startUs) / 1000, 1500, 10) << "Escape was seen within a step";
    EXPECT_EQ(rises(RecordingSerialPort::Line::Dtr), QList<qint64>{350}) << "the lead and the on cut stay exact";
}

TEST_F(VoiceCqTest, TheCallsTimesCountFromItsFirstSampleSounding) {
    struct Case {
        const char* name;
        qint64 startsAtMs; ///< when the output starts to sound; -1 never
        QList<qint64> pttRises;
        QStringList keyPeriods;
        QStringList events;
    };
    const Case cases[] = {
        {"a stream that starts 800 ms late", 800, {1100}, {"+2500"}, {"running", "idle"}},
        {"a stream that never starts",
         -1,
         {},
         {},
         {"running", "cannot play: The audio output did not start playing.   ", "idle"}},
    };
    for (const Case& c : cases) {
        port.clear();
        host.events.clear();
        audio.holdStart(true);
        startUs = clock.nowUs();
        if (c.startsAtMs >= 0)
            clock.at(startUs + c.startsAtMs * 1000, [this] { audio.holdStart(false); });
        cq.run(WriteWave(dir, 3000), 3000, 3, 2, false);
        EXPECT_EQ(rises(RecordingSerialPort::Line::Rts), c.pttRises) << c.name << ": PTT the on cut after the sound";
        EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), c.keyPeriods) << c.name;
        EXPECT_EQ(host.events, c.events) << c.name;
        EXPECT_FALSE(port.rts()) << c.name;
        audio.holdStart(false);
    }
}

// Dead air is no call: a device gone in the on cut or in the call ends the voice CQ with the lines
// down at once, and says so once.
TEST_F(VoiceCqTest, AnAudioDeviceGoneInACallDropsTheLinesAtOnce) {
    const struct {
        const char* name;
        qint64 lostAtMs;
        QStringList keyPeriods;
    } cases[] = {{"in the on cut", 200, {}}, {"a second into the call", 1350, {"+1000"}}};
    for (const auto& c : cases) {
        port.clear();
        host.events.clear();
        audio.failOpen(false);
        clock.at(clock.nowUs() + c.lostAtMs * 1000, [this] { audio.loseDevice(); });
        run(3000, 3, 2, true);
        EXPECT_EQ(periods(RecordingSerialPort::Line::Dtr), c.keyPeriods) << c.name;
        EXPECT_FALSE(port.dtr()) << c.name;
        EXPECT_FALSE(port.rts()) << c.name;
        EXPECT_EQ(host.events, (QStringList{"running", "cannot play: The audio output stopped playing.   ", "idle"}))
            << c.name;
        EXPECT_FALSE(player.playing()) << c.name;
    }
}

TEST_F(VoiceCqTest, WithoutAnAudioDeviceItSaysSoOnceAndKeysNothing) {
    audio.failOpen(true);
    run(3000, 3, 2, true);
    EXPECT_TRUE(port.changes().isEmpty() || (!port.dtr() && !port.rts()));
    EXPECT_TRUE(rises(RecordingSerialPort::Line::Dtr).isEmpty());
    EXPECT_TRUE(rises(RecordingSerialPort::Line::Rts).isEmpty());
    EXPECT_EQ(host.events.count("cannot play: No device driver is present.   "), 1);
}

} // namespace
