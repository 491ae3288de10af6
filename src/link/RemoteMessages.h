#pragma once

#include <QByteArray>
#include <QString>

/// Speeds a host keys at; a remote text asking for another is keyed at the nearest of them.
inline constexpr int kRemoteMinWpm = 10;
inline constexpr int kRemoteMaxWpm = 50;

/// The hand-off of a text to the host: "RMT%02d %s\r" with the speed and the text, in the link's
/// encoding. A long text is cut so that the message, its carriage return kept, fits the
/// kLinkReceiveLimit bytes the host reads.
QByteArray RmtMessage(int wpm, const QString& text);

/// The remote station's abort of its wait: "ESCAPE \r".
QByteArray EscapeMessage();

/// A busy host's answer to a received "RMT" datagram: the datagram less one final carriage
/// return, then " <busy>\r", its text cut so that the answer fits kLinkReceiveLimit bytes.
QByteArray BusyAnswer(const QByteArray& received);

/// What an "RMT" message asks for or answers.
struct RemoteText {
    int wpm = kRemoteMinWpm; ///< from characters 3 and 4
    QString text;            ///< from character 6 on
};

/// Reads an "RMT" message, its last character already dropped.
RemoteText ParseRemoteText(const QString& message);
