// Two stations in one test, a remote and a host, each a whole window on its own virtual devices,
// linked over UDP on 127.0.0.1.
#include "QtPrinters.h"
#include "VirtualStation.h"
#include "app/CMainFrame.h"
#include "link/Loopback.h"
#include "resources/ControlIds.h"
#include "screen/LinkScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = int(std::chrono::milliseconds(kHangGuard).count());
const QString kLoopbackText = QStringLiteral("127.0.0.1");

struct Station : VirtualStation {
    Station(quint16 ownPort, quint16 peerPort, bool isHost) {
        settings.enable = 1;
        settings.ip = kLoopbackText;
        settings.myport = ownPort;
        settings.Remote_USE = 1;
        settings.Remote_HOST = isHost ? 1 : 0;
        settings.Remote_IP = kLoopbackText;
        settings.Remote_PORT = peerPort;
        settings.SIG = 1;
        settings.SIG_STANDBY = 2;
    }

    void open(QPoint at) {
        frame.setView(new CTarvoFormView(settings, state, frame, devices(), &frame));
        // Apart, so that a click on one window is nowhere near the other's Esc button.
        frame.move(at);
        frame.show();
        openedUs = clock.nowUs();
    }

    QWidget* control(int id) const { return frame.view()->control(id); }
    QString monitor() const { return static_cast<QPlainTextEdit*>(control(Ctl::TextArea))->toPlainText(); }

    CMainFrame frame{settings, state};
    qint64 openedUs = 0;
};

class RemoteHostTest : public ::testing::Test {
protected:
    RemoteHostTest() {
        EXPECT_TRUE(companion.bind(kLoopbackIpv4, 0));
        host.settings.port = remote.settings.port = companion.localPort();
        remote.settings.WPM = 25;
        remote.settings.TX[0] = QStringLiteral("TEST K");
        host.settings.WPM = 20;
        host.open(QPoint(700, 0));
        remote.open(QPoint(0, 0));
        QApplication::setActiveWindow(&remote.frame);
    }

    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWaitMs); }

    void sendFromRemote() { QTest::mouseClick(remote.control(Ctl::Tx1), Qt::LeftButton); }

    const quint16 remotePort = FreeLoopbackPort();
    const quint16 hostPort = FreeLoopbackPort();
    UdpSocket companion; ///< the decoder both would talk to; here it only absorbs requests
    Station host{hostPort, remotePort, true};
    Station remote{remotePort, hostPort, false};
};

TEST_F(RemoteHostTest, TheHostKeysTheRemotesMessageAtTheRemotesSpeedAndAnswers) {
    ASSERT_NE(remotePort, hostPort);
    EXPECT_FALSE(remote.control(Ctl::Key)->isEnabled()) << "a remote station has no keyboard keying";
    sendFromRemote();
    EXPECT_TRUE(remote.monitor().endsWith(QStringLiteral("[Remote] ")));
    EXPECT_TRUE(remote.state.sending) << "until the host answers";
    EXPECT_FALSE(remote.control(Ctl::Tx2)->isEnabled());
    EXPECT_TRUE(remote.port.changes().isEmpty()) << "a remote station keys nothing itself";

    ASSERT_TRUE(waitFor([&] { return remote.monitor().endsWith(QStringLiteral("[Remote]  TEST K\n")); }))
        << (remote.monitor() + "|" + host.monitor()).toStdString();
    // At 25 WPM a dot lasts 48 ms: T is a dash of 144 ms, then the gap before E.
    ASSERT_GE(host.keyPeriods().size(), 2);
    EXPECT_EQ(host.keyPeriods().mid(0, 2), (QStringList{"+144", "-144"}));
    EXPECT_TRUE(host.monitor().endsWith(QStringLiteral("TEST K\n")));
    EXPECT_EQ(host.settings.WPM, 20) << "the host's own speed comes back";
    EXPECT_FALSE(host.state.RemoteKeying);

    EXPECT_FALSE(remote.state.sending);
    EXPECT_TRUE(remote.control(Ctl::Tx2)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), remote.control(Ctl::Tx1)) << "the focus moves on from the button";
}

