#include "platform/TtySerialPort.h"
#include "PseudoTerminal.h"
#include "QtPrinters.h"
#include "WithoutRootOverrides.h"
#include "keyer/KeyingLines.h"
#include "keyer/SenderFixture.h"
#include "platform/MessageBoxes.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

/// Open-file flags of this process's descriptors of path.
QList<int> openFlagsOf(const QString& path) {
    QList<int> flags;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != path)
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("flags:"))
                flags.append(line.mid(6).trimmed().toInt(nullptr, 8));
    }
    return flags;
}

/// A fresh XDG_CONFIG_HOME for every test, where COMn links are made.
class TtySerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        ASSERT_TRUE(QDir(m_config.path()).mkpath(QStringLiteral("Zorvik/Tarvo")));
        ASSERT_TRUE(pty.isValid());
        settings.SIG = 1;
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_savedConfig); }

    QString linkPath(int com) const { return m_config.filePath(QStringLiteral("Zorvik/Tarvo/COM%1").arg(com)); }
    void link(int com, const QString& target) { ASSERT_TRUE(QFile::link(target, linkPath(com))); }
    QString scratch(const QString& name) const { return m_config.filePath(name); }
    /// A plain file with the given permissions, not a tty.
    QString plainFile(const QString& name, QFileDevice::Permissions permissions) {
        QFile file(scratch(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_TRUE(file.setPermissions(permissions));
        return file.fileName();
    }

    PseudoTerminal pty;
    Settings settings;
    RecordingMessageBoxes boxes;
    TtySerialPort port;
    KeyingLines lines{port, settings, boxes};

private:
    QTemporaryDir m_config;
    QByteArray m_savedConfig;
};

TEST_F(TtySerialPortTest, ComNumbersResolveToALinkOrTheMatchingTtyS) {
    link(3, pty.slavePath());
    link(4, linkPath(3));
    link(5, scratch(QStringLiteral("unplugged")));
    struct Case {
        int com;
        QString shown;
    };
    const Case cases[] = {
        {1, "COM1: (/dev/ttyS0)"},
        {12, "COM12: (/dev/ttyS11)"},
        {3, "COM3: (" + pty.slavePath() + ")"},
        // A chain of links shows the device at its end; a link to nothing shows where it points.
        {4, "COM4: (" + pty.slavePath() + ")"},
        {5, "COM5: (" + scratch(QStringLiteral("unplugged")) + ")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(port.displayName(c.com), c.shown) << c.com;
}

TEST_F(TtySerialPortTest, LinksLiveUnderTheHomeConfigFolderWithoutXdgConfigHome) {
    const QByteArray savedHome = qgetenv("HOME");
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral(".config/Zorvik/Tarvo")));
    ASSERT_TRUE(QFile::link(pty.slavePath(), home.filePath(QStringLiteral(".config/Zorvik/Tarvo/COM2"))));
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    const QString shown = port.displayName(2);
    qputenv("HOME", savedHome);
    EXPECT_EQ(shown, "COM2: (" + pty.slavePath() + ")");
}

TEST_F(TtySerialPortTest, OpensExclusivelyInBlockingMode9600Baud8N1RawWithoutFlowControl) {
    link(3, pty.slavePath());
    ASSERT_EQ(port.open(3), SerialPort::OpenResult::Ok);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(port.lastErrorDetail().isEmpty());

    const termios mode = pty.slaveMode();
    EXPECT_EQ(cfgetospeed(&mode), speed_t(B9600));
    EXPECT_EQ(cfgetispeed(&mode), speed_t(B9600));
    EXPECT_EQ(mode.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(mode.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(mode.c_cflag & (CLOCAL | CREAD | HUPCL), tcflag_t(CLOCAL | CREAD | HUPCL));
    EXPECT_EQ(mode.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(mode.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(mode.c_oflag & OPOST, 0u);

    const QList<int> flags = openFlagsOf(pty.slavePath());
    ASSERT_EQ(flags.size(), 1);
    EXPECT_EQ(flags[0] & O_NONBLOCK, 0);
    EXPECT_EQ(flags[0] & O_ACCMODE, O_RDWR);

    // Root may open an exclusive tty all the same; it then reads the flag.
    const int second = ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (second < 0) {
        EXPECT_EQ(errno, EBUSY);
    } else {
        int exclusive = 0;
        EXPECT_EQ(::ioctl(second, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1);
        ::close(second);
    }

    port.purge();
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(openFlagsOf(pty.slavePath()).isEmpty());
}

TEST_F(TtySerialPortTest, LineChangesFailWithoutModemLinesAndOnAClosedPort) {
    for (bool on : {true, false}) {
        EXPECT_FALSE(port.setDtr(on));
        EXPECT_FALSE(port.setRts(on));
    }
    link(3, pty.slavePath());
    ASSERT_EQ(port.open(3), SerialPort::OpenResult::Ok);
    for (bool on : {true, false}) {
        EXPECT_FALSE(port.setDtr(on));
        EXPECT_FALSE(port.setRts(on));
    }
}

// A pseudo-terminal opens like a port but has no DTR or RTS, as an adapter that was pulled out.
TEST_F(TtySerialPortTest, FailedRaiseIsReportedAndClosesTheDevice) {
    link(1, pty.slavePath());
    for (int code : {1, 2, 3}) {
        EXPECT_FALSE(lines.SetLine(code, true)) << code;
        EXPECT_FALSE(port.isOpen()) << code;
        EXPECT_TRUE(openFlagsOf(pty.slavePath()).isEmpty()) << code;
    }
    // Each failed raise says so once, naming the port and its device.
    ASSERT_EQ(boxes.shown().size(), 3);
    for (const QString& text : boxes.texts())
        EXPECT_TRUE(text.startsWith(port.displayName(1) + " line error        \n")) << text.toStdString();
}

TEST_F(TtySerialPortTest, SendAbortsAtTheFirstMarkWhenTheKeyLineFails) {
    link(1, pty.slavePath());
    VirtualClock clock;
    KeyerState state;
    FakeHost host{clock};
    ManualKeyState keys;
    FakeSidetone sidetone;
    FakeExpander expander;
    FakeLink remote;
    VirtualKeyingEngine engine{clock, port, sidetone};
    MorseSender sender{settings, state, host, {clock, keys, lines, engine, expander, remote}};
    EXPECT_EQ(sender.SendMorse(QStringLiteral("EE"), SendButton), 1);
    EXPECT_EQ(host.logged, QStringLiteral("E\r\n"));
    EXPECT_TRUE(sidetone.starts.isEmpty());
    EXPECT_FALSE(state.sending);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(boxes.shown().size(), 1) << "the operator is told once";
}

TEST_F(TtySerialPortTest, OpenFailuresShowTheStepMessageWithAnExplanation) {
    link(7, scratch(QStringLiteral("missing")));
    link(8, plainFile(QStringLiteral("notatty"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    struct Case {
        int com;
        QString text;
    };
    const QString missing = scratch(QStringLiteral("missing"));
    const QString notATty = scratch(QStringLiteral("notatty"));
    const Case cases[] = {
        {7, "COM7: (" + missing + ") open error        \nNo such device: " + missing +
                ". Plug the adapter in, or point " + linkPath(7) + " at the right device."},
        {8, "COM8: (" + notATty + ") set 1 error        \n" + notATty + " is not a serial port."},
    };
    for (const Case& c : cases) {
        settings.COM = c.com;
        EXPECT_FALSE(lines.SetLine(1, true)) << c.com;
        ASSERT_FALSE(boxes.texts().isEmpty());
        EXPECT_EQ(boxes.texts().last(), c.text);
        EXPECT_FALSE(port.isOpen());
    }
}

TEST_F(TtySerialPortTest, UnmappedMissingTtySSuggestsALink) {
    // ttyS numbers run far below this one, so nothing real is opened.
    ASSERT_FALSE(QFileInfo::exists(QStringLiteral("/dev/ttyS98")));
    EXPECT_EQ(port.open(99), SerialPort::OpenResult::OpenFailed);
    EXPECT_EQ(port.lastErrorDetail(), "No such device: /dev/ttyS98. Choose another port, or map this one to your "
                                      "adapter with a link in " +
                                          QFileInfo(linkPath(99)).path() + ".");
}

TEST_F(TtySerialPortTest, DeviceWithoutPermissionTellsWhichGroupToJoin) {
    const QString locked = plainFile(QStringLiteral("locked"), {});
    link(9, locked);
    // The file belongs to our group; root's own group is no advice, so dialout is named then.
    const group* own = ::getgrgid(::getegid());
    ASSERT_NE(own, nullptr);
    const QString group = ::getegid() == 0 ? QStringLiteral("dialout") : QString::fromLocal8Bit(own->gr_name);
    WithoutRootOverrides ordinary;
    ASSERT_TRUE(ordinary.isValid());
    EXPECT_EQ(port.open(9), SerialPort::OpenResult::OpenFailed);
    EXPECT_EQ(port.lastErrorDetail(), "Permission denied on " + locked +
                                          ". Join the group that owns it: sudo usermod -aG " + group +
                                          " $USER, then log out and in again.");
}

TEST_F(TtySerialPortTest, PortHeldByAnotherProgramIsBusy) {
    link(3, pty.slavePath());
    TtySerialPort other;
    ASSERT_EQ(other.open(3), SerialPort::OpenResult::Ok);
    WithoutRootOverrides ordinary;
    ASSERT_TRUE(ordinary.isValid());
    EXPECT_EQ(port.open(3), SerialPort::OpenResult::OpenFailed);
    EXPECT_EQ(port.lastErrorDetail(), pty.slavePath() + " is in use by another program.");
}

} // namespace
