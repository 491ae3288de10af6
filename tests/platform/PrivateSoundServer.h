#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>
#include <utility>
#include <vector>

/// A PulseAudio server of the test's own with a null sink, in a temporary folder, started when
/// pulseaudio is installed. While it lives, PULSE_SERVER points this process's clients at it and
/// HOME is that folder, so neither side reads or writes the real home folder.
class PrivateSoundServer {
public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    bool running() const { return m_server.state() == QProcess::Running; }
    /// The server goes away at once, as when it crashes.
    void kill();

private:
    void setEnv(const char* name, const QByteArray& value);

    QTemporaryDir m_dir;
    QProcess m_server;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_savedEnv;
};
