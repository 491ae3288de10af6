#include "link/LinkSocket.h"
#include "FakeLinkHost.h"
#include "Loopback.h"
#include "QtPrinters.h"
#include "link/LinkDispatch.h"
#include "link/LinkText.h"
#include "platform/EventLoopClock.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QList>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>

namespace {

using Received = std::pair<QByteArray, QString>;

constexpr int kRounds = 100;
constexpr int kHangGuardMs = int(std::chrono::milliseconds(kHangGuard).count());
const QString kLoopbackText = QStringLiteral("127.0.0.1");

// Lets the receiver reach its wait, or queue its call, before the test goes on; nothing depends on
// how long that takes.
void letTheReceiverRun() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

class LinkSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(companion.bind(kLoopbackIpv4, 0));
        ASSERT_TRUE(remotePeer.bind(kLoopbackIpv4, 0));
        LinkOnLoopback(settings, companion.localPort());
        ASSERT_NE(settings.myport, 0);
        settings.Remote_IP = kLoopbackText;
        settings.Remote_PORT = remotePeer.localPort();
    }

    std::unique_ptr<LinkSocket> makeLink() {
        return std::make_unique<LinkSocket>(
            settings,
            [this](const QByteArray& datagram, const QString& sender) {
                received.append({datagram, sender});
                // A copy, so that the action may replace itself.
                if (const auto action = whileHandling)
                    action(datagram);
            },
            kLoopbackIpv4);
    }

    bool sendToLink(UdpSocket& from, const QByteArray& datagram) {
        return from.sendTo(datagram, kLoopbackIpv4, quint16(settings.myport));
    }

    bool waitForReceived(qsizetype count) {
        return QTest::qWaitFor([&] { return received.size() >= count; }, kHangGuardMs);
    }

    Settings settings;
    UdpSocket companion;
    UdpSocket remotePeer;
    QList<Received> received;
    std::function<void(const QByteArray&)> whileHandling;
    std::unique_ptr<LinkSocket> link = makeLink();
};

TEST_F(LinkSocketTest, ADatagramReachesTheHandlerWithItsSender) {
    ASSERT_TRUE(link->start());
    ASSERT_TRUE(sendToLink(companion, "CALL TRV1ABC\r"));
    ASSERT_TRUE(waitForReceived(1));
    UdpSocket second;
    ASSERT_TRUE(second.bind(kSecondLoopbackIpv4, 0));
    ASSERT_TRUE(sendToLink(second, "NAME JOE\r"));
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_EQ(received, (QList<Received>{{"CALL TRV1ABC\r", "127.0.0.1"}, {"NAME JOE\r", "127.0.0.2"}}));
}

TEST_F(LinkSocketTest, ABurstArrivesWholeAndInOrder) {
    ASSERT_TRUE(link->start());
    QList<Received> sent;
    for (int n = 0; n < kRounds; ++n) {
        const QByteArray datagram = QByteArray("CALL N") + QByteArray::number(n) + '\r';
        ASSERT_TRUE(sendToLink(companion, datagram));
        sent.append({datagram, kLoopbackText});
    }
    ASSERT_TRUE(waitForReceived(kRounds));
    EXPECT_EQ(received, sent);
}

TEST_F(LinkSocketTest, AnEmptyDatagramIsDroppedAndReceivingGoesOn) {
    ASSERT_TRUE(link->start());
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(sendToLink(companion, QByteArray()));
    ASSERT_TRUE(sendToLink(companion, "CALL AFTER\r"));
    ASSERT_TRUE(waitForReceived(1));
    EXPECT_EQ(received, (QList<Received>{{"CALL AFTER\r", kLoopbackText}}));
    EXPECT_TRUE(link->running());
    EXPECT_GE(link->GetLinkSocket(), 0);
}

