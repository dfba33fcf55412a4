#include "shell/Grid_f.h"

#include "colour/Colorref.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* MakeGapBox() {
    auto* box = new QDoubleSpinBox;
    box->setDecimals(2);
    box->setRange(0.01, 100000.0);
    return box;
}
} // namespace

TGridForm::TGridForm(int dpi, const TGridSetup& setup, QWidget* parent, const QString& iniPath)
    : QDialog(parent), Dpi(dpi), IniPath(iniPath) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Grid"));
    const auto text = [this](int i, const char* fallback) {
        const QString t = Texts.Get(i);
        return t.isEmpty() ? QString::fromLatin1(fallback) : t;
    };
    setWindowTitle(text(0, "Grid"));
    if (IniPath.isEmpty()) IniPath = SettingsFile(QStringLiteral("Environment.ini"));
    cbUnit = new QComboBox;
    cbUnit->addItems({text(2, "Dot"), text(3, "Inch"), text(4, "Cm")});
    eGapX = MakeGapBox();
    eGapY = MakeGapBox();
    btColor = new QPushButton(text(7, "Grid Color"));
    btSectionColor = new QPushButton(text(9, "Section Color"));
    seLines = new QSpinBox;
    seLines->setRange(0, 1000);
    lbCatalog = new QListWidget;
    btAdd = new QPushButton(text(11, "Add"));
    btDelete = new QPushButton(text(12, "Delete"));
    QDialogButtonBox* buttons = MakeOkCancel(this, text(13, "OK"), text(14, "Cancel"));
    btOK = buttons->button(QDialogButtonBox::Ok);
    btCancel = buttons->button(QDialogButtonBox::Cancel);

    auto* form = new QFormLayout;
    form->addRow(text(1, "Unit"), cbUnit);
    form->addRow(text(5, "Gap X :"), eGapX);
    form->addRow(text(6, "Gap Y :"), eGapY);
    form->addRow(text(8, "Lines per section :"), seLines);
    form->addRow(btColor, btSectionColor);
    auto* catalogButtons = new QHBoxLayout;
    catalogButtons->addWidget(btAdd);
    catalogButtons->addWidget(btDelete);
    form->addRow(text(10, "Catalog"), lbCatalog);
    form->addRow(QString(), catalogButtons);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(buttons);

    PickColor = [this](TColorRef& colour) { return ChooseColor(this, colour); };
    Show(setup);
    FillCatalog();
    connect(cbUnit, &QComboBox::currentIndexChanged, this, &TGridForm::cbUnitChange);
    connect(btColor, &QPushButton::clicked, this, [this] { btColorClick(ColorV); });
    connect(btSectionColor, &QPushButton::clicked, this, [this] { btColorClick(SectionColorV); });
    connect(btAdd, &QPushButton::clicked, this, &TGridForm::btAddClick);
    connect(btDelete, &QPushButton::clicked, this, &TGridForm::btDeleteClick);
    connect(lbCatalog, &QListWidget::currentRowChanged, this, &TGridForm::lbCatalogChange);
}

TGridForm::~TGridForm() = default;

TGridSetup TGridForm::Settings() const {
    TGridSetup s;
    s.Unit = UnitV;
    s.GapX = eGapX->value();
    s.GapY = eGapY->value();
    s.Color = ColorV;
    s.LinesPerSection = seLines->value();
    s.SectionColor = SectionColorV;
    return s;
}

void TGridForm::Show(const TGridSetup& setup) {
    UnitV = std::clamp(setup.Unit, 0, 2);
    {
        const QSignalBlocker block(cbUnit);
        cbUnit->setCurrentIndex(UnitV);
    }
    eGapX->setValue(setup.GapX);
    eGapY->setValue(setup.GapY);
    seLines->setValue(setup.LinesPerSection);
    ColorV = setup.Color;
    SectionColorV = setup.SectionColor;
    ShowColours();
}

void TGridForm::ShowColours() {
    const auto swatch = [](TColorRef c) {
        return QStringLiteral("background-color: %1").arg(ToQColor(c).name());
    };
    btColor->setStyleSheet(swatch(ColorV));
    btSectionColor->setStyleSheet(swatch(SectionColorV));
}

void TGridForm::cbUnitChange(int unit) {
    if (unit < 0 || unit > 2) return;
    eGapX->setValue(ConvertGap(eGapX->value(), UnitV, unit, Dpi));
    eGapY->setValue(ConvertGap(eGapY->value(), UnitV, unit, Dpi));
    UnitV = unit;
}

void TGridForm::btColorClick(TColorRef& colour) {
    if (PickColor && PickColor(colour)) ShowColours();
}

void TGridForm::FillCatalog() {
    const TIniFile ini(IniPath);
    Presets = ReadGridCatalog(ini);
    const QSignalBlocker block(lbCatalog);
    lbCatalog->clear();
    const QStringList names = {cbUnit->itemText(0), cbUnit->itemText(1), cbUnit->itemText(2)};
    for (const QString& preset : Presets)
        lbCatalog->addItem(GridPresetCaption(preset, names, TPresetCaption::Short, Settings()));
}

void TGridForm::StoreCatalog() {
    TIniFile ini(IniPath);
    WriteGridCatalog(ini, Presets);
    ini.UpdateFile();
    FillCatalog();
}

void TGridForm::btAddClick() {
    Presets << GridPresetText(Settings());
    StoreCatalog();
    lbCatalog->setCurrentRow(int(Presets.size()) - 1);
}

void TGridForm::btDeleteClick() {
    const int row = lbCatalog->currentRow();
    if (row < 0 || row >= Presets.size()) return;
    Presets.removeAt(row);
    StoreCatalog();
}

void TGridForm::lbCatalogChange(int row) {
    TGridSetup s = Settings();
    if (row >= 0 && row < Presets.size() && ParseGridPreset(Presets[row], s)) Show(s);
}

bool ChooseColor(QWidget* parent, TColorRef& colour) {
    const QColor chosen = QColorDialog::getColor(ToQColor(colour), parent);
    if (!chosen.isValid()) return false;
    colour = FromQColor(chosen);
    return true;
}
