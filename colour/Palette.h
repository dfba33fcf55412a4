#pragma once
// The palette model of a 256-colour design: one entry per index with the
// colour and where it came from (plain mix, printer guide, Pantone or VM
// library, user library), the used-colour count, and ordered colour sets.
//
// Indices: 0 black and never drawn with, 1 background, 2 .. 251 the 250
// drawing colours (shown to the user as 1 .. 250), 252 .. 255 reserved.

#include "platform/Bitmaphandle.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

// Library kinds, the low four bits of an entry's flags.
enum TColorKind : int {
    KindNormal = 0,
    KindPantone1000 = 1,
    KindPantoneTextile = 2,
    KindVMStandard = 3,
    KindVMTextile = 4
};

constexpr uint16_t kColorKindMask = 0x000F;
constexpr uint16_t kColorUserFlag = 0x0010;
constexpr uint16_t kColorKeptFlags = 0x0060; // untouched by every setter
constexpr uint16_t kColorProtectedFlag = 0x0080;

class TColorData {
  public:
    uint16_t Flags = 0;
    uint16_t Page = 0;
    uint8_t Number = 0;
    TRGBQuad Color;       // blue, green, red, reserved (always 0)
    QByteArray FileName;  // user colours only: the user library's file
    QByteArray ColorName; // user colours only: the colour's name there

    int Kind() const { return Flags & kColorKindMask; }
    bool IsUser() const { return Flags & kColorUserFlag; }
    bool Protected() const { return Flags & kColorProtectedFlag; }
    void SetProtected(bool on);

    // Plain RGB: kind 0, page and number 0, names dropped.
    void SetRGB(int red, int green, int blue);
    // A library colour of kind 0 .. 4 at page and number.
    void SetLibrary(int kind, int page, int number, int red, int green, int blue);
    // A user library colour: the kind it was made from plus the user flag, with both names.
    void SetUser(int kind, int page, int number, int red, int green, int blue, const QByteArray& fileName,
                 const QByteArray& colorName);

    // Colour as a value with red in the low byte.
    TColorRef ColorRef() const { return MakeColorRef(Color.rgbRed, Color.rgbGreen, Color.rgbBlue); }
    int Red() const { return Color.rgbRed; }
    int Green() const { return Color.rgbGreen; }
    int Blue() const { return Color.rgbBlue; }

    // Flags, page, number and colour equal, and for user colours both names too.
    friend bool operator==(const TColorData& a, const TColorData& b);

  private:
    void SetFlagsKeeping(uint16_t flags);
};

class TPalette {
  public:
    static constexpr int kSize = 256;
    static constexpr int kFirstDrawing = 2;
    static constexpr int kLastDrawing = 251;

    TColorData Entries[kSize];
    uint16_t UseColor = 2; // how far the palette is in use

    TColorData& operator[](int index) { return Entries[index & 0xFF]; }
    const TColorData& operator[](int index) const { return Entries[index & 0xFF]; }

    // The 256 colours as palette quads (reserved bytes 0).
    void GetQuads(TRGBQuad* quads) const;
    // Sets every entry to the plain colour of the quad.
    void SetQuads(const TRGBQuad* quads);

    // The built-in palette of a new design when no palette file can be read:
    // 0 black, 1 white, 2 black, 3 .. 254 the standard system colours, 255 white.
    void SetDefault();

    // Appends, after the used-colour count, a gradation between consecutive keys:
    // for keys a, b with s steps a copy of a, then s - 1 plain colours
    // a + (b - a) * k / s; after the last pair a copy of the last key. Returns the
    // number of entries written, or -1 (nothing changed) when they would not fit
    // in the 256 entries or the arguments do not match.
    int Gradation(const std::vector<int>& keys, const std::vector<int>& steps);
};

// An ordered set of up to 256 palette indices with a copy of each member's entry.
class TChoiceColor {
  public:
    TChoiceColor();
    int Count() const { return int(Indices.size()); }
    // Refused (false) when the set is full or already holds index.
    bool Add(int index, const TPalette& palette);
    // As Add with the member's entry given (a set read back from a file).
    bool AddEntry(int index, const TColorData& entry);
    void Remove(int index);
    void Clear();
    int IndexAt(int k) const { return k >= 0 && k < Count() ? Indices[size_t(k)] : -1; }
    // Position of a palette index in the set, 255 when absent (the 256th member also
    // stands at 255: ask Contains to tell them apart).
    int PositionOf(int index) const { return Contains(index) ? Reverse[index & 0xFF] : 255; }
    bool Contains(int index) const { return index >= 0 && index <= 255 && Reverse[index] >= 0; }
    const TColorData& EntryAt(int k) const { return Entries[size_t(k)]; }
    // Refreshes every member's copy from the palette.
    void Bind(const TPalette& palette);

  private:
    std::vector<TColorData> Entries;
    std::vector<uint8_t> Indices;
    int16_t Reverse[256]; // position in the set, -1 when absent
};

// The entries of a gradation between consecutive keys: for keys a, b with s steps
// a copy of a, then s - 1 plain colours a + (b - a) * k / s (per channel, toward
// zero); after the last pair a copy of the last key. Empty when the arguments do
// not match (fewer than two keys, steps not one fewer than keys, a step below 1).
std::vector<TColorData> GradationEntries(const std::vector<TColorData>& keys, const std::vector<int>& steps);

// The standard system colours the built-in palette takes its entries 3 .. 254 from.
TRGBQuad SystemPaletteEntry(int index);
