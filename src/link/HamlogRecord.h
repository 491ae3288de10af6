#pragma once

#include <QString>
#include <QStringList>

/// What a "LOGDT" block gives the screen.
struct HamlogBlock {
    /// "[HAMLOG] Call=\"" … "\"": lines 1 .. 15 with their labels.
    QString record;
    /// Lines 7 and 17, in that order, where they are present and not empty: the frequency.
    QStringList frequencies;
    /// Lines 8 and 18 likewise: the mode.
    QStringList modes;
};

/// Reads the block of a "LOGDT" message (the text after "LOGDT "): lines end in line feeds,
/// carriage returns are ignored, text after the last line feed and lines after line 18 are not
/// read.
HamlogBlock BuildHamlogRecord(const QString& block);
