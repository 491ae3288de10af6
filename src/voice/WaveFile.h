#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

/// The format chunk's first sixteen bytes, the output format of a file as it stands.
struct WaveFormat {
    quint16 tag = 0;
    quint16 channels = 0;
    quint32 samplesPerSecond = 0;
    quint32 averageBytesPerSecond = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
};

/// A file's samples as read by LoadWave.
struct WaveData {
    WaveFormat format;
    QByteArray samples;
};

/// LoadWave's codes.
enum WaveLoadResult { WaveLoaded = 0, WaveOpenFailed = -1, WaveNotWave = -2, WaveNotPcm = -3, WaveNoData = -4 };

/// Reads a WAV file of PCM samples whole. A declared data length beyond the end of the file is
/// cut to the bytes present; a file that ends before the bytes a check needs fails that check
/// (−2 before the end of the "WAVE" mark, −3 before the end of the format fields, −4 before the
/// end of the data chunk's header). Nothing is read outside the file's bytes, and out is only
/// changed on success.
WaveLoadResult LoadWave(const QString& path, WaveData& out);

/// The same rules on bytes already in memory (the file's whole content).
WaveLoadResult ParseWave(const QByteArray& file, WaveData& out);

/// A file's playing time for display: "%dms", or the text of what is wrong with it; durationMs
/// is 0 unless the text is the duration.
struct WaveInfoResult {
    QString text;
    quint32 durationMs = 0;
};
WaveInfoResult WaveInfo(const QString& path);
/// The same on the first bytes of a file (at most 60 are looked at).
WaveInfoResult WaveInfoOf(const QByteArray& head);

/// The samples as interleaved 16-bit stereo frames at the file's rate, for an output that takes
/// only those: 8-bit unsigned and 16-bit signed PCM, one or two channels. Empty for any other
/// layout.
std::vector<qint16> ToStereo16(const WaveData& wave);

/// Interleaved 16-bit stereo frames at fromRate, resampled to toRate by linear interpolation
/// between neighbouring frames, for an output that does not take the file's own rate. The result
/// covers the same time, rounded up to whole frames; empty when either rate is not positive.
std::vector<qint16> ResampleStereo16(const std::vector<qint16>& frames, int fromRate, int toRate);
