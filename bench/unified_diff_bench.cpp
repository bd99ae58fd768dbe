// The unified diff of two 10,000-line texts against comparing and copying them: with a few
// scattered changes (a header edited by hand), with every line changed, and with every other
// line changed (the hardest of the three). Run: build/bench/unified_diff_bench
#include <benchmark/benchmark.h>

#include <string>

#include "config/unified_diff.h"

namespace {

constexpr int kLines = 10000;

// Line i of the old text; lines for which changed(i) holds read differently in the new one.
template <typename Changed>
std::pair<std::string, std::string> Texts(Changed changed) {
    std::pair<std::string, std::string> texts;
    for (int line = 0; line < kLines; ++line) {
        const std::string text = "#define OS_NAME_" + std::to_string(line) + "  1\n";
        texts.first += text;
        texts.second += changed(line) ? "// " + text : text;
    }
    return texts;
}

void Diff(benchmark::State& state, const std::pair<std::string, std::string>& texts) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(zurcfg::UnifiedDiff(texts.first, texts.second, "a", "b"));
    }
}

void BM_UnifiedDiffFewChanges(benchmark::State& state) {
    Diff(state, Texts([](int line) { return line % 997 == 0; }));
}
BENCHMARK(BM_UnifiedDiffFewChanges)->Unit(benchmark::kMillisecond);

void BM_UnifiedDiffEveryLineChanged(benchmark::State& state) {
    Diff(state, Texts([](int) { return true; }));
}
BENCHMARK(BM_UnifiedDiffEveryLineChanged)->Unit(benchmark::kMillisecond);

void BM_UnifiedDiffEveryOtherLineChanged(benchmark::State& state) {
    Diff(state, Texts([](int line) { return line % 2 == 0; }));
}
BENCHMARK(BM_UnifiedDiffEveryOtherLineChanged)->Unit(benchmark::kMillisecond);

// The baseline: the texts compared and the new one copied, as a caller does to see whether a
// diff is needed at all.
void BM_CompareAndCopyTexts(benchmark::State& state) {
    const auto texts = Texts([](int line) { return line % 997 == 0; });
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts.first == texts.second);
        std::string copy = texts.second;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CompareAndCopyTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
