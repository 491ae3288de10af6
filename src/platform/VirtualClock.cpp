#include "platform/VirtualClock.h"

void VirtualClock::pumpUntil(qint64 deadlineUs) {
    deadlineUs -= m_leadUs;
    while (!m_actions.empty() && m_actions.begin()->first <= deadlineUs) {
        auto node = m_actions.extract(m_actions.begin());
        settle(node.key());
        node.mapped()();
    }
    settle(deadlineUs);
}

void VirtualClock::settle(qint64 deadlineUs) {
    if (deadlineUs > m_nowUs) {
        m_waitedUs += deadlineUs - m_nowUs;
        m_nowUs = deadlineUs;
    }
}

void VirtualClock::at(qint64 atUs, std::function<void()> action) {
    m_actions.emplace(atUs, std::move(action));
}
