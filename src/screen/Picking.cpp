#include "screen/Picking.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

constexpr int kWordReach = 20;
constexpr int kLimits[] = {20, 3, 3, 6, 12, 20};
const QString kCutLetters = QStringLiteral("AUVEBDNTO");
const QString kCutDigits = QStringLiteral("123578900");
const QStringList kSixDigitPrefixes = {"0101", "0601", "1001", "1101", "1103", "1201", "1344", "1801",
                                       "2001", "2201", "2501", "2502", "2701", "3501", "4001", "4021"};
const QStringList kHomePrefixes = {"8J", "7K", "7L", "7M", "7N", "JA", "JD", "JE", "JF", "JG", "JH", "JI",
                                   "JJ", "JK", "JL", "JM", "JN", "JO", "JP", "JQ", "JR", "JS", "8N"};

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isUpper(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}
bool isWordEnd(QChar c) {
    return c.isSpace() || c == QLatin1Char('"');
}

/// A cut-number letter as its digit; reports only use the first seven (no T or O for zero).
std::optional<QChar> cutDigit(QChar c, bool withZero) {
    const qsizetype at = kCutLetters.indexOf(c);
    if (at < 0 || (!withZero && at >= 7))
        return std::nullopt;
    return kCutDigits[at];
}

QString keepOnly(const QString& word, int limit, bool slash) {
    QString out;
    for (QChar c : word) {
        if (out.size() >= limit)
            break;
        if (isDigit(c) || isUpper(c) || (slash && c == QLatin1Char('/')))
            out += c;
    }
    return out;
}

QString cleanReport(const QString& word) {
    QString out;
    for (QChar c : word) {
        if (out.size() >= 3)
            break;
        const bool first = out.isEmpty();
        if (c >= QLatin1Char('1') && c <= (first ? QLatin1Char('5') : QLatin1Char('9'))) {
            out += c;
            continue;
        }
        const auto digit = cutDigit(c, false);
        if (digit && (!first || kCutLetters.indexOf(c) < 4))
            out += *digit;
    }
    return out;
}

/// The exchange-code rule. strict: a character the rule drops ends the scan, and after a '/' one
/// letter ends it.
QString cleanCode(const QString& word, bool strict) {
    QString out;
    bool afterSlash = false;
    for (int i = 0; i < word.size() && out.size() < 6; ++i) {
        const QChar c = word[i];
        if (c == QLatin1Char(' '))
            continue;
        std::optional<QChar> stored;
        if (afterSlash) {
            if (isUpper(c))
                stored = c;
        } else if (c == QLatin1Char('/')) {
            afterSlash = true;
            continue;
        } else if (isDigit(c) || cutDigit(c, true) || (i == 5 && isUpper(c))) {
            if (out.size() == 5 && kSixDigitPrefixes.contains(out.left(4)))
                stored = isDigit(c) ? std::optional<QChar>(c) : cutDigit(c, true);
            else if (out.size() == 5)
                stored = isUpper(c) ? std::optional<QChar>(c) : std::nullopt;
            else
                stored = isDigit(c) ? std::optional<QChar>(c) : cutDigit(c, true);
        }
        if (!stored) {
            if (strict)
                break;
            continue;
        }
        out += *stored;
        if (strict && afterSlash)
            break;
    }
    return out;
}

/// The last 50 characters of the transcript, keeping digits, capitals and '/'.
QString transcriptTail(const QString& transcript) {
    return keepOnly(transcript.right(50), 50, true);
}

} // namespace

WordSpan WordAround(const QString& text, int caret) {
    int start = caret;
    while (start > 0 && caret - start < kWordReach && !isWordEnd(text[start - 1]))
        --start;
    int end = caret;
    while (end < text.size() && end - caret < kWordReach && !isWordEnd(text[end]))
        ++end;
    return {start, end};
}

QString CleanPick(PickField field, const QString& word) {
    QString out;
    switch (field) {
    case PickCall:
    case PickName:
        out = keepOnly(word, kLimits[field], true);
        break;
    case PickQth:
        out = keepOnly(word, kLimits[field], false);
        break;
    case PickRst:
    case PickM2:
        out = cleanReport(word);
        break;
    case PickM1:
        out = cleanCode(word, false);
        break;
    }
    return out.trimmed();
}

QString ExtractCall(const QString& transcript, const QString& ownCall) {
    const QString s = transcriptTail(transcript);
    if (s.isEmpty())
        return {};
    const qsizetype slash = s.lastIndexOf(QLatin1Char('/'));
    qsizetype q = -1;
    for (char d = '0'; d <= '9'; ++d) {
        qsizetype at = s.lastIndexOf(QLatin1Char(d));
        // A digit right after a late '/' is a portable suffix: its last place before the '/' counts.
        if (slash >= 0 && at == slash + 1)
            at = slash <= 4 ? -1 : s.lastIndexOf(QLatin1Char(d), slash - 1);
        if (at >= 2)
            q = std::max(q, at);
    }
    if (q < 2 || s.size() - q - 1 < 2)
        return {};
    QString call = s.mid(q - 2, 5);
    qsizetype i = q + 3;
    while (i < s.size() && isUpper(s[i]))
        call += s[i++];
    if (i + 1 < s.size() && s[i] == QLatin1Char('/')) {
        const QChar next = s[i + 1];
        if (isDigit(next) || next == QLatin1Char('M'))
            call += QLatin1Char('/') + next;
        else if (next == QLatin1Char('Q'))
            call += QStringLiteral("/QRP");
    }
    if (call != ownCall && call.contains(QLatin1Char('/'))) {
        if (call.endsWith(QLatin1String("BK")) || call.endsWith(QLatin1String("KN")))
            call.chop(2);
        else if (call.endsWith(QLatin1Char('K')))
            call.chop(1);
    }
    return call;
}

namespace {

CallSelection likeliestSlip(const QString& call) {
    if (std::any_of(kHomePrefixes.begin(), kHomePrefixes.end(), [&](const QString& p) { return call.startsWith(p); }))
        return {int(call.size()), 0};
    const QChar first = call.isEmpty() ? QChar() : call[0];
    const QChar second = call.size() > 1 ? call[1] : QChar();
    if (first == QLatin1Char('7') || first == QLatin1Char('8') || first == QLatin1Char('J'))
        return {1, 1};
    if (!second.isNull() && QStringLiteral("ADEFGHIJKLMNOPQRS").contains(second))
        return {0, 1};
    return {0, 2};
}

} // namespace

CallSelection SelectionForCall(const QString& call) {
    // A call of one character has no second one to select.
    const CallSelection slip = likeliestSlip(call);
    const int start = std::min(slip.start, int(call.size()));
    return {start, std::min(slip.length, int(call.size()) - start)};
}

QString ExtractCode(const QString& transcript) {
    const QString s = transcriptTail(transcript);
    if (s.size() < 4)
        return {};
    qsizetype marker = -1;
    for (const char* m : {"JCC", "JCG", "AJA"})
        marker = std::max(marker, s.lastIndexOf(QLatin1String(m)));
    if (marker < 0)
        return {};
    return cleanCode(s.mid(marker + 3, 7), true);
}
