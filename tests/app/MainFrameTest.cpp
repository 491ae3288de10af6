#include "FrameFixture.h"
#include "resources/Menu128.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace {

class MainFrameTest : public FrameTest {
protected:
    MainFrameTest() {
        settings.SIG = 1;
        open();
    }

    void setMessage1(const QString& text) { edit(Ctl::Msg1)->setText(text); }
    void clickToolButton(const char* name) {
        auto* bar = frame.findChild<QToolBar*>("commandBar");
        QTest::mouseClick(bar->widgetForAction(bar->findChild<QAction*>(name)), Qt::LeftButton);
    }
};

TEST_F(MainFrameTest, RatioMenusSetTheRatiosAndMoveTheirCheckMarks) {
    frame.action(Cmd::RatioFirst + 3)->trigger();
    EXPECT_EQ(settings.RATIO, 3);
    EXPECT_EQ(frame.action(Cmd::RatioFirst + 3)->text(), QStringLiteral("3.6  (&3)"));
    frame.action(Cmd::Ratio2First + 9)->trigger();
    EXPECT_EQ(settings.RATIO2, 9);
    EXPECT_EQ(frame.action(Cmd::Ratio2First + 9)->text(), QStringLiteral("16.0  (&9)"));

    settings.RATIO = 7; // as a loaded page would set it: the mark follows when the menu opens
    QMenu* option = frame.menuBar()->findChildren<QMenu*>().at(1);
    emit option->aboutToShow();
    EXPECT_TRUE(frame.action(Cmd::RatioFirst + 7)->isChecked());
    EXPECT_FALSE(frame.action(Cmd::RatioFirst + 3)->isChecked());
    EXPECT_TRUE(frame.action(Cmd::Ratio2First + 9)->isChecked());
}

TEST_F(MainFrameTest, GreetingButtonChangesWhatGmaeSends) {
    setMessage1(QStringLiteral("{GMAE}"));
    frame.RebuildCommandBar(TxHidden);
    clickToolButton("GA");
    EXPECT_EQ(settings.GoodMAE, 1);
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("GA\n")));
    frame.RebuildCommandBar(TxShown);
    EXPECT_TRUE(frame.findChild<QAction*>("GA")->isChecked());
    EXPECT_FALSE(frame.findChild<QAction*>("GM")->isChecked());
}

TEST_F(MainFrameTest, WpmBoxListsEverySpeedAndFollowsTheSetting) {
    QComboBox* box = frame.wpmBox();
    ASSERT_EQ(box->count(), 41);
    EXPECT_EQ(box->itemText(0), QStringLiteral(" 10 WPM"));
    EXPECT_EQ(box->itemText(40), QStringLiteral(" 50 WPM"));
    for (int wpm : {10, 50, 23}) {
        settings.WPM = wpm;
        frame.RebuildCommandBar(TxHidden);
        EXPECT_EQ(box->currentIndex(), wpm - 10);
    }
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    EXPECT_EQ(settings.WPM, 50) << "choosing a speed applies it";
    EXPECT_EQ(audio.calls().mid(audio.calls().size() - 2, 1), QStringList{"close"}) << "the tones are rebuilt";
    setMessage1(QStringLiteral("E"));
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_EQ(settings.WPM, 50);
    EXPECT_EQ(box->currentIndex(), 40);
}

TEST_F(MainFrameTest, TxIndicatorStates) {
    QAction* tx = frame.findChild<QAction*>("TX");
    frame.RebuildCommandBar(TxHidden);
    EXPECT_FALSE(tx->isVisible());
    frame.RebuildCommandBar(TxShown);
    EXPECT_TRUE(tx->isVisible());
    EXPECT_FALSE(tx->isChecked());
    frame.RebuildCommandBar(TxPressed);
    EXPECT_TRUE(tx->isChecked());
}

