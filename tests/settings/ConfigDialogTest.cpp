#include "settings/ConfigDialog.h"
#include "QtPrinters.h"
#include "resources/ConfigDialog131.h"
#include "settings/LineRules.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

/// Dialog 131 on a copy of the settings, worked with real clicks and keys.
class ConfigDialogTest : public ::testing::Test {
protected:
    void open() {
        dialog = std::make_unique<ConfigDialog>(settings);
        dialog->show();
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    QWidget* control(int id) const { return dialog->control(id); }
    QLineEdit* edit(int id) const { return static_cast<QLineEdit*>(control(id)); }
    QComboBox* list(int id) const { return static_cast<QComboBox*>(control(id)); }
    QRadioButton* radio(int id) const { return static_cast<QRadioButton*>(control(id)); }
    /// On the box or circle itself: a wide check box takes no click beyond its text.
    void click(int id) {
        QWidget* w = control(id);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
    }
    /// Types into an edit after clearing it, as an operator does with Ctrl+A and the new text.
    void retype(int id, const QString& text) {
        edit(id)->setFocus();
        QTest::keyClick(edit(id), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit(id), Qt::Key_Delete);
        QTest::keyClicks(edit(id), text);
    }
    void choose(int id, const QString& entry) {
        const int index = list(id)->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list(id)->setFocus();
        list(id)->setCurrentIndex(index);
    }
    int checkedKey() const { return checkedOf(CfgCtl::kKeyRadios); }
    int checkedPtt() const { return checkedOf(CfgCtl::kPttRadios); }
    int checkedOf(const int (&ids)[4]) const {
        for (int i = 0; i < 4; ++i) {
            if (radio(ids[i])->isChecked())
                return i < 3 ? i + 1 : LineOff;
        }
        return -1;
    }

    Settings settings;
    std::unique_ptr<ConfigDialog> dialog;
};

TEST_F(ConfigDialogTest, ShowsEveryGroupAndTheSettingsAsTheyStand) {
    settings.CQ_Sec = 45;
    settings.CQ_Limit = 50;
    settings.CQ_Sel = 12;
    settings.CQ_Progress = 3;
    settings.COM = 17;
    settings.DELAY = 50;
    settings.SIG = LineRts;
    settings.SIG_STANDBY = LineDtr;
    settings.chk = {0, 0, 0, 1, 0, 0};
    settings.init[FieldRST] = QStringLiteral("599");
    settings.myport = 12345;
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Tarvo Configurations"));
    QStringList groups;
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>())
        groups << box->title();
    EXPECT_EQ(groups, (QStringList{"Initialize (CW)", "CQ", "Port", "TrvRcvCW", "Remote/Host Port (CW)"}));
    EXPECT_EQ(list(CfgCtl::Watch)->currentText(), QStringLiteral(" 45"));
    EXPECT_EQ(list(CfgCtl::Watch)->count(), 59);
    EXPECT_EQ(list(CfgCtl::Limit)->currentText(), QStringLiteral(" 50"));
    EXPECT_EQ(list(CfgCtl::TxSel)->currentText(), QStringLiteral(" 12"));
    EXPECT_EQ(list(CfgCtl::Progress)->currentText(), QStringLiteral("None"));
    EXPECT_EQ(list(CfgCtl::Com)->currentText(), QStringLiteral(" 17"));
    EXPECT_EQ(list(CfgCtl::Com)->count(), 99);
    EXPECT_EQ(list(CfgCtl::Delay)->currentText(), QStringLiteral("500"));
    EXPECT_EQ(list(CfgCtl::Delay)->itemText(1), QStringLiteral(" 10"));
    EXPECT_EQ(checkedKey(), LineRts);
    EXPECT_EQ(checkedPtt(), LineDtr);
    EXPECT_TRUE(static_cast<QCheckBox*>(control(1024))->isChecked());
    EXPECT_FALSE(static_cast<QCheckBox*>(control(1021))->isChecked());
    EXPECT_EQ(edit(1031)->text(), QStringLiteral("599"));
    EXPECT_EQ(edit(CfgCtl::MyPort)->text(), QStringLiteral("12345"));
    EXPECT_TRUE(dialog->comDevice()->text().startsWith(QStringLiteral("COM17 is /dev/ttyS16")))
        << dialog->comDevice()->text().toStdString();

