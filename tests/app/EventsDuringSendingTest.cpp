#include "FrameFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

#include <functional>

// What the operator does while the transmitter is keyed: keys pressed and the window closed in
// the middle of a message, during the PTT lead and between typed characters.

namespace {

class EventsDuringSendingTest : public FrameTest {
protected:
    EventsDuringSendingTest() {
        settings.SIG = 1;
        settings.CQ_Sel = 1;
        settings.CQ_Sec = 10;
        settings.TX[0] = QStringLiteral("CQ CQ DE TEST K");
    }

    /// Runs action when virtual time has moved on by ms from now.
    void after(qint64 ms, std::function<void()> action) { clock.at(clock.nowUs() + ms * 1000, std::move(action)); }
    /// Holds a key down for 100 ms, as a finger does.
    void holdKey(qint64 afterMs, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        after(afterMs, [key, mods] { QTest::keyPress(QApplication::focusWidget(), key, mods); });
        after(afterMs + 100, [key, mods] { QTest::keyRelease(QApplication::focusWidget(), key, mods); });
    }
    void startCq() {
        QTest::keyClick(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
        ASSERT_TRUE(state.cqRepeat);
    }
    void runFor(qint64 ms) {
        for (qint64 t = 0; t < ms; t += 100)
            clock.advanceMs(100);
    }
    /// The text of every line record in the day's log.
    QStringList loggedLines() const {
        QStringList out;
        for (const QString& name : QDir(logDir.path()).entryList(QDir::Files)) {
            QFile file(QDir(logDir.path()).filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            for (const QString& line : QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"))) {
                if (line.startsWith(QStringLiteral(",1,")))
                    out.append(line.section(QLatin1Char(','), 10).remove(QLatin1Char('"')));
            }
        }
        return out;
    }
    QStringList transcriptLines() const {
        QStringList lines = monitor().split(QLatin1Char('\n'));
        lines.removeFirst(); // the heading
        lines.removeAll(QString());
        return lines;
    }
};

// Every way of ending automatic CQ while its message is keyed lets the message finish as one line.
TEST_F(EventsDuringSendingTest, EndingCqInTheMiddleOfItsMessageKeepsTheMessageWhole) {
    struct Way {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Way ways[] = {{"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier},
                        {"Enter", Qt::Key_Return, {}},
                        {"Ctrl+0 (Clear)", Qt::Key_0, Qt::ControlModifier},
                        {"Ctrl+2 (a TX accelerator)", Qt::Key_2, Qt::ControlModifier}};
    open();
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const QStringList before = loggedLines();
        startCq();
        holdKey(3000, way.key, way.mods); // the message starts at the first tick and lasts 6 s
        runFor(15'000);
        EXPECT_FALSE(state.cqRepeat);
        EXPECT_FALSE(box(Ctl::Cq)->isChecked());
        EXPECT_EQ(loggedLines().mid(before.size()), QStringList{"CQ CQ DE TEST K"});
        EXPECT_EQ(transcriptLines().last(), QStringLiteral("CQ CQ DE TEST K"));
        EXPECT_TRUE(edit(Ctl::Call)->isEnabled()) << "the stopped run gives the fields back";
        EXPECT_FALSE(port.dtr());
    }
    EXPECT_EQ(transcriptLines().size(), 4);
}

TEST_F(EventsDuringSendingTest, WindowStaysWhileThePttLeadRunsAndClosesAfter) {
    settings.SIG_STANDBY = 2;
    settings.DELAY = 50; // 500 ms of PTT lead
    settings.TX[0] = QStringLiteral("E");
    open();
    bool closed = true;
    after(200, [&] { closed = frame.close(); });
    QTest::keyClick(control(Ctl::Clear), Qt::Key_1, Qt::ControlModifier);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(savedWithWpm.isEmpty()) << "nothing saved, nothing shut down";
    EXPECT_EQ(keyDowns().size(), 1) << "the message went out whole";
    EXPECT_FALSE(port.rts());
    EXPECT_TRUE(frame.close());
}

TEST_F(EventsDuringSendingTest, WindowStaysWhileTypedCharactersAreKeyed) {
    settings.SIG_STANDBY = 2;
    settings.KEY_DATA = QStringLiteral("TT");
    open();
    // 180 ms into the gap after the first T: the sender has finished that character and waits.
    bool closed = true;
    after(250, [&] { closed = frame.close(); });
    QTest::keyClick(control(Ctl::Clear), Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(closed);
    EXPECT_EQ(keyPeriods(), (QStringList{"+180", "-180", "+180"}));
    EXPECT_TRUE(edit(Ctl::InputLine)->text().isEmpty());
    const qsizetype changes = port.changes().size();
    EXPECT_TRUE(frame.close());
    runFor(1000);
    EXPECT_FALSE(port.dtr());
    EXPECT_FALSE(port.rts());
    EXPECT_EQ(port.changes().size(), changes + 2) << "only the shutdown's drop of both lines";
}

TEST_F(EventsDuringSendingTest, BankSwitchDuringCqStopsItWholly) {
    settings.TX[0] = QStringLiteral("E");
    open();
    startCq();
    runFor(1000); // the first call has gone, the run watches
    ASSERT_EQ(keyDowns().size(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9, Qt::ControlModifier);
    EXPECT_TRUE(box(Ctl::Bank)->isChecked());
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_FALSE(box(Ctl::Cq)->isChecked());
    for (int id : {Ctl::Clear, Ctl::Tx1, Ctl::Call, Ctl::Msg1})
        EXPECT_TRUE(control(id)->isEnabled()) << id;
    runFor(30'000);
    EXPECT_EQ(keyDowns().size(), 1) << "the CQ timer stopped with the run";
}

// A second message asked for while the first one's PTT lead runs, or between typed characters,
// would drop the PTT the first one is still keyed under.
TEST_F(EventsDuringSendingTest, NoSecondTransmissionStartsInsideTheFirst) {
    settings.SIG_STANDBY = 2;
    settings.DELAY = 50;
    settings.TX[0] = QStringLiteral("E");
    settings.TX[1] = QStringLiteral("T");
    settings.KEY_DATA = QStringLiteral("EE");
    open();
    after(200, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier); });
    QTest::keyClick(control(Ctl::Clear), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(keyPeriods(), QStringList{"+60"}) << "only TX01's E";

    port.clear();
    after(600, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier); });
    QTest::keyClick(control(Ctl::Clear), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(keyPeriods(), (QStringList{"+60", "-180", "+60"})) << "only the typed E E";
    bool pttHeld = true;
    bool level = false;
    for (const auto& c : port.changes()) {
        if (c.line == RecordingSerialPort::Line::Rts)
            level = c.on;
        else if (c.on && !level)
            pttHeld = false;
    }
    EXPECT_TRUE(pttHeld) << "every mark went out under PTT";
    EXPECT_FALSE(port.rts());
}

TEST_F(EventsDuringSendingTest, LeavingTheInputLineDuringACqMessageKeepsTheMessageWhole) {
    open();
    startCq();
    after(2000, [this] { QTest::mouseClick(edit(Ctl::InputLine), Qt::LeftButton); });
    after(3000, [this] { QTest::mouseClick(control(Ctl::TextArea), Qt::LeftButton); });
    after(4000, [this] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier); });
    runFor(15'000);
    ASSERT_FALSE(state.cqRepeat);
    EXPECT_EQ(loggedLines(), QStringList{"CQ CQ DE TEST K"});
    EXPECT_EQ(transcriptLines(), QStringList{"CQ CQ DE TEST K"});
}

TEST_F(EventsDuringSendingTest, AnAdapterPulledOutMidMessageStopsTheKeyingSaysSoOnceAndComesBackWithIt) {
    settings.SIG_STANDBY = 2;
    open();
    using E = RecordingSerialPort::Event;
    // At 20 WPM the message takes seconds: the adapter goes after a second of it.
    after(1000, [this] { port.failLineChanges(true); });
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_FALSE(state.onAir());
    EXPECT_FALSE(port.isOpen()) << "the dead port is given up, which drops its lines";
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(boxes.texts()[0].startsWith(port.displayName(settings.COM) + " line error        \n"));
    ASSERT_FALSE(port.changes().isEmpty());
    EXPECT_LE(port.changes().last().atUs - openedUs, 1000 * 1000) << "nothing was keyed after the failure";
    EXPECT_TRUE(control(Ctl::Tx1)->isEnabled()) << "the screen is back";

    port.failLineChanges(false);
    port.clear();
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    ASSERT_FALSE(port.events().isEmpty());
    EXPECT_EQ(port.events().first(), E::Open) << "the next message opens the port afresh";
    EXPECT_FALSE(keyPeriods().isEmpty()) << "and keys it";
    EXPECT_EQ(boxes.shown().size(), 1);
}

TEST_F(EventsDuringSendingTest, WithoutAnAudioDeviceOrWithABusyOneTheKeyingGoesOnSilently) {
    const struct {
        const char* name;
        AudioOut::OpenError error;
    } cases[] = {{"no device", AudioOut::OpenError::NoDevice}, {"a busy device", AudioOut::OpenError::Busy}};
    for (const auto& c : cases) {
        audio.failOpen(true, c.error);
        if (!view())
            open();
        // Another speed makes the screen build its tones afresh: the device is asked again.
        frame.wpmBox()->setCurrentIndex(frame.wpmBox()->currentIndex() == 10 ? 15 : 10);
        view()->applyWpmBox();
        port.clear();
        QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
        EXPECT_FALSE(keyPeriods().isEmpty()) << c.name << ": the message was keyed";
        EXPECT_TRUE(audio.queued().isEmpty()) << c.name << ": and nothing was played";
        EXPECT_TRUE(boxes.shown().isEmpty()) << c.name << ": without a word";
    }
    audio.failOpen(false);
    frame.wpmBox()->setCurrentIndex(12);
    view()->applyWpmBox();
    port.clear();
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_FALSE(audio.queued().isEmpty()) << "the tone is back with the device";
}

TEST_F(EventsDuringSendingTest, AnAudioDeviceLostInTheMiddleOfAMessageLeavesTheKeyingWholeAndSilent) {
    open();
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    const QStringList whole = keyPeriods();
    ASSERT_FALSE(whole.isEmpty());
    const qsizetype tonesInWhole = audio.queued().size();

    port.clear();
    const qsizetype queuedBefore = audio.queued().size();
    qsizetype queuedAtLoss = -1;
    after(1000, [&] {
        audio.loseDevice();
        queuedAtLoss = audio.queued().size();
    });
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_EQ(keyPeriods(), whole) << "every element keyed on time";
    EXPECT_GT(queuedAtLoss, queuedBefore) << "the tone played up to the loss";
    EXPECT_EQ(audio.queued().size(), queuedAtLoss) << "and nothing was fed to the dead stream";
    EXPECT_TRUE(boxes.shown().isEmpty()) << "without a word";
    EXPECT_TRUE(edit(Ctl::Call)->isEnabled());

    // The device back, the tones built again at another speed.
    audio.failOpen(false);
    frame.wpmBox()->setCurrentIndex(frame.wpmBox()->currentIndex() + 1);
    view()->applyWpmBox();
    const qsizetype queuedAfter = audio.queued().size();
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_EQ(audio.queued().size() - queuedAfter, tonesInWhole) << "a tone for every element again";
}

} // namespace
