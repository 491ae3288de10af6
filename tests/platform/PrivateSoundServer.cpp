#include "PrivateSoundServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

PrivateSoundServer::PrivateSoundServer() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || !m_dir.isValid())
        return;
    const QString socket = m_dir.filePath(QStringLiteral("native"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_dir.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    m_server.setProcessEnvironment(env);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    // -n: no default script, so no real sound card is touched.
    m_server.start(program,
                   {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=no"), QStringLiteral("--load=module-null-sink sink_name=null"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket});
    m_server.waitForStarted();
    // Only a broken installation runs into this.
    const QDeadlineTimer deadline(10'000);
    while (running() && !QFileInfo::exists(socket) && !deadline.hasExpired())
        QThread::msleep(20);
    if (!QFileInfo::exists(socket)) {
        kill();
        return;
    }
    setEnv("PULSE_SERVER", "unix:" + socket.toLocal8Bit());
    setEnv("HOME", m_dir.path().toLocal8Bit());
}

PrivateSoundServer::~PrivateSoundServer() {
    kill();
    for (const auto& [name, value] : m_savedEnv) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
}

void PrivateSoundServer::kill() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.kill();
    m_server.waitForFinished();
}

void PrivateSoundServer::setEnv(const char* name, const QByteArray& value) {
    m_savedEnv.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, value);
}
