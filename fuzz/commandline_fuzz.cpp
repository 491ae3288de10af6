#include "FuzzCheck.h"
#include "app/CommandLine.h"

#include <cstdint>

// Any command line gives options within their accepted values.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const AudioOptions o = ParseCommandLine(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)));
    const bool rateOk = o.sampleRate == 8000 || o.sampleRate == 11025 || o.sampleRate == 22050 || o.sampleRate == 44100;
    Require(o.gain >= 1 && o.gain <= 100 && rateOk && o.toneHz >= 200 && o.toneHz <= 3000 && o.waveDevice >= -1);
    return 0;
}
