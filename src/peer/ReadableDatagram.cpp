#include "peer/ReadableDatagram.h"

#include <QStringDecoder>

namespace {

void AppendEscaped(QString& out, char16_t c) {
    switch (c) {
    case u'\r':
        out += QLatin1String("\\r");
        return;
    case u'\n':
        out += QLatin1String("\\n");
        return;
    case u'\t':
        out += QLatin1String("\\t");
        return;
    case u'\\':
        out += QLatin1String("\\\\");
        return;
    case u'"':
        out += QLatin1String("\\\"");
        return;
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F)
        out += QString::asprintf("\\x%02X", unsigned(c));
    else if (QChar::category(char32_t(c)) == QChar::Other_Control)
        out += QString::asprintf("\\u%04X", unsigned(c));
    else
        out += QChar(c);
}

} // namespace

QString ReadableDatagram(const QByteArray& datagram) {
    QStringDecoder decoder(QStringDecoder::System);
    const QString text = decoder.decode(datagram);
    QString out = QStringLiteral("\"");
    if (decoder.hasError()) {
        for (const char byte : datagram) {
            const auto c = static_cast<unsigned char>(byte);
            if (c >= 0x80)
                out += QString::asprintf("\\x%02X", unsigned(c));
            else
                AppendEscaped(out, c);
        }
    } else {
        for (const QChar c : text)
            AppendEscaped(out, c.unicode());
    }
    out += QLatin1Char('"');
    return out;
}
