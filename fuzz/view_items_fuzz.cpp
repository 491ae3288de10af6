#include "FuzzCheck.h"
#include "link/ViewItems.h"

#include <cstdint>

// Any "SPEC" item list: every 37 characters are one item whose list stays within its bound and
// selects one of its own entries, and setting a value keeps each record's length and the others.
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
        SetItemValue(records, item, text.left(6));
        Require(records.size() == before.size() && records[item].size() == 37);
        Require(records[item].mid(16, 4) == text.left(6).leftJustified(4, u' ', true));
        for (qsizetype i = 0; i < records.size(); ++i)
            Require(i == item || records[i] == before[i]);
    }
    return 0;
}
