#include "peer/PeerSocket.h"

#include "link/LinkRoles.h"

namespace {

// The largest payload of an IPv4 UDP datagram: the peer shows every datagram whole.
constexpr qsizetype kLargestDatagram = 65507;

QString Endpoint(const QString& address, quint16 port) {
    return address + QLatin1Char(':') + QString::number(port);
}

} // namespace

PeerSocket::PeerSocket(const QString& bindAddress, quint16 port, const QString& tarvoAddress, quint16 tarvoPort)
    : m_tarvoPort(tarvoPort), m_destination(Endpoint(tarvoAddress, tarvoPort)) {
    const std::optional<quint32> local = UdpSocket::ParseIpv4(bindAddress.toLatin1());
    const std::optional<quint32> tarvo = UdpSocket::ParseIpv4(tarvoAddress.toLatin1());
    if (!local || !tarvo) {
        m_error = QStringLiteral("%1 or %2 is not an IPv4 address").arg(bindAddress, tarvoAddress);
        return;
    }
    m_tarvoIpv4 = *tarvo;
    if (!m_socket.bind(*local, port))
        m_error =
            QStringLiteral("cannot listen on %1; does another program hold the port?").arg(Endpoint(bindAddress, port));
}

std::optional<PeerDatagram> PeerSocket::receive() {
    const std::optional<ReceivedDatagram> datagram = m_socket.receive(kLargestDatagram);
    if (!datagram)
        return std::nullopt;
    return PeerDatagram{datagram->bytes, Endpoint(SenderAddressText(datagram->senderIpv4), datagram->senderPort)};
}

std::optional<QString> PeerSocket::send(const QByteArray& datagram) {
    if (!m_socket.sendTo(datagram, m_tarvoIpv4, m_tarvoPort))
        return QStringLiteral("the system did not take it");
    return std::nullopt;
}
