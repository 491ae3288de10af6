#include "settings/PageSettings.h"
#include "QtPrinters.h"
#include "platform/RegistryFile.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class PageSettingsTest : public ::testing::Test {
protected:
    /// Loads page 1 after storing one value in it.
    Settings loadWith(const char* base, const char* key, const RegistryData::Value& value) {
        data.setValue(SettingsStore::keyPath(QStringLiteral("1\\") + QString::fromLatin1(base)),
                      QString::fromLatin1(key), value);
        Settings s;
        LoadPageSettings(s, store);
        return s;
    }

    RegistryData data;
    SettingsStore store{data};
};

struct RangeCase {
    const char* base;
    const char* key;
    int stored;
    std::function<int(const Settings&)> field;
    int expected;
};

TEST_F(PageSettingsTest, OutOfRangeValuesTakeTheirFallback) {
    const RangeCase cases[] = {
        {"SEND_DATA", "WPM", 9, [](const Settings& s) { return s.WPM; }, 15},
        {"SEND_DATA", "WPM", 51, [](const Settings& s) { return s.WPM; }, 15},
        {"SEND_DATA", "WPM", 10, [](const Settings& s) { return s.WPM; }, 10},
        {"SEND_DATA", "WPM", 50, [](const Settings& s) { return s.WPM; }, 50},
        {"CONFIG\\CQ", "CQ_Limit", 0, [](const Settings& s) { return s.CQ_Limit; }, 1},
        {"CONFIG\\CQ", "CQ_Limit", 50, [](const Settings& s) { return s.CQ_Limit; }, 50},
        {"CONFIG\\CQ", "CQ_Sec", 61, [](const Settings& s) { return s.CQ_Sec; }, 6},
        {"CONFIG\\CQ", "CQ_Sec", 2, [](const Settings& s) { return s.CQ_Sec; }, 2},
        {"CONFIG\\CQ", "CQ_Sel", 17, [](const Settings& s) { return s.CQ_Sel; }, 1},
        {"CONFIG\\CQ", "CQ_Progress", 4, [](const Settings& s) { return s.CQ_Progress; }, 2},
        {"CONFIG\\COM", "COM", 100, [](const Settings& s) { return s.COM; }, 1},
        {"CONFIG\\COM", "COM", 99, [](const Settings& s) { return s.COM; }, 99},
        {"CONFIG\\COM", "chk_TONE", -1, [](const Settings& s) { return s.chk_TONE; }, 1},
        {"CONFIG\\COM", "DELAY", 51, [](const Settings& s) { return s.DELAY; }, 0},
        {"CONFIG\\INIT", "chk_RST", 2, [](const Settings& s) { return s.chk[FieldRST]; }, 0},
        {"CONFIG\\INIT", "chk_RST", 0, [](const Settings& s) { return s.chk[FieldRST]; }, 0},
        {"SEND_DATA", "9to", 2, [](const Settings& s) { return s.to9; }, 0},
        {"SEND_DATA", "GoodMAE", 3, [](const Settings& s) { return s.GoodMAE; }, 0},
        {"SEND_DATA", "RATIO2", 10, [](const Settings& s) { return s.RATIO2; }, 0},
        {"VOICE", "CutPre3", 21, [](const Settings& s) { return s.CutPre[2]; }, 0},
        {"VOICE", "CutPost6", 20, [](const Settings& s) { return s.CutPost[5]; }, 20},
        {"FOCUS", "05", 0, [](const Settings& s) { return s.focusTarget[4]; }, 5},
        {"FOCUS", "05", 63, [](const Settings& s) { return s.focusTarget[4]; }, 5},
        {"FOCUS", "05", 62, [](const Settings& s) { return s.focusTarget[4]; }, 61},
        {"HOST", "port", 70000, [](const Settings& s) { return s.port; }, 70000},
    };
    for (const RangeCase& c : cases) {
        data = {};
        EXPECT_EQ(c.field(loadWith(c.base, c.key, quint32(c.stored))), c.expected) << c.key << " = " << c.stored;
    }
}

