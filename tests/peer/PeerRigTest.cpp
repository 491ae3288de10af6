#include "QtPrinters.h"
#include "link/CompanionMessage.h"
#include "link/LinkText.h"
#include "peer/BytePrinter.h"
#include "peer/PeerAnswers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

/// Lines 7 and 8 of the "LOGDT" block that answers "FREQ", as Tarvo reads the answer; the block
/// must hold fifteen lines and nothing else.
std::optional<std::pair<QString, QString>> FrequencyAndMode(CompanionData& data) {
    const auto answer = AnswerTo("FREQ \r", data);
    if (!answer)
        return std::nullopt;
    Settings settings;
    const auto message = ParseCompanionMessage(ReceivedBytes(*answer), settings);
    if (!message || message->keyword != LinkKeyword::LOGDT)
        return std::nullopt;
    QStringList lines = message->value.split(QLatin1Char('\n'));
    // What follows the last line feed.
    if (lines.takeLast() != QString() || lines.size() != 15)
        return std::nullopt;
    for (int line = 0; line < lines.size(); ++line) {
        if (line != 6 && line != 7 && !lines[line].isEmpty())
            return std::nullopt;
    }
    return std::pair(lines[6], lines[7]);
}

TEST(PeerRig, FreqIsAnsweredWithTheRigAsLinesSevenAndEightOfALogdtBlock) {
    CompanionData data = DefaultCompanionData();
    EXPECT_EQ(AnswerTo("FREQ \r", data), QByteArray("LOGDT \n\n\n\n\n\n7.02500\nCW\n\n\n\n\n\n\n\n\r"));
    EXPECT_EQ(FrequencyAndMode(data), std::pair(QString("7.02500"), QString("CW")));
    // Asking does not change the rig.
    EXPECT_EQ(FrequencyAndMode(data), std::pair(QString("7.02500"), QString("CW")));
}

TEST(PeerRig, FsetSetsWhatTheNextFreqAnswers) {
    const QList<std::tuple<QByteArray, QString, QString>> cases = {
        {"FSET 14.01000     CW\r", "14.01000", "CW"},
        {"FSET 7.0255       USB\r", "7.0255", "USB"},
        {"FSET 1234.5678901 CWN\r", "1234.5678901", "CWN"}, // twelve characters of frequency
        {"FSET   3.5000     LSB\r", "3.5000", "LSB"},       // blanks in front are trimmed too
        {"FSET 28.000       CW W\r", "28.000", "CW W"},     // the mode is the rest, as it came
        {"FSET 50.1         AM", "50.1", "AM"},             // the carriage return lost on the way
    };
    for (const auto& [request, frequency, mode] : cases) {
        SCOPED_TRACE(request.toStdString());
        CompanionData data = DefaultCompanionData();
        EXPECT_EQ(AnswerTo(request, data), QByteArray("FSET \r"));
        EXPECT_EQ(FrequencyAndMode(data), std::pair(frequency, mode));
    }
}

TEST(PeerRig, EachFsetReplacesTheOneBefore) {
    CompanionData data = DefaultCompanionData();
    ASSERT_TRUE(AnswerTo("FSET 14.01000     CW\r", data));
    ASSERT_TRUE(AnswerTo("FSET 14.01010     USB\r", data));
    EXPECT_EQ(FrequencyAndMode(data), std::pair(QString("14.01010"), QString("USB")));
}

TEST(PeerRig, AMalformedFsetIsAnsweredAndLeavesTheRigAlone) {
    const QList<QByteArray> requests = {
        "FSET \r",
        "FSET\r",
        "FSET 7.03000\r",                       // too short for a mode
        "FSET 7.03000      \r",                 // no mode after the blank
        "FSET 7.03000          \r",             // a mode of blanks only
        "FSET 7.03000     XCW\r",               // no blank between frequency and mode
        "FSET " + QByteArray(13, ' ') + "CW\r", // no frequency
        "FSET 7.0 300      CW\r",               // a blank inside the frequency
        "FSET 7.03.00      CW\r",               // two points
        "FSET ABC          CW\r",               // not a number
        "FSET -7.0300      CW\r",               // not a frequency
        "FSET 7.03000      C\nW\r",             // a line end would move the lines of the FREQ answer
        "FSET 7.03000      CW\r\r",             // a carriage return left inside the mode
    };
    for (const QByteArray& request : requests) {
        SCOPED_TRACE(request.toStdString());
        CompanionData data = DefaultCompanionData();
        data.rig = {QStringLiteral("10.12000"), QStringLiteral("FSK")};
        EXPECT_EQ(AnswerTo(request, data), QByteArray("FSET \r"));
        EXPECT_EQ(FrequencyAndMode(data), std::pair(QString("10.12000"), QString("FSK")));
    }
}

} // namespace
