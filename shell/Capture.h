#pragma once
// The captured-image list: pieces of full-colour designs kept for reuse (the
// Fill tool paints with them). Each piece is the selection's bounding rectangle
// with the selection as its mask. The newest capture stands first.

#include "raster/Tpmemory.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <memory>
#include <vector>

struct TCapturedImage {
    TOrvaneBitmap Image; // 24-bit pixels of the selection's bounding rectangle
    QImage Mask;         // Grayscale8, 255 where the selection covered the pixel
};

class TCaptureList {
  public:
    int Count() const { return int(Items.size()); }
    bool Empty() const { return Items.empty(); }
    const TCapturedImage& At(int i) const { return *Items[size_t(i)]; }

    // Captures the selected part of a picture (any depth; kept as 24 bits) in front
    // of the list. False, with the list unchanged, without a selection.
    bool Insert(const TOrvaneBitmap& picture, const QRegion& selection);
    // Replaces the first capture with the selection (inserts when the list is empty).
    bool Overwrite(const TOrvaneBitmap& picture, const QRegion& selection);
    void Remove(int i);
    // Moves capture i one place towards the front (up) or the back.
    void Move(int i, bool up);
    void Clear() { Items.clear(); }

    // A small picture of capture i, masked-out pixels shown grey.
    QImage Thumbnail(int i, int side) const;

  private:
    static std::unique_ptr<TCapturedImage> Capture(const TOrvaneBitmap& picture, const QRegion& selection);
    std::vector<std::unique_ptr<TCapturedImage>> Items;
};

// The program's one list.
TCaptureList& CapturedImages();
