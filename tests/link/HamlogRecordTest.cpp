#include "link/HamlogRecord.h"
#include "QtPrinters.h"

#include <QList>

#include <gtest/gtest.h>

#include <tuple>

namespace {

const QString kEmptyRecord =
    QStringLiteral("[HAMLOG] Call=\"\" Date=\"\" Time=\"\" His=\"\" My=\"\" Freq=\"\" Mode=\"\" "
                   "Code=\"\" GL=\"\" QSL=\"\" Name=\"\" QTH=\"\" Rmk1=\"\" Rmk2=\"\"");

// Lines 1 .. lines.size(), each ended by a line feed.
QString Block(const QStringList& lines) {
    QString block;
    for (const QString& line : lines)
        block += line + u'\n';
    return block;
}

QStringList NumberedLines(int count) {
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines << QStringLiteral("L%1").arg(k);
    return lines;
}

TEST(HamlogRecord, FifteenEmptyLinesGiveEveryLabelEmpty) {
    EXPECT_EQ(BuildHamlogRecord(QString(15, u'\n')).record, kEmptyRecord);
}

TEST(HamlogRecord, AnEmptyBlockGivesOnlyTheCallFrame) {
    const HamlogBlock block = BuildHamlogRecord(QString());
    EXPECT_EQ(block.record, "[HAMLOG] Call=\"\"");
    EXPECT_TRUE(block.frequencies.isEmpty());
    EXPECT_TRUE(block.modes.isEmpty());
}

TEST(HamlogRecord, LabelsFollowOnlyTheLinesThatArrived) {
    const QList<std::tuple<int, QString>> cases = {
        {1, "[HAMLOG] Call=\"/L1\""},
        {2, "[HAMLOG] Call=\"/L1L2\" Date=\"\""},
        {3, "[HAMLOG] Call=\"/L1L2\" Date=\"L3\" Time=\"\""},
        {14, "[HAMLOG] Call=\"/L1L2\" Date=\"L3\" Time=\"L4\" His=\"L5\" My=\"L6\" Freq=\"L7\" Mode=\"L8\" "
             "Code=\"L9\" GL=\"L10\" QSL=\"L11\" Name=\"L12\" QTH=\"L13\" Rmk1=\"L14\" Rmk2=\"\""},
        {15, "[HAMLOG] Call=\"/L1L2\" Date=\"L3\" Time=\"L4\" His=\"L5\" My=\"L6\" Freq=\"L7\" Mode=\"L8\" "
             "Code=\"L9\" GL=\"L10\" QSL=\"L11\" Name=\"L12\" QTH=\"L13\" Rmk1=\"L14\" Rmk2=\"L15\""},
    };
    for (const auto& [count, record] : cases) {
        SCOPED_TRACE(count);
        EXPECT_EQ(BuildHamlogRecord(Block(NumberedLines(count))).record, record);
    }
}

TEST(HamlogRecord, AFirstLineGoesWithASlashBeforeTheCall) {
    const QList<std::tuple<QString, QString, QString>> cases = {
        {"", "JA1ABC", "[HAMLOG] Call=\"JA1ABC\" Date=\"\""},
        {"P", "JA1ABC", "[HAMLOG] Call=\"/PJA1ABC\" Date=\"\""},
        {"3", "", "[HAMLOG] Call=\"/3\" Date=\"\""},
        {" ", "JA1ABC", "[HAMLOG] Call=\"/ JA1ABC\" Date=\"\""},
    };
    for (const auto& [first, second, record] : cases) {
        SCOPED_TRACE(first.toStdString() + "|" + second.toStdString());
        EXPECT_EQ(BuildHamlogRecord(Block({first, second})).record, record);
    }
}

TEST(HamlogRecord, CarriageReturnsAreIgnoredWhereverTheyStand) {
    const QString plain = Block(NumberedLines(15));
    const QList<QString> blocks = {
        QString(plain).replace(QStringLiteral("\n"), QStringLiteral("\r\n")),
        QString(plain).replace(QStringLiteral("\n"), QStringLiteral("\n\r")),
        QString(plain).replace(QStringLiteral("L"), QStringLiteral("\rL\r")),
        QStringLiteral("\r\r") + plain + u'\r',
    };
    const HamlogBlock expected = BuildHamlogRecord(plain);
    for (const QString& block : blocks) {
        SCOPED_TRACE(block.toStdString());
        const HamlogBlock built = BuildHamlogRecord(block);
        EXPECT_EQ(built.record, expected.record);
        EXPECT_EQ(built.frequencies, expected.frequencies);
        EXPECT_EQ(built.modes, expected.modes);
    }
    EXPECT_EQ(BuildHamlogRecord(QString(15, u'\r')).record, "[HAMLOG] Call=\"\"");
    EXPECT_EQ(BuildHamlogRecord(QStringLiteral("\r\n").repeated(15)).record, kEmptyRecord);
}

TEST(HamlogRecord, TextAfterTheLastLineFeedIsNotRead) {
    const QList<std::tuple<QString, QString>> cases = {
        {"JA1ABC", "[HAMLOG] Call=\"\""},
        {"\nJA1ABC", "[HAMLOG] Call=\"\""},
        {"\nJA1ABC\n24/05/12", "[HAMLOG] Call=\"JA1ABC\" Date=\"\""},
    };
    for (const auto& [block, record] : cases) {
        SCOPED_TRACE(block.toStdString());
        EXPECT_EQ(BuildHamlogRecord(block).record, record);
    }
    QStringList lines(6);
    lines << "7.025";
    EXPECT_TRUE(BuildHamlogRecord(Block(lines) + QStringLiteral("CW")).modes.isEmpty());
}

TEST(HamlogRecord, FrequencyAndModeComeFromLinesSevenEightSeventeenAndEighteen) {
    QStringList lines = NumberedLines(18);
    lines[6] = " 7.02500 ";
    lines[7] = "CW ";
    lines[16] = "14.07400";
    lines[17] = " USB";
    const HamlogBlock block = BuildHamlogRecord(Block(lines));
    EXPECT_EQ(block.frequencies, QStringList({" 7.02500 ", "14.07400"}));
    EXPECT_EQ(block.modes, QStringList({"CW ", " USB"}));
    EXPECT_TRUE(block.record.contains(u"Freq=\" 7.02500 \" Mode=\"CW \" Code="));
}

TEST(HamlogRecord, EmptyFrequencyAndModeLinesAreLeftOut) {
    const QList<std::tuple<QList<int>, QStringList, QStringList>> cases = {
        // Lines emptied (1-based), then the frequencies and modes that remain.
        {{}, {"L7", "L17"}, {"L8", "L18"}}, {{7, 8}, {"L17"}, {"L18"}}, {{17, 18}, {"L7"}, {"L8"}},
        {{7, 18}, {"L17"}, {"L8"}},         {{7, 8, 17, 18}, {}, {}},
    };
    for (const auto& [emptied, frequencies, modes] : cases) {
        SCOPED_TRACE(testing::PrintToString(emptied));
        QStringList lines = NumberedLines(18);
        for (const int k : emptied)
            lines[k - 1].clear();
        const HamlogBlock block = BuildHamlogRecord(Block(lines));
        EXPECT_EQ(block.frequencies, frequencies);
        EXPECT_EQ(block.modes, modes);
    }
}

TEST(HamlogRecord, OnlyTheLinesPresentGiveFrequencyAndMode) {
    const QList<std::tuple<int, QStringList, QStringList>> cases = {
        {6, {}, {}},
        {7, {"L7"}, {}},
        {8, {"L7"}, {"L8"}},
        {16, {"L7"}, {"L8"}},
        {17, {"L7", "L17"}, {"L8"}},
        {18, {"L7", "L17"}, {"L8", "L18"}},
    };
    for (const auto& [count, frequencies, modes] : cases) {
        SCOPED_TRACE(count);
        const HamlogBlock block = BuildHamlogRecord(Block(NumberedLines(count)));
        EXPECT_EQ(block.frequencies, frequencies);
        EXPECT_EQ(block.modes, modes);
    }
}

TEST(HamlogRecord, LinesAfterFifteenStayOutOfTheRecord) {
    const QString fifteen = BuildHamlogRecord(Block(NumberedLines(15))).record;
    for (const int count : {16, 17, 18, 19, 25}) {
        SCOPED_TRACE(count);
        EXPECT_EQ(BuildHamlogRecord(Block(NumberedLines(count))).record, fifteen);
    }
}

TEST(HamlogRecord, LinesAfterEighteenAreNotRead) {
    QStringList lines = NumberedLines(18);
    lines << "21.025"
          << "FM" << QString() << "28.000";
    const HamlogBlock block = BuildHamlogRecord(Block(lines) + QStringLiteral("trailing"));
    EXPECT_EQ(block.frequencies, QStringList({"L7", "L17"}));
    EXPECT_EQ(block.modes, QStringList({"L8", "L18"}));
    EXPECT_FALSE(block.record.contains(u"21.025"));
}

TEST(HamlogRecord, ARealisticBlockGivesTheWholeRecord) {
    const QStringList lines = {
        "",  "JA1ABC", "24/05/12", "09:30J",         "599",        "579", "7.02500", "CW", "10005", "PM95",
        "J", "Taro",   "Tokyo",    "TNX \"FB\" QSO", "via bureau",
    };
    const HamlogBlock block = BuildHamlogRecord(Block(lines));
    EXPECT_EQ(block.record, "[HAMLOG] Call=\"JA1ABC\" Date=\"24/05/12\" Time=\"09:30J\" His=\"599\" My=\"579\" "
                            "Freq=\"7.02500\" Mode=\"CW\" Code=\"10005\" GL=\"PM95\" QSL=\"J\" Name=\"Taro\" "
                            "QTH=\"Tokyo\" Rmk1=\"TNX \"FB\" QSO\" Rmk2=\"via bureau\"");
    EXPECT_EQ(block.frequencies, QStringList({"7.02500"}));
    EXPECT_EQ(block.modes, QStringList({"CW"}));
}

} // namespace
