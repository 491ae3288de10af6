#include "platform/UdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in socketAddress(quint32 ipv4, quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(ipv4);
    return address;
}

} // namespace

WakeSignal::WakeSignal() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeSignal::~WakeSignal() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void WakeSignal::raise() {
    const eventfd_t one = 1;
    // Nothing reads the counter, so it stays readable from the first write on.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

UdpSocket::~UdpSocket() {
    close();
}

bool UdpSocket::bind(quint32 ipv4, quint16 port) {
    close();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const sockaddr_in address = socketAddress(ipv4, port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

quint16 UdpSocket::localPort() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

std::optional<ReceivedDatagram> UdpSocket::receive(qsizetype maxBytes) {
    if (m_fd < 0)
        return std::nullopt;
    QByteArray buffer(maxBytes, Qt::Uninitialized);
    sockaddr_in sender{};
    socklen_t length = sizeof sender;
    ssize_t received;
    do {
        received =
            ::recvfrom(m_fd, buffer.data(), size_t(buffer.size()), 0, reinterpret_cast<sockaddr*>(&sender), &length);
    } while (received < 0 && errno == EINTR);
    if (received < 0)
        return std::nullopt;
    buffer.truncate(received);
    return ReceivedDatagram{buffer, ntohl(sender.sin_addr.s_addr), ntohs(sender.sin_port)};
}

int UdpSocket::pendingBytes() const {
    int pending = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &pending) != 0)
        return 0;
    return pending;
}

bool UdpSocket::sendTo(const QByteArray& datagram, quint32 ipv4, quint16 port) {
    if (m_fd < 0)
        return false;
    const sockaddr_in address = socketAddress(ipv4, port);
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, datagram.constData(), size_t(datagram.size()), 0,
                        reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (sent < 0 && errno == EINTR);
    return sent == datagram.size();
}

UdpSocket::Wait UdpSocket::waitReadable(const WakeSignal& wake) const {
    // poll rather than select: a descriptor numbered past FD_SETSIZE would overrun an fd_set.
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {wake.fd(), POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Wait::Failed;
        if (fds[1].revents != 0)
            return Wait::Woken;
        if (fds[0].revents & (POLLIN | POLLERR))
            return Wait::Readable;
        return Wait::Failed;
    }
}

void UdpSocket::close() {
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

std::optional<quint32> UdpSocket::ParseIpv4(const QByteArray& text) {
    in_addr address{};
    // inet_aton reads what inet_addr reads, but tells 255.255.255.255 from a failure.
    if (::inet_aton(text.constData(), &address) == 0)
        return std::nullopt;
    return ntohl(address.s_addr);
}
