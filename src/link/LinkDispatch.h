#pragma once

#include <QByteArray>
#include <QString>

class LinkHost;
struct Settings;

/// Acts on one datagram from sender (dotted-quad text, see SenderAddressText): an "RMT" exchange
/// with the remote/host peer, or a companion message. Any other datagram, of any size or content,
/// is dropped. A "GET" reply while no view dialog is open selects its string (`Recv_STRINGS`).
void HandleLinkDatagram(const QByteArray& datagram, const QString& sender, Settings& settings, LinkHost& host);
