#include "link/StationLink.h"

#include "keyer/KeyerState.h"
#include "link/LinkDispatch.h"
#include "link/LinkHost.h"
#include "link/RemoteMessages.h"
#include "settings/Settings.h"

StationLink::StationLink(Settings& settings, const KeyerState& state, quint32 bindIpv4)
    : m_settings(settings), m_state(state),
      m_socket(
          settings, [this](const QByteArray& datagram, const QString& sender) { received(datagram, sender); },
          bindIpv4) {}

void StationLink::received(const QByteArray& datagram, const QString& sender) {
    // The event loop may read a datagram before the keying looks for it: it counts as waiting.
    m_readWhileKeying = m_state.RemoteKeying ? m_readWhileKeying + int(datagram.size()) : 0;
    if (m_host)
        HandleLinkDatagram(datagram, sender, m_settings, *m_host);
}

void StationLink::SendLinkRequest(const QByteArray& request) {
    if (CompanionSendEnabled(m_settings))
        m_socket.sendToPeer(LinkPeer::Companion, request);
}

bool StationLink::isRemoteStation() const {
    return RemoteRole(m_settings) == LinkRole::Remote;
}

bool StationLink::canHandOff() const {
    return RemoteExchangeEnabled(m_settings) && hasSocket() && PeerAddressOf(LinkPeer::RemoteHost, m_settings);
}

void StationLink::startRemoteWait() {
    if (m_host)
        m_host->startRemoteWait();
}

void StationLink::sendToHost(int wpm, const QString& text) {
    m_socket.sendToPeer(LinkPeer::RemoteHost, RmtMessage(wpm, text));
}

int StationLink::PendingLinkBytes() const {
    if (!m_state.RemoteKeying || RemoteRole(m_settings) != LinkRole::Host)
        return 0;
    return m_socket.PendingLinkBytes() + m_readWhileKeying;
}
