#include "FrameFixture.h"

#include "resources/Menu139.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

#include <functional>

namespace {

class KeyboardTest : public FrameTest {
protected:
    KeyboardTest() { settings.SIG = 1; }

    void press(QWidget* target, int key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(target, Qt::Key(key), mods);
        QCoreApplication::processEvents(); // posted button commands
    }
    /// Picks an item of the popup menu that the next action opens; index −1 is the last item.
    static void choosePopupItem(int index, std::function<void(QMenu*)> check = {}) {
        QTimer::singleShot(0, [index, check] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            if (check)
                check(menu);
            menu->actions().at(index < 0 ? menu->actions().size() + index : index)->trigger();
            menu->close();
        });
    }
    /// A right click through the window, which turns it into a context-menu request as X does.
    void rightClick(QWidget* target) {
        const QPoint at = target->mapTo(&frame, QPoint(5, 5));
        QTest::mouseClick(frame.windowHandle(), Qt::RightButton, {}, at);
    }
    /// Lets virtual time pass while automatic CQ runs, its timer ticking on the clock, until it
    /// stops or the time runs out.
    void tickCq(qint64 forMs) {
        for (qint64 t = 0; t < forMs && state.cqRepeat; t += 100)
            clock.advanceMs(100);
    }
};

TEST_F(KeyboardTest, EnterMovesThroughTheFieldsAndSelectsTheirText) {
    settings.his[FieldCALL] = QStringLiteral("TRV1ABC");
    open();
    edit(Ctl::M2)->setFocus();
    press(edit(Ctl::M2), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Call));
    EXPECT_EQ(edit(Ctl::Call)->selectedText(), QStringLiteral("TRV1ABC"));
    press(edit(Ctl::Call), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Rst));
}

TEST_F(KeyboardTest, EnterInAMessageEditGoesToItsButtonAndEnterThereSends) {
    settings.TX[2] = QStringLiteral("EE");
    open();
    edit(Ctl::Msg3)->setFocus();
    press(edit(Ctl::Msg3), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), control(Ctl::Tx3));
    press(control(Ctl::Tx3), Qt::Key_Return);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("EE\n")));
    EXPECT_EQ(QApplication::focusWidget(), control(Ctl::Tx3));
}

TEST_F(KeyboardTest, CtrlDigitsSendAndCtrlNineSwitchesTheBank) {
    settings.TX[4] = QStringLiteral("E");
    settings.TX[12] = QStringLiteral("T");
    open();
    press(control(Ctl::Clear), Qt::Key_5, Qt::ControlModifier);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("E\n")));
    press(control(Ctl::Clear), Qt::Key_9, Qt::ControlModifier);
    EXPECT_TRUE(box(Ctl::Bank)->isChecked());
    press(QApplication::focusWidget(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("T\n")));
}

TEST_F(KeyboardTest, DestinationOfABankRowSwitchesTheBankFirst) {
    settings.focusTarget[0] = 23; // Clear goes to "24.TX09"
    open();
    QTest::mouseClick(control(Ctl::Clear), Qt::LeftButton);
    EXPECT_TRUE(box(Ctl::Bank)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), control(Ctl::Tx1));
    EXPECT_EQ(static_cast<QPushButton*>(control(Ctl::Tx1))->text(), QStringLiteral("{TX09}[1]"));
}

TEST_F(KeyboardTest, EnterOnAStarredTokenJumpsToItsText) {
    settings.TX[0] = QStringLiteral("CQ {*TX12} {CALL}");
    settings.his[FieldCALL] = QStringLiteral("TRV1ABC");
    open();
    QLineEdit* message = edit(Ctl::Msg1);
    message->setFocus();
    message->setSelection(3, 7);
    press(message, Qt::Key_Return);
    EXPECT_TRUE(box(Ctl::Bank)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Msg4));
    EXPECT_EQ(edit(Ctl::Msg4)->selectedText(), settings.TX[11]);

    press(edit(Ctl::Msg4), Qt::Key_9, Qt::ControlModifier);
    message->setFocus();
    message->setSelection(11, 6); // "{CALL}" has no star: Enter just moves on
    press(message, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), control(Ctl::Tx1));
}

