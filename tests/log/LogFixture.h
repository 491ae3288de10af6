#pragma once

#include "QtPrinters.h"
#include "log/CsvLog.h"
#include "platform/MessageBoxes.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// File contents in failure messages as escaped text, not a list of bytes.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (const char c : bytes) {
        if (c >= ' ' && c <= '~' && c != '\\')
            *os << c;
        else
            *os << "\\x"
                << "0123456789abcdef"[(c >> 4) & 15] << "0123456789abcdef"[c & 15];
    }
    *os << '"';
}

inline const QByteArray kHeader =
    "\"LOG\",\"TYPE\",\"DATE\",\"TIME\",\"CALL\",\"RST\",\"QTH\",\"NAME\",\"M1\",\"M2\",\"CW\"\r\n";

/// ASCII text as UTF-16LE, written out independently of the code under test.
inline QByteArray le16(const QByteArray& ascii) {
    QByteArray out;
    for (const char c : ascii) {
        out.append(c);
        out.append('\0');
    }
    return out;
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

/// A log in a temporary folder, with a clock the test sets, on 15 March 2007 at 12:34:56.
class LogFixture : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(folder).filePath(name); }
    QByteArray file(const QString& name) const { return readFile(path(name)); }
    QStringList files() const { return QDir(folder).entryList(QDir::Files); }

    /// One line as the sender writes it: the characters one by one, then the line end.
    void sendLine(const QString& text) {
        for (const QChar c : text)
            log.LogText(QString(c));
        log.LogText(QStringLiteral("\r\n"));
    }

    QTemporaryDir dir;
    QString folder = dir.path();
    Settings settings;
    RecordingMessageBoxes boxes;
    QDateTime now{QDate(2007, 3, 15), QTime(12, 34, 56)};
    CsvLog log{settings, boxes, folder, [this] {
                   return now;
               }};
};
