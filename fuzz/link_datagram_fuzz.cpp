#include "FuzzCheck.h"
#include "link/CompanionMessage.h"
#include "link/EveryReceiveOption.h"
#include "link/LinkDispatch.h"
#include "link/LinkHost.h"
#include "link/LinkText.h"
#include "link/RemoteMessages.h"
#include "settings/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

// Any datagram, in any role, from any sender: what the handler asks of the screen and sends back
// stays within the link's limits and its rules. The first byte sets the scene:
//   bits 0-1  0 neither, 1 remote station, 2 host station, 3 host station with receiving off
//   bits 2-3  sender: 0 the companion, 1 the remote/host peer, 2 a stranger, 3 both peers at one address
//   bit 4     view dialog open; bit 5 RcvCW live strings; bit 6 host idle
//   bit 7     every receive option on and ipcheck off
// The rest is the datagram.

namespace {

const QString kCompanion = QStringLiteral("127.0.0.1");
const QString kPeer = QStringLiteral("127.0.0.2");
const QString kStranger = QStringLiteral("127.0.0.3");

class CheckingHost : public LinkHost {
public:
    CheckingHost(const Settings& settings, const QString& sender, LinkRole role, bool viewOpen, bool live, bool idle)
        : m_settings(settings), m_sender(sender), m_role(role), m_viewOpen(viewOpen), m_live(live), m_idle(idle) {}

    bool viewDialogOpen() const override { return m_viewOpen; }
    bool LiveStrings() const override { return m_live; }
    bool mainWindowVisible() const override { return true; }
    bool idleForRemote() const override { return m_idle; }

    void setField(ContactField field, const QString& text) override {
        fromCompanion();
        Require(field >= 0 && field < kContactFields && text.size() <= kTextLimit);
    }
    void bringToFront() override { fromCompanion(); }
    void clearContact() override { fromCompanion(); }
    void setRcvCwCaption(const QString& caption) override {
        fromCompanion();
        Require(!m_viewOpen && caption.endsWith(QLatin1String("Hz")));
    }
    void LogText(const QString&) override {}
    void updateLiveLine(const QString&) override {
        fromCompanion();
        Require(m_live && !m_viewOpen);
    }
    void showViewString(int string, const QString&, const QString& text) override {
        fromCompanion();
        Require(m_viewOpen && string >= 1 && string <= kDecoderStrings);
        Require(!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')));
    }
    void setViewItems(const QStringList& records) override {
        fromCompanion();
        Require(m_viewOpen);
        for (const QString& record : records)
            Require(record.size() == kSpecRecordLength);
    }
    void frequencyTaken() override { fromCompanion(); }
    void logData(const QString&) override { fromCompanion(); }

    void keyRemoteText(int wpm, const QString&) override {
        Require(m_role == LinkRole::Host && m_idle && !keyed);
        Require(wpm >= kRemoteMinWpm && wpm <= kRemoteMaxWpm);
        keyed = true;
    }
    // A datagram never starts a wait: only the sender's hand-off does.
    void startRemoteWait() override { Require(false); }
    void endRemoteWait() override {
        Require(m_role == LinkRole::Remote && !answered);
        answered = true;
    }
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override {
        Require(peer == LinkPeer::RemoteHost && m_role == LinkRole::Host && !sent);
        Require(datagram.size() <= kLinkReceiveLimit);
        sent = datagram;
    }

    bool keyed = false;
    bool answered = false;
    std::optional<QByteArray> sent;

private:
    // Only what the companion may send reaches the screen: receiving on, and with ipcheck from its address.
    void fromCompanion() const {
        Require(m_settings.Recv_ENABLEALL && (!m_settings.ipcheck || m_sender == m_settings.ip));
    }

    const Settings& m_settings;
    QString m_sender;
    LinkRole m_role;
    bool m_viewOpen;
    bool m_live;
    bool m_idle;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t scene = data[0];
    const QByteArray datagram(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    Settings settings = scene & 0x80 ? EveryReceiveOption() : Settings();
    const int role = scene & 3;
    settings.Remote_USE = role != 0;
    settings.Remote_HOST = role >= 2;
    settings.Recv_ENABLEALL = role != 3;
    settings.ip = kCompanion;
    settings.Remote_IP = kPeer;
    QString sender;
    switch ((scene >> 2) & 3) {
    case 0:
        sender = kCompanion;
        break;
    case 1:
        sender = kPeer;
        break;
    case 2:
        sender = kStranger;
        break;
    default:
        settings.Remote_IP = kCompanion;
        sender = kCompanion;
        break;
    }
    if (scene & 0x80)
        settings.ipcheck = 0;
    const LinkRole linkRole = role == 0 ? LinkRole::Neither : role == 1 ? LinkRole::Remote : LinkRole::Host;
    const bool idle = scene & 0x40;
    CheckingHost host(settings, sender, linkRole, scene & 0x10, scene & 0x20, idle);

    HandleLinkDatagram(datagram, sender, settings, host);

    Require(settings.Recv_STRINGS >= 0 && settings.Recv_STRINGS <= kDecoderStrings);
    // An "RMT" text from the peer is always answered by a host (when it may answer) and always
    // ends a remote station's wait; the answer is the datagram as read, or its busy form.
    const QByteArray received = ReceivedBytes(datagram);
    const bool rmtFromPeer = sender == settings.Remote_IP && received.startsWith("RMT") && received.size() >= 4;
    const bool mayAnswer = settings.Send_ENABLEALL && settings.Recv_ENABLEALL;
    if (linkRole == LinkRole::Host && rmtFromPeer) {
        Require(host.keyed == idle);
        Require(host.sent.has_value() == mayAnswer);
        if (host.sent && idle)
            Require(*host.sent == received);
        if (host.sent && !idle)
            Require(host.sent->startsWith("RMT") && host.sent->endsWith(" <busy>\r"));
    } else {
        Require(!host.keyed && !host.sent);
    }
    Require(host.answered == (linkRole == LinkRole::Remote && rmtFromPeer));
    return 0;
}
