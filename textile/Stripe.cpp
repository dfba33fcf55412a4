#include "textile/Stripe.h"

#include "colour/Palette.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

int64_t Span(const TStripe& s) {
    return s.Length > 0 && s.Repeat > 0 ? int64_t(s.Length) * s.Repeat : 0;
}

TStripeList Placed(const TStripeList& list) {
    TStripeList out;
    for (const TStripe& s : list)
        if (!s.Pending) out.push_back(s);
    return out;
}

void Emit(std::vector<uint8_t>& out, const TStripe& s) {
    if (s.Length > 0) out.insert(out.end(), size_t(s.Length), s.Color);
}

// Emits list[from .. to] (to may be below from: then backwards) repeat times.
void EmitRun(std::vector<uint8_t>& out, const TStripeList& list, int from, int to, int repeat) {
    const int step = to >= from ? 1 : -1;
    for (int r = 0; r < repeat; ++r)
        for (int j = from;; j += step) {
            Emit(out, list[size_t(j)]);
            if (j == to) break;
        }
}

// Snaps sine and cosine of whole right angles to exact values, so 90 and 180
// degrees give stripes on the pixel grid, not one dot off.
double Snap(double v) {
    return std::abs(v) < 1e-12 ? 0.0 : v;
}

// t = trunc(x c + base) of one row at any x. The sum is 32.32 fixed point; where
// its fraction comes within 2^-12 of a whole number (where the fixed point's
// rounding could tip it) the double expression decides, so every t is the one
// trunc(x * c + base) gives.
struct TRowT {
    static constexpr double kOne = 4294967296.0;
    static constexpr uint32_t kNear = 1u << 20;
    double C, Base;
    int64_t Step, Start;
    TRowT(double c, double base)
        : C(c), Base(base), Step(std::llround(c * kOne)), Start(std::llround(base * kOne)) {}
    int At(int x, int64_t v) const {
        if (uint32_t(uint32_t(v) - kNear) < uint32_t(0u - 2 * kNear))
            return int(v >> 32) + int(v < 0); // not whole: trunc is floor, or floor + 1 below 0
        return int(x * C + Base);
    }
    int At(int x) const { return At(x, Start + int64_t(x) * Step); }
};

// Calls put(x, t) for x = 0 .. w - 1.
template <class Put> void ForRow(int w, double c, double base, Put&& put) {
    const TRowT row(c, base);
    int64_t v = row.Start;
    for (int x = 0; x < w; ++x, v += row.Step)
        put(x, row.At(x, v));
}

// One 8-bit row as runs: the table (over t from -diagonal) changes value only at
// stripe borders, and t moves by at most one per pixel, so a row is a few long
// runs. border[i] is the first table index past i, in the direction t moves, that
// holds another value (-1 or the size at the ends).
void RunRow(uint8_t* dest, int w, double c, double base, const std::vector<uint8_t>& table, int diagonal,
            const std::vector<int>& border) {
    const TRowT row(c, base);
    if (c == 0) {
        std::memset(dest, table[size_t(row.At(0) + diagonal)], size_t(w));
        return;
    }
    const bool up = c > 0;
    for (int x = 0; x < w;) {
        const int i = row.At(x) + diagonal;
        const int next = border[size_t(i)] - diagonal; // the first t of another value
        const auto past = [&](int at) { return up ? row.At(at) >= next : row.At(at) <= next; };
        // The first pixel at or past next: a guess from the line, then exact steps.
        const double guess = (next - base) / c;
        int end = guess >= w ? w : guess <= x + 1 ? x + 1 : int(guess) - 1;
        while (end > x + 1 && past(end - 1))
            --end;
        while (end < w && !past(end))
            ++end;
        std::memset(dest + x, table[size_t(i)], size_t(end - x));
        x = end;
    }
}

void BgrTable(const TPalette& palette, std::array<std::array<uint8_t, 3>, 256>& table) {
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = {palette[i].Color.rgbBlue, palette[i].Color.rgbGreen, palette[i].Color.rgbRed};
}

