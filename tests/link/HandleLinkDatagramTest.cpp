#include "FakeLinkHost.h"
#include "QtPrinters.h"
#include "link/LinkDispatch.h"
#include "link/LinkText.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kCompanion = QStringLiteral("192.168.1.10");
const QString kPeer = QStringLiteral("192.168.1.20");

struct Case {
    const char* name;
    QByteArray datagram;
    QStringList calls;
    std::function<void(Settings&, FakeLinkHost&)> setUp = nullptr;
    QString sender = kCompanion;
};

class Link : public ::testing::Test {
protected:
    Link() {
        settings.ip = kCompanion;
        settings.Remote_IP = kPeer;
    }

    QStringList handle(const QByteArray& datagram, const QString& sender = kCompanion) {
        host.calls.clear();
        HandleLinkDatagram(datagram, sender, settings, host);
        return host.calls;
    }

    void run(const QList<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            settings = Settings();
            settings.ip = kCompanion;
            settings.Remote_IP = kPeer;
            host = FakeLinkHost();
            if (c.setUp)
                c.setUp(settings, host);
            EXPECT_EQ(handle(c.datagram, c.sender), c.calls);
        }
    }

    void becomeHost() {
        settings.Remote_USE = 1;
        settings.Remote_HOST = 1;
    }

    Settings settings;
    FakeLinkHost host;
};

void flagOn(Settings& s, int Settings::*flag) {
    s.*flag = 1;
}

TEST_F(Link, EveryCompanionKeywordDoesItsPart) {
    run({
        {"CALL", "CALL TRV1ABC\r", {"setField(CALL, TRV1ABC)"}},
        {"CODE", "CODE 1234M\r", {"setField(M1, 1234M)"}},
        {"TIMEJ",
         "TIMEJ 1830\r",
         {"setField(M1, 1830)"},
         [](Settings& s, auto&) {
             flagOn(s, &Settings::Recv_TIMEJ);
         }},
        {"TIMEU",
         "TIMEU 0930\r",
         {"setField(M1, 0930)"},
         [](Settings& s, auto&) {
             flagOn(s, &Settings::Recv_TIMEU);
         }},
        {"GL",
         "GL PM95\r",
         {"setField(M1, PM95)"},
         [](Settings& s, auto&) {
             flagOn(s, &Settings::Recv_GL);
         }},
        {"NAME", "NAME JOE\r", {"setField(NAME, JOE)"}},
        {"RST", "RST 579\r", {"setField(RST, 579)"}},
        {"MYRST", "MYRST 599\r", {"setField(M2, 599)"}},
        {"QTH", "QTH TOKYO\r", {"setField(QTH, TOKYO)"}},
        {"RMK1",
         "RMK1 QRP\r",
         {"setField(M1, QRP)"},
         [](Settings& s, auto&) {
             flagOn(s, &Settings::Recv_RMK1);
         }},
        {"RMK2",
         "RMK2 TNX\r",
         {"setField(M2, TNX)"},
         [](Settings& s, auto&) {
             flagOn(s, &Settings::Recv_RMK2);
         }},
        {"RMK1 off by default", "RMK1 QRP\r", {}},
        {"FORE", "FORE \r", {"bringToFront()"}},
        {"CLR", "CLR \r", {"clearContact()"}},
        {"FSET", "FSET\r", {"frequencyTaken()"}},
        {"LOGDT", "LOGDT L1\nL2\n\r", {"logData(L1\\nL2\\n)"}},
        {"SPEC to the open view dialog",
         "SPEC " + QByteArray(37, 'a') + QByteArray(37, 'b') + "\r",
         {"setViewItems(" + QString(37, u'a') + "|" + QString(37, u'b') + ")"},
         [](Settings&, FakeLinkHost& h) {
             h.viewOpen = true;
         }},
        {"SPEC without a view dialog", "SPEC " + QByteArray(37, 'a') + "\r", {}},
        {"unknown keyword", "HELLO \r", {}},
        {"ESCAPE from the companion", "ESCAPE \r", {}},
    });
}

TEST_F(Link, GetRepliesGoWhereTheScreenShowsThem) {
    run({
        {"into the text area",
         "GET11 0700 CQ TEST\r",
         {"setRcvCwCaption(B 700Hz)", "LogText(CQ TEST)", "LogText(\\r\\n)"}},
        {"string 13 at 700 Hz", "GET13 0700 \r", {"setRcvCwCaption(D 700Hz)", "LogText()", "LogText(\\r\\n)"}},
        {"trailing line ends removed",
         "GET02 0650 AB\r\n\r\n\r",
         {"setRcvCwCaption(2 650Hz)", "LogText(AB)", "LogText(\\r\\n)"}},
        {"live line",
         "GET04 0600 DE TRV\r",
         {"setRcvCwCaption(4 600Hz)", "updateLiveLine(DE TRV)"},
         [](Settings&, FakeLinkHost& h) {
             h.live = true;
         }},
        {"live line of a hidden window",
         "GET04 0600 DE TRV\r",
         {"setRcvCwCaption(4 600Hz)"},
         [](Settings&, FakeLinkHost& h) {
             h.live = true;
             h.visible = false;
         }},
        {"view dialog, line breaks removed",
         "GET05 0620 A\r\nB\r\n\r",
         {"showViewString(5, 620, AB)"},
         [](Settings&, FakeLinkHost& h) {
             h.viewOpen = true;
         }},
        {"string 14", "GET14 0700 X\r", {}},
        {"string 0", "GET00 0700 X\r", {}},
        {"no number", "GET\r", {}},
    });
}

