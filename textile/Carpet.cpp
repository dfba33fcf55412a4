#include "textile/Carpet.h"

#include "raster/Floodfill.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

int Wrap(int v, int n) {
    const int m = v % n;
    return m < 0 ? m + n : m;
}

bool Writable(const TDocument& document) {
    return document.BitsPerPixel() == 8 && document.Picture().Allocated();
}

// Writes value at (x, y) when the guard lets it and it changes the pixel.
bool Put(TChange& change, int x, int y, uint8_t value) {
    TOrvaneBitmap& picture = change.Picture();
    uint8_t& pixel = picture.ScanLine(y)[x];
    if (pixel == value || !change.Guard().Allows(picture, x, y)) return false;
    pixel = value;
    return true;
}

} // namespace

bool ValidCarpetTexture(const TCarpetTexture& t) {
    return t.Width > 0 && t.Height > 0 && t.Pixels.size() == size_t(t.Width) * size_t(t.Height);
}

uint32_t CarpetTextureFill(TDocument& document, QPoint at, const TCarpetTexture& texture) {
    if (!ValidCarpetTexture(texture)) return ErrorCode::BadCarpetSize;
    if (!Writable(document) || !document.Bounds().contains(at)) return 0;
    TChange change(document);
    TOrvaneBitmap& picture = change.Picture();
    const uint8_t c = picture.ScanLine(at.y())[at.x()];
    // The region goes into a mask first, so the guard alone decides what is written.
    TPBitmap region;
    QRect box;
    if (!FloodFillMask(picture, &box, &region, at, [c](const uint8_t* row, int x) { return row[x] == c; }) ||
        !region.Lock())
        return ErrorCode::OutOfMemory;
    const int ax = EvenAnchor(box.left()), ay = EvenAnchor(box.top());
    bool any = false;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = box.left(); x <= box.right(); ++x)
            if (row[x] == 255 || region.TestBit(x, y))
                any |=
                    Put(change, x, y, texture.At(Wrap(x - ax, texture.Width), Wrap(y - ay, texture.Height)));
    }
    region.Unlock();
    if (!any) return 0; // dropped: nothing to undo
    change.Touch(box);
    change.Commit();
    return 0;
}

uint32_t CarpetAreaFill(TDocument& document, QPoint at, const TCarpetTexture& texture) {
    if (!ValidCarpetTexture(texture)) return ErrorCode::BadCarpetSize;
    const QRect area = document.CarpetArea();
    if (!Writable(document) || !document.Bounds().contains(at) || area.isEmpty()) return 0;
    TChange change(document, area);
    TOrvaneBitmap& picture = change.Picture();
    const uint8_t c = picture.ScanLine(at.y())[at.x()];
    const int top = picture.Height - document.CarpetWindow().Height; // the area's top, unclipped
    bool any = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            if (row[x] == c)
                any |= Put(change, x, y, texture.At(x % texture.Width, Wrap(y - top, texture.Height)));
    }
    if (!any) return 0;
    change.Commit();
    return 0;
}

uint32_t CarpetRegauge(TDocument& document, int width, int height, const TCurrentColour& colour) {
    if (!Writable(document)) return 0;
    const TOrvaneBitmap& before = document.Picture();
    const TCarpetWindow old = document.CarpetWindow();
    if (width < 1 || height < 1 || old.Width < 1 || old.Height < 1) return ErrorCode::BadCarpetSize;
    width = std::min(width, before.Width);
    height = std::min(height, before.Height);
    // Nearest sample: target (c, r) takes source (c * W / W', top + r * H / H').
    std::vector<uint8_t> buffer;
    try {
        buffer.assign(size_t(width) * size_t(height), 0);
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    const int top = before.Height - old.Height;
    for (int r = 0; r < height; ++r) {
        const int sy = top + int(int64_t(r) * old.Height / height);
        if (sy < 0 || sy >= before.Height) continue; // left at zero
        const uint8_t* row = before.ScanLine(sy);
        for (int c = 0; c < width; ++c) {
            const int sx = int(int64_t(c) * old.Width / width);
            if (sx < before.Width) buffer[size_t(r) * size_t(width) + size_t(c)] = row[sx];
        }
    }
    TChange change(document);
    const QRect oldArea = document.CarpetArea();
    change.Fill(oldArea, colour.Pixel(8, document.Palette()));
    const int newTop = before.Height - height;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            Put(change, c, newTop + r, buffer[size_t(r) * size_t(width) + size_t(c)]);
    change.Touch(oldArea | QRect(0, newTop, width, height));
    change.SetCarpetWindow(TCarpetWindow{old.On, width, height});
    change.Commit();
    return 0;
}
