#pragma once

#include <QByteArray>
#include <QString>

/// The two kinds of log file, chosen by the `Ansi` setting.
enum class LogEncoding { Ansi, Utf16 };

/// Bytes per character in a file of this encoding.
int LogUnitSize(LogEncoding encoding);

/// The bytes of text in a log file. ANSI keeps the low 8 bits of each UTF-16 unit; UTF-16 is
/// little-endian without a byte-order mark. Text other than the quoted values is plain ASCII.
QByteArray EncodeLogText(const QString& text, LogEncoding encoding);
