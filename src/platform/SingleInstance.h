#pragma once

#include <QString>

/// Holds the program's one-instance lock from start to exit: an exclusive lock on a file that the
/// kernel drops when the process ends, however it ends, so a crash never blocks the next start.
class SingleInstance {
public:
    /// The lock in $XDG_RUNTIME_DIR, or the temporary folder when that is not set.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// True when this process now holds the lock; false when another instance holds it.
    bool acquire();
    void release();

private:
    QString m_path;
    int m_fd = -1;
};
