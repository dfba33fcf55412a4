#include "colour/Gimppalette.h"

#include "colour/Palettefile.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <QFile>
#include <QTextStream>
#include <vector>

uint32_t WriteGimpPalette(const QString& path, const TPalette& palette, const QString& name) {
    QByteArray text = "GIMP Palette\nName: " + name.toUtf8() + "\nColumns: 16\n#\n";
    for (int i = 0; i < TPalette::kSize; ++i) {
        const TColorData& e = palette[i];
        text += QStringLiteral("%1 %2 %3\tIndex %4\n")
                    .arg(e.Red(), 3)
                    .arg(e.Green(), 3)
                    .arg(e.Blue(), 3)
                    .arg(i)
                    .toUtf8();
    }
    return SaveFileSafely(path, text);
}

namespace {

// Three channels 0 .. 255 at the start of line; false when they are not there.
bool ParseColour(const QString& line, int rgb[3]) {
    const QStringList parts = line.simplified().split(u' ');
    if (parts.size() < 3) return false;
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        rgb[k] = parts[k].toInt(&ok);
        if (!ok || rgb[k] < 0 || rgb[k] > 255) return false;
    }
    return true;
}

} // namespace

uint32_t ReadGimpPalette(const QString& path, TPalette& palette, int* count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return ErrorCode::CannotOpenFile;
    // Palettes are a few kilobytes; anything far larger is no palette.
    QByteArray bytes;
    if (!ReadAllBounded(&file, 1 << 20, bytes)) return ErrorCode::BadFile;
    QTextStream in(bytes);
    if (in.readLine().trimmed() != QLatin1String("GIMP Palette")) return ErrorCode::BadFile;
    std::vector<TRGBQuad> colours;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(QLatin1String("Name:")) ||
            line.startsWith(QLatin1String("Columns:")))
            continue;
        int rgb[3];
        if (!ParseColour(line, rgb)) return ErrorCode::BadFile;
        if (colours.size() < size_t(TPalette::kSize))
            colours.push_back(TRGBQuad{uint8_t(rgb[2]), uint8_t(rgb[1]), uint8_t(rgb[0]), 0});
    }
    for (size_t i = 0; i < colours.size(); ++i)
        palette[int(i)].SetRGB(colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue);
    if (count) *count = int(colours.size());
    return 0;
}

uint32_t LoadAnyPalette(const QString& path, TPalette& palette) {
    if (path.endsWith(QLatin1String(".gpl"), Qt::CaseInsensitive)) return ReadGimpPalette(path, palette);
    return LoadPaletteFile(path, palette) ? 0 : ErrorCode::BadFile;
}
