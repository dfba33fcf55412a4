#pragma once
// A run-length packing for undo record slices: much faster than deflate on the
// flat areas designs are mostly made of, and useless on texture, where the caller
// packs otherwise. The stream is a sequence of tokens, each a little-endian u32
// header: with the top bit set, a run of (header & 0x7fffffff) copies of the one
// byte that follows; else that many literal bytes follow.

#include <cstddef>
#include <cstdint>

// Packs size bytes of data into out (room bytes). Returns the stream's length, or
// 0 when it would not fit in room (the data does not pack well enough).
size_t PackRuns(const uint8_t* data, size_t size, uint8_t* out, size_t room);

// Unpacks a stream of length bytes into exactly size bytes at data. False for a
// stream that is damaged, ends early or gives more or fewer bytes.
bool UnpackRuns(const uint8_t* stream, size_t length, uint8_t* data, size_t size);
