#pragma once

#include "bridge/DecodedText.h"

#include <QByteArray>
#include <QString>

#include <optional>

/// What one datagram from Tarvo asks of the bridge.
struct BridgeRequest {
    enum class Kind {
        Ignored,
        String,   ///< "GET01" .. "GET13": string
        Items,    ///< "SPEC"
        SetItem,  ///< "VAL": text is the payload
        Rig,      ///< "FREQ"
        Tune,     ///< "FSET": hz and mode when it named a frequency
        ClearLog, ///< "CLR"
        LogField, ///< "CALL " etc.: field (in kLogFields) and its text
    };
    Kind kind = Kind::Ignored;
    int string = 0;
    int field = -1;
    QString text;
    std::optional<qint64> hz;
    QString mode;
};

/// Reads a datagram as the bridge's socket received it (see ReceivedBytes).
BridgeRequest ReadBridgeRequest(const QByteArray& received);

/// The answer to "GET01": the decoded text's tail at the pitch, as much as fits one datagram.
QByteArray DecodedStringReply(int carrier, const DecodedText& text);
