#include "tools/Filltool.h"

#include "shell/Capture.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Fillpaint.h"
#include "tools/Floating.h"
#include "tools/Penobject.h"
#include "tools/Spreadfill.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

uint32_t Reported(uint32_t code) {
    ReportError(code);
    return code;
}

// The tiles of a pattern for a repeat type, the drop clamped to the side it shifts along.
TRepeatWrap PatternTiles(const TFloating& pattern, int type, int drop) {
    TRepeatWrap tiles{RepeatStraight, pattern.Width(), pattern.Height(), 0};
    if (type == FillRepeatDropHorizontal) tiles.Kind = RepeatDropHorizontal;
    if (type == FillRepeatDropVertical) tiles.Kind = RepeatDropVertical;
    const int along = type == FillRepeatDropHorizontal ? tiles.Width : tiles.Height;
    if (tiles.Kind != RepeatStraight) tiles.Drop = std::clamp(drop, 0, along);
    return tiles;
}

} // namespace

TFillTool::~TFillTool() {
    if (OnGone) OnGone();
}

void TFillTool::SetSettings(const TFillSettings& settings) {
    SettingsV = settings;
    SettingsV.Clamp();
}

void TFillTool::SetPick(TToolContext& context, int mode) {
    Picker.Set(context, mode);
}

void TFillTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || p.Button != ButtonLeft || p.Shift || p.Ctrl) return;
    const QPoint at(p.X, p.Y);
    if (Picker.Mode() != PickNone) {
        std::vector<int> colours;
        if (Picker.Click(context, at, colours)) {
            TakeColours(colours, context.Document->Palette());
            Changed(); // the pick is over
        }
        return;
    }
    Fill(context, at);
}

void TFillTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    Picker.Move(context, QPoint(p.X, p.Y));
}

bool TFillTool::KeyPress(TToolContext& context, int key, int) {
    if (key != Qt::Key_Escape || Picker.Mode() == PickNone) return false;
    Picker.Set(context, PickNone);
    Changed();
    return true;
}

void TFillTool::Finish(TToolContext& context) {
    Picker.Set(context, PickNone);
}

void TFillTool::Cancel(TToolContext& context) {
    if (Picker.Set(context, PickNone)) Changed();
}

uint32_t TFillTool::MakePattern(const TDocument& doc, TFloating& pattern) const {
    const TCaptureList& captures = CapturedImages();
    if (captures.Empty()) return ErrorCode::NoCaptures;
    if (SettingsV.Pattern >= captures.Count()) return ErrorCode::BadPattern; // the capture is gone
    if (SettingsV.To != FillToRotatePattern)
        return MakeFillPattern(captures.At(SettingsV.Pattern), doc.BitsPerPixel(), doc.Palette(), pattern);
    TFloating plain;
    if (const uint32_t code =
            MakeFillPattern(captures.At(SettingsV.Pattern), doc.BitsPerPixel(), doc.Palette(), plain))
        return code;
    return RotateFloating(plain, SettingsV.Degree, pattern);
}

