#include "QtPrinters.h"
#include "platform/PortAudioOut.h"
#include "voice/VoicePlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "voice/WaveBytes.h"

#include <gtest/gtest.h>

namespace {

/// A fifth of a second of 16-bit mono silence at the rate.
QByteArray shortFile(quint32 rate) {
    return PcmWaveFile(1, rate, 16, QByteArray(qsizetype(rate / 5 * 2), '\0'));
}

// Against whatever sound PortAudio finds; the build machines have none and skip.
TEST(VoicePlayerOnTheDevice, AShortFilePlaysToItsEndAndCloses) {
    constexpr int kRate = 48000;
    {
        PortAudioOut probe;
        if (!probe.open(-1, kRate))
            GTEST_SKIP() << "no default output that plays 16-bit stereo at " << kRate << " Hz";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("short.wav");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(shortFile(kRate));
    file.close();

    PortAudioOut out;
    VoicePlayer player(out, -1);
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_EQ(player.PlayWave(path), QString());
    ASSERT_TRUE(player.playing());
    while (player.playing() && elapsed.elapsed() < 5000) {
        player.poll();
        QThread::msleep(5);
    }
    EXPECT_FALSE(player.playing());
    EXPECT_FALSE(out.isOpen());
    EXPECT_GE(elapsed.elapsed(), 195) << "the file lasts a fifth of a second";
}

} // namespace
