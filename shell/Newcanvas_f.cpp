#include "shell/Newcanvas_f.h"

#include "colour/Colorref.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Exception.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

TNewCanvasForm::TNewCanvasForm(int bitsPerPixel, TColorRef fill, QWidget* parent)
    : QDialog(parent), Bits(bitsPerPixel) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("NewCanvas"));
    auto* sizeGroup = new QGroupBox(Texts.Get(1));
    cbSizeType = new QComboBox;
    edWidth = new QLineEdit;
    edHeight = new QLineEdit;
    seDPI = new QSpinBox;
    seDPI->setRange(kMinDpi, kMaxDpi);
    auto* form = new QFormLayout(sizeGroup);
    form->addRow(Texts.Get(2), cbSizeType);
    form->addRow(Texts.Get(3), edWidth);
    form->addRow(Texts.Get(4), edHeight);
    form->addRow(Texts.Get(5), seDPI);
    form->addRow(QString(), new QLabel(Texts.Get(6)));
    stFillColor = new QLabel;
    stFillColor->setFixedSize(48, 18);
    stFillColor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stFillColor->setStyleSheet(QStringLiteral("background-color: %1").arg(ToQColor(fill).name()));
    form->addRow(Texts.Get(42), stFillColor);

    gbOrientation = new QGroupBox(Texts.Get(7));
    rbPortrait = new QRadioButton(Texts.Get(8));
    rbLandscape = new QRadioButton(Texts.Get(9));
    auto* orientation = new QVBoxLayout(gbOrientation);
    orientation->addWidget(rbPortrait);
    orientation->addWidget(rbLandscape);

    auto* unitGroup = new QGroupBox(Texts.Get(10));
    rbCm = new QRadioButton(Texts.Get(11));
    rbInch = new QRadioButton(Texts.Get(12));
    rbDot = new QRadioButton(Texts.Get(13));
    auto* units = new QVBoxLayout(unitGroup);
    units->addWidget(rbCm);
    units->addWidget(rbInch);
    units->addWidget(rbDot);

    QDialogButtonBox* buttons = MakeOkCancel(this, Texts.Get(14), Texts.Get(15), [this] { btOKClick(); });
    btOK = buttons->button(QDialogButtonBox::Ok);
    btCancel = buttons->button(QDialogButtonBox::Cancel);
    btDefault = buttons->addButton(Texts.Get(16), QDialogButtonBox::ResetRole);

    auto* side = new QVBoxLayout;
    side->addWidget(gbOrientation);
    side->addWidget(unitGroup);
    auto* top = new QHBoxLayout;
    top->addWidget(sizeGroup, 1);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);
    setWindowTitle(Texts.Get(0));

    connect(cbSizeType, &QComboBox::currentIndexChanged, this, &TNewCanvasForm::cbSizeTypeChange);
    connect(seDPI, &QSpinBox::valueChanged, this, &TNewCanvasForm::seDPIChange);
    for (QRadioButton* rb : {rbCm, rbInch, rbDot})
        connect(rb, &QRadioButton::toggled, this, &TNewCanvasForm::rgUnitClick);
    connect(btDefault, &QPushButton::clicked, this, &TNewCanvasForm::btDefaultClick);
    connect(rbLandscape, &QRadioButton::toggled, this, &TNewCanvasForm::ShowSheetSize);
    FormCreate();
}

void TNewCanvasForm::FormCreate() {
    Settings_ = ReadNewCanvasSettings(TIniFile(SettingsFile(QStringLiteral("Environment.ini"))));
    ShowSettings();
}

void TNewCanvasForm::ShowSettings() {
    const QSignalBlocker b1(cbSizeType), b2(seDPI), b3(rbCm), b4(rbInch), b5(rbDot);
    seDPI->setValue(Settings_.Dpi);
    (Settings_.Unit == UnitCm ? rbCm : Settings_.Unit == UnitInch ? rbInch : rbDot)->setChecked(true);
    (Settings_.Orientation ? rbLandscape : rbPortrait)->setChecked(true);
    FillSizeList();
    cbSizeType->setCurrentIndex(Settings_.SizeIndex);
    cbSizeTypeChange(Settings_.SizeIndex);
}

