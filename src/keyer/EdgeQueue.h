#pragma once

#include "keyer/KeyingEdge.h"

#include <deque>
#include <optional>

/// The edges of a transmission still to be made, in the order of their due times. Not locked:
/// its owner decides which thread touches it.
class EdgeQueue {
public:
    void push(const KeyingEdge& edge) { m_edges.push_back(edge); }
    bool empty() const { return m_edges.empty(); }
    qint64 frontDueUs() const { return m_edges.front().dueUs; }

    /// The next edge when it is due by nowUs. One taken more than an element late moves the rest
    /// of the schedule on by its delay: otherwise the elements after it would be due at once and
    /// go out as a burst. A smaller delay is absorbed by that one edge.
    std::optional<KeyingEdge> takeDue(qint64 nowUs);
    /// Drops every KEY edge still to come, but the key-up of a mark under way: no element starts
    /// after a cancel, and the one on the air ends normally. PTT edges stay.
    void cancel();
    void clear() { m_edges.clear(); }

private:
    std::deque<KeyingEdge> m_edges;
    bool m_keyDown = false;
};
