#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/// Splits what arrives on standard input, in pieces of any size, into lines.
class InputLines {
public:
    /// The lines that bytes complete, in the locale's encoding, without their "\n" or "\r\n".
    QStringList add(const QByteArray& bytes);
    /// What input held after its last line end, once it has ended.
    std::optional<QString> rest();

private:
    QByteArray m_pending;
};
