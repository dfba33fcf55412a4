#pragma once
// The two canvas-size dialogs. Resize Canvas stretches the design to a new size
// and resolution; Enlarge Canvas changes the canvas around the picture. Both
// show the current size and take the new one in a chosen unit; their texts are
// loaded each time they are shown.
#include "shell/Paper.h"
#include "shell/Stringtable.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;
class QRadioButton;
class QPushButton;

class TCanvasSizeForm : public QDialog {
    Q_OBJECT
  public:
    // The new size in dots (and resolution) of the accepted dialog.
    int NewWidth() const { return NewWidth_; }
    int NewHeight() const { return NewHeight_; }
    int NewDpi() const { return NewDpi_; }

    QLabel* lbCurrentWidth = nullptr;
    QLabel* lbCurrentHeight = nullptr;
    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QSpinBox* seDPI = nullptr; // Resize Canvas only
    QLabel* lbDpi = nullptr;
    QRadioButton* rbCm = nullptr;
    QRadioButton* rbInch = nullptr;
    QRadioButton* rbDot = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

  protected:
    // section: the language section; withDpi: show the resolution.
    TCanvasSizeForm(const QString& section, bool withDpi, const TPaper& paper, QWidget* parent);
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void rgUnitClick();
    void btOKClick();
    int Unit() const;

    QString Section;
    bool WithDpi;
    TPaper Paper;
    TStringTable Texts;
    int NewWidth_ = 0, NewHeight_ = 0, NewDpi_ = 0;
};

class TResizeCanvasForm : public TCanvasSizeForm {
    Q_OBJECT
  public:
    explicit TResizeCanvasForm(const TPaper& paper, QWidget* parent = nullptr)
        : TCanvasSizeForm(QStringLiteral("ResizeCanvas"), true, paper, parent) {}
};

class TEnlargeCanvasForm : public TCanvasSizeForm {
    Q_OBJECT
  public:
    explicit TEnlargeCanvasForm(const TPaper& paper, QWidget* parent = nullptr)
        : TCanvasSizeForm(QStringLiteral("EnlargeCanvas"), false, paper, parent) {}
};