TEST_F(Link, GetSelectsItsStringOnlyWithoutTheViewDialog) {
    handle("GET13 0700 X\r");
    EXPECT_EQ(settings.Recv_STRINGS, 13);
    handle("GET14 0700 X\r");
    EXPECT_EQ(settings.Recv_STRINGS, 13);
    host.viewOpen = true;
    handle("GET03 0700 X\r");
    EXPECT_EQ(settings.Recv_STRINGS, 13);
    host.viewOpen = false;
    handle("GET03 0700 X\r");
    EXPECT_EQ(settings.Recv_STRINGS, 3);
}

TEST_F(Link, CompanionDatagramsPassTheReceiveChecks) {
    run({
        {"receiving off",
         "CALL X1\r",
         {},
         [](Settings& s, auto&) {
             s.Recv_ENABLEALL = 0;
         }},
        {"another address", "CALL X1\r", {}, nullptr, "192.168.1.11"},
        {"any address without ipcheck",
         "CALL X1\r",
         {"setField(CALL, X1)"},
         [](Settings& s, auto&) { s.ipcheck = 0; },
         "10.1.2.3"},
        {"ip with leading zeros",
         "CALL X1\r",
         {},
         [](Settings& s, auto&) {
             s.ip = "192.168.001.010";
         }},
        {"a datagram from the peer address is no companion's", "CALL X1\r", {}, nullptr, kPeer},
        {"unless the companion lives there",
         "CALL X1\r",
         {"setField(CALL, X1)"},
         [](Settings& s, auto&) { s.ip = kPeer; },
         kPeer},
    });
}

TEST_F(Link, ShortEmptyAndBrokenDatagramsAreDroppedOrCut) {
    run({
        {"empty", "", {}},
        {"one byte", "C", {}},
        {"carriage return only", "\r", {}},
        {"no final carriage return", "CALL TRV1ABC", {"setField(CALL, TRV1AB)"}},
        {"keyword and blank only", "CALL ", {"setField(CALL, )"}},
        {"text ends at a NUL", QByteArray("CALL AB\0CD\r", 11), {"setField(CALL, A)"}},
        {"leading NUL", QByteArray("\0CALL X\r", 8), {}},
        {"bytes that are no text", "CALL \xFF\xFE\x80X\r", {"setField(CALL, \uFFFD\uFFFD\uFFFDX)"}},
    });
}

TEST_F(Link, LongDatagramsAreReadUpToTheLimitAndFieldsCut) {
    handle("CALL " + QByteArray(400, 'K') + "\r");
    EXPECT_EQ(host.calls, QStringList{"setField(CALL, " + QString(kTextLimit, u'K') + ")"});

    handle("LOGDT " + QByteArray(10000, 'L'));
    // Read up to the limit, then the last character dropped.
    EXPECT_EQ(host.calls, QStringList{"logData(" + QString(kLinkReceiveLimit - 7, u'L') + ")"});

    handle("CALL " + QString(400, QChar(0x65E5)).toUtf8());
    EXPECT_EQ(host.calls, QStringList{"setField(CALL, " + QString(kTextLimit, QChar(0x65E5)) + ")"});
}

TEST_F(Link, NonAsciiTextArrivesWhole) {
    const QString text = QStringLiteral("J\u00F6rg \u65E5\u672C \U0001F600");
    EXPECT_EQ(handle("NAME " + text.toUtf8() + "\r"), QStringList{"setField(NAME, " + text + ")"});
    // A character outside the BMP that ends the datagram is dropped whole.
    EXPECT_EQ(handle("NAME " + text.toUtf8()), QStringList{"setField(NAME, " + text.chopped(2) + ")"});
}

TEST_F(Link, EveryCutOfAKeywordIsIgnored) {
    settings.Recv_RMK1 = 1;
    const QList<std::pair<QByteArray, qsizetype>> messages = {
        {"CALL X\r", 5}, {"MYRST X\r", 6}, {"RMK1 X\r", 5}, {"FORE \r", 5},
        {"CLR \r", 4},   {"LOGDT X\r", 5}, {"FSET\r", 4},
    };
    for (const auto& [message, keyword] : messages) {
        for (qsizetype cut = 0; cut <= message.size(); ++cut) {
            SCOPED_TRACE(message.left(cut).toStdString());
            EXPECT_EQ(handle(message.left(cut)).isEmpty(), cut < keyword);
        }
    }
}

