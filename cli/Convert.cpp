// convert and thumbnail: the same open and save rules as the document windows.
#include "Commands.h"
#include "raster/Bitmapimage.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Filetypes.h"

#include <QFile>
#include <cstdio>

int CommandConvert(const QStringList& input) {
    QStringList args = input;
    QString colors, compression = QStringLiteral("2");
    if (!TakeOption(args, "--colors", colors) || !TakeOption(args, "--compression", compression) ||
        args.size() != 2 || (!colors.isEmpty() && colors != "256" && colors != "full") ||
        (compression != "0" && compression != "2")) {
        std::fputs("usage: velmora-cli convert IN OUT [--colors 256|full] [--compression 0|2]\n", stderr);
        return 2;
    }
    const int outType = FileTypeOfName(args[1]);
    if (!IsWritableType(outType)) return Fail(ErrorCode::UnwritableType, args[1]);
    // Design files say their depth by their type; pictures keep the input's unless told.
    const int typeBpp = outType == TypeTex ? 8 : outType == TypeTfc || outType == TypeT3d ? 24 : 0;
    int bpp = colors == "256" ? 8 : colors == "full" ? 24 : 0;
    if (typeBpp && bpp && bpp != typeBpp) return Fail(ErrorCode::DepthOfType, args[1]);
    if (typeBpp) bpp = typeBpp;
    TDesign design;
    if (const int status = OpenInput(args[0], bpp, design)) return status;
    if (const uint32_t code = SaveDesign(args[1], 0, compression.toInt(), design)) return Fail(code, args[1]);
    return 0;
}

int CommandThumbnail(const QStringList& args) {
    if (args.size() != 2) {
        std::fputs("usage: velmora-cli thumbnail IN OUT.png\n", stderr);
        return 2;
    }
    if (FileTypeOfName(args[1]) != TypePng)
        return Fail(ErrorCode::UnwritableType, args[1] + QStringLiteral(": a thumbnail is written as .png"));
    QImage thumbnail;
    const int type = FileTypeOfName(args[0]);
    if (type >= TypeTex && type <= TypeT3d) {
        // Designs carry their thumbnail.
        if (InputMissing(args[0])) return 1;
        QFile file(args[0]);
        if (!file.open(QIODevice::ReadOnly)) return Fail(ErrorCode::CannotOpenFile, args[0]);
        TPalette palette;
        if (const uint32_t code = ReadThumbnail(&file, thumbnail, palette)) return Fail(code, args[0]);
    } else {
        TDesign design;
        if (const int status = OpenInput(args[0], 0, design)) return status;
        TOrvaneBitmap small;
        const QRect all(0, 0, design.Image.Width, design.Image.Height);
        if (const uint32_t code = MakeThumbnail(small, design.Image, 0, all)) return Fail(code);
        thumbnail = BitmapImage(small, &design.Palette);
    }
    if (!thumbnail.save(args[1], "PNG")) return Fail(ErrorCode::CannotWriteFile, args[1]);
    return 0;
}
