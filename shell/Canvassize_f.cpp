#include "shell/Canvassize_f.h"

#include "platform/Bitmaphandle.h"
#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Exception.h"
#include "shell/Mainimage.h"
#include "shell/Newcanvas.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TCanvasSizeForm::TCanvasSizeForm(const QString& section, bool withDpi, const TPaper& paper, QWidget* parent)
    : QDialog(parent), Section(section), WithDpi(withDpi), Paper(paper) {
    lbCurrentWidth = new QLabel;
    lbCurrentHeight = new QLabel;
    edWidth = new QLineEdit;
    edHeight = new QLineEdit;
    seDPI = new QSpinBox;
    seDPI->setRange(kMinDpi, kMaxDpi);
    seDPI->setValue(paper.dpi);
    seDPI->setVisible(withDpi);
    rbCm = new QRadioButton;
    rbInch = new QRadioButton;
    rbDot = new QRadioButton;
    rbDot->setChecked(true);
    QDialogButtonBox* buttons = MakeOkCancel(this, QString(), QString(), [this] { btOKClick(); });
    btOK = buttons->button(QDialogButtonBox::Ok);
    btCancel = buttons->button(QDialogButtonBox::Cancel);

    auto* sizes = new QFormLayout;
    sizes->addRow(lbCurrentWidth, edWidth);
    sizes->addRow(lbCurrentHeight, edHeight);
    lbDpi = new QLabel;
    if (withDpi) sizes->addRow(lbDpi, seDPI);
    auto* units = new QVBoxLayout;
    for (QRadioButton* rb : {rbCm, rbInch, rbDot})
        units->addWidget(rb);
    auto* top = new QHBoxLayout;
    top->addLayout(sizes, 1);
    top->addLayout(units);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);

    for (QRadioButton* rb : {rbCm, rbInch, rbDot})
        connect(rb, &QRadioButton::toggled, this, &TCanvasSizeForm::rgUnitClick);
    FormActivate();
}

void TCanvasSizeForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

int TCanvasSizeForm::Unit() const {
    return rbCm->isChecked() ? UnitCm : rbInch->isChecked() ? UnitInch : UnitDot;
}

void TCanvasSizeForm::FormActivate() {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, Section);
    // The Resize table has the resolution label at 5, so its later entries sit one further on.
    const int shift = WithDpi ? 1 : 0;
    setWindowTitle(Texts.Get(0));
    lbDpi->setText(Texts.Get(5));
    rbCm->setText(Texts.Get(6 + shift));
    rbInch->setText(Texts.Get(7 + shift));
    rbDot->setText(Texts.Get(8 + shift));
    btOK->setText(Texts.Get(9 + shift));
    btCancel->setText(Texts.Get(10 + shift));
    rgUnitClick();
}

void TCanvasSizeForm::rgUnitClick() {
    const int shift = WithDpi ? 1 : 0;
    const QString cm = Texts.Get(11 + shift), inch = Texts.Get(12 + shift), dot = Texts.Get(13 + shift);
    // "Width :" and ": 320 Dots" read as "Width : 320 Dots".
    auto show = [&](QLabel* label, const QString& caption, int dots) {
        QString value = UnitLengthText(dots, Paper.dpi, Unit(), cm, inch, dot);
        if (value.startsWith(QLatin1Char(':')) && caption.endsWith(QLatin1Char(':'))) value.remove(0, 1);
        label->setText(caption + value);
    };
    show(lbCurrentWidth, Texts.Get(3), Paper.width);
    show(lbCurrentHeight, Texts.Get(4), Paper.height);
}

void TCanvasSizeForm::btOKClick() {
    const int dpi = WithDpi ? seDPI->value() : Paper.dpi;
    bool okW = false, okH = false;
    const int w = TextToDots(edWidth->text(), Unit(), dpi, &okW);
    const int h = TextToDots(edHeight->text(), Unit(), dpi, &okH);
    if (!okW || !okH || w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide) {
        edWidth->setFocus();
        return;
    }
    // Enlarge only adds canvas; Resize may shrink the picture, but asks first.
    if (w < Paper.width || h < Paper.height) {
        if (!WithDpi) {
            ShowMessage(TSeverity::Warning, Texts.Get(14), MB_OK);
            edWidth->setFocus();
            return;
        }
        if (ShowMessage(TSeverity::Warning, Texts.Get(16), MB_YESNO) != ID_YES) return;
    }
    NewWidth_ = w;
    NewHeight_ = h;
    NewDpi_ = dpi;
    accept();
}
