#include "shell/Filetypes.h"

#include "platform/Imagefile.h"

#include <QFileInfo>

namespace {

constexpr TFileTypeInfo kTypes[kFileTypeCount] = {
    {TypeTex, ".tex", "Velmora Textile 256 Colors File (*.tex)", 0},
    {TypeTfc, ".tfc", "Velmora Textile Full Colors File (*.tfc)", 0},
    {TypeT3d, ".t3d", "Velmora Textile 3D File (*.t3d)", 0},
    {TypeWea, ".wea", "Velmora Weave File (*.wea)", 0},
    {TypeWav, ".wav", "Velmora Weave File - V7.01 (*.wav)", 0},
    {TypeKnt, ".knt", "Velmora Knit File (*.knt)", 0},
    {TypeCpt, ".cpt", "Velmora Carpet File (*.cpt)", 0},
    {TypeBmp, ".bmp", "Microsoft Windows Bitmap (*.bmp)", FILE_BMP},
    {TypePct, ".pct", "Macintosh PICT (*.pct)", FILE_PICT},
    {TypePcx, ".pcx", "PC Paintbrush File Format (*.pcx)", FILE_PCX},
    {TypePng, ".png", "PNG (*.png)", FILE_PNG},
    {TypePsd, ".psd", "PSD (*.psd)", FILE_PSD},
    {TypeRas, ".ras", "SUN Raster (*.ras)", FILE_SUN},
    {TypeTga, ".tga", "Targa Image File (*.tga)", FILE_TGA},
    {TypeTif, ".tif", "TIFF uncomp (*.tif)", FILE_TIF},
};

} // namespace

const TFileTypeInfo* FileTypeInfo(int type) {
    return type >= 1 && type <= kFileTypeCount ? &kTypes[type - 1] : nullptr;
}

int FileTypeOfName(const QString& fileName) {
    for (const TFileTypeInfo& t : kTypes)
        if (fileName.endsWith(QLatin1String(t.Extension), Qt::CaseInsensitive)) return t.Type;
    if (fileName.endsWith(QLatin1String(".tiff"), Qt::CaseInsensitive)) return TypeTif;
    return 0;
}

bool IsWritableType(int type) {
    const TFileTypeInfo* info = FileTypeInfo(type);
    return info && (type == TypeTex || type == TypeTfc || type == TypeT3d || info->FormatCode != 0);
}

QString FileTypeFilters() {
    QStringList filters;
    for (const TFileTypeInfo& t : kTypes)
        filters << QString::fromLatin1(t.Description);
    return filters.join(QStringLiteral(";;"));
}

QString ReplaceExtension(const QString& fileName, const QString& extension) {
    const QFileInfo info(fileName);
    const int dot = info.fileName().lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return fileName + extension;
    return fileName.left(fileName.size() - info.fileName().size() + dot) + extension;
}