TEST_F(MainFrameTest, CloseIsRefusedWhileSendingAndWorksAfter) {
    setMessage1(QStringLiteral("TEST"));
    bool closedDuringSend = true;
    clock.at(clock.nowUs() + 100'000, [&] { closedDuringSend = frame.close(); });
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    EXPECT_FALSE(closedDuringSend);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(savedWithWpm.isEmpty());

    frame.wpmBox()->setCurrentIndex(15);
    lines.SetLine(1, true);
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(savedWithWpm, QList<int>{25});
    EXPECT_FALSE(port.dtr()) << "the screen's shutdown dropped the lines";
    EXPECT_EQ(audio.calls().last(), QStringLiteral("close"));
}

TEST_F(MainFrameTest, CtrlTKeysTheSelectionUnlessCqRuns) {
    QLineEdit* message = edit(Ctl::Msg3);
    message->setFocus();
    message->setSelection(3, 3);
    state.cqRepeat = true;
    QTest::keyClick(message, Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(monitor().endsWith(QStringLiteral("QSL\n")));
    state.cqRepeat = false;
    message->setFocus();
    message->setSelection(3, 3);
    QTest::keyClick(message, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("QSL\n")));
}

TEST_F(MainFrameTest, LogMenuSetsLoggingAndEncodingWithCheckMarks) {
    QMenu* log = nullptr;
    for (QAction* a : frame.menuBar()->actions()) {
        if (a->text() == QLatin1String("&Log"))
            log = a->menu();
    }
    ASSERT_NE(log, nullptr);
    frame.action(Cmd::Logging)->trigger();
    EXPECT_EQ(settings.Logging, 0);
    frame.action(Cmd::Utf16)->trigger();
    EXPECT_EQ(settings.Ansi, 0);
    emit log->aboutToShow();
    EXPECT_FALSE(frame.action(Cmd::Logging)->isChecked());
    EXPECT_TRUE(frame.action(Cmd::Utf16)->isChecked());
    EXPECT_FALSE(frame.action(Cmd::Ansi)->isChecked());
    frame.action(Cmd::Ansi)->trigger();
    frame.action(Cmd::Logging)->trigger();
    emit log->aboutToShow();
    EXPECT_EQ(settings.Ansi, 1);
    EXPECT_EQ(settings.Logging, 1);
    EXPECT_TRUE(frame.action(Cmd::Logging)->isChecked());
    EXPECT_TRUE(frame.action(Cmd::Ansi)->isChecked());
    EXPECT_FALSE(frame.action(Cmd::Utf16)->isChecked());
}

TEST_F(MainFrameTest, VersionBoxShowsTheVersion) {
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + "|" + box->findChild<QLabel*>("c1099")->text();
        box->close();
    });
    frame.action(Cmd::Version)->trigger();
    EXPECT_EQ(shown, QStringLiteral("Version information (Tarvo)|Tarvo v1.00"));
}

TEST_F(MainFrameTest, MenuHoldsEveryItemAndOnlyWorkingOnesAreEnabled) {
    EXPECT_EQ(frame.action(Cmd::Exit)->text(), QStringLiteral("Exit (&F)"));
    EXPECT_TRUE(frame.action(Cmd::Exit)->isEnabled());
    EXPECT_TRUE(frame.action(Cmd::Version)->isEnabled());
    EXPECT_EQ(frame.action(Cmd::Version)->text(), QStringLiteral("Tarvo Version (&A)"));
    for (int command : {Cmd::BootVoice, Cmd::VoiceCq})
        EXPECT_TRUE(frame.action(command)->isEnabled()) << command;
    for (int command : std::initializer_list<int>{Cmd::Config, 61276})
        EXPECT_FALSE(frame.action(command)->isEnabled()) << command;
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Option", "&Version", "&Log", "&RcvCW", "&Utc", "js&T", "&Save"}));

    frame.action(Cmd::Exit)->trigger();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(savedWithWpm.size(), 1);
}

TEST_F(MainFrameTest, ChangingTheDashRatioRebuildsTheDashTone) {
    setMessage1(QStringLiteral("T"));
    for (int ratio : {9, 0}) {
        frame.action(Cmd::RatioFirst + ratio)->trigger();
        QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
        // At 20 WPM a dash lasts 288 ms at ratio 9 and 180 ms at ratio 0: at 11025 Hz, 3175 and 1984 frames.
        EXPECT_EQ(audio.calls().filter(QStringLiteral("queue")).last(),
                  ratio == 9 ? QStringLiteral("queue 3175") : QStringLiteral("queue 1984"));
    }
    const qsizetype opens = audio.calls().filter(QStringLiteral("open")).size();
    frame.action(Cmd::RatioFirst)->trigger();
    frame.action(Cmd::Ratio2First + 5)->trigger();
    EXPECT_EQ(audio.calls().filter(QStringLiteral("open")).size(), opens)
        << "the same dash ratio, or a word space, shapes no tone: the output is not reopened";
}

} // namespace
