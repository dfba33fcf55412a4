#pragma once
// How much memory a design may take on this machine. A design needs its picture
// plus, during an operation, one working copy of it; a canvas that cannot have
// both is refused before anything is allocated.

#include <cstdint>

// Bytes the machine can give now: MemAvailable of /proc/meminfo (physical memory
// where that is not known), or VELMORA_MEMORY_LIMIT in bytes when it is set.
uint64_t AvailableMemory();

// Whether a picture of width x height at bitsPerPixel fits twice in AvailableMemory().
bool PictureFitsInMemory(int width, int height, int bitsPerPixel);
