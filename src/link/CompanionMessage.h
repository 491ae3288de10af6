#pragma once

#include "settings/Settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/// The companion's keywords, in the order they are tried.
enum class LinkKeyword {
    CALL,
    CODE,
    TIMEJ,
    TIMEU,
    GL,
    NAME,
    RST,
    MYRST,
    QTH,
    RMK1,
    RMK2,
    FORE,
    CLR,
    SPEC,
    GET,
    FSET,
    LOGDT
};

/// One message from the companion.
struct CompanionMessage {
    LinkKeyword keyword = LinkKeyword::CALL;
    /// The text from the keyword's value on, its last character dropped; empty for the keywords
    /// without a value. "GET" keeps the whole text, since its layout counts from the keyword;
    /// "SPEC" keeps its last character.
    QString value;
};

/// The first keyword that received (as read, see ReceivedBytes) begins with and whose receive
/// option is on; nothing for text of fewer than two characters or without such a keyword.
std::optional<CompanionMessage> ParseCompanionMessage(const QByteArray& received, const Settings& settings);

/// The contact field a keyword fills, if it fills one.
std::optional<ContactField> FieldOf(LinkKeyword keyword);

inline constexpr int kDecoderStrings = 13;

/// One decoder string as a "GET" reply carries it.
struct StringReply {
    int string = 1; ///< 1..13
    QString pitch;  ///< in Hz, "%d"
    QString text;   ///< the decoded text, without trailing carriage returns and line feeds
};

/// Reads a "GET" reply (the whole text, last character dropped): the string number from character
/// 3, the pitch from character 6, the text from character 11. Nothing when the number is not a
/// decoder string.
std::optional<StringReply> ParseStringReply(const QString& message);

inline constexpr qsizetype kSpecRecordLength = 37;

/// The item records of a "SPEC" reply, one per whole 37 characters; a trailing part is dropped.
QStringList SpecRecords(const QString& items);
