#include "colour/Pcolorgrid_f.h"

#include "colour/Colorref.h"
#include "colour/Colorset.h"
#include "colour/Palettefile.h"

#include "platform/Lereader.h"

#include <QBuffer>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
QScrollBar* MakeBar(QWidget* owner) {
    auto* bar = new QScrollBar(Qt::Vertical, owner);
    bar->setPageStep(1);
    return bar;
}

void PlaceBar(QScrollBar* bar, const QWidget* owner, int max, int value) {
    bar->setGeometry(owner->width() - TGridGeometry::kScrollBarWidth, 0, TGridGeometry::kScrollBarWidth,
                     owner->height());
    const QSignalBlocker block(bar);
    bar->setRange(0, max);
    bar->setValue(value);
}
} // namespace

void PaintColorCell(QPainter& p, const QRect& cell, TColorRef fill, TColorRef outline) {
    if (cell.isEmpty()) return;
    p.setPen(QPen(ToQColor(outline), 3));
    p.setBrush(ToQColor(fill));
    p.drawRect(cell);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(cell.topRight(), cell.bottomRight());
    p.drawLine(cell.bottomLeft(), cell.bottomRight());
}

// ---- TDIB256Palette ------------------------------------------------------

TDIB256Palette::TDIB256Palette(QWidget* parent) : QWidget(parent), Bar(MakeBar(this)) {
    setAcceptDrops(true);
    setMouseTracking(true);
    setMinimumSize(TGridGeometry::kScrollBarWidth + 16, 8);
    connect(Bar, &QScrollBar::valueChanged, this, [this](int v) {
        Grid.SetRow(v);
        update();
    });
    Relayout();
}

void TDIB256Palette::Relayout() {
    Grid.SetSize(width(), height());
    Grid.ClampRow();
    PlaceBar(Bar, this, Grid.ScrollMax(), Grid.RowOffset());
    update();
}

void TDIB256Palette::SetXSquares(int value) {
    if (Grid.SetXSquares(value)) Relayout();
}

void TDIB256Palette::SetYSquares(int value) {
    if (Grid.SetYSquares(value)) Relayout();
}

void TDIB256Palette::SetTab(int value) {
    if (Grid.SetTab(value)) update();
}

void TDIB256Palette::ColorsChanged() {
    update();
    emit OnColorChange();
}

void TDIB256Palette::SetPalette(const TPalette* palette) {
    Pal = palette;
    Relayout();
    emit OnColorChange();
    emit OnUseColorChange(UseColor());
}

void TDIB256Palette::SetChoiceIndex(int index) {
    const TPaletteGrid::TChoiceResult r = Grid.SetChoiceIndex(index, Pal);
    if (!r.Changed) return;
    if (r.Scrolled) PlaceBar(Bar, this, Grid.ScrollMax(), Grid.RowOffset());
    update();
    if (r.UseColorRaised && Edit([index](TPalette& p) {
            p.UseColor = uint16_t(index);
            return true;
        }))
        emit OnUseColorChange(UseColor());
    emit OnChoiceIndexChange(index);
}

bool TDIB256Palette::Edit(const std::function<bool(TPalette&)>& edit) {
    return Pal && OnEdit && OnEdit(edit);
}

void TDIB256Palette::SetUseColor(int count) {
    if (count < 1 || count > 255 || !Edit([count](TPalette& p) {
            p.UseColor = uint16_t(count);
            return true;
        }))
        return;
    emit OnUseColorChange(count);
}

void TDIB256Palette::SetEntryRGB(int index, int red, int green, int blue) {
    SetEntryLibrary(index, KindNormal, 0, 0, red, green, blue);
}

void TDIB256Palette::SetEntryLibrary(int index, int kind, int page, int number, int red, int green,
                                     int blue) {
    if (index < 0 || index > 255) return;
    if (Edit([&](TPalette& p) {
            p[index].SetLibrary(kind, page, number, red, green, blue);
            return true;
        }))
        ColorsChanged();
}

void TDIB256Palette::SetEntryUser(int index, int kind, int page, int number, int red, int green, int blue,
                                  const QByteArray& fileName, const QByteArray& colorName) {
    if (index < 0 || index > 255) return;
    if (Edit([&](TPalette& p) {
            p[index].SetUser(kind, page, number, red, green, blue, fileName, colorName);
            return true;
        }))
        ColorsChanged();
}

void TDIB256Palette::CopyEntry(int index, const TColorData& entry) {
    if (index < 0 || index > 255) return;
    if (Edit([&](TPalette& p) {
            p[index] = entry;
            return true;
        }))
        ColorsChanged();
}

bool TDIB256Palette::LoadPalette(const QString& path) {
    if (!Edit([&](TPalette& p) { return LoadPaletteFile(path, p); })) return false;
    ColorsChanged();
    emit OnUseColorChange(UseColor());
    return true;
}

