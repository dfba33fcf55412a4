#include "colour/Majority.h"

#include <cstring>

namespace {

typedef uint8_t V __attribute__((vector_size(16)));
typedef int8_t S __attribute__((vector_size(16)));

// One pixel, cell by cell.
void Pixel(const uint8_t* const* cells, int n, const uint8_t* here, int x, uint8_t* winner, uint8_t* change) {
    uint8_t seen[9], counts[9];
    int distinct = 0, best = 0;
    uint8_t win = here[x];
    for (int c = 0; c < n; ++c) {
        const uint8_t v = cells[c][x];
        int k = 0;
        while (k < distinct && seen[k] != v)
            ++k;
        if (k == distinct) seen[distinct] = v, counts[distinct++] = 0;
        if (++counts[k] > best) best = counts[k], win = v;
    }
    winner[x] = win;
    change[x] = best >= 2 && win != here[x] ? 0xFF : 0;
}

// Sixteen pixels from x. A cell's count is how many cells hold its index; the
// winner is the first cell with the largest count that is the last of its index.
template <int N>
[[gnu::always_inline]] inline void Block(const uint8_t* const* cells, const uint8_t* here, int x,
                                         uint8_t* winner, uint8_t* change) {
    V v[N];
    S count[N], later[N];
#pragma GCC unroll 16
    for (int c = 0; c < N; ++c) {
        std::memcpy(&v[c], cells[c] + x, sizeof(V));
        count[c] = S{} + 1;
        later[c] = S{};
    }
#pragma GCC unroll 16
    for (int c = 0; c < N; ++c)
#pragma GCC unroll 16
        for (int j = c + 1; j < N; ++j) {
            const S same = S(v[c] == v[j]); // -1 where equal
            count[c] -= same;
            count[j] -= same;
            later[c] |= same;
        }
    S best = count[0];
#pragma GCC unroll 16
    for (int c = 1; c < N; ++c)
        best = best > count[c] ? best : count[c];
    S win = S(v[N - 1]);
#pragma GCC unroll 16
    for (int c = N - 2; c >= 0; --c) {
        const S take = ~later[c] & S(count[c] == best);
        win = (take & S(v[c])) | (~take & win);
    }
    V h;
    std::memcpy(&h, here + x, sizeof(V));
    const S changed = S(best >= 2) & S(V(win) != h);
    std::memcpy(winner + x, &win, sizeof(V));
    std::memcpy(change + x, &changed, sizeof(V));
}

template <int N>
void Row(const uint8_t* const* cells, const uint8_t* here, int count, uint8_t* winner, uint8_t* change) {
    int x = 0;
    for (; x + 16 <= count; x += 16)
        Block<N>(cells, here, x, winner, change);
    for (; x < count; ++x)
        Pixel(cells, N, here, x, winner, change);
}

} // namespace

void MajorityRow(const uint8_t* const* cells, int n, const uint8_t* here, int count, uint8_t* winner,
                 uint8_t* change) {
    switch (n) {
    case 3:
        return Row<3>(cells, here, count, winner, change);
    case 5:
        return Row<5>(cells, here, count, winner, change);
    case 9:
        return Row<9>(cells, here, count, winner, change);
    default:
        for (int x = 0; x < count; ++x)
            Pixel(cells, n, here, x, winner, change);
    }
}

void TakeWinners(uint8_t* out, const uint8_t* winner, const uint8_t* change, int count) {
    int x = 0;
    for (; x + 16 <= count; x += 16) {
        V o, w, c;
        std::memcpy(&o, out + x, sizeof(V));
        std::memcpy(&w, winner + x, sizeof(V));
        std::memcpy(&c, change + x, sizeof(V));
        o = (w & c) | (o & ~c);
        std::memcpy(out + x, &o, sizeof(V));
    }
    for (; x < count; ++x)
        if (change[x]) out[x] = winner[x];
}
