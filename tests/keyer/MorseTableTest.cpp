#include "keyer/MorseTable.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>

#include <QSet>
#include <QString>

namespace {

QString codeOf(const MorseIndex& index, char16_t ch) {
    const MorseLookup found = index.LookupMorse(ch);
    return found.kind == MorseLookup::Kind::Found ? QString::fromUtf16(found.code) : QStringLiteral("none");
}

TEST(MorseTable, LooksUpCodes) {
    const MorseIndex index;
    struct Case {
        char16_t ch;
        const char* code;
    };
    const Case cases[] = {
        {u'A', ".-"},      {u'Z', "--.."},   {u'0', "-----"},   {u'9', "----."},  {u'*', "........"},
        {u'#', "......."}, {u'=', "-...-"},  {u'&', "-...-.-"}, {u'$', "...-.-"}, {u'@', "-.-.-"},
        {u'>', ".-..."},   {u'"', ".-..-."}, {u'\'', ".----."}, {u'^', "----.-"}, {u'a', "none"},
        {u' ', "none"},    {u'\r', "none"},  {u'\n', "none"},   {u'%', "none"},   {u'!', "none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codeOf(index, c.ch), QString::fromLatin1(c.code)) << char(c.ch);
}

TEST(MorseTable, SharedCodesKeyAlike) {
    const MorseIndex index;
    const char16_t groups[][3] = {
        {u'(', u'{', 0}, {u')', u'}', 0}, {u',', u'\\', u'|'}, {u'+', u'<', 0}, {u'~', u'^', 0}};
    for (const auto& group : groups) {
        for (int i = 1; i < 3 && group[i]; ++i)
            EXPECT_EQ(codeOf(index, group[i]), codeOf(index, group[0])) << char(group[i]);
    }
}

TEST(MorseTable, CharacterSharingOnlyALowByteIsNotInTheTable) {
    const MorseIndex index;
    EXPECT_EQ(index.LookupMorse(0x0141).kind, MorseLookup::Kind::LowByteOnly); // low byte of "A"
    EXPECT_EQ(index.LookupMorse(0x0161).kind, MorseLookup::Kind::None);        // low byte of "a"
}

struct ExpectedRow {
    char16_t character;
    const char* code;
};

// The whole table in its order; the sender and anything that indexes the table by position rely on it.
constexpr ExpectedRow kExpectedTable[] = {
    {u'A', ".-"},       {u'B', "-..."},   {u'C', "-.-."},    {u'D', "-.."},    {u'E', "."},       {u'F', "..-."},
    {u'G', "--."},      {u'H', "...."},   {u'I', ".."},      {u'J', ".---"},   {u'K', "-.-"},     {u'L', ".-.."},
    {u'M', "--"},       {u'N', "-."},     {u'O', "---"},     {u'P', ".--."},   {u'Q', "--.-"},    {u'R', ".-."},
    {u'S', "..."},      {u'T', "-"},      {u'U', "..-"},     {u'V', "...-"},   {u'W', ".--"},     {u'X', "-..-"},
    {u'Y', "-.--"},     {u'Z', "--.."},   {u'1', ".----"},   {u'2', "..---"},  {u'3', "...--"},   {u'4', "....-"},
    {u'5', "....."},    {u'6', "-...."},  {u'7', "--..."},   {u'8', "---.."},  {u'9', "----."},   {u'0', "-----"},
    {u'*', "........"}, {u'+', ".-.-."},  {u'.', ".-.-.-"},  {u',', "--..--"}, {u':', "---..."},  {u'\'', ".----."},
    {u'=', "-...-"},    {u'-', "-....-"}, {u'(', "-.--."},   {u'{', "-.--."},  {u')', "-.--.-"},  {u'}', "-.--.-"},
    {u'"', ".-..-."},   {u'$', "...-.-"}, {u'/', "-..-."},   {u'?', "..--.."}, {u'<', ".-.-."},   {u'>', ".-..."},
    {u'_', "..--.-"},   {u'@', "-.-.-"},  {u'\\', "--..--"}, {u'|', "--..--"}, {u'&', "-...-.-"}, {u'#', "......."},
    {u';', "-.-.-."},   {u'~', "----.-"}, {u'^', "----.-"},
};

TEST(MorseTable, HoldsEveryRowInOrder) {
    ASSERT_EQ(std::size(kExpectedTable), std::size_t(kMorseTableSize));
    ASSERT_EQ(MorseTable.size(), std::size_t(kMorseTableSize));
    for (int i = 0; i < kMorseTableSize; ++i) {
        const MorseEntry& entry = MorseTable[i];
        const ExpectedRow& row = kExpectedTable[i];
        EXPECT_EQ(entry.character[0], row.character) << "entry " << i;
        for (int unit = 1; unit < 4; ++unit)
            EXPECT_EQ(entry.character[unit], 0) << "entry " << i << " unit " << unit;
        const auto end = std::find(std::begin(entry.code), std::end(entry.code), u'\0');
        ASSERT_NE(end, std::end(entry.code)) << "entry " << i << " has no terminator";
        EXPECT_EQ(QString::fromUtf16(entry.code), QString::fromLatin1(row.code)) << "entry " << i;
    }
}

// Every UTF-16 unit: found only when it is exactly a table character; a unit above 0xFF whose low
// byte is a table character's is set apart so the sender can still run its checks for it.
TEST(MorseTable, LookupOfEveryCodeUnitFollowsTheLowByteRule) {
    const MorseIndex index;
    std::array<const char*, 256> byLowByte{};
    for (const ExpectedRow& row : kExpectedTable)
        byLowByte[row.character & 0xFF] = row.code;
    int mismatches = 0;
    for (int unit = 0; unit <= 0xFFFF && mismatches < 10; ++unit) {
        const char16_t ch = char16_t(unit);
        const char* code = byLowByte[unit & 0xFF];
        const MorseLookup::Kind expected = !code        ? MorseLookup::Kind::None
                                           : unit < 256 ? MorseLookup::Kind::Found
                                                        : MorseLookup::Kind::LowByteOnly;
        const MorseLookup found = index.LookupMorse(ch);
        bool right = found.kind == expected;
        if (expected == MorseLookup::Kind::Found)
            right = right && found.code && QString::fromUtf16(found.code) == QString::fromLatin1(code);
        else
            right = right && found.code == nullptr;
        if (!right) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << unit << ": kind " << int(found.kind) << ", expected " << int(expected);
        }
    }
}

TEST(MorseTable, EveryEntryHasItsOwnLowByteAndAShortCode) {
    QSet<int> lowBytes;
    for (const MorseEntry& entry : MorseTable) {
        lowBytes.insert(entry.character[0] & 0xFF);
        const QString code = QString::fromUtf16(entry.code);
        EXPECT_FALSE(code.isEmpty());
        EXPECT_LE(code.size(), 15);
        EXPECT_TRUE(QString(code).remove(QLatin1Char('.')).remove(QLatin1Char('-')).isEmpty()) << code.toStdString();
    }
    EXPECT_EQ(lowBytes.size(), kMorseTableSize);
}

} // namespace
