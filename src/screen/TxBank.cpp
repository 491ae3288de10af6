#include "screen/TxBank.h"

QString TxCaption(int bank, int position) {
    return QStringLiteral("{TX%1}[%2]").arg(MessageIndex(bank, position) + 1, 2, 10, QLatin1Char('0')).arg(position);
}

QString SendableSelection(const QString& selected) {
    QString text = selected;
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    return text;
}
