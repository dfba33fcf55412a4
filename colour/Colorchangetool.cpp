#include "colour/Colorchangetool.h"

#include "colour/Colorset.h"
#include "platform/Inifile.h"
#include "shell/Tdocument.h"
#include "tools/Pentool.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("ColorChange");
const QString kMultiSection = QStringLiteral("ColorSelector(Multi)");
const QString kHlsSection = QStringLiteral("ColorSelector(HLS)");
} // namespace

void TColorChangeSettings::Clamp() {
    Page = std::clamp(Page, int(ChangeByWindow), int(ChangeHls));
    WindowMode = std::clamp(WindowMode, int(ChangeSwap), int(ChangeMulti));
    PenMode = std::clamp(PenMode, int(ChangeSingle), int(ChangeMulti));
    Show(Page);
}

void TColorChangeSettings::Show(int page) {
    Page = page;
    if ((page == ChangeHls) != ColoursAreHls) {
        std::swap(Colours, Other);
        ColoursAreHls = page == ChangeHls;
    }
}

TColorChangeSettings ReadColorChangeSettings(const TIniFile& ini) {
    TColorChangeSettings s;
    s.Page = ini.ReadInteger(kSection, QStringLiteral("Page"), s.Page);
    s.WindowMode = ini.ReadInteger(kSection, QStringLiteral("WindowMode"), s.WindowMode);
    s.PenMode = ini.ReadInteger(kSection, QStringLiteral("PenMode"), s.PenMode);
    LoadColorSet(ini, kMultiSection, s.Colours);
    LoadColorSet(ini, kHlsSection, s.Other);
    s.Clamp();
    return s;
}

void WriteColorChangeSettings(TIniFile& ini, const TColorChangeSettings& s) {
    ini.WriteInteger(kSection, QStringLiteral("Page"), s.Page);
    ini.WriteInteger(kSection, QStringLiteral("WindowMode"), s.WindowMode);
    ini.WriteInteger(kSection, QStringLiteral("PenMode"), s.PenMode);
    ReplaceColorSet(ini, kMultiSection, s.MultiSet());
    ReplaceColorSet(ini, kHlsSection, s.HlsSet());
}

TColorChangeTool::TColorChangeTool(TOrvaneRandom* random) : Pen(std::make_unique<TPenTool>(random)) {
    Replace.fill(-1);
    Pen->SetReplace(&Replace);
}

TColorChangeTool::~TColorChangeTool() = default;

bool TColorChangeTool::PenActive() const {
    return SettingsV.Page == ChangeByPen && DrawOn &&
           std::any_of(Replace.begin(), Replace.end(), [](int16_t to) { return to >= 0; });
}

void TColorChangeTool::UpdateReplace() {
    Replace.fill(-1);
    if (SettingsV.PenMode == ChangeSingle) {
        if (SourceV != TargetV) Replace[size_t(SourceV)] = int16_t(TargetV);
        return;
    }
    const TChoiceColor& set = SettingsV.MultiSet();
    for (int k = 0; k < set.Count(); ++k)
        if (set.IndexAt(k) != TargetV) Replace[size_t(set.IndexAt(k))] = int16_t(TargetV);
}

void TColorChangeTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || Pick() != PickNone) return TSetPickTool::MouseDown(context, p);
    if (p.Ctrl || (p.Button != ButtonLeft && p.Button != ButtonMiddle)) return;
    TDocument& doc = *context.Document;
    if (PenActive() && p.Button == ButtonLeft && !p.Shift && doc.BitsPerPixel() == 8) {
        UpdateReplace(); // the multi set may have changed since the target was chosen
        Stroking = true;
        return Pen->MouseDown(context, p);
    }
    const QPoint at = context.Repeat.Wrap(p.X, p.Y);
    if (!doc.Bounds().contains(at)) return;
    const uint32_t value = doc.Picture().GetPixel(at.x(), at.y());
    if (doc.BitsPerPixel() == 8) {
        Choose(context, int(value));
    } else {
        SourceRgb = value & 0xFFFFFF;
        Changed();
    }
}

void TColorChangeTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (Stroking) return Pen->MouseMove(context, p);
    TSetPickTool::MouseMove(context, p);
}

