#include "voice/VoicePlayer.h"
#include "QtPrinters.h"
#include "platform/RecordingAudioOut.h"
#include "voice/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>

#include "voice/WaveBytes.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Wave {
    quint16 channels = 1;
    quint32 rate = 8000;
    quint16 bits = 16;
    QByteArray samples;
};

QByteArray waveFile(const Wave& wave) {
    return PcmWaveFile(wave.channels, wave.rate, wave.bits, wave.samples);
}

/// 16-bit mono samples that differ from frame to frame, so that a shift or a lost frame shows.
QByteArray mono16(int frames) {
    QByteArray samples;
    for (int i = 0; i < frames; ++i)
        samples += le16(quint16(i * 37 - 5000));
    return samples;
}

class VoicePlayerTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString write(const QString& name, const Wave& wave) { return write(name, waveFile(wave)); }

    /// What the output should get for a file: its samples as 16-bit stereo frames.
    static std::vector<qint16> framesOf(const QString& path) {
        WaveData data;
        EXPECT_EQ(LoadWave(path, data), WaveLoaded);
        return ToStereo16(data);
    }

    QTemporaryDir dir;
    RecordingAudioOut out;
    std::optional<VoicePlayer> player{std::in_place, out, -1};
};

TEST_F(VoicePlayerTest, PlaysAFileAtItsRateAsSixteenBitStereoFrames) {
    const QString path = write("a.wav", Wave{1, 8000, 16, QByteArray("\x34\x12\x00\x80\xFF\x7F", 6)});
    EXPECT_EQ(player->PlayWave(path), QString());
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 3"}));
    ASSERT_EQ(out.queued().size(), 1);
    EXPECT_EQ(out.queued()[0].frames, (std::vector<qint16>{0x1234, 0x1234, -32768, -32768, 32767, 32767}));
}

TEST_F(VoicePlayerTest, EveryLayoutTheConversionTakesPlaysWhole) {
    struct Case {
        const char* what;
        Wave wave;
        int frames;
    };
    const QList<Case> cases = {
        {"8-bit mono", {1, 11025, 8, QByteArray(500, '\x90')}, 500},
        {"8-bit stereo", {2, 22050, 8, QByteArray(500, '\x20')}, 250},
        {"16-bit mono", {1, 44100, 16, mono16(700)}, 700},
        {"16-bit stereo", {2, 48000, 16, mono16(700)}, 350},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingAudioOut device;
        VoicePlayer slot(device, 2);
        const QString path = write("layout.wav", c.wave);
        EXPECT_EQ(slot.PlayWave(path), QString());
        EXPECT_TRUE(slot.playing());
        EXPECT_EQ(device.calls(), (QStringList{QStringLiteral("open 2 %1").arg(c.wave.rate),
                                               QStringLiteral("queue %1").arg(c.frames)}));
        ASSERT_EQ(device.queued().size(), 1);
        EXPECT_EQ(device.queued()[0].frames, framesOf(path));
    }
}

TEST_F(VoicePlayerTest, ASecondPlayWaveWhilePlayingDoesNothing) {
    const QString first = write("first.wav", Wave{1, 8000, 16, mono16(40)});
    const QString second = write("second.wav", Wave{2, 11025, 8, QByteArray(64, '\x10')});
    ASSERT_EQ(player->PlayWave(first), QString());
    const QStringList calls = out.calls();
    EXPECT_EQ(player->PlayWave(second), QString());
    EXPECT_EQ(out.calls(), calls);
    EXPECT_TRUE(player->playing());
    // The first file's samples are still the ones the output plays from.
    ASSERT_EQ(out.queued().size(), 1);
    const RecordingAudioOut::Queued& queued = out.queued()[0];
    EXPECT_EQ(std::vector<qint16>(queued.data, queued.data + queued.frames.size()), framesOf(first));
}

