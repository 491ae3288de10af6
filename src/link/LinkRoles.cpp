#include "link/LinkRoles.h"

#include "link/LinkText.h"
#include "settings/Settings.h"

LinkRole RemoteRole(const Settings& settings) {
    if (!settings.Remote_USE || settings.Remote_PORT == 0 || settings.Remote_IP.isEmpty())
        return LinkRole::Neither;
    return settings.Remote_HOST ? LinkRole::Host : LinkRole::Remote;
}

std::optional<PeerAddress> PeerAddressOf(LinkPeer peer, const Settings& settings) {
    const bool companion = peer == LinkPeer::Companion;
    const QString& ip = companion ? settings.ip : settings.Remote_IP;
    const int port = companion ? settings.port : settings.Remote_PORT;
    // A port beyond 16 bits would wrap round to some unrelated port.
    if (ToLinkBytes(ip).isEmpty() || port < 1 || port > 65535)
        return std::nullopt;
    return PeerAddress{ip, quint16(port)};
}

QString SenderAddressText(quint32 ipv4) {
    return QString::asprintf("%d.%d.%d.%d", int(ipv4 >> 24), int((ipv4 >> 16) & 0xFF), int((ipv4 >> 8) & 0xFF),
                             int(ipv4 & 0xFF));
}

bool FromRemotePeer(const Settings& settings, const QString& sender) {
    return RemoteRole(settings) != LinkRole::Neither && sender == settings.Remote_IP;
}

bool AcceptedFromCompanion(const Settings& settings, const QString& sender) {
    return settings.Recv_ENABLEALL && (!settings.ipcheck || sender == settings.ip);
}

bool CompanionSendEnabled(const Settings& settings) {
    return settings.Send_ENABLEALL != 0;
}

bool RemoteExchangeEnabled(const Settings& settings) {
    return settings.Send_ENABLEALL && settings.Recv_ENABLEALL;
}
