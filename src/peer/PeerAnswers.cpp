#include "peer/PeerAnswers.h"

namespace {

/// The request's keyword: its bytes up to the first blank or carriage return.
QByteArray Keyword(const QByteArray& request) {
    qsizetype end = 0;
    while (end < request.size() && request[end] != ' ' && request[end] != '\r')
        ++end;
    return request.left(end);
}

/// 1..13 for "GET01" .. "GET13", else 0.
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

} // namespace

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

std::optional<QByteArray> AnswerTo(const QByteArray& request, const CompanionData& data) {
    const QByteArray keyword = Keyword(request);
    if (const int string = AskedString(keyword); string > 0)
        return StringReplyMessage(string, data.strings[string - 1]);
    if (keyword == "SPEC")
        return ItemListMessage(data.items);
    if (keyword == "FSET")
        return FsetAnswer();
    return std::nullopt;
}
