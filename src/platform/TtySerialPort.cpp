#include "platform/TtySerialPort.h"

#include "platform/ComDevice.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

template <typename Call> int retried(Call call) {
    int result;
    do
        result = call();
    while (result == -1 && errno == EINTR);
    return result;
}

/// The group that may open the device, for the operator to join; dialout when it cannot be told.
QString owningGroup(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || info.st_gid == 0)
        return QStringLiteral("dialout");
    const group* entry = ::getgrgid(info.st_gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QStringLiteral("dialout");
}

QString openErrorDetail(int error, const ComDevice& device) {
    switch (error) {
    case EACCES:
    case EPERM: {
        const QString group = owningGroup(device.path);
        return QStringLiteral("Permission denied on %1. Join the group that owns it: sudo usermod -aG %2 $USER, "
                              "then log out and in again.")
            .arg(device.shown, group);
    }
    case ENOENT:
    case ENODEV:
    case ENXIO:
        if (!device.link.isEmpty())
            return QStringLiteral("No such device: %1. Plug the adapter in, or point %2 at the right device.")
                .arg(device.shown, device.link);
        return QStringLiteral("No such device: %1. Choose another port, or map this one to your adapter with a "
                              "link in %2.")
            .arg(device.shown, ComLinkFolder());
    case EBUSY:
        return QStringLiteral("%1 is in use by another program.").arg(device.shown);
    case ENOTTY:
        return QStringLiteral("%1 is not a serial port.").arg(device.shown);
    default:
        return QStringLiteral("%1: %2.").arg(device.shown, QString::fromLocal8Bit(std::strerror(error)));
    }
}

void makeKeyingTermios(termios& mode) {
    cfmakeraw(&mode);
    cfsetispeed(&mode, B9600);
    cfsetospeed(&mode, B9600);
    mode.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    // CLOCAL: no wait for a carrier; HUPCL: closing drops DTR and RTS, even after a crash.
    mode.c_cflag |= CS8 | CLOCAL | CREAD | HUPCL;
    mode.c_iflag &= ~(IXON | IXOFF | IXANY);
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = 0;
}

} // namespace

TtySerialPort::~TtySerialPort() {
    close();
}

SerialPort::OpenResult TtySerialPort::open(int com) {
    close();
    m_detail.clear();
    const ComDevice device = ResolveComDevice(com);
    const QByteArray path = QFile::encodeName(device.path);
    // Without O_NONBLOCK the open would wait for a carrier that a keying interface never gives.
    const int fd = retried([&] { return ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0) {
        m_detail = openErrorDetail(errno, device);
        return OpenResult::OpenFailed;
    }
    // The kernel raised DTR and RTS on open; drop them before anything else to keep the pulse
    // short. A device without modem lines fails here, and again at the first raise, which reports it.
    int both = TIOCM_DTR | TIOCM_RTS;
    retried([&] { return ::ioctl(fd, TIOCMBIC, &both); });

    auto fail = [&](OpenResult step) {
        m_detail = openErrorDetail(errno, device);
        ::close(fd);
        return step;
    };
    if (retried([&] { return ::ioctl(fd, TIOCEXCL); }) != 0)
        return fail(OpenResult::EventMaskFailed);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
        return fail(OpenResult::QueueOrTimeoutFailed);
    termios mode{};
    if (retried([&] { return ::tcgetattr(fd, &mode); }) != 0)
        return fail(OpenResult::ReadStateFailed);
    makeKeyingTermios(mode);
    if (retried([&] { return ::tcsetattr(fd, TCSANOW, &mode); }) != 0)
        return fail(OpenResult::WriteStateFailed);
    m_fd = fd;
    return OpenResult::Ok;
}

QString TtySerialPort::displayName(int com) const {
    return QStringLiteral("COM%1: (%2)").arg(com).arg(ResolveComDevice(com).shown);
}

bool TtySerialPort::setDtr(bool on) {
    return switchLine(TIOCM_DTR, on);
}

bool TtySerialPort::setRts(bool on) {
    return switchLine(TIOCM_RTS, on);
}

bool TtySerialPort::switchLine(int line, bool on) {
    if (m_fd < 0)
        return false;
    return retried([&] { return ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line); }) == 0;
}

void TtySerialPort::purge() {
    if (m_fd >= 0)
        retried([&] { return ::tcflush(m_fd, TCIOFLUSH); });
}

void TtySerialPort::close() {
    if (m_fd < 0)
        return;
    // Retrying a failed close of a tty could close a descriptor another thread just opened.
    ::close(m_fd);
    m_fd = -1;
}
