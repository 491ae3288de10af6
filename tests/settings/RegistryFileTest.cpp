#include "platform/RegistryFile.h"
#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\SEND_DATA");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(RegistryFile, EveryTypeRoundTrips) {
    RegistryData data;
    const QList<std::pair<QString, RegistryData::Value>> values = {
        {"WPM", quint32(20)},
        {"Minus", quint32(0xFFFFFFFF)},
        {"Empty", QString()},
        {"Quotes", QStringLiteral("say \"5NN\" \\ 73")},
        {"Unicode", QStringLiteral("Łódź 東京")},
        {"Lines", QStringLiteral("two\r\nlines\tand tab")},
        {"Name \"odd\"", QStringLiteral("x")},
    };
    for (const auto& [name, value] : values)
        data.setValue(kKey, name, value);
    const auto parsed = RegistryFile::parse(RegistryFile::serialize(data));
    EXPECT_TRUE(parsed.badLines.isEmpty());
    for (const auto& [name, value] : values) {
        const auto* read = parsed.data.value(kKey, name);
        ASSERT_NE(read, nullptr) << name.toStdString();
        EXPECT_EQ(*read, value) << name.toStdString();
    }
    EXPECT_EQ(RegistryFile::serialize(parsed.data), RegistryFile::serialize(data));
}

TEST(RegistryFile, ATextEndsAtItsFirstNulAndKeepsALeadingFeff) {
    const struct {
        const char* name;
        QString stored;
        QString read;
    } cases[] = {
        {"NUL inside", QStringLiteral("CQ") + QChar(0) + QStringLiteral("\r\nDE"), QStringLiteral("CQ")},
        {"FEFF and a line break", QChar(0xFEFF) + QStringLiteral("CQ\nDE"), QChar(0xFEFF) + QStringLiteral("CQ\nDE")},
        {"FEFF and a NUL", QChar(0xFEFF) + QStringLiteral("CQ") + QChar(0) + QStringLiteral("\n"),
         QChar(0xFEFF) + QStringLiteral("CQ")},
    };
    for (const auto& c : cases) {
        RegistryData data;
        data.setValue(kKey, "TX01", c.stored);
        const QByteArray written = RegistryFile::serialize(data);
        const auto parsed = RegistryFile::parse(written);
        ASSERT_NE(parsed.data.value(kKey, "TX01"), nullptr) << c.name;
        EXPECT_EQ(*parsed.data.value(kKey, "TX01"), RegistryData::Value(c.read)) << c.name;
        EXPECT_EQ(RegistryFile::serialize(parsed.data), written) << c.name << ": it writes back the same";
    }
}

TEST(RegistryFile, WritesTheExportFormat) {
    RegistryData data;
    data.setValue(kKey, "WPM", quint32(10));
    data.setValue(kKey, "TX01", QStringLiteral("CQ \"DE\""));
    const QByteArray text = RegistryFile::serialize(data);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\r\n\r\n"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\SEND_DATA]\r\n"
                              "\"WPM\"=dword:0000000a\r\n\"TX01\"=\"CQ \\\"DE\\\"\"\r\n"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1]\r\n")) << "parents are keys too";
}

TEST(RegistryFile, BrokenLinesAreSkippedAndGoodValuesKept) {
    const QByteArray bytes = "Windows Registry Editor Version 5.00\r\n"
                             "\r\n"
                             "\"Orphan\"=dword:00000001\r\n" // 3: before any key
                             "[HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\SEND_DATA]\r\n"
                             "\"WPM\"=dword:00000019\r\n"
                             "\"RATIO\"=qword:0000000000000001\r\n"                     // 6: unknown type
                             "\"TX01\"=\"CQ CQ\r\n"                                     // 7: unclosed text
                             "\"GoodMAE\"=dword:1\r\n"                                  // 8: short dword
                             "\x01\x02 junk\r\n"                                        // 9: stray bytes
                             "[HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\FREQ\r\n" // 10: no bracket
                             "\"DIGITS\"=dword:00000009\r\n"                            // 11: in a broken key
                             "[HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\VIEW]\r\n"
                             "\"LOOP\"=dword:00000001\r\n"
                             "\"SELECT\"=\"trunc"; // 14: cut off
    const auto parsed = RegistryFile::parse(bytes);
    EXPECT_EQ(parsed.badLines, (QList<int>{3, 6, 7, 8, 9, 10, 11, 14}));
    EXPECT_EQ(*parsed.data.value(kKey, "WPM"), RegistryData::Value(quint32(25)));
    EXPECT_EQ(*parsed.data.value(QStringLiteral("HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo\\1\\VIEW"), "LOOP"),
              RegistryData::Value(quint32(1)));
    EXPECT_EQ(parsed.data.value(kKey, "TX01"), nullptr);
}

