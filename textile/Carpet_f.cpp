#include "textile/Carpet_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Tdocument.h"
#include "textile/Carpetfile.h"
#include "textile/Carpettable_f.h"
#include "textile/Carpettool.h"
#include "textile/Disk_f.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewSide = 64;
constexpr int kMaxKnots = 9999;
enum TPanel { FillPanel = 0, RegaugePanel = 1, WindowPanel = 2 };

// An entry of the common table, or fallback before the tables are loaded.
QString Common(int index, const char* fallback) {
    return AppTables.Common ? AppTables.Common->Get(index) : QString::fromLatin1(fallback);
}

QString IniPath() {
    return SettingsFile(QStringLiteral("Carpet.ini"));
}

} // namespace

TCarpetForm::TCarpetForm(QWidget* parent, const QString& folder, const QString& userFolder)
    : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language, QStringLiteral("Carpet"));
    setWindowTitle(Texts.Get(6));
    auto* functions = new QButtonGroup(this);
    sbTextureFill = GroupToggle(Texts.Get(0), functions);
    sbAreaFill = GroupToggle(Texts.Get(1), functions);
    sbRegauge = GroupToggle(Texts.Get(2), functions);
    sbTableView = GroupToggle(Texts.Get(3), functions);
    sbWindow = GroupToggle(Texts.Get(4), functions);
    const std::pair<QToolButton*, int> tags[] = {{sbTextureFill, CarpetTextureFillFn},
                                                 {sbAreaFill, CarpetAreaFillFn},
                                                 {sbRegauge, CarpetRegaugeFn},
                                                 {sbTableView, CarpetTableViewFn},
                                                 {sbWindow, CarpetWindowFn}};
    for (const auto& [button, tag] : tags)
        connect(button, &QToolButton::clicked, this, [this, t = tag] { sbFunctionClick(t); });
    sbFile = SpeedButton(Common(11, "File"));
    SpeedButton1 = SpeedButton(Texts.Get(5));
    connect(sbFile, &QToolButton::clicked, this, [this] {
        if (OnFile) OnFile();
    });
    connect(SpeedButton1, &QToolButton::clicked, this, &TCarpetForm::SpeedButton1Click);
    Panels = new QStackedWidget;
    Panels->addWidget(MakeFillPanel());
    Panels->addWidget(MakeRegaugePanel());
    Panels->addWidget(MakeWindowPanel());
    auto* grid = new QGridLayout;
    int at = 0;
    for (QToolButton* b : {sbTextureFill, sbAreaFill, sbRegauge, sbTableView, sbWindow, sbFile, SpeedButton1})
        grid->addWidget(b, at / 2, at % 2), ++at;
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(grid);
    all->addWidget(Panels);
    TableV = new TCarpetTableForm(this, folder, userFolder);
    TableV->hide();
    sbWindow->setChecked(true);
}

TCarpetForm::~TCarpetForm() {
    if (Engine) {
        Engine->OnChanged = nullptr;
        Engine->OnGone = nullptr;
    }
}

QWidget* TCarpetForm::MakeFillPanel() {
    auto* panel = new QWidget;
    sbNew = SpeedButton(Common(22, "New"));
    sbDelete = SpeedButton(Common(36, "Delete"));
    connect(sbNew, &QToolButton::clicked, this, &TCarpetForm::sbNewClick);
    connect(sbDelete, &QToolButton::clicked, this, &TCarpetForm::sbDeleteClick);
    Image = new QLabel;
    Image->setFixedSize(kPreviewSide, kPreviewSide);
    stName = new QLabel(Texts.Get(13));
    ScrollBar = new QScrollBar(Qt::Vertical);
    connect(ScrollBar, &QScrollBar::valueChanged, this, &TCarpetForm::ScrollBarChange);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(sbNew, 0, 0);
    grid->addWidget(sbDelete, 0, 1);
    grid->addWidget(Image, 1, 0);
    grid->addWidget(ScrollBar, 1, 1);
    grid->addWidget(stName, 2, 0, 1, 2);
    return panel;
}

QWidget* TCarpetForm::MakeRegaugePanel() {
    auto* panel = new QWidget;
    spReEditW = SpinEdit(0, kMaxKnots);
    spReEditH = SpinEdit(0, kMaxKnots);
    lbMax = new QLabel;
    sbRegaugeRun = SpeedButton(Common(49, "Run"));
    connect(sbRegaugeRun, &QToolButton::clicked, this, &TCarpetForm::sbRegaugeRunClick);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(Texts.Get(7)), 0, 0);
    grid->addWidget(spReEditW, 0, 1);
    grid->addWidget(new QLabel(Texts.Get(9)), 0, 2);
    grid->addWidget(new QLabel(Texts.Get(8)), 1, 0);
    grid->addWidget(spReEditH, 1, 1);
    grid->addWidget(lbMax, 2, 0, 1, 3);
    grid->addWidget(sbRegaugeRun, 3, 0, 1, 3);
    return panel;
}

