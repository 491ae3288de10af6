#pragma once

#include <QProcess>
#include <QString>

#include <optional>

/// Hamlib's rigctld with its dummy rig (model 1) on a free port of 127.0.0.1, for as long as it lives.
class Rigctld {
public:
    /// On port, or a free one for 0.
    explicit Rigctld(quint16 port = 0);
    ~Rigctld();
    /// False when it did not come up; why() says why.
    bool started() const { return m_started; }
    QString why() const { return m_why; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    quint16 port() const { return m_port; }

    /// One command of rigctld's own protocol ("f", "F 7030000", "m"), as another program would send
    /// it; its answer's lines, or nothing when rigctld did not answer.
    std::optional<QStringList> command(const QString& line) const;

private:
    QProcess m_process;
    quint16 m_port = 0;
    bool m_started = false;
    QString m_why;
};
