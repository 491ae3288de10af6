#include "platform/RecordingAudioOut.h"

bool RecordingAudioOut::open(int device, int sampleRate) {
    m_calls.append(QStringLiteral("open %1 %2").arg(device).arg(sampleRate));
    m_open = !m_failOpen;
    return m_open;
}

void RecordingAudioOut::queue(const qint16* frames, int frameCount) {
    m_calls.append(QStringLiteral("queue %1").arg(frameCount));
    m_queued.append({frames, std::vector<qint16>(frames, frames + size_t(frameCount) * 2)});
}

void RecordingAudioOut::reset() {
    m_calls.append(QStringLiteral("reset"));
}

void RecordingAudioOut::close() {
    m_calls.append(QStringLiteral("close"));
    m_open = false;
}
