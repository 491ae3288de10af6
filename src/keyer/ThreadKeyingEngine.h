#pragma once

#include "keyer/EdgeMaker.h"
#include "keyer/EdgeQueue.h"
#include "keyer/KeyingEngine.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class Clock;

/// The keying engine on a thread of its own: it sleeps until shortly before each edge, finishes the
/// wait precisely and makes the edge, so neither a busy screen nor a slow line change moves one.
/// The port and the sidetone are the user-interface thread's again whenever no edge is queued.
class ThreadKeyingEngine : public KeyingEngine {
public:
    /// clock must be safe to read and settle on from another thread (the real clock is).
    ThreadKeyingEngine(Clock& clock, SerialPort& port, SidetoneOutput& sidetone);
    ~ThreadKeyingEngine() override;

    void schedule(const KeyingEdge& edge) override;
    void cancel() override;
    void finishDue() override;
    bool failed() const override { return m_failed; }
    void clearFailure() override { m_failed = false; }

private:
    void run();
    /// Waits, the lock held by lock, until the front edge is due; false when woken for another reason.
    bool sleepUntilFrontIsDue(std::unique_lock<std::mutex>& lock);

    Clock& m_clock;
    EdgeMaker m_maker;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_made;
    EdgeQueue m_queue;
    bool m_making = false;
    bool m_stop = false;
    std::atomic<bool> m_failed{false};
    std::thread m_thread;
};