void TNewCanvasForm::FillSizeList() {
    const QSignalBlocker block(cbSizeType);
    const int at = cbSizeType->currentIndex();
    cbSizeType->clear();
    cbSizeType->addItems(SizeListTexts(Texts, Settings_.Unit, Settings_.Dpi));
    cbSizeType->setCurrentIndex(at < 0 ? Settings_.SizeIndex : at);
}

void TNewCanvasForm::cbSizeTypeChange(int index) {
    Settings_.SizeIndex = index;
    const bool user = index == kUserDefinesIndex;
    edWidth->setEnabled(user);
    edHeight->setEnabled(user);
    gbOrientation->setEnabled(!user);
    if (user) { // the typed size comes back
        edWidth->setText(Settings_.WidthText);
        edHeight->setText(Settings_.HeightText);
    }
    ShowSheetSize();
}

void TNewCanvasForm::ShowSheetSize() {
    if (Settings_.SizeIndex == kUserDefinesIndex) return;
    TPaper p;
    p.orientation = rbLandscape->isChecked() ? 1 : 0;
    SetPaper(p, PaperTypeOfSizeIndex(Settings_.SizeIndex));
    edWidth->setText(PaperSideText(p.width, Settings_.Unit, Settings_.Dpi));
    edHeight->setText(PaperSideText(p.height, Settings_.Unit, Settings_.Dpi));
}

void TNewCanvasForm::seDPIChange(int dpi) {
    Settings_.Dpi = dpi;
    if (Settings_.Unit == UnitDot) FillSizeList();
    ShowSheetSize();
}

void TNewCanvasForm::rgUnitClick() {
    Settings_.Unit = rbCm->isChecked() ? UnitCm : rbInch->isChecked() ? UnitInch : UnitDot;
    FillSizeList();
    ShowSheetSize();
}

void TNewCanvasForm::ReadControls() {
    Settings_.SizeIndex = cbSizeType->currentIndex();
    Settings_.Dpi = seDPI->value();
    Settings_.Orientation = rbLandscape->isChecked() ? 1 : 0;
    if (Settings_.SizeIndex != kUserDefinesIndex) return; // the edits show the sheet
    Settings_.WidthText = edWidth->text();
    Settings_.HeightText = edHeight->text();
}

void TNewCanvasForm::btOKClick() {
    ReadControls();
    if (const TNewCanvasProblem problem = NewCanvasPaper(Settings_, Bits, Paper_);
        problem != TNewCanvasProblem::None) {
        ShowProblem(problem);
        (edWidth->isEnabled() ? edWidth : static_cast<QWidget*>(seDPI))->setFocus();
        return;
    }
    TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    WriteNewCanvasSettings(env, Settings_); // the next dialog starts from this choice
    env.UpdateFile();
    accept();
}

void TNewCanvasForm::ShowProblem(TNewCanvasProblem problem) {
    QString text = Texts.Get(43); // no size, or a resolution out of range
    if (problem == TNewCanvasProblem::TooLarge) {
        TPaper p;
        p.orientation = Settings_.Orientation;
        SetPaper(p, PaperTypeOfSizeIndex(Settings_.SizeIndex),
                 TextToDots(Settings_.WidthText, Settings_.Unit, Settings_.Dpi),
                 TextToDots(Settings_.HeightText, Settings_.Unit, Settings_.Dpi));
        text = FillPlaces(Texts.Get(44), {QString::number(p.width), QString::number(p.height)});
    }
    ShowMessage(TSeverity::Warning, text, MB_OK);
}

void TNewCanvasForm::btDefaultClick() {
    Settings_ = DefaultNewCanvas();
    ShowSettings();
    NewCanvasPaper(Settings_, Bits, Paper_);
    accept();
}
