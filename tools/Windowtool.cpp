#include "tools/Windowtool.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Windowoutline.h"

#include <QPainterPath>

namespace {

int CombineMode(int combine) {
    return combine == CombineAdd ? L_RGN_OR : combine == CombineSubtract ? L_RGN_ANDNOTRGN : L_RGN_SET;
}

uint32_t Reported(uint32_t code) {
    if (code) ReportError(code);
    return code;
}

// A small square around a clicked point, so that points show as well as lines.
QPolygon Marker(QPoint p) {
    return QPolygon(
        {p + QPoint(-2, -2), p + QPoint(2, -2), p + QPoint(2, 2), p + QPoint(-2, 2), p + QPoint(-2, -2)});
}

} // namespace

TWindowTool::~TWindowTool() {
    if (OnGone) OnGone();
}

QPoint TWindowTool::InPicture(const TToolContext& context, QPoint at, bool first) {
    if (first) Shift = context.Repeat.On() ? at - context.Repeat.Wrap(at) : QPoint();
    return at - Shift;
}

uint32_t TWindowTool::Combine(TToolContext& context, const QRegion& piece) {
    TDocument& doc = *context.Document;
    const QRegion inside = piece.intersected(doc.Bounds());
    if (inside.isEmpty()) return Reported(ErrorCode::EmptyPiece);
    return Reported(doc.CombineSelection(inside, CombineMode(SettingsV.Combine)));
}

uint32_t TWindowTool::Outline(TToolContext& context, QPoint seed) {
    TDocument& doc = *context.Document;
    if (!doc.Bounds().contains(seed)) return 0;
    const bool indexed = doc.BitsPerPixel() == 8;
    TOutlineRule rule;
    rule.Kind = SettingsV.Outline;
    rule.Border = context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette());
    rule.Method = SettingsV.Method;
    rule.Tolerance = SettingsV.Tolerance;
    if (rule.Kind == OutlineMulti && indexed) {
        if (SettingsV.Colours.Count() == 0) return Reported(ErrorCode::EmptyColourSet);
        for (int k = 0; k < SettingsV.Colours.Count(); ++k)
            rule.Members[size_t(SettingsV.Colours.IndexAt(k) & 255)] = true;
    }
    if (rule.Kind == OutlineMulti && !indexed) {
        Magic = seed;
        if (OnPosition) OnPosition(seed);
    }
    QRegion piece;
    if (const uint32_t code = OutlineRegion(doc.Picture(), seed, rule, piece)) return Reported(code);
    return Combine(context, piece);
}

void TWindowTool::ShowPoints(TToolContext& context, std::optional<QPoint> pointer) {
    if (!context.View) return;
    std::vector<TPolyPoint> shown = PointsV;
    for (TPolyPoint& p : shown) // back where they were clicked
        p.At += Shift, p.Control += Shift;
    std::vector<QPolygon> lines;
    if (!shown.empty()) {
        if (pointer) shown.push_back(TPolyPoint{*pointer, false, *pointer});
        lines.push_back(PolygonLine(shown, false));
        for (size_t i = 0; i < PointsV.size(); ++i)
            lines.push_back(Marker(shown[i].At));
    }
    context.View->ShowShape(lines);
}

void TWindowTool::Reset(TToolContext& context) {
    if (Dragging && context.View) {
        context.View->ShowRubberBand(QRect());
        context.View->ShowShape({});
    }
    Dragging = Pressing = false;
    if (!PointsV.empty()) {
        PointsV.clear();
        ShowPoints(context, std::nullopt);
    }
}

void TWindowTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (p.Button == ButtonRight) return Reset(context);
    if (p.Button != ButtonLeft || p.Shift || p.Ctrl || !context.Document) return;
    if (context.Document != Doc) { // points clicked so far were on another design
        Reset(context);
        Magic.reset();
        Doc = context.Document;
    }
    const QPoint at(p.X, p.Y);
    switch (SettingsV.Mode) {
    case WindowShape:
        InPicture(context, at, true);
        Dragging = true;
        DragStart = DragEnd = at;
        MouseMove(context, p);
        return;
    case WindowIrregular:
        PointsV.push_back(TPolyPoint{InPicture(context, at, PointsV.empty()), SettingsV.Curve, {}});
        PointsV.back().Control = PointsV.back().At;
        Pressing = SettingsV.Curve;
        ShowPoints(context, std::nullopt);
        return;
    default:
        break;
    }
    const TDocument& doc = *context.Document;
    const QPoint seed = InPicture(context, at, true);
    if (SettingsV.Position && SettingsV.Outline == OutlineMulti && doc.BitsPerPixel() == 8) {
        if (doc.Bounds().contains(seed) && OnPicked)
            OnPicked(int(doc.Picture().GetPixel(seed.x(), seed.y())));
        return;
    }
    Outline(context, seed);
}

void TWindowTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (context.Document != Doc) return;
    const QPoint at(p.X, p.Y);
    if (Dragging) {
        DragEnd = at;
        const QRect box = ShapeBox(DragStart, DragEnd, SquareShape(SettingsV.Shape));
        if (OnSize) OnSize(box.size());
        if (!context.View) return;
        context.View->ShowRubberBand(box);
        std::vector<QPolygon> ellipse;
        if (SettingsV.Shape == ShapeEllipse || SettingsV.Shape == ShapeCircle) {
            QPainterPath path;
            path.addEllipse(QRectF(box).adjusted(0, 0, -1, -1));
            ellipse.push_back(path.toSubpathPolygons().value(0).toPolygon());
        }
        context.View->ShowShape(ellipse);
        return;
    }
    if (PointsV.empty()) return;
    if (Pressing) PointsV.back().Control = at - Shift;
    ShowPoints(context, Pressing ? std::nullopt : std::optional<QPoint>(at));
}

void TWindowTool::MouseUp(TToolContext& context, const TToolPointer& p) {
    if (p.Button != ButtonLeft || context.Document != Doc) return;
    if (Pressing) {
        Pressing = false;
        return;
    }
    if (!Dragging) return;
    DragEnd = QPoint(p.X, p.Y);
    const QRect box = ShapeBox(DragStart - Shift, DragEnd - Shift, SquareShape(SettingsV.Shape));
    Reset(context);
    Combine(context, ShapeRegion(SettingsV.Shape, box));
}

bool TWindowTool::KeyPress(TToolContext& context, int key, int) {
    if (key == Qt::Key_Escape && (Dragging || !PointsV.empty())) {
        Reset(context);
        return true;
    }
    if (SettingsV.Mode != WindowIrregular || PointsV.empty()) return false;
    if (key == Qt::Key_Backspace) return DeletePoint(context) == 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return Close(context) == 0;
    return false;
}

void TWindowTool::Finish(TToolContext& context) {
    Reset(context);
}

void TWindowTool::Cancel(TToolContext& context) {
    Reset(context);
}

void TWindowTool::SetSettings(TToolContext& context, const TWindowSettings& settings) {
    const bool modeChanged = settings.Mode != SettingsV.Mode;
    SettingsV = settings;
    if (modeChanged) Reset(context);
}

uint32_t TWindowTool::Full(TToolContext& context) {
    if (!context.Document) return 0;
    Reset(context);
    return Reported(context.Document->SetSelection(context.Document->Bounds()) ? 0 : ErrorCode::OutOfMemory);
}

uint32_t TWindowTool::Off(TToolContext& context) {
    if (!context.Document) return 0;
    Reset(context);
    context.Document->ClearSelection();
    return 0;
}

uint32_t TWindowTool::Undo(TToolContext& context) {
    if (!context.Document) return 0;
    Reset(context);
    return Reported(context.Document->UndoSelection(SettingsV.Swap) ? 0 : ErrorCode::NothingToUndo);
}

uint32_t TWindowTool::DeletePoint(TToolContext& context) {
    if (PointsV.empty()) return 0;
    PointsV.pop_back();
    Pressing = false;
    ShowPoints(context, std::nullopt);
    return 0;
}

uint32_t TWindowTool::Close(TToolContext& context) {
    if (!context.Document || context.Document != Doc) return 0;
    if (PointsV.size() < 3) return Reported(ErrorCode::FewPoints); // the points stay for more
    const QRegion piece = PolygonRegion(PointsV);
    const uint32_t code = Combine(context, piece);
    if (!code) Reset(context);
    return code;
}

uint32_t TWindowTool::Run(TToolContext& context) {
    if (!context.Document || context.Document != Doc || !Magic || SettingsV.Mode != WindowOutline) return 0;
    return Outline(context, *Magic);
}
