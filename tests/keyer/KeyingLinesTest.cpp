#include "keyer/KeyingLines.h"
#include "QtPrinters.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingSerialPort.h"
#include "platform/VirtualClock.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace {

class KeyingLinesTest : public ::testing::Test {
protected:
    VirtualClock clock;
    Settings settings;
    RecordingSerialPort port{clock};
    RecordingMessageBoxes boxes;
    KeyingLines lines{port, settings, boxes};
};

TEST_F(KeyingLinesTest, EachCodeRaisesAndDropsItsLines) {
    struct Case {
        int code;
        bool dtr, rts;
    };
    for (const Case& c : {Case{1, true, false}, Case{2, false, true}, Case{3, true, true}}) {
        ASSERT_TRUE(lines.SetLine(c.code, true));
        EXPECT_EQ(port.dtr(), c.dtr) << c.code;
        EXPECT_EQ(port.rts(), c.rts) << c.code;
        ASSERT_TRUE(lines.SetLine(c.code, false));
        EXPECT_FALSE(port.dtr() || port.rts()) << c.code;
    }
}

TEST_F(KeyingLinesTest, RaisingOpensAClosedPortLoweringNever) {
    EXPECT_TRUE(lines.SetLine(1, false));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(lines.SetLine(0, true));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(lines.SetLine(2, true));
    EXPECT_TRUE(port.isOpen());
}

TEST_F(KeyingLinesTest, CodeZeroOffClosesOnlyWithCloseEveryTime) {
    lines.SetLine(3, true);
    EXPECT_TRUE(lines.SetLine(0, false));
    EXPECT_FALSE(port.dtr() || port.rts());
    EXPECT_TRUE(port.isOpen());
    settings.chk_CLOSE = 1;
    EXPECT_TRUE(lines.SetLine(0, false));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(KeyingLinesTest, EachFailedOpenStepShowsItsMessage) {
    using R = SerialPort::OpenResult;
    const std::pair<R, const char*> cases[] = {
        {R::OpenFailed, "COM1: open error        "},
        {R::EventMaskFailed, "COM1: set 1 error        "},
        {R::QueueOrTimeoutFailed, "COM1: set 2 error        "},
        {R::ReadStateFailed, "COM1: set 4 error        "},
        {R::WriteStateFailed, "COM1: set 5 error        "},
    };
    for (const auto& [result, text] : cases) {
        port.failOpenWith(result);
        EXPECT_FALSE(lines.SetLine(1, true));
        EXPECT_EQ(boxes.texts().last(), QString::fromLatin1(text));
        EXPECT_FALSE(port.isOpen());
    }
}

// A line that no longer switches (an adapter pulled out) must not leave the port open on a dead
// device: the failure is reported, and the next raise opens it afresh.
TEST_F(KeyingLinesTest, FailedLineChangeClosesThePortAndTheNextRaiseReopens) {
    using E = RecordingSerialPort::Event;
    struct Case {
        int code;
        bool on;
    };
    for (const Case& c :
         {Case{1, true}, Case{2, true}, Case{3, true}, Case{1, false}, Case{3, false}, Case{0, false}}) {
        ASSERT_TRUE(lines.OpenPort());
        port.clear();
        port.failLineChanges(true);
        EXPECT_FALSE(lines.SetLine(c.code, c.on)) << c.code << c.on;
        EXPECT_FALSE(port.isOpen()) << c.code << c.on;
        EXPECT_EQ(port.events().last(), E::Close) << c.code << c.on;

        port.failLineChanges(false);
        port.clear();
        EXPECT_TRUE(lines.SetLine(1, true)) << c.code << c.on;
        EXPECT_EQ(port.events().first(), E::Open) << c.code << c.on;
        EXPECT_TRUE(port.dtr()) << c.code << c.on;
        lines.ClosePort();
    }
    // One message for each failure, naming the port.
    ASSERT_EQ(boxes.shown().size(), 6);
    for (const QString& text : boxes.texts())
        EXPECT_TRUE(text.startsWith(port.displayName(settings.COM) + " line error        \n")) << text.toStdString();
}

TEST_F(KeyingLinesTest, PortNumberOutOfRangeFailsSilently) {
    settings.COM = 0;
    EXPECT_FALSE(lines.OpenPort());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(KeyingLinesTest, OpenDropsBothLinesAndCloseAlsoPurges) {
    using E = RecordingSerialPort::Event;
    ASSERT_TRUE(lines.OpenPort());
    EXPECT_FALSE(port.dtr() || port.rts());
    lines.SetLine(3, true);
    lines.ClosePort();
    EXPECT_FALSE(port.dtr() || port.rts());
    EXPECT_EQ(port.events(), (QList<E>{E::Open, E::Purge, E::Purge, E::Close}));
}

} // namespace
