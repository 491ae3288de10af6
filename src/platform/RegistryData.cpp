#include "platform/RegistryData.h"

const RegistryData::Key* RegistryData::find(const QString& path) const {
    const auto at = m_keyAt.constFind(path.toCaseFolded());
    return at == m_keyAt.cend() ? nullptr : &m_keys[*at];
}

RegistryData::Key* RegistryData::find(const QString& path) {
    return const_cast<Key*>(std::as_const(*this).find(path));
}

void RegistryData::createKey(const QString& path) {
    if (path.isEmpty() || find(path))
        return;
    // The keys above it first, without recursion: a deep path must not use up the stack.
    for (qsizetype at = path.indexOf(QLatin1Char('\\'), 1); at > 0; at = path.indexOf(QLatin1Char('\\'), at + 1)) {
        const QString parent = path.left(at);
        if (!find(parent)) {
            m_keyAt.insert(parent.toCaseFolded(), m_keys.size());
            m_keys.append({parent, {}});
        }
    }
    m_keyAt.insert(path.toCaseFolded(), m_keys.size());
    m_keys.append({path, {}});
}

bool RegistryData::hasKey(const QString& path) const {
    return find(path) != nullptr;
}

const RegistryData::Value* RegistryData::value(const QString& path, const QString& name) const {
    const auto key = m_keyAt.constFind(path.toCaseFolded());
    if (key == m_keyAt.cend())
        return nullptr;
    const auto entry = m_entryAt.constFind({*key, name.toCaseFolded()});
    return entry == m_entryAt.cend() ? nullptr : &m_keys[*key].entries[*entry].value;
}

void RegistryData::setValue(const QString& path, const QString& name, const Value& value) {
    createKey(path);
    const qsizetype key = m_keyAt.value(path.toCaseFolded());
    QList<Entry>& entries = m_keys[key].entries;
    const std::pair<qsizetype, QString> entry{key, name.toCaseFolded()};
    if (const auto at = m_entryAt.constFind(entry); at != m_entryAt.cend()) {
        entries[*at].value = value;
        return;
    }
    m_entryAt.insert(entry, entries.size());
    entries.append({name, value});
}
