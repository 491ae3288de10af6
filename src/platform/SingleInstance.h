#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

/// Holds the program's one-instance lock from start to exit. The lock dies with the process, so a
/// crash never blocks the next start.
class SingleInstance {
public:
    /// The lock in $XDG_RUNTIME_DIR, or the temporary folder when that is not set.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    /// True when this process now holds the lock; false when another instance holds it.
    bool acquire();
    void release();

private:
    std::unique_ptr<QLockFile> m_lock;
};
