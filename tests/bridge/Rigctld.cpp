#include "bridge/Rigctld.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int kWaitMs = 5000;

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

Rigctld::Rigctld(quint16 port) : m_port(port != 0 ? port : FreePort()) {
    // It must not hold the test's output open, nor outlive a test that crashed.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral("rigctld"), {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(m_port)});
    if (!m_process.waitForStarted(kWaitMs)) {
        m_why = QStringLiteral("rigctld did not start (Debian's libhamlib-utils): ") + m_process.errorString();
        return;
    }
    m_started = QTest::qWaitFor([this] { return command(QStringLiteral("f")).has_value(); }, kWaitMs);
    if (!m_started)
        m_why = QStringLiteral("rigctld does not answer on ") + address();
}

Rigctld::~Rigctld() {
    m_process.terminate();
    if (!m_process.waitForFinished(kWaitMs))
        m_process.kill();
    m_process.waitForFinished(kWaitMs);
}

std::optional<QStringList> Rigctld::command(const QString& line) const {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_port);
    if (!socket.waitForConnected(500))
        return std::nullopt;
    socket.write((line + '\n').toLatin1());
    QByteArray answer;
    // Its answer is one or two lines; it has ended when no more comes for a moment.
    while (socket.waitForReadyRead(answer.isEmpty() ? 1000 : 150))
        answer += socket.readAll();
    if (answer.isEmpty())
        return std::nullopt;
    return QString::fromLatin1(answer).split('\n', Qt::SkipEmptyParts);
}
