#include "SenderFixture.h"

void FakeHost::LogText(const QString& text) {
    logged += text;
    m_clock.settle(m_clock.nowUs() + logCostUs);
}

std::optional<QString> FakeExpander::ExpandTemplate(const QString& text, TokenSpan& span) {
    if (refuseWith) {
        span = *refuseWith;
        return std::nullopt;
    }
    return text;
}

SenderTest::SenderTest() {
    settings.SIG = 1;
}

int SenderTest::send(const QString& text, int mode) {
    startedUs = clock.nowUs();
    const int result = sender.SendMorse(text, mode);
    returnedUs = clock.nowUs();
    return result;
}

QStringList SenderTest::keyTimeline() const {
    QStringList periods;
    bool level = false;
    qint64 since = 0;
    for (const auto& change : port.changes()) {
        if (change.line != RecordingSerialPort::Line::Dtr || change.on == level)
            continue;
        if (since != 0)
            periods.append(QStringLiteral("%1%2").arg(level ? '+' : '-').arg((change.atUs - since) / 1000.0));
        level = change.on;
        since = change.atUs;
    }
    if (since != 0)
        periods.append(QStringLiteral("%1%2").arg(level ? '+' : '-').arg((returnedUs - since) / 1000.0));
    return periods;
}
