#pragma once
// The majority vote of a small neighbourhood (3, 5 or 9 cells) over a row of
// pixels, sixteen at a time: walking the cells in order, the index whose count
// first reaches the largest count wins (so of indices with equal counts, the one
// whose last cell comes first).

#include <cstdint>

// cells[c] + x is cell c of pixel x and here + x the pixel itself, for x in
// [0, count); n is 3, 5 or 9 (other counts take the per-pixel path). Sets
// winner[x] to the winning index and change[x] to 0xFF where the winner counts
// at least 2 and differs from here[x], else 0.
void MajorityRow(const uint8_t* const* cells, int n, const uint8_t* here, int count, uint8_t* winner,
                 uint8_t* change);

// out[x] = winner[x] where change[x] is 0xFF, for x in [0, count).
void TakeWinners(uint8_t* out, const uint8_t* winner, const uint8_t* change, int count);
