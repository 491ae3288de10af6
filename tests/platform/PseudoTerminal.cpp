#include "PseudoTerminal.h"

#include <fcntl.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return;
    if (const char* name = ::ptsname(m_master))
        m_slave = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    if (m_master >= 0)
        ::close(m_master);
}

termios PseudoTerminal::slaveMode() const {
    termios mode{};
    ::tcgetattr(m_master, &mode);
    return mode;
}