// A damaged file may hold anything, at any size: it is read whole, in time that grows with its size
// (a quadratic reading of these took minutes, and a deep key's levels were made by recursion).
TEST(RegistryFile, LargeDamagedFilesAreReadAndKeysDeeperThanARegistryAreBadLines) {
    QByteArray bytes = "Windows Registry Editor Version 5.00\r\n\r\n[" + kKey.toLatin1() + "]\r\n";
    constexpr int kValues = 50'000;
    for (int i = 0; i < kValues; ++i)
        bytes += "\"V" + QByteArray::number(i) + "\"=dword:00000001\r\n";
    bytes += "\"v7\"=dword:00000002\r\n"; // the same name in another case replaces it
    bytes += "\"Hex\"=hex(1):41,00,\\\r\n";
    for (int i = 0; i < 20'000; ++i)
        bytes += "  41,00,\\\r\n";
    bytes += "  00,00\r\n";
    const QByteArray deep = QByteArray("[") + QByteArray("k\\").repeated(513) + "k]\r\n";
    const QByteArray longName = QByteArray("[k\\") + QByteArray(256, 'n') + "]\r\n";
    const QByteArray deepest = QByteArray("[") + QByteArray("k\\").repeated(511) + "k]\r\n";
    bytes += deep + longName + deepest + "\"Deepest\"=dword:00000003\r\n";

    const auto parsed = RegistryFile::parse(bytes);
    const int deepLine = kValues + 20'007;
    EXPECT_EQ(parsed.badLines, (QList<int>{deepLine, deepLine + 1}));
    const QList<RegistryData::Key>& keys = parsed.data.keys();
    ASSERT_FALSE(keys.isEmpty());
    const RegistryData::Key& tarvo =
        *std::find_if(keys.begin(), keys.end(), [](const auto& k) { return k.path == kKey; });
    EXPECT_EQ(tarvo.entries.size(), kValues + 1);
    EXPECT_EQ(tarvo.entries[7].name, "V7") << "in its place, with its first spelling";
    EXPECT_EQ(*parsed.data.value(kKey, "V7"), RegistryData::Value(quint32(2)));
    EXPECT_EQ(std::get<QString>(*parsed.data.value(kKey, "hex")), QString(20'001, u'A'));
    EXPECT_EQ(*parsed.data.value(QString::fromLatin1(deepest.mid(1, deepest.size() - 4)), "deepest"),
              RegistryData::Value(quint32(3)));
    EXPECT_TRUE(parsed.data.hasKey("K\\K")) << "the keys above it, whatever their case";
}

TEST(RegistryFile, ReadsUtf16ExportsAndOldCodePageFiles) {
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[%1]\r\n\"TX01\"=\"Łukasz\"\r\n"
                                        "\"WPM\"=hex(4):1e,00,00,00\r\n\"TX02\"=hex(1):41,00,0a,00,42,00,00,00\r\n")
                             .arg(kKey);
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    const auto parsed = RegistryFile::parse(QByteArray("\xFF\xFE") + QByteArray(utf16.encode(text)));
    EXPECT_TRUE(parsed.badLines.isEmpty());
    EXPECT_EQ(*parsed.data.value(kKey, "TX01"), RegistryData::Value(QStringLiteral("Łukasz")));
    EXPECT_EQ(*parsed.data.value(kKey, "WPM"), RegistryData::Value(quint32(30)));
    EXPECT_EQ(*parsed.data.value(kKey, "TX02"), RegistryData::Value(QStringLiteral("A\nB")));

    const QByteArray old = "REGEDIT4\r\n\r\n[" + kKey.toLatin1() + "]\r\n\"NAME\"=\"J\xF6rg\"\r\n";
    const auto latin = RegistryFile::parse(old);
    EXPECT_TRUE(latin.badLines.isEmpty());
    EXPECT_EQ(*latin.data.value(kKey, "name"), RegistryData::Value(QStringLiteral("Jörg")));
}

TEST(RegistryFileStore, KeepsABackupOfAFileWithBadLinesBeforeOverwritingIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zorvik/Tarvo.reg");
    QDir().mkpath(dir.filePath("Zorvik"));
    const QByteArray original = "REGEDIT4\n[" + kKey.toLatin1() + "]\n\"WPM\"=dword:00000019\n\"X\"=bad\n";
    writeAll(path, original);

    RegistryFileStore store(path);
    store.load();
    EXPECT_TRUE(store.hadBadLines());
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readAll(path + ".bak"), original);
    EXPECT_TRUE(RegistryFile::parse(readAll(path)).badLines.isEmpty());
    EXPECT_TRUE(readAll(path).contains("\"WPM\"=dword:00000019"));

    // Once rewritten cleanly, later saves leave the backup alone.
    writeAll(path + ".bak", "kept");
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readAll(path + ".bak"), QByteArray("kept"));
}

