#include "keyer/MorseTable.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

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
