#pragma once

#include "log/LogEncoding.h"

#include <QString>

/// Which steps of one append failed; a failed write is still followed by the close.
struct AppendOutcome {
    bool openFailed = false;
    bool writeFailed = false;
    bool closeFailed = false;
};

/// Appends records to the log file at path with one write and closes it again, so they are in the
/// file when this returns. A missing or empty file gets header first. A file whose end was cut off
/// (a crash or a full disk) is first closed off with a line end, so later records stay whole; a write
/// that fails part-way is taken back.
AppendOutcome AppendToLogFile(const QString& path, LogEncoding encoding, const QString& header, const QString& records);