uint32_t TFillTool::MakeMap(const TDocument& doc, const TSpreadArea& area, QPoint seed, uint32_t to,
                            TFillContent& content, TPalette& palette) const {
    const uint32_t clicked = doc.Picture().GetPixel(seed.x(), seed.y());
    std::vector<uint32_t> sources{clicked};
    if (doc.BitsPerPixel() == 8) { // only the colours the area holds take entries
        bool held[256] = {};
        for (int y = area.Rect.top(); y <= area.Rect.bottom(); ++y) {
            const uint8_t* row = doc.Picture().ScanLine(y);
            for (int x = area.Rect.left(); x <= area.Rect.right(); ++x)
                held[row[x]] = held[row[x]] || area.Mask.TestBit(x, y);
        }
        for (int i = 0; i < 256; ++i)
            if (held[i]) sources.push_back(uint32_t(i));
    } else if (SettingsV.From == FillFromMulti) {
        for (int k = 0; k < SettingsV.Colours.Count(); ++k)
            sources.push_back(palette[SettingsV.Colours.IndexAt(k)].ColorRef());
    }
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    if (doc.BitsPerPixel() != 8) {
        for (const uint32_t s : sources)
            content.FullMap.emplace_back(s, s == clicked ? to : TintColour(s, clicked, to));
        return 0;
    }
    for (int i = 0; i < 256; ++i)
        content.Map[size_t(i)] = uint32_t(i);
    const TColorRef key = palette[int(clicked)].ColorRef(), target = palette[int(to)].ColorRef();
    for (const uint32_t s : sources) {
        if (s == clicked) {
            content.Map[s] = to;
            continue;
        }
        const TColorRef tint = TintColour(palette[int(s)].ColorRef(), key, target);
        int found = 0; // an entry of that colour already there is used again
        for (int i = 1; i <= palette.UseColor && !found; ++i)
            if (palette[i].ColorRef() == tint) found = i;
        if (!found) {
            if (palette.UseColor + 1 > TPalette::kLastDrawing) return ErrorCode::PaletteFull;
            found = ++palette.UseColor;
            palette[found] = TColorData();
            palette[found].SetRGB(RedOf(tint), GreenOf(tint), BlueOf(tint));
        }
        content.Map[s] = uint32_t(found);
    }
    return 0;
}

uint32_t TFillTool::Fill(TToolContext& context, QPoint at) {
    if (!context.Document || SettingsV.To == FillToNone) return 0;
    TDocument& doc = *context.Document;
    const QPoint seed = context.Repeat.On() ? context.Repeat.Wrap(at) : at;
    if (!doc.Bounds().contains(seed)) return 0;
    const bool mask = context.Pen && context.Pen->Settings.Kind == PenMask;
    const int bits = doc.BitsPerPixel();
    // Everything that can fail is settled before the design changes.
    const TChoiceColor none;
    const TChoiceColor& from = SettingsV.From == FillFromMulti ? SettingsV.Colours : none;
    TSpreadArea area;
    if (const uint32_t code =
            FindListedArea(doc.Picture(), doc.Palette(), from, seed, doc.Selection(), area, true))
        return Reported(code);
    TFillContent content;
    content.To = mask ? int(FillToSingle) : SettingsV.To;
    TFloating pattern;
    TPalette palette = doc.Palette();
    if (mask) {
        content.Value = context.Pen->Settings.MaskDelete ? 0 : 255;
    } else if (SettingsV.To == FillToSingle) {
        content.Value = context.Colour.Pixel(bits, doc.Palette());
    } else if (SettingsV.To == FillToMulti) {
        const uint32_t to = context.Colour.Pixel(bits, doc.Palette());
        if (const uint32_t code = MakeMap(doc, area, seed, to, content, palette)) return Reported(code);
    } else {
        if (const uint32_t code = MakePattern(doc, pattern)) return Reported(code);
        content.Pattern = &pattern;
        content.Tiles = PatternTiles(pattern, SettingsV.Repeat, SettingsV.Drop);
        content.Origin = seed;
    }
    const uint64_t seedOfSpray = Seed ? *Seed : QRandomGenerator::global()->generate64();
    TSpreadArea sprayed; // the mask is set over the whole area, air or not
    const bool air = SettingsV.Air && !mask;
    if (air && !SprayArea(area, SettingsV.Density, SettingsV.Nozzle, seedOfSpray, sprayed))
        return Reported(ErrorCode::OutOfMemory);
    const TSpreadArea& paint = air ? sprayed : area;
    if (paint.Rect.isEmpty()) return 0;
    TChange change(doc, paint.Rect, mask ? int(UndoMask) : UndoPicture | UndoRegion);
    QRect written;
    if (mask) {
        TOrvaneBitmap* plane = change.Mask();
        if (!plane) return Reported(ErrorCode::OutOfMemory);
        written = PaintFill(*plane, TWriteGuard(), paint, content, OnProgress);
    } else {
        if (palette.UseColor != doc.Palette().UseColor) change.SetPalette(palette);
        written = PaintFill(change.Picture(), change.Guard(), paint, content, OnProgress);
    }
    if (written.isEmpty()) return 0; // nothing written: the change, colours and all, is dropped
    change.Touch(written);
    change.Commit();
    return 0;
}
