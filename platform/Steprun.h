#pragma once
// Helpers for walking a row in exact fixed-point steps: the run of steps that keeps a
// stepped value inside a range, found by division instead of by testing each step.

#include <algorithm>
#include <cstdint>

// Floor of a / d for d > 0.
inline int64_t FloorQuotient(int64_t a, int64_t d) {
    int64_t q = a / d;
    if (a % d != 0 && a < 0) --q;
    return q;
}

// Narrows [lo, hi) to the k with 0 <= a + d * k < limit; the result may end up with lo >= hi.
inline void ClipRun(int64_t a, int64_t d, int64_t limit, int64_t& lo, int64_t& hi) {
    if (d == 0) {
        if (a < 0 || a >= limit) hi = lo;
    } else if (d > 0) {
        lo = std::max(lo, -FloorQuotient(a, d));         // ceil(-a / d)
        hi = std::min(hi, -FloorQuotient(a - limit, d)); // ceil((limit - a) / d)
    } else {
        hi = std::min(hi, FloorQuotient(a, -d) + 1);
        lo = std::max(lo, FloorQuotient(a - limit, -d) + 1);
    }
}
