#include "tools/Penobject.h"

#include "platform/Tablet.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

// Rounds half up, also left of or above the picture, so a stroke that runs off
// the edge keeps its line.
int RoundHalfUp(double v) {
    return int(std::floor(v + 0.5));
}

// The grid of side n, centre c = n / 2 - 0.5, sorted by distance then row.
std::vector<TFootprintEntry> Table(int n, bool even, int shape) {
    std::vector<TFootprintEntry> t;
    t.reserve(size_t(n) * size_t(n));
    const double c = n * 0.5 - 0.5;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double dx = j - c, dy = i - c;
            const double d = shape == PenCircular ? 2 * std::sqrt(dx * dx + dy * dy)
                                                  : 2 * std::max(std::fabs(dx), std::fabs(dy));
            // Even grids measure each pixel at its centre, half a pixel from the pen's point.
            const int x = even ? int(dx - 0.5) : int(dx), y = even ? int(dy - 0.5) : int(dy);
            t.push_back(TFootprintEntry{x, y, d});
        }
    std::stable_sort(t.begin(), t.end(), [](const TFootprintEntry& a, const TFootprintEntry& b) {
        return a.Distance < b.Distance || (a.Distance == b.Distance && a.Y < b.Y);
    });
    return t;
}

} // namespace

TPenObject::TPenObject(const TTablet* owner) : Owner(owner) {
    BuildTables();
}

void TPenObject::SetSize(int size) {
    Base = std::clamp(size, kMinSize, kMaxSize);
    Effective = std::clamp(int(Base * Scale), 1, kMaxStampSize);
}

void TPenObject::SetScale(double scale) {
    if (scale == Scale || !std::isfinite(scale)) return;
    Scale = scale;
    Effective = std::clamp(int(Base * Scale), 1, kMaxStampSize);
}

void TPenObject::SetShape(int shape) {
    if (shape == ShapeV || (shape != PenCircular && shape != PenSquare)) return;
    ShapeV = shape;
    BuildTables();
}

void TPenObject::SetSpacing(int spacing) {
    SpacingV = std::clamp(spacing, 1, 64);
}

void TPenObject::BuildTables() {
    Even = Table(kEvenSide, true, ShapeV);
    Odd = Table(kOddSide, false, ShapeV);
    for (int size = 1; size <= kMaxStampSize; ++size) {
        // Both shapes cover whole runs of each row, so a row is one span.
        TFootprint f;
        std::vector<TFootprintSpan> rows(kEvenSide, TFootprintSpan{0, 1, 0});
        for (const TFootprintEntry& e : size % 2 ? Odd : Even) {
            if (e.Distance > size) break;
            TFootprintSpan& r = rows[size_t(e.Y + 32)];
            if (r.X0 > r.X1) r = TFootprintSpan{e.Y, e.X, e.X};
            r.X0 = std::min(r.X0, e.X), r.X1 = std::max(r.X1, e.X);
            ++f.Count;
        }
        for (const TFootprintSpan& r : rows)
            if (r.X0 <= r.X1) f.Spans.push_back(r);
        Footprints[size_t(size)] = std::move(f);
    }
}

const TFootprint& TPenObject::Footprint(int size) const {
    return Footprints[size_t(std::clamp(size, 1, kMaxStampSize))];
}

std::vector<TFootprintEntry> TPenObject::Entries(int size) const {
    const std::vector<TFootprintEntry>& t = size % 2 ? Odd : Even;
    auto end = std::find_if(t.begin(), t.end(), [&](const TFootprintEntry& e) { return e.Distance > size; });
    return std::vector<TFootprintEntry>(t.begin(), end);
}

int TPenObject::SizeAt(int current, int maximum) const {
    if (!Pressured() || maximum <= 0) return Effective;
    const uint64_t c = uint64_t(std::clamp(current, 0, maximum));
    return int(uint64_t(Effective - 1) * c / uint64_t(maximum)) + 1;
}

int TPenObject::GetSize() const {
    if (!Owner) return Effective;
    return SizeAt(Owner->Current().NormalPressure, Owner->MaxPressure());
}