void TColorChangeTool::MouseUp(TToolContext& context, const TToolPointer& p) {
    if (!Stroking) return;
    Stroking = false;
    Pen->MouseUp(context, p);
}

void TColorChangeTool::ColourChanged(TToolContext& context) {
    if (!context.Document) return;
    const TDocument& doc = *context.Document;
    if (doc.BitsPerPixel() == 8) return Choose(context, context.Colour.Index);
    SourceRgb = context.Colour.Pixel(24, doc.Palette());
    Changed();
}

void TColorChangeTool::PaletteHover(TToolContext&, int index) {
    Preview.Preview(index);
}

void TColorChangeTool::Drop(TToolContext& context) {
    Preview.Cancel();
    Hls.Keep();
    if (Stroking) Pen->Finish(context);
    Stroking = false;
    TargetOn = false;
}

void TColorChangeTool::Finish(TToolContext& context) {
    Drop(context);
    TSetPickTool::Finish(context);
}

void TColorChangeTool::Cancel(TToolContext& context) {
    Drop(context);
    TSetPickTool::Cancel(context);
    Changed();
}

void TColorChangeTool::Choose(TToolContext& context, int index) {
    if (!context.Document || context.Document->BitsPerPixel() != 8) return;
    TDocument& doc = *context.Document;
    index = std::clamp(index, 0, 255);
    const TColorChangeSettings& s = SettingsV;
    if (s.Page == ChangeHls) {
        if (!Hls.Running()) TakeColours({index}, doc.Palette());
        return;
    }
    const int mode = s.Page == ChangeByPen ? s.PenMode : s.WindowMode;
    if (!TargetOn) {
        if (mode == ChangeMulti) return TakeColours({index}, doc.Palette());
        SourceV = index;
        if (s.Page == ChangeByWindow && mode == ChangeSingle && index != kPreviewIndex) {
            TIndexSet sources{};
            sources[size_t(index)] = true;
            if (Preview.Begin(doc, sources, index)) return Changed();
        }
        TargetOn = true;
        return Changed();
    }
    TargetV = index;
    TargetOn = false;
    if (s.Page == ChangeByPen) {
        DrawOn = true;
        UpdateReplace();
    } else if (mode == ChangeSwap) {
        SwapColours(doc, SourceV, TargetV);
    } else {
        Preview.Commit(TargetV);
    }
    Changed();
}

void TColorChangeTool::SetPage(TToolContext& context, int page) {
    Drop(context);
    SettingsV.Show(std::clamp(page, int(ChangeByWindow), int(ChangeHls)));
    Changed();
}

void TColorChangeTool::SetMode(TToolContext& context, int mode) {
    Drop(context);
    if (SettingsV.Page == ChangeByPen)
        SettingsV.PenMode = std::clamp(mode, int(ChangeSingle), int(ChangeMulti));
    else
        SettingsV.WindowMode = std::clamp(mode, int(ChangeSwap), int(ChangeMulti));
    UpdateReplace();
    Changed();
}

void TColorChangeTool::CheckSource(TToolContext&) {
    Preview.Cancel();
    TargetOn = false;
    Changed();
}

uint32_t TColorChangeTool::CheckTarget(TToolContext& context) {
    const TColorChangeSettings& s = SettingsV;
    const int mode = s.Page == ChangeByPen ? s.PenMode : s.WindowMode;
    uint32_t code = 0;
    if (mode == ChangeMulti && s.Page == ChangeByWindow) {
        const TChoiceColor& set = s.MultiSet();
        if (!context.Document || set.Count() == 0) return 0; // nothing to change yet
        TIndexSet sources = IndexSetOf(set);
        sources[kPreviewIndex] = false;
        code = Preview.Begin(*context.Document, sources, set.IndexAt(0));
    }
    TargetOn = code == 0;
    Changed();
    return code;
}

void TColorChangeTool::SetDraw(bool on) {
    DrawOn = on;
    UpdateReplace();
}

uint32_t TColorChangeTool::HlsNext(TToolContext& context) {
    if (!context.Document) return 0;
    return Hls.Next(*context.Document, SettingsV.HlsSet());
}

uint32_t TColorChangeTool::ShiftFullColour(TToolContext& context, uint32_t target) {
    if (!context.Document) return 0;
    return ShiftRgb(*context.Document, SourceRgb, target);
}
