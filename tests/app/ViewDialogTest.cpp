// The view dialog over the operating screen, against a companion on 127.0.0.1, worked with real
// keys and clicks while it is open.
#include "link/ViewDialog.h"
#include "LinkFrameFixture.h"
#include "resources/Accel128.h"
#include "resources/Dialog147.h"
#include "screen/LinkScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

namespace {

/// One 37-character item record.
QString Record(const char* name, const char* value, int type, int minimum = 0, int maximum = 0, int scale = 0) {
    return QString::asprintf("%-16.16s%-4.4s    %d%-4d%-4d%-4d", name, value, type, minimum, maximum, scale);
}

class ViewDialogTest : public LinkFrameTest {
protected:
    /// Opens the dialog with the V button and works it with body while it is open; the dialog
    /// is closed afterwards if body left it open.
    void withDialog(const std::function<void(ViewDialog&)>& body) {
        QTimer::singleShot(0, [this, body] {
            ViewDialog* dialog = view()->link().viewDialog();
            if (!dialog) {
                ADD_FAILURE() << "the view dialog did not open";
                return;
            }
            // As the window system would on showing it; the test set the frame active by hand.
            dialog->activateWindow();
            QApplication::setActiveWindow(dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            body(*dialog);
            if (view()->link().viewDialog())
                dialog->done(QDialog::Rejected);
        });
        QTest::mouseClick(control(Ctl::View), Qt::LeftButton);
        EXPECT_EQ(view()->link().viewDialog(), nullptr);
    }
    /// Waits until the requests the screen sent include request; returns those before it too.
    bool awaitRequest(const QByteArray& request) {
        return QTest::qWaitFor(
            [&] {
                for (const QByteArray& r : requests())
                    m_seen.append(r);
                return m_seen.contains(request);
            },
            kWaitMs);
    }
    QList<QByteArray> seen() {
        for (const QByteArray& r : requests())
            m_seen.append(r);
        return std::exchange(m_seen, {});
    }
    static QWidget* in(ViewDialog& d, int id) { return d.control(id); }
    static QLineEdit* stringEdit(ViewDialog& d, int n) {
        return static_cast<QLineEdit*>(d.control(ViewCtl::kStringEdits[n - 1]));
    }
    /// Answers string n with its own text at a pitch of 400 + 10 n Hz.
    void answer(int n) { fromCompanion(QString::asprintf("GET%02d %04d STRING %d\r", n, 400 + 10 * n, n).toLatin1()); }

    QList<QByteArray> m_seen;
};

TEST_F(ViewDialogTest, AReadingRoundAsksEachStringAfterTheAnswerToTheOneBefore) {
    open();
    settings.LOOP = 0;
    withDialog([this](ViewDialog& d) {
        EXPECT_TRUE(d.windowTitle().startsWith("Tarvo v1.00 - VIEW (CTRL+SHIFT+1toD,I,S,L,G,V,N,M,UP,DOWN)"));
        EXPECT_TRUE(d.windowTitle().endsWith(" TX1-8"));
        EXPECT_EQ(seen(), QList<QByteArray>{"SPEC \r"});
        fromCompanion("SPEC " + (Record("AFC", "1", 1) + Record("Width", "200", 2, 50, 500, 500)).toLatin1() + "+\r");
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return static_cast<QComboBox*>(in(d, ViewCtl::Items))->count() == 2; }, kWaitMs));
        EXPECT_FALSE(in(d, ViewCtl::Get)->isEnabled());
        clock.advanceMs(1);
        ASSERT_TRUE(awaitRequest("GET01 \r"));
        for (int n = 1; n <= 13; ++n) {
            answer(n);
            if (n < 13) {
                ASSERT_TRUE(awaitRequest(QString::asprintf("GET%02d \r", n + 1).toLatin1())) << n;
            }
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return in(d, ViewCtl::Get)->isEnabled(); }, kWaitMs));
        EXPECT_EQ(stringEdit(d, 13)->text(), QStringLiteral("STRING 13"));
        EXPECT_EQ(static_cast<QRadioButton*>(in(d, ViewCtl::FirstString + 9))->text(), QStringLiteral("500"));
        clock.advanceMs(1000);
        QTest::qWait(20);
        seen();
        EXPECT_TRUE(requests().isEmpty()) << "without Loop one round only";

        // Loop: the next round 300 ms after string 13; a missing answer ends it there.
        QTest::mouseClick(in(d, ViewCtl::Loop), Qt::LeftButton, {}, QPoint(4, in(d, ViewCtl::Loop)->height() / 2));
        clock.advanceMs(1);
        ASSERT_TRUE(awaitRequest("GET01 \r"));
        seen();
        for (int n = 1; n <= 13; ++n) {
            answer(n);
            if (n < 13) {
                ASSERT_TRUE(awaitRequest(QString::asprintf("GET%02d \r", n + 1).toLatin1()));
            }
        }
        QTest::qWait(20);
        clock.advanceMs(299);
        EXPECT_FALSE(seen().contains("GET01 \r"));
        clock.advanceMs(1);
        ASSERT_TRUE(awaitRequest("GET01 \r"));
        answer(1);
        ASSERT_TRUE(awaitRequest("GET02 \r"));
        clock.advanceMs(5000);
        QTest::qWait(20);
        seen();
        EXPECT_TRUE(requests().isEmpty()) << "no answer for string 2: the round waits";
        EXPECT_FALSE(in(d, ViewCtl::Get)->isEnabled());
    });
    EXPECT_EQ(settings.LOOP, 1) << "kept for the next opening";
}

