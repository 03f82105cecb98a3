// PercentDecode with the UTF-8 step on a listing-like answer of growing size; the complexity fit
// shows whether the cost stays linear (10x the input should cost about 10x the time).

#include <benchmark/benchmark.h>

#include "web/PercentDecode.h"

namespace {

runtime::Text EncodedText(std::size_t size) {
    // Escaped UTF-8 Chinese, escaped ASCII and plain bytes, as a listing answer mixes them.
    const runtime::Text piece = "%E4%B8%AD%E6%96%87down%2Fab12.png%20";
    runtime::Text text;
    text.reserve(size + piece.size());
    while (text.size() < size) {
        text += piece;
    }
    text.resize(size - size % piece.size());
    return text;
}

void BM_PercentDecodeUtf8(benchmark::State& state) {
    const runtime::Text text = EncodedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(web::PercentDecode(text, true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(state.range(0));
}

constexpr std::int64_t kMiB = 1024 * 1024;

BENCHMARK(BM_PercentDecodeUtf8)
    ->Arg(64 * kMiB / 10)
    ->Arg(64 * kMiB)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