TEST_F(VoicePlayerTest, TheDoneNotificationClosesOnceTheSamplesHavePlayed) {
    const QString path = write("a.wav", Wave{1, 8000, 16, mono16(40)});
    player->poll();
    EXPECT_TRUE(out.calls().isEmpty()) << "nothing plays yet";
    ASSERT_EQ(player->PlayWave(path), QString());
    player->poll();
    player->poll();
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40"}));

    out.setDrained(true);
    player->poll();
    EXPECT_FALSE(player->playing());
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40", "reset", "close"}));
    player->poll();
    EXPECT_EQ(out.calls().size(), 4);

    // The slot is free again.
    EXPECT_EQ(player->PlayWave(path), QString());
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(out.calls().mid(4), (QStringList{"open -1 8000", "queue 40"}));
}

TEST_F(VoicePlayerTest, AnOutputThatDoesNotOpenNamesWhyAndLeavesTheSlotFree) {
    using Error = AudioOut::OpenError;
    struct Case {
        Error error;
        QString text;
    };
    const QList<Case> cases = {
        {Error::BadDevice, "Specified device identifier is out of range.   "},
        {Error::Busy, "Specified resource is already allocated.   "},
        {Error::NoDevice, "No device driver is present.   "},
        {Error::BadFormat, "Attempted to open with an unsupported waveform-audio format.   "},
        {Error::Other, ""},
    };
    const QString path = write("a.wav", Wave{1, 8000, 16, mono16(40)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        RecordingAudioOut device;
        VoicePlayer slot(device, 5);
        device.failOpen(true, c.error);
        EXPECT_EQ(slot.PlayWave(path), c.text);
        EXPECT_FALSE(slot.playing());
        EXPECT_TRUE(device.queued().isEmpty());
        // Only a refused format is worth another rate.
        const QStringList opens = c.error == Error::BadFormat
                                      ? QStringList{"open 5 8000", "open 5 48000", "open 5 44100"}
                                      : QStringList{"open 5 8000"};
        EXPECT_EQ(device.calls(), opens);

        device.failOpen(false);
        EXPECT_EQ(slot.PlayWave(path), QString());
        EXPECT_TRUE(slot.playing());
        EXPECT_EQ(device.calls().last(), QStringLiteral("queue 40"));
    }
}

TEST_F(VoicePlayerTest, ARefusedFormatIsResampledTo48000Then44100) {
    struct Case {
        const char* what;
        quint32 fileRate;
        QList<int> rates;
        QStringList opens;
        int playedAt;
    };
    const QList<Case> cases = {
        {"48000 taken", 8000, {48000, 44100}, {"open -1 8000", "open -1 48000"}, 48000},
        {"only 44100 taken", 8000, {44100}, {"open -1 8000", "open -1 48000", "open -1 44100"}, 44100},
        {"a 48000 file is not tried twice", 48000, {44100}, {"open -1 48000", "open -1 44100"}, 44100},
        {"a 44100 file is not tried twice", 44100, {32000}, {"open -1 44100", "open -1 48000"}, 0},
        {"a file at 0", 0, {48000, 44100}, {"open -1 0"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingAudioOut device;
        VoicePlayer slot(device, -1);
        device.openOnlyAt(c.rates);
        const QString path = write("rate.wav", Wave{1, c.fileRate, 16, mono16(441)});
        const QString text = slot.PlayWave(path);
        QStringList calls = c.opens;
        if (c.playedAt) {
            const std::vector<qint16> expected = ResampleStereo16(framesOf(path), int(c.fileRate), c.playedAt);
            // The same 441 frames' time at the new rate, rounded up.
            const qint64 frames = (441 * qint64(c.playedAt) + c.fileRate - 1) / c.fileRate;
            ASSERT_EQ(expected.size(), size_t(frames) * 2);
            calls.append(QStringLiteral("queue %1").arg(frames));
            EXPECT_EQ(text, QString());
            EXPECT_TRUE(slot.playing());
            ASSERT_EQ(device.queued().size(), 1);
            EXPECT_EQ(device.queued()[0].frames, expected);
        } else {
            EXPECT_EQ(text, QStringLiteral("Attempted to open with an unsupported waveform-audio format.   "));
            EXPECT_FALSE(slot.playing());
        }
        EXPECT_EQ(device.calls(), calls);
    }
}

TEST_F(VoicePlayerTest, AFileThatDoesNotLoadOrConvertDoesNothing) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const QList<Case> cases = {
        {"not a wave", QByteArray("RIFF\x04\x00\x00\x00WAVX", 12)},
        {"24-bit", waveFile({1, 8000, 24, QByteArray(30, '\x01')})},
        {"three channels", waveFile({3, 8000, 16, mono16(30)})},
        {"no samples", waveFile({1, 8000, 16, {}})},
        {"half a sample", waveFile({1, 8000, 16, QByteArray(1, '\x01')})},
        {"a rate beyond any output", waveFile({1, 0x80000000u, 16, mono16(30)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = write("bad.wav", c.bytes);
        EXPECT_EQ(player->PlayWave(path), QString());
        EXPECT_FALSE(player->start(path));
        EXPECT_FALSE(player->playing());
    }
    EXPECT_EQ(player->PlayWave(dir.filePath("missing.wav")), QString());
    EXPECT_FALSE(player->start(dir.filePath("missing.wav")));
    EXPECT_EQ(player->PlayWave(QString()), QString());
    EXPECT_FALSE(player->playing());
    EXPECT_TRUE(out.calls().isEmpty());
}

TEST_F(VoicePlayerTest, CloseWaveCutsPlaybackShort) {
    player->CloseWave();
    EXPECT_TRUE(out.calls().isEmpty()) << "nothing to close";
    ASSERT_EQ(player->PlayWave(write("a.wav", Wave{1, 8000, 16, mono16(40)})), QString());
    player->CloseWave();
    EXPECT_FALSE(player->playing());
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40", "reset", "close"}));
    player->CloseWave();
    EXPECT_EQ(out.calls().size(), 4);
}

TEST_F(VoicePlayerTest, TheSlotClosesWithThePlayer) {
    ASSERT_EQ(player->PlayWave(write("a.wav", Wave{1, 8000, 16, mono16(40)})), QString());
    player.reset();
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40", "reset", "close"}));
}

TEST_F(VoicePlayerTest, TheVoiceCqStartsAFileAndEndsWithTheDoneNotification) {
    const QString path = write("cq.wav", Wave{2, 11025, 8, QByteArray(200, '\x70')});
    EXPECT_TRUE(player->start(path));
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 11025", "queue 100"}));
    ASSERT_EQ(out.queued().size(), 1);
    EXPECT_EQ(out.queued()[0].frames, framesOf(path));
    // A test button waits for it.
    EXPECT_EQ(player->PlayWave(path), QString());
    EXPECT_EQ(out.calls().size(), 2);
    out.setDrained(true);
    player->poll();
    EXPECT_FALSE(player->playing());
    EXPECT_EQ(out.calls().mid(2), (QStringList{"reset", "close"}));
}

TEST_F(VoicePlayerTest, TheVoiceCqCutsWhatPlaysAndConvertsLikeATest) {
    ASSERT_EQ(player->PlayWave(write("test.wav", Wave{1, 8000, 16, mono16(40)})), QString());
    out.openOnlyAt({44100});
    EXPECT_TRUE(player->start(write("cq.wav", Wave{1, 8000, 16, mono16(80)})));
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40", "reset", "close", "open -1 8000", "open -1 48000",
                                        "open -1 44100", "queue 441"}));
}

TEST_F(VoicePlayerTest, TheVoiceCqThatDoesNotOpenLeavesNothingPlaying) {
    const QString path = write("cq.wav", Wave{1, 8000, 16, mono16(40)});
    ASSERT_TRUE(player->start(path));
    out.failOpen(true, AudioOut::OpenError::Busy);
    EXPECT_FALSE(player->start(path));
    EXPECT_FALSE(player->playing());
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.calls(), (QStringList{"open -1 8000", "queue 40", "reset", "close", "open -1 8000"}));
    player->CloseWave();
    EXPECT_EQ(out.calls().size(), 5);
}

} // namespace
