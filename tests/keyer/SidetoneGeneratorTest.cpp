#include "keyer/SidetoneGenerator.h"
#include "QtPrinters.h"
#include "platform/RecordingAudioOut.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class SidetoneGeneratorTest : public ::testing::Test {
protected:
    static constexpr ToneShape kShape{11025, 600, 100};

    Settings settings;
    RecordingAudioOut out;
    std::optional<SidetoneGenerator> tone{std::in_place, out, settings, kShape, -1};
};

TEST_F(SidetoneGeneratorTest, BuildOpensTheChosenDeviceAtTheRate) {
    SidetoneGenerator other(out, settings, {8000, 200, 100}, 3);
    other.BuildSidetone();
    EXPECT_TRUE(other.isOpen());
    EXPECT_EQ(out.calls(), QStringList{"open 3 8000"});
}

TEST_F(SidetoneGeneratorTest, OneUnitQueuesTheDotThreeTheDashOthersNothing) {
    tone->BuildSidetone();
    for (int units : {1, 3, 0, 2, 7, -1, 4})
        tone->SidetoneStart(units);
    EXPECT_EQ(out.calls(), (QStringList{"open -1 11025", "queue 661", "queue 1984"}));
    ASSERT_EQ(out.queued().size(), 2);
    EXPECT_EQ(out.queued()[0].frames, SynthesizeTone(661, kShape));
    EXPECT_EQ(out.queued()[1].frames, SynthesizeTone(1984, kShape));
}

TEST_F(SidetoneGeneratorTest, EveryStartQueuesTheSameBuiltBuffer) {
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    tone->SidetoneStart(1);
    ASSERT_EQ(out.queued().size(), 2);
    EXPECT_EQ(out.queued()[0].data, out.queued()[1].data);
}

TEST_F(SidetoneGeneratorTest, TonesKeepTheSpeedAndRatioOfTheLastBuild) {
    settings.RATIO = 9;
    tone->BuildSidetone();
    settings.RATIO = 0;
    settings.WPM = 40;
    tone->SidetoneStart(3);
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    tone->SidetoneStart(3);
    EXPECT_EQ(out.calls(), (QStringList{"open -1 11025", "queue 3175", "reset", "close", "open -1 11025", "queue 330",
                                        "queue 992"}));
}

TEST_F(SidetoneGeneratorTest, ClosedGeneratorQueuesNothing) {
    tone->SidetoneStart(1);
    EXPECT_TRUE(out.calls().isEmpty());
    tone->BuildSidetone();
    tone->CloseSidetone();
    tone->SidetoneStart(1);
    tone->SidetoneStart(3);
    EXPECT_EQ(out.calls(), (QStringList{"open -1 11025", "reset", "close"}));
    EXPECT_FALSE(tone->isOpen());
    EXPECT_TRUE(tone->dotTone().empty());
    EXPECT_TRUE(tone->dashTone().empty());
}

TEST_F(SidetoneGeneratorTest, ToneOffOpensNoDevice) {
    settings.chk_TONE = 0;
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    EXPECT_FALSE(tone->isOpen());
    EXPECT_TRUE(out.calls().isEmpty());
}

TEST_F(SidetoneGeneratorTest, MissingDeviceLeavesMarksSilent) {
    out.failOpen(true);
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    EXPECT_FALSE(tone->isOpen());
    EXPECT_TRUE(tone->dotTone().empty());
    EXPECT_EQ(out.calls(), QStringList{"open -1 11025"});

    out.failOpen(false);
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    EXPECT_EQ(out.calls().last(), QStringLiteral("queue 661"));
}

TEST_F(SidetoneGeneratorTest, SpeedZeroBuildsNothing) {
    settings.WPM = 0;
    tone->BuildSidetone();
    tone->SidetoneStart(1);
    EXPECT_FALSE(tone->isOpen());
    EXPECT_TRUE(out.calls().isEmpty());
}

TEST_F(SidetoneGeneratorTest, DestroyingAnOpenGeneratorStopsAndClosesTheOutput) {
    tone->BuildSidetone();
    tone.reset();
    EXPECT_EQ(out.calls(), (QStringList{"open -1 11025", "reset", "close"}));
}

} // namespace
