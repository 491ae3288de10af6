#include "platform/SingleInstance.h"

#include <QDir>

QString SingleInstance::defaultLockPath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("TarvoMutex147.lock"));
}

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath)) {
    // A lock whose owner no longer runs is taken over at once; a live owner keeps it however old.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return m_lock->tryLock(0);
}

void SingleInstance::release() {
    m_lock->unlock();
}
