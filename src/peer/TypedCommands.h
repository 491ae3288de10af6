#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/// What one typed line comes to.
struct TypedOutcome {
    enum Kind {
        Nothing, ///< an empty line, or a line of a block
        Send,    ///< datagram is to go to Tarvo
        Note,    ///< text is for the operator
        Refused  ///< text says what is wrong with the line
    };
    Kind kind = Nothing;
    QByteArray datagram;
    QString text;
};

/// Turns the lines the operator types into the companion's datagrams:
///   CALL, CODE, TIMEJ, TIMEU, GL, NAME, RST, MYRST, QTH, RMK1, RMK2 followed by a blank and a
///   text: that field message, e.g. "CALL Q1ABC" gives "CALL Q1ABC\r" (without a text, an empty
///   one);
///   FORE, CLR: "FORE \r", "CLR \r";
///   LOGDT alone: starts a block; every following line is one line of it, and a line holding only
///   "." ends it and sends "LOGDT ", the lines each with a line feed, "\r";
///   HELP: the list of commands.
/// Keywords may be typed in any case; texts go as typed.
class TypedCommands {
public:
    TypedOutcome take(const QString& line);
    /// Input has ended: an unfinished block is dropped, and this says so.
    std::optional<QString> finish();

    /// The list of commands, for HELP.
    static QString help();

private:
    std::optional<QStringList> m_block;
};
