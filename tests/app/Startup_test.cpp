// The desktop program started as a user starts it, in separate processes.
#include "shell/Instance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VELMORA_CONFIG_DIR", config.path());
        env.insert("VELMORA_BATCH", "1");
    }
    void Start(QProcess& p) {
        p.setProcessEnvironment(env);
        p.start(VELMORA_APP_PATH, {});
        ASSERT_TRUE(p.waitForStarted(10000));
    }
    // Waits until the program holds its lock, i.e. it is past the single-instance check.
    bool WaitUntilRunning(QProcess& p) {
        for (int i = 0; i < 200; ++i) {
            if (p.state() != QProcess::Running) return false;
            if (QFile::exists(config.path() + "/OrvaneDesignCAD(Carpet).lock")) {
                QThread::msleep(300); // let the main window come up
                return p.state() == QProcess::Running;
            }
            QThread::msleep(50);
        }
        return false;
    }
    void Stop(QProcess& p) {
        p.terminate();
        if (!p.waitForFinished(5000)) p.kill();
        p.waitForFinished(5000);
    }
    QTemporaryDir config;
    QProcessEnvironment env;
};

} // namespace

TEST_F(StartupTest, SecondCopySaysAlreadyRunningAndLeavesTheFirstAlone) {
    QProcess first;
    Start(first);
    ASSERT_TRUE(WaitUntilRunning(first)) << first.readAllStandardError().toStdString();

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("Application already running."));

    EXPECT_EQ(first.state(), QProcess::Running);
    Stop(first);
}

TEST_F(StartupTest, LockOfACrashedCopyDoesNotBlockTheNextStart) {
    qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
    const pid_t child = fork();
    if (child == 0) {
        TInstanceLock lock;
        _exit(lock.Acquire() ? 0 : 1); // dies holding the lock, as a crash would
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(config.path() + "/OrvaneDesignCAD(Carpet).lock"));

    QProcess p;
    Start(p);
    EXPECT_TRUE(WaitUntilRunning(p)) << p.readAllStandardError().toStdString();
    Stop(p);
    qunsetenv("VELMORA_CONFIG_DIR");
}

TEST_F(StartupTest, TreeWithoutLanguageFilesStillStarts) {
    QTemporaryDir home;
    QDir(home.path()).mkpath("Bin/Textile");
    env.insert("VELMORA_HOME", home.path());
    QProcess p;
    Start(p);
    EXPECT_TRUE(WaitUntilRunning(p)) << p.readAllStandardError().toStdString();
    Stop(p);
}
