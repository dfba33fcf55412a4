#pragma once
// The nearest-colour rule of TSearchColor over a fixed list of candidates,
// answered without offering every candidate.
//
// The rule's answer depends only on the candidates at the smallest distance:
// the first of them in list order, replaced by a later one whenever all of that
// one's channel differences are below the current best's largest. So a query
// finds the smallest distance through a grid of 16-level cells, searched in
// rings around the query's cell until no farther ring can hold anything as
// near, then runs the rule over the tied candidates in list order.

#include <cstdint>
#include <vector>

class TNearestIndex {
  public:
    void Clear();
    // Appends a candidate; candidates are numbered 0, 1, ... in the order added.
    void Add(int red, int green, int blue);
    int Count() const { return int(Colors.size()); }

    // The candidate TSearchColor would choose, -1 when there is none; distance is
    // the sum of the channel differences.
    int Find(int red, int green, int blue, int* distance = nullptr) const;

  private:
    static constexpr int kCells = 16;
    struct TRgb {
        uint8_t Red, Green, Blue;
    };
    std::vector<TRgb> Colors;
    std::vector<std::vector<int>> Grid = std::vector<std::vector<int>>(kCells * kCells * kCells);
};
