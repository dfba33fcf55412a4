#pragma once
// Block codec for pixel blocks in design files and undo files.
//
// Mode 2 writes a u32 little-endian length and then either a zlib stream (when
// it is shorter than the block) or, with the length equal to the block size,
// the raw bytes. Mode 1 is refused. Any other mode writes the raw bytes alone.

#include "platform/Progress.h"

#include <QIODevice>
#include <cstddef>
#include <cstdint>

constexpr int kBlockRaw = 0;
constexpr int kBlockRefused = 1;
constexpr int kBlockCompressed = 2;

// Compression levels of mode 2: design files pack tight; undo records, which live
// only while the program runs, pack fast.
constexpr int kLevelFiles = 7;
constexpr int kLevelFast = 1;

// Writes size bytes of data. Mode 2 falls back to raw bytes when the compressor is
// unavailable or the stream would not be shorter. progress hears the block's bytes
// done of size as slices go out (compression counts as the first half in mode 2)
// and may stop the write. False if writing fails or was stopped.
bool WriteBlock(QIODevice* file, const void* data, size_t size, int mode, const TProgressFn& progress = {},
                int level = kLevelFiles);

// Reads a block written by WriteBlock with the same mode into data (size bytes).
// A damaged stream, a short file or a stream that does not inflate to exactly
// size bytes is a failure. progress hears bytes done of size as slices come in
// (inflating counts as the second half of a compressed block) and may stop the read.
bool ReadBlock(QIODevice* file, void* data, size_t size, int mode, const TProgressFn& progress = {});

// The compressor is linked in; tests switch it off to reach the raw fallback,
// which must write blocks that read back without it.
void SetCompressorAvailable(bool available);
bool CompressorAvailable();
