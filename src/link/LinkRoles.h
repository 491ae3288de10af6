#pragma once

#include <QString>

#include <optional>

struct Settings;

/// What this station is on the remote/host link.
enum class LinkRole { Neither, Remote, Host };

/// The two peers the one link socket talks to.
enum class LinkPeer { Companion, RemoteHost };

/// Where a datagram to a peer goes: the address as the operator wrote it, and the port.
struct PeerAddress {
    QString ip;
    quint16 port = 0;
};

/// Remote or host when the remote/host link is in use and has a port and an address.
LinkRole RemoteRole(const Settings& settings);

/// The peer's address, or nothing when its address is empty or its port is no UDP port: sends to
/// it are then dropped.
std::optional<PeerAddress> PeerAddressOf(LinkPeer peer, const Settings& settings);

/// A datagram's sender as the link compares it with the settings, "%d.%d.%d.%d" of an IPv4
/// address in host byte order.
QString SenderAddressText(quint32 ipv4);

/// The datagram came from the remote/host peer of a station that has that role.
bool FromRemotePeer(const Settings& settings, const QString& sender);

/// A datagram from sender goes on to the companion's keywords: receiving is enabled and, with
/// `ipcheck` set, it came from the companion's address.
bool AcceptedFromCompanion(const Settings& settings, const QString& sender);

/// Requests to the companion may be sent.
bool CompanionSendEnabled(const Settings& settings);

/// Texts may be handed to the host and the host may answer: sending and receiving both enabled.
bool RemoteExchangeEnabled(const Settings& settings);
