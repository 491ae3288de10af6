#include "link/CompanionMessage.h"

#include "link/LinkText.h"

#include <QByteArrayView>

namespace {

constexpr int kNoValue = -1;

struct KeywordRow {
    QByteArrayView bytes;
    LinkKeyword keyword;
    int Settings::*flag; ///< null: always on
    int valueStart;
};

constexpr KeywordRow kKeywords[] = {
    {"CALL ", LinkKeyword::CALL, &Settings::Recv_CALL, 5},
    {"CODE ", LinkKeyword::CODE, &Settings::Recv_CODE, 5},
    {"TIMEJ ", LinkKeyword::TIMEJ, &Settings::Recv_TIMEJ, 6},
    {"TIMEU ", LinkKeyword::TIMEU, &Settings::Recv_TIMEU, 6},
    {"GL ", LinkKeyword::GL, &Settings::Recv_GL, 3},
    {"NAME ", LinkKeyword::NAME, &Settings::Recv_NAME, 5},
    {"RST ", LinkKeyword::RST, &Settings::Recv_RST, 4},
    {"MYRST ", LinkKeyword::MYRST, &Settings::Recv_MYRST, 6},
    {"QTH ", LinkKeyword::QTH, &Settings::Recv_QTH, 4},
    {"RMK1 ", LinkKeyword::RMK1, &Settings::Recv_RMK1, 5},
    {"RMK2 ", LinkKeyword::RMK2, &Settings::Recv_RMK2, 5},
    {"FORE ", LinkKeyword::FORE, &Settings::Recv_FORE, kNoValue},
    {"CLR ", LinkKeyword::CLR, &Settings::Recv_CLR, kNoValue},
    {"SPEC ", LinkKeyword::SPEC, nullptr, 5},
    {"GET", LinkKeyword::GET, nullptr, 0},
    {"FSET", LinkKeyword::FSET, nullptr, kNoValue},
    {"LOGDT", LinkKeyword::LOGDT, nullptr, 6},
};

const KeywordRow* MatchKeyword(const QByteArray& received, const Settings& settings) {
    for (const KeywordRow& row : kKeywords) {
        if (received.startsWith(row.bytes) && (!row.flag || settings.*row.flag))
            return &row;
    }
    return nullptr;
}

QString WithoutTrailingLineEnds(QString text) {
    while (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

std::optional<CompanionMessage> ParseCompanionMessage(const QByteArray& received, const Settings& settings) {
    const std::optional<QString> text = ReceivedText(received);
    if (!text)
        return std::nullopt;
    const KeywordRow* row = MatchKeyword(received, settings);
    if (!row)
        return std::nullopt;
    CompanionMessage message{row->keyword, QString()};
    // The item list is whole records: a missing carriage return must not cost the last one.
    if (row->keyword == LinkKeyword::SPEC)
        message.value = FromLinkBytes(received).mid(row->valueStart);
    else if (row->valueStart != kNoValue)
        message.value = text->mid(row->valueStart);
    return message;
}

std::optional<ContactField> FieldOf(LinkKeyword keyword) {
    switch (keyword) {
    case LinkKeyword::CALL:
        return FieldCALL;
    case LinkKeyword::CODE:
    case LinkKeyword::TIMEJ:
    case LinkKeyword::TIMEU:
    case LinkKeyword::GL:
    case LinkKeyword::RMK1:
        return FieldM1;
    case LinkKeyword::NAME:
        return FieldNAME;
    case LinkKeyword::RST:
        return FieldRST;
    case LinkKeyword::MYRST:
    case LinkKeyword::RMK2:
        return FieldM2;
    case LinkKeyword::QTH:
        return FieldQTH;
    default:
        return std::nullopt;
    }
}

std::optional<StringReply> ParseStringReply(const QString& message) {
    const int string = LeadingNumber(message.mid(3));
    if (string < 1 || string > kDecoderStrings)
        return std::nullopt;
    const QString text = WithoutTrailingLineEnds(message);
    return StringReply{string, QString::number(LeadingNumber(text.mid(6))), text.mid(11)};
}

QStringList SpecRecords(const QString& items) {
    QStringList records;
    for (qsizetype at = 0; at + kSpecRecordLength <= items.size(); at += kSpecRecordLength)
        records.append(items.mid(at, kSpecRecordLength));
    return records;
}
