#pragma once

#include <QtGlobal>

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
};

/// Waits ms milliseconds while events keep being dispatched.
void PumpingWait(Clock& clock, int ms);
