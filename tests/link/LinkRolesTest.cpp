#include "link/LinkRoles.h"
#include "QtPrinters.h"
#include "settings/Settings.h"

#include <QList>

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(LinkRoles, RoleFollowsTheRemoteKeys) {
    struct Case {
        int use, host, port;
        QString ip;
        LinkRole role;
    };
    const QList<Case> cases = {
        {1, 0, 10001, "192.168.1.20", LinkRole::Remote},
        {1, 1, 10001, "192.168.1.20", LinkRole::Host},
        {5, 7, 10001, "192.168.1.20", LinkRole::Host}, // flags count as set when not 0
        {0, 0, 10001, "192.168.1.20", LinkRole::Neither},
        {0, 1, 10001, "192.168.1.20", LinkRole::Neither},
        {1, 0, 0, "192.168.1.20", LinkRole::Neither},
        {1, 1, 0, "192.168.1.20", LinkRole::Neither},
        {1, 0, 10001, "", LinkRole::Neither},
        {1, 1, 10001, "", LinkRole::Neither},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.use * 1000 + c.host * 100 + c.port + c.ip.size());
        Settings s;
        s.Remote_USE = c.use;
        s.Remote_HOST = c.host;
        s.Remote_PORT = c.port;
        s.Remote_IP = c.ip;
        EXPECT_EQ(RemoteRole(s), c.role);
    }
}

TEST(LinkRoles, PeerAddressNeedsAnAddressAndAUdpPort) {
    struct Case {
        LinkPeer peer;
        QString ip;
        int port;
        std::optional<quint16> expected; ///< nothing: no address
    };
    const QList<Case> cases = {
        {LinkPeer::Companion, "192.168.1.10", 10000, 10000},
        {LinkPeer::RemoteHost, "10.0.0.2", 10001, 10001},
        {LinkPeer::Companion, "127.0.0.1", 1, 1},
        {LinkPeer::RemoteHost, "127.0.0.1", 65535, 65535},
        {LinkPeer::Companion, "", 10000, std::nullopt},
        {LinkPeer::RemoteHost, "", 10001, std::nullopt},
        {LinkPeer::Companion, "127.0.0.1", 0, std::nullopt},
        {LinkPeer::RemoteHost, "127.0.0.1", -1, std::nullopt},
        {LinkPeer::Companion, "127.0.0.1", 65536, std::nullopt},
        {LinkPeer::RemoteHost, "127.0.0.1", 75537, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ip.toStdString() + ":" + std::to_string(c.port));
        Settings s;
        // The other peer's keys hold values that would be wrong for this one.
        s.ip = s.Remote_IP = QStringLiteral("192.0.2.99");
        s.port = s.Remote_PORT = 4;
        (c.peer == LinkPeer::Companion ? s.ip : s.Remote_IP) = c.ip;
        (c.peer == LinkPeer::Companion ? s.port : s.Remote_PORT) = c.port;
        const auto address = PeerAddressOf(c.peer, s);
        ASSERT_EQ(address.has_value(), c.expected.has_value());
        if (address) {
            EXPECT_EQ(address->ip, c.ip);
            EXPECT_EQ(address->port, *c.expected);
        }
    }
}

TEST(LinkRoles, SenderIsWrittenAsDottedQuad) {
    const QList<std::tuple<quint32, QString>> cases = {
        {0xC0A8010A, "192.168.1.10"},    {0x7F000001, "127.0.0.1"},  {0, "0.0.0.0"},
        {0xFFFFFFFF, "255.255.255.255"}, {0x0A00FF01, "10.0.255.1"},
    };
    for (const auto& [address, text] : cases)
        EXPECT_EQ(SenderAddressText(address), text);
}

TEST(LinkRoles, DatagramsFromTheRemotePeerNeedARoleAndItsExactAddress) {
    struct Case {
        int use, host;
        QString sender;
        bool fromPeer;
    };
    const QList<Case> cases = {
        {1, 0, "192.168.1.20", true},  {1, 1, "192.168.1.20", true},     {0, 0, "192.168.1.20", false},
        {1, 1, "192.168.1.21", false}, {1, 1, "192.168.001.020", false}, {1, 1, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sender.toStdString());
        Settings s;
        s.Remote_USE = c.use;
        s.Remote_HOST = c.host;
        s.Remote_IP = QStringLiteral("192.168.1.20");
        EXPECT_EQ(FromRemotePeer(s, c.sender), c.fromPeer);
    }
}

TEST(LinkRoles, CompanionDatagramsPassReceiveAndAddressChecks) {
    struct Case {
        int receive, ipcheck;
        QString ip, sender;
        bool accepted;
    };
    const QList<Case> cases = {
        {1, 1, "192.168.1.10", "192.168.1.10", true},
        {1, 1, "192.168.1.10", "192.168.1.11", false},
        {1, 0, "192.168.1.10", "10.9.8.7", true},
        {0, 0, "192.168.1.10", "192.168.1.10", false},
        {0, 1, "192.168.1.10", "192.168.1.10", false},
        // The texts are compared, not the addresses they name.
        {1, 1, "192.168.001.010", "192.168.1.10", false},
        {1, 1, " 192.168.1.10", "192.168.1.10", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ip.toStdString() + " / " + c.sender.toStdString());
        Settings s;
        s.Recv_ENABLEALL = c.receive;
        s.ipcheck = c.ipcheck;
        s.ip = c.ip;
        EXPECT_EQ(AcceptedFromCompanion(s, c.sender), c.accepted);
    }
}

TEST(LinkRoles, SendGatesFollowTheEnableFlags) {
    const QList<std::tuple<int, int, bool, bool>> cases = {
        // Send_ENABLEALL, Recv_ENABLEALL, to the companion, remote exchange
        {1, 1, true, true},
        {1, 0, true, false},
        {0, 1, false, false},
        {0, 0, false, false},
    };
    for (const auto& [send, receive, companion, remote] : cases) {
        SCOPED_TRACE(send * 10 + receive);
        Settings s;
        s.Send_ENABLEALL = send;
        s.Recv_ENABLEALL = receive;
        EXPECT_EQ(CompanionSendEnabled(s), companion);
        EXPECT_EQ(RemoteExchangeEnabled(s), remote);
    }
}

} // namespace
