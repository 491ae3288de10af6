#include "peer/PeerSession.h"

#include "peer/ReadableDatagram.h"

#include <utility>

PeerSession::PeerSession(CompanionData data, DatagramSender& sender, PeerOutput& output)
    : m_data(std::move(data)), m_sender(sender), m_output(output) {}

void PeerSession::received(const QByteArray& datagram, const QString& from) {
    m_output.print(QStringLiteral("from %1 %2").arg(from, ReadableDatagram(datagram)));
    if (const auto answer = AnswerTo(datagram, m_data))
        send(*answer);
}

void PeerSession::typed(const QByteArray& bytes) {
    for (const QString& line : m_lines.add(bytes))
        take(line);
}

void PeerSession::inputEnded() {
    if (const auto line = m_lines.rest())
        take(*line);
    if (const auto unfinished = m_commands.finish())
        m_output.printError(*unfinished);
}

void PeerSession::flood(int count) {
    constexpr qint64 kReport = 10000;
    const DecoderString& string = m_data.strings[0];
    for (int i = 0; i < count; ++i) {
        const QString text = string.text + QLatin1Char(' ') + QString::number(++m_flooded);
        if (const auto failure = m_sender.send(StringReplyMessage(1, {string.pitch, text}))) {
            // Said when it starts failing, not a thousand times a second.
            if (!m_floodFailing)
                m_output.printError(QStringLiteral("sending to %1 failed: %2").arg(m_sender.destination(), *failure));
            m_floodFailing = true;
            return;
        }
        m_floodFailing = false;
        if (m_flooded % kReport == 0)
            m_output.print(QStringLiteral("flood: %1 replies sent to %2").arg(m_flooded).arg(m_sender.destination()));
    }
}

void PeerSession::take(const QString& line) {
    const TypedOutcome outcome = m_commands.take(line);
    switch (outcome.kind) {
    case TypedOutcome::Nothing:
        break;
    case TypedOutcome::Send:
        send(outcome.datagram);
        break;
    case TypedOutcome::Note:
        m_output.print(outcome.text);
        break;
    case TypedOutcome::Refused:
        m_output.printError(outcome.text);
        break;
    }
}

void PeerSession::send(const QByteArray& datagram) {
    if (const auto failure = m_sender.send(datagram))
        m_output.printError(QStringLiteral("sending to %1 failed: %2").arg(m_sender.destination(), *failure));
    else
        m_output.print(QStringLiteral("to   %1 %2").arg(m_sender.destination(), ReadableDatagram(datagram)));
}
