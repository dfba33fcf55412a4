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

enum TRepeatKind : int { RepeatOff = 0, RepeatStraight = 1, RepeatDropVertical = 2, RepeatDropHorizontal = 3 };

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
        for (int x = x0; x <= x1;) {
            const QPoint p = Wrap(x, y);
            const int n = x1 - x + 1 < Width - p.x() ? x1 - x + 1 : Width - p.x();
            piece(p.y(), p.x(), p.x() + n - 1);
            x += n;
        }
    }
};

// Division and remainder rounded towards minus infinity (remainder 0 .. d - 1).
inline int FloorDiv(int a, int d) { return a >= 0 ? a / d : -((-a + d - 1) / d); }
inline int FloorMod(int a, int d) { return a - FloorDiv(a, d) * d; }
