#include "tools/Penpaint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr int kGrainSide = 128; // the crayon's paper grain tile, a power of two

uint32_t Mix(TColorRef a, TColorRef b, int k, int n) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
        out |= uint32_t(ca + (cb - ca) * k / n) << shift;
    }
    return out;
}

} // namespace

TPenPainter::TPenPainter(TChange& change, const TPenObject& pen, uint32_t colour, TOrvaneRandom* random)
    : Change(change), Picture(change.Picture()), Pen(pen), Settings(pen.Settings), Colour(colour),
      Random(random) {
    Fast = Change.Guard().Open() && !Settings.Restricted;
    if (Settings.Restricted && Picture.BitsPerPixel != 8)
        for (int k = 0; k < Settings.Colours.Count(); ++k)
            Allowed.push_back(Change.Palette()[Settings.Colours.IndexAt(k)].ColorRef());
    if (Settings.Kind == PenCrayon && Random) {
        // The grain lies on the paper, not on the pen: strokes over the same
        // place leave the same gaps instead of filling them in.
        const int density = std::clamp(Settings.Density, 1, 5);
        Grain.resize(size_t(kGrainSide) * kGrainSide);
        for (uint8_t& g : Grain)
            g = Random->Random(6) < density;
    }
}

bool TPenPainter::Writable(int x, int y) const {
    if (!Change.Guard().Allows(Picture, x, y)) return false;
    if (!Settings.Restricted) return true;
    const uint32_t present = Picture.GetPixel(x, y);
    if (Picture.BitsPerPixel == 8) return Settings.Colours.Contains(int(present));
    return std::find(Allowed.begin(), Allowed.end(), present) != Allowed.end();
}

void TPenPainter::Put(uint8_t* row, int x, uint32_t value) {
    if (Picture.BitsPerPixel == 8) {
        row[x] = uint8_t(value);
    } else {
        uint8_t* p = row + 3 * x; // blue, green, red; the value holds red in its low byte
        p[0] = uint8_t(value >> 16), p[1] = uint8_t(value >> 8), p[2] = uint8_t(value);
    }
}

void TPenPainter::Span(int y, int x0, int x1, uint32_t value, bool grained) {
    if (y < 0 || y >= Picture.Height) return;
    x0 = std::max(x0, 0), x1 = std::min(x1, Picture.Width - 1);
    if (x0 > x1) return;
    uint8_t* row = Picture.ScanLine(y);
    const uint8_t* grain = grained ? Grain.data() + size_t(y & (kGrainSide - 1)) * kGrainSide : nullptr;
    if (Fast && !grain && Picture.BitsPerPixel == 8) {
        std::memset(row + x0, int(value & 0xFF), size_t(x1 - x0 + 1));
    } else {
        for (int x = x0; x <= x1; ++x) {
            if (grain && !grain[x & (kGrainSide - 1)]) continue;
            if (Fast || Writable(x, y)) Put(row, x, value);
        }
    }
    TouchedV |= QRect(x0, y, x1 - x0 + 1, 1);
    FreshV |= QRect(x0, y, x1 - x0 + 1, 1);
}

uint32_t TPenPainter::StampColour() {
    if (!Settings.Spread) return Colour;
    // Ping-pong through Grade colours: 0, 1, .. g-1, g-2, .. 1, 0, 1 ..
    const int g = std::max(Settings.Grade, 2), period = 2 * g - 2;
    int k = Stamps++ % period;
    if (k >= g) k = period - k;
    if (Picture.BitsPerPixel == 8)
        return uint32_t(Settings.First + (Settings.Second - Settings.First) * k / (g - 1));
    const TPalette& palette = Change.Palette();
    return Mix(palette[Settings.First].ColorRef(), palette[Settings.Second].ColorRef(), k, g - 1);
}

void TPenPainter::Stamp(const TPenStroke& stroke) {
    if (Settings.Kind != PenNormal && Settings.Kind != PenCrayon) return; // kinds still to come paint nothing
    const bool grained = Settings.Kind == PenCrayon;
    if (grained && Grain.empty()) return;
    const uint32_t value = StampColour();
    for (const TFootprintSpan& s : Pen.Footprint(stroke.Size).Spans)
        Span(stroke.Y + s.Y, stroke.X + s.X0, stroke.X + s.X1, value, grained);
}

bool TPenPainter::DropColour(int x, int y, uint32_t& value) {
    const int mode = std::clamp(Settings.AirMode, 0, 2);
    if (mode == AirSingle) {
        value = Colour;
    } else if (mode == AirMulti) {
        int total = 0;
        for (int n : Settings.AirNumbers)
            total += std::max(n, 0);
        if (total == 0) {
            value = Colour;
            return true;
        }
        int pick = Random->Random(total), i = 0;
        while (pick >= std::max(Settings.AirNumbers[size_t(i)], 0))
            pick -= std::max(Settings.AirNumbers[size_t(i++)], 0);
        const int index = Settings.AirColours[size_t(i)];
        value = Picture.BitsPerPixel == 8 ? uint32_t(index) : Change.Palette()[index].ColorRef();
    } else {
        const TAirPattern* p = Settings.Pattern.get();
        if (!p || p->Width <= 0 || p->Height <= 0) return false;
        const int px = ((x % p->Width) + p->Width) % p->Width, py = ((y % p->Height) + p->Height) % p->Height;
        value = p->Pixels[size_t(py) * size_t(p->Width) + size_t(px)];
    }
    return true;
}

void TPenPainter::Drop(int x, int y, int nozzle, uint32_t value) {
    // The nozzle's block around the drop pixel: left, top, width, height.
    const bool odd = x & 1;
    QRect b;
    switch (std::clamp(nozzle, 1, 5)) {
    case 1:
        b = QRect(x, y, 1, 1);
        break;
    case 2:
        b = odd ? QRect(x, y, 2, 1) : QRect(x, y, 1, 2);
        break;
    case 3:
        b = QRect(x, y, 2, 2);
        break;
    case 4:
        b = odd ? QRect(x - 1, y, 3, 2) : QRect(x, y - 1, 2, 3);
        break;
    default:
        b = QRect(x - 1, y - 1, 3, 3);
        break;
    }
    for (int row = b.top(); row <= b.bottom(); ++row)
        Span(row, b.left(), b.right(), value, false);
}

void TPenPainter::Spray(int x, int y, int size) {
    if (!Random) return;
    const TAirSetting& air = Settings.Air[size_t(std::clamp(Settings.AirMode, 0, 2))];
    const int reach = std::max(size, 1) / 2 + 1;
    for (int d = 0; d < std::clamp(air.DotNum, 1, 5); ++d) {
        // One draw gives both the angle (degrees) and the distance.
        const int v = Random->Random(360);
        const double radius = v % reach, angle = v * std::numbers::pi / 180;
        const int dx = int(x + std::cos(angle) * radius), dy = int(y + std::sin(angle) * radius);
        uint32_t value = 0;
        if (DropColour(dx, dy, value)) Drop(dx, dy, air.Nozzle, value);
    }
}

std::shared_ptr<const TAirPattern> MakeAirPattern(const TOrvaneBitmap& picture, const QRect& rect) {
    const QRect r = rect.intersected(QRect(0, 0, picture.Width, picture.Height));
    if (r.isEmpty()) return nullptr;
    auto p = std::make_shared<TAirPattern>();
    p->Width = r.width(), p->Height = r.height();
    p->Pixels.reserve(size_t(r.width()) * size_t(r.height()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            p->Pixels.push_back(picture.GetPixel(x, y));
    return p;
}
