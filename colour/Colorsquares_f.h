#pragma once
// A grid of colour squares (TPColorGrid laid out over the widget), optionally
// with a name in each square; hovering, clicking and dragging a square are
// reported, so the palette file preview and the user colour library share it.

#include "colour/Pcolorgrid.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QMimeData;

class TColorSquares : public QWidget {
    Q_OBJECT
  public:
    explicit TColorSquares(QWidget* parent = nullptr);
    // The squares' colours and, when given, their names (one per colour).
    void SetColors(const std::vector<TColorRef>& colors, const QStringList& names = {});
    const TPColorGrid& Layout() const { return Grid; }
    int Selected() const { return Grid.Selected; }
    void SetSelected(int k);
    // The centre of square k in widget pixels (for tests and drags).
    QPoint CellCentre(int k) const;
    // When set, a drag from a square carries what it returns.
    std::function<QMimeData*(int k)> DragData;

  signals:
    void Hovered(int k);
    void Clicked(int k);
    void DoubleClicked(int k);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    TPColorGrid Grid;
    QStringList Names;
    QPoint PressAt;
    int Pressed = -1;
};
