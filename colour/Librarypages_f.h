#pragma once
// Five pages of a VM colour library side by side, each a column of up to seven
// chips under its page number; a click on a chip reports its place.

#include <QWidget>
#include <functional>

class TColorLibrary;

class TLibraryPagesView : public QWidget {
  public:
    static constexpr int kShown = 5;
    explicit TLibraryPagesView(QWidget* parent = nullptr);

    // The library shown (not owned; null shows nothing) from page position first.
    void SetLibrary(const TColorLibrary* library);
    void SetFirst(int first);
    int First() const { return FirstPage; }
    const TColorLibrary* Library() const { return Lib; }
    // The chip under a point: page and record positions, false where there is none.
    bool ChipAt(const QPoint& point, int& page, int& record) const;
    // The centre of a chip in the view's pixels (for tests and screenshots).
    QPoint ChipCentre(int column, int record) const;

    std::function<void(int page, int record)> OnChip;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return QSize(kShown * 84, 24 + 7 * 36); }

  private:
    QRect ChipRect(int column, int record) const;
    const TColorLibrary* Lib = nullptr;
    int FirstPage = 0;
};
