#include "bridge/Bridge.h"

#include "link/LinkText.h"
#include "peer/PeerAnswers.h"
#include "peer/PeerMessages.h"

#include <QNetworkDatagram>

#include <algorithm>

namespace {

constexpr int kPitchMax = 9999;

} // namespace

Bridge::Bridge(const BridgeOptions& options, RigControl& rig, BridgeNotes& notes, QObject* parent)
    : QObject(parent), m_options(options), m_rig(rig), m_notes(notes),
      m_fldigi(options.fldigiHost, options.fldigiPort) {
    connect(&m_timer, &QTimer::timeout, this, &Bridge::poll);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Bridge::receive);
}

bool Bridge::start() {
    if (!m_tarvo.setAddress(m_options.tarvoHost)) {
        m_error = QStringLiteral("%1 is no IP address").arg(m_options.tarvoHost);
        return false;
    }
    if (!m_socket.bind(QHostAddress::AnyIPv4, m_options.listenPort)) {
        m_error = QStringLiteral("UDP port %1: %2").arg(m_options.listenPort).arg(m_socket.errorString());
        return false;
    }
    poll();
    m_timer.start(m_items.pollMs());
    return true;
}

void Bridge::poll() {
    if (m_timer.interval() != m_items.pollMs())
        m_timer.setInterval(m_items.pollMs());
    pollRig();
    pollFldigi();
}

void Bridge::pollRig() {
    const std::optional<RigReading> reading = m_rig.read();
    if (reading.has_value() != m_rigUp.value_or(!reading.has_value())) {
        m_notes.note(reading ? QStringLiteral("the rig at %1 answers").arg(m_options.rigPath())
                             : QStringLiteral("the rig at %1 does not answer; trying again").arg(m_options.rigPath()));
    }
    m_rigUp = reading.has_value();
    if (reading && reading != m_rigReading) {
        m_rigReading = reading;
        sendRig();
    }
}

void Bridge::pollFldigi() {
    if (m_round)
        return;
    m_round.emplace();
    ask("main.get_trx_state", [this](const QVariant& v) { m_round->trxState = v.toString(); });
    ask("text.get_rx_length", [this](const QVariant& v) { m_round->rxLength = v.toLongLong(); });
    ask("modem.get_carrier", [this](const QVariant& v) { m_round->carrier = v.toLongLong(); });
    for (int i = 0; i < kLogFieldCount; ++i)
        ask(kLogFields[i].getter, [this, i](const QVariant& v) { m_round->fields[i] = v.toString(); });
}

void Bridge::ask(const char* method, std::function<void(const QVariant&)> take) {
    ++m_round->pending;
    m_fldigi.call(QString::fromLatin1(method), {},
                  [this, take = std::move(take)](const std::optional<XmlRpcReply>& reply) {
                      if (!reply)
                          m_round->reached = false;
                      else if (reply->ok)
                          take(reply->value);
                      if (--m_round->pending == 0)
                          roundAnswered();
                  });
}

void Bridge::roundAnswered() {
    if (!fldigiAnswered(m_round->reached))
        return endRound();
    m_transmitting = m_round->trxState == QStringLiteral("TX");
    if (m_round->carrier)
        m_carrier = int(std::clamp<qint64>(*m_round->carrier, 0, kPitchMax));
    takeLogFields();
    if (m_round->rxLength) {
        const int length = int(std::clamp<qint64>(*m_round->rxLength, 0, std::numeric_limits<int>::max()));
        // What the pane holds when the bridge comes is fldigi's own notices and old traffic.
        if (m_connecting)
            m_text.connected(length);
        else if (const std::optional<DecodedText::Range> range = m_text.grown(length))
            return readText(*range);
    }
    endRound();
}

void Bridge::takeLogFields() {
    for (int i = 0; i < kLogFieldCount; ++i) {
        const std::optional<QString>& value = m_round->fields[i];
        if (!value || m_round->setByTarvo[i] || *value == m_logFields[i])
            continue;
        m_logFields[i] = *value;
        // Fields fldigi holds when the bridge comes are no change.
        if (!m_connecting)
            send(PeerMessage(kLogFields[i].keyword, *value));
    }
}

void Bridge::readText(DecodedText::Range range) {
    m_fldigi.call(QStringLiteral("text.get_rx"), {range.start, range.length},
                  [this, range](const std::optional<XmlRpcReply>& reply) {
                      if (fldigiAnswered(reply.has_value()) && reply->ok)
                          m_text.read(range, reply->value.toString(), !m_transmitting || m_items.passTxText());
                      endRound();
                  });
}

bool Bridge::fldigiAnswered(bool reached) {
    if (reached != m_fldigiUp.value_or(!reached)) {
        m_notes.note(reached ? QStringLiteral("fldigi at %1 answers").arg(m_fldigi.address())
                             : QStringLiteral("fldigi at %1 does not answer; trying again").arg(m_fldigi.address()));
        m_connecting = reached;
    }
    m_fldigiUp = reached;
    return reached;
}

void Bridge::endRound() {
    if (m_fldigiUp.value_or(false))
        m_connecting = false;
    m_round.reset();
}

void Bridge::receive() {
    while (m_socket.hasPendingDatagrams())
        answer(ReceivedBytes(m_socket.receiveDatagram(kLinkReceiveLimit + 1).data()));
}

void Bridge::answer(const QByteArray& datagram) {
    using Kind = BridgeRequest::Kind;
    const BridgeRequest request = ReadBridgeRequest(datagram);
    switch (request.kind) {
    case Kind::String:
        return send(request.string == 1 ? DecodedStringReply(m_carrier, m_text)
                                        : StringReplyMessage(request.string, {}));
    case Kind::Items:
        return send(ItemListMessage(m_items.records()));
    case Kind::SetItem:
        m_items.apply(request.text);
        return;
    case Kind::Rig:
        m_rigReading.reset(); // the answer goes out even when nothing changed
        return pollRig();
    case Kind::Tune:
        return tune(request);
    case Kind::ClearLog:
        return clearLog();
    case Kind::LogField:
        return setLogField(request.field, request.text);
    case Kind::Ignored:
        return;
    }
}

void Bridge::tune(const BridgeRequest& request) {
    if (request.hz && m_rig.tune(*request.hz, request.mode)) {
        // What Tarvo asked for is no change to report back; the rig's own mode name comes next.
        m_rigReading = m_rig.read();
    }
    // Answered whatever became of it, so that Tarvo's display does not stay locked.
    send(FsetAnswer());
}

void Bridge::setLogField(int field, const QString& value) {
    m_logFields[field] = value; // no echo of Tarvo's own field back to it
    if (m_round)
        m_round->setByTarvo[field] = true;
    m_fldigi.call(QString::fromLatin1(kLogFields[field].setter), {value},
                  [this](const std::optional<XmlRpcReply>& reply) { fldigiAnswered(reply.has_value()); });
}

void Bridge::clearLog() {
    m_logFields.fill(QString());
    if (m_round)
        m_round->setByTarvo.fill(true);
    m_fldigi.call(QStringLiteral("log.clear"), {},
                  [this](const std::optional<XmlRpcReply>& reply) { fldigiAnswered(reply.has_value()); });
}

void Bridge::sendRig() {
    send(RigLogData(Rig{FrequencyText(m_rigReading->hz), m_rigReading->mode}));
}

void Bridge::send(const QByteArray& datagram) {
    m_socket.writeDatagram(datagram, m_tarvo, m_options.tarvoPort);
}
