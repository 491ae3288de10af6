#pragma once

#include <QString>

#include <termios.h>

/// A pseudo-terminal pair: the slave stands in for a serial port. It has termios like a serial
/// port, but no modem lines.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return !m_slave.isEmpty(); }
    QString slavePath() const { return m_slave; }
    /// The slave's current mode, read through the master.
    termios slaveMode() const;

private:
    int m_master = -1;
    QString m_slave;
};
