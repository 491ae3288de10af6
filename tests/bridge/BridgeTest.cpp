// tarvo-bridge between Tarvo's side of the link (a UDP socket on 127.0.0.1), a fake fldigi and
// Hamlib's dummy rig behind rigctld.
#include "bridge/Bridge.h"
#include "bridge/FakeFldigi.h"
#include "bridge/HamlibRig.h"
#include "bridge/Rigctld.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int kWaitMs = 5000;

class RecordedNotes : public BridgeNotes {
public:
    void note(const QString& line) override { lines.append(line); }
    QStringList lines;
};

class BridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rigctld.started()) << rigctld.why().toStdString();
        ASSERT_TRUE(tarvo.bind(QHostAddress::LocalHost, 0));
        connect();
    }

    /// Starts the bridge; fldigi listens first unless the test wants it absent.
    void start(bool withFldigi = true) {
        if (withFldigi) {
            ASSERT_TRUE(fldigi.listen(fldigiPort));
        }
        BridgeOptions options;
        options.fldigiPort = fldigiPort;
        options.rigAddress = rigctld.address();
        options.listenPort = 0;
        options.tarvoPort = tarvo.localPort();
        rig = std::make_unique<HamlibRig>(options.rigModel, options.rigPath());
        bridge = std::make_unique<Bridge>(options, *rig, notes);
        ASSERT_TRUE(bridge->start()) << bridge->error().toStdString();
    }
    /// Waits until the bridge has said line.
    bool noted(const QString& line) {
        return QTest::qWaitFor([&] { return notes.lines.filter(line).size() > 0; }, kWaitMs);
    }
    /// Waits for a whole round with fldigi after now: a round begins only once the one before ended.
    bool roundDone() {
        const qsizetype before = fldigi.calls.count("main.get_trx_state");
        return QTest::qWaitFor([&] { return fldigi.calls.count("main.get_trx_state") > before + 1; }, kWaitMs);
    }
    /// Takes what has come to Tarvo so far.
    void drain() {
        while (tarvo.hasPendingDatagrams())
            received.append(tarvo.receiveDatagram().data());
    }
    void fromTarvo(const QByteArray& datagram) {
        tarvo.writeDatagram(datagram, QHostAddress::LocalHost, bridge->listenPort());
    }
    /// Waits for the first datagram to Tarvo that matches; the ones before it are dropped.
    std::optional<QByteArray> toTarvo(const std::function<bool(const QByteArray&)>& matches) {
        std::optional<QByteArray> found;
        (void)QTest::qWaitFor(
            [&] {
                while (!found && tarvo.hasPendingDatagrams()) {
                    const QByteArray data = tarvo.receiveDatagram().data();
                    received.append(data);
                    if (matches(data))
                        found = data;
                }
                return found.has_value();
            },
            kWaitMs);
        return found;
    }
    std::optional<QByteArray> toTarvoStarting(const QByteArray& head) {
        return toTarvo([&](const QByteArray& d) { return d.startsWith(head); });
    }

    std::optional<Rigctld> rigctldHolder{std::in_place};
    Rigctld& rigctld = *rigctldHolder;
    FakeFldigi fldigi;
    quint16 fldigiPort = 0;
    QUdpSocket tarvo;
    RecordedNotes notes;
    std::unique_ptr<HamlibRig> rig;
    std::unique_ptr<Bridge> bridge;
    QList<QByteArray> received;

private:
    /// A port fldigi can take later: free now.
    void connect() {
        FakeFldigi probe;
        ASSERT_TRUE(probe.listen());
        fldigiPort = probe.port();
    }
};

TEST_F(BridgeTest, LogFieldsSetInFldigiReachTarvo) {
    fldigi.log.insert("call", "Q9OLD");
    start();
    ASSERT_TRUE(noted("fldigi at 127.0.0.1:"));
    ASSERT_TRUE(roundDone());
    const struct {
        const char* field;
        const char* value;
        QByteArray datagram;
    } cases[] = {
        {"call", "Q1ABC", "CALL Q1ABC\r"}, {"name", "TARO", "NAME TARO\r"},  {"qth", "TOKYO", "QTH TOKYO\r"},
        {"rst_out", "599", "RST 599\r"},   {"rst_in", "579", "MYRST 579\r"},
    };
    for (const auto& c : cases) {
        fldigi.log.insert(c.field, c.value);
        EXPECT_EQ(toTarvo([&](const QByteArray& d) { return d == c.datagram; }), c.datagram) << c.field;
    }
    EXPECT_FALSE(received.contains("CALL Q9OLD\r")) << "what fldigi held when the bridge came is no change";
}

