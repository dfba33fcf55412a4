#pragma once
// Written PDFs read back: page count, page size in points and pages as pictures.
#include "raster/Tpmemory.h"

#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QString>
#include <memory>

// Renders at pixelsPerPoint; the document stays open for more pages.
struct TPdfPages {
    explicit TPdfPages(const QString& path) { Ok = Doc.load(path) == QPdfDocument::Error::None; }
    int Count() const { return Ok ? Doc.pageCount() : 0; }
    QSizeF PointSize(int page) const { return Doc.pagePointSize(page); }
    QImage Page(int page, double pixelsPerPoint = 2) {
        const QSize size = (Doc.pagePointSize(page) * pixelsPerPoint).toSize();
        QImage paper(size, QImage::Format_RGB32); // the page is transparent where nothing is printed
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, Doc.render(page, size));
        return paper;
    }
    QString Text(int page) { return Doc.getAllText(page).text(); }
    QPdfDocument Doc;
    bool Ok = false;
};

// An 8-bit test design: blocks of block x block pixels, each its own colour, so a
// sampled colour tells where on the design it came from.
inline QRgb BlockColour(int bx, int by) {
    return qRgb(20 + (bx * 37) % 220, 20 + (by * 53) % 220, 20 + ((bx + by) * 29) % 220);
}

inline bool MakeBlocks(TOrvaneBitmap& b, TRGBQuad* colours, int width, int height, int block) {
    const int across = (width + block - 1) / block;
    for (int i = 0; i < 256; ++i)
        colours[i] = TRGBQuad{255, 255, 255, 0};
    for (int i = 0; i < 250; ++i) {
        const QRgb c = BlockColour(i % across, i / across);
        colours[i + 2] = TRGBQuad{uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 0};
    }
    if (!b.Allocate(width, height, colours, 8)) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, uint8_t(2 + ((x / block) + (y / block) * across) % 250));
    return true;
}

// Whether two colours are the same up to the rendering's rounding.
inline bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
           std::abs(qBlue(a) - qBlue(b)) <= 6;
}

// Whether page shows colour somewhere (sampled every other pixel).
inline bool Shows(const QImage& page, QColor colour) {
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            if (Near(page.pixel(x, y), colour.rgb())) return true;
    return false;
}