TEST_F(RemoteHostTest, ABusyHostKeysNothingAndSaysSo) {
    host.frame.view()->onCommand(32796); // Ctrl+K: a host keying from its own keyboard is busy
    ASSERT_TRUE(static_cast<QCheckBox*>(host.control(Ctl::Key))->isChecked());
    sendFromRemote();
    ASSERT_TRUE(waitFor([&] { return remote.monitor().endsWith(QStringLiteral("[Remote]  TEST K <busy>\n")); }));
    EXPECT_TRUE(host.keyPeriods().isEmpty());
    EXPECT_FALSE(remote.state.sending);
}

TEST_F(RemoteHostTest, EscapeOnTheRemoteStopsTheHostBeforeItsNextCharacter) {
    static_cast<QLineEdit*>(remote.control(Ctl::Msg1))->setText(QStringLiteral("PARIS PARIS"));
    // P takes 14 dots with its gap, 672 ms at 25 WPM; the remote gives up 300 ms into it.
    host.clock.at(host.clock.nowUs() + 300'000, [&] { QTest::mouseClick(remote.control(Ctl::Esc), Qt::LeftButton); });
    sendFromRemote();
    ASSERT_TRUE(waitFor([&] { return remote.monitor().contains(QStringLiteral("<escape>")); }));
    EXPECT_FALSE(remote.state.sending);
    EXPECT_TRUE(remote.control(Ctl::Tx2)->isEnabled());

    ASSERT_TRUE(waitFor([&] { return remote.monitor().endsWith(QStringLiteral(" PARIS PARIS\n")); }))
        << "the host answers with the datagram as it came";
    EXPECT_EQ(host.keyPeriods(), (QStringList{"+48", "-48", "+144", "-48", "+144", "-48", "+48"})) << "P alone";
    EXPECT_FALSE(host.state.RemoteKeying);
}

// The host is gone: the remote waits until its operator gives up.
TEST_F(RemoteHostTest, EscapeEndsAWaitThatNoAnswerEnds) {
    host.frame.view()->link().StartStopLink(false);
    struct Case {
        const char* name;
        bool cq;
    };
    for (const Case& c : {Case{"a TX button", false}, Case{"automatic CQ", true}}) {
        SCOPED_TRACE(c.name);
        if (c.cq) {
            QApplication::setActiveWindow(&remote.frame);
            QTest::keyClick(remote.control(Ctl::Clear), Qt::Key_Q, Qt::ControlModifier);
            remote.clock.advanceMs(200); // the first tick sends at once
        } else
            sendFromRemote();
        ASSERT_TRUE(waitFor([&] { return remote.frame.view()->remoteWaiting(); }));
        ASSERT_TRUE(remote.control(Ctl::Esc)->isVisible());
        QWidget* focused = QApplication::focusWidget();
        QTest::keyPress(focused, Qt::Key_Escape);
        QTest::keyRelease(focused, Qt::Key_Escape);
        EXPECT_FALSE(remote.frame.view()->remoteWaiting());
        EXPECT_TRUE(remote.monitor().endsWith(QStringLiteral("[Remote] <escape>")));
        EXPECT_FALSE(remote.state.sending);
        EXPECT_FALSE(remote.state.cqRepeat) << "Escape ends a CQ run as it ends a local one";
        EXPECT_FALSE(static_cast<QCheckBox*>(remote.control(Ctl::Cq))->isChecked());
        EXPECT_TRUE(remote.control(Ctl::Tx1)->isEnabled());
        EXPECT_TRUE(remote.control(Ctl::Call)->isEnabled());
        EXPECT_FALSE(remote.control(Ctl::Esc)->isVisible());
        remote.clock.advanceMs(10'000);
        EXPECT_FALSE(remote.frame.view()->remoteWaiting()) << "nothing more is handed off";
    }
}

// Escape held down and a press anywhere on the window, as the sender's abort test reads it.
TEST_F(RemoteHostTest, APressOnTheWindowWithEscapeHeldEndsTheWait) {
    host.frame.view()->link().StartStopLink(false);
    sendFromRemote();
    ASSERT_TRUE(remote.frame.view()->remoteWaiting());
    QWidget* bar = remote.frame.wpmBox(); // outside the form: the key alone does nothing there
    QTest::keyPress(bar, Qt::Key_Escape);
    EXPECT_TRUE(remote.frame.view()->remoteWaiting());
    QWidget* view = remote.frame.view();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(view->width() - 2, view->height() - 2));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(view->width() - 2, view->height() - 2));
    QTest::keyRelease(bar, Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return !remote.frame.view()->remoteWaiting(); }));
    EXPECT_TRUE(remote.monitor().endsWith(QStringLiteral("<escape>")));
}

} // namespace
