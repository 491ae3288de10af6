#include "voice/WaveFile.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The information reader judges a file by its head alone and takes the declared data length on trust.
constexpr qsizetype kHeadSize = 60;

// The six format fields start at byte 20 and end here.
constexpr qsizetype kFormatEnd = 36;
constexpr quint16 kPcm = 1;

// Callers have checked that the bytes are there.
quint16 u16At(const QByteArray& bytes, qsizetype at) {
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 u32At(const QByteArray& bytes, qsizetype at) {
    return quint32(u16At(bytes, at)) | quint32(u16At(bytes, at + 2)) << 16;
}

// mid() stops at the end, so a mark cut off by the end of the bytes just does not match.
bool markAt(const QByteArray& bytes, qsizetype at, const char* mark) {
    return bytes.mid(at, 4) == mark;
}

WaveFormat formatOf(const QByteArray& bytes) {
    WaveFormat format;
    format.tag = u16At(bytes, 20);
    format.channels = u16At(bytes, 22);
    format.samplesPerSecond = u32At(bytes, 24);
    format.averageBytesPerSecond = u32At(bytes, 28);
    format.blockAlign = u16At(bytes, 32);
    format.bitsPerSample = u16At(bytes, 34);
    return format;
}

// Where the chunk after the format chunk keeps the sample data's length, or -1 when it holds none.
// A fact chunk is taken as its usual 12 bytes, followed by the data chunk's header.
qsizetype dataLengthAt(const QByteArray& bytes, qsizetype chunkAt) {
    if (markAt(bytes, chunkAt, "data"))
        return chunkAt + 4;
    if (markAt(bytes, chunkAt, "fact"))
        return chunkAt + 16;
    return -1;
}

// Bytes beyond the end print as 00, so a short head still gives a text of the usual width.
QString hexOf(const QByteArray& bytes, qsizetype at, qsizetype count) {
    QByteArray found = bytes.mid(at, count);
    found.append(count - found.size(), '\0');
    return QString::fromLatin1(found.toHex().toUpper());
}

} // namespace

WaveLoadResult LoadWave(const QString& path, WaveData& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return WaveOpenFailed;
    return ParseWave(file.readAll(), out);
}

WaveLoadResult ParseWave(const QByteArray& file, WaveData& out) {
    if (!markAt(file, 8, "WAVE"))
        return WaveNotWave;
    if (file.size() < kFormatEnd)
        return WaveNotPcm;
    const quint32 formatLength = u32At(file, 16);
    const WaveFormat format = formatOf(file);
    if (formatLength < 16 || formatLength > 40 || format.tag != kPcm)
        return WaveNotPcm;
    const qsizetype lengthAt = dataLengthAt(file, 36 + qsizetype(formatLength - 16));
    if (lengthAt < 0 || file.size() < lengthAt + 4)
        return WaveNoData;
    out.format = format;
    // mid() stops at the end, which cuts a declared length beyond it to the bytes present.
    out.samples = file.mid(lengthAt + 4, u32At(file, lengthAt));
    return WaveLoaded;
}

WaveInfoResult WaveInfo(const QString& path) {
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("open error")};
    char head[kHeadSize];
    const qint64 read = file.read(head, kHeadSize);
    if (read < 0)
        return {};
    return WaveInfoOf(QByteArray(head, read));
}

WaveInfoResult WaveInfoOf(const QByteArray& head) {
    const QByteArray bytes = head.left(kHeadSize);
    if (bytes.size() != kHeadSize || !markAt(bytes, 0, "RIFF") || !markAt(bytes, 8, "WAVE") ||
        !markAt(bytes, 12, "fmt "))
        return {QStringLiteral("Chunk fault ( ReadSize=%1 %2%3 )")
                    .arg(bytes.size())
                    .arg(hexOf(bytes, 0, 4), hexOf(bytes, 8, 8))};

    // Signed 32 bits, so a length below 16 shows as the negative size it is.
    const qint32 extra = qint32(u32At(bytes, 16) - 16u);
    if (extra < 0 || extra > 24)
        return {QStringLiteral("error PCMWAVEFORMAT size = %1").arg(extra)};

    // A long format chunk can push the data length past the head; that is a fault here, not a guess.
    const qsizetype chunkAt = 36 + extra;
    const qsizetype lengthAt = dataLengthAt(bytes, chunkAt);
    if (lengthAt < 0 || bytes.size() < lengthAt + 4)
        return {QStringLiteral("Chunk fault ( offset=%1 %2 )").arg(extra).arg(hexOf(bytes, chunkAt, 4))};

    const WaveFormat format = formatOf(bytes);
    if (format.tag != kPcm)
        return {QStringLiteral("Format fault ( Tag = %1 )").arg(format.tag)};
    const quint32 length = u32At(bytes, lengthAt);
    if (length == 0)
        return {};
    const quint32 bytesPerSample = format.bitsPerSample / 8u;
    if (bytesPerSample == 0 || format.channels == 0 || format.samplesPerSecond == 0)
        return {QStringLiteral("Format fault ( Bits = %1 Channels = %2 Rate = %3 )")
                    .arg(format.bitsPerSample)
                    .arg(format.channels)
                    .arg(format.samplesPerSecond)};

    // Each step truncates; 64 bits so that a long file's milliseconds do not wrap before the last division.
    const quint64 frames = length / bytesPerSample / format.channels;
    const quint64 ms = frames * 1000u / format.samplesPerSecond;
    const quint32 duration = quint32(std::min<quint64>(ms, std::numeric_limits<quint32>::max()));
    return {QStringLiteral("%1ms").arg(duration), duration};
}

std::vector<qint16> ToStereo16(const WaveData& wave) {
    const WaveFormat& format = wave.format;
    if ((format.bitsPerSample != 8 && format.bitsPerSample != 16) || (format.channels != 1 && format.channels != 2))
        return {};
    const qsizetype sampleSize = format.bitsPerSample / 8;
    const qsizetype count = wave.samples.size() / (sampleSize * format.channels) * format.channels;
    std::vector<qint16> out;
    out.reserve(size_t(count / format.channels * 2));
    const auto* byte = reinterpret_cast<const quint8*>(wave.samples.constData());
    for (qsizetype i = 0; i < count; ++i, byte += sampleSize) {
        const qint16 value = sampleSize == 1 ? qint16((byte[0] - 128) * 256) : qint16(byte[0] | byte[1] << 8);
        out.push_back(value);
        if (format.channels == 1)
            out.push_back(value);
    }
    return out;
}

std::vector<qint16> ResampleStereo16(const std::vector<qint16>& frames, int fromRate, int toRate) {
    if (fromRate <= 0 || toRate <= 0)
        return {};
    const qint64 count = qint64(frames.size() / 2);
    const qint64 outCount = (count * toRate + fromRate - 1) / fromRate;
    std::vector<qint16> out;
    out.reserve(size_t(outCount) * 2);
    for (qint64 j = 0; j < outCount; ++j) {
        // Output frame j lies at j * fromRate / toRate input frames; past the last one it holds.
        const qint64 at = j * fromRate;
        const qint64 before = at / toRate;
        const qint64 after = std::min(before + 1, count - 1);
        const double weight = double(at % toRate) / toRate;
        for (int channel = 0; channel < 2; ++channel) {
            const double a = frames[size_t(before * 2 + channel)];
            const double b = frames[size_t(after * 2 + channel)];
            out.push_back(qint16(std::lround(a + (b - a) * weight)));
        }
    }
    return out;
}
