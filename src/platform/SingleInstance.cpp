#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString SingleInstance::defaultLockPath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("TarvoMutex147.lock"));
}

SingleInstance::SingleInstance(const QString& lockPath) : m_path(lockPath) {}

SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::acquire() {
    if (m_fd >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock file that cannot be made (a read-only folder) must not keep the program from starting.
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void SingleInstance::release() {
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}