TEST_F(BridgeTest, TarvosFieldsSetFldigisLogWithoutComingBack) {
    start();
    ASSERT_TRUE(roundDone());
    fromTarvo("CALL Q2DEF\r");
    fromTarvo("RST 599\r");
    fromTarvo("MYRST 559\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return fldigi.log.value("rst_in") == "559"; }, kWaitMs));
    EXPECT_EQ(fldigi.log.value("call"), "Q2DEF");
    EXPECT_EQ(fldigi.log.value("rst_out"), "599");
    ASSERT_TRUE(roundDone());
    ASSERT_TRUE(roundDone());
    drain();
    EXPECT_FALSE(std::any_of(received.begin(), received.end(), [](const QByteArray& d) {
        return d.startsWith("CALL");
    })) << "Tarvo's own field is not sent back to it";

    fromTarvo("CLR \r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return fldigi.calls.contains("log.clear"); }, kWaitMs));
    EXPECT_TRUE(fldigi.log.isEmpty());
}

TEST_F(BridgeTest, StringOneIsTheTextDecodedSinceTheBridgeCame) {
    fldigi.rx = "fldigi 4.1.23 notices\n";
    start();
    ASSERT_TRUE(roundDone());
    fldigi.rx += "CQ DE Q1ABC\n";
    ASSERT_TRUE(roundDone());
    fldigi.trxState = "TX";
    fldigi.rx += "Q1ABC DE Q3XYZ";
    ASSERT_TRUE(roundDone());
    fromTarvo("GET01 \r");
    EXPECT_EQ(toTarvoStarting("GET01"), QByteArray("GET01 0700 CQ DE Q1ABC \r"))
        << "new text only, and not what fldigi keyed itself";
    fromTarvo("GET02 \r");
    EXPECT_EQ(toTarvoStarting("GET02"), QByteArray("GET02 0000 \r"));
}

TEST_F(BridgeTest, FsetTunesTheRigAndARigChangeComesAsLogdt) {
    start();
    ASSERT_TRUE(noted("the rig at " + rigctld.address() + " answers"));
    fromTarvo("FSET 14.07400     CW\r");
    EXPECT_EQ(toTarvoStarting("FSET"), QByteArray("FSET \r"));
    EXPECT_EQ(rigctld.command("f").value_or(QStringList()).value(0), "14074000");
    EXPECT_EQ(rigctld.command("m").value_or(QStringList()).value(0), "CW");

    ASSERT_TRUE(rigctld.command("F 7030000").has_value());
    const auto logdt = toTarvoStarting("LOGDT");
    ASSERT_TRUE(logdt.has_value());
    const QStringList lines = QString::fromLatin1(logdt->mid(6)).split('\n');
    EXPECT_EQ(lines.value(6), "7.03000");
    EXPECT_EQ(lines.value(7), "CW");

    received.clear();
    fromTarvo("FREQ \r");
    const auto asked = toTarvoStarting("LOGDT");
    ASSERT_TRUE(asked.has_value()) << "FREQ is answered even when nothing changed";
    EXPECT_TRUE(asked->contains("\n7.03000\nCW\n"));
}

TEST_F(BridgeTest, FldigiAbsentAtTheStartIsTakenUpWhenItComes) {
    fldigi.rx = "old traffic\n";
    start(false);
    ASSERT_TRUE(noted("fldigi at 127.0.0.1:" + QString::number(fldigiPort) + " does not answer; trying again"));
    ASSERT_TRUE(fldigi.listen(fldigiPort));
    ASSERT_TRUE(noted("fldigi at 127.0.0.1:" + QString::number(fldigiPort) + " answers"));
    ASSERT_TRUE(roundDone());
    fldigi.rx += "QRZ?";
    fldigi.log.insert("call", "Q4GHI");
    EXPECT_EQ(toTarvoStarting("CALL"), QByteArray("CALL Q4GHI\r"));
    ASSERT_TRUE(roundDone());
    fromTarvo("GET01 \r");
    EXPECT_EQ(toTarvoStarting("GET01"), QByteArray("GET01 0700 QRZ?\r"));
    EXPECT_EQ(notes.lines.filter("does not answer").size(), 1) << "said once";

    fldigi.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes.lines.filter("does not answer").size() == 2; }, kWaitMs))
        << "and again when it goes away";
}

TEST_F(BridgeTest, ItsOwnItemsAreOfferedAndSet) {
    start();
    fromTarvo("SPEC \r");
    EXPECT_EQ(toTarvoStarting("SPEC"),
              QByteArray("SPEC Poll period ms  250     2100 1000500 Pass TX text    0       10   1   0   \r"));
    fromTarvo("VAL 0001 0001\r");
    fromTarvo("VAL 0000 0008\r");
    fromTarvo("SPEC \r");
    EXPECT_EQ(toTarvoStarting("SPEC"),
              QByteArray("SPEC Poll period ms  500     2100 1000500 Pass TX text    1       10   1   0   \r"));
}

TEST_F(BridgeTest, TheRigGoneAndBackIsTakenUpAgain) {
    start();
    const QString address = rigctld.address();
    const quint16 port = rigctld.port();
    ASSERT_TRUE(noted("the rig at " + address + " answers"));
    rigctldHolder.reset();
    ASSERT_TRUE(noted("the rig at " + address + " does not answer; trying again"));
    fromTarvo("FSET 7.01000      CW\r");
    EXPECT_EQ(toTarvoStarting("FSET"), QByteArray("FSET \r")) << "Tarvo's display is not left waiting";

    Rigctld again(port);
    ASSERT_TRUE(again.started()) << again.why().toStdString();
    ASSERT_TRUE(again.command("F 3560000").has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return notes.lines.filter(address + " answers").size() == 2; }, kWaitMs));
    const auto logdt = toTarvoStarting("LOGDT");
    ASSERT_TRUE(logdt.has_value());
    EXPECT_TRUE(logdt->contains("\n3.56000\n")) << logdt->constData();
    EXPECT_EQ(notes.lines.filter("the rig at").filter("does not answer").size(), 1) << "said once while it was gone";
}

} // namespace
