#include "colour/Librarypages_f.h"

#include "colour/Tdptest.h"

#include <QMouseEvent>
#include <QPainter>

TLibraryPagesView::TLibraryPagesView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
}

void TLibraryPagesView::SetLibrary(const TColorLibrary* library) {
    Lib = library;
    FirstPage = 0;
    update();
}

void TLibraryPagesView::SetFirst(int first) {
    FirstPage = first;
    update();
}

QRect TLibraryPagesView::ChipRect(int column, int record) const {
    const int w = width() / kShown, h = (height() - 24) / 7;
    return QRect(column * w + 6, 24 + record * h + 3, w - 12, h - 6);
}

QPoint TLibraryPagesView::ChipCentre(int column, int record) const {
    return ChipRect(column, record).center();
}

bool TLibraryPagesView::ChipAt(const QPoint& point, int& page, int& record) const {
    if (!Lib) return false;
    for (int column = 0; column < kShown; ++column)
        for (int r = 0; r < 7; ++r)
            if (ChipRect(column, r).contains(point) && Lib->Record(FirstPage + column, r)) {
                page = FirstPage + column;
                record = r;
                return true;
            }
    return false;
}

void TLibraryPagesView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!Lib) return;
    const int w = width() / kShown;
    for (int column = 0; column < kShown && FirstPage + column < Lib->PageCount(); ++column) {
        const TLibraryPage& page = Lib->Page(FirstPage + column);
        p.setPen(palette().windowText().color());
        p.drawText(QRect(column * w, 0, w, 22), Qt::AlignCenter, QString::number(page.Number));
        for (int r = 0; r < int(page.Records.size()) && r < 7; ++r) {
            const TLibraryColor& c = page.Records[size_t(r)];
            const QRect chip = ChipRect(column, r);
            const QColor colour(c.Red, c.Green, c.Blue);
            p.fillRect(chip, colour);
            p.setPen(Qt::black);
            p.drawRect(chip.adjusted(0, 0, -1, -1));
            p.setPen(qGray(colour.rgb()) < 128 ? Qt::white : Qt::black);
            p.drawText(chip, Qt::AlignCenter, Lib->CodeText(c));
        }
    }
}

void TLibraryPagesView::mousePressEvent(QMouseEvent* event) {
    int page = 0, record = 0;
    if (event->button() == Qt::LeftButton && ChipAt(event->position().toPoint(), page, record) && OnChip)
        OnChip(page, record);
}
