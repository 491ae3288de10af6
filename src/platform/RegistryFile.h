#pragma once

#include "platform/RegistryData.h"

#include <QByteArray>
#include <QString>

/// The text format of a registry export. Reads UTF-8, UTF-16LE with a byte-order mark and
/// REGEDIT4 files; writes UTF-8 with CR LF line ends.
namespace RegistryFile {

struct Parsed {
    RegistryData data;
    /// Lines that could not be read (1-based); their content was skipped.
    QList<int> badLines;
};

Parsed parse(const QByteArray& bytes);
QByteArray serialize(const RegistryData& data);

} // namespace RegistryFile

/// The settings file on disk: loaded once, saved atomically. A file that had unreadable lines is
/// copied to "<name>.bak" before it is first overwritten, so hand edits are never lost silently.
class RegistryFileStore {
public:
    explicit RegistryFileStore(const QString& path);

    /// Reads the file; a missing file is an empty store.
    void load();
    /// Writes the whole store; false when it could not be written (the old file is then intact).
    bool save();

    RegistryData& data() { return m_data; }
    const QString& path() const { return m_path; }
    bool hadBadLines() const { return m_needsBackup; }

private:
    QString m_path;
    RegistryData m_data;
    bool m_needsBackup = false;
};
