#pragma once
// What the Pattern Repeat tool keeps and computes without a design: its settings,
// "Pattern.ini", the spray spacing from a typed length, the handle from a click on
// the motif's box, and the stamps along a drawn path.

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

class TIniFile;

enum TPatternFunction : int { PatternRegular = 0, PatternIrregular = 1, PatternSpray = 2 };
// How the motif is laid out before it is placed: as captured, flipped left-right,
// flipped top-bottom, or both.
enum TPatternDirection : int { PatternNormal = 0, PatternMirror = 1, PatternUpDown = 2, PatternBoth = 3 };

constexpr int kPatternSpacingMax = 30000; // pixels
constexpr int kPatternValueMax = 30000;

struct TPatternSettings {
    int Function = PatternSpray;
    int Direction = PatternNormal;
    QPoint Handle;     // the motif's point that goes where the user clicks (motif as laid out)
    int Spacing = 100; // IMAGE SPRAY: pixels between stamps along the path
    int Value = 80;    // IRREGULAR: the mean distance between motifs, pixels
    int Motif = 0;     // the captured image used
    uint32_t Seed = 1; // IRREGULAR: the same seed scatters the same way

    // Every value brought into its range (the handle is clamped to the motif when placed).
    void Clamp();
};

// The spray spacing in pixels for a length typed in unit (0 pixels, 1 inches,
// 2 centimetres) at the fixed 160 pixels per inch, truncated; clamped to
// 1 .. kPatternSpacingMax. 1.59 cm gives 100.
int SpacingPixels(double value, int unit);

// The handle for a click at point on the motif shown in box (inclusive), measured
// from the corner that lies top-left after the direction's flips.
QPoint HandleFromClick(QPoint point, const QRect& box, int direction);

// One stamp of the spray: where its centre goes and the direction of travel there
// in hundredths of a degree (0 .. 35999, y growing downwards).
struct TPatternStamp {
    QPoint At;
    int Angle = 0;
};
// The stamps along path every spacing pixels (spacing below 1 counts as 1), and
// one at its end. An empty path gets none.
std::vector<TPatternStamp> SprayStamps(const std::vector<QPoint>& path, int spacing);

// Reads "Pattern.ini" (clamped) and writes it (memory only; the caller updates the file).
TPatternSettings ReadPatternSettings(const TIniFile& ini);
void WritePatternSettings(TIniFile& ini, const TPatternSettings& settings);
