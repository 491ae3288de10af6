#include "platform/UdpSocket.h"
#include "Loopback.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class UdpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(receiver.bind(kLoopbackIpv4, 0));
        ASSERT_TRUE(sender.bind(kLoopbackIpv4, 0));
    }

    bool send(const QByteArray& datagram) { return sender.sendTo(datagram, kLoopbackIpv4, receiver.localPort()); }

    UdpSocket receiver;
    UdpSocket sender;
};

TEST(UdpSocket, ParsesAddressesAsInetAddrDoes) {
    EXPECT_EQ(UdpSocket::ParseIpv4("127.0.0.1"), kLoopbackIpv4);
    EXPECT_EQ(UdpSocket::ParseIpv4("127.1"), kLoopbackIpv4);
    EXPECT_EQ(UdpSocket::ParseIpv4("0x7f.0.0.2"), kSecondLoopbackIpv4);
    EXPECT_EQ(UdpSocket::ParseIpv4("192.168.1.10"), 0xC0A8010Au);
    EXPECT_EQ(UdpSocket::ParseIpv4("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(UdpSocket::ParseIpv4(""), std::nullopt);
    EXPECT_EQ(UdpSocket::ParseIpv4("256.0.0.1"), std::nullopt);
    EXPECT_EQ(UdpSocket::ParseIpv4("host.example"), std::nullopt);
}

TEST(UdpSocket, WithoutASocketNothingIsReadOrSent) {
    UdpSocket socket;
    EXPECT_FALSE(socket.isOpen());
    EXPECT_EQ(socket.fd(), -1);
    EXPECT_EQ(socket.localPort(), 0);
    EXPECT_EQ(socket.receive(16), std::nullopt);
    EXPECT_EQ(socket.pendingBytes(), 0);
    EXPECT_FALSE(socket.sendTo("x", kLoopbackIpv4, 9));
}

TEST(UdpSocket, APortHeldByAnotherSocketCannotBeBound) {
    UdpSocket holder;
    ASSERT_TRUE(holder.bind(kLoopbackIpv4, 0));
    UdpSocket second;
    EXPECT_FALSE(second.bind(kLoopbackIpv4, holder.localPort()));
    EXPECT_FALSE(second.isOpen());
    holder.close();
    EXPECT_TRUE(second.bind(kLoopbackIpv4, FreeLoopbackPort()));
}

TEST_F(UdpSocketTest, ReceivesTheDatagramAndItsSender) {
    UdpSocket second;
    ASSERT_TRUE(second.bind(kSecondLoopbackIpv4, 0));
    ASSERT_TRUE(second.sendTo("CQ TEST\r", kLoopbackIpv4, receiver.localPort()));
    const std::optional<ReceivedDatagram> datagram = ReceiveOne(receiver);
    ASSERT_TRUE(datagram);
    EXPECT_EQ(datagram->bytes, "CQ TEST\r");
    EXPECT_EQ(datagram->senderIpv4, kSecondLoopbackIpv4);
    EXPECT_EQ(datagram->senderPort, second.localPort());
}

TEST_F(UdpSocketTest, ReceiveReturnsAtOnceWhenNothingWaits) {
    EXPECT_EQ(receiver.receive(16), std::nullopt);
}

TEST_F(UdpSocketTest, ALongDatagramIsCutAndItsRestDiscarded) {
    ASSERT_TRUE(send(QByteArray(100, 'A')));
    ASSERT_TRUE(send("NEXT"));
    ASSERT_TRUE(PollUntil([&] { return receiver.pendingBytes() > 0; }));
    const std::optional<ReceivedDatagram> cut = receiver.receive(10);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->bytes, QByteArray(10, 'A'));
    const std::optional<ReceivedDatagram> next = ReceiveOne(receiver);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->bytes, "NEXT");
}

TEST_F(UdpSocketTest, PendingBytesIsTheSizeOfTheNextDatagram) {
    ASSERT_TRUE(send("ESCAPE \r"));
    ASSERT_TRUE(send("CALL TRV1ABC\r"));
    ASSERT_TRUE(PollUntil([&] { return receiver.pendingBytes() > 0; }));
    EXPECT_EQ(receiver.pendingBytes(), 8);
}

// Why an empty datagram must be read, not taken for a closed socket: it waits with a count of 0.
TEST_F(UdpSocketTest, AnEmptyDatagramCountsNoBytesYetWaitsToBeRead) {
    ASSERT_TRUE(send(QByteArray()));
    const WakeSignal wake;
    ASSERT_EQ(receiver.waitReadable(wake), UdpSocket::Wait::Readable);
    EXPECT_EQ(receiver.pendingBytes(), 0);
    const std::optional<ReceivedDatagram> empty = receiver.receive(16);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->bytes.isEmpty());
    EXPECT_EQ(receiver.receive(16), std::nullopt);
}

TEST_F(UdpSocketTest, AWaitEndsWhenADatagramArrives) {
    const Watchdog watchdog;
    const WakeSignal wake;
    std::thread later([&] { send("CQ"); });
    EXPECT_EQ(receiver.waitReadable(wake), UdpSocket::Wait::Readable);
    later.join();
}

TEST_F(UdpSocketTest, AWaitEndsWhenWokenFromAnotherThread) {
    const Watchdog watchdog;
    WakeSignal wake;
    ASSERT_TRUE(wake.isValid());
    std::thread waker([&] { wake.raise(); });
    EXPECT_EQ(receiver.waitReadable(wake), UdpSocket::Wait::Woken);
    waker.join();
    // It stays raised.
    EXPECT_EQ(receiver.waitReadable(wake), UdpSocket::Wait::Woken);
}

TEST_F(UdpSocketTest, TheWakeWinsOverAWaitingDatagram) {
    ASSERT_TRUE(send("CQ"));
    ASSERT_TRUE(PollUntil([&] { return receiver.pendingBytes() > 0; }));
    WakeSignal wake;
    wake.raise();
    EXPECT_EQ(receiver.waitReadable(wake), UdpSocket::Wait::Woken);
}

} // namespace
