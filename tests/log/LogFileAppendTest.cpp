#include "log/LogFileAppend.h"
#include "LogFixture.h"

#include <sys/resource.h>

#include <csignal>

namespace {

using LogFileAppendTest = LogFixture;

const QByteArray kRecord = ",1,\"20070315\",\"123456\",,,,,,,\"CQ\"\r\n";

struct TornCase {
    const char* what;
    LogEncoding encoding;
    QByteArray before; ///< the file as a crash or a full disk left it
    QByteArray mend;   ///< what must come before the new record
};

TEST_F(LogFileAppendTest, ACutOffEndIsClosedSoTheNextRecordStandsOnItsOwnLine) {
    const QList<TornCase> cases = {
        {"empty file", LogEncoding::Ansi, "", kHeader},
        {"whole records", LogEncoding::Ansi, kHeader + kRecord, ""},
        {"cut inside a value", LogEncoding::Ansi, kHeader + ",1,\"20070315\",\"1234", "\"\r\n"},
        {"cut after doubled quotes", LogEncoding::Ansi, kHeader + ",1,\"20070315\",\"123456\",,,,,,,\"SAY \"\"HI",
         "\"\r\n"},
        {"cut between values", LogEncoding::Ansi, kHeader + ",1,\"20070315\",\"123456\",,,", "\r\n"},
        {"cut before the line end", LogEncoding::Ansi, kHeader + ",1,\"20070315\",\"123456\",,,,,,,\"CQ\"", "\r\n"},
        {"half a line end", LogEncoding::Ansi, kHeader + kRecord.chopped(1), "\r\n"},
        {"empty UTF-16 file", LogEncoding::Utf16, "", le16(kHeader)},
        {"whole UTF-16 records", LogEncoding::Utf16, le16(kHeader + kRecord), ""},
        {"UTF-16 cut inside a value", LogEncoding::Utf16, le16(kHeader + ",1,\"2007"), le16("\"\r\n")},
        {"UTF-16 cut inside a unit", LogEncoding::Utf16, le16(kHeader + ",1,\"2007").chopped(1),
         QByteArray(1, '\0') + le16("\"\r\n")},
        {"UTF-16 cut inside a line end", LogEncoding::Utf16, le16(kHeader + kRecord).chopped(1),
         QByteArray(1, '\0') + le16("\r\n")},
    };
    for (const TornCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = path(QString::fromLatin1(c.what));
        writeFile(name, c.before);
        const AppendOutcome outcome =
            AppendToLogFile(name, c.encoding, QString::fromLatin1(kHeader), QString::fromLatin1(kRecord));
        EXPECT_FALSE(outcome.openFailed || outcome.writeFailed || outcome.closeFailed);
        const QByteArray record = c.encoding == LogEncoding::Ansi ? kRecord : le16(kRecord);
        EXPECT_EQ(readFile(name), c.before + c.mend + record);
    }
}

TEST_F(LogFileAppendTest, AMissingFileIsCreatedWithTheHeader) {
    const QString name = path(QStringLiteral("new.txt"));
    const AppendOutcome outcome =
        AppendToLogFile(name, LogEncoding::Ansi, QString::fromLatin1(kHeader), QString::fromLatin1(kRecord));
    EXPECT_FALSE(outcome.openFailed || outcome.writeFailed || outcome.closeFailed);
    EXPECT_EQ(readFile(name), kHeader + kRecord);
}

// Lowers the largest file this process may write, the way a nearly full disk stops a write part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, m_old.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldSignal)(int) = nullptr;
    bool m_set = false;
};

TEST_F(LogFileAppendTest, AWriteCutShortIsTakenBackAndReported) {
    sendLine(QStringLiteral("CQ"));
    const QByteArray before = file(QStringLiteral("Tarvo070315A.txt"));
    {
        const FileSizeLimit limit(before.size() + 10);
        ASSERT_TRUE(limit.isSet());
        settings.his = ContactTexts{};
        log.setContactChanged();
        sendLine(QStringLiteral("A LINE LONGER THAN TEN BYTES"));
    }
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("LogFile seek & write error   ")});
    EXPECT_EQ(file(QStringLiteral("Tarvo070315A.txt")), before);
    EXPECT_TRUE(log.contactChanged());

    sendLine(QStringLiteral("DE"));
    EXPECT_EQ(file(QStringLiteral("Tarvo070315A.txt")),
              before + ",0,\"20070315\",\"123456\",\"\",\"\",\"\",\"\",\"\",\"\",\r\n"
                       ",1,\"20070315\",\"123456\",,,,,,,\"DE\"\r\n");
}

} // namespace
