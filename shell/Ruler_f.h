#pragma once
// The ruler along the top or left edge of a document view, in the window's unit.
#include <QWidget>

class TPTextileImage;

class TRuler : public QWidget {
    Q_OBJECT
  public:
    TRuler(Qt::Orientation orientation, TPTextileImage* view, QWidget* parent = nullptr);
    void SetUnit(int unit, int dpi);
    static constexpr int kThickness = 22;

  protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

  private:
    Qt::Orientation Orientation;
    TPTextileImage* View;
    int Unit = 2;
    int Dpi = 160;
};
