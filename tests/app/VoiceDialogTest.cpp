// The voice memory dialog over the operating screen, worked with real keys and clicks while it is
// open; the voice CQ runs on the virtual clock, which dispatches the events scheduled into it.
#include "voice/VoiceDialog.h"
#include "FrameFixture.h"
#include "resources/Dialog134.h"
#include "resources/Menu128.h"
#include "voice/WaveBytes.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace {

using Line = RecordingSerialPort::Line;
using VoiceCtl::kRows;

class VoiceDialogTest : public FrameTest {
protected:
    /// KEY on DTR, PTT on RTS with a 50 ms lead, a 6 s CQ interval and three repeats.
    VoiceDialogTest() {
        settings.SIG = 1;
        settings.SIG_STANDBY = 2;
        settings.DELAY = 5;
        settings.CQ_Sec = 6;
        settings.CQ_Limit = 3;
    }

    /// Works the voice dialog with body once it shows, then closes it with its close box if body
    /// left it open; opener opens it.
    void withDialog(
        const std::function<void(VoiceDialog&)>& body, const std::function<void()>& opener = [] {}) {
        bool shown = false;
        auto* poll = new QTimer;
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, [poll, body, &shown] {
            auto* dialog = qobject_cast<VoiceDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            shown = true;
            // As the window system would on showing it; the test set the frame active by hand.
            dialog->activateWindow();
            QApplication::setActiveWindow(dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            body(*dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        poll->start();
        if (opener)
            opener();
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown && !QApplication::activeModalWidget(); }, 5000));
        delete poll;
        EXPECT_TRUE(shown) << "the voice dialog did not show";
    }
    /// Opens the dialog from "Voice CQ (&V)".
    void fromMenu(const std::function<void(VoiceDialog&)>& body) {
        withDialog(body, [this] { frame.action(Cmd::VoiceCq)->trigger(); });
    }
    /// Presses a row's TX button with Ctrl and its digit, as the operator starts a voice CQ.
    void ctrlDigit(VoiceDialog& d, int row) {
        startUs = clock.nowUs();
        QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key(Qt::Key_1 + row), Qt::ControlModifier);
    }
    /// At ms after the start, a key goes down or up on the dialog.
    void keyAt(VoiceDialog& d, qint64 ms, Qt::Key key, bool down, Qt::KeyboardModifiers modifiers = {}) {
        clock.at(startUs + ms * 1000, [&d, key, down, modifiers] {
            if (down)
                QTest::keyPress(&d, key, modifiers);
            else
                QTest::keyRelease(&d, key, modifiers);
        });
    }
    static QLineEdit* lineEdit(VoiceDialog& d, int id) { return static_cast<QLineEdit*>(d.control(id)); }
    static QComboBox* list(VoiceDialog& d, int id) { return static_cast<QComboBox*>(d.control(id)); }
    static QAbstractButton* button(VoiceDialog& d, int id) { return static_cast<QAbstractButton*>(d.control(id)); }
    static QString text(VoiceDialog& d, int id) { return static_cast<QLabel*>(d.control(id))->text(); }

    QTemporaryDir dir;
    qint64 startUs = 0;
};