bool TDIB256Palette::SavePalette(const QString& path) const {
    return Pal && SavePaletteFile(path, *Pal) == 0;
}

void TDIB256Palette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(QRect(0, 0, width() - TGridGeometry::kScrollBarWidth, height()), palette().window());
    const int first = Grid.FirstIndex();
    for (int k = 0; k < Grid.CellCount(); ++k) {
        const int index = first + k;
        const QRect cell = Grid.CellRect(k);
        if (cell.isEmpty()) continue;
        if (index > 255 || TPaletteGrid::IsReserved(index)) {
            p.fillRect(cell, Qt::black);
            continue;
        }
        const TColorRef colour = ColorOf(index);
        PaintColorCell(p, cell, colour, index == ChoiceIndex() ? colour : 0);
    }
}

void TDIB256Palette::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TDIB256Palette::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pos.x() >= width() - TGridGeometry::kScrollBarWidth) return;
    const int index = Grid.HitTest(pos.x(), pos.y());
    if (event->button() == Qt::LeftButton) SetChoiceIndex(index);
    if (event->button() == Qt::RightButton) emit OnRightPress(index);
}

void TDIB256Palette::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (Grid.SetCursorIndex(Grid.HitTest(pos.x(), pos.y()))) emit OnCursorIndexChange(Grid.CursorIndex());
}

// ---- TColorSelector ------------------------------------------------------

TColorSelector::TColorSelector(QWidget* parent) : QWidget(parent), Bar(MakeBar(this)) {
    setMinimumSize(TGridGeometry::kScrollBarWidth + 16, 8);
    connect(Bar, &QScrollBar::valueChanged, this, [this](int v) {
        Grid.SetRowOffset(v, Grid.ScrollMax(Set.Count()));
        update();
    });
    Relayout();
}

void TDIB256Palette::dragEnterEvent(QDragEnterEvent* event) {
    if (Pal && OnEdit && event->mimeData()->hasFormat(kEntryMime)) event->acceptProposedAction();
}

void TDIB256Palette::dropEvent(QDropEvent* event) {
    if (DropEntry(event->mimeData(), event->position().toPoint())) event->acceptProposedAction();
}

bool TDIB256Palette::DropEntry(const QMimeData* data, const QPoint& pos) {
    if (!data || !data->hasFormat(kEntryMime)) return false;
    QByteArray bytes = data->data(kEntryMime);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TLeReader reader(&buffer);
    TColorData entry;
    if (!ReadPaletteRecord(reader, entry)) return false;
    CopyEntry(Grid.HitTest(pos.x(), pos.y()), entry);
    return true;
}

void TColorSelector::Relayout() {
    Grid.SetSize(width(), height());
    const int max = Grid.ScrollMax(Set.Count());
    Grid.SetRowOffset(Grid.RowOffset(), max);
    PlaceBar(Bar, this, max, Grid.RowOffset());
    update();
}

void TColorSelector::SetXSquares(int value) {
    if (Grid.SetXSquares(value)) Relayout();
}

void TColorSelector::SetYSquares(int value) {
    if (Grid.SetYSquares(value)) Relayout();
}

void TColorSelector::SetTab(int value) {
    if (Grid.SetTab(value)) update();
}

void TColorSelector::SetPalette(const TPalette* palette) {
    Pal = palette;
    if (Pal) Set.Bind(*Pal);
    update();
}

bool TColorSelector::Add(int index) {
    if (!Pal || index < 0 || index > 255 || !Set.Add(index, *Pal)) return false;
    Relayout();
    return true;
}

void TColorSelector::Remove(int index) {
    if (!Set.Contains(index)) return;
    Set.Remove(index);
    Relayout();
}

void TColorSelector::SetColors(const TChoiceColor& set) {
    Set = set;
    Relayout();
}

void TColorSelector::LoadFromIni(const TIniFile& ini, const QString& section) {
    LoadColorSet(ini, section, Set);
    Relayout();
}

void TColorSelector::SaveToIni(TIniFile& ini, const QString& section) const {
    SaveColorSet(ini, section, Set);
}

void TColorSelector::Clear() {
    Set.Clear();
    Relayout();
}

void TColorSelector::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(QRect(0, 0, width() - TGridGeometry::kScrollBarWidth, height()), palette().window());
    const int first = Grid.FirstMember();
    for (int k = 0; k < Grid.CellCount() && first + k < Set.Count(); ++k) {
        const TColorRef colour = Set.EntryAt(first + k).ColorRef();
        PaintColorCell(p, Grid.CellRect(k), colour, 0);
    }
}

void TColorSelector::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TColorSelector::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pos.x() >= width() - TGridGeometry::kScrollBarWidth) return;
    const int member = Grid.MemberAt(pos.x(), pos.y(), Set.Count());
    if (member < 0) return;
    const int index = Set.IndexAt(member);
    Remove(index);
    emit OnRemove(index);
}
