#include "link/CompanionMessage.h"
#include "QtPrinters.h"

#include "link/EveryReceiveOption.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Parsed {
    QByteArray bytes;
    std::optional<LinkKeyword> keyword;
    QString value;
};

void ExpectParsed(const QList<Parsed>& cases, const Settings& settings) {
    for (const Parsed& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const auto message = ParseCompanionMessage(c.bytes, settings);
        ASSERT_EQ(message.has_value(), c.keyword.has_value());
        if (message) {
            EXPECT_EQ(message->keyword, *c.keyword);
            EXPECT_EQ(message->value, c.value);
        }
    }
}

TEST(CompanionMessage, EveryKeywordAndItsValue) {
    ExpectParsed(
        {
            {"CALL TRV1ABC\r", LinkKeyword::CALL, "TRV1ABC"},
            {"CODE 1234M\r", LinkKeyword::CODE, "1234M"},
            {"TIMEJ 1830\r", LinkKeyword::TIMEJ, "1830"},
            {"TIMEU 0930\r", LinkKeyword::TIMEU, "0930"},
            {"GL PM95\r", LinkKeyword::GL, "PM95"},
            {"NAME JOE\r", LinkKeyword::NAME, "JOE"},
            {"RST 579\r", LinkKeyword::RST, "579"},
            {"MYRST 599\r", LinkKeyword::MYRST, "599"},
            {"QTH TOKYO\r", LinkKeyword::QTH, "TOKYO"},
            {"RMK1 QRP\r", LinkKeyword::RMK1, "QRP"},
            {"RMK2 TNX\r", LinkKeyword::RMK2, "TNX"},
            {"FORE \r", LinkKeyword::FORE, ""},
            {"CLR \r", LinkKeyword::CLR, ""},
            {"SPEC ITEMS\r", LinkKeyword::SPEC, "ITEMS\r"},
            {"GET03 0620 CQ CQ\r", LinkKeyword::GET, "GET03 0620 CQ CQ"},
            {"FSET\r", LinkKeyword::FSET, ""},
            {"LOGDT L1\nL2\n\r", LinkKeyword::LOGDT, "L1\nL2\n"},
        },
        EveryReceiveOption());
}

TEST(CompanionMessage, KeywordsMatchExactlyAsTheirBytes) {
    ExpectParsed(
        {
            {"CALL\r", std::nullopt, ""},         // no blank after the keyword
            {"call TRV1ABC\r", std::nullopt, ""}, // upper case only
            {" CALL TRV1ABC\r", std::nullopt, ""},
            {"RSTX\r", std::nullopt, ""},
            {"FORE\r", std::nullopt, ""},
            {"CLR\r", std::nullopt, ""},
            {"SPEC\r", std::nullopt, ""},
            {"RMT20 CQ\r", std::nullopt, ""},
            {"ESCAPE \r", std::nullopt, ""},
            {"TIMEJX\r", std::nullopt, ""},
            {"XCALL Y\r", std::nullopt, ""},
            // "MYRST " is no "RST ", and the three without a blank take any continuation.
            {"MYRST 599\r", LinkKeyword::MYRST, "599"},
            {"GETX\r", LinkKeyword::GET, "GETX"},
            {"FSETXYZ\r", LinkKeyword::FSET, ""},
            {"LOGDTX\r", LinkKeyword::LOGDT, ""},
            {"CALL  TWO BLANKS\r", LinkKeyword::CALL, " TWO BLANKS"},
        },
        EveryReceiveOption());
}

TEST(CompanionMessage, TheLastCharacterIsDroppedWhateverItIs) {
    ExpectParsed(
        {
            {"CALL TRV1ABC", LinkKeyword::CALL, "TRV1AB"},
            {"CALL TRV1ABC\n", LinkKeyword::CALL, "TRV1ABC"},
            {"CALL TRV1ABC\r\n", LinkKeyword::CALL, "TRV1ABC\r"},
            {"CALL \xC3\x84\xC3\x96", LinkKeyword::CALL, QStringLiteral("\u00C4")},
            {"NAME J\xC3\xB6rg\r", LinkKeyword::NAME, QStringLiteral("J\u00F6rg")},
            // The keyword is matched on the bytes as received, so a dropped blank still counts.
            {"CALL ", LinkKeyword::CALL, ""},
            {"FORE ", LinkKeyword::FORE, ""},
            {"RST", std::nullopt, ""},
            // The item list keeps its last character, so no record is lost.
            {"SPEC ITEMS", LinkKeyword::SPEC, "ITEMS"},
        },
        EveryReceiveOption());
}

TEST(CompanionMessage, TooShortTextIsNoMessage) {
    ExpectParsed({{"", std::nullopt, ""}, {"C", std::nullopt, ""}, {"\r", std::nullopt, ""}}, EveryReceiveOption());
}

