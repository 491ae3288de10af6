#include "link/RemoteMessages.h"

#include "link/LinkText.h"

#include <algorithm>

namespace {

// The byte that ends every message on the wire.
constexpr char kEnd = '\r';

} // namespace

QByteArray RmtMessage(int wpm, const QString& text) {
    return LinkMessage(QString::asprintf("RMT%02d ", wpm).toLatin1(), text, kLinkReceiveLimit);
}

QByteArray EscapeMessage() {
    return QByteArrayLiteral("ESCAPE \r");
}

QByteArray BusyAnswer(const QByteArray& received) {
    static const QByteArray busy = QByteArrayLiteral(" <busy>\r");
    QByteArray text = received.endsWith(kEnd) ? received.chopped(1) : received;
    const qsizetype room = kLinkReceiveLimit - busy.size();
    // Re-encoded only when too long, so that an answer of ordinary length keeps its exact bytes.
    if (text.size() > room)
        text = ToLinkBytes(FromLinkBytes(text), room);
    return text + busy;
}

RemoteText ParseRemoteText(const QString& message) {
    const int asked = LeadingNumber(message.mid(3, 2));
    return RemoteText{std::clamp(asked, kRemoteMinWpm, kRemoteMaxWpm), message.mid(6)};
}
