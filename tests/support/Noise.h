#pragma once
// The same noise on every run: a linear congruential sequence from a seed, for
// pictures that no codec can squeeze and for random-looking test data.
#include <cstdint>

struct TNoise {
    uint32_t Seed;
    uint32_t Next() { return Seed = Seed * 1664525u + 1013904223u; }
};
