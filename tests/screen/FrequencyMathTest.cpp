#include "screen/FrequencyMath.h"
#include "QtPrinters.h"

#include <QList>

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

// A step as the display shows it, or "none" when the step moves nothing.
QString SteppedText(double f, double s, bool up, int digits) {
    const std::optional<double> n = SteppedFrequency(f, s, up);
    return n ? FormatFrequency(*n, digits) : QStringLiteral("none");
}

TEST(FrequencyMath, ValueReadsTheLeadingDecimalNumber) {
    const QList<std::tuple<QString, double>> cases = {
        {"7.02500", 7.025},
        {"  \t14.074", 14.074},
        {"\n\r\v\f3.5", 3.5},
        {"+3.5", 3.5},
        {"-2.5", -2.5},
        {"5.", 5.0},
        {".5", 0.5},
        {"1e3", 1000.0},
        {"1.5E-2", 0.015},
        {"2e+1", 20.0},
        {"7.025 MHz", 7.025},
        {"7.025.3", 7.025},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"3.5e-x", 3.5},
        {"7,025", 7.0},
        {"0x1A", 0.0},
        {"12abc", 12.0},
        {"", 0.0},
        {"   ", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"+.", 0.0},
        {"abc", 0.0},
        {"e5", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"infinity", 0.0},
        {QStringLiteral("\u0667.5"), 0.0}, // digits of other scripts are no digits here
        {"1e-999", 0.0},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_DOUBLE_EQ(FrequencyValue(text), value);
    }
}

