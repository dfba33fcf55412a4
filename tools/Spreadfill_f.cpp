#include "tools/Spreadfill_f.h"

#include "colour/Colorref.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "tools/Spreadfill.h"
#include "tools/Spreadtool.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kCellSide = 22;                   // the colour list's cells
constexpr QSize kGradeStrip(4 * kCellSide, 16); // the gradation preview

const QString kIniName = QStringLiteral("SpreadFill.ini");

} // namespace

TSpreadFillForm::TSpreadFillForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("SpreadFill"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addWidget(MakeModePanel());
    all->addWidget(MakeColourPanel());
    all->addWidget(MakeGradePanel());
    SpeedButtonPosition = SpeedButton(Texts.Get(18), true);
    connect(SpeedButtonPosition, &QToolButton::clicked, this, &TSpreadFillForm::SpeedButtonPositionClick);
    all->addWidget(SpeedButtonPosition);
    SettingsV = ReadSpreadSettings(TIniFile(SettingsFile(kIniName)));
    ShowSettings();
}

TSpreadFillForm::~TSpreadFillForm() {
    if (Engine) {
        Engine->OnGone = nullptr;
        Engine->OnChanged = nullptr;
    }
    TIniFile ini(SettingsFile(kIniName));
    WriteSpreadSettings(ini, SettingsV);
    ini.UpdateFile();
}

QWidget* TSpreadFillForm::MakeModePanel() {
    auto* panel = new QWidget;
    sbMultiple = SpeedButton(Texts.Get(1), true);
    sbSingle = SpeedButton(Texts.Get(2), true);
    auto* modes = new QButtonGroup(panel);
    modes->addButton(sbMultiple);
    modes->addButton(sbSingle);
    ImageView = SpeedButton(QString());
    Image1 = SpeedButton(Texts.Get(3), true);
    Image2 = SpeedButton(Texts.Get(4), true);
    auto* shapes = new QButtonGroup(panel);
    shapes->addButton(Image1);
    shapes->addButton(Image2);
    spEditWheight = SpinEdit(0, 100);
    spEditWlength = SpinEdit(1, 100);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(sbMultiple, 0, 0);
    grid->addWidget(sbSingle, 0, 1);
    grid->addWidget(ImageView, 1, 0);
    grid->addWidget(Image1, 2, 0);
    grid->addWidget(Image2, 2, 1);
    const std::pair<QSpinBox*, int> waves[] = {{spEditWheight, 5}, {spEditWlength, 6}};
    for (int row = 3; const auto& [spin, text] : waves) {
        grid->addWidget(new QLabel(Texts.Get(text)), row, 0);
        auto* value = new QHBoxLayout;
        value->addWidget(spin);
        value->addWidget(new QLabel(Texts.Get(text + 2)));
        grid->addLayout(value, row++, 1);
    }
    connect(sbMultiple, &QToolButton::clicked, this, &TSpreadFillForm::sbMultipleClick);
    connect(sbSingle, &QToolButton::clicked, this, &TSpreadFillForm::sbSingleClick);
    connect(ImageView, &QToolButton::clicked, this, &TSpreadFillForm::ImageViewClick);
    connect(Image1, &QToolButton::clicked, this, [this] { ImageClick(SpreadLinear); });
    connect(Image2, &QToolButton::clicked, this, [this] { ImageClick(SpreadCircular); });
    connect(spEditWheight, &QSpinBox::valueChanged, this, &TSpreadFillForm::spEditWheightChange);
    connect(spEditWlength, &QSpinBox::valueChanged, this, &TSpreadFillForm::spEditWlengthChange);
    return panel;
}

