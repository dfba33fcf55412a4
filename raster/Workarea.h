#pragma once
// TWorkArea: a design's selection as the tools use it.
//
// The picture's region (TOrvaneBitmap::Handle.Region) stays the one record of
// what is selected; the work area keeps, around it:
//   - Bounds(): the region's bounding box;
//   - Mask(): an 8-bit plane of the box's size, 255 inside the region and 0
//     outside, with a grey palette. Full-colour designs get the same 8-bit plane
//     as 256-colour ones, so every tool reads one layout (a 1-bit plane would
//     only save memory);
//   - Complex(): whether the region's rectangle list passes kComplexBytes, the
//     point beyond which tools should treat it as an arbitrary shape;
//   - the history of earlier regions for the selection's own undo: Record keeps
//     the present one before a change, SwapUndo exchanges the present and the
//     newest kept one (twice gives the first back), StepBack walks back. It keeps
//     Depth() regions at most, the oldest going first.
// An empty region is no selection: the picture's region is then freed. Whoever
// changes the picture's region by other means (undo of a change, a new picture)
// calls Sync, which rebuilds what was derived from it.

#include "raster/Tpmemory.h"

#include <QRect>
#include <QRegion>
#include <deque>
#include <memory>
#include <vector>

class TWorkArea {
  public:
    // Rectangle data (16 bytes a rectangle after a 32-byte header) beyond which a
    // region counts as complex.
    static constexpr int kComplexBytes = 4000;

    explicit TWorkArea(TOrvaneBitmap& owner) : Owner(owner) {}
    TWorkArea(const TWorkArea&) = delete;
    TWorkArea& operator=(const TWorkArea&) = delete;

    bool On() const { return Owner.HasRegion(); }
    // The selected region (empty without one).
    QRegion Region() const { return On() ? Owner.Handle.Region : QRegion(); }
    QRect Bounds() const { return BoundsV; }
    // The mask of Bounds() (null without a selection).
    const TOrvaneBitmap* Mask() const { return MaskV.get(); }
    bool Complex() const { return ComplexV; }
    // 1 when the region is its bounding rectangle, 0 when not, -1 without a region.
    int IsRectangle() const;

    // Each change below makes the selection anew and, with record, keeps the
    // region before it in the history. A change that fails (no memory for the
    // mask) leaves the region, mask and history as they were.
    // Makes region (clipped to the picture; empty: none) the selection.
    bool SetRegion(const QRegion& region, bool record = false);
    bool SetRect(const QRect& rect, bool record = false) { return SetRegion(QRegion(rect), record); }
    // Moves the region by (dx, dy); what leaves the picture is cut off.
    bool Offset(int dx, int dy, bool record = false);
    // Scales the region from its bounds onto to (see ScaleRegion); false without a
    // region or when nothing would be left.
    bool Scale(const QRect& to, bool record = false);
    // Removes the region and the mask; with dropHistory the history too.
    void Off(bool dropHistory);
    // After the picture's region changed by other means: rebuilds the bounds and the
    // mask. True when they changed. A mask that cannot be made leaves no mask.
    bool Sync();

    // Exchanges the present region with the newest kept one; false when none is kept.
    bool SwapUndo();
    // Takes the newest kept region back as the present one and drops it from the
    // history; false when none is kept.
    bool StepBack();
    int HistoryCount() const { return int(History.size()); }
    int Depth() const { return DepthV; }
    // At least 1; older regions beyond it go.
    void SetDepth(int depth);

  private:
    // The mask and bounds of region; false when memory is short.
    bool Build(const QRegion& region);
    // Makes region the picture's and rebuilds; false (nothing changed) when it cannot.
    bool Apply(const QRegion& region);
    // Keeps region as the newest of the history, unless it equals the newest already kept.
    void Keep(const QRegion& region);

    TOrvaneBitmap& Owner;
    std::unique_ptr<TOrvaneBitmap> MaskV;
    QRect BoundsV;
    bool ComplexV = false;
    QRegion Built; // the region the mask and bounds were made of
    std::deque<QRegion> History;
    int DepthV = 5;
};

// Unites rect into region (a new region from rect when region is empty).
void AddRect(QRegion& region, const QRect& rect);
// The union of rects, built in halves so that many rectangles stay cheap.
QRegion RegionOfRects(std::vector<QRect> rects);
// region mapped from the box from onto the box to: each rectangle edge e becomes
// to.left() + (e - from.left()) * to.width() / from.width() (truncated), and alike
// vertically; rectangles that shrink to nothing drop out.
QRegion ScaleRegion(const QRegion& region, const QRect& from, const QRect& to);
