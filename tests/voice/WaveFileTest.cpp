#include "voice/WaveFile.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "voice/WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <tuple>

// Byte strings in failure messages as escaped text, not a list of numbers.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (const char c : bytes) {
        if (c >= ' ' && c <= '~' && c != '\\')
            *os << c;
        else
            *os << "\\x"
                << "0123456789abcdef"[(c >> 4) & 15] << "0123456789abcdef"[c & 15];
    }
    *os << '"';
}

namespace {

/// Bytes that differ from their neighbours, so a sample taken from the wrong offset shows.
QByteArray ramp(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(i * 7 + 3));
    return bytes;
}

/// A WAV file as the test wants it, good or broken.
struct Layout {
    QByteArray riff = "RIFF";
    QByteArray wave = "WAVE";
    QByteArray fmt = "fmt ";
    quint32 formatLength = 16;
    quint16 tag = 1;
    quint16 channels = 1;
    quint32 rate = 8000;
    quint16 bits = 16;
    QByteArray chunk = "data"; ///< after the format chunk; "fact" adds a 12-byte fact chunk before the data chunk
    QByteArray samples = ramp(64);
    std::optional<quint32> declared = std::nullopt; ///< the data length written; the samples' size when not set
    QByteArray after = {};                          ///< bytes after the samples
};

QByteArray build(const Layout& layout) {
    const quint16 align = quint16(layout.channels * layout.bits / 8);
    QByteArray body = layout.wave + layout.fmt + le32(layout.formatLength) + le16(layout.tag) + le16(layout.channels) +
                      le32(layout.rate) + le32(layout.rate * align) + le16(align) + le16(layout.bits);
    if (layout.formatLength > 16 && layout.formatLength <= 64)
        body.append(qsizetype(layout.formatLength - 16), '\x11');
    const quint32 declared = layout.declared.value_or(quint32(layout.samples.size()));
    if (layout.chunk == "fact")
        body += "fact" + le32(4) + le32(declared / (align ? align : 1)) + "data";
    else
        body += layout.chunk;
    body += le32(declared) + layout.samples + layout.after;
    return layout.riff + le32(quint32(body.size())) + body;
}

auto fields(const WaveFormat& format) {
    return std::tuple(format.tag, format.channels, format.samplesPerSecond, format.averageBytesPerSecond,
                      format.blockAlign, format.bitsPerSample);
}

/// What a failed load must leave as it was.
WaveData untouched() {
    WaveData data;
    data.format.tag = 99;
    data.format.channels = 7;
    data.samples = "earlier";
    return data;
}

void expectUntouched(const WaveData& data) {
    EXPECT_EQ(fields(data.format), fields(untouched().format));
    EXPECT_EQ(data.samples, untouched().samples);
}

TEST(WaveFileTest, LoadsTheSamplesWhereTheChunkAfterTheFormatChunkPutsThem) {
    struct Case {
        const char* what;
        quint32 formatLength;
        QByteArray chunk;
        qsizetype samplesAt;
    };
    const QList<Case> cases = {
        {"16-byte format chunk", 16, "data", 44},
        {"18-byte format chunk, data at 38", 18, "data", 46},
        {"40-byte format chunk", 40, "data", 68},
        {"fact chunk", 16, "fact", 56},
        {"fact chunk after an 18-byte format chunk", 18, "fact", 58},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray samples = ramp(40);
        const QByteArray file =
            build({.formatLength = c.formatLength, .channels = 2, .rate = 11025, .chunk = c.chunk, .samples = samples});
        ASSERT_EQ(file.mid(c.samplesAt), samples);
        WaveData out = untouched();
        ASSERT_EQ(ParseWave(file, out), WaveLoaded);
        EXPECT_EQ(out.samples, samples);
        EXPECT_EQ(fields(out.format),
                  std::tuple(quint16(1), quint16(2), quint32(11025), quint32(44100), quint16(4), quint16(16)));
    }
}

