#pragma once
// The Draw tool's settings as its window offers them, kept in "Draw.ini": the
// function, a line style per function (solid or dotted, dot and gap lengths),
// the chain type of LINE and of CURVE and the fill switch.

#include <array>
#include <cstddef>

class TIniFile;

enum TDrawFunction : int {
    DrawLine = 0,
    DrawSquare = 1,
    DrawRect = 2,
    DrawCircle = 3,
    DrawEllipse = 4,
    DrawCurve = 5,
    DrawOutline = 6,
};
constexpr int kDrawFunctions = 7;

struct TLineStyle {
    bool Dotted = false;
    int Dot = 3; // pixels drawn, 1 .. kMaxDash
    int Gap = 1; // pixels skipped, 1 .. kMaxDash
};
constexpr int kMaxDash = 999;

struct TDrawSettings {
    int Type = DrawLine;
    std::array<TLineStyle, kDrawFunctions> Styles{};
    bool LineChain = true;  // LINE: the end of a line starts the next
    bool CurveChain = true; // CURVE: the next two clicks make another curve from the same start
    bool Fill = false;      // squares, rectangles, circles and ellipses are filled

    const TLineStyle& Style() const { return Styles[size_t(Type)]; }
    TLineStyle& Style() { return Styles[size_t(Type)]; }
};

// Chooses a function as its button does: the chain types of LINE and CURVE go back to
// continuous. A number out of range leaves the settings as they are.
void ChooseDrawFunction(TDrawSettings& settings, int type);

// Reads "Draw.ini": the function, the line style of that function (the only one the
// file keeps), the chain types and the fill switch. Missing keys take the defaults;
// values out of range are clamped into it.
TDrawSettings ReadDrawSettings(const TIniFile& ini);
// Writes what ReadDrawSettings reads (memory only; the caller updates the file).
void WriteDrawSettings(TIniFile& ini, const TDrawSettings& settings);
