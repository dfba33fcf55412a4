#include "tools/Pencanvas.h"

#include <algorithm>
#include <cstring>

namespace {

bool Fits(const TRepeatWrap& repeat, const TOrvaneBitmap& picture) {
    return repeat.On() && repeat.Width == picture.Width && repeat.Height == picture.Height;
}

} // namespace

TPenCanvas::TPenCanvas(TChange& change, const TPenSettings& settings, const TRepeatWrap& repeat, bool mask)
    : Change(change), PictureV(change.Picture()), Target(mask ? change.Mask() : &change.Picture()),
      Settings(settings), RepeatV(repeat), ToMask(mask) {
    if (!Fits(RepeatV, PictureV)) RepeatV.Kind = RepeatOff;
    Open = (ToMask || Change.Guard().Open()) && !Settings.Restricted;
    if (Settings.Restricted && PictureV.BitsPerPixel != 8)
        for (int k = 0; k < Settings.Colours.Count(); ++k)
            Allowed.push_back(Change.Palette()[Settings.Colours.IndexAt(k)].ColorRef());
}

bool TPenCanvas::Locate(const TRepeatWrap& repeat, const TOrvaneBitmap& picture, int x, int y, QPoint& at) {
    at = Fits(repeat, picture) ? repeat.Wrap(x, y) : QPoint(x, y);
    return at.x() >= 0 && at.y() >= 0 && at.x() < picture.Width && at.y() < picture.Height;
}

TColorRef TPenCanvas::Colour(uint32_t value) const {
    return PictureV.BitsPerPixel == 8 ? Change.Palette()[int(value & 0xFF)].ColorRef() : value & 0xFFFFFF;
}

bool TPenCanvas::Writable(QPoint at) const {
    if (!Target) return false;
    if (!ToMask && !Change.Guard().Allows(PictureV, at.x(), at.y())) return false;
    if (!Settings.Restricted) return true;
    const uint32_t present = Value(at);
    if (PictureV.BitsPerPixel == 8) return Settings.Colours.Contains(int(present));
    return std::find(Allowed.begin(), Allowed.end(), present) != Allowed.end();
}

void TPenCanvas::Write(uint8_t* row, int x, uint32_t value) const {
    if (Replace && !ToMask) {
        if (const int to = (*Replace)[row[x]]; to >= 0) row[x] = uint8_t(to);
    } else if (Target->BitsPerPixel == 8) {
        row[x] = uint8_t(value);
    } else {
        uint8_t* p = row + 3 * x; // blue, green, red; the value holds red in its low byte
        p[0] = uint8_t(value >> 16), p[1] = uint8_t(value >> 8), p[2] = uint8_t(value);
    }
}

bool TPenCanvas::Put(QPoint at, uint32_t value) {
    if (!Writable(at) || Target->GetPixel(at.x(), at.y()) == value) return false;
    if (!Change.Widen(QRect(at, QSize(1, 1)))) return false;
    Write(Target->ScanLine(at.y()), at.x(), value);
    Mark(at.x(), at.x(), at.y());
    return true;
}

void TPenCanvas::Mark(int x0, int x1, int y) {
    const QRect r(x0, y, x1 - x0 + 1, 1);
    TouchedV |= r;
    FreshV |= r;
}

QRect TPenCanvas::TakeFresh() {
    const QRect fresh = FreshV;
    FreshV = QRect();
    return fresh;
}

void TPenCanvas::Span(int y, int x0, int x1, uint32_t value, const std::vector<uint8_t>* grain) {
    if (!Target) return;
    RepeatV.Pieces(y, x0, x1, [&](int py, int px0, int px1) {
        if (py < 0 || py >= PictureV.Height) return;
        px0 = std::max(px0, 0), px1 = std::min(px1, PictureV.Width - 1);
        if (px0 > px1 || !Change.Widen(QRect(px0, py, px1 - px0 + 1, 1))) return;
        uint8_t* row = Target->ScanLine(py);
        if (Open && !grain && !Replace && Target->BitsPerPixel == 8) {
            std::memset(row + px0, int(value & 0xFF), size_t(px1 - px0 + 1));
            Mark(px0, px1, py);
            return;
        }
        const uint8_t* cells = grain ? grain->data() + size_t(py & (kGrainSide - 1)) * kGrainSide : nullptr;
        int first = px1 + 1, last = px0 - 1;
        for (int x = px0; x <= px1; ++x) {
            if (cells && !cells[x & (kGrainSide - 1)]) continue;
            if (!Open && !Writable(QPoint(x, py))) continue;
            Write(row, x, value);
            first = std::min(first, x), last = x;
        }
        if (first <= last) Mark(first, last, py);
    });
}
