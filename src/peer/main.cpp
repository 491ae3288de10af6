#include "peer/PeerLoop.h"
#include "peer/PeerOptions.h"
#include "peer/PeerSocket.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

class ConsoleOutput : public PeerOutput {
public:
    void print(const QString& line) override { write(stdout, line); }
    void printError(const QString& line) override { write(stderr, QStringLiteral("tarvo-peer: ") + line); }

private:
    // Flushed at once, so that a pipe shows every line as it happens.
    static void write(std::FILE* stream, const QString& line) {
        std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
        std::fflush(stream);
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ConsoleOutput output;
    const PeerCommandLine commandLine = ParsePeerCommandLine(app.arguments());
    if (commandLine.help) {
        std::fputs(PeerUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        output.printError(commandLine.error + QStringLiteral(" (--help shows the options)"));
        return 2;
    }
    const PeerOptions& options = commandLine.options;
    PeerSocket socket(options.bindAddress, options.port, options.tarvoAddress, options.tarvoPort);
    if (!socket.error().isEmpty()) {
        output.printError(socket.error());
        return 1;
    }
    PeerSession session(options.data, socket, output);
    const QString listening = options.bindAddress + QLatin1Char(':') + QString::number(socket.localPort());
    const QString hint = options.readInput ? QStringLiteral("; HELP lists the commands") : QString();
    output.print(QStringLiteral("listening on %1, sending to %2%3").arg(listening, socket.destination(), hint));
    return RunPeer(socket, session, options.readInput ? STDIN_FILENO : -1, output, options.floodPerMs);
}
