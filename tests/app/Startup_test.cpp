// The desktop program started as a user starts it, in separate processes.
#include "shell/Instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
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

namespace {

// Every path, size and content under dir, to tell whether a run wrote anything there.
QByteArray TreeDigest(const QString& dir) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QStringList paths;
    for (QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        paths << it.next();
    paths.sort();
    for (const QString& path : paths) {
        hash.addData(path.toUtf8());
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) hash.addData(f.readAll());
    }
    return hash.result();
}

void SetTreeWritable(const QString& dir, bool writable) {
    for (QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        const QFileInfo info(path);
        QFile::Permissions p = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        if (info.isDir()) p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        if (writable) p |= QFile::WriteOwner;
        QFile::setPermissions(path, p);
    }
}

} // namespace

// The program started by a normal user in awkward surroundings. As root, whom
// file modes do not stop, it runs as "nobody" so that they are real.
TEST(StartupSurroundings, StartsWhateverTheFoldersAroundItAllow) {
    const passwd* nobody = ::getuid() == 0 ? ::getpwnam("nobody") : nullptr;
    if (::getuid() == 0 && !nobody) GTEST_SKIP() << "no unprivileged user to run as";
    const uid_t uid = nobody ? nobody->pw_uid : ::getuid();
    const gid_t gid = nobody ? nobody->pw_gid : ::getgid();
    QTemporaryDir root;
    QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                           QFile::ExeGroup);
    auto userDir = [&](const QString& name) {
        const QString path = root.path() + "/" + name;
        QDir().mkpath(path);
        if (::chown(QFile::encodeName(path).constData(), uid, gid) != 0)
            ADD_FAILURE() << "chown " << path.toStdString();
        return path;
    };
    // A read-only install: a copy of the data tree without write rights anywhere.
    const QString install = root.path() + "/install";
    ASSERT_EQ(QProcess::execute("cp", {"-R", VELMORA_SOURCE_DATA_DIR, install}), 0);
    SetTreeWritable(install, false);
    QFile::setPermissions(install, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const QByteArray installBefore = TreeDigest(install);
    const QString home = userDir("home"), tmp = userDir("tmp"), config = userDir("config");
    const QString locked = root.path() + "/locked"; // exists, but the user may not even look inside
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::Permissions());

    struct Case {
        const char* Name;
        QString Config, Undo;
    };
    const Case cases[] = {
        {"read-only install", config, QString()},
        {"missing settings folder", config + "/not/made/yet", QString()},
        {"unreadable settings folder", locked + "/settings", QString()},
        {"unusable undo folder", config, locked + "/undo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VELMORA_BATCH", "1");
        env.insert("VELMORA_HOME", install);
        env.insert("VELMORA_CONFIG_DIR", c.Config);
        env.insert("HOME", home);
        env.insert("TMPDIR", tmp);
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_CACHE_HOME");
        env.remove("XDG_RUNTIME_DIR");
        if (!c.Undo.isEmpty()) env.insert("VELMORA_UNDO_DIR", c.Undo);
        QProcess p;
        p.setProcessEnvironment(env);
        p.setChildProcessModifier([nobody, uid, gid] {
            if (nobody && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
                ::_exit(97);
        });
        p.start(VELMORA_APP_PATH, {});
        ASSERT_TRUE(p.waitForStarted(10000));
        const QString lock = c.Config + "/OrvaneDesignCAD(Carpet).lock";
        const QString fallback = tmp + QStringLiteral("/velmora-%1.lock").arg(uid);
        bool up = false;
        for (int i = 0; i < 300 && !up && p.state() == QProcess::Running; ++i) {
            up = QFile::exists(lock) || QFile::exists(fallback);
            QThread::msleep(50);
        }
        QThread::msleep(1000); // the main window and its first design come up
        EXPECT_TRUE(up && p.state() == QProcess::Running) << p.readAllStandardError().toStdString();
        p.terminate();
        if (!p.waitForFinished(5000)) p.kill();
        p.waitForFinished(5000);
        EXPECT_FALSE(p.readAllStandardError().contains("already running"));
    }
    EXPECT_EQ(QFileInfo(config + "/not/made/yet").ownerId(), uid);
    EXPECT_EQ(TreeDigest(install), installBefore);
    SetTreeWritable(install, true);
    QFile::setPermissions(install, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
