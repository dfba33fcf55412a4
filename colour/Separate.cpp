#include "colour/Separate.h"

#include "colour/Groupregion.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <array>
#include <vector>

uint32_t SeparateColours(TDocument& doc, const TChoiceColor& set, int overlap) {
    if (doc.BitsPerPixel() != 8) {
        ReportError(ErrorCode::DepthOfType);
        return ErrorCode::DepthOfType;
    }
    const int n = std::clamp(overlap, 0, kSeparateOverlapMax);
    const TGroupRegion region(doc);
    const QRect r = region.Rect;
    if (r.isEmpty()) return 0;
    std::array<bool, 256> member{};
    for (int i = 0; i < 256; ++i)
        member[size_t(i)] = set.Contains(i);
    TChange change(doc, r);
    TOrvaneBitmap& picture = change.Picture();
    const int w = r.width(), h = r.height(), span = 2 * n + 1;
    // The source rows within reach of the row being written, as they were, and for
    // each the column of the rightmost set pixel at or left of x (-1 for none).
    std::vector<uint8_t> source(size_t(span) * size_t(w));
    std::vector<int> last(size_t(span) * size_t(w));
    int ready = 0; // source rows taken so far
    for (int y = 0; y < h; ++y) {
        for (; ready <= std::min(h - 1, y + n); ++ready) {
            const size_t at = size_t(ready % span) * size_t(w);
            std::copy_n(picture.ScanLine(r.top() + ready) + r.left(), w, source.begin() + ptrdiff_t(at));
            int seen = -1;
            for (int x = 0; x < w; ++x) {
                if (member[source[at + size_t(x)]]) seen = x;
                last[at + size_t(x)] = seen;
            }
        }
        const TGroupRegion::TRow allow = region.Row(r.top() + y);
        uint8_t* out = picture.ScanLine(r.top() + y) + r.left();
        for (int x = 0; x < w; ++x) {
            if (!allow.Writable(r.left() + x, out[x])) continue;
            // The last set pixel in row order whose square covers (x, y): the lowest
            // row within reach that has one, and in it the rightmost.
            uint8_t value = 1;
            for (int sy = std::min(h - 1, y + n); sy >= std::max(0, y - n); --sy) {
                const size_t at = size_t(sy % span) * size_t(w);
                const int sx = last[at + size_t(std::min(w - 1, x + n))];
                if (sx >= 0 && sx >= x - n) {
                    value = source[at + size_t(sx)];
                    break;
                }
            }
            out[x] = value;
        }
    }
    change.Commit();
    return 0;
}
