#include "peer/TypedCommands.h"
#include "QtPrinters.h"
#include "link/CompanionMessage.h"
#include "link/LinkText.h"
#include "peer/BytePrinter.h"

#include "link/EveryReceiveOption.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

QByteArray Sent(TypedCommands& commands, const QString& line) {
    const TypedOutcome outcome = commands.take(line);
    EXPECT_EQ(outcome.kind, TypedOutcome::Send) << line.toStdString() << ": " << outcome.text.toStdString();
    return outcome.datagram;
}

TEST(TypedCommands, FieldMessagesAreTheLineAndACarriageReturn) {
    const QList<std::tuple<QString, QByteArray, LinkKeyword, QString>> cases = {
        {"CALL Q1ABC", "CALL Q1ABC\r", LinkKeyword::CALL, "Q1ABC"},
        {"CODE 1234M", "CODE 1234M\r", LinkKeyword::CODE, "1234M"},
        {"TIMEJ 1830", "TIMEJ 1830\r", LinkKeyword::TIMEJ, "1830"},
        {"TIMEU 0930", "TIMEU 0930\r", LinkKeyword::TIMEU, "0930"},
        {"GL PM95", "GL PM95\r", LinkKeyword::GL, "PM95"},
        {"NAME KEN", "NAME KEN\r", LinkKeyword::NAME, "KEN"},
        {"RST 599", "RST 599\r", LinkKeyword::RST, "599"},
        {"MYRST 579", "MYRST 579\r", LinkKeyword::MYRST, "579"},
        {"QTH HILLTOP", "QTH HILLTOP\r", LinkKeyword::QTH, "HILLTOP"},
        {"RMK1 QSL VIA BURO", "RMK1 QSL VIA BURO\r", LinkKeyword::RMK1, "QSL VIA BURO"},
        {"RMK2 TNX", "RMK2 TNX\r", LinkKeyword::RMK2, "TNX"},
        {"call q1abc", "CALL q1abc\r", LinkKeyword::CALL, "q1abc"},
        {"  Name  two  blanks ", "NAME  two  blanks \r", LinkKeyword::NAME, " two  blanks "},
        {"CALL", "CALL \r", LinkKeyword::CALL, ""},
        {"CALL ", "CALL \r", LinkKeyword::CALL, ""},
        {"NAME Ünal", "NAME " + QStringLiteral("Ünal").toUtf8() + "\r", LinkKeyword::NAME, "Ünal"},
    };
    const Settings settings = EveryReceiveOption();
    for (const auto& [line, datagram, keyword, value] : cases) {
        SCOPED_TRACE(line.toStdString());
        TypedCommands commands;
        const QByteArray sent = Sent(commands, line);
        EXPECT_EQ(sent, datagram);
        const auto message = ParseCompanionMessage(ReceivedBytes(sent), settings);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->keyword, keyword);
        EXPECT_EQ(message->value, value);
    }
}

TEST(TypedCommands, ForeAndClrCarryNoText) {
    TypedCommands commands;
    EXPECT_EQ(Sent(commands, "FORE"), "FORE \r");
    EXPECT_EQ(Sent(commands, "clr"), "CLR \r");
    EXPECT_EQ(Sent(commands, "CLR  "), "CLR \r");
    const Settings settings = EveryReceiveOption();
    EXPECT_EQ(ParseCompanionMessage("FORE \r", settings)->keyword, LinkKeyword::FORE);
    EXPECT_EQ(ParseCompanionMessage("CLR \r", settings)->keyword, LinkKeyword::CLR);
    const TypedOutcome refused = commands.take("CLR ALL");
    EXPECT_EQ(refused.kind, TypedOutcome::Refused);
    EXPECT_TRUE(refused.text.contains("CLR"));
}

