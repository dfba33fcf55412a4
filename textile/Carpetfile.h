#pragma once
// Carpet files and pile texture files.
//
// ".ctx" texture: "PT", 16-bit version 100, 16-bit signed width and height, then
// width x height palette indices, top row first; little-endian.
// ".cpt" carpet: a native design file (version 222) of the carpet area alone, then
// the carpet block: window switch (1 byte, 3 bytes padding), window width and
// height (32 bits each), texture count n (32 bits) and n textures, each a 13-byte
// zero-padded name, 16-bit width and height and its pixels.
// "Carpet.ini": [Count] cnt = n, then sections "0" .. "n-1" with name = texture name.
//
// Readers check every size against what the file still holds before they
// allocate, and read the 13-byte name fields within their bounds whether a
// zero ends them or not.

#include "shell/Document.h"
#include "textile/Carpettexture.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QIODevice;

constexpr int kTextureNameLength = 12; // characters, with the extension

// The carpet part of a design: its window and working texture list.
struct TCarpetParts {
    TCarpetWindow Window;
    std::vector<TCarpetTexture> Textures;
};

// The name without its extension, as the table shows and compares it.
QString TextureStem(const QString& name);
// 0, or LongTextureName for a name of more than 12 characters, BadCarpetSize for
// a texture with no pixels or one too large for the 16-bit size fields.
uint32_t CheckTexture(const TCarpetTexture& texture);

// Reads path into texture; its name becomes the file's name. 0, CannotOpenFile,
// LongTextureName, or BadFile for a short file or a size below 1 x 1.
uint32_t ReadTextureFile(const QString& path, TCarpetTexture& texture);
// Writes texture to path (replacing it only when complete). 0, CheckTexture's
// codes, CannotCreateFile or CannotWriteFile.
uint32_t WriteTextureFile(const QString& path, const TCarpetTexture& texture);

// Writes the carpet area of design (the bottom-left window, clipped to the
// picture) as a carpet file with compression 0 or 2, replacing path only when
// complete. 0, BadCarpetSize for an empty area, a texture code of CheckTexture,
// CannotCreateFile or CannotWriteFile.
uint32_t WriteCarpetFile(const QString& path, int compression, TDesignRef design, const TCarpetParts& carpet);
// Reads a carpet file into design and carpet (the window is held to the picture;
// a file without a carpet block gives the window off at the picture's size and no
// textures). Returns 0 or ReadDocument's codes, BadFile for a damaged carpet
// block; on failure design and carpet are left as they were.
uint32_t ReadCarpetFile(const QString& path, TDesignRef design, TCarpetParts& carpet);

// Reads the carpet block that follows a design part of picture's size in file:
// present is false (and carpet the window off at picture's size, no textures)
// when the file ends there. 0 or BadFile.
uint32_t ReadCarpetBlock(QIODevice* file, QSize picture, TCarpetParts& carpet, bool& present);

// The texture names "Carpet.ini" keeps, in order.
QStringList ReadCarpetIni(const QString& path);
bool WriteCarpetIni(const QString& path, const std::vector<TCarpetTexture>& textures);
