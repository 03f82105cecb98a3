// Text operations on large GBK texts, with memmem on the same data as the yardstick for search.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"

namespace {

using runtime::Text;

// Mostly double-byte characters with ASCII words, commas and spaces between them, as a listing
// page or a long history would hold; the needle stands only at the very end.
const Text kNeedle =
    "\xD5\xD2\xB5\xBD"
    "END";

Text MakeText(std::size_t size) {
    static const char* const kPieces[] = {"\xD6\xD0\xCE\xC4",
                                          "\xCE\xA2\xD0\xC5",
                                          "down",
                                          "\xC8\xBA",
                                          ",",
                                          " ",
                                          "abc",
                                          "\xA1\xA1",
                                          "jpg"};
    std::mt19937 random(42);
    Text t;
    t.reserve(size + 16);
    t += "   ";
    while (t.size() < size) {
        t += kPieces[random() % std::size(kPieces)];
    }
    t += kNeedle;
    t += "   ";
    return t;
}

constexpr std::int64_t kTenth = (64 << 20) / 10;
constexpr std::int64_t kFull = 64 << 20;

const Text& TextOf(std::int64_t size) {
    static const Text full = MakeText(kFull);
    static const Text tenth = MakeText(kTenth);
    return size == kFull ? full : tenth;
}

// One untimed run first, so the heap has grown to the size the operation needs before timing.
template <typename Operation>
void Measure(benchmark::State& state, const Text& t, Operation operation) {
    benchmark::DoNotOptimize(operation(t));
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation(t));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void BM_FindText(benchmark::State& state) {
    Measure(state, TextOf(state.range(0)),
            [](const Text& t) { return runtime::FindText(t, kNeedle, std::nullopt, false); });
}

void BM_Memmem(benchmark::State& state) {
    Measure(state, TextOf(state.range(0)), [](const Text& t) {
        return memmem(t.data(), t.size(), kNeedle.data(), kNeedle.size());
    });
}

void BM_ReplaceText(benchmark::State& state) {
    Measure(state, TextOf(state.range(0)), [](const Text& t) {
        return runtime::ReplaceText(t, ",", Text(";;"), std::nullopt, std::nullopt, true);
    });
}

void BM_SplitText(benchmark::State& state) {
    Measure(state, TextOf(state.range(0)), [](const Text& t) { return runtime::SplitText(t); });
}

void BM_TrimText(benchmark::State& state) {
    Measure(state, TextOf(state.range(0)), [](const Text& t) { return runtime::TrimText(t); });
}

}  // namespace

BENCHMARK(BM_FindText)->Arg(kTenth)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memmem)->Arg(kTenth)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceText)->Arg(kTenth)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitText)->Arg(kTenth)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimText)->Arg(kTenth)->Arg(kFull)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
