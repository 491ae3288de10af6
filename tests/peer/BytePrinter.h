#pragma once

#include <QByteArray>

#include <ostream>

// Datagrams as text in test failure messages.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}
