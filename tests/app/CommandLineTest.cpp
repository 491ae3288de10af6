#include "app/CommandLine.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* line;
    int gain, sampleRate, toneHz, waveDevice;
    bool viewFocusFreq;
};

class CommandLineTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTable, ReadsOptionsAnywhereInAnyCase) {
    const Case& c = GetParam();
    const AudioOptions o = ParseCommandLine(QString::fromUtf8(c.line));
    EXPECT_EQ(o.gain, c.gain);
    EXPECT_EQ(o.sampleRate, c.sampleRate);
    EXPECT_EQ(o.toneHz, c.toneHz);
    EXPECT_EQ(o.waveDevice, c.waveDevice);
    EXPECT_EQ(o.viewFocusFreq, c.viewFocusFreq);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTable,
    ::testing::Values(
        Case{"", 100, 11025, 600, -1, false}, Case{"/SRATE=22050 /GAIN=50", 50, 22050, 600, -1, false},
        Case{"/gain=50 /srate=22050", 50, 22050, 600, -1, false}, Case{"/srate=16000", 100, 11025, 600, -1, false},
        Case{"/srate=8000", 100, 8000, 600, -1, false}, Case{"/srate=44100", 100, 44100, 600, -1, false},
        Case{"/tonehz=199", 100, 11025, 600, -1, false}, Case{"/tonehz=3001", 100, 11025, 600, -1, false},
        Case{"/tonehz=3000", 100, 11025, 3000, -1, false}, Case{"/tonehz=200", 100, 11025, 200, -1, false},
        Case{"/gain=0", 100, 11025, 600, -1, false}, Case{"/gain=1", 1, 11025, 600, -1, false},
        Case{"/gain=101", 100, 11025, 600, -1, false}, Case{"/wavedevice=-1", 100, 11025, 600, -1, false},
        Case{"/wavedevice=2", 100, 11025, 600, 2, false}, Case{"/wavedevice=abc", 100, 11025, 600, 0, false},
        Case{"/gain=  75x", 75, 11025, 600, -1, false}, Case{"/gain=99999999999999999999", 100, 11025, 600, -1, false},
        Case{"/ViewFocusFreq /TONEHZ=800", 100, 11025, 800, -1, true}, Case{"/gain=", 100, 11025, 600, -1, false},
        Case{"/tonehz=700/gain=20", 20, 11025, 700, -1, false}));

TEST(CommandLine, JoinsTheArgumentsAfterTheProgramName) {
    EXPECT_EQ(JoinCommandLine({"tarvo", "/gain=5", "/srate=8000"}), QStringLiteral("/gain=5 /srate=8000"));
    EXPECT_EQ(JoinCommandLine({"tarvo"}), QString());
}

} // namespace
