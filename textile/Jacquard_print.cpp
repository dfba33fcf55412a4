#include "textile/Jacquard_print.h"

#include "textile/Weavepicture.h"

namespace {
constexpr int kWeavesPerPage = 20;
constexpr int kWeaveCell = 6; // picture pixels per weave cell
} // namespace

TChipBook JacquardBook(const std::vector<TJacquardEntry>& entries) {
    TChipBook book{QStringLiteral("<< JACQUARD  WEAVES >>"), QStringLiteral("Jacquard -"), true, {}};
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i % kWeavesPerPage == 0) {
            book.Pages.emplace_back();
            book.Pages.back().Heading = QStringLiteral("Page %1").arg(i / kWeavesPerPage + 1);
            book.Pages.back().Columns = 8; // Large: four a row
        }
        const TJacquardEntry& e = entries[i];
        book.Pages.back().Chips.push_back(
            {Qt::white, ValidJacquardWeave(e.Weave) ? WeavePicture(e.Weave, kWeaveCell) : QImage(),
             JacquardLabel(e)});
    }
    return book;
}
