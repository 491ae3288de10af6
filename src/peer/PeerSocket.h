#pragma once

#include "peer/PeerSession.h"
#include "platform/UdpSocket.h"

#include <QByteArray>
#include <QString>

#include <optional>

/// A datagram as the peer shows it: whole, and "address:port" of its sender.
struct PeerDatagram {
    QByteArray bytes;
    QString from;
};

/// The peer's one socket: it listens on a local address and port and sends to Tarvo from there,
/// as the companion does.
class PeerSocket : public DatagramSender {
public:
    /// Binds bindAddress:port (port 0 takes a free one); both addresses are dotted quads.
    PeerSocket(const QString& bindAddress, quint16 port, const QString& tarvoAddress, quint16 tarvoPort);

    /// Why there is no socket; empty when it is bound.
    QString error() const { return m_error; }
    int descriptor() const { return m_socket.fd(); }
    quint16 localPort() const { return m_socket.localPort(); }

    /// The next datagram; nothing when none waits.
    std::optional<PeerDatagram> receive();

    std::optional<QString> send(const QByteArray& datagram) override;
    QString destination() const override { return m_destination; }

private:
    UdpSocket m_socket;
    quint32 m_tarvoIpv4 = 0;
    quint16 m_tarvoPort = 0;
    QString m_destination;
    QString m_error;
};
