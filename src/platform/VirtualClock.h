#pragma once

#include "platform/Clock.h"

#include <functional>
#include <map>

/// Test clock: every wait advances time at once. A wait runs, in time order, the actions scheduled,
/// the timer ticks and the thread work falling due before its deadline, and dispatches posted
/// events before and after each of them, as the real event loop would during the same wait.
class VirtualClock : public Clock {
public:
    qint64 nowUs() const override { return m_nowUs; }
    void pumpUntil(qint64 deadlineUs) override;
    void settle(qint64 deadlineUs) override;
    std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) override;

    /// Runs action when a wait reaches atUs (microseconds).
    void at(qint64 atUs, std::function<void()> action);
    /// Runs action at atUs as another thread would: in any wait that passes it, settle() included,
    /// so a user-interface handler that blocks does not hold it up. Such work runs one piece at a
    /// time, as on one thread: time its action lets pass does not start the next piece inside it.
    void onThread(qint64 atUs, std::function<void()> action);
    /// Moves time on, running what falls due (as an idle event loop would).
    void advanceMs(qint64 ms) { pumpUntil(m_nowUs + ms * 1000); }
    /// Like the real clock, hand back this long before a deadline, leaving the rest to settle().
    void setPumpLeadUs(qint64 leadUs) { m_leadUs = leadUs; }
    /// Total time spent in waits, in microseconds.
    qint64 waitedUs() const { return m_waitedUs; }

private:
    friend class VirtualTimer;
    struct TimerSlot {
        std::function<void()> onTick;
        qint64 intervalUs = 0;
        qint64 dueUs = 0;
        bool active = false;
        bool ticking = false; ///< like a Qt timer, one whose handler runs does not fire again inside it
    };

    /// Runs the earliest action, tick or thread work due by deadlineUs; false when there is none.
    bool runNextDue(qint64 deadlineUs);
    /// Runs the earliest thread work due by deadlineUs; false when there is none, or it is busy.
    bool runThreadWork(qint64 deadlineUs);
    void advanceTo(qint64 us);
    void tick(int timerId);

    qint64 m_nowUs = 1'000'000;
    qint64 m_waitedUs = 0;
    qint64 m_leadUs = 0;
    std::multimap<qint64, std::function<void()>> m_actions;
    std::multimap<qint64, std::function<void()>> m_threadWork;
    bool m_inThreadWork = false;
    std::map<int, TimerSlot> m_timers;
    int m_nextTimerId = 1;
};
