#pragma once

#include <QString>

class RegistryData;

/// The four primitives on section and key names below HKEY_CURRENT_USER\software\Zorvik\Tarvo.
/// Every access creates the section's key chain, reads included, as the registry always has.
class SettingsStore {
public:
    explicit SettingsStore(RegistryData& data);

    /// The stored number when the value is a 4-byte number, else fallback.
    int readInt(const QString& section, const QString& key, int fallback);
    /// The stored text when the value is a text, else fallback.
    QString readString(const QString& section, const QString& key, const QString& fallback);
    /// Writes go to memory; the file is written as a whole when the settings are saved.
    void writeInt(const QString& section, const QString& key, int value);
    void writeString(const QString& section, const QString& key, const QString& text);

    static QString keyPath(const QString& section);

private:
    RegistryData& m_data;
};
