#include "colour/Separate_f.h"

#include "colour/Separate.h"
#include "colour/Setlist_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kCellSide = 22;
const QString kIniName = QStringLiteral("Separate.Ini");
} // namespace

TSeparateForm::TSeparateForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QStringLiteral("Textile")), Configuration.Language,
               QStringLiteral("Separate"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    TColourListControls list;
    const QString texts[] = {Texts.Get(6), Texts.Get(7), Texts.Get(8), Texts.Get(9), Texts.Get(10)};
    all->addWidget(SetListPanel(
        this, texts, kCellSide, list, Engine, Context, SettingsV, [this] { ShowSettings(); },
        [this] { Push(); }));
    SepSelector = list.Selector;
    sbNew = list.New, sbAll = list.All, sbBlock = list.Block, sbInsert = list.Insert, sbBefore = list.Before;
    connect(sbBefore, &QToolButton::clicked, this, [this] {
        SettingsV.Colours = ReadSeparateSettings(TIniFile(SettingsFile(kIniName))).Colours;
        Push();
    });
    spEditOverlap = SpinEdit(0, kSeparateOverlapMax);
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(5), spEditOverlap);
    all->addLayout(form);
    connect(spEditOverlap, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        SettingsV.Overlap = v;
        Push();
    });
    auto* buttons = new QGridLayout;
    sbRun = SpeedButton(Texts.Get(1));
    sbRestore = SpeedButton(Texts.Get(2));
    sbPrint = SpeedButton(Texts.Get(3));
    sbExit = SpeedButton(Texts.Get(4));
    buttons->addWidget(sbRun, 0, 0);
    buttons->addWidget(sbRestore, 0, 1);
    buttons->addWidget(sbPrint, 1, 0);
    buttons->addWidget(sbExit, 1, 1);
    all->addLayout(buttons);
    connect(sbRun, &QToolButton::clicked, this, &TSeparateForm::sbRunClick);
    connect(sbRestore, &QToolButton::clicked, this, &TSeparateForm::sbRestoreClick);
    connect(sbPrint, &QToolButton::clicked, this, [this] {
        if (OnPrint) OnPrint(Texts.Get(11));
    });
    connect(sbExit, &QToolButton::clicked, this, [this] {
        if (OnExit) OnExit();
    });
    SettingsV = ReadSeparateSettings(TIniFile(SettingsFile(kIniName)));
    ShowSettings();
}

TSeparateForm::~TSeparateForm() {
    if (Engine) Engine->OnGone = Engine->OnChanged = nullptr;
    TIniFile ini(SettingsFile(kIniName));
    WriteSeparateSettings(ini, SettingsV);
    ini.UpdateFile();
}

void TSeparateForm::Attach(TSeparateTool* engine, TToolContext* context) {
    Context = context;
    AttachSetEngine(Engine, engine, SettingsV, [this] { ShowSettings(); });
    Push();
}

void TSeparateForm::SetPalette(const TPalette* palette) {
    SepSelector->SetPalette(palette);
    ShowSettings();
}

void TSeparateForm::sbRunClick() {
    if (!Engine || !Context) return;
    setCursor(Qt::WaitCursor);
    Engine->Run(*Context);
    unsetCursor();
    ShowSettings();
}

void TSeparateForm::sbRestoreClick() {
    if (Engine && Context) Engine->Restore(*Context);
    ShowSettings();
}

void TSeparateForm::ShowSettings() {
    const bool was = Showing;
    Showing = true;
    SepSelector->SetColors(SettingsV.Colours);
    spEditOverlap->setValue(SettingsV.Overlap);
    const bool engine = Engine != nullptr;
    sbNew->setChecked(engine && Engine->Pick() == PickPixel);
    sbBlock->setChecked(engine && Engine->Pick() == PickBlock);
    sbInsert->setChecked(SettingsV.InsertColours);
    const bool restore = engine && Engine->CanRestore();
    sbRestore->setEnabled(restore);
    sbRun->setEnabled(engine && !restore);
    Showing = was;
}

void TSeparateForm::Push() {
    if (Engine) Engine->SetSettings(SettingsV);
    ShowSettings();
}
