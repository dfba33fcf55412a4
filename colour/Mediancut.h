#pragma once
// TMedianCut: reduction of a colour histogram to at most N colours.
//
// Colours are counted in 6-bit cells (each channel >> 2) of a 64 x 64 x 64
// histogram indexed red, blue, green. Cut works on the histogram alone:
//   1. one box over every counted cell, shrunk to the slices that hold counts;
//   2. while there are fewer than N boxes, the most populous box that is more
//      than one cell (ties: the earliest) is split on its longest axis (ties:
//      red, blue, green) after the first slice where the running count passes
//      half the box's count (a split at the box's maximum moves one slice down),
//      and both halves are shrunk again;
//   3. each box's colour is the count-weighted mean of its cells (truncated);
//   4. boxes are ordered darkest first by red * 30 + green * 59 + blue * 11,
//      equal keys keeping their order, and every cell of box k looks up k.
// A cell in no box (never counted) looks up the box colour nearest to it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct TCell6 {
    int Red = 0, Green = 0, Blue = 0; // 0 .. 63 each
};

class TMedianCut {
  public:
    static constexpr int kSide = 64;
    static constexpr int kCells = kSide * kSide * kSide;
    static constexpr int kMaxBoxes = 512;

    TMedianCut();

    // The histogram cell of a colour of 8-bit channels.
    static int CellOf(int red, int green, int blue) {
        return (red >> 2) * 4096 + (blue >> 2) * 64 + (green >> 2);
    }
    // Adds count pixels to a cell (CellOf).
    void Count(int cell, uint32_t count) { Histogram[size_t(cell)] += count; }
    // Cuts the counted colours into at most n boxes (n clamped to 1 .. 250); returns
    // the number of boxes made (0 when nothing was counted).
    int Cut(int n);
    // The box colours, darkest first (6-bit channels).
    const std::vector<TCell6>& Colours() const { return ColoursV; }
    // The box a cell (CellOf) belongs to, or the nearest box by colour; -1 before a cut.
    int Lookup(int cell) const;

  private:
    struct TBox {
        std::array<int, 3> Min{}, Max{}; // axes red, blue, green
        uint32_t Pixels = 0;
    };
    static int Index(const std::array<int, 3>& at) { return at[0] * 4096 + at[1] * 64 + at[2]; }
    // Pixels of the box's slice v on axis.
    uint32_t Slice(const TBox& box, int axis, int v) const;
    void Shrink(TBox& box) const;
    bool Split();
    TCell6 Mean(const TBox& box) const;
    int Nearest(int cell) const;

    std::vector<uint32_t> Histogram;
    std::vector<TBox> Boxes;
    std::vector<TCell6> ColoursV;
    std::vector<int16_t> Cube; // cell -> box, -1 for none
};
