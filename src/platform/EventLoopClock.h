#pragma once

#include "platform/Clock.h"

/// The real clock: sleeps in the Qt event loop until shortly before a deadline, then in the kernel,
/// and spins only the last fraction of a millisecond, so a wait is exact without holding a core.
class EventLoopClock : public Clock {
public:
    EventLoopClock();

    qint64 nowUs() const override;
    void pumpUntil(qint64 deadlineUs) override;
    void settle(qint64 deadlineUs) override;
    std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) override;

    /// How long before a deadline the event loop hands over to the precise finish.
    static constexpr qint64 kEventLoopLeadUs = 6000;
    /// How long before a deadline the kernel sleep hands over to the final spin.
    static constexpr qint64 kSpinUs = 800;
};
