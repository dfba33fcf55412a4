#include "tools/Colourlist.h"

#include "shell/Tdocument.h"
#include "tools/Penpick.h"
#include "tools/Tool.h"

bool TColourListEdit::Take(TChoiceColor& list, const std::vector<int>& indices, const TPalette& palette,
                           bool insert) {
    const TChoiceColor before = list;
    if (!JoinColours(list, indices, palette, insert)) return false;
    Before = before;
    return true;
}

bool TColourListEdit::TakeAll(TChoiceColor& list, const TToolContext& context, bool insert) {
    if (!context.Document) return false;
    const TDocument& doc = *context.Document;
    return Take(list, DesignColourIndices(doc.Picture(), doc.Palette()), doc.Palette(), insert);
}

bool TColourListEdit::Remove(TChoiceColor& list, int index) {
    if (!list.Contains(index)) return false;
    Before = list;
    list.Remove(index);
    return true;
}