TEST_F(VoiceDialogTest, BootOpensTheDialogWhereCtrl1PlaysRow1BetweenPttAndKey) {
    settings.Boot = 1;
    settings.File[0] = WriteWave(dir, 2000);
    withDialog(
        [this](VoiceDialog& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromLatin1(VoiceCtl::kCaption));
            ctrlDigit(d, 0);
            EXPECT_EQ(lineRises(Line::Rts, startUs), QList<qint64>{0});
            EXPECT_EQ(lineRises(Line::Dtr, startUs), QList<qint64>{50}) << "KEY the PTT lead after PTT";
            EXPECT_EQ(linePeriods(Line::Dtr), QStringList{"+2000"}) << "for the whole file";
            EXPECT_EQ(linePeriods(Line::Rts), QStringList{"+2050"}) << "PTT drops right after KEY";
            EXPECT_FALSE(port.dtr());
            EXPECT_FALSE(port.rts());
            EXPECT_EQ(voiceAudio.calls().mid(0, 2), (QStringList{"open -1 8000", "queue 16000"}));
            EXPECT_FALSE(voiceAudio.isOpen()) << "the output closed with the call";
            EXPECT_EQ(text(d, VoiceCtl::CountText), QStringLiteral("Count (  1 / 1  Times )"));
            EXPECT_EQ(text(d, VoiceCtl::TxText), QStringLiteral("TX ( 2.000 Sec )"));
            EXPECT_EQ(d.focusWidget(), d.control(kRows[0].tx)) << "Space starts the row again";
            EXPECT_TRUE(d.control(kRows[0].file)->isEnabled());
            EXPECT_TRUE(d.control(VoiceCtl::StopIcon)->isHidden());
        },
        [this] { open(); });
}

TEST_F(VoiceDialogTest, TheScreenStandsAsideWhileTheDialogIsOpen) {
    settings.chk_CLOSE = 1;
    open();
    lines.EnsureOpen();
    ASSERT_TRUE(audio.isOpen()) << "the sidetone holds the output";
    fromMenu([this](VoiceDialog&) {
        EXPECT_FALSE(audio.isOpen()) << "the sidetone let the output go";
        EXPECT_FALSE(lines.isOpen()) << "\"Everytime, it close.\" closes the port";
        EXPECT_FALSE(control(Ctl::Call)->isEnabled());
        EXPECT_FALSE(frame.menuBar()->isEnabled());
        lines.EnsureOpen();
    });
    EXPECT_FALSE(lines.isOpen()) << "and closes it again after";
    EXPECT_TRUE(audio.isOpen()) << "the sidetone is built again";
    EXPECT_TRUE(control(Ctl::Call)->isEnabled());
    EXPECT_TRUE(frame.menuBar()->isEnabled());
    EXPECT_EQ(frame.focusWidget(), control(Ctl::Clear));
    EXPECT_TRUE(static_cast<QPushButton*>(control(Ctl::Clear))->isDefault());
}

TEST_F(VoiceDialogTest, OpeningShowsTheStoredRowsAndOnlyTheCloseBoxKeepsChanges) {
    settings.CQ_Limit = 5;
    settings.CQ = {0, 1, 0, 0, 0, 1};
    settings.Cmnt[1] = QStringLiteral("short CQ");
    settings.File[1] = QStringLiteral("/calls/cq.wav");
    settings.CutPre[1] = 3;
    settings.CutPost[1] = 20;
    open();
    fromMenu([](VoiceDialog& d) {
        EXPECT_TRUE(button(d, kRows[0].once)->isChecked());
        EXPECT_TRUE(button(d, kRows[1].repeat)->isChecked());
        EXPECT_EQ(button(d, kRows[1].repeat)->text(), QStringLiteral(" 5"));
        EXPECT_EQ(button(d, kRows[1].once)->text(), QStringLiteral("1"));
        EXPECT_EQ(lineEdit(d, kRows[1].comment)->text(), QStringLiteral("short CQ"));
        EXPECT_EQ(lineEdit(d, kRows[1].file)->text(), QStringLiteral("/calls/cq.wav"));
        QComboBox* on = list(d, kRows[1].onList);
        ASSERT_EQ(on->count(), 21);
        EXPECT_EQ(on->itemText(0), QStringLiteral("   0"));
        EXPECT_EQ(on->itemText(20), QStringLiteral("2000"));
        EXPECT_EQ(on->currentText(), QStringLiteral(" 300"));
        EXPECT_EQ(list(d, kRows[1].offList)->currentText(), QStringLiteral("2000"));
        EXPECT_TRUE(text(d, VoiceCtl::EndLabel).isEmpty());
        EXPECT_TRUE(text(d, VoiceCtl::TxLabel).isEmpty());
    });

    struct Case {
        const char* name;
        std::function<void(VoiceDialog&)> end;
        bool closes;
        bool keeps;
    };
    const Case cases[] = {
        // The dialog stays open, and the close box that ends it then keeps the changes.
        {"Escape", [](VoiceDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); }, false, true},
        {"Enter in the comment", [](VoiceDialog& d) { QTest::keyClick(d.control(kRows[2].comment), Qt::Key_Return); },
         true, false},
        {"the close box", [](VoiceDialog& d) { d.close(); }, true, true},
    };
    for (const Case& c : cases) {
        const Settings before = settings;
        bool closed = false;
        fromMenu([&](VoiceDialog& d) {
            d.control(kRows[2].comment)->setFocus();
            QTest::keyClicks(d.control(kRows[2].comment), "CQ DX");
            QTest::mouseClick(d.control(kRows[2].repeat), Qt::LeftButton);
            list(d, kRows[2].onList)->setCurrentIndex(4);
            c.end(d);
            closed = !d.isVisible();
        });
        EXPECT_EQ(closed, c.closes) << c.name;
        EXPECT_EQ(settings.Cmnt[2], c.keeps ? QStringLiteral("CQ DX") : before.Cmnt[2]) << c.name;
        EXPECT_EQ(settings.CQ[2], c.keeps ? 1 : 0) << c.name;
        EXPECT_EQ(settings.CutPre[2], c.keeps ? 4 : 0) << c.name;
        EXPECT_EQ(settings.File[1], QStringLiteral("/calls/cq.wav")) << c.name;
        settings = before;
    }
}

