#pragma once
// The New Canvas dialog: paper size from the list or typed in, resolution,
// orientation and unit, with the colour the canvas is filled with. It starts from
// the last accepted choice and refuses an empty or too large size, saying why.
// Its captions come from the "NewCanvas" language section.
#include "platform/Bitmaphandle.h"
#include "shell/Newcanvas.h"
#include "shell/Stringtable.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QRadioButton;
class QGroupBox;
class QPushButton;
class QLabel;

class TNewCanvasForm : public QDialog {
    Q_OBJECT
  public:
    // A canvas of bitsPerPixel filled with fill (a colour value).
    explicit TNewCanvasForm(int bitsPerPixel = 8, TColorRef fill = 0xFFFFFF, QWidget* parent = nullptr);

    // The paper of the accepted dialog.
    const TPaper& Paper() const { return Paper_; }
    const TNewCanvasSettings& Settings() const { return Settings_; }

    QComboBox* cbSizeType = nullptr;
    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QSpinBox* seDPI = nullptr;
    QGroupBox* gbOrientation = nullptr;
    QRadioButton* rbPortrait = nullptr;
    QRadioButton* rbLandscape = nullptr;
    QRadioButton* rbCm = nullptr;
    QRadioButton* rbInch = nullptr;
    QRadioButton* rbDot = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btDefault = nullptr;
    QLabel* stFillColor = nullptr; // a swatch of the fill colour

  private:
    void FormCreate();
    void cbSizeTypeChange(int index);
    void seDPIChange(int dpi);
    void rgUnitClick();
    void btOKClick();
    void btDefaultClick();
    void ReadControls();
    void FillSizeList();
    void ShowSettings();
    // The width and height edits show a listed sheet's size in the unit.
    void ShowSheetSize();
    // Says why the settings make no canvas.
    void ShowProblem(TNewCanvasProblem problem);

    TStringTable Texts;
    TNewCanvasSettings Settings_;
    TPaper Paper_;
    int Bits = 8;
};
