#pragma once
// TCarpetTool: the carpet tool's engine. A left click on the design runs the
// chosen function with the current texture of the design's working list:
// Texture Fill or Area Fill (the other functions take no clicks). Errors are
// reported (ReportError) and change nothing; an empty working list does nothing.
//
// The working list belongs to the design; the tool edits it through the
// document (pick from the library, New, Delete) and keeps which one is current.

#include "textile/Carpettexture.h"
#include "tools/Tool.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

enum TCarpetFunction : int {
    CarpetTextureFillFn = 0,
    CarpetAreaFillFn = 1,
    CarpetRegaugeFn = 2,
    CarpetTableViewFn = 3,
    CarpetWindowFn = 5,
};

class TCarpetTool : public TTool {
  public:
    ~TCarpetTool() override;
    void MouseDown(TToolContext& context, const TToolPointer& p) override;

    void SetFunction(int function) { FunctionV = function; }
    int Function() const { return FunctionV; }
    // The current texture of document's working list (clamped), or null when it is empty.
    const TCarpetTexture* Current(const TDocument& document) const;
    int CurrentIndex() const { return CurrentV; }
    void SetCurrent(int index) { CurrentV = index < 0 ? 0 : index; }

    // Adds a copy of texture unless one of its name (without extension) is there; it becomes current.
    void Pick(TDocument& document, const TCarpetTexture& texture);
    // Empties the working list.
    void New(TDocument& document);
    // Removes the current texture; the current index moves one back.
    void Delete(TDocument& document);
    // Rebuilds the working list from names, taking each from library (names without
    // a library texture are skipped).
    void Restore(TDocument& document, const QStringList& names, const std::vector<TCarpetTexture>& library);

    // Regauge with the context's colour; reports and returns the error code.
    uint32_t Regauge(TToolContext& context, int width, int height);

    // Called after a change the window shows (current texture, list).
    std::function<void()> OnChanged;
    std::function<void()> OnGone;

  private:
    int FunctionV = CarpetWindowFn;
    int CurrentV = 0;
};
