#include "platform/BufferQueue.h"

#include <algorithm>
#include <cstring>

bool BufferQueue::push(const qint16* frames, int frameCount, double queuedAt) {
    if (frameCount < 1)
        return false;
    const unsigned tail = m_tail.load(std::memory_order_relaxed);
    if (tail - m_head.load(std::memory_order_acquire) == kCapacity)
        return false;
    m_ring[tail % kCapacity] = {frames, frameCount, queuedAt};
    m_tail.store(tail + 1, std::memory_order_release);
    return true;
}

void BufferQueue::fill(qint16* out, int frameCount, double now, double frameSeconds) {
    int written = 0;
    while (written < frameCount) {
        if (m_position == m_playing.count && !takeNext(now + written * frameSeconds))
            break;
        const int n = std::min(frameCount - written, m_playing.count - m_position);
        std::memcpy(out + size_t(written) * 2, m_playing.frames + size_t(m_position) * 2,
                    size_t(n) * 2 * sizeof(qint16));
        written += n;
        m_position += n;
        if (m_position == m_playing.count) {
            m_finishedAt.store(now + written * frameSeconds, std::memory_order_relaxed);
            m_finished.fetch_add(1, std::memory_order_release);
        }
    }
    std::memset(out + size_t(written) * 2, 0, size_t(frameCount - written) * 2 * sizeof(qint16));
}

bool BufferQueue::takeNext(double startsAt) {
    const unsigned head = m_head.load(std::memory_order_relaxed);
    if (head == m_tail.load(std::memory_order_acquire))
        return false;
    m_playing = m_ring[head % kCapacity];
    m_position = 0;
    m_head.store(head + 1, std::memory_order_release);
    m_lastWait.store(startsAt - m_playing.queuedAt, std::memory_order_relaxed);
    if (!m_begun.load(std::memory_order_relaxed)) {
        m_firstBegunAt = startsAt;
        m_begun.store(true, std::memory_order_release);
    }
    return true;
}

std::optional<double> BufferQueue::firstBegunAt() const {
    if (!m_begun.load(std::memory_order_acquire))
        return std::nullopt;
    return m_firstBegunAt;
}

void BufferQueue::clear() {
    m_head.store(0);
    m_tail.store(0);
    m_playing = {};
    m_position = 0;
    m_finished.store(0);
    m_finishedAt.store(-std::numeric_limits<double>::infinity());
    m_begun.store(false);
}

bool BufferQueue::drained(double now) const {
    // With every pushed buffer counted as finished the consumer has nothing left that could move
    // m_finishedAt, so the time read after the count belongs to the last buffer.
    if (m_finished.load(std::memory_order_acquire) != m_tail.load(std::memory_order_relaxed))
        return false;
    return now >= m_finishedAt.load(std::memory_order_relaxed);
}