TEST_F(PageSettingsTest, LineRuleKeepsKeyAndPttApart) {
    struct Case {
        int sig, standby, expected;
    };
    for (const Case& c : {Case{3, 2, 0}, Case{1, 1, 2}, Case{2, 2, 1}, Case{1, 3, 3}, Case{2, 1, 1}, Case{0, 0, 0}}) {
        data = {};
        const QString com = SettingsStore::keyPath("1\\CONFIG\\COM");
        data.setValue(com, "SIG", quint32(c.sig));
        data.setValue(com, "SIG_STANDBY", quint32(c.standby));
        Settings s;
        LoadPageSettings(s, store);
        EXPECT_EQ(s.SIG_STANDBY, c.expected) << "SIG " << c.sig << " SIG_STANDBY " << c.standby;
    }
}

TEST_F(PageSettingsTest, LongTextsAreCutOnlyInContactAndMessageSections) {
    const QString longText(300, QLatin1Char('E'));
    EXPECT_EQ(loadWith("SEND_DATA", "TX05", longText).TX[4].size(), 250);
    EXPECT_EQ(loadWith("HIS_DATA", "NAME", longText).his[FieldNAME].size(), 250);
    EXPECT_EQ(loadWith("VOICE", "File1", longText).File[0].size(), 300);
}

TEST_F(PageSettingsTest, MissingValuesKeepTheirDefaultsAndTheKeysAreLeftBehind) {
    Settings s;
    s.page = 2;
    LoadPageSettings(s, store);
    EXPECT_EQ(s.WPM, 20);
    EXPECT_EQ(s.CQ_Limit, 10);
    EXPECT_EQ(s.TX[1], QStringLiteral("{*CALL} {GMAE} UR {*RST} BK"));
    EXPECT_EQ(s.his, Settings().init);
    EXPECT_EQ(s.focusTarget, Settings().focusTarget);
    for (const char* base : {"CONFIG\\INIT", "CONFIG\\CQ", "CONFIG\\COM", "HIS_DATA", "SEND_DATA", "VOICE", "LOG\\CW",
                             "FOCUS", "HOST", "REMOTE", "VIEW", "FREQ"})
        EXPECT_TRUE(data.hasKey(SettingsStore::keyPath(QStringLiteral("2\\") + QString::fromLatin1(base)))) << base;
    EXPECT_FALSE(data.hasKey(SettingsStore::keyPath("1")));
    EXPECT_TRUE(data.value(SettingsStore::keyPath("2\\SEND_DATA"), "WPM") == nullptr) << "reading writes no value";
}

TEST_F(PageSettingsTest, ContactDefaultsToTheInitialTextsJustRead) {
    data.setValue(SettingsStore::keyPath("1\\CONFIG\\INIT"), "NAME", QStringLiteral("OP"));
    Settings s;
    LoadPageSettings(s, store);
    EXPECT_EQ(s.his[FieldNAME], QStringLiteral("OP"));
}

TEST_F(PageSettingsTest, AutomaticCqIsOffAfterLoadingWhateverWasSaved) {
    Settings saved;
    saved.cqRunning = true;
    SavePageSettings(saved, store, 20);
    EXPECT_EQ(*data.value(SettingsStore::keyPath("1\\SEND_DATA"), "CQ"), RegistryData::Value(quint32(1)));
    Settings loaded;
    loaded.cqRunning = true;
    LoadPageSettings(loaded, store);
    EXPECT_FALSE(loaded.cqRunning);
}

TEST_F(PageSettingsTest, SavingTakesTheSpeedFromTheWpmBox) {
    Settings s;
    SavePageSettings(s, store, 33);
    EXPECT_EQ(s.WPM, 33);
    EXPECT_EQ(*data.value(SettingsStore::keyPath("1\\SEND_DATA"), "WPM"), RegistryData::Value(quint32(33)));
}

TEST_F(PageSettingsTest, NotSavingWritesOnlyContents) {
    Settings s;
    s.Select = 6;
    SaveContents(s, store);
    EXPECT_EQ(*data.value(SettingsStore::keyPath("Contents"), "Select"), RegistryData::Value(quint32(6)));
    for (const auto& key : data.keys())
        EXPECT_FALSE(key.path.contains(QStringLiteral("Tarvo\\1"))) << key.path.toStdString();
}

