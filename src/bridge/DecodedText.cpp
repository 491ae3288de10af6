#include "bridge/DecodedText.h"

#include "link/LinkText.h"

namespace {

// Tarvo shows at most a datagram's worth; keep a few of those.
constexpr qsizetype kKeptChars = 8192;

} // namespace

void DecodedText::connected(int length) {
    m_position = length;
}

std::optional<DecodedText::Range> DecodedText::grown(int length) {
    if (length < m_position)
        m_position = 0; // cleared: all it holds now came since
    if (length == m_position)
        return std::nullopt;
    return Range{m_position, length - m_position};
}

void DecodedText::read(const Range& range, const QString& text, bool keep) {
    // A pane cleared meanwhile leaves the position where the next length puts it.
    if (range.start != m_position)
        return;
    m_position += range.length;
    if (!keep)
        return;
    QString line = text;
    // A decoder string is one line of Tarvo's transcript.
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Tarvo reads a datagram up to its first NUL: one would cut off all that came after it.
    line.remove(QChar(0));
    m_text += line;
    if (m_text.size() > kKeptChars)
        m_text.remove(0, m_text.size() - kKeptChars);
}

QString DecodedText::tail(qsizetype maxBytes) const {
    QString out = m_text.right(maxBytes);
    while (!out.isEmpty() && ToLinkBytes(out).size() > maxBytes)
        out.remove(0, out.at(0).isHighSurrogate() && out.size() > 1 ? 2 : 1);
    return out;
}
