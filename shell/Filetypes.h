#pragma once
// The fifteen file types of open and save, numbered as the file dialogs list them.

#include <QString>

enum TFileType : int {
    TypeTex = 1,
    TypeTfc = 2,
    TypeT3d = 3,
    TypeWea = 4,
    TypeWav = 5,
    TypeKnt = 6,
    TypeCpt = 7,
    TypeBmp = 8,
    TypePct = 9,
    TypePcx = 10,
    TypePng = 11,
    TypePsd = 12,
    TypeRas = 13,
    TypeTga = 14,
    TypeTif = 15,
};
constexpr int kFileTypeCount = 15;

struct TFileTypeInfo {
    int Type;
    const char* Extension;   // with the dot
    const char* Description; // as the file dialogs show it
    int FormatCode;          // imaging-library save code for foreign types, else 0
};

// The entry of a type number 1 .. 15, or null.
const TFileTypeInfo* FileTypeInfo(int type);
// The type whose extension the file name ends with (any case), or 0.
int FileTypeOfName(const QString& fileName);
// Whether designs can be saved as the type: the three current design files and the pictures.
bool IsWritableType(int type);
// "Description|*.ext" filters of all types in order, joined by ";;" for Qt dialogs.
QString FileTypeFilters();
// The name with its extension replaced (or appended when it has none).
QString ReplaceExtension(const QString& fileName, const QString& extension);
