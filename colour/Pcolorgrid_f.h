#pragma once
// The colour grid controls: TDIB256Palette shows a design's palette, TColorSelector
// an ordered set of palette indices. Both keep a 15-pixel scroll bar at the right
// and take their layout from the engines in colour/Pcolorgrid.

#include "colour/Pcolorgrid.h"

#include <QWidget>
#include <functional>

class QMimeData;
class QPainter;
class QScrollBar;
class TIniFile;

// Drag data of one palette entry: its record as palette files hold it.
inline constexpr char kEntryMime[] = "application/x-velmora-palette-entry";

class TDIB256Palette : public QWidget {
    Q_OBJECT
  public:
    explicit TDIB256Palette(QWidget* parent = nullptr);

    // Values outside 1 .. 16 (Tab 1 .. 6) are ignored.
    void SetXSquares(int value);
    void SetYSquares(int value);
    void SetTab(int value);
    int XSquares() const { return Grid.XSquares(); }
    int YSquares() const { return Grid.YSquares(); }
    const TPaletteGrid& Layout() const { return Grid; }

    // Shows a palette the control does not own (null shows black cells); emits
    // OnColorChange and OnUseColorChange.
    void SetPalette(const TPalette* palette);
    const TPalette* Palette() const { return Pal; }
    // How the control changes the palette it shows: edit gets the palette to change
    // and says whether it did. Without it the control changes nothing.
    using TEdit = std::function<bool(const std::function<bool(TPalette&)>& edit)>;
    TEdit OnEdit;

    int ChoiceIndex() const { return Grid.ChoiceIndex(); }
    // Selects index (0 .. 255, others ignored): scrolls it into view, raises the
    // used-colour count, repaints and emits OnChoiceIndexChange when it changed.
    void SetChoiceIndex(int index);
    int CursorIndex() const { return Grid.CursorIndex(); }
    int UseColor() const { return Pal ? Pal->UseColor : 2; }
    // Sets the palette's used-colour count (1 .. 255) and emits OnUseColorChange.
    void SetUseColor(int count);

    // Entry setters that change the shown palette through OnEdit and repaint;
    // ignored without a palette or for an index outside 0 .. 255.
    void SetEntryRGB(int index, int red, int green, int blue);
    void SetEntryLibrary(int index, int kind, int page, int number, int red, int green, int blue);
    void SetEntryUser(int index, int kind, int page, int number, int red, int green, int blue,
                      const QByteArray& fileName, const QByteArray& colorName);
    void CopyEntry(int index, const TColorData& entry);
    // A palette entry dragged in (kEntryMime) copied onto the cell under pos; false
    // when data holds none.
    bool DropEntry(const QMimeData* data, const QPoint& pos);
    // Palette files; false (palette unchanged) on failure or without a palette.
    bool LoadPalette(const QString& path);
    bool SavePalette(const QString& path) const;

    // Colour values of ChoiceIndex, of index 1 and of CursorIndex (black without a palette).
    TColorRef ChoiceColor() const { return ColorOf(ChoiceIndex()); }
    TColorRef BackColor() const { return ColorOf(1); }
    TColorRef CursorColor() const { return ColorOf(CursorIndex()); }
    TColorRef ColorOf(int index) const { return Pal ? (*Pal)[index].ColorRef() : 0; }

  signals:
    void OnChoiceIndexChange(int index);
    void OnCursorIndexChange(int index);
    void OnColorChange();
    void OnUseColorChange(int count);
    // Right mouse press on a cell (the palette window uses it for full-colour designs).
    void OnRightPress(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // A palette entry dragged in (kEntryMime) is copied onto the cell under it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Relayout();
    void ColorsChanged();
    // Runs edit through OnEdit; false when it changed nothing.
    bool Edit(const std::function<bool(TPalette&)>& edit);
    TPaletteGrid Grid;
    const TPalette* Pal = nullptr;
    QScrollBar* Bar;
};

class TColorSelector : public QWidget {
    Q_OBJECT
  public:
    explicit TColorSelector(QWidget* parent = nullptr);

    void SetXSquares(int value);
    void SetYSquares(int value);
    void SetTab(int value);
    const TSelectorGrid& Layout() const { return Grid; }

    // The palette members are copied from; refreshes the copies. Not owned.
    void SetPalette(const TPalette* palette);
    const TPalette* Palette() const { return Pal; }
    int Count() const { return Set.Count(); }
    // False when the set is full, already holds index, or no palette is bound.
    bool Add(int index);
    void Remove(int index);
    void Clear();
    int IndexAt(int k) const { return Set.IndexAt(k); }
    int PositionOf(int index) const { return Set.PositionOf(index); }
    const TColorData& EntryAt(int k) const { return Set.EntryAt(k); }
    const TChoiceColor& Colors() const { return Set; }
    // Replaces the whole set (members keep the entries given).
    void SetColors(const TChoiceColor& set);
    // The set kept in an ini section (an empty set saves nothing).
    void LoadFromIni(const TIniFile& ini, const QString& section);
    void SaveToIni(TIniFile& ini, const QString& section) const;

  signals:
    // A member was removed by a mouse press.
    void OnRemove(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void Relayout();
    TSelectorGrid Grid;
    TChoiceColor Set;
    const TPalette* Pal = nullptr;
    QScrollBar* Bar;
};

// Paints one cell rectangle: its colour, a 3-pixel outline (outline
// colour given), and a grey line along the right and bottom edges.
void PaintColorCell(QPainter& p, const QRect& cell, TColorRef fill, TColorRef outline);
