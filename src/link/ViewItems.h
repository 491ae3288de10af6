#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// One of the companion's items, read from its 37-character record of a "SPEC" reply.
struct ViewItem {
    enum Type { Action = 0, OnOff = 1, List = 2, Text = 3, Unknown = -1 };
    QString name;        ///< characters 0 .. 15, as the "Items" list shows them
    QString value;       ///< characters 16 .. 19, as they stand
    Type type = Unknown; ///< character 24
    int minimum = 0;     ///< characters 25 .. 28
    int maximum = 0;     ///< characters 29 .. 32: a list's last value, a text's length
    int scale = 0;       ///< characters 33 .. 36: 1 means tenths, else a step of scale / 10
};

/// Numbers in a record are read as decimal from the field's start (blanks and a sign allowed
/// first) to the field's end at most, 0 when there are none. A short record reads the fields it
/// lacks as empty and 0, its type as Unknown.
ViewItem ParseViewItem(const QString& record);

/// The value list of a list item: its entry texts from minimum to maximum, the value of each,
/// and the entry whose value is the item's (−1 when none is).
struct ValueList {
    QStringList entries;
    QList<int> values;
    int selected = -1;
};
/// With scale 1 each entry is "%d.%d" of v / 10 and v % 10 and v grows by 1 (a negative v shows
/// its sign once: "-0.5"); otherwise "%d" of v growing by scale / 10. A step below 1 (scale 0,
/// 2 .. 9 or negative) steps by 1, so that the list still ends at the maximum. The value is read
/// as the record's numbers are. At most 10000 entries.
ValueList ValueListOf(const ViewItem& item);

/// Sets the value field (characters 16 .. 19) of record item: the value padded with blanks to
/// four characters and cut to four. Records and items that do not exist are left alone; a record
/// too short to hold the field is first padded with blanks.
void SetItemValue(QStringList& records, int item, const QString& value);

/// The local mirror of an action item's "Select": item 15 sets records 26 .. 38 to "1" (only 27,
/// 29, .. 37 when record 17's value begins with "1"), item 16 sets them all to "0".
void PressAction(QStringList& records, int item);
