#include "peer/InputLines.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(InputLines, LinesEndInALineFeedWithOrWithoutACarriageReturn) {
    InputLines lines;
    EXPECT_EQ(lines.add("CALL Q1ABC\nFORE\r\n\nCLR"), QStringList({"CALL Q1ABC", "FORE", ""}));
    EXPECT_EQ(lines.add(" \n"), QStringList({"CLR "}));
    EXPECT_FALSE(lines.rest());
}

TEST(InputLines, ALineMayComeInPieces) {
    InputLines lines;
    EXPECT_TRUE(lines.add("CA").isEmpty());
    EXPECT_TRUE(lines.add("LL Q1").isEmpty());
    EXPECT_EQ(lines.add("ABC\nNA"), QStringList({"CALL Q1ABC"}));
    EXPECT_EQ(lines.add("ME\r"), QStringList());
    EXPECT_EQ(lines.add("\n"), QStringList({"NAME"}));
}

TEST(InputLines, ACharacterSplitBetweenTwoReadsStaysWhole) {
    const QByteArray name = QStringLiteral("NAME Ünal\n").toUtf8();
    const qsizetype middle = name.indexOf('\xC3') + 1;
    InputLines lines;
    EXPECT_TRUE(lines.add(name.left(middle)).isEmpty());
    EXPECT_EQ(lines.add(name.mid(middle)), QStringList({QStringLiteral("NAME Ünal")}));
}

TEST(InputLines, TheRestIsALastLineWithoutItsLineEnd) {
    InputLines lines;
    lines.add("CALL Q1ABC\nCLR\r");
    EXPECT_EQ(lines.rest(), QString("CLR"));
    EXPECT_FALSE(lines.rest());
}

} // namespace
