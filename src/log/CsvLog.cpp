#include "log/CsvLog.h"

#include "log/LogFileAppend.h"
#include "log/LogRecords.h"
#include "platform/MessageBoxes.h"

#include <QDir>

#include <utility>

namespace {

QString withoutTrailingWhiteSpace(QString text) {
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last != u' ' && last != u'\t' && last != u'\r' && last != u'\n')
            break;
        text.chop(1);
    }
    return text;
}

} // namespace

CsvLog::CsvLog(const Settings& settings, MessageBoxes& boxes, QString folder, LocalClock now)
    : m_settings(settings), m_boxes(boxes), m_folder(std::move(folder)), m_now(std::move(now)) {}

void CsvLog::LogText(const QString& text) {
    if (!m_settings.Logging) {
        m_lineBuffer.clear();
        return;
    }
    m_lineBuffer += QuoteDoubled(text);
    if (text == QLatin1String("\r\n"))
        writeLine();
}

void CsvLog::writeLine() {
    const QDateTime stamp = m_now();
    const bool withContact = m_contactChanged;
    QString records = withContact ? ContactRecord(stamp, m_settings.his) : QString();
    records += LineRecord(stamp, withoutTrailingWhiteSpace(m_lineBuffer));
    // Emptied before any message box: text logged while a box is open belongs to the next line.
    m_lineBuffer.clear();
    m_contactChanged = false;

    const LogEncoding encoding = m_settings.Ansi ? LogEncoding::Ansi : LogEncoding::Utf16;
    // The folder may have been removed while the program runs.
    QDir().mkpath(m_folder);
    const QString path = QDir(m_folder).filePath(LogFileName(stamp.date(), encoding));
    const AppendOutcome outcome = AppendToLogFile(path, encoding, LogHeader(), records);

    // A contact that did not reach the file is written with the next line that does.
    if (withContact && (outcome.openFailed || outcome.writeFailed))
        m_contactChanged = true;
    const auto tell = [this](const char* text) {
        m_boxes.show(QString::fromLatin1(text), MessageBoxes::Icon::Information, MessageBoxes::Buttons::Ok);
    };
    if (outcome.openFailed)
        tell("LogFile open error   ");
    if (outcome.writeFailed)
        tell("LogFile seek & write error   ");
    if (outcome.closeFailed)
        tell("LogFile close error   ");
}
