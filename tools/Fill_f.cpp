#include "tools/Fill_f.h"

#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "shell/Capture.h"
#include "shell/Common.h"
#include "tools/Filltool.h"
#include "tools/Floating.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kCellSide = 22; // the colour list's cells
constexpr int kPreviewSide = 64;

const QString kIniName = QStringLiteral("Fill.ini");

} // namespace

TFillForm::TFillForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Fill"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addWidget(MakeModePanel());
    all->addWidget(ListPanel = MakeListPanel());
    all->addWidget(MakeAirPanel());
    all->addWidget(PatternPanel = MakePatternPanel());
    SettingsV = ReadFillSettings(TIniFile(SettingsFile(kIniName)));
    ShowPatterns();
    ShowSettings();
}

TFillForm::~TFillForm() {
    if (Engine) {
        Engine->OnGone = nullptr;
        Engine->OnChanged = nullptr;
    }
    TIniFile ini(SettingsFile(kIniName));
    WriteFillSettings(ini, SettingsV);
    ini.UpdateFile();
}

QWidget* TFillForm::MakeModePanel() {
    auto* panel = new QWidget;
    auto* from = new QButtonGroup(panel);
    sbFSingle = GroupToggle(Texts.Get(1), from);
    sbFMulti = GroupToggle(Texts.Get(2), from);
    sbTSingle = SpeedButton(Texts.Get(3), true);
    sbTNPattern = SpeedButton(Texts.Get(4), true);
    sbTRPattern = SpeedButton(Texts.Get(5), true);
    sbTMulti = SpeedButton(Texts.Get(6), true);
    TSColor = new QLabel;
    TSColor->setFixedSize(kCellSide, kCellSide);
    TSColor->setAutoFillBackground(true);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(sbFSingle, 0, 0);
    grid->addWidget(sbFMulti, 0, 1);
    grid->addWidget(sbTSingle, 1, 0);
    grid->addWidget(sbTMulti, 1, 1);
    grid->addWidget(sbTNPattern, 2, 0);
    grid->addWidget(sbTRPattern, 2, 1);
    grid->addWidget(new QLabel(Texts.Get(28)), 3, 0);
    grid->addWidget(TSColor, 3, 1);
    for (QToolButton* b : {sbFSingle, sbFMulti, sbTSingle, sbTNPattern, sbTRPattern, sbTMulti})
        connect(b, &QToolButton::clicked, this, [this, b] { FunctionClick(b); });
    return panel;
}

QWidget* TFillForm::MakeListPanel() {
    TColourListControls list;
    const QString texts[] = {Texts.Get(7), Texts.Get(8), Texts.Get(9), Texts.Get(10), Texts.Get(11)};
    QWidget* panel = ColourListPanel(texts, kCellSide, list);
    Selector = list.Selector;
    sbNew = list.New, sbAll = list.All, sbBlock = list.Block, sbDelete = list.Insert, sbBefore = list.Before;
    auto pick = [this](int mode, bool on) {
        if (Engine) Engine->SetPick(*Context, on ? mode : PickNone);
        ShowSettings(); // one pick at a time: the other button goes up
    };
    connect(sbNew, &QToolButton::clicked, this, [pick](bool on) { pick(PickPixel, on); });
    connect(sbBlock, &QToolButton::clicked, this, [pick](bool on) { pick(PickBlock, on); });
    connect(sbAll, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->TakeAllColours(*Context);
    });
    connect(sbDelete, &QToolButton::clicked, this, [this](bool on) { Take(SettingsV.InsertColours, on); });
    connect(sbBefore, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->PreviousColours();
    });
    connect(Selector, &TColorSelector::OnRemove, this, [this](int index) {
        if (Engine) Engine->RemoveColour(index);
    });
    return panel;
}

QWidget* TFillForm::MakeAirPanel() {
    auto* panel = new QWidget;
    rgAirNo = new QRadioButton(Texts.Get(13));
    rgAirYes = new QRadioButton(Texts.Get(14));
    auto* air = new QButtonGroup(panel);
    air->addButton(rgAirNo);
    air->addButton(rgAirYes);
    spDensity = SpinEdit(kMinFillDensity, kMaxFillDensity);
    spNozzle = SpinEdit(kMinFillNozzle, kMaxFillNozzle);
    spDeg = SpinEdit(0, 360);
    sbBeforeDeg = SpeedButton(Texts.Get(18));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QHBoxLayout;
    choice->addWidget(rgAirNo);
    choice->addWidget(rgAirYes);
    form->addRow(Texts.Get(12), choice);
    form->addRow(Texts.Get(15), spDensity);
    form->addRow(Texts.Get(16), spNozzle);
    RotatePanel = new QWidget;
    auto* turn = new QHBoxLayout(RotatePanel);
    turn->setContentsMargins(0, 0, 0, 0);
    turn->addWidget(new QLabel(Texts.Get(17)));
    turn->addWidget(spDeg);
    turn->addWidget(sbBeforeDeg);
    form->addRow(RotatePanel);
    connect(rgAirYes, &QRadioButton::toggled, this, [this](bool on) { Take(SettingsV.Air, on); });
    connect(spDensity, &QSpinBox::valueChanged, this, [this](int v) { Take(SettingsV.Density, v); });
    connect(spNozzle, &QSpinBox::valueChanged, this, [this](int v) { Take(SettingsV.Nozzle, v); });
    connect(spDeg, &QSpinBox::valueChanged, this, [this](int v) { Take(SettingsV.Degree, v); });
    connect(sbBeforeDeg, &QToolButton::clicked, this,
            [this] { Take(SettingsV.Degree, SettingsV.BeforeDegree); });
    return panel;
}

