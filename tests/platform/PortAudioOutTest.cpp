#include "platform/PortAudioOut.h"

#include <portaudio.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// ALSA loads and unloads its plug-ins while PortAudio probes the devices; what their libraries
// allocate at load time outlives them. Full stacks reach ALSA's loader, which tests/lsan.supp names.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
#endif

namespace {

/// Everything written to standard error while alive, by this process and the libraries it calls.
class CapturedStderr {
public:
    CapturedStderr() {
        EXPECT_TRUE(m_file.open());
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~CapturedStderr() { restore(); }
    QByteArray text() {
        restore();
        QFile read(m_file.fileName());
        read.open(QIODevice::ReadOnly);
        return read.readAll();
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

TEST(PortAudioOut, DeviceNumbersPortAudioDoesNotHaveNeverOpen) {
    const qint16 silence[4] = {};
    for (int device : {9999, -2, 1 << 30}) {
        PortAudioOut out;
        EXPECT_FALSE(out.open(device, 11025)) << device;
        EXPECT_FALSE(out.isOpen()) << device;
        out.queue(silence, 2);
        out.reset();
        out.close();
        EXPECT_LT(out.lastQueueWaitSeconds(), 0);
        EXPECT_EQ(out.outputLatencySeconds(), 0);
    }
}

/// Whether PortAudio itself offers a default output that takes 16-bit stereo at the rate. Shuts
/// PortAudio again, so that the class's next open starts it afresh.
bool defaultOutputPlays(int sampleRate) {
    CapturedStderr probing; // our own probe is as noisy as any; only the class has to be quiet
    if (Pa_Initialize() != paNoError)
        return false;
    bool plays = false;
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (info && info->maxOutputChannels >= 2) {
        PaStreamParameters parameters{};
        parameters.device = device;
        parameters.channelCount = 2;
        parameters.sampleFormat = paInt16;
        parameters.suggestedLatency = info->defaultLowOutputLatency;
        plays = Pa_IsFormatSupported(nullptr, &parameters, sampleRate) == paFormatIsSupported;
    }
    Pa_Terminate();
    return plays;
}

// The build machines have no sound card: PortAudio then finds no default output, and its probing
// of ALSA and JACK complains on standard error. The program stays silent in both senses.
TEST(PortAudioOut, DefaultOutputOpensOnlyWhenThereIsOneAndKeepsStderrQuiet) {
    constexpr int kRate = 11025;
    const bool playable = defaultOutputPlays(kRate);
    PortAudioOut out;
    bool opened = false;
    QByteArray noise;
    {
        CapturedStderr captured;
        opened = out.open(-1, kRate);
        noise = captured.text();
    }
    EXPECT_EQ(noise, QByteArray());
    EXPECT_EQ(opened, playable) << "PortAudio's default output " << (playable ? "plays" : "is absent or unfit");
    EXPECT_EQ(out.isOpen(), opened);
    const qint16 silence[4] = {};
    out.queue(silence, 2);
    out.reset();
    out.close();
    EXPECT_FALSE(out.isOpen());

    // Once closed, or never opened, the calls do nothing, however often they come.
    {
        CapturedStderr captured;
        for (int round = 0; round < 2; ++round) {
            out.queue(silence, 2);
            out.reset();
            out.close();
        }
        noise = captured.text();
    }
    EXPECT_EQ(noise, QByteArray());
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.outputLatencySeconds(), 0);
    // Every start of PortAudio by the class, failed opens included, was matched by its end.
    EXPECT_EQ(Pa_Terminate(), paNotInitialized);
}

bool defaultOutputExists() {
    CapturedStderr probing;
    if (Pa_Initialize() != paNoError)
        return false;
    const bool exists = Pa_GetDefaultOutputDevice() != paNoDevice;
    Pa_Terminate();
    return exists;
}

TEST(PortAudioOut, AFailedOpenSaysWhy) {
    PortAudioOut out;
    EXPECT_EQ(out.lastOpenError(), AudioOut::OpenError::None);
    for (int device : {9999, -2, 1 << 30}) {
        EXPECT_FALSE(out.open(device, 11025)) << device;
        EXPECT_EQ(out.lastOpenError(), AudioOut::OpenError::BadDevice) << device;
    }
    const bool opened = out.open(-1, 11025);
    if (opened)
        EXPECT_EQ(out.lastOpenError(), AudioOut::OpenError::None);
    else if (!defaultOutputExists())
        EXPECT_EQ(out.lastOpenError(), AudioOut::OpenError::NoDevice);
    else
        EXPECT_NE(out.lastOpenError(), AudioOut::OpenError::None);
    out.close();
    EXPECT_EQ(Pa_Terminate(), paNotInitialized);
}

TEST(PortAudioOut, AClosedOutputHasNothingToDrain) {
    PortAudioOut out;
    EXPECT_TRUE(out.drained());
    const qint16 silence[4] = {};
    out.open(9999, 11025);
    out.queue(silence, 2);
    EXPECT_TRUE(out.drained());
}

TEST(PortAudioOut, DrainedOnlyOnceTheQueuedFramesHavePlayed) {
    constexpr int kRate = 48000;
    if (!defaultOutputPlays(kRate))
        GTEST_SKIP() << "no default output that plays 16-bit stereo at " << kRate << " Hz";
    PortAudioOut out;
    ASSERT_TRUE(out.open(-1, kRate));
    EXPECT_TRUE(out.drained());

    const std::vector<qint16> tenth(kRate / 10 * 2, 0);
    QElapsedTimer elapsed;
    elapsed.start();
    out.queue(tenth.data(), kRate / 10);
    EXPECT_FALSE(out.drained());
    while (!out.drained() && elapsed.elapsed() < 3000)
        QThread::msleep(2);
    EXPECT_TRUE(out.drained());
    EXPECT_GE(elapsed.elapsed(), 95) << "a tenth of a second of frames cannot have played sooner";

    out.queue(tenth.data(), kRate / 10);
    out.reset();
    EXPECT_TRUE(out.drained()) << "reset drops what was queued";
    out.close();
}

} // namespace
