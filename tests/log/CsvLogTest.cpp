#include "LogFixture.h"

#include <utility>

namespace {

using CsvLogTest = LogFixture;

const QString kAnsiToday = QStringLiteral("Tarvo070315A.txt");
const QString kUtf16Today = QStringLiteral("Tarvo070315U.txt");

ContactTexts contact() {
    ContactTexts his;
    his[FieldCALL] = QStringLiteral("OK1AB");
    his[FieldRST] = QStringLiteral("599");
    his[FieldNAME] = QStringLiteral("JAN");
    his[FieldQTH] = QStringLiteral("PRAHA");
    his[FieldM1] = QStringLiteral("15");
    his[FieldM2] = QStringLiteral("579");
    return his;
}

TEST_F(CsvLogTest, HeaderComesOnceAtTheTopOfTheDaysFile) {
    sendLine(QStringLiteral("CQ"));
    now = now.addSecs(61);
    sendLine(QStringLiteral("DE OK1AB"));
    EXPECT_EQ(file(kAnsiToday), kHeader + ",1,\"20070315\",\"123456\",,,,,,,\"CQ\"\r\n"
                                          ",1,\"20070315\",\"123557\",,,,,,,\"DE OK1AB\"\r\n");
    EXPECT_EQ(files(), QStringList{kAnsiToday});
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(CsvLogTest, ContactRecordPrecedesTheLineOnceWithTheSameStamp) {
    // A clock that moves on at every reading: both records must come from one reading.
    CsvLog ticking(settings, boxes, folder, [this] { return std::exchange(now, now.addSecs(1)); });
    settings.his = contact();
    ticking.setContactChanged();
    ticking.LogText(QStringLiteral("TU"));
    ticking.LogText(QStringLiteral("\r\n"));
    EXPECT_FALSE(ticking.contactChanged());
    ticking.LogText(QStringLiteral("73"));
    ticking.LogText(QStringLiteral("\r\n"));
    EXPECT_EQ(file(kAnsiToday), kHeader +
                                    ",0,\"20070315\",\"123456\",\"OK1AB\",\"599\",\"PRAHA\",\"JAN\",\"15\",\"579\",\r\n"
                                    ",1,\"20070315\",\"123456\",,,,,,,\"TU\"\r\n"
                                    ",1,\"20070315\",\"123457\",,,,,,,\"73\"\r\n");
}

TEST_F(CsvLogTest, CwColumnKeepsTheLineWithQuotesDoubledAndNoTrailingWhiteSpace) {
    const QList<std::pair<QStringList, QByteArray>> cases = {
        {{"SAY \"HI\""}, "SAY \"\"HI\"\""},
        {{"\""}, "\"\""},
        {{}, ""},
        {{"CQ  \t "}, "CQ"},
        {{"  CQ"}, "  CQ"},
        {{"<escape>", "[Remote] "}, "<escape>[Remote]"},
        // Only a text of exactly CR LF ends the line; others are part of it.
        {{"AB\r\n", "CD\n"}, "AB\r\nCD"},
        {{"\r\n\r\n"}, ""},
    };
    QByteArray expected = kHeader;
    for (const auto& [pieces, cw] : cases) {
        for (const QString& piece : pieces)
            log.LogText(piece);
        log.LogText(QStringLiteral("\r\n"));
        expected += ",1,\"20070315\",\"123456\",,,,,,,\"" + cw + "\"\r\n";
        EXPECT_FALSE(log.hasOpenLine());
    }
    EXPECT_EQ(file(kAnsiToday), expected);
}

TEST_F(CsvLogTest, QuotesInContactValuesAreDoubledSoTheRecordStaysWhole) {
    settings.his = ContactTexts{};
    settings.his[FieldCALL] = QStringLiteral("K\"1");
    settings.his[FieldNAME] = QStringLiteral("\"BOB\"");
    log.setContactChanged();
    sendLine(QStringLiteral("R"));
    EXPECT_EQ(file(kAnsiToday), kHeader +
                                    ",0,\"20070315\",\"123456\",\"K\"\"1\",\"\",\"\",\"\"\"BOB\"\"\",\"\",\"\",\r\n"
                                    ",1,\"20070315\",\"123456\",,,,,,,\"R\"\r\n");
}

TEST_F(CsvLogTest, ALineEndAfterMidnightGoesToTheNewDaysFile) {
    now = QDateTime(QDate(2007, 3, 15), QTime(23, 59, 58));
    sendLine(QStringLiteral("QRL?"));
    log.LogText(QStringLiteral("CQ "));
    now = QDateTime(QDate(2007, 3, 16), QTime(0, 0, 1));
    log.LogText(QStringLiteral("DE"));
    log.LogText(QStringLiteral("\r\n"));
    EXPECT_EQ(file(kAnsiToday), kHeader + ",1,\"20070315\",\"235958\",,,,,,,\"QRL?\"\r\n");
    EXPECT_EQ(file("Tarvo070316A.txt"), kHeader + ",1,\"20070316\",\"000001\",,,,,,,\"CQ DE\"\r\n");
}

TEST_F(CsvLogTest, LoggingOffKeepsNothingAndSwitchingOnLogsTheRestOfTheLine) {
    settings.Logging = 0;
    settings.his = contact();
    log.setContactChanged();
    log.LogText(QStringLiteral("CQ "));
    EXPECT_FALSE(log.hasOpenLine());
    log.LogText(QStringLiteral("\r\n"));
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(log.contactChanged()) << "a contact change waits for a logged line";

    log.LogText(QStringLiteral("CQ "));
    settings.Logging = 1;
    log.LogText(QStringLiteral("DE"));
    EXPECT_TRUE(log.hasOpenLine());
    log.LogText(QStringLiteral("\r\n"));
    EXPECT_EQ(file(kAnsiToday), kHeader +
                                    ",0,\"20070315\",\"123456\",\"OK1AB\",\"599\",\"PRAHA\",\"JAN\",\"15\",\"579\",\r\n"
                                    ",1,\"20070315\",\"123456\",,,,,,,\"DE\"\r\n");
}

TEST_F(CsvLogTest, SwitchingTheEncodingWritesTheOtherFileWithItsOwnHeader) {
    sendLine(QStringLiteral("A1"));
    settings.Ansi = 0;
    sendLine(QStringLiteral("U1"));
    settings.Ansi = 1;
    sendLine(QStringLiteral("A2"));
    EXPECT_EQ(file(kAnsiToday), kHeader + ",1,\"20070315\",\"123456\",,,,,,,\"A1\"\r\n"
                                          ",1,\"20070315\",\"123456\",,,,,,,\"A2\"\r\n");
    EXPECT_EQ(file(kUtf16Today), le16(kHeader + ",1,\"20070315\",\"123456\",,,,,,,\"U1\"\r\n"));
}

// Both files byte for byte, with characters beyond ASCII: É (U+00C9) and Т (U+0422, whose low
// byte is a double quote).
TEST_F(CsvLogTest, BothEncodingsMatchTheirBytes) {
    settings.his = contact();
    settings.his[FieldNAME] = QString::fromUtf8("JAN \u0422");
    for (const int ansi : {1, 0}) {
        settings.Ansi = ansi;
        log.setContactChanged();
        sendLine(QString::fromUtf8("5NN \"\u00C9\" \u0422"));
    }
    const QByteArray contactHead = ",0,\"20070315\",\"123456\",\"OK1AB\",\"599\",\"PRAHA\",\"JAN ";
    const QByteArray contactTail = "\",\"15\",\"579\",\r\n";
    const QByteArray lineHead = ",1,\"20070315\",\"123456\",,,,,,,\"5NN \"\"";
    EXPECT_EQ(file(kAnsiToday), kHeader + contactHead + "\"\"" + contactTail + lineHead +
                                    "\xC9"
                                    "\"\" \"\"\"\r\n");
    EXPECT_EQ(file(kUtf16Today), le16(kHeader + contactHead) + QByteArray("\x22\x04", 2) + le16(contactTail) +
                                     le16(lineHead) + QByteArray("\xC9\x00", 2) + le16("\"\" ") +
                                     QByteArray("\x22\x04", 2) + le16("\"\r\n"));
}

TEST_F(CsvLogTest, AnUnusableFolderShowsTheOpenErrorAndTheNextLineTriesAgain) {
    // A regular file where the folder should be: nothing can be created under it, even as root.
    const QString blocked = path(QStringLiteral("blocked"));
    writeFile(blocked, "not a folder");
    CsvLog blockedLog(settings, boxes, blocked, [this] { return now; });
    settings.his = contact();
    blockedLog.setContactChanged();
    blockedLog.LogText(QStringLiteral("LOST"));
    blockedLog.LogText(QStringLiteral("\r\n"));
    ASSERT_EQ(boxes.texts(), QStringList{QStringLiteral("LogFile open error   ")});
    EXPECT_EQ(boxes.shown()[0].icon, MessageBoxes::Icon::Information);
    EXPECT_FALSE(blockedLog.hasOpenLine());
    EXPECT_TRUE(blockedLog.contactChanged()) << "the contact must reach the file with a later line";

    ASSERT_TRUE(QFile::remove(blocked));
    blockedLog.LogText(QStringLiteral("SAVED"));
    blockedLog.LogText(QStringLiteral("\r\n"));
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(readFile(QDir(blocked).filePath(kAnsiToday)),
              kHeader + ",0,\"20070315\",\"123456\",\"OK1AB\",\"599\",\"PRAHA\",\"JAN\",\"15\",\"579\",\r\n"
                        ",1,\"20070315\",\"123456\",,,,,,,\"SAVED\"\r\n");
    EXPECT_FALSE(blockedLog.contactChanged());
}

TEST_F(CsvLogTest, AFullDiskShowsTheWriteErrorAndTheProgramGoesOn) {
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path(kAnsiToday)));
    log.setContactChanged();
    sendLine(QStringLiteral("CQ"));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("LogFile seek & write error   ")});
    EXPECT_FALSE(log.hasOpenLine());
    EXPECT_TRUE(log.contactChanged());
    sendLine(QStringLiteral("CQ"));
    EXPECT_EQ(boxes.shown().size(), 2) << "every line end tries again";
}

} // namespace
