#pragma once

#include "platform/UdpSocket.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <thread>

class QObject;

/// The link's receiver, from a start of the link to the next stop: it owns the link socket and a
/// worker thread that waits until a datagram arrives, then has the owner's thread read it and waits
/// until that is done, so that its next wait does not see the same datagram again.
class CTarvoThread {
public:
    /// Binds the socket to ipv4:port (host byte order) and starts the worker. onReadable runs on
    /// owner's thread, one call per waiting datagram, and should read one. When the bind fails
    /// there is no socket and no worker: nothing is received and nothing can be sent. owner must
    /// outlive this object.
    CTarvoThread(QObject& owner, quint32 ipv4, quint16 port, std::function<void()> onReadable);
    /// Wakes the worker wherever it waits, joins it and closes the socket. It never waits for the
    /// owner's thread, so that thread may destroy this at any time, inside onReadable too; a call
    /// still queued to it then does nothing.
    ~CTarvoThread();
    CTarvoThread(const CTarvoThread&) = delete;
    CTarvoThread& operator=(const CTarvoThread&) = delete;

    /// The socket's descriptor, or -1 when the bind failed.
    int GetLinkSocket() const { return m_socket.fd(); }
    /// For the owner's thread, which alone reads and sends.
    UdpSocket& socket() { return m_socket; }
    const UdpSocket& socket() const { return m_socket; }

private:
    struct HandOff;
    /// A queued call on the owner's thread.
    static void deliver(const std::weak_ptr<HandOff>& weak);
    void run();

    UdpSocket m_socket;
    WakeSignal m_wake;
    std::shared_ptr<HandOff> m_handOff;
    QObject& m_owner;
    std::thread m_worker;
};
