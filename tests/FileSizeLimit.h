#pragma once

#include <csignal>
#include <sys/resource.h>

/// While it lives, no file of this process grows past bytes, and a write past it fails instead of
/// ending the process: a full disk, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_previousSignal(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_previousSignal)(int);
    bool m_active = false;
};
