#pragma once
// TTileBackup: the pixels of a picture as they were before a change whose extent is
// not known when it starts (a pen stroke). Before each write the writer names the
// rectangle it is about to change; the tiles of that rectangle not kept yet are
// copied once. The change then costs memory and time in proportion to what it
// touched, not to the picture, and Restore puts those pixels back.

#include "raster/Tpmemory.h"

#include <QRect>
#include <cstdint>
#include <unordered_map>
#include <vector>

class TTileBackup {
  public:
    static constexpr int kTileSide = 256;

    // Keeps the tiles of rect (clipped to picture) that are not kept yet. False when
    // memory is short (what was kept stays).
    bool Keep(const TOrvaneBitmap& picture, const QRect& rect);
    // The union of the kept tiles, clipped to the picture they came from.
    QRect Box() const { return BoxV; }
    bool Empty() const { return Tiles.empty(); }
    // Writes every kept tile back into picture (the one kept from).
    void Restore(TOrvaneBitmap& picture) const;
    void Clear();

  private:
    std::unordered_map<int64_t, std::vector<uint8_t>> Tiles; // key: tile row << 32 | tile column
    QRect BoxV;
};
