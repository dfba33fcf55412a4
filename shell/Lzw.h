#pragma once
// The LZW code of GIF image data, as the oldest design files hold their pixels:
// 8-bit symbols, clear code 256, end code 257, codes of 9 bits growing to at
// most 12 bits (4096 table entries), packed least significant bit first. On
// disk the code bytes sit in sub-blocks: a length byte (1 .. 255) and that many
// bytes, the sequence ended by an empty block (a zero length byte).

#include <cstddef>
#include <cstdint>

class TLeReader;
class QByteArray;

// Decodes the code bytes (sub-block framing already removed) into out, which
// holds outSize bytes; produced receives the number of bytes written. The
// stream may start with or without a clear code and must end with the end
// code; bits after the end code are ignored. False, with nothing written past
// outSize, for a code that is not in the table, a first code that is not a
// symbol, output that would not fit, or data that runs out before the end code.
bool LzwDecode(const uint8_t* codes, size_t size, uint8_t* out, size_t outSize, size_t& produced);

// Reads sub-blocks from the reader up to and including the empty block and
// appends their bytes to codes. limit caps the bytes read (framing included);
// with exact set the blocks must take exactly limit bytes. False (reader
// failed) on a short file or a block running past limit.
bool ReadLzwBlocks(TLeReader& reader, QByteArray& codes, uint64_t limit, bool exact);
