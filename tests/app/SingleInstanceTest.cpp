#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_HOME", runtime.filePath("config"));
        env.insert("XDG_DATA_HOME", runtime.filePath("data"));
        env.insert("HOME", runtime.filePath("home"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env = env;
    }
    ~SingleInstanceTest() override {
        for (QProcess* p : m_processes) {
            p->kill();
            p->waitForFinished(10'000);
            delete p;
        }
    }

    QProcess* start() {
        auto* p = new QProcess;
        p->setProcessEnvironment(m_env);
        p->start(QStringLiteral(TARVO_EXE), {});
        m_processes.append(p);
        EXPECT_TRUE(p->waitForStarted(10'000));
        return p;
    }

    /// Waits until a running instance holds its lock (bounded; the program starts in well under it).
    bool waitForLock() {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30'000) {
            if (lockHeld())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    bool lockHeld() const {
        const int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return held;
    }

    QString lockPath() const { return QDir(runtime.path()).filePath("TarvoMutex147.lock"); }

    QTemporaryDir runtime;
    QProcessEnvironment m_env;
    QList<QProcess*> m_processes;
};

TEST_F(SingleInstanceTest, SecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    QProcess* first = start();
    ASSERT_TRUE(waitForLock());
    QProcess* second = start();
    ASSERT_TRUE(second->waitForFinished(30'000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardError().isEmpty());
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, LockOfACrashedInstanceDoesNotBlockTheNextStart) {
    QProcess* crashed = start();
    ASSERT_TRUE(waitForLock());
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(10'000));
    ASSERT_TRUE(QFileInfo::exists(lockPath())) << "the crash left its lock file behind";

    QProcess* next = start();
    EXPECT_FALSE(next->waitForFinished(1'500)) << "the next start must keep running";
    EXPECT_EQ(next->state(), QProcess::Running);
}

TEST(SingleInstanceLock, ALeftoverLockFileOfAnyContentDoesNotBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lock");
    for (const QByteArray& content : {QByteArray(), QByteArray("12345\nhost\n"), QByteArray("\xff\x00garbage")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        SingleInstance instance(path);
        EXPECT_TRUE(instance.acquire());
    }
}

TEST(SingleInstanceLock, OneHolderAtATimeWithinAProcessToo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lock");
    SingleInstance a(path);
    SingleInstance b(path);
    EXPECT_TRUE(a.acquire());
    EXPECT_FALSE(b.acquire());
    a.release();
    EXPECT_TRUE(b.acquire());
}

} // namespace
