#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

/// 127.0.0.1 and 0.0.0.0 in host byte order.
inline constexpr quint32 kLoopbackIpv4 = 0x7F000001;
inline constexpr quint32 kAnyIpv4 = 0;

/// One datagram as read, and its sender's IPv4 address and port in host byte order.
struct ReceivedDatagram {
    QByteArray bytes;
    quint32 senderIpv4 = 0;
    quint16 senderPort = 0;
};

/// Wakes a thread that waits in UdpSocket::waitReadable, from any thread; once raised it stays so.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    /// False when the system had no descriptor left for it.
    bool isValid() const { return m_fd >= 0; }
    void raise();
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

/// An IPv4 UDP socket. Everything but waitReadable returns at once; a send the kernel cannot take
/// now is dropped, as the network may drop any datagram.
class UdpSocket {
public:
    enum class Wait { Readable, Woken, Failed };

    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    /// Creates the socket and binds it to ipv4:port (host byte order; port 0 takes a free one).
    /// False, and no socket, when either fails, for example when another socket has the port.
    bool bind(quint32 ipv4, quint16 port);
    bool isOpen() const { return m_fd >= 0; }
    /// The descriptor, or -1 without a socket.
    int fd() const { return m_fd; }
    /// The port bound to, or 0 without a socket.
    quint16 localPort() const;

    /// The next datagram, its bytes beyond maxBytes discarded; nothing when none waits.
    std::optional<ReceivedDatagram> receive(qsizetype maxBytes);
    /// The size of the next waiting datagram; 0 when none waits or there is no socket.
    int pendingBytes() const;
    bool sendTo(const QByteArray& datagram, quint32 ipv4, quint16 port);
    /// Blocks until a datagram (or an error) waits to be read or wake is raised; Woken wins when
    /// both hold. Safe while another thread reads and sends on the socket.
    Wait waitReadable(const WakeSignal& wake) const;
    void close();

    /// An address in any form inet_addr reads ("127.0.0.1", "127.1", ...), in host byte order.
    static std::optional<quint32> ParseIpv4(const QByteArray& text);

private:
    int m_fd = -1;
};
