// The operating screen and its companion over real UDP on 127.0.0.1, worked with real keys.
#include "LinkFrameFixture.h"
#include "resources/Accel128.h"
#include "resources/Menu128.h"
#include "settings/Settings.h"

#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>

#include <functional>

namespace {

class LinkScreenTest : public LinkFrameTest {};

TEST_F(LinkScreenTest, TheCompanionFillsTheFieldsItsReceiveOptionsAllow) {
    struct Case {
        const char* name;
        QByteArray datagram;
        int field;
        QString expected;
        std::function<void(Settings&)> setUp = nullptr;
        bool fromStranger = false;
    };
    const QList<Case> cases = {
        {"call", "CALL JA1ABC\r", Ctl::Call, "JA1ABC"},
        {"no final carriage return", "CALL JA1ABC", Ctl::Call, "JA1AB"},
        {"call option off", "CALL JA1ABC\r", Ctl::Call, "",
         [](Settings& s) {
             s.Recv_CALL = 0;
         }},
        {"RMK1 off by default", "RMK1 599\r", Ctl::M1, ""},
        {"RMK1 on", "RMK1 599\r", Ctl::M1, "599",
         [](Settings& s) {
             s.Recv_RMK1 = 1;
         }},
        {"code", "CODE 1234\r", Ctl::M1, "1234"},
        {"my report", "MYRST 579\r", Ctl::M2, "579"},
        {"another address with ipcheck", "CALL JA1ABC\r", Ctl::Call, "", nullptr, true},
        {"another address without ipcheck", "CALL JA1ABC\r", Ctl::Call, "JA1ABC", [](Settings& s) { s.ipcheck = 0; },
         true},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int id : Ctl::kFields)
            edit(id)->clear();
        settings.Recv_CALL = settings.ipcheck = 1;
        settings.Recv_RMK1 = 0;
        if (c.setUp)
            c.setUp(settings);
        handled(c.datagram, c.fromStranger ? &stranger : nullptr);
        EXPECT_EQ(edit(c.field)->text(), c.expected);
    }
}

TEST_F(LinkScreenTest, AStringReplyNamesItsStringAndPitchOnTheRcvCwBox) {
    open();
    handled("GET13 0700 CQ TEST\r");
    EXPECT_EQ(box(Ctl::RcvCw)->text(), QStringLiteral("D 700Hz"));
    EXPECT_EQ(settings.Recv_STRINGS, 13);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("CQ TEST\n")));

    handled("GET14 0800 NOT SHOWN\r");
    EXPECT_EQ(box(Ctl::RcvCw)->text(), QStringLiteral("D 700Hz"));
    EXPECT_EQ(settings.Recv_STRINGS, 13);
    EXPECT_FALSE(monitor().contains(QStringLiteral("NOT SHOWN")));
}

TEST_F(LinkScreenTest, RequestKeysAskForTheirString) {
    open();
    struct Case {
        int selected;
        Qt::Key key;
        QByteArray request;
    };
    const QList<Case> cases = {
        {0, Qt::Key_0, "GET01 \r"}, {1, Qt::Key_0, "GET01 \r"}, {13, Qt::Key_0, "GET13 \r"},
        {5, Qt::Key_0, "GET05 \r"}, {5, Qt::Key_A, "GET10 \r"}, {5, Qt::Key_D, "GET13 \r"},
    };
    for (const Case& c : cases) {
        settings.Recv_STRINGS = c.selected;
        keys(edit(Ctl::Call), c.key, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(requests(), QList<QByteArray>{c.request}) << c.selected << " " << c.key;
    }
    settings.Recv_ENABLEALL = 0; // a request that wants an answer needs both ways
    view()->refreshLinkControls();
    keys(edit(Ctl::Call), Qt::Key_0, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(requests().isEmpty());
}

TEST_F(LinkScreenTest, PollingKeepsTheSelectedStringOnOneLiveLine) {
    open();
    settings.Recv_STRINGS = 2;
    QTest::mouseClick(box(Ctl::RcvCw), Qt::LeftButton);
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("< recv data >\n")));
    clock.advanceMs(499);
    EXPECT_TRUE(requests().isEmpty());
    clock.advanceMs(1);
    EXPECT_EQ(requests(), QList<QByteArray>{"GET02 \r"});

    const QString before = monitor();
    handled("GET02 0600 CQ\r");
    EXPECT_EQ(monitor(), before + QStringLiteral("CQ\n"));
    handled("GET02 0600 CQ CQ DE\r");
    EXPECT_EQ(monitor(), before + QStringLiteral("CQ CQ DE\n")) << "the line grows in place";
    handled("GET02 0600 \r");
    EXPECT_EQ(monitor(), before) << "an empty string takes its line away";
    handled("GET02 0600 QRZ\r");
    EXPECT_EQ(monitor(), before + QStringLiteral("QRZ\n"));

    QTest::mouseClick(box(Ctl::RcvCw), Qt::LeftButton);
    clock.advanceMs(2000);
    EXPECT_TRUE(requests().isEmpty()) << "unchecked, the polling stops";
}