TEST(TypedCommands, ALogdtBlockIsTheLinesUpToADot) {
    TypedCommands commands;
    const TypedOutcome started = commands.take("LOGDT");
    EXPECT_EQ(started.kind, TypedOutcome::Note);
    EXPECT_TRUE(started.text.contains("\".\""));
    // Inside a block, keywords and empty lines are lines of it.
    for (const QString line : {"", "Q1ABC", "CALL Q2DEF", "  ", ". ", "..", "7.02500", "CW"})
        EXPECT_EQ(commands.take(line).kind, TypedOutcome::Nothing) << line.toStdString();
    const QByteArray sent = Sent(commands, ".");
    EXPECT_EQ(sent, "LOGDT \nQ1ABC\nCALL Q2DEF\n  \n. \n..\n7.02500\nCW\n\r");
    const auto message = ParseCompanionMessage(ReceivedBytes(sent), Settings());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->keyword, LinkKeyword::LOGDT);
    EXPECT_EQ(message->value, "\nQ1ABC\nCALL Q2DEF\n  \n. \n..\n7.02500\nCW\n");
    // The block is over: the next line is a command again.
    EXPECT_EQ(Sent(commands, "CALL Q3GHI"), "CALL Q3GHI\r");
    EXPECT_FALSE(commands.finish());
}

TEST(TypedCommands, AnEmptyBlockIsLogdtAndItsBlankAlone) {
    TypedCommands commands;
    commands.take("logdt");
    const QByteArray sent = Sent(commands, ".");
    EXPECT_EQ(sent, "LOGDT \r");
    const auto message = ParseCompanionMessage(ReceivedBytes(sent), Settings());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->value, "");
}

TEST(TypedCommands, AnUnfinishedBlockIsNotSent) {
    TypedCommands commands;
    commands.take("LOGDT");
    commands.take("Q1ABC");
    const auto unfinished = commands.finish();
    ASSERT_TRUE(unfinished);
    EXPECT_TRUE(unfinished->contains("LOGDT"));
    EXPECT_FALSE(commands.finish());
}

TEST(TypedCommands, LogdtTakesItsLinesAfterIt) {
    TypedCommands commands;
    EXPECT_EQ(commands.take("LOGDT Q1ABC").kind, TypedOutcome::Refused);
    // Still outside a block.
    EXPECT_EQ(commands.take(".").kind, TypedOutcome::Refused);
}

TEST(TypedCommands, OtherLinesAreRefusedOrIgnored) {
    TypedCommands commands;
    EXPECT_EQ(commands.take("").kind, TypedOutcome::Nothing);
    EXPECT_EQ(commands.take("   ").kind, TypedOutcome::Nothing);
    for (const QString line : {"CALLQ1ABC", "GET01", "SPEC", "VAL 0001 0001", "RMT25 CQ", "CALL\tQ1ABC"}) {
        const TypedOutcome outcome = commands.take(line);
        EXPECT_EQ(outcome.kind, TypedOutcome::Refused) << line.toStdString();
        EXPECT_TRUE(outcome.text.contains("HELP"));
    }
}

TEST(TypedCommands, HelpNamesEveryCommand) {
    TypedCommands commands;
    const TypedOutcome outcome = commands.take("help");
    EXPECT_EQ(outcome.kind, TypedOutcome::Note);
    for (const char* keyword : {"CALL", "CODE", "TIMEJ", "TIMEU", "GL", "NAME", "RST", "MYRST", "QTH", "RMK1", "RMK2",
                                "FORE", "CLR", "LOGDT"})
        EXPECT_TRUE(outcome.text.contains(QLatin1String(keyword))) << keyword;
}

TEST(TypedCommands, ALongTextIsCutToWhatTarvoReads) {
    TypedCommands commands;
    const QByteArray sent = Sent(commands, "NAME " + QString(3000, QLatin1Char('K')));
    EXPECT_EQ(sent.size(), kLinkReceiveLimit);
    EXPECT_TRUE(sent.endsWith("K\r"));
}

} // namespace
