#include "keyer/KeyingLines.h"

#include "platform/MessageBoxes.h"
#include "platform/SerialPort.h"
#include "settings/Settings.h"

namespace {

QString openMessage(SerialPort::OpenResult result) {
    switch (result) {
    case SerialPort::OpenResult::OpenFailed:
        return QStringLiteral("%1 open error        ");
    case SerialPort::OpenResult::EventMaskFailed:
        return QStringLiteral("%1 set 1 error        ");
    case SerialPort::OpenResult::QueueOrTimeoutFailed:
        return QStringLiteral("%1 set 2 error        ");
    case SerialPort::OpenResult::ReadStateFailed:
        return QStringLiteral("%1 set 4 error        ");
    case SerialPort::OpenResult::WriteStateFailed:
        return QStringLiteral("%1 set 5 error        ");
    case SerialPort::OpenResult::Ok:
        break;
    }
    return {};
}

} // namespace

KeyingLines::KeyingLines(SerialPort& port, const Settings& settings, MessageBoxes& boxes)
    : m_port(port), m_settings(settings), m_boxes(boxes) {}

bool KeyingLines::SetLine(int code, bool on) {
    if (code >= 1 && code <= 3) {
        if (!m_port.isOpen() && !on)
            return true;
        if (!EnsureOpen())
            return false;
        return switchLines(code, on);
    }
    if (!m_port.isOpen())
        return true;
    const bool ok = switchLines(3, false);
    if (m_settings.chk_CLOSE == 1)
        ClosePort();
    return ok;
}

bool KeyingLines::switchLines(int code, bool on) {
    bool ok = true;
    if (code & 1)
        ok = m_port.setDtr(on) && ok;
    if (code & 2)
        ok = m_port.setRts(on) && ok;
    if (!ok)
        LinesFailed();
    return ok;
}

bool KeyingLines::OpenPort() {
    if (m_port.isOpen()) {
        if (m_settings.chk_CLOSE != 1)
            return true;
        ClosePort();
    }
    if (m_settings.COM < 1 || m_settings.COM > 255)
        return false;
    const auto result = m_port.open(m_settings.COM);
    if (result != SerialPort::OpenResult::Ok) {
        QString text = openMessage(result).arg(m_port.displayName(m_settings.COM));
        const QString detail = m_port.lastErrorDetail();
        if (!detail.isEmpty())
            text += QLatin1Char('\n') + detail;
        m_boxes.error(text);
        return false;
    }
    m_port.setDtr(false);
    m_port.setRts(false);
    m_port.purge();
    return true;
}

bool KeyingLines::EnsureOpen() {
    return m_port.isOpen() || OpenPort();
}

bool KeyingLines::isOpen() const {
    return m_port.isOpen();
}

void KeyingLines::LinesFailed() {
    if (!m_port.isOpen())
        return;
    // Given up rather than failing on a dead handle for good.
    ClosePort();
    m_boxes.error(QStringLiteral("%1 line error        \nThe key and PTT lines no longer switch: the adapter may have "
                                 "been unplugged. The next message opens the port again.")
                      .arg(m_port.displayName(m_settings.COM)));
}

void KeyingLines::ClosePort() {
    if (!m_port.isOpen())
        return;
    m_port.setRts(false);
    m_port.setDtr(false);
    m_port.purge();
    m_port.close();
}
