#include "colour/Usercolordata_f.h"

#include "colour/Colorref.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The library kind each book's colours carry.
constexpr int kBookKind[] = {KindNormal,    KindNormal,      KindVMStandard,
                             KindVMTextile, KindPantone1000, KindPantoneTextile};

QHBoxLayout* SpinRow(QSpinBox* (&spins)[3], int max, QWidget* owner) {
    auto* row = new QHBoxLayout;
    for (QSpinBox*& s : spins) {
        s = new QSpinBox(owner);
        s->setRange(0, max);
        row->addWidget(s);
    }
    return row;
}

} // namespace

TUserColorDataForm::TUserColorDataForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("User Color Data"));
    edName = new QLineEdit;
    edName->setMaxLength(kUserNameSize - 1);
    cbColorBook = new QComboBox;
    cbColorBook->addItems({"Normal Color", "Printer Color", "VM Standard Color", "VM Textile Color",
                           "PT 1000 Color", "PT Textile Color"});
    edCode = new QLineEdit;
    sbSearch = new QPushButton(QStringLiteral("Search"));
    lbFound = new QLabel;
    shColor = new QLabel;
    shColor->setFixedSize(60, 40);
    shColor->setAutoFillBackground(true);
    auto* code = new QHBoxLayout;
    code->addWidget(edCode);
    code->addWidget(sbSearch);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name"), edName);
    form->addRow(QStringLiteral("Color Book"), cbColorBook);
    form->addRow(QStringLiteral("Code"), code);
    form->addRow(QString(), lbFound);
    form->addRow(QStringLiteral("C / M / Y"), SpinRow(seCMY, 255, this));
    form->addRow(QStringLiteral("H / L / S"), SpinRow(seHLS, 100, this));
    seHLS[0]->setRange(0, 360);
    form->addRow(QString(), shColor);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cbColorBook, &QComboBox::currentIndexChanged, this,
            [this](int book) { cbColorBookChange(book); });
    connect(sbSearch, &QPushButton::clicked, this, [this] { sbSearchClick(); });
    connect(edName, &QLineEdit::textEdited, this,
            [this](const QString& t) { Colour.Name = t.toLocal8Bit(); });
    for (int k = 0; k < 3; ++k) {
        connect(seCMY[k], &QSpinBox::valueChanged, this, [this, k](int v) {
            if (!Loading) CMY.SetValue(k, v), SetRGB(CMY.Color());
        });
        connect(seHLS[k], &QSpinBox::valueChanged, this, [this, k](int v) {
            if (Loading) return;
            k == 0 ? HLS.SetHue(v) : k == 1 ? HLS.SetLig(v) : HLS.SetSat(v);
            SetRGB(HLS.Color());
        });
    }
    cbColorBookChange(BookNormal);
    ShowColour();
}

void TUserColorDataForm::SetColor(const TUserColor& colour) {
    Colour = colour;
    edName->setText(QString::fromLocal8Bit(colour.Name));
    const int book = colour.Kind == KindNormal        ? (colour.Page ? BookPrinter : BookNormal)
                     : colour.Kind == KindVMStandard  ? BookVMStandard
                     : colour.Kind == KindVMTextile   ? BookVMTextile
                     : colour.Kind == KindPantone1000 ? BookPT1000
                                                      : BookPTTextile;
    Loading = true;
    cbColorBook->setCurrentIndex(book);
    Loading = false;
    ShowColour();
}

void TUserColorDataForm::cbColorBookChange(int book) {
    edCode->clear();
    edCode->setInputMask(book == BookPrinter                              ? QStringLiteral("00-00:00")
                         : book == BookVMTextile || book == BookPTTextile ? QStringLiteral("00-0000")
                                                                          : QString());
    edCode->setEnabled(book != BookNormal);
    sbSearch->setEnabled(book != BookNormal);
    lbFound->clear();
    if (Loading) return;
    // A colour moved to another book no longer has that book's code.
    Colour.Kind = kBookKind[std::clamp(book, 0, 5)];
    Colour.Page = 0;
    Colour.Number = 0;
}

bool TUserColorDataForm::sbSearchClick() {
    TUserColor found;
    const int book = cbColorBook->currentIndex();
    if (!FindCode || !FindCode(book, edCode->text(), found)) {
        lbFound->setText(QStringLiteral("Not found"));
        return false;
    }
    found.Name = Colour.Name;
    Colour = found;
    lbFound->setText(edCode->text());
    ShowColour();
    return true;
}

void TUserColorDataForm::SetRGB(TColorRef c) {
    Colour.Red = RedOf(c), Colour.Green = GreenOf(c), Colour.Blue = BlueOf(c);
    ShowColour();
}

void TUserColorDataForm::ShowColour() {
    const TColorRef c = MakeColorRef(Colour.Red, Colour.Green, Colour.Blue);
    CMY.SetColor(c);
    HLS.SetColor(c);
    Loading = true;
    for (int k = 0; k < 3; ++k)
        seCMY[k]->setValue(CMY.Value(k));
    seHLS[0]->setValue(HLS.Hue());
    seHLS[1]->setValue(HLS.Lig());
    seHLS[2]->setValue(HLS.Sat());
    Loading = false;
    QPalette pal = shColor->palette();
    pal.setColor(QPalette::Window, ToQColor(c));
    shColor->setPalette(pal);
}
