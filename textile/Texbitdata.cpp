// One weave record: reading and writing the two data-file layouts, the draft
// and the floats.
#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "textile/Texture.h"

#include <QIODevice>
#include <algorithm>
#include <new>

namespace {

// Reads a signed side (1 .. kMaxWeaveSide) into *side; false for anything else.
bool Side(TLeReader& in, int* side) {
    const int v = int16_t(in.U16());
    if (!in.ok() || v < 1 || v > kMaxWeaveSide) return false;
    *side = v;
    return true;
}

// count bytes of 0/1 cells, any non-zero byte read as 1.
bool Plane(TLeReader& in, size_t count, std::vector<uint8_t>& plane) {
    if (!in.Require(count)) return false;
    plane.resize(count);
    in.Read(plane.data(), qint64(count));
    for (uint8_t& b : plane)
        b = b != 0;
    return in.ok();
}

bool ReadOne(TLeReader& in, bool current, const QString& fallbackName, TTexBitData& w) {
    if (current) {
        char name[kWeaveNameSize + 1] = {};
        in.Read(name, kWeaveNameSize);
        w.Name = QString::fromLatin1(name);
        w.Named = true;
        w.Planes = in.U16();
    } else {
        w.Name = fallbackName;
    }
    if (!Side(in, &w.Width) || !Side(in, &w.Height)) return false;
    if (!Plane(in, size_t(w.Width) * size_t(w.Height), w.Bits)) return false;
    if (w.Planes == 0) return true;
    return Side(in, &w.Shafts) && Plane(in, size_t(w.Shafts) * size_t(w.Height), w.Lift) &&
           Plane(in, size_t(w.Width) * size_t(w.Shafts), w.Threading);
}

} // namespace

uint32_t ReadWeaves(QIODevice* file, int count, const QString& fallbackName, std::vector<TTexBitData>& out) {
    if (count < 0) return ErrorCode::BadFile;
    const bool current = file->peek(2) == "PT";
    TLeReader in(file);
    if (current) in.Skip(4);
    // The smallest weave takes 6 bytes (older layout) or 28: a count beyond
    // what the file can hold is refused before anything is allocated.
    if (!in.Require(uint64_t(count) * (current ? 28 : 6))) return ErrorCode::BadFile;
    try {
        std::vector<TTexBitData> weaves(static_cast<size_t>(count));
        for (TTexBitData& w : weaves)
            if (!ReadOne(in, current, fallbackName, w)) return ErrorCode::BadFile;
        out = std::move(weaves);
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    return 0;
}

uint32_t WriteWeaves(QIODevice* file, const std::vector<TTexBitData>& weaves) {
    QByteArray out("PT\1\0", 4); // signature and layout version 1
    for (const TTexBitData& w : weaves) {
        const bool draft = w.Planes != 0;
        if (w.Width < 1 || w.Width > kMaxWeaveSide || w.Height < 1 || w.Height > kMaxWeaveSide ||
            w.Bits.size() != size_t(w.Width) * size_t(w.Height) ||
            (draft && (w.Shafts < 1 || w.Shafts > kMaxWeaveSide ||
                       w.Lift.size() != size_t(w.Shafts) * size_t(w.Height) ||
                       w.Threading.size() != size_t(w.Width) * size_t(w.Shafts))))
            return ErrorCode::BadFile;
        out.append(WeaveName(w.Name));
        Put16(out, draft ? 1 : 0);
        Put16(out, w.Width);
        Put16(out, w.Height);
        out.append(reinterpret_cast<const char*>(w.Bits.data()), qsizetype(w.Bits.size()));
        if (!draft) continue;
        Put16(out, w.Shafts);
        out.append(reinterpret_cast<const char*>(w.Lift.data()), qsizetype(w.Lift.size()));
        out.append(reinterpret_cast<const char*>(w.Threading.data()), qsizetype(w.Threading.size()));
    }
    return file->write(out) == out.size() ? 0 : ErrorCode::CannotWriteFile;
}

QByteArray WeaveName(const QString& name) {
    QByteArray out = name.toLatin1().left(kWeaveNameSize - 1);
    out.resize(kWeaveNameSize, '\0');
    return out;
}

void MakeDraft(TTexBitData& w) {
    std::vector<int> shaftOf(size_t(w.Width), -1);
    std::vector<int> firstEnd; // the end that gave each shaft
    for (int x = 0; x < w.Width; ++x) {
        for (size_t s = 0; s < firstEnd.size() && shaftOf[size_t(x)] < 0; ++s) {
            bool same = true;
            for (int y = 0; y < w.Height && same; ++y)
                same = w.At(x, y) == w.At(firstEnd[s], y);
            if (same) shaftOf[size_t(x)] = int(s);
        }
        if (shaftOf[size_t(x)] < 0) {
            shaftOf[size_t(x)] = int(firstEnd.size());
            firstEnd.push_back(x);
        }
    }
    w.Planes = 1;
    w.Shafts = int(firstEnd.size());
    w.Threading.assign(size_t(w.Shafts) * size_t(w.Width), 0);
    w.Lift.assign(size_t(w.Shafts) * size_t(w.Height), 0);
    for (int x = 0; x < w.Width; ++x)
        w.Threading[size_t(shaftOf[size_t(x)]) * size_t(w.Width) + size_t(x)] = 1;
    for (int y = 0; y < w.Height; ++y)
        for (int s = 0; s < w.Shafts; ++s)
            w.Lift[size_t(y) * size_t(w.Shafts) + size_t(s)] = w.At(firstEnd[size_t(s)], y);
}

bool DraftReproduces(const TTexBitData& w) {
    if (!w.HasDraft() || w.Lift.size() != size_t(w.Shafts) * size_t(w.Height) ||
        w.Threading.size() != size_t(w.Shafts) * size_t(w.Width))
        return false;
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x) {
            bool up = false;
            for (int s = 0; s < w.Shafts; ++s)
                up |= w.Threading[size_t(s) * size_t(w.Width) + size_t(x)] &&
                      w.Lift[size_t(y) * size_t(w.Shafts) + size_t(s)];
            if (up != w.At(x, y)) return false;
        }
    return true;
}

namespace {

// The longest cyclic run of value among length cells read by at(i).
template <typename At> int LongestRun(int length, bool value, At at) {
    int best = 0, run = 0;
    for (int i = 0; i < 2 * length; ++i) { // twice round: runs across the repeat's edge
        run = at(i % length) == value ? run + 1 : 0;
        best = std::max(best, run);
    }
    return std::min(best, length);
}

} // namespace

int LongestWarpFloat(const TTexBitData& w) {
    int best = 0;
    for (int x = 0; x < w.Width; ++x)
        best = std::max(best, LongestRun(w.Height, true, [&](int y) { return w.At(x, y); }));
    return best;
}

int LongestWeftFloat(const TTexBitData& w) {
    int best = 0;
    for (int y = 0; y < w.Height; ++y)
        best = std::max(best, LongestRun(w.Width, false, [&](int x) { return w.At(x, y); }));
    return best;
}
