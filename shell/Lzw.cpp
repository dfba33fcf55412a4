#include "shell/Lzw.h"

#include "platform/Lereader.h"

#include <QByteArray>
#include <memory>

namespace {

constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kFirstFree = 258;
constexpr int kMaxCodes = 4096;
constexpr int kMinBits = 9;
constexpr int kMaxBits = 12;

// The string table as prefix chains: entry c is the string of Prefix[c]
// followed by Suffix[c]; First[c] is its first symbol, Length[c] its length.
struct TLzwTable {
    uint16_t Prefix[kMaxCodes];
    uint8_t Suffix[kMaxCodes];
    uint8_t First[kMaxCodes];
    uint16_t Length[kMaxCodes];

    TLzwTable() {
        for (int c = 0; c < 256; ++c) {
            Prefix[c] = 0;
            Suffix[c] = First[c] = uint8_t(c);
            Length[c] = 1;
        }
    }

    // Writes the string of code c at out (Length[c] bytes), last symbol first.
    void Emit(int c, uint8_t* out) const {
        for (int i = Length[c] - 1; i >= 0; --i) {
            out[i] = Suffix[c];
            c = Prefix[c];
        }
    }
};

} // namespace

bool LzwDecode(const uint8_t* codes, size_t size, uint8_t* out, size_t outSize, size_t& produced) {
    produced = 0;
    if (!codes && size > 0) return false;
    auto table = std::make_unique<TLzwTable>();
    int bits = kMinBits;
    int next = kFirstFree;
    int prev = -1; // no previous code right after a clear
    uint32_t buffer = 0;
    int held = 0;
    size_t in = 0, pos = 0;

    for (;;) {
        while (held < bits) {
            if (in == size) return false; // no end code
            buffer |= uint32_t(codes[in++]) << held;
            held += 8;
        }
        const int code = int(buffer & ((1u << bits) - 1));
        buffer >>= bits;
        held -= bits;

        if (code == kClear) {
            bits = kMinBits, next = kFirstFree, prev = -1;
            continue;
        }
        if (code == kEnd) break;

        if (prev < 0) {
            if (code > 255 || pos == outSize) return false;
            out[pos++] = uint8_t(code);
            prev = code;
            continue;
        }
        if (code > next) return false; // never defined (a full table has no "next" a 12-bit code reaches)

        // A code one past the table is the previous string plus its own first symbol.
        const bool known = code < next;
        const int length = known ? table->Length[code] : table->Length[prev] + 1;
        if (size_t(length) > outSize - pos) return false;
        if (known) {
            table->Emit(code, out + pos);
        } else {
            table->Emit(prev, out + pos);
            out[pos + size_t(length) - 1] = table->First[prev];
        }
        if (next < kMaxCodes) {
            table->Prefix[next] = uint16_t(prev);
            table->Suffix[next] = out[pos];
            table->First[next] = table->First[prev];
            table->Length[next] = uint16_t(table->Length[prev] + 1);
            ++next;
            if (next == (1 << bits) && bits < kMaxBits) ++bits;
        }
        pos += size_t(length);
        prev = code;
    }
    produced = pos;
    return true;
}

bool ReadLzwBlocks(TLeReader& reader, QByteArray& codes, uint64_t limit, bool exact) {
    uint64_t used = 0;
    for (;;) {
        if (used + 1 > limit) reader.Fail();
        const int length = reader.U8();
        if (!reader.ok()) return false;
        ++used;
        if (length == 0) break;
        if (used + uint64_t(length) > limit || !reader.Require(uint64_t(length))) {
            reader.Fail();
            return false;
        }
        const qsizetype at = codes.size();
        codes.resize(at + length);
        if (!reader.Read(codes.data() + at, length)) return false;
        used += uint64_t(length);
    }
    if (exact && used != limit) reader.Fail();
    return reader.ok();
}
