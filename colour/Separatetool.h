#pragma once
// TSeparateTool: the Separate tool's engine. The colour set is built from the
// design with the colour-list picks; Run separates the context's design
// (colour/Separate.h) and Restore takes that run back with the design's undo.
// "Separate.Ini" keeps the set (section "ColorSelector") and the overlap.

#include "colour/Palette.h"
#include "colour/Setpicktool.h"

#include <functional>

class TIniFile;

struct TSeparateSettings {
    TChoiceColor Colours;
    int Overlap = 0; // 0 .. 5
    bool InsertColours = false;
    void Clamp();
};

TSeparateSettings ReadSeparateSettings(const TIniFile& ini);
// Memory only; the caller updates the file.
void WriteSeparateSettings(TIniFile& ini, const TSeparateSettings& settings);

class TSeparateTool : public TSetPickTool<TSeparateSettings> {
  public:
    // Separates the context's design; 0 or the error code reported.
    uint32_t Run(TToolContext& context);
    // Undoes the last run on the design it ran on, when that design is the
    // context's; false when there is none to undo.
    bool Restore(TToolContext& context);
    bool CanRestore() const { return RunOn != nullptr; }
    void Cancel(TToolContext& context) override;

  private:
    const TDocument* RunOn = nullptr;
};
