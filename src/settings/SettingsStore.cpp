#include "settings/SettingsStore.h"

#include "platform/RegistryData.h"

SettingsStore::SettingsStore(RegistryData& data) : m_data(data) {}

QString SettingsStore::keyPath(const QString& section) {
    static const QString root = QStringLiteral("HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo");
    return section.isEmpty() ? root : root + QLatin1Char('\\') + section;
}

int SettingsStore::readInt(const QString& section, const QString& key, int fallback) {
    const QString path = keyPath(section);
    m_data.createKey(path);
    const auto* value = m_data.value(path, key);
    const auto* number = value ? std::get_if<quint32>(value) : nullptr;
    return number ? int(*number) : fallback;
}

QString SettingsStore::readString(const QString& section, const QString& key, const QString& fallback) {
    const QString path = keyPath(section);
    m_data.createKey(path);
    const auto* value = m_data.value(path, key);
    const auto* text = value ? std::get_if<QString>(value) : nullptr;
    return text ? *text : fallback;
}

void SettingsStore::writeInt(const QString& section, const QString& key, int value) {
    m_data.setValue(keyPath(section), key, quint32(value));
}

void SettingsStore::writeString(const QString& section, const QString& key, const QString& text) {
    m_data.setValue(keyPath(section), key, text);
}