QWidget* TSpreadFillForm::MakeColourPanel() {
    TColourListControls list;
    const QString texts[] = {Texts.Get(9), Texts.Get(10), Texts.Get(11), Texts.Get(12), Texts.Get(13)};
    QWidget* panel = ColourListPanel(texts, kCellSide, list);
    ColorSelector = list.Selector;
    SpeedButtonNew = list.New, SpeedButtonAll = list.All, SpeedButtonOne = list.Block;
    SpeedButtonDelete = list.Insert, SpeedButtonBefore = list.Before;
    connect(SpeedButtonNew, &QToolButton::clicked, this, [this](bool on) { PickClick(PickPixel, on); });
    connect(SpeedButtonOne, &QToolButton::clicked, this, [this](bool on) { PickClick(PickBlock, on); });
    connect(SpeedButtonAll, &QToolButton::clicked, this, &TSpreadFillForm::SpeedButtonAllClick);
    connect(SpeedButtonDelete, &QToolButton::clicked, this, &TSpreadFillForm::SpeedButtonDeleteClick);
    connect(SpeedButtonBefore, &QToolButton::clicked, this, &TSpreadFillForm::SpeedButtonBeforeClick);
    connect(ColorSelector, &TColorSelector::OnRemove, this, [this](int index) {
        if (Engine) Engine->RemoveColour(index);
    });
    return panel;
}

QWidget* TSpreadFillForm::MakeGradePanel() {
    auto* panel = new QWidget;
    ImageGrade = new QLabel;
    ImageGrade->setFixedSize(kGradeStrip);
    ImageGrade->setToolTip(Texts.Get(21));
    UpDown = SpinEdit(kMinGradeSlots, kMaxGradeSlots);
    TrackBar = new QSlider(Qt::Horizontal);
    TrackBar->setPageStep(1);
    seGap = SpinEdit(0, kMaxGradeGap);
    StaticTextColor = SpeedButton(QString());
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(ImageGrade);
    form->addRow(Texts.Get(19), UpDown);
    form->addRow(Texts.Get(20), TrackBar);
    form->addRow(Texts.Get(14), seGap);
    form->addRow(Texts.Get(15), StaticTextColor);
    connect(UpDown, &QSpinBox::valueChanged, this, &TSpreadFillForm::UpDownClick);
    connect(TrackBar, &QSlider::valueChanged, this, &TSpreadFillForm::TrackBarChange);
    connect(seGap, &QSpinBox::valueChanged, this, &TSpreadFillForm::seGapChange);
    connect(StaticTextColor, &QToolButton::clicked, this, &TSpreadFillForm::StaticTextColorClick);
    return panel;
}

void TSpreadFillForm::Attach(TSpreadTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] { Engine = nullptr; };
    Engine->OnChanged = [this] { EngineChanged(); };
    Push();
}

void TSpreadFillForm::SetPalette(const TPalette* palette) {
    ColorSelector->SetPalette(palette);
    ShowSettings();
}

void TSpreadFillForm::ShowSettings() {
    Showing = true;
    const TSpreadSettings& s = SettingsV;
    sbMultiple->setChecked(!s.Single);
    sbSingle->setChecked(s.Single);
    ImageView->setText(Texts.Get(s.Shape == SpreadCircular ? 4 : 3));
    ImageView->setToolTip(ImageView->text());
    (s.SingleShape == SpreadCircular ? Image2 : Image1)->setChecked(true);
    spEditWheight->setValue(s.WaveHeight);
    spEditWlength->setValue(s.WaveFrequency);
    for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image2),
                       static_cast<QWidget*>(spEditWheight), static_cast<QWidget*>(spEditWlength)})
        w->setEnabled(s.Single);
    for (QWidget* w : {static_cast<QWidget*>(ImageView), static_cast<QWidget*>(UpDown),
                       static_cast<QWidget*>(TrackBar), static_cast<QWidget*>(StaticTextColor)})
        w->setEnabled(!s.Single);
    ColorSelector->SetColors(s.Colours);
    const bool engine = Engine != nullptr;
    SpeedButtonNew->setChecked(engine && Engine->Pick() == PickPixel);
    SpeedButtonOne->setChecked(engine && Engine->Pick() == PickBlock);
    SpeedButtonDelete->setChecked(s.InsertColours);
    UpDown->setValue(int(s.Slots.size()));
    TrackBar->setMaximum(int(s.Slots.size()) - 1);
    TrackBar->setValue(s.Current);
    seGap->setValue(s.Slots[size_t(s.Current)].Gap);
    seGap->setEnabled(!s.Single && s.Current + 1 < int(s.Slots.size())); // the last slot has no gap
    StaticTextColor->setText(Texts.Get(engine && Engine->SlotPicking() ? 17 : 16));
    SpeedButtonPosition->setChecked(engine && Engine->Position());
    ShowGrade();
    Showing = false;
}

