#pragma once
// Little-endian reading from a QIODevice with a sticky ok() flag: after the
// first short read or failed check every further read returns zeros and ok()
// stays false, so a reader can parse a whole record and test once.
//
// Remaining() knows how much of a random-access device is left, which lets
// file readers refuse impossible sizes before they allocate anything.

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <cstring>

class TLeReader {
  public:
    explicit TLeReader(QIODevice* file) : File(file), Good(file != nullptr) {}

    bool ok() const { return Good; }
    void Fail() { Good = false; }

    // Bytes left on a random-access device; -1 for a sequential one (unknown).
    qint64 Remaining() const {
        if (!File || File->isSequential()) return -1;
        const qint64 left = File->size() - File->pos();
        return left > 0 ? left : 0;
    }

    // Fails the reader when the device is known to hold fewer than n more bytes.
    bool Require(uint64_t n) {
        const qint64 left = Remaining();
        if (Good && left >= 0 && n > uint64_t(left)) Good = false;
        return Good;
    }

    // Exactly n bytes into dest; on a short read the reader fails and dest is zeroed.
    bool Read(void* dest, qint64 n) {
        if (n <= 0) return Good;
        if (Good) {
            auto* p = static_cast<char*>(dest);
            qint64 left = n;
            while (left > 0) {
                const qint64 got = File->read(p, left);
                if (got <= 0) break;
                p += got, left -= got;
            }
            if (left == 0) return true;
            Good = false;
        }
        std::memset(dest, 0, size_t(n));
        return false;
    }

    uint8_t U8() {
        uint8_t b = 0;
        Read(&b, 1);
        return b;
    }
    uint16_t U16() {
        uint8_t b[2];
        Read(b, 2);
        return uint16_t(b[0] | b[1] << 8);
    }
    uint32_t U32() {
        uint8_t b[4];
        Read(b, 4);
        return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    int32_t I32() { return int32_t(U32()); }

    // n bytes as a byte array, checked against the rest of the file first.
    QByteArray Bytes(qint64 n) {
        if (n <= 0 || !Require(uint64_t(n))) return QByteArray();
        QByteArray out(n, '\0');
        if (!Read(out.data(), n)) return QByteArray();
        return out;
    }

    // Passes over n bytes (seeks on random-access devices, reads on sequential ones).
    bool Skip(qint64 n) {
        if (n <= 0 || !Require(uint64_t(n))) return Good;
        if (!File->isSequential()) {
            if (!File->seek(File->pos() + n)) Good = false;
            return Good;
        }
        char scratch[4096];
        while (Good && n > 0) {
            const qint64 chunk = n < qint64(sizeof scratch) ? n : qint64(sizeof scratch);
            Read(scratch, chunk);
            n -= chunk;
        }
        return Good;
    }

    QIODevice* Device() const { return File; }

  private:
    QIODevice* File;
    bool Good;
};
