#pragma once

#include "platform/AudioOut.h"

#include <QList>
#include <QString>

#include <vector>

/// Test backend: an output that opens (unless told to fail) and records every call, with a copy of
/// each buffer the stream took.
class RecordingAudioOut : public AudioOut {
public:
    struct Queued {
        const qint16* data;
        std::vector<qint16> frames;
    };

    bool open(int device, int sampleRate) override;
    OpenError lastOpenError() const override { return m_lastError; }
    /// False from a queue until setDrained(true), reset, close or a lost device: nothing plays by
    /// itself here.
    bool drained() const override { return m_drained || failed(); }
    /// What was queued sounds at once, unless told to hold its start.
    qint64 soundingForUs() const override { return m_open && m_queuedSinceOpen && !m_holdStart ? 0 : -1; }
    bool isOpen() const override { return m_open; }
    bool failed() const override { return m_open && m_lost; }
    void queue(const qint16* frames, int frameCount) override;
    void reset() override;
    void close() override;

    /// Every call in order: "open -1 11025", "queue 661", "reset", "close".
    const QStringList& calls() const { return m_calls; }
    const QList<Queued>& queued() const { return m_queued; }
    /// Every open fails with error until told otherwise.
    void failOpen(bool fail, OpenError error = OpenError::Other) {
        m_failOpen = fail;
        m_failWith = error;
    }
    /// Opens at these rates only, failing with BadFormat at any other; every rate when empty.
    void openOnlyAt(const QList<int>& rates) { m_rates = rates; }
    /// What has been queued has played (true) or not yet.
    void setDrained(bool drained) { m_drained = drained; }
    /// The device goes away: the open stream fails, and every open fails with NoDevice until
    /// failOpen(false).
    void loseDevice() {
        m_lost = true;
        failOpen(true, OpenError::NoDevice);
    }
    /// A stream that has not started playing yet (true), as a sound server's new stream may be.
    void holdStart(bool hold) { m_holdStart = hold; }

private:
    QStringList m_calls;
    QList<Queued> m_queued;
    bool m_failOpen = false;
    OpenError m_failWith = OpenError::Other;
    QList<int> m_rates;
    OpenError m_lastError = OpenError::None;
    bool m_open = false;
    bool m_drained = true;
    bool m_queuedSinceOpen = false;
    bool m_holdStart = false;
    bool m_lost = false; ///< the stream open when the device went away
};