    const Settings before = settings;
    QTest::keyClick(edit(CfgCtl::CompanionIp), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << "Enter in an edit is OK";
    EXPECT_EQ(settings.CQ_Sec, before.CQ_Sec);
    EXPECT_EQ(settings.COM, before.COM);
    EXPECT_EQ(settings.DELAY, before.DELAY);
    EXPECT_EQ(settings.SIG, before.SIG);
    EXPECT_EQ(settings.SIG_STANDBY, before.SIG_STANDBY);
    EXPECT_EQ(settings.chk, before.chk);
    EXPECT_EQ(settings.init, before.init);
    EXPECT_EQ(settings.myport, before.myport);
    EXPECT_EQ(settings.ip, before.ip);
}

TEST_F(ConfigDialogTest, KeyAndPttRadiosNeverShareALine) {
    struct Case {
        int key;
        int ptt;
        int clicked;
        int keyAfter;
        int pttAfter;
    };
    const Case cases[] = {
        {LineOff, LineDtr, CfgCtl::KeyDtr, LineDtr, LineRts},   {LineOff, LineBoth, CfgCtl::KeyDtr, LineDtr, LineRts},
        {LineOff, LineRts, CfgCtl::KeyDtr, LineDtr, LineRts},   {LineOff, LineRts, CfgCtl::KeyRts, LineRts, LineDtr},
        {LineOff, LineBoth, CfgCtl::KeyRts, LineRts, LineDtr},  {LineOff, LineDtr, CfgCtl::KeyBoth, LineBoth, LineOff},
        {LineOff, LineRts, CfgCtl::KeyBoth, LineBoth, LineOff}, {LineDtr, LineRts, CfgCtl::KeyOff, LineOff, LineRts},
        {LineDtr, LineOff, CfgCtl::PttDtr, LineRts, LineDtr},   {LineBoth, LineOff, CfgCtl::PttDtr, LineRts, LineDtr},
        {LineRts, LineOff, CfgCtl::PttRts, LineDtr, LineRts},   {LineDtr, LineOff, CfgCtl::PttBoth, LineOff, LineBoth},
        {LineRts, LineOff, CfgCtl::PttBoth, LineOff, LineBoth}, {LineDtr, LineRts, CfgCtl::PttOff, LineDtr, LineOff},
    };
    for (const Case& c : cases) {
        settings.SIG = c.key;
        settings.SIG_STANDBY = c.ptt;
        open();
        click(c.clicked);
        EXPECT_EQ(checkedKey(), c.keyAfter) << c.clicked << " from " << c.key << "/" << c.ptt;
        EXPECT_EQ(checkedPtt(), c.pttAfter) << c.clicked << " from " << c.key << "/" << c.ptt;
        dialog->accept();
        EXPECT_EQ(settings.SIG, c.keyAfter);
        EXPECT_EQ(settings.SIG_STANDBY, c.pttAfter);
    }
}

TEST_F(ConfigDialogTest, OkStoresWhatTheControlsShow) {
    settings.chk[FieldCALL] = 0;
    open();
    choose(CfgCtl::Watch, QStringLiteral("  3"));
    choose(CfgCtl::Limit, QStringLiteral(" 20"));
    choose(CfgCtl::Progress, QStringLiteral("Word"));
    choose(CfgCtl::Com, QStringLiteral("  4"));
    choose(CfgCtl::Delay, QStringLiteral("120"));
    click(1021);
    retype(1030, QStringLiteral("trv1aa"));
    retype(CfgCtl::MyPort, QString());
    retype(CfgCtl::CompanionPort, QStringLiteral("7x0z01"));
    retype(CfgCtl::RemotePort, QStringLiteral("70000"));
    retype(CfgCtl::RemoteIp, QStringLiteral("host.example"));
    click(CfgCtl::Tone);
    click(CfgCtl::Use);
    EXPECT_EQ(edit(1030)->text(), QStringLiteral("TRV1AA"));
    EXPECT_TRUE(dialog->comDevice()->text().startsWith(QStringLiteral("COM4 is /dev/ttyS3"))) << "follows the list";
    click(CfgCtl::PttRts);
    QTest::keyClick(edit(CfgCtl::RemoteIp), Qt::Key_Enter);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.CQ_Sec, 3);
    EXPECT_EQ(settings.CQ_Limit, 20);
    EXPECT_EQ(settings.CQ_Progress, 1);
    EXPECT_EQ(settings.COM, 4);
    EXPECT_EQ(settings.DELAY, 12);
    EXPECT_EQ(settings.chk[FieldCALL], 1);
    EXPECT_EQ(settings.init[FieldCALL], QStringLiteral("TRV1AA"));
    EXPECT_EQ(settings.myport, 0) << "an empty port edit stores 0";
    EXPECT_EQ(settings.port, 7001) << "the port edits take digits only";
    EXPECT_EQ(settings.Remote_PORT, 70000) << "stored as typed";
    EXPECT_EQ(settings.Remote_IP, QStringLiteral("host.example"));
    EXPECT_EQ(settings.chk_TONE, 0);
    EXPECT_EQ(settings.enable, 1);
    EXPECT_EQ(settings.SIG_STANDBY, LineRts);

