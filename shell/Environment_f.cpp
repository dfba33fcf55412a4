#include "shell/Environment_f.h"

#include "colour/Colorref.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Exception.h"
#include "shell/Grid_f.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
QSpinBox* MakeSpin(int low, int high) {
    auto* box = new QSpinBox;
    box->setRange(low, high);
    return box;
}

// A colour swatch and its "..." button side by side.
QWidget* ColourRow(QLabel* swatch, QPushButton* button) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    swatch->setFixedSize(40, 20);
    swatch->setFrameShape(QFrame::Box);
    button->setFixedWidth(30);
    layout->addWidget(swatch);
    layout->addWidget(button);
    layout->addStretch();
    return row;
}
} // namespace

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), Buttons(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    columns = std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i]);
        Buttons->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
}

int TRadioGroup::ItemIndex() const {
    return Buttons->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    const QSignalBlocker block(Buttons);
    if (QAbstractButton* button = Buttons->button(index)) button->setChecked(true);
}

QRadioButton* TRadioGroup::Button(int index) const {
    return static_cast<QRadioButton*>(Buttons->button(index));
}

TGapEdit::TGapEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(6);
    setRange(0.000001, 100000.0);
}

QString TGapEdit::textFromValue(double value) const {
    QString text = locale().toString(value, 'f', 6);
    const QChar point = locale().decimalPoint().front();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point)) text.chop(1);
    }
    return text;
}

TGridPreview::TGridPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
}

void TGridPreview::SetGrid(const TGridSetup& grid, int dpi) {
    Grid = grid;
    Dpi = dpi;
    update();
}

void TGridPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Very fine or very coarse grids are drawn at a spacing that still shows the pattern.
    const auto spacing = [this](double gap) {
        return std::clamp(int(std::lround(LengthToDots(gap, Grid.Unit, Dpi))), 4, 40);
    };
    const int sx = spacing(Grid.GapX), sy = spacing(Grid.GapY), every = Grid.LinesPerSection;
    for (int pass = 0; pass < 2; ++pass) { // section lines on top
        p.setPen(ToQColor(pass ? Grid.SectionColor : Grid.Color));
        for (int k = 0; k * sx < width(); ++k)
            if ((every > 0 && k % every == 0) == bool(pass)) p.drawLine(k * sx, 0, k * sx, height());
        for (int k = 0; k * sy < height(); ++k)
            if ((every > 0 && k % every == 0) == bool(pass)) p.drawLine(0, k * sy, width(), k * sy);
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TEnvironmentForm::TEnvironmentForm(QWidget* parent, const QString& iniPath)
    : QDialog(parent), IniPath(iniPath) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Environment"));
    if (IniPath.isEmpty()) IniPath = SettingsFile(QStringLiteral("Environment.ini"));
    setWindowTitle(Texts.Get(0));
    pcPages = new QTabWidget;
    pcPages->addTab(MakeGridPage(), Texts.Get(1));
    pcPages->addTab(MakeOptionPage(), Texts.Get(2));
    pcPages->addTab(MakeAutoSavePage(), Texts.Get(3));
    pcPages->addTab(MakeSizePage(), Texts.Get(4));
    QDialogButtonBox* buttons = MakeOkCancel(this, Texts.Get(31), Texts.Get(32), [this] { btOKClick(); });
    btOK = buttons->button(QDialogButtonBox::Ok);
    btCancel = buttons->button(QDialogButtonBox::Cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(pcPages);
    all->addWidget(buttons);

    PickColor = [this](TColorRef& colour) { return ChooseColor(this, colour); };
    connect(rgUnit->Group(), &QButtonGroup::idClicked, this, &TEnvironmentForm::rgUnitClick);
    connect(btGridColor, &QPushButton::clicked, this, [this] { ColorClick(Settings_.Grid.Color); });
    connect(btSectionColor, &QPushButton::clicked, this, [this] { ColorClick(Settings_.Grid.SectionColor); });
    connect(seSectionNumber, &QSpinBox::valueChanged, this, &TEnvironmentForm::seSectionNumberChange);
    for (QDoubleSpinBox* gap : {static_cast<QDoubleSpinBox*>(rceGapX), static_cast<QDoubleSpinBox*>(rceGapY)})
        connect(gap, &QDoubleSpinBox::valueChanged, this, &TEnvironmentForm::DrawPreview);
    connect(seDPI, &QSpinBox::valueChanged, this, &TEnvironmentForm::DrawPreview);
    connect(lbGrid, &QListWidget::itemDoubleClicked, this, &TEnvironmentForm::lbGridDblClick);
    connect(btAdd, &QPushButton::clicked, this, &TEnvironmentForm::btAddClick);
    connect(btDelete, &QPushButton::clicked, this, &TEnvironmentForm::btDeleteClick);
    FormCreate();
}

QWidget* TEnvironmentForm::MakeGridPage() {
    auto* page = new QWidget;
    rgUnit = new TRadioGroup(Texts.Get(5), {Texts.Get(6), Texts.Get(7), Texts.Get(8)}, 3);
    rceGapX = new TGapEdit;
    rceGapY = new TGapEdit;
    seDPI = MakeSpin(kEnvMinDpi, kEnvMaxDpi);
    shGridColor = new QLabel;
    shSectionColor = new QLabel;
    btGridColor = new QPushButton(QStringLiteral("..."));
    btSectionColor = new QPushButton(QStringLiteral("..."));
    seSectionNumber = MakeSpin(0, kMaxLinesPerSection);
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(9), rceGapX);
    form->addRow(Texts.Get(10), rceGapY);
    form->addRow(Texts.Get(11), seDPI);
    form->addRow(Texts.Get(12), ColourRow(shGridColor, btGridColor));
    form->addRow(Texts.Get(13), seSectionNumber);
    form->addRow(Texts.Get(14), ColourRow(shSectionColor, btSectionColor));
    auto* left = new QVBoxLayout;
    left->addWidget(rgUnit);
    left->addLayout(form);
    left->addStretch();

    auto* catalog = new QGroupBox(Texts.Get(15));
    lbGrid = new QListWidget;
    btAdd = new QPushButton(Texts.Get(16));
    btDelete = new QPushButton(Texts.Get(17));
    auto* catalogButtons = new QHBoxLayout;
    catalogButtons->addWidget(btAdd);
    catalogButtons->addWidget(btDelete);
    auto* catalogLayout = new QVBoxLayout(catalog);
    catalogLayout->addWidget(lbGrid);
    catalogLayout->addLayout(catalogButtons);
    auto* preview = new QGroupBox(Texts.Get(34));
    GridPreview = new TGridPreview;
    (new QVBoxLayout(preview))->addWidget(GridPreview);
    auto* right = new QVBoxLayout;
    right->addWidget(catalog, 1);
    right->addWidget(preview);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

QWidget* TEnvironmentForm::MakeOptionPage() {
    auto* page = new QWidget;
    spEditUndo = MakeSpin(kMinUndoLimit, kMaxUndoLimit);
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(18), spEditUndo);
    form->addRow(QString(), new QLabel(Texts.Get(19)));
    RadioGroup1 = new TRadioGroup(Texts.Get(20), {Texts.Get(8), Texts.Get(7), Texts.Get(6)}, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(RadioGroup1);
    layout->addStretch();
    return page;
}

QWidget* TEnvironmentForm::MakeAutoSavePage() {
    auto* page = new QWidget;
    CheckBox1 = new QCheckBox(Texts.Get(21));
    spMinute = MakeSpin(kMinAutoSaveMinutes, kMaxAutoSaveMinutes);
    auto* row = new QHBoxLayout;
    row->addWidget(CheckBox1);
    row->addWidget(spMinute);
    row->addWidget(new QLabel(Texts.Get(22)));
    row->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* TEnvironmentForm::MakeSizePage() {
    auto* page = new QWidget;
    QStringList sizes;
    for (int i = 0; i < kSizeChoices; ++i)
        sizes << Texts.Get(23 + i);
    RadioGroup2 = new TRadioGroup(Texts.Get(33), sizes, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(RadioGroup2);
    layout->addStretch();
    return page;
}

void TEnvironmentForm::FormCreate() {
    Settings_ = ReadEnvironmentSettings(TIniFile(IniPath));
    ShowSettings();
}

void TEnvironmentForm::ShowSettings() {
    const TEnvironmentSettings& s = Settings_;
    const QSignalBlocker b1(rceGapX), b2(rceGapY), b3(seDPI), b4(seSectionNumber);
    UnitV = s.Grid.Unit;
    rgUnit->SetItemIndex(UnitV);
    rceGapX->setValue(s.Grid.GapX);
    rceGapY->setValue(s.Grid.GapY);
    seDPI->setValue(s.Dpi);
    seSectionNumber->setValue(s.Grid.LinesPerSection);
    spEditUndo->setValue(s.MaxUndo);
    RadioGroup1->SetItemIndex(s.MainImageUnit);
    CheckBox1->setChecked(s.AutoSave);
    spMinute->setValue(s.AutoSaveMinutes);
    RadioGroup2->SetItemIndex(s.SizeChoice);
    FillPresets();
    ShowColours();
    DrawPreview();
}

TGridSetup TEnvironmentForm::GridOfControls() const {
    TGridSetup g = Settings_.Grid;
    g.Unit = UnitV;
    g.GapX = rceGapX->value();
    g.GapY = rceGapY->value();
    g.LinesPerSection = seSectionNumber->value();
    return g;
}

void TEnvironmentForm::ReadControls() {
    TEnvironmentSettings& s = Settings_;
    s.Grid = GridOfControls();
    s.Dpi = seDPI->value();
    s.MaxUndo = spEditUndo->value();
    s.MainImageUnit = std::max(0, RadioGroup1->ItemIndex());
    s.AutoSave = CheckBox1->isChecked();
    s.AutoSaveMinutes = spMinute->value();
    s.SizeChoice = std::max(0, RadioGroup2->ItemIndex());
}

void TEnvironmentForm::ShowColours() {
    const auto swatch = [](TColorRef c) {
        return QStringLiteral("background-color: %1").arg(ToQColor(c).name());
    };
    shGridColor->setStyleSheet(swatch(Settings_.Grid.Color));
    shSectionColor->setStyleSheet(swatch(Settings_.Grid.SectionColor));
}

void TEnvironmentForm::DrawPreview() {
    GridPreview->SetGrid(GridOfControls(), seDPI->value());
}

void TEnvironmentForm::FillPresets() {
    const QStringList names = {Texts.Get(6), Texts.Get(7), Texts.Get(8)};
    lbGrid->clear();
    for (const QString& preset : Settings_.Presets)
        lbGrid->addItem(GridPresetCaption(preset, names, TPresetCaption::Stored));
}

void TEnvironmentForm::rgUnitClick(int unit) {
    if (unit == UnitV) return;
    TGridSetup g = ChangeGridUnit(GridOfControls(), unit, seDPI->value());
    const QSignalBlocker b1(rceGapX), b2(rceGapY);
    rceGapX->setValue(g.GapX);
    rceGapY->setValue(g.GapY);
    UnitV = unit;
    DrawPreview();
}

void TEnvironmentForm::ColorClick(TColorRef& colour) {
    if (!PickColor || !PickColor(colour)) return;
    ShowColours();
    DrawPreview();
}

void TEnvironmentForm::seSectionNumberChange() {
    if (!seSectionNumber->cleanText().isEmpty()) DrawPreview();
}

void TEnvironmentForm::lbGridDblClick(QListWidgetItem* item) {
    const int row = lbGrid->row(item);
    TGridSetup g = GridOfControls();
    if (row < 0 || row >= Settings_.Presets.size() || !ParseGridPreset(Settings_.Presets[row], g)) return;
    const QSignalBlocker b1(rceGapX), b2(rceGapY);
    UnitV = g.Unit;
    rgUnit->SetItemIndex(g.Unit);
    rceGapX->setValue(g.GapX);
    rceGapY->setValue(g.GapY);
    DrawPreview();
}

void TEnvironmentForm::btAddClick() {
    Settings_.Presets << GridPresetText(GridOfControls());
    FillPresets();
    lbGrid->setCurrentRow(lbGrid->count() - 1);
}

void TEnvironmentForm::btDeleteClick() {
    const int row = lbGrid->currentRow();
    if (row < 0 || row >= Settings_.Presets.size()) return;
    Settings_.Presets.removeAt(row);
    delete lbGrid->takeItem(row);
}

void TEnvironmentForm::btOKClick() {
    ReadControls();
    if (!SaveEnvironmentSettings(IniPath, Settings_)) {
        ReportError(ErrorCode::CannotWriteFile, MB_OK, IniPath);
        return;
    }
    accept();
}
