#include "textile/Jacquard_f.h"

#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Printpages_f.h"
#include "shell/Tdocument.h"
#include "textile/Jacquard_print.h"
#include "textile/Jacquardtool.h"
#include "textile/Texture_f.h"
#include "textile/Wif.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString IniPath() {
    return SettingsFile(QStringLiteral("Jacquard.ini"));
}

void Report(uint32_t code) {
    if (code) ReportError(code);
}

} // namespace

TJacquardForm::TJacquardForm(QWidget* parent, const QString& folder) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QStringLiteral("Textile")), Configuration.Language,
               QStringLiteral("Jacquard"));
    setWindowTitle(Texts.Get(0));
    lbList = new QListWidget;
    sbTexture = SpeedButton(Texts.Get(1));
    auto* modes = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        sbMode[m] = GroupToggle(Texts.Get(2 + m), modes);
        connect(sbMode[m], &QToolButton::clicked, this, [this, m] {
            if (Engine) Engine->SetMode(m);
        });
    }
    sbMode[0]->setChecked(true);
    seZoom = SpinEdit(1, kJacquardMaxZoom);
    sbRotate = SpeedButton(Texts.Get(9));
    sbApply = SpeedButton(Texts.Get(16));
    sbDelete = SpeedButton(Texts.Get(5));
    sbAll = SpeedButton(Texts.Get(6));
    seEffect = SpinEdit(1, 250); // shown as the user counts colours: index - 1
    sbFile = SpeedButton(Texts.Get(7));
    auto* fileMenu = new QMenu(sbFile);
    fileMenu->addAction(Texts.Get(18), this, &TJacquardForm::sbOpenClick);
    fileMenu->addAction(Texts.Get(19), this, &TJacquardForm::sbSaveClick);
    fileMenu->addAction(Texts.Get(21), this, &TJacquardForm::sbImportWifClick);
    fileMenu->addAction(QStringLiteral("Print"), this, [this] {
        if (!Engine || Engine->List().Entries.empty()) return;
        const TChipBook book = JacquardBook(Engine->List().Entries);
        PreviewBook(this, book);
    });
    sbFile->setMenu(fileMenu);
    sbFile->setPopupMode(QToolButton::InstantPopup);
    sbWif = SpeedButton(Texts.Get(17));

    auto* grid = new QGridLayout;
    grid->addWidget(sbTexture, 0, 0, 1, 2);
    for (int m = 0; m < 3; ++m)
        grid->addWidget(sbMode[m], 1 + m / 2, m % 2);
    grid->addWidget(new QLabel(Texts.Get(10)), 3, 0);
    grid->addWidget(seZoom, 3, 1);
    grid->addWidget(new QLabel(Texts.Get(11)), 4, 0);
    grid->addWidget(seEffect, 4, 1);
    grid->addWidget(sbRotate, 5, 0);
    grid->addWidget(sbApply, 5, 1);
    grid->addWidget(sbDelete, 6, 0);
    grid->addWidget(sbAll, 6, 1);
    grid->addWidget(sbFile, 7, 0);
    grid->addWidget(sbWif, 7, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lbList);
    all->addLayout(grid);

    BrowserV = new TTextureForm(this, folder);
    BrowserV->setWindowFlag(Qt::Window);
    BrowserV->hide();
    BrowserV->OnChoose = [this](const TWeaveChoice& c, const TTexBitData&) {
        TJacquardEntry e;
        if (Engine &&
            MakeJacquardEntry(BrowserV->Library(), c.Part, c.Type, c.Group, c.Weave, seZoom->value(), e))
            Engine->Add(e);
    };
    connect(sbTexture, &QToolButton::clicked, this, [this] {
        BrowserV->show();
        BrowserV->raise();
    });
    connect(lbList, &QListWidget::currentRowChanged, this, &TJacquardForm::lbListChange);
    connect(seZoom, &QSpinBox::valueChanged, this, &TJacquardForm::seZoomChange);
    connect(seEffect, &QSpinBox::valueChanged, this, [this](int shown) {
        if (Engine && !Filling) Engine->SetEffectColour(shown + 1);
    });
    connect(sbRotate, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->Rotate();
    });
    connect(sbApply, &QToolButton::clicked, this, [this] {
        if (Engine && Context) Engine->ApplyAgain(*Context);
    });
    connect(sbDelete, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->Delete();
    });
    connect(sbAll, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->DeleteAll();
    });
    connect(sbWif, &QToolButton::clicked, this, &TJacquardForm::sbWifClick);
    OnChooseFile = [this](const QString& filter, bool save) {
        return KindFileDialog(this, QString(), filter, save);
    };
    Refresh();
}

