#include "log/LogEncoding.h"

int LogUnitSize(LogEncoding encoding) {
    return encoding == LogEncoding::Ansi ? 1 : 2;
}

QByteArray EncodeLogText(const QString& text, LogEncoding encoding) {
    QByteArray bytes;
    bytes.reserve(text.size() * LogUnitSize(encoding));
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const char low = char(unit & 0xFF);
        if (encoding == LogEncoding::Utf16) {
            bytes.append(low);
            bytes.append(char(unit >> 8));
        } else {
            bytes.append(low);
            // A wide character cut down to a double quote would end its quoted value early and
            // break every record after it, so it is escaped like a real quote.
            if (unit > 0xFF && low == '"')
                bytes.append(low);
        }
    }
    return bytes;
}
