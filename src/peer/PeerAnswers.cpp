#include "peer/PeerAnswers.h"

#include "link/LinkText.h"

namespace {

constexpr qsizetype kFrequencyAt = 5;
constexpr qsizetype kFrequencyWidth = 12;
constexpr qsizetype kModeAt = kFrequencyAt + kFrequencyWidth + 1;
constexpr int kLogDataLines = 15;
constexpr int kFrequencyLine = 7;
constexpr int kModeLine = 8;

/// Digits with at most one point among them, at least one digit.
bool IsDecimal(const QString& text) {
    bool point = false;
    bool digit = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

} // namespace

QByteArray RequestKeyword(const QByteArray& request) {
    qsizetype end = 0;
    while (end < request.size() && request[end] != ' ' && request[end] != '\r')
        ++end;
    return request.left(end);
}

int AskedString(const QByteArray& keyword) {
    if (keyword.size() != 5 || !keyword.startsWith("GET"))
        return 0;
    const char tens = keyword[3];
    const char units = keyword[4];
    if (tens < '0' || tens > '9' || units < '0' || units > '9')
        return 0;
    const int string = (tens - '0') * 10 + (units - '0');
    return string <= kDecoderStrings ? string : 0;
}

QByteArray RigLogData(const Rig& rig) {
    QStringList lines(kLogDataLines);
    lines[kFrequencyLine - 1] = rig.frequency;
    lines[kModeLine - 1] = rig.mode;
    return LogDataMessage(lines);
}

std::optional<Rig> RequestedRig(const QByteArray& request) {
    QString text = FromLinkBytes(request);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    if (text.size() <= kModeAt || text[kModeAt - 1] != u' ')
        return std::nullopt;
    const QString frequency = text.mid(kFrequencyAt, kFrequencyWidth).trimmed();
    const QString mode = text.mid(kModeAt);
    // A line end in the mode would move the lines of the "FREQ" answer.
    if (!IsDecimal(frequency) || mode.trimmed().isEmpty() || mode.contains(QLatin1Char('\n')) ||
        mode.contains(QLatin1Char('\r')))
        return std::nullopt;
    return Rig{frequency, mode};
}

CompanionData DefaultCompanionData() {
    static const char* const kTexts[kDecoderStrings] = {
        "CQ CQ CQ DE Q1ABC Q1ABC K",
        "Q1ABC DE Q2DEF Q2DEF K",
        "Q2DEF DE Q1ABC GM UR 599 599 BK",
        "CQ TEST Q4GHI TEST",
        "TU 5NN 1234M BK",
        "E T EEI T",
        "QRL?",
        "CQ DX DE Q8JKL Q8JKL K",
        "R R NAME KEN KEN HW?",
        "73 TU E E",
        "QRZ? DE Q1ABC",
        "5NN 13M BK",
        "CQ CQ DE Q3MNO K",
    };
    CompanionData data;
    for (int i = 0; i < kDecoderStrings; ++i)
        data.strings[i] = DecoderString{400 + 50 * i, QString::fromLatin1(kTexts[i])};
    const CompanionItem items[] = {
        {QStringLiteral("Clear decoders"), QStringLiteral("0"), ItemKind::Action, 0, 0, 0},
        {QStringLiteral("AFC"), QStringLiteral("1"), ItemKind::OnOff, 0, 1, 0},
        {QStringLiteral("Squelch"), QStringLiteral("15"), ItemKind::List, 0, 50, 1},
        {QStringLiteral("Filter width Hz"), QStringLiteral("200"), ItemKind::List, 50, 500, 500},
        {QStringLiteral("Prefix"), QStringLiteral("Q1"), ItemKind::Text, 0, 4, 0},
    };
    for (const CompanionItem& item : items)
        data.items.append(ItemRecord(item));
    return data;
}

std::optional<QByteArray> AnswerTo(const QByteArray& request, CompanionData& data) {
    const QByteArray keyword = RequestKeyword(request);
    if (const int string = AskedString(keyword); string > 0)
        return StringReplyMessage(string, data.strings[string - 1]);
    if (keyword == "SPEC")
        return ItemListMessage(data.items);
    if (keyword == "FREQ")
        return RigLogData(data.rig);
    if (keyword == "FSET") {
        if (const auto rig = RequestedRig(request))
            data.rig = *rig;
        return FsetAnswer();
    }
    return std::nullopt;
}
