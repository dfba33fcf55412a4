#include "tools/Drawtool.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "shell/Units.h"
#include "tools/Drawpaint.h"
#include "tools/Penobject.h"

#include <QtGlobal>
#include <algorithm>

TDrawTool::~TDrawTool() {
    if (OnGone) OnGone();
}

int TDrawTool::PenSize(const TToolContext& context) const {
    // Shapes take the pen's own size: a tablet's pressure has no say in them.
    return context.Pen ? context.Pen->EffectiveSize() : 1;
}

const TFootprint& TDrawTool::Pen(const TToolContext& context) const {
    return context.Pen ? context.Pen->Footprint(PenSize(context)) : DotFootprint();
}

QPoint TDrawTool::Bound(const TToolContext& context, QPoint pointer) const {
    const int type = SettingsV.Type;
    if (!LocksV.Any() || type == DrawRect || type == DrawCurve || type == DrawOutline) return pointer;
    // On the endless repeat every point lies on the design: nothing to keep inside.
    const QRect inside = context.Document && !context.Repeat.On() ? context.Document->Bounds() : QRect();
    return LockedEnd(Points[0], pointer, LocksV, inside.isEmpty() ? nullptr : &inside);
}

TDrawShape TDrawTool::ShapeAt(const TToolContext& context, QPoint pointer) const {
    const QPoint a = Points[0];
    const bool fill = SettingsV.Fill;
    switch (SettingsV.Type) {
    case DrawSquare:
        if (LocksV.Length) { // the typed side around the centre
            const int side = int(LocksV.Pixels);
            return BoxShape(QRect(a - QPoint(side / 2, side / 2), QSize(side + 1, side + 1)), fill);
        }
        return BoxShape(SquareBox(a, Bound(context, pointer)), fill);
    case DrawRect:
        return BoxShape(BoxOf(a, pointer), fill);
    case DrawCircle: {
        const int d = LocksV.Length ? int(LocksV.Pixels) : CircleDiameter(a, pointer);
        return d > 0 ? EllipseShape(CircleBox(a, d), fill, PenSize(context)) : TDrawShape{};
    }
    case DrawEllipse:
        return EllipseShape(BoxOf(a, Bound(context, pointer)), fill, PenSize(context));
    case DrawCurve:
        if (ClicksV == 2) return TDrawShape{{CurvePath(a, Points[1], pointer, PenSize(context))}, {}, false};
        return TDrawShape{{QPolygon({a, pointer})}, {}, false};
    default:
        return TDrawShape{{QPolygon({a, Bound(context, pointer)})}, {}, false};
    }
}

bool TDrawTool::Paint(TToolContext& context, const TDrawShape& shape) {
    TDocument& doc = *context.Document;
    const TFootprint& pen = Pen(context);
    const QRect rect = PictureRectOf(context.Repeat, ShapeBounds(shape, pen), doc.Bounds());
    if (rect.isEmpty()) return false;
    TChange change(doc, rect);
    TDrawPainter painter(change, context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette()), context.Repeat,
                         pen);
    // The dot and gap are what the line shows: a stamp reaches beyond its point on
    // the line, so a wide pen stamps fewer points of a dot and skips more of a gap.
    const TLineStyle& style = SettingsV.Style();
    const int reach = PenSize(context) - 1;
    Dash.Dotted = style.Dotted, Dash.Dot = std::max(1, style.Dot - reach), Dash.Gap = style.Gap + reach;
    painter.Draw(shape, Dash);
    change.Touch(painter.Touched());
    change.Commit();
    return true;
}

void TDrawTool::Outline(TToolContext& context, QPoint at) {
    TDocument& doc = *context.Document;
    const QPoint seed = context.Repeat.On() ? context.Repeat.Wrap(at) : at;
    if (!doc.Bounds().contains(seed)) return;
    std::vector<QPoint> border;
    QRect area;
    if (!AreaBorder(doc.Picture(), seed, border, area)) {
        ReportError(ErrorCode::OutOfMemory);
        return;
    }
    if (border.empty()) return; // the whole picture is the one area
    const TFootprint& pen = Pen(context);
    TChange change(doc, PictureRectOf(context.Repeat, StampBounds(area, pen), doc.Bounds()));
    TDrawPainter painter(change, context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette()), context.Repeat,
                         pen);
    for (const QPoint& p : border)
        painter.Stamp(p.x(), p.y());
    change.Touch(painter.Touched());
    change.Commit();
}

void TDrawTool::Measure(const TToolContext& context, const TDrawMeasure& inDots) {
    if (!OnMeasure || !context.Document) return;
    TDrawMeasure m = inDots;
    m.Length = DotsToLength(m.Length, context.Unit, context.Document->Paper().dpi);
    m.Unit = context.Unit;
    OnMeasure(m);
}

