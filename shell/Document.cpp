#include "shell/Document.h"

#include "colour/Palettefile.h"
#include "platform/Imagefile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Filetypes.h"
#include "shell/Paths.h"
#include "shell/Savefile.h"
#include "textile/Carpetfile.h"

#include <QFile>
#include <algorithm>

namespace {

int ResolveType(const QString& path, int type) {
    return type ? type : FileTypeOfName(path);
}

// Moves a freshly read picture and palette into the design.
void Adopt(TDesignRef design, TOrvaneBitmap& image, const TPalette& palette, const TPaper& paper) {
    design.Image.TakeFrom(image);
    design.Palette = palette;
    design.Paper = paper;
}

// Brings a picture to the requested depth; 8-bit pictures keep their palette in step with palette.
// A full-colour picture opened as 256 colours is reduced to 250 colours and takes
// the foreign-picture palette rule, whatever file it came from.
bool ToDepth(TOrvaneBitmap& image, TPalette& palette, int bitsPerPixel) {
    if (bitsPerPixel == 0 || image.BitsPerPixel == bitsPerPixel) return true;
    if (bitsPerPixel == 24) return image.ColorRes(24, 4, nullptr, 0);
    if (!image.ColorRes(8, 2, nullptr, 250)) return false;
    AdoptForeignPalette(image, palette);
    return true;
}

// Opening reports its stages: read, brought to depth, adopted; stopping is safe
// until adopted.
constexpr int64_t kOpenStages = 3;
constexpr int64_t kPerStage = 1000; // finer units of a stage that reports as it goes

// The extra line of a refusal: the size of a picture too large to open.
void Describe(uint32_t code, QSize announced, QString* detail) {
    if (detail && (code == ErrorCode::PictureTooLarge || code == ErrorCode::CanvasTooLarge))
        *detail = QStringLiteral("%1 x %2 pixels").arg(announced.width()).arg(announced.height());
}

uint32_t OpenNative(const QString& path, int type, int bitsPerPixel, TDesignRef design, QString* detail,
                    const TProgressFn& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    TOrvaneBitmap image;
    TPalette palette;
    TDocumentHeader header;
    QSize announced;
    const bool topDown = type == TypeTex || type == TypeTfc || type == TypeT3d;
    // Reading the blocks is the first two of the three stages, bringing the
    // picture to depth (a colour reduction may take long) the last.
    const TProgressFn reading = [&](int64_t done, int64_t total) {
        return ReportProgress(progress, total > 0 ? 2 * kPerStage * done / total : 0,
                              kOpenStages * kPerStage);
    };
    if (const uint32_t code = ReadDocument(&file, palette, header, topDown, &image, &announced, reading)) {
        Describe(code, announced, detail);
        return code;
    }
    if (!ReportProgress(progress, 2 * kPerStage, kOpenStages * kPerStage)) return ErrorCode::Cancelled;
    if (type == TypeT3d) bitsPerPixel = 24;
    if (!ToDepth(image, palette, bitsPerPixel)) return ErrorCode::NoDeviceContext; // the copy failed
    if (!ReportProgress(progress, kOpenStages * kPerStage, kOpenStages * kPerStage))
        return ErrorCode::Cancelled;
    Adopt(design, image, palette, header.paper);
    return 0;
}

uint32_t RefusalOf(TImageFileFailure failure) {
    switch (failure) {
    case TImageFileFailure::None:
        return ErrorCode::OutOfMemory; // the file was read; its colours could not be arranged
    case TImageFileFailure::TooLarge:
        return ErrorCode::PictureTooLarge;
    case TImageFileFailure::Damaged:
        return ErrorCode::DamagedFile;
    case TImageFileFailure::NoMemory:
        return ErrorCode::CanvasTooLarge;
    default:
        return ErrorCode::BadFile;
    }
}

uint32_t OpenForeign(const QString& path, int bitsPerPixel, TDesignRef design, int currentDpi,
                     QString* detail, const TProgressFn& progress) {
    TOrvaneBitmap image;
    TImageFileFacts facts;
    if (!image.LoadFromFile(path, &facts)) {
        const uint32_t code = RefusalOf(facts.Failure);
        Describe(code, QSize(facts.Width, facts.Height), detail);
        return code;
    }
    if (!ReportProgress(progress, 1, kOpenStages)) return ErrorCode::Cancelled;
    TPalette palette;
    palette.SetDefault();
    if (image.BitsPerPixel == 8) AdoptForeignPalette(image, palette);
    if (!ToDepth(image, palette, bitsPerPixel)) return ErrorCode::NoDeviceContext; // the copy failed
    if (!ReportProgress(progress, 2, kOpenStages)) return ErrorCode::Cancelled;
    TPaper paper;
    // The file's own resolution when it gives one the program can work at.
    const int dpi = facts.Dpi > 0 ? facts.Dpi : currentDpi > 0 ? currentDpi : 160;
    paper.dpi = uint16_t(std::clamp(dpi, kMinDpi, kMaxDpi));
    SetPaper(paper, kPaperCustom, image.Width, image.Height);
    Adopt(design, image, palette, paper);
    return 0;
}

// The rows of area of image as a handle that borrows them (never freed through it),
// with the design's palette.
TBitmapHandle AreaView(const TOrvaneBitmap& image, const QRect& area, const TPalette& palette) {
    TBitmapHandle view;
    const TBitmapHandle& whole = image.Handle;
    view.Bits = const_cast<uint8_t*>(whole.Row(area.y())) + size_t(area.x()) * (whole.BitsPerPixel / 8);
    view.Width = area.width();
    view.Height = area.height();
    view.BytesPerLine = whole.BytesPerLine;
    view.BitsPerPixel = whole.BitsPerPixel;
    view.Allocated = true;
    palette.GetQuads(view.Palette);
    return view;
}

} // namespace

