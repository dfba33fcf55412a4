#include "raster/Tilebackup.h"

#include <new>

namespace {

QRect TileRect(int64_t key, const TOrvaneBitmap& picture) {
    const int tx = int(key & 0xFFFFFFFF), ty = int(key >> 32);
    const QRect tile(tx * TTileBackup::kTileSide, ty * TTileBackup::kTileSide, TTileBackup::kTileSide,
                     TTileBackup::kTileSide);
    return tile.intersected(QRect(0, 0, picture.Width, picture.Height));
}

int Stride(const TOrvaneBitmap& picture, int width) {
    return (width * picture.BitsPerPixel + 7) / 8;
}

} // namespace

bool TTileBackup::Keep(const TOrvaneBitmap& picture, const QRect& rect) {
    const QRect r = rect.intersected(QRect(0, 0, picture.Width, picture.Height));
    if (r.isEmpty() || !picture.Allocated()) return true;
    for (int ty = r.top() / kTileSide; ty <= r.bottom() / kTileSide; ++ty) {
        for (int tx = r.left() / kTileSide; tx <= r.right() / kTileSide; ++tx) {
            const int64_t key = (int64_t(ty) << 32) | uint32_t(tx);
            if (Tiles.count(key)) continue;
            const QRect tile = TileRect(key, picture);
            const int stride = Stride(picture, tile.width());
            try {
                std::vector<uint8_t> pixels(size_t(stride) * size_t(tile.height()));
                if (!picture.GetRect(pixels.data(), stride, tile)) return false;
                Tiles.emplace(key, std::move(pixels));
            } catch (const std::bad_alloc&) {
                return false;
            }
            BoxV |= tile;
        }
    }
    return true;
}

void TTileBackup::Restore(TOrvaneBitmap& picture) const {
    for (const auto& [key, pixels] : Tiles) {
        const QRect tile = TileRect(key, picture);
        picture.PutRect(pixels.data(), Stride(picture, tile.width()), tile);
    }
}

void TTileBackup::Clear() {
    Tiles.clear();
    BoxV = QRect();
}