void TSpreadFillForm::ShowGrade() {
    // The gradation the slots make, the current slot's colour framed below it.
    QPixmap strip(kGradeStrip);
    strip.fill(palette().color(QPalette::Window));
    QPainter p(&strip);
    const std::vector<TColorData> colours =
        SettingsV.Single ? std::vector<TColorData>() : GradeColours(SettingsV.Slots);
    const int w = kGradeStrip.width(), h = kGradeStrip.height() - 5;
    for (size_t k = 0; k < colours.size(); ++k) {
        const int x0 = int(k) * w / int(colours.size()), x1 = int(k + 1) * w / int(colours.size());
        p.fillRect(QRect(x0, 0, x1 - x0, h), ToQColor(colours[k].ColorRef()));
    }
    const TColorData& current = SettingsV.Slots[size_t(SettingsV.Current)].Colour;
    p.fillRect(QRect(0, h + 1, w, 4), ToQColor(current.ColorRef()));
    p.end();
    ImageGrade->setPixmap(strip);
}

void TSpreadFillForm::Push() {
    if (Engine) Engine->SetSettings(SettingsV);
    ShowSettings();
}

void TSpreadFillForm::EngineChanged() {
    if (!Engine) return;
    SettingsV = Engine->Settings();
    ShowSettings();
}

void TSpreadFillForm::sbMultipleClick() {
    Take(SettingsV.Single, false);
}

void TSpreadFillForm::sbSingleClick() {
    Take(SettingsV.Single, true);
}

void TSpreadFillForm::ImageClick(int shape) {
    Take(SettingsV.SingleShape, shape);
}

void TSpreadFillForm::ImageViewClick() {
    Take(SettingsV.Shape, SettingsV.Shape == SpreadLinear ? SpreadCircular : SpreadLinear);
}

void TSpreadFillForm::TrackBarChange(int slot) {
    Take(SettingsV.Current, slot);
}

void TSpreadFillForm::UpDownClick(int count) {
    TSpreadSettings s = SettingsV;
    s.SetSlotCount(count);
    Take(SettingsV, s);
}

void TSpreadFillForm::seGapChange(int gap) {
    Take(SettingsV.Slots[size_t(SettingsV.Current)].Gap, gap);
}

void TSpreadFillForm::PickClick(int mode, bool on) {
    if (Engine) Engine->SetPick(*Context, on ? mode : PickNone);
    ShowSettings(); // one pick at a time: the other button goes up
}

void TSpreadFillForm::SpeedButtonAllClick() {
    if (Engine) Engine->TakeAllColours(*Context);
}

void TSpreadFillForm::SpeedButtonDeleteClick(bool on) {
    Take(SettingsV.InsertColours, on);
}

void TSpreadFillForm::SpeedButtonBeforeClick() {
    if (Engine) Engine->PreviousColours();
}

void TSpreadFillForm::StaticTextColorClick() {
    if (Engine) Engine->SetSlotPicking(!Engine->SlotPicking());
    ShowSettings();
}

void TSpreadFillForm::SpeedButtonPositionClick(bool on) {
    if (Engine) Engine->SetPosition(*Context, on);
    ShowSettings();
}

void TSpreadFillForm::spEditWheightChange(int height) {
    Take(SettingsV.WaveHeight, height);
}

void TSpreadFillForm::spEditWlengthChange(int frequency) {
    Take(SettingsV.WaveFrequency, frequency);
}
