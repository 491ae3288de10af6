#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// What a file-open dialog shows: its title, filters, start folder and the file named at first.
struct FileOpenRequest {
    QString title;
    QStringList nameFilters; ///< "wave file (*.wav)": the text with its patterns in parentheses
    QString defaultSuffix;
    QString directory;
    QString fileName;
};

/// The file-open dialog behind a seam, so that tests choose files instead of blocking.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// The existing file the operator chose, or an empty text when the dialog was cancelled.
    virtual QString openExistingFile(const FileOpenRequest& request) = 0;
};

/// A filter list written as "text|patterns|text|patterns||" as the names its dialog shows.
QStringList NameFiltersOf(const QString& pipeFilter);

/// Test backend: records every request and answers from a queue, cancelling when it is empty.
class RecordingFileDialogs : public FileDialogs {
public:
    QString openExistingFile(const FileOpenRequest& request) override;
    void queueAnswer(const QString& path) { m_answers.append(path); }
    const QList<FileOpenRequest>& requests() const { return m_requests; }

private:
    QList<FileOpenRequest> m_requests;
    QStringList m_answers;
};
