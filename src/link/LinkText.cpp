#include "link/LinkText.h"

#include <algorithm>
#include <limits>

QByteArray ToLinkBytes(const QString& text) {
    return text.toLocal8Bit();
}

QByteArray ToLinkBytes(const QString& text, qsizetype maxBytes) {
    QByteArray bytes = ToLinkBytes(text);
    if (bytes.size() <= maxBytes)
        return bytes;
    // Longest prefix that fits: prefix(low) fits, prefix(high) does not.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (high - low > 1) {
        const qsizetype middle = low + (high - low) / 2;
        if (ToLinkBytes(text.left(middle)).size() <= maxBytes)
            low = middle;
        else
            high = middle;
    }
    return ToLinkBytes(LeftCharacters(text, low));
}

QByteArray LinkMessage(QByteArrayView head, const QString& text, qsizetype limit) {
    QByteArray message = head.toByteArray();
    message += ToLinkBytes(text, limit - head.size() - 1);
    message += '\r';
    return message;
}

QString FromLinkBytes(const QByteArray& bytes) {
    return QString::fromLocal8Bit(bytes);
}

QString LeftCharacters(const QString& text, qsizetype limit) {
    if (limit >= text.size())
        return text;
    if (limit <= 0)
        return QString();
    return text.left(text[limit - 1].isHighSurrogate() ? limit - 1 : limit);
}

QByteArray ReceivedBytes(const QByteArray& datagram) {
    const QByteArray read = datagram.left(kLinkReceiveLimit);
    const qsizetype nul = read.indexOf('\0');
    return nul < 0 ? read : read.left(nul);
}

std::optional<QString> ReceivedText(const QByteArray& received) {
    QString text = FromLinkBytes(received);
    if (text.size() < 2)
        return std::nullopt;
    // A character outside the BMP is one character: never leave half of it behind.
    const qsizetype last = text.size() - 1;
    const bool pair = text[last].isLowSurrogate() && text[last - 1].isHighSurrogate();
    text.chop(pair ? 2 : 1);
    return text;
}

int LeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    constexpr long long kLimit = std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(value * 10 + (text[i].unicode() - u'0'), kLimit + 1);
    if (negative)
        return int(std::max(-value, -kLimit - 1));
    return int(std::min(value, kLimit));
}
