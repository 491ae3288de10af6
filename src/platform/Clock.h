#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

/// A repeating timer whose ticks are dispatched by the clock's event loop.
class ClockTimer {
public:
    virtual ~ClockTimer() = default;
    /// (Re)starts the timer; the first tick comes intervalMs from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

/// Steady time and the waits built on it. Waits keep the event loop running.
class Clock {
public:
    virtual ~Clock() = default;

    /// Steady time in microseconds; never goes back.
    virtual qint64 nowUs() const = 0;

    /// Dispatches events until shortly before deadlineUs; returns at once when it has passed.
    virtual void pumpUntil(qint64 deadlineUs) = 0;

    /// Returns at deadlineUs as exactly as the backend can, without dispatching events.
    virtual void settle(qint64 deadlineUs) = 0;

    /// A stopped timer that calls onTick on this clock's time; the clock must outlive it.
    virtual std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) = 0;
};
