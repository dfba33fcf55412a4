#include "colour/Colorsquares_f.h"

#include "colour/Colorref.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

TColorSquares::TColorSquares(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(200, 100);
    Grid.SetSize(width(), height());
}

void TColorSquares::SetColors(const std::vector<TColorRef>& colors, const QStringList& names) {
    Grid.SetColorCount(int(colors.size()));
    for (size_t k = 0; k < colors.size(); ++k)
        Grid.ReDrawCell(int(k), colors[k]);
    Names = names;
    update();
}

void TColorSquares::SetSelected(int k) {
    Grid.Selected = k >= 0 && k < Grid.ColorCount() ? k : -1;
    update();
}

QPoint TColorSquares::CellCentre(int k) const {
    return Grid.CalculatePosition(k - Grid.Pos()) + QPoint(Grid.CellWidth() / 2, Grid.CellHeight() / 2);
}

void TColorSquares::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(Grid.BackColor));
    QFont small = font();
    small.setPixelSize(std::clamp(Grid.CellHeight() / 3, 7, 11));
    p.setFont(small);
    for (int k = Grid.Pos(); k < Grid.ColorCount(); ++k) {
        const QRect cell(Grid.CalculatePosition(k - Grid.Pos()), QSize(Grid.CellWidth(), Grid.CellHeight()));
        if (cell.top() > height()) break;
        const QColor colour = ToQColor(Grid.ColorAt(k));
        const int frame = k == Grid.Selected ? 3 : 1;
        p.fillRect(cell, k == Grid.Selected ? Qt::black : Qt::darkGray);
        p.fillRect(cell.adjusted(frame, frame, -frame, -frame), colour);
        if (k < Names.size()) {
            p.setPen(colour.lightness() > 128 ? Qt::black : Qt::white);
            p.drawText(cell.adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWordWrap, Names[k]);
        }
    }
}

void TColorSquares::resizeEvent(QResizeEvent*) {
    Grid.SetSize(width(), height());
}

void TColorSquares::mousePressEvent(QMouseEvent* event) {
    Pressed = Grid.GetColorIndex(event->position().toPoint().x(), event->position().toPoint().y());
    PressAt = event->position().toPoint();
    if (Pressed < 0) return;
    SetSelected(Pressed);
    emit Clicked(Pressed);
}

void TColorSquares::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        emit Hovered(Grid.GetColorIndex(at.x(), at.y()));
        return;
    }
    if (Pressed < 0 || !DragData || (at - PressAt).manhattanLength() < QApplication::startDragDistance())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(DragData(Pressed));
    Pressed = -1;
    drag->exec(Qt::CopyAction);
}

void TColorSquares::mouseDoubleClickEvent(QMouseEvent* event) {
    const int k = Grid.GetColorIndex(event->position().toPoint().x(), event->position().toPoint().y());
    if (k >= 0) emit DoubleClicked(k);
}
