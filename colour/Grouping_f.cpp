#include "colour/Grouping_f.h"

#include "colour/Grouping.h"
#include "colour/Setlist_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Progress_f.h"
#include "shell/Tdocument.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kCellSide = 22;
const QString kIniName = QStringLiteral("Grouping.Ini");
constexpr int kSizes[3] = {3, 5, 9};

// The filter's 3 x 3 mask: counted cells dark.
QPixmap MaskImage(int cells) {
    QPixmap image(3 * 12 + 1, 3 * 12 + 1);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int c = 0; c < 9; ++c) {
        const QRect cell(c % 3 * 12, c / 3 * 12, 12, 12);
        if (cells & (0400 >> c)) p.fillRect(cell, Qt::black);
        p.drawRect(cell);
    }
    return image;
}

} // namespace

TGroupingForm::TGroupingForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Grouping"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    auto* functions = new QButtonGroup(this);
    auto* row = new QGridLayout;
    sbType = GroupToggle(Texts.Get(1), functions);
    sbFilter = GroupToggle(Texts.Get(2), functions);
    sbUser = GroupToggle(Texts.Get(3), functions);
    sbRearrange = SpeedButton(Texts.Get(4));
    const std::pair<QToolButton*, int> buttons[] = {{sbType, GroupType},
                                                    {sbFilter, GroupFilterRun},
                                                    {sbUser, GroupUser},
                                                    {sbRearrange, GroupRearranging}};
    for (const auto& [b, function] : buttons) {
        row->addWidget(b, function / 2, function % 2);
        b->setToolTip(Texts.Get(16 + function));
        connect(b, &QToolButton::clicked, this, [this, f = function] { FunctionClick(f); });
    }
    all->addLayout(row);
    all->addWidget(TypePanel = MakeTypePanel());
    all->addWidget(FilterPanel = MakeFilterPanel());
    all->addWidget(ListCaption = new QLabel);
    TColourListControls list;
    const QString texts[] = {Texts.Get(9), Texts.Get(10), Texts.Get(11), Texts.Get(12), Texts.Get(13)};
    ListPanel = SetListPanel(
        this, texts, kCellSide, list, Engine, Context, SettingsV, [this] { ShowSettings(); },
        [this] { Push(); });
    Selector = list.Selector;
    sbNew = list.New, sbAll = list.All, sbBlock = list.Block, sbInsert = list.Insert, sbBefore = list.Before;
    connect(sbBefore, &QToolButton::clicked, this, &TGroupingForm::sbBeforeClick);
    all->addWidget(ListPanel);
    all->addWidget(sbRun = SpeedButton(Texts.Get(6)));
    connect(sbRun, &QToolButton::clicked, this, &TGroupingForm::sbRunClick);
    SettingsV = ReadGroupingSettings(TIniFile(SettingsFile(kIniName)));
    ShowSettings();
}

TGroupingForm::~TGroupingForm() {
    if (Engine) Engine->OnGone = Engine->OnChanged = nullptr;
    TIniFile ini(SettingsFile(kIniName));
    WriteGroupingSettings(ini, SettingsV);
    ini.UpdateFile();
}

QWidget* TGroupingForm::MakeTypePanel() {
    auto* panel = new QWidget;
    TypeEdit = SpinEdit(1, 250);
    lbBound = new QLabel;
    auto* line = new QHBoxLayout(panel);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(new QLabel(Texts.Get(5)));
    line->addWidget(TypeEdit);
    line->addWidget(lbBound);
    connect(TypeEdit, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        SettingsV.Count = v;
        Push();
    });
    return panel;
}

