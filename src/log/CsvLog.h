#pragma once

#include "settings/Settings.h"

#include <QDateTime>
#include <QString>

#include <functional>

class MessageBoxes;

/// The daily CSV log: collects the text of a line and, at its line end, appends a contact record
/// (when the contact changed) and the line record to the day's file in the chosen encoding.
class CsvLog {
public:
    /// Local date and time; tests fix it.
    using LocalClock = std::function<QDateTime()>;

    CsvLog(
        const Settings& settings, MessageBoxes& boxes, QString folder,
        LocalClock now = [] { return QDateTime::currentDateTime(); });

    /// The log half of `LogText`: text of the current line, or exactly "\r\n" to end it.
    void LogText(const QString& text);

    /// The operator typed into a contact field: the next line end writes the contact first.
    void setContactChanged() { m_contactChanged = true; }
    bool contactChanged() const { return m_contactChanged; }

    /// Text waits for its line end.
    bool hasOpenLine() const { return !m_lineBuffer.isEmpty(); }

private:
    void writeLine();

    const Settings& m_settings;
    MessageBoxes& m_boxes;
    const QString m_folder;
    const LocalClock m_now;
    QString m_lineBuffer; ///< `LogLineBuffer`: quotes already doubled
    bool m_contactChanged = false;
};
