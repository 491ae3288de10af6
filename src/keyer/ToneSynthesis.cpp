#include "keyer/ToneSynthesis.h"

#include <cmath>

// Every formula keeps its order of operations in double precision: the lengths must match the
// element timing to the frame, and the ramps must fall on the same samples as they always have.

int DotFrames(int wpm, int sampleRate) {
    return int(1200.0 / wpm * sampleRate * 0.001);
}

int DashFrames(int wpm, int ratio, int sampleRate) {
    return int((ratio * 2.0 + 30.0) * 120.0 / wpm * sampleRate * 0.001);
}

int RampFrames(const ToneShape& shape) {
    return int(shape.sampleRate * 3.5 / shape.toneHz);
}

std::vector<qint16> SynthesizeTone(int frames, const ToneShape& shape) {
    const double period = double(shape.sampleRate) / shape.toneHz;
    const int ramp = RampFrames(shape);
    const double amplitude = shape.gain * 327.67;
    std::vector<qint16> samples(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double s = std::sin(i * (1.0 / period) * 6.2831853);
        double value;
        if (i < ramp)
            value = s * i * amplitude / ramp;
        else if (i < frames - ramp)
            value = s * amplitude;
        else
            value = s * (frames - i) * amplitude / ramp;
        samples[size_t(i) * 2] = samples[size_t(i) * 2 + 1] = qint16(value);
    }
    return samples;
}
