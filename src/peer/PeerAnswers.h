#pragma once

#include "link/CompanionMessage.h"
#include "peer/PeerMessages.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <optional>

/// What the peer has decoded and the items it offers.
struct CompanionData {
    std::array<DecoderString, kDecoderStrings> strings;
    QStringList items; ///< item records, kSpecRecordLength characters each
};

/// Thirteen strings of traffic and noise at pitches 50 Hz apart from 400 Hz, and one item of each
/// kind (two lists: one in tenths, one in steps).
CompanionData DefaultCompanionData();

/// What the companion answers to a request from Tarvo: the string asked for to "GET01" ..
/// "GET13", the item list to "SPEC", "FSET \r" to "FSET"; nothing to anything else.
std::optional<QByteArray> AnswerTo(const QByteArray& request, const CompanionData& data);
