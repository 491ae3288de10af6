#include "link/ViewItems.h"

#include "link/LinkText.h"

#include <algorithm>

namespace {

constexpr qsizetype kNameWidth = 16;
constexpr qsizetype kValueAt = 16;
constexpr qsizetype kValueWidth = 4;
constexpr qsizetype kTypeAt = 24;
constexpr qsizetype kMinimumAt = 25;
constexpr qsizetype kMaximumAt = 29;
constexpr qsizetype kScaleAt = 33;
constexpr qsizetype kNumberWidth = 4;

// Bounds the list also for numbers no record could hold; ten thousand entries are already more
// than anyone scrolls through.
constexpr qsizetype kMostListEntries = 10000;

constexpr int kFirstMirrored = 26;
constexpr int kLastMirrored = 38;
constexpr int kMirrorMode = 17;

int NumberField(const QString& record, qsizetype at) {
    return LeadingNumber(record.mid(at, kNumberWidth));
}

ViewItem::Type TypeOf(const QString& record) {
    if (record.size() <= kTypeAt)
        return ViewItem::Unknown;
    const char16_t digit = record[kTypeAt].unicode();
    if (digit < u'0' || digit > u'3')
        return ViewItem::Unknown;
    return ViewItem::Type(digit - u'0');
}

QString Tenths(int v) {
    // The sign once, in front: -5 is "-0.5", not "0.-5".
    const QString sign = v < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = v < 0 ? -qint64(v) : qint64(v);
    return sign + QString::number(magnitude / 10) + QLatin1Char('.') + QString::number(magnitude % 10);
}

} // namespace

ViewItem ParseViewItem(const QString& record) {
    ViewItem item;
    item.name = record.left(kNameWidth);
    item.value = record.mid(kValueAt, kValueWidth);
    item.type = TypeOf(record);
    item.minimum = NumberField(record, kMinimumAt);
    item.maximum = NumberField(record, kMaximumAt);
    item.scale = NumberField(record, kScaleAt);
    return item;
}

ValueList ValueListOf(const ViewItem& item) {
    ValueList list;
    const bool tenths = item.scale == 1;
    // A step below 1 would never reach the maximum.
    const qint64 step = tenths ? 1 : std::max(item.scale / 10, 1);
    const int value = LeadingNumber(item.value);
    // Wide enough not to overflow past the largest maximum.
    for (qint64 v = item.minimum; v <= item.maximum && list.values.size() < kMostListEntries; v += step) {
        const int entry = int(v);
        if (entry == value && list.selected < 0)
            list.selected = int(list.values.size());
        list.entries.append(tenths ? Tenths(entry) : QString::number(entry));
        list.values.append(entry);
    }
    return list;
}

void SetItemValue(QStringList& records, int item, const QString& value) {
    if (item < 0 || item >= records.size())
        return;
    QString& record = records[item];
    if (record.size() < kValueAt + kValueWidth)
        record = record.leftJustified(kValueAt + kValueWidth, QLatin1Char(' '));
    record.replace(kValueAt, kValueWidth,
                   LeftCharacters(value, kValueWidth).leftJustified(kValueWidth, QLatin1Char(' ')));
}

void PressAction(QStringList& records, int item) {
    if (item == 15) {
        const bool everyOther =
            kMirrorMode < records.size() && ParseViewItem(records[kMirrorMode]).value.startsWith(QLatin1Char('1'));
        const int first = everyOther ? kFirstMirrored + 1 : kFirstMirrored;
        const int last = everyOther ? kLastMirrored - 1 : kLastMirrored;
        for (int record = first; record <= last; record += everyOther ? 2 : 1)
            SetItemValue(records, record, QStringLiteral("1"));
    } else if (item == 16) {
        for (int record = kFirstMirrored; record <= kLastMirrored; ++record)
            SetItemValue(records, record, QStringLiteral("0"));
    }
}