TEST(FrequencyMath, ValueOverflowsToInfinityAsAtofDoes) {
    EXPECT_EQ(FrequencyValue("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(FrequencyValue("-1e999"), -std::numeric_limits<double>::infinity());
}

TEST(FrequencyMath, StepsSnapToTheGridThenMove) {
    const QList<std::tuple<double, double, bool, int, QString>> cases = {
        {7.025, 0.00001, true, 7, "7.02501"},
        {7.025, 0.00001, false, 7, "7.02499"},
        {7.025003, 0.00001, true, 7, "7.02501"},
        {7.025003, 0.00001, false, 7, "7.02500"},
        {14.99999, 0.00001, true, 7, "15.0000"},
        {9.99999, 0.00001, true, 7, "10.0000"},
        {10.0, 0.00001, false, 7, "9.99999"},
        {7.025, 0.001, true, 7, "7.02600"},
        {7.025, 0.001, false, 7, "7.02400"},
        {7.0255, 0.001, true, 7, "7.02600"},
        {7.0255, 0.001, false, 7, "7.02500"},
        {14.074, 10.0, true, 8, "20.00000"},
        {14.074, 1.0, true, 7, "15.0000"},
        {14.074, 1.0, false, 7, "14.0000"},
        {7.074, 0.02, true, 7, "7.08000"},
        {7.08, 0.02, true, 7, "7.10000"},
        {7.08, 0.02, false, 7, "7.06000"},
        {144.3, 0.02, true, 7, "144.320"},
        {144.3, 0.02, false, 7, "144.280"},
        {2.0081, 0.0001, false, 7, "2.00800"},
        {2057.78, 0.01, false, 7, "2057.77"},
        {0.0012, 0.0001, false, 10, "0.00110000"},
        {0.0089, 0.0001, true, 10, "0.00900000"},
        {0.011, 0.001, false, 12, "0.0100000000"},
        {7.025, 0.0, true, 7, "7.02500"},
        {7.025, 0.0, false, 7, "7.02500"},
        {0.00002, 0.00001, false, 7, "0.00001"},
        {0.00001, 0.00001, false, 7, "none"},
        {0.005, 0.01, false, 7, "none"},
        {7.025, 10.0, false, 7, "none"},
        {0.0, 0.0, true, 7, "none"},
        {0.000005, 0.0, true, 7, "none"},
    };
    for (const auto& [f, s, up, digits, shown] : cases) {
        SCOPED_TRACE(std::to_string(f) + (up ? " up " : " down ") + std::to_string(s));
        EXPECT_EQ(SteppedText(f, s, up, digits), shown);
    }
}

TEST(FrequencyMath, StepZeroKeepsTheFrequencyUncut) {
    EXPECT_EQ(SteppedFrequency(7.0250001234, 0.0, true), 7.0250001234);
    EXPECT_EQ(SteppedFrequency(7.0250001234, 0.0, false), 7.0250001234);
}

TEST(FrequencyMath, StepCutsAfterTheEighthDecimal) {
    EXPECT_EQ(FormatFrequency(*SteppedFrequency(7.0000000312, 0.0000000001, true), 12), "7.0000000300");
    EXPECT_EQ(FormatFrequency(*SteppedFrequency(7.0000000312, 0.0000000001, false), 12), "7.0000000300");
}

TEST(FrequencyMath, RepeatedStepsWalkTheGridAndBack) {
    // Each step starts from the last result itself, rounding noise and all.
    const QList<std::tuple<double, double, int, QString>> cases = {
        {7.0, 0.00001, 200, "7.0020000000"},  {7.0, 0.0001, 200, "7.0200000000"}, {0.001, 0.0001, 1000, "0.1010000000"},
        {0.001, 0.001, 1000, "1.0010000000"}, {1.0, 0.02, 500, "11.000000000"},
    };
    for (const auto& [start, s, count, top] : cases) {
        SCOPED_TRACE(std::to_string(start) + " by " + std::to_string(s));
        double f = start;
        for (int i = 0; i < count; ++i)
            f = SteppedFrequency(f, s, true).value_or(-1.0);
        EXPECT_EQ(FormatFrequency(f, 12), top);
        for (int i = 0; i < count; ++i)
            f = SteppedFrequency(f, s, false).value_or(-1.0);
        EXPECT_EQ(FormatFrequency(f, 12), FormatFrequency(start, 12));
    }
}

TEST(FrequencyMath, FormatGivesDigitsCharactersForEachMagnitude) {
    const QList<std::tuple<double, int, QString>> cases = {
        {7.025, 7, "7.02500"},          {14.074, 7, "14.0740"},       {144.3, 7, "144.300"},
        {1296.2, 7, "1296.20"},         {10368.1, 7, "10368.1"},      {123456.0, 7, " 123456"},
        {1234567.0, 7, "1234567"},      {7.025, 12, "7.0250000000"},  {14.074, 12, "14.074000000"},
        {144.3, 12, "144.30000000"},    {1296.2, 12, "1296.2000000"}, {10368.1, 12, "10368.100000"},
        {123456.5, 12, "123456.50000"}, {0.13579, 7, "0.13579"},      {0.5, 9, "0.5000000"},
        {9.999999, 7, "10.00000"},      {99.99999, 7, "100.0000"},    {0.00001, 7, "0.00001"},
    };
    for (const auto& [f, digits, text] : cases) {
        SCOPED_TRACE(std::to_string(f) + " / " + std::to_string(digits));
        EXPECT_EQ(FormatFrequency(f, digits), text);
    }
}

TEST(FrequencyMath, FormatNeverAsksForNegativeDecimals) {
    const QList<std::tuple<double, int, QString>> cases = {
        {12345678.0, 7, "12345678"},
        {1234567.4, 7, "1234567"},
        {123456.4, 5, "123456"},
        {7.025, 1, "7"},
    };
    for (const auto& [f, digits, text] : cases) {
        SCOPED_TRACE(std::to_string(f) + " / " + std::to_string(digits));
        EXPECT_EQ(FormatFrequency(f, digits), text);
    }
}

TEST(FrequencyMath, DigitStepPutsAOneLeftOfTheCaret) {
    const QList<std::tuple<QString, int, QString>> cases = {
        {"7.02500", 0, "1.00000"},
        {"7.02500", 1, "1.00000"},
        {"7.02500", 2, "01"}, // right after the point: the units
        {"7.02500", 3, "0.1"},
        {"7.02500", 5, "0.001"},
        {"7.02500", 7, "0.00001"},
        {"7.02500", 12, "0.00000"},
        {"14.07400", 0, "10.00000"},
        {"14.07400", 1, "10.00000"},
        {"14.07400", 2, "01.00000"},
        {"14.07400", 3, "001"},
        {"14.07400", 4, "00.1"},
        {"14.07400", 8, "00.00001"},
        {"144.300", 3, "001.000"},
        {"7025", 2, "0100"},
        {"", 1, ""},
    };
    for (const auto& [frequency, caret, step] : cases) {
        SCOPED_TRACE(frequency.toStdString() + " / " + std::to_string(caret));
        EXPECT_EQ(DigitStepText(frequency, caret), step);
    }
}

TEST(FrequencyMath, DigitStepTextsReadAsTheDigitsPlace) {
    const QList<std::tuple<int, double>> cases = {{1, 1.0}, {2, 1.0}, {3, 0.1}, {5, 0.001}, {7, 0.00001}};
    for (const auto& [caret, step] : cases) {
        SCOPED_TRACE(caret);
        EXPECT_DOUBLE_EQ(FrequencyValue(DigitStepText("7.02500", caret)), step);
    }
}

TEST(FrequencyMath, FixedStepIsTheStepInMegahertz) {
    const QList<std::tuple<int, QString>> cases = {
        {10, "1e-05"}, {100, "0.0001"}, {1000, "0.001"}, {10000, "0.01"}, {20000, "0.02"},
    };
    for (const auto& [hz, text] : cases) {
        SCOPED_TRACE(hz);
        EXPECT_EQ(FixedStepText(hz), text);
    }
}

TEST(FrequencyMath, StepRangeMovesOneSizeAndStaysAtTheEnds) {
    const QList<std::tuple<int, int, int>> cases = {
        {10, 100, 10},
        {100, 1000, 10},
        {1000, 10000, 100},
        {10000, 20000, 1000},
        {20000, 20000, 10000},
        // Off the list: to the neighbouring size, never off the list.
        {50, 100, 10},
        {15000, 20000, 10000},
        {0, 10, 10},
        {-5, 10, 10},
        {99999, 20000, 20000},
    };
    for (const auto& [step, up, down] : cases) {
        SCOPED_TRACE(step);
        EXPECT_EQ(StepRangeUp(step), up);
        EXPECT_EQ(StepRangeDown(step), down);
    }
}

TEST(FrequencyMath, FsetCaretFollowsTheSteppedDigit) {
    const QList<std::tuple<QString, double, int>> cases = {
        {"7.02500", 0.001, 5},
        {"7.02500", 0.00001, 7},
        {"7.02500", 1.0, 1},
        {"7.02500", 0.1, 3},
        {"14.07400", 10.0, 1},
        {"14.07400", 1.0, 2},
        {"14.07400", 0.01, 5},
        {"7.08000", 0.02, 4},
        {"10.00000", 0.00001, 8}, // 10 / 0.00001 lands just under 1e6
        {"1.00000", 0.001, 5},
        {"0.13579", 0.00001, 7},
        {"0.50000", 0.1, 3},
        {"0.50000", 1.0, 1},
        {"7.02500", 10.0, 12},      // the step lies above the first digit
        {"7.02500", 0.0000001, 12}, // the text ends first
        {"", 0.001, 12},
        {"1234567.8901234", 0.001, 11},
        {"1234567.8901234", 0.000001, 13},
        {"1234567.8901234", 0.0000001, 13}, // twelve digits at most
    };
    for (const auto& [frequency, step, caret] : cases) {
        SCOPED_TRACE(frequency.toStdString() + " / " + std::to_string(step));
        EXPECT_EQ(FsetCaretPosition(frequency, step), caret);
    }
}

} // namespace
