#include "peer/PeerLoop.h"

#include "peer/PeerSocket.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

int RunPeer(PeerSocket& socket, PeerSession& session, int inputFd, PeerOutput& output, int floodPerMs) {
    // poll skips a negative descriptor, so without input only the socket is watched.
    pollfd watched[2] = {{socket.descriptor(), POLLIN, 0}, {inputFd, POLLIN, 0}};
    using Clock = std::chrono::steady_clock;
    Clock::time_point nextFlood = Clock::now();
    for (;;) {
        if (floodPerMs > 0 && Clock::now() >= nextFlood) {
            session.flood(floodPerMs);
            nextFlood = std::max(nextFlood + std::chrono::milliseconds(1), Clock::now());
        }
        if (::poll(watched, 2, floodPerMs > 0 ? 1 : -1) < 0) {
            if (errno == EINTR)
                continue;
            output.printError(QStringLiteral("waiting failed: %1").arg(SystemError()));
            return 1;
        }
        if (watched[0].revents != 0) {
            // Nothing to read after a readable socket is an error report, which the read has cleared.
            if (const auto datagram = socket.receive())
                session.received(datagram->bytes, datagram->from);
        }
        if (watched[1].revents != 0) {
            char buffer[4096];
            const ssize_t count = ::read(inputFd, buffer, sizeof buffer);
            if (count > 0) {
                session.typed(QByteArray(buffer, count));
            } else if (count == 0) {
                session.inputEnded();
                return 0;
            } else if (errno != EINTR) {
                output.printError(QStringLiteral("reading the input failed: %1").arg(SystemError()));
                return 1;
            }
        }
    }
}
