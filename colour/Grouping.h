#pragma once
// The Grouping tool's operations on a 256-colour design: reduce its colours by
// median cut (colour/Mediancut.h), clean isolated pixels with a majority
// filter, map every colour to the nearest of a chosen set, and renumber the used
// colours by how many pixels use them.
//
// Each runs as one guarded change of the document, palette included, so one undo
// takes pixels and colours back. The region is the selection's pixels when there
// is a selection, else the whole picture; protected colours (while protection is
// on) and the mask (while it is on) are kept. A full-colour design is refused
// (DepthOfType); each returns 0 or the error code it reported, with the design
// as it was. progress, when given, receives percents of a long run and -1 at
// its end (tools/Toolprogress.h).

#include "colour/Palette.h"
#include "platform/Progress.h"

#include <cstdint>
#include <functional>

class TDocument;

using TProgressSink = std::function<void(int)>;

// Filter sizes and their shapes: size 3 has shapes 0 .. 3 (horizontal, rising
// diagonal, vertical, falling diagonal), 5 has 0 .. 1 (plus, cross), 9 has 0 (full).
// The mask of cells counted, row by row from the top-left (bit 8 is the top-left
// cell); a size or shape out of range is clamped.
int FilterCells(int size, int shape);
// The largest shape of a filter size.
int FilterShapes(int size);

// Median cut to n colours (1 .. 250, clamped). The colours go into entries
// 2 .. K + 1 darkest first (K boxes, at most n) and the reduced pixels take them.
// Pixels the run does not change (outside the selection, protected, masked) keep
// their colours: an index of theirs whose entry is taken moves to an entry after
// the new ones (PaletteFull, nothing changed, when those would pass entry 251).
// stoppable hears rows done of the picture's height a band at a time and may stop
// the run (Cancelled, nothing changed).
uint32_t GroupReduce(TDocument& doc, int n, const TProgressSink& progress = {},
                     const TProgressFn& stoppable = {});

// The majority filter of size and shape over the region without its one-pixel
// border. Each pixel not in protect takes the index that reaches the largest count
// among the counted cells first (read from the picture as it was), when that index
// is not in protect and counts at least 2.
uint32_t GroupFilter(TDocument& doc, int size, int shape, const TChoiceColor& protect,
                     const TProgressSink& progress = {});

// Every region pixel of index 1 .. used count takes the member of set nearest to
// its colour (sum of channel differences; ties to the earlier member), or index 1
// when set is empty; then the colours are rearranged (GroupRearrange) in the same
// change.
uint32_t GroupUserChoose(TDocument& doc, const TChoiceColor& set);

// Renumbers the indices 2 .. 251 in use over the whole picture by pixel count,
// largest first (equal counts by index): the k-th takes entry k + 2 with its
// colour. Colours on screen do not change; 0, 1 and 252 .. 255 stay. Nothing is
// renumbered while fewer than two drawing entries are in use.
uint32_t GroupRearrange(TDocument& doc);

// The number of distinct indices 2 .. 251 in the selection (with one), else the
// palette's used count - 1: the largest colour count Reduce is offered.
int GroupReduceBound(const TDocument& doc);
