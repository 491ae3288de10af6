// The bridge's rules without network or rig: its command line, XML-RPC replies, the decoded text
// and its own items.
#include "bridge/BridgeItems.h"
#include "bridge/BridgeOptions.h"
#include "bridge/DecodedText.h"
#include "bridge/RigControl.h"
#include "bridge/XmlRpc.h"
#include "link/LinkText.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace {

QByteArray Response(const QByteArray& value) {
    return "<?xml version=\"1.0\"?><methodResponse><params><param>" + value + "</param></params></methodResponse>";
}

TEST(BridgeOptions, DefaultsAndEveryOption) {
    const BridgeOptions defaults = ParseBridgeCommandLine({"tarvo-bridge"}).options;
    EXPECT_EQ(defaults.fldigiHost, "127.0.0.1");
    EXPECT_EQ(defaults.fldigiPort, 7362);
    EXPECT_EQ(defaults.rigPath(), "127.0.0.1:4532");
    EXPECT_EQ(defaults.rigModel, 2);
    EXPECT_EQ(defaults.listenPort, 10000);
    EXPECT_EQ(defaults.tarvoHost, "127.0.0.1");
    EXPECT_EQ(defaults.tarvoPort, 10001);

    const BridgeCommandLine all = ParseBridgeCommandLine(
        {"tarvo-bridge", "--fldigi", "127.0.0.5:7000", "--rig", "localhost:4600", "--rig-model", "1035", "--rig-device",
         "/dev/ttyUSB0", "--listen", "11000", "--tarvo", "127.0.0.1:11001"});
    EXPECT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    EXPECT_EQ(all.options.fldigiHost, "127.0.0.5");
    EXPECT_EQ(all.options.fldigiPort, 7000);
    EXPECT_EQ(all.options.rigModel, 1035);
    EXPECT_EQ(all.options.rigPath(), "/dev/ttyUSB0") << "a radio's own port wins over rigctld";
    EXPECT_EQ(all.options.listenPort, 11000);
    EXPECT_EQ(all.options.tarvoPort, 11001);
}

TEST(BridgeOptions, BadValuesAreRefusedWithTheirName) {
    const QStringList bad[] = {
        {"tarvo-bridge", "--fldigi", "7362"},     {"tarvo-bridge", "--rig", "host:0"},
        {"tarvo-bridge", "--rig-model", "x"},     {"tarvo-bridge", "--listen", "70000"},
        {"tarvo-bridge", "--tarvo", "127.0.0.1"}, {"tarvo-bridge", "--listen"},
        {"tarvo-bridge", "--colour", "red"},
    };
    for (const QStringList& arguments : bad) {
        const BridgeCommandLine parsed = ParseBridgeCommandLine(arguments);
        EXPECT_TRUE(parsed.error.contains(arguments[1])) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(ParseBridgeCommandLine({"tarvo-bridge", "--help"}).help);
}

TEST(XmlRpc, ACallNamesItsMethodAndParameters) {
    const QByteArray call = XmlRpcCall("text.get_rx", {12, QStringLiteral("a<b")});
    EXPECT_TRUE(call.contains("<methodName>text.get_rx</methodName>"));
    EXPECT_TRUE(call.contains("<param><value><int>12</int></value></param>"));
    EXPECT_TRUE(call.contains("<param><value><string>a&lt;b</string></value></param>"));
}

TEST(XmlRpc, RepliesOfEveryKind) {
    struct Case {
        const char* name;
        QByteArray body;
        bool ok;
        QVariant value;
    };
    const Case cases[] = {
        {"string", Response("<value><string>Q1ABC</string></value>"), true, QString("Q1ABC")},
        {"untyped string", Response("<value>RX</value>"), true, QString("RX")},
        {"base64 text", Response("<value><base64>Q1EgREUgUTFBQkM=</base64></value>"), true, QString("CQ DE Q1ABC")},
        {"int", Response("<value><i4>700</i4></value>"), true, qint64(700)},
        {"double", Response("<value><double>7.5</double></value>"), true, 7.5},
        {"boolean", Response("<value><boolean>1</boolean></value>"), true, true},
        {"nil", Response("<value><nil/></value>"), true, QVariant()},
        {"no value", "<methodResponse><params></params></methodResponse>", true, QVariant()},
        {"array", Response("<value><array><data><value><int>1</int></value><value>x</value></data></array></value>"),
         true, QVariantList{qint64(1), QString("x")}},
        {"an int that is none", Response("<value><int>seven</int></value>"), false, QVariant()},
        {"an unknown type", Response("<value><dateTime.iso8601>x</dateTime.iso8601></value>"), false, QVariant()},
        {"no XML-RPC", "<html>404</html>", false, QVariant()},
        {"cut short", Response("<value><string>Q1").left(60), false, QVariant()},
    };
    for (const Case& c : cases) {
        const XmlRpcReply reply = ParseXmlRpcReply(c.body);
        EXPECT_EQ(reply.ok, c.ok) << c.name << ": " << reply.fault.toStdString();
        if (c.ok)
            EXPECT_EQ(reply.value, c.value) << c.name;
        else
            EXPECT_FALSE(reply.fault.isEmpty()) << c.name;
    }
}

TEST(XmlRpc, AFaultGivesItsTextAndDeepNestingIsRefused) {
    const XmlRpcReply fault = ParseXmlRpcReply(
        "<methodResponse><fault><value><struct><member><name>faultCode</name><value><int>-32601</int></value>"
        "</member><member><name>faultString</name><value>no such method</value></member></struct></value>"
        "</fault></methodResponse>");
    EXPECT_FALSE(fault.ok);
    EXPECT_EQ(fault.fault, "no such method");

    QByteArray deep = "<value><string>x</string></value>";
    for (int i = 0; i < 20; ++i)
        deep = "<value><array><data>" + deep + "</data></array></value>";
    EXPECT_FALSE(ParseXmlRpcReply(Response(deep)).ok);
}

TEST(DecodedText, OnlyWhatCameAfterTheConnectCountsAndAClearedPaneStartsAgain) {
    DecodedText text;
    text.connected(40); // fldigi's notices
    EXPECT_FALSE(text.grown(40).has_value());
    const auto first = text.grown(52);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->start, 40);
    EXPECT_EQ(first->length, 12);
    text.read(*first, "CQ DE Q1ABC\n", true);
    EXPECT_EQ(text.tail(100), "CQ DE Q1ABC ") << "a line end is a blank on Tarvo's one line";

    const auto cleared = text.grown(5);
    ASSERT_TRUE(cleared.has_value()) << "the pane was cleared and has 5 new characters";
    EXPECT_EQ(cleared->start, 0);
    text.read(*cleared, "K TU ", true);
    const auto keyed = text.grown(9);
    ASSERT_TRUE(keyed.has_value());
    text.read(*keyed, "73 E", false);
    EXPECT_EQ(text.tail(100), "CQ DE Q1ABC K TU ") << "fldigi's own keyed text is not decoded text";
    text.read(*keyed, "late", true);
    EXPECT_EQ(text.tail(100), "CQ DE Q1ABC K TU ") << "a range read twice counts once";

    const auto withNul = text.grown(15);
    text.read(*withNul, QStringLiteral("Q2D%1EF").arg(QChar(0)), true);
    EXPECT_EQ(text.tail(100), "CQ DE Q1ABC K TU Q2DEF") << "a NUL would end Tarvo's reading of the reply";
}

