#pragma once

#include <QString>

/// Caption of TX position 1..8 in bank 0 (TX01..TX08) or bank 1 (TX09..TX16): "{TX13}[5]".
QString TxCaption(int bank, int position);

/// 0-based index of the message shown at position 1..8 of a bank.
inline int MessageIndex(int bank, int position) {
    return 8 * bank + position - 1;
}

/// The text a send-selection keys: line ends become one blank each, carriage returns vanish.
QString SendableSelection(const QString& selected);
