#include "link/RemoteMessages.h"
#include "QtPrinters.h"
#include "link/LinkText.h"

#include <QList>

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(RemoteMessages, HandOffCarriesSpeedAndText) {
    const QList<std::tuple<int, QString, QByteArray>> cases = {
        {20, "CQ CQ DE TRV/PC K", "RMT20 CQ CQ DE TRV/PC K\r"},
        {10, "5NN", "RMT10 5NN\r"},
        {5, "X", "RMT05 X\r"},
        {50, "", "RMT50 \r"},
        {25, QStringLiteral("\u00C4 \u65E5"), "RMT25 \xC3\x84 \xE6\x97\xA5\r"},
    };
    for (const auto& [wpm, text, bytes] : cases)
        EXPECT_EQ(RmtMessage(wpm, text), bytes);
}

TEST(RemoteMessages, LongHandOffFitsWhatTheHostReadsAndKeepsItsEnd) {
    const QByteArray ascii = RmtMessage(20, QString(3000, u'E'));
    EXPECT_EQ(ascii, "RMT20 " + QByteArray(kLinkReceiveLimit - 7, 'E') + "\r");

    const QByteArray wide = RmtMessage(20, QString(1000, QChar(0x65E5)));
    EXPECT_LE(wide.size(), kLinkReceiveLimit);
    EXPECT_TRUE(wide.endsWith('\r'));
    EXPECT_EQ(FromLinkBytes(wide.mid(6).chopped(1)), QString((kLinkReceiveLimit - 7) / 3, QChar(0x65E5)));

    // Through the host's own read and drop, the text comes back whole.
    const QString emoji = QString(700, u'A') + QStringLiteral("\U0001F600").repeated(600);
    const auto read = ReceivedText(ReceivedBytes(RmtMessage(20, emoji)));
    ASSERT_TRUE(read);
    EXPECT_TRUE(emoji.startsWith(read->mid(6)));
    EXPECT_FALSE(read->contains(QChar::ReplacementCharacter));
}

TEST(RemoteMessages, EscapeIsItsKeywordABlankAndACarriageReturn) {
    EXPECT_EQ(EscapeMessage(), "ESCAPE \r");
}

TEST(RemoteMessages, BusyAnswerReplacesOneFinalCarriageReturn) {
    const QList<std::tuple<QByteArray, QByteArray>> cases = {
        {"RMT20 CQ TEST\r", "RMT20 CQ TEST <busy>\r"}, {"RMT20 CQ TEST", "RMT20 CQ TEST <busy>\r"},
        {"RMT20 HI\r\r", "RMT20 HI\r <busy>\r"},       {"RMT20 \xC3\x84\r", "RMT20 \xC3\x84 <busy>\r"},
        {"\xFF\xFE\r", "\xFF\xFE <busy>\r"}, // bytes of ordinary length go back as they came
    };
    for (const auto& [received, answer] : cases)
        EXPECT_EQ(BusyAnswer(received), answer);
}

TEST(RemoteMessages, BusyAnswerToALongDatagramFitsWhatTheRemoteReads) {
    const QByteArray longest = "RMT20 " + QByteArray(kLinkReceiveLimit - 6, 'E');
    const QByteArray answer = BusyAnswer(longest);
    EXPECT_EQ(answer.size(), kLinkReceiveLimit);
    EXPECT_EQ(answer, longest.left(kLinkReceiveLimit - 8) + " <busy>\r");

    const QByteArray wide = BusyAnswer(ReceivedBytes(ToLinkBytes("RMT20 " + QString(1000, QChar(0x65E5)))));
    EXPECT_LE(wide.size(), kLinkReceiveLimit);
    EXPECT_TRUE(wide.endsWith(" <busy>\r"));
    EXPECT_FALSE(FromLinkBytes(wide).contains(QChar::ReplacementCharacter));
}

TEST(RemoteMessages, RmtTextGivesSpeedFromCharactersThreeAndFour) {
    const QList<std::tuple<QString, int, QString>> cases = {
        {"RMT20 CQ TEST", 20, "CQ TEST"},
        {"RMT10 X", 10, "X"},
        {"RMT50 X", 50, "X"},
        {"RMT20 ", 20, ""},
        {"RMT20", 20, ""},
        {"RMT", kRemoteMinWpm, ""},
        // Speeds a sender cannot key are brought into its range.
        {"RMT05 X", kRemoteMinWpm, "X"},
        {"RMT00 X", kRemoteMinWpm, "X"},
        {"RMT99 X", kRemoteMaxWpm, "X"},
        {"RMTab X", kRemoteMinWpm, "X"},
        {"RMT-1 X", kRemoteMinWpm, "X"},
        {"RMT 7 X", kRemoteMinWpm, "X"},
        {"RMT100 X", 10, " X"},
        {QStringLiteral("RMT30 \u00C4\u65E5"), 30, QStringLiteral("\u00C4\u65E5")},
    };
    for (const auto& [message, wpm, text] : cases) {
        SCOPED_TRACE(message.toStdString());
        const RemoteText parsed = ParseRemoteText(message);
        EXPECT_EQ(parsed.wpm, wpm);
        EXPECT_EQ(parsed.text, text);
    }
}

} // namespace
