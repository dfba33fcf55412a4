#include "textile/Texture_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "textile/Weavepicture.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

namespace {

constexpr int kColumns = 4;
constexpr int kCellSide = 96; // the grid cell's picture, the weave cut at its edge
const QString kSection = QStringLiteral("TextureTable");

QString MainIni() {
    return SettingsFile(QStringLiteral("Main.ini"));
}

} // namespace

TTextureForm::TTextureForm(QWidget* parent, const QString& folder) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QStringLiteral("Textile")), Configuration.Language,
               QStringLiteral("Texture"));
    setWindowTitle(Texts.Get(0));
    auto* parts = new QButtonGroup(this);
    auto* top = new QHBoxLayout;
    for (int p = 0; p < 3; ++p) {
        sbPart[p] = new QToolButton;
        sbPart[p]->setText(Texts.Get(1 + p));
        sbPart[p]->setCheckable(true);
        parts->addButton(sbPart[p]);
        top->addWidget(sbPart[p]);
        connect(sbPart[p], &QToolButton::clicked, this, [this, p] { PartClick(p); });
    }
    top->addStretch();
    top->addWidget(new QLabel(Texts.Get(7)));
    seZoom = new QSpinBox;
    seZoom->setRange(1, 32);
    seZoom->setValue(8);
    top->addWidget(seZoom);
    connect(seZoom, &QSpinBox::valueChanged, this, &TTextureForm::FillGrid);
    auto* lists = new QGridLayout;
    for (int t = 0; t < 3; ++t) {
        lbType[t] = new QListWidget;
        lbType[t]->setMaximumHeight(120);
        lists->addWidget(new QLabel(Texts.Get(4 + t)), 0, t);
        lists->addWidget(lbType[t], 1, t);
        connect(lbType[t], &QListWidget::currentRowChanged, this, [this, t](int row) { TypeClick(t, row); });
    }
    TextureGrid = new QTableWidget(0, kColumns);
    TextureGrid->horizontalHeader()->hide();
    TextureGrid->verticalHeader()->hide();
    TextureGrid->horizontalHeader()->setDefaultSectionSize(kCellSide + 8);
    TextureGrid->verticalHeader()->setDefaultSectionSize(kCellSide + 8);
    TextureGrid->setIconSize(QSize(kCellSide, kCellSide));
    TextureGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TextureGrid->setMinimumSize(kColumns * (kCellSide + 8) + 20, 2 * (kCellSide + 8) + 4);
    connect(TextureGrid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { SelectWeave(row * kColumns + column); });
    connect(TextureGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { ChooseWeave(row * kColumns + column); });
    StatusBar = new QLabel;
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(lists);
    all->addWidget(TextureGrid, 1);
    all->addWidget(StatusBar);

    if (const uint32_t code = LibraryV.Load(folder.isEmpty() ? Configuration.Texture : folder))
        ReportError(code, MB_OK, folder.isEmpty() ? Configuration.Texture : folder);
    // The place it had, or centred on the screen.
    const TIniFile ini(MainIni());
    const QSize size(ini.ReadInteger(kSection, "FormWidth", sizeHint().width()),
                     ini.ReadInteger(kSection, "FormHeight", sizeHint().height()));
    resize(size.expandedTo(minimumSizeHint()));
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    move(ini.ReadInteger(kSection, "FormLeft", screen.center().x() - width() / 2),
         ini.ReadInteger(kSection, "FormTop", screen.center().y() - height() / 2));
    sbPart[0]->setChecked(true);
    PartClick(0);
}

TTextureForm::~TTextureForm() {
    TIniFile ini(MainIni());
    ini.WriteInteger(kSection, "FormLeft", x());
    ini.WriteInteger(kSection, "FormTop", y());
    ini.WriteInteger(kSection, "FormWidth", width());
    ini.WriteInteger(kSection, "FormHeight", height());
}

const std::vector<TTexBitData>& TTextureForm::Weaves() const {
    static const std::vector<TTexBitData> none;
    if (!HasGroup) return none;
    const TWeaveChoice& c = CurrentV;
    if (c.Part == 0) return LibraryV.Foundation[size_t(c.Type)][size_t(c.Group)].Weaves;
    if (c.Part == 1) return LibraryV.Derivation[size_t(c.Type)][size_t(c.Group)].Weaves;
    return LibraryV.Special[size_t(c.Group)].Weaves;
}

void TTextureForm::PartClick(int part) {
    CurrentV = TWeaveChoice{part, 0, 0, 0};
    HasGroup = false;
    for (int t = 0; t < 3; ++t) {
        const QSignalBlocker quiet(lbType[t]);
        lbType[t]->clear();
        // The speciality part has no weave types: its groups are in the first list.
        if (part == 0)
            for (const TFoundGroup& g : LibraryV.Foundation[size_t(t)])
                lbType[t]->addItem(Texts.Get(9).arg(g.Repeat));
        else if (part == 1)
            for (const TNamedGroup& g : LibraryV.Derivation[size_t(t)])
                lbType[t]->addItem(g.Name);
        else if (t == 0)
            for (const TNamedGroup& g : LibraryV.Special)
                lbType[t]->addItem(g.Name);
    }
    FillGrid();
}

void TTextureForm::TypeClick(int type, int row) {
    if (row < 0) return;
    for (int t = 0; t < 3; ++t)
        if (t != type) {
            const QSignalBlocker quiet(lbType[t]);
            lbType[t]->setCurrentRow(-1);
        }
    CurrentV = TWeaveChoice{CurrentV.Part, CurrentV.Part == 2 ? 0 : type, row, 0};
    HasGroup = true;
    FillGrid();
}

void TTextureForm::ShowGroup(int part, int type, int group) {
    if (part < 0 || part > 2 || type < 0 || type > 2) return;
    sbPart[part]->setChecked(true);
    PartClick(part);
    if (group >= 0 && group < lbType[type]->count()) lbType[type]->setCurrentRow(group);
}

void TTextureForm::FillGrid() {
    const std::vector<TTexBitData>& weaves = Weaves();
    TextureGrid->clear();
    TextureGrid->setRowCount(int((weaves.size() + kColumns - 1) / kColumns));
    for (size_t i = 0; i < weaves.size(); ++i) {
        auto* item = new QTableWidgetItem;
        item->setIcon(QPixmap::fromImage(WeavePicture(weaves[i], seZoom->value(), kCellSide)));
        item->setToolTip(weaves[i].Name);
        TextureGrid->setItem(int(i) / kColumns, int(i) % kColumns, item);
    }
    StatusBar->clear();
}

void TTextureForm::SelectWeave(int index) {
    const std::vector<TTexBitData>& weaves = Weaves();
    if (index < 0 || size_t(index) >= weaves.size()) return;
    CurrentV.Weave = index;
    const TTexBitData& w = weaves[size_t(index)];
    StatusBar->setText(Texts.Get(8)
                           .arg(w.Name)
                           .arg(w.Width)
                           .arg(w.Height)
                           .arg(LongestWarpFloat(w))
                           .arg(LongestWeftFloat(w)));
}

void TTextureForm::ChooseWeave(int index) {
    SelectWeave(index);
    const std::vector<TTexBitData>& weaves = Weaves();
    if (index < 0 || size_t(index) >= weaves.size() || !OnChoose) return;
    OnChoose(CurrentV, weaves[size_t(index)]);
}
