#include "SenderFixture.h"

namespace {

struct TimingCase {
    const char* name;
    QString text;
    int wpm;
    int ratio;
    int ratio2;
    QStringList timeline;
};

class SenderTiming : public SenderTest, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(SenderTiming, KeysExactElementLengths) {
    const TimingCase& c = GetParam();
    host.wpmIndex = c.wpm - 10;
    settings.RATIO = c.ratio;
    settings.RATIO2 = c.ratio2;
    EXPECT_EQ(send(c.text), 0);
    EXPECT_EQ(keyTimeline(), c.timeline);
    EXPECT_FALSE(port.dtr());
    EXPECT_FALSE(state.sending);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SenderTiming,
    ::testing::Values(
        // The word gap replaces the character gap before a space; the last character keeps its gap.
        TimingCase{"E_space_E_20wpm", "E E", 20, 0, 0, {"+60", "-421", "+60", "-180"}},
        TimingCase{"ratio5_25wpm", "TE", 25, 5, 0, {"+192", "-192", "+48", "-192"}},
        TimingCase{"ratio2_9_word_gap", "E E", 20, 0, 9, {"+60", "-963", "+60", "-180"}},
        TimingCase{"elements_of_A", "A", 20, 0, 0, {"+60", "-60", "+180", "-180"}},
        TimingCase{"two_spaces_add_up", "E  E", 20, 0, 0, {"+60", "-842", "+60", "-180"}},
        TimingCase{"ratio9_dash", "T", 20, 9, 0, {"+288", "-288"}},
        TimingCase{"procedure_sign_of_equals",
                   "=",
                   50,
                   0,
                   0,
                   {"+72", "-24", "+24", "-24", "+24", "-24", "+24", "-24", "+72", "-72"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SenderTest, CharactersOutsideTheTableKeyNothingButWaitTheirGap) {
    EXPECT_EQ(send(QStringLiteral("ab")), 0);
    EXPECT_TRUE(port.changes().isEmpty());
    EXPECT_EQ(returnedUs - startedUs, 2 * 180'000);
    EXPECT_EQ(host.logged, QStringLiteral("ab\r\n"));
}

TEST_F(SenderTest, EchoesEveryCharacterAndEndsTheLine) {
    send(QStringLiteral("CQ DE"));
    EXPECT_EQ(host.logged, QStringLiteral("CQ DE\r\n"));
}

TEST_F(SenderTest, KeyboardModeSendsOnlyTheFirstCharacterWithoutGapOrLineEnd) {
    settings.chk_CLOSE = 1;
    EXPECT_EQ(send(QStringLiteral("AB"), SendKeyboard), 0);
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-60", "+180", "-0"}));
    EXPECT_EQ(host.logged, QStringLiteral("A"));
    EXPECT_TRUE(port.isOpen()) << "keyboard keying never closes the port";
}

TEST_F(SenderTest, EchoOnlyWritesTheTextAndReportsOne) {
    EXPECT_EQ(send(QStringLiteral("{CALL} K"), SendEchoOnly), 1);
    EXPECT_EQ(host.logged, QStringLiteral("{CALL} K"));
    EXPECT_TRUE(port.changes().isEmpty());
    EXPECT_EQ(returnedUs, startedUs);
}

TEST_F(SenderTest, EmptyTextIsFinishedAtOnce) {
    EXPECT_EQ(send(QString()), 0);
    EXPECT_TRUE(host.logged.isEmpty());
    EXPECT_FALSE(state.sending);
}

TEST_F(SenderTest, SpeedComesFromTheWpmBoxUnlessKeyingForTheRemote) {
    host.wpmIndex = 40;
    send(QStringLiteral("E"));
    EXPECT_EQ(settings.WPM, 50);
    EXPECT_EQ(keyTimeline().first(), QStringLiteral("+24"));

    state.RemoteKeying = true;
    settings.WPM = 25;
    send(QStringLiteral("E"));
    EXPECT_EQ(settings.WPM, 25);
}

// The echo runs in the part of a gap that is finished after the event loop hands back.
TEST_F(SenderTest, SlowTextAreaDoesNotLengthenElements) {
    clock.setPumpLeadUs(2000);
    host.logCostUs = 1500;
    send(QStringLiteral("E E"));
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-421", "+60", "-180"}));
}

TEST_F(SenderTest, SidetoneStartsWithEveryMarkOnlyWhenOn) {
    send(QStringLiteral("A"));
    EXPECT_EQ(sidetone.starts, (QList<int>{1, 3}));
    sidetone.starts.clear();
    settings.chk_TONE = 0;
    send(QStringLiteral("A"));
    EXPECT_TRUE(sidetone.starts.isEmpty());
}

TEST_F(SenderTest, NoKeyLineMeansThePortIsNeverOpenedButTimingHolds) {
    settings.SIG = 0;
    send(QStringLiteral("E E"));
    EXPECT_TRUE(port.events().isEmpty());
    EXPECT_EQ(returnedUs - startedUs, (60 + 421 + 60 + 180) * 1000);
}

TEST_F(SenderTest, CloseAfterEveryMessageClosesThePortAtTheEnd) {
    settings.chk_CLOSE = 1;
    send(QStringLiteral("EE"));
    using E = RecordingSerialPort::Event;
    EXPECT_EQ(port.events(), (QList<E>{E::Open, E::Purge, E::Purge, E::Close}));
    EXPECT_FALSE(port.isOpen());

    port.clear();
    settings.chk_CLOSE = 0;
    send(QStringLiteral("EE"));
    EXPECT_EQ(port.events(), (QList<E>{E::Open, E::Purge}));
    EXPECT_TRUE(port.isOpen());
}

TEST_F(SenderTest, UnopenablePortAbortsAtTheFirstMarkWithItsMessage) {
    port.failOpenWith(SerialPort::OpenResult::OpenFailed);
    EXPECT_EQ(send(QStringLiteral("EE")), 1);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("COM1: open error        ")});
    EXPECT_EQ(host.logged, QStringLiteral("E\r\n"));
    EXPECT_FALSE(state.sending);
}

TEST_F(SenderTest, FailingLineChangeAbortsTheSend) {
    send(QStringLiteral("E"));
    port.failLineChanges(true);
    EXPECT_EQ(send(QStringLiteral("EEE")), 1);
    EXPECT_EQ(host.logged, QStringLiteral("E\r\nE\r\n"));
}

TEST_F(SenderTest, RefusedTemplateKeysNothingAndKeepsTheSpan) {
    expander.refuseWith = TokenSpan{0, 7};
    EXPECT_EQ(send(QStringLiteral("{*CALL} K")), 1);
    EXPECT_TRUE(port.changes().isEmpty());
    EXPECT_TRUE(host.logged.isEmpty());
    EXPECT_EQ(state.tokenSpan.start, 0);
    EXPECT_EQ(state.tokenSpan.end, 7);
    EXPECT_FALSE(state.sending);
}

// Escape pressed during the first dot of A: the dot and its gap end normally, the dash never starts.
TEST_F(SenderTest, EscapeStopsBeforeTheNextElementWithTheKeyUp) {
    state.tokenSpan = {3, 9};
    host.cqChecked = true;
    state.cqRepeat = true;
    clock.at(clock.nowUs() + 30'000, [&] { keys.setKeyDown(Qt::Key_Escape, true); });
    EXPECT_EQ(send(QStringLiteral("AB")), 1);
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-60"}));
    EXPECT_FALSE(port.dtr());
    EXPECT_EQ(host.logged, QStringLiteral("A\r\n"));
    EXPECT_TRUE(state.tokenSpan.isEmpty());
    EXPECT_FALSE(host.cqChecked);
    EXPECT_FALSE(state.cqRepeat);
}

TEST_F(SenderTest, LeftButtonHeldOnTheEscButtonAborts) {
    struct Case {
        QPoint at;
        bool aborts;
    };
    // The rectangle is 100,100 40x20: its edges belong to it.
    for (const Case& c : {Case{{110, 110}, true}, Case{{100, 100}, true}, Case{{139, 119}, true},
                          Case{{140, 110}, false}, Case{{10, 10}, false}}) {
        keys.setLeftButton(true, c.at);
        EXPECT_EQ(send(QStringLiteral("E")), c.aborts ? 1 : 0) << c.at.x() << "," << c.at.y();
    }
}

class CqRepeatTest : public SenderTest {
protected:
    CqRepeatTest() {
        host.cqChecked = true;
        state.cqRepeat = true;
        state.cqRepeatCount = 1;
    }
};

TEST_F(CqRepeatTest, EnterEndsTheRepeatButCompletesTheMessage) {
    clock.at(clock.nowUs() + 100'000, [&] { keys.setKeyDown(Qt::Key_Return, true); });
    EXPECT_EQ(send(QStringLiteral("CQ"), SendCqRepeat), 0);
    EXPECT_EQ(host.cqToggles, 1);
    EXPECT_FALSE(host.cqChecked);
    EXPECT_EQ(host.logged, QStringLiteral("CQ\r\n"));
}

TEST_F(CqRepeatTest, StopKeysNeedARunningRepeat) {
    keys.setKeyDown(Qt::Key_Control, true);
    keys.setKeyDown(Qt::Key_Q, true);
    state.cqRepeatCount = 0;
    send(QStringLiteral("E"), SendCqRepeat);
    EXPECT_EQ(host.cqToggles, 0);
    state.cqRepeatCount = 1;
    send(QStringLiteral("E"), SendCqRepeat);
    EXPECT_EQ(host.cqToggles, 1);
}

// Ctrl+0 clears the contact at element checks; a character whose low byte only matches runs them
// once, one that is not in the table at all never does.
TEST_F(CqRepeatTest, CtrlZeroClearsAtElementChecks) {
    keys.setKeyDown(Qt::Key_Control, true);
    keys.setKeyDown(Qt::Key_0, true);
    struct Case {
        QString text;
        int clears;
    };
    for (const Case& c :
         {Case{QStringLiteral("A"), 2}, Case{QString(QChar(0x0141)), 1}, Case{QStringLiteral("a"), 0}}) {
        host.clears = 0;
        send(c.text, SendCqRepeat);
        EXPECT_EQ(host.clears, c.clears) << c.text.toStdString();
    }
}

TEST_F(CqRepeatTest, ProgressBarsFollowTheChosenStep) {
    struct Case {
        int step;
        QStringList progress;
    };
    const Case cases[] = {
        {0, {}},
        {1, {"range 3", "watch 0", "tx 0", "tx 2", "tx 3"}},
        {2, {"range 3", "watch 0", "tx 0", "step", "step", "step", "tx 3"}},
        {3, {"range 3", "watch 0", "tx 0"}},
    };
    for (const Case& c : cases) {
        settings.CQ_Progress = c.step;
        host.progress.clear();
        send(QStringLiteral("E E"), SendCqRepeat);
        EXPECT_EQ(host.progress, c.progress) << "CQ_Progress " << c.step;
    }
}

TEST_F(SenderTest, ButtonModeNeverDrivesProgress) {
    send(QStringLiteral("E E"));
    EXPECT_TRUE(host.progress.isEmpty());
}

TEST_F(SenderTest, RemoteStationHandsTheExpandedTextToTheHost) {
    link.remote = true;
    host.wpmIndex = 15;
    EXPECT_EQ(send(QStringLiteral("TEST K")), 0);
    EXPECT_EQ(link.sent, QStringList{"25 TEST K"});
    EXPECT_EQ(link.remoteWaits, 1);
    EXPECT_TRUE(state.sending) << "stays set until the host reports the end";
    EXPECT_TRUE(port.changes().isEmpty());

    state.sending = false;
    link.handOffEnabled = false;
    EXPECT_EQ(send(QStringLiteral("TEST K")), 0);
    EXPECT_EQ(link.sent.size(), 1);
    EXPECT_FALSE(state.sending);
}

TEST_F(SenderTest, HostStopsKeyingARemoteTextWhenMoreArrives) {
    state.RemoteKeying = true;
    clock.at(clock.nowUs() + 10'000, [&] { link.pendingBytes = 12; });
    EXPECT_EQ(send(QStringLiteral("EEE")), 1);
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-180"}));
}

TEST_F(SenderTest, KeySpaceAndKeyMarkWaitTheirWholeLength) {
    const qint64 start = clock.nowUs();
    sender.KeySpace(7);
    EXPECT_EQ(clock.nowUs() - start, 421'000);
    sender.KeySpace(0);
    EXPECT_EQ(clock.nowUs() - start, 421'000);
    state.KeyLinePending = true;
    sender.KeyMark(3);
    EXPECT_EQ(clock.nowUs() - start, 601'000);
    EXPECT_FALSE(state.KeyLinePending);
    EXPECT_EQ(sidetone.starts, QList<int>{3});
}

// An adapter whose every line change takes 1 ms delays each edge by that much, never the edges after it.
TEST_F(SenderTest, SlowLineChangesMoveNoLaterEdge) {
    port.setChangeLatency([this] { clock.settle(clock.nowUs() + 1000); });
    send(QStringLiteral("AE E"));
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-60", "+180", "-180", "+60", "-421", "+60", "-180"}));
}

// The screen busy for 40 ms in the middle of a character changes none of its elements.
TEST_F(SenderTest, LongEventHandlerDuringACharacterLeavesItsElementsExact) {
    for (qint64 atMs : {30, 250})
        clock.at(clock.nowUs() + atMs * 1000, [this] { clock.settle(clock.nowUs() + 40'000); });
    send(QStringLiteral("AN"));
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-60", "+180", "-180", "+180", "-60", "+60", "-180"}));
    EXPECT_EQ(host.logged, QStringLiteral("AN\r\n"));
}

// Escape seen only after a stall: the dot the engine began meanwhile ends normally, no further one starts.
TEST_F(SenderTest, AbortSeenLateLetsTheMarkOnTheAirEndAndStartsNoOther) {
    clock.at(clock.nowUs() + 30'000, [this] {
        keys.setKeyDown(Qt::Key_Escape, true);
        clock.settle(clock.nowUs() + 120'000);
    });
    EXPECT_EQ(send(QStringLiteral("S")), 1);
    EXPECT_EQ(keyTimeline(), (QStringList{"+60", "-60", "+60", "-0"})) << "returns as the second dot ends";
    EXPECT_FALSE(port.dtr());
    clock.advanceMs(1000);
    EXPECT_EQ(keyTimeline().size(), 4) << "the third dot never comes";
}

TEST_F(SenderTest, PttLeadIsExactFromTheRaiseAndPttDropsAfterTheLastGap) {
    settings.SIG_STANDBY = 2;
    settings.DELAY = 30;
    lines.OpenPort();
    port.clear();
    port.setChangeLatency([this] { clock.settle(clock.nowUs() + 1000); });
    const qint64 t0 = clock.nowUs();
    ASSERT_TRUE(sender.RaisePtt());
    EXPECT_EQ(sender.SendMorse(QStringLiteral("E"), SendButton), 0);
    sender.DropPtt();
    QStringList changes;
    for (const auto& c : port.changes())
        changes << QStringLiteral("%1%2 %3")
                       .arg(c.line == RecordingSerialPort::Line::Dtr ? 'K' : 'P')
                       .arg(c.on ? '+' : '-')
                       .arg((c.atUs - t0) / 1000);
    EXPECT_EQ(changes, (QStringList{"P+ 0", "K+ 300", "K- 360", "P- 540"}));
}

} // namespace
