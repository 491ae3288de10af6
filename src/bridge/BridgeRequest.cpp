#include "bridge/BridgeRequest.h"

#include "bridge/LogFields.h"
#include "bridge/RigControl.h"
#include "link/LinkText.h"
#include "peer/PeerAnswers.h"
#include "peer/PeerMessages.h"

namespace {

/// The "GET" reply's head, "GET01 0600 ", and its final carriage return.
constexpr qsizetype kStringReplyFrame = 12;

/// The field Tarvo's message sets, or −1.
int logFieldOf(const QByteArray& datagram) {
    for (int i = 0; i < kLogFieldCount; ++i) {
        if (datagram.startsWith(kLogFields[i].keyword))
            return i;
    }
    return -1;
}

BridgeRequest requestOf(BridgeRequest::Kind kind) {
    BridgeRequest request;
    request.kind = kind;
    return request;
}

BridgeRequest textRequest(BridgeRequest::Kind kind, const QByteArray& received, qsizetype head) {
    BridgeRequest request = requestOf(kind);
    request.text = ReceivedText(received).value_or(QString()).mid(head);
    return request;
}

BridgeRequest tuneRequest(const QByteArray& received) {
    BridgeRequest request = requestOf(BridgeRequest::Kind::Tune);
    if (const std::optional<Rig> wanted = RequestedRig(received)) {
        request.hz = FrequencyHz(wanted->frequency);
        request.mode = wanted->mode;
    }
    return request;
}

} // namespace

BridgeRequest ReadBridgeRequest(const QByteArray& received) {
    using Kind = BridgeRequest::Kind;
    const QByteArray keyword = RequestKeyword(received);
    if (const int string = AskedString(keyword); string > 0) {
        BridgeRequest request = requestOf(Kind::String);
        request.string = string;
        return request;
    }
    if (keyword == "SPEC")
        return requestOf(Kind::Items);
    if (keyword == "VAL")
        return textRequest(Kind::SetItem, received, 4);
    if (keyword == "FREQ")
        return requestOf(Kind::Rig);
    if (keyword == "FSET")
        return tuneRequest(received);
    if (keyword == "CLR")
        return requestOf(Kind::ClearLog);
    if (const int field = logFieldOf(received); field >= 0) {
        BridgeRequest request = textRequest(Kind::LogField, received, qsizetype(qstrlen(kLogFields[field].keyword)));
        request.field = field;
        return request;
    }
    return {};
}

QByteArray DecodedStringReply(int carrier, const DecodedText& text) {
    return StringReplyMessage(1, {carrier, text.tail(kLinkReceiveLimit - kStringReplyFrame)});
}
