#include "tools/Penpaint.h"

#include "tools/Penscrape.h"
#include "tools/Penwater.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

namespace {

uint32_t Mix(TColorRef a, TColorRef b, int k, int n) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
        out |= uint32_t(ca + (cb - ca) * k / n) << shift;
    }
    return out;
}

} // namespace

TPenPainter::TPenPainter(TChange& change, const TPenObject& pen, uint32_t colour, TOrvaneRandom* random,
                         const TRepeatWrap& repeat)
    : Canvas(change, pen.Settings, repeat, pen.Settings.Kind == PenMask), Pen(pen), Settings(pen.Settings),
      Colour(colour), Random(random) {
    if (Settings.Kind == PenCrayon && Random) {
        // The grain lies on the paper, not on the pen: strokes over the same
        // place leave the same gaps instead of filling them in.
        const int density = std::clamp(Settings.Density, 1, 5);
        Grain.resize(size_t(TPenCanvas::kGrainSide) * TPenCanvas::kGrainSide);
        for (uint8_t& g : Grain)
            g = Random->Random(6) < density;
    }
    if (Settings.Kind == PenWater) Water = std::make_unique<TWaterBrush>(Canvas, Settings, colour, random);
    if (Settings.Kind == PenScrape) Scrape = std::make_unique<TScrapeBrush>(Canvas, Pen);
}

TPenPainter::~TPenPainter() = default;

uint32_t TPenPainter::StampColour() {
    if (!Settings.Spread) return Colour;
    // Ping-pong through Grade colours: 0, 1, .. g-1, g-2, .. 1, 0, 1 ..
    const int g = std::max(Settings.Grade, 2), period = 2 * g - 2;
    int k = Stamps++ % period;
    if (k >= g) k = period - k;
    if (Canvas.Bits() == 8)
        return uint32_t(Settings.First + (Settings.Second - Settings.First) * k / (g - 1));
    const TPalette& palette = Canvas.Palette();
    return Mix(palette[Settings.First].ColorRef(), palette[Settings.Second].ColorRef(), k, g - 1);
}

void TPenPainter::Stamp(const TPenStroke& stroke) {
    const TFootprint& footprint = Pen.Footprint(stroke.Size);
    if (Water) return Water->Stamp(footprint, stroke.X, stroke.Y, stroke.Size);
    uint32_t value = 0;
    const std::vector<uint8_t>* grain = nullptr;
    switch (Settings.Kind) {
    case PenNormal:
        value = StampColour();
        break;
    case PenCrayon:
        if (Grain.empty()) return;
        value = StampColour(), grain = &Grain;
        break;
    case PenMask:
        value = Settings.MaskDelete ? 0 : 255;
        break;
    default:
        return; // the air brush sprays, the Scrape Pen drags
    }
    for (const TFootprintSpan& s : footprint.Spans)
        Canvas.Span(stroke.Y + s.Y, stroke.X + s.X0, stroke.X + s.X1, value, grain);
}

void TPenPainter::Drag(int x0, int y0, int x1, int y1, int size) {
    if (Scrape) Scrape->Drag(x0, y0, x1, y1, size);
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
        value = Canvas.Bits() == 8 ? uint32_t(index) : Canvas.Palette()[index].ColorRef();
    } else {
        const TAirPattern* p = Settings.Pattern.get();
        if (!p || p->Width <= 0 || p->Height <= 0) return false;
        const QPoint at = Canvas.Repeat().Wrap(x, y); // the pattern lies on the picture
        x = at.x(), y = at.y();
        const int px = ((x % p->Width) + p->Width) % p->Width, py = ((y % p->Height) + p->Height) % p->Height;
        value = p->Pixels[size_t(py) * size_t(p->Width) + size_t(px)];
    }
    return true;
}

QRect NozzleBlock(int x, int y, int nozzle) {
    const bool odd = x & 1;
    switch (std::clamp(nozzle, 1, 5)) {
    case 1:
        return QRect(x, y, 1, 1);
    case 2:
        return odd ? QRect(x, y, 2, 1) : QRect(x, y, 1, 2);
    case 3:
        return QRect(x, y, 2, 2);
    case 4:
        return odd ? QRect(x - 1, y, 3, 2) : QRect(x, y - 1, 2, 3);
    default:
        return QRect(x - 1, y - 1, 3, 3);
    }
}

void TPenPainter::Drop(int x, int y, int nozzle, uint32_t value) {
    const QRect b = NozzleBlock(x, y, nozzle);
    for (int row = b.top(); row <= b.bottom(); ++row)
        Canvas.Span(row, b.left(), b.right(), value);
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
    try {
        auto p = std::make_shared<TAirPattern>();
        p->Width = r.width(), p->Height = r.height();
        p->Pixels.reserve(size_t(r.width()) * size_t(r.height()));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                p->Pixels.push_back(picture.GetPixel(x, y));
        return p;
    } catch (const std::bad_alloc&) {
        return nullptr; // a selection too large to copy
    }
}
