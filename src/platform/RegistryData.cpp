#include "platform/RegistryData.h"

const RegistryData::Key* RegistryData::find(const QString& path) const {
    const auto at = m_keyAt.constFind(path.toCaseFolded());
    return at == m_keyAt.cend() ? nullptr : &m_keys[*at];
}

RegistryData::Key* RegistryData::find(const QString& path) {
    return const_cast<Key*>(std::as_const(*this).find(path));
}

void RegistryData::createKey(const QString& path) {
    const QString folded = path.toCaseFolded();
    // Simple case folding keeps the length, so a prefix of the folded path is its prefix folded.
    const auto foldedLeft = [&](qsizetype end) {
        return folded.size() == path.size() ? folded.left(end) : path.left(end).toCaseFolded();
    };
    // The keys missing from path up to the first that exists, found without recursion (a deep path
    // must not use up the stack) and then made from the top down.
    QList<qsizetype> missing;
    for (qsizetype end = path.size(); end > 0 && !m_keyAt.contains(foldedLeft(end));
         end = path.lastIndexOf(QLatin1Char('\\'), end - 1))
        missing.append(end);
    for (auto end = missing.crbegin(); end != missing.crend(); ++end) {
        m_keyAt.insert(foldedLeft(*end), m_keys.size());
        m_keys.append({path.left(*end), {}});
    }
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
