#pragma once

#include "peer/PeerAnswers.h"

#include <QString>
#include <QStringList>

/// How tarvo-peer was asked to run.
struct PeerOptions {
    quint16 port = 10000; ///< the companion's port, where the peer listens
    QString bindAddress = QStringLiteral("0.0.0.0");
    QString tarvoAddress = QStringLiteral("127.0.0.1");
    quint16 tarvoPort = 10001; ///< Tarvo's own port
    bool readInput = true;
    int floodPerMs = 0; ///< unasked "GET01" replies sent every millisecond, to load Tarvo's link
    CompanionData data = DefaultCompanionData();
};

struct PeerCommandLine {
    PeerOptions options;
    bool help = false;
    QString error; ///< why the command line was refused; empty when it was not
};

/// Reads the program's arguments, its name first.
PeerCommandLine ParsePeerCommandLine(const QStringList& arguments);

/// What --help shows.
QString PeerUsage();