TEST(CompanionMessage, AKeywordWhoseOptionIsOffIsNoMatch) {
    const QList<std::tuple<QByteArray, int Settings::*>> cases = {
        {"CALL X\r", &Settings::Recv_CALL},   {"CODE X\r", &Settings::Recv_CODE},
        {"TIMEJ X\r", &Settings::Recv_TIMEJ}, {"TIMEU X\r", &Settings::Recv_TIMEU},
        {"GL X\r", &Settings::Recv_GL},       {"NAME X\r", &Settings::Recv_NAME},
        {"RST X\r", &Settings::Recv_RST},     {"MYRST X\r", &Settings::Recv_MYRST},
        {"QTH X\r", &Settings::Recv_QTH},     {"RMK1 X\r", &Settings::Recv_RMK1},
        {"RMK2 X\r", &Settings::Recv_RMK2},   {"FORE \r", &Settings::Recv_FORE},
        {"CLR \r", &Settings::Recv_CLR},
    };
    for (const auto& [bytes, flag] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        Settings s = EveryReceiveOption();
        ASSERT_TRUE(ParseCompanionMessage(bytes, s));
        s.*flag = 0;
        EXPECT_FALSE(ParseCompanionMessage(bytes, s));
    }
}

TEST(CompanionMessage, DefaultOptionsReceiveWhatTheMenuOffers) {
    const Settings defaults;
    for (const QByteArray bytes : {"CALL X\r", "CODE X\r", "NAME X\r", "RST X\r", "MYRST X\r", "QTH X\r", "FORE \r",
                                   "CLR \r", "SPEC X\r", "GET01 0600 X\r", "FSET\r", "LOGDT X\r"})
        EXPECT_TRUE(ParseCompanionMessage(bytes, defaults)) << bytes.toStdString();
    for (const QByteArray bytes : {"TIMEJ X\r", "TIMEU X\r", "GL X\r", "RMK1 X\r", "RMK2 X\r"})
        EXPECT_FALSE(ParseCompanionMessage(bytes, defaults)) << bytes.toStdString();
}

TEST(CompanionMessage, KeywordsFillTheirFields) {
    const QList<std::tuple<LinkKeyword, std::optional<ContactField>>> cases = {
        {LinkKeyword::CALL, FieldCALL},    {LinkKeyword::CODE, FieldM1},       {LinkKeyword::TIMEJ, FieldM1},
        {LinkKeyword::TIMEU, FieldM1},     {LinkKeyword::GL, FieldM1},         {LinkKeyword::NAME, FieldNAME},
        {LinkKeyword::RST, FieldRST},      {LinkKeyword::MYRST, FieldM2},      {LinkKeyword::QTH, FieldQTH},
        {LinkKeyword::RMK1, FieldM1},      {LinkKeyword::RMK2, FieldM2},       {LinkKeyword::FORE, std::nullopt},
        {LinkKeyword::CLR, std::nullopt},  {LinkKeyword::SPEC, std::nullopt},  {LinkKeyword::GET, std::nullopt},
        {LinkKeyword::FSET, std::nullopt}, {LinkKeyword::LOGDT, std::nullopt},
    };
    for (const auto& [keyword, field] : cases) {
        SCOPED_TRACE(int(keyword));
        EXPECT_EQ(FieldOf(keyword), field);
    }
}

TEST(CompanionMessage, GetReplyLayout) {
    struct Case {
        QString message;
        std::optional<StringReply> reply;
    };
    const QList<Case> cases = {
        {"GET03 0620 CQ CQ", StringReply{3, "620", "CQ CQ"}},
        {"GET1  0700 TEST", StringReply{1, "700", "TEST"}},
        {"GET13 0700 ", StringReply{13, "700", ""}},
        {"GET13 0700", StringReply{13, "700", ""}},
        {"GET05", StringReply{5, "0", ""}},
        {"GET02 abcd XYZ", StringReply{2, "0", "XYZ"}},
        {"GET04 0650 AB\r\n\r\n", StringReply{4, "650", "AB"}},
        {"GET04 0650 A\r\nB", StringReply{4, "650", "A\r\nB"}},
        {"GET07 12345XY", StringReply{7, "12345", "XY"}},
        {QStringLiteral("GET08 0600 \u00C4\u65E5"), StringReply{8, "600", QStringLiteral("\u00C4\u65E5")}},
        {"GET14 0700 X", std::nullopt},
        {"GET00 0700 X", std::nullopt},
        {"GET-1 0700 X", std::nullopt},
        {"GET", std::nullopt},
        {"GETX", std::nullopt},
        {"GET99999999999999999 0700", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const auto reply = ParseStringReply(c.message);
        ASSERT_EQ(reply.has_value(), c.reply.has_value());
        if (reply) {
            EXPECT_EQ(reply->string, c.reply->string);
            EXPECT_EQ(reply->pitch, c.reply->pitch);
            EXPECT_EQ(reply->text, c.reply->text);
        }
    }
}

TEST(CompanionMessage, SpecRecordsAreWhole37CharacterRuns) {
    const QString one = QString(16, u'a') + QString(21, u'1');
    const QString two = QString(16, u'b') + QString(21, u'2');
    const QString three = QString(16, u'c') + QString(21, u'3');
    const QList<std::tuple<QString, QStringList>> cases = {
        {"", {}},
        {QString(36, u'x'), {}},
        {one, {one}},
        {one + two, {one, two}},
        {one + two.left(36), {one}},
        {one + two + three + "\r", {one, two, three}},
    };
    for (const auto& [items, records] : cases) {
        SCOPED_TRACE(items.size());
        EXPECT_EQ(SpecRecords(items), records);
    }
}

} // namespace
