#include "FuzzCheck.h"
#include "link/ViewItems.h"

#include <algorithm>
#include <cstdint>

// Any "SPEC" item list: every 37 characters are one item whose list stays within its bound and
// selects one of its own entries, and setting a value keeps each record's length and the others,
// and never splits a surrogate pair.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList records;
    for (qsizetype at = 0; at + 37 <= text.size(); at += 37)
        records.append(text.mid(at, 37));
    for (const QString& record : records) {
        const ViewItem item = ParseViewItem(record);
        const ValueList list = ValueListOf(item);
        Require(list.entries.size() == list.values.size() && list.entries.size() <= 10000);
        Require(list.selected >= -1 && list.selected < list.entries.size());
    }
    if (!records.isEmpty()) {
        const QStringList before = records;
        const int item = int(size % records.size());
        const QString value = text.left(6);
        SetItemValue(records, item, value);
        Require(records.size() == before.size() && records[item].size() == 37);
        // The value's longest prefix of whole characters that fits four units, padded with blanks.
        qsizetype kept = std::min<qsizetype>(4, value.size());
        if (kept < value.size() && value[kept - 1].isHighSurrogate())
            --kept;
        Require(records[item].mid(16, 4) == value.left(kept).leftJustified(4, u' '));
        for (qsizetype i = 0; i < records.size(); ++i)
            Require(i == item || records[i] == before[i]);
    }
    return 0;
}
