#pragma once

#include "link/LinkRoles.h"
#include "platform/UdpSocket.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CTarvoThread;
struct Settings;

/// The link as the user-interface thread owns it: starts and stops the receiver, reads each
/// datagram when the receiver hands over and passes it on, and sends. Create, use and destroy it on
/// that thread only.
class LinkSocket {
public:
    /// A datagram of at least one byte, cut to kLinkReceiveLimit, and its sender's address as
    /// SenderAddressText gives it.
    using DatagramHandler = std::function<void(const QByteArray& datagram, const QString& sender)>;

    /// settings must outlive this object; bindIpv4 is the address the socket binds to, every
    /// interface unless a test narrows it.
    LinkSocket(const Settings& settings, DatagramHandler onDatagram, quint32 bindIpv4 = kAnyIpv4);
    ~LinkSocket();
    LinkSocket(const LinkSocket&) = delete;
    LinkSocket& operator=(const LinkSocket&) = delete;

    /// Starts the receiver on `myport` when the link is stopped, `enable` is set, `port` and
    /// `myport` are not 0 and `ip` is not empty; true when it started. A bind that fails leaves the
    /// link started but without a socket.
    bool start();
    /// Stops the receiver and closes the socket. Never dead-locks: also safe inside onDatagram and
    /// inside any wait that dispatches events.
    void stop();
    /// From a start to the next stop, whether or not the bind succeeded (`LinkRunning`).
    bool running() const { return m_thread != nullptr; }
    /// The socket's descriptor, or -1 while stopped or when the bind failed.
    int GetLinkSocket() const;
    /// Sends one datagram from the link socket to peer; false, and nothing sent, without a socket,
    /// without a peer address or when the kernel refuses it.
    bool sendToPeer(LinkPeer peer, const QByteArray& datagram);
    /// The size of the next datagram waiting on the socket, 0 without one. The caller applies the
    /// host-station and `RemoteKeying` rule.
    int PendingLinkBytes() const;

private:
    void readDatagram();

    const Settings& m_settings;
    const DatagramHandler m_onDatagram;
    const quint32 m_bindIpv4;
    // Receives the receiver's queued calls; declared before m_thread, so it outlives it.
    QObject m_context;
    std::unique_ptr<CTarvoThread> m_thread;
};
