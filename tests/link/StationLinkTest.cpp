#include "link/StationLink.h"
#include "FakeLinkHost.h"
#include "Loopback.h"
#include "keyer/KeyerState.h"
#include "keyer/RemoteLink.h"
#include "link/LinkRequests.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

namespace {

const QString kLoopbackText = QStringLiteral("127.0.0.1");

/// Runs the event loop, which delivers what the receivers hand over, until condition holds.
bool ProcessUntil(const std::function<bool()>& condition) {
    const auto until = std::chrono::steady_clock::now() + kHangGuard;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

/// A screen that sends through its station's link, as the operating screen does.
class ForwardingHost : public FakeLinkHost {
public:
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override {
        FakeLinkHost::sendToPeer(peer, datagram);
        link->sendToPeer(peer, datagram);
    }
    StationLink* link = nullptr;
};

/// Two stations on 127.0.0.1: one remote, one host, each the other's peer, with a companion
/// socket each.
class StationLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(companion.bind(kLoopbackIpv4, 0));
        const quint16 remotePort = FreeLoopbackPort();
        const quint16 hostPort = FreeLoopbackPort();
        ASSERT_NE(remotePort, hostPort);
        for (Settings* s : {&remoteSettings, &hostSettings}) {
            s->enable = 1;
            s->ip = kLoopbackText;
            s->port = companion.localPort();
            s->Send_ENABLEALL = 1;
            s->Recv_ENABLEALL = 1;
            s->Remote_USE = 1;
            s->Remote_IP = kLoopbackText;
        }
        remoteSettings.Remote_HOST = 0;
        remoteSettings.myport = remotePort;
        remoteSettings.Remote_PORT = hostPort;
        hostSettings.Remote_HOST = 1;
        hostSettings.myport = hostPort;
        hostSettings.Remote_PORT = remotePort;
        remote.setHost(&remoteScreen);
        host.setHost(&hostScreen);
        remoteScreen.link = &remote;
        hostScreen.link = &host;
        ASSERT_TRUE(remote.start());
        ASSERT_TRUE(host.start());
    }

    UdpSocket companion;
    Settings remoteSettings;
    Settings hostSettings;
    KeyerState remoteState;
    KeyerState hostState;
    ForwardingHost remoteScreen;
    ForwardingHost hostScreen;
    StationLink remote{remoteSettings, remoteState, kLoopbackIpv4};
    StationLink host{hostSettings, hostState, kLoopbackIpv4};
};

TEST_F(StationLinkTest, TheHostKeysTheRemotesTextAtItsSpeedAndAnswers) {
    ASSERT_TRUE(remote.isRemoteStation());
    ASSERT_FALSE(host.isRemoteStation());
    ASSERT_TRUE(remote.canHandOff());
    remote.startRemoteWait();
    remote.sendToHost(25, QStringLiteral("TEST K"));
    ASSERT_TRUE(ProcessUntil([&] { return remoteScreen.calls.contains(QStringLiteral("endRemoteWait()")); }));
    ASSERT_EQ(hostScreen.calls.size(), 2);
    EXPECT_EQ(hostScreen.calls[0], QStringLiteral("keyRemoteText(25, TEST K)"));
    EXPECT_EQ(remoteScreen.calls,
              (QStringList{"startRemoteWait()", "LogText( TEST K)", "LogText(\\r\\n)", "endRemoteWait()"}));
}

TEST_F(StationLinkTest, ABusyHostKeysNothingAndSaysSo) {
    hostScreen.idle = false;
    remote.sendToHost(25, QStringLiteral("TEST K"));
    ASSERT_TRUE(ProcessUntil([&] { return remoteScreen.calls.contains(QStringLiteral("endRemoteWait()")); }));
    EXPECT_EQ(hostScreen.calls.size(), 1) << "only the answer: nothing keyed";
    EXPECT_EQ(remoteScreen.calls.first(), QStringLiteral("LogText( TEST K <busy>)"));
}

// While the host keys a remote text, whatever waits on its socket cuts the keying short.
TEST_F(StationLinkTest, OnlyAHostKeyingARemoteTextSeesWaitingBytes) {
    host.stop();
    UdpSocket sender;
    ASSERT_TRUE(sender.bind(kLoopbackIpv4, 0));
    StationLink quiet{hostSettings, hostState, kLoopbackIpv4};
    ASSERT_TRUE(quiet.start());
    ASSERT_TRUE(sender.sendTo(QByteArray("ESCAPE \r"), kLoopbackIpv4, hostSettings.myport));
    hostState.RemoteKeying = true;
    ASSERT_TRUE(PollUntil([&] { return quiet.PendingLinkBytes() > 0; }));
    hostState.RemoteKeying = false;
    EXPECT_EQ(quiet.PendingLinkBytes(), 0);
    hostState.RemoteKeying = true;
    hostSettings.Remote_HOST = 0; // a remote station keys nothing of another's
    EXPECT_EQ(quiet.PendingLinkBytes(), 0);
}

// The event loop runs during the keying and may read the datagram before the keying looks.
TEST_F(StationLinkTest, ADatagramReadWhileTheHostKeysStillCutsTheKeyingShort) {
    UdpSocket sender;
    ASSERT_TRUE(sender.bind(kLoopbackIpv4, 0));
    hostState.RemoteKeying = true;
    ASSERT_TRUE(sender.sendTo(QByteArray("ESCAPE \r"), kLoopbackIpv4, hostSettings.myport));
    QTest::qWait(200); // long enough for the loop to read it
    EXPECT_EQ(host.PendingLinkBytes(), 8);
    hostState.RemoteKeying = false;
    EXPECT_EQ(host.PendingLinkBytes(), 0);
    ASSERT_TRUE(sender.sendTo(QByteArray("FORE \r"), kLoopbackIpv4, hostSettings.myport));
    QTest::qWait(200);
    hostState.RemoteKeying = true;
    EXPECT_EQ(host.PendingLinkBytes(), 0) << "what came between two keyings is forgotten";
}

TEST_F(StationLinkTest, NoHandOffWithoutBothDirectionsOrASocket) {
    remoteSettings.Recv_ENABLEALL = 0;
    EXPECT_FALSE(remote.canHandOff());
    remoteSettings.Recv_ENABLEALL = 1;
    remote.stop();
    EXPECT_FALSE(remote.canHandOff());
}

TEST_F(StationLinkTest, RequestsReachTheCompanionOnlyWhileSendingIsOn) {
    host.SendLinkRequest(CommandMessage(LinkCommand::FREQ));
    const auto first = ReceiveOne(companion);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes, QByteArray("FREQ \r"));
    hostSettings.Send_ENABLEALL = 0;
    host.SendLinkRequest(CommandMessage(LinkCommand::SAVE));
    hostSettings.Send_ENABLEALL = 1;
    host.SendLinkRequest(CommandMessage(LinkCommand::CLR));
    const auto second = ReceiveOne(companion);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->bytes, QByteArray("CLR \r")) << "the SAVE was dropped";
}

} // namespace
