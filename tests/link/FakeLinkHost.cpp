#include "FakeLinkHost.h"

namespace {

const char* const kFieldNames[kContactFields] = {"CALL", "RST", "NAME", "QTH", "M1", "M2"};

QString Visible(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

} // namespace

void FakeLinkHost::setField(ContactField field, const QString& text) {
    record(QStringLiteral("setField(%1, %2)").arg(QLatin1String(kFieldNames[field]), text));
}

void FakeLinkHost::setRcvCwCaption(const QString& caption) {
    record(QStringLiteral("setRcvCwCaption(%1)").arg(caption));
}

void FakeLinkHost::LogText(const QString& text) {
    record(QStringLiteral("LogText(%1)").arg(text));
}

void FakeLinkHost::updateLiveLine(const QString& text) {
    record(QStringLiteral("updateLiveLine(%1)").arg(text));
}

void FakeLinkHost::showViewString(int string, const QString& pitch, const QString& text) {
    record(QStringLiteral("showViewString(%1, %2, %3)").arg(string).arg(pitch, text));
}

void FakeLinkHost::setViewItems(const QStringList& records) {
    record(QStringLiteral("setViewItems(%1)").arg(records.join(QLatin1Char('|'))));
}

void FakeLinkHost::logData(const QString& block) {
    record(QStringLiteral("logData(%1)").arg(block));
}

void FakeLinkHost::keyRemoteText(int wpm, const QString& text) {
    record(QStringLiteral("keyRemoteText(%1, %2)").arg(wpm).arg(text));
    if (whileKeying)
        whileKeying();
}

void FakeLinkHost::sendToPeer(LinkPeer peer, const QByteArray& datagram) {
    const QString name = peer == LinkPeer::Companion ? QStringLiteral("Companion") : QStringLiteral("RemoteHost");
    record(QStringLiteral("sendToPeer(%1, %2)").arg(name, QString::fromLocal8Bit(datagram)));
}

void FakeLinkHost::record(const QString& call) {
    calls.append(Visible(call));
}
