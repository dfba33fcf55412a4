// The document window's input: the pointer (mouse and tablet) handed to the tool
// dispatch as picture points, keys, and the wheel's scrolling and zooming.
#include "shell/Mainimage_f.h"

#include "raster/Tptextileimage_f.h"
#include "tools/Tooldispatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabletEvent>
#include <QWheelEvent>
#include <algorithm>

void TMainImageForm::ProcessPendingMove() {
    if (!PendingMove) return;
    PendingMove = false;
    const QPoint at = Repeat().Wrap(Pending.X, Pending.Y); // the picture point, also on another tile
    PointerX = at.x();
    PointerY = at.y();
    if (Dispatch) Dispatch->MouseMove(*Doc, this, Pending);
    emit StatusChanged();
}

bool TMainImageForm::KeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape && Doc->HasSelection()) { // drops a selection, a pasted one too
        Doc->ClearSelection();
        return true;
    }
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
        ZoomInClick();
        return true;
    }
    if (key == Qt::Key_Minus) {
        ZoomOutClick();
        return true;
    }
    const TImageView& view = iMainImage->View();
    const int parts = (modifiers & Qt::ControlModifier) ? 1 : 8;
    const int stepX = std::max(1, view.ViewW() / parts), stepY = std::max(1, view.ViewH() / parts);
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -stepX;
        break;
    case Qt::Key_Right:
        dx = stepX;
        break;
    case Qt::Key_Up:
        dy = -stepY;
        break;
    case Qt::Key_Down:
        dy = stepY;
        break;
    default:
        return false;
    }
    ScrollBy(dx, dy);
    return true;
}

bool TMainImageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == iMainImage && event->type() == QEvent::Wheel) {
        Wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    const QEvent::Type type = event->type();
    if (watched == iMainImage &&
        (type == QEvent::TabletPress || type == QEvent::TabletMove || type == QEvent::TabletRelease)) {
        // The pen's pressure rides on the mouse event Qt makes of the tablet event
        // (left unaccepted for that); a release ends it.
        Pressure = static_cast<QTabletEvent*>(event)->pressure();
        event->ignore();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainImageForm::Wheel(QWheelEvent* event) {
    QPoint delta = event->angleDelta(); // 120 a notch
    if (event->modifiers() & Qt::ControlModifier) {
        WheelZoom += delta.y();
        if (std::abs(WheelZoom) < 120) return;
        const TZoom now{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()};
        ApplyZoom(WheelZoom > 0 ? ZoomIn(now) : ZoomOut(now), event->position().toPoint());
        WheelZoom = 0;
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) delta = delta.transposed();
    // A notch scrolls an eighth of the view, as an arrow key does.
    const TImageView& view = iMainImage->View();
    ScrollBy(-delta.x() * std::max(1, view.ViewW() / 8) / 120,
             -delta.y() * std::max(1, view.ViewH() / 8) / 120);
}

void TMainImageForm::ScrollBy(int dx, int dy) {
    iMainImage->SetPosition(iMainImage->PositionX() + dx, iMainImage->PositionY() + dy);
    SyncScrollBars();
    emit StatusChanged();
}

namespace {
int PointerButton(Qt::MouseButton b) {
    return b == Qt::LeftButton     ? ButtonLeft
           : b == Qt::RightButton  ? ButtonRight
           : b == Qt::MiddleButton ? ButtonMiddle
                                   : ButtonNone;
}

TToolPointer MakePointer(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                         int x, int y, double pressure) {
    TToolPointer p;
    p.Pressure = pressure;
    p.X = std::clamp(x, -kPlaneLimit, kPlaneLimit);
    p.Y = std::clamp(y, -kPlaneLimit, kPlaneLimit);
    p.Button = PointerButton(button);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (buttons & b) p.Buttons |= PointerButton(b);
    p.Shift = modifiers & Qt::ShiftModifier;
    p.Ctrl = modifiers & Qt::ControlModifier;
    p.Alt = modifiers & Qt::AltModifier;
    return p;
}
} // namespace

void TMainImageForm::ImageMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons,
                                    Qt::KeyboardModifiers modifiers, int x, int y) {
    if (!Reaches(x, y)) return;
    ProcessPendingMove();
    const TToolPointer p = MakePointer(button, buttons, modifiers, x, y, Pressure);
    if (p.Button == ButtonLeft && p.Ctrl && !(Dispatch && Dispatch->Modal()))
        iMainImage->setCursor(Qt::ClosedHandCursor); // panning
    if (Dispatch) Dispatch->MouseDown(*Doc, this, p);
}

void TMainImageForm::ImageMouseMove(Qt::MouseButton button, Qt::MouseButtons buttons,
                                    Qt::KeyboardModifiers modifiers, int x, int y) {
    // Only the last position counts; the main window's 50 ms timer processes it.
    PendingMove = true;
    Pending = MakePointer(button, buttons, modifiers, x, y, Pressure);
}

void TMainImageForm::ImageMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons,
                                  Qt::KeyboardModifiers modifiers, int x, int y) {
    iMainImage->setCursor(Qt::CrossCursor);
    if (Dispatch) Dispatch->MouseUp(*Doc, this, MakePointer(button, buttons, modifiers, x, y, Pressure));
    Pressure = 1.0; // the pen is lifted; a mouse presses fully
}
