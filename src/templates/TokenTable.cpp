#include "templates/TokenTable.h"

namespace {

QString rowName(int row) {
    static const char* const names[] = {"CALL", "RST", "NAME", "QTH", "M1", "M2", "MYCALL", "MYQTH"};
    if (row < 8)
        return QString::fromLatin1(names[row]);
    return QStringLiteral("TX%1").arg(row - 7, 2, 10, QLatin1Char('0'));
}

/// Contact-field rows have four forms; the others a plain and a one-asterisk form.
int formsOf(int row) {
    return row < kContactFields ? 4 : 2;
}

} // namespace

QString TokenText(int row, int stars) {
    return QLatin1Char('{') + QString(stars, QLatin1Char('*')) + rowName(row) + QLatin1Char('}');
}

std::optional<TokenMatch> MatchToken(const QString& text, qsizetype pos) {
    const QStringView rest = QStringView(text).mid(pos);
    for (int row = 0; row < kTokenRows; ++row) {
        for (int stars = 0; stars < formsOf(row); ++stars) {
            const QString token = TokenText(row, stars);
            if (rest.startsWith(token))
                return TokenMatch{row, stars, int(token.size())};
        }
    }
    return std::nullopt;
}
