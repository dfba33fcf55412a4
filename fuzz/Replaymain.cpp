// Runs a fuzz target once on each file named on the command line (or every
// file of a named folder): the normal build replays inputs that once failed.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Replay(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        QStringList files{arg};
        if (QFileInfo(arg).isDir()) {
            files.clear();
            for (const QFileInfo& f : QDir(arg).entryInfoList(QDir::Files, QDir::Name))
                files << f.filePath();
        }
        for (const QString& f : files)
            Replay(f), ++count;
    }
    std::printf("%d inputs replayed\n", count);
    return 0;
}