QWidget* TFillForm::MakePatternPanel() {
    auto* panel = new QWidget;
    cbPattern = new QComboBox;
    PatternImage = new QLabel;
    PatternImage->setFixedSize(kPreviewSide, kPreviewSide);
    cbRepeatType = new QComboBox;
    cbRepeatType->addItems({Texts.Get(22), Texts.Get(23), Texts.Get(24)});
    spRange = SpinEdit(0, 0);
    lbRange = new QLabel;
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(Texts.Get(19), cbPattern);
    form->addRow(PatternImage);
    form->addRow(Texts.Get(21), cbRepeatType);
    auto* drop = new QHBoxLayout;
    drop->addWidget(spRange);
    drop->addWidget(lbRange);
    form->addRow(Texts.Get(25), drop);
    connect(cbPattern, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) Take(SettingsV.Pattern, i);
    });
    connect(cbRepeatType, &QComboBox::currentIndexChanged, this,
            [this](int i) { Take(SettingsV.Repeat, i); });
    connect(spRange, &QSpinBox::valueChanged, this, [this](int v) { Take(SettingsV.Drop, v); });
    return panel;
}

void TFillForm::Attach(TFillTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] { Engine = nullptr; };
    Engine->OnChanged = [this] {
        if (!Engine) return;
        SettingsV = Engine->Settings();
        ShowSettings();
    };
    Push();
}

void TFillForm::SetPalette(const TPalette* palette) {
    Selector->SetPalette(palette);
    ShowSettings();
}

void TFillForm::ShowColour(QColor colour) {
    QPalette p = TSColor->palette();
    p.setColor(QPalette::Window, colour);
    TSColor->setPalette(p);
}

void TFillForm::FunctionClick(QToolButton* button) {
    if (button == sbFSingle || button == sbFMulti) return Take(SettingsV.From, button == sbFMulti);
    const std::pair<QToolButton*, int> to[] = {{sbTSingle, FillToSingle},
                                               {sbTNPattern, FillToNormalPattern},
                                               {sbTRPattern, FillToRotatePattern},
                                               {sbTMulti, FillToMulti}};
    for (const auto& [b, mode] : to)
        if (b == button) Take(SettingsV.To, b->isChecked() ? mode : int(FillToNone)); // all may be up
    if (SettingsV.To == FillToNormalPattern || SettingsV.To == FillToRotatePattern) ShowPatterns();
}

void TFillForm::ShowPatterns() {
    // The captures as they are now, numbered from 1.
    const bool was = Showing;
    Showing = true;
    cbPattern->clear();
    const TCaptureList& captures = CapturedImages();
    for (int i = 0; i < captures.Count(); ++i)
        cbPattern->addItem(Texts.Get(20).replace(QLatin1String("%d"), QString::number(i + 1)));
    Showing = was;
    ShowSettings();
}

void TFillForm::ShowSettings() {
    const bool was = Showing;
    Showing = true;
    const TFillSettings& s = SettingsV;
    sbFSingle->setChecked(s.From == FillFromSingle);
    sbFMulti->setChecked(s.From == FillFromMulti);
    sbTSingle->setChecked(s.To == FillToSingle);
    sbTNPattern->setChecked(s.To == FillToNormalPattern);
    sbTRPattern->setChecked(s.To == FillToRotatePattern);
    sbTMulti->setChecked(s.To == FillToMulti);
    Selector->SetColors(s.Colours);
    const bool engine = Engine != nullptr;
    sbNew->setChecked(engine && Engine->Pick() == PickPixel);
    sbBlock->setChecked(engine && Engine->Pick() == PickBlock);
    sbDelete->setChecked(s.InsertColours);
    (s.Air ? rgAirYes : rgAirNo)->setChecked(true);
    spDensity->setValue(s.Density);
    spNozzle->setValue(s.Nozzle);
    spDensity->setEnabled(s.Air);
    spNozzle->setEnabled(s.Air);
    spDeg->setValue(s.Degree);
    const bool pattern = s.To == FillToNormalPattern || s.To == FillToRotatePattern;
    ListPanel->setVisible(s.From == FillFromMulti);
    PatternPanel->setVisible(pattern);
    RotatePanel->setVisible(s.To == FillToRotatePattern);
    const TCaptureList& captures = CapturedImages();
    const bool known = s.Pattern < captures.Count();
    cbPattern->setCurrentIndex(known ? s.Pattern : -1);
    PatternImage->setPixmap(known ? QPixmap::fromImage(captures.Thumbnail(s.Pattern, kPreviewSide))
                                  : QPixmap());
    cbRepeatType->setCurrentIndex(s.Repeat);
    // The drop runs along the side the tiles shift along.
    int side = 0;
    if (known && s.Repeat != FillRepeatNormal) {
        const TOrvaneBitmap& image = captures.At(s.Pattern).Image;
        side = s.Repeat == FillRepeatDropHorizontal ? image.Width : image.Height;
    }
    spRange->setMaximum(side);
    spRange->setEnabled(side > 0);
    spRange->setValue(std::min(s.Drop, side));
    lbRange->setText(Texts.Get(26).replace(QLatin1String("%d"), QString::number(side)));
    Showing = was;
}

void TFillForm::Push() {
    if (Engine) Engine->SetSettings(SettingsV);
    ShowSettings();
}
