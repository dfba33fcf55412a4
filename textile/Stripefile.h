#pragma once
// Stripe files (".stp") and the list the Stripe tool keeps in "Stripe.ini".
//
// ".stp": a native 256-colour design part (header, palette, thumbnail and the
// sequence picture, the sequence on every row), then a signed 16-bit stripe
// count and per stripe Color (1 byte), Method (1 byte), Repeat and Length (16
// bits each), little-endian. Files of the older layout (a design part without
// the "PT" signature) follow each record with two bytes to skip.
// "Stripe.ini": [Count] cnt = n, then sections "0" .. "n-1" with the integer
// keys Color, Method, Repetition and Length.

#include "colour/Palette.h"
#include "textile/Stripe.h"

#include <QString>
#include <cstdint>

class QIODevice;
class TDocument;

constexpr int kStripePictureHeight = 32; // rows of the sequence picture in a file
constexpr int kMaxStripes = 4096;        // more is no list a designer builds

// Reads the stripe block that follows a design part; current is false for the
// older layout. 0, or DamagedFile for a file that ends early or announces more
// stripes than it holds, BadFile for a negative count, a length or repeat below 1
// or an unknown method; list is set only on success.
uint32_t ReadStripeBlock(QIODevice* file, bool current, TStripeList& list);

// Reads path and merges it into palette: the file's colours 0 .. n go to the
// entries after the used ones (h + 1 .., the older layout h + 1 .. from its
// colour 1) and each stripe's colour moves with them; the used count rises to
// the highest stripe colour. 0, CannotOpenFile, the design reader's codes,
// ReadStripeBlock's, or PaletteFull when the colours would pass entry 251.
// On failure list and palette are unchanged.
uint32_t ReadStripeFile(const QString& path, TPalette& palette, TStripeList& list);
// ReadStripeFile into document's palette (a palette edit, not undone).
uint32_t LoadStripeFile(const QString& path, TDocument& document, TStripeList& list);
// Writes list (pending rows left out) with palette's colours, replacing path only
// when complete. 0, TooLargeForOperation for a sequence too long to picture,
// BadFile for a stripe that cannot be stored, CannotCreateFile or CannotWriteFile.
uint32_t WriteStripeFile(const QString& path, const TPalette& palette, const TStripeList& list);

// The list "Stripe.ini" holds, every value held to what a stripe can be.
TStripeList ReadStripeIni(const QString& path);
bool WriteStripeIni(const QString& path, const TStripeList& list);
