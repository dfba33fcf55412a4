#include "tools/Spreadtool.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Spreadfill.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

uint32_t Reported(uint32_t code) {
    ReportError(code);
    return code;
}

// The pixel values of a gradation: its colours on a full-colour design; on a
// 256-colour one the palette entries they take after the ones in use.
std::vector<uint32_t> GradeValues(TChange& change, const std::vector<TColorData>& colours) {
    std::vector<uint32_t> values;
    if (change.Picture().BitsPerPixel != 8) {
        for (const TColorData& c : colours)
            values.push_back(c.ColorRef());
        return values;
    }
    TPalette palette = change.Palette();
    const int base = palette.UseColor + 1;
    for (const TColorData& c : colours) {
        values.push_back(uint32_t(base) + uint32_t(values.size()));
        palette[int(values.back())] = c;
    }
    palette.UseColor = uint16_t(values.back());
    change.SetPalette(palette);
    return values;
}

} // namespace

TSpreadTool::~TSpreadTool() {
    if (OnGone) OnGone();
}

void TSpreadTool::SetSettings(const TSpreadSettings& settings) {
    SettingsV = settings;
    SettingsV.SetSlotCount(int(settings.Slots.size()));
}

void TSpreadTool::Reset(TToolContext& context) {
    if (StartedV && context.View) context.View->ShowShape({});
    StartedV = false;
    if (Picker.Set(context, PickNone)) Changed(); // the window's pick buttons go up
}

void TSpreadTool::SetPosition(TToolContext& context, bool on) {
    Reset(context);
    PositionV = on;
}

void TSpreadTool::SetPick(TToolContext& context, int mode) {
    if (StartedV) Reset(context);
    Picker.Set(context, mode);
}

void TSpreadTool::PickSlot(TToolContext& context, QPoint at) {
    const TDocument& doc = *context.Document;
    const QPoint p = context.Repeat.On() ? context.Repeat.Wrap(at) : at;
    if (!doc.Bounds().contains(p)) return;
    const uint32_t v = doc.Picture().GetPixel(p.x(), p.y());
    TGradeSlot& slot = SettingsV.Slots[size_t(SettingsV.Current)];
    if (doc.BitsPerPixel() == 8) {
        if (v > uint32_t(TPalette::kLastDrawing)) { // a reserved entry is no colour to spread
            ReportError(ErrorCode::NoColour);
            return;
        }
        slot.Colour = doc.Palette()[int(v)];
        slot.Colour.SetProtected(false);
    } else {
        slot.Colour.SetRGB(RedOf(v), GreenOf(v), BlueOf(v));
    }
    SettingsV.Current = std::min(SettingsV.Current + 1, int(SettingsV.Slots.size()) - 1);
    Changed();
}

void TSpreadTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document) return;
    if (context.Document != Doc) { // what was clicked so far was on another design
        Reset(context);
        Doc = context.Document;
    }
    if (p.Button == ButtonRight) return Reset(context);
    const QPoint at(p.X, p.Y);
    const bool plain = p.Button == ButtonLeft && !p.Shift && !p.Ctrl;
    if (plain && PositionV) {
        if (!StartedV) {
            Start = at;
            StartedV = true;
            return;
        }
        Reset(context);
        Spread(context, Start, at);
        return;
    }
    if (plain && Picker.Mode() != PickNone) {
        std::vector<int> colours;
        if (Picker.Click(context, at, colours)) {
            TakeColours(colours, context.Document->Palette());
            Changed(); // the pick is over
        }
        return;
    }
    const bool pick = plain || p.Button == ButtonMiddle || (p.Button == ButtonLeft && p.Shift);
    if (pick && SlotPickingV) PickSlot(context, at);
}

void TSpreadTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (context.Document != Doc) return;
    const QPoint at(p.X, p.Y);
    if (StartedV && context.View) context.View->ShowShape({QPolygon({Start, at})});
    Picker.Move(context, at);
}

bool TSpreadTool::KeyPress(TToolContext& context, int key, int) {
    if (key != Qt::Key_Escape || (!StartedV && Picker.Mode() == PickNone)) return false;
    Reset(context);
    return true;
}

void TSpreadTool::Finish(TToolContext& context) {
    Reset(context);
}

void TSpreadTool::Cancel(TToolContext& context) {
    Reset(context);
}

uint32_t TSpreadTool::Spread(TToolContext& context, QPoint from, QPoint to) {
    if (!context.Document) return 0;
    TDocument& doc = *context.Document;
    const int bits = doc.BitsPerPixel();
    std::vector<TColorData> colours;
    if (!SettingsV.Single) {
        colours = GradeColours(SettingsV.Slots);
        // Checked before anything changes: a refused spread leaves the design as it was.
        if (bits == 8 && !GradeFits(doc.Palette(), int(colours.size())))
            return Reported(ErrorCode::PaletteFull);
    }
    // The repeat display's points land in the picture; the line keeps its direction.
    const QPoint seed = context.Repeat.On() ? context.Repeat.Wrap(from) : from;
    TSpreadArea area;
    if (const uint32_t code =
            FindSpreadArea(doc.Picture(), doc.Palette(), SettingsV.Colours, seed, doc.Selection(), area))
        return Reported(code);
    if (area.Rect.isEmpty()) return 0;
    TChange change(doc, area.Rect);
    const TSpreadRun run{seed, seed + (to - from), Seed ? *Seed : QRandomGenerator::global()->generate64(),
                         OnProgress};
    const QRect written = SettingsV.Single
                              ? PaintSingle(change.Picture(), change.Guard(), area, SettingsV.SingleShape,
                                            run, context.Colour.Pixel(bits, doc.Palette()),
                                            SettingsV.WaveHeight, SettingsV.WaveFrequency)
                              : PaintGrade(change.Picture(), change.Guard(), area, SettingsV.Shape, run,
                                           GradeValues(change, colours));
    if (written.isEmpty()) return 0; // nothing written: the change, colours and all, is dropped
    change.Touch(written);
    change.Commit();
    return 0;
}
