#include "settings/ComDeviceText.h"
#include "QtPrinters.h"
#include "platform/ComDevice.h"
#include "platform/PseudoTerminal.h"
#include "platform/WithoutRootOverrides.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

/// The operator's home shown as "~", as the text shows it.
QString tilde(const QString& path) {
    return "~/" + QDir(QDir::homePath()).relativeFilePath(path);
}

/// COMn links in the config folder, removed again afterwards, and a /dev of the test's own.
class ComDeviceTextTest : public ::testing::Test {
protected:
    ComDeviceTextTest() { QDir().mkpath(ComLinkFolder()); }
    ~ComDeviceTextTest() override {
        for (const QString& link : m_links)
            QFile::remove(link);
    }

    void link(int com, const QString& target) {
        const QString path = QDir(ComLinkFolder()).filePath(QStringLiteral("COM%1").arg(com));
        QFile::remove(path);
        ASSERT_TRUE(QFile::link(target, path));
        m_links.append(path);
    }
    QString dev(const QString& name) const { return QDir(devRoot.path()).filePath(name); }
    void touch(const QString& path) const {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList lines(int com) const { return ComDeviceText(com, devRoot.path(), sysClass.path()).split('\n'); }

    QTemporaryDir devRoot;
    QTemporaryDir sysClass;
    QStringList m_links;
};

TEST_F(ComDeviceTextTest, SaysWhatTheComNumberLeadsToAndWhetherItCanKey) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    const QString file = dev("plain-file");
    touch(file);
    link(2, pty.slavePath());
    link(3, dev("unplugged"));
    link(4, file);
    EXPECT_EQ(lines(2).first(), QString("COM2 is %1 (linked from " + tilde(ComLinkFolder()) + "/COM2): ready.")
                                    .arg(QFileInfo(pty.slavePath()).canonicalFilePath()));
    EXPECT_EQ(
        lines(3).first(),
        QString("COM3 is %1 (linked from " + tilde(ComLinkFolder()) + "/COM3): not present.").arg(dev("unplugged")));
    EXPECT_TRUE(lines(4).first().endsWith(QStringLiteral(": not a serial device.")));
    EXPECT_TRUE(lines(98).first().startsWith(QStringLiteral("COM98 is /dev/ttyS97")));
}

TEST_F(ComDeviceTextTest, ATtySWithoutAUartBehindItIsNoPort) {
    const QString ttyS0 = QStringLiteral("/dev/ttyS0");
    if (!QFileInfo(ttyS0).exists())
        GTEST_SKIP() << "no /dev/ttyS0 here";
    QDir(sysClass.path()).mkpath("ttyS0");
    QFile type(QDir(sysClass.path()).filePath("ttyS0/type"));
    ASSERT_TRUE(type.open(QIODevice::WriteOnly));
    type.write("0\n");
    type.close();
    EXPECT_EQ(CheckComDevice(ResolveComDevice(1), sysClass.path()).state, ComDeviceCheck::NoPort);
    EXPECT_EQ(lines(1).first(), QStringLiteral("COM1 is /dev/ttyS0: no serial port answers there."));
    ASSERT_TRUE(type.open(QIODevice::WriteOnly | QIODevice::Truncate));
    type.write("4\n");
    type.close();
    EXPECT_NE(CheckComDevice(ResolveComDevice(1), sysClass.path()).state, ComDeviceCheck::NoPort) << "a 16550A";
}

TEST_F(ComDeviceTextTest, ADeviceOfAnotherOwnerNamesTheGroupToJoin) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    const QByteArray path = QFile::encodeName(pty.slavePath());
    if (::chown(path.constData(), 65534, 65534) != 0 || ::chmod(path.constData(), 0660) != 0)
        GTEST_SKIP() << "giving the device away needs root";
    WithoutRootOverrides plainUser;
    ASSERT_TRUE(plainUser.isValid());
    const ComDeviceCheck check = CheckComDevice({pty.slavePath(), pty.slavePath(), {}}, sysClass.path());
    EXPECT_EQ(check.state, ComDeviceCheck::NoAccess);
    EXPECT_FALSE(check.group.isEmpty());
}

TEST_F(ComDeviceTextTest, ListsThePluggedInAdaptersAndHowToChooseOne) {
    EXPECT_EQ(lines(5).last(), QStringLiteral("No USB serial adapter is plugged in."));
    touch(dev("ttyUSB0"));
    touch(dev("ttyACM0"));
    EXPECT_EQ(FindSerialAdapters(devRoot.path()), (QStringList{dev("ttyACM0"), dev("ttyUSB0")}));

    // Stable names under serial/by-id win over the kernel's numbering.
    QDir(devRoot.path()).mkpath("serial/by-id");
    const QString byId = dev("serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
    ASSERT_TRUE(QFile::link(dev("ttyUSB0"), byId));
    EXPECT_EQ(FindSerialAdapters(devRoot.path()), QStringList{byId});
    EXPECT_EQ(lines(5).mid(1), (QStringList{
                                   "USB serial adapters plugged in:",
                                   byId,
                                   "To key through one as COM5: mkdir -p " + tilde(ComLinkFolder()) + " && ln -sf " +
                                       byId + " " + tilde(ComLinkFolder()) + "/COM5",
                               }));
    link(5, byId);
    EXPECT_EQ(lines(5).mid(1), (QStringList{"USB serial adapters plugged in:", byId + " (COM5)"}))
        << "no advice once COM5 is the adapter";
    EXPECT_EQ(lines(6).at(2), byId + " (COM5)");
    EXPECT_TRUE(lines(6).last().startsWith("To key through one as COM6: "));
}

} // namespace
