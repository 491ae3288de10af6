#pragma once

#include <QString>

#include <ostream>

// Readable Qt strings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