void TPenObject::BeginStroke(TPenStroke& stroke, int x, int y, int size) const {
    const int s = size > 0 ? std::min(size, kMaxStampSize) : GetSize();
    stroke.X0 = stroke.X1 = stroke.X = x;
    stroke.Y0 = stroke.Y1 = stroke.Y = y;
    stroke.Size0 = stroke.Size1 = stroke.Size = s;
}

void TPenObject::Dot(TPenStroke& stroke, int x, int y, const TStampSink& sink) const {
    stroke.X = x, stroke.Y = y, stroke.Size = stroke.Size0;
    sink(stroke);
}

void TPenObject::LineTo(TPenStroke& stroke, int x, int y, const TStampSink& sink, int size1) const {
    stroke.X1 = x, stroke.Y1 = y;
    stroke.Size1 = Pressured() ? (size1 > 0 ? std::min(size1, kMaxStampSize) : GetSize()) : stroke.Size0;
    const int dx = x - stroke.X0, dy = y - stroke.Y0;
    if (dx == 0 && dy == 0) {
        Dot(stroke, x, y, sink);
    } else {
        // Walk the major axis (x on a tie), the other coordinate rounded from the slope.
        const bool alongX = std::abs(dx) >= std::abs(dy);
        const int length = alongX ? std::abs(dx) : std::abs(dy);
        const int dir = (alongX ? dx : dy) > 0 ? 1 : -1;
        const double slope = alongX ? double(dy) / dx : double(dx) / dy;
        const double perStep = double(stroke.Size1 - stroke.Size0) / length;
        for (int t = 0; t < length;) {
            const int major = dir * t, minor = RoundHalfUp(major * slope);
            stroke.X = stroke.X0 + (alongX ? major : minor);
            stroke.Y = stroke.Y0 + (alongX ? minor : major);
            stroke.Size = std::clamp(RoundHalfUp(stroke.Size0 + t * perStep), 1, kMaxStampSize);
            sink(stroke);
            t += StepOf(stroke.Size);
        }
    }
    stroke.Size0 = stroke.Size1;
    stroke.X0 = x, stroke.Y0 = y;
}

// --- TOrvaneRandom ---------------------------------------------------------

namespace {

struct TRandomTables {
    std::vector<int32_t> Values;
    std::vector<uint8_t> Steps;
    uint32_t Mask = 0;
    int References = 0;
};

TRandomTables& Shared() {
    static TRandomTables t;
    return t;
}

// The runtime library's generator: values 0 .. 32767.
struct TLcg {
    uint32_t State;
    int Next() {
        State = State * 214013u + 2531011u;
        return int((State >> 16) & 0x7FFF);
    }
};

} // namespace

TOrvaneRandom::TOrvaneRandom(int bits) {
    TRandomTables& t = Shared();
    ++t.References;
    if (t.Mask == 0) {
        const size_t n = size_t(1) << std::clamp(bits, 1, 20);
        t.Values.assign(n, 0);
        t.Steps.assign(n, 0);
        t.Mask = uint32_t(n - 1);
    }
    Reseed();
}

TOrvaneRandom::~TOrvaneRandom() {
    TRandomTables& t = Shared();
    if (--t.References > 0) return;
    t.Values = {};
    t.Steps = {};
    t.Mask = 0;
}

void TOrvaneRandom::Reseed(uint32_t seed) {
    TRandomTables& t = Shared();
    TLcg g{seed};
    for (uint32_t i = 0; i <= t.Mask; ++i) {
        t.Values[i] = g.Next();
        t.Steps[i] = uint8_t(g.Next() & 255);
    }
    A = uint32_t(g.Next()) & t.Mask;
    B = uint32_t(g.Next()) & t.Mask;
}

void TOrvaneRandom::Reseed() {
    Reseed(uint32_t(std::clock()));
}

int TOrvaneRandom::Random(int n) {
    const TRandomTables& t = Shared();
    if (n <= 0 || t.Mask == 0) return 0;
    B = (B + 1) & t.Mask;
    A = (A + t.Steps[B]) & t.Mask;
    return t.Values[A] % n;
}
