#include "FormViewFixture.h"

#include "screen/TxBank.h"

namespace {

TEST_F(FormViewTest, TxPressKeysTheExpandedMessageInsidePtt) {
    settings.his[FieldCALL] = QStringLiteral("TRV1ABC");
    settings.DELAY = 5;
    open();
    bool disabledDuringSend = false;
    clock.at(openedUs + 100'000, [&] {
        disabledDuringSend = !button(Ctl::Tx1)->isEnabled() && !edit(Ctl::Call)->isEnabled() && !frame.barEnabled &&
                             view->control(Ctl::Esc)->isVisible() && view->control(Ctl::Esc)->isEnabled();
    });
    click(button(Ctl::Tx2));

    const QStringList lines = lineLog();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"P+ 0", "K+ 50", "K- 230"})) << "PTT, the lead time, then T";
    const int lastKey = lines[lines.size() - 2].mid(3).toInt();
    EXPECT_EQ(lines.last(), QStringLiteral("P- %1").arg(lastKey + 180)) << "PTT drops after the last gap";
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("TRV1ABC GM UR 5NN BK\n")));
    EXPECT_TRUE(disabledDuringSend);
    EXPECT_TRUE(button(Ctl::Tx1)->isEnabled());
    EXPECT_TRUE(frame.barEnabled);
    EXPECT_FALSE(view->control(Ctl::Esc)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), button(Ctl::Tx2));
    EXPECT_FALSE(state.sending);
}

TEST_F(FormViewTest, RefusedMessageSelectsItsTokenAndKeysNothing) {
    settings.his[FieldCALL].clear();
    open();
    click(button(Ctl::Tx2));
    EXPECT_EQ(lineLog(), (QStringList{"P+ 0", "P- 0"})) << "PTT still goes up and down around the refusal";
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Msg2));
    EXPECT_EQ(edit(Ctl::Msg2)->selectedText(), QStringLiteral("{*CALL}"));
}

TEST_F(FormViewTest, EscapeStopsBeforeTheNextElementAndTheButtonKeepsTheFocus) {
    settings.TX[6] = QStringLiteral("TEST");
    open();
    clock.at(openedUs + 100'000, [&] { QTest::keyPress(view.get(), Qt::Key_Escape); });
    click(button(Ctl::Tx7));
    QTest::keyRelease(view.get(), Qt::Key_Escape);
    EXPECT_EQ(lineLog(), (QStringList{"P+ 0", "K+ 0", "K- 180", "P- 360"}));
    EXPECT_EQ(QApplication::focusWidget(), button(Ctl::Tx7));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("T\n")));
}

TEST_F(FormViewTest, HoldingTheMouseOnEscStopsButElsewhereDoesNot) {
    settings.TX[6] = QStringLiteral("TEST");
    open();
    QWidget* esc = view->control(Ctl::Esc);
    clock.at(openedUs + 100'000, [&] { QTest::mousePress(esc, Qt::LeftButton, {}, QPoint(3, 3)); });
    click(button(Ctl::Tx7));
    QTest::mouseRelease(esc, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(lineLog().size(), 4);

    port.clear();
    QWidget* area = view->control(Ctl::TextArea);
    clock.at(clock.nowUs() + 100'000, [&] { QTest::mousePress(area, Qt::LeftButton, {}, QPoint(3, 3)); });
    const qint64 start = clock.nowUs();
    view->SendPreparedMessage(7);
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(lineLog().size(), 2 + 2 * 6) << "PTT and all six elements of TEST";
    EXPECT_GT(clock.nowUs() - start, 1'000'000);
}

TEST_F(FormViewTest, ASecondPressDuringASendDoesNothing) {
    settings.TX[0] = QStringLiteral("EE");
    settings.TX[2] = QStringLiteral("TTTT");
    open();
    clock.at(openedUs + 30'000, [&] { view->SendPreparedMessage(3); });
    click(button(Ctl::Tx1));
    EXPECT_EQ(lineLog(), (QStringList{"P+ 0", "K+ 0", "K- 60", "K+ 240", "K- 300", "P- 480"}));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("EE\n")));
}

TEST_F(FormViewTest, BanksShowTheirMessagesAndKeepBothSets) {
    settings.to9 = 1;
    open();
    for (int position = 1; position <= 8; ++position) {
        EXPECT_EQ(button(Ctl::kTxButtons[position - 1])->text(), TxCaption(1, position));
        EXPECT_EQ(edit(Ctl::kTxEdits[position - 1])->text(), settings.TX[7 + position]);
    }
    EXPECT_EQ(button(Ctl::Tx5)->text(), QStringLiteral("{TX13}[5]"));

    const QString tx01 = settings.TX[0];
    edit(Ctl::Msg1)->setFocus();
    edit(Ctl::Msg1)->selectAll();
    QTest::keyClicks(edit(Ctl::Msg1), "qrz?");
    EXPECT_EQ(settings.TX[8], QStringLiteral("QRZ?")) << "typed text is upper case and goes to TX09";
    EXPECT_EQ(settings.TX[0], tx01);

    click(box(Ctl::Bank));
    EXPECT_EQ(settings.to9, 0);
    EXPECT_EQ(button(Ctl::Tx1)->text(), QStringLiteral("{TX01}[1]"));
    EXPECT_EQ(edit(Ctl::Msg1)->text(), tx01);
    click(box(Ctl::Bank));
    EXPECT_EQ(edit(Ctl::Msg1)->text(), QStringLiteral("QRZ?"));
}

TEST_F(FormViewTest, ClearResetsOnlyFieldsWhoseFlagIsOn) {
    settings.chk.fill(0);
    settings.chk[FieldRST] = 1;
    open();
    edit(Ctl::Call)->setFocus();
    QTest::keyClicks(edit(Ctl::Call), "trv2xyz");
    edit(Ctl::Rst)->setFocus();
    edit(Ctl::Rst)->selectAll();
    QTest::keyClicks(edit(Ctl::Rst), "599");
    EXPECT_EQ(settings.his[FieldRST], QStringLiteral("599"));
    EXPECT_TRUE(view->contactChanged());

    click(button(Ctl::Clear));
    EXPECT_EQ(edit(Ctl::Rst)->text(), QStringLiteral("5NN"));
    EXPECT_EQ(settings.his[FieldRST], QStringLiteral("5NN"));
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("TRV2XYZ"));
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Call)) << "Clear moves on to CALL";
    EXPECT_EQ(edit(Ctl::Call)->selectedText(), QStringLiteral("TRV2XYZ"));
}