TEST(DecodedText, TheTailFitsTheBytesWithWholeCharacters) {
    DecodedText text;
    text.connected(0);
    const QString decoded = QString::fromUtf8("ABC \u00C4\u00D6 \U0001F4FB");
    const auto range = text.grown(int(decoded.size()));
    text.read(*range, decoded, true);
    for (qsizetype bytes = 0; bytes <= 14; ++bytes) {
        const QString tail = text.tail(bytes);
        EXPECT_LE(ToLinkBytes(tail).size(), bytes);
        EXPECT_TRUE(decoded.endsWith(tail)) << bytes;
        EXPECT_FALSE(!tail.isEmpty() && tail.front().isLowSurrogate()) << bytes;
    }
    EXPECT_EQ(text.tail(14), decoded);
}

TEST(BridgeItems, ValuesTheViewDialogSends) {
    struct Case {
        const char* payload;
        bool taken;
        int pollMs;
        bool passTx;
    };
    const Case cases[] = {
        {"0000 0008", true, 500, false},
        {"0000 0018", true, 1000, false},
        {"0000 0019", false, 1000, false},
        {"0001 0001", true, 1000, true},
        {"0001 0002", false, 1000, true},
        {"0002 0001", false, 1000, true},
        {"0000", false, 1000, true},
        {"X 1", false, 1000, true},
        // A position so large that the milliseconds would overflow.
        {"0000 42949673", false, 1000, true},
    };
    BridgeItems items;
    EXPECT_EQ(items.pollMs(), 250);
    for (const Case& c : cases) {
        EXPECT_EQ(items.apply(c.payload), c.taken) << c.payload;
        EXPECT_EQ(items.pollMs(), c.pollMs) << c.payload;
        EXPECT_EQ(items.passTxText(), c.passTx) << c.payload;
    }
    const QStringList records = items.records();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0], "Poll period ms  1000    2100 1000500 ") << "a list of 100 .. 1000 in steps of 50";
    EXPECT_EQ(records[1], "Pass TX text    1       10   1   0   ");
}

TEST(RigText, FrequencyBothWays) {
    EXPECT_EQ(FrequencyText(7025000), "7.02500");
    EXPECT_EQ(FrequencyText(14074010), "14.07401");
    EXPECT_EQ(FrequencyHz("7.02501"), 7025010);
    EXPECT_EQ(FrequencyHz(" 144.3 "), 144300000);
    EXPECT_FALSE(FrequencyHz("0").has_value());
    EXPECT_FALSE(FrequencyHz("1e300").has_value());
    EXPECT_FALSE(FrequencyHz("seven").has_value());
    EXPECT_FALSE(FrequencyHz("0.0000001").has_value()) << "rounds to 0 Hz";
}

TEST(RigText, AReadingHamlibHandsOver) {
    struct Case {
        double hz;
        const char* mode;
        std::optional<RigReading> reading;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {7025000.4, "CW", RigReading{7025000, "CW"}},
        {14074000.5, "USB", RigReading{14074001, "USB"}},
        {1e12, "", RigReading{1'000'000'000'000, ""}},
        {3573000, "C\nW", RigReading{3573000, ""}}, // a line end would move the LOGDT lines
        {nan, "CW", std::nullopt},
        {inf, "CW", std::nullopt},
        {-7025000, "CW", std::nullopt},
        {0.4, "CW", std::nullopt},
        {1e19, "CW", std::nullopt}, // beyond qint64
    };
    for (const Case& c : cases)
        EXPECT_EQ(RigReadingOf(c.hz, c.mode), c.reading) << c.hz << " " << c.mode;
}

} // namespace
