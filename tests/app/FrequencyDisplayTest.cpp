// The frequency display and the HAMLOG record, against a companion on 127.0.0.1, worked with
// real keys and the wheel.
#include "LinkFrameFixture.h"
#include "resources/Accel128.h"
#include "resources/Menu128.h"
#include "screen/LinkScreen.h"

#include <QComboBox>
#include <QDir>
#include <QWheelEvent>

namespace {

/// A "LOGDT" datagram whose block holds lines (1-based) as given, the others empty.
QByteArray Logdt(const QMap<int, QString>& lines, int count = 15) {
    QString block;
    for (int k = 1; k <= count; ++k)
        block += lines.value(k) + QLatin1Char('\n');
    return "LOGDT " + block.toLatin1() + "\r";
}

class FrequencyDisplayTest : public LinkFrameTest {
protected:
    void openOn(const QString& frequency, const QString& mode = QStringLiteral("CW")) {
        open();
        handled(Logdt({{7, frequency}, {8, mode}}));
    }
    QLineEdit* frequency() const { return edit(Ctl::Freq); }
    QComboBox* modes() const { return static_cast<QComboBox*>(control(Ctl::Mode)); }
    void chord(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void wheel(QWidget* target, int delta, Qt::KeyboardModifiers mods = {}) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(FrequencyDisplayTest, ALogdtBlockIsShownAsAHamlogRecordAndSetsTheDisplay) {
    open();
    const int inputWidth = control(Ctl::InputLine)->width();
    EXPECT_TRUE(frequency()->isHidden());
    const QByteArray block = Logdt({{1, "TRV"},
                                    {2, "Q1ABC"},
                                    {3, "26/12/11"},
                                    {4, "0510J"},
                                    {5, "599"},
                                    {6, "579"},
                                    {7, " 7.02500 "},
                                    {8, "CW"},
                                    {9, "1234M"},
                                    {12, "KEN"},
                                    {13, "TOKYO"}});
    handled(block);
    const QString record = "[HAMLOG] Call=\"/TRVQ1ABC\" Date=\"26/12/11\" Time=\"0510J\" His=\"599\" My=\"579\" "
                           "Freq=\" 7.02500 \" Mode=\"CW\" Code=\"1234M\" GL=\"\" QSL=\"\" Name=\"KEN\" QTH=\"TOKYO\" "
                           "Rmk1=\"\" Rmk2=\"\"";
    EXPECT_TRUE(monitor().endsWith(record + "\n")) << monitor().toStdString();
    EXPECT_EQ(view()->link().hamlogRecord(), record);
    EXPECT_FALSE(frequency()->isHidden());
    EXPECT_FALSE(modes()->isHidden());
    EXPECT_EQ(frequency()->text(), QStringLiteral("7.02500"));
    EXPECT_EQ(frequency()->cursorPosition(), 7);
    EXPECT_LT(control(Ctl::InputLine)->width(), inputWidth - frequency()->width() - modes()->width())
        << "the text line makes room";
    EXPECT_LE(control(Ctl::InputLine)->geometry().right(), modes()->geometry().left());
    for (const QFileInfo& file : QDir(logDir.path()).entryInfoList(QDir::Files)) {
        QFile log(file.filePath());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_FALSE(log.readAll().contains("HAMLOG")) << "the record is not logged";
    }

    handled(Logdt({{7, "14.07400"}, {8, "RTTY"}, {17, "21.07400"}, {18, "USB"}}, 18));
    EXPECT_EQ(frequency()->text(), QStringLiteral("21.07400")) << "line 17 comes last";
    EXPECT_EQ(modes()->currentIndex(), modes()->findText("USB"));
    handled(Logdt({{8, " PSK "}}));
    EXPECT_EQ(modes()->currentIndex(), 0) << "an unknown mode selects CW";
    EXPECT_EQ(modes()->currentText(), QStringLiteral("PSK")) << "and shows as sent";
    EXPECT_EQ(frequency()->text(), QStringLiteral("21.07400")) << "an empty line 7 leaves the frequency";
}

TEST_F(FrequencyDisplayTest, StepsSendFsetAndTheAnswerPlacesTheCaret) {
    openOn("7.02500");
    edit(Ctl::Call)->setFocus();
    chord(Qt::Key_Up);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02501      CW\r"});
    EXPECT_TRUE(frequency()->isReadOnly()) << "no caret while the rig has not answered";
    chord(Qt::Key_Up);
    EXPECT_TRUE(requests().isEmpty()) << "one step at a time";
    handled("FSET \r");
    EXPECT_FALSE(frequency()->isReadOnly());
    EXPECT_EQ(frequency()->cursorPosition(), 7) << "after the digit of 10 Hz";

    chord(Qt::Key_Down);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02500      CW\r"});
    handled("FSET \r");

    // In the edit, Up and Down step the digit left of the caret and the chord does nothing.
    frequency()->setFocus();
    frequency()->setCursorPosition(5);
    chord(Qt::Key_Up);
    EXPECT_TRUE(requests().isEmpty());
    QTest::keyClick(frequency(), Qt::Key_Up);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02600      CW\r"});
    handled("FSET \r");
    EXPECT_EQ(frequency()->cursorPosition(), 5) << "still under the kHz digit";
    QTest::keyClick(frequency(), Qt::Key_Down);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02500      CW\r"});
}

TEST_F(FrequencyDisplayTest, EnterAndCtrlShiftFResendEvenWhileAnAnswerIsAwaited) {
    openOn("7.02500");
    edit(Ctl::Call)->setFocus();
    chord(Qt::Key_F);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02500      CW\r"});
    chord(Qt::Key_Up);
    EXPECT_TRUE(requests().isEmpty()) << "no step before the rig has answered";
    frequency()->setFocus();
    QTest::keyClick(frequency(), Qt::Key_Return);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02500      CW\r"}) << "Enter sends all the same";
    handled("FSET \r");
    edit(Ctl::Call)->setFocus();
    chord(Qt::Key_Up);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02501      CW\r"});
    modes()->setFocus();
    modes()->setCurrentIndex(modes()->findText("SSB"));
    QTest::keyClick(modes(), Qt::Key_Return);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02501      SSB\r"});
    EXPECT_EQ(QApplication::focusWidget(), frequency()) << "the re-send leaves the list for the frequency";
    EXPECT_EQ(modes()->count(), 18) << "Enter adds nothing to the list";
    handled(Logdt({{7, "7.02501"}}));
    EXPECT_FALSE(frequency()->isReadOnly()) << "a LOGDT ends the wait too";
}

TEST_F(FrequencyDisplayTest, TheModeListKeepsItsSelectionUnderTheChords) {
    openOn("7.02500");
    modes()->setFocus();
    const int selected = modes()->currentIndex();
    settings.STEP = 10;
    chord(Qt::Key_N);
    EXPECT_EQ(settings.STEP, 100);
    chord(Qt::Key_M);
    EXPECT_EQ(settings.STEP, 10);
    chord(Qt::Key_Down);
    EXPECT_EQ(modes()->currentIndex(), selected);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02499      CW\r"}) << "the chord steps the frequency";
}

TEST_F(FrequencyDisplayTest, StepRangeAndWidthMenus) {
    openOn("7.02500");
    struct Case {
        int start;
        Qt::Key key;
        int after;
    };
    const Case cases[] = {{10, Qt::Key_N, 100},      {1000, Qt::Key_N, 10000},  {10000, Qt::Key_N, 20000},
                          {20000, Qt::Key_N, 20000}, {20000, Qt::Key_M, 10000}, {100, Qt::Key_M, 10},
                          {10, Qt::Key_M, 10}};
    edit(Ctl::Call)->setFocus();
    for (const Case& c : cases) {
        settings.STEP = c.start;
        chord(c.key);
        EXPECT_EQ(settings.STEP, c.after) << c.start;
    }
    frame.action(Cmd::FreqWidth7 + 3)->trigger();
    frame.action(Cmd::FreqStep10 + 2)->trigger();
    EXPECT_EQ(settings.DIGITS, 10);
    EXPECT_EQ(settings.STEP, 1000);
    EXPECT_EQ(frequency()->text(), QStringLiteral("7.02500")) << "the next step reformats, not the menu";
    chord(Qt::Key_Up);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02600000   CW\r"});
    emit menu(QStringLiteral("&RcvCW"))->aboutToShow();
    EXPECT_TRUE(frame.action(Cmd::FreqWidth7 + 3)->isChecked());
    EXPECT_FALSE(frame.action(Cmd::FreqWidth7)->isChecked());
    EXPECT_TRUE(frame.action(Cmd::FreqStep10 + 2)->isChecked());
}

TEST_F(FrequencyDisplayTest, TheFrequencyItemsWaitForTheDisplay) {
    open();
    emit menu(QStringLiteral("&RcvCW"))->aboutToShow();
    for (int command : {int(Cmd::SetRigFreq), int(Cmd::FreqUp), int(Cmd::FreqDown)})
        EXPECT_FALSE(frame.action(command)->isEnabled()) << command;
    EXPECT_TRUE(frame.action(Cmd::StepRangeUp)->isEnabled());
    edit(Ctl::Call)->setFocus();
    chord(Qt::Key_F);
    EXPECT_TRUE(requests().isEmpty()) << "nothing to send yet";
    handled(Logdt({{7, "7.02500"}}));
    emit menu(QStringLiteral("&RcvCW"))->aboutToShow();
    for (int command : {int(Cmd::SetRigFreq), int(Cmd::FreqUp), int(Cmd::FreqDown)})
        EXPECT_TRUE(frame.action(command)->isEnabled()) << command;
}

TEST_F(FrequencyDisplayTest, TheWheelStepsMovesTheCaretAndTheFocus) {
    openOn("7.02500");
    frequency()->setFocus();
    frequency()->setCursorPosition(5);
    wheel(frequency(), 120);
    EXPECT_EQ(requests(), QList<QByteArray>{"FSET 7.02600      CW\r"});
    handled("FSET \r");
    wheel(frequency(), -120, Qt::ShiftModifier);
    EXPECT_EQ(frequency()->cursorPosition(), 6);
    wheel(frequency(), 120, Qt::ShiftModifier);
    wheel(frequency(), 120, Qt::ShiftModifier);
    EXPECT_EQ(frequency()->cursorPosition(), 4);
    frequency()->setCursorPosition(1);
    wheel(frequency(), 120, Qt::ShiftModifier);
    EXPECT_EQ(frequency()->cursorPosition(), 1) << "never before the first digit";
    wheel(frequency(), -120, Qt::ControlModifier);
    EXPECT_TRUE(modes()->hasFocus());
    wheel(modes(), 120, Qt::ControlModifier);
    EXPECT_TRUE(frequency()->hasFocus());
    EXPECT_TRUE(requests().isEmpty());
}

} // namespace