TEST_F(ViewDialogTest, EachValueControlSendsItsPayload) {
    open();
    settings.SELECT = 0;
    withDialog([this](ViewDialog& d) {
        const QString records = Record("Clear", "0", 0) + Record("AFC", "0", 1) + Record("Squelch", "15", 2, 0, 50, 1) +
                                Record("Width", "200", 2, 50, 500, 500) + Record("Prefix", "Q1", 3, 0, 4);
        fromCompanion("SPEC " + records.toLatin1() + "+\r");
        auto* items = static_cast<QComboBox*>(in(d, ViewCtl::Items));
        ASSERT_TRUE(QTest::qWaitFor([&] { return items->count() == 5; }, kWaitMs));
        clock.advanceMs(1);
        ASSERT_TRUE(awaitRequest("GET01 \r"));
        seen();
        EXPECT_EQ(items->itemText(2), QStringLiteral("Squelch         "));

        EXPECT_FALSE(in(d, ViewCtl::Select)->isHidden());
        QTest::mouseClick(in(d, ViewCtl::Select), Qt::LeftButton);
        ASSERT_TRUE(awaitRequest("VAL 0000 0001\r"));

        items->setCurrentIndex(1);
        QWidget* check = in(d, ViewCtl::Check);
        ASSERT_FALSE(check->isHidden());
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        ASSERT_TRUE(awaitRequest("VAL 0001 0001\r"));
        EXPECT_EQ(d.itemRecords()[1].mid(16, 4), QStringLiteral("1   "));

        items->setCurrentIndex(2);
        auto* list = static_cast<QComboBox*>(in(d, ViewCtl::ValueList));
        ASSERT_FALSE(list->isHidden());
        EXPECT_EQ(list->currentText(), QStringLiteral("1.5"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_TRUE(awaitRequest("VAL 0002 0016\r"));
        EXPECT_EQ(d.itemRecords()[2].mid(16, 4), QStringLiteral("16  "));

        items->setCurrentIndex(3);
        EXPECT_EQ(list->count(), 10) << "50 to 500 in steps of 50";
        EXPECT_EQ(list->currentText(), QStringLiteral("200"));

        items->setCurrentIndex(4);
        auto* text = static_cast<QLineEdit*>(in(d, ViewCtl::ValueEdit));
        ASSERT_FALSE(text->isHidden());
        EXPECT_EQ(text->text(), QStringLiteral("Q1"));
        EXPECT_EQ(text->maxLength(), 4);
        seen();
        text->setFocus();
        QTest::keyClick(text, Qt::Key_X);
        ASSERT_TRUE(awaitRequest("VAL 0004 Q1x\r"));
        EXPECT_EQ(seen(), QList<QByteArray>{"VAL 0004 Q1x\r"}) << "changes made by the program send nothing";
    });
    EXPECT_EQ(settings.SELECT, 4);
}

TEST_F(ViewDialogTest, APickFillsTheFieldAndActionAndExitMovesTheFocusOn) {
    open();
    settings.SELEXIT = 1;
    settings.LOOP = 0;
    withDialog([this](ViewDialog& d) {
        fromCompanion("GET03 0620 CQ DE Q1ABC K\r");
        QLineEdit* string3 = stringEdit(d, 3);
        ASSERT_TRUE(QTest::qWaitFor([&] { return string3->text() == QStringLiteral("CQ DE Q1ABC K"); }, kWaitMs));
        EXPECT_EQ(static_cast<QRadioButton*>(in(d, ViewCtl::FirstString + 2))->text(), QStringLiteral("620"));
        string3->setFocus();
        string3->setCursorPosition(8);
        QTest::mouseClick(in(d, ViewCtl::kPicks[0]), Qt::LeftButton);
    });
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("Q1ABC"));
    EXPECT_TRUE(requests().contains("CALL Q1ABC\r"));
    EXPECT_NE(QApplication::focusWidget(), edit(Ctl::Call)) << "the focus moved on from CALL";
}

TEST_F(ViewDialogTest, ChoosingAStringNamesItOnTheRcvCwBoxOnceItsPitchIsKnown) {
    open();
    settings.SELEXIT = 0;
    const QString caption = box(Ctl::RcvCw)->text();
    withDialog([&](ViewDialog& d) {
        QTest::keyClick(&d, Qt::Key_5, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(box(Ctl::RcvCw)->text(), caption) << "pitch not known yet";
        fromCompanion("GET05 0700 TEST\r");
        ASSERT_TRUE(QTest::qWaitFor([&] { return stringEdit(d, 5)->text() == QStringLiteral("TEST"); }, kWaitMs));
        QTest::keyClick(&d, Qt::Key_5, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(box(Ctl::RcvCw)->text(), QStringLiteral("5 700Hz"));
        EXPECT_TRUE(static_cast<QRadioButton*>(in(d, ViewCtl::FirstString + 4))->isChecked());
    });
    EXPECT_EQ(settings.Recv_STRINGS, 5);
}

TEST_F(ViewDialogTest, TheDialogsFrequencyFollowsTheSteps) {
    open();
    handled("LOGDT \n\n\n\n\n\n7.02500\nCW\n\n\n\n\n\n\n\n\r");
    withDialog([this](ViewDialog& d) {
        auto* frequency = static_cast<QLineEdit*>(in(d, ViewCtl::Freq));
        EXPECT_EQ(frequency->text(), QStringLiteral("7.02500"));
        EXPECT_TRUE(d.windowTitle().endsWith("  7.02500 TX1-8"));
        seen();
        ASSERT_EQ(QApplication::focusWidget(), in(d, ViewCtl::FirstString)) << "the selected string's radio button";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(awaitRequest("FSET 7.02501      CW\r")) << "with the focus on a string's radio button";
        EXPECT_EQ(frequency->text(), QStringLiteral("7.02501"));
        EXPECT_TRUE(d.windowTitle().endsWith("  7.02501 TX1-8"));
        fromCompanion("FSET \r");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !frequency->isReadOnly(); }, kWaitMs));
        frequency->setFocus();
        frequency->setCursorPosition(5);
        QTest::keyClick(frequency, Qt::Key_Up);
        ASSERT_TRUE(awaitRequest("FSET 7.02600      CW\r")) << "snapped to the kHz";
        EXPECT_EQ(edit(Ctl::Freq)->text(), QStringLiteral("7.02600")) << "both edits";
        EXPECT_EQ(frequency->text(), QStringLiteral("7.02600"));
    });
}

