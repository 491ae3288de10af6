#include "log/LogRecords.h"
#include "LogFixture.h"
#include "log/LogEncoding.h"
#include "log/LogFolder.h"

namespace {

TEST(LogRecords, FileNameCarriesTwoDigitYearMonthDayAndEncoding) {
    const QList<std::tuple<QDate, LogEncoding, QString>> cases = {
        {QDate(2007, 3, 15), LogEncoding::Utf16, "Tarvo070315U.txt"},
        {QDate(2007, 3, 15), LogEncoding::Ansi, "Tarvo070315A.txt"},
        {QDate(2000, 1, 1), LogEncoding::Ansi, "Tarvo000101A.txt"},
        {QDate(2099, 12, 31), LogEncoding::Utf16, "Tarvo991231U.txt"},
    };
    for (const auto& [date, encoding, name] : cases)
        EXPECT_EQ(LogFileName(date, encoding), name);
}

TEST(LogRecords, HeaderAndRecordsHaveTheirExactColumns) {
    const QDateTime stamp(QDate(2024, 1, 2), QTime(3, 4, 5));
    ContactTexts his{"CALL", "RST", "NAME", "QTH", "M1", "M2"};
    EXPECT_EQ(LogHeader().toLatin1(), kHeader);
    EXPECT_EQ(ContactRecord(stamp, his),
              ",0,\"20240102\",\"030405\",\"CALL\",\"RST\",\"QTH\",\"NAME\",\"M1\",\"M2\",\r\n");
    EXPECT_EQ(LineRecord(stamp, "5NN \"\"TU\"\""), ",1,\"20240102\",\"030405\",,,,,,,\"5NN \"\"TU\"\"\"\r\n");
}

TEST(LogEncoding, EachCharacterBecomesItsBytes) {
    const QList<std::tuple<char16_t, QByteArray, QByteArray>> cases = {
        // character, ANSI bytes, UTF-16 bytes
        {u'A', "A", QByteArray("A\0", 2)},
        {u'"', "\"", QByteArray("\"\0", 2)},
        {u'\r', "\r", QByteArray("\r\0", 2)},
        {u'\u00C9', "\xC9", QByteArray("\xC9\0", 2)},
        {u'\u0100', QByteArray(1, '\0'), QByteArray("\0\x01", 2)},
        {u'\u6771', "q", QByteArray("q\x67", 2)},
        // Its low byte is a quote: escaped, or it would end the value it stands in.
        {u'\u0422', "\"\"", QByteArray("\x22\x04", 2)},
    };
    for (const auto& [c, ansi, utf16] : cases) {
        SCOPED_TRACE(int(c));
        EXPECT_EQ(EncodeLogText(QString(QChar(c)), LogEncoding::Ansi), ansi);
        EXPECT_EQ(EncodeLogText(QString(QChar(c)), LogEncoding::Utf16), utf16);
    }
}

TEST(LogFolder, LivesUnderTheDataHomeAndIsCreated) {
    const QString expected = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/Zorvik/Tarvo");
    ASSERT_TRUE(QDir(expected).removeRecursively());
    EXPECT_EQ(LogFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

} // namespace