TEST_F(KeyboardTest, AllResetAsksAndRestoresEveryDestination) {
    settings.focusTarget[5] = 40;
    settings.focusTarget[60] = 1;
    open();
    QPushButton* clear = static_cast<QPushButton*>(control(Ctl::Clear));
    for (MessageBoxes::Answer answer : {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
        boxes.queueAnswer(answer);
        QApplication::setActiveWindow(&frame); // closing a popup leaves no active window offscreen
        clear->setFocus();
        choosePopupItem(-1, [](QMenu* menu) {
            EXPECT_TRUE(menu->actions().at(1)->isChecked()) << "Clear's destination, CALL, is marked";
        });
        QTest::mouseClick(clear, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
        const bool reset = answer == MessageBoxes::Answer::Yes;
        EXPECT_EQ(settings.focusTarget[5], reset ? 6 : 40);
        EXPECT_EQ(settings.focusTarget[60], reset ? 60 : 1);
    }
    EXPECT_EQ(boxes.texts(), (QStringList{"    All default ?", "    All default ?"}));
}

TEST_F(KeyboardTest, DestinationMenuSetsTheFocusedRow) {
    open();
    QWidget* keyBox = control(Ctl::Key);
    keyBox->setFocus();
    choosePopupItem(61); // "62.  Edit"
    QTest::mouseClick(keyBox, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(settings.focusTarget[60], 61) << "the unchecked KEY box is row 61";
    EXPECT_EQ(settings.focusTarget[59], 59);
}

TEST_F(KeyboardTest, CqRepeatsWithTheWatchTimeBetweenAndStopsByItself) {
    settings.CQ_Sec = 6;
    settings.CQ_Limit = 3;
    settings.TX[0] = QStringLiteral("E");
    open();
    press(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(box(Ctl::Cq)->isChecked());
    EXPECT_TRUE(state.cqRepeat);
    tickCq(60'000);
    const QList<qint64> starts = keyDowns();
    ASSERT_EQ(starts.size(), 3);
    for (int i = 1; i < 3; ++i) {
        const qint64 between = starts[i] - starts[i - 1] - 240; // E and its gap last 240 ms
        EXPECT_GE(between, 6000);
        EXPECT_LE(between, 6100);
    }
    EXPECT_FALSE(box(Ctl::Cq)->isChecked());
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_FALSE(control(Ctl::CountProgress)->isVisible());
    EXPECT_EQ(static_cast<QProgressBar*>(control(Ctl::CountProgress))->value(), 3);
}

TEST_F(KeyboardTest, EnterDuringTheSecondCallCompletesItAndEndsTheRun) {
    settings.CQ_Sec = 2;
    settings.CQ_Limit = 5;
    settings.TX[0] = QStringLiteral("TEST");
    open();
    press(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
    tickCq(100); // the first call
    const qint64 secondStarts = clock.nowUs() + 2'050'000;
    clock.at(secondStarts + 200'000, [&] { QTest::keyPress(QApplication::focusWidget(), Qt::Key_Return); });
    tickCq(5'000);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(keyDowns().size(), 12) << "two whole calls of six elements";
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("TEST\nTEST\n")));
}

TEST_F(KeyboardTest, TypingACallWhileCqWatchesPutsItIntoCall) {
    settings.CQ_Sec = 10;
    settings.focusTarget[58] = 1; // "59.  Off" goes to CALL
    open();
    press(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
    tickCq(100);
    control(Ctl::Cq)->setFocus();
    tickCq(1000);
    QTest::keyPress(control(Ctl::Cq), Qt::Key_J);
    tickCq(100);
    QTest::keyRelease(control(Ctl::Cq), Qt::Key_J);
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("J"));
    EXPECT_EQ(settings.his[FieldCALL], QStringLiteral("J"));
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Call));
    EXPECT_FALSE(edit(Ctl::Call)->hasSelectedText());
    EXPECT_EQ(edit(Ctl::Call)->cursorPosition(), 1);
}

// While CQ runs the fields and buttons are disabled; the accelerators still reach the messages.
TEST_F(KeyboardTest, ATxPressStopsCqAndSends) {
    settings.TX[0] = QStringLiteral("E");
    settings.TX[1] = QStringLiteral("T");
    open();
    press(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
    tickCq(1000);
    EXPECT_FALSE(edit(Ctl::Name)->isEnabled());
    press(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("T\n")));
}

TEST_F(KeyboardTest, NoProgressBarWithProgressOff) {
    settings.CQ_Progress = 0;
    settings.CQ_Sec = 2;
    settings.CQ_Limit = 2;
    settings.TX[0] = QStringLiteral("E");
    open();
    bool seen = false;
    for (qint64 t = 50; t < 5000; t += 100)
        clock.at(clock.nowUs() + t * 1000, [&] {
            seen = seen || control(Ctl::TxProgress)->isVisible() || control(Ctl::WatchProgress)->isVisible();
        });
    press(control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
    tickCq(5000);
    EXPECT_EQ(keyDowns().size(), 2);
    EXPECT_FALSE(seen);
}

TEST_F(KeyboardTest, KeyboardKeyingSendsTheLineWithItsGaps) {
    settings.KEY_DATA = QStringLiteral("CQ TEST");
    settings.SIG_STANDBY = 2;
    open();
    press(control(Ctl::Clear), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(keyPeriods(), (QStringList{"+180", "-60",  "+60",  "-60",  "+180", "-60",  "+60",  "-180", // C
                                         "+180", "-60",  "+180", "-60",  "+60",  "-60",  "+180",         // Q
                                         "-421",                                                         // word gap
                                         "+180", "-180", "+60",  "-180",                                 // T E
                                         "+60",  "-60",  "+60",  "-60",  "+60",  "-180", "+180"}));      // S T
    EXPECT_TRUE(edit(Ctl::InputLine)->text().isEmpty());
    EXPECT_FALSE(port.rts()) << "PTT was held for the run and dropped after it";
    EXPECT_TRUE(box(Ctl::Key)->isChecked());
    EXPECT_TRUE(control(Ctl::Tx1)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box(Ctl::Key));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("\nCQ TEST\n"))) << "leaving the input line ended the line";
    edit(Ctl::InputLine)->setFocus();
    edit(Ctl::Call)->setFocus();
    EXPECT_FALSE(monitor().endsWith(QStringLiteral("\n\n"))) << "nothing keyed, nothing written";
}

TEST_F(KeyboardTest, EscapeLeavesTheRestAndUnchecksKey) {
    settings.KEY_DATA = QStringLiteral("TEST");
    open();
    clock.at(clock.nowUs() + 100'000, [&] { QTest::keyPress(QApplication::focusWidget(), Qt::Key_Escape); });
    press(control(Ctl::Clear), Qt::Key_K, Qt::ControlModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(edit(Ctl::InputLine)->text(), QStringLiteral("EST"));
    EXPECT_FALSE(box(Ctl::Key)->isChecked());
    EXPECT_EQ(keyDowns().size(), 1);
}

TEST_F(KeyboardTest, TypingDuringARunJoinsIt) {
    open();
    press(control(Ctl::Clear), Qt::Key_K, Qt::ControlModifier);
    QLineEdit* input = edit(Ctl::InputLine);
    ASSERT_EQ(QApplication::focusWidget(), box(Ctl::Key)) << "with default destinations the KEY box keeps the focus";
    input->setFocus();
    clock.at(clock.nowUs() + 30'000, [&] { QTest::keyClicks(input, "t"); });
    QTest::keyClicks(input, "e");
    EXPECT_EQ(keyPeriods(), (QStringList{"+60", "-180", "+180"}));
    EXPECT_TRUE(input->text().isEmpty());
}

TEST_F(KeyboardTest, SelectingTextShowsTheTxIndicatorAfterShiftIsReleased) {
    open();
    QAction* tx = frame.findChild<QAction*>("TX");
    QLineEdit* message = edit(Ctl::Msg1);
    message->setFocus();
    message->home(false);
    QTest::keyClick(message, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyRelease(message, Qt::Key_Shift);
    EXPECT_TRUE(tx->isVisible());
    QTest::keyClick(message, Qt::Key_Home);
    QTest::keyRelease(message, Qt::Key_Left);
    EXPECT_FALSE(tx->isVisible());
}

TEST_F(KeyboardTest, ContextMenuCopyLeavesTheTextUnselected) {
    settings.his[FieldQTH] = QStringLiteral("TOKYO");
    QApplication::clipboard()->clear();
    open();
    QLineEdit* qth = edit(Ctl::Qth);
    qth->setFocus();
    qth->selectAll();
    QStringList enabled;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator() && a->isEnabled())
                enabled << a->text();
        }
        for (QAction* a : menu->actions()) {
            if (a->text() == QLatin1String("Copy"))
                a->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), qth->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(qth, &event);
    EXPECT_EQ(enabled, (QStringList{"Cut", "Copy", "Delete", "Select all"}));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("TOKYO"));
    EXPECT_FALSE(qth->hasSelectedText());
    EXPECT_EQ(qth->text(), QStringLiteral("TOKYO"));
}

// The WPM box sits in the command bar, outside the form: keys pressed there are no business of the
// control that had the focus before.
TEST_F(KeyboardTest, KeysInTheWpmBoxDoNotActOnTheControlFocusedBefore) {
    settings.TX[2] = QStringLiteral("EE");
    settings.TX[0] = QStringLiteral("CQ TEST");
    open();
    press(control(Ctl::Clear), Qt::Key_3, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), control(Ctl::Tx3));
    ASSERT_EQ(keyDowns().size(), 2);

    QComboBox* wpm = frame.wpmBox();
    QTest::mouseClick(wpm, Qt::LeftButton);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the speed list opened";
    QTest::keyClick(wpm->view(), Qt::Key_Up);
    QTest::keyClick(wpm->view(), Qt::Key_Return);
    EXPECT_EQ(settings.WPM, 19);
    ASSERT_EQ(QApplication::focusWidget(), wpm);
    press(wpm, Qt::Key_Return);
    EXPECT_EQ(keyDowns().size(), 2) << "Enter in the WPM box sent TX03 again";

    edit(Ctl::Msg1)->setFocus();
    edit(Ctl::Msg1)->setSelection(3, 4);
    wpm->setFocus();
    press(wpm, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(keyDowns().size(), 2) << "Ctrl+T keyed the selection of an edit without the focus";

    view()->AppendMonitorText(QStringLiteral("DE Q1ABC"));
    static_cast<QPlainTextEdit*>(control(Ctl::TextArea))->setFocus();
    wpm->setFocus();
    press(wpm, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(edit(Ctl::Call)->text().isEmpty()) << "Alt+C picked from a text area without the focus";
}

TEST_F(KeyboardTest, EnterAndTabInTheTextAreaNeverTypeIntoIt) {
    open();
    auto* area = static_cast<QPlainTextEdit*>(control(Ctl::TextArea));
    view()->AppendMonitorText(QStringLiteral("UR 5NN"));
    const QString before = monitor();
    area->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        press(area, key);
        press(area, key, Qt::ShiftModifier);
    }
    EXPECT_EQ(monitor(), before);
    EXPECT_EQ(QApplication::focusWidget(), area) << "the text area has no destination: Enter does nothing";
    press(area, Qt::Key_Tab);
    EXPECT_EQ(monitor(), before);
    EXPECT_NE(QApplication::focusWidget(), area) << "Tab moves on to the next control";
}

TEST_F(KeyboardTest, RightClickShowsOnlyTheProgramsMenuAndDismissingItLeavesNoOther) {
    settings.his[FieldQTH] = QStringLiteral("TOKYO");
    open();
    auto* area = static_cast<QPlainTextEdit*>(control(Ctl::TextArea));
    view()->AppendMonitorText(QStringLiteral("UR 5NN"));
    struct Place {
        const char* name;
        QWidget* edit;
        QWidget* clicked;
    };
    const Place places[] = {{"line edit", edit(Ctl::Qth), edit(Ctl::Qth)}, {"text area", area, area->viewport()}};
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        place.edit->setFocus();
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            shown = popup->objectName();
            QTest::keyClick(popup, Qt::Key_Escape);
        });
        rightClick(place.clicked);
        QCoreApplication::processEvents();
        EXPECT_EQ(shown, QStringLiteral("editMenu"));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a second menu popped up";
    }
}

TEST_F(KeyboardTest, TextAreaMenuCopiesAndDeselects) {
    QApplication::clipboard()->clear();
    open();
    auto* area = static_cast<QPlainTextEdit*>(control(Ctl::TextArea));
    view()->AppendMonitorText(QStringLiteral("UR 5NN Q1ABC"));
    area->setFocus();
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(int(monitor().indexOf(QStringLiteral("Q1ABC"))));
    cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    area->setTextCursor(cursor);
    QStringList items;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                items << a->text() + (a->isEnabled() ? "" : "-");
        }
        for (QAction* a : menu->actions()) {
            if (a->text() == QLatin1String("Copy"))
                a->trigger();
        }
        menu->close();
    });
    rightClick(area->viewport());
    EXPECT_EQ(items, (QStringList{"Undo-", "Cut", "Copy", "Paste-", "Delete", "Select all"}));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Q1ABC"));
    EXPECT_FALSE(area->textCursor().hasSelection());
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("UR 5NN Q1ABC")));
}

