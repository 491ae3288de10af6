#include "voice/VoicePlayer.h"

#include "platform/AudioOut.h"
#include "voice/WaveFile.h"

#include <algorithm>
#include <limits>

namespace {

QString openErrorText(AudioOut::OpenError error) {
    switch (error) {
    case AudioOut::OpenError::BadDevice:
        return QStringLiteral("Specified device identifier is out of range.   ");
    case AudioOut::OpenError::Busy:
        return QStringLiteral("Specified resource is already allocated.   ");
    case AudioOut::OpenError::NoDevice:
        return QStringLiteral("No device driver is present.   ");
    case AudioOut::OpenError::BadFormat:
        return QStringLiteral("Attempted to open with an unsupported waveform-audio format.   ");
    case AudioOut::OpenError::None:
    case AudioOut::OpenError::Other:
        break;
    }
    return {};
}

/// The output takes an int frame count per buffer; longer sample runs go as several buffers.
void queueWhole(AudioOut& out, const std::vector<qint16>& frames) {
    constexpr size_t kMostFrames = std::numeric_limits<int>::max();
    const size_t total = frames.size() / 2;
    for (size_t first = 0; first < total; first += kMostFrames)
        out.queue(frames.data() + first * 2, int(std::min(total - first, kMostFrames)));
}

void release(std::vector<qint16>& frames) {
    std::vector<qint16>().swap(frames);
}

// Rates nearly every output takes, tried in turn when one refuses the file's own.
constexpr int kFallbackRates[] = {48000, 44100};

} // namespace

VoicePlayer::VoicePlayer(AudioOut& out, int device) : m_out(out), m_device(device) {}

VoicePlayer::~VoicePlayer() {
    CloseWave();
}

QString VoicePlayer::PlayWave(const QString& path) {
    // Loading into the slot while it plays would free the samples under the output.
    if (m_playing || !load(path))
        return {};
    if (!open()) {
        release(m_frames);
        return openErrorText(m_out.lastOpenError());
    }
    queueWhole(m_out, m_frames);
    m_playing = true;
    return {};
}

bool VoicePlayer::start(const QString& path) {
    CloseWave();
    if (!load(path))
        return false;
    if (!open()) {
        release(m_frames);
        return false;
    }
    queueWhole(m_out, m_frames);
    m_playing = true;
    return true;
}

void VoicePlayer::poll() {
    if (!m_playing || !m_out.drained())
        return;
    const bool lost = m_out.failed();
    CloseWave();
    m_lost = lost;
}

qint64 VoicePlayer::soundingForUs() const {
    return m_playing ? m_out.soundingForUs() : -1;
}

void VoicePlayer::CloseWave() {
    if (m_out.isOpen()) {
        m_out.reset();
        m_out.close();
    }
    release(m_frames);
    m_playing = false;
    m_lost = false;
}

bool VoicePlayer::load(const QString& path) {
    WaveData wave;
    if (LoadWave(path, wave) != WaveLoaded || wave.format.samplesPerSecond > quint32(std::numeric_limits<int>::max()))
        return false;
    std::vector<qint16> frames = ToStereo16(wave);
    if (frames.empty())
        return false;
    m_frames = std::move(frames);
    m_rate = int(wave.format.samplesPerSecond);
    return true;
}

bool VoicePlayer::open() {
    if (m_out.open(m_device, m_rate))
        return true;
    for (const int rate : kFallbackRates) {
        if (m_out.lastOpenError() != AudioOut::OpenError::BadFormat)
            return false;
        if (rate == m_rate)
            continue;
        std::vector<qint16> converted = ResampleStereo16(m_frames, m_rate, rate);
        if (converted.empty()) // nothing converts from a rate of 0
            continue;
        if (m_out.open(m_device, rate)) {
            m_frames = std::move(converted);
            m_rate = rate;
            return true;
        }
    }
    return false;
}