    settings.CQ_Sec = 3;
    open();
    choose(CfgCtl::Watch, QStringLiteral("  2"));
    dialog->accept();
    EXPECT_EQ(settings.CQ_Sec, 2);
}

TEST_F(ConfigDialogTest, CancelLeavesEverySettingAsItWas) {
    open();
    choose(CfgCtl::Com, QStringLiteral("  9"));
    click(CfgCtl::KeyBoth);
    retype(1033, QStringLiteral("OSAKA"));
    retype(CfgCtl::MyPort, QStringLiteral("9"));
    click(CfgCtl::RemoteUse);
    QTest::keyClick(edit(CfgCtl::MyPort), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    const Settings untouched;
    EXPECT_EQ(settings.COM, untouched.COM);
    EXPECT_EQ(settings.SIG, untouched.SIG);
    EXPECT_EQ(settings.init, untouched.init);
    EXPECT_EQ(settings.myport, untouched.myport);
    EXPECT_EQ(settings.Remote_USE, untouched.Remote_USE);
}

TEST_F(ConfigDialogTest, EditsHoldTheirLengthsAndContactTextsTurnUpperCase) {
    open();
    retype(1035, QString(260, 'a'));
    EXPECT_EQ(edit(1035)->text(), QString(250, 'A'));
    retype(CfgCtl::MyPort, QStringLiteral("1234567"));
    EXPECT_EQ(edit(CfgCtl::MyPort)->text(), QStringLiteral("12345"));
    retype(CfgCtl::RemoteIp, QStringLiteral("192.168.100.200.1"));
    EXPECT_EQ(edit(CfgCtl::RemoteIp)->text(), QStringLiteral("192.168.100.200"));
    // Paste goes through the same rules.
    QApplication::clipboard()->setText(QStringLiteral("tokyo"));
    retype(1033, QString());
    QTest::keyClick(edit(1033), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit(1033)->text(), QStringLiteral("TOKYO"));
    retype(CfgCtl::CompanionPort, QString());
    QTest::keyClick(edit(CfgCtl::CompanionPort), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit(CfgCtl::CompanionPort)->text(), QString());
}

} // namespace
