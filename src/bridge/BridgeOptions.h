#pragma once

#include <QString>
#include <QStringList>

/// How tarvo-bridge was asked to run.
struct BridgeOptions {
    QString fldigiHost = QStringLiteral("127.0.0.1");
    quint16 fldigiPort = 7362;
    QString rigAddress = QStringLiteral("127.0.0.1:4532"); ///< rigctld, for rig model 2
    int rigModel = 2;                                      ///< Hamlib's model number; 2 is NET rigctl
    QString rigDevice;                                     ///< a radio's own port instead of rigctld
    quint16 listenPort = 10000;                            ///< the companion's port, where Tarvo sends
    QString tarvoHost = QStringLiteral("127.0.0.1");
    quint16 tarvoPort = 10001;

    /// What Hamlib opens: the device when one is given, else the rigctld address.
    QString rigPath() const { return rigDevice.isEmpty() ? rigAddress : rigDevice; }
};

struct BridgeCommandLine {
    BridgeOptions options;
    bool help = false;
    QString error; ///< why the command line was refused; empty when it was not
};

/// Reads the program's arguments, its name first.
BridgeCommandLine ParseBridgeCommandLine(const QStringList& arguments);

/// What --help shows.
QString BridgeUsage();
