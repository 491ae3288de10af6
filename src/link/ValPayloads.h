#pragma once

#include <QChar>
#include <QString>

#include <optional>

/// "%04d %04d": an item and a number (a list position, 0 or 1 of a check, 1 of an action).
QString ValChoicePayload(int item, int value);

/// "%04d %s": an item and its text without leading or trailing blanks.
QString ValTextPayload(int item, const QString& text);

/// The payload of a shortcut key on the RcvCW controls (A, W, C, S or R) for the selected string;
/// nothing for any other key.
std::optional<QString> RcvCwKeyPayload(QChar key, int selectedString);
