// The real audio output against a sound server of the test's own that goes away mid-stream, as a
// USB sound card unplugged or a crashed sound server does.
#include "PrivateSoundServer.h"
#include "platform/PortAudioOut.h"

#include <portaudio.h>

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

/// PortAudio's number of the ALSA device "pulse", or −1.
int PulseDevice() {
    if (Pa_Initialize() != paNoError)
        return -1;
    int found = -1;
    for (int i = 0; i < Pa_GetDeviceCount() && found < 0; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info && info->maxOutputChannels >= 2 && qstrcmp(info->name, "pulse") == 0)
            found = i;
    }
    Pa_Terminate();
    return found;
}

/// Waits until done; the guard is there only so that a fault cannot hang the test.
bool WaitFor(const std::function<bool()>& done) {
    const QDeadlineTimer guard(20'000);
    while (!done() && !guard.hasExpired())
        QThread::msleep(10);
    return done();
}

TEST(PortAudioOutOnASoundServer, AStreamWhoseServerGoesAwayHasFailedAndCountsAsDrained) {
    PrivateSoundServer server;
    if (!server.running())
        GTEST_SKIP() << "no pulseaudio server could be started";
    const int device = PulseDevice();
    if (device < 0)
        GTEST_SKIP() << "ALSA has no pulse device (libasound2-plugins)";

    constexpr int kRate = 8000;
    const std::vector<qint16> tone(size_t(kRate) * 2 * 30, 1000); // 30 s
    PortAudioOut out;
    ASSERT_TRUE(out.open(device, kRate));
    out.queue(tone.data(), int(tone.size() / 2));
    ASSERT_TRUE(WaitFor([&] { return out.soundingForUs() >= 0; })) << "the stream started playing";
    EXPECT_FALSE(out.failed());
    EXPECT_FALSE(out.drained());

    server.kill();
    ASSERT_TRUE(WaitFor([&] { return out.failed(); })) << "the host stopped the stream";
    EXPECT_TRUE(out.isOpen());
    EXPECT_TRUE(out.drained()) << "nothing queued will play, so nobody waits for it";
    out.queue(tone.data(), kRate); // dropped
    out.close();
    EXPECT_FALSE(out.failed());
}

} // namespace
