#pragma once

#include "platform/AudioOut.h"
#include "platform/BufferQueue.h"

typedef void PaStream;
struct PaStreamCallbackTimeInfo;

/// Audio output through PortAudio: a callback stream that plays queued buffers whole and silence
/// between them, so that starting a tone is one queue operation.
class PortAudioOut : public AudioOut {
public:
    ~PortAudioOut() override;

    /// device -1 is PortAudio's default output, N the device of that index. False without a
    /// device that plays 16-bit stereo at the rate, or when the device is busy.
    bool open(int device, int sampleRate) override;
    OpenError lastOpenError() const override { return m_lastError; }
    /// Counts the stream's output latency, so that closing once drained cuts nothing still on its
    /// way to the speaker.
    bool drained() const override;
    qint64 soundingForUs() const override;
    bool isOpen() const override { return m_stream != nullptr; }
    /// The host stops a stream whose device is gone (an unplugged card, a sound server that quit).
    bool failed() const override;
    void queue(const qint16* frames, int frameCount) override;
    void reset() override;
    void close() override;

    /// How long the buffer that began playing last waited in the queue before its first frame went
    /// into the stream; negative before any did.
    double lastQueueWaitSeconds() const { return m_queue.lastWaitSeconds(); }
    /// The stream's output latency as PortAudio reports it.
    double outputLatencySeconds() const;

private:
    static int callback(const void* input, void* output, unsigned long frameCount,
                        const PaStreamCallbackTimeInfo* timeInfo, unsigned long statusFlags, void* self);

    OpenError openStream(int device, int sampleRate);

    PaStream* m_stream = nullptr;
    OpenError m_lastError = OpenError::None;
    double m_frameSeconds = 0;
    BufferQueue m_queue;
};