TEST_F(VoiceDialogTest, LeftAndRightOnATxButtonChooseOnceOrRepeat) {
    open();
    fromMenu([](VoiceDialog& d) {
        QWidget* tx = d.control(kRows[3].tx);
        tx->setFocus();
        QTest::keyClick(tx, Qt::Key_Right);
        EXPECT_TRUE(button(d, kRows[3].repeat)->isChecked());
        EXPECT_EQ(d.focusWidget(), tx) << "the focus stays on the button";
        QTest::keyClick(tx, Qt::Key_Left);
        EXPECT_TRUE(button(d, kRows[3].once)->isChecked());
        EXPECT_FALSE(button(d, kRows[2].repeat)->isChecked()) << "each row is a pair of its own";
    });
}

TEST_F(VoiceDialogTest, EscapeCtrlAndADigitOrTheStopIconEndTheVoiceCq) {
    settings.CQ = {1, 0, 0, 0, 0, 0};
    settings.CutPre[0] = 3;
    settings.CutPost[0] = 2;
    settings.File[0] = WriteWave(dir, 3000);
    open();
    struct Case {
        const char* name;
        std::function<void(VoiceDialog&)> stop; ///< schedules the stop and its release
        QStringList keyPeriods;
        qint64 enabledFromMs; ///< no earlier than this do the rows come back
    };
    const Case cases[] = {
        {"Escape in the call",
         [this](VoiceDialog& d) {
             keyAt(d, 1500, Qt::Key_Escape, true);
             keyAt(d, 4000, Qt::Key_Escape, false);
         },
         {"+1150"},
         4000},
        {"Ctrl+2 in the call",
         [this](VoiceDialog& d) {
             keyAt(d, 1000, Qt::Key_Control, true, Qt::ControlModifier);
             keyAt(d, 1000, Qt::Key_2, true, Qt::ControlModifier);
             clock.at(startUs + 1100 * 1000, [&d] {
                 EXPECT_EQ(text(d, VoiceCtl::EndLabel), QStringLiteral("End"));
                 EXPECT_EQ(text(d, VoiceCtl::TxLabel), QStringLiteral("TX"));
             });
             keyAt(d, 1200, Qt::Key_2, false, Qt::ControlModifier);
             keyAt(d, 1200, Qt::Key_Control, false);
         },
         {"+2500"},
         2850},
        {"a press on the stop icon in the watch pause",
         [this](VoiceDialog& d) {
             clock.at(startUs + 4000 * 1000, [&d] {
                 EXPECT_TRUE(d.control(VoiceCtl::StopIcon)->isVisible());
                 QTest::mousePress(d.control(VoiceCtl::StopIcon), Qt::LeftButton);
             });
             clock.at(startUs + 4500 * 1000,
                      [&d] { QTest::mouseRelease(d.control(VoiceCtl::StopIcon), Qt::LeftButton); });
         },
         {"+2500"},
         4500},
    };
    for (const Case& c : cases) {
        port.clear();
        fromMenu([&](VoiceDialog& d) {
            startUs = clock.nowUs();
            c.stop(d);
            QTest::mouseClick(d.control(kRows[0].tx), Qt::LeftButton);
            EXPECT_EQ(keyPeriods(), c.keyPeriods) << c.name;
            EXPECT_FALSE(port.dtr()) << c.name;
            EXPECT_FALSE(port.rts()) << c.name;
            EXPECT_GE(clock.nowUs() - startUs, c.enabledFromMs * 1000) << c.name << ": held until the key is up";
            EXPECT_TRUE(d.isVisible()) << c.name << ": Escape never closes the dialog";
            EXPECT_TRUE(d.control(kRows[0].tx)->isEnabled()) << c.name;
            EXPECT_TRUE(text(d, VoiceCtl::EndLabel).isEmpty()) << c.name;
            EXPECT_TRUE(text(d, VoiceCtl::TxLabel).isEmpty()) << c.name;
            EXPECT_TRUE(d.control(VoiceCtl::StopIcon)->isHidden()) << c.name;
        });
    }
}