// The palette's used count raised to highest within change (8-bit designs).
void RaiseUsed(TChange& change, int highest) {
    if (highest <= change.Palette().UseColor) return;
    TPalette palette = change.Palette();
    palette.UseColor = uint16_t(std::min(highest, TPalette::kSize - 1));
    change.SetPalette(palette);
}

} // namespace

int64_t SequenceLength(const TStripeList& all) {
    const TStripeList list = Placed(all);
    int64_t total = 0;
    size_t lastCenter = 0; // the first stripe after the last Center
    for (size_t i = 0; i < list.size(); ++i) {
        total += Span(list[i]);
        if (list[i].Method != StripeCenter) continue;
        for (size_t j = lastCenter; j < i; ++j)
            if (list[j].Method == StripeReverse) total += Span(list[j]);
        lastCenter = i + 1;
    }
    return total;
}

std::vector<uint8_t> BuildSequence(const TStripeList& all) {
    const int64_t length = SequenceLength(all);
    if (length <= 0 || length > kMaxSequence) return {};
    const TStripeList list = Placed(all);
    std::vector<uint8_t> out;
    out.reserve(size_t(length));
    const int n = int(list.size());
    int lastCenter = -1;
    for (int i = 0; i < n;) {
        const TStripe& s = list[size_t(i)];
        if (s.Method != StripeCenter) {
            int k = i;
            while (k + 1 < n && list[size_t(k + 1)].Repeat == s.Repeat &&
                   list[size_t(k + 1)].Method != StripeCenter)
                ++k;
            EmitRun(out, list, i, k, s.Repeat);
            i = k + 1;
            continue;
        }
        EmitRun(out, list, i, i, s.Repeat);
        // The Reverse stripes since the last Center, mirrored: runs of equal repeat
        // counts walk backwards together.
        for (int j = i - 1; j > lastCenter;) {
            const TStripe& r = list[size_t(j)];
            if (r.Method != StripeReverse) {
                --j;
                continue;
            }
            int m = j;
            while (m - 1 > lastCenter && list[size_t(m - 1)].Method == StripeReverse &&
                   list[size_t(m - 1)].Repeat == r.Repeat)
                --m;
            EmitRun(out, list, j, m, r.Repeat);
            j = m - 1;
        }
        lastCenter = i++;
    }
    return out;
}

int NextMethod(const TStripeList& list, int row) {
    if (row < 0 || row >= int(list.size())) return StripeNormal;
    const bool afterReverse = row > 0 && list[size_t(row - 1)].Method == StripeReverse;
    const int method = list[size_t(row)].Method;
    if (afterReverse) return method == StripeReverse ? StripeCenter : StripeReverse;
    return method == StripeNormal ? StripeReverse : StripeNormal;
}

int HighestStripeColour(const TStripeList& list) {
    int highest = 0;
    for (const TStripe& s : list)
        if (!s.Pending) highest = std::max(highest, int(s.Color));
    return highest;
}

bool TStripeEditor::Busy() const {
    return std::any_of(List.begin(), List.end(), [](const TStripe& s) { return s.Pending; });
}

bool TStripeEditor::ArmAdd() {
    if (Busy()) return false;
    AddMode = true, DeleteMode = false;
    return true;
}

void TStripeEditor::ArmDelete() {
    DeleteMode = true, AddMode = false;
}

bool TStripeEditor::Click(int row, int column, int colour) {
    const int size = int(List.size());
    if (row < 0 || row > size) return false;
    if (AddMode || DeleteMode) {
        const bool add = AddMode;
        AddMode = DeleteMode = false;
        if (add) {
            TStripe pending;
            pending.Pending = true;
            List.insert(List.begin() + row, pending);
            return true;
        }
        if (row == size) return false;
        List.erase(List.begin() + row);
        return true;
    }
    if (column == ColumnColor) {
        if (row == size) List.emplace_back();
        TStripe& s = List[size_t(row)];
        if (s.Pending) s = TStripe{};
        s.Color = uint8_t(colour);
        return true;
    }
    if (column == ColumnMethod && row < size && !List[size_t(row)].Pending) {
        List[size_t(row)].Method = uint8_t(NextMethod(List, row));
        return true;
    }
    return false;
}