TEST_F(LinkScreenTest, KeysOnTheRcvCwControlsSendValuesAndStepTheString) {
    open();
    settings.Recv_STRINGS = 1;
    QTest::mouseClick(box(Ctl::RcvCw), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), box(Ctl::RcvCw));
    struct Case {
        Qt::Key key;
        QByteArray request;
        int selectedAfter;
    };
    const QList<Case> cases = {
        {Qt::Key_A, "VAL 0026 0000\r", 1}, {Qt::Key_W, "VAL 0026 0001\r", 1}, {Qt::Key_C, "VAL 0055 0001\r", 1},
        {Qt::Key_S, "VAL 0015 0001\r", 1}, {Qt::Key_R, "VAL 0016 0001\r", 1}, {Qt::Key_Down, "GET13 \r", 13},
        {Qt::Key_Up, "GET01 \r", 1},       {Qt::Key_Up, "GET02 \r", 2},
    };
    for (const Case& c : cases) {
        keys(box(Ctl::RcvCw), c.key);
        EXPECT_EQ(requests(), QList<QByteArray>{c.request}) << c.key;
        EXPECT_EQ(settings.Recv_STRINGS, c.selectedAfter) << c.key;
    }
    keys(box(Ctl::RcvCw), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_TRUE(requests().isEmpty()) << "a modifier held: no request";
    keys(box(Ctl::RcvCw), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), box(Ctl::RcvCw)) << "while polling the box keeps the focus";

    QWidget* spin = control(Ctl::StringChannel);
    spin->setFocus();
    keys(spin, Qt::Key_Up);
    EXPECT_EQ(requests(), QList<QByteArray>{"GET03 \r"}) << "the spin's own Up steps once";
    QWheelEvent down(QPointF(2, 2), spin->mapToGlobal(QPointF(2, 2)), {}, QPoint(0, -120), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin, &down);
    EXPECT_EQ(requests(), QList<QByteArray>{"GET02 \r"});
    QTest::mouseClick(control(Ctl::Request), Qt::LeftButton);
    EXPECT_EQ(requests(), QList<QByteArray>{"FREQ \r"});
}

