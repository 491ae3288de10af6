#pragma once

#include <QtGlobal>

#include <vector>

/// What the sidetone sounds like: sample rate and pitch in Hz, gain in percent of full scale.
struct ToneShape {
    int sampleRate = 11025;
    int toneHz = 600;
    int gain = 100;
};

/// Frames of the dot tone at the given speed.
int DotFrames(int wpm, int sampleRate);
/// Frames of the dash tone at the given speed and dash ratio index.
int DashFrames(int wpm, int ratio, int sampleRate);
/// Frames of the soft start and of the soft end: three and a half periods of the tone.
int RampFrames(const ToneShape& shape);

/// A sine tone of the given length with soft ends, as interleaved 16-bit left/right frames (both
/// channels equal). The phase starts at 0.
std::vector<qint16> SynthesizeTone(int frames, const ToneShape& shape);
