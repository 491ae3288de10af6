#include "platform/FileDialogs.h"

QStringList NameFiltersOf(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList out;
    // Texts and patterns alternate; the dialog reads the patterns from the text's parentheses.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            out.append(parts[i]);
    }
    return out;
}

QString RecordingFileDialogs::openExistingFile(const FileOpenRequest& request) {
    m_requests.append(request);
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}
