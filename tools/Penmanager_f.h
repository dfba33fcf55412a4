#pragma once
// The pen window, first of the tool windows along the main window's right edge.
// Its pen controls arrive with the painting tools; for now it holds the caption.
#include <QWidget>

class TPenManagerForm : public QWidget {
    Q_OBJECT
  public:
    explicit TPenManagerForm(QWidget* parent = nullptr);
};
