#pragma once
// Pieces shared by the design file writer, readers and thumbnail reader.

#include "shell/File.h"

#include <QByteArray>
#include <cstdint>

class TLeReader;

constexpr int kHeaderSize = 32;
constexpr int kThumbnailBytes8 = kThumbnailWidth * kThumbnailHeight;
constexpr int kThumbnailBytes24 = 3 * kThumbnailBytes8;

// Field values of a 32-byte header (little-endian, as stored).
TDocumentHeader ParseHeader(const uint8_t* bytes);
void AppendHeader(QByteArray& out, const TDocumentHeader& header);

// The layouts before "PT" version 210, read from just after the first 32 bytes
// (given in first). Fills the results only on success; announced as ReadDocument does.
uint32_t ReadLegacyDocument(TLeReader& reader, const uint8_t* first, TPalette& palette,
                            TDocumentHeader& header, bool topDown, TOrvaneBitmap* image, QSize* announced);
