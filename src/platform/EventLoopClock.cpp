#include "platform/EventLoopClock.h"

#include <QEventLoop>
#include <QTimer>

#include <sys/prctl.h>
#include <time.h>

namespace {

qint64 monotonicUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

class EventLoopTimer : public ClockTimer {
public:
    explicit EventLoopTimer(std::function<void()> onTick) {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(onTick));
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

void sleepUntilUs(qint64 us) {
    timespec ts{};
    ts.tv_sec = us / 1000000;
    ts.tv_nsec = (us % 1000000) * 1000;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
    }
}

} // namespace

EventLoopClock::EventLoopClock() {
    // The default 50 us of timer slack would be added to every kernel wake-up.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

qint64 EventLoopClock::nowUs() const {
    return monotonicUs();
}

void EventLoopClock::pumpUntil(qint64 deadlineUs) {
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (;;) {
        const qint64 sleepMs = (deadlineUs - kEventLoopLeadUs - nowUs()) / 1000;
        if (sleepMs <= 0)
            break;
        timer.start(int(sleepMs));
        loop.exec();
    }
}

void EventLoopClock::settle(qint64 deadlineUs) {
    if (deadlineUs - nowUs() > kSpinUs)
        sleepUntilUs(deadlineUs - kSpinUs);
    while (nowUs() < deadlineUs) {
    }
}

std::unique_ptr<ClockTimer> EventLoopClock::createTimer(std::function<void()> onTick) {
    return std::make_unique<EventLoopTimer>(std::move(onTick));
}
