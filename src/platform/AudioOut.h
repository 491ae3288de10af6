#pragma once

#include <QtGlobal>

/// One audio output stream of 16-bit stereo frames. Buffers are played whole, in queue order.
class AudioOut {
public:
    /// Why the last open failed.
    enum class OpenError { None, NoDevice, BadDevice, Busy, BadFormat, Other };

    virtual ~AudioOut() = default;
    /// device -1 is the default output. False when there is no usable device: the caller stays silent.
    virtual bool open(int device, int sampleRate) = 0;
    virtual OpenError lastOpenError() const = 0;
    /// Everything queued has played.
    virtual bool drained() const = 0;
    /// How long ago the first frame queued since the open reached the speaker, in microseconds;
    /// negative while it has not. A new stream can take a second or more to start playing.
    virtual qint64 soundingForUs() const = 0;
    virtual bool isOpen() const = 0;
    /// The open stream stopped by itself, as when its device went away: nothing queued will play,
    /// it counts as drained and takes no more buffers. It stays open until closed (the sidetone
    /// closes it at its next build: a keying thread's mark must not wait for that).
    virtual bool failed() const = 0;
    /// Queues interleaved left/right frames; the data must live until it has played or reset().
    virtual void queue(const qint16* frames, int frameCount) = 0;
    /// Drops everything queued or playing.
    virtual void reset() = 0;
    virtual void close() = 0;
};

/// The backend for a machine with no sound device: never opens, so keying stays silent.
class NoAudioOut : public AudioOut {
public:
    bool open(int, int) override { return false; }
    OpenError lastOpenError() const override { return OpenError::NoDevice; }
    bool drained() const override { return true; }
    qint64 soundingForUs() const override { return -1; }
    bool isOpen() const override { return false; }
    bool failed() const override { return false; }
    void queue(const qint16*, int) override {}
    void reset() override {}
    void close() override {}
};
