#include "platform/RegistryData.h"

const RegistryData::Key* RegistryData::find(const QString& path) const {
    for (const Key& key : m_keys) {
        if (key.path.compare(path, Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

RegistryData::Key* RegistryData::find(const QString& path) {
    return const_cast<Key*>(std::as_const(*this).find(path));
}

void RegistryData::createKey(const QString& path) {
    if (path.isEmpty() || find(path))
        return;
    const qsizetype parent = path.lastIndexOf(QLatin1Char('\\'));
    if (parent > 0)
        createKey(path.left(parent));
    m_keys.append({path, {}});
}

bool RegistryData::hasKey(const QString& path) const {
    return find(path) != nullptr;
}

const RegistryData::Value* RegistryData::value(const QString& path, const QString& name) const {
    const Key* key = find(path);
    if (!key)
        return nullptr;
    for (const Entry& entry : key->entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry.value;
    }
    return nullptr;
}

void RegistryData::setValue(const QString& path, const QString& name, const Value& value) {
    createKey(path);
    Key* key = find(path);
    for (Entry& entry : key->entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    key->entries.append({name, value});
}