TEST_F(ViewDialogTest, ItsKeysCloseItOrWorkTheScreen) {
    open();
    struct Close {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    for (const Close& c : {Close{Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier},
                           Close{Qt::Key_K, Qt::ControlModifier}, Close{Qt::Key_Escape, Qt::NoModifier}}) {
        bool closed = false;
        withDialog([&](ViewDialog& d) {
            QTest::keyClick(QApplication::focusWidget(), c.key, c.mods);
            closed = !d.isVisible();
        });
        EXPECT_TRUE(closed) << c.key;
    }
    withDialog([this](ViewDialog& d) {
        seen();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(awaitRequest("FREQ \r"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(static_cast<QCheckBox*>(in(d, ViewCtl::Loop))->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), in(d, ViewCtl::Items));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_9, Qt::ControlModifier);
        EXPECT_TRUE(box(Ctl::Bank)->isChecked()) << "the screen's bank switch";
        EXPECT_TRUE(d.windowTitle().endsWith(" TX9-16"));
        view()->putField(FieldCALL, "Q1ABC");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_0, Qt::ControlModifier);
        EXPECT_TRUE(edit(Ctl::Call)->text().isEmpty()) << "the screen's Clear";
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(settings.LOOP, 1);
}

TEST_F(ViewDialogTest, TheWheelTurnedBackWithCtrlShiftOpensIt) {
    open();
    int opened = 0;
    QTimer watch; // closes the dialog whenever it has opened
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (ViewDialog* d = view()->link().viewDialog()) {
            ++opened;
            d->done(QDialog::Rejected);
        }
    });
    watch.start();
    QLineEdit* call = edit(Ctl::Call);
    const auto turn = [call](int delta) {
        const QPointF at(call->width() / 2.0, call->height() / 2.0);
        QWheelEvent event(at, call->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier | Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(call, &event);
    };
    turn(120);
    QTest::qWait(30);
    EXPECT_EQ(opened, 0) << "turned away from the operator";
    turn(-120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, kWaitMs));

    // Between the controls, over the form itself.
    const QPoint gap = control(Ctl::LabelCall)->geometry().topLeft() - QPoint(0, 1);
    ASSERT_EQ(view()->childAt(gap), nullptr);
    QWheelEvent back(gap, view()->mapToGlobal(QPointF(gap)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ControlModifier | Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view(), &back);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 2; }, kWaitMs));
}

