#pragma once
// Little-endian reading from a QIODevice with a sticky ok() flag: after the
// first short read or failed check every further read returns zeros and ok()
// stays false, so a reader can parse a whole record and test once.
//
// Require() tells whether the device really holds n more bytes, which lets file
// readers refuse impossible sizes before they allocate anything: a random-access
// device by its size, a sequential one (a pipe) by reading ahead.

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <cstring>

// Whether a device really delivers n more bytes. A sequential device is read
// ahead inside a transaction and rolled back: its buffer keeps only bytes that
// did arrive, so a header's size is never allocated on trust.
inline bool DeviceHolds(QIODevice* file, uint64_t n) {
    if (!file) return false;
    if (!file->isSequential()) {
        const qint64 left = file->size() - file->pos();
        return left >= 0 && n <= uint64_t(left);
    }
    if (file->isTransactionStarted()) return false; // transactions do not nest
    file->startTransaction();
    char scratch[65536];
    while (n > 0) {
        const qint64 got = file->read(scratch, qint64(n < sizeof scratch ? n : sizeof scratch));
        if (got <= 0) break;
        n -= uint64_t(got);
    }
    file->rollbackTransaction();
    return n == 0;
}

// The rest of a device in chunks, so memory grows only with bytes that arrive;
// false (out emptied) when there are more than max of them or reading fails.
inline bool ReadAllBounded(QIODevice* file, qint64 max, QByteArray& out) {
    out.clear();
    if (!file) return false;
    if (!file->isSequential() && file->size() - file->pos() > max) return false;
    char chunk[65536];
    for (;;) {
        const qint64 got = file->read(chunk, sizeof chunk);
        if (got == 0) return true;
        if (got < 0 || out.size() + got > max) break;
        out.append(chunk, qsizetype(got));
    }
    out.clear();
    return false;
}

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

    // Fails the reader when the device holds fewer than n more bytes.
    bool Require(uint64_t n) {
        if (Good && !DeviceHolds(File, n)) Good = false;
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
        if (n <= 0 || !Good) return Good;
        if (!File->isSequential()) {
            if (!Require(uint64_t(n)) || !File->seek(File->pos() + n)) Good = false;
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
