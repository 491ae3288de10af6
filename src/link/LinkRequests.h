#pragma once

#include "settings/Settings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

/// Requests to the companion that carry no value.
enum class LinkCommand { TIMEJ, TIMEU, RCVCW, CLR, SAVE, SPEC, FREQ };

/// Bytes of one request, its carriage return included.
inline constexpr qsizetype kRequestLimit = 271;
/// Characters of a field's text that go into its request.
inline constexpr qsizetype kFieldReadLimit = 255;

/// keyword, then text in the link's encoding, then "\r"; the text is cut so that the whole
/// request fits kRequestLimit.
QByteArray RequestMessage(QByteArrayView keyword, const QString& text);

/// The command's keyword, one blank and "\r", e.g. "TIMEJ \r".
QByteArray CommandMessage(LinkCommand command);

/// "GET01 \r" .. "GET13 \r": string 2..13 as given, any other number asks for string 1.
QByteArray GetStringMessage(int string);

/// "FSET", a blank, the frequency text cut or padded with blanks to 12 characters, a blank, the
/// mode, "\r".
QByteArray FsetMessage(const QString& frequency, const QString& mode);

/// "VAL " and the payload.
QByteArray ValMessage(const QString& payload);

/// The field's message with text, or nothing when its send option is off. M1 goes as "RMK1 " when
/// `Send_RMK1` is set, else as "CODE " when `Send_RMK1b` is set.
std::optional<QByteArray> FieldMessage(ContactField field, const QString& text, const Settings& settings);

/// The "set Save" requests: the fields CALL, M2, M1, NAME, QTH, RST whose send option is on and
/// that do not still hold their initial value under an initial-value flag, then "SAVE".
QList<QByteArray> SaveRequests(const Settings& settings);

/// The requests of a Clear that tells the companion: the save requests when `Send_SAVECL` is set,
/// then "CLR".
QList<QByteArray> ClearRequests(const Settings& settings);
