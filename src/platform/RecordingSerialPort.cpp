#include "platform/RecordingSerialPort.h"

#include "platform/Clock.h"

RecordingSerialPort::RecordingSerialPort(const Clock& clock) : m_clock(clock) {}

SerialPort::OpenResult RecordingSerialPort::open(int com) {
    if (m_failWith != OpenResult::Ok)
        return m_failWith;
    m_open = true;
    m_openedCom = com;
    m_events.append(Event::Open);
    return OpenResult::Ok;
}

QString RecordingSerialPort::displayName(int com) const {
    return QStringLiteral("COM%1:").arg(com);
}

bool RecordingSerialPort::setDtr(bool on) {
    return record(Line::Dtr, on, m_dtr);
}

bool RecordingSerialPort::setRts(bool on) {
    return record(Line::Rts, on, m_rts);
}

bool RecordingSerialPort::record(Line line, bool on, bool& level) {
    if (!m_open || m_failLines)
        return false;
    level = on;
    m_changes.append({m_clock.nowUs(), line, on});
    if (m_latency)
        m_latency();
    return true;
}

void RecordingSerialPort::purge() {
    m_events.append(Event::Purge);
}

void RecordingSerialPort::close() {
    if (!m_open)
        return;
    m_open = false;
    m_events.append(Event::Close);
}

void RecordingSerialPort::clear() {
    m_changes.clear();
    m_events.clear();
}
