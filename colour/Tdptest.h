#pragma once
// The file colour libraries: PT 1000 ("Thousand.ptc"), PT Textile ("Textile.ptc"),
// VM Standard ("Standard.vmc") and VM Textile ("Textile.vmc"). Each is a list of
// pages (a page number and its colour records), addressed by page position and
// record position, both 0-based positions in the lists.
//
// ".vmc": "CL", version (2), page count (2); per page its number (2), record
// count (2) and records: slot (2), code (2) or code prefix and number (2 + 2),
// colour (reserved, red, green, blue). A file without "CL" reads as empty.
//
// ".ptc": "CL" with version >= 300 stores 8-bit channels; "CL" below 300 stores
// 6-bit channels with 20 (version 200) or 12 extra bytes after the colour; any
// other first 4 bytes are skipped, channels are 6-bit and 12 (PT 1000) or 8
// (PT Textile) extra bytes stand between the code fields and the colour. A PT
// 1000 code with bit 15 set is followed by (code - 32768) name bytes.
//
// Every count and name length is checked against what is left of the file, so
// a truncated or damaged file is refused (DamagedFile) and leaves the library empty.

#include "colour/Nearestindex.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class QIODevice;

struct TLibraryColor {
    uint16_t Slot = 0;   // its low byte is the colour's place on the printed page
    uint16_t Code = 0;   // the code, or the code prefix of a two-part code
    uint16_t Number = 0; // the code number of a two-part code
    uint8_t Red = 0, Green = 0, Blue = 0;
    QByteArray Name; // PT 1000 codes with bit 15 set

    uint32_t Rgb() const { return uint32_t(Red) << 16 | uint32_t(Green) << 8 | Blue; }
};

struct TLibraryPage {
    uint16_t Number = 0;
    std::vector<TLibraryColor> Records;
};

// A place in a library: page and record positions; Page -1 when nothing was found.
struct TLibraryPlace {
    int Page = -1;
    int Record = -1;
    bool Found() const { return Page >= 0; }
};

class TColorLibrary {
  public:
    virtual ~TColorLibrary() = default;

    // Reads the file; a missing file leaves the library empty and returns 0. Returns
    // CannotOpenFile or DamagedFile (library empty) when it exists but cannot be read.
    uint32_t Load(const QString& path);
    // Reads a library from an open device; DamagedFile (library empty) when it does not fit.
    uint32_t Read(QIODevice* device);
    void Clear();

    int Kind() const { return LibraryKind; } // palette entry kind 1 .. 4
    const QString& FileName() const { return File; }
    int PageCount() const { return int(Pages.size()); }
    int RecordCount() const { return int(Flat.size()); }
    const TLibraryPage& Page(int page) const { return Pages[size_t(page)]; }
    // The record at a place, or null when the place is outside the library.
    const TLibraryColor* Record(int page, int record) const;
    // 0x00RRGGBB of a record, 0 outside the library.
    uint32_t ColorOf(int page, int record) const;

    virtual QString CodeText(const TLibraryColor& c) const = 0;
    // The code of the first record with that slot byte on the first page with that number.
    QString CodeText(int pageNumber, int slotByte) const;
    TLibraryPlace FindCode(const QString& code) const;
    // The nearest record by the program's nearest-colour rule, pages and records in order.
    TLibraryPlace FindNearest(int red, int green, int blue, int* distance = nullptr) const;

  protected:
    enum TLayout { LayoutVmc, LayoutPtc };
    TColorLibrary(int kind, TLayout layout, bool twoPartCode, bool caseless, int headerlessExtra)
        : LibraryKind(kind), Layout(layout), TwoPart(twoPartCode), Caseless(caseless),
          HeaderlessExtra(headerlessExtra) {}

  private:
    struct TFlat {
        int Page, Record;
    };
    bool ReadPages(QIODevice* device, int channelBits, int extraBefore, int extraAfter);

    int LibraryKind;
    TLayout Layout;
    bool TwoPart;
    bool Caseless;
    int HeaderlessExtra;
    QString File;
    std::vector<TLibraryPage> Pages;
    std::vector<TFlat> Flat; // every record's place in library order
    TNearestIndex Nearest;   // the same records' colours
};

// "0005", or the stored name when the code has bit 15 set.
class TPantone1000 : public TColorLibrary {
  public:
    TPantone1000() : TColorLibrary(1, LayoutPtc, false, true, 12) {}
    QString CodeText(const TLibraryColor& c) const override;
    using TColorLibrary::CodeText;
};

// "19-1664": prefix, "-", number zero-padded to four digits.
class TPantoneTextile : public TColorLibrary {
  public:
    TPantoneTextile() : TColorLibrary(2, LayoutPtc, true, false, 8) {}
    QString CodeText(const TLibraryColor& c) const override;
    using TColorLibrary::CodeText;
};

// "0421": the code zero-padded to four digits.
class TStandardColor : public TColorLibrary {
  public:
    TStandardColor() : TColorLibrary(3, LayoutVmc, false, true, 0) {}
    QString CodeText(const TLibraryColor& c) const override;
    using TColorLibrary::CodeText;
};

// "12-0340": prefix, "-", number zero-padded to four digits.
class TTextileColor : public TColorLibrary {
  public:
    TTextileColor() : TColorLibrary(4, LayoutVmc, true, false, 0) {}
    QString CodeText(const TLibraryColor& c) const override;
    using TColorLibrary::CodeText;
};
