#pragma once

#include "peer/InputLines.h"
#include "peer/PeerAnswers.h"
#include "peer/TypedCommands.h"

#include <QByteArray>
#include <QString>

#include <optional>

/// Where the peer's datagrams go: Tarvo.
class DatagramSender {
public:
    virtual ~DatagramSender() = default;
    /// Sends one datagram; why not, when it could not.
    virtual std::optional<QString> send(const QByteArray& datagram) = 0;
    /// "address:port" of Tarvo.
    virtual QString destination() const = 0;
};

/// The operator's console.
class PeerOutput {
public:
    virtual ~PeerOutput() = default;
    /// One line of the session: a datagram received or sent, or a note.
    virtual void print(const QString& line) = 0;
    /// What went wrong.
    virtual void printError(const QString& line) = 0;
};

/// The companion's side of one run: shows every datagram received and answers Tarvo's requests,
/// and sends what the operator types. Each datagram shows as one line, "from " or "to   ", the
/// peer's "address:port", a blank and ReadableDatagram.
class PeerSession {
public:
    PeerSession(CompanionData data, DatagramSender& sender, PeerOutput& output);

    /// A datagram from "address:port".
    void received(const QByteArray& datagram, const QString& from);
    /// Bytes read from standard input.
    void typed(const QByteArray& bytes);
    /// Standard input has ended.
    void inputEnded();
    /// Sends count replies of string 1 that nobody asked for, its text numbered so that each
    /// differs; one line of output every 10000 of them, not one each.
    void flood(int count);

private:
    void take(const QString& line);
    void send(const QByteArray& datagram);

    CompanionData m_data; ///< its rig follows Tarvo's "FSET" requests
    DatagramSender& m_sender;
    PeerOutput& m_output;
    InputLines m_lines;
    TypedCommands m_commands;
    qint64 m_flooded = 0;
    bool m_floodFailing = false;
};