TEST_F(KeyboardTest, AllResetAnsweredWithEnterKeepsTheDestinations) {
    settings.focusTarget[5] = 40;
    open();
    QWidget* clear = control(Ctl::Clear);
    clear->setFocus();
    choosePopupItem(-1);
    QTest::mouseClick(clear, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].buttons, MessageBoxes::Buttons::YesNoDefaultNo);
    EXPECT_EQ(settings.focusTarget[5], 40) << "the box's default button reset every destination";
}

TEST_F(KeyboardTest, BankDestinationsPointingIntoEachOthersBankEndAtTheDestination) {
    settings.focusTarget[55] = 7;  // "56.9- On" goes to "08.TX01" (shown in TX01-TX08 only)
    settings.focusTarget[56] = 23; // "57.  Off" goes to "24.TX09" (shown in TX09-TX16 only)
    open();
    press(control(Ctl::Clear), Qt::Key_9, Qt::ControlModifier);
    EXPECT_FALSE(box(Ctl::Bank)->isChecked()) << "the destination of the checked box switched back";
    EXPECT_EQ(view()->shownBank(), 0);
    EXPECT_EQ(QApplication::focusWidget(), control(Ctl::Tx1));
    EXPECT_EQ(static_cast<QPushButton*>(control(Ctl::Tx1))->text(), QStringLiteral("{TX01}[1]"));
}

TEST_F(KeyboardTest, DismissingTheDestinationMenuChangesNothing) {
    open();
    const auto before = settings.focusTarget;
    QWidget* keyBox = control(Ctl::Key);
    keyBox->setFocus();
    bool titleShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        titleShown =
            view()->findChild<QWidget*>("focusTitle") && view()->findChild<QWidget*>("focusTitle")->isVisible();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::mouseClick(keyBox, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(titleShown);
    EXPECT_EQ(settings.focusTarget, before);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(frame.wpmBox()->isEnabled()) << "the command bar is given back";
    EXPECT_TRUE(boxes.shown().isEmpty());
}

} // namespace