QWidget* TCarpetForm::MakeWindowPanel() {
    auto* panel = new QWidget;
    stWindow = SpeedButton(Texts.Get(12));
    connect(stWindow, &QToolButton::clicked, this, &TCarpetForm::stWindowClick);
    spEditW = SpinEdit(0, kMaxKnots);
    spEditH = SpinEdit(0, kMaxKnots);
    sbWindowRun = SpeedButton(Common(49, "Run"));
    connect(sbWindowRun, &QToolButton::clicked, this, &TCarpetForm::sbWindowRunClick);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(Texts.Get(10)), 0, 0);
    grid->addWidget(stWindow, 0, 1);
    grid->addWidget(new QLabel(Texts.Get(7)), 1, 0);
    grid->addWidget(spEditW, 1, 1);
    grid->addWidget(new QLabel(Texts.Get(8)), 2, 0);
    grid->addWidget(spEditH, 2, 1);
    grid->addWidget(sbWindowRun, 3, 0, 1, 2);
    return panel;
}

TDocument* TCarpetForm::Design() const {
    return Context ? Context->Document : nullptr;
}

void TCarpetForm::Attach(TCarpetTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    // The tool is left: the working list's names are kept for the next time.
    Engine->OnGone = [this] {
        if (TDocument* doc = Design()) WriteCarpetIni(IniPath(), doc->CarpetTextures());
        Engine = nullptr;
        Context = nullptr;
    };
    Engine->OnChanged = [this] { ShowDesign(); };
    TableV->OnPick = [this](const TCarpetTexture& t) {
        if (Engine && Design()) Engine->Pick(*Design(), t);
    };
    if (TDocument* doc = Design(); doc && doc->CarpetTextures().empty())
        Engine->Restore(*doc, ReadCarpetIni(IniPath()), TableV->Library().Textures());
    Engine->SetFunction(CarpetWindowFn);
    ShowDesign();
}

void TCarpetForm::ShowDesign() {
    TDocument* doc = Design();
    if (Watched != doc) {
        if (Watched) disconnect(Watched, nullptr, this, nullptr);
        Watched = doc;
        if (doc) connect(doc, &TDocument::StateChanged, this, &TCarpetForm::ShowDesign);
    }
    TableV->SetDocument(doc);
    const int function = Engine ? Engine->Function() : CarpetWindowFn;
    TableV->setVisible(function == CarpetTableViewFn && isVisible());
    const QSignalBlocker a(ScrollBar), b(spReEditW), c(spReEditH), d(spEditW), e(spEditH);
    const TCarpetWindow window = doc ? doc->CarpetWindow() : TCarpetWindow{};
    const int width = doc ? doc->Picture().Width : 0, height = doc ? doc->Picture().Height : 0;
    for (QSpinBox* w : {spReEditW, spEditW})
        w->setRange(0, std::min(width, kMaxKnots));
    for (QSpinBox* h : {spReEditH, spEditH})
        h->setRange(0, std::min(height, kMaxKnots));
    if (function == CarpetRegaugeFn) {
        Panels->setCurrentIndex(RegaugePanel);
        spReEditW->setValue(window.Width);
        spReEditH->setValue(window.Height);
        lbMax->setText(Texts.Get(14) + QStringLiteral("  %1  x  %2").arg(window.Width).arg(window.Height));
    } else if (function == CarpetWindowFn) {
        Panels->setCurrentIndex(WindowPanel);
        stWindow->setText(Texts.Get(window.On ? 11 : 12));
        spEditW->setValue(window.Width);
        spEditH->setValue(window.Height);
    } else {
        Panels->setCurrentIndex(FillPanel);
    }
    const int count = doc ? int(doc->CarpetTextures().size()) : 0;
    ScrollBar->setRange(0, std::max(0, count - 1));
    ScrollBar->setEnabled(count > 0);
    const TCarpetTexture* current = Engine && doc ? Engine->Current(*doc) : nullptr;
    if (current) ScrollBar->setValue(Engine->CurrentIndex());
    stName->setText(current ? TextureStem(current->Name) : Texts.Get(13));
    Image->setPixmap(current ? CarpetTexturePreview(*current, &doc->Palette(), kPreviewSide) : QPixmap());
}

void TCarpetForm::sbFunctionClick(int function) {
    if (Engine) Engine->SetFunction(function);
    ShowDesign();
    if (function == CarpetTableViewFn) TableV->show();
}

void TCarpetForm::sbNewClick() {
    if (Engine && Design()) Engine->New(*Design());
}

void TCarpetForm::sbDeleteClick() {
    if (Engine && Design()) Engine->Delete(*Design());
}

void TCarpetForm::ScrollBarChange(int index) {
    if (!Engine) return;
    Engine->SetCurrent(index);
    ShowDesign();
}

void TCarpetForm::sbRegaugeRunClick() {
    if (Engine && Context) Engine->Regauge(*Context, spReEditW->value(), spReEditH->value());
    ShowDesign();
}

void TCarpetForm::stWindowClick() {
    TDocument* doc = Design();
    if (!doc) return;
    TCarpetWindow window = doc->CarpetWindow();
    window.On = !window.On;
    doc->SetCarpetWindow(window);
}

void TCarpetForm::sbWindowRunClick() {
    TDocument* doc = Design();
    if (!doc || !doc->CarpetWindow().On) return;
    doc->SetCarpetWindow(TCarpetWindow{true, spEditW->value(), spEditH->value()});
}

void TCarpetForm::SpeedButton1Click() {
    if (Design() && Context && ShowDiskManager(this, *Design(), Context->Colour)) ShowDesign();
}
