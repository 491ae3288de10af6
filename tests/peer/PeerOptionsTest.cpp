#include "peer/PeerOptions.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

PeerCommandLine Parse(QStringList arguments) {
    arguments.prepend("tarvo-peer");
    return ParsePeerCommandLine(arguments);
}

TEST(PeerOptions, DefaultsAreTheLinksPortsOnThisMachine) {
    const PeerCommandLine parsed = Parse({});
    EXPECT_TRUE(parsed.error.isEmpty());
    EXPECT_FALSE(parsed.help);
    const PeerOptions& o = parsed.options;
    EXPECT_EQ(o.port, 10000);
    EXPECT_EQ(o.tarvoPort, 10001);
    EXPECT_EQ(o.tarvoAddress, "127.0.0.1");
    EXPECT_EQ(o.bindAddress, "0.0.0.0");
    EXPECT_TRUE(o.readInput);
    EXPECT_EQ(o.floodPerMs, 0);
    EXPECT_EQ(o.data.items, DefaultCompanionData().items);
}

TEST(PeerOptions, EveryOptionTakesItsValue) {
    const PeerCommandLine parsed = Parse({"--port", "20000", "--tarvo-port=20001", "--tarvo-address", "127.0.0.2",
                                          "--bind", "127.0.0.1", "--string", "3=CQ TEST", "--string=13=", "--pitch",
                                          "3=620", "--pitch", "13=700", "--no-input", "--flood", "5"});
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    const PeerOptions& o = parsed.options;
    EXPECT_EQ(o.port, 20000);
    EXPECT_EQ(o.tarvoPort, 20001);
    EXPECT_EQ(o.tarvoAddress, "127.0.0.2");
    EXPECT_EQ(o.bindAddress, "127.0.0.1");
    EXPECT_FALSE(o.readInput);
    EXPECT_EQ(o.floodPerMs, 5);
    const CompanionData defaults = DefaultCompanionData();
    EXPECT_EQ(o.data.strings[2].text, "CQ TEST");
    EXPECT_EQ(o.data.strings[2].pitch, 620);
    EXPECT_EQ(o.data.strings[12].text, "");
    EXPECT_EQ(o.data.strings[12].pitch, 700);
    EXPECT_EQ(o.data.strings[0].text, defaults.strings[0].text);
    EXPECT_EQ(o.data.strings[0].pitch, defaults.strings[0].pitch);
}

TEST(PeerOptions, AStringsTextMayHoldEqualsSigns) {
    EXPECT_EQ(Parse({"--string", "1=A=B"}).options.data.strings[0].text, "A=B");
}

TEST(PeerOptions, TheLastOfARepeatedOptionHolds) {
    const PeerOptions o = Parse({"--port", "20000", "--port", "20002", "--pitch", "1=500", "--pitch", "1=510"}).options;
    EXPECT_EQ(o.port, 20002);
    EXPECT_EQ(o.data.strings[0].pitch, 510);
}

TEST(PeerOptions, HelpIsAskedFor) {
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
    for (const char* option : {"--port", "--bind", "--tarvo-address", "--tarvo-port", "--string", "--pitch",
                               "--no-input", "--flood", "--help"})
        EXPECT_TRUE(PeerUsage().contains(QLatin1String(option))) << option;
}

TEST(PeerOptions, WrongValuesAreRefusedAndNamed) {
    const QList<QStringList> cases = {
        {"--port", "0"},
        {"--port", "65536"},
        {"--port", "ten"},
        {"--tarvo-port", "-1"},
        {"--tarvo-address", "127.0.0"},
        {"--tarvo-address", "localhost"},
        {"--tarvo-address", "127.000.000.001"},
        {"--bind", "::1"},
        {"--string", "0=CQ"},
        {"--string", "14=CQ"},
        {"--string", "CQ"},
        {"--pitch", "3=0"},
        {"--pitch", "3=10000"},
        {"--pitch", "3=high"},
        {"--pitch", "3"},
        {"--flood", "0"},
        {"--flood", "1001"},
        {"--flood", "many"},
        {"--port"},
        {"--unknown"},
        {"extra"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const PeerCommandLine parsed = Parse(arguments);
        EXPECT_FALSE(parsed.error.isEmpty());
        EXPECT_TRUE(parsed.error.contains(arguments.constFirst().mid(2)) ||
                    parsed.error.contains(arguments.constFirst()))
            << parsed.error.toStdString();
    }
}

} // namespace
