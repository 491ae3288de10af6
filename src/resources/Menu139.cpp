#include "resources/Menu139.h"

namespace {

QString number(int entry) {
    return QStringLiteral("%1.").arg(entry, 2, 10, QLatin1Char('0'));
}

QList<FocusMenuItem> build() {
    QList<FocusMenuItem> items;
    const char* const fields[] = {"{CALL}", "{RST}", "{NAME}", "{QTH}", "{M1}", "{M2}"};
    items.append({number(1) + QStringLiteral("Clear"), 32825});
    for (int i = 0; i < 6; ++i)
        items.append({number(2 + i) + QString::fromLatin1(fields[i]), 32826 + i});
    // Entries 24..39 were numbered out of order when the menu was made; the ids stay as they are.
    const int bankTwo[] = {32854, 32855, 32849, 32856, 32851, 32857, 32853, 32858,
                           32860, 32859, 32861, 32862, 32863, 32864, 32865, 32866};
    for (int row = 0; row < 48; ++row) {
        const int entry = 8 + row;
        const int position = row % 16 / 2 + 1;
        QString label;
        if (row % 2)
            label = number(entry) + QStringLiteral("  Edit");
        else if (row < 16)
            label = number(entry) + QStringLiteral("TX%1").arg(position, 2, 10, QLatin1Char('0'));
        else if (row < 32)
            label = number(entry) + QStringLiteral("TX%1").arg(position + 8, 2, 10, QLatin1Char('0'));
        else
            label = number(entry) + QStringLiteral("TX(%1)").arg(position);
        const int command = row < 16 ? 32832 + row : row < 32 ? bankTwo[row - 16] : 32867 + row - 32;
        items.append({label, command});
    }
    const char* const boxes[] = {"9- On", "  Off", "CQ On", "  Off", "Key On", "  Off", "  Edit"};
    for (int i = 0; i < 7; ++i)
        items.append({number(56 + i) + QString::fromLatin1(boxes[i]), 32883 + i});
    items.append({QStringLiteral("All reset"), kFocusAllResetCommand});
    return items;
}

} // namespace

const QList<FocusMenuItem>& Menu139() {
    static const QList<FocusMenuItem> items = build();
    return items;
}
