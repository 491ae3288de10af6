#include "link/LinkText.h"
#include "QtPrinters.h"

#include <QList>

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

const QString kMixed = QStringLiteral("CQ \u00C4\u20AC\u65E5 \U0001F600");
const QByteArray kMixedBytes("CQ \xC3\x84\xE2\x82\xAC\xE6\x97\xA5 \xF0\x9F\x98\x80");

TEST(LinkText, TextTravelsAsUtf8BothWays) {
    EXPECT_EQ(ToLinkBytes(kMixed), kMixedBytes);
    EXPECT_EQ(FromLinkBytes(kMixedBytes), kMixed);
    EXPECT_EQ(FromLinkBytes(ToLinkBytes(kMixed)), kMixed);
}

TEST(LinkText, CutKeepsWholeCharactersThatFit) {
    const QList<std::tuple<QString, qsizetype, QByteArray>> cases = {
        {"ABCDEF", 4, "ABCD"},
        {"ABCDEF", 6, "ABCDEF"},
        {"ABCDEF", 99, "ABCDEF"},
        {"ABCDEF", 0, ""},
        {"ABCDEF", -5, ""},
        {QStringLiteral("\u00C4\u00C4"), 3, "\xC3\x84"},
        {QStringLiteral("\u65E5\u672C"), 5, "\xE6\x97\xA5"},
        {QStringLiteral("\u65E5\u672C"), 2, ""},
        {QStringLiteral("A\U0001F600"), 4, "A"},
        {QStringLiteral("A\U0001F600"), 5, "A\xF0\x9F\x98\x80"},
        {QStringLiteral("\U0001F600\U0001F600"), 7, "\xF0\x9F\x98\x80"},
    };
    for (const auto& [text, limit, bytes] : cases) {
        SCOPED_TRACE(text.toStdString() + " / " + std::to_string(limit));
        EXPECT_EQ(ToLinkBytes(text, limit), bytes);
    }
}

TEST(LinkText, LeftCharactersNeverSplitsASurrogatePair) {
    const QString text = QStringLiteral("AB\U0001F600C");
    const QList<std::tuple<qsizetype, QString>> cases = {
        {-1, ""}, {0, ""}, {2, "AB"}, {3, "AB"}, {4, QStringLiteral("AB\U0001F600")}, {5, text}, {50, text},
    };
    for (const auto& [limit, left] : cases) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(LeftCharacters(text, limit), left);
    }
}

TEST(LinkText, ADatagramIsReadUpToItsLimitAndItsFirstNul) {
    EXPECT_EQ(ReceivedBytes(QByteArray()), QByteArray());
    EXPECT_EQ(ReceivedBytes(QByteArray(3000, 'A')), QByteArray(kLinkReceiveLimit, 'A'));
    EXPECT_EQ(ReceivedBytes(QByteArray(kLinkReceiveLimit, 'A')).size(), kLinkReceiveLimit);
    EXPECT_EQ(ReceivedBytes(QByteArray("CALL AB\0CD\r", 11)), QByteArray("CALL AB"));
    EXPECT_EQ(ReceivedBytes(QByteArray("\0CALL X\r", 8)), QByteArray());
}

TEST(LinkText, ReceivedTextLosesItsLastCharacter) {
    const QList<std::tuple<QByteArray, std::optional<QString>>> cases = {
        {"", std::nullopt},
        {"A", std::nullopt},
        {"\r", std::nullopt},
        {"\xC3\x84", std::nullopt}, // one character, however many bytes
        {"AB", "A"},
        {"CALL TRV1ABC\r", "CALL TRV1ABC"},
        {"CALL TRV1ABC", "CALL TRV1AB"},
        {"CALL \xC3\x84\r", QStringLiteral("CALL \u00C4")},
        {"CALL \xC3\x84", "CALL "},
        {"AB\xF0\x9F\x98\x80", "AB"}, // a character outside the BMP goes as a whole
        {"\xF0\x9F\x98\x80", ""},     // two UTF-16 units, so text, but empty after the drop
        {"AB\xFF", "AB"},             // a byte that is no character still counts as one
        // A character cut short by the read limit shows as two replacement characters.
        {"AB\xE6\x97", QStringLiteral("AB\uFFFD")},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(ReceivedText(bytes), text);
    }
}

TEST(LinkText, LeadingNumberReadsAsAtoiDoes) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const QList<std::tuple<QString, int>> cases = {
        {"01 0620", 1},
        {"1 ", 1},
        {"13", 13},
        {" 42x", 42},
        {"\t\n 5", 5},
        {"-7", -7},
        {"+3", 3},
        {"", 0},
        {"x1", 0},
        {"- 1", 0},
        {"0620 CQ", 620},
        {"99999999999999999999", kMax},
        {"-99999999999999999999", kMin},
        {"2147483647", kMax},
        {"-2147483648", kMin},
    };
    for (const auto& [text, number] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(LeadingNumber(text), number);
    }
}

} // namespace
