#pragma once

#include "platform/Clock.h"

#include <memory>

class CqHost;

/// Calls CQ by itself: sends the chosen message, watches CQ_Sec seconds, and again, CQ_Limit
/// times, until any sign of an answer stops it. Ticked every 100 ms while it runs.
class AutomaticCq {
public:
    explicit AutomaticCq(CqHost& view);

    /// Starts the repeat when the CQ box is checked, stops it when it is unchecked.
    void CqToggle();
    /// One 100 ms tick.
    void CqTick();

    /// Stops the ticks for good (the screen is closing).
    void kill() { m_timer->stop(); }
    bool timerActive() const { return m_timer->isActive(); }
    bool typeAhead() const { return m_typeAhead; }
    /// A stopped CQ message put the focus into its edit: the next stop leaves the focus alone.
    void holdFocus() { m_focusHold = true; }

private:
    void start();
    void stop();
    bool typeAheadInto();
    void sendCq();
    bool stopKeysDown() const;

    CqHost& m_view;
    std::unique_ptr<ClockTimer> m_timer;
    int m_watchMs = 0;
    bool m_firstGuard = false;
    bool m_secondGuard = false;
    bool m_typeAhead = false;
    bool m_focusHold = false;
};
