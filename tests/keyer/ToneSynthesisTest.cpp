#include "keyer/ToneSynthesis.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ToneSynthesis, FrameCountsFollowSpeedRatioAndRate) {
    struct Case {
        int wpm, ratio, rate, dot, dash;
    };
    const Case cases[] = {
        {20, 0, 11025, 661, 1984},
        {20, 9, 11025, 661, 3175},
        {50, 0, 8000, 192, 576},
        {10, 9, 44100, 5292, 25401},
        // Evaluated in double precision as written, these land just below a whole number: exact
        // arithmetic would give 945, 3780 and 1890.
        {14, 5, 11025, 944, 3779},
        {21, 0, 11025, 630, 1889},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DotFrames(c.wpm, c.rate), c.dot) << c.wpm << " WPM " << c.rate << " Hz";
        EXPECT_EQ(DashFrames(c.wpm, c.ratio, c.rate), c.dash) << c.wpm << " WPM ratio " << c.ratio << " " << c.rate;
    }
}

TEST(ToneSynthesis, RampIsThreeAndAHalfPeriods) {
    struct Case {
        int rate, pitch, ramp;
    };
    for (const Case& c : {Case{11025, 600, 64}, Case{8000, 200, 140}, Case{44100, 3000, 51}, Case{8000, 3000, 9},
                          Case{22050, 700, 110}})
        EXPECT_EQ(RampFrames({c.rate, c.pitch, 100}), c.ramp) << c.rate << " Hz " << c.pitch << " Hz";
}

TEST(ToneSynthesis, BufferHoldsTwoEqualChannelsPerFrame) {
    const ToneShape shape{11025, 600, 100};
    const std::vector<qint16> tone = SynthesizeTone(661, shape);
    ASSERT_EQ(tone.size(), 661u * 2);
    EXPECT_EQ(tone.size() * sizeof(qint16), 2644u);
    for (size_t i = 0; i < 661; ++i)
        ASSERT_EQ(tone[2 * i], tone[2 * i + 1]) << "frame " << i;
}

// Frames picked at the edges of the rise, the steady part and the fall, with the values the
// formulas give (sine argument i × (1/P) × 6.2831853, amplitude gain × 327.67, truncated).
TEST(ToneSynthesis, SamplesFollowRiseSteadyAndFall) {
    struct Case {
        const char* name;
        ToneShape shape;
        int frames;
        std::vector<std::pair<int, int>> samples;
    };
    const Case cases[] = {
        {"20 WPM dot, R 64, fall from 597",
         {11025, 600, 100},
         661,
         {{0, 0},
          {3, 1313},
          {63, 13994},
          {64, 3494},
          {65, -7632},
          {100, 11644},
          {596, 12942},
          {597, 2099},
          {660, -251}}},
        // n0 192 < 2R 280: the rise runs to frame 139 and the fall takes over at 140.
        {"50 WPM 8000 Hz 200 Hz, ramps overlap",
         {8000, 200, 100},
         192,
         {{0, 0}, {1, 36}, {10, 2340}, {70, -16383}, {139, 5089}, {140, 0}, {150, -9830}, {170, 5149}, {191, -231}}},
    };
    for (const Case& c : cases) {
        const std::vector<qint16> tone = SynthesizeTone(c.frames, c.shape);
        for (const auto& [frame, value] : c.samples)
            EXPECT_EQ(tone[size_t(frame) * 2], value) << c.name << ", frame " << frame;
    }
}

TEST(ToneSynthesis, PeakFollowsTheGain) {
    struct Case {
        ToneShape shape;
        int frames;
        int peak;
    };
    const Case cases[] = {
        {{11025, 600, 1}, 661, 327},
        {{11025, 600, 50}, 661, 16382},
        {{11025, 600, 100}, 661, 32765},
        // A period of a whole 40 frames puts crests on frames, a hair below full scale.
        {{8000, 200, 100}, 960, 32766},
    };
    for (const Case& c : cases) {
        const std::vector<qint16> tone = SynthesizeTone(c.frames, c.shape);
        const auto [low, high] = std::minmax_element(tone.begin(), tone.end());
        EXPECT_EQ(*high, c.peak) << "gain " << c.shape.gain;
        EXPECT_EQ(*low, -c.peak) << "gain " << c.shape.gain;
    }
}

TEST(ToneSynthesis, RampsStayWithinTheirEnvelopes) {
    const ToneShape shape{11025, 600, 100};
    const int frames = 1984;
    const int ramp = RampFrames(shape);
    const double amplitude = 100 * 327.67;
    const std::vector<qint16> tone = SynthesizeTone(frames, shape);
    for (int i = 0; i < frames; ++i) {
        const double envelope = i < ramp            ? amplitude * i / ramp
                                : i < frames - ramp ? amplitude
                                                    : amplitude * (frames - i) / ramp;
        ASSERT_LE(std::abs(tone[size_t(i) * 2]), envelope) << "frame " << i;
    }
}

} // namespace