double DotsPerUnit(int unit, int dpi) {
    if (unit == StripeInch) return dpi;
    if (unit == StripeCm) return dpi * 0.3937;
    return 1.0;
}

double ClampThickness(double entry, int unit, int dpi, int canvasHeight) {
    if (!(entry > 0)) return 0;
    const double perUnit = DotsPerUnit(unit, std::max(dpi, 1));
    return std::min(entry, canvasHeight / perUnit);
}

int ThicknessDots(double entry, int unit, int dpi, int canvasHeight) {
    if (!(entry > 0)) return 0;
    const double dots = entry * DotsPerUnit(unit, dpi);
    return dots >= canvasHeight ? std::max(canvasHeight, 0) : int(dots);
}

bool PaintStripeWhole(TOrvaneBitmap& out, const TWriteGuard& guard, const std::vector<uint8_t>& sequence,
                      int angle, const TPalette& palette) {
    const int64_t length = int64_t(sequence.size());
    const int w = out.Width, h = out.Height, bits = out.BitsPerPixel;
    // |t| never passes the diagonal, so K keeps t + K positive, and every entry a
    // pixel can take sits in a table over t = -diagonal .. diagonal: per pixel a
    // fixed-point add (ForRow) and a load.
    const int diagonal = int(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const int64_t k = (diagonal / length + 1) * length;
    std::vector<uint8_t> byT;
    std::vector<std::array<uint8_t, 3>> colourByT;
    try {
        byT.resize(size_t(2 * diagonal + 1));
        for (int t = -diagonal; t <= diagonal; ++t)
            byT[size_t(t + diagonal)] = sequence[size_t((t + k) % length)];
        if (bits == 24) {
            colourByT.resize(byT.size());
            for (size_t i = 0; i < byT.size(); ++i) {
                const TColorData& c = palette[byT[i]];
                colourByT[i] = {c.Color.rgbBlue, c.Color.rgbGreen, c.Color.rgbRed};
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    const double radians = angle * std::numbers::pi / 180.0;
    const double c = Snap(std::cos(radians)), s = Snap(std::sin(radians));
    std::vector<int> border;
    try {
        border.resize(byT.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    const int size = int(byT.size());
    if (c >= 0) {
        for (int i = size - 1; i >= 0; --i)
            border[size_t(i)] =
                i + 1 < size && byT[size_t(i + 1)] == byT[size_t(i)] ? border[size_t(i + 1)] : i + 1;
    } else {
        for (int i = 0; i < size; ++i)
            border[size_t(i)] = i > 0 && byT[size_t(i - 1)] == byT[size_t(i)] ? border[size_t(i - 1)] : i - 1;
    }
    const bool open = guard.Open();
    // One of the two tables is empty, by depth: no offset on its null data.
    const uint8_t* table = byT.empty() ? nullptr : byT.data() + diagonal;
    const std::array<uint8_t, 3>* colours = colourByT.empty() ? nullptr : colourByT.data() + diagonal;
    for (int y = 0; y < h; ++y) {
        const double base = y * s;
        uint8_t* dest = out.ScanLine(y);
        if (open && bits == 8)
            RunRow(dest, w, c, base, byT, diagonal, border);
        else if (open)
            ForRow(w, c, base, [&](int x, int t) { std::memcpy(dest + 3 * x, colours[t].data(), 3); });
        else
            ForRow(w, c, base, [&](int x, int t) {
                if (!guard.Allows(out, x, y)) return;
                if (bits == 8)
                    dest[x] = table[t];
                else
                    std::memcpy(dest + 3 * x, colours[t].data(), 3);
            });
    }
    return true;
}

uint32_t StripeWhole(TDocument& document, const std::vector<uint8_t>& sequence, int angle, int highest) {
    const TOrvaneBitmap& picture = document.Picture();
    if (sequence.empty() || !picture.Allocated() || picture.Width <= 0 || picture.Height <= 0) return 0;
    if (int64_t(sequence.size()) > kMaxSequence) return ErrorCode::TooLargeForOperation;
    if (picture.BitsPerPixel != 8 && picture.BitsPerPixel != 24) return 0;
    TChange change(document);
    if (!PaintStripeWhole(change.Picture(), change.Guard(), sequence, angle, document.Palette()))
        return ErrorCode::OutOfMemory; // the change puts the picture back
    RaiseUsed(change, highest);
    change.Touch(document.Bounds());
    change.Commit();
    return 0;
}

uint32_t StripeKeyColour(const std::vector<uint32_t>& colours) {
    std::array<bool, 256> red{}, green{}, blue{};
    for (const uint32_t c : colours) {
        red[c & 0xFF] = true;
        green[(c >> 8) & 0xFF] = true;
        blue[(c >> 16) & 0xFF] = true;
    }
    for (int shift = 0; shift < 24; shift += 8) {
        const std::array<bool, 256>& seen = shift == 0 ? red : shift == 8 ? green : blue;
        for (uint32_t v = 0; v < 256; ++v)
            if (!seen[v]) return v << shift;
    }
    return 0;
}

uint32_t MakeStripePiece(const std::vector<uint8_t>& sequence, const TPalette& palette, int bits,
                         int canvasWidth, int thickness, int angle, TStripePiece& piece) {
    piece.Picture.Release();
    const int width = int(std::min<int64_t>(int64_t(sequence.size()), canvasWidth));
    if (width <= 0 || thickness <= 0) return 0;
    if (bits != 8 && bits != 24) return ErrorCode::TooLargeForOperation;
    TRGBQuad quads[256];
    palette.GetQuads(quads);
    if (!piece.Picture.Allocate(width, thickness, quads, bits)) return ErrorCode::OutOfMemory;
    std::array<std::array<uint8_t, 3>, 256> bgr{};
    BgrTable(palette, bgr);
    std::array<bool, 256> used{};
    uint8_t* first = piece.Picture.ScanLine(0);
    for (int x = 0; x < width; ++x) {
        const uint8_t v = sequence[size_t(x)];
        used[v] = true;
        piece.Highest = std::max<int>(piece.Highest, v);
        if (bits == 8)
            first[x] = v;
        else
            std::memcpy(first + 3 * x, bgr[v].data(), 3);
    }
    for (int y = 1; y < thickness; ++y)
        std::memcpy(piece.Picture.ScanLine(y), first, size_t(piece.Picture.BytesPerLine()));
    piece.Key = 0;
    if (bits == 24) {
        std::vector<uint32_t> colours;
        for (int i = 0; i < 256; ++i)
            if (used[size_t(i)]) colours.push_back(palette[i].ColorRef());
        piece.Key = StripeKeyColour(colours);
    }
    if (angle % 360 != 0 && !piece.Picture.Rotate(angle * 100, true, piece.Key)) {
        piece.Picture.Release();
        return ErrorCode::OutOfMemory;
    }
    return 0;
}

QRect PlaceStripePiece(TDocument& document, const TStripePiece& piece, QPoint at) {
    const TOrvaneBitmap& src = piece.Picture;
    if (!src.Allocated() || src.BitsPerPixel != document.BitsPerPixel()) return {};
    const QRect rect = QRect(at, QSize(src.Width, src.Height)).intersected(document.Bounds());
    if (rect.isEmpty()) return {};
    const uint8_t key[3] = {uint8_t(piece.Key >> 16), uint8_t(piece.Key >> 8), uint8_t(piece.Key)};
    const bool wide = src.BitsPerPixel == 24;
    TChange change(document, rect);
    TOrvaneBitmap& out = change.Picture();
    const TWriteGuard& guard = change.Guard();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uint8_t* from = src.ScanLine(y - at.y());
        uint8_t* dest = out.ScanLine(y);
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const int sx = x - at.x();
            if (wide ? std::memcmp(from + 3 * sx, key, 3) == 0 : from[sx] == 0) continue;
            if (!guard.Allows(out, x, y)) continue;
            if (wide)
                std::memcpy(dest + 3 * x, from + 3 * sx, 3);
            else
                dest[x] = from[sx];
        }
    }
    RaiseUsed(change, piece.Highest);
    change.Touch(rect);
    change.Commit();
    return rect;
}
