#pragma once
// A read-only sequential device over bytes, like a pipe: no size, no seeking.
// Used by the reader tests and the fuzz targets.
#include <QByteArray>
#include <QIODevice>
#include <algorithm>

class TSequentialBytes : public QIODevice {
  public:
    explicit TSequentialBytes(const QByteArray& bytes) : Data(bytes) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return Data.size() - At + QIODevice::bytesAvailable(); }

  protected:
    qint64 readData(char* data, qint64 max) override {
        const qint64 n = std::min<qint64>(max, Data.size() - At);
        std::copy_n(Data.constData() + At, n, data);
        At += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray Data;
    qint64 At = 0;
};
