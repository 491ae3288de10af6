#include "bridge/Bridge.h"
#include "bridge/HamlibRig.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

class ErrorNotes : public BridgeNotes {
public:
    void note(const QString& line) override {
        std::fputs(("tarvo-bridge: " + line + '\n').toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ErrorNotes notes;
    const BridgeCommandLine commandLine = ParseBridgeCommandLine(app.arguments());
    if (commandLine.help) {
        std::fputs(BridgeUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        notes.note(commandLine.error + QStringLiteral(" (--help shows the options)"));
        return 2;
    }
    const BridgeOptions& options = commandLine.options;
    HamlibRig rig(options.rigModel, options.rigPath());
    Bridge bridge(options, rig, notes);
    if (!bridge.start()) {
        notes.note(bridge.error());
        return 1;
    }
    notes.note(QStringLiteral("listening on UDP %1, sending to %2:%3")
                   .arg(bridge.listenPort())
                   .arg(options.tarvoHost)
                   .arg(options.tarvoPort));
    return app.exec();
}
