// The pen window's Air Brush panel: the three functions, each with its own dot
// count and nozzle, the 18 MULTI colours with their numbers, and the PATTERN.
#include "colour/Colorref.h"
#include "tools/Penmanager_f.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QToolButton>

namespace {
constexpr int kSquareSide = 14; // a colour square's swatch
constexpr int kPreviewSide = 48;
} // namespace

QGroupBox* TPenManagerForm::MakeAirPanel() {
    auto* panel = new QGroupBox(Texts.Get(2));
    auto* grid = new QGridLayout(panel);
    auto* modeSet = new QButtonGroup(this);
    QSpinBox** dots[3] = {&seSDotNum, &seMDotNum, &sePDotNum};
    QSpinBox** nozzles[3] = {&seSNozzle, &seMNozzle, &sePNozzle};
    grid->addWidget(new QLabel(Texts.Get(9)), 0, 1);
    grid->addWidget(new QLabel(Texts.Get(17)), 0, 2);
    for (int m = 0; m < 3; ++m) {
        AirFunction[m] = new QToolButton;
        AirFunction[m]->setText(Texts.Get(14 + m));
        AirFunction[m]->setCheckable(true);
        modeSet->addButton(AirFunction[m]);
        connect(AirFunction[m], &QToolButton::clicked, this, [this, m] { AirFunctionClick(m); });
        *dots[m] = new QSpinBox;
        *nozzles[m] = new QSpinBox;
        for (QSpinBox* box : {*dots[m], *nozzles[m]})
            box->setRange(1, 5);
        Bind(*dots[m], [m](TPenSettings& s) -> int& { return s.Air[size_t(m)].DotNum; });
        Bind(*nozzles[m], [m](TPenSettings& s) -> int& { return s.Air[size_t(m)].Nozzle; });
        grid->addWidget(AirFunction[m], m + 1, 0);
        grid->addWidget(*dots[m], m + 1, 1);
        grid->addWidget(*nozzles[m], m + 1, 2);
    }
    Image1 = new QLabel;
    Image1->setFixedSize(kPreviewSide, kPreviewSide);
    Image1->setFrameShape(QFrame::Box);
    grid->addWidget(Image1, 1, 3, 3, 1);
    // MULTI: squares in three rows of six, each with its number below it.
    auto* squares = new QGridLayout;
    squares->setSpacing(1);
    for (int k = 0; k < kAirColours; ++k) {
        shAirColor[k] = new QToolButton;
        shAirColor[k]->setIconSize(QSize(kSquareSide, kSquareSide));
        Edit[k] = new QSpinBox;
        Edit[k]->setRange(0, 999);
        Edit[k]->setButtonSymbols(QAbstractSpinBox::NoButtons);
        squares->addWidget(shAirColor[k], (k / 6) * 2, k % 6);
        squares->addWidget(Edit[k], (k / 6) * 2 + 1, k % 6);
        connect(shAirColor[k], &QToolButton::clicked, this, [this, k] { AirColourClick(k); });
        Bind(Edit[k], [k](TPenSettings& s) -> int& { return s.AirNumbers[size_t(k)]; });
    }
    grid->addLayout(squares, 4, 0, 1, 4);
    return panel;
}

void TPenManagerForm::AirFunctionClick(int mode) {
    SettingsV.AirMode = mode;
    if (mode == AirPattern) {
        // A pattern is taken afresh from the selection; without one the mode sprays nothing.
        SettingsV.Pattern = OnMakePattern ? OnMakePattern() : nullptr;
        ShowPattern();
    }
    Changed();
}

void TPenManagerForm::AirColourClick(int k) {
    // Square k takes the list's colour k, so it works only when the list holds that many.
    if (k >= SettingsV.Colours.Count()) return;
    SettingsV.AirColours[size_t(k)] = SettingsV.Colours.IndexAt(k);
    ShowSwatch(shAirColor[k], ColourOf(SettingsV.AirColours[size_t(k)]));
    Changed();
}

void TPenManagerForm::ShowAir() {
    AirFunction[std::clamp(SettingsV.AirMode, 0, 2)]->setChecked(true);
    QSpinBox* dots[3] = {seSDotNum, seMDotNum, sePDotNum};
    QSpinBox* nozzles[3] = {seSNozzle, seMNozzle, sePNozzle};
    for (int m = 0; m < 3; ++m) {
        dots[m]->setValue(SettingsV.Air[size_t(m)].DotNum);
        nozzles[m]->setValue(SettingsV.Air[size_t(m)].Nozzle);
    }
    for (int k = 0; k < kAirColours; ++k) {
        Edit[k]->setValue(SettingsV.AirNumbers[size_t(k)]);
        const int index = SettingsV.AirColours[size_t(k)];
        ShowSwatch(shAirColor[k], index > 0 ? std::optional(ColourOf(index)) : std::nullopt);
    }
    ShowPattern();
}

void TPenManagerForm::ShowPattern() {
    const TAirPattern* p = SettingsV.Pattern.get();
    if (!p || p->Width <= 0 || p->Height <= 0) {
        Image1->clear();
        return;
    }
    QImage image(p->Width, p->Height, QImage::Format_RGB32);
    for (int y = 0; y < p->Height; ++y)
        for (int x = 0; x < p->Width; ++x) {
            const uint32_t v = p->Pixels[size_t(y) * size_t(p->Width) + size_t(x)];
            image.setPixel(x, y, ToQColor(Bits == 8 ? ColourOf(int(v & 0xFF)) : v).rgb());
        }
    Image1->setPixmap(QPixmap::fromImage(image.scaled(Image1->size(), Qt::KeepAspectRatio)));
}

void TPenManagerForm::ShowSwatch(QToolButton* square, std::optional<TColorRef> colour) {
    QPixmap swatch(kSquareSide, kSquareSide);
    swatch.fill(colour ? ToQColor(*colour) : QColor(Qt::transparent));
    QPainter(&swatch).drawRect(0, 0, kSquareSide - 1, kSquareSide - 1);
    square->setIcon(QIcon(swatch));
}
