#pragma once
// Nearest-colour search over candidates offered in order.
//
// Distance is the sum of the absolute channel differences. A smaller sum wins;
// an equal sum wins only when every channel difference is below the best's
// largest channel difference; so of two equal candidates the first stays.
// A sum of 0 is an exact match and ends the search.

#include <cstdlib>

class TSearchColor {
  public:
    TSearchColor(int red, int green, int blue) : R(red), G(green), B(blue) {}

    // Offers candidate number index; returns true when the search can stop (exact match).
    bool Offer(int index, int red, int green, int blue) {
        if (Exact) return true;
        const int dr = std::abs(red - R), dg = std::abs(green - G), db = std::abs(blue - B);
        const int sum = dr + dg + db;
        const int largest = dr > dg ? (dr > db ? dr : db) : (dg > db ? dg : db);
        if (sum < BestSum || (sum == BestSum && dr < BestLargest && dg < BestLargest && db < BestLargest)) {
            BestSum = sum;
            BestLargest = largest;
            BestIndex = index;
        }
        Exact = sum == 0;
        return Exact;
    }

    int Best() const { return BestIndex; } // -1 while nothing was offered
    int BestDistance() const { return BestSum; }
    bool Found() const { return BestIndex >= 0; }

  private:
    int R, G, B;
    int BestSum = 768;
    int BestLargest = 256;
    int BestIndex = -1;
    bool Exact = false;
};
