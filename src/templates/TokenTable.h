#pragma once

#include "settings/Settings.h"

#include <QString>

#include <optional>

/// One matched token of a message template.
struct TokenMatch {
    int row = 0;    ///< 0..5 contact fields, 6 MYCALL, 7 MYQTH, 8..23 TX01..TX16
    int stars = 0;  ///< 0 plain, 1..3 asterisks
    int length = 0; ///< characters of the token, braces included
};

inline constexpr int kTokenRows = 24;

/// The token of the table that stands at text[pos], trying rows in order and within a row the
/// plain form first. Upper case, no blanks: anything else is no token.
std::optional<TokenMatch> MatchToken(const QString& text, qsizetype pos);

/// The token's text, e.g. "{**CALL}".
QString TokenText(int row, int stars);
