#pragma once

#include "platform/AudioOut.h"

#include <QList>
#include <QString>

#include <vector>

/// Test backend: an output that opens (unless told to fail) and records every call, with a copy of
/// each queued buffer.
class RecordingAudioOut : public AudioOut {
public:
    struct Queued {
        const qint16* data;
        std::vector<qint16> frames;
    };

    bool open(int device, int sampleRate) override;
    bool isOpen() const override { return m_open; }
    void queue(const qint16* frames, int frameCount) override;
    void reset() override;
    void close() override;

    /// Every call in order: "open -1 11025", "queue 661", "reset", "close".
    const QStringList& calls() const { return m_calls; }
    const QList<Queued>& queued() const { return m_queued; }
    void failOpen(bool fail) { m_failOpen = fail; }

private:
    QStringList m_calls;
    QList<Queued> m_queued;
    bool m_failOpen = false;
    bool m_open = false;
};
