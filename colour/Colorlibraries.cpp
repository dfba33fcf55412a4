#include "colour/Colorlibraries.h"

#include "colour/Palette.h"
#include "raster/Tpmemory.h"

#include <algorithm>

#include <QDir>

int FirstShownPage(int found, int pageCount) {
    return std::max(0, std::min(found - 2, pageCount - 5));
}

namespace {

bool PlaceOf(const TColorLibrary& lib, const TLibraryPlace& at, TColorData& found, int& pagePosition) {
    if (!at.Found()) return false;
    const TLibraryColor& c = *lib.Record(at.Page, at.Record);
    found.SetLibrary(lib.Kind(), lib.Page(at.Page).Number, c.Slot & 0xFF, c.Red, c.Green, c.Blue);
    pagePosition = at.Page;
    return true;
}

bool PrinterPlaceOf(const TPrinterPlace& at, TColorData& found, int& pagePosition) {
    if (!at.Found()) return false;
    int r, g, b;
    HLSToRGB(TPrinterColor::Set(at.Page, at.Row, at.Column), r, g, b);
    found.SetLibrary(KindNormal, TPrinterColor::Line(at.Page, at.Row), at.Column - 1, r, g, b);
    pagePosition = at.Page - 1;
    return true;
}

} // namespace

uint32_t TColorLibraries::Load(const QString& colorDirectory,
                               const std::function<void(uint32_t, const QString&)>& report) {
    const QDir dir(colorDirectory);
    uint32_t last = 0;
    const std::pair<TColorLibrary*, const char*> files[] = {{&Standard, "Standard.vmc"},
                                                            {&Textile, "Textile.vmc"},
                                                            {&Thousand, "Thousand.ptc"},
                                                            {&PTTextile, "Textile.ptc"}};
    for (const auto& [library, name] : files) {
        const QString path = dir.filePath(QLatin1String(name));
        if (const uint32_t code = library->Load(path)) {
            last = code;
            if (report) report(code, path);
        }
    }
    return last;
}

const TColorLibrary* TColorLibraries::ByKind(int kind) const {
    switch (kind) {
    case KindPantone1000:
        return &Thousand;
    case KindPantoneTextile:
        return &PTTextile;
    case KindVMStandard:
        return &Standard;
    case KindVMTextile:
        return &Textile;
    default:
        return nullptr;
    }
}

bool TColorLibraries::NearestOfTwo(int red, int green, int blue, bool pantone, TColorData& found) const {
    const TColorLibrary& first = pantone ? static_cast<const TColorLibrary&>(Thousand) : Standard;
    const TColorLibrary& second = pantone ? static_cast<const TColorLibrary&>(PTTextile) : Textile;
    int d1 = 0, d2 = 0;
    const TLibraryPlace a = first.FindNearest(red, green, blue, &d1);
    const TLibraryPlace b = second.FindNearest(red, green, blue, &d2);
    if (!a.Found() && !b.Found()) return false;
    const bool useFirst = a.Found() && (!b.Found() || d1 <= d2);
    int pagePosition = 0;
    return useFirst ? PlaceOf(first, a, found, pagePosition) : PlaceOf(second, b, found, pagePosition);
}

QString TColorLibraries::CodeOf(const TColorData& entry) const {
    if (entry.Kind() == KindNormal)
        return entry.Page ? TPrinterColor::CodeText(entry.Page, entry.Number) : QString();
    const TColorLibrary* lib = ByKind(entry.Kind());
    return lib ? lib->CodeText(entry.Page, entry.Number) : QString();
}

bool TColorLibraries::FindCode(int choice, const QString& code, TColorData& found, int& pagePosition) const {
    switch (choice) {
    case ChoicePrinter:
        return PrinterPlaceOf(TPrinterColor::Parse(code), found, pagePosition);
    case ChoiceStandard:
        return PlaceOf(Standard, Standard.FindCode(code), found, pagePosition);
    case ChoiceTextile:
        return PlaceOf(Textile, Textile.FindCode(code), found, pagePosition);
    case ChoicePantone:
        return PlaceOf(Thousand, Thousand.FindCode(code), found, pagePosition) ||
               PlaceOf(PTTextile, PTTextile.FindCode(code), found, pagePosition);
    default:
        return false;
    }
}

bool TColorLibraries::FindBookCode(int book, const QString& code, TColorData& found) const {
    int pagePosition = 0;
    switch (book) {
    case 1:
        return FindCode(ChoicePrinter, code, found, pagePosition);
    case 2:
        return FindCode(ChoiceStandard, code, found, pagePosition);
    case 3:
        return FindCode(ChoiceTextile, code, found, pagePosition);
    case 4:
        return PlaceOf(Thousand, Thousand.FindCode(code), found, pagePosition);
    case 5:
        return PlaceOf(PTTextile, PTTextile.FindCode(code), found, pagePosition);
    default:
        return false;
    }
}

bool TColorLibraries::Nearest(int choice, int red, int green, int blue, TColorData& found,
                              int& pagePosition) const {
    switch (choice) {
    case ChoicePrinter:
        return PrinterPlaceOf(Printer.FindNearest(red, green, blue), found, pagePosition);
    case ChoiceStandard:
        return PlaceOf(Standard, Standard.FindNearest(red, green, blue), found, pagePosition);
    case ChoiceTextile:
        return PlaceOf(Textile, Textile.FindNearest(red, green, blue), found, pagePosition);
    default:
        return false;
    }
}

std::array<double, 256> IndexShares(const TOrvaneBitmap& picture) {
    std::array<double, 256> shares{};
    if (picture.BitsPerPixel != 8 || picture.Width <= 0 || picture.Height <= 0) return shares;
    std::array<int64_t, 256> counts{};
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x)
            ++counts[row[x]];
    }
    const double total = double(picture.Width) * picture.Height;
    for (int i = 0; i < 256; ++i)
        shares[size_t(i)] = counts[size_t(i)] * 100.0 / total;
    return shares;
}
