#include "keyer/ThreadKeyingEngine.h"

#include "platform/Clock.h"
#include "platform/RealtimeThread.h"

#include <chrono>

namespace {

// The condition variable's sleep is coarse; the last stretch before an edge is the clock's.
constexpr qint64 kWakeAheadUs = 2000;

std::chrono::steady_clock::time_point steadyAt(qint64 us) {
    return std::chrono::steady_clock::time_point(std::chrono::microseconds(us));
}

} // namespace

ThreadKeyingEngine::ThreadKeyingEngine(Clock& clock, SerialPort& port, SidetoneOutput& sidetone)
    : m_clock(clock), m_maker(port, sidetone), m_thread([this] { run(); }) {}

ThreadKeyingEngine::~ThreadKeyingEngine() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void ThreadKeyingEngine::schedule(const KeyingEdge& edge) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push(edge);
    }
    m_wake.notify_all();
}

void ThreadKeyingEngine::cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_queue.cancel();
    }
    m_wake.notify_all();
}

void ThreadKeyingEngine::finishDue() {
    std::unique_lock lock(m_mutex);
    // Edges are due by now, so the wait is short; the time-out only rechecks "now".
    while (m_making || (!m_queue.empty() && m_queue.frontDueUs() <= m_clock.nowUs()))
        m_made.wait_for(lock, std::chrono::milliseconds(1));
}

bool ThreadKeyingEngine::sleepUntilFrontIsDue(std::unique_lock<std::mutex>& lock) {
    const qint64 dueUs = m_queue.frontDueUs();
    if (dueUs - m_clock.nowUs() > kWakeAheadUs) {
        // A new edge, a cancel or the end wakes this early; the loop then looks again.
        m_wake.wait_until(lock, steadyAt(dueUs - kWakeAheadUs));
        return false;
    }
    lock.unlock();
    m_clock.settle(dueUs);
    lock.lock();
    return true;
}

void ThreadKeyingEngine::run() {
    RequestRealtimeScheduling(); // refused without an rtprio limit: normal priority then
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop)
            return;
        if (!sleepUntilFrontIsDue(lock))
            continue;
        const auto edge = m_queue.takeDue(m_clock.nowUs()); // gone if a cancel came meanwhile
        if (!edge)
            continue;
        m_making = true;
        lock.unlock();
        const bool ok = m_maker.make(*edge);
        lock.lock();
        m_making = false;
        if (!ok) {
            m_failed = true;
            m_queue.clear();
        }
        m_made.notify_all();
    }
}
