#pragma once

#include <QByteArray>
#include <QString>

/// A datagram on one line, in double quotes: its text in the link's encoding, with carriage
/// return, line feed, tab, backslash and double quote escaped as in C, and other control
/// characters as \xNN (\u00NN above 0x7F). When the bytes are not text in that encoding, every
/// byte outside printable ASCII shows as \xNN.
QString ReadableDatagram(const QByteArray& datagram);
