#include "log/LogRecords.h"

namespace {

QString dateColumn(const QDate& date) {
    return QString::asprintf("%04d%02d%02d", date.year(), date.month(), date.day());
}

QString timeColumn(const QTime& time) {
    return QString::asprintf("%02d%02d%02d", time.hour(), time.minute(), time.second());
}

QString stampColumns(const QDateTime& stamp) {
    return QLatin1Char('"') + dateColumn(stamp.date()) + QLatin1String("\",\"") + timeColumn(stamp.time()) +
           QLatin1Char('"');
}

} // namespace

QString LogHeader() {
    return QStringLiteral(
        "\"LOG\",\"TYPE\",\"DATE\",\"TIME\",\"CALL\",\"RST\",\"QTH\",\"NAME\",\"M1\",\"M2\",\"CW\"\r\n");
}

QString LogFileName(const QDate& date, LogEncoding encoding) {
    const QString stamp = QString::asprintf("%02d%02d%02d", date.year() % 100, date.month(), date.day());
    return QStringLiteral("Tarvo") + stamp + (encoding == LogEncoding::Ansi ? QLatin1Char('A') : QLatin1Char('U')) +
           QStringLiteral(".txt");
}

QString QuoteDoubled(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('"'), QLatin1String("\"\""));
}

QString ContactRecord(const QDateTime& stamp, const ContactTexts& his) {
    QString record = QStringLiteral(",0,") + stampColumns(stamp);
    // QTH comes before NAME in the file, unlike on the screen.
    for (const ContactField field : {FieldCALL, FieldRST, FieldQTH, FieldNAME, FieldM1, FieldM2})
        record += QLatin1String(",\"") + QuoteDoubled(his[field]) + QLatin1Char('"');
    return record + QStringLiteral(",\r\n");
}

QString LineRecord(const QDateTime& stamp, const QString& quotedText) {
    return QStringLiteral(",1,") + stampColumns(stamp) + QLatin1String(",,,,,,,\"") + quotedText +
           QStringLiteral("\"\r\n");
}
