#include "FuzzCheck.h"
#include "bridge/BridgeItems.h"
#include "bridge/BridgeRequest.h"
#include "bridge/DecodedText.h"
#include "bridge/LogFields.h"
#include "bridge/RigControl.h"
#include "link/CompanionMessage.h"
#include "link/EveryReceiveOption.h"
#include "link/HamlogRecord.h"
#include "link/LinkText.h"
#include "link/ViewItems.h"
#include "peer/PeerAnswers.h"
#include "peer/PeerMessages.h"
#include "settings/Settings.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

// The bridge between Tarvo and fldigi/Hamlib. The input is the rig's reading as Hamlib hands it
// (8 bytes of a double in hertz, a length byte and that many bytes of the mode's name), then a
// datagram from Tarvo, which also serves as text fldigi decoded. Whatever the bridge sends back
// must read on Tarvo's side as what the bridge meant.

namespace {

/// What Tarvo reads of a datagram the bridge sends.
CompanionMessage AtTarvo(const QByteArray& datagram, LinkKeyword expected) {
    Require(datagram.size() <= kLinkReceiveLimit);
    static const Settings settings = EveryReceiveOption();
    const std::optional<CompanionMessage> message = ParseCompanionMessage(ReceivedBytes(datagram), settings);
    Require(message && message->keyword == expected);
    return *message;
}

// The rig's frequency and mode reach Tarvo's display as the bridge reads them.
void CheckRigReading(double hz, const std::string& mode) {
    const std::optional<RigReading> reading = RigReadingOf(hz, mode.c_str());
    if (!reading)
        return;
    Require(reading->hz >= 1 && reading->hz <= 1'000'000'000'000);
    const QString text = FrequencyText(reading->hz);
    if (reading->hz >= 5) {
        const std::optional<qint64> back = FrequencyHz(text);
        Require(back && std::llabs(*back - reading->hz) <= 5);
    }
    const QByteArray block = RigLogData(Rig{text, reading->mode});
    const HamlogBlock shown = BuildHamlogRecord(AtTarvo(block, LinkKeyword::LOGDT).value);
    Require(shown.frequencies.value(0) == text);
    Require(shown.modes == (reading->mode.isEmpty() ? QStringList() : QStringList{reading->mode}));
}

// Whatever "VAL" sets, the item list still reads as two items holding values of their own lists.
void CheckItems(const QString& payload) {
    BridgeItems items;
    items.apply(payload);
    const QStringList records = items.records();
    Require(SpecRecords(AtTarvo(ItemListMessage(records), LinkKeyword::SPEC).value) == records);
    const ValueList poll = ValueListOf(ParseViewItem(records[0]));
    Require(poll.selected >= 0 && poll.values[poll.selected] == items.pollMs());
    Require(items.pollMs() >= 100 && items.pollMs() <= 1000);
}

// A field Tarvo sets, when fldigi hands it back, comes to Tarvo as it went.
void CheckLogField(int field, const QString& text) {
    static constexpr LinkKeyword kKeywords[kLogFieldCount] = {LinkKeyword::CALL, LinkKeyword::NAME, LinkKeyword::QTH,
                                                              LinkKeyword::RST, LinkKeyword::MYRST};
    Require(field >= 0 && field < kLogFieldCount);
    const QByteArray echo = PeerMessage(kLogFields[field].keyword, text);
    const QString back = AtTarvo(echo, kKeywords[field]).value;
    // Bytes that were no UTF-8 come back as replacement characters, three bytes each, and may no
    // longer fit: then the echo is cut.
    Require(text.left(back.size()) == back);
    if (qstrlen(kLogFields[field].keyword) + ToLinkBytes(text).size() + 1 <= size_t(kLinkReceiveLimit))
        Require(back == text);
}

// Decoded text read in two pieces comes to Tarvo as one line, its newest part whole.
void CheckDecodedText(const QString& text, int carrier, bool keepSecond) {
    DecodedText decoded;
    decoded.connected(0);
    const int half = int(text.size() / 2);
    for (const auto& [end, keep] : {std::pair{half, true}, std::pair{int(text.size()), keepSecond}}) {
        if (const std::optional<DecodedText::Range> range = decoded.grown(end))
            decoded.read(*range, text.mid(range->start, range->length), keep);
    }
    QString line = keepSecond ? text : text.left(half);
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.remove(QChar(0));
    // A piece read may end in half a surrogate pair; the link carries it as it carries any text.
    line = FromLinkBytes(ToLinkBytes(line));
    const std::optional<StringReply> reply =
        ParseStringReply(AtTarvo(DecodedStringReply(carrier, decoded), LinkKeyword::GET).value);
    Require(reply && reply->string == 1 && reply->pitch == QString::number(carrier));
    Require(line.right(reply->text.size()) == reply->text);
    if (ToLinkBytes(line).size() <= 2000)
        Require(reply->text == line);
}

void CheckRequest(const QByteArray& received) {
    using Kind = BridgeRequest::Kind;
    const BridgeRequest request = ReadBridgeRequest(received);
    switch (request.kind) {
    case Kind::String:
        Require(request.string >= 1 && request.string <= kDecoderStrings);
        Require(RequestKeyword(received) ==
                QByteArray("GET") + QByteArray::number(request.string).rightJustified(2, '0'));
        break;
    case Kind::Tune:
        Require(!request.hz || (*request.hz >= 1 && *request.hz <= 1'000'000'000'000));
        Require(!request.mode.contains(QLatin1Char('\r')) && !request.mode.contains(QLatin1Char('\n')));
        break;
    case Kind::SetItem:
        CheckItems(request.text);
        break;
    case Kind::LogField:
        CheckLogField(request.field, request.text);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9)
        return 0;
    double hz = 0;
    std::memcpy(&hz, data, sizeof hz);
    const size_t modeSize = std::min<size_t>(data[8], size - 9);
    const std::string mode(reinterpret_cast<const char*>(data + 9), modeSize);
    const QByteArray datagram(reinterpret_cast<const char*>(data + 9 + modeSize), qsizetype(size - 9 - modeSize));

    CheckRigReading(hz, mode);
    const QByteArray received = ReceivedBytes(datagram);
    CheckRequest(received);
    CheckDecodedText(FromLinkBytes(datagram), int(data[0]) * 39 % 10000, data[1] & 1);
    return 0;
}
