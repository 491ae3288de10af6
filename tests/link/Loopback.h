#pragma once

#include "platform/UdpSocket.h"
#include "settings/Settings.h"

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

/// 127.0.0.2: a second sender, told apart from 127.0.0.1 by its address alone.
inline constexpr quint32 kSecondLoopbackIpv4 = 0x7F000002;

/// Long enough for any loaded machine; only a hang runs into it.
inline constexpr std::chrono::seconds kHangGuard{10};

/// A port on 127.0.0.1 that no socket held a moment ago.
quint16 FreeLoopbackPort();

/// Turns the link of settings on, with its own port free on 127.0.0.1 and the companion at
/// 127.0.0.1:companionPort.
void LinkOnLoopback(Settings& settings, quint16 companionPort);

/// Whether a socket could bind 127.0.0.1:port now, that is, whether nothing holds it.
bool LoopbackPortFree(quint16 port);

/// Polls condition, without running the event loop, until it holds or kHangGuard has passed.
bool PollUntil(const std::function<bool()>& condition);

/// The next datagram on socket, waited for without running the event loop; nothing after
/// kHangGuard.
std::optional<ReceivedDatagram> ReceiveOne(UdpSocket& socket);

/// Aborts the whole run when it is not destroyed within limit: a dead-lock would otherwise hang it.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit = std::chrono::seconds(30));
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};