// A test playback ends when it has played, or when its device goes away: a dead stream never
// drains, and the rows would stay locked.
TEST_F(VoiceDialogTest, ATestPlaybackHoldsTheSlotUntilItHasPlayedOrItsDeviceIsGone) {
    const struct {
        const char* name;
        std::function<void(RecordingAudioOut&)> end;
    } ways[] = {{"played",
                 [](RecordingAudioOut& out) {
                     out.setDrained(true);
                 }},
                {"device gone", [](RecordingAudioOut& out) {
                     out.loseDevice();
                 }}};
    settings.File[0] = WriteWave(dir, 2000);
    settings.File[1] = WriteWave(dir, 1000);
    open();
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        port.clear();
        voiceAudio.failOpen(false);
        fromMenu([&](VoiceDialog& d) {
            const qsizetype calls = voiceAudio.calls().size();
            voiceAudio.setDrained(false);
            QTest::mouseClick(d.control(kRows[1].test), Qt::LeftButton);
            EXPECT_EQ(voiceAudio.calls().mid(calls), (QStringList{"open -1 8000", "queue 8000"}));
            QTest::keyClick(&d, Qt::Key_1, Qt::ControlModifier);
            QTest::mouseClick(d.control(kRows[0].tx), Qt::LeftButton);
            EXPECT_TRUE(port.changes().isEmpty()) << "a TX press while a test plays does nothing";
            way.end(voiceAudio);
            clock.advanceMs(40);
            EXPECT_FALSE(voiceAudio.isOpen()) << "the done notification closed the output";
            voiceAudio.failOpen(false);
            QTest::mouseClick(d.control(kRows[0].tx), Qt::LeftButton);
            EXPECT_EQ(keyPeriods(), QStringList{"+2000"});
        });
    }
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(VoiceDialogTest, WithoutAnAudioDeviceTheTestButtonSaysSoAndTheTxButtonKeysNothing) {
    settings.File[0] = WriteWave(dir, 2000);
    voiceAudio.failOpen(true, AudioOut::OpenError::NoDevice);
    open();
    fromMenu([this](VoiceDialog& d) {
        QTest::mouseClick(d.control(kRows[0].test), Qt::LeftButton);
        QTest::mouseClick(d.control(kRows[0].tx), Qt::LeftButton);
    });
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("No device driver is present.   "));
    EXPECT_EQ(boxes.shown()[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(boxes.shown()[1].text, QStringLiteral("No device driver is present.   "));
    EXPECT_TRUE(lineRises(Line::Dtr, 0).isEmpty());
    EXPECT_TRUE(lineRises(Line::Rts, 0).isEmpty());
}

TEST_F(VoiceDialogTest, AFileWithoutDurationOrCutsThatLeaveNothingKeyNothing) {
    settings.File[0] = dir.filePath("missing.wav");
    settings.File[1] = WriteWave(dir, 500);
    settings.CutPre[1] = 3;
    settings.CutPost[1] = 2;
    open();
    fromMenu([this](VoiceDialog& d) {
        for (int row : {0, 1}) {
            QTest::mouseClick(d.control(kRows[row].tx), Qt::LeftButton);
            EXPECT_EQ(d.focusWidget(), d.control(kRows[row].tx)) << row;
        }
    });
    EXPECT_TRUE(port.changes().isEmpty());
    EXPECT_TRUE(voiceAudio.calls().isEmpty());
}

TEST_F(VoiceDialogTest, TheFileSelectionIsTitledWithTheFileAndANewFileResetsTheCuts) {
    const QString three = WriteWave(dir, 3000);
    const QString two = WriteWave(dir, 2000);
    struct Case {
        const char* name;
        QString current;
        QString chosen; ///< empty: cancelled
        QString title;
        bool resets;
    };
    const Case cases[] = {
        {"another file", three, two, "Selection of voice file (3000ms)", true},
        {"the same file", three, three, "Selection of voice file (3000ms)", false},
        {"cancelled", three, {}, "Selection of voice file (3000ms)", false},
        {"no file yet", {}, two, "Selection of voice file", true},
        {"a file that is gone", dir.filePath("gone.wav"), two, "Selection of voice file", true},
    };
    open();
    for (const Case& c : cases) {
        settings.File[4] = c.current;
        settings.CutPre[4] = 5;
        settings.CutPost[4] = 6;
        files.queueAnswer(c.chosen);
        fromMenu([&](VoiceDialog& d) {
            QTest::mouseClick(d.control(kRows[4].browse), Qt::LeftButton);
            const FileOpenRequest& r = files.requests().last();
            EXPECT_EQ(r.title, c.title) << c.name;
            EXPECT_EQ(r.nameFilters, (QStringList{"wave file (*.wav)", "All file (*.*)"})) << c.name;
            EXPECT_EQ(r.defaultSuffix, QStringLiteral("wav")) << c.name;
            EXPECT_EQ(r.fileName, c.current) << c.name;
            EXPECT_EQ(r.directory, c.current.isEmpty() ? QString() : dir.path() + '/') << c.name;
            EXPECT_EQ(lineEdit(d, kRows[4].file)->text(), c.chosen.isEmpty() ? c.current : c.chosen) << c.name;
            EXPECT_EQ(list(d, kRows[4].onList)->currentIndex(), c.resets ? 0 : 5) << c.name;
            EXPECT_EQ(list(d, kRows[4].offList)->currentIndex(), c.resets ? 0 : 6) << c.name;
        });
    }
}

TEST_F(VoiceDialogTest, BootVoiceTogglesTheSettingAndShowsItsCheckMark) {
    open();
    QAction* boot = frame.action(Cmd::BootVoice);
    ASSERT_TRUE(boot->isEnabled());
    boot->trigger();
    EXPECT_EQ(settings.Boot, 1);
    EXPECT_TRUE(boot->isChecked());
    boot->trigger();
    EXPECT_EQ(settings.Boot, 0);
    EXPECT_FALSE(boot->isChecked());
}

} // namespace
