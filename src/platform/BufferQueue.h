#pragma once

#include <QtGlobal>

#include <array>
#include <atomic>
#include <limits>
#include <optional>

/// Buffers of interleaved 16-bit stereo frames waiting to play, handed from one producer thread to
/// one consumer (an audio callback) without locks or allocation. The consumer plays each buffer
/// whole, in queue order, and silence when nothing waits.
class BufferQueue {
public:
    static constexpr unsigned kCapacity = 32;

    /// Producer. The frames must live until they have played or the queue is cleared. False when
    /// the queue is full or the buffer empty: nothing was queued.
    bool push(const qint16* frames, int frameCount, double queuedAt);

    /// Consumer: writes frameCount frames to out. now is the time of out's first frame and
    /// frameSeconds the length of one frame, on the clock of queuedAt.
    void fill(qint16* out, int frameCount, double now, double frameSeconds);

    /// Drops everything; only while the consumer is stopped.
    void clear();

    /// Producer: every buffer pushed has gone into the consumer's output whole and its last frame
    /// ends by now, on the clock of fill's now.
    bool drained(double now) const;

    /// From the push of the buffer that began playing last to the moment of its first frame in the
    /// consumer's output; negative before any buffer began.
    double lastWaitSeconds() const { return m_lastWait.load(std::memory_order_relaxed); }

    /// When the first buffer pushed since the last clear began, on the clock of fill's now.
    std::optional<double> firstBegunAt() const;

private:
    struct Entry {
        const qint16* frames = nullptr;
        int count = 0;
        double queuedAt = 0;
    };

    bool takeNext(double startsAt);

    std::array<Entry, kCapacity> m_ring{};
    std::atomic<unsigned> m_head{0};
    std::atomic<unsigned> m_tail{0};
    Entry m_playing;
    int m_position = 0;
    std::atomic<double> m_lastWait{-1};
    std::atomic<bool> m_begun{false};
    double m_firstBegunAt = 0; ///< written before m_begun is set
    // Buffers whose last frame has been written, counted like m_tail, and when that frame ends.
    std::atomic<unsigned> m_finished{0};
    std::atomic<double> m_finishedAt{-std::numeric_limits<double>::infinity()};
};