TEST_F(LinkSocketTest, ADatagramLongerThanTheBufferIsCut) {
    ASSERT_TRUE(link->start());
    QByteArray longDatagram(5000, Qt::Uninitialized);
    for (qsizetype i = 0; i < longDatagram.size(); ++i)
        longDatagram[i] = char('A' + i % 26);
    ASSERT_TRUE(sendToLink(companion, longDatagram));
    ASSERT_TRUE(sendToLink(companion, "CALL NEXT\r"));
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_EQ(received[0].first, longDatagram.left(kLinkReceiveLimit));
    EXPECT_EQ(received[1].first, "CALL NEXT\r");
}

TEST_F(LinkSocketTest, NothingStartsWithoutItsSettings) {
    struct Case {
        const char* name;
        std::function<void(Settings&)> change;
    };
    const QList<Case> cases = {
        {"enable clear",
         [](Settings& s) {
             s.enable = 0;
         }},
        {"port 0",
         [](Settings& s) {
             s.port = 0;
         }},
        {"myport 0",
         [](Settings& s) {
             s.myport = 0;
         }},
        {"ip empty",
         [](Settings& s) {
             s.ip.clear();
         }},
        {"myport beyond 16 bits",
         [](Settings& s) {
             s.myport += 65536;
         }},
        {"myport negative",
         [](Settings& s) {
             s.myport = -s.myport;
         }},
    };
    const Settings ready = settings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings = ready;
        c.change(settings);
        const std::unique_ptr<LinkSocket> stopped = makeLink();
        EXPECT_FALSE(stopped->start());
        EXPECT_FALSE(stopped->running());
        EXPECT_EQ(stopped->GetLinkSocket(), -1);
        EXPECT_TRUE(LoopbackPortFree(quint16(ready.myport)));
        EXPECT_FALSE(stopped->sendToPeer(LinkPeer::Companion, "GET01 \r"));
    }
}

TEST_F(LinkSocketTest, ASecondStartDoesNothing) {
    ASSERT_TRUE(link->start());
    const int socket = link->GetLinkSocket();
    ASSERT_GE(socket, 0);
    settings.myport = FreeLoopbackPort();
    EXPECT_FALSE(link->start());
    EXPECT_EQ(link->GetLinkSocket(), socket);
    EXPECT_TRUE(LoopbackPortFree(quint16(settings.myport)));
}

TEST_F(LinkSocketTest, APortTakenByAnotherSocketEndsTheLinkQuietly) {
    UdpSocket holder;
    ASSERT_TRUE(holder.bind(kLoopbackIpv4, quint16(settings.myport)));
    EXPECT_TRUE(link->start());
    EXPECT_TRUE(link->running());
    EXPECT_EQ(link->GetLinkSocket(), -1);
    EXPECT_FALSE(link->sendToPeer(LinkPeer::Companion, "GET01 \r"));
    EXPECT_FALSE(link->sendToPeer(LinkPeer::RemoteHost, "RMT20 CQ\r"));
    ASSERT_TRUE(sendToLink(companion, "CALL TRV1ABC\r"));
    ASSERT_TRUE(PollUntil([&] { return holder.pendingBytes() > 0; }));
    EXPECT_EQ(link->PendingLinkBytes(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.isEmpty());
    link->stop();
    EXPECT_FALSE(link->running());

    // Started again once the port is free, the link works.
    holder.close();
    ASSERT_TRUE(link->start());
    EXPECT_GE(link->GetLinkSocket(), 0);
}

TEST_F(LinkSocketTest, SendsGoFromTheLinkPortToEachPeer) {
    ASSERT_TRUE(link->start());
    ASSERT_TRUE(link->sendToPeer(LinkPeer::Companion, "GET01 \r"));
    ASSERT_TRUE(link->sendToPeer(LinkPeer::RemoteHost, "RMT20 CQ\r"));
    const std::optional<ReceivedDatagram> request = ReceiveOne(companion);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->bytes, "GET01 \r");
    EXPECT_EQ(request->senderIpv4, kLoopbackIpv4);
    EXPECT_EQ(request->senderPort, settings.myport);
    const std::optional<ReceivedDatagram> handOff = ReceiveOne(remotePeer);
    ASSERT_TRUE(handOff);
    EXPECT_EQ(handOff->bytes, "RMT20 CQ\r");
    EXPECT_EQ(handOff->senderPort, settings.myport);
}

