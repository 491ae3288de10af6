#include "platform/Clock.h"

void PumpingWait(Clock& clock, int ms) {
    if (ms <= 0)
        return;
    const qint64 deadline = clock.nowUs() + qint64(ms) * 1000;
    clock.pumpUntil(deadline);
    clock.settle(deadline);
}
