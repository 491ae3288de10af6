#include "peer/PeerMessages.h"

#include "link/LinkText.h"

namespace {

QString Column(const QString& text, qsizetype width) {
    return text.leftJustified(width, QLatin1Char(' '), true);
}

QString Column(int number) {
    return Column(QString::number(number), 4);
}

} // namespace

QByteArray PeerMessage(QByteArrayView head, const QString& text) {
    return LinkMessage(head, text, kLinkReceiveLimit);
}

QByteArray StringReplyMessage(int string, const DecoderString& decoded) {
    return PeerMessage(QString::asprintf("GET%02d %04d ", string, decoded.pitch).toLatin1(), decoded.text);
}

QString ItemRecord(const CompanionItem& item) {
    return Column(item.name, 16) + Column(item.value, 4) + QStringLiteral("    ") + QString::number(int(item.kind)) +
           Column(item.minimum) + Column(item.maximum) + Column(item.scale);
}

QByteArray ItemListMessage(const QStringList& records) {
    return PeerMessage("SPEC ", records.join(QString()));
}

QByteArray LogDataMessage(const QStringList& lines) {
    QString block;
    for (const QString& line : lines)
        block += line + QLatin1Char('\n');
    return PeerMessage("LOGDT ", block);
}

QByteArray FsetAnswer() {
    return PeerMessage("FSET ", QString());
}
