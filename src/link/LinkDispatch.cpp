#include "link/LinkDispatch.h"

#include "link/CompanionMessage.h"
#include "link/LinkHost.h"
#include "link/LinkRoles.h"
#include "link/LinkText.h"
#include "link/RemoteMessages.h"
#include "settings/Settings.h"

namespace {

void HostKeys(const QByteArray& received, const RemoteText& asked, const Settings& settings, LinkHost& host) {
    QByteArray answer;
    if (host.idleForRemote()) {
        // Kept before keying: the answer is the datagram as it came, whatever arrives meanwhile.
        answer = received;
        host.keyRemoteText(asked.wpm, asked.text);
    } else {
        answer = BusyAnswer(received);
    }
    if (RemoteExchangeEnabled(settings))
        host.sendToPeer(LinkPeer::RemoteHost, answer);
}

void RemoteShowsAnswer(const RemoteText& answer, LinkHost& host) {
    host.LogText(QLatin1Char(' ') + answer.text);
    host.LogText(QStringLiteral("\r\n"));
    host.endRemoteWait();
}

/// True when the datagram was an "RMT" exchange and is done with.
bool HandledAsRemote(const QByteArray& received, const QString& sender, const Settings& settings, LinkHost& host) {
    if (!FromRemotePeer(settings, sender))
        return false;
    const std::optional<QString> text = ReceivedText(received);
    if (!text || !text->startsWith(QLatin1String("RMT")))
        return false;
    const RemoteText remote = ParseRemoteText(*text);
    if (RemoteRole(settings) == LinkRole::Host)
        HostKeys(received, remote, settings, host);
    else
        RemoteShowsAnswer(remote, host);
    return true;
}

void ShowString(const StringReply& reply, Settings& settings, LinkHost& host) {
    if (host.viewDialogOpen()) {
        QString text = reply.text;
        text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        host.showViewString(reply.string, reply.pitch, text);
        return;
    }
    settings.Recv_STRINGS = reply.string;
    host.setRcvCwCaption(QString::asprintf("%X ", reply.string) + reply.pitch + QStringLiteral("Hz"));
    if (!host.LiveStrings()) {
        host.LogText(reply.text);
        host.LogText(QStringLiteral("\r\n"));
    } else if (host.mainWindowVisible()) {
        host.updateLiveLine(reply.text);
    }
}

void Dispatch(const CompanionMessage& message, Settings& settings, LinkHost& host) {
    if (const auto field = FieldOf(message.keyword)) {
        host.setField(*field, LeftCharacters(message.value, kTextLimit));
        return;
    }
    switch (message.keyword) {
    case LinkKeyword::FORE:
        host.bringToFront();
        break;
    case LinkKeyword::CLR:
        host.clearContact();
        break;
    case LinkKeyword::SPEC:
        if (host.viewDialogOpen())
            host.setViewItems(SpecRecords(message.value));
        break;
    case LinkKeyword::GET:
        if (const auto reply = ParseStringReply(message.value))
            ShowString(*reply, settings, host);
        break;
    case LinkKeyword::FSET:
        host.frequencyTaken();
        break;
    case LinkKeyword::LOGDT:
        host.logData(message.value);
        break;
    default:
        break;
    }
}

} // namespace

void HandleLinkDatagram(const QByteArray& datagram, const QString& sender, Settings& settings, LinkHost& host) {
    const QByteArray received = ReceivedBytes(datagram);
    if (received.isEmpty() || HandledAsRemote(received, sender, settings, host))
        return;
    if (!AcceptedFromCompanion(settings, sender))
        return;
    if (const auto message = ParseCompanionMessage(received, settings))
        Dispatch(*message, settings, host);
}
