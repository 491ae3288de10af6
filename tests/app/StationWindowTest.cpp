// The program's own start and close around the window: the load dialog, the configuration
// command and the save dialog, on virtual devices and a settings file in a temporary folder.
#include "app/StationWindow.h"
#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "VirtualStation.h"
#include "app/CMainFrame.h"
#include "link/Loopback.h"
#include "platform/RegistryFile.h"
#include "resources/ConfigDialog131.h"
#include "resources/Menu128.h"
#include "settings/ConfigDialog.h"
#include "settings/PageDialog.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kWaitMs = int(std::chrono::milliseconds(kHangGuard).count());

/// One run of the program: its devices, its settings file and its window.
struct Program : VirtualStation {
    explicit Program(const QString& path) : file(path), window(settings, state, file, devices()) {}

    CMainFrame& frame() { return window.frame(); }
    QWidget* control(int id) { return frame().view()->control(id); }
    QString monitor() { return static_cast<QPlainTextEdit*>(control(Ctl::TextArea))->toPlainText(); }
    QString firstLine() { return monitor().section('\n', 0, 0); }

    RegistryFileStore file;
    StationWindow window;
};

/// Works the next modal dialog once it shows, with keys to the control that has its focus.
template <class Dialog> void whenShown(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "the dialog did not show";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        answer(*dialog);
    });
}

void key(QDialog& dialog, Qt::Key k) {
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, k);
}

template <class W> W* in(QDialog& dialog, int id) {
    return dialog.findChild<W*>(QStringLiteral("c%1").arg(id));
}