TEST_F(PageSettingsTest, ContentsRoundTrip) {
    Settings s;
    s.Select = 3;
    s.Title[2] = QStringLiteral("Contest");
    s.MYCALL[2] = QStringLiteral("TRV/QRP");
    SaveContents(s, store);
    Settings loaded;
    LoadContents(loaded, store);
    EXPECT_EQ(loaded.Select, 3);
    EXPECT_EQ(loaded.Title, s.Title);
    EXPECT_EQ(loaded.MYCALL, s.MYCALL);
    EXPECT_EQ(loaded.MYQTH, s.MYQTH);
}

TEST_F(PageSettingsTest, LoadingOnePageAndSavingAnotherCopiesIt) {
    Settings s;
    s.TX[0] = QStringLiteral("CQ TEST {MYCALL}");
    s.SIG = 1;
    s.focusTarget[10] = 3;
    s.Remote_IP = QStringLiteral("127.0.0.1");
    SavePageSettings(s, store, 25);

    Settings copy;
    LoadPageSettings(copy, store);
    copy.page = 4;
    SavePageSettings(copy, store, copy.WPM);

    Settings fromFour;
    fromFour.page = 4;
    LoadPageSettings(fromFour, store);
    EXPECT_EQ(fromFour.TX[0], s.TX[0]);
    EXPECT_EQ(fromFour.SIG, 1);
    EXPECT_EQ(fromFour.WPM, 25);
    EXPECT_EQ(fromFour.focusTarget[10], 3);
    EXPECT_EQ(fromFour.Remote_IP, QStringLiteral("127.0.0.1"));
}

// A file the program wrote reads back to the same settings, and a hand-edited mode name
// survives every later save because it is never written.
TEST(SettingsFile, WrittenFileReadsBackAndKeepsHandEdits) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zorvik/Tarvo.reg");
    {
        RegistryFileStore file(path);
        SettingsStore store(file.data());
        Settings s;
        s.TX[7] = QStringLiteral("{CALL} \"Q\" \\ K");
        s.his[FieldCALL] = QStringLiteral("TRV1ABC");
        SaveContents(s, store);
        SavePageSettings(s, store, 20);
        file.data().setValue(SettingsStore::keyPath("1\\FREQ"), "Mode_03", QStringLiteral("DSB"));
        ASSERT_TRUE(file.save());
    }
    RegistryFileStore file(path);
    file.load();
    const QByteArray first = RegistryFile::serialize(file.data());
    SettingsStore store(file.data());
    Settings s;
    LoadContents(s, store);
    LoadPageSettings(s, store);
    EXPECT_EQ(s.TX[7], QStringLiteral("{CALL} \"Q\" \\ K"));
    EXPECT_EQ(s.his[FieldCALL], QStringLiteral("TRV1ABC"));
    EXPECT_EQ(s.Mode[2], QStringLiteral("DSB"));
    SaveContents(s, store);
    SavePageSettings(s, store, s.WPM);
    EXPECT_EQ(RegistryFile::serialize(file.data()), first) << "a load and save changes nothing";
    ASSERT_TRUE(file.save());
    RegistryFileStore again(path);
    again.load();
    EXPECT_EQ(*again.data().value(SettingsStore::keyPath("1\\FREQ"), "Mode_03"),
              RegistryData::Value(QStringLiteral("DSB")));
}

TEST(Settings, DefaultFocusTargets) {
    const std::pair<int, int> cases[] = {{0, 1},   {1, 2},   {5, 6},   {6, 1},   {7, 7},   {8, 7},   {22, 21},
                                         {23, 23}, {24, 23}, {38, 37}, {39, 39}, {54, 53}, {55, 55}, {61, 61}};
    for (const auto& [entry, target] : cases)
        EXPECT_EQ(DefaultFocusTarget(entry), target) << "entry " << entry + 1;
}

} // namespace
