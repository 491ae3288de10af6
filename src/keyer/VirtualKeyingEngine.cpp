#include "keyer/VirtualKeyingEngine.h"

#include "platform/VirtualClock.h"

VirtualKeyingEngine::VirtualKeyingEngine(VirtualClock& clock, SerialPort& port, SidetoneOutput& sidetone)
    : m_clock(clock), m_maker(port, sidetone) {}

void VirtualKeyingEngine::schedule(const KeyingEdge& edge) {
    m_queue.push(edge);
    m_clock.onThread(edge.dueUs, [this] { makeDue(); });
}

void VirtualKeyingEngine::makeDue() {
    while (const auto edge = m_queue.takeDue(m_clock.nowUs())) {
        if (!m_maker.make(*edge)) {
            m_failed = true;
            m_queue.clear();
        }
    }
}