TEST(RegistryFileStore, MissingFileIsEmptyAndAFolderIsMade) {
    QTemporaryDir dir;
    RegistryFileStore store(dir.filePath("new/Zorvik/Tarvo.reg"));
    store.load();
    EXPECT_TRUE(store.data().keys().isEmpty());
    EXPECT_FALSE(store.hadBadLines());
    store.data().setValue(kKey, "WPM", quint32(30));
    EXPECT_TRUE(store.save());
    EXPECT_FALSE(QFile::exists(store.path() + ".bak"));
}

TEST(RegistryFileStore, UnwritablePlaceReportsFailure) {
    QTemporaryDir dir;
    writeAll(dir.filePath("blocker"), "a file where a folder should be");
    RegistryFileStore store(dir.filePath("blocker/Tarvo.reg"));
    store.data().setValue(kKey, "WPM", quint32(30));
    EXPECT_FALSE(store.save());
    EXPECT_EQ(readAll(dir.filePath("blocker")), QByteArray("a file where a folder should be"));
}

/// A settings file of some size: two hundred messages, each naming its version.
RegistryData Version(const QString& name) {
    RegistryData data;
    for (int i = 0; i < 200; ++i)
        data.setValue(kKey, QStringLiteral("TX%1").arg(i), QStringLiteral("%1 %2").arg(name).arg(QString(400, u'x')));
    return data;
}

TEST(RegistryFileStore, AWriteCutShortLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvo.reg");
    const QByteArray old = RegistryFile::serialize(Version("old"));
    writeAll(path, old);
    RegistryFileStore store(path);
    store.data() = Version("new");
    bool written = true;
    {
        const FileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        written = store.save();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Tarvo.reg"}) << "no half-written copy is left";
}

TEST(RegistryFileStore, AProgramKilledInTheMiddleOfASaveLeavesTheOldOrTheNewFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvo.reg");
    const QByteArray versions[] = {RegistryFile::serialize(Version("old")), RegistryFile::serialize(Version("new"))};
    writeAll(path, versions[0]);
    int killedWhileSaving = 0;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two versions in turn until it is killed.
            RegistryFileStore store(path);
            for (int i = 0;; ++i) {
                store.data() = Version(i % 2 ? "old" : "new");
                store.save();
            }
        }
        usleep(useconds_t(2000 + round * 1500));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        killedWhileSaving += WIFSIGNALED(status);
        const QByteArray now = readAll(path);
        EXPECT_TRUE(now == versions[0] || now == versions[1]) << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(killedWhileSaving, 20);
}

TEST(SettingsStore, TypesAreKeptAndAMismatchGivesTheDefault) {
    RegistryData data;
    SettingsStore store(data);
    store.writeInt("1\\SEND_DATA", "WPM", -1);
    store.writeString("1\\SEND_DATA", "TX01", "CQ");
    EXPECT_EQ(store.readInt("1\\SEND_DATA", "WPM", 20), -1);
    EXPECT_EQ(store.readString("1\\SEND_DATA", "TX01", "x"), QStringLiteral("CQ"));
    EXPECT_EQ(store.readInt("1\\SEND_DATA", "TX01", 7), 7);
    EXPECT_EQ(store.readString("1\\SEND_DATA", "WPM", "x"), QStringLiteral("x"));
    EXPECT_EQ(store.readInt("1\\SEND_DATA", "missing", 5), 5);
    EXPECT_TRUE(RegistryFile::serialize(data).contains("\"WPM\"=dword:ffffffff"));
}

TEST(SettingsStore, ReadingCreatesTheKeyChain) {
    RegistryData data;
    SettingsStore store(data);
    store.readInt("3\\CONFIG\\COM", "COM", 1);
    for (const char* section : {"", "3", "3\\CONFIG", "3\\CONFIG\\COM"})
        EXPECT_TRUE(data.hasKey(SettingsStore::keyPath(QString::fromLatin1(section)))) << section;
    EXPECT_TRUE(data.hasKey("hkey_current_user\\SOFTWARE\\zorvik\\tarvo\\3\\config\\com")) << "case does not matter";
}

} // namespace
