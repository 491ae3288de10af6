#include "peer/PeerSession.h"
#include "QtPrinters.h"
#include "peer/BytePrinter.h"

#include <gtest/gtest.h>

namespace {

class FakeSender : public DatagramSender {
public:
    std::optional<QString> failure;
    QList<QByteArray> sent;

    std::optional<QString> send(const QByteArray& datagram) override {
        if (failure)
            return failure;
        sent.append(datagram);
        return std::nullopt;
    }
    QString destination() const override { return QStringLiteral("127.0.0.1:10001"); }
};

class FakeOutput : public PeerOutput {
public:
    QStringList printed;
    QStringList errors;

    void print(const QString& line) override { printed.append(line); }
    void printError(const QString& line) override { errors.append(line); }
};

class PeerSessionTest : public ::testing::Test {
protected:
    PeerSessionTest() : session(data(), sender, output) {}

    static CompanionData data() {
        CompanionData d = DefaultCompanionData();
        d.strings[2] = {620, "CQ CQ"};
        return d;
    }

    FakeSender sender;
    FakeOutput output;
    PeerSession session;
};

TEST_F(PeerSessionTest, ARequestIsShownAndAnswered) {
    session.received("GET03 \r", "127.0.0.1:10001");
    EXPECT_EQ(sender.sent, QList<QByteArray>({"GET03 0620 CQ CQ\r"}));
    EXPECT_EQ(output.printed,
              QStringList({R"(from 127.0.0.1:10001 "GET03 \r")", R"(to   127.0.0.1:10001 "GET03 0620 CQ CQ\r")"}));
    EXPECT_TRUE(output.errors.isEmpty());
}

TEST_F(PeerSessionTest, TheRigKeepsWhatAnFsetSetForTheRequestsAfterIt) {
    session.received("FSET 14.01000     USB\r", "127.0.0.1:10001");
    session.received("FREQ \r", "127.0.0.1:10001");
    EXPECT_EQ(sender.sent, QList<QByteArray>({"FSET \r", "LOGDT \n\n\n\n\n\n14.01000\nUSB\n\n\n\n\n\n\n\n\r"}));
    ASSERT_EQ(output.printed.size(), 4);
    EXPECT_EQ(output.printed[0], R"(from 127.0.0.1:10001 "FSET 14.01000     USB\r")");
}

TEST_F(PeerSessionTest, OtherDatagramsAreOnlyShown) {
    session.received("CALL Q1ABC\r", "127.0.0.5:10001");
    session.received(QByteArray("\x01\xFF", 2), "127.0.0.1:40000");
    EXPECT_TRUE(sender.sent.isEmpty());
    EXPECT_EQ(output.printed,
              QStringList({R"(from 127.0.0.5:10001 "CALL Q1ABC\r")", R"(from 127.0.0.1:40000 "\x01\xFF")"}));
}

TEST_F(PeerSessionTest, TypedLinesAreSentAsTheyEnd) {
    session.typed("CALL Q1ABC\nFO");
    EXPECT_EQ(sender.sent, QList<QByteArray>({"CALL Q1ABC\r"}));
    session.typed("RE\nLOGDT\n\nQ1ABC\n.\n");
    EXPECT_EQ(sender.sent, QList<QByteArray>({"CALL Q1ABC\r", "FORE \r", "LOGDT \nQ1ABC\n\r"}));
    ASSERT_EQ(output.printed.size(), 4);
    EXPECT_EQ(output.printed[0], R"(to   127.0.0.1:10001 "CALL Q1ABC\r")");
    EXPECT_EQ(output.printed[1], R"(to   127.0.0.1:10001 "FORE \r")");
    EXPECT_TRUE(output.printed[2].startsWith("LOGDT block"));
    EXPECT_EQ(output.printed[3], R"(to   127.0.0.1:10001 "LOGDT \nQ1ABC\n\r")");
}

TEST_F(PeerSessionTest, TheLastLineCountsWithoutItsLineEnd) {
    session.typed("CLR");
    EXPECT_TRUE(sender.sent.isEmpty());
    session.inputEnded();
    EXPECT_EQ(sender.sent, QList<QByteArray>({"CLR \r"}));
}

TEST_F(PeerSessionTest, RefusedLinesAndAnUnfinishedBlockAreReported) {
    session.typed("HELLO\nLOGDT\nQ1ABC\n");
    session.inputEnded();
    EXPECT_TRUE(sender.sent.isEmpty());
    ASSERT_EQ(output.errors.size(), 2);
    EXPECT_TRUE(output.errors[0].contains("HELLO"));
    EXPECT_TRUE(output.errors[1].contains("LOGDT"));
}

TEST_F(PeerSessionTest, AFailedSendIsReportedInsteadOfShownAsSent) {
    sender.failure = QStringLiteral("Network is unreachable");
    session.typed("CALL Q1ABC\n");
    session.received("SPEC \r", "127.0.0.1:10001");
    EXPECT_EQ(output.errors, QStringList({"sending to 127.0.0.1:10001 failed: Network is unreachable",
                                          "sending to 127.0.0.1:10001 failed: Network is unreachable"}));
    EXPECT_EQ(output.printed, QStringList({R"(from 127.0.0.1:10001 "SPEC \r")"}));
}

TEST_F(PeerSessionTest, HelpIsPrinted) {
    session.typed("HELP\n");
    ASSERT_EQ(output.printed.size(), 1);
    EXPECT_EQ(output.printed[0], TypedCommands::help());
}

TEST_F(PeerSessionTest, AFloodSendsNumberedRepliesOfString1AndSaysHowManyEvery10000) {
    const DecoderString first = DefaultCompanionData().strings[0];
    session.flood(3);
    ASSERT_EQ(sender.sent.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sender.sent[i], StringReplyMessage(1, {first.pitch, first.text + ' ' + QString::number(i + 1)}));
    EXPECT_TRUE(output.printed.isEmpty()) << "no line for each reply";
    session.flood(9997);
    EXPECT_EQ(output.printed, QStringList{"flood: 10000 replies sent to 127.0.0.1:10001"});

    sender.failure = QStringLiteral("Connection refused");
    session.flood(5);
    session.flood(5);
    EXPECT_EQ(output.errors, QStringList{"sending to 127.0.0.1:10001 failed: Connection refused"})
        << "said once while it keeps failing";
    sender.failure.reset();
    session.flood(1);
    EXPECT_EQ(sender.sent.size(), 10001);
}

} // namespace
