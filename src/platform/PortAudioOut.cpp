#include "platform/PortAudioOut.h"

#include <portaudio.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

constexpr int kChannels = 2;

/// Sends standard error to /dev/null while alive: PortAudio's start-up probes every ALSA and JACK
/// back end, and their complaints about absent cards and servers are no concern of the operator.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStderr() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int m_saved = -1;
};

/// The device to open for a device number, or why there is none.
AudioOut::OpenError findOutput(int device, PaDeviceIndex& index) {
    if (device == -1) {
        index = Pa_GetDefaultOutputDevice();
        return index == paNoDevice ? AudioOut::OpenError::NoDevice : AudioOut::OpenError::None;
    }
    if (device < 0 || device >= Pa_GetDeviceCount())
        return AudioOut::OpenError::BadDevice;
    index = device;
    return AudioOut::OpenError::None;
}

/// Before Pa_Terminate: the host's own error is read from PortAudio's state.
AudioOut::OpenError openErrorOf(PaError error) {
    switch (error) {
    case paDeviceUnavailable:
        return AudioOut::OpenError::Busy;
    case paInvalidSampleRate:
    case paSampleFormatNotSupported:
    case paInvalidChannelCount:
        return AudioOut::OpenError::BadFormat;
    case paUnanticipatedHostError: {
        // Some of ALSA's set-up steps pass a busy device on only as their own error code.
        const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
        return host && host->hostApiType == paALSA && host->errorCode == -EBUSY ? AudioOut::OpenError::Busy
                                                                                : AudioOut::OpenError::Other;
    }
    default:
        return AudioOut::OpenError::Other;
    }
}

} // namespace

PortAudioOut::~PortAudioOut() {
    close();
}

bool PortAudioOut::open(int device, int sampleRate) {
    close();
    m_lastError = openStream(device, sampleRate);
    return m_lastError == OpenError::None;
}

AudioOut::OpenError PortAudioOut::openStream(int device, int sampleRate) {
    PaError error;
    {
        QuietStderr quiet;
        error = Pa_Initialize();
    }
    if (error != paNoError)
        return OpenError::NoDevice;
    const auto fail = [](OpenError why) {
        Pa_Terminate();
        return why;
    };

    PaDeviceIndex index = paNoDevice;
    if (const OpenError why = findOutput(device, index); why != OpenError::None)
        return fail(why);
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (!info)
        return fail(OpenError::Other);
    if (info->maxOutputChannels < kChannels)
        return fail(OpenError::BadFormat);
    PaStreamParameters parameters{};
    parameters.device = index;
    parameters.channelCount = kChannels;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = info->defaultLowOutputLatency;

    m_queue.clear();
    m_frameSeconds = 1.0 / sampleRate;
    PaStream* stream = nullptr;
    // The callback fires at the host's own period: a tone waits for the next one, not for a fixed
    // block of ours.
    error = Pa_OpenStream(&stream, nullptr, &parameters, sampleRate, paFramesPerBufferUnspecified, paClipOff,
                          &PortAudioOut::callback, this);
    if (error != paNoError)
        return fail(openErrorOf(error));
    if ((error = Pa_StartStream(stream)) != paNoError) {
        const OpenError why = openErrorOf(error);
        Pa_CloseStream(stream);
        return fail(why);
    }
    m_stream = stream;
    return OpenError::None;
}

bool PortAudioOut::drained() const {
    return !m_stream || failed() || m_queue.drained(Pa_GetStreamTime(m_stream) - outputLatencySeconds());
}

qint64 PortAudioOut::soundingForUs() const {
    const std::optional<double> begun = m_stream ? m_queue.firstBegunAt() : std::nullopt;
    if (!begun)
        return -1;
    const double since = Pa_GetStreamTime(m_stream) - outputLatencySeconds() - *begun;
    return since < 0 ? -1 : qint64(since * 1e6);
}

bool PortAudioOut::failed() const {
    return m_stream && Pa_IsStreamActive(m_stream) != 1;
}

void PortAudioOut::queue(const qint16* frames, int frameCount) {
    if (m_stream && !failed())
        m_queue.push(frames, frameCount, Pa_GetStreamTime(m_stream));
}

void PortAudioOut::reset() {
    if (!m_stream)
        return;
    // Aborting waits for the callback to return, so no queued buffer is touched after this.
    Pa_AbortStream(m_stream);
    m_queue.clear();
    if (Pa_StartStream(m_stream) != paNoError)
        close();
}

void PortAudioOut::close() {
    if (!m_stream)
        return;
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
    m_stream = nullptr;
    m_queue.clear();
    Pa_Terminate();
}

double PortAudioOut::outputLatencySeconds() const {
    const PaStreamInfo* info = m_stream ? Pa_GetStreamInfo(m_stream) : nullptr;
    return info ? info->outputLatency : 0;
}

int PortAudioOut::callback(const void*, void* output, unsigned long frameCount, const PaStreamCallbackTimeInfo* time,
                           unsigned long, void* self) {
    auto* out = static_cast<PortAudioOut*>(self);
    out->m_queue.fill(static_cast<qint16*>(output), int(frameCount), time->currentTime, out->m_frameSeconds);
    return paContinue;
}