QWidget* TGroupingForm::MakeFilterPanel() {
    auto* panel = new QWidget;
    auto* sizes = new QButtonGroup(panel);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    auto* sizeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        rgFilterSize[i] = new QRadioButton(QString::number(kSizes[i]));
        sizes->addButton(rgFilterSize[i]);
        sizeRow->addWidget(rgFilterSize[i]);
        connect(rgFilterSize[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (Showing || !on) return;
            SettingsV.FilterSize = kSizes[i];
            SettingsV.FilterShape = 0;
            Push();
        });
    }
    form->addRow(Texts.Get(7), sizeRow);
    udShape = SpinEdit(0, 3);
    FilterImage = new QLabel;
    auto* shapeRow = new QHBoxLayout;
    shapeRow->addWidget(udShape);
    shapeRow->addWidget(FilterImage);
    form->addRow(Texts.Get(8), shapeRow);
    connect(udShape, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        SettingsV.FilterShape = v;
        Push();
    });
    return panel;
}

void TGroupingForm::Attach(TGroupingTool* engine, TToolContext* context) {
    Context = context;
    AttachSetEngine(Engine, engine, SettingsV, [this] { ShowSettings(); });
    Push();
}

void TGroupingForm::SetPalette(const TPalette* palette) {
    Selector->SetPalette(palette);
    ShowSettings();
}

void TGroupingForm::FunctionClick(int function) {
    if (function == GroupRearranging) {
        if (Engine && Context) Engine->Rearrange(*Context);
        return;
    }
    if (Engine && Context) Engine->SetPick(*Context, PickNone);
    SettingsV.Show(function);
    Push();
}

void TGroupingForm::sbRunClick() {
    if (!Engine || !Context) return;
    // Type's reduction of a large design can be stopped from its progress window.
    RunWithProgress(this, QStringLiteral("Grouping"),
                    [&](const TProgressFn& progress) { return Engine->Run(*Context, progress); });
    ShowSettings(); // the bound follows the design
}

void TGroupingForm::sbBeforeClick() {
    const TGroupingSettings saved = ReadGroupingSettings(TIniFile(SettingsFile(kIniName)));
    SettingsV.Colours = SettingsV.ColoursAreFilter ? saved.Other : saved.Colours;
    Push();
}

void TGroupingForm::ShowSettings() {
    const bool was = Showing;
    Showing = true;
    const TGroupingSettings& s = SettingsV;
    sbType->setChecked(s.Function == GroupType);
    sbFilter->setChecked(s.Function == GroupFilterRun);
    sbUser->setChecked(s.Function == GroupUser);
    TypePanel->setVisible(s.Function == GroupType);
    FilterPanel->setVisible(s.Function == GroupFilterRun);
    const bool sets = s.Function == GroupFilterRun || s.Function == GroupUser;
    ListPanel->setVisible(sets);
    ListCaption->setVisible(sets);
    ListCaption->setText(Texts.Get(s.Function == GroupFilterRun ? 14 : 15));
    const TDocument* doc = Context ? Context->Document : nullptr;
    const int bound = doc ? GroupReduceBound(*doc) : 250;
    TypeEdit->setMaximum(std::clamp(bound, 1, 250));
    TypeEdit->setValue(s.Count);
    lbBound->setText(QStringLiteral("( 1 -> %1 )").arg(TypeEdit->maximum()));
    for (int i = 0; i < 3; ++i)
        rgFilterSize[i]->setChecked(kSizes[i] == s.FilterSize);
    udShape->setMaximum(FilterShapes(s.FilterSize));
    udShape->setValue(s.FilterShape);
    FilterImage->setPixmap(MaskImage(FilterCells(s.FilterSize, s.FilterShape)));
    Selector->SetColors(s.Colours);
    const bool engine = Engine != nullptr;
    sbNew->setChecked(engine && Engine->Pick() == PickPixel);
    sbBlock->setChecked(engine && Engine->Pick() == PickBlock);
    sbInsert->setChecked(s.InsertColours);
    sbRun->setVisible(s.Function != GroupRearranging);
    Showing = was;
}

void TGroupingForm::Push() {
    if (Engine) Engine->SetSettings(SettingsV);
    ShowSettings();
}