void TDrawTool::Preview(TToolContext& context, std::vector<QPolygon> lines) {
    if (!context.View || (lines.empty() && !Showing)) return;
    Showing = !lines.empty();
    context.View->ShowShape(lines);
}

void TDrawTool::Reset(TToolContext& context) {
    ClicksV = 0;
    Preview(context, {});
}

void TDrawTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (p.Button == ButtonRight) return Reset(context);
    if (p.Button != ButtonLeft || p.Shift || p.Ctrl || !context.Document) return;
    if (context.Document != Doc) { // the points clicked so far were on another design
        Reset(context);
        HasFirst = false;
        Doc = context.Document;
    }
    const QPoint at(p.X, p.Y);
    const int type = SettingsV.Type;
    if (type == DrawOutline) return Outline(context, at);
    if (ClicksV == 0) {
        Points[0] = First = at;
        HasFirst = true;
        ClicksV = 1;
        Dash.Phase = 0;
        return;
    }
    if (type == DrawCurve && ClicksV == 1) {
        Points[1] = at;
        ClicksV = 2;
        return;
    }
    Preview(context, {});
    Paint(context, ShapeAt(context, at));
    ClicksV = 0;
    if (type == DrawLine) {
        const QPoint end = Bound(context, at);
        const TLineMeasure m = MeasureLine(Points[0], end, PenSize(context));
        Measure(context, TDrawMeasure{true, m.Degrees, m.Length});
        if (SettingsV.LineChain) Points[0] = end, ClicksV = 1;
    } else if (type == DrawCurve) {
        if (SettingsV.CurveChain) ClicksV = 1; // the next curve starts where this one did
    } else if (type == DrawCircle) {
        Measure(context, TDrawMeasure{false, 0,
                                      LocksV.Length ? double(int(LocksV.Pixels))
                                                    : double(CircleDiameter(Points[0], at))});
    }
}

void TDrawTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (ClicksV == 0 || context.Document != Doc) return;
    Preview(context, ShapeAt(context, QPoint(p.X, p.Y)).Lines);
}

bool TDrawTool::KeyPress(TToolContext& context, int key, int) {
    if (key != Qt::Key_Escape || ClicksV == 0) return false;
    Reset(context);
    return true;
}

void TDrawTool::Finish(TToolContext& context) {
    Reset(context);
}

void TDrawTool::Cancel(TToolContext& context) {
    Reset(context);
}

void TDrawTool::SetSettings(TToolContext& context, const TDrawSettings& settings) {
    const TDrawSettings old = SettingsV;
    SettingsV = settings;
    if (settings.Type == old.Type) {
        if (settings.Style().Dotted && !old.Style().Dotted) Dash.Phase = 0;
        return;
    }
    LocksV = {};
    const bool chainOpen = ClicksV == 1 && ((old.Type == DrawLine && old.LineChain) ||
                                            (old.Type == DrawCurve && old.CurveChain));
    if (chainOpen && (settings.Type == DrawLine || settings.Type == DrawCurve)) {
        Preview(context, {}); // the chain's last point starts the other function
        return;
    }
    Reset(context);
}

void TDrawTool::LockAngle(std::optional<double> degrees) {
    LocksV.Angle = degrees.has_value();
    LocksV.Degrees = degrees ? LockDegrees(*degrees) : 0;
}

bool TDrawTool::LockLength(TToolContext& context, std::optional<double> length) {
    LocksV.Length = false;
    if (length && context.Document) {
        const TDocument& doc = *context.Document;
        const double pixels = LengthToDots(*length, context.Unit, doc.Paper().dpi);
        LocksV.Length = LockPixels(pixels, PenSize(context), doc.Bounds().size(), LocksV.Pixels);
    }
    if (SettingsV.Type != DrawLine) {
        Reset(context);
        HasFirst = false;
    }
    return LocksV.Length;
}

void TDrawTool::FirstPoint(TToolContext& context) {
    if (!HasFirst || !context.Document || context.Document != Doc) return;
    const int type = SettingsV.Type;
    if (type == DrawCircle || type == DrawEllipse || (type == DrawLine && ClicksV == 0)) {
        Points[0] = First; // the dash goes on from where it was
        ClicksV = 1;
        return;
    }
    if (type != DrawLine || Points[0] == First) return;
    // Closes the open chain: a line from its last point back to its first.
    Preview(context, {});
    Paint(context, TDrawShape{{QPolygon({Points[0], First})}, {}, false});
    const TLineMeasure m = MeasureLine(Points[0], First, PenSize(context));
    Measure(context, TDrawMeasure{true, m.Degrees, m.Length});
    Points[0] = First;
    if (!SettingsV.LineChain) ClicksV = 0;
}
