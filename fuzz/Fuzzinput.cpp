#include "Fuzzinput.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

void OnBothDevices(const QByteArray& bytes, const std::function<void(QIODevice*)>& read) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    read(&buffer);
    TSequentialBytes pipe(bytes);
    read(&pipe);
}

QString FuzzDir() {
    static const QString dir = [] {
        const QString d = QDir::temp().filePath(QStringLiteral("velmora-fuzz-%1").arg(getpid()));
        QDir().mkpath(d);
        std::signal(SIGPIPE, SIG_IGN); // a reader may close the pipe before the writer is done
        return d;
    }();
    return dir;
}

QString FuzzFile(const QByteArray& bytes, const QString& name) {
    const QString path = FuzzDir() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    return path;
}

namespace {

// Writes bytes into the pipe once a reader opens it; gives up when done is set
// while no reader came (a reader that refused the name without opening it).
void FeedPipe(const QByteArray path, const QByteArray& bytes, const std::atomic<bool>& done) {
    int fd = -1;
    while (fd < 0 && !done.load()) {
        fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
        if (fd < 0) std::this_thread::yield();
    }
    if (fd < 0) return;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n <= 0) break;
        p += n, left -= n;
    }
    ::close(fd);
}

} // namespace

void OnFileAndPipe(const QByteArray& bytes, const QString& name,
                   const std::function<void(const QString&)>& read) {
    const QString path = FuzzFile(bytes, name);
    read(path);
    QFile::remove(path);
    const QByteArray local = QFile::encodeName(path);
    if (mkfifo(local.constData(), 0600) != 0) return;
    std::atomic<bool> done{false};
    std::thread writer(FeedPipe, local, std::cref(bytes), std::cref(done));
    read(path);
    done = true;
    // A reader that opened the pipe and stopped early has closed it: the writer
    // gets EPIPE. One that never opened it leaves the writer waiting for done.
    writer.join();
    QFile::remove(path);
}
