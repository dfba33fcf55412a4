#include "tools/Superimpose.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

enum TAction { Keep, Take, Mix };

constexpr TColorRef kWhite = MakeColorRef(255, 255, 255);

TColorRef PixelColour(const uint8_t* p) { // blue, green, red in memory
    return MakeColorRef(p[2], p[1], p[0]);
}

// What happens to one pixel: the piece is opaque there (mask), the piece's or the
// design's pixel is background, and (x, y) is the picture point.
TAction Decide(int mode, bool opaque, bool pieceBackground, bool designBackground, int x, int y) {
    if (!opaque) return Keep;
    switch (mode) {
    case 1:
        return pieceBackground ? Keep : Take;
    case 2:
        return designBackground || ((x + y) & 1) ? Take : Keep;
    case 3:
        return pieceBackground ? Keep : designBackground ? Take : Mix;
    default:
        return Take;
    }
}

int MixChannel(int piece, int design, int overlap) {
    return (piece * overlap + design * (100 - overlap) + 50) / 100;
}

TColorRef MixColour(TColorRef piece, TColorRef design, int overlap) {
    return MakeColorRef(MixChannel(RedOf(piece), RedOf(design), overlap),
                        MixChannel(GreenOf(piece), GreenOf(design), overlap),
                        MixChannel(BlueOf(piece), BlueOf(design), overlap));
}

// The drawing entries that mixes of a 256-colour design take: an entry of exactly the
// colour, or a new one after the used entries. Learned in a first pass, so a palette
// that runs out changes nothing.
class TMixEntries {
  public:
    explicit TMixEntries(const TPalette& palette) : Palette(palette), Pairs(size_t(1) << 16, -1) {
        const int used = std::min<int>(palette.UseColor, TPalette::kLastDrawing);
        for (int i = TPalette::kFirstDrawing; i <= used; ++i)
            Entries.emplace(palette[i].ColorRef(), i); // the first entry of a colour wins
        Next = std::max<int>(palette.UseColor + 1, TPalette::kFirstDrawing);
    }
    // The entry for piece index over design index; false when no entry is left.
    bool Learn(int piece, int design, int overlap) {
        int16_t& pair = Pairs[size_t(piece << 8 | design)];
        if (pair >= 0) return true;
        const TColorRef colour = MixColour(Palette[piece].ColorRef(), Palette[design].ColorRef(), overlap);
        auto found = Entries.find(colour);
        if (found == Entries.end()) {
            if (Next > TPalette::kLastDrawing) return false;
            found = Entries.emplace(colour, Next++).first;
            Added.emplace_back(found->second, colour);
        }
        pair = int16_t(found->second);
        return true;
    }
    uint8_t Entry(int piece, int design) const { return uint8_t(Pairs[size_t(piece << 8 | design)]); }
    // Puts the new entries into palette; true when there were any.
    bool Apply(TPalette& palette) const {
        for (const auto& [index, colour] : Added) {
            palette[index] = TColorData();
            palette[index].SetRGB(RedOf(colour), GreenOf(colour), BlueOf(colour));
        }
        if (!Added.empty()) palette.UseColor = uint16_t(Added.back().first);
        return !Added.empty();
    }

  private:
    const TPalette& Palette;
    std::vector<int16_t> Pairs; // piece index << 8 | design index -> entry, -1 not yet known
    std::unordered_map<TColorRef, int> Entries;
    std::vector<std::pair<int, TColorRef>> Added;
    int Next = TPalette::kFirstDrawing;
};

} // namespace

bool BackgroundPixel(const uint8_t* pixel, bool indexed) {
    return indexed ? pixel[0] <= 1 : PixelColour(pixel) == kWhite;
}

bool PieceWrites(int mode, bool opaque, bool pieceBackground, bool designBackground, int x, int y) {
    return Decide(mode, opaque, pieceBackground, designBackground, x, y) != Keep;
}

uint32_t Superimpose(TChange& change, const QRect& area, const TPieceRows& rows, const TSuperimposeRule& rule,
                     QRect* touched) {
    if (touched) *touched = QRect();
    TOrvaneBitmap& picture = change.Picture();
    const QRect cut = area.intersected(QRect(0, 0, picture.Width, picture.Height));
    const int bpp = picture.BitsPerPixel;
    if (cut.isEmpty() || !rows || (bpp != 8 && bpp != 24)) return 0;
    const int mode = rule.Mode >= 0 && rule.Mode <= 3 ? rule.Mode : 0;
    const int overlap = std::clamp(rule.Overlap, 0, 100);
    const TWriteGuard& guard = change.Guard();
    const bool indexed = bpp == 8;

    // Walks every pixel of the cut area with its action; visit(x, y, action, piece, design)
    // gets pointers to both pixels and returns false to stop.
    auto walk = [&](auto&& visit) {
        const int bytes = bpp / 8;
        for (int y = cut.top(); y <= cut.bottom(); ++y) {
            const TPieceRow row = rows(cut.left(), y);
            uint8_t* design = picture.ScanLine(y) + size_t(cut.left()) * bytes;
            const uint8_t* piece = row.Pixels;
            for (int x = cut.left(); x <= cut.right(); ++x, design += bytes, piece += bytes) {
                const bool pieceBackground = BackgroundPixel(piece, indexed);
                const bool designBackground = BackgroundPixel(design, indexed);
                const bool opaque = !row.Mask || row.Mask[x - cut.left()] != 0;
                const TAction action = Decide(mode, opaque, pieceBackground, designBackground, x, y);
                if (action == Keep || !guard.Allows(picture, x, y)) continue;
                if (!visit(x, y, action, piece, design)) return false;
            }
        }
        return true;
    };

    std::unique_ptr<TMixEntries> mixes;
    if (indexed && mode == 3) {
        mixes = std::make_unique<TMixEntries>(change.Palette());
        const bool fits = walk([&](int, int, TAction action, const uint8_t* piece, const uint8_t* design) {
            return action != Mix || mixes->Learn(piece[0], design[0], overlap);
        });
        if (!fits) return ErrorCode::PaletteFull;
        if (mixes->Apply(change.Palette())) change.PaletteEdited();
    }
    int left = cut.right() + 1, right = -1, top = -1, bottom = -1;
    walk([&](int x, int y, TAction action, const uint8_t* piece, uint8_t* design) {
        if (action == Take)
            std::copy_n(piece, bpp / 8, design);
        else if (indexed)
            design[0] = mixes->Entry(piece[0], design[0]);
        else
            for (int c = 0; c < 3; ++c)
                design[c] = uint8_t(MixChannel(piece[c], design[c], overlap));
        left = std::min(left, x), right = std::max(right, x), bottom = y;
        if (top < 0) top = y;
        return true;
    });
    if (touched && top >= 0) *touched = QRect(QPoint(left, top), QPoint(right, bottom));
    return 0;
}
