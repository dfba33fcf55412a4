// The Stripe tool's Whole at 30 degrees over the A0 160-dpi design, 8 and 24 bits,
// beside one memcpy of the design's bytes at the same depth, in one run. The
// sequence is five stripes, 321 dots with a mirrored Reverse stripe.
#include "Groundarea.h"
#include "textile/Stripe.h"

#include <cstring>
#include <vector>

namespace {

const std::vector<uint8_t>& Sequence() {
    static const std::vector<uint8_t> seq =
        BuildSequence({TStripe{3, StripeNormal, 1, 40, false}, TStripe{4, StripeReverse, 1, 12, false},
                       TStripe{5, StripeCenter, 1, 63, false}, TStripe{6, StripeNormal, 2, 30, false},
                       TStripe{7, StripeNormal, 1, 134, false}});
    return seq;
}

void BM_StripeWhole30(benchmark::State& state) {
    const int bits = int(state.range(0));
    TDocument& doc = A0(bits);
    TChange change(doc, 0);
    for (auto _ : state) {
        if (!PaintStripeWhole(change.Picture(), change.Guard(), Sequence(), 30, doc.Palette()))
            return state.SkipWithError("no memory");
        benchmark::ClobberMemory();
    }
    change.Picture().PutRows(Plane(bits).data(), kA0Width * (bits / 8), false);
    change.Fail();
    Count(state, int64_t(kA0Width) * kA0Height);
}

// The reference: the design's bytes copied once.
void BM_StripeMemcpyReference(benchmark::State& state) {
    CopyDesignBytes(state, int(state.range(0)));
}

} // namespace

BENCHMARK(BM_StripeWhole30)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripeMemcpyReference)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