TEST_F(LinkScreenTest, FieldsGoToTheCompanionOnEnterAndOnSave) {
    settings.chk = {1, 1, 0, 0, 0, 1};
    settings.init = {QString(), QStringLiteral("599"), QString(), QString(), QString(), QString()};
    settings.his = settings.init;
    open();
    edit(Ctl::Call)->setFocus();
    QTest::keyClicks(edit(Ctl::Call), QStringLiteral("JA1ABC"));
    keys(edit(Ctl::Call), Qt::Key_Return);
    EXPECT_EQ(requests(), QList<QByteArray>{"CALL JA1ABC\r"});

    edit(Ctl::Name)->setFocus();
    QTest::keyClicks(edit(Ctl::Name), QStringLiteral("TARO"));
    edit(Ctl::Call)->setFocus();
    keys(edit(Ctl::Call), Qt::Key_S, Qt::AltModifier);
    // CALL, M2, M1, NAME, QTH, RST; M2 and RST still hold their initial values, M1 goes as CODE.
    EXPECT_EQ(requests(), (QList<QByteArray>{"CALL JA1ABC\r", "CODE \r", "NAME TARO\r", "QTH \r", "SAVE \r"}));
    EXPECT_EQ(edit(Ctl::Call)->text(), QString()) << "a saved contact starts afresh";
    EXPECT_EQ(edit(Ctl::Name)->text(), QStringLiteral("TARO")) << "without an initial-value flag";
    for (int press = 0; press < 2; ++press) {
        keys(edit(Ctl::Call), Qt::Key_S, Qt::AltModifier);
        EXPECT_EQ(requests().last(), QByteArray("SAVE \r")) << "Alt+S is also the mnemonic of &Save: press " << press;
    }

    keys(edit(Ctl::Call), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(requests(), (QList<QByteArray>{"CODE \r", "NAME TARO\r", "QTH \r", "SAVE \r", "CLR \r"}))
        << "Clear tells the companion first; an empty call leaves the fields to Clear";
    settings.Send_CLSYNC = 0;
    keys(edit(Ctl::Call), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(requests().isEmpty());
    keys(edit(Ctl::Call), Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(requests().last(), QByteArray("CLR \r")) << "set Clear still sends";
}

TEST_F(LinkScreenTest, TheCompanionsClearClearsAndTellsItBack) {
    settings.chk = {1, 0, 0, 0, 0, 0};
    settings.Send_SAVECL = 0;
    open();
    edit(Ctl::Call)->setText(QStringLiteral("JA1ABC"));
    handled("CLR \r");
    EXPECT_EQ(edit(Ctl::Call)->text(), QString());
    EXPECT_EQ(requests(), QList<QByteArray>{"CLR \r"});
}

TEST_F(LinkScreenTest, TheLinkMenusFollowTheLinkAndItsSwitches) {
    open();
    QMenu* rcvCw = menu(QStringLiteral("&RcvCW"));
    ASSERT_TRUE(rcvCw);
    emit rcvCw->aboutToShow();
    EXPECT_TRUE(rcvCw->isEnabled());
    EXPECT_TRUE(frame.barItem(Cmd::Utc)->isEnabled());
    EXPECT_TRUE(box(Ctl::RcvCw)->isEnabled());
    EXPECT_TRUE(menuItem(61275)->isChecked()) << "ENABLE SEND";

    menuItem(61275)->trigger();
    EXPECT_EQ(settings.Send_ENABLEALL, 0);
    emit rcvCw->aboutToShow();
    EXPECT_FALSE(menuItem(61275)->isChecked());
    EXPECT_TRUE(menuItem(61275)->isEnabled());
    for (int command :
         std::initializer_list<int>{Cmd::RequestAgain, Cmd::RequestString1, 61342, Cmd::Jst, Cmd::SetSave})
        EXPECT_FALSE(menuItem(command)->isEnabled()) << command;
    EXPECT_FALSE(frame.barItem(Cmd::Utc)->isEnabled());
    EXPECT_FALSE(box(Ctl::RcvCw)->isEnabled());
    keys(edit(Ctl::Call), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(requests().isEmpty());

    menuItem(61275)->trigger();
    EXPECT_TRUE(box(Ctl::RcvCw)->isEnabled());
    keys(edit(Ctl::Call), Qt::Key_T, Qt::AltModifier);
    frame.barItem(Cmd::Utc)->trigger();
    EXPECT_EQ(requests(), (QList<QByteArray>{"TIMEJ \r", "TIMEU \r"}));
}

TEST_F(LinkScreenTest, MOneGoesAsRmk1OrAsCodeOrNotAtAll) {
    open();
    struct Step {
        int command;
        int rmk1, code;
    };
    // Starts with CODE on.
    for (const Step& step : {Step{61273, 1, 0}, Step{61273, 0, 0}, Step{61293, 0, 1}, Step{61273, 1, 0},
                             Step{61293, 0, 1}, Step{61293, 0, 0}}) {
        menuItem(step.command)->trigger();
        EXPECT_EQ(settings.Send_RMK1, step.rmk1) << step.command;
        EXPECT_EQ(settings.Send_RMK1b, step.code) << step.command;
    }
}

TEST(LinkScreenDown, WithoutTheLinkItsMenuAndControlsStayDisabled) {
    for (const auto& setUp : std::initializer_list<std::function<void(Settings&)>>{[](Settings& s) { s.enable = 0; },
                                                                                   [](Settings& s) { s.port = 0; },
                                                                                   [](Settings& s) {
                                                                                       s.ip.clear();
                                                                                   }}) {
        struct Down : FrameTest {
            void TestBody() override {}
            using FrameTest::box;
            using FrameTest::frame;
            using FrameTest::open;
            using FrameTest::settings;
        } station;
        station.settings.enable = 1;
        station.settings.ip = kLoopbackText;
        station.settings.myport = FreeLoopbackPort();
        setUp(station.settings);
        station.open();
        EXPECT_FALSE(station.frame.view()->linkEnabling().up);
        EXPECT_FALSE(station.box(Ctl::RcvCw)->isEnabled());
        EXPECT_FALSE(station.frame.action(61276)->isEnabled());
        EXPECT_FALSE(station.frame.barItem(Cmd::Save)->isEnabled());
    }
}

} // namespace
