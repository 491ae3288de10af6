#include "settings/PageChoice.h"
#include "QtPrinters.h"
#include "platform/RegistryData.h"
#include "settings/LineRules.h"
#include "settings/PageSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

QString section(int page, const char* base) {
    return SettingsStore::keyPath(QStringLiteral("%1\\%2").arg(page).arg(QString::fromLatin1(base)));
}

RegistryData::Value stored(const RegistryData& data, const QString& path, const QString& name) {
    const RegistryData::Value* value = data.value(path, name);
    return value ? *value : RegistryData::Value(QStringLiteral("<none>"));
}

class PageChoiceTest : public ::testing::Test {
protected:
    /// The load flow with the dialog answered by `answer`, from what the store holds.
    Settings load(const std::function<void(PageDialogData&)>& answer = {}) {
        Settings s;
        LoadContents(s, store);
        PageDialogData data = PageDialogDataOf(s);
        if (answer)
            answer(data);
        TakePageDialogData(s, data);
        UseChosenPage(s, store);
        return s;
    }

    RegistryData data;
    SettingsStore store{data};
};

TEST(PageChoice, ChoicesAndPages) {
    struct Case {
        int page;
        int choice;
        int pageOfChoice;
    };
    // A page outside 1..5 shows the sixth choice, which gives the Default page back.
    const Case cases[] = {{1, 0, 1}, {3, 2, 3}, {5, 4, 5}, {6, 5, 6}, {0, 5, 6}, {7, 5, 6}, {-2, 5, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(ChoiceOfPage(c.page), c.choice) << c.page;
        EXPECT_EQ(PageOfChoice(ChoiceOfPage(c.page)), c.pageOfChoice) << c.page;
    }
    EXPECT_EQ(PageOfChoice(-1), kDefaultPage) << "no choice checked";
}

TEST(PageChoice, DialogDataHoldsTheEighteenTextsInOrder) {
    Settings s;
    PageDialogData data = PageDialogDataOf(s);
    EXPECT_EQ(data.page, 1);
    EXPECT_EQ(data.texts[0], QStringLiteral("Parameters 1"));
    EXPECT_EQ(data.texts[5], QStringLiteral("Default Parameters"));
    EXPECT_EQ(data.texts[6], QStringLiteral("TRV/PC"));
    EXPECT_EQ(data.texts[11], QStringLiteral("TRV/PC"));
    EXPECT_EQ(data.texts[12], QStringLiteral("QTH0000"));
    EXPECT_EQ(data.texts[17], QStringLiteral("QTH0000"));
    data.page = 4;
    data.texts[8] = QStringLiteral("TRV3ZZ");
    data.texts[15] = QStringLiteral("OSAKA");
    TakePageDialogData(s, data);
    EXPECT_EQ(s.Select, 4);
    EXPECT_EQ(s.page, 4);
    EXPECT_EQ(s.MYCALL[2], QStringLiteral("TRV3ZZ"));
    EXPECT_EQ(s.MYQTH[3], QStringLiteral("OSAKA"));
}

TEST_F(PageChoiceTest, ALoadedPageReadsItsSectionsAndStartsTheContactOver) {
    data.setValue(section(3, "CONFIG\\COM"), QStringLiteral("COM"), 7u);
    data.setValue(section(3, "HIS_DATA"), QStringLiteral("CALL"), QStringLiteral("TRV1AA"));
    data.setValue(section(3, "CONFIG\\INIT"), QStringLiteral("RST"), QStringLiteral("579"));
    const Settings s = load([](PageDialogData& d) {
        d.page = 3;
        d.texts[2] = QStringLiteral("Contest");
        d.texts[8] = QStringLiteral("TRV9EDIT");
    });
    EXPECT_EQ(s.COM, 7);
    EXPECT_EQ(s.his[FieldCALL], QStringLiteral("TRV1AA"));
    EXPECT_EQ(s.his[FieldRST], QStringLiteral("579")) << "a field the page does not hold starts from its initial text";
    EXPECT_EQ(s.currentTitle, QStringLiteral("Contest"));
    EXPECT_EQ(s.currentMYCALL, QStringLiteral("TRV9EDIT")) << "an edit in the dialog counts at once";
}

TEST_F(PageChoiceTest, TheDefaultPageReadsNoSection) {
    data.setValue(section(6, "CONFIG\\COM"), QStringLiteral("COM"), 7u);
    data.setValue(section(1, "CONFIG\\COM"), QStringLiteral("COM"), 5u);
    const Settings s = load([](PageDialogData& d) { d.page = kDefaultPage; });
    EXPECT_EQ(s.COM, 1);
    EXPECT_EQ(s.currentMYCALL, QStringLiteral("TRV/PC"));
    EXPECT_EQ(s.currentTitle, QStringLiteral("Default Parameters"));
    EXPECT_EQ(s.his, Settings().init);
}

TEST_F(PageChoiceTest, AStoredPageOutsideTheSixIsReadAndWrittenUnderItsNumber) {
    data.setValue(SettingsStore::keyPath(QStringLiteral("Contents")), QStringLiteral("Select"), 9u);
    data.setValue(section(9, "CONFIG\\COM"), QStringLiteral("COM"), 12u);
    Settings s = load(); // Escape
    EXPECT_EQ(s.Select, 9);
    EXPECT_EQ(s.COM, 12);
    EXPECT_TRUE(s.currentTitle.isEmpty());
    EXPECT_TRUE(s.currentMYCALL.isEmpty());
    EXPECT_TRUE(s.currentMYQTH.isEmpty());
    s.COM = 13;
    StoreChosenPage(s, store, 20);
    EXPECT_EQ(stored(data, section(9, "CONFIG\\COM"), QStringLiteral("COM")), RegistryData::Value(13u));
}

TEST_F(PageChoiceTest, NotSaveStoresOnlyTheContents) {
    Settings s = load([](PageDialogData& d) { d.page = 2; });
    s.COM = 4;
    PageDialogData closing = PageDialogDataOf(s);
    closing.page = kDefaultPage;
    closing.texts[9] = QStringLiteral("TRV4NEW");
    TakePageDialogData(s, closing);
    StoreChosenPage(s, store, 20);
    const QString contents = SettingsStore::keyPath(QStringLiteral("Contents"));
    EXPECT_EQ(stored(data, contents, QStringLiteral("Select")), RegistryData::Value(6u));
    EXPECT_EQ(stored(data, contents, QStringLiteral("MYCALL4")), RegistryData::Value(QStringLiteral("TRV4NEW")));
    for (const RegistryData::Key& key : data.keys()) {
        if (!key.entries.isEmpty()) {
            EXPECT_EQ(key.path, contents) << "no page section is written";
        }
    }
}

TEST_F(PageChoiceTest, LoadingOnePageAndSavingToAnotherCopiesIt) {
    data.setValue(section(1, "CONFIG\\COM"), QStringLiteral("COM"), 5u);
    data.setValue(section(1, "SEND_DATA"), QStringLiteral("TX01"), QStringLiteral("CQ TEST"));
    Settings s = load(); // page 1, the first start's choice
    s.COM = 8;
    PageDialogData closing = PageDialogDataOf(s);
    closing.page = 4;
    TakePageDialogData(s, closing);
    StoreChosenPage(s, store, 20);
    EXPECT_EQ(stored(data, section(4, "CONFIG\\COM"), QStringLiteral("COM")), RegistryData::Value(8u));
    EXPECT_EQ(stored(data, section(4, "SEND_DATA"), QStringLiteral("TX01")),
              RegistryData::Value(QStringLiteral("CQ TEST")));
    EXPECT_EQ(stored(data, section(1, "CONFIG\\COM"), QStringLiteral("COM")), RegistryData::Value(5u))
        << "page 1 keeps what it had";
    EXPECT_EQ(load().COM, 8) << "the next start opens on page 4";
}

TEST(PageChoice, ResetContactFieldsPutsBackTheInitialTextsAndTheFocusTable) {
    Settings s;
    s.init[FieldRST] = QStringLiteral("599");
    s.his[FieldCALL] = QStringLiteral("TRV1AA");
    s.focusTarget[4] = 40;
    ResetContactFields(s);
    EXPECT_EQ(s.his, s.init);
    EXPECT_EQ(s.focusTarget, Settings().focusTarget);
}

TEST(LineRules, KeyAndPttNeverShareALine) {
    struct Case {
        int taken;
        int other;
        int after;
    };
    const Case cases[] = {
        {LineDtr, LineDtr, LineRts},   {LineDtr, LineBoth, LineRts}, {LineDtr, LineRts, LineRts},
        {LineDtr, LineOff, LineOff},   {LineRts, LineRts, LineDtr},  {LineRts, LineBoth, LineDtr},
        {LineRts, LineDtr, LineDtr},   {LineBoth, LineDtr, LineOff}, {LineBoth, LineRts, LineOff},
        {LineBoth, LineBoth, LineOff}, {LineBoth, LineOff, LineOff}, {LineOff, LineBoth, LineBoth},
        {LineOff, LineDtr, LineDtr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoupledLine(c.taken, c.other), c.after) << c.taken << " " << c.other;
}

TEST(LineRules, ThePortStaysOpenOnlyOnTheSameComWithALineInUse) {
    struct Case {
        int com;
        int close;
        int sig;
        int standby;
        bool mustClose;
    };
    // Before: COM 3, "close after every message" off unless the row says otherwise.
    const Case cases[] = {
        {3, 0, LineDtr, LineRts, false}, {4, 0, LineDtr, LineRts, true},  {3, 1, LineDtr, LineRts, true},
        {3, 0, LineOff, LineOff, true},  {3, 0, LineOff, LineRts, false},
    };
    for (const Case& c : cases) {
        Settings now;
        now.COM = c.com;
        now.chk_CLOSE = c.close;
        now.SIG = c.sig;
        now.SIG_STANDBY = c.standby;
        EXPECT_EQ(PortMustClose(3, 0, now), c.mustClose) << c.com << " " << c.close << " " << c.sig << c.standby;
    }
    Settings now;
    now.COM = 3;
    now.SIG = LineDtr;
    now.chk_CLOSE = 1;
    EXPECT_FALSE(PortMustClose(3, 1, now)) << "close after every message, unchanged";
    now.chk_CLOSE = 0;
    EXPECT_FALSE(PortMustClose(3, 1, now)) << "switched off";
}

} // namespace