TEST_F(ViewDialogTest, EscapeWhileTheRemoteWaitsGivesTheWaitUpAndKeepsTheDialog) {
    UdpSocket host;
    ASSERT_TRUE(host.bind(kLoopbackIpv4, 0));
    settings.Remote_USE = 1;
    settings.Remote_HOST = 0;
    settings.Remote_IP = kLoopbackText;
    settings.Remote_PORT = host.localPort();
    open();
    withDialog([&](ViewDialog& d) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
        ASSERT_TRUE(ReceiveOne(host).has_value()) << "the text went to the host";
        ASSERT_TRUE(view()->link().remoteWaiting());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        const auto escape = ReceiveOne(host);
        ASSERT_TRUE(escape.has_value());
        EXPECT_EQ(escape->bytes, QByteArray("ESCAPE \r"));
        EXPECT_FALSE(view()->link().remoteWaiting());
        EXPECT_TRUE(d.isVisible()) << "that Escape only gave the wait up";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
}

TEST_F(ViewDialogTest, WithViewFocusFreqTheDialogOpensInItsFrequency) {
    settings.viewFocusFreq = true;
    open();
    handled("LOGDT \n\n\n\n\n\n14.07400\nCW\n\n\n\n\n\n\n\n\r");
    edit(Ctl::Freq)->setSelection(3, 2);
    withDialog([this](ViewDialog& d) {
        QTest::qWait(20);
        auto* frequency = static_cast<QLineEdit*>(in(d, ViewCtl::Freq));
        EXPECT_EQ(QApplication::focusWidget(), frequency);
        EXPECT_EQ(frequency->selectedText(), QStringLiteral("07"));
    });
}

} // namespace
