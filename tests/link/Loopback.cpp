#include "Loopback.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::chrono::milliseconds kPollStep{1};

} // namespace

quint16 FreeLoopbackPort() {
    UdpSocket probe;
    return probe.bind(kLoopbackIpv4, 0) ? probe.localPort() : 0;
}

void LinkOnLoopback(Settings& settings, quint16 companionPort) {
    settings.enable = 1;
    settings.ip = QStringLiteral("127.0.0.1");
    settings.port = companionPort;
    settings.myport = FreeLoopbackPort();
}

bool LoopbackPortFree(quint16 port) {
    UdpSocket probe;
    return probe.bind(kLoopbackIpv4, port);
}

bool PollUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kHangGuard;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPollStep);
    }
    return true;
}

std::optional<ReceivedDatagram> ReceiveOne(UdpSocket& socket) {
    std::optional<ReceivedDatagram> datagram;
    PollUntil([&] {
        datagram = socket.receive(65536);
        return datagram.has_value();
    });
    return datagram;
}

Watchdog::Watchdog(std::chrono::seconds limit)
    : m_thread([this, limit] {
          std::unique_lock lock(m_mutex);
          if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
              std::fprintf(stderr, "Watchdog: the test hung for %lld s\n", static_cast<long long>(limit.count()));
              std::abort();
          }
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_done.notify_all();
    m_thread.join();
}