TEST(WaveFileTest, RefusesAFileTheLayoutDoesNotAccept) {
    struct Case {
        const char* what;
        Layout layout;
        WaveLoadResult code;
    };
    const QList<Case> cases = {
        {"no WAVE mark", {.wave = "WAVF"}, WaveNotWave},
        {"format tag 3, floating point", {.tag = 3}, WaveNotPcm},
        {"extensible format tag", {.formatLength = 40, .tag = 0xFFFE}, WaveNotPcm},
        {"format tag 0", {.tag = 0}, WaveNotPcm},
        {"15-byte format chunk", {.formatLength = 15}, WaveNotPcm},
        {"41-byte format chunk", {.formatLength = 41}, WaveNotPcm},
        {"format chunk length 0", {.formatLength = 0}, WaveNotPcm},
        {"largest format chunk length", {.formatLength = 0xFFFFFFFF}, WaveNotPcm},
        {"LIST chunk after the format chunk", {.chunk = "LIST"}, WaveNoData},
        {"LIST chunk after an 18-byte format chunk", {.formatLength = 18, .chunk = "LIST"}, WaveNoData},
        {"upper-case DATA", {.chunk = "DATA"}, WaveNoData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveData out = untouched();
        EXPECT_EQ(ParseWave(build(c.layout), out), c.code);
        expectUntouched(out);
    }
}

TEST(WaveFileTest, MarksOnlyTheInformationReaderChecks) {
    struct Case {
        const char* what;
        Layout layout;
        QString info;
    };
    const QList<Case> cases = {
        {"RIFX", {.riff = "RIFX"}, QStringLiteral("Chunk fault ( ReadSize=60 5249465857415645666D7420 )")},
        {"no fmt mark", {.fmt = "FMT "}, QStringLiteral("Chunk fault ( ReadSize=60 5249464657415645464D5420 )")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file = build(c.layout);
        WaveData out;
        EXPECT_EQ(ParseWave(file, out), WaveLoaded);
        EXPECT_EQ(out.samples, c.layout.samples);
        const WaveInfoResult info = WaveInfoOf(file);
        EXPECT_EQ(info.text, c.info);
        EXPECT_EQ(info.durationMs, 0u);
    }
}

TEST(WaveFileTest, AFileEndingBeforeTheBytesACheckNeedsFailsThatCheck) {
    struct Case {
        const char* what;
        Layout layout;
        qsizetype size;
        WaveLoadResult code;
    };
    const QList<Case> cases = {
        {"empty", {}, 0, WaveNotWave},
        {"inside the WAVE mark", {}, 11, WaveNotWave},
        {"after the WAVE mark", {}, 12, WaveNotPcm},
        {"inside the format tag", {}, 21, WaveNotPcm},
        {"a bad tag, before the end of the format fields", {.tag = 3}, 30, WaveNotPcm},
        {"inside the bits per sample", {}, 35, WaveNotPcm},
        {"after the format fields", {}, 36, WaveNoData},
        {"inside the data length", {}, 43, WaveNoData},
        {"after the data chunk header", {}, 44, WaveLoaded},
        {"inside an 18-byte format chunk", {.formatLength = 18}, 37, WaveNoData},
        {"inside the data length after an 18-byte format chunk", {.formatLength = 18}, 45, WaveNoData},
        {"inside the fact chunk", {.chunk = "fact"}, 47, WaveNoData},
        {"inside the data length after a fact chunk", {.chunk = "fact"}, 55, WaveNoData},
        {"after the data chunk header after a fact chunk", {.chunk = "fact"}, 56, WaveLoaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveData out = untouched();
        ASSERT_EQ(ParseWave(build(c.layout).left(c.size), out), c.code);
        if (c.code == WaveLoaded)
            EXPECT_TRUE(out.samples.isEmpty());
        else
            expectUntouched(out);
    }
}

TEST(WaveFileTest, ADeclaredDataLengthIsCutToTheBytesPresent) {
    struct Case {
        const char* what;
        Layout layout;
        QByteArray samples;
    };
    const QByteArray list = "LIST" + le32(4) + "INFO";
    const QList<Case> cases = {
        {"beyond the end", {.samples = ramp(10), .declared = 1000}, ramp(10)},
        {"the largest length", {.samples = ramp(10), .declared = 0xFFFFFFFF}, ramp(10)},
        {"beyond the end after a fact chunk", {.chunk = "fact", .samples = ramp(10), .declared = 500}, ramp(10)},
        {"no sample bytes at all", {.samples = {}, .declared = 16000}, {}},
        {"within the file", {.samples = ramp(10), .declared = 4}, ramp(4)},
        {"followed by a LIST chunk", {.samples = ramp(10), .after = list}, ramp(10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveData out;
        ASSERT_EQ(ParseWave(build(c.layout), out), WaveLoaded);
        EXPECT_EQ(out.samples, c.samples);
    }
}

// Each prefix lives in a heap block of exactly its size, so that the sanitizer build catches a read past it.
TEST(WaveFileTest, EveryTruncationOfAFileStaysInsideTheBytesPresent) {
    struct Case {
        const char* what;
        Layout layout;
        qsizetype samplesAt;
    };
    const QList<Case> cases = {
        {"16-byte format chunk", {}, 44},
        {"18-byte format chunk", {.formatLength = 18}, 46},
        {"40-byte format chunk", {.formatLength = 40}, 68},
        {"fact chunk", {.chunk = "fact"}, 56},
        {"fact chunk after a 20-byte format chunk", {.formatLength = 20, .chunk = "fact"}, 60},
    };
    const QByteArray marks = "RIFFWAVEfmt ";
    const qsizetype markOffsets[] = {0, 1, 2, 3, 8, 9, 10, 11, 12, 13, 14, 15};
    for (const Case& c : cases) {
        const QByteArray whole = build(c.layout);
        WaveData wholeData;
        ASSERT_EQ(ParseWave(whole, wholeData), WaveLoaded);
        const WaveInfoResult wholeInfo = WaveInfoOf(whole);
        for (qsizetype size = 0; size <= whole.size(); ++size) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << size << " bytes");
            auto block = std::make_unique<char[]>(size_t(size));
            std::copy_n(whole.constData(), size, block.get());
            const QByteArray prefix = QByteArray::fromRawData(block.get(), size);

            WaveData out;
            const WaveLoadResult code = ParseWave(prefix, out);
            if (size < 12)
                EXPECT_EQ(code, WaveNotWave);
            else if (size < 36)
                EXPECT_EQ(code, WaveNotPcm);
            else if (size < c.samplesAt)
                EXPECT_EQ(code, WaveNoData);
            else
                EXPECT_EQ(out.samples, whole.mid(c.samplesAt, size - c.samplesAt));

            const WaveInfoResult info = WaveInfoOf(prefix);
            if (size < 60) {
                QString dump;
                for (int i = 0; i < 12; ++i)
                    dump += markOffsets[i] < size ? QString::fromLatin1(marks.mid(i, 1).toHex().toUpper())
                                                  : QStringLiteral("00");
                EXPECT_EQ(info.text, QStringLiteral("Chunk fault ( ReadSize=%1 %2 )").arg(size).arg(dump));
                EXPECT_EQ(info.durationMs, 0u);
            } else {
                EXPECT_EQ(info.text, wholeInfo.text);
                EXPECT_EQ(info.durationMs, wholeInfo.durationMs);
            }
        }
    }
}

TEST(WaveFileTest, AShortHeadShowsItsSizeAndTheMarkBytesItHas) {
    struct Case {
        const char* what;
        QByteArray head;
        QString text;
    };
    const QByteArray file = build({});
    const QList<Case> cases = {
        {"59 bytes", file.left(59), QStringLiteral("Chunk fault ( ReadSize=59 5249464657415645666D7420 )")},
        {"10 bytes", file.left(10), QStringLiteral("Chunk fault ( ReadSize=10 524946465741000000000000 )")},
        {"nothing", {}, QStringLiteral("Chunk fault ( ReadSize=0 000000000000000000000000 )")},
        {"a longer head with a bad mark counts the 60 bytes looked at", build({.wave = "AVI "}),
         QStringLiteral("Chunk fault ( ReadSize=60 5249464641564920666D7420 )")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WaveInfoResult info = WaveInfoOf(c.head);
        EXPECT_EQ(info.text, c.text);
        EXPECT_EQ(info.durationMs, 0u);
    }
}

TEST(WaveFileTest, InformationGivesTheDurationOrWhatIsWrong) {
    struct Case {
        const char* what;
        Layout layout;
        QString text;
        quint32 durationMs;
    };
    const QList<Case> cases = {
        {"16-bit mono 8000 Hz, 16000 bytes", {.declared = 16000}, QStringLiteral("1000ms"), 1000},
        {"8-bit mono 11025 Hz, a sample short of a second",
         {.rate = 11025, .bits = 8, .declared = 11024},
         QStringLiteral("999ms"),
         999},
        {"16-bit stereo 11025 Hz, the odd bytes dropped before the milliseconds",
         {.channels = 2, .rate = 11025, .declared = 44147},
         QStringLiteral("1000ms"),
         1000},
        {"12-bit samples count as one byte", {.bits = 12, .declared = 8000}, QStringLiteral("1000ms"), 1000},
        {"a long file does not wrap",
         {.channels = 2, .rate = 44100, .declared = 0x7FFFFFFC},
         QStringLiteral("12173943ms"),
         12173943},
        {"milliseconds beyond 32 bits stop at the largest",
         {.rate = 1, .bits = 8, .declared = 0xFFFFFFFF},
         QStringLiteral("4294967295ms"),
         0xFFFFFFFF},
        {"fact chunk", {.chunk = "fact", .declared = 8000}, QStringLiteral("500ms"), 500},
        {"fact chunk after a 20-byte format chunk",
         {.formatLength = 20, .chunk = "fact", .declared = 8000},
         QStringLiteral("500ms"),
         500},
        {"fact chunk after a 21-byte format chunk: its length lies beyond the head",
         {.formatLength = 21, .chunk = "fact", .declared = 8000},
         QStringLiteral("Chunk fault ( offset=5 66616374 )"),
         0},
        {"data after a 32-byte format chunk", {.formatLength = 32, .declared = 8000}, QStringLiteral("500ms"), 500},
        {"data after a 33-byte format chunk: its length lies beyond the head",
         {.formatLength = 33, .declared = 8000},
         QStringLiteral("Chunk fault ( offset=17 64617461 )"),
         0},
        {"a chunk identifier cut by the end of the head",
         {.formatLength = 38},
         QStringLiteral("Chunk fault ( offset=22 64610000 )"),
         0},
        {"a chunk identifier beyond the head",
         {.formatLength = 40},
         QStringLiteral("Chunk fault ( offset=24 00000000 )"),
         0},
        {"LIST chunk", {.chunk = "LIST"}, QStringLiteral("Chunk fault ( offset=0 4C495354 )"), 0},
        {"LIST chunk after an 18-byte format chunk",
         {.formatLength = 18, .chunk = "LIST"},
         QStringLiteral("Chunk fault ( offset=2 4C495354 )"),
         0},
        {"LIST chunk and format tag 3",
         {.tag = 3, .chunk = "LIST"},
         QStringLiteral("Chunk fault ( offset=0 4C495354 )"),
         0},
        {"format tag 3", {.tag = 3}, QStringLiteral("Format fault ( Tag = 3 )"), 0},
        {"format tag 3 and no data", {.tag = 3, .declared = 0}, QStringLiteral("Format fault ( Tag = 3 )"), 0},
        {"data length 0", {.declared = 0}, QString(), 0},
        {"15-byte format chunk", {.formatLength = 15}, QStringLiteral("error PCMWAVEFORMAT size = -1"), 0},
        {"41-byte format chunk", {.formatLength = 41}, QStringLiteral("error PCMWAVEFORMAT size = 25"), 0},
        {"format chunk length 0", {.formatLength = 0}, QStringLiteral("error PCMWAVEFORMAT size = -16"), 0},
        {"largest format chunk length",
         {.formatLength = 0xFFFFFFFF},
         QStringLiteral("error PCMWAVEFORMAT size = -17"),
         0},
        {"4-bit samples", {.bits = 4}, QStringLiteral("Format fault ( Bits = 4 Channels = 1 Rate = 8000 )"), 0},
        {"no channels", {.channels = 0}, QStringLiteral("Format fault ( Bits = 16 Channels = 0 Rate = 8000 )"), 0},
        {"rate 0", {.rate = 0}, QStringLiteral("Format fault ( Bits = 16 Channels = 1 Rate = 0 )"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file = build(c.layout);
        ASSERT_GE(file.size(), 60);
        const WaveInfoResult info = WaveInfoOf(file);
        EXPECT_EQ(info.text, c.text);
        EXPECT_EQ(info.durationMs, c.durationMs);
    }
}

class WaveFileOnDiskTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = QDir(dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(WaveFileOnDiskTest, ReadsTheFileWholeAndItsInformationFromTheHead) {
    struct Case {
        const char* what;
        QByteArray file;
        WaveLoadResult code;
        QByteArray samples;
        QString info;
        quint32 durationMs;
    };
    const QList<Case> cases = {
        {"a second of 16-bit mono", build({.samples = ramp(16000)}), WaveLoaded, ramp(16000), QStringLiteral("1000ms"),
         1000},
        {"a 40-byte format chunk loads, but the information reader sees only its head",
         build({.formatLength = 40, .samples = ramp(100)}), WaveLoaded, ramp(100),
         QStringLiteral("Chunk fault ( offset=24 00000000 )"), 0},
        {"59 bytes", build({}).left(59), WaveLoaded, ramp(15),
         QStringLiteral("Chunk fault ( ReadSize=59 5249464657415645666D7420 )"), 0},
        {"format tag 3", build({.tag = 3}), WaveNotPcm, {}, QStringLiteral("Format fault ( Tag = 3 )"), 0},
        {"empty", {}, WaveNotWave, {}, QStringLiteral("Chunk fault ( ReadSize=0 000000000000000000000000 )"), 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = write(QStringLiteral("file%1.wav").arg(++n), c.file);
        WaveData out = untouched();
        ASSERT_EQ(LoadWave(path, out), c.code);
        if (c.code == WaveLoaded)
            EXPECT_EQ(out.samples, c.samples);
        else
            expectUntouched(out);
        const WaveInfoResult info = WaveInfo(path);
        EXPECT_EQ(info.text, c.info);
        EXPECT_EQ(info.durationMs, c.durationMs);
    }
}

TEST_F(WaveFileOnDiskTest, AFileThatDoesNotOpen) {
    struct Case {
        const char* what;
        QString path;
        QString info;
    };
    const QList<Case> cases = {
        {"missing file", QDir(dir.path()).filePath(QStringLiteral("missing.wav")), QStringLiteral("open error")},
        {"a directory", dir.path(), QStringLiteral("open error")},
        {"no path at all", QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveData out = untouched();
        EXPECT_EQ(LoadWave(c.path, out), WaveOpenFailed);
        expectUntouched(out);
        const WaveInfoResult info = WaveInfo(c.path);
        EXPECT_EQ(info.text, c.info);
        EXPECT_EQ(info.durationMs, 0u);
    }
}

// Reading this process's memory from address 0 opens fine and then fails with an I/O error.
TEST(WaveFileTest, AFileThatOpensButCannotBeReadHasNoInformation) {
    const QString path = QStringLiteral("/proc/self/mem");
    QFile probe(path);
    char byte;
    if (!probe.open(QIODevice::ReadOnly) || probe.read(&byte, 1) != -1)
        GTEST_SKIP() << "no file here that opens but fails to read";
    const WaveInfoResult info = WaveInfo(path);
    EXPECT_EQ(info.text, QString());
    EXPECT_EQ(info.durationMs, 0u);
    WaveData out = untouched();
    EXPECT_EQ(LoadWave(path, out), WaveNotWave);
    expectUntouched(out);
}

TEST(WaveFileTest, ToStereo16GivesSixteenBitStereoFrames) {
    struct Case {
        const char* what;
        quint16 bits;
        quint16 channels;
        QByteArray samples;
        std::vector<qint16> frames;
    };
    const QList<Case> cases = {
        {"8-bit mono", 8, 1, QByteArray("\x00\x80\xFF\x7F", 4), {-32768, -32768, 0, 0, 32512, 32512, -256, -256}},
        {"8-bit stereo", 8, 2, QByteArray("\x00\xFF\x81\x7F", 4), {-32768, 32512, 256, -256}},
        {"16-bit mono",
         16,
         1,
         QByteArray("\x34\x12\x00\x80\xFF\x7F", 6),
         {0x1234, 0x1234, -32768, -32768, 32767, 32767}},
        {"16-bit stereo", 16, 2, QByteArray("\x01\x00\xFF\xFF\x00\x80\xFF\x7F", 8), {1, -1, -32768, 32767}},
        {"16-bit stereo with a partial frame", 16, 2, QByteArray("\x01\x00\xFF\xFF\x00\x80\xFF", 7), {1, -1}},
        {"16-bit mono with an odd byte", 16, 1, QByteArray("\x34\x12\x00", 3), {0x1234, 0x1234}},
        {"8-bit stereo with an odd byte", 8, 2, QByteArray("\x00\xFF\x81", 3), {-32768, 32512}},
        {"a single byte of 16-bit mono", 16, 1, QByteArray("\x34", 1), {}},
        {"no samples", 16, 2, {}, {}},
        {"24-bit", 24, 1, ramp(12), {}},
        {"32-bit", 32, 2, ramp(16), {}},
        {"4-bit", 4, 1, ramp(4), {}},
        {"three channels", 16, 3, ramp(12), {}},
        {"no channels", 16, 0, ramp(12), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveData wave;
        wave.format.tag = 1;
        wave.format.bitsPerSample = c.bits;
        wave.format.channels = c.channels;
        wave.format.samplesPerSecond = 8000;
        wave.samples = c.samples;
        EXPECT_EQ(ToStereo16(wave), c.frames);
    }
}

TEST(WaveFileTest, ResamplingInterpolatesEachChannelBetweenNeighbouringFrames) {
    struct Case {
        const char* what;
        std::vector<qint16> frames;
        int from;
        int to;
        std::vector<qint16> expected;
    };
    const QList<Case> cases = {
        {"the same rate", {1, -1, 7, 9, -300, 300}, 8000, 8000, {1, -1, 7, 9, -300, 300}},
        {"twice the rate, the last frame held", {0, -10, 100, 10}, 1000, 2000, {0, -10, 50, 0, 100, 10, 100, 10}},
        {"half the rate", {0, 0, 10, 1, 20, 2, 30, 3}, 2000, 1000, {0, 0, 20, 2}},
        {"two thirds, halves rounded away from zero", {0, 0, 10, -10, 21, -21}, 3, 2, {0, 0, 16, -16}},
        {"full scale stays in range",
         {32767, -32768, -32768, 32767},
         1,
         4,
         {32767, -32768, 16383, -16384, -1, -1, -16384, 16383, -32768, 32767, -32768, 32767, -32768, 32767, -32768,
          32767}},
        {"one frame up", {5, 6}, 8000, 48000, {5, 6, 5, 6, 5, 6, 5, 6, 5, 6, 5, 6}},
        {"one frame down keeps a frame", {5, 6}, 48000, 8000, {5, 6}},
        {"no frames", {}, 8000, 48000, {}},
        {"no source rate", {1, 2}, 0, 48000, {}},
        {"no target rate", {1, 2}, 8000, 0, {}},
        {"a negative rate", {1, 2}, -8000, 48000, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ResampleStereo16(c.frames, c.from, c.to), c.expected);
    }
}

TEST(WaveFileTest, ResamplingKeepsThePlayingTimeInWholeFrames) {
    struct Case {
        int frames;
        int from;
        int to;
        size_t expected;
    };
    for (const Case& c : {Case{441, 44100, 48000, 480}, Case{80, 8000, 44100, 441}, Case{11025, 11025, 48000, 48000},
                          Case{1000, 22050, 44100, 2000}, Case{7, 11025, 44100, 28}, Case{3, 48000, 44100, 3}}) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames " << c.from << " -> " << c.to);
        std::vector<qint16> frames;
        for (int i = 0; i < c.frames; ++i) {
            frames.push_back(qint16(i * 2));
            frames.push_back(qint16(-i * 2));
        }
        const std::vector<qint16> out = ResampleStereo16(frames, c.from, c.to);
        ASSERT_EQ(out.size(), c.expected * 2);
        // A straight ramp stays on its line: frame j sits at j * from / to of the input.
        for (size_t j = 0; j < c.expected; ++j) {
            const double at = std::min(double(j) * c.from / c.to, double(c.frames - 1));
            EXPECT_NEAR(out[j * 2], at * 2, 0.5) << j;
            EXPECT_NEAR(out[j * 2 + 1], -at * 2, 0.5) << j;
        }
    }
}

} // namespace
