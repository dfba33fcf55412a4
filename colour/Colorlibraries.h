#pragma once
// The five colour libraries of a running program: the computed printer guide
// and the four file libraries, read from the colour directory at start-up in
// the order Standard.vmc, Textile.vmc, Thousand.ptc, Textile.ptc.

#include "colour/Printercolor.h"
#include "colour/Tdptest.h"

#include <QString>
#include <array>
#include <functional>

class TColorData;
class TOrvaneBitmap;

// The libraries a code is looked up in: the Library panel's choices, and the
// Special Search (PT 1000, then PT Textile).
enum TLibraryChoice : int { ChoicePrinter = 0, ChoiceStandard = 1, ChoiceTextile = 2, ChoicePantone = 3 };

// The first of the five library pages shown side by side when page position
// found is to stand third: found - 2, kept within 0 .. pageCount - 5.
int FirstShownPage(int found, int pageCount);

struct TColorLibraries {
    TPrinterColor Printer;
    TStandardColor Standard;
    TTextileColor Textile;
    TPantone1000 Thousand;
    TPantoneTextile PTTextile;

    // Reads the four files; a missing one leaves its library empty without a word.
    // Returns, per file that exists but cannot be read, the code and file name
    // through report (the library stays empty), and the last such code.
    uint32_t Load(const QString& colorDirectory,
                  const std::function<void(uint32_t code, const QString& path)>& report = {});

    // The file library of a palette entry kind (1 .. 4), null for any other.
    const TColorLibrary* ByKind(int kind) const;

    // "To color in library" (VM Standard, then VM Textile) or "to PT code" (PT
    // 1000, then PT Textile): the nearer of the two libraries' nearest colours,
    // the first library on a tie, as a library entry in found. False when neither
    // library has a colour.
    bool NearestOfTwo(int red, int green, int blue, bool pantone, TColorData& found) const;

    // A typed code looked up in a library: the colour as a palette entry of its
    // kind, page and number, and the page position that holds it (the guide's
    // page 0 .. 72 for printer codes). False when no colour has that code.
    bool FindCode(int choice, const QString& code, TColorData& found, int& pagePosition) const;
    // A code of one colour book of the user colour data window (1 printer, 2 VM
    // Standard, 3 VM Textile, 4 PT 1000, 5 PT Textile) as a palette entry of its kind.
    bool FindBookCode(int book, const QString& code, TColorData& found) const;
    // The nearest colour of one library (printer, VM Standard or VM Textile) as
    // FindCode gives it; false for an empty library.
    bool Nearest(int choice, int red, int green, int blue, TColorData& found, int& pagePosition) const;

    // The code of a palette entry's library colour ("" for a plain colour or a
    // code no library holds).
    QString CodeOf(const TColorData& entry) const;
};

// Each index's share of an 8-bit picture's pixels in percent (all 0 for other depths).
std::array<double, 256> IndexShares(const TOrvaneBitmap& picture);
