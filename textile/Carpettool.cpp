#include "textile/Carpettool.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "textile/Carpet.h"
#include "textile/Carpetfile.h"

#include <algorithm>

namespace {

uint32_t Reported(uint32_t code) {
    if (code) ReportError(code);
    return code;
}

} // namespace

TCarpetTool::~TCarpetTool() {
    if (OnGone) OnGone();
}

const TCarpetTexture* TCarpetTool::Current(const TDocument& document) const {
    const auto& list = document.CarpetTextures();
    if (list.empty()) return nullptr;
    return &list[size_t(std::clamp(CurrentV, 0, int(list.size()) - 1))];
}

void TCarpetTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || p.Button != ButtonLeft) return;
    TDocument& doc = *context.Document;
    const TCarpetTexture* texture = Current(doc);
    if (!texture) return;
    const TCarpetTexture t = *texture; // the fill may not hold a reference into the document
    if (FunctionV == CarpetTextureFillFn) Reported(CarpetTextureFill(doc, {p.X, p.Y}, t));
    if (FunctionV == CarpetAreaFillFn) Reported(CarpetAreaFill(doc, {p.X, p.Y}, t));
}

void TCarpetTool::Pick(TDocument& document, const TCarpetTexture& texture) {
    std::vector<TCarpetTexture> list = document.CarpetTextures();
    const QString stem = TextureStem(texture.Name);
    auto found = std::find_if(list.begin(), list.end(), [&](const TCarpetTexture& t) {
        return TextureStem(t.Name).compare(stem, Qt::CaseInsensitive) == 0;
    });
    if (found == list.end()) found = list.insert(list.end(), texture);
    CurrentV = int(found - list.begin());
    document.SetCarpetTextures(std::move(list));
    if (OnChanged) OnChanged();
}

void TCarpetTool::New(TDocument& document) {
    document.SetCarpetTextures({});
    CurrentV = 0;
    if (OnChanged) OnChanged();
}

void TCarpetTool::Delete(TDocument& document) {
    std::vector<TCarpetTexture> list = document.CarpetTextures();
    if (list.empty()) return;
    const int at = std::clamp(CurrentV, 0, int(list.size()) - 1);
    list.erase(list.begin() + at);
    CurrentV = std::max(0, at - 1);
    document.SetCarpetTextures(std::move(list));
    if (OnChanged) OnChanged();
}

void TCarpetTool::Restore(TDocument& document, const QStringList& names,
                          const std::vector<TCarpetTexture>& library) {
    std::vector<TCarpetTexture> list;
    for (const QString& name : names)
        for (const TCarpetTexture& t : library)
            if (TextureStem(t.Name).compare(TextureStem(name), Qt::CaseInsensitive) == 0) {
                list.push_back(t);
                break;
            }
    document.SetCarpetTextures(std::move(list));
    CurrentV = 0;
    if (OnChanged) OnChanged();
}

uint32_t TCarpetTool::Regauge(TToolContext& context, int width, int height) {
    if (!context.Document) return 0;
    return Reported(CarpetRegauge(*context.Document, width, height, context.Colour));
}
