#pragma once
// The Move/Copy tool's settings as its window offers them, kept in "MoveCopy.ini":
// section "MoveCopy" keys "State" (the function), "Type" (the layout) and "BendType";
// section "Rotate" key "BeforeDeg" (the angle turned before, in degrees).

class TIniFile;

enum TMoveCopyFunction : int { MoveCopyCopy = 0, MoveCopyMove = 1 };

struct TMoveCopySettings {
    int Function = MoveCopyCopy;
    int Type = 0;      // a TFloatType
    int BendType = 0;  // a TBendType
    int BeforeDeg = 0; // -359 .. 359
};

// Missing keys take the defaults; values out of range are clamped into it.
TMoveCopySettings ReadMoveCopySettings(const TIniFile& ini);
// Writes what ReadMoveCopySettings reads (memory only; the caller updates the file).
void WriteMoveCopySettings(TIniFile& ini, const TMoveCopySettings& settings);
