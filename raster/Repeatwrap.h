#pragma once
// TRepeatWrap: where a point of the endless repeat lands in the one picture.
// A design is one tile of a repeat; with the repeat display on, the window
// shows the tiles around it and tools work in the coordinates of that endless
// plane, so a stroke runs on across a seam. Each pixel they write is wrapped
// into the picture here:
//   Straight       tiles side by side;
//   Drop vertical  each column of tiles lies Drop pixels lower than its left
//                  neighbour (a half drop when Drop is half the height);
//   Drop horizontal each row of tiles lies Drop pixels further right than the
//                  row above.
// Off (or a picture without pixels) leaves points as they are.

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>

enum TRepeatKind : int {
    RepeatOff = 0,
    RepeatStraight = 1,
    RepeatDropVertical = 2,
    RepeatDropHorizontal = 3
};

// Points of the plane that windows hand to the tools lie within -kPlaneLimit ..
// kPlaneLimit in both axes, far enough from the int limits for a pen's reach.
constexpr int kPlaneLimit = 1 << 24;

// Division and remainder rounded towards minus infinity (d > 0; remainder 0 .. d - 1).
inline int64_t FloorDiv(int64_t a, int64_t d) {
    return a >= 0 ? a / d : -1 - (-(a + 1)) / d;
}
inline int64_t FloorMod(int64_t a, int64_t d) {
    const int64_t r = a % d;
    return r < 0 ? r + d : r;
}

struct TRepeatWrap {
    int Kind = RepeatOff;
    int Width = 0;
    int Height = 0;
    int Drop = 0;

    bool On() const { return Kind != RepeatOff && Width > 0 && Height > 0; }
    QPoint Wrap(int x, int y) const;
    QPoint Wrap(QPoint p) const { return Wrap(p.x(), p.y()); }

    // Calls piece(y, x0, x1) in picture coordinates for the parts of the plane's
    // run x0 .. x1 (inclusive) on row y; off, the run is passed on unclipped.
    // Within one piece the wrapped row stays the same and x runs on by one.
    template <class TPiece> void Pieces(int y, int x0, int x1, TPiece&& piece) const {
        if (!On()) {
            piece(y, x0, x1);
            return;
        }
        for (int64_t x = x0; x <= x1;) {
            const QPoint p = Wrap(int(x), y);
            const int64_t n = std::min<int64_t>(x1 - x + 1, Width - p.x());
            piece(p.y(), p.x(), int(p.x() + n - 1));
            x += n;
        }
    }

    // Calls tile(QRect) with every tile of the plane that overlaps rect: a
    // picture-sized rectangle in plane coordinates whose top-left corner wraps to
    // (0, 0). Nothing while off. rect lies within the plane limits.
    template <class TTile> void Tiles(const QRect& rect, TTile&& tile) const {
        if (!On() || rect.isEmpty()) return;
        // Tiles stand in lines across the drop (columns for a vertical drop); each
        // line is shifted along itself by the drop times its number.
        const bool rows = Kind == RepeatDropHorizontal;
        const int across = rows ? Height : Width, along = rows ? Width : Height;
        const int64_t drop = Kind == RepeatStraight ? 0 : FloorMod(Drop, along);
        const int a0 = rows ? rect.top() : rect.left(), a1 = rows ? rect.bottom() : rect.right();
        const int b0 = rows ? rect.left() : rect.top(), b1 = rows ? rect.right() : rect.bottom();
        for (int64_t line = FloorDiv(a0, across); line <= FloorDiv(a1, across); ++line) {
            const int64_t shift = FloorMod(line * drop, along);
            for (int64_t k = FloorDiv(b0 - shift, along); k <= FloorDiv(b1 - shift, along); ++k) {
                const int a = int(line * across), b = int(k * along + shift);
                tile(rows ? QRect(b, a, Width, Height) : QRect(a, b, Width, Height));
            }
        }
    }
};
