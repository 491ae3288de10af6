#include "link/LinkSocket.h"

#include "link/CTarvoThread.h"
#include "link/LinkText.h"
#include "settings/Settings.h"

LinkSocket::LinkSocket(const Settings& settings, DatagramHandler onDatagram, quint32 bindIpv4)
    : m_settings(settings), m_onDatagram(std::move(onDatagram)), m_bindIpv4(bindIpv4) {}

LinkSocket::~LinkSocket() {
    stop();
}

bool LinkSocket::start() {
    const Settings& s = m_settings;
    // A port beyond 16 bits would bind some unrelated port.
    if (m_thread || !s.enable || s.port == 0 || s.myport < 1 || s.myport > 65535 || s.ip.isEmpty())
        return false;
    m_thread = std::make_unique<CTarvoThread>(m_context, m_bindIpv4, quint16(s.myport), [this] { readDatagram(); });
    return true;
}

void LinkSocket::stop() {
    // reset() clears the pointer before the receiver goes, so the link reads as stopped meanwhile.
    m_thread.reset();
}

int LinkSocket::GetLinkSocket() const {
    return m_thread ? m_thread->GetLinkSocket() : -1;
}

bool LinkSocket::sendToPeer(LinkPeer peer, const QByteArray& datagram) {
    if (!m_thread || !m_thread->socket().isOpen())
        return false;
    const std::optional<PeerAddress> address = PeerAddressOf(peer, m_settings);
    if (!address)
        return false;
    const std::optional<quint32> ipv4 = UdpSocket::ParseIpv4(ToLinkBytes(address->ip));
    if (!ipv4)
        return false;
    return m_thread->socket().sendTo(datagram, *ipv4, address->port);
}

int LinkSocket::PendingLinkBytes() const {
    return m_thread ? m_thread->socket().pendingBytes() : 0;
}

void LinkSocket::readDatagram() {
    // Only the running receiver's calls get here, so m_thread is the one that handed over.
    const std::optional<ReceivedDatagram> datagram = m_thread->socket().receive(kLinkReceiveLimit);
    // An empty datagram is read all the same: left waiting, it would wake the receiver for ever.
    if (!datagram || datagram->bytes.isEmpty())
        return;
    m_onDatagram(datagram->bytes, SenderAddressText(datagram->senderIpv4));
}