TEST_F(FormViewTest, InitialUpdateFillsTheScreen) {
    settings.his[FieldNAME] = QStringLiteral("JOE");
    settings.KEY = 1;
    settings.KEY_DATA = QStringLiteral("TEST");
    settings.Select = 2;
    settings.currentTitle = QStringLiteral("Contest");
    settings.currentMYCALL = QStringLiteral("TRV/P");
    settings.currentMYQTH = QStringLiteral("QTH1");
    open();
    EXPECT_EQ(edit(Ctl::Name)->text(), QStringLiteral("JOE"));
    EXPECT_FALSE(box(Ctl::Key)->isChecked());
    EXPECT_EQ(settings.KEY, 0);
    EXPECT_EQ(edit(Ctl::InputLine)->text(), QStringLiteral("TEST"));
    EXPECT_EQ(monitor(), QStringLiteral(" TX monitor area ( No.2 \"Contest\" \"TRV/P\" \"QTH1\" )\n"));
    EXPECT_EQ(QApplication::focusWidget(), button(Ctl::Clear));
    EXPECT_TRUE(button(Ctl::Clear)->isDefault());
    EXPECT_EQ(frame.indicator, QList<int>{TxHidden});
    EXPECT_EQ(audio.calls().value(0), QStringLiteral("open -1 11025")) << "the sidetone is built";
    EXPECT_EQ(edit(Ctl::Call)->maxLength(), 250);
}

TEST_F(FormViewTest, SendSelectionKeysTheSelectedTextWithTheIndicatorPressed) {
    open();
    edit(Ctl::Msg3)->setFocus();
    edit(Ctl::Msg3)->setSelection(3, 3);
    ASSERT_EQ(edit(Ctl::Msg3)->selectedText(), QStringLiteral("QSL"));
    view->SendSelection();
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("QSL\n")));
    EXPECT_EQ(frame.indicator.mid(1), (QList<int>{TxPressed, TxShown, TxHidden})) << "the send took the selection away";
    EXPECT_EQ(lineLog().first(), QStringLiteral("P+ 0"));

    port.clear();
    button(Ctl::Clear)->setFocus();
    view->SendSelection();
    EXPECT_TRUE(port.changes().isEmpty()) << "only the sixteen edits count";
}

TEST_F(FormViewTest, CqStoppedEarlyShowsTheCqMessageWithTheSpanSelected) {
    settings.CQ_Sel = 12;
    settings.TX[11] = QStringLiteral("CQ {*MYCALL} K");
    open();
    box(Ctl::Cq)->setChecked(true);
    state.cqRepeat = true;
    view->CqStoppedEarly(TokenSpan{3, 12});
    EXPECT_FALSE(box(Ctl::Cq)->isChecked());
    EXPECT_FALSE(state.cqRepeat);
    EXPECT_TRUE(box(Ctl::Bank)->isChecked());
    EXPECT_EQ(button(Ctl::Tx4)->text(), QStringLiteral("{TX12}[4]"));
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Msg4));
    EXPECT_EQ(edit(Ctl::Msg4)->selectedText(), QStringLiteral("{*MYCALL}"));
}

TEST(TxBank, CaptionsAndSelectionText) {
    EXPECT_EQ(TxCaption(0, 1), QStringLiteral("{TX01}[1]"));
    EXPECT_EQ(TxCaption(1, 8), QStringLiteral("{TX16}[8]"));
    EXPECT_EQ(SendableSelection(QStringLiteral("CQ\r\nTEST\nK")), QStringLiteral("CQ TEST K"));
}

} // namespace