TJacquardForm::~TJacquardForm() {
    if (!Engine) return;
    WriteJacquardIni(IniPath(), Engine->List().Entries);
    Engine->OnChanged = Engine->OnGone = nullptr;
}

void TJacquardForm::Attach(TJacquardTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    // The list is the tool's: read as it starts, written back as it ends.
    Engine->OnGone = [this] {
        WriteJacquardIni(IniPath(), Engine->List().Entries);
        Engine = nullptr;
        Context = nullptr;
    };
    Engine->OnChanged = [this] { Refresh(); };
    TJacquardList list;
    list.Entries = ReadJacquardIni(IniPath(), BrowserV->Library());
    const TDocument* doc = Context ? Context->Document : nullptr;
    list.EffectColour = doc ? doc->Palette().UseColor + 1 : TPalette::kFirstDrawing;
    Engine->SetList(std::move(list));
    for (int m = 0; m < 3; ++m)
        if (sbMode[m]->isChecked()) Engine->SetMode(m);
}

void TJacquardForm::Refresh() {
    const QSignalBlocker block(lbList);
    Filling = true;
    lbList->clear();
    const bool any = Engine && Engine->Current();
    if (Engine) {
        for (const TJacquardEntry& e : Engine->List().Entries)
            lbList->addItem(JacquardLabel(e));
        if (any) lbList->setCurrentRow(Engine->CurrentIndex());
        if (any) seZoom->setValue(Engine->Current()->Zoom);
        seEffect->setValue(Engine->List().EffectColour - 1);
    }
    for (QToolButton* b : {sbRotate, sbApply, sbDelete, sbAll, sbWif})
        b->setEnabled(any);
    Filling = false;
}

void TJacquardForm::lbListChange(int row) {
    if (Engine && row >= 0) Engine->SetCurrent(row);
}

void TJacquardForm::seZoomChange(int zoom) {
    if (Engine && !Filling) Engine->SetZoom(zoom);
}

void TJacquardForm::sbOpenClick() {
    const QString path = Engine ? OnChooseFile(Texts.Get(15), false) : QString();
    if (path.isEmpty()) return;
    TJacquardList list;
    const uint32_t code = ReadJacquardFile(path, list);
    if (!code) Engine->SetList(std::move(list));
    Report(code);
}

void TJacquardForm::sbSaveClick() {
    const QString path = Engine ? OnChooseFile(Texts.Get(15), true) : QString();
    if (!path.isEmpty()) Report(WriteJacquardFile(path, Engine->List()));
}

void TJacquardForm::sbImportWifClick() {
    const QString path = Engine ? OnChooseFile(Texts.Get(20), false) : QString();
    if (path.isEmpty()) return;
    TJacquardEntry e;
    QString detail;
    if (const uint32_t code = ReadWif(path, e.Weave, &detail)) {
        ReportError(code, MB_OK, detail);
        return;
    }
    e.Part = JacquardSpecial;
    e.DisplayName = e.Key = QFileInfo(path).completeBaseName();
    e.Zoom = seZoom->value();
    Engine->Add(e);
}

void TJacquardForm::sbWifClick() {
    const QString path = Engine && Engine->Current() ? OnChooseFile(Texts.Get(20), true) : QString();
    if (!path.isEmpty()) Report(WriteJacquardWif(path, *Engine->Current()));
}
