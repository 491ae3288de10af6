#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

#include <variant>

/// A typed hierarchical key/value store as a registry holds it: keys named by backslash paths,
/// each with named values that are either a 32-bit number (REG_DWORD) or a text (REG_SZ).
/// Key paths and value names compare without regard to case; their first spelling is kept.
class RegistryData {
public:
    using Value = std::variant<quint32, QString>;
    struct Entry {
        QString name;
        Value value;
    };
    struct Key {
        QString path;
        QList<Entry> entries;
    };

    /// Creates the key and every key above it that is missing.
    void createKey(const QString& path);
    bool hasKey(const QString& path) const;
    const Value* value(const QString& path, const QString& name) const;
    /// Stores a value, creating its key chain; a value of the same name is replaced in place.
    void setValue(const QString& path, const QString& name, const Value& value);

    /// Keys in the order they were first created or read.
    const QList<Key>& keys() const { return m_keys; }

private:
    Key* find(const QString& path);
    const Key* find(const QString& path) const;

    QList<Key> m_keys;
    // Case-folded paths, and (key, case-folded name) pairs, to their places: a file of many keys
    // or values must not take quadratic time to read.
    QHash<QString, qsizetype> m_keyAt;
    QHash<std::pair<qsizetype, QString>, qsizetype> m_entryAt;
};
