#include "peer/PeerLoop.h"
#include "QtPrinters.h"
#include "peer/BytePrinter.h"
#include "peer/PeerSocket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

/// Stands in for Tarvo: a socket of its own on 127.0.0.1.
class TarvoEnd {
public:
    TarvoEnd() {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in local = Address(0);
        ::bind(m_fd, reinterpret_cast<const sockaddr*>(&local), sizeof local);
        // Only a hang runs into this; a datagram on the loopback is there long before.
        const timeval guard{10, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
    }
    ~TarvoEnd() { ::close(m_fd); }

    quint16 port() const {
        sockaddr_in local{};
        socklen_t size = sizeof local;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &size);
        return ntohs(local.sin_port);
    }

    void sendTo(quint16 port, const QByteArray& datagram) const {
        const sockaddr_in to = Address(port);
        ::sendto(m_fd, datagram.constData(), size_t(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                 sizeof to);
    }

    /// The next datagram and the port it came from; nothing when none came.
    std::optional<std::pair<QByteArray, quint16>> receive() const {
        QByteArray bytes(65536, Qt::Uninitialized);
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t count =
            ::recvfrom(m_fd, bytes.data(), size_t(bytes.size()), 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (count < 0)
            return std::nullopt;
        bytes.truncate(count);
        return std::pair{bytes, ntohs(from.sin_port)};
    }

private:
    static sockaddr_in Address(quint16 port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    int m_fd = -1;
};

class RecordingOutput : public PeerOutput {
public:
    QStringList printed;
    QStringList errors;

    void print(const QString& line) override { printed.append(line); }
    void printError(const QString& line) override { errors.append(line); }
};

/// RunPeer on a thread of its own, reading a pipe; ending the input ends it, however the test ends.
class LoopRun {
public:
    LoopRun(PeerSocket& socket, PeerSession& session, PeerOutput& output) {
        if (::pipe(m_input) != 0)
            return;
        m_thread = std::thread(
            [this, &socket, &session, &output] { m_result = RunPeer(socket, session, m_input[0], output); });
    }
    ~LoopRun() { end(); }

    bool running() const { return m_thread.joinable(); }
    bool type(const QByteArray& bytes) const {
        return ::write(m_input[1], bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    /// Ends the input and waits for the loop; what it returned.
    int end() {
        if (m_thread.joinable()) {
            ::close(m_input[1]);
            m_thread.join();
            ::close(m_input[0]);
        }
        return m_result;
    }

private:
    int m_input[2] = {-1, -1};
    int m_result = -1;
    std::thread m_thread;
};

TEST(PeerLoop, AnswersRequestsAndSendsTypedLinesUntilInputEnds) {
    TarvoEnd tarvo;
    PeerSocket socket(kLoopback, 0, kLoopback, tarvo.port());
    ASSERT_TRUE(socket.error().isEmpty()) << socket.error().toStdString();
    CompanionData data = DefaultCompanionData();
    data.strings[4] = {550, "TU 5NN"};
    RecordingOutput output;
    PeerSession session(data, socket, output);
    LoopRun loop(socket, session, output);
    ASSERT_TRUE(loop.running());

    tarvo.sendTo(socket.localPort(), "GET05 \r");
    const auto answer = tarvo.receive();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->first, "GET05 0550 TU 5NN\r");
    EXPECT_EQ(answer->second, socket.localPort());

    ASSERT_TRUE(loop.type("CALL Q1"));
    ASSERT_TRUE(loop.type("ABC\nCLR"));
    const auto call = tarvo.receive();
    ASSERT_TRUE(call);
    EXPECT_EQ(call->first, "CALL Q1ABC\r");

    // The last line goes when the input ends, and the loop with it.
    EXPECT_EQ(loop.end(), 0);
    const auto clear = tarvo.receive();
    ASSERT_TRUE(clear);
    EXPECT_EQ(clear->first, "CLR \r");
    const QString tarvoAt = kLoopback + ':' + QString::number(tarvo.port());
    EXPECT_EQ(output.printed,
              QStringList({"from " + tarvoAt + R"( "GET05 \r")", "to   " + tarvoAt + R"( "GET05 0550 TU 5NN\r")",
                           "to   " + tarvoAt + R"( "CALL Q1ABC\r")", "to   " + tarvoAt + R"( "CLR \r")"}));
    EXPECT_TRUE(output.errors.isEmpty());
}

TEST(PeerSocket, APortInUseIsReported) {
    PeerSocket first(kLoopback, 0, kLoopback, 10001);
    ASSERT_TRUE(first.error().isEmpty());
    PeerSocket second(kLoopback, first.localPort(), kLoopback, 10001);
    EXPECT_FALSE(second.error().isEmpty());
    EXPECT_TRUE(second.error().contains(QString::number(first.localPort()))) << second.error().toStdString();
    EXPECT_EQ(second.descriptor(), -1);
}

TEST(PeerSocket, TheSenderIsItsAddressAndPort) {
    TarvoEnd tarvo;
    PeerSocket socket(kLoopback, 0, kLoopback, tarvo.port());
    ASSERT_TRUE(socket.error().isEmpty());
    EXPECT_EQ(socket.destination(), kLoopback + ':' + QString::number(tarvo.port()));
    tarvo.sendTo(socket.localPort(), QByteArray(3000, 'E'));
    pollfd readable{socket.descriptor(), POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, 10000), 1);
    const auto datagram = socket.receive();
    ASSERT_TRUE(datagram);
    EXPECT_EQ(datagram->from, kLoopback + ':' + QString::number(tarvo.port()));
    // Shown whole, even beyond what Tarvo would read of it.
    EXPECT_EQ(datagram->bytes, QByteArray(3000, 'E'));
    EXPECT_FALSE(socket.receive());
}

TEST(PeerSocket, AnAddressThatIsNoneIsReported) {
    PeerSocket socket(QStringLiteral("localhost"), 0, kLoopback, 10001);
    EXPECT_TRUE(socket.error().contains("localhost"));
    EXPECT_EQ(socket.descriptor(), -1);
}

} // namespace
