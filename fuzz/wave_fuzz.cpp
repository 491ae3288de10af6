#include "FuzzCheck.h"
#include "voice/WaveFile.h"

#include <cstdint>

// Any file as a WAV file: the reader stays within its bytes, the samples it keeps are no more than
// the file holds, and the information text gives a duration only as "%dms".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    WaveData wave;
    if (ParseWave(file, wave) == WaveLoaded) {
        Require(wave.samples.size() <= file.size());
        const std::vector<qint16> frames = ToStereo16(wave);
        Require(frames.size() % 2 == 0);
        Require(frames.size() <= size_t(wave.samples.size()) * 2);
    }
    const WaveInfoResult info = WaveInfoOf(file.left(60));
    if (info.durationMs > 0)
        Require(info.text == QStringLiteral("%1ms").arg(info.durationMs));
    return 0;
}
