#include "peer/InputLines.h"

namespace {

QString Line(QByteArray bytes) {
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromLocal8Bit(bytes);
}

} // namespace

QStringList InputLines::add(const QByteArray& bytes) {
    m_pending += bytes;
    QStringList lines;
    qsizetype start = 0;
    // Decoded only whole, so that a character split between two reads stays one character.
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n', start)) {
        lines.append(Line(m_pending.mid(start, end - start)));
        start = end + 1;
    }
    m_pending.remove(0, start);
    return lines;
}

std::optional<QString> InputLines::rest() {
    if (m_pending.isEmpty())
        return std::nullopt;
    const QString line = Line(m_pending);
    m_pending.clear();
    return line;
}