TEST_F(Link, HostKeysARemoteTextAndAnswersWithIt) {
    run({
        {"idle host",
         "RMT25 CQ TEST\r",
         {"keyRemoteText(25, CQ TEST)", "sendToPeer(RemoteHost, RMT25 CQ TEST\\r)"},
         [](Settings& s, auto&) { s.Remote_USE = s.Remote_HOST = 1; },
         kPeer},
        {"busy host",
         "RMT25 CQ TEST\r",
         {"sendToPeer(RemoteHost, RMT25 CQ TEST <busy>\\r)"},
         [](Settings& s, FakeLinkHost& h) {
             s.Remote_USE = s.Remote_HOST = 1;
             h.idle = false;
         },
         kPeer},
        {"busy host, no final carriage return",
         "RMT25 CQ",
         {"sendToPeer(RemoteHost, RMT25 CQ <busy>\\r)"},
         [](Settings& s, FakeLinkHost& h) {
             s.Remote_USE = s.Remote_HOST = 1;
             h.idle = false;
         },
         kPeer},
        {"speed out of range",
         "RMT05 X\r",
         {"keyRemoteText(10, X)", "sendToPeer(RemoteHost, RMT05 X\\r)"},
         [](Settings& s, auto&) { s.Remote_USE = s.Remote_HOST = 1; },
         kPeer},
        {"keys but does not answer with receiving off",
         "RMT25 CQ\r",
         {"keyRemoteText(25, CQ)"},
         [](Settings& s, auto&) {
             s.Remote_USE = s.Remote_HOST = 1;
             s.Recv_ENABLEALL = 0;
         },
         kPeer},
        {"busy, sending off",
         "RMT25 CQ\r",
         {},
         [](Settings& s, FakeLinkHost& h) {
             s.Remote_USE = s.Remote_HOST = 1;
             s.Send_ENABLEALL = 0;
             h.idle = false;
         },
         kPeer},
        {"RMT from the companion's address",
         "RMT25 CQ\r",
         {},
         [](Settings& s, auto&) { s.Remote_USE = s.Remote_HOST = 1; },
         kCompanion},
        {"RMT without a role", "RMT25 CQ\r", {}, nullptr, kPeer},
        {"ESCAPE reaches the companion keywords and is ignored",
         "ESCAPE \r",
         {},
         [](Settings& s, auto&) {
             s.Remote_USE = s.Remote_HOST = 1;
             s.ip = kPeer;
         },
         kPeer},
        {"RMT cut to RM by the drop", "RMT", {}, [](Settings& s, auto&) { s.Remote_USE = s.Remote_HOST = 1; }, kPeer},
        {"RMT with nothing after it",
         "RMT\r",
         {"keyRemoteText(10, )", "sendToPeer(RemoteHost, RMT\\r)"},
         [](Settings& s, auto&) { s.Remote_USE = s.Remote_HOST = 1; },
         kPeer},
    });
}

TEST_F(Link, HostAnswersWithTheDatagramAsItCameThoughOthersArriveWhileKeying) {
    becomeHost();
    host.whileKeying = [this] {
        host.idle = false;
        HandleLinkDatagram("RMT30 SECOND\r", kPeer, settings, host);
        HandleLinkDatagram("ESCAPE \r", kPeer, settings, host);
    };
    EXPECT_EQ(handle("RMT25 FIRST\r", kPeer), (QStringList{
                                                  "keyRemoteText(25, FIRST)",
                                                  "sendToPeer(RemoteHost, RMT30 SECOND <busy>\\r)",
                                                  "sendToPeer(RemoteHost, RMT25 FIRST\\r)",
                                              }));
}

TEST_F(Link, HostAnswersALongDatagramWithinWhatTheRemoteReads) {
    becomeHost();
    host.idle = false;
    handle("RMT20 " + QByteArray(5000, 'E'), kPeer);
    const QString busy = "RMT20 " + QString(kLinkReceiveLimit - 6 - 8, u'E') + " <busy>\\r";
    EXPECT_EQ(host.calls, QStringList{"sendToPeer(RemoteHost, " + busy + ")"});
}

TEST_F(Link, RemoteShowsTheHostsAnswerAndEndsItsWait) {
    const auto remote = [](Settings& s, auto&) {
        s.Remote_USE = 1;
    };
    run({
        {"keyed", "RMT25 CQ TEST\r", {"LogText( CQ TEST)", "LogText(\\r\\n)", "endRemoteWait()"}, remote, kPeer},
        {"busy",
         "RMT25 CQ TEST <busy>\r",
         {"LogText( CQ TEST <busy>)", "LogText(\\r\\n)", "endRemoteWait()"},
         remote,
         kPeer},
        {"with receiving off",
         "RMT25 CQ\r",
         {"LogText( CQ)", "LogText(\\r\\n)", "endRemoteWait()"},
         [](Settings& s, auto&) {
             s.Remote_USE = 1;
             s.Recv_ENABLEALL = 0;
         },
         kPeer},
        {"empty Remote_IP is no role",
         "RMT25 CQ\r",
         {},
         [](Settings& s, auto&) {
             s.Remote_USE = 1;
             s.Remote_IP.clear();
         },
         ""},
        {"companion messages from the peer address still count",
         "CALL X1\r",
         {"setField(CALL, X1)"},
         [](Settings& s, auto&) {
             s.Remote_USE = 1;
             s.ip = kPeer;
         },
         kPeer},
    });
}

} // namespace
