#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

/// Little-endian numbers and whole PCM files, for tests that build their WAV files in code.
inline QByteArray le16(quint16 value) {
    QByteArray bytes;
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
    return bytes;
}

inline QByteArray le32(quint32 value) {
    return le16(quint16(value & 0xFFFF)) + le16(quint16(value >> 16));
}

/// A PCM file with a 16-byte format chunk and the samples as its data chunk.
inline QByteArray PcmWaveFile(quint16 channels, quint32 rate, quint16 bits, const QByteArray& samples) {
    const quint16 align = quint16(channels * bits / 8);
    const QByteArray body = "WAVEfmt " + le32(16) + le16(1) + le16(channels) + le32(rate) + le32(rate * align) +
                            le16(align) + le16(bits) + "data" + le32(quint32(samples.size())) + samples;
    return "RIFF" + le32(quint32(body.size())) + body;
}

/// A 16-bit mono WAV of 8000 samples a second, ms long, in dir; its path.
inline QString WriteWave(const QTemporaryDir& dir, int ms) {
    const QString path = dir.filePath(QStringLiteral("call%1.wav").arg(ms));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(PcmWaveFile(1, 8000, 16, QByteArray(qsizetype(ms) * 16, '\0')));
    return path;
}
