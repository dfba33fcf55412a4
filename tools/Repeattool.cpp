#include "tools/Repeattool.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"

namespace {
uint32_t Reported(uint32_t code) {
    if (code && code != ErrorCode::Cancelled) ReportError(code); // a stop is the user's own
    return code;
}
} // namespace

TRepeatTool::~TRepeatTool() {
    if (OnGone) OnGone();
}

void TRepeatTool::Start(const TRepeatState& state) {
    StateV = state;
    StateV.Clamp();
}

void TRepeatTool::SetState(const TRepeatState& state) {
    const TRepeatMatch match = StateV.Match;
    StateV = state;
    StateV.Match = match;
    StateV.Clamp();
}

QRect TRepeatTool::Area(QSize canvas) const {
    const TRepeatSettings s = StateV.Current();
    if (!s.SizeLimit) return QRect(QPoint(0, 0), canvas);
    return ApplyRect(s, canvas, Mouse.x() < 0 ? s.Tile.topLeft() : Mouse);
}

void TRepeatTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (!context.Document) return;
    Mouse = QPoint(p.X, p.Y);
    if (!context.View) return;
    const bool show = StateV.Settings.SizeLimit && StateV.Settings.Function <= RepeatHalfDropHor;
    context.View->ShowRubberBand(show ? Area(context.Document->Bounds().size()) : QRect());
    ShowPreview(context);
}

void TRepeatTool::ShowPreview(TToolContext& context) {
    if (!context.View) return;
    QImage shown;
    QRect area;
    if (context.Document && StateV.Settings.Function <= RepeatHalfDropHor) {
        area = Area(context.Document->Bounds().size());
        // Only the part in view is built: a whole A0 design would be too slow per move.
        const QRect visible = context.View->Visible();
        if (!visible.isEmpty()) area &= visible;
        TRepeatSettings s = StateV.Current();
        s.Rule = TSuperimposeRule{context.Super, context.Overlap};
        shown = RepeatPreview(*context.Document, s, area);
    }
    if (shown.isNull() && !Previewing) return;
    Previewing = !shown.isNull();
    context.View->ShowFloating(shown, area.topLeft());
}

void TRepeatTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || p.Button != ButtonLeft) return;
    if (StateV.Settings.Function > RepeatHalfDropHor) return; // the matches act from the window
    Mouse = QPoint(p.X, p.Y);
    Apply(context, Area(context.Document->Bounds().size()));
}

void TRepeatTool::Finish(TToolContext& context) {
    if (!context.View) return;
    context.View->ShowRubberBand(QRect());
    if (Previewing) context.View->ShowFloating(QImage(), QPoint());
    Previewing = false;
}

void TRepeatTool::Cancel(TToolContext& context) {
    Finish(context);
}

uint32_t TRepeatTool::Apply(TToolContext& context, const QRect& area) {
    if (!context.Document) return 0;
    TRepeatSettings s = StateV.Current();
    if (s.Function > RepeatHalfDropHor) return 0;
    s.Rule = TSuperimposeRule{context.Super, context.Overlap};
    const auto job = [&](const TProgressFn& progress) {
        return ApplyRepeat(*context.Document, s, area, progress);
    };
    const uint32_t code = Reported(LongRun ? LongRun(job) : job({}));
    ShowPreview(context);
    return code;
}

uint32_t TRepeatTool::Match(TToolContext& context, int function) {
    if (!context.Document) return 0;
    if (function < RepeatMatchNormal || function > RepeatMatchHor) return Reported(ErrorCode::EmptyPiece);
    TRepeatState state = StateV;
    state.Settings.Function = function;
    const TRepeatSettings s = state.Current();
    if (const uint32_t code = Reported(MatchTile(*context.Document, s, false))) return code;
    ShowPreview(context); // the rolled tile repeats now
    TRepeatMatch& m = StateV.Match;
    const bool same = m.Count > 0 && m.Function == function && m.Drop == s.Drop && m.Tile == s.Tile;
    m = TRepeatMatch{function, s.Drop, s.Tile, same ? m.Count + 1 : 1};
    return 0;
}

uint32_t TRepeatTool::Recover(TToolContext& context) {
    TRepeatMatch& m = StateV.Match;
    if (!context.Document || m.Count <= 0) return 0;
    TRepeatSettings s = StateV.Settings;
    s.Function = m.Function;
    s.Drop = m.Drop;
    s.Tile = m.Tile;
    if (const uint32_t code = Reported(MatchTile(*context.Document, s, true))) return code;
    --m.Count;
    ShowPreview(context);
    return 0;
}
