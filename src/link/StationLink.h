#pragma once

#include "keyer/RemoteLink.h"
#include "link/LinkRoles.h"
#include "link/LinkSocket.h"

class LinkHost;
struct KeyerState;
struct Settings;

/// The link of one station: its socket and receiver, the sender's hand-off of texts to the host
/// station, and every datagram passed to the screen through LinkHost. Lives on the user-interface
/// thread.
class StationLink : public RemoteLink {
public:
    /// bindIpv4 narrows the socket to one address in tests; the program binds every interface.
    StationLink(Settings& settings, const KeyerState& state, quint32 bindIpv4 = kAnyIpv4);

    /// The screen that acts on what arrives; datagrams are dropped while there is none.
    void setHost(LinkHost* host) { m_host = host; }
    bool start() { return m_socket.start(); }
    void stop() { m_socket.stop(); }
    /// From a start to the next stop, even when the socket could not be bound.
    bool running() const { return m_socket.running(); }
    bool hasSocket() const { return m_socket.GetLinkSocket() >= 0; }
    /// One datagram to a peer; nothing without a socket or a peer address.
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) { m_socket.sendToPeer(peer, datagram); }
    /// A request to the companion, dropped while sending to it is off.
    void SendLinkRequest(const QByteArray& request);

    // RemoteLink
    bool isRemoteStation() const override;
    bool canHandOff() const override;
    void startRemoteWait() override;
    void sendToHost(int wpm, const QString& text) override;
    /// Only a host station keying a remote text looks: a datagram waiting, or read since the keying
    /// began, then cuts the keying short.
    int PendingLinkBytes() const override;

private:
    void received(const QByteArray& datagram, const QString& sender);

    Settings& m_settings;
    const KeyerState& m_state;
    LinkHost* m_host = nullptr;
    LinkSocket m_socket;
    int m_readWhileKeying = 0; ///< bytes of the datagrams read while this host keyed a remote text
};
