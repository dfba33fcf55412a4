#include "shell/Capture.h"

#include "raster/Bitmapimage.h"
#include "shell/Clipboard.h"

#include <algorithm>

std::unique_ptr<TCapturedImage> TCaptureList::Capture(const TOrvaneBitmap& picture,
                                                      const QRegion& selection) {
    if (!picture.Allocated()) return nullptr;
    const QRegion inside = selection.intersected(QRect(0, 0, picture.Width, picture.Height));
    const QRect box = inside.boundingRect();
    if (box.isEmpty()) return nullptr;
    auto item = std::make_unique<TCapturedImage>();
    if (!item->Image.Allocate(box.width(), box.height(), nullptr, 24)) return nullptr;
    item->Mask = SelectionMask(box, inside);
    if (item->Mask.isNull()) return nullptr;
    // The blit widens 8-bit pixels through the picture's palette.
    if (!item->Image.CopyFrom(picture, box.left(), box.top(), SRCCOPY)) return nullptr;
    return item;
}

bool TCaptureList::Insert(const TOrvaneBitmap& picture, const QRegion& selection) {
    auto item = Capture(picture, selection);
    if (!item) return false;
    Items.insert(Items.begin(), std::move(item));
    return true;
}

bool TCaptureList::Overwrite(const TOrvaneBitmap& picture, const QRegion& selection) {
    if (Items.empty()) return Insert(picture, selection);
    auto item = Capture(picture, selection);
    if (!item) return false;
    Items.front() = std::move(item);
    return true;
}

void TCaptureList::Remove(int i) {
    if (i >= 0 && i < Count()) Items.erase(Items.begin() + i);
}

void TCaptureList::Move(int i, bool up) {
    const int j = up ? i - 1 : i + 1;
    if (i < 0 || i >= Count() || j < 0 || j >= Count()) return;
    std::swap(Items[size_t(i)], Items[size_t(j)]);
}

QImage TCaptureList::Thumbnail(int i, int side) const {
    if (i < 0 || i >= Count() || side <= 0) return {};
    const TCapturedImage& c = At(i);
    // Nearest-pixel sampling straight into the small picture: a capture may be huge.
    const double scale = std::min(1.0, double(side) / std::max(c.Image.Width, c.Image.Height));
    const int w = std::max(1, int(c.Image.Width * scale)), h = std::max(1, int(c.Image.Height * scale));
    return BitmapImage(c.Image, nullptr,
                       {.Size = QSize(w, h), .Mask = c.Mask, .Outside = qRgb(160, 160, 160)});
}

TCaptureList& CapturedImages() {
    static TCaptureList list;
    return list;
}
