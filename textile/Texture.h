#pragma once
// The weave library: woven structures the jacquard tool tiles over areas.
//
// The texture directory holds three parts, each an index file and numbered
// data files:
//   Found/<type>/<type>.inf      16-bit group count, per group the repeat
//                                number n and a weave count c (16 bits each);
//                                group n's weaves are in Found/<type>/<type>.<n>
//   Deriv/<type>/<type>.inf      16-bit group count, per group a 22-byte name
//                                and a weave count; group g (from 1) is in
//                                Deriv/<type>/<type>.<g>
//   Special/Special.inf          as a derivation index; Special/Special.<g>
// with <type> plain, twill, satin. A data file starting with "PT" and two
// further header bytes holds per weave: Name (22 bytes), Planes, Width, Height
// (16 bits each), Width x Height cell bytes row after row, and when Planes is
// not 0 Shafts (K) with a K x Height lift plan and a Width x K threading. Any
// other file is the older layout from its first byte: Width, Height, cells.
// All integers little-endian and signed; a load that fails anywhere leaves the
// library empty.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class QIODevice;

constexpr int kWeaveTypes = 3; // plain, twill, satin
constexpr int kWeaveNameSize = 22;
constexpr int kMaxWeaveSide = 1024; // ends, picks or shafts of one weave
constexpr int kMaxWeaveGroups = 4096;

// One weave. Cell (x, y) is raised (1: the warp end over the pick) or not (0);
// row 0 is the file's first row. With draft planes, Lift holds Height rows of
// Shafts bytes (shaft s lifted on pick y) and Threading Shafts rows of Width
// bytes (end x drawn on shaft s).
struct TTexBitData {
    QString Name;
    bool Named = false; // the layout stored the name (the older one does not)
    int Planes = 0;
    int Width = 0, Height = 0;
    std::vector<uint8_t> Bits;
    int Shafts = 0;
    std::vector<uint8_t> Lift, Threading;

    bool At(int x, int y) const { return Bits[size_t(y) * size_t(Width) + size_t(x)] != 0; }
    bool HasDraft() const { return Planes != 0; }
    bool operator==(const TTexBitData&) const = default;
};

struct TFoundGroup {
    int Repeat = 0;
    std::vector<TTexBitData> Weaves;
    bool operator==(const TFoundGroup&) const = default;
};
struct TNamedGroup {
    QString Name;
    std::vector<TTexBitData> Weaves;
    bool operator==(const TNamedGroup&) const = default;
};

class TTexture {
  public:
    std::array<std::vector<TFoundGroup>, kWeaveTypes> Foundation;
    std::array<std::vector<TNamedGroup>, kWeaveTypes> Derivation;
    std::vector<TNamedGroup> Special;

    // Loads the whole library of dir. 0, CannotOpenFile for a missing index or
    // data file, BadFile for one that ends early or holds impossible sizes or
    // counts, OutOfMemory; on failure the library is empty.
    uint32_t Load(const QString& dir);
    // Writes the library into dir in the current layout, folders made as needed.
    // 0, CannotCreateFile or CannotWriteFile.
    uint32_t Save(const QString& dir) const;
    void Clear();
    bool Empty() const;
};

// "plain", "twill", "satin".
const char* WeaveTypeName(int type);

// Reads count weaves from file at its current start (the layout told by its
// first bytes); fallbackName names the weaves of the older layout. out is set
// only on success: 0, BadFile or OutOfMemory.
uint32_t ReadWeaves(QIODevice* file, int count, const QString& fallbackName, std::vector<TTexBitData>& out);
uint32_t ReadWeaveFile(const QString& path, int count, const QString& fallbackName,
                       std::vector<TTexBitData>& out);
// Writes weaves in the current layout. BadFile for a weave that cannot be stored.
uint32_t WriteWeaves(QIODevice* file, const std::vector<TTexBitData>& weaves);
// name as the 22 bytes a file stores (Latin-1, cut to 21, zero-filled).
QByteArray WeaveName(const QString& name);

// Derives a draft for weave: one shaft per distinct end (in order of first
// appearance), each lifted where its ends are raised. Planes becomes 1.
void MakeDraft(TTexBitData& weave);
// True when the threading and lift plan give exactly the weave's cells.
bool DraftReproduces(const TTexBitData& weave);

// The longest run of raised cells along an end (warp float) and of lowered cells
// along a pick (weft float), counted round the repeat; a run round the whole
// repeat counts as its length.
int LongestWarpFloat(const TTexBitData& weave);
int LongestWeftFloat(const TTexBitData& weave);