TEST_F(LinkSocketTest, ASendNeedsARunningLinkAndAPeerAddress) {
    EXPECT_FALSE(link->sendToPeer(LinkPeer::Companion, "GET01 \r"));
    ASSERT_TRUE(link->start());
    settings.Remote_IP.clear();
    EXPECT_FALSE(link->sendToPeer(LinkPeer::RemoteHost, "RMT20 CQ\r"));
    settings.Remote_IP = kLoopbackText;
    settings.Remote_PORT = 70000;
    EXPECT_FALSE(link->sendToPeer(LinkPeer::RemoteHost, "RMT20 CQ\r"));
    settings.ip = QStringLiteral("companion.example");
    EXPECT_FALSE(link->sendToPeer(LinkPeer::Companion, "GET01 \r"));
    settings.ip = QStringLiteral("127.1");
    EXPECT_TRUE(link->sendToPeer(LinkPeer::Companion, "GET02 \r"));
    link->stop();
    settings.ip = kLoopbackText;
    EXPECT_FALSE(link->sendToPeer(LinkPeer::Companion, "GET03 \r"));
    const std::optional<ReceivedDatagram> request = ReceiveOne(companion);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->bytes, "GET02 \r");
}

TEST_F(LinkSocketTest, PendingLinkBytesIsTheSizeOfTheWaitingDatagram) {
    EXPECT_EQ(link->PendingLinkBytes(), 0);
    ASSERT_TRUE(link->start());
    EXPECT_EQ(link->PendingLinkBytes(), 0);
    ASSERT_TRUE(sendToLink(remotePeer, "ESCAPE \r"));
    // The event loop does not run here, so the datagram stays unread.
    ASSERT_TRUE(PollUntil([&] { return link->PendingLinkBytes() > 0; }));
    EXPECT_EQ(link->PendingLinkBytes(), 8);
    ASSERT_TRUE(waitForReceived(1));
    EXPECT_EQ(link->PendingLinkBytes(), 0);
}

TEST_F(LinkSocketTest, StopsWhileTheReceiverWaitsForADatagram) {
    const Watchdog watchdog;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(link->start());
        ASSERT_GE(link->GetLinkSocket(), 0);
        letTheReceiverRun();
        link->stop();
        ASSERT_FALSE(link->running());
        ASSERT_EQ(link->GetLinkSocket(), -1);
        ASSERT_TRUE(LoopbackPortFree(quint16(settings.myport))) << "round " << round;
    }
}

TEST_F(LinkSocketTest, StopsWhileAHandOffWaitsAndItsQueuedCallThenDoesNothing) {
    const Watchdog watchdog;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(link->start());
        ASSERT_TRUE(sendToLink(companion, "CALL TRV1ABC\r"));
        letTheReceiverRun();
        link->stop();
        // The receiver's call, queued before the stop, runs now.
        QCoreApplication::processEvents();
        ASSERT_TRUE(received.isEmpty()) << "round " << round;
    }
}

TEST_F(LinkSocketTest, StopsInTheMiddleOfAFlood) {
    const Watchdog watchdog;
    // Stopped and joined however the test ends.
    const std::jthread flood([port = quint16(settings.myport)](std::stop_token stop) {
        UdpSocket socket;
        if (!socket.bind(kLoopbackIpv4, 0))
            return;
        while (!stop.stop_requested())
            socket.sendTo("GET01 0600 CQ CQ\r", kLoopbackIpv4, port);
    });
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(link->start());
        const qsizetype before = received.size();
        ASSERT_TRUE(waitForReceived(before + 1)) << "round " << round;
        link->stop();
        const qsizetype atStop = received.size();
        QCoreApplication::processEvents();
        ASSERT_EQ(received.size(), atStop) << "round " << round;
    }
}

