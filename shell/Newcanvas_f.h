#pragma once
// The New Canvas dialog: paper size from the list or typed in, resolution,
// orientation and unit. Its captions come from the "NewCanvas" language section.
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
    explicit TNewCanvasForm(QWidget* parent = nullptr);

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

    TStringTable Texts;
    TNewCanvasSettings Settings_;
    TPaper Paper_;
};
