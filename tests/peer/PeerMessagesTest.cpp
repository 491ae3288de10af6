#include "QtPrinters.h"
#include "link/CompanionMessage.h"
#include "link/LinkText.h"
#include "peer/BytePrinter.h"
#include "peer/PeerAnswers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

/// Tarvo's reading of a datagram under its default settings.
std::optional<CompanionMessage> AsTarvoReadsIt(const QByteArray& datagram) {
    Settings settings;
    return ParseCompanionMessage(ReceivedBytes(datagram), settings);
}

TEST(PeerAnswers, StringReplyHasTheNumberPitchAndTextInTheirColumns) {
    EXPECT_EQ(StringReplyMessage(3, {620, "CQ CQ"}), "GET03 0620 CQ CQ\r");
    EXPECT_EQ(StringReplyMessage(13, {700, ""}), "GET13 0700 \r");
    EXPECT_EQ(StringReplyMessage(1, {9999, "E"}), "GET01 9999 E\r");
}

TEST(PeerAnswers, TarvoReadsEachStringAsItWasConfigured) {
    CompanionData data = DefaultCompanionData();
    data.strings[12] = {700, "CQ DE Q1ABC K"};
    data.strings[4] = {85, ""};
    const QList<std::tuple<QByteArray, int, QString, QString>> cases = {
        {"GET13 \r", 13, "700", "CQ DE Q1ABC K"},
        {"GET05 \r", 5, "85", ""},
        {"GET01 \r", 1, "400", data.strings[0].text},
    };
    for (const auto& [request, string, pitch, text] : cases) {
        SCOPED_TRACE(request.toStdString());
        const auto answer = AnswerTo(request, data);
        ASSERT_TRUE(answer);
        const auto message = AsTarvoReadsIt(*answer);
        ASSERT_TRUE(message);
        ASSERT_EQ(message->keyword, LinkKeyword::GET);
        const auto reply = ParseStringReply(message->value);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->string, string);
        EXPECT_EQ(reply->pitch, pitch);
        EXPECT_EQ(reply->text, text);
    }
}

TEST(PeerAnswers, EveryStringIsAnsweredWithItsOwnNumber) {
    CompanionData data = DefaultCompanionData();
    for (int string = 1; string <= kDecoderStrings; ++string) {
        SCOPED_TRACE(string);
        const auto answer = AnswerTo(QString::asprintf("GET%02d \r", string).toLatin1(), data);
        ASSERT_TRUE(answer);
        EXPECT_EQ(*answer, StringReplyMessage(string, data.strings[string - 1]));
    }
}

TEST(PeerAnswers, DefaultStringsHaveTextAndPitchesOfTheirOwn) {
    const CompanionData data = DefaultCompanionData();
    QList<int> pitches;
    for (const DecoderString& string : data.strings) {
        EXPECT_FALSE(string.text.isEmpty());
        EXPECT_GE(string.pitch, 1);
        EXPECT_LE(string.pitch, 9999);
        EXPECT_FALSE(pitches.contains(string.pitch)) << string.pitch;
        pitches.append(string.pitch);
    }
}

TEST(PeerAnswers, OnlyGetSpecFreqAndFsetAreAnswered) {
    CompanionData data = DefaultCompanionData();
    for (const QByteArray request : {"GET00 \r", "GET14 \r", "GET1 \r", "GET013 \r", "GETAB \r", "GET \r", "TIMEJ \r",
                                     "TIMEU \r", "RCVCW \r", "CLR \r", "SAVE \r", "FREQS \r", "VAL 0003 0002\r",
                                     "CALL Q1ABC\r", "RMT25 CQ\r", "ESCAPE \r", "SPECS \r", "", "\r"}) {
        SCOPED_TRACE(request.toStdString());
        EXPECT_FALSE(AnswerTo(request, data));
    }
    EXPECT_EQ(AnswerTo("FSET 7.02500      CW\r", data), QByteArray("FSET \r"));
    EXPECT_TRUE(AnswerTo("SPEC \r", data));
    EXPECT_TRUE(AnswerTo("FREQ \r", data));
    // A request whose carriage return was lost is still understood.
    EXPECT_EQ(AnswerTo("GET02", data), StringReplyMessage(2, data.strings[1]));
}

TEST(PeerAnswers, TarvoTakesTheFsetAnswerAsTheRigHavingTakenTheFrequency) {
    const auto message = AsTarvoReadsIt(FsetAnswer());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->keyword, LinkKeyword::FSET);
}

TEST(PeerAnswers, ItemRecordsHaveTheirColumns) {
    const QList<std::tuple<CompanionItem, QString>> cases = {
        {{"Squelch", "15", ItemKind::List, 0, 50, 1}, "Squelch         15      20   50  1   "},
        {{"A name longer than sixteen", "12345", ItemKind::OnOff, 0, 1, 0}, "A name longer th1234    10   1   0   "},
        {{"Prefix", "Q1", ItemKind::Text, 0, 4, 0}, "Prefix          Q1      30   4   0   "},
    };
    for (const auto& [item, record] : cases) {
        EXPECT_EQ(ItemRecord(item), record);
        EXPECT_EQ(record.size(), kSpecRecordLength);
    }
}

TEST(PeerAnswers, TarvoReadsTheDefaultItemListAsOneItemOfEachKind) {
    CompanionData data = DefaultCompanionData();
    const auto answer = AnswerTo("SPEC \r", data);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->startsWith("SPEC "));
    EXPECT_TRUE(answer->endsWith("\r"));
    const auto message = AsTarvoReadsIt(*answer);
    ASSERT_TRUE(message);
    ASSERT_EQ(message->keyword, LinkKeyword::SPEC);
    const QStringList records = SpecRecords(message->value);
    EXPECT_EQ(records, data.items);
    QString kinds;
    for (const QString& record : records)
        kinds += record[24];
    EXPECT_EQ(kinds, "01223");
    // The tenths list and the stepped list both hold their value.
    EXPECT_EQ(records[2].mid(33, 4), "1   ");
    EXPECT_EQ(records[3].mid(33, 4), "500 ");
    EXPECT_EQ(records[3].mid(16, 4), "200 ");
}

TEST(PeerAnswers, LogDataEndsEveryLineInALineFeed) {
    EXPECT_EQ(LogDataMessage({}), "LOGDT \r");
    EXPECT_EQ(LogDataMessage({"", "Q1ABC", "", "7.02500", "CW"}), "LOGDT \nQ1ABC\n\n7.02500\nCW\n\r");
    const auto message = AsTarvoReadsIt(LogDataMessage({"A", "B"}));
    ASSERT_TRUE(message);
    EXPECT_EQ(message->keyword, LinkKeyword::LOGDT);
    EXPECT_EQ(message->value, "A\nB\n");
}

TEST(PeerAnswers, ALongTextIsCutToWhatTarvoReads) {
    const QByteArray answer = StringReplyMessage(1, {500, QString(3000, QLatin1Char('E'))});
    EXPECT_EQ(answer.size(), kLinkReceiveLimit);
    EXPECT_TRUE(answer.startsWith("GET01 0500 EEE"));
    EXPECT_TRUE(answer.endsWith("E\r"));
    // Cut between whole characters: "é" is two bytes in the link's encoding.
    const QByteArray accents = PeerMessage("NAME ", QString(2000, QChar(0xE9)));
    EXPECT_EQ(accents.size(), kLinkReceiveLimit - 1);
    EXPECT_EQ(FromLinkBytes(accents.chopped(1)), "NAME " + QString(1296, QChar(0xE9)));
}

} // namespace
