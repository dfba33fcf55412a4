#pragma once
// The Repeat tool's engine: one rectangle of the design, the tile, repeated over
// the canvas, and the tile rolled so that its seams can be seen and mended.
//
// Tile lookup (floor division and modulo): the tile pixel that lands on canvas
// pixel (x, y) is
//   Normal         ((x - L) mod W, (y - T) mod H);
//   Half drop ver  column k = (x - L) div W lies k * Drop pixels lower;
//   Half drop hor  row k = (y - T) div H lies k * Drop pixels further right.
// The tile always lands on itself. The pixels combine with the canvas by the
// superimpose rule (tools/Superimpose.h); the tile is transparent outside the
// selection when there is one. Mode 0 with an open guard and no selection copies
// tile-sized runs straight into the rows.
//
// Match rolls the tile in place: Normal by (W - W/2, H - H/2), so that its corners
// meet in the middle; Hor rolls it down by H - H/2 and its rows across, the rows
// that came from its top by Drop more; Ver is the same with rows and columns
// exchanged. Recover is the exact inverse of each.

#include "platform/Progress.h"
#include "tools/Superimpose.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

class TChange;
class TDocument;
class TWorkArea;

enum TRepeatFunction : int {
    RepeatNormal = 0,
    RepeatHalfDropVer = 1,
    RepeatHalfDropHor = 2,
    RepeatMatchNormal = 3,
    RepeatMatchVer = 4,
    RepeatMatchHor = 5
};

constexpr int kRepeatCountMax = 9999;

struct TRepeatSettings {
    QRect Tile;
    int Function = RepeatNormal; // 0 .. 2 repeat the tile, 3 .. 5 roll it
    int Drop = 0;                // pixels: down for the vertical functions, right for the horizontal
    bool SizeLimit = false;
    int CountX = 1; // tiles across and down while the size limit is on (1 .. 9999)
    int CountY = 1;
    TSuperimposeRule Rule;
};

// 0, or EmptyPiece for a tile without pixels or not wholly on a canvas of size canvas.
uint32_t CheckTile(const QRect& tile, QSize canvas);

// The drop that fraction ("N/D", 0 <= N, 0 < D) of size gives, truncated; NotANumber
// (drop unchanged) for other text, a zero denominator or a drop beyond int.
uint32_t DropOfFraction(const QString& fraction, int size, int& drop);

// The tile pixel (in tile coordinates) that lands on canvas pixel (x, y) by the
// function (0 .. 2); the tile must have pixels.
QPoint TileSource(const TRepeatSettings& settings, int x, int y);

// The part of a canvas of size canvas that a repeat writes: all of it without the
// size limit; with it, CountX tiles from the tile towards mouse horizontally (right
// when mouse is at or right of the tile's middle) and CountY vertically, cut to the canvas.
QRect ApplyRect(const TRepeatSettings& settings, QSize canvas, QPoint mouse);

// Writes the repeat of settings' tile over area (cut to the picture) as one change.
// Returns 0, or an error code with the design as it was (bad tile or function,
// a depth other than 8 or 24 bits, no memory, a full palette in mode 3, or
// Cancelled when progress asked to stop).
uint32_t ApplyRepeat(TDocument& document, const TRepeatSettings& settings, const QRect& area,
                     const TProgressFn& progress = {});

// The repeat written within a change (which the caller commits or drops); the tile is
// transparent outside selection when it is on. progress hears rows done per band.
uint32_t PaintRepeat(TChange& change, const TWorkArea& selection, const TRepeatSettings& settings,
                     const QRect& area, const TProgressFn& progress = {});

// The tile's pixels as a repeat lands them over area (cut to the picture), for a window
// to show over the design before the press: transparent where the press would keep the
// design's pixel (the selection's mask, settings' superimpose rule, the guard). Mode 3
// shows the tile's colour where the press mixes. Null for a bad tile or function, another depth,
// an empty area or no memory.
QImage RepeatPreview(const TDocument& document, const TRepeatSettings& settings, const QRect& area);

// Rolls settings' tile by its match function (3 .. 5; recover: back) as one change,
// through the guard: pixels it keeps stay, so recover is exact where it let the whole
// tile through (undo is exact always). Returns 0 or an error code with the design as it was.
uint32_t MatchTile(TDocument& document, const TRepeatSettings& settings, bool recover);
