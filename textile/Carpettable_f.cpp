#include "textile/Carpettable_f.h"

#include "colour/Colorref.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "textile/Carpetfile.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 4, kRows = 10;
constexpr int kCell = 64;     // the side of a texture's preview in its cell
constexpr int kNameBand = 18; // the name below it

// A cell: the preview with the name centred below it.
QPixmap Cell(const TCarpetTexture& t, const TPalette* palette, const QFont& font) {
    QPixmap cell(kCell, kCell + kNameBand);
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.drawPixmap(0, 0, CarpetTexturePreview(t, palette, kCell));
    p.setFont(font);
    p.drawText(QRect(0, kCell, kCell, kNameBand), Qt::AlignCenter, TextureStem(t.Name));
    return cell;
}

} // namespace

QPixmap CarpetTexturePreview(const TCarpetTexture& t, const TPalette* palette, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    const int knot = std::max(2, side / std::max(8, 2 * std::max(t.Width, t.Height)));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint8_t v = t.At((x / knot) % t.Width, (y / knot) % t.Height);
            image.setPixel(x, y, palette ? ToQColor((*palette)[v].ColorRef()).rgb() : qRgb(v, v, v));
        }
    return QPixmap::fromImage(image);
}

TCarpetTableForm::TCarpetTableForm(QWidget* parent, const QString& folder, const QString& userFolder)
    : QWidget(parent, Qt::Tool), LibraryV(folder, userFolder) {
    Texts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language,
               QStringLiteral("CarpetTable"));
    setWindowTitle(Texts.Get(0));
    auto* modes = new QButtonGroup(this);
    sbRead = GroupToggle(Texts.Get(2), modes);
    sbSave = GroupToggle(Texts.Get(3), modes);
    sbDelete = GroupToggle(Texts.Get(4), modes);
    sbRead->setChecked(true);
    sbSaveAs = SpeedButton(Texts.Get(5));
    int mode = 0;
    for (QToolButton* b : {sbRead, sbSave, sbDelete})
        connect(b, &QToolButton::clicked, this, [this, m = mode++] { ModeClick(m); });
    connect(sbSaveAs, &QToolButton::clicked, this, &TCarpetTableForm::sbSaveAsClick);
    CarpetGrid = new QTableWidget(kRows, kColumns);
    CarpetGrid->horizontalHeader()->hide();
    CarpetGrid->verticalHeader()->hide();
    CarpetGrid->horizontalHeader()->setDefaultSectionSize(kCell + 8);
    CarpetGrid->verticalHeader()->setDefaultSectionSize(kCell + kNameBand + 6);
    CarpetGrid->setIconSize(QSize(kCell, kCell + kNameBand));
    CarpetGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CarpetGrid->setMinimumSize(kColumns * (kCell + 8) + 20, 2 * (kCell + kNameBand + 6) + 4);
    connect(CarpetGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { Activate(IndexAt(row, column)); });
    StatusBar = new QLabel;
    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {sbRead, sbSave, sbDelete, sbSaveAs})
        buttons->addWidget(b);
    auto* all = new QVBoxLayout(this);
    all->addWidget(new QLabel(Texts.Get(1)));
    all->addLayout(buttons);
    all->addWidget(CarpetGrid);
    all->addWidget(StatusBar);
    AskName = [this] { return QInputDialog::getText(this, Texts.Get(5), Texts.Get(6)); };
    LibraryV.Load();
    ModeClick(0);
}

void TCarpetTableForm::SetDocument(const TDocument* document) {
    Doc = document;
    Fill();
}

int TCarpetTableForm::IndexAt(int row, int column) const {
    return column + row * kColumns;
}

void TCarpetTableForm::ModeClick(int mode) {
    ModeV = mode;
    QToolButton* buttons[] = {sbRead, sbSave, sbDelete};
    buttons[mode]->setChecked(true);
    StatusBar->setText(Texts.Get(13 + mode));
}

void TCarpetTableForm::Fill() {
    const auto& textures = LibraryV.Textures();
    CarpetGrid->setRowCount(std::max(kRows, (int(textures.size()) + kColumns - 1) / kColumns));
    CarpetGrid->clearContents();
    const TPalette* palette = Doc ? &Doc->Palette() : nullptr;
    for (int i = 0; i < int(textures.size()); ++i) {
        auto* item = new QTableWidgetItem;
        item->setData(Qt::DecorationRole, Cell(textures[size_t(i)], palette, font()));
        item->setToolTip(TextureStem(textures[size_t(i)].Name));
        CarpetGrid->setItem(i / kColumns, i % kColumns, item);
    }
}

void TCarpetTableForm::Activate(int index) {
    if (index < 0 || index >= int(LibraryV.Textures().size())) return;
    uint32_t code = 0;
    if (ModeV == 0) {
        if (OnPick) OnPick(LibraryV.Textures()[size_t(index)]);
        return;
    }
    if (ModeV == 1) {
        TCarpetTexture from;
        if (!Doc || !TextureFromSelection(*Doc, QString(), from)) return; // not a texture source
        code = LibraryV.Save(index, from);
    } else {
        code = LibraryV.Delete(index);
        ModeClick(0);
    }
    if (code) ReportError(code);
    Fill();
}

void TCarpetTableForm::SaveAs(const QString& name) {
    TCarpetTexture from;
    if (name.isEmpty() || !Doc || !TextureFromSelection(*Doc, QString(), from)) return;
    if (const uint32_t code = LibraryV.SaveAs(name, from)) ReportError(code, MB_OK, name);
    Fill();
}

void TCarpetTableForm::sbSaveAsClick() {
    TCarpetTexture from;
    if (!Doc || !TextureFromSelection(*Doc, QString(), from)) return; // asks only for a valid selection
    SaveAs(AskName ? AskName() : QString());
}
