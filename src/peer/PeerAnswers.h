#pragma once

#include "link/CompanionMessage.h"
#include "peer/PeerMessages.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <optional>

/// The rig the companion talks to: what "FREQ" reports and "FSET" sets.
struct Rig {
    QString frequency = QStringLiteral("7.02500"); ///< MHz, as Tarvo's frequency display writes it
    QString mode = QStringLiteral("CW");
};

/// What the peer has decoded, the items it offers and its rig.
struct CompanionData {
    std::array<DecoderString, kDecoderStrings> strings;
    QStringList items; ///< item records, kSpecRecordLength characters each
    Rig rig;
};

/// Thirteen strings of traffic and noise at pitches 50 Hz apart from 400 Hz, and one item of each
/// kind (two lists: one in tenths, one in steps).
CompanionData DefaultCompanionData();

/// The request's keyword: its bytes up to the first blank or carriage return.
QByteArray RequestKeyword(const QByteArray& request);
/// 1..13 for "GET01" .. "GET13", else 0.
int AskedString(const QByteArray& keyword);
/// The "LOGDT" block of fifteen lines with the rig's frequency and mode as lines 7 and 8.
QByteArray RigLogData(const Rig& rig);
/// The rig an "FSET" request asks for: "FSET ", 12 characters holding a decimal number between
/// blanks, a blank and a mode (not only blanks, without line ends; a final carriage return is not
/// part of it); nothing for any other request.
std::optional<Rig> RequestedRig(const QByteArray& request);

/// What the companion answers to a request from Tarvo: the string asked for to "GET01" ..
/// "GET13", the item list to "SPEC", RigLogData to "FREQ", "FSET \r" to "FSET"; nothing to
/// anything else. An "FSET" sets the rig when RequestedRig reads one from it; any other "FSET" is
/// answered all the same, so that Tarvo's frequency display does not stay locked waiting.
std::optional<QByteArray> AnswerTo(const QByteArray& request, CompanionData& data);
