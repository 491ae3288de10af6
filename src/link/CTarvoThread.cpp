#include "link/CTarvoThread.h"

#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <mutex>

// Shared with the calls queued to the owner, which hold it weakly: a call that runs after the stop
// finds it gone and does nothing.
struct CTarvoThread::HandOff {
    explicit HandOff(std::function<void()> readable) : onReadable(std::move(readable)) {}

    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    bool handled = false;
    const std::function<void()> onReadable;
};

void CTarvoThread::deliver(const std::weak_ptr<HandOff>& weak) {
    // Held for the whole call: the link may be stopped, and this object destroyed, inside it.
    const std::shared_ptr<HandOff> handOff = weak.lock();
    if (!handOff)
        return;
    handOff->onReadable();
    {
        std::lock_guard lock(handOff->mutex);
        handOff->handled = true;
    }
    handOff->changed.notify_all();
}

CTarvoThread::CTarvoThread(QObject& owner, quint32 ipv4, quint16 port, std::function<void()> onReadable)
    : m_handOff(std::make_shared<HandOff>(std::move(onReadable))), m_owner(owner) {
    // Bound before the worker runs, so the socket never changes while another thread uses it. A
    // worker that could not be woken could not be stopped, so none runs without the wake signal.
    if (m_wake.isValid() && m_socket.bind(ipv4, port))
        m_worker = std::thread([this] { run(); });
}

CTarvoThread::~CTarvoThread() {
    {
        std::lock_guard lock(m_handOff->mutex);
        m_handOff->stopping = true;
    }
    m_handOff->changed.notify_all();
    m_wake.raise();
    if (m_worker.joinable())
        m_worker.join();
}

void CTarvoThread::run() {
    HandOff& handOff = *m_handOff;
    while (m_socket.waitReadable(m_wake) == UdpSocket::Wait::Readable) {
        QMetaObject::invokeMethod(
            &m_owner, [weak = std::weak_ptr<HandOff>(m_handOff)] { deliver(weak); }, Qt::QueuedConnection);
        std::unique_lock lock(handOff.mutex);
        handOff.changed.wait(lock, [&] { return handOff.handled || handOff.stopping; });
        if (handOff.stopping)
            return;
        handOff.handled = false;
    }
}
