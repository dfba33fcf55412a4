#pragma once
// Opening and saving whole designs by file type, without any window: the rules
// the document windows and the command-line tool share.
//
// Foreign pictures become designs thus: the paper is custom-sized to the
// picture at the file's resolution (else the current one, else 160 dpi; held
// to 50 .. 1000 dpi); an 8-bit picture (at
// most 250 colours after loading) moves its colours to palette entries 2 .. 251
// with 0 black and 255 white and every pixel value grows by 2; a 24-bit picture
// opened as 256 colours is first reduced to 250 colours the same way.

#include "colour/Palette.h"
#include "platform/Progress.h"
#include "raster/Tpmemory.h"
#include "shell/Paper.h"

#include <QRect>
#include <QString>

// The three parts of a design wherever they live (a document window keeps its
// picture inside its view).
struct TDesignRef {
    TOrvaneBitmap& Image;
    TPalette& Palette;
    TPaper& Paper;
};

struct TDesign {
    TOrvaneBitmap Image;
    TPalette Palette;
    TPaper Paper;
    operator TDesignRef() { return TDesignRef{Image, Palette, Paper}; }
};

// Both report progress by stages and stop with ErrorCode::Cancelled when the
// listener asks, before the design or the file is touched.
//
// Opens path as file type (1 .. 15; 0 = by extension) into design at
// bitsPerPixel 8 or 24 (0 keeps the file's depth). currentDpi is the
// resolution given to foreign pictures that state none (0 = 160). Returns 0 or
// an error code (BadFile: no known layout; PictureTooLarge; DamagedFile: cut
// short or corrupt); design is left as it was on failure. detail (may be null)
// receives the extra line for ReportError: the announced size of a picture too
// large to open ("100000 x 80000 pixels"), else nothing. A picture this machine's memory
// cannot hold with one working copy is CanvasTooLarge, found before allocating. progress
// hears the pixels read of native files and may stop the read (Cancelled).
uint32_t OpenDesign(const QString& path, int type, int bitsPerPixel, TDesignRef design, int currentDpi = 0,
                    QString* detail = nullptr, const TProgressFn& progress = {});

// Saves design (or only rect of it) as file type (0 = by extension) with the
// native compression byte (0 raw, 2 zlib); pictures carry the paper's dpi.
// Native files are written to a temporary file beside the target and replace
// it only when complete, so a failed save never destroys the old file. A name
// whose extension is no type the program writes (".jpg", ".wea", none), or a
// type it does not write, is refused with ErrorCode::UnwritableType. Returns 0
// or an error code. Pictures are written from the design's own rows, without a copy.
// progress hears the pixels written and may stop the save (Cancelled) until the
// file is complete; the old file is then left as it was.
uint32_t SaveDesign(const QString& path, int type, int compression, TDesignRef design,
                    const QRect* rect = nullptr, const TProgressFn& progress = {});

// The palette a new design starts from: "Textile.fcr" of the colour directory,
// or the built-in palette when that file cannot be read.
void LoadDefaultPalette(TPalette& palette);

// Palette entries 0 .. 249 of an 8-bit picture become entries 2 .. 251 (0 black,
// 255 white) and its pixel values grow by 2; UseColor becomes the highest index
// in use. The picture must hold no index above 249.
void AdoptForeignPalette(TOrvaneBitmap& image, TPalette& palette);
