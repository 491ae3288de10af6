#include "link/LinkSocket.h"

#include "link/CTarvoThread.h"
#include "link/LinkText.h"
#include "settings/Settings.h"

namespace {

// Enough to drain a burst, few enough to keep the event loop turning.
constexpr int kDatagramsPerHandOff = 64;

} // namespace

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
    // Only the running receiver's calls get here, so m_thread is the one that handed over. Those
    // already waiting behind it are read in the same turn: a hand-off per datagram costs two thread
    // switches, and a burst would fill the socket's buffer meanwhile.
    CTarvoThread* receiver = m_thread.get();
    for (int turn = 0; turn < kDatagramsPerHandOff; ++turn) {
        const std::optional<ReceivedDatagram> datagram = receiver->socket().receive(kLinkReceiveLimit);
        if (!datagram)
            return;
        // An empty datagram is read all the same: left waiting, it would wake the receiver for ever.
        if (!datagram->bytes.isEmpty())
            m_onDatagram(datagram->bytes, SenderAddressText(datagram->senderIpv4));
        // The handler may have stopped or restarted the link.
        if (m_thread.get() != receiver || receiver->socket().pendingBytes() <= 0)
            return;
    }
}
