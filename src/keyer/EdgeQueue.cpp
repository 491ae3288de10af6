#include "keyer/EdgeQueue.h"

#include <algorithm>

std::optional<KeyingEdge> EdgeQueue::takeDue(qint64 nowUs) {
    if (m_edges.empty() || m_edges.front().dueUs > nowUs)
        return std::nullopt;
    const KeyingEdge edge = m_edges.front();
    m_edges.pop_front();
    const qint64 lateUs = nowUs - edge.dueUs;
    if (!m_edges.empty() && lateUs > m_edges.front().dueUs - edge.dueUs) {
        for (KeyingEdge& later : m_edges)
            later.dueUs += lateUs;
    }
    if (edge.line == KeyingEdge::Line::Key)
        m_keyDown = edge.on;
    return edge;
}

void EdgeQueue::cancel() {
    bool keepKeyUp = m_keyDown;
    std::deque<KeyingEdge> kept;
    for (const KeyingEdge& edge : m_edges) {
        if (edge.line == KeyingEdge::Line::Ptt) {
            kept.push_back(edge);
        } else if (keepKeyUp && !edge.on) {
            kept.push_back(edge);
            keepKeyUp = false;
        }
    }
    m_edges = std::move(kept);
}