class StationWindowTest : public ::testing::Test {
protected:
    /// Starts the program, answering the load dialog.
    Program& start(std::function<void(PageDialog&)> answer, const std::function<void(Settings&)>& before = {}) {
        run.reset();
        run = std::make_unique<Program>(dir.filePath("Tarvo.reg"));
        if (before)
            before(run->settings);
        whenShown<PageDialog>([this, answer](PageDialog& d) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            shownBeforeWindow =
                std::count_if(windows.begin(), windows.end(), [&d](QWidget* w) { return w->isVisible() && w != &d; });
            answer(d);
        });
        run->window.open();
        QApplication::setActiveWindow(&run->frame());
        return *run;
    }
    void closeWith(std::function<void(PageDialog&)> answer) {
        whenShown<PageDialog>(std::move(answer));
        EXPECT_TRUE(run->frame().close());
    }
    void configure(std::function<void(ConfigDialog&)> answer) {
        whenShown<ConfigDialog>(std::move(answer));
        run->frame().action(Cmd::Config)->trigger();
    }
    void sendTx1() { QTest::mouseClick(run->control(Ctl::Tx1), Qt::LeftButton); }
    RegistryData saved() const {
        QFile file(dir.filePath("Tarvo.reg"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return RegistryFile::parse(file.readAll()).data;
    }
    void store(const RegistryData& data) const {
        QFile file(dir.filePath("Tarvo.reg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(RegistryFile::serialize(data));
    }

    QTemporaryDir dir;
    std::unique_ptr<Program> run;
    qsizetype shownBeforeWindow = -1; ///< windows other than the load dialog shown while it was open
};

TEST_F(StationWindowTest, EscapeInTheLoadDialogLoadsTheStoredPage) {
    RegistryData data;
    data.setValue(SettingsStore::keyPath("Contents"), "Select", 3u);
    data.setValue(SettingsStore::keyPath("Contents"), "MYCALL3", QStringLiteral("TRV3AB"));
    data.setValue(SettingsStore::keyPath("3\\CONFIG\\COM"), "COM", 5u);
    store(data);
    QString checked;
    start([&](PageDialog& d) {
        checked = in<QRadioButton>(d, 1002)->isChecked() ? "page 3" : "other";
        key(d, Qt::Key_Escape);
    });
    EXPECT_EQ(shownBeforeWindow, 0) << "the window opens after the dialog";
    EXPECT_EQ(checked, QStringLiteral("page 3"));
    EXPECT_TRUE(run->frame().isVisible());
    EXPECT_EQ(run->settings.COM, 5);
    EXPECT_EQ(run->firstLine(), QStringLiteral(" TX monitor area ( No.3 \"Parameters 3\" \"TRV3AB\" \"\" )"));
}

TEST_F(StationWindowTest, AnEditedCallCountsAtOnceAndNotSaveKeepsOnlyTheContents) {
    start([](PageDialog& d) {
        QTest::mouseClick(in<QRadioButton>(d, 1002), Qt::LeftButton, {}, QPoint(4, 4));
        in<QLineEdit>(d, 1036)->setFocus();
        QTest::keyClicks(in<QLineEdit>(d, 1036), "trv3xyz");
        key(d, Qt::Key_Return);
    });
    EXPECT_EQ(run->firstLine(), QStringLiteral(" TX monitor area ( No.3 \"Parameters 3\" \"TRV3XYZ\" \"\" )"));
    sendTx1();
    EXPECT_TRUE(run->monitor().contains(QStringLiteral("CQ CQ DE TRV3XYZ"))) << run->monitor().toStdString();

    bool offered = false;
    closeWith([&](PageDialog& d) {
        offered = in<QRadioButton>(d, 1002)->isChecked();
        key(d, Qt::Key_N);
        key(d, Qt::Key_Return);
    });
    EXPECT_TRUE(offered) << "the save dialog offers the page in use";
    const RegistryData file = saved();
    const QString contents = SettingsStore::keyPath("Contents");
    ASSERT_NE(file.value(contents, "Select"), nullptr);
    EXPECT_EQ(*file.value(contents, "Select"), RegistryData::Value(6u));
    EXPECT_EQ(*file.value(contents, "MYCALL3"), RegistryData::Value(QStringLiteral("TRV3XYZ")));
    for (const RegistryData::Key& k : file.keys()) {
        if (!k.entries.isEmpty()) {
            EXPECT_TRUE(k.path == contents || k.path == SettingsStore::keyPath("Desktop")) << "no page section";
        }
    }

    bool defaultChecked = false;
    start([&](PageDialog& d) {
        defaultChecked = in<QRadioButton>(d, 1005)->isChecked();
        key(d, Qt::Key_Return);
    });
    EXPECT_TRUE(defaultChecked);
    EXPECT_EQ(run->settings.page, kDefaultPage);
}

TEST_F(StationWindowTest, FromNoFileThroughTheDialogsToTheNextStart) {
    start([](PageDialog& d) {
        key(d, Qt::Key_2);
        key(d, Qt::Key_Return);
    });
    configure([](ConfigDialog& d) {
        in<QComboBox>(d, CfgCtl::Com)->setCurrentIndex(2);
        for (int id : {int(CfgCtl::KeyDtr), int(CfgCtl::PttRts)}) {
            QWidget* radio = in<QRadioButton>(d, id);
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
        }
        key(d, Qt::Key_Return);
    });
    sendTx1();
    EXPECT_EQ(run->port.openedCom(), 3);
    EXPECT_FALSE(run->keyPeriods().isEmpty()) << "KEY on DTR";
    bool pttRose = false;
    for (const auto& c : run->port.changes())
        pttRose = pttRose || (c.line == RecordingSerialPort::Line::Rts && c.on);
    EXPECT_TRUE(pttRose) << "PTT on RTS";
    closeWith([](PageDialog& d) { key(d, Qt::Key_Return); });
    EXPECT_FALSE(run->port.isOpen());

    bool page2 = false;
    start([&](PageDialog& d) {
        page2 = in<QRadioButton>(d, 1001)->isChecked();
        key(d, Qt::Key_Return);
    });
    EXPECT_TRUE(page2);
    EXPECT_EQ(run->settings.COM, 3);
    EXPECT_EQ(run->settings.SIG, 1);
    EXPECT_EQ(run->settings.SIG_STANDBY, 2);
    EXPECT_TRUE(run->firstLine().startsWith(QStringLiteral(" TX monitor area ( No.2 \"Parameters 2\"")));
}

TEST_F(StationWindowTest, TheConfigurationKeepsThePortOpenUnlessItsComChanges) {
    start([](PageDialog& d) { key(d, Qt::Key_Return); }, [](Settings& s) { s.SIG = 1; });
    sendTx1();
    ASSERT_TRUE(run->port.isOpen());
    const auto closes = [this] {
        return run->port.events().count(RecordingSerialPort::Event::Close);
    };

    const qsizetype soundsBefore = run->audio.calls().size();
    configure([](ConfigDialog& d) {
        in<QComboBox>(d, CfgCtl::Com)->setCurrentIndex(6);
        key(d, Qt::Key_Escape);
    });
    EXPECT_EQ(run->settings.COM, 1) << "cancel changes nothing";
    EXPECT_TRUE(run->port.isOpen());
    EXPECT_EQ(run->audio.calls().mid(soundsBefore), (QStringList{"reset", "close", "open -1 11025"}))
        << "the sidetone is reopened all the same";

    configure([](ConfigDialog& d) {
        QCheckBox* tone = in<QCheckBox>(d, CfgCtl::Tone);
        QTest::mouseClick(tone, Qt::LeftButton, {}, QPoint(4, tone->height() / 2));
        key(d, Qt::Key_Return);
    });
    EXPECT_EQ(run->settings.chk_TONE, 0);
    EXPECT_TRUE(run->port.isOpen()) << "only the tone changed";
    EXPECT_EQ(closes(), 0);

    configure([](ConfigDialog& d) {
        in<QComboBox>(d, CfgCtl::Com)->setCurrentIndex(6);
        key(d, Qt::Key_Return);
    });
    EXPECT_FALSE(run->port.isOpen()) << "another COM";
    EXPECT_EQ(closes(), 1);
    sendTx1();
    EXPECT_EQ(run->port.openedCom(), 7);
}

TEST_F(StationWindowTest, OkWithANewOwnPortMovesTheLinkThere) {
    UdpSocket companion;
    ASSERT_TRUE(companion.bind(kLoopbackIpv4, 0));
    start([](PageDialog& d) { key(d, Qt::Key_Return); },
          [&](Settings& s) { LinkOnLoopback(s, companion.localPort()); });
    const quint16 before = quint16(run->settings.myport);
    const quint16 after = FreeLoopbackPort();
    ASSERT_FALSE(LoopbackPortFree(before)) << "the link listens";
    configure([after](ConfigDialog& d) {
        QLineEdit* myPort = in<QLineEdit>(d, CfgCtl::MyPort);
        myPort->setFocus();
        myPort->selectAll();
        QTest::keyClicks(myPort, QString::number(after));
        key(d, Qt::Key_Return);
    });
    EXPECT_EQ(run->settings.myport, after);
    EXPECT_TRUE(LoopbackPortFree(before));
    companion.sendTo("CALL TRV7ZZ\r", kLoopbackIpv4, after);
    auto* call = static_cast<QLineEdit*>(run->control(Ctl::Call));
    EXPECT_TRUE(QTest::qWaitFor([&] { return call->text() == QStringLiteral("TRV7ZZ"); }, kWaitMs));
}

TEST_F(StationWindowTest, TheWindowsSizeAndZoomAreKeptAcrossStartsOutsideThePages) {
    start([](PageDialog& d) { key(d, Qt::Key_Return); });
    CTarvoFormView* view = run->frame().view();
    EXPECT_EQ(view->size(), view->minimumSize()) << "the first start is at the form's own size";
    const QSize first = run->frame().size();
    QWidget* call = run->control(Ctl::Call);
    call->setFocus();
    QTest::keyClick(call, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(call, Qt::Key_Plus, Qt::ControlModifier);
    const QSize larger = run->frame().size() + QSize(200, 150);
    run->frame().resize(larger);
    const qreal zoomedSize = call->font().pointSizeF();
    closeWith([](PageDialog& d) {
        key(d, Qt::Key_N);
        key(d, Qt::Key_Return);
    });
    const RegistryData file = saved();
    const QString desktop = SettingsStore::keyPath("Desktop");
    ASSERT_NE(file.value(desktop, "Zoom"), nullptr) << "kept even when the page settings are not";
    EXPECT_EQ(*file.value(desktop, "Zoom"), RegistryData::Value(120u));
    EXPECT_EQ(*file.value(desktop, "Width"), RegistryData::Value(quint32(larger.width())));

    start([](PageDialog& d) { key(d, Qt::Key_Return); });
    EXPECT_EQ(run->frame().view()->zoom(), 120);
    EXPECT_EQ(run->control(Ctl::Call)->font().pointSizeF(), zoomedSize);
    EXPECT_EQ(run->frame().size(), larger);
    EXPECT_NE(run->frame().size(), first);
}

TEST_F(StationWindowTest, ASettingsFileThatCannotBeWrittenAtCloseIsSaidAndTheOldOneStaysWhole) {
    RegistryData data;
    data.setValue(SettingsStore::keyPath("Contents"), "MYCALL1", QStringLiteral("Q1OLD"));
    store(data);
    const QByteArray before = [this] {
        QFile file(dir.filePath("Tarvo.reg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    start([](PageDialog& d) { key(d, Qt::Key_Return); });
    {
        // Below the file's size every write of it fails, as on a full disk.
        const FileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        closeWith([](PageDialog& d) { key(d, Qt::Key_Return); });
    }
    EXPECT_FALSE(run->frame().isVisible()) << "the program still closes";
    ASSERT_EQ(run->boxes.shown().size(), 1);
    EXPECT_TRUE(run->boxes.texts()[0].startsWith("Settings write error        \n"))
        << run->boxes.texts()[0].toStdString();
    QFile file(dir.filePath("Tarvo.reg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before) << "the old file is there whole";
}

} // namespace
