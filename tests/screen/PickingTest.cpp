#include "screen/Picking.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(Picking, CleansEachFieldByItsRule) {
    struct Case {
        PickField field;
        const char* word;
        const char* result;
    };
    const Case cases[] = {
        {PickCall, "Q1ABC", "Q1ABC"},
        {PickCall, "Q1ABC/P,", "Q1ABC/P"},
        {PickCall, "ABCDEFGHIJKLMNOPQRSTUV", "ABCDEFGHIJKLMNOPQRST"},
        {PickRst, "5NN", "599"},
        {PickRst, "ENN", "599"},
        {PickRst, "0NN", ""},
        {PickRst, "TNN", ""},
        {PickRst, "579X", "579"},
        {PickM2, "A9", "19"},
        {PickM2, "UNN", "299"},
        {PickM1, "1101AN", "110119"},
        {PickM1, "1234AN", "12341N"},
        {PickM1, "12/AB", "12AB"},
        {PickM1, "1 1 0 1 0 5", "110105"},
        {PickM1, "TO12", "0012"},
        {PickM1, "12X34", "1234"},
        {PickM1, "4021AB", "402117"},
        {PickName, "OM.", "OM"},
        {PickName, "BARTHOLOMEWSON", "BARTHOLOMEWS"},
        {PickQth, "TOKYO/JP", "TOKYOJP"},
        {PickQth, "...", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanPick(c.field, QString::fromLatin1(c.word)), QString::fromLatin1(c.result))
            << c.word << " into field " << c.field;
}

TEST(Picking, WordAroundTheCaretStopsAtBlanksAndQuotes) {
    const QString line = QStringLiteral("UR 5NN Q1ABC BK \"OM\"");
    const auto word = [&](int caret) {
        const WordSpan span = WordAround(line, caret);
        return line.mid(span.start, span.end - span.start);
    };
    EXPECT_EQ(word(9), QStringLiteral("Q1ABC"));
    EXPECT_EQ(word(7), QStringLiteral("Q1ABC"));
    EXPECT_EQ(word(12), QStringLiteral("Q1ABC"));
    EXPECT_EQ(word(4), QStringLiteral("5NN"));
    EXPECT_EQ(word(18), QStringLiteral("OM"));
    EXPECT_TRUE(WordAround(line, 2).isEmpty() == false);
    EXPECT_TRUE(WordAround(QStringLiteral("A  B"), 2).isEmpty());
    const QString longWord(30, QLatin1Char('X'));
    const WordSpan span = WordAround(longWord, 15);
    EXPECT_EQ(span.start, 0);
    EXPECT_EQ(span.end, 30);
    EXPECT_EQ(WordAround(QString(45, QLatin1Char('X')), 22).start, 2) << "at most 20 to the left";
}

TEST(Picking, CallExtractor) {
    struct Case {
        const char* transcript;
        const char* call;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"TU DE QA1ABC/1 K", "QA1ABC/1", 0, 1},
        {"DE Q1ABC", "EQ1ABC", 0, 1},
        {"CQ CQ DE ABCDEF K", "", 0, 0},
        {"DE JA1XYZ K", "JA1XYZK", 7, 0}, // without a '/', a K after the call stays
        {"DE 7K1ABC", "7K1ABC", 6, 0},
        {"DE 7X1ABC", "7X1ABC", 1, 1},
        {"DE W1AW/QRP", "EW1AW/QRP", 0, 2}, // always two characters before the digit
        {"DE XW2AB/MK", "XW2AB/M", 0, 2},
        {"5NN 1", "", 0, 0},
        {"DE AB12", "", 0, 0}, // fewer than two characters after the digit
        {"", "", 0, 0},
    };
    for (const Case& c : cases) {
        const QString call = ExtractCall(QString::fromLatin1(c.transcript), QStringLiteral("TRV/PC"));
        EXPECT_EQ(call, QString::fromLatin1(c.call)) << c.transcript;
        if (call.isEmpty())
            continue;
        const CallSelection sel = SelectionForCall(call);
        EXPECT_EQ(sel.start, c.selStart) << c.transcript;
        EXPECT_EQ(sel.length, c.selLength) << c.transcript;
    }
}

TEST(Picking, TheSelectionOfAOneCharacterCallStaysInsideIt) {
    const struct {
        const char* call;
        int start;
        int length;
    } cases[] = {{"Q", 0, 1}, {"7", 1, 0}, {"", 0, 0}};
    for (const auto& c : cases) {
        const CallSelection sel = SelectionForCall(QString::fromLatin1(c.call));
        EXPECT_EQ(sel.start, c.start) << c.call;
        EXPECT_EQ(sel.length, c.length) << c.call;
    }
}

// A '/' inside the five characters around the digit lets the letters after it, and so a closing
// K, BK or KN, run into the call; only the operator's own call keeps such an ending.
TEST(Picking, CallExtractorCutsAnEndingKUnlessTheCallIsTheOwnOne) {
    struct Case {
        const char* transcript;
        const char* ownCall;
        const char* call;
    };
    const Case cases[] = {
        {"DE QA1A/P K", "TRV/PC", "QA1A/P"},
        {"DE QA1A/P BK", "TRV/PC", "QA1A/P"}, // BK goes whole, not only its K
        {"DE QA1A/P KN", "TRV/PC", "QA1A/P"},
        {"DE QA1A/K KN", "TRV/PC", "QA1A/K"}, // one ending only: the K left after KN stays
        {"DE QA1A/K BK", "TRV/PC", "QA1A/K"},
        {"DE QA1A/P K", "QA1A/PK", "QA1A/PK"},
        {"DE QA1A/P BK", "QA1A/PBK", "QA1A/PBK"},
        {"DE QA1A/P KN", "QA1A/PKN", "QA1A/PKN"},
        {"DE QA1A/P K", "QA1A/P", "QA1A/P"},     // compared before the cut, so the K still goes
        {"DE QA1AP K", "TRV/PC", "QA1APK"},      // without a '/' nothing is cut
        {"DE ZZ1ABC/MKN", "TRV/PC", "ZZ1ABC/M"}, // a "/M" suffix ends the call before the KN
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractCall(QString::fromLatin1(c.transcript), QString::fromLatin1(c.ownCall)),
                  QString::fromLatin1(c.call))
            << c.transcript << " with own call " << c.ownCall;
}

TEST(Picking, CodeExtractor) {
    const std::pair<const char*, const char*> cases[] = {
        {"UR 599 JCC 1101 05 BK", "110105"},
        {"JCG 12345AB", "12345A"},
        {"JCC 1001 AJA 25/ABC", "25A"},
        {"JCC X123", ""},
        {"599 1101", ""},
        {"JC", ""},
    };
    for (const auto& [transcript, code] : cases)
        EXPECT_EQ(ExtractCode(QString::fromLatin1(transcript)), QString::fromLatin1(code)) << transcript;
}

} // namespace
