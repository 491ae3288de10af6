#pragma once

#include <QString>
#include <QStringList>

/// The bridge's own settings, offered to Tarvo's view dialog as the companion's items.
class BridgeItems {
public:
    /// The "SPEC" records: the poll period (a list of 100 .. 1000 ms) and whether text fldigi keys
    /// itself goes to Tarvo as decoded text (on or off).
    QStringList records() const;
    /// A "VAL" payload ("%04d %s": the item and its new list position, or 0 / 1): true when it
    /// named an item and a value it can take.
    bool apply(const QString& payload);

    int pollMs() const { return m_pollMs; }
    bool passTxText() const { return m_passTxText; }

private:
    int m_pollMs = 250;
    bool m_passTxText = false;
};
