#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

/// head, then text in the link's encoding, then "\r"; text is cut between whole characters so
/// that the datagram fits the bytes Tarvo reads of one.
QByteArray PeerMessage(QByteArrayView head, const QString& text);

/// One decoder string as the peer reports it.
struct DecoderString {
    int pitch = 0; ///< Hz, 1..9999, so that it fills its four columns
    QString text;
};

/// The answer to "GETnn": "GET%02d %04d %s\r" with the string's number, pitch and text.
QByteArray StringReplyMessage(int string, const DecoderString& decoded);

/// The kinds of item, as the record's type column gives them.
enum class ItemKind { Action = 0, OnOff = 1, List = 2, Text = 3 };

/// One adjustable item of the companion.
struct CompanionItem {
    QString name;  ///< up to 16 characters
    QString value; ///< up to 4 characters: a number, or the text of a text item
    ItemKind kind = ItemKind::Action;
    int minimum = 0; ///< of a list
    int maximum = 0; ///< of a list, or the longest text of a text item
    int scale = 0;   ///< of a list: 1 for tenths, else ten times the step
};

/// The item's 37-character record: name, value, four unread columns, kind, minimum, maximum and
/// scale, each column blank-padded on the right.
QString ItemRecord(const CompanionItem& item);

/// The answer to "SPEC": "SPEC ", the records one after the other, "\r".
QByteArray ItemListMessage(const QStringList& records);

/// "LOGDT ", each line followed by a line feed, "\r".
QByteArray LogDataMessage(const QStringList& lines);

/// The answer to "FSET": the rig has taken the frequency.
QByteArray FsetAnswer();
