#pragma once

#include "platform/Clock.h"

#include <functional>
#include <map>

/// Test clock: every wait advances time at once. Actions scheduled at a virtual moment run when a
/// wait passes it, as events dispatched during a real wait would.
class VirtualClock : public Clock {
public:
    qint64 nowUs() const override { return m_nowUs; }
    void pumpUntil(qint64 deadlineUs) override;
    void settle(qint64 deadlineUs) override;

    /// Runs action when a wait reaches atUs (microseconds).
    void at(qint64 atUs, std::function<void()> action);
    /// Moves time on, running what falls due (as an idle event loop would).
    void advanceMs(qint64 ms) { pumpUntil(m_nowUs + ms * 1000); }
    /// Like the real clock, hand back this long before a deadline, leaving the rest to settle().
    void setPumpLeadUs(qint64 leadUs) { m_leadUs = leadUs; }
    /// Total time spent in waits, in microseconds.
    qint64 waitedUs() const { return m_waitedUs; }

private:
    qint64 m_nowUs = 1'000'000;
    qint64 m_waitedUs = 0;
    qint64 m_leadUs = 0;
    std::multimap<qint64, std::function<void()>> m_actions;
};
