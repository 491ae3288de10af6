#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

/// The most a datagram is read with; longer ones are cut to this.
inline constexpr qsizetype kLinkReceiveLimit = 2599;

/// Text in the link's encoding: the locale's, UTF-8 on current systems.
QByteArray ToLinkBytes(const QString& text);

/// As ToLinkBytes, but the longest leading part of text whose bytes fit maxBytes, cut only between
/// whole characters.
QByteArray ToLinkBytes(const QString& text, qsizetype maxBytes);

QString FromLinkBytes(const QByteArray& bytes);

/// One message as it goes on the wire: head, then text in the link's encoding cut so that the whole
/// message fits limit bytes, then the final carriage return.
QByteArray LinkMessage(QByteArrayView head, const QString& text, qsizetype limit);

/// The first `limit` UTF-16 units of text, one fewer when the cut would split a surrogate pair.
QString LeftCharacters(const QString& text, qsizetype limit);

/// A datagram as it is read: at most kLinkReceiveLimit bytes, ending at its first NUL byte.
QByteArray ReceivedBytes(const QByteArray& datagram);

/// The received text with its last character dropped (the peer's final carriage return), or
/// nothing when it converts to fewer than two UTF-16 units.
std::optional<QString> ReceivedText(const QByteArray& received);

/// The decimal number text starts with, read as C's atoi reads it (leading white space and a sign
/// allowed, 0 when there are no digits), held to the range of int.
int LeadingNumber(QStringView text);
