#include "platform/RecordingAudioOut.h"

bool RecordingAudioOut::open(int device, int sampleRate) {
    m_calls.append(QStringLiteral("open %1 %2").arg(device).arg(sampleRate));
    if (m_failOpen)
        m_lastError = m_failWith;
    else if (!m_rates.isEmpty() && !m_rates.contains(sampleRate))
        m_lastError = OpenError::BadFormat;
    else
        m_lastError = OpenError::None;
    m_open = m_lastError == OpenError::None;
    m_lost = false;
    m_queuedSinceOpen = false;
    return m_open;
}

void RecordingAudioOut::queue(const qint16* frames, int frameCount) {
    m_calls.append(QStringLiteral("queue %1").arg(frameCount));
    // A dead stream takes nothing, as the real one does.
    if (failed())
        return;
    m_queued.append({frames, std::vector<qint16>(frames, frames + size_t(frameCount) * 2)});
    m_drained = false;
    m_queuedSinceOpen = true;
}

void RecordingAudioOut::reset() {
    m_calls.append(QStringLiteral("reset"));
    m_drained = true;
    m_queuedSinceOpen = false;
}

void RecordingAudioOut::close() {
    m_calls.append(QStringLiteral("close"));
    m_open = false;
    m_drained = true;
}