void LoadDefaultPalette(TPalette& palette) {
    if (!LoadPaletteFile(JoinPath(Configuration.Color, QStringLiteral("Textile.fcr")), palette))
        palette.SetDefault();
}

void AdoptForeignPalette(TOrvaneBitmap& image, TPalette& palette) {
    TRGBQuad quads[256];
    image.GetColors(0, 256, quads);
    for (int i = 0; i < 250; ++i)
        palette[i + 2].SetRGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    palette[0].SetRGB(0, 0, 0);
    palette[255].SetRGB(255, 255, 255);
    bool used[256] = {};
    for (int y = 0; y < image.Height; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < image.Width; ++x) {
            row[x] = uint8_t(row[x] + 2);
            used[row[x]] = true;
        }
    }
    palette.UseColor = 1;
    for (int i = 251; i >= 1; --i)
        if (used[i]) {
            palette.UseColor = uint16_t(i);
            break;
        }
    palette.GetQuads(quads);
    image.PutColors(0, 256, quads);
}

uint32_t OpenDesign(const QString& path, int type, int bitsPerPixel, TDesignRef design, int currentDpi,
                    QString* detail, const TProgressFn& progress) {
    if (detail) detail->clear();
    if (!ReportProgress(progress, 0, 1)) return ErrorCode::Cancelled;
    type = ResolveType(path, type);
    if (bitsPerPixel != 0 && bitsPerPixel != 8 && bitsPerPixel != 24) return ErrorCode::BadFile;
    switch (type) {
    case TypeTex:
    case TypeTfc:
    case TypeT3d:
    case TypeWea:
    case TypeWav:
    case TypeKnt:
        return OpenNative(path, type, bitsPerPixel, design, detail, progress);
    case TypeCpt: { // the design part alone; TDocument::Open takes the carpet part too
        TCarpetParts carpet;
        TDesign read;
        if (const uint32_t code = ReadCarpetFile(path, read, carpet)) return code;
        if (!ToDepth(read.Image, read.Palette, bitsPerPixel)) return ErrorCode::NoDeviceContext;
        Adopt(design, read.Image, read.Palette, read.Paper);
        return 0;
    }
    default:
        return OpenForeign(path, bitsPerPixel, design, currentDpi, detail, progress);
    }
}

uint32_t SaveDesign(const QString& path, int type, int compression, const TDesignRef design,
                    const QRect* rect, const TProgressFn& progress) {
    // The name must say what the file holds: nothing goes out under an extension
    // the program does not write, whatever type was asked for.
    if (!IsWritableType(FileTypeOfName(path))) return ErrorCode::UnwritableType;
    type = ResolveType(path, type);
    if (!IsWritableType(type)) return ErrorCode::UnwritableType;
    const TOrvaneBitmap& image = design.Image;
    if (!image.Allocated()) return ErrorCode::CannotWriteFile;
    const QRect whole(0, 0, image.Width, image.Height);
    const QRect area = rect ? rect->intersected(whole) : whole;
    if (area.isEmpty()) return ErrorCode::CannotWriteFile;
    bool stopped = false;

    if (type == TypeTex || type == TypeTfc || type == TypeT3d) {
        if (compression != 0 && compression != 2) return ErrorCode::CannotWriteFile;
        TDocumentHeader header;
        header.version = type == TypeT3d ? kDocumentVersion3D : kDocumentVersion;
        header.paper = design.Paper;
        if (area != whole) SetPaper(header.paper, kPaperCustom, area.width(), area.height());
        header.bitsPerPixel = image.BitsPerPixel;
        header.compression = uint8_t(compression);
        TOrvaneBitmap thumbnail;
        if (const uint32_t code = MakeThumbnail(thumbnail, image, 0, area)) return code;
        const QRect* written = area != whole ? &area : nullptr;
        return SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
            if (WriteDocument(file, design.Palette, header, written, &image, thumbnail,
                              NoteStop(progress, stopped)))
                return 0;
            return stopped ? ErrorCode::Cancelled : ErrorCode::CannotWriteFile;
        });
    }
    const TFileTypeInfo* info = FileTypeInfo(type);
    const TBitmapHandle part = AreaView(image, area, design.Palette);
    // Small pictures go out in one call: the user may still stop before it.
    if (!ReportProgress(progress, 0, 1)) return ErrorCode::Cancelled;
    if (SaveImageFile(path, part, info->FormatCode, design.Paper.dpi, NoteStop(progress, stopped))) return 0;
    return stopped ? ErrorCode::Cancelled : ErrorCode::CannotWriteFile;
}