TEST_F(LinkSocketTest, TheHandlerMayStopTheLink) {
    const Watchdog watchdog;
    whileHandling = [&](const QByteArray&) {
        link->stop();
    };
    ASSERT_TRUE(link->start());
    ASSERT_TRUE(sendToLink(companion, "CALL FIRST\r"));
    ASSERT_TRUE(sendToLink(companion, "CALL BEHIND\r")); // waiting already when the first is read
    ASSERT_TRUE(waitForReceived(1));
    QTest::qWait(50);
    EXPECT_EQ(received.size(), 1) << "nothing is read once the handler stopped the link";
    EXPECT_FALSE(link->running());
    EXPECT_TRUE(LoopbackPortFree(quint16(settings.myport)));

    whileHandling = nullptr;
    ASSERT_TRUE(link->start());
    ASSERT_TRUE(sendToLink(companion, "CALL SECOND\r"));
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_EQ(received[1].first, "CALL SECOND\r");
}

// As a host keying a remote text: the handler waits as a transmission waits, and the link is
// stopped and started again from an event dispatched in that wait, while the receiver is still
// waiting for the handler to finish.
TEST_F(LinkSocketTest, StopsAndStartsAgainInsideATransmissionsWait) {
    const Watchdog watchdog;
    EventLoopClock clock;
    bool restarted = false;
    whileHandling = [&](const QByteArray&) {
        whileHandling = nullptr;
        QTimer::singleShot(0, [&] {
            link->stop();
            restarted = link->start();
        });
        clock.pumpUntil(clock.nowUs() + 100'000);
    };
    ASSERT_TRUE(link->start());
    ASSERT_TRUE(sendToLink(companion, "RMT20 CQ\r"));
    ASSERT_TRUE(waitForReceived(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return restarted; }, kHangGuardMs));
    ASSERT_TRUE(link->running());
    ASSERT_TRUE(sendToLink(companion, "ESCAPE \r"));
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_EQ(received[1].first, "ESCAPE \r");
}

TEST_F(LinkSocketTest, ACallQueuedBeforeTheLinkIsDestroyedDoesNothing) {
    const Watchdog watchdog;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(link->start());
        ASSERT_TRUE(sendToLink(companion, "CALL TRV1ABC\r"));
        letTheReceiverRun();
        link = makeLink();
        QCoreApplication::processEvents();
        ASSERT_TRUE(received.isEmpty()) << "round " << round;
    }
}

// The link in front of the protocol: the sender text is what `ipcheck` compares with `ip`.
TEST_F(LinkSocketTest, CompanionMessagesPassTheAddressCheck) {
    FakeLinkHost host;
    link = std::make_unique<LinkSocket>(
        settings,
        [&](const QByteArray& datagram, const QString& sender) {
            received.append({datagram, sender});
            HandleLinkDatagram(datagram, sender, settings, host);
        },
        kLoopbackIpv4);
    settings.ipcheck = 1;
    ASSERT_TRUE(link->start());
    UdpSocket stranger;
    ASSERT_TRUE(stranger.bind(kSecondLoopbackIpv4, 0));
    ASSERT_TRUE(sendToLink(companion, "CALL TRV1ABC\r"));
    ASSERT_TRUE(sendToLink(stranger, "CALL TRV9XYZ\r"));
    ASSERT_TRUE(sendToLink(companion, "NAME JOE\r"));
    ASSERT_TRUE(waitForReceived(3));
    EXPECT_EQ(host.calls, (QStringList{"setField(CALL, TRV1ABC)", "setField(NAME, JOE)"}));
}

} // namespace
