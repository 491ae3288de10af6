#include "peer/PeerOptions.h"

#include <QCommandLineParser>

#include <arpa/inet.h>

namespace {

bool ReadPort(const QString& text, quint16& port) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return false;
    port = quint16(value);
    return true;
}

bool IsDottedQuad(const QString& text) {
    in_addr address{};
    return inet_pton(AF_INET, text.toLatin1().constData(), &address) == 1;
}

/// "N=REST" with N a decoder string: its index and REST, or -1.
qsizetype StringIndex(const QString& assignment, QString& rest) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals < 0)
        return -1;
    bool ok = false;
    const int string = assignment.left(equals).toInt(&ok);
    if (!ok || string < 1 || string > kDecoderStrings)
        return -1;
    rest = assignment.mid(equals + 1);
    return string - 1;
}

// Far beyond what a companion sends: enough to fill any socket buffer.
constexpr int kMostFloodPerMs = 1000;

} // namespace

PeerCommandLine ParsePeerCommandLine(const QStringList& arguments) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption bind(QStringLiteral("bind"), QString(), QStringLiteral("ADDRESS"));
    const QCommandLineOption tarvoAddress(QStringLiteral("tarvo-address"), QString(), QStringLiteral("ADDRESS"));
    const QCommandLineOption tarvoPort(QStringLiteral("tarvo-port"), QString(), QStringLiteral("N"));
    const QCommandLineOption string(QStringLiteral("string"), QString(), QStringLiteral("N=TEXT"));
    const QCommandLineOption pitch(QStringLiteral("pitch"), QString(), QStringLiteral("N=HZ"));
    const QCommandLineOption noInput(QStringLiteral("no-input"));
    const QCommandLineOption flood(QStringLiteral("flood"), QString(), QStringLiteral("N"));
    QCommandLineParser parser;
    parser.addOptions({help, port, bind, tarvoAddress, tarvoPort, string, pitch, noInput, flood});

    PeerCommandLine result;
    PeerOptions& options = result.options;
    const auto refuse = [&result](const QString& why) {
        result.error = why;
        return result;
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().constFirst()));
    result.help = parser.isSet(help);
    const auto name = [](const QCommandLineOption& option) {
        return option.names().constFirst();
    };
    for (const QCommandLineOption* option : {&port, &tarvoPort}) {
        quint16& target = option == &port ? options.port : options.tarvoPort;
        if (parser.isSet(*option) && !ReadPort(parser.value(*option), target))
            return refuse(
                QStringLiteral("--%1: %2 is not a port (1..65535)").arg(name(*option), parser.value(*option)));
    }
    for (const QCommandLineOption* option : {&bind, &tarvoAddress}) {
        QString& target = option == &bind ? options.bindAddress : options.tarvoAddress;
        if (parser.isSet(*option))
            target = parser.value(*option);
        if (!IsDottedQuad(target))
            return refuse(QStringLiteral("--%1: %2 is not an IPv4 address a.b.c.d").arg(name(*option), target));
    }
    for (const QString& assignment : parser.values(string)) {
        QString text;
        const qsizetype index = StringIndex(assignment, text);
        if (index < 0)
            return refuse(QStringLiteral("--string: %1 is not N=TEXT with N 1..13").arg(assignment));
        options.data.strings[index].text = text;
    }
    for (const QString& assignment : parser.values(pitch)) {
        QString hz;
        const qsizetype index = StringIndex(assignment, hz);
        bool ok = false;
        const int value = hz.toInt(&ok);
        if (index < 0 || !ok || value < 1 || value > 9999)
            return refuse(QStringLiteral("--pitch: %1 is not N=HZ with N 1..13 and HZ 1..9999").arg(assignment));
        options.data.strings[index].pitch = value;
    }
    if (parser.isSet(flood)) {
        bool ok = false;
        options.floodPerMs = parser.value(flood).toInt(&ok);
        if (!ok || options.floodPerMs < 1 || options.floodPerMs > kMostFloodPerMs)
            return refuse(
                QStringLiteral("--flood: %1 is not a count 1..%2").arg(parser.value(flood)).arg(kMostFloodPerMs));
    }
    options.readInput = !parser.isSet(noInput);
    return result;
}

QString PeerUsage() {
    return QStringLiteral(
        "Usage: tarvo-peer [options]\n"
        "Stands in for the companion decoder on Tarvo's link: answers Tarvo's requests, prints every\n"
        "datagram it receives, and sends what is typed on standard input (HELP lists the commands).\n"
        "\n"
        "  --port N                 listen on UDP port N, the companion's port (default 10000)\n"
        "  --bind ADDRESS           listen on this local IPv4 address (default 0.0.0.0: all of them)\n"
        "  --tarvo-address ADDRESS  Tarvo's IPv4 address, where everything is sent (default 127.0.0.1)\n"
        "  --tarvo-port N           Tarvo's own port (default 10001)\n"
        "  --string N=TEXT          the decoded text of string N, 1..13 (repeatable)\n"
        "  --pitch N=HZ             the pitch of string N in Hz, 1..9999 (repeatable)\n"
        "  --no-input               read no commands: only answer and print, until interrupted\n"
        "  --flood N                send N unasked replies of string 1 every millisecond, each numbered,\n"
        "                           to load Tarvo's link (1..1000); a line every 10000 says how many\n"
        "  -h, --help               show this text\n");
}
