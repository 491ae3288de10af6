#include "keyer/RemoteLink.h"

QByteArray RemoteHandoffDatagram(int wpm, const QString& text) {
    const QString message = QStringLiteral("RMT%1 %2\r").arg(wpm, 2, 10, QLatin1Char('0')).arg(text);
    return message.left(2599).toLocal8Bit();
}
