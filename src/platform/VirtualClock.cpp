#include "platform/VirtualClock.h"

#include <QCoreApplication>

class VirtualTimer : public ClockTimer {
public:
    VirtualTimer(VirtualClock& clock, int id) : m_clock(clock), m_id(id) {}
    ~VirtualTimer() override { m_clock.m_timers.erase(m_id); }

    void start(int intervalMs) override {
        VirtualClock::TimerSlot& slot = m_clock.m_timers.at(m_id);
        slot.intervalUs = qint64(intervalMs) * 1000;
        slot.dueUs = m_clock.nowUs() + slot.intervalUs;
        slot.active = true;
    }
    void stop() override { m_clock.m_timers.at(m_id).active = false; }
    bool isActive() const override { return m_clock.m_timers.at(m_id).active; }

private:
    VirtualClock& m_clock;
    int m_id;
};

namespace {

void dispatchPostedEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

void VirtualClock::pumpUntil(qint64 deadlineUs) {
    deadlineUs -= m_leadUs;
    do
        dispatchPostedEvents();
    while (runNextDue(deadlineUs));
    settle(deadlineUs);
}

bool VirtualClock::runNextDue(qint64 deadlineUs) {
    int timerId = 0;
    qint64 timerDueUs = deadlineUs + 1;
    for (const auto& [id, slot] : m_timers) {
        if (slot.active && !slot.ticking && slot.dueUs < timerDueUs) {
            timerId = id;
            timerDueUs = slot.dueUs;
        }
    }
    const qint64 actionDueUs = m_actions.empty() ? deadlineUs + 1 : m_actions.begin()->first;
    const qint64 threadDueUs = m_threadWork.empty() || m_inThreadWork ? deadlineUs + 1 : m_threadWork.begin()->first;
    // In time order; at the same moment the other thread's work goes first, as it does not wait
    // for the event loop.
    if (threadDueUs <= deadlineUs && threadDueUs <= actionDueUs && threadDueUs <= timerDueUs)
        return runThreadWork(deadlineUs);
    if (actionDueUs <= deadlineUs && actionDueUs <= timerDueUs) {
        auto node = m_actions.extract(m_actions.begin());
        settle(node.key());
        node.mapped()();
        return true;
    }
    if (timerId == 0)
        return false;
    settle(timerDueUs);
    tick(timerId);
    return true;
}

bool VirtualClock::runThreadWork(qint64 deadlineUs) {
    if (m_inThreadWork || m_threadWork.empty() || m_threadWork.begin()->first > deadlineUs)
        return false;
    auto node = m_threadWork.extract(m_threadWork.begin());
    advanceTo(node.key());
    m_inThreadWork = true;
    node.mapped()();
    m_inThreadWork = false;
    return true;
}

void VirtualClock::advanceTo(qint64 us) {
    if (us > m_nowUs) {
        m_waitedUs += us - m_nowUs;
        m_nowUs = us;
    }
}

void VirtualClock::tick(int timerId) {
    TimerSlot& slot = m_timers.at(timerId);
    // A late tick is not made up for: the next one comes an interval after it.
    slot.dueUs += slot.intervalUs;
    if (slot.dueUs < m_nowUs)
        slot.dueUs = m_nowUs + slot.intervalUs;
    slot.ticking = true;
    const std::function<void()> onTick = slot.onTick; // the handler may destroy its timer
    onTick();
    const auto it = m_timers.find(timerId);
    if (it != m_timers.end())
        it->second.ticking = false;
}

void VirtualClock::settle(qint64 deadlineUs) {
    while (runThreadWork(deadlineUs)) {
    }
    advanceTo(deadlineUs);
}

void VirtualClock::at(qint64 atUs, std::function<void()> action) {
    m_actions.emplace(atUs, std::move(action));
}

void VirtualClock::onThread(qint64 atUs, std::function<void()> action) {
    m_threadWork.emplace(atUs, std::move(action));
}

std::unique_ptr<ClockTimer> VirtualClock::createTimer(std::function<void()> onTick) {
    const int id = m_nextTimerId++;
    m_timers[id].onTick = std::move(onTick);
    return std::make_unique<VirtualTimer>(*this, id);
}
