#include "link/StationLink.h"

#include "keyer/KeyerState.h"
#include "link/LinkDispatch.h"
#include "link/LinkHost.h"
#include "link/RemoteMessages.h"
#include "settings/Settings.h"

StationLink::StationLink(Settings& settings, const KeyerState& state, quint32 bindIpv4)
    : m_settings(settings), m_state(state), m_socket(
                                                settings,
                                                [this](const QByteArray& datagram, const QString& sender) {
                                                    if (m_host)
                                                        HandleLinkDatagram(datagram, sender, m_settings, *m_host);
                                                },
                                                bindIpv4) {}

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
    return m_socket.PendingLinkBytes();
}
